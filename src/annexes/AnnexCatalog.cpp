#include "annexes/AnnexCatalog.h"

#include "annexes/CasillaListCatalog.h"

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

AnnexCatalog::AnnexCatalog() : m_windows(annexWindowData()), m_grids(annexGridData()) {
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

} // namespace qel::annexes
