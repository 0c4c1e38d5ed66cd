#include "declaration/ui/FormPageBuilder.h"

#include "app/ui/FrozenColumns.h"
#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormControls.h"
#include "catalogue/FormPages.h"
#include "declaration/model/DeclarationFormModel.h"
#include "declaration/ui/GuardedLineEdit.h"
#include "declaration/ui/PaymentControl.h"
#include "declaration/ui/TabRowStrip.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace qel::declaration {

namespace {

constexpr int kColumnsPerSlot = 3; // casilla number, label, box
// The width the main tab control has at the window's minimum size, and what each nesting
// level takes from it.
constexpr int kTabWidth = 950;
constexpr int kNestingMargin = 24;
// A field wider than this goes on a line of its own under its caption.
constexpr int kWideField = 430;
// The rows a grid's column widths are fitted to: measuring every row of an annex with thousands
// took most of the time the form needs to open.
constexpr int kGridWidthRows = 100;
const QString kIdentPage = QStringLiteral("ident");
const QString kDebtPage = QStringLiteral("deuda");

QFont amountFont(const QFont& base) {
    QFont font = base;
    font.setFamilies({QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono")});
    font.setStyleHint(QFont::Monospace);
    return font;
}

// A pair of buttons shows index 1 first ("Si" before "No", "Domiciliado" before "No
// Domiciliado", "Crédito" before "Gasto"), unless its captions read as a sequence ("Zona 1",
// "Zona 2"; "A", "B"). Other groups follow their indexes.
QList<int> memberOrder(const ControlDef& def) {
    QList<int> order = def.members.keys();
    if (order != QList<int>{0, 1}) {
        return order;
    }
    const QString first = def.members.value(0);
    const QString second = def.members.value(1);
    const bool sequence = first.size() == second.size() && !first.isEmpty() && first.chopped(1) == second.chopped(1) &&
                          first.back() < second.back();
    return sequence ? order : QList<int>{1, 0};
}

QString withPeriod(const QString& text, const QString& periodo) {
    QString result = text;
    return result.replace(QStringLiteral("{periodo}"), periodo);
}

QLabel* captionLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

} // namespace

FormPageBuilder::FormPageBuilder(DeclarationFormModel& model, FormWidgets& widgets)
    : m_model(model), m_widgets(widgets) {}

bool FormPageBuilder::isFormCommand(const QString& name) {
    return name == controls::kValidate || name == controls::kSave || name == controls::kExit;
}

bool FormPageBuilder::isHelpBox(const QString& name) {
    return name == controls::kHelpBox || name == controls::kHelpBox2;
}

bool FormPageBuilder::isTaxpayerField(const QString& name) {
    return name == QStringLiteral("CmbRuc") || name == QStringLiteral("txtNumRUC") ||
           name == QStringLiteral("TxtRazon");
}

QWidget* FormPageBuilder::build(QWidget* parent) {
    return buildTabControl(QStringLiteral("SSTab1"), kTabWidth, parent);
}

QWidget* FormPageBuilder::buildTabControl(const QString& name, int width, QWidget* parent) {
    auto* container = new QWidget(parent);
    auto* column = new QVBoxLayout(container);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* tabs = new QTabWidget(container);
    tabs->setObjectName(name);
    tabs->setUsesScrollButtons(true);
    tabs->setElideMode(Qt::ElideNone);
    tabs->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 4px 7px; }"));
    m_widgets.tabControls.insert(name, tabs);
    for (const PageDef* page : FormPages::pagesOf(name)) {
        QWidget* widget = buildPage(*page, width - kNestingMargin, tabs);
        tabs->addTab(widget, page->caption);
        tabs->setTabToolTip(tabs->count() - 1, QString(page->caption).remove(QLatin1Char('&')).simplified());
    }
    // Tabs that do not fit in one row are shown in several rows of buttons above the pages.
    tabs->tabBar()->ensurePolished();
    if (tabs->tabBar()->sizeHint().width() > width) {
        column->addWidget(new TabRowStrip(tabs, width, container));
        column->addSpacing(4);
    }
    column->addWidget(tabs, 1);
    return container;
}

QWidget* FormPageBuilder::buildPage(const PageDef& page, int width, QWidget* parent) {
    QList<Entry> entries = entriesOf(page.id);
    m_pageHasGrid = false;

    if (!page.childTabControl.isEmpty()) {
        // The fields of the page itself sit above its nested tab control.
        auto* widget = new QWidget(parent);
        widget->setObjectName(QStringLiteral("page_") + page.id);
        m_widgets.pages.insert(page.id, widget);
        auto* column = new QVBoxLayout(widget);
        if (!entries.isEmpty()) {
            auto* top = new QWidget(widget);
            top->setObjectName(QStringLiteral("top_") + page.id);
            auto* topColumn = new QVBoxLayout(top);
            topColumn->setContentsMargins(0, 0, 0, 0);
            addSections(entries, topColumn, top);
            column->addWidget(top);
            m_widgets.regions.append({page.id, top});
        }
        column->addWidget(buildTabControl(page.childTabControl, width, widget), 1);
        return widget;
    }

    auto* scroll = new QScrollArea(parent);
    scroll->setObjectName(QStringLiteral("page_") + page.id);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget(scroll);
    content->setObjectName(QStringLiteral("content_") + page.id);
    auto* column = new QVBoxLayout(content);
    m_widgets.pages.insert(page.id, scroll);
    m_widgets.regions.append({page.id, content});

    // The statements are laid out once per chart of accounts; the window shows the chart in use.
    QMap<int, QList<Entry>> byChart;
    for (const Entry& entry : std::as_const(entries)) {
        byChart[entry.box != nullptr ? entry.box->chart : 0].append(entry);
    }
    if (page.id == kDebtPage) {
        // The income tax and the ITF side by side, as two columns of one return.
        auto* columns = new QHBoxLayout;
        addSections(byChart.value(0), columns, content);
        column->addLayout(columns);
    } else {
        addSections(byChart.value(0), column, content);
    }
    for (const int chart : {1, 2}) {
        if (!byChart.contains(chart)) {
            continue;
        }
        auto* block = new QWidget(content);
        block->setObjectName(QStringLiteral("chart%1_").arg(chart) + page.id);
        auto* blockColumn = new QVBoxLayout(block);
        blockColumn->setContentsMargins(0, 0, 0, 0);
        addSections(byChart.value(chart), blockColumn, block);
        column->addWidget(block);
        m_widgets.chartBlocks[chart].append(block);
    }
    if (page.id == kDebtPage) {
        column->addWidget(buildPayment(content));
    }
    if (!m_pageHasGrid) {
        column->addStretch(1);
    }
    scroll->setWidget(content);
    return scroll;
}

QList<FormPageBuilder::Entry> FormPageBuilder::entriesOf(const QString& pageId) const {
    // Named controls first, then the boxes, each in catalogue order; addSections interleaves
    // them by row within a frame.
    QList<Entry> entries;
    int order = 0;
    QList<const ControlDef*> controls;
    if (pageId == kIdentPage) {
        // The taxpayer choice stays in sight above every identification page.
        for (const ControlDef& def : FormControls::instance().all()) {
            if (isTaxpayerField(def.name)) {
                controls.append(&def);
            }
        }
    }
    for (const ControlDef* def : FormControls::instance().onPage(pageId)) {
        if (!isFormCommand(def->name) && !isHelpBox(def->name) && !isTaxpayerField(def->name)) {
            controls.append(def);
        }
    }
    for (const ControlDef* def : std::as_const(controls)) {
        entries.append({def->section, def->row, order++, nullptr, def});
    }
    for (const CasillaDef* def : CasillaCatalog::instance().onPage(pageId)) {
        if (def->kind != BoxKind::Hidden) {
            entries.append({def->section, def->row, order++, def, nullptr});
        }
    }
    return entries;
}

QStringList FormPageBuilder::sectionOrder(const QList<Entry>& entries) {
    // Both catalogues list a page's frames top to bottom; a frame only the boxes know goes
    // right after the frame it follows there. Before any frame both know, the controls'
    // frames come first (a page heading, such as the statement's title).
    QStringList order;
    QStringList fromBoxes;
    for (const Entry& entry : entries) {
        QStringList& list = entry.box != nullptr ? fromBoxes : order;
        if (!list.contains(entry.section)) {
            list.append(entry.section);
        }
    }
    qsizetype at = order.size() - 1;
    for (const QString& section : std::as_const(fromBoxes)) {
        const qsizetype found = order.indexOf(section);
        if (found >= 0) {
            at = found;
        } else {
            order.insert(++at, section);
        }
    }
    return order;
}

void FormPageBuilder::addSections(const QList<Entry>& entries, QBoxLayout* column, QWidget* parent) {
    QList<Entry> sorted = entries;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Entry& a, const Entry& b) { return a.row < b.row; });
    for (const QString& section : sectionOrder(entries)) {
        QWidget* frame = nullptr;
        if (section.isEmpty()) {
            frame = new QWidget(parent);
        } else {
            frame = new QGroupBox(section, parent);
        }
        auto* grid = new QGridLayout(frame);
        if (section.isEmpty()) {
            grid->setContentsMargins(0, 0, 0, 0);
        }
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(4);
        m_widgets.frames.append(FrameItems{frame, {}});

        // Lines: the entries of one row side by side.
        QMap<int, QList<Entry>> lines;
        for (const Entry& entry : std::as_const(sorted)) {
            if (entry.section == section) {
                lines[entry.row].append(entry);
            }
        }
        // Command buttons of consecutive lines share one line.
        QList<QList<Entry>> merged;
        for (const auto& line : std::as_const(lines)) {
            if (!merged.isEmpty() && onlyCommands(merged.last()) && onlyCommands(line)) {
                merged.last().append(line);
            } else {
                merged.append(line);
            }
        }
        int slotCount = 1;
        for (const auto& line : std::as_const(merged)) {
            if (!onlyCommands(line)) {
                slotCount = std::max(slotCount, static_cast<int>(line.size()));
            }
        }
        m_frameHasGrid = false;
        int gridRow = 0;
        for (const auto& line : std::as_const(merged)) {
            gridRow += onlyCommands(line) ? addCommandLine(line, grid, gridRow, slotCount, frame)
                                          : addLine(line, grid, gridRow, slotCount, frame);
        }
        const int numberWidth = frame->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 4;
        for (int slot = 0; slot < slotCount; ++slot) {
            grid->setColumnMinimumWidth(slot * kColumnsPerSlot, numberWidth);
            grid->setColumnStretch(slot * kColumnsPerSlot + 1, 1);
        }
        // Grids take the height the page leaves; frames side by side share the width.
        const bool sideBySide = column->direction() == QBoxLayout::LeftToRight;
        column->addWidget(frame, m_frameHasGrid || sideBySide ? 1 : 0, sideBySide ? Qt::AlignTop : Qt::Alignment());
        m_pageHasGrid = m_pageHasGrid || m_frameHasGrid;
    }
}

bool FormPageBuilder::onlyCommands(const QList<Entry>& line) {
    return std::all_of(line.cbegin(), line.cend(), [](const Entry& entry) {
        return entry.control != nullptr && entry.control->kind == ControlKind::CommandArray;
    });
}

int FormPageBuilder::addCommandLine(const QList<Entry>& line, QGridLayout* grid, int gridRow, int slotCount,
                                    QWidget* parent) {
    auto* holder = new QWidget(parent);
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    for (const Entry& entry : line) {
        const ControlDef& def = *entry.control;
        ControlWidgets widgets;
        for (auto it = def.members.cbegin(); it != def.members.cend(); ++it) {
            auto* button = new QPushButton(it.value(), holder);
            button->setAutoDefault(false);
            button->setObjectName(def.members.size() == 1 ? def.name
                                                          : QStringLiteral("%1_%2").arg(def.name).arg(it.key()));
            button->setMinimumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("Modificar")) + 28);
            row->addWidget(button);
            widgets.members.insert(it.key(), button);
            m_widgets.frames.last().items.append(button);
        }
        row->addSpacing(12);
        m_widgets.controls.insert(def.name, widgets);
    }
    row->addStretch(1);
    grid->addWidget(holder, gridRow, 1, 1, slotCount * kColumnsPerSlot - 1);
    return 1;
}

int FormPageBuilder::addLine(const QList<Entry>& line, QGridLayout* grid, int gridRow, int slotCount, QWidget* parent) {
    int rows = 1;
    for (int i = 0; i < line.size(); ++i) {
        const Entry& entry = line.at(i);
        const int column = i * kColumnsPerSlot;
        // A lone control takes the whole width of the frame.
        const int span = line.size() == 1 ? slotCount * kColumnsPerSlot : kColumnsPerSlot;
        if (entry.box != nullptr) {
            addBox(*entry.box, grid, gridRow, column, parent);
        } else {
            rows = std::max(rows, addControl(*entry.control, grid, gridRow, column, span, parent));
        }
    }
    return rows;
}

void FormPageBuilder::addBox(const CasillaDef& def, QGridLayout* grid, int gridRow, int column, QWidget* parent) {
    auto* number = new QLabel(QString::number(def.number), parent);
    number->setObjectName(QStringLiteral("lblNumero_%1").arg(def.number));
    number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = number->font();
    bold.setBold(true);
    number->setFont(bold);
    number->setMinimumWidth(number->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    m_widgets.boxNumbers.insert(def.number, number);

    QLabel* label = captionLabel(def.label, parent);
    label->setObjectName(QStringLiteral("lblCasilla_%1").arg(def.number));

    auto* box = new GuardedLineEdit(parent);
    box->setObjectName(QStringLiteral("txtValor_%1").arg(def.number));
    box->setAccessibleName(QStringLiteral("Casilla %1").arg(def.number));
    if (def.value != ValueClass::Text) {
        box->setFont(amountFont(box->font()));
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    const int chars = std::clamp(std::max(def.displayLength(), def.editingLength()), 3, 19);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('0')) * (chars + 1) + 14);
    label->setBuddy(box);
    m_widgets.boxes.insert(def.number, box);
    m_widgets.frames.last().items.append(box);

    grid->addWidget(number, gridRow, column);
    grid->addWidget(label, gridRow, column + 1);
    grid->addWidget(box, gridRow, column + 2, Qt::AlignLeft);
}

int FormPageBuilder::addControl(const ControlDef& def, QGridLayout* grid, int gridRow, int column, int span,
                                QWidget* parent) {
    ControlWidgets widgets;
    const QString caption = withPeriod(m_model.controlCaption(def.name), m_model.context().periodo);
    // Texts start where the labels of the boxes start; the field takes the box column, or,
    // when it is wider than that, a line of its own under its caption.
    const int first = column + 1;
    const int last = column + span - 1;
    int rows = 1;
    auto spanWhole = [&](QWidget* widget) { grid->addWidget(widget, gridRow, first, 1, last - first + 1); };
    auto withCaption = [&](QWidget* field) {
        if (caption.isEmpty()) {
            grid->addWidget(field, gridRow, first, 1, last - first + 1, Qt::AlignLeft);
            return;
        }
        widgets.caption = captionLabel(caption, parent);
        widgets.caption->setObjectName(QStringLiteral("lbl_") + def.name);
        widgets.caption->setBuddy(field);
        if (field->sizeHint().width() > kWideField) {
            grid->addWidget(widgets.caption, gridRow, first, 1, last - first + 1);
            grid->addWidget(field, gridRow + 1, first, 1, last - first + 1, Qt::AlignLeft);
            rows = 2;
        } else {
            grid->addWidget(widgets.caption, gridRow, first, 1, last - first);
            grid->addWidget(field, gridRow, last, Qt::AlignLeft);
        }
    };

    switch (def.kind) {
    case ControlKind::OptionGroup:
    case ControlKind::CheckArray: {
        auto* buttons = new QWidget(parent);
        buttons->setObjectName(QStringLiteral("fra_") + def.name);
        // Buttons with long captions (the charts of accounts) stand one under the other.
        const bool longCaptions = std::any_of(def.members.cbegin(), def.members.cend(),
                                              [](const QString& member) { return member.size() > 30; });
        QBoxLayout* row = longCaptions ? static_cast<QBoxLayout*>(new QVBoxLayout(buttons))
                                       : static_cast<QBoxLayout*>(new QHBoxLayout(buttons));
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(longCaptions ? 2 : 16);
        if (def.kind == ControlKind::OptionGroup) {
            widgets.group = new QButtonGroup(buttons);
            widgets.group->setExclusive(true);
        }
        for (const int index : memberOrder(def)) {
            QAbstractButton* button = nullptr;
            if (def.kind == ControlKind::OptionGroup) {
                button = new QRadioButton(def.members.value(index), buttons);
                widgets.group->addButton(button, index);
            } else {
                button = new QCheckBox(def.members.value(index), buttons);
            }
            button->setObjectName(QStringLiteral("%1_%2").arg(def.name).arg(index));
            row->addWidget(button);
            widgets.members.insert(index, button);
        }
        row->addStretch(1);
        widgets.widget = buttons;
        withCaption(buttons);
        break;
    }
    case ControlKind::CheckBox: {
        auto* check = new QCheckBox(caption, parent);
        check->setObjectName(def.name);
        widgets.widget = check;
        spanWhole(check);
        break;
    }
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(parent);
        combo->setObjectName(def.name);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(def.name == QStringLiteral("CmbRuc") ? 40 : 34);
        widgets.widget = combo;
        withCaption(combo);
        break;
    }
    case ControlKind::TextBox:
    case ControlKind::DateBox: {
        auto* edit = new GuardedLineEdit(parent);
        edit->setObjectName(def.name);
        if (def.kind == ControlKind::DateBox) {
            edit->setInputMask(QStringLiteral("99/99/9999;_"));
            edit->setFont(amountFont(edit->font()));
            edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 11 + 14);
        } else {
            const int chars = std::clamp(def.maxLength > 0 ? def.maxLength : 30, 4, 40);
            edit->setFixedWidth(edit->fontMetrics().averageCharWidth() * (chars + 2) + 14);
            if (def.maxLength > 0) {
                edit->setMaxLength(def.maxLength);
            }
        }
        widgets.widget = edit;
        withCaption(edit);
        break;
    }
    case ControlKind::CommandArray:
        break; // laid out by addCommandLine
    case ControlKind::Grid: {
        auto* holder = new QWidget(parent);
        auto* layout = new QVBoxLayout(holder);
        layout->setContentsMargins(0, 0, 0, 0);
        if (!caption.isEmpty()) {
            widgets.caption = captionLabel(caption, holder);
            layout->addWidget(widgets.caption);
        }
        auto* view = new QTableView(holder);
        view->setObjectName(def.name);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setAlternatingRowColors(true);
        view->setTabKeyNavigation(false);
        view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 8);
        view->horizontalHeader()->setStretchLastSection(true);
        view->horizontalHeader()->setResizeContentsPrecision(kGridWidthRows);
        view->setMinimumHeight(view->fontMetrics().height() * 12);
        view->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        if (def.name == QLatin1String(controls::kTrialBalanceGrid)) {
            // The account's code and description stay beside the amounts that scroll.
            new app::ui::FrozenColumns(view, 2);
        }
        layout->addWidget(view);
        grid->setRowStretch(gridRow, 1);
        m_frameHasGrid = true;
        if (widgets.caption != nullptr) {
            widgets.caption->setBuddy(view);
        }
        widgets.widget = view;
        spanWhole(holder);
        break;
    }
    case ControlKind::Label: {
        QLabel* label = captionLabel(caption, parent);
        label->setObjectName(def.name);
        widgets.widget = label;
        spanWhole(label);
        break;
    }
    }
    if (widgets.widget != nullptr) {
        m_widgets.frames.last().items.append(widgets.widget);
    }
    m_widgets.controls.insert(def.name, widgets);
    return rows;
}

QWidget* FormPageBuilder::buildPayment(QWidget* parent) {
    auto* frame = new QGroupBox(QStringLiteral("Forma de Pago"), parent);
    frame->setObjectName(controls::kPaymentFrame);
    auto* layout = new QVBoxLayout(frame);
    m_widgets.payment = new PaymentControl(m_model, frame);
    layout->addWidget(m_widgets.payment);
    return frame;
}

} // namespace qel::declaration
