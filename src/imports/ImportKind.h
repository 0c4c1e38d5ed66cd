#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <memory>

namespace qel::imports {

class RecordRules;

// One kind of import file: where it is named from, how many fields its records carry, where
// they go, which rules check them and how the error report is titled. Every kind is a row of
// ImportKinds::all(); the importer and the windows read nothing else.
struct ImportKind {
    QString code;   // "SOCIOS", "CASEF", or the kind code the caller hands the window ("3" ... "12")
    QString window; // frmImportarSocios, frmImportarCasEF, frmImportarGastoPresent
    QString name;   // what the window's caption says is imported
    // File names: form code + RUC + stem (+ the casilla for casilla kinds) + extension.
    QString stem;
    bool casillaInName = false;
    QString textExtension;
    QString sheetExtension;
    int fieldCount = 0;
    QString table;      // the working table that holds the records
    QString sheetRange; // the cells of the first sheet a spreadsheet gives, "A4:H65535"
    QString reportCode;
    QString reportTitle; // the casilla follows it for casilla kinds
    QString heading;     // the column heading of the error report
    QString satisfied;   // the message of a load without rejections nor changes
    int maxRows = 0;     // partners: at most 100 rows in the annex (0: no limit)
    std::function<std::unique_ptr<RecordRules>()> rules;

    QString textFileName(const QString& formulario, const QString& ruc, const QString& casilla) const;
    QString sheetFileName(const QString& formulario, const QString& ruc, const QString& casilla) const;
    QString title(const QString& casilla) const;
};

class ImportKinds {
public:
    static const QList<ImportKind>& all();
    // nullptr when no kind has that code.
    static const ImportKind* byCode(const QString& code);
};

} // namespace qel::imports
