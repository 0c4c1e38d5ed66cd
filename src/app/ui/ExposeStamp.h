#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace qel::app::ui {

// When QEL_EXPOSE_STAMP names a file, the first time a shown window is exposed on the screen
// its time (nanoseconds since the epoch, system clock) and the process id are appended to that
// file as one line: the start-time measurement reads it against the moment it started the
// process, and ends the process by that id. Without the variable nothing is watched.
class ExposeStamp : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kVariable = "QEL_EXPOSE_STAMP";

    // Call after window.show().
    static void watch(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ExposeStamp(QWidget& window, QString file);

    QString m_file;
};

} // namespace qel::app::ui
