#include "declaration/ui/Frm537.h"

#include "base/NumberFormat.h"
#include "catalogue/CasillaCatalog.h"
#include "catalogue/ComboEntryText.h"
#include "catalogue/FormControls.h"
#include "catalogue/FormPages.h"
#include "declaration/commands/ExplainModel.h"
#include "declaration/commands/FormAnnexGrid.h"
#include "declaration/model/DeclarationFormModel.h"
#include "declaration/model/FormHistory.h"
#include "declaration/ui/ExplainPanel.h"
#include "declaration/ui/FormHelp.h"
#include "declaration/ui/FormPageBuilder.h"
#include "declaration/ui/GuardedLineEdit.h"
#include "declaration/ui/PaymentControl.h"
#include "store/Database.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSqlQuery>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

namespace qel::declaration {

namespace {

const QString kEmptyDate = QStringLiteral("__/__/____");
const QString kOpensWindowTip =
    QStringLiteral("Casilla %1: haga clic o presione Enter para abrir la ventana de detalle que la calcula.");
constexpr int kMinimumWidth = 980;
constexpr int kMinimumHeight = 660;

QColor boxColour(BoxColour colour, const QPalette& palette) {
    switch (colour) {
    case BoxColour::ButtonFace:
        return palette.color(QPalette::Active, QPalette::Button);
    case BoxColour::Cyan:
        return QColor(0, 255, 255);
    case BoxColour::ScrollBar:
        return QColor(0xd4, 0xd0, 0xc8);
    case BoxColour::White:
        break;
    }
    return QColor(Qt::white);
}

QString withPeriod(const QString& text, const QString& periodo) {
    QString result = text;
    return result.replace(QStringLiteral("{periodo}"), periodo);
}

QList<QWidget*> widgetsOf(const ControlWidgets& control) {
    QList<QWidget*> result;
    if (control.caption != nullptr) {
        result.append(control.caption);
    }
    if (control.widget != nullptr) {
        result.append(control.widget);
    }
    for (QAbstractButton* button : control.members) {
        result.append(button);
    }
    return result;
}

// A widget that is not shown, or one the window has just hidden, keeps its own visible flag;
// what matters is whether it shows once its page is selected.
bool shownWithin(const QWidget* widget, const QWidget* within) {
    return within->isAncestorOf(widget) && widget->isVisibleTo(within);
}

} // namespace

Frm537::Frm537(DeclarationFormModel& model, QWidget* parent) : QDialog(parent), m_model(model) {
    setObjectName(QStringLiteral("Frm537"));
    setModal(true);
    installFormHelp(); // F1 finds the casilla or page under the focus
    QFont readable = font();
    if (readable.pointSizeF() < 10) {
        readable.setPointSizeF(10);
    }
    setFont(readable);
    buildWindow();
    bindBoxes();
    bindControls();
    bindModel();
    refreshAll();
}

Frm537::~Frm537() = default;

// --- Building ----------------------------------------------------------------------------

void Frm537::buildWindow() {
    FormPageBuilder builder(m_model, m_widgets);
    QWidget* pages = builder.build(this);
    m_tabs = m_widgets.tabControls.value(QStringLiteral("SSTab1"));

    m_widgets.help = new QLineEdit(this);
    m_widgets.help->setObjectName(controls::kHelpBox);
    m_widgets.help2 = new QLineEdit(this);
    m_widgets.help2->setObjectName(controls::kHelpBox2);
    auto* helpColumn = new QVBoxLayout;
    helpColumn->setSpacing(2);
    for (QLineEdit* help : {m_widgets.help, m_widgets.help2}) {
        help->setReadOnly(true);
        help->setFocusPolicy(Qt::NoFocus);
        QPalette palette = help->palette();
        palette.setColor(QPalette::Text, QColor(0, 0, 128));
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        help->setPalette(palette);
        helpColumn->addWidget(help);
    }

    auto* commands = new QHBoxLayout;
    const QList<QPair<QString, QString>> formCommands = {{controls::kValidate, QStringLiteral("&Validar")},
                                                         {controls::kSave, QStringLiteral("&Grabar")},
                                                         {controls::kExit, QStringLiteral("&Salir")}};
    for (const auto& [name, fallback] : formCommands) {
        const ControlDef* def = FormControls::instance().find(name);
        const QString caption = def != nullptr && !def->members.isEmpty() ? def->members.first() : fallback;
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("Validar")) + 40);
        commands->addWidget(button);
        m_widgets.commands.insert(name, button);
    }

    auto* bottom = new QHBoxLayout;
    bottom->addLayout(helpColumn, 1);
    bottom->addSpacing(12);
    bottom->addLayout(commands);

    // The explanation panel shows once the session's explanations are attached.
    m_explainPanel = new ExplainPanel(this);
    m_explainPanel->hide();
    connect(m_explainPanel, &ExplainPanel::goTo, this, &Frm537::goToCasilla);
    auto* middle = new QHBoxLayout;
    middle->addWidget(pages, 1);
    middle->addWidget(m_explainPanel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);

    setMinimumSize(kMinimumWidth, kMinimumHeight);
    resize(1010, 730);

    for (QScrollArea* scroll : findChildren<QScrollArea*>()) {
        scroll->setFocusPolicy(Qt::NoFocus);
    }

    auto* nextPage = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown), this);
    connect(nextPage, &QShortcut::activated, this, [this] { movePage(1); });
    auto* previousPage = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp), this);
    connect(previousPage, &QShortcut::activated, this, [this] { movePage(-1); });

    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != nullptr && isAncestorOf(now)) {
            ensureVisible(now);
        }
    });
}

void Frm537::bindBoxes() {
    for (auto it = m_widgets.boxes.cbegin(); it != m_widgets.boxes.cend(); ++it) {
        const int n = it.key();
        GuardedLineEdit* edit = it.value();
        edit->setKeyFilter([this, n](QChar typed) { return m_model.filterKey(n, typed); });
        edit->setEnterHandler([this, n] {
            // Assistant boxes open their detail window on Enter; the focus stays then.
            const KeyResult result = m_model.typeKey(n, QLatin1Char('\r'));
            refreshHelp();
            return result == KeyResult::NextControl;
        });
        connect(edit, &GuardedLineEdit::enterPressed, this, [this, edit] { advanceFocus(edit); });
        edit->setFocusHandlers(
            [this, n, edit](Qt::FocusReason reason) {
                m_model.focusIn(n);
                if (reason != Qt::MouseFocusReason) {
                    edit->selectAll();
                }
                refreshHelp();
                refreshExplanation();
            },
            [this, n] {
                m_model.focusOut(n);
                refreshHelp();
                refreshExplanation();
            });
        // Ctrl+Z and Ctrl+Y undo the form's steps, not the box's own typing.
        edit->installEventFilter(this);
        edit->setPointerHandler([this, n] { m_model.pointAt(n); });
        edit->setClickHandler([this, n] {
            m_model.clickBox(n);
            refreshHelp();
        });
        connect(edit, &QLineEdit::textEdited, this, [this, n](const QString& text) {
            m_model.dirty = true;
            m_model.setText(n, text);
            refreshHelp();
        });
    }
}

void Frm537::bindControls() {
    for (auto it = m_widgets.controls.cbegin(); it != m_widgets.controls.cend(); ++it) {
        const QString name = it.key();
        const ControlWidgets& control = it.value();
        const ControlDef& def = m_model.controlDef(name);
        switch (def.kind) {
        case ControlKind::OptionGroup:
            for (auto member = control.members.cbegin(); member != control.members.cend(); ++member) {
                const int index = member.key();
                connect(member.value(), &QAbstractButton::clicked, this, [this, name, index] {
                    // A click on the button already chosen changes nothing.
                    if (m_model.option(name) != index) {
                        m_model.clickOption(name, index);
                    }
                    refreshControl(name);
                    refreshHelp();
                });
            }
            break;
        case ControlKind::CheckArray:
            for (auto member = control.members.cbegin(); member != control.members.cend(); ++member) {
                const int index = member.key();
                connect(member.value(), &QAbstractButton::clicked, this, [this, name, index] {
                    m_model.clickCheck(name, index);
                    refreshControl(name);
                    refreshHelp();
                });
            }
            break;
        case ControlKind::CheckBox:
            connect(qobject_cast<QCheckBox*>(control.widget), &QCheckBox::clicked, this, [this, name] {
                m_model.clickCheck(name);
                refreshControl(name);
                refreshHelp();
            });
            break;
        case ControlKind::ComboBox:
            connect(qobject_cast<QComboBox*>(control.widget), &QComboBox::activated, this, [this, name](int index) {
                const QList<ComboItem>& items = m_model.control(name).items;
                if (index >= 0 && index < items.size()) {
                    m_model.chooseCombo(name, items.at(index).code);
                }
                refreshControl(name);
                refreshHelp();
            });
            break;
        case ControlKind::TextBox:
        case ControlKind::DateBox: {
            auto* edit = qobject_cast<GuardedLineEdit*>(control.widget);
            const bool date = def.kind == ControlKind::DateBox;
            if (!date) {
                edit->setKeyFilter([this, name](QChar typed) { return m_model.filterControlKey(name, typed); });
            }
            if (name == QStringLiteral("TxtRazon")) {
                edit->setReadOnly(true); // shows the chosen taxpayer's name
            }
            connect(edit, &GuardedLineEdit::enterPressed, this, [this, edit] { advanceFocus(edit); });
            connect(edit, &QLineEdit::textEdited, this, [this, name, edit, date](const QString& text) {
                m_model.dirty = true;
                m_model.setControlText(name, date ? edit->displayText() : text);
                refreshHelp();
            });
            break;
        }
        case ControlKind::CommandArray:
            for (auto member = control.members.cbegin(); member != control.members.cend(); ++member) {
                const int index = member.key();
                connect(member.value(), &QAbstractButton::clicked, this, [this, name, index] {
                    m_model.clickCommand(name, index);
                    refreshControl(name);
                    refreshHelp();
                });
            }
            break;
        case ControlKind::Grid: {
            auto* view = qobject_cast<QTableView*>(control.widget);
            FormAnnexGrid* rows = gridRows(name);
            m_widgets.controls[name].rows = rows;
            view->setModel(&rows->model());
            connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                    [this, name](const QModelIndex& current) {
                        if (!m_syncingGrid) {
                            m_model.selectGridRow(name, current.isValid() ? current.row() : -1);
                        }
                    });
            break;
        }
        case ControlKind::Label:
            break;
        }
    }

    for (auto it = m_widgets.commands.cbegin(); it != m_widgets.commands.cend(); ++it) {
        const QString name = it.key();
        connect(it.value(), &QPushButton::clicked, this, [this, name] {
            if (name == controls::kExit) {
                salir();
            } else if (m_model.hasControl(name)) {
                m_model.clickCommand(name, 0);
            }
            refreshHelp();
        });
    }

    for (QTabWidget* tabs : std::as_const(m_widgets.tabControls)) {
        connect(tabs, &QTabWidget::currentChanged, this, [this, tabs] { pageChangedByUser(tabs); });
    }
}

void Frm537::bindModel() {
    connect(&m_model, &DeclarationFormModel::boxChanged, this, &Frm537::refreshBox);
    connect(&m_model, &DeclarationFormModel::controlChanged, this, &Frm537::refreshControl);
    connect(&m_model, &DeclarationFormModel::pageRequested, this, &Frm537::onPageRequested);
    connect(&m_model, &DeclarationFormModel::gridRefreshRequested, this, &Frm537::refreshGrid);
    connect(&m_model, &DeclarationFormModel::helpTextChanged, this, &Frm537::refreshHelp);
    connect(&m_model, &DeclarationFormModel::closeRequested, this, &Frm537::closeForm);
    connect(&m_model, &DeclarationFormModel::readOnlyChanged, this, &Frm537::refreshCaption);
    if (m_widgets.payment != nullptr) {
        for (GuardedLineEdit* edit : m_widgets.payment->findChildren<GuardedLineEdit*>()) {
            connect(edit, &GuardedLineEdit::enterPressed, this, [this, edit] { advanceFocus(edit); });
        }
    }
}

// --- Mirroring the model -------------------------------------------------------------------

void Frm537::refreshAll() {
    for (auto it = m_widgets.boxes.cbegin(); it != m_widgets.boxes.cend(); ++it) {
        refreshBox(it.key());
    }
    for (auto it = m_widgets.controls.cbegin(); it != m_widgets.controls.cend(); ++it) {
        refreshControl(it.key());
    }
    for (auto it = m_widgets.commands.cbegin(); it != m_widgets.commands.cend(); ++it) {
        refreshControl(it.key());
    }
    refreshGrid({});
    refreshFrames();
    refreshChart();
    refreshHelp();
    refreshCaption();
    if (m_widgets.payment != nullptr) {
        m_widgets.payment->refresh();
    }
    const PageDef* page = FormPages::find(m_model.currentPage);
    if (page != nullptr) {
        selectPageChain(page->id);
    }
}

void Frm537::refreshBox(int casilla) {
    GuardedLineEdit* edit = m_widgets.boxes.value(casilla);
    if (edit == nullptr) {
        return;
    }
    const BoxState& state = m_model.box(casilla);
    // A shorter limit would cut the text (the display mask is longer than the editing one).
    const int limit = std::max<int>(state.maxLength, static_cast<int>(state.text.size()));
    if (edit->maxLength() < limit) {
        edit->setMaxLength(limit);
    }
    if (edit->text() != state.text) {
        const bool atEnd = edit->cursorPosition() == edit->text().size();
        const int position = edit->cursorPosition();
        edit->setText(state.text);
        edit->setCursorPosition(atEnd ? static_cast<int>(state.text.size())
                                      : std::min(position, static_cast<int>(state.text.size())));
    }
    edit->setMaxLength(limit);
    edit->setReadOnly(state.locked);
    edit->setEnabled(state.enabled);
    // Tab and Enter pass over the boxes only the rules fill; assistant boxes keep the focus
    // so that Enter can open their detail window.
    const CasillaDef* def = CasillaCatalog::instance().find(casilla);
    const bool passedOver = state.locked && def != nullptr && def->kind != BoxKind::Assistant;
    edit->setFocusPolicy(passedOver ? Qt::ClickFocus : Qt::StrongFocus);

    // A box of the tax page's colour that the user types into is drawn white, as every box the
    // user fills: grey is for what the rules compute.
    const bool typed = state.enabled && !state.locked;
    const QColor base =
        boxColour(state.colour == BoxColour::ScrollBar && typed ? BoxColour::White : state.colour, palette());
    const QString tip = state.colour == BoxColour::Cyan ? kOpensWindowTip.arg(casilla) : QString();
    if (edit->toolTip() != tip) {
        edit->setToolTip(tip);
    }
    QPalette boxPalette = edit->palette();
    if (boxPalette.color(QPalette::Active, QPalette::Base) != base ||
        boxPalette.color(QPalette::Disabled, QPalette::Base) != base) {
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            boxPalette.setColor(group, QPalette::Base, base);
        }
        boxPalette.setColor(QPalette::Active, QPalette::Text, Qt::black);
        boxPalette.setColor(QPalette::Inactive, QPalette::Text, Qt::black);
        edit->setPalette(boxPalette);
    }
    if (QLabel* number = m_widgets.boxNumbers.value(casilla)) {
        number->setEnabled(state.enabled);
    }
}

void Frm537::refreshControl(const QString& name) {
    if (QPushButton* command = m_widgets.commands.value(name)) {
        if (m_model.hasControl(name)) {
            const ControlState& state = m_model.control(name);
            command->setEnabled(state.enabled && state.memberEnabled.value(0, true));
            command->setVisible(state.visible);
        }
        return;
    }
    if (name == QStringLiteral("OptPlan")) {
        refreshChart();
    }
    const auto found = m_widgets.controls.constFind(name);
    if (found == m_widgets.controls.cend() || !m_model.hasControl(name)) {
        return;
    }
    const ControlWidgets& control = *found;
    const ControlDef& def = m_model.controlDef(name);
    const ControlState& state = m_model.control(name);

    bool shownAgain = false;
    for (QWidget* widget : widgetsOf(control)) {
        if (widget->isHidden() == state.visible) {
            widget->setVisible(state.visible);
            shownAgain = true;
        }
    }
    if (shownAgain) {
        refreshFrames();
    }
    const QString caption = withPeriod(m_model.controlCaption(name), m_model.context().periodo);
    if (control.caption != nullptr) {
        control.caption->setEnabled(state.enabled);
        if (def.kind != ControlKind::Grid && def.kind != ControlKind::CommandArray &&
            control.caption->text() != caption) {
            control.caption->setText(caption);
        }
    }

    switch (def.kind) {
    case ControlKind::OptionGroup: {
        const QSignalBlocker block(control.group);
        QAbstractButton* chosen = control.members.value(state.value);
        if (chosen != nullptr) {
            chosen->setChecked(true);
        } else if (control.group->checkedButton() != nullptr) {
            control.group->setExclusive(false);
            control.group->checkedButton()->setChecked(false);
            control.group->setExclusive(true);
        }
        for (auto it = control.members.cbegin(); it != control.members.cend(); ++it) {
            it.value()->setEnabled(state.enabled && state.memberEnabled.value(it.key(), true));
        }
        break;
    }
    case ControlKind::CheckArray:
        for (auto it = control.members.cbegin(); it != control.members.cend(); ++it) {
            it.value()->setChecked(state.memberValues.value(it.key(), 0) == 1);
            it.value()->setEnabled(state.enabled && state.memberEnabled.value(it.key(), true));
        }
        break;
    case ControlKind::CheckBox: {
        auto* check = qobject_cast<QCheckBox*>(control.widget);
        if (check->text() != caption) {
            check->setText(caption);
        }
        check->setChecked(state.value == 1);
        check->setEnabled(state.enabled);
        break;
    }
    case ControlKind::ComboBox: {
        auto* combo = qobject_cast<QComboBox*>(control.widget);
        const QSignalBlocker block(combo);
        bool same = combo->count() == state.items.size();
        for (int i = 0; same && i < combo->count(); ++i) {
            same = combo->itemText(i) == comboEntryShown(state.items.at(i).text);
        }
        if (!same) {
            combo->clear();
            for (const ComboItem& item : state.items) {
                combo->addItem(comboEntryShown(item.text), item.code);
            }
        }
        combo->setCurrentIndex(state.current < combo->count() ? state.current : -1);
        combo->setEnabled(state.enabled);
        break;
    }
    case ControlKind::TextBox: {
        auto* edit = qobject_cast<QLineEdit*>(control.widget);
        if (edit->text() != state.text) {
            edit->setText(state.text);
        }
        edit->setEnabled(state.enabled);
        break;
    }
    case ControlKind::DateBox: {
        auto* edit = qobject_cast<QLineEdit*>(control.widget);
        const QString text = state.text.trimmed();
        if (text.isEmpty() || text == kEmptyDate) {
            if (edit->displayText() != kEmptyDate) {
                edit->clear();
            }
        } else if (edit->displayText() != text) {
            edit->setText(text);
        }
        edit->setEnabled(state.enabled);
        break;
    }
    case ControlKind::CommandArray:
        for (auto it = control.members.cbegin(); it != control.members.cend(); ++it) {
            it.value()->setEnabled(state.enabled && state.memberEnabled.value(it.key(), true));
        }
        break;
    case ControlKind::Grid: {
        auto* view = qobject_cast<QTableView*>(control.widget);
        view->setEnabled(state.enabled);
        if (control.rows != nullptr && view->selectionModel() != nullptr) {
            const int current = state.current < control.rows->model().rowCount() ? state.current : -1;
            if (view->selectionModel()->currentIndex().row() != current ||
                !view->selectionModel()->currentIndex().isValid() != (current < 0)) {
                m_syncingGrid = true;
                if (current < 0) {
                    view->selectionModel()->clear();
                } else {
                    view->selectRow(current);
                }
                m_syncingGrid = false;
            }
        }
        break;
    }
    case ControlKind::Label: {
        auto* label = qobject_cast<QLabel*>(control.widget);
        const QString text = def.query.isEmpty() ? caption : caption + QLatin1Char(' ') + m_totals.value(name);
        if (label->text() != text) {
            label->setText(text);
        }
        label->setEnabled(state.enabled);
        break;
    }
    }
}

void Frm537::refreshTotals() {
    // Labels that show a total of a working table (the income tax of the mining and
    // hydrocarbon annexes) are re-read with the grids.
    for (auto it = m_widgets.controls.cbegin(); it != m_widgets.controls.cend(); ++it) {
        const ControlDef& def = m_model.controlDef(it.key());
        if (def.kind != ControlKind::Label || def.query.isEmpty()) {
            continue;
        }
        m_totals.insert(it.key(), m_model.labelTotal(it.key()));
        refreshControl(it.key());
    }
}

// The grid the form's rules and the batch mode read, where there is one (the annex grids);
// otherwise one of the window's own over the same statement.
FormAnnexGrid* Frm537::gridRows(const QString& name) {
    if (auto* shared = dynamic_cast<FormAnnexGrid*>(m_model.grids.value(name))) {
        return shared;
    }
    m_ownGrids.push_back(std::make_unique<FormAnnexGrid>(m_model, name));
    return m_ownGrids.back().get();
}

void Frm537::refreshGrid(const QString& name) {
    if (name.isEmpty()) {
        for (auto it = m_widgets.controls.cbegin(); it != m_widgets.controls.cend(); ++it) {
            if (it->rows != nullptr) {
                refreshGridRows(it.key());
            }
        }
    } else {
        refreshGridRows(name);
    }
    refreshTotals();
}

void Frm537::refreshGridRows(const QString& name) {
    const auto found = m_widgets.controls.constFind(name);
    if (found == m_widgets.controls.cend() || found->rows == nullptr) {
        return;
    }
    auto* view = qobject_cast<QTableView*>(found->widget);
    m_syncingGrid = true;
    try {
        found->rows->reread();
    } catch (const store::DatabaseError& e) {
        qWarning("grid %s: %s", qPrintable(name), qPrintable(e.text()));
    }
    const annexes::AnnexGridModel& rows = found->rows->model();
    view->resizeColumnsToContents();
    m_syncingGrid = false;

    // The previous position is kept where it still exists.
    const int current = m_model.control(name).current;
    if (current >= rows.rowCount()) {
        m_model.selectGridRow(name, rows.rowCount() > 0 ? rows.rowCount() - 1 : -1);
    }
    refreshControl(name);
}

void Frm537::refreshFrames() {
    for (const FrameItems& frame : std::as_const(m_widgets.frames)) {
        const bool any = std::any_of(frame.items.cbegin(), frame.items.cend(),
                                     [](const QWidget* item) { return !item->isHidden(); });
        if (frame.frame->isHidden() == any) {
            frame.frame->setVisible(any);
        }
    }
}

void Frm537::refreshHelp() {
    if (m_widgets.help->text() != m_model.helpText) {
        m_widgets.help->setText(m_model.helpText);
        m_widgets.help->setCursorPosition(0);
    }
    if (m_widgets.help2->text() != m_model.helpText2) {
        m_widgets.help2->setText(m_model.helpText2);
        m_widgets.help2->setCursorPosition(0);
    }
}

void Frm537::refreshChart() {
    const int inUse = m_model.statementChart();
    for (auto it = m_widgets.chartBlocks.cbegin(); it != m_widgets.chartBlocks.cend(); ++it) {
        for (QWidget* block : it.value()) {
            block->setVisible(it.key() == inUse);
        }
    }
}

void Frm537::refreshCaption() {
    if (m_model.caption.isEmpty()) {
        return;
    }
    // A declaration viewed while another session holds it says so in the title bar; its boxes
    // and controls are locked by the model.
    const QString title = m_model.readOnly() ? m_model.caption + kReadOnlyTitle : m_model.caption;
    if (windowTitle() != title) {
        setWindowTitle(title);
    }
}

// --- Pages -------------------------------------------------------------------------------

QStringList Frm537::pageIds() {
    QStringList ids;
    std::function<void(const QString&)> walk = [&](const QString& tabControl) {
        for (const PageDef* page : FormPages::pagesOf(tabControl)) {
            ids.append(page->id);
            if (!page->childTabControl.isEmpty()) {
                walk(page->childTabControl);
            }
        }
    };
    walk(QStringLiteral("SSTab1"));
    return ids;
}

GuardedLineEdit* Frm537::box(int casilla) const {
    return m_widgets.boxes.value(casilla);
}

QTabWidget* Frm537::tabControl(const QString& name) const {
    return m_widgets.tabControls.value(name);
}

void Frm537::selectPageChain(const QString& pageId) {
    m_syncingPage = true;
    for (const PageDef* page = FormPages::find(pageId); page != nullptr; page = FormPages::find(page->parentId)) {
        if (QTabWidget* tabs = m_widgets.tabControls.value(page->tabControl)) {
            tabs->setCurrentIndex(page->index);
        }
        if (page->parentId.isEmpty()) {
            break;
        }
    }
    m_syncingPage = false;
}

QString Frm537::currentPageId() const {
    QString id;
    QString tabControl = QStringLiteral("SSTab1");
    while (QTabWidget* tabs = m_widgets.tabControls.value(tabControl)) {
        const QList<const PageDef*> pages = FormPages::pagesOf(tabControl);
        const int index = tabs->currentIndex();
        if (index < 0 || index >= pages.size()) {
            break;
        }
        id = pages.at(index)->id;
        tabControl = pages.at(index)->childTabControl;
        if (tabControl.isEmpty()) {
            break;
        }
    }
    return id;
}

void Frm537::showPage(const QString& pageId) {
    selectPageChain(pageId);
    m_model.selectPage(currentPageId());
    refreshHelp();
}

void Frm537::pageChangedByUser(QTabWidget* tabs) {
    if (m_syncingPage) {
        return;
    }
    m_model.selectPage(currentPageId());
    refreshHelp();
    // A page chosen from the rows of tabs (or whose change hid the field being typed in)
    // takes the focus to its first field.
    QWidget* focused = QApplication::focusWidget();
    QWidget* shown = m_tabs->currentWidget();
    if (focused == nullptr || !isAncestorOf(focused) || !shown->isAncestorOf(focused)) {
        if (QWidget* first = firstField(tabs->currentWidget())) {
            first->setFocus(Qt::TabFocusReason);
        }
    }
}

void Frm537::onPageRequested(const QString& pageId, const QString& target) {
    selectPageChain(pageId);
    if (target.isEmpty()) {
        return;
    }
    if (QWidget* widget = focusTarget(target)) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

QWidget* Frm537::focusTarget(const QString& target) const {
    bool numeric = false;
    const int casilla = target.toInt(&numeric);
    if (numeric) {
        return m_widgets.boxes.value(casilla);
    }
    QString name = target;
    int index = -1;
    if (!m_widgets.controls.contains(name) && !m_widgets.commands.contains(name)) {
        static const QRegularExpression member(QStringLiteral("^(\\w+?)(?:\\((\\d+)\\)|_(\\d+))$"));
        const QRegularExpressionMatch match = member.match(target);
        if (!match.hasMatch()) {
            return nullptr;
        }
        name = match.captured(1);
        index = (match.captured(2).isEmpty() ? match.captured(3) : match.captured(2)).toInt();
        if (name.compare(QLatin1String(controls::kCasillaBox), Qt::CaseInsensitive) == 0) {
            return m_widgets.boxes.value(index);
        }
    }
    if (QPushButton* command = m_widgets.commands.value(name)) {
        return command;
    }
    const auto found = m_widgets.controls.constFind(name);
    if (found == m_widgets.controls.cend()) {
        return nullptr;
    }
    if (index >= 0) {
        return found->members.value(index);
    }
    if (found->group != nullptr) {
        if (QAbstractButton* checked = found->group->checkedButton()) {
            return checked;
        }
    }
    if (!found->members.isEmpty() && qobject_cast<QTableView*>(found->widget) == nullptr &&
        qobject_cast<QComboBox*>(found->widget) == nullptr && qobject_cast<QLineEdit*>(found->widget) == nullptr) {
        return found->group != nullptr ? found->group->buttons().value(0) : found->members.first();
    }
    return found->widget;
}

// --- Keyboard ----------------------------------------------------------------------------

bool Frm537::isField(QWidget* widget, QWidget* within) const {
    if (widget == nullptr || !widget->isEnabled() || !(widget->focusPolicy() & Qt::TabFocus) ||
        qobject_cast<QTabBar*>(widget) != nullptr || qobject_cast<QScrollArea*>(widget) != nullptr) {
        return false;
    }
    return within != nullptr ? shownWithin(widget, within) : widget->isVisible();
}

int Frm537::regionOf(const QWidget* widget) const {
    for (int i = 0; i < m_widgets.regions.size(); ++i) {
        if (m_widgets.regions.at(i).widget->isAncestorOf(widget)) {
            return i;
        }
    }
    return -1;
}

QWidget* Frm537::firstField(QWidget* region) const {
    QWidget* widget = region;
    for (int guard = 0; guard < 100000; ++guard) {
        widget = widget->nextInFocusChain();
        if (widget == region) {
            break;
        }
        if (isField(widget, region)) {
            return widget;
        }
    }
    return nullptr;
}

void Frm537::advanceFocus(QWidget* from) {
    if (from == nullptr) {
        return;
    }
    // The next field in the focus order; the buttons of one option group count once.
    auto* fromRadio = qobject_cast<QRadioButton*>(from);
    QWidget* next = nullptr;
    QWidget* widget = from;
    for (int guard = 0; guard < 100000; ++guard) {
        widget = widget->nextInFocusChain();
        if (widget == from) {
            break;
        }
        if (fromRadio != nullptr && qobject_cast<QRadioButton*>(widget) != nullptr &&
            widget->parentWidget() == from->parentWidget()) {
            continue;
        }
        if (isField(widget, nullptr)) {
            next = widget;
            break;
        }
    }
    // At the end of a page the focus goes on to the first field of the next page.
    const int region = regionOf(from);
    if (region >= 0 && (next == nullptr || !m_widgets.regions.at(region).widget->isAncestorOf(next))) {
        for (int i = region + 1; i < m_widgets.regions.size(); ++i) {
            if (QWidget* first = firstField(m_widgets.regions.at(i).widget)) {
                showPage(m_widgets.regions.at(i).pageId);
                first->setFocus(Qt::TabFocusReason);
                return;
            }
        }
    }
    if (next != nullptr) {
        next->setFocus(Qt::TabFocusReason);
    }
}

void Frm537::movePage(int step) {
    QStringList leaves;
    for (const QString& id : pageIds()) {
        if (FormPages::find(id)->childTabControl.isEmpty()) {
            leaves.append(id);
        }
    }
    const int at = static_cast<int>(leaves.indexOf(currentPageId()));
    const int count = static_cast<int>(leaves.size());
    const QString target = leaves.at(((at < 0 ? 0 : at + step) % count + count) % count);
    showPage(target);
    if (QWidget* page = m_widgets.pages.value(target)) {
        if (QWidget* first = firstField(page)) {
            first->setFocus(Qt::TabFocusReason);
        }
    }
}

void Frm537::ensureVisible(QWidget* widget) {
    for (QWidget* parent = widget->parentWidget(); parent != nullptr && parent != this;
         parent = parent->parentWidget()) {
        if (auto* scroll = qobject_cast<QScrollArea*>(parent)) {
            scroll->ensureWidgetVisible(widget, 20, 40);
            return;
        }
    }
}

void Frm537::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        QWidget* focused = focusWidget();
        if (auto* button = qobject_cast<QPushButton*>(focused)) {
            button->click();
        } else {
            advanceFocus(focused);
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// --- Closing -----------------------------------------------------------------------------

void Frm537::showEvent(QShowEvent* event) {
    refreshCaption();
    QDialog::showEvent(event);
}

void Frm537::salir() {
    const QString name = controls::kExit;
    if (m_model.hasControl(name) && m_model.hasControlHandler(name)) {
        m_model.clickCommand(name, 0); // the cancel command ends by asking the window to close
    } else {
        closeForm();
    }
}

void Frm537::closeForm() {
    m_closing = true;
    accept();
}

void Frm537::reject() {
    if (m_closing) {
        QDialog::reject();
    } else {
        salir();
    }
}

void Frm537::closeEvent(QCloseEvent* event) {
    if (m_closing) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    salir();
}

// --- Explanation and undo -------------------------------------------------------------------

void Frm537::attach(ExplainModel& explanations, FormHistory& history) {
    m_explanations = &explanations;
    m_history = &history;
    m_explainPanel->show();
    resize(width() + m_explainPanel->width(), height());

    auto* menus = new QMenuBar(this);
    QMenu* edit = menus->addMenu(QStringLiteral("&Edición"));
    m_undo = edit->addAction(QStringLiteral("&Deshacer"));
    m_undo->setObjectName(controls::kUndo);
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo = edit->addAction(QStringLiteral("&Rehacer"));
    m_redo->setObjectName(controls::kRedo);
    m_redo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    for (QAction* action : {m_undo, m_redo}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    connect(m_undo, &QAction::triggered, this, [this] { m_history->undo(); });
    connect(m_redo, &QAction::triggered, this, [this] { m_history->redo(); });
    connect(m_history, &FormHistory::changed, this, [this] {
        refreshEditMenu();
        refreshExplanation();
    });
    layout()->setMenuBar(menus);
    refreshEditMenu();
    refreshExplanation();
}

void Frm537::refreshEditMenu() {
    if (m_history == nullptr) {
        return;
    }
    m_undo->setEnabled(m_history->canUndo() || m_model.focusedBox() != 0);
    m_redo->setEnabled(m_history->canRedo());
}

void Frm537::refreshExplanation() {
    if (m_explanations == nullptr) {
        return;
    }
    const int casilla = m_model.focusedBox();
    if (casilla == 0) {
        return; // the explanation of the box last left stays until another is entered
    }
    const CasillaExplanation explanation = m_explanations->explain(casilla);
    QList<std::pair<int, QString>> inputs;
    QList<bool> goable;
    for (const int input : explanation.inputs) {
        inputs.append({input, m_explanations->shownText(input)});
        goable.append(m_widgets.boxes.contains(input));
    }
    m_explainPanel->showExplanation(explanation, inputs, goable);
}

void Frm537::goToCasilla(int casilla) {
    const CasillaDef* def = m_model.casillas().find(casilla);
    if (def == nullptr || !m_widgets.boxes.contains(casilla)) {
        return;
    }
    onPageRequested(def->page, QString::number(casilla));
}

bool Frm537::eventFilter(QObject* watched, QEvent* event) {
    if (m_history != nullptr && event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            (key->modifiers() == Qt::ControlModifier && key->key() == Qt::Key_Y)) {
            return true; // left to the window's shortcut
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qel::declaration
