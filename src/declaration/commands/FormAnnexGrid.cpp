#include "declaration/commands/FormAnnexGrid.h"

#include "declaration/model/DeclarationFormModel.h"
#include "store/Database.h"

namespace qel::declaration {

namespace {

QString withPeriod(QString text, const QString& periodo) {
    return text.replace(QStringLiteral("{periodo}"), periodo);
}

} // namespace

FormAnnexGrid::FormAnnexGrid(DeclarationFormModel& form, const QString& grid) : m_form(form), m_grid(grid) {
    const ControlDef& def = form.controlDef(grid);
    QList<annexes::AnnexGridColumn> columns;
    for (const GridColumn& column : def.columns) {
        columns.append({column.field, withPeriod(column.heading, form.context().periodo), QString()});
    }
    m_rows =
        std::make_unique<annexes::AnnexGridModel>(form.context().db, def.table, def.query, QVariantList{}, columns);
    connect(&form, &DeclarationFormModel::gridRefreshRequested, this, [this](const QString& name) {
        if (name.isEmpty() || name == m_grid) {
            m_stale = true;
        }
    });
}

annexes::AnnexGridModel& FormAnnexGrid::rows() const {
    if (m_stale) {
        m_stale = false;
        m_rows->refresh();
    }
    return *m_rows;
}

annexes::AnnexGridModel& FormAnnexGrid::reread() {
    m_stale = false;
    m_rows->refresh();
    return *m_rows;
}

int FormAnnexGrid::rowCount() const {
    return rows().rowCount();
}

QStringList FormAnnexGrid::rowTexts(int row) const {
    return rows().rowTexts(row);
}

int FormAnnexGrid::currentRow() const {
    const int current = m_form.control(m_grid).current;
    return current < rowCount() ? current : -1;
}

void FormAnnexGrid::setCurrentRow(int row) {
    m_form.setSelectedRowValues(m_grid, {});
    m_form.selectGridRow(m_grid, row);
}

} // namespace qel::declaration
