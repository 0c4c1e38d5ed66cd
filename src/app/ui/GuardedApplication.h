#pragma once

#include <QApplication>
#include <QString>

namespace qel::app::ui {

// The application object of both programs: an exception that escapes an event handler ends
// in a message box and the event loop goes on, instead of ending the process. The writes
// under way were in a transaction, so the stored declarations stay as they were.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv, QString title);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the text of an exception that escaped (unexpectedErrorText) in a message box (or on standard error when
    // there is no window system).
    static void reportUnexpected(const QString& what, const QString& title);

private:
    QString m_title;
};

} // namespace qel::app::ui
