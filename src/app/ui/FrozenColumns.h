#pragma once

#include <QObject>
#include <QPointer>

class QTableView;

namespace qel::app::ui {

// Keeps the first columns of a wide grid in sight while its other columns scroll: a second
// view over the same model and selection, laid over the grid's left edge, showing only those
// columns (the trial balance keeps each account's code and description beside its amounts).
// It follows the grid's model, column widths, rows and vertical scrolling; it belongs to the grid.
class FrozenColumns : public QObject {
public:
    FrozenColumns(QTableView* grid, int columns);

    QTableView* view() const { return m_frozen; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow();
    void place();

    QTableView* m_grid;
    QTableView* m_frozen;
    int m_columns;
    QPointer<QObject> m_model; // the model the frozen view shows
};

} // namespace qel::app::ui
