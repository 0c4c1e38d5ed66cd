#include "annexes/AssistantCatalog.h"

#include "annexes/DetailedLines.h"
#include "annexes/LossCompensationCheck.h"
#include "annexes/VehicleChecks.h"
#include "catalogue/CasillaCatalog.h"

namespace qel::annexes {

const AssistantField* AssistantDef::field(int id) const {
    for (const AssistantField& f : fields) {
        if (f.id() == id) {
            return &f;
        }
    }
    return nullptr;
}

namespace {

// Totals shown in a window but kept nowhere: 9000 + the casilla the window serves.
constexpr int kShownTotal = 9000;

// A box labelled as the casilla catalogue labels the casilla.
AssistantField typed(int casilla, const QString& group, const QString& label = {}) {
    AssistantField f;
    f.casilla = casilla;
    f.group = group;
    f.label = label;
    if (label.isEmpty()) {
        const declaration::CasillaDef* def = declaration::CasillaCatalog::instance().find(casilla);
        f.label = def != nullptr ? def->label : QString();
    }
    return f;
}

AssistantField computed(int casilla, const QString& group, const QString& label = {}) {
    AssistantField f = typed(casilla, group, label);
    f.computed = true;
    return f;
}

QString u(const char* text) {
    return QString::fromUtf8(text);
}

// Cost of sales (464): goods, manufacturing, production, finished goods and services.
AssistantDef costOfSales() {
    AssistantDef d;
    d.window = QStringLiteral("frmcostos");
    d.openedFrom = {464};
    d.caption = u("Costos de Ventas - Casilla %1");
    d.columns = 2;
    const QString goods = u("Costo de ventas de mercaderías");
    const QString factory = u("Costo de fabricación");
    const QString production = u("Costo de producción");
    const QString finished = u("Costo de ventas de productos terminados");
    const QString total = u("Costo de ventas");
    d.fields = {typed(511, goods),         typed(512, goods),
                typed(513, goods),         computed(514, goods),
                typed(591, factory),       typed(592, factory),
                typed(593, factory),       computed(791, factory),
                typed(792, production),    typed(793, production),
                computed(794, production), typed(515, finished),
                typed(516, finished),      computed(795, finished),
                typed(796, total),         computed(797, total, u("Total costo de ventas"))};
    d.totals = {{514, {511, 512}, {513}, u("El Costo  de Ventas de Mercaderías no puede ser negativo")},
                {791, {591, 592, 593}, {}, u("El Costo  de Fabricación no puede ser negativo")},
                {794, {791, 792}, {793}, u("El Costo  de Producción no puede ser negativo")},
                {795, {515, 794}, {516}, u("El Costo  de Ventas de Productos Terminados no puede ser negativo")},
                {797, {514, 795, 796}, {}, u("El Costo  de Ventas no puede ser negativo")}};
    d.resultId = 797;
    return d;
}

// Income of the income statement by counterpart and source: four amounts per casilla
// (755-778); sales and the other income (461, 475, 476) add their totals by source (670-675).
AssistantDef incomeBySource(int casilla) {
    static const QList<int> order = {461, 473, 475, 476, 477, 486};
    const int first = 755 + static_cast<int>(order.indexOf(casilla)) * 4;
    const bool bySource = casilla == 461 || casilla == 475 || casilla == 476;
    AssistantDef d;
    d.window = bySource ? QStringLiteral("frmpergan2015") : QStringLiteral("frmpergan");
    d.openedFrom = {casilla};
    d.caption = u("Detalle Casilla %1");
    const QString related = u("Operaciones con partes vinculadas");
    const QString others = u("Operaciones con terceros");
    const QString totals = u("Totales");
    d.fields = {typed(first, related, u("Renta de fuente peruana")),
                typed(first + 1, related, u("Renta de fuente extranjera")),
                typed(first + 2, others, u("Renta de fuente peruana")),
                typed(first + 3, others, u("Renta de fuente extranjera"))};
    AssistantField total = computed(kShownTotal + casilla, totals, u("Total casilla ") + QString::number(casilla));
    total.stored = false;
    if (bySource) {
        const int peru = 670 + (casilla == 461 ? 0 : casilla == 475 ? 2 : 4);
        d.fields.append(computed(peru, totals, u("Total renta de fuente peruana")));
        d.fields.append(computed(peru + 1, totals, u("Total renta de fuente extranjera")));
        d.totals = {{peru, {first, first + 2}, {}, {}},
                    {peru + 1, {first + 1, first + 3}, {}, {}},
                    {total.casilla, {peru, peru + 1}, {}, {}}};
    } else {
        d.totals = {{total.casilla, {first, first + 1, first + 2, first + 3}, {}, {}}};
    }
    d.fields.append(total);
    d.resultId = total.casilla;
    if (casilla == 476) {
        // The other income with third parties is itemised by concept in frmMinOtros.
        for (const int line : {first + 2, first + 3}) {
            d.fields[line - first].opens = QStringLiteral("frmMinOtros");
            d.fields[line - first].openedFor = casilla;
        }
        d.detailRows = DetailedLines::otherIncome(casilla, first + 2, first + 3);
    }
    return d;
}

// Losses of earlier years applied in the year (108), by system and year of origin.
AssistantDef lossCompensation() {
    AssistantDef d;
    d.window = QStringLiteral("frmAnexo108");
    d.openedFrom = {108};
    d.caption = u("Asistente de Cálculo de Casilla %1");
    d.columns = 3;
    auto byYear = [](int casilla, int year, const QString& group) {
        AssistantField f = typed(casilla, group, u("Ejercicio ") + QString::number(year));
        f.year = year;
        return f;
    };
    const QString a = u("Sistema A");
    const QString b = u("Sistema B");
    const QString older = u("Sistema B - ejercicios 1992 a 2009");
    QList<int> systemB;
    for (int year = 2014; year <= 2017; ++year) {
        d.fields.append(byYear(833 + year - 2014, year, a));
    }
    d.fields.append(computed(837, a, u("Total compensado")));
    d.fields.append(typed(838, a, u("Pérdidas extinguidas")));
    for (int year = 2010; year <= 2017; ++year) {
        d.fields.append(byYear(861 + year - 2010, year, b));
        systemB.append(861 + year - 2010);
    }
    int year = 1992;
    for (int n = 881; n <= 899; ++n) {
        if (n != 895) { // 895 keeps the vehicle answer
            d.fields.append(byYear(n, year++, older));
            systemB.append(n);
        }
    }
    AssistantField total = computed(kShownTotal + 108, u("Total"), u("Total casilla 108"));
    total.stored = false;
    d.fields.append(total);
    d.totals = {{837, {833, 834, 835, 836}, {}, {}}, {total.casilla, QList<int>{837} + systemB, {}, {}}};
    d.resultId = total.casilla;
    d.everyFieldRequired = true;
    d.requiredMessage = u("Debe ingresar importe en todas las casillas, en caso contrario consigne 0.");
    d.checks = {std::make_shared<LossCompensationCheck>()};
    return d;
}

// The net income of the previous year, month by month (876): rows of TMPF572DETBAS.
AssistantDef vehicleNetIncome() {
    static const char* const kMonths[] = {"Enero", "Febrero", "Marzo",     "Abril",   "Mayo",      "Junio",
                                          "Julio", "Agosto",  "Setiembre", "Octubre", "Noviembre", "Diciembre"};
    AssistantDef d;
    d.window = QStringLiteral("frmVehIngresosNetos");
    d.openedFrom = {876};
    d.caption = u("Ingresos Netos Anuales del Ejercicio Anterior - Casilla %1");
    d.columns = 2;
    d.months = {QStringLiteral("706"), QStringLiteral("716"), QStringLiteral("V")};
    const QString monthly = u("Ingresos netos mensuales");
    AssistantField total = computed(706, u("Total"), u("Ingresos netos anuales"));
    AssistantTotal sum{706, {}, {}, {}};
    for (int month = 1; month <= 12; ++month) {
        AssistantField f;
        f.month = month;
        f.group = monthly;
        f.label = QString::fromLatin1(kMonths[month - 1]);
        d.fields.append(f);
        sum.adds.append(f.id());
    }
    d.fields.append(total);
    d.totals = {sum};
    d.resultId = 706;
    return d;
}

// The vehicles of the company (877 and the net income of 876 it starts from).
AssistantDef vehicles(int casilla) {
    AssistantDef d;
    d.window = QStringLiteral("frmVehiculos");
    d.openedFrom = {casilla};
    d.caption = u("Vehículos - Casilla %1");
    const QString owned = u("Vehículos de la empresa");
    const QString limit = u("Límite de vehículos con gasto deducible");
    AssistantField owners = typed(705, owned);
    owners.count = true;
    owners.opens = QStringLiteral("frmvehcas705");
    AssistantField assigned = typed(707, owned,
                                    u("Número de vehículos A2, A3 y A4 asignados a actividades de "
                                      "dirección, representación y administración"));
    assigned.count = true;
    AssistantField income = computed(706, limit);
    income.opens = QStringLiteral("frmvehcas706");
    AssistantField maximum = computed(710, limit, u("Número máximo de vehículos A2, A3 y A4 con gasto deducible"));
    maximum.count = true;
    AssistantField copied = computed(711, limit, u("Vehículos A2, A3 y A4 asignados (casilla 877)"));
    copied.count = true;
    d.fields = {owners, assigned, income, maximum, copied};
    d.calculation = std::make_shared<VehicleLimit>();
    d.checks = {std::make_shared<VehicleCountCheck>()};
    // 706 is set by its detail windows (the months of frmVehIngresosNetos or the years of
    // frmvehcas706): read again when one of them hands it back.
    d.detailRows = std::make_shared<StoredNetIncome>();
    d.resultId = casilla == 876 ? 706 : 711;
    return d;
}

// The vehicles the company owns (705), behind the box of frmVehiculos.
AssistantDef ownedVehicles() {
    AssistantDef d;
    d.window = QStringLiteral("frmvehcas705");
    d.openedFrom = {705};
    d.caption = u("Vehículos de Propiedad de la Empresa - Casilla %1");
    AssistantField owned = typed(705, u("Vehículos de la empresa"));
    owned.count = true;
    d.fields = {owned};
    d.checks = {std::make_shared<OwnedVehiclesCheck>()};
    d.resultId = 705;
    return d;
}

// The net income of 2015 and 2016 (TMPF572DETBAS rows of 706, one per year), whose total is
// the net income 706 the vehicle limit starts from.
AssistantDef netIncomeByYear() {
    AssistantDef d;
    d.window = QStringLiteral("frmvehcas706");
    d.openedFrom = {706};
    d.caption = u("Ingresos Netos Anuales por Ejercicio - Casilla %1");
    d.months = {QStringLiteral("706"), QStringLiteral("716"), QStringLiteral("V")};
    const QString yearly = u("Ingresos netos anuales");
    AssistantTotal sum{706, {}, {}, {}};
    for (const int year : {2015, 2016}) {
        AssistantField f;
        f.month = year;
        f.group = yearly;
        f.label = u("Ejercicio ") + QString::number(year);
        d.fields.append(f);
        sum.adds.append(f.id());
    }
    d.fields.append(computed(706, u("Total"), u("Ingresos netos anuales")));
    d.totals = {sum};
    d.resultId = 706;
    return d;
}

// Additions (103) and deductions (105) for tax purposes, permanent and temporary, each line a
// casilla of the catalogue; their total (590, 600) goes back to the casilla.
AssistantDef additionsOrDeductions(int casilla) {
    struct Block {
        int first;
        int last;
        const char* group;
    };
    const bool additions = casilla == 103;
    const QList<Block> blocks = additions ? QList<Block>{{520, 546, "Adiciones permanentes"},
                                                         {727, 742, "Adiciones temporales"},
                                                         {744, 749, "Adiciones temporales"}}
                                          : QList<Block>{{547, 559, "Deducciones permanentes"},
                                                         {743, 743, "Deducciones temporales"},
                                                         {750, 752, "Deducciones temporales"}};
    const int total = additions ? 590 : 600;
    AssistantDef d;
    d.window = additions ? QStringLiteral("frmAnexo103") : QStringLiteral("frmAnexo105");
    d.openedFrom = {casilla};
    d.caption = u("Asistente de Cálculo de Casilla %1");
    d.columns = 2;
    AssistantTotal sum{total, {}, {}, {}};
    for (const Block& block : blocks) {
        for (int n = block.first; n <= block.last; ++n) {
            d.fields.append(typed(n, u(block.group)));
            sum.adds.append(n);
        }
    }
    d.fields.append(computed(total, u("Total"), additions ? u("Total adiciones") : u("Total deducciones")));
    d.totals = {sum};
    d.resultId = total;
    // The other permanent and temporary lines are the sums of the itemised rows (frmAdicDeduc);
    // the excess of recreational expenses and of the board's remuneration is worked out in
    // frmExesoRem.
    const int permanentOther = additions ? 545 : 559;
    const int temporaryOther = additions ? 749 : 752;
    for (AssistantField& field : d.fields) {
        if (field.casilla == permanentOther || field.casilla == temporaryOther) {
            field.computed = true;
            field.opens = QStringLiteral("frmAdicDeduc");
            field.openedFor = casilla;
        } else if (additions && (field.casilla == 522 || field.casilla == 523)) {
            field.opens = QStringLiteral("frmExesoRem");
        }
    }
    d.detailRows = DetailedLines::adjustments(casilla, permanentOther, temporaryOther);
    return d;
}

// The excess over its limit of the recreational expenses (522) or of the board's remuneration
// (523), from the net income and the expense of each month (TMPF572DETBAS rows of addition 103
// and the line, type "E").
AssistantDef expenseExcess(int casilla) {
    static const char* const kMonths[] = {"Enero", "Febrero", "Marzo",     "Abril",   "Mayo",      "Junio",
                                          "Julio", "Agosto",  "Setiembre", "Octubre", "Noviembre", "Diciembre"};
    const bool recreational = casilla == 522;
    AssistantDef d;
    d.window = QStringLiteral("frmExesoRem");
    d.openedFrom = {casilla};
    d.caption = recreational ? u("Exceso de Gastos Recreativos - Casilla %1")
                             : u("Exceso de Remuneraciones del Directorio - Casilla %1");
    d.columns = 2;
    d.months = {QStringLiteral("103"), QString::number(casilla), QStringLiteral("E")};
    const QString income = u("Ingresos netos del mes");
    const QString expense = recreational ? u("Gastos recreativos del mes") : u("Remuneraciones del directorio del mes");
    for (const bool base : {true, false}) {
        for (int month = 1; month <= 12; ++month) {
            AssistantField f;
            f.month = month;
            f.base = base;
            f.group = base ? income : expense;
            f.label = QString::fromLatin1(kMonths[month - 1]);
            d.fields.append(f);
        }
    }
    const QString result = u("Exceso");
    auto shown = [&result](int id, const QString& label) {
        AssistantField f = computed(id, result, label);
        f.stored = false;
        return f;
    };
    d.fields.append(shown(ExpenseExcess::kIncome, u("Total ingresos netos")));
    d.fields.append(shown(ExpenseExcess::kExpense,
                          recreational ? u("Total gastos recreativos") : u("Total remuneraciones del directorio")));
    d.fields.append(shown(ExpenseExcess::kLimit, recreational ? u("Límite del 0.5% o 40 UIT") : u("Límite del 6%")));
    d.fields.append(computed(casilla, result, u("Exceso del límite")));
    d.calculation = std::make_shared<ExpenseExcess>();
    d.checks = {std::make_shared<MonthlyIncomeCheck>()};
    d.resultId = casilla;
    return d;
}

// The expense of one non-domiciled provider month by month (TMPF4170DET rows of the provider,
// CASILLA the month); its total goes back to the provider's expense.
AssistantDef providerExpense() {
    static const char* const kMonths[] = {"Enero", "Febrero", "Marzo",     "Abril",   "Mayo",      "Junio",
                                          "Julio", "Agosto",  "Setiembre", "Octubre", "Noviembre", "Diciembre"};
    AssistantDef d;
    d.window = QStringLiteral("frmNoDomicDet");
    d.caption = u("Detalle de Gastos con No Domiciliados");
    d.columns = 2;
    d.rowTable = QStringLiteral("TMPF4170DET");
    d.rowKeyColumns = {QStringLiteral("tipo_doc"), QStringLiteral("nro_doc"), QStringLiteral("tip_renta")};
    const QString monthly = u("Gasto del mes");
    AssistantField total = computed(kShownTotal + 582, u("Total"), u("Monto del gasto"));
    total.stored = false;
    AssistantTotal sum{total.casilla, {}, {}, {}};
    for (int month = 1; month <= 12; ++month) {
        AssistantField f;
        f.month = month;
        f.group = monthly;
        f.label = QString::fromLatin1(kMonths[month - 1]);
        d.fields.append(f);
        sum.adds.append(f.id());
    }
    d.fields.append(total);
    d.totals = {sum};
    d.resultId = total.casilla;
    return d;
}

} // namespace

const AssistantCatalog& AssistantCatalog::instance() {
    static const AssistantCatalog catalog;
    return catalog;
}

AssistantCatalog::AssistantCatalog() {
    m_defs.append(costOfSales());
    m_defs.append(additionsOrDeductions(103));
    m_defs.append(additionsOrDeductions(105));
    for (const int casilla : {461, 473, 475, 476, 477, 486}) {
        m_defs.append(incomeBySource(casilla));
    }
    m_defs.append(lossCompensation());
    m_defs.append(vehicleNetIncome());
    m_defs.append(vehicles(877));
    m_defs.append(vehicles(876));
    m_defs.append(ownedVehicles());
    m_defs.append(netIncomeByYear());
    m_defs.append(expenseExcess(522));
    m_defs.append(expenseExcess(523));
    m_defs.append(providerExpense());
}

const AssistantDef* AssistantCatalog::find(const QString& window, int casilla) const {
    const AssistantDef* first = nullptr;
    for (const AssistantDef& def : m_defs) {
        if (def.window.compare(window, Qt::CaseInsensitive) != 0) {
            continue;
        }
        if (def.openedFrom.contains(casilla)) {
            return &def;
        }
        if (first == nullptr) {
            first = &def;
        }
    }
    return first;
}

} // namespace qel::annexes
