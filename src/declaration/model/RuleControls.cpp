#include "declaration/model/RuleControls.h"

#include "catalogue/FormControls.h"

#include <QHash>

namespace qel::declaration {

namespace {

QHash<QString, QString> buildTable() {
    // The rules named in both the declaration's and the identification page's rules are the
    // same test and go to the same place.
    static const char* const rows[][2] = {
        // Identification and general data
        {"sinContribuyente", "CmbRuc"},
        {"contribuyenteBloqueado", "CmbRuc"},
        {"preguntaItf", "OptITF"},
        {"ingresosSuperan1700Uit", "OpRegRenta"},
        {"conceptoRectificado", "ChkRenta"},
        {"participacionContratos", "grdColab"},
        // Exemptions, agreements and benefits
        {"beneficiosDomiciliado", "OptBeneficiosTrib"},
        {"beneficiosTributarios", "OptBeneficiosTrib"},
        {"baseLegalExoneracion", controls::kExemptionBasis},
        {"otraBaseLegalExoneracion", "216"},
        {"baseLegalInafectacion", controls::kNonTaxableBasis},
        {"otraBaseLegalInafectacion", "222"},
        {"numeroOrdenConvenio", "224"},
        {"contabilidadMonedaExtranjera", "OptContMonExt"},
        {"declaracionMonedaExtranjera", "OptDecPagMonExt"},
        {"rubroBeneficio", controls::kTaxBenefit},
        {"otroRubroBeneficio", "201"},
        // Mining and hydrocarbons
        {"mineriaOHidrocarburos", "OptMineria"},
        {"mineria", "OptMineria"},
        {"hidrocarburos", "OptHidrocarburos"},
        {"casilla228", "228"},
        {"casilla228Cero", "228"},
        {"casilla238", "238"},
        {"concesionesSinConvenio", controls::kMiningGrid},
        {"concesionesConConvenio", controls::kMiningGrid},
        {"casillas275a277", "275"},
        {"sumaCasillas275a277", "275"},
        {"contratosHidrocarburos", controls::kHydrocarbonGrid},
        // Reorganisation and ITAN
        {"tipoReorganizacion", controls::kReorganisationType},
        {"fechaReorganizacion", "mkeFechaReorganiza"},
        {"empresasReorganizacion", "278"},
        {"anexoItan", "OptItanAnexo"},
        {"usoPagosItan", controls::kItanPayments},
        {"casilla279", "279"},
        {"casilla279ComoGasto", "279"},
        {"casilla279SaldoNoAplicado", "279"},
        {"casilla279Cero", "279"},
        // Amazonía
        {"domicilioAmazonia", "OptDomFiscal"},
        {"zonaAmazonia", "OptZona"},
        {"ubigeoAmazonia", "TxtUbigeo"},
        {"oficinaRegistral", "TxtOfReg"},
        {"tomoFicha", "TxtFicha"},
        {"folio", "TxtFolio"},
        {"asiento", "TxtAsiento"},
        {"activosFijosAmazonia", "TxtActFijAmazonia"},
        // Financial statements and the trial balance
        {"casilla461PorFuente", "461"},
        {"casilla475PorFuente", "475"},
        {"casilla476PorFuente", "476"},
        {"balanceComprobacion", controls::kTrialBalanceButton},
        {"saldosIniciales", controls::kTrialBalanceButton},
        {"movimientosEjercicio", controls::kTrialBalanceButton},
        {"sumasMayor", controls::kTrialBalanceButton},
        {"saldosFinales", controls::kTrialBalanceButton},
        {"transferencias", controls::kTrialBalanceButton},
        {"cuentasBalanceMasResultado", controls::kTrialBalanceButton},
        {"resultadosNaturalezaMasResultado", controls::kTrialBalanceButton},
        {"utilidadBalanceNaturaleza", controls::kTrialBalanceButton},
        {"divisionariasBalance", controls::kTrialBalanceButton},
        {"perdidaBalanceNaturaleza", controls::kTrialBalanceButton},
        {"utilidadCasilla492", "492"},
        {"perdidaCasilla493", "493"},
        {"activo", "eeff.activo"},
        {"pasivoPatrimonio", "eeff.pasivo"},
        {"estadoGananciasPerdidas", "eeff.egp"},
        {"resultadoSinGananciasPlan1", "354"},
        {"resultadoSinGananciasPlan2", "423"},
        {"activoIgualPasivoPatrimonio", "358"},
        {"casilla348", "348"},
        {"asistentes3UitPlan1", "301"},
        {"asistentes3UitPlan2", "361"},
        {"casilla477", "477"},
        // Tax and debt
        {"compensacionPerdidas", "108"},
        {"compensacionPerdidasSistemaB", "108"},
        {"casilla113", "113"},
        {"formaPago", "180"},
        {"importeCasilla180", "180"},
        {"importeCasilla181", "181"},
        {"importe180MayorDeuda", "180"},
        {"importe181MayorDeuda", "181"},
        {"opcionCasilla137", "137"},
        // Complementary information
        {"telefonoFijoContador", controls::kAccountantPhone},
        {"celularContador", controls::kAccountantMobile},
        {"correos", "txtmail"},
        {"representanteLegal", controls::kRepresentativeSurname},
        {"arrastreDerivados", controls::kCarryForwardSystem},
        {"cienSocios", controls::kPartnerGrid},
        {"socios", controls::kPartnerGrid},
        {"porcentajeSocios", controls::kPartnerGrid},
        {"principalesSocios", controls::kPartnerGrid},
        {"ingresosNetosVehiculos", "876"},
        {"identificacionVehiculos", controls::kVehicleGrid},
        {"numeroVehiculos", controls::kVehicleGrid},
        {"rucContador", "208"},
        {"rucContadorValido", "208"},
        {"dniContador8Digitos", "207"},
        {"dniContador", "207"},
        {"nombreContador", "TxtNombreA"},
        {"tipoDocumentoContador", controls::kAccountantDocType},
        {"dniRepresentante", "226"},
        {"rucRepresentante", "226"},
        // ITF
        {"itfCasilla155", "155"},
        {"itfCasilla156Mayor", "156"},
        {"itfCasilla156", "156"},
    };
    QHash<QString, QString> table;
    for (const auto& row : rows) {
        table.insert(QString::fromLatin1(row[0]), QString::fromLatin1(row[1]));
    }
    return table;
}

} // namespace

QString RuleControls::of(const QString& ruleName) {
    static const QHash<QString, QString> table = buildTable();
    return table.value(ruleName);
}

} // namespace qel::declaration
