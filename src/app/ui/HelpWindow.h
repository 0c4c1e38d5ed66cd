#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>

class QLabel;
class QLineEdit;
class QTextBrowser;

namespace qel::app::ui {

// The module's help inside the program: the HTML help file in a text browser, with the list of
// casillas of the open declaration added, a search box and a button back to the contents. One
// window at a time; it never blocks the window it was called from, so the user can read while
// typing.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    // Shows the help at a topic (an anchor of the file), over the window the user is in. The
    // casilla list is HTML added after the file's own topics (empty when no form is open).
    static HelpWindow* showTopic(const QString& helpFile, const QString& topic, const QString& casillaList = {});
    // The window shown, if any.
    static HelpWindow* current();

    QTextBrowser* browser() const { return m_browser; }
    QString topic() const { return m_topic; }
    void goTo(const QString& topic);
    // Finds the next occurrence of the text, from the top again after the last; false when the
    // help does not contain it.
    bool search(const QString& text);

private:
    HelpWindow(const QString& helpFile, const QString& casillaList, QWidget* parent);
    void load(const QString& helpFile, const QString& casillaList);

    QTextBrowser* m_browser = nullptr;
    QLineEdit* m_search = nullptr;
    QLabel* m_searchResult = nullptr;
    QString m_topic;
    QString m_helpFile;
    QString m_casillaList;
};

} // namespace qel::app::ui
