#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace qel::app::ui {

// F1 in any window of the program opens the help window at the topic of what has the focus:
// on the declaration form the casilla of the box or else the page shown; elsewhere the
// window's topic, else the contents.
class HelpKey : public QObject {
    Q_OBJECT
public:
    // Watches the keys of the whole application while `owner` lives; `helpFile` names the
    // help file when F1 is pressed (the module's folder may change after start-up).
    static HelpKey* install(QObject* owner, std::function<QString()> helpFile);

    // What the declaration form knows of its own help: the topic at a widget inside a form
    // (empty outside one) and the casilla list of the form a widget is in, or of the one open.
    // The form sets it when it is built; the launcher has none.
    struct FormHelp {
        std::function<QString(QWidget*)> topicAt;
        std::function<QString(QWidget*)> casillaListAt;
    };
    static void setFormHelp(FormHelp help);

    // The help topic of a widget and the casilla list of the declaration form it is in (or
    // the one open), empty when there is none.
    static QString topicAt(QWidget* widget);
    static QString casillaListAt(QWidget* widget);
    // Opens the help at the topic of the focused widget.
    void showHelp();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HelpKey(QObject* owner, std::function<QString()> helpFile);
    std::function<QString()> m_helpFile;
};

} // namespace qel::app::ui
