#include "app/ui/HelpKey.h"

#include "app/HelpTopics.h"
#include "app/ui/HelpWindow.h"
#include "declaration/catalogue/CasillaHelpSection.h"
#include "declaration/model/DeclarationFormModel.h"
#include "declaration/ui/Frm537.h"
#include "declaration/ui/ReportNavigator.h"

#include <QApplication>
#include <QKeyEvent>
#include <QRegularExpression>

namespace qel::app::ui {

namespace {

declaration::Frm537* formOf(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (auto* form = qobject_cast<declaration::Frm537*>(w)) {
            return form;
        }
    }
    return nullptr;
}

// The casilla of a box of the form ("txtValor_113"); 0 for anything else.
int casillaOf(const QWidget* widget) {
    static const QRegularExpression box(QStringLiteral("^txtValor_(\\d+)$"));
    const QRegularExpressionMatch match = box.match(widget != nullptr ? widget->objectName() : QString());
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

} // namespace

HelpKey* HelpKey::install(QObject* owner, std::function<QString()> helpFile) {
    auto* key = new HelpKey(owner, std::move(helpFile));
    qApp->installEventFilter(key);
    return key;
}

HelpKey::HelpKey(QObject* owner, std::function<QString()> helpFile) : QObject(owner), m_helpFile(std::move(helpFile)) {}

QString HelpKey::topicAt(QWidget* widget) {
    if (declaration::Frm537* form = formOf(widget)) {
        const int casilla = casillaOf(widget);
        return casilla > 0 ? HelpTopics::forCasilla(casilla) : HelpTopics::forPage(form->currentPageId());
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
    declaration::Frm537* form = formOf(widget);
    if (form == nullptr) {
        form = declaration::ReportNavigator::openForm();
    }
    if (form == nullptr) {
        return {};
    }
    return declaration::CasillaHelpSection::html(form->model().casillaHelp);
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
