#include "annexes/ui/MonthAssistantWindow.h"

#include "annexes/MonthAssistantModel.h"
#include "app/UtilityComponent.h"
#include "catalogue/AnnexControls.h"
#include "declaration/ui/GuardedLineEdit.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qel::annexes {

const QString MonthAssistantWindow::kGrid = QStringLiteral("grdAsistente");

namespace {

// The editor of an amount cell: the bare amount, selected; digits only; nothing pasted; each
// keystroke reaches the model so that the totals follow.
class AmountDelegate : public QStyledItemDelegate {
public:
    AmountDelegate(MonthAssistantModel& model, std::function<void()> next, QObject* parent)
        : QStyledItemDelegate(parent), m_model(model), m_next(std::move(next)) {}

    // Enter and Tab leave the cell for the next amount cell, skipping the months and totals.
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* editor = qobject_cast<QWidget*>(watched);
        if (editor != nullptr && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab) {
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                m_next();
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(watched, event);
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
        auto* editor = new declaration::GuardedLineEdit(parent);
        editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        editor->setKeyFilter([](QChar typed) { return app::UtilityComponent::FilterNumericKey(typed); });
        const int row = index.row();
        const int column = index.column() - 1;
        QObject::connect(editor, &QLineEdit::textEdited, editor,
                         [this, row, column](const QString& text) { m_model.setCellText(row, column, text); });
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* box = static_cast<QLineEdit*>(editor);
        box->setText(m_model.editText(index.row(), index.column() - 1));
        box->selectAll();
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
        m_model.setCellText(index.row(), index.column() - 1, static_cast<QLineEdit*>(editor)->text());
    }

private:
    MonthAssistantModel& m_model;
    std::function<void()> m_next;
};

} // namespace

MonthAssistantWindow::MonthAssistantWindow(std::unique_ptr<MonthAssistantModel> model, QWidget* parent)
    : MonthAssistantWindow(std::move(model), QString(), parent) {}

MonthAssistantWindow::MonthAssistantWindow(std::unique_ptr<MonthAssistantModel> model, const QString& name,
                                           QWidget* parent)
    : QDialog(parent), m_model(std::move(model)) {
    setObjectName(name.isEmpty() ? m_model->kind().window : name);
    setWindowTitle(m_model->caption());
    build();
    m_model->setChangeListener([this] { refresh(); });
    refresh();
}

// The grid and its editors go before the model they show.
MonthAssistantWindow::~MonthAssistantWindow() {
    m_model->setChangeListener({});
    QTableWidget* grid = m_grid;
    m_grid = nullptr;
    delete grid;
}

QString MonthAssistantWindow::resultText() const {
    return m_model->result();
}

void MonthAssistantWindow::build() {
    const MonthAssistantKind& kind = m_model->kind();
    auto* layout = new QVBoxLayout(this);
    auto* frame = new QLabel(kind.frameCaption, this);
    frame->setObjectName(QStringLiteral("lblTitulo"));
    QFont bold = frame->font();
    bold.setBold(true);
    frame->setFont(bold);
    layout->addWidget(frame);

    QStringList headings = {kind.monthCaption};
    headings.append(kind.captions);
    if (kind.rowTotals) {
        headings.append(QStringLiteral("Total"));
    }
    m_grid = new QTableWidget(MonthAssistantModel::kRows, static_cast<int>(headings.size()), this);
    m_grid->setObjectName(kGrid);
    m_grid->setHorizontalHeaderLabels(headings);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_grid->horizontalHeader()->setMinimumHeight(44);
    m_grid->verticalHeader()->setVisible(false);
    m_grid->verticalHeader()->setDefaultSectionSize(22);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setTabKeyNavigation(true);
    m_grid->setContextMenuPolicy(Qt::NoContextMenu);
    auto* delegate = new AmountDelegate(
        *m_model, [this] { moveToNextCell(); }, m_grid);
    m_grid->setItemDelegate(delegate);
    // A cell shows its display mask again once its editor is gone.
    connect(delegate, &QAbstractItemDelegate::closeEditor, this, [this] { refresh(); });
    m_grid->setEditTriggers(m_model->readOnly() ? QAbstractItemView::NoEditTriggers
                                                : QAbstractItemView::AllEditTriggers);
    const QColor locked = palette().color(QPalette::Button);
    for (int row = 0; row < MonthAssistantModel::kRows; ++row) {
        for (int column = 0; column < m_grid->columnCount(); ++column) {
            auto* item = new QTableWidgetItem;
            const bool amount = column >= 1 && column <= m_model->columnCount();
            item->setTextAlignment(column > 0 ? Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter)
                                              : Qt::Alignment(Qt::AlignCenter));
            if (!amount || m_model->readOnly()) {
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
                item->setBackground(locked);
            }
            m_grid->setItem(row, column, item);
        }
        m_grid->item(row, 0)->setText(m_model->monthLabel(row));
    }
    m_grid->setColumnWidth(0, kind.rowTotals ? 150 : 210);
    for (int column = 1; column < m_grid->columnCount(); ++column) {
        m_grid->setColumnWidth(column, kind.rowTotals ? 118 : 190);
    }
    m_grid->installEventFilter(this);
    m_grid->viewport()->installEventFilter(this);
    int width = 4;
    for (int column = 0; column < m_grid->columnCount(); ++column) {
        width += m_grid->columnWidth(column);
    }
    m_grid->setMinimumSize(width, 44 + 22 * MonthAssistantModel::kRows + 4);
    layout->addWidget(m_grid);

    auto* totals = new QHBoxLayout;
    totals->addStretch();
    m_totalLabel = new QLabel(kind.totalCaption, this);
    m_totalLabel->setObjectName(controls::kTotalCaption);
    m_total = new QLineEdit(this);
    m_total->setObjectName(controls::kTotal);
    m_total->setReadOnly(true);
    m_total->setAlignment(Qt::AlignRight);
    m_total->setFixedWidth(150);
    totals->addWidget(m_totalLabel);
    totals->addWidget(m_total);
    layout->addLayout(totals);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    if (!kind.importKind.isEmpty()) {
        m_import = new QPushButton(QStringLiteral("&Importar"), this);
        m_import->setObjectName(controls::kImport);
        m_import->setEnabled(!m_model->readOnly());
        connect(m_import, &QPushButton::clicked, this, [this] { m_model->importRows(); });
        buttons->addWidget(m_import);
    }
    m_save = new QPushButton(QStringLiteral("&Grabar"), this);
    m_save->setObjectName(QStringLiteral("CmdGrabar"));
    m_save->setEnabled(!m_model->readOnly());
    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    auto* closeButton = new QPushButton(QStringLiteral("&Cerrar"), this);
    closeButton->setObjectName(controls::kClose);
    connect(closeButton, &QPushButton::clicked, this, [this] {
        m_model->close();
        reject();
    });
    buttons->addWidget(m_save);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
}

void MonthAssistantWindow::refresh() {
    if (m_refreshing || m_grid == nullptr) {
        return;
    }
    m_refreshing = true;
    const MonthAssistantKind& kind = m_model->kind();
    for (int row = 0; row < MonthAssistantModel::kRows; ++row) {
        for (int column = 0; column < m_model->columnCount(); ++column) {
            QTableWidgetItem* item = m_grid->item(row, gridColumn(column));
            // The cell being typed in keeps its editor's text; it shows its mask when left.
            if (m_grid->indexWidget(m_grid->model()->index(row, gridColumn(column))) == nullptr) {
                item->setText(m_model->cellText(row, column));
            }
        }
        if (kind.rowTotals) {
            m_grid->item(row, gridColumn(m_model->columnCount()))->setText(m_model->rowTotalText(row));
        }
    }
    m_total->setText(m_model->totalText());
    m_refreshing = false;
}

void MonthAssistantWindow::save() {
    if (QWidget* editor = m_grid->indexWidget(m_grid->currentIndex())) {
        editor->clearFocus(); // commits the cell being edited
    }
    m_grid->setCurrentItem(nullptr);
    if (m_model->save()) {
        accept();
    }
}

// Pasting is prevented on the grid itself as in its editors: the paste keys, the context-menu
// key and a right button press empty the clipboard. Enter moves to the next cell as Tab does.
bool MonthAssistantWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (declaration::GuardedLineEdit::isPasteKey(*key) || key->key() == Qt::Key_Menu) {
            declaration::GuardedLineEdit::clearClipboard();
            return true;
        }
        if (watched == m_grid && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            moveToNextCell();
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        declaration::GuardedLineEdit::clearClipboard();
    }
    return QDialog::eventFilter(watched, event);
}

void MonthAssistantWindow::moveToNextCell() {
    QTableWidgetItem* current = m_grid->currentItem();
    int row = current != nullptr ? current->row() : 0;
    int column = current != nullptr ? current->column() + 1 : 1;
    if (column > m_model->columnCount()) {
        column = 1;
        row = (row + 1) % MonthAssistantModel::kRows;
    }
    m_grid->setCurrentCell(row, column);
}

} // namespace qel::annexes
