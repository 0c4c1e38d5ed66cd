#include "app/ui/HelpKey.h"

#include "app/HelpTopics.h"
#include "app/ui/HelpWindow.h"

#include <QApplication>
#include <QKeyEvent>

namespace qel::app::ui {

namespace {

HelpKey::FormHelp& formHelp() {
    static HelpKey::FormHelp help;
    return help;
}

} // namespace

void HelpKey::setFormHelp(FormHelp help) {
    formHelp() = std::move(help);
}

HelpKey* HelpKey::install(QObject* owner, std::function<QString()> helpFile) {
    auto* key = new HelpKey(owner, std::move(helpFile));
    qApp->installEventFilter(key);
    return key;
}

HelpKey::HelpKey(QObject* owner, std::function<QString()> helpFile) : QObject(owner), m_helpFile(std::move(helpFile)) {}

QString HelpKey::topicAt(QWidget* widget) {
    const QString formTopic = formHelp().topicAt ? formHelp().topicAt(widget) : QString();
    if (!formTopic.isEmpty()) {
        return formTopic;
    }
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (!w->isWindow()) {
            continue;
        }
        const QString topic = HelpTopics::forWindow(w->objectName());
        if (!topic.isEmpty()) {
            return topic;
        }
    }
    return HelpTopics::kContents;
}

QString HelpKey::casillaListAt(QWidget* widget) {
    return formHelp().casillaListAt ? formHelp().casillaListAt(widget) : QString();
}

void HelpKey::showHelp() {
    QWidget* focused = QApplication::focusWidget();
    if (focused == nullptr) {
        focused = QApplication::activeWindow();
    }
    HelpWindow::showTopic(m_helpFile ? m_helpFile() : QString(), topicAt(focused), casillaListAt(focused));
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
        watched->isWidgetType()) {
        showHelp();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace qel::app::ui
