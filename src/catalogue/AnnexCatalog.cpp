#include "catalogue/AnnexCatalog.h"

#include "catalogue/CasillaListCatalog.h"

#include <algorithm>

namespace qel::annexes {

const AnnexField* AnnexDef::field(const QString& nameOrColumn) const {
    for (const AnnexField& f : fields) {
        if (f.control.compare(nameOrColumn, Qt::CaseInsensitive) == 0 ||
            f.column.compare(nameOrColumn, Qt::CaseInsensitive) == 0) {
            return &f;
        }
    }
    return nullptr;
}

AnnexCatalog::AnnexCatalog() : m_windows(annexWindowData()), m_grids(annexGridData()), m_sections(annexSectionData()) {
    m_windows.append(CasillaListCatalog::detailWindows()); // behind the list windows of the casillas
}

const AnnexCatalog& AnnexCatalog::instance() {
    static const AnnexCatalog catalog;
    return catalog;
}

const AnnexDef* AnnexCatalog::window(const QString& name) const {
    for (const AnnexDef& def : m_windows) {
        if (def.window.compare(name, Qt::CaseInsensitive) == 0) {
            return &def;
        }
    }
    return nullptr;
}

const AnnexGridDef* AnnexCatalog::grid(const QString& arrayOrGrid) const {
    for (const AnnexGridDef& def : m_grids) {
        if (def.array == arrayOrGrid || def.grid == arrayOrGrid) {
            return &def;
        }
    }
    return nullptr;
}

const AnnexSectionDef* AnnexCatalog::section(const QString& option) const {
    for (const AnnexSectionDef& def : m_sections) {
        if (def.option == option) {
            return &def;
        }
    }
    return nullptr;
}

QList<const AnnexGridDef*> AnnexCatalog::gridsOf(const QString& option) const {
    QList<const AnnexGridDef*> out;
    for (const AnnexGridDef& def : m_grids) {
        if (!option.isEmpty() && def.switchOption == option) {
            out.append(&def);
        }
    }
    return out;
}

QList<AnnexRows> AnnexCatalog::sectionRows(const QString& option) const {
    const QList<const AnnexGridDef*> grids = gridsOf(option);
    const auto sharedTable = [&grids](const QString& table) {
        return std::count_if(grids.cbegin(), grids.cend(), [&table](const AnnexGridDef* g) {
                   return g->table.compare(table, Qt::CaseInsensitive) == 0;
               }) > 1;
    };
    QList<AnnexRows> out;
    const auto add = [&out](const AnnexRows& rows) {
        for (const AnnexRows& known : out) {
            if (known.table.compare(rows.table, Qt::CaseInsensitive) == 0 && known.condition == rows.condition &&
                known.values == rows.values) {
                return;
            }
        }
        out.append(rows);
    };
    for (const AnnexGridDef* grid : grids) {
        if (sharedTable(grid->table)) {
            add({grid->table, {}, {}});
        } else {
            add({grid->table, grid->condition, grid->conditionValues});
        }
    }
    for (const AnnexGridDef* grid : grids) {
        for (const auto& [table, columns] : grid->dependants) {
            Q_UNUSED(columns);
            add({table, {}, {}});
        }
    }
    if (const AnnexSectionDef* def = section(option)) {
        for (const AnnexRows& rows : def->alsoDeletes) {
            add(rows);
        }
    }
    return out;
}

} // namespace qel::annexes
