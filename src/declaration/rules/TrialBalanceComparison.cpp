#include "declaration/rules/TrialBalanceComparison.h"

#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "declaration/model/DeclarationFormModel.h"
#include "declaration/rules/ConsistencyRules.h"
#include "store/Database.h"

#include <QSqlQuery>
#include <cmath>

namespace qel::declaration {

namespace {

// The six sums of the trial balance over a set of accounts.
struct Sums {
    double initial = 0;     // sInicial: opening balances, debit
    double final = 0;       // sFinal: closing balances, debit
    double assets = 0;      // sActivo
    double liabilities = 0; // sPasivo
    double gains = 0;       // sResulGanancia
    double losses = 0;      // sResulPerdida
};

// A whole amount, as the sums are compared.
double whole(double value) {
    return app::roundHalfAway(value);
}

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

QString placeholders(int count) {
    QStringList marks;
    for (int i = 0; i < count; ++i) {
        marks.append(QStringLiteral("?"));
    }
    return marks.join(QLatin1Char(','));
}

const QStringList kGoods = {"20111", "20112", "202", "2031", "2032", "204", "208"};
const QStringList kRealEstate = {"31111", "31112", "31113", "31121", "31122",
                                 "31123", "31211", "31212", "31213", "31214"};
const QStringList kLeased = {"3211", "3212", "3221", "3222", "3223", "3224", "3225", "3226", "3227"};
const QStringList kFixedAssets = {
    "33111", "33112", "33211", "33212", "33213", "33221", "33222", "33223", "33231", "33232", "33233", "33241", "33242",
    "33243", "33311", "33312", "33313", "33411", "33412", "33421", "33422", "33511", "33512", "33521", "33522", "33611",
    "33612", "33621", "33622", "33631", "33632", "33691", "33692", "33711", "33712", "33721", "33722", "3381",  "3382",
    "3383",  "3386",  "3387",  "3391",  "3392",  "3393",  "3394",  "33971", "33981", "33982", "3399"};
const QStringList kCapital = {"5011", "5012", "502"};
const QStringList kSales = {"70111", "70112", "70121", "70122", "70131", "70132", "70141", "70142", "70151",
                            "70152", "70211", "70212", "70221", "70222", "70231", "70232", "70241", "70242",
                            "70251", "70252", "70311", "70312", "70321", "70322", "7041",  "7042"};
const QStringList kReturns = {"70911", "70912", "70913", "70914", "70915", "70921", "70922", "70923",
                              "70924", "70925", "70931", "70932", "70933", "70934", "70935", "70941",
                              "70942", "70943", "70944", "70945", "70951", "70952", "70961", "70962"};
const QStringList kDiscounts = {"7411", "7412"};
const QStringList kDonations = {"6591"};
const QStringList kFines = {"65921", "65922", "65929"};

Sums sumsOf(DeclarationFormModel& model, const QStringList& accounts) {
    store::SqlFilter where = model.key().filter();
    QVariantList codes;
    for (const QString& code : accounts) {
        codes.append(code);
    }
    where.andCondition(QStringLiteral("trim(Codigo) IN (") + placeholders(static_cast<int>(accounts.size())) +
                           QLatin1Char(')'),
                       codes);
    const store::SqlDialect& dialect = model.context().db.dialect();
    auto column = [&dialect](const char* name) { return dialect.total(dialect.realOf(QString::fromLatin1(name))); };
    QSqlQuery query =
        model.context().db.run(QStringLiteral("SELECT ") +
                                   QStringList{column("saldos_ini_d"), column("saldo_deudor"), column("cuenta_bal_a"),
                                               column("cuenta_bal_p"), column("result_nat_g"), column("result_nat_p")}
                                       .join(QLatin1Char(',')) +
                                   QStringLiteral(" FROM TMPF582BALANCE") + where.text,
                               where.values);
    Sums sums;
    if (query.next()) {
        sums.initial = whole(query.value(0).toDouble());
        sums.final = whole(query.value(1).toDouble());
        sums.assets = whole(query.value(2).toDouble());
        sums.liabilities = whole(query.value(3).toDouble());
        sums.gains = whole(query.value(4).toDouble());
        sums.losses = whole(query.value(5).toDouble());
    }
    return sums;
}

// The opening and closing balances of the movement detail of a casilla (380-382).
std::pair<double, double> movementBalances(DeclarationFormModel& model, int casilla) {
    store::SqlFilter where = model.key().filter();
    where.andCondition(QStringLiteral("trim(CASILLA)=?"), {QString::number(casilla)});
    const store::SqlDialect& dialect = model.context().db.dialect();
    QSqlQuery query = model.context().db.run(QStringLiteral("SELECT %1, %2 FROM TMPF535MOV_IME")
                                                     .arg(dialect.total(dialect.realOf(QStringLiteral("saldoini"))),
                                                          dialect.total(dialect.realOf(QStringLiteral("saldofin")))) +
                                                 where.text,
                                             where.values);
    if (!query.next()) {
        return {0, 0};
    }
    return {whole(query.value(0).toDouble()), whole(query.value(1).toDouble())};
}

double box(const DeclarationFormModel& model, int n) {
    return model.hasBox(n) ? model.value(n) : 0;
}

// The movement casillas: their accounts, the words of their texts and of their descriptions.
struct Movement {
    int casilla;
    const QStringList* accounts;
    const char* subaccounts; // "inversiones inmobiliarias"
    const char* title;       // "Inversiones Inmobiliarias"
};

const Movement kMovements[] = {
    {380, &kRealEstate, "inversiones inmobiliarias", "Inversiones Inmobiliarias"},
    {381, &kLeased, "activos adquiridos en arrendamiento financiero", "Activos adquiridos en arrendamiento financiero"},
    {382, &kFixedAssets, "inmueble, maquinaria y equipo", "Inmuebles, maquinaria y equipo"},
};

} // namespace

TrialBalanceComparison::TrialBalanceComparison(DeclarationFormModel& model) : m_model(model) {}

QList<TrialBalanceComparison::Difference> TrialBalanceComparison::differences() const {
    QList<Difference> found;
    const QString actEco = QStringLiteral("OptActEco");
    if (!m_model.hasControl(actEco) || m_model.option(actEco) != 1) {
        return found;
    }
    store::SqlFilter declared = m_model.key().filter();
    QStringList nonZero;
    for (const char* column : {"saldos_ini_d", "saldos_ini_h", "mov_ejerci_d", "mov_ejerci_h", "tran_cance_d",
                               "tran_cance_h", "impli_niif_d", "impli_niif_h"}) {
        nonZero.append(m_model.context().db.dialect().realOf(QString::fromLatin1(column)) + QStringLiteral("<>0"));
    }
    declared.andCondition(QLatin1Char('(') + nonZero.join(QStringLiteral(" OR ")) + QLatin1Char(')'));
    if (m_model.context()
            .db.scalar(QStringLiteral("SELECT count(*) FROM TMPF582BALANCE") + declared.text, declared.values)
            .toInt() == 0) {
        return found;
    }

    const QString verify = utf8(" Por favor verificar esta información para evitar inconsistencias");
    const QString financialPosition = utf8("-Detalle del Activo del Estado Financiero-Balance de Situación financiera");

    if (sumsOf(m_model, kGoods).assets != box(m_model, 368)) {
        found.append({368,
                      utf8("Sr. Contribuyente, la sumatoria de las divisionarias de mercaderías del balance de "
                           "comprobación no pueden ser diferentes al importe de la casilla 368.") +
                          verify,
                      utf8("368 Información de mercaderías") + financialPosition});
    }
    for (const Movement& movement : kMovements) {
        const Sums sums = sumsOf(m_model, *movement.accounts);
        const auto [opening, closing] = movementBalances(m_model, movement.casilla);
        const QString number = QString::number(movement.casilla);
        auto text = [&](const char* balances) {
            return utf8("Sr. Contribuyente, el importe de la sumatoria de %1 declarados en el asistente de la casilla "
                        "%2, es diferente  a los importes de las divisionarias de %3 del balance de comprobación.")
                       .arg(utf8(balances), number, utf8(movement.subaccounts)) +
                   verify + QLatin1Char('.');
        };
        auto description = [&](const char* balance) {
            return utf8("%1 Información del %2 de %3").arg(number, utf8(balance), utf8(movement.title)) +
                   financialPosition;
        };
        if (sums.initial != opening) {
            found.append({movement.casilla, text("saldos iniciales"), description("saldo inicial")});
        }
        if (sums.final != closing) {
            found.append({movement.casilla, text("saldos finales"), description("saldo final")});
        }
    }
    if (sumsOf(m_model, kCapital).liabilities != box(m_model, 414)) {
        found.append({414,
                      utf8("Sr. Contribuyente, el importe de la casilla 414, es diferente a los importes de las "
                           "divisionarias de capital del balance de comprobación.") +
                          verify + QLatin1Char('.'),
                      utf8("414 Información de capital-Detalle del Patrimonio del Estado Financiero-Balance de "
                           "Situación financiera")});
    }
    if (sumsOf(m_model, kSales).gains - sumsOf(m_model, kReturns).losses != box(m_model, 461)) {
        found.append({461,
                      utf8("Sr. Contribuyente, el importe de la casilla 461 es diferente a las divisionarias de ventas "
                           "netas e ingresos por servicios del balance de comprobación.") +
                          verify,
                      utf8("461 Información de las Ventas netas o ingr. por servicios-Estado Financiero Ganancias y "
                           "Pérdidas")});
    }
    if (sumsOf(m_model, kDiscounts).losses != std::fabs(box(m_model, 462))) {
        found.append({462,
                      utf8("Sr. Contribuyente, la sumatoria de las divisionarias de descuentos, rebajas y "
                           "bonificaciones concedidas del balance de comprobación, no pueden ser diferentes  al "
                           "importe de la casilla 462.") +
                          verify + QLatin1Char('.'),
                      utf8("462 Información de Des. rebajas y bonif. concedidas-Estado Financiero Ganancias y "
                           "Pérdidas")});
    }
    // The donation is a deduction: its size is compared, whatever sign the box shows.
    if (std::fabs(box(m_model, 227)) > sumsOf(m_model, kDonations).losses) {
        found.append({227,
                      utf8("Sr. Contribuyente, el importe de la divisionaria de donaciones del balance de comprobación "
                           "es menor  al importe de la donación registrada en la casilla 227.") +
                          verify + QLatin1Char('.'),
                      utf8("227 Importe de Donaciones registrado en la pestaña exonerac. y otros benef. De la pestaña "
                           "de identificación.")});
    }
    if (sumsOf(m_model, kFines).losses != ConsistencyRules::keptValue(m_model, 528)) {
        found.append({103,
                      utf8("Sr. Contribuyente, el importe de multas, recargos, intereses moratorios y sanciones del "
                           "asistente de la casilla 103 es diferente al importe registrado por sanciones "
                           "administrativas del balance de comprobación.") +
                          verify + QLatin1Char('.'),
                      utf8("103 Importe de Multas, recargos, intereses moratorios y sanciones-Detalle del asistente de "
                           "Adiciones de la pestaña Impuesto a la Renta")});
    }
    return found;
}

QStringList TrialBalanceComparison::reportLines() const {
    QStringList lines;
    for (const Difference& difference : differences()) {
        lines.append(difference.text);
        lines.append(difference.description);
    }
    return lines;
}

QString TrialBalanceComparison::messageText(const QList<int>& casillas) {
    QStringList numbers;
    for (const int casilla : casillas) {
        numbers.append(QString::number(casilla));
    }
    return utf8("Sr. Contribuyente, existen diferencias entre la información reportada entre las divisionarias "
                "correspondientes del balance de comprobación y las siguientes casillas: ") +
           numbers.join(QStringLiteral(", ")) +
           utf8(". Por favor verificar esta información para evitar inconsistencias.");
}

bool TrialBalanceComparison::showMessage() {
    QList<int> casillas;
    for (const Difference& difference : differences()) {
        if (!casillas.contains(difference.casilla)) {
            casillas.append(difference.casilla);
        }
    }
    if (casillas.isEmpty()) {
        return false;
    }
    m_model.context().prompter.message(messageText(casillas), m_model.caption, app::Icon::Information);
    return true;
}

} // namespace qel::declaration
