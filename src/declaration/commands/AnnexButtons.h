#pragma once

#include "catalogue/AnnexCatalog.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace qel::declaration {

class DeclarationFormModel;
class FormAnnexGrid;

// What the declaration form knows of one annex grid and its command buttons: the annex
// catalogue's grid entry.
using AnnexButtonDef = annexes::AnnexGridDef;

// The command arrays under the annex grids of the declaration form: index 0 adds a row in the
// annex's detail window, 1 modifies the selected row there, 2 deletes it after the annex's
// question (one transaction) and 3 imports rows from a file. After every action the grid is
// read again.
class AnnexButtons {
public:
    explicit AnnexButtons(DeclarationFormModel& model);
    ~AnnexButtons();
    AnnexButtons(const AnnexButtons&) = delete;
    AnnexButtons& operator=(const AnnexButtons&) = delete;

    static const QList<AnnexButtonDef>& annexes();
    static const AnnexButtonDef* find(const QString& array);

    static const QString kSelectToModify;
    static const QString kSelectToDelete;
    static const QString kNothingToModify;
    static constexpr int kMaxPartners = annexes::AnnexCatalog::kMaxPartners;

    // The folder the foreign-income report is written to; the database's folder until set.
    void setExportFolder(const QString& folder) { m_exportFolder = folder; }

    void nuevo(const AnnexButtonDef& annex);
    void modificar(const AnnexButtonDef& annex);
    void eliminar(const AnnexButtonDef& annex);
    void importar(const AnnexButtonDef& annex);
    // The report of the foreign-source income and international fiscal transparency rows.
    void GeneraReporteInt();

private:
    void click(const AnnexButtonDef& annex, int index);
    int rowCount(const AnnexButtonDef& annex) const;
    std::optional<QVariantMap> selectedRow(const AnnexButtonDef& annex) const;
    QString windowCode(const AnnexButtonDef& annex) const;
    bool refusesNewPartner();
    bool refusesWithoutCount(const AnnexButtonDef& annex);
    void refresh(const AnnexButtonDef& annex);
    void error(const QString& text, const QString& title);

    DeclarationFormModel& m_model;
    QString m_exportFolder;
    std::vector<std::unique_ptr<FormAnnexGrid>> m_grids; // the annex grids as the batch mode reads them
};

} // namespace qel::declaration
