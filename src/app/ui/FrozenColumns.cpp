#include "app/ui/FrozenColumns.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>

namespace qel::app::ui {

namespace {

// A frozen description is never narrowed below this.
constexpr int kNarrowest = 120;

} // namespace

FrozenColumns::FrozenColumns(QTableView* grid, int columns)
    : QObject(grid), m_grid(grid), m_frozen(new QTableView(grid)), m_columns(columns) {
    m_frozen->setObjectName(grid->objectName() + QStringLiteral("_fijas"));
    m_frozen->setFocusPolicy(Qt::NoFocus);
    m_frozen->verticalHeader()->hide();
    m_frozen->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setSelectionBehavior(grid->selectionBehavior());
    m_frozen->setSelectionMode(grid->selectionMode());
    m_frozen->setEditTriggers(grid->editTriggers());
    m_frozen->setAlternatingRowColors(grid->alternatingRowColors());
    m_frozen->setWordWrap(false);
    m_frozen->setStyleSheet(QStringLiteral("QTableView { border: none; }"));
    m_frozen->verticalHeader()->setDefaultSectionSize(grid->verticalHeader()->defaultSectionSize());
    grid->viewport()->stackUnder(m_frozen);
    grid->installEventFilter(this);

    connect(grid->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (column < m_columns) {
            m_frozen->setColumnWidth(column, size);
            place();
        }
    });
    connect(grid->verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int row, int, int size) { m_frozen->setRowHeight(row, size); });
    connect(grid->verticalScrollBar(), &QAbstractSlider::valueChanged, m_frozen->verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(m_frozen->verticalScrollBar(), &QAbstractSlider::valueChanged, grid->verticalScrollBar(),
            &QAbstractSlider::setValue);
    // A double click on the frozen part acts on the grid's row.
    connect(m_frozen, &QAbstractItemView::doubleClicked, grid, &QAbstractItemView::doubleClicked);
    follow();
}

bool FrozenColumns::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid) {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Resize:
        case QEvent::LayoutRequest:
        case QEvent::EnabledChange:
            follow();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

// The grid's model may be set after this was made, and replaced: the frozen view takes it, and
// the grid's selection, whenever it changes.
void FrozenColumns::follow() {
    QAbstractItemModel* model = m_grid->model();
    if (model != nullptr && model != m_model) {
        m_model = model;
        m_frozen->setModel(model);
        m_frozen->setSelectionModel(m_grid->selectionModel());
        connect(model, &QAbstractItemModel::columnsInserted, this, &FrozenColumns::place);
        connect(model, &QAbstractItemModel::modelReset, this, &FrozenColumns::place);
    }
    m_frozen->setEnabled(m_grid->isEnabled());
    place();
}

void FrozenColumns::place() {
    if (m_frozen->model() == nullptr) {
        m_frozen->hide();
        return;
    }
    // The frozen part takes at most two fifths of the grid, so that the amounts keep room: the
    // last frozen column (a description) gets its whole text when that fits, else what is left,
    // its text cut at the end.
    const int room = m_grid->viewport()->width() * 2 / 5;
    if (room >= 2 * kNarrowest) {
        int leading = 0;
        for (int column = 0; column + 1 < m_columns; ++column) {
            leading += m_grid->columnWidth(column);
        }
        const int last = m_columns - 1;
        const int whole = std::max(static_cast<QAbstractItemView*>(m_grid)->sizeHintForColumn(last),
                                   m_grid->horizontalHeader()->sectionSizeHint(last));
        const int wanted = std::max(std::min(whole, room - leading), kNarrowest);
        if (m_grid->columnWidth(last) != wanted) {
            m_grid->setColumnWidth(last, wanted);
        }
    }
    int width = 0;
    for (int column = 0; column < m_frozen->model()->columnCount(); ++column) {
        const bool frozen = column < m_columns;
        m_frozen->setColumnHidden(column, !frozen);
        if (frozen) {
            m_frozen->setColumnWidth(column, m_grid->columnWidth(column));
            width += m_grid->columnWidth(column);
        }
    }
    m_frozen->horizontalHeader()->setFixedHeight(m_grid->horizontalHeader()->height());
    const int left = m_grid->verticalHeader()->isHidden() ? 0 : m_grid->verticalHeader()->width();
    m_frozen->setGeometry(left + m_grid->frameWidth(), m_grid->frameWidth(), width,
                          m_grid->viewport()->height() + m_grid->horizontalHeader()->height());
    m_frozen->verticalScrollBar()->setValue(m_grid->verticalScrollBar()->value());
    m_frozen->show();
}

} // namespace qel::app::ui
