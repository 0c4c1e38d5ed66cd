#include "catalogue/CasillaData.h"

#include <QHash>
#include <initializer_list>
#include <utility>

namespace qel::declaration {

namespace {

using K = BoxKind;
using V = ValueClass;

// Builds the list in the form's order. `at` opens a page and section; boxes and box-less
// casillas are numbered row by row within it (10, 20, 30 ...), leaving room for the named
// controls of the same section (FormControlData.cpp) to sit between them.
class Casillas {
public:
    void at(const char* page, const char* section = "", int chart = 0) {
        m_page = QString::fromUtf8(page);
        m_section = QString::fromUtf8(section);
        m_chart = chart;
    }

    CasillaDef& box(int n, K kind, V value, const char* label, const char* window = "") {
        return add(n, true, kind, value, QString::fromUtf8(label), window);
    }
    CasillaDef& entry(int n, const char* label, V value = V::Amount) { return box(n, K::Entry, value, label); }
    CasillaDef& computed(int n, const char* label, V value = V::Amount) { return box(n, K::Computed, value, label); }
    CasillaDef& assistant(int n, const char* window, const char* label, V value = V::Amount) {
        return box(n, K::Assistant, value, label, window);
    }
    CasillaDef& hidden(int n, const char* label, V value = V::Amount) { return box(n, K::Hidden, value, label); }

    // A casilla without a box: an answer, an identification datum or a value a detail window keeps.
    CasillaDef& det(int n, const char* label, V value = V::Amount, const char* window = "") {
        return add(n, false, K::Hidden, value, QString::fromUtf8(label), window);
    }
    CasillaDef& det(int n, const QString& label, const char* window, V value = V::Amount) {
        return add(n, false, K::Hidden, value, label, window);
    }
    // Consecutive box-less casillas of one window, one label each.
    void detRun(int first, const char* window, std::initializer_list<const char*> labels) {
        int n = first;
        for (const char* label : labels) {
            det(n++, label, V::Amount, window);
        }
    }

    QList<CasillaDef> take() { return std::move(m_list); }

private:
    CasillaDef& add(int n, bool hasBox, K kind, V value, const QString& label, const char* window) {
        CasillaDef c;
        c.number = n;
        c.hasBox = hasBox;
        c.kind = kind;
        c.value = value;
        c.page = m_page;
        c.section = m_section;
        c.chart = m_chart;
        c.label = label;
        c.window = QString::fromUtf8(window);
        c.storedAsText = value == V::Text;
        const QString rowKey = m_page + QLatin1Char('|') + m_section + QLatin1Char('|') + QString::number(m_chart);
        c.row = (m_rows[rowKey] += 10);
        m_list.append(c);
        return m_list.last();
    }

    QList<CasillaDef> m_list;
    QHash<QString, int> m_rows;
    QString m_page;
    QString m_section;
    int m_chart = 0;
};

// Identification boxes that a section switch enables: text typed in capitals.
CasillaDef& switchedText(Casillas& c, int n, const char* label, KeyRule keys, int maxLength) {
    CasillaDef& d = c.box(n, K::Switched, V::Text, label);
    d.keys = keys;
    d.maxLength = maxLength;
    return d;
}

CasillaDef& count(Casillas& c, int n, const char* label, int maxLength) {
    CasillaDef& d = c.box(n, K::Switched, V::Count, label);
    d.maxLength = maxLength;
    return d;
}

// Statement lines whose counterparts are detailed one by one (balances above 3 UIT).
CasillaDef& counterparts(Casillas& c, int n, const char* label, V value = V::Amount) {
    return c.assistant(n, "frasiscasillasef", label, value);
}

} // namespace

QList<CasillaDef> casillaData() {
    Casillas c;

    // --- Identificación ------------------------------------------------------------------------
    c.at("ident.exon", "Beneficios Tributarios");
    switchedText(c, 201, "Otros - Especifique :", KeyRule::UpperAlnum, 15);
    c.at("ident.exon", "Exoneración");
    switchedText(c, 216, "Otros - Especifique :", KeyRule::UpperAlnum, 15);
    c.at("ident.exon", "Inafectación");
    switchedText(c, 222, "Otros - Especifique :", KeyRule::UpperAlnum, 15);
    c.at("ident.exon", "Convenio de Estabilidad");
    switchedText(c, 224, "Número de orden del formulario con el que comunica el Convenio :", KeyRule::Digits, 10);
    c.at("ident.exon", "Donaciones");
    c.assistant(227, "frmAnexo227", "Donaciones deducidas en el ejercicio", V::Deduction).keys = KeyRule::UpperAlnum;

    c.at("ident.mineria", "Minería D.S. 014-92-EM");
    count(c, 228, "Número de concesiones mineras sin convenio de estabilidad", 2);
    count(c, 238, "Número de concesiones mineras con convenio de estabilidad", 2);
    c.at("ident.mineria", "Hidrocarburos Ley 26221");
    count(c, 275, "Número de contratos de exploración y/o explotación", 2);
    count(c, 276, "Número de contratos de actividades relacionadas", 15);
    count(c, 277, "Número de contratos de otras actividades de hidrocarburos", 15);

    c.at("ident.reorg", "Reorganización de Sociedades");
    c.assistant(278, "frmAnexo278", "Empresas participantes :").maxLength = 15;

    // --- Estados Financieros: activo -------------------------------------------------------------
    // Revised general chart (OptPlan 1).
    c.at("eeff.activo", "ACTIVO", 1);
    c.entry(300, "Caja y bancos");
    counterparts(c, 301, "Clientes");
    c.entry(302, "Cuentas por cobrar a accionistas y personal");
    counterparts(c, 303, "Provisión para cuentas de cobranza dudosa", V::Deduction);
    counterparts(c, 304, "Cuentas por cobrar diversas");
    c.entry(305, "Valores negociables");
    c.entry(306, "Mercaderías");
    c.entry(307, "Productos terminados");
    c.entry(308, "Subproductos, desechos y desperdicios");
    c.entry(310, "Productos en proceso");
    c.entry(311, "Materias primas y auxiliares");
    c.entry(313, "Envases y embalajes");
    c.entry(314, "Suministros diversos");
    c.entry(315, "Existencias por recibir");
    c.entry(316, "Inversiones en valores");
    c.assistant(317, "frmanexo317A", "Inmuebles, maquinaria y equipo");
    c.entry(325, "Intangibles");
    c.entry(326, "Amortización acumulada de intangibles", V::Deduction);
    c.entry(327, "Cargas diferidas");
    c.assistant(328, "frmanexo328B", "Depreciación de inmuebles, maquinaria y equipo acumulada", V::Deduction).wide =
        true;
    c.entry(329, "Otros activos");
    c.computed(330, "TOTAL ACTIVO NETO", V::SignedAmount);

    // Business chart (OptPlan 2).
    c.at("eeff.activo", "ACTIVO", 2);
    c.entry(359, "Efectivo y equivalentes de efectivo");
    c.entry(360, "Inversiones financieras");
    counterparts(c, 361, "Cuentas por cobrar comerciales - terceros");
    counterparts(c, 362, "Cuentas por cobrar comerciales - relacionadas");
    c.entry(363, "Cuentas por cobrar al personal, a los accionistas (socios), directores y gerentes");
    counterparts(c, 364, "Cuentas por cobrar diversas - terceros");
    counterparts(c, 365, "Cuentas por cobrar diversas - relacionadas");
    c.entry(366, "Servicios y otros contratados por anticipado");
    counterparts(c, 367, "Estimación de cuentas de cobranza dudosa", V::Deduction);
    c.entry(368, "Mercaderías");
    c.entry(369, "Productos terminados");
    c.entry(370, "Subproductos, desechos y desperdicios");
    c.entry(371, "Productos en proceso");
    c.entry(372, "Materias primas");
    c.entry(373, "Materiales auxiliares, suministros y repuestos");
    c.entry(374, "Envases y embalajes");
    c.entry(375, "Existencias por recibir");
    c.entry(376, "Desvalorización de existencias", V::Deduction);
    c.entry(377, "Activos no corrientes mantenidos para la venta");
    c.entry(378, "Otros activos corrientes");
    c.entry(379, "Inversiones mobiliarias");
    c.assistant(380, "frmanexo317A", "Inversiones inmobiliarias");
    c.assistant(381, "frmanexo317A", "Activos adquiridos en arrendamiento financiero");
    c.assistant(382, "frmanexo317A", "Inmuebles, maquinaria y equipo");
    c.assistant(383, "frmanexo328B", "Depreciación de 1, 2 e IME acumulados", V::Deduction).wide = true;
    c.entry(384, "Intangibles");
    c.entry(385, "Activos biológicos");
    c.entry(386, "Depreciación de activos biológicos, amortización y agotamiento acumulados", V::Deduction);
    c.entry(387, "Desvalorización de activo inmovilizado", V::Deduction);
    c.entry(388, "Activo diferido");
    c.entry(389, "Otros activos no corrientes");
    c.computed(390, "TOTAL ACTIVO NETO", V::SignedAmount);

    // --- Estados Financieros: pasivo y patrimonio ------------------------------------------------
    c.at("eeff.pasivo", "PASIVO", 1);
    c.entry(331, "Sobregiros y pagarés bancarios");
    c.entry(332, "Tributos por pagar");
    c.entry(333, "Remuneraciones y participaciones por pagar");
    counterparts(c, 335, "Proveedores");
    c.entry(336, "Cuentas por pagar a accionistas y personal");
    counterparts(c, 337, "Cuentas por pagar diversas");
    c.entry(338, "Provisiones diversas");
    c.entry(339, "Deudas a largo plazo");
    c.entry(340, "Compensación por tiempo de servicios");
    c.entry(341, "Ganancias diferidas");
    c.computed(342, "TOTAL PASIVO", V::SignedAmount);
    c.at("eeff.pasivo", "PATRIMONIO", 1);
    c.entry(344, "Capital");
    c.entry(345, "Acciones de inversión");
    c.entry(346, "Capital adicional");
    c.entry(347, "Excedente de revaluación");
    c.entry(348, "Resultados no realizados");
    c.entry(349, "Reservas legales");
    c.entry(350, "Otras reservas");
    c.entry(352, "Resultados acumulados positivo");
    c.entry(353, "Resultados acumulados negativo", V::Deduction);
    c.entry(354, "Utilidad del ejercicio");
    c.entry(355, "Pérdida del ejercicio", V::Deduction);
    c.computed(356, "TOTAL PATRIMONIO", V::SignedAmount);
    c.computed(358, "TOTAL PASIVO Y PATRIMONIO", V::SignedAmount);

    c.at("eeff.pasivo", "PASIVO", 2);
    c.entry(401, "Sobregiros bancarios");
    c.entry(402, "Tributos, contraprestaciones y aportes al sistema de pensiones y de salud por pagar");
    c.entry(403, "Remuneraciones y participaciones por pagar");
    counterparts(c, 404, "Cuentas por pagar comerciales - terceros");
    counterparts(c, 405, "Cuentas por pagar comerciales - relacionadas");
    c.entry(406, "Cuentas por pagar a los accionistas, directores y gerentes");
    counterparts(c, 407, "Cuentas por pagar diversas - terceros");
    counterparts(c, 408, "Cuentas por pagar diversas - relacionadas");
    c.entry(409, "Obligaciones financieras");
    c.entry(410, "Provisiones");
    c.entry(411, "Pasivo diferido");
    c.computed(412, "TOTAL PASIVO");
    c.at("eeff.pasivo", "PATRIMONIO", 2);
    c.entry(414, "Capital");
    c.entry(415, "Acciones de inversión");
    c.entry(416, "Capital adicional positivo");
    c.entry(417, "Capital adicional negativo", V::Deduction);
    c.entry(418, "Resultados no realizados");
    c.entry(419, "Excedente de revaluación");
    c.entry(420, "Reservas");
    c.entry(421, "Resultados acumulados positivo");
    c.entry(422, "Resultados acumulados negativo", V::Deduction);
    c.entry(423, "Utilidad del ejercicio");
    c.entry(424, "Pérdida del ejercicio", V::Deduction);
    c.computed(425, "TOTAL PATRIMONIO", V::SignedAmount);
    c.computed(426, "TOTAL PASIVO Y PATRIMONIO", V::SignedAmount);

    // --- Estado de ganancias y pérdidas -------------------------------------------------------
    // The detail windows of 461, 475 and 476 split the amount by source (670-675); the others
    // keep the older breakdown.
    c.at("eeff.egp", "ESTADO DE GANANCIAS Y PÉRDIDAS");
    c.assistant(461, "frmpergan2015", "Ventas netas o ingresos por servicios");
    c.entry(462, "Descuentos, rebajas y bonificaciones concedidas", V::Deduction);
    c.computed(463, "Ventas netas");
    c.assistant(464, "frmcostos", "Costo de ventas", V::Deduction);
    c.computed(466, "Resultado bruto - utilidad");
    c.computed(467, "Resultado bruto - pérdida", V::Deduction);
    c.entry(468, "Gastos de ventas", V::Deduction);
    c.entry(469, "Gastos de administración", V::Deduction);
    c.computed(470, "Resultado de operación - utilidad");
    c.computed(471, "Resultado de operación - pérdida", V::Deduction);
    c.entry(472, "Gastos financieros", V::Deduction);
    c.assistant(473, "frmpergan", "Ingresos financieros gravados");
    c.assistant(475, "frmpergan2015", "Otros ingresos gravados");
    c.assistant(476, "frmpergan2015", "Otros ingresos no gravados");
    c.assistant(477, "frmpergan", "Enajenación de valores y bienes del activo fijo");
    c.entry(478, "Costo enajenación de valores y bienes del activo fijo", V::Deduction);
    c.entry(480, "Gastos diversos", V::Deduction);
    c.entry(481, "Resultado por exposición a la inflación positivo");
    c.entry(483, "Resultado por exposición a la inflación negativo", V::Deduction);
    c.computed(484, "Resultado antes de participaciones e impuestos - utilidad");
    c.computed(485, "Resultado antes de participaciones e impuestos - pérdida", V::Deduction);
    c.assistant(486, "frmpergan", "Distribución legal de la renta", V::Deduction).wide = true;
    c.computed(487, "Resultado antes del impuesto - utilidad");
    c.computed(489, "Resultado antes del impuesto - pérdida", V::Deduction);
    c.entry(490, "Impuesto a la renta", V::Deduction);
    c.computed(492, "Resultado del ejercicio - utilidad");
    c.computed(493, "Resultado del ejercicio - pérdida", V::Deduction);

    // Column sums of the trial balance.
    c.at("eeff.balance", "Balance de Comprobación");
    for (const auto& [n, label] :
         {std::pair{240, "Total sumas del mayor - Debe"}, std::pair{241, "Total sumas del mayor - Haber"},
          std::pair{242, "Total saldos al 31/12 - Deudor"}, std::pair{243, "Total saldos al 31/12 - Acreedor"}}) {
        c.box(n, K::TrialBalance, V::Amount, label).maxLength = 12;
    }

    // --- Impuesto a la Renta -------------------------------------------------------------------
    c.at("renta", "Determinación de la Renta Neta Imponible");
    c.computed(100, "Utilidad antes de adiciones y deducciones");
    c.computed(101, "Pérdida antes de adiciones y deducciones", V::Deduction);
    c.assistant(103, "frmAnexo103", "Adiciones para determinar la renta imponible");
    c.assistant(105, "frmAnexo105", "Deducciones para determinar la renta imponible", V::Deduction);
    c.computed(106, "Renta neta del ejercicio      casilla(100 ó 101) + casilla 103 - casilla 105", V::SignedAmount);
    c.computed(107, "Pérdida del ejercicio            casilla(100 ó 101) + casilla 103 - casilla 105", V::Deduction);
    c.entry(120, "Pérdida del ejercicio por instrumentos financieros derivados con fines distintos a los de "
                 "cobertura");
    c.assistant(108, "frmAnexo108", "Pérdidas Netas Compensables y/o Aplicación de Ejercicios Anteriores",
                V::Deduction);
    c.computed(110, "Renta neta imponible         casilla 106 - casilla 108");
    c.computed(111, "Saldo de pérdidas tributarias no compensadas por arrastrar a ejercicios siguientes", V::Deduction);
    c.computed(113, "TOTAL IMPUESTO A LA RENTA");
    c.at("renta", "Pagos a cuenta");
    c.computed(686, "Coeficiente para los pagos a cuenta  (impuesto calculado / ingresos netos)", V::Coefficient)
        .storedAsText = true;
    c.computed(610, "Coeficiente o porcentaje para el cálculo del pago a cuenta", V::Percentage).storedAsText = true;

    // --- Créditos contra el Impuesto a la Renta ------------------------------------------------
    c.at("creditos", "Créditos sin derecho a devolución");
    c.assistant(123, "frmAnexo123", "Crédito por Impuesto a la Renta de fuente extranjera", V::Deduction);
    c.assistant(125, "frmAnexo136", "Otros créditos sin derecho a devolución", V::Deduction);
    c.assistant(126, "frmAnexo126", "ITAN utilizado como crédito contra el Impuesto a la Renta", V::Deduction);
    c.entry(134, "Créditos por beneficios tributarios sin derecho a devolución", V::Deduction);
    c.assistant(136, "frmAnexo136", "Crédito por reinversiones", V::Deduction);
    c.computed(504, "SUBTOTAL (Cas. 113 -  (123 + 136 + 134 + 126 +125))");
    c.at("creditos", "Créditos con derecho a devolución");
    c.assistant(127, "frmAnexo127", "Saldo a favor no aplicado del ejercicio anterior", V::Deduction);
    c.assistant(128, "frmanexo128", "Pagos a cuenta mensuales del ejercicio.", V::Deduction);
    c.assistant(129, "frmAnexo136", "Otros créditos con derecho a devolución", V::Deduction);
    c.assistant(130, "frmAnexo130", "Retenciones de rentas de tercera categoría", V::Deduction);
    c.entry(124, "Percepciones y retenciones de otros ejercicios con derecho a devolución", V::Deduction);
    c.computed(506, "SUBTOTAL (Cas 504 - Cas (127+128+130+124+129)", V::SignedAmount);
    c.at("creditos", "Impuesto Temporal a los Activos Netos - ITAN");
    c.assistant(131, "frmAnexo131", "Pagos del ITAN (No incluir monto compensado contra pagos a cta. de Rta.)",
                V::Deduction);
    c.box(279, K::Switched, V::Deduction, "Saldo del ITAN no aplicado como crédito").maxLength = 15;

    // --- Determinación de la deuda ---------------------------------------------------------------
    c.at("deuda", "Impuesto a la Renta");
    c.computed(138, "Saldo a favor del contribuyente", V::Deduction);
    {
        CasillaDef& d = c.entry(137, "Opción para el saldo a favor:  1. Devolución  2. Aplicación contra pagos a "
                                     "cuenta");
        d.keys = KeyRule::Option137;
        d.maxLength = 1;
    }
    c.entry(140, "Saldo a favor solicitado en devolución");
    c.computed(139, "Impuesto resultante o saldo por regularizar");
    c.entry(142, "Intereses moratorios");
    c.computed(505, "Total deuda tributaria  (Cas 139 + Cas 142)", V::SignedAmount);
    c.entry(141, "Pagos previos", V::Deduction);
    c.entry(144, "Compensaciones efectuadas con la declaración rectificada", V::Deduction);
    c.entry(145, "Devoluciones efectuadas");
    c.computed(146, "SALDO DE LA DEUDA TRIBUTARIA", V::SignedAmount);
    c.entry(180, "IMPORTE A PAGAR");
    c.at("deuda", "Impuesto a las Transacciones Financieras - ITF");
    c.computed(161, "ITF resultante");
    c.computed(565, "Total ITF", V::SignedAmount);
    c.entry(163, "Pagos previos", V::Deduction);
    c.entry(164, "Compensaciones y otros créditos");
    c.entry(143, "Intereses moratorios", V::Deduction);
    c.computed(165, "SALDO DE LA DEUDA TRIBUTARIA", V::SignedAmount);
    c.entry(181, "IMPORTE A PAGAR");

    // --- Información complementaria ------------------------------------------------------------
    c.at("info.general", "Datos del contador");
    c.entry(207, "DNI del contador", V::Text).maxLength = 8;
    c.entry(208, "RUC del contador", V::Text).maxLength = 11;
    {
        CasillaDef& d = c.entry(211, "Número de matrícula del contador", V::Text);
        d.keys = KeyRule::UpperCodeText;
        d.maxLength = 8;
    }
    c.entry(687, "Tipo de documento del contador", V::Text).keys = KeyRule::UpperCodeText;
    // Stored as typed and exclusive with the accountant's registration number (211); the form
    // shows no box for it, so a value read from DET stays as it was.
    c.det(212, "Registro del contador excluyente con la casilla 211", V::Text);
    c.at("info.general", "Datos del representante legal");
    c.entry(225, "Tipo de documento del representante legal", V::Text).keys = KeyRule::UpperCodeText;
    c.entry(226, "Número de documento del representante legal", V::Text).keys = KeyRule::RepresentativeDocument;
    // Kept off-screen: the loss on derivative financial instruments carried by the loss assistant.
    c.at("info.general");
    c.hidden(854, "Pérdida del ejercicio por instrumentos financieros derivados");
    c.hidden(856, "Saldo de pérdidas por instrumentos financieros derivados de ejercicios anteriores");
    c.hidden(858, "Saldo de pérdidas por instrumentos financieros derivados por compensar");

    c.at("info.vehiculos", "Identificación de Vehículos");
    c.assistant(876, "frmVehiculos", "Ingresos netos anuales del ejercicio anterior");
    c.assistant(877, "frmVehiculos",
                "Número de vehículos A2, A3 y A4 asignados a actividades de dirección, representación y "
                "administración");
    c.computed(701, "Número de vehículos identificados que deducen gastos");
    c.computed(702, "Porcentaje de gastos deducibles", V::Percentage);
    c.computed(703, "Gastos deducibles de los vehículos identificados");
    c.computed(704, "Adición por exceso de gastos de vehículos");

    // Off-screen boxes: the totals of the partners and rentals annexes, and the answers kept there.
    c.at("info.socios");
    c.hidden(1, "Cantidad de socios, asociados y otros registrados");
    c.hidden(2, "Suma del porcentaje de participación sobre el capital", V::Percentage);
    c.hidden(3, "Cantidad de socios del tipo otros socios consolidados");
    c.hidden(4, "Suma del porcentaje de participación de los socios consolidados", V::Percentage);
    c.hidden(245, "Fecha de corte del registro de socios", V::Text);
    c.hidden(249, "Tipo de documento de los socios consolidados", V::Text);
    c.hidden(264, "Porcentaje acumulado de los principales socios registrados", V::Percentage);
    c.at("info.alquileres");
    c.hidden(5, "Declara el Impuesto a la Renta");
    c.hidden(6, "Cantidad de bienes alquilados registrados");
    c.hidden(12, "Código del banco de la forma de pago");

    // --- Impuesto a las Transacciones Financieras -------------------------------------------------
    c.at("itf", "Impuesto a las Transacciones Financieras");
    c.box(155, K::Itf, V::Amount, "Monto total de pagos realizados en el ejercicio gravable");
    c.box(156, K::Itf, V::Amount,
          "Monto de pagos realizados en el ejercicio gravable utilizando dinero en efectivo o Medios de Pago");
    c.box(157, K::Itf, V::Amount,
          "Pagos realizados sin utilizar dinero en efectivo o Medios de Pago  (Cas 155 - Cas 156)");
    c.box(158, K::Itf, V::Amount,
          "15% sobre el total de pagos realizados en el ejercicio gravable  (15% de la Cas 155)");
    c.box(159, K::Itf, V::Amount,
          "Base Imponible - Alícuota del Ejercicio - Exceso del 15% del Total de Pagos  (Cas 157 - Cas158)");
    c.box(160, K::Itf, V::Amount, "ITF - Impuesto a Pagar - Base Imponible x  0.005 % x 2");

    // === Casillas without a box ==================================================================
    // Answers and identification data, by the page of the control that holds them.
    c.at("ident.general");
    c.det(801, "Apellidos y nombres, denominación o razón social", V::Text);
    c.det(805, "¿La declaración rectifica o sustituye a otra?");
    c.det(806, "Número de orden de la declaración enviada");
    c.det(871, "Declara el Impuesto a las Transacciones Financieras", V::Text);
    c.det(878, "¿Pagó más del 15% de sus obligaciones sin utilizar dinero en efectivo o Medios de Pago?");
    c.det(289, "Régimen de renta  (1 Régimen General, 2 Régimen MYPE)");
    c.det(807, "Condición de domicilio  (1 Domiciliado, 0 No Domiciliado)");
    c.det(870, "Plan de cuentas utilizado  (1 Plan Contable General Revisado, 2 PCGE)");
    c.det(821, "¿Está obligado a declarar el Balance de Comprobación?");
    c.at("ident.colab");
    c.det(292, "¿Forma parte de un contrato de colaboración empresarial sin contabilidad independiente?");
    c.at("ident.exon");
    c.det(802, "¿Está acogido a Beneficios Tributarios?");
    c.det(199, "Código del beneficio tributario");
    c.det(803, "¿Está exonerado totalmente del Impuesto a la Renta?");
    c.det(210, "Código de la base legal de exoneración");
    c.det(217, "¿Está inafecto al Impuesto a la Renta?");
    c.det(221, "Código de la base legal de inafectación", V::Text);
    c.det(804, "¿Tiene suscrito convenio de estabilidad?");
    c.det(813, "¿Está autorizado a llevar contabilidad en moneda extranjera?");
    c.det(816, "Moneda en que se expresa la declaración  (1 Nacional, 2 Extranjera)");
    c.det(819, "¿Deduce gastos por donaciones?");
    c.at("ident.mineria");
    c.det(822, "¿Cuenta con concesiones mineras?");
    c.det(820, "¿Cuenta con contratos o actividades de hidrocarburos?");
    c.at("ident.amazonia");
    c.det(809, "¿Se dedica al comercio en la Amazonía y ha reinvertido no menos del 30% de su renta neta?");
    c.det(810, "¿Realiza principalmente actividades agropecuarias, de acuicultura, pesca, turismo, manufactureras "
               "vinculadas o forestales en la Amazonía?");
    c.det(860, "¿Su domicilio fiscal está en la Amazonía y coincide con el lugar de su administración y "
               "contabilidad?");
    c.det(811, "Zona de la Amazonía  (0 Zona 1, 1 Zona 2)");
    c.det(812, "Ubigeo del domicilio fiscal en la Amazonía", V::Text);
    c.det(280, "Oficina registral", V::Text);
    c.det(281, "Tomo o ficha", V::Text);
    c.det(282, "Folio", V::Text);
    c.det(283, "Asiento", V::Text);
    c.det(223, "Monto de activos fijos ubicados en la Amazonía");
    c.at("ident.reorg");
    c.det(823, "¿Ha participado como adquirente en una reorganización de sociedades?");
    c.det(233, "Tipo de reorganización");
    c.det(239, "Fecha de reorganización", V::Text);
    c.det(824, "¿Ha presentado la declaración del ITAN?");
    c.det(825, "¿Presentó el anexo aprobado del ITAN?");
    c.det(826, "Pagos del ITAN utilizados como crédito");
    c.det(828, "Pagos del ITAN utilizados como gasto");
    c.at("eeff.mineria");
    c.det(444, "Sistema de arrastre de pérdidas de minería e hidrocarburos");
    c.at("renta");
    c.det(880, "Sistema de arrastre de pérdidas  (0 Sistema A, 1 Sistema B)");
    // Kept with the declaration by the calculation: the base of the tax, the tax of the
    // declaration being rectified and what the tax adds to it.
    c.det(151, "Renta neta imponible sobre la que se calcula el impuesto");
    c.det(114, "Impuesto a la renta de la declaración que se rectifica");
    c.det(500, "Impuesto a la renta en exceso del de la declaración rectificada  (Cas 113 - Cas 114)");
    c.at("deuda");
    c.det(599, "Forma de pago");
    c.det(15, "Número de cheque", V::Text);
    c.at("info.general");
    c.det(815, "Apellidos del contador", V::Text);
    c.det(814, "Nombres del contador", V::Text);
    c.det(808, "Teléfono fijo del contador", V::Text);
    c.det(213, "Teléfono celular del contador", V::Text);
    c.det(817, "Apellidos del representante legal", V::Text);
    c.det(818, "Nombres del representante legal", V::Text);
    c.det(580, "Correo electrónico del contribuyente", V::Text);
    c.det(581, "Correo electrónico del contador", V::Text);
    c.det(582, "Correo electrónico del representante legal", V::Text);
    // The document types and the e-mail confirmation, which the form keeps under casillas of
    // their own so that a declaration opened again shows what was chosen.
    c.det(831, "Tipo de documento del representante legal (código)", V::Text);
    c.det(832, "Tipo de documento del contador (código)", V::Text);
    c.det(839, "Confirmación del correo electrónico del contribuyente", V::Text).printed = false;
    c.det(661, "¿Obtuvo pérdida por instrumentos financieros derivados con fines distintos a los de cobertura?");
    c.det(662, "Sistema de arrastre de la pérdida por instrumentos financieros derivados  (A o B)", V::Text);
    c.at("info.desuso");
    c.det(830, "¿Ha realizado deducciones por desuso u obsolescencia?");
    c.at("info.perdidas");
    c.det(827, "¿Ha sufrido pérdidas extraordinarias?");
    c.at("info.vehiculos");
    c.det(895, "¿Deduce gastos de vehículos de las categorías A2, A3 y A4?");
    c.at("info.alquileres");
    c.det(829, "¿Ha pagado alquileres de bienes muebles o inmuebles?");
    c.at("info.mermas.mermas");
    c.det(874, "¿Ha deducido gastos por mermas?");
    c.at("info.mermas.desmedros");
    c.det(873, "¿Ha deducido gastos por desmedros?");
    c.at("info.operfin.administrado");
    c.det(218, "¿Le han administrado sus operaciones financieras?");
    c.at("info.operfin.administrador");
    c.det(219, "¿Ha administrado operaciones financieras que correspondan a terceros?");
    c.at("info.regalias");
    c.det(875, "¿Ha devengado regalías a beneficiarios domiciliados?");
    c.at("info.constructora");
    c.det(293, "Método de los contratos de construcción  (A o B)", V::Text);
    c.at("info.invest");
    c.det(780, "¿Ha realizado gastos en proyectos de investigación científica, tecnológica e innovación "
               "tecnológica?");
    c.det(781, "Gastos en proyectos de investigación  (respuesta que lee el detalle de proyectos)");
    c.at("info.rfe");
    c.det(840, "¿Ha obtenido rentas de fuente extranjera?");

    // Values kept by the detail windows, by the page of the box that opens them.
    c.at("ident.reorg");
    for (int i = 1; i <= 5; ++i) {
        c.det(249 + i, QStringLiteral("RUC de la empresa participante %1").arg(i), "frmAnexo278", V::Text);
    }
    c.detRun(
        255, "frmAnexo278",
        {"Patrimonio transferido por la empresa participante 1", "Patrimonio transferido por la empresa participante 2",
         "Patrimonio transferido por la empresa participante 3", "Patrimonio transferido por la empresa participante 4",
         "Patrimonio transferido por la empresa participante 5", "Total patrimonio transferido",
         "Costo computable de los activos transferidos", "Revaluación voluntaria de los activos transferidos",
         "Pérdidas tributarias transferidas"});

    c.at("eeff.activo");
    c.detRun(318, "frmanexo317A",
             {"Inmuebles, maquinaria y equipo - saldo inicial", "Inmuebles, maquinaria y equipo - adiciones",
              "Inmuebles, maquinaria y equipo - mejoras", "Inmuebles, maquinaria y equipo - retiros",
              "Inmuebles, maquinaria y equipo - revaluación voluntaria",
              "Inmuebles, maquinaria y equipo - otros ajustes", "Inmuebles, maquinaria y equipo - saldo final"});
    c.detRun(395, "frmanexo328B",
             {"Depreciación acumulada - saldo inicial", "Depreciación acumulada - depreciación del ejercicio",
              "Depreciación acumulada - saldo final"});
    c.detRun(594, "frmanexo328B",
             {"Depreciación acumulada - retiros", "Depreciación acumulada - ajustes",
              "Depreciación acumulada - revaluación voluntaria", "Depreciación acumulada - otros movimientos"});
    c.detRun(601, "frmanexo328B",
             {"Casilla 383 - saldo inicial", "Casilla 383 - depreciación del ejercicio",
              "Casilla 383 - depreciación de la revaluación voluntaria", "Casilla 383 - otras adiciones",
              "Casilla 383 - retiros por ventas", "Casilla 383 - otros retiros", "Casilla 383 - ajustes de adiciones",
              "Casilla 383 - ajustes de retiros", "Casilla 383 - saldo final"});
    // The nine sums of the movement detail of casillas 380, 381 and 382, then the final balance.
    for (const int base : {380, 381, 382}) {
        static const char* const kColumns[] = {"saldo inicial",
                                               "adiciones - compras y mejoras",
                                               "adiciones - aportes",
                                               "adiciones - costo",
                                               "incremento por mayor valor",
                                               "incremento por revaluación voluntaria",
                                               "otras adiciones",
                                               "retiros por ventas",
                                               "otros retiros",
                                               "saldo final"};
        const int first = 611 + (base - 380) * 10;
        const int columns = base == 382 ? 9 : 10; // 640 is no casilla of the form
        for (int i = 0; i < columns; ++i) {
            c.det(first + i, QStringLiteral("Casilla %1 - %2").arg(base).arg(QString::fromUtf8(kColumns[i])),
                  "frmanexo317A");
        }
    }

    c.at("eeff.egp");
    c.detRun(670, "frmpergan2015",
             {"Ventas netas o ingresos por servicios - renta de fuente peruana",
              "Ventas netas o ingresos por servicios - renta de fuente extranjera",
              "Otros ingresos gravados - renta de fuente peruana",
              "Otros ingresos gravados - renta de fuente extranjera",
              "Otros ingresos no gravados - renta de fuente peruana",
              "Otros ingresos no gravados - renta de fuente extranjera"});
    c.detRun(432, "frmpergan",
             {"Participación de los trabajadores - renta de fuente peruana",
              "Participación de los trabajadores - renta de fuente extranjera",
              "Participación de los trabajadores pagada en el ejercicio", "Participación de los trabajadores - base",
              "Participación de los trabajadores deducible", "Participación de los trabajadores no deducible",
              "Total distribución legal de la renta"});
    c.detRun(495, "frmpergan",
             {"Resultado del ejercicio - renta de fuente peruana",
              "Resultado del ejercicio - renta de fuente extranjera",
              "Resultado del ejercicio de operaciones discontinuadas"});
    // Four amounts per detailed casilla: related and unrelated parties, Peruvian and foreign source.
    for (const auto& [base, window] :
         {std::pair{461, "frmpergan2015"}, std::pair{473, "frmpergan"}, std::pair{475, "frmpergan2015"},
          std::pair{476, "frmpergan2015"}, std::pair{477, "frmpergan"}, std::pair{486, "frmpergan"}}) {
        static const char* const kParts[] = {"operaciones con partes vinculadas - fuente peruana",
                                             "operaciones con partes vinculadas - fuente extranjera",
                                             "operaciones con terceros - fuente peruana",
                                             "operaciones con terceros - fuente extranjera"};
        static const QList<int> order = {461, 473, 475, 476, 477, 486};
        const int first = 755 + static_cast<int>(order.indexOf(base)) * 4;
        for (int i = 0; i < 4; ++i) {
            c.det(first + i, QStringLiteral("Casilla %1 - %2").arg(base).arg(QString::fromUtf8(kParts[i])), window);
        }
    }
    c.detRun(511, "frmcostos",
             {"Inventario inicial de mercaderías", "Compras de mercaderías", "Inventario final de mercaderías",
              "Costo de ventas de mercaderías", "Inventario inicial de productos terminados",
              "Inventario final de productos terminados"});
    c.detRun(591, "frmcostos", {"Materias primas consumidas", "Mano de obra directa", "Otros costos de fabricación"});
    c.detRun(791, "frmcostos",
             {"Costo de fabricación", "Inventario inicial de productos en proceso",
              "Inventario final de productos en proceso", "Costo de producción",
              "Costo de ventas de productos terminados", "Costo de servicios prestados", "Total costo de ventas"});

    c.at("renta");
    // Additions (casilla 103).
    c.det(510, "Descripción de otras adiciones permanentes", V::Text, "frmAnexo103");
    c.det(517, "Descripción de otras adiciones temporales", V::Text, "frmAnexo103");
    c.detRun(520, "frmAnexo103",
             {"Gastos personales y de sustento del contribuyente y sus familiares",
              "Gastos de representación en exceso del límite",
              "Gastos recreativos en exceso del límite",
              "Remuneraciones del directorio en exceso del límite",
              "Remuneraciones a titulares, accionistas y familiares en exceso del valor de mercado",
              "Gastos de viaje no sustentados o en exceso de los viáticos admitidos",
              "Gastos sustentados con comprobantes emitidos por sujetos no habidos",
              "Gastos no sustentados con comprobantes de pago",
              "Multas, recargos, intereses moratorios y sanciones",
              "Donaciones y liberalidades no deducibles",
              "Impuesto a la Renta asumido de terceros",
              "Pérdidas extraordinarias cubiertas por seguros o indemnizaciones",
              "Gastos vinculados a rentas exoneradas o inafectas",
              "Gastos pagados sin utilizar medios de pago",
              "Intereses por endeudamiento en exceso del límite",
              "Gastos de ejercicios anteriores",
              "Regalías en exceso del límite",
              "Gastos por operaciones con países o territorios de baja imposición",
              "Ajustes por precios de transferencia",
              "Diferencias de cambio no computables",
              "Pérdidas por instrumentos financieros derivados no admitidas",
              "Gastos de investigación y desarrollo no deducibles",
              "Gastos de capacitación en exceso del límite",
              "Primas de seguros de inmuebles destinados a vivienda",
              "Gastos de movilidad en exceso del límite",
              "Otras adiciones permanentes",
              "Créditos vinculados a las adiciones"});
    c.det(590, "Total adiciones", V::Amount, "frmAnexo103");
    c.detRun(727, "frmAnexo103",
             {"Provisiones para cuentas de cobranza dudosa no admitidas",
              "Provisiones por desvalorización de existencias", "Provisiones por desvalorización de activos",
              "Otras provisiones no deducibles", "Depreciación contable en exceso de la tributaria",
              "Amortización de intangibles no admitida", "Vacaciones devengadas no pagadas",
              "Retribuciones a no domiciliados no pagadas", "Servicios de no domiciliados no pagados",
              "Gastos de vehículos de las categorías A2, A3 y A4 no deducibles",
              "Diferencias por valor razonable de activos", "Ingresos diferidos tributariamente gravados",
              "Arrendamiento financiero - diferencia de depreciación", "Costo de activos no devengado",
              "Contratos de construcción - diferencias en la renta bruta", "Deterioro de valor de activos"});
    c.det(743, "Provisiones adicionadas en ejercicios anteriores y deducidas en el ejercicio", V::Amount,
          "frmAnexo105");
    c.detRun(744, "frmAnexo103",
             {"Intereses capitalizados", "Gastos preoperativos no admitidos en el ejercicio",
              "Diferencias por aplicación de las NIIF", "Diferencias de cambio de activos fijos",
              "Gastos devengados pendientes de pago a la fecha de vencimiento", "Otras adiciones temporales"});
    // Deductions (casilla 105).
    c.det(518, "Descripción de otras deducciones permanentes", V::Text, "frmAnexo105");
    c.det(519, "Descripción de otras deducciones temporales", V::Text, "frmAnexo105");
    c.detRun(547, "frmAnexo105",
             {"Ingresos exonerados o inafectos incluidos en el resultado contable",
              "Dividendos percibidos de personas jurídicas domiciliadas",
              "Deducción adicional por remuneraciones a personas con discapacidad",
              "Deducción adicional por gastos de investigación científica, tecnológica e innovación",
              "Recupero de gastos adicionados en ejercicios anteriores",
              "Ajuste por inflación de activos no monetarios", "Ingresos por valor razonable no realizados",
              "Créditos vinculados a las deducciones", "Diferencias de cambio no computables",
              "Deducción por revaluación voluntaria de activos",
              "Depreciación de activos adquiridos en arrendamiento financiero", "Ajustes por precios de transferencia",
              "Otras deducciones permanentes"});
    c.det(600, "Total deducciones", V::Amount, "frmAnexo105");
    c.detRun(750, "frmAnexo105",
             {"Depreciación tributaria pendiente de ejercicios anteriores",
              "Vacaciones y retribuciones adicionadas en ejercicios anteriores y pagadas en el ejercicio",
              "Otras deducciones temporales"});
    // Losses of earlier years applied in the year, by year of origin (casilla 108).
    {
        auto applied = [&c](int n, const char* system, int year) {
            c.det(
                n,
                QStringLiteral("%1 - Compensación de la pérdida del ejercicio %2").arg(QLatin1String(system)).arg(year),
                "frmAnexo108");
        };
        for (int year = 2014; year <= 2017; ++year) {
            applied(833 + year - 2014, "Sistema A", year);
        }
        c.det(837, "Sistema A - Total compensado", V::Amount, "frmAnexo108");
        c.det(838, "Sistema A - Pérdidas extinguidas", V::Amount, "frmAnexo108");
        for (int year = 2010; year <= 2017; ++year) {
            applied(861 + year - 2010, "Sistema B", year);
        }
        // 881-899 without 895, the vehicle answer.
        int year = 1992;
        for (int n = 881; n <= 899; ++n) {
            if (n != 895) {
                applied(n, "Sistema B", year++);
            }
        }
    }

    c.at("creditos");
    c.detRun(202, "frmSaldoFavorEjercAnt",
             {"Saldo a favor del ejercicio anterior según declaración jurada anual",
              "Saldo a favor aplicado contra los pagos a cuenta del ejercicio",
              "Saldo a favor solicitado en devolución o compensado"});
    c.detRun(656, "frmAnexo131",
             {"ITAN - total pagado en el ejercicio", "ITAN aplicado como crédito", "ITAN utilizado como gasto",
              "Saldo del ITAN no aplicado"});
    c.detRun(688, "frmanexo128",
             {"Ingresos netos del mes de enero", "Ingresos netos del mes de febrero", "Ingresos netos del mes de marzo",
              "Ingresos netos del mes de abril", "Ingresos netos del mes de mayo", "Ingresos netos del mes de junio",
              "Ingresos netos del mes de julio", "Ingresos netos del mes de agosto",
              "Ingresos netos del mes de setiembre", "Ingresos netos del mes de octubre",
              "Ingresos netos del mes de noviembre", "Ingresos netos del mes de diciembre"});

    c.at("info.vehiculos");
    c.detRun(705, "frmVehiculos",
             {"Número de vehículos de propiedad de la empresa", "Ingresos netos anuales del ejercicio anterior",
              "Número de vehículos asignados a actividades de dirección, representación y administración",
              "Gastos de vehículos A2, A3 y A4 adicionados", "Ingresos netos anuales del ejercicio 2016",
              "Número máximo de vehículos A2, A3 y A4 con gasto deducible",
              "Número de vehículos A2, A3 y A4 asignados a actividades de dirección, representación y administración",
              "Gastos de los vehículos identificados", "Depreciación de los vehículos identificados",
              "Gastos de los vehículos sustituidos", "Depreciación de los vehículos sustituidos",
              "Ingresos netos mensuales del ejercicio anterior"});

    return c.take();
}

} // namespace qel::declaration
