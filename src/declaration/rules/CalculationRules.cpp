#include "declaration/rules/CalculationRules.h"

#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "catalogue/FormControls.h"
#include "declaration/model/DeclarationFormModel.h"
#include "declaration/rules/CalculationRuleTable.h"
#include "store/Database.h"
#include "store/ParamLookups.h"

#include <QSqlQuery>
#include <cmath>

namespace qel::declaration {

namespace {

using app::masks::kAmount;
using app::masks::kParenthesised;
using app::masks::kSigned;

const QString kRegimeLimitText =
    QStringLiteral("Sus ingresos superan las 1700 UIT, usted debe declarar en el Régimen General.");

double floorZero(double x) {
    return x < 0 ? 0 : x;
}

} // namespace

CalculationRules::CalculationRules(DeclarationFormModel& model) : m_model(model) {
    m_model.casillaHelp = [this](int n) { return help(n); };
    m_model.onCasillaChanged([this](int n) { dispatch(n); });
    m_model.onCasillaLeft([this](int n) {
        static const QList<std::pair<int, int>> pairs = {{352, 353}, {354, 355}, {416, 417}, {421, 422},
                                                         {423, 424}, {481, 483}, {211, 212}};
        for (const auto& [first, second] : pairs) {
            if (n == first) {
                pTemCasillas(first, second);
            } else if (n == second) {
                pTemCasillas(second, first);
            }
        }
    });
    if (m_model.hasControl(QStringLiteral("OpRegRenta"))) {
        m_model.onControl(QStringLiteral("OpRegRenta"), [this](int) { checkRegimeLimit(); });
    }
    m_model.onAnswersApplied([this] { recalculateLoadedTax(); });
    if (m_model.hasControl(QStringLiteral("TxtTotalSaldo"))) {
        // A new loss balance carries a new 111 forward (not while the form loads).
        m_model.onControl(QStringLiteral("TxtTotalSaldo"), [this](int) {
            if (!m_model.loading()) {
                Calcular110y111();
            }
        });
    }
    m_model.onBoxPointed([this](int casilla) { showHelp(casilla); });
    if (m_model.hasControl(QStringLiteral("OptRectifica"))) {
        // Rectifying or not decides what the tax of 500 is compared with.
        m_model.onControl(QStringLiteral("OptRectifica"), [this](int) { Calcular500(); });
    }
}

// The casillas of a stored declaration are read before its answers reach the option buttons,
// so the tax they recompute meanwhile is that of the general regime. Once the answers are in
// place the rate is chosen again: the regime, the exemption, the benefits and the Amazonía
// zone all decide it. A tax the taxpayer typed ("Otros" benefit) is left as stored.
void CalculationRules::recalculateLoadedTax() {
    if (!m_model.hasBox(113) || m_model.isEmpty(110)) {
        return;
    }
    if (hasTaxBenefits() && benefitCode() == QStringLiteral("9")) {
        return;
    }
    Calcular113();
}

// --- Reading and writing -------------------------------------------------------------------

double CalculationRules::v(int n) const {
    return m_model.hasBox(n) ? m_model.value(n) : 0;
}

double CalculationRules::a(int n) const {
    return std::fabs(v(n));
}

bool CalculationRules::empty(std::initializer_list<int> numbers) const {
    for (const int n : numbers) {
        if (m_model.hasBox(n) && !m_model.isEmpty(n)) {
            return false;
        }
    }
    return true;
}

void CalculationRules::write(int n, double value, const QString& mask) {
    if (m_model.hasBox(n)) {
        m_model.setValue(n, value, mask);
    }
}

// The result goes to the positive member when it is not negative, else to the negative
// member as its absolute value in parentheses; the other member shows zero.
void CalculationRules::writePair(int positive, int negative, double result) {
    if (result >= 0) {
        write(positive, result, kAmount);
        write(negative, 0, kParenthesised);
    } else {
        write(positive, 0, kAmount);
        write(negative, -result, kParenthesised);
    }
}

void CalculationRules::writeTotal(int target, std::initializer_list<int> added, std::initializer_list<int> subtracted,
                                  const QString& mask) {
    if (empty(added) && empty(subtracted)) {
        m_model.setText(target, QString());
        return;
    }
    double total = 0;
    for (const int n : added) {
        total += v(n);
    }
    for (const int n : subtracted) {
        total -= a(n);
    }
    write(target, total, mask);
}

void CalculationRules::lockAsComputed(int n) {
    m_model.setEnabled(n, true);
    m_model.setLocked(n, true);
    m_model.setColour(n, BoxColour::ButtonFace);
}

// --- Answers -------------------------------------------------------------------------------

bool CalculationRules::answeredSi(const QString& option, int answerCasilla) const {
    if (m_model.hasControl(option) && m_model.option(option) == 1) {
        return true;
    }
    return m_model.hasControl(option) && m_model.option(option) < 0 &&
           m_model.answerSlots.value(answerCasilla) == QStringLiteral("1");
}

bool CalculationRules::isMype() const {
    return m_model.hasControl(QStringLiteral("OpRegRenta")) && m_model.option(QStringLiteral("OpRegRenta")) == 2;
}

bool CalculationRules::isExempt() const {
    return answeredSi(QStringLiteral("OptTipoCont"), 803);
}

bool CalculationRules::isUnaffected() const {
    return answeredSi(QStringLiteral("OptInafectacion"), 217);
}

bool CalculationRules::hasStabilityAgreement() const {
    return answeredSi(QStringLiteral("OptConvEstab"), 804);
}

bool CalculationRules::hasTaxBenefits() const {
    return answeredSi(QStringLiteral("OptBeneficiosTrib"), 802);
}

bool CalculationRules::isNonDomiciled() const {
    return m_model.hasControl(QStringLiteral("OptDomiciliado")) &&
           m_model.option(QStringLiteral("OptDomiciliado")) == 0;
}

QString CalculationRules::benefitCode() const {
    if (!hasTaxBenefits() || !m_model.hasControl(controls::kTaxBenefit)) {
        return {};
    }
    return m_model.comboCode(controls::kTaxBenefit).trimmed();
}

int CalculationRules::zone() const {
    if (!m_model.hasControl(QStringLiteral("OptZona"))) {
        return 0;
    }
    switch (m_model.option(QStringLiteral("OptZona"))) {
    case 0:
        return 1;
    case 1:
        return 2;
    default:
        return 0;
    }
}

// The UIT of the period cannot change while the form is open: it is read once per form, not
// on every keystroke that reaches the tax.
double CalculationRules::uit() const {
    if (!m_uit) {
        store::ParamLookups lookups(m_model.context().db);
        m_uit = app::val(lookups.UitForYear(m_model.context().periodo));
    }
    return *m_uit;
}

double CalculationRules::revenue() const {
    return a(463) + a(473) + a(475) + a(477) + a(481);
}

// --- Dispatcher ----------------------------------------------------------------------------

// The rules that read the casilla run in their dependency order; each result they write fires
// its own change, so the change ripples on to the rules that read it.
void CalculationRules::dispatch(int n) {
    for (const CalculationRule* rule : CalculationRuleTable::after(n)) {
        (this->*(rule->run))();
    }
}

// --- Income statement ----------------------------------------------------------------------

void CalculationRules::Calcular463() {
    write(463, floorZero(v(461) - a(462)), kAmount);
}

void CalculationRules::Calcular466y467() {
    writePair(466, 467, v(463) - a(464));
}

void CalculationRules::Calcular470y471() {
    writePair(470, 471, v(466) - a(467) - a(468) - a(469));
}

void CalculationRules::Calcular484y485() {
    writePair(484, 485,
              v(470) - a(471) - a(472) + v(473) + v(475) + v(476) + v(477) - a(478) - a(480) + v(481) - a(483));
}

void CalculationRules::Calcular487y489() {
    writePair(487, 489, v(484) - a(485) - a(486));
}

void CalculationRules::Calcular492y493() {
    writePair(492, 493, v(487) - a(489) - a(490));
}

// 100 and 101 follow the profit or loss of the income statement.
void CalculationRules::Calcular100y101() {
    write(100, v(487), kAmount);
    write(101, a(489), kParenthesised);
}

// --- Balance sheet -------------------------------------------------------------------------

void CalculationRules::Calcular330() {
    writeTotal(330, {300, 301, 302, 304, 305, 306, 307, 308, 310, 311, 313, 314, 315, 316, 317, 325, 327, 329},
               {303, 326, 328}, kSigned);
}

void CalculationRules::Calcular342() {
    writeTotal(342, {331, 332, 333, 335, 336, 337, 338, 339, 340, 341}, {}, kSigned);
}

void CalculationRules::Calcular356() {
    writeTotal(356, {344, 345, 346, 347, 348, 349, 350, 352, 354}, {353, 355}, kSigned);
}

void CalculationRules::Calcular358() {
    writeTotal(358, {342, 356}, {}, kSigned);
}

void CalculationRules::Calcular390() {
    writeTotal(390, {359, 360, 361, 362, 363, 364, 365, 366, 368, 369, 370, 371, 372,
                     373, 374, 375, 377, 378, 379, 380, 381, 382, 384, 385, 388, 389},
               {367, 376, 383, 386, 387}, kSigned);
}

void CalculationRules::Calcular412() {
    writeTotal(412, {401, 402, 403, 404, 405, 406, 407, 408, 409, 410, 411}, {}, kSigned);
}

void CalculationRules::Calcular425() {
    writeTotal(425, {414, 415, 416, 418, 419, 420, 421, 423}, {417, 422, 424}, kSigned);
}

void CalculationRules::Calcular426() {
    writeTotal(426, {412, 425}, {}, kSigned);
}

// --- Tax base and tax ----------------------------------------------------------------------

void CalculationRules::Calcular106y107() {
    if (empty({100, 101, 103, 105})) {
        m_model.setText(106, QString());
        m_model.setText(107, QString());
        return;
    }
    const double r = v(100) + v(103) - a(101) - a(105);
    if (r >= 0) {
        write(106, r, kSigned);
        write(107, 0, kParenthesised);
    } else {
        write(106, 0, kSigned);
        write(107, -r, kParenthesised);
    }
}

void CalculationRules::Activar120() {
    if (empty({100, 101, 103, 105})) {
        return;
    }
    if (v(100) + v(103) - a(101) - a(105) < 0) {
        m_model.Habcasilla(120);
    } else {
        m_model.Descasilla(120);
    }
}

// The loss carry-forward system matters only in a year with a loss.
void CalculationRules::MostrarArrastre() {
    if (m_model.hasControl(QStringLiteral("OptArrastre2005"))) {
        m_model.controlState(QStringLiteral("OptArrastre2005")).visible = a(107) > 0;
        m_model.changed(QStringLiteral("OptArrastre2005"));
    }
}

// Casilla 108 is the loss assistant's total; its detail lives in the window that owns it.
void CalculationRules::Calcular108() {}

void CalculationRules::Calcular110y111() {
    if (empty({106, 108})) {
        m_model.setText(110, QString());
    } else {
        write(110, floorZero(v(106) - a(108)), kAmount);
    }
    if (empty({106, 107, 108})) {
        m_model.setText(111, QString());
    } else {
        const double balance = m_model.hasControl(QStringLiteral("TxtTotalSaldo"))
                                   ? std::fabs(app::readWhole(m_model.controlText(QStringLiteral("TxtTotalSaldo"))))
                                   : 0;
        double carried = 0;
        if (a(107) > 0) {
            carried = a(107) + balance - a(108);
            m_model.ruleFormulas.insert(111, QStringLiteral("111 = abs(107) + saldo − abs(108)"));
        } else if (a(108) >= a(106)) {
            carried = std::fabs(balance - a(106));
            m_model.ruleFormulas.insert(111, QStringLiteral("111 = abs(saldo − abs(106))"));
        } else {
            carried = std::fabs(balance - a(108));
            m_model.ruleFormulas.insert(111, QStringLiteral("111 = abs(saldo − abs(108))"));
        }
        write(111, carried, kParenthesised);
    }
    Calcular113();
}

void CalculationRules::Calcular113() {
    const double base = v(110);
    const double m = 15 * uit();
    QString rate = QStringLiteral("29.5");
    double tax = base * 0.295;
    if (isMype()) {
        rate = QStringLiteral("10.0");
        tax = base * 0.10;
    }
    // Exempt and unaffected taxpayers pay no tax, but next year's coefficient still follows.
    if (isExempt()) {
        m_model.currentRate = QStringLiteral("0");
        m_model.ruleFormulas.insert(113, QStringLiteral("113 = 0"));
        m_model.fixAtZero(113);
        CalcularCoef686();
        CalcularCoef();
        return;
    }
    if (isUnaffected()) {
        m_model.ruleFormulas.insert(113, QStringLiteral("113 = 0"));
        m_model.fixAtZero(113);
        CalcularCoef686();
        CalcularCoef();
        return;
    }
    if (hasStabilityAgreement()) {
        m_model.ruleFormulas.insert(113, QString());
        if (!m_model.loading()) {
            m_model.Habcasilla(113);
        }
        return;
    }
    const bool otherBenefit = hasTaxBenefits() && m_model.hasBox(201) && m_model.box(201).enabled;
    if (otherBenefit) {
        m_model.ruleFormulas.insert(113, QString());
        if (!m_model.loading()) {
            m_model.Habcasilla(113);
            if (v(113) == 0) {
                write(686, 0, QStringLiteral("0"));
            }
            CalcularCoef686();
            CalcularCoef();
        }
        return;
    }
    if (isNonDomiciled()) {
        m_model.ruleFormulas.insert(113, QString());
        if (!m_model.loading()) {
            m_model.Habcasilla(113);
        }
        return;
    }
    const QString code = benefitCode();
    bool decided = false;
    if (code == QStringLiteral("1") || code == QStringLiteral("2")) {
        rate = QStringLiteral("15");
        tax = base * 0.15;
        decided = true;
    } else if (code == QStringLiteral("3")) {
        rate = QStringLiteral("10");
        tax = base * 0.10;
        decided = true;
    }
    bool general = !decided;
    if (!decided) {
        const bool amazonActivity =
            answeredSi(QStringLiteral("OptUbicAmazonia"), 809) || answeredSi(QStringLiteral("OptLeyAmazonia"), 810);
        const bool amazonDomicile = answeredSi(QStringLiteral("OptDomFiscal"), 860);
        if (amazonActivity && amazonDomicile) {
            general = false;
            if (zone() == 1) {
                rate = QStringLiteral("10");
                tax = base * 0.10;
            } else if (zone() == 2) {
                rate = QStringLiteral("5");
                tax = base * 0.05;
            }
        }
    }
    QString formula = QStringLiteral("113 = 110 × ") + rate + QStringLiteral(" %");
    if (general) {
        if (isMype()) {
            rate = QStringLiteral("10.0");
            tax = base <= m ? base * 0.10 : (base - m) * 0.295 + m * 0.10;
            formula = base <= m ? QStringLiteral("113 = 110 × 10 %")
                                : QStringLiteral("113 = (110 − 15 × UIT) × 29.5 % + 15 × UIT × 10 %");
        } else {
            rate = QStringLiteral("29.5");
            tax = base * 0.295;
            formula = QStringLiteral("113 = 110 × 29.5 %");
        }
    }
    m_model.ruleFormulas.insert(113, formula);
    m_model.currentRate = rate;
    lockAsComputed(113);
    write(113, tax, kAmount);
    if (v(110) == 0) {
        write(686, 0, QStringLiteral("0"));
    }
    CalcularCoef686();
    CalcularCoef();
}

void CalculationRules::CalcularCoef686() {
    if (isExempt()) {
        m_model.setText(686, QStringLiteral("0"));
        return;
    }
    const double denominator = a(463) + a(473) + a(475) + a(477) + a(481);
    if (denominator == 0) {
        m_model.setText(686, QStringLiteral("0"));
        return;
    }
    write(686, a(113) / denominator, app::masks::kCoefficient);
}

void CalculationRules::CalcularCoef() {
    const double coefficient = app::readAmount(m_model.text(686));
    if (coefficient != 0) {
        m_model.ruleFormulas.insert(610, QStringLiteral("610 = 686 × 100"));
        write(610, coefficient * 100, app::masks::kPercentage);
        return;
    }
    const QString code = benefitCode();
    QString percentage;
    if (code == QStringLiteral("1")) {
        percentage = QStringLiteral("0.8");
    } else if (code == QStringLiteral("3")) {
        percentage = isExempt() ? QStringLiteral("0") : QStringLiteral("0.5");
    } else if (zone() == 1) {
        percentage = QStringLiteral("0.5");
    } else if (zone() == 2) {
        percentage = QStringLiteral("0.3");
    } else {
        percentage = QStringLiteral("1.5");
    }
    m_model.ruleFormulas.insert(610, QStringLiteral("610 = ") + percentage);
    m_model.setText(610, percentage);
}

void CalculationRules::CalcularPor() {
    QString value = QStringLiteral("0.020");
    const QString code = benefitCode();
    if (isExempt() || hasStabilityAgreement()) {
        value = QStringLiteral("0");
    } else if (code == QStringLiteral("1") || code == QStringLiteral("2")) {
        value = QStringLiteral("0.0100");
    } else if (code == QStringLiteral("3")) {
        value = QStringLiteral("0.0070");
    } else if (zone() == 1) {
        value = QStringLiteral("0.0070");
    } else if (zone() == 2) {
        value = QStringLiteral("0.0040");
    }
    m_model.ruleFormulas.insert(610, QStringLiteral("610 = ") + value);
    m_model.setText(610, value);
}

// Without a tax base the percentage comes from the answers alone; with one it follows the
// coefficient of the tax, as after any computation.
void CalculationRules::RefrescarPor() {
    if (m_model.isEmpty(110)) {
        CalcularPor();
        return;
    }
    CalcularCoef686();
    CalcularCoef();
}

// --- Box-less casillas kept with the declaration -------------------------------------------

// A value the form keeps outside its boxes; the save writes it as a DET row, an empty one
// leaves none.
void CalculationRules::keep(int n, const QString& text) {
    if (text.isEmpty()) {
        m_model.keptCasillas.remove(n);
    } else {
        m_model.keptCasillas.insert(n, text);
    }
}

// 151 keeps the taxable base of 110 on which the tax of 113 was computed.
void CalculationRules::Calcular151() {
    keep(151, m_model.isEmpty(110) ? QString() : app::formatNumber(floorZero(v(110)), app::masks::kWhole));
}

// 114 is the income tax of the declaration that a rectifying declaration replaces: casilla 113
// of the latest version sent of this declaration. An original declaration, or one never sent,
// rectifies nothing and keeps no 114.
void CalculationRules::Calcular114() {
    if (m_model.historyView || !answeredSi(QStringLiteral("OptRectifica"), 805)) {
        keep(114, QString());
        return;
    }
    store::SqlFilter where = m_model.key().filter();
    where.andCondition(QStringLiteral("CAST(CASILLA AS INTEGER)=?"), {113});
    const QVariant sent =
        m_model.context().db.scalar(QStringLiteral("SELECT i_valor FROM HDET") + where.text +
                                        QStringLiteral(" ORDER BY CAST(CORREL AS INTEGER) DESC LIMIT 1"),
                                    where.values);
    keep(114,
         sent.isNull() ? QString() : app::formatNumber(std::fabs(app::readWhole(sent.toString())), app::masks::kWhole));
}

// 500 = 113 - |114|, never below zero: the tax that the declaration adds to the one it
// rectifies (all of 113 for an original declaration).
void CalculationRules::Calcular500() {
    Calcular114();
    if (m_model.isEmpty(113)) {
        keep(500, QString());
        return;
    }
    const double rectified = std::fabs(app::readWhole(m_model.keptCasillas.value(114)));
    keep(500, app::formatNumber(floorZero(v(113) - rectified), app::masks::kWhole));
}

// --- Credits and balance due ---------------------------------------------------------------

void CalculationRules::Calcular504() {
    write(504, floorZero(v(113) - (a(123) + a(125) + a(136) + a(134) + a(126))), kAmount);
}

void CalculationRules::Calcular506() {
    write(506, v(504) - a(127) - a(128) - a(129) - a(130) - a(124), kSigned);
}

void CalculationRules::Calcular505_138y139() {
    if (isUnaffected()) {
        m_model.setText(138, QString());
        m_model.setText(139, QString());
        for (const int n : {141, 144, 145}) {
            m_model.Descasilla(n);
        }
        return;
    }
    const double r = v(506) - a(131);
    if (r < 0) {
        write(138, -r, kParenthesised);
        write(139, 0, kAmount);
    } else {
        write(138, 0, kParenthesised);
        write(139, r, kAmount);
    }
    if (a(138) != 0) {
        m_model.Habcasilla(137);
        restoreRefundOption();
    } else {
        m_model.Descasilla(137);
    }
    const bool rectifies = answeredSi(QStringLiteral("OptRectifica"), 805);
    for (const int n : {141, 144, 145}) {
        if (rectifies) {
            if (!m_model.loading() && !m_model.box(n).enabled) {
                m_model.Habcasilla(n);
            }
        } else if (m_model.box(n).enabled || !m_model.isEmpty(n)) {
            m_model.Descasilla(n);
        }
    }
    write(505, v(139) + v(142), kSigned);
}

// While a declaration loads, a balance in favour computed before all its casillas are read
// may empty 137 for a moment; the refund option comes back from its stored slot.
void CalculationRules::restoreRefundOption() {
    if (m_model.loading() && m_model.isEmpty(137) && !m_model.answerSlots.value(137).trimmed().isEmpty()) {
        m_model.setText(137, m_model.answerSlots.value(137).trimmed());
    }
}

void CalculationRules::Calcular146() {
    if (empty({505, 141, 144, 145})) {
        m_model.setText(146, QString());
        return;
    }
    write(146, v(505) - a(141) - a(144) + a(145), kSigned);
}

double CalculationRules::assistantTotal(const QString& type, bool allColumns) const {
    const store::SqlDialect& dialect = m_model.context().db.dialect();
    QStringList parts;
    for (const char* column : {"saluti", "compen", "otrcre", "pago_r", "pago_iean", "pago_iean_r"}) {
        parts.append(dialect.realOf(QString::fromLatin1(column)));
        if (!allColumns) {
            break;
        }
    }
    const QString columns = parts.join(QStringLiteral(" + "));
    const QVariant total = m_model.context().db.scalar(
        QStringLiteral("SELECT sum(%1), count(*) FROM TMPACTA WHERE TIPO_ASIST=?").arg(columns), {type});
    return total.toDouble();
}

// A casilla kept by an assistant is its rows' total when the assistant holds rows.
void CalculationRules::setFromAssistant(int casilla, const QString& type, bool allColumns) {
    const QVariant rows =
        m_model.context().db.scalar(QStringLiteral("SELECT count(*) FROM TMPACTA WHERE TIPO_ASIST=?"), {type});
    if (rows.toInt() == 0) {
        return;
    }
    write(casilla, std::fabs(assistantTotal(type, allColumns)), kParenthesised);
}

void CalculationRules::Calcular126() {
    setFromAssistant(126, QStringLiteral("7"), false);
}

void CalculationRules::Calcular128() {
    setFromAssistant(128, QStringLiteral("4"), true);
}

void CalculationRules::Calcular130() {
    setFromAssistant(130, QStringLiteral("8"), false);
}

void CalculationRules::Calcular131() {
    setFromAssistant(131, QStringLiteral("9"), false);
}

// --- ITF -----------------------------------------------------------------------------------

void CalculationRules::Calcular157() {
    if (empty({155, 156})) {
        m_model.setText(157, QString());
        return;
    }
    write(157, floorZero(v(155) - v(156)), kAmount);
}

void CalculationRules::Calcular158() {
    if (empty({155})) {
        m_model.setText(158, QString());
        return;
    }
    write(158, v(155) * 0.15, kAmount);
}

void CalculationRules::Calcular159() {
    if (empty({157, 158})) {
        m_model.setText(159, QString());
        return;
    }
    write(159, floorZero(v(157) - v(158)), kAmount);
}

void CalculationRules::Calcular160() {
    if (empty({159})) {
        m_model.setText(160, QString());
        return;
    }
    if (v(159) >= 0) {
        write(160, v(159) * 0.005 / 100 * 2, kAmount);
    }
}

void CalculationRules::Calcular161() {
    if (empty({160})) {
        m_model.setText(161, QString());
        m_model.setText(565, QString());
        return;
    }
    write(161, floorZero(v(160)), kAmount);
    write(565, v(161), kSigned);
}

void CalculationRules::Calcular165() {
    if (empty({565, 163, 164, 143})) {
        m_model.setText(165, QString());
        return;
    }
    write(165, v(565) - a(163) - a(164) + a(143), kSigned);
}

void CalculationRules::SaldoDeudaTrib() {
    PaymentState& payment = m_model.payment();
    const bool toPay = a(180) + a(181) > 0;
    if (payment.enabled != toPay) {
        payment.enabled = toPay;
        if (!toPay) {
            payment = PaymentState{};
            payment.enabled = false;
        }
        m_model.paymentChanged();
    }
}

// --- Exclusive pairs and the regime limit --------------------------------------------------

void CalculationRules::pTemCasillas(int typed, int partner) {
    if (!m_model.hasBox(typed) || !m_model.hasBox(partner)) {
        return;
    }
    const bool textPair = typed == 211 || typed == 212;
    const bool both =
        textPair ? !m_model.isEmpty(typed) && !m_model.isEmpty(partner) : v(typed) != 0 && v(partner) != 0;
    if (!both) {
        return;
    }
    const QString text = QStringLiteral("Las casillas %1 y %2 son excluyentes.\n¿Desea registrar información en la "
                                        "casilla %1?.")
                             .arg(typed)
                             .arg(partner);
    const bool keepTyped = m_model.context().prompter.askYesNo(text, m_model.caption, app::Button::Yes);
    m_model.setText(keepTyped ? partner : typed, QString());
}

void CalculationRules::checkRegimeLimit() {
    const double limit = 1700 * uit();
    if (isMype() && revenue() > limit) {
        m_model.context().prompter.message(kRegimeLimitText, m_model.caption, app::Icon::Critical);
    }
    Calcular113();
}

// --- Help ----------------------------------------------------------------------------------

std::pair<QString, QString> CalculationRules::help(int n) const {
    const QString previousYear = QString::number(m_model.context().periodo.toInt() - 1);
    switch (n) {
    case 100:
        return {QStringLiteral("c100 = c487"), {}};
    case 101:
        return {QStringLiteral("c101 = c489"), {}};
    case 106:
        return {QStringLiteral("c106 = c100 - c101 + c103 - c105"), {}};
    case 107:
        return {QStringLiteral("c107 = c100 - c101 + c103 - c105"), {}};
    case 110:
        return {QStringLiteral("c110 = c106 - c108"), {}};
    case 111:
        return {QStringLiteral("c111=(c106 ó cas 107)+MIN(Cas 107,Cas 120))-Tot. saldo Pérd. al 31/12/") +
                    previousYear + QStringLiteral(" Si cas108 >= cas106"),
                QStringLiteral("c111 =  - (Total saldo de Pérdidas al 31/12/") + previousYear +
                    QStringLiteral(" - c108)                        Si cas108 < cas106")};
    case 113:
        if (isExempt()) {
            return {QStringLiteral("c113 = 0"), {}};
        }
        if (m_model.hasBox(113) && !m_model.box(113).locked) {
            return {};
        }
        return {QStringLiteral("c113 = c110 * ") + m_model.currentRate + QStringLiteral(" %"), {}};
    case 119:
        return {QStringLiteral("c119 = c500"), {}};
    case 138:
        return {QStringLiteral("c138 = c504 - c127 - c128 - c129       (Si es positivo ‘0’)"), {}};
    case 139:
        return {QStringLiteral("c139 = c504 - c127 - c128 - c129       (Si es negativo ‘0’)"), {}};
    case 146:
        return {QStringLiteral("c146 = c505 - c141 - c144 + c145"), {}};
    case 157:
        return {QStringLiteral("c157 = c155 - c156"), {}};
    case 165:
        return {QStringLiteral("c165 = c565 - c163 + c164"), {}};
    case 330:
        return {QStringLiteral("c330=c300+c301+c302+c304-c303+c305+c306+c307+c308+c310+c311+c313+"),
                QStringLiteral("c314+c315+c316+c317-c328+c325-c326+c327+c329")};
    case 342:
        return {QStringLiteral("c342 = c331 + c332 + c333 + c335 + c336 + c337 + c338 + c339 + c340 + c341"), {}};
    case 356:
        return {QStringLiteral("c356 = c344 + c345 + c346 + c347 + c349 +  c348 + c350 + c352 - c353 + c354 - c355"),
                {}};
    case 358:
        return {QStringLiteral("c358 = c342 + c356"), {}};
    case 463:
        return {QStringLiteral("c463 = c461 - c462"), {}};
    case 466:
        return {QStringLiteral("c466 = c463 - c464"), {}};
    case 467:
        return {QStringLiteral("c467 = c463 - c464"), {}};
    case 470:
        return {QStringLiteral("c470 = c466 - c467 - c468 - c469"), {}};
    case 471:
        return {QStringLiteral("c471 = c466 - c467 - c468 - c469"), {}};
    case 484:
        return {QStringLiteral("c484 = c470-c471-c472+c473+c475+c476+c477-c478-c480 + c481 - c483"), {}};
    case 485:
        return {QStringLiteral("c485 = c470-c471-c472+c473+c475+c476+c477-c478-c480 + c481 - c483"), {}};
    case 487:
        return {QStringLiteral("c487 = c484 - c485 - c486"), {}};
    case 489:
        return {QStringLiteral("c489 = c484 - c485 - c486"), {}};
    case 492:
        return {QStringLiteral("c492 = c487 - c489 - c490"), {}};
    case 493:
        return {QStringLiteral("c493 = c487 - c489 - c490"), {}};
    case 500:
        return {QStringLiteral("c500 = c113 - c114"), {}};
    case 504:
        return {QStringLiteral("c504 = c113 - c123 - c136 - c134 - c125"), {}};
    case 505:
        return {QStringLiteral("c505 = c139 + c142"), {}};
    case 565:
        return {QStringLiteral("c565 = c161"), {}};
    default:
        break;
    }
    const CasillaDef* def = m_model.casillas().find(n);
    if (def != nullptr && (def->kind == BoxKind::Switched || def->kind == BoxKind::Assistant) &&
        (n == 201 || n == 216 || n == 222 || n == 224 || n == 227 || n == 278)) {
        return {QStringLiteral("El registro de esta información es de caracter obligatorio"),
                QStringLiteral("en los conceptos que le correspondan.")};
    }
    return {QStringLiteral("Anotar los importes en soles sin considerar céntimos."), {}};
}

void CalculationRules::showHelp(int casilla) {
    const auto [first, second] = help(casilla);
    m_model.setHelpText(first, second);
}

} // namespace qel::declaration
