#include "imports/ImportKind.h"
#include "imports/rules/KindRules.h"

namespace qel::imports {

namespace {

const QString kDocumentHeading = QStringLiteral("Tipo Documento Numero Documento    Descripcion Error");
const QString kCasillaHeading = QStringLiteral("Periodo       Montos      Descripción Error");
const QString kOtherWindow = QStringLiteral("frmImportarGastoPresent");

ImportKind kind(const char* code, const QString& window, const char* name, int fieldCount, const char* table) {
    ImportKind k;
    k.code = QString::fromLatin1(code);
    k.window = window;
    k.name = QString::fromUtf8(name);
    k.fieldCount = fieldCount;
    k.table = QString::fromLatin1(table);
    k.textExtension = QStringLiteral(".TXT");
    k.sheetExtension = QStringLiteral(".xls");
    k.heading = kDocumentHeading;
    k.satisfied = QStringLiteral("Carga satisfactoria");
    return k;
}

ImportKind casillaKind(const char* code, const char* name, int fieldCount, const char* table, const char* range,
                       std::function<std::unique_ptr<RecordRules>()> rules) {
    ImportKind k = kind(code, kOtherWindow, name, fieldCount, table);
    k.casillaInName = true;
    k.sheetExtension = QStringLiteral(".XLS");
    k.sheetRange = QString::fromLatin1(range);
    k.reportCode = QStringLiteral("RPJ103");
    k.reportTitle = QStringLiteral("ERRORES AL IMPORTAR DETALLE DE CASILLA ");
    k.heading = kCasillaHeading;
    k.rules = std::move(rules);
    return k;
}

QList<ImportKind> build() {
    QList<ImportKind> kinds;

    ImportKind partners = kind("SOCIOS", QStringLiteral("frmImportarSocios"), "Socios", 8, "TMPF535SOCIOS");
    partners.stem = QStringLiteral("SOCIOS");
    partners.textExtension = QStringLiteral(".txt");
    partners.sheetRange = QStringLiteral("A4:H65535");
    partners.reportCode = QStringLiteral("RPJ100");
    partners.reportTitle = QStringLiteral("ERRORES AL IMPORTAR DETALLE DE SOCIOS");
    partners.satisfied = QStringLiteral("Carga satisfactoria ");
    partners.maxRows = 100;
    partners.rules = partnerRules;
    kinds.append(partners);

    ImportKind balances = kind("CASEF", QStringLiteral("frmImportarCasEF"), "Saldos de la casilla", 8, "TMPF535CASEF");
    balances.casillaInName = true;
    balances.sheetRange = QStringLiteral("A4:H104");
    balances.reportCode = QStringLiteral("RPJ099");
    balances.reportTitle = QStringLiteral("ERRORES AL IMPORTAR DETALLE DE CASILLAS EN ESTADOS FINANCIEROS - CASILLA ");
    balances.satisfied = QStringLiteral("Carga satisfactoria.");
    balances.rules = balanceRules;
    kinds.append(balances);

    ImportKind expenses = kind("3", kOtherWindow, "Gastos de Representación", 4, "TMPF572GASREP");
    expenses.stem = QStringLiteral("GASTOSREP");
    expenses.sheetRange = QStringLiteral("A4:D65535");
    expenses.reportCode = QStringLiteral("RPJ101");
    expenses.reportTitle = QStringLiteral("ERRORES AL IMPORTAR DETALLE DE GASTOS DE REPRESENTACIÓN");
    expenses.rules = expenseRules;
    kinds.append(expenses);

    ImportKind exports = kind("5", kOtherWindow, "Exportaciones", 6, "TMPF582EXPORTA");
    exports.stem = QStringLiteral("EXPORTACIONES");
    exports.sheetRange = QStringLiteral("B4:G19");
    exports.reportCode = QStringLiteral("RPJ102");
    exports.reportTitle = QStringLiteral("ERRORES AL IMPORTAR DETALLE DE EXPORTACIONES");
    exports.heading = QStringLiteral("Fecha Embarque  Número de DAM        Descripción Error");
    exports.rules = exportRules;
    kinds.append(exports);

    kinds.append(casillaKind("6", "Movimiento de inversiones inmobiliarias", 11, "TMPF535MOV_IME", "B6:L15",
                             [] { return movementRules(false); }));
    kinds.append(casillaKind("7", "Movimiento de la depreciación de inversiones inmobiliarias", 11, "TMPF535MOVDA_IME",
                             "B6:L15", [] { return movementRules(true); }));
    kinds.append(casillaKind("8", "Pagos a cuenta mensuales", 7, "TMPACTA", "A4:G65535", [] {
        return monthRules(QStringLiteral("4"),
                          {QStringLiteral("saluti"), QStringLiteral("compen"), QStringLiteral("otrcre"),
                           QStringLiteral("pago_r"), QStringLiteral("pago_iean"), QStringLiteral("pago_iean_r")},
                          0);
    }));
    kinds.append(casillaKind("9", "Pagos del ITAN", 3, "TMPACTA", "A4:C65535",
                             [] { return monthRules(QStringLiteral("9"), {QStringLiteral("saluti")}, 1); }));
    kinds.append(casillaKind("10", "ITAN aplicado como crédito", 3, "TMPACTA", "A4:C65535",
                             [] { return monthRules(QStringLiteral("7"), {QStringLiteral("saluti")}, 1); }));

    ImportKind rentals = kind("11", kOtherWindow, "Alquileres", 19, "TMPF582ALQUILER");
    rentals.stem = QStringLiteral("ALQUILERES");
    rentals.sheetRange = QStringLiteral("A4:S65535");
    rentals.reportCode = QStringLiteral("RPJ104");
    rentals.reportTitle = QStringLiteral("ERRORES AL IMPORTAR DETALLE DE ALQUILERES");
    rentals.rules = rentalRules;
    kinds.append(rentals);

    ImportKind contracts = kind("12", kOtherWindow, "Contratos de Colaboración", 8, "TMPF582COLDET");
    contracts.stem = QStringLiteral("COLABORA");
    contracts.sheetRange = QStringLiteral("A4:H65535");
    contracts.reportCode = QStringLiteral("RPJ096");
    contracts.reportTitle = QStringLiteral("ERRORES AL IMPORTAR CONTRATOS DE COLABORACIÓN");
    contracts.heading = QStringLiteral("Correlativo, Descripción, Tipo y Número de Doc.      Descripción Error");
    contracts.rules = contractRules;
    kinds.append(contracts);

    // The vehicles of the complementary information, opened by the vehicles' grid.
    ImportKind vehicles = kind("U41", QStringLiteral("frmImportarU41"), "Vehículos", 14, "TMPF584VEHIC");
    vehicles.stem = QStringLiteral("VEHICULOS");
    vehicles.sheetRange = QStringLiteral("A4:N65535");
    vehicles.reportCode = QStringLiteral("RPJ105");
    vehicles.reportTitle = QStringLiteral("ERRORES AL IMPORTAR DETALLE DE VEHÍCULOS");
    vehicles.heading = QStringLiteral("Categoría  Placa       Descripción Error");
    vehicles.rules = vehicleRules;
    kinds.append(vehicles);
    return kinds;
}

} // namespace

QString ImportKind::textFileName(const QString& formulario, const QString& ruc, const QString& casilla) const {
    return formulario + ruc + stem + (casillaInName ? casilla : QString()) + textExtension;
}

QString ImportKind::sheetFileName(const QString& formulario, const QString& ruc, const QString& casilla) const {
    return formulario + ruc + stem + (casillaInName ? casilla : QString()) + sheetExtension;
}

QString ImportKind::title(const QString& casilla) const {
    return casillaInName ? reportTitle + casilla : reportTitle;
}

const QList<ImportKind>& ImportKinds::all() {
    static const QList<ImportKind> kinds = build();
    return kinds;
}

const ImportKind* ImportKinds::byCode(const QString& code) {
    for (const ImportKind& kind : all()) {
        if (kind.code.compare(code.trimmed(), Qt::CaseInsensitive) == 0) {
            return &kind;
        }
    }
    return nullptr;
}

} // namespace qel::imports
