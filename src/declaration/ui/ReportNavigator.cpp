#include "declaration/ui/ReportNavigator.h"

#include "declaration/model/DeclarationFormModel.h"
#include "declaration/model/FieldLocator.h"
#include "declaration/ui/Frm537.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextBlock>

namespace qel::declaration {

const char* const ReportNavigator::kModelessProperty = "qelModeless";

namespace {

const QString kHint = QStringLiteral("Doble clic o Enter en una línea lleva el formulario a la casilla o pregunta.");

} // namespace

Frm537* ReportNavigator::openForm() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* form = qobject_cast<Frm537*>(widget); form != nullptr && form->isVisible()) {
            return form;
        }
    }
    return nullptr;
}

void ReportNavigator::attach(QDialog& report, const QStringList& controls) {
    Frm537* form = openForm();
    auto* lines = report.findChild<QPlainTextEdit*>(QStringLiteral("txtConsist"));
    if (form == nullptr || lines == nullptr) {
        return;
    }
    new ReportNavigator(report, *lines, controls, *form);
}

ReportNavigator::ReportNavigator(QDialog& report, QPlainTextEdit& lines, const QStringList& controls, Frm537& form)
    : QObject(&report), m_report(report), m_lines(lines), m_controls(controls), m_form(&form) {
    // A window of the form: the form's modality does not block it, and it goes with the form.
    report.setParent(&form, report.windowFlags() | Qt::Dialog);
    report.setProperty(kModelessProperty, true);
    lines.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    lines.installEventFilter(this);
    m_viewport = lines.viewport();
    m_viewport->installEventFilter(this);
    lines.setCursorWidth(0);
    connect(&lines, &QPlainTextEdit::cursorPositionChanged, this, &ReportNavigator::markCurrentLine);
    if (auto* title = report.findChild<QLabel*>(QStringLiteral("lblTitulo"))) {
        title->setToolTip(kHint);
    }
    lines.setToolTip(kHint);
    connect(&report, &QDialog::accepted, this, [this] {
        if (m_form) {
            m_form->model().acceptedMark = QStringLiteral("A");
        }
    });
    placeBesideForm();
    markCurrentLine();
}

bool ReportNavigator::goToLine(int line) {
    if (!m_form || line < 0 || line >= m_controls.size()) {
        return false;
    }
    const FieldLocation location = FieldLocator::locate(m_controls.at(line));
    if (!location.isValid()) {
        return false;
    }
    m_form->model().showPage(location.pageId, location.focusTarget);
    m_form->activateWindow();
    m_form->raise();
    return true;
}

bool ReportNavigator::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_viewport && event->type() == QEvent::MouseButtonDblClick) {
        const auto* click = static_cast<QMouseEvent*>(event);
        const QTextCursor cursor = m_lines.cursorForPosition(click->position().toPoint());
        m_lines.setTextCursor(cursor);
        goToLine(cursor.blockNumber());
        return true;
    }
    if (watched == &m_lines && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            goToLine(m_lines.textCursor().blockNumber());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// The line the user is on is shown whole, as the line Enter goes to.
void ReportNavigator::markCurrentLine() {
    QTextEdit::ExtraSelection selection;
    selection.format.setBackground(m_lines.palette().color(QPalette::Highlight).lighter(170));
    selection.format.setProperty(QTextFormat::FullWidthSelection, true);
    selection.cursor = m_lines.textCursor();
    selection.cursor.clearSelection();
    m_lines.setExtraSelections({selection});
}

// Beside the form where the screen has room, else over the form's right edge.
void ReportNavigator::placeBesideForm() {
    const QRect form = m_form->frameGeometry();
    const QScreen* screen = m_form->screen();
    const QRect room = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
    const int width = std::min(m_report.width(), std::max(360, room.width() / 3));
    m_report.resize(width, std::min(m_report.height(), room.height()));
    int x = form.right() + 1;
    if (x + width > room.right()) {
        x = form.left() - width - 1 >= room.left() ? form.left() - width - 1 : room.right() - width;
    }
    const int y = std::clamp(form.top(), room.top(), std::max(room.top(), room.bottom() - m_report.height()));
    m_report.move(x, y);
}

} // namespace qel::declaration
