#include "catalogue/AnnexCatalog.h"
#include "catalogue/FormControls.h"

namespace qel::annexes {

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

// "Usted tiene registrado ... Si selecciona NO se eliminarán los registros. ¿Desea continuar?"
QString deleteQuestion(const char* what) {
    return u("Usted tiene registrado ") + u(what) +
           u(" Si selecciona NO se eliminarán los registros. ¿Desea continuar?");
}

const QList<int> kNewModifyDelete = {0, 1, 2};
const QList<int> kAllFour = {0, 1, 2, 3};

AnnexSectionDef section(const char* option, const char* what, const QList<int>& buttons) {
    AnnexSectionDef d;
    d.option = u(option);
    d.question = deleteQuestion(what);
    d.buttons = buttons;
    return d;
}

} // namespace

QList<AnnexSectionDef> annexSectionData() {
    QList<AnnexSectionDef> s;
    s.append(section("OptAlquileres", "detalle de gastos por alquileres.", kAllFour));
    {
        // The vehicle casillas and the bases of casilla 706 go with the vehicles; the import
        // button stays as it is.
        AnnexSectionDef d = section("optAutos", "detalle de Vehiculos.", kNewModifyDelete);
        d.alsoDeletes = {{QStringLiteral("TMPF584DET"),
                          QStringLiteral("(CAST(CASILLA AS INTEGER) > 700 AND CAST(CASILLA AS INTEGER) < 717)"),
                          {}},
                         {QStringLiteral("TMPF572DETBAS"),
                          QStringLiteral("(CAS_ADI=? AND CAS_DET=? AND tipo=?)"),
                          {QStringLiteral("706"), QStringLiteral("716"), QStringLiteral("V")}}};
        d.boxes = {876, 877};
        d.clearedBoxes = {701, 702, 703, 704};
        s.append(d);
    }
    s.append(section("OptColab", "contratos de colaboración.", kAllFour));
    s.append(section("OptDesmedros", "detalle de Desmedros.", kNewModifyDelete));
    s.append(section(declaration::controls::kDisuse, "detalle de deducciones por desuso u obsolescencia .",
                     kNewModifyDelete));
    s.append(section("OptMermas", "detalle de Mermas.", kNewModifyDelete));
    s.append(section("OptOperAdminFin", "detalle de operaciones administradas.", kNewModifyDelete));
    s.append(section("OptOperFinAdmin", "detalle de operaciones.", kNewModifyDelete));
    s.append(section("OptPerdidaExtraord", "detalle de Pérdidas Extraordinarias.", kNewModifyDelete));
    s.append(section("OptRegalias", "detalle de Regalías.", kNewModifyDelete));
    s.append(section("optRentasInternacionales", "detalle de Rentas Internacionales.", kAllFour));
    s.append(section("Opttecno", "detalle de gastos de inversion.", kNewModifyDelete));
    return s;
}

} // namespace qel::annexes
