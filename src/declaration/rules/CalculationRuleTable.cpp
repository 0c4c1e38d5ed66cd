#include "declaration/rules/CalculationRuleTable.h"

#include "declaration/rules/CalculationRules.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>

namespace qel::declaration {

namespace {

using R = CalculationRules;

QList<int> span(int first, int last, std::initializer_list<int> skipped = {}) {
    QList<int> numbers;
    for (int n = first; n <= last; ++n) {
        if (std::find(skipped.begin(), skipped.end(), n) == skipped.end()) {
            numbers.append(n);
        }
    }
    return numbers;
}

QList<CalculationRule> declare() {
    const QString pair = QStringLiteral("par: un resultado negativo pasa al segundo miembro entre paréntesis");
    const QString allEmpty = QStringLiteral("todas las casillas vacías: se vacía");
    return {
        // Income statement.
        {QStringLiteral("Calcular463"),
         {463},
         {461, 462},
         {QStringLiteral("463 = max(0, 461 − abs(462))")},
         QStringLiteral("nunca menor que cero"),
         RuleTrigger::Inputs,
         &R::Calcular463,
         {}},
        {QStringLiteral("Calcular466y467"),
         {466, 467},
         {463, 464},
         {QStringLiteral("466 / 467 = 463 − abs(464)")},
         pair,
         RuleTrigger::Inputs,
         &R::Calcular466y467,
         {}},
        {QStringLiteral("Calcular470y471"),
         {470, 471},
         {466, 467, 468, 469},
         {QStringLiteral("470 / 471 = 466 − abs(467) − abs(468) − abs(469)")},
         pair,
         RuleTrigger::Inputs,
         &R::Calcular470y471,
         {}},
        {QStringLiteral("Calcular484y485"),
         {484, 485},
         {470, 471, 472, 473, 475, 476, 477, 478, 480, 481, 483},
         {QStringLiteral("484 / 485 = 470 − abs(471) − abs(472) + 473 + 475 + 476 + 477 − abs(478) − abs(480) + "
                         "481 − abs(483)")},
         pair,
         RuleTrigger::Inputs,
         &R::Calcular484y485,
         {}},
        {QStringLiteral("Calcular487y489"),
         {487, 489},
         {484, 485, 486},
         {QStringLiteral("487 / 489 = 484 − abs(485) − abs(486)")},
         pair,
         RuleTrigger::Inputs,
         &R::Calcular487y489,
         {}},
        {QStringLiteral("Calcular492y493"),
         {492, 493},
         {487, 489, 490},
         {QStringLiteral("492 / 493 = 487 − abs(489) − abs(490)")},
         pair,
         RuleTrigger::Inputs,
         &R::Calcular492y493,
         {}},
        {QStringLiteral("Calcular100y101"),
         {100, 101},
         {487, 489},
         {QStringLiteral("100 / 101 = 487 − abs(489)")},
         QStringLiteral("la utilidad o la pérdida del estado de resultados"),
         RuleTrigger::Inputs,
         &R::Calcular100y101,
         {}},
        // Balance sheet totals of both charts.
        {QStringLiteral("Calcular330"),
         {330},
         {300, 301, 302, 303, 304, 305, 306, 307, 308, 310, 311, 313, 314, 315, 316, 317, 325, 326, 327, 328, 329},
         {QStringLiteral("330 = 300 + 301 + 302 + 304 − abs(303) + 305 + 306 + 307 + 308 + 310 + 311 + 313 + 314 + "
                         "315 + 316 + 317 + 325 + 327 − abs(328) − abs(326) + 329")},
         allEmpty,
         RuleTrigger::Inputs,
         &R::Calcular330,
         {}},
        {QStringLiteral("Calcular342"),
         {342},
         {331, 332, 333, 335, 336, 337, 338, 339, 340, 341},
         {QStringLiteral("342 = 331 + 332 + 333 + 335 + 336 + 337 + 338 + 339 + 340 + 341")},
         allEmpty,
         RuleTrigger::Inputs,
         &R::Calcular342,
         {}},
        {QStringLiteral("Calcular356"),
         {356},
         {344, 345, 346, 347, 348, 349, 350, 352, 353, 354, 355},
         {QStringLiteral("356 = 344 + 345 + 346 + 347 + 348 + 349 + 350 + 352 − abs(353) + 354 − abs(355)")},
         allEmpty,
         RuleTrigger::Inputs,
         &R::Calcular356,
         {}},
        {QStringLiteral("Calcular358"),
         {358},
         {342, 356},
         {QStringLiteral("358 = 342 + 356")},
         allEmpty,
         RuleTrigger::Inputs,
         &R::Calcular358,
         {}},
        {QStringLiteral("Calcular390"),
         {390},
         span(359, 389),
         {QStringLiteral("390 = 359 + 360 + 361 + 362 + 363 + 364 + 365 + 366 − abs(367) + 368 + 369 + 370 + 371 + "
                         "372 + 373 + 374 + 375 − abs(376) + 377 + 378 + 379 + 380 + 381 + 382 − abs(383) + 384 + "
                         "385 − abs(386) − abs(387) + 388 + 389")},
         allEmpty,
         RuleTrigger::Inputs,
         &R::Calcular390,
         {}},
        {QStringLiteral("Calcular412"),
         {412},
         span(401, 411),
         {QStringLiteral("412 = 401 + 402 + 403 + 404 + 405 + 406 + 407 + 408 + 409 + 410 + 411")},
         allEmpty,
         RuleTrigger::Inputs,
         &R::Calcular412,
         {}},
        {QStringLiteral("Calcular425"),
         {425},
         span(414, 424),
         {QStringLiteral("425 = 414 + 415 + 416 − abs(417) + 418 + 419 + 420 + 421 − abs(422) + 423 − abs(424)")},
         allEmpty,
         RuleTrigger::Inputs,
         &R::Calcular425,
         {}},
        {QStringLiteral("Calcular426"),
         {426},
         {412, 425},
         {QStringLiteral("426 = 412 + 425")},
         allEmpty,
         RuleTrigger::Inputs,
         &R::Calcular426,
         {}},
        // Tax base and tax.
        {QStringLiteral("Calcular106y107"),
         {106, 107},
         {100, 101, 103, 105},
         {QStringLiteral("106 / 107 = 100 + 103 − abs(101) − abs(105)")},
         QStringLiteral("las cuatro casillas vacías: se vacían las dos"),
         RuleTrigger::Inputs,
         &R::Calcular106y107,
         {}},
        {QStringLiteral("Activar120"),
         {},
         {100, 101, 103, 105},
         {},
         QStringLiteral("la casilla 120 se habilita cuando 100 + 103 − abs(101) − abs(105) < 0"),
         RuleTrigger::Inputs,
         &R::Activar120,
         {}},
        {QStringLiteral("MostrarArrastre"),
         {},
         {106, 107, 108},
         {},
         QStringLiteral("el sistema de arrastre de pérdidas se muestra cuando abs(107) > 0"),
         RuleTrigger::Inputs,
         &R::MostrarArrastre,
         {}},
        {QStringLiteral("Calcular110y111"),
         {110, 111},
         {106, 107, 108, 120},
         {QStringLiteral("110 = max(0, 106 − abs(108))"), QStringLiteral("111 = abs(107) + saldo − abs(108)")},
         QStringLiteral("111: con utilidad, abs(saldo − abs(106)) si abs(108) ≥ abs(106), si no abs(saldo − "
                        "abs(108)); saldo es el total de pérdidas de ejercicios anteriores"),
         RuleTrigger::Inputs,
         &R::Calcular110y111,
         {}},
        {QStringLiteral("Calcular151"),
         {151},
         {110},
         {QStringLiteral("151 = max(0, 110)")},
         QStringLiteral("110 vacía: no se guarda"),
         RuleTrigger::Inputs,
         &R::Calcular151,
         {}},
        {QStringLiteral("Calcular113"),
         {113},
         {110},
         {QStringLiteral("113 = 110 × tasa")},
         QStringLiteral("la tasa sigue al régimen, la exoneración, la inafectación, los beneficios, el convenio de "
                        "estabilidad y la Amazonía"),
         RuleTrigger::Inputs,
         &R::Calcular113,
         {}},
        {QStringLiteral("CalcularCoef686"),
         {686},
         {113, 463, 473, 475, 477, 481},
         {QStringLiteral("686 = abs(113) / (abs(463) + abs(473) + abs(475) + abs(477) + abs(481))")},
         QStringLiteral("exonerado o sin ingresos: 0; se calcula con el impuesto de 113"),
         RuleTrigger::Step,
         &R::CalcularCoef686,
         {}},
        {QStringLiteral("CalcularCoef"),
         {610},
         {686},
         {QStringLiteral("610 = 686 × 100")},
         QStringLiteral("686 en cero: el porcentaje fijo del beneficio o de la zona"),
         RuleTrigger::Step,
         &R::CalcularCoef,
         {}},
        {QStringLiteral("Calcular114"),
         {114},
         {},
         {},
         QStringLiteral("el impuesto (113) de la última versión enviada de la declaración que se rectifica"),
         RuleTrigger::Step,
         &R::Calcular114,
         {}},
        {QStringLiteral("Calcular500"),
         {500},
         {113, 114},
         {QStringLiteral("500 = max(0, 113 − abs(114))")},
         QStringLiteral("113 vacía: no se guarda"),
         RuleTrigger::Inputs,
         &R::Calcular500,
         {}},
        // Credits and balance due.
        {QStringLiteral("Calcular126"),
         {126},
         {126},
         {},
         QStringLiteral("el total de las filas de su asistente, cuando las tiene"),
         RuleTrigger::Inputs,
         &R::Calcular126,
         QStringLiteral("7")},
        {QStringLiteral("Calcular128"),
         {128},
         {128},
         {},
         QStringLiteral("el total de las filas de su asistente, cuando las tiene"),
         RuleTrigger::Inputs,
         &R::Calcular128,
         QStringLiteral("4")},
        {QStringLiteral("Calcular130"),
         {130},
         {130},
         {},
         QStringLiteral("el total de las filas de su asistente, cuando las tiene"),
         RuleTrigger::Inputs,
         &R::Calcular130,
         QStringLiteral("8")},
        {QStringLiteral("Calcular131"),
         {131},
         {131},
         {},
         QStringLiteral("el total de las filas de su asistente, cuando las tiene"),
         RuleTrigger::Inputs,
         &R::Calcular131,
         QStringLiteral("9")},
        {QStringLiteral("Calcular504"),
         {504},
         {113, 123, 125, 126, 134, 136},
         {QStringLiteral("504 = max(0, 113 − (abs(123) + abs(125) + abs(136) + abs(134) + abs(126)))")},
         QStringLiteral("nunca menor que cero"),
         RuleTrigger::Inputs,
         &R::Calcular504,
         {}},
        {QStringLiteral("Calcular506"),
         {506},
         {504, 124, 127, 128, 129, 130},
         {QStringLiteral("506 = 504 − abs(127) − abs(128) − abs(129) − abs(130) − abs(124)")},
         {},
         RuleTrigger::Inputs,
         &R::Calcular506,
         {}},
        {QStringLiteral("Calcular505_138y139"),
         {139, 138, 505},
         {506, 131, 137, 142},
         {QStringLiteral("139 / 138 = 506 − abs(131)"), QStringLiteral("505 = 139 + 142")},
         QStringLiteral("inafecto: 138 y 139 vacías; 137 se habilita con saldo a favor; 141, 144 y 145 siguen a "
                        "la rectificatoria"),
         RuleTrigger::Inputs,
         &R::Calcular505_138y139,
         {}},
        {QStringLiteral("Calcular146"),
         {146},
         {505, 141, 144, 145},
         {QStringLiteral("146 = 505 − abs(141) − abs(144) + abs(145)")},
         allEmpty,
         RuleTrigger::Inputs,
         &R::Calcular146,
         {}},
        // ITF.
        {QStringLiteral("Calcular157"),
         {157},
         {155, 156},
         {QStringLiteral("157 = max(0, 155 − 156)")},
         allEmpty,
         RuleTrigger::Inputs,
         &R::Calcular157,
         {}},
        {QStringLiteral("Calcular158"),
         {158},
         {155},
         {QStringLiteral("158 = 155 × 0.15")},
         allEmpty,
         RuleTrigger::Inputs,
         &R::Calcular158,
         {}},
        {QStringLiteral("Calcular159"),
         {159},
         {157, 158},
         {QStringLiteral("159 = max(0, 157 − 158)")},
         allEmpty,
         RuleTrigger::Inputs,
         &R::Calcular159,
         {}},
        {QStringLiteral("Calcular160"),
         {160},
         {159},
         {QStringLiteral("160 = 159 × 0.005 / 100 × 2")},
         QStringLiteral("se calcula cuando 159 ≥ 0"),
         RuleTrigger::Inputs,
         &R::Calcular160,
         {}},
        {QStringLiteral("Calcular161"),
         {161, 565},
         {160},
         {QStringLiteral("161 = max(0, 160)"), QStringLiteral("565 = 161")},
         allEmpty,
         RuleTrigger::Inputs,
         &R::Calcular161,
         {}},
        {QStringLiteral("Calcular165"),
         {165},
         {565, 163, 164, 143},
         {QStringLiteral("165 = 565 − abs(163) − abs(164) + abs(143)")},
         allEmpty,
         RuleTrigger::Inputs,
         &R::Calcular165,
         {}},
        {QStringLiteral("SaldoDeudaTrib"),
         {},
         {180, 181},
         {},
         QStringLiteral("el formulario de pago se habilita cuando abs(180) + abs(181) > 0"),
         RuleTrigger::Inputs,
         &R::SaldoDeudaTrib,
         {}},
    };
}

// Casillas whose change runs a rule besides its inputs. 463 shows "0" as soon as anything of
// the income statement is typed, even while 461 and 462 are empty.
QHash<QString, QList<int>> alsoAfter() {
    return {{QStringLiteral("Calcular463"), span(461, 565)}};
}

// The dependency order: a rule comes after every other rule that writes one of its inputs;
// rules that do not depend on each other keep their order of declaration.
QList<int> dependencyOrder(const QList<CalculationRule>& rules) {
    const int count = static_cast<int>(rules.size());
    QList<QList<int>> before(count);
    for (int i = 0; i < count; ++i) {
        for (int j = 0; j < count; ++j) {
            if (i == j) {
                continue;
            }
            for (const int target : rules[j].targets) {
                if (rules[i].inputs.contains(target)) {
                    before[i].append(j);
                    break;
                }
            }
        }
    }
    QList<int> order;
    QList<bool> placed(count, false);
    while (order.size() < count) {
        bool progress = false;
        for (int i = 0; i < count; ++i) {
            if (placed[i]) {
                continue;
            }
            const bool ready = std::all_of(before[i].begin(), before[i].end(), [&placed](int j) { return placed[j]; });
            if (ready) {
                placed[i] = true;
                order.append(i);
                progress = true;
                break;
            }
        }
        if (!progress) {
            // A cycle among the declarations: the rest keep their order of declaration.
            for (int i = 0; i < count; ++i) {
                if (!placed[i]) {
                    placed[i] = true;
                    order.append(i);
                }
            }
        }
    }
    return order;
}

struct Derived {
    QList<int> rank;
    QHash<int, QList<const CalculationRule*>> after;
    QHash<int, const CalculationRule*> computing;
};

const Derived& derived() {
    static const Derived d = [] {
        Derived result;
        const QList<CalculationRule>& rules = CalculationRuleTable::rules();
        const QList<int> order = dependencyOrder(rules);
        const QHash<QString, QList<int>> extra = alsoAfter();
        result.rank = QList<int>(rules.size(), 0);
        for (int position = 0; position < order.size(); ++position) {
            result.rank[order[position]] = position;
        }
        for (const int i : order) {
            const CalculationRule& rule = rules[i];
            for (const int target : rule.targets) {
                result.computing.insert(target, &rule);
            }
            if (rule.trigger != RuleTrigger::Inputs) {
                continue;
            }
            QList<int> triggers = rule.inputs;
            for (const int n : extra.value(rule.name)) {
                if (!triggers.contains(n)) {
                    triggers.append(n);
                }
            }
            for (const int input : triggers) {
                result.after[input].append(&rule);
            }
        }
        return result;
    }();
    return d;
}

} // namespace

QString CalculationRule::formulaFor(int target) const {
    static const QRegularExpression left(QStringLiteral("^([0-9]+)(?: / ([0-9]+))? ="));
    for (const QString& line : formulas) {
        const QRegularExpressionMatch m = left.match(line);
        if (m.hasMatch() && (m.captured(1).toInt() == target || m.captured(2).toInt() == target)) {
            return line;
        }
    }
    return {};
}

const QList<CalculationRule>& CalculationRuleTable::rules() {
    static const QList<CalculationRule> table = declare();
    return table;
}

const QList<const CalculationRule*>& CalculationRuleTable::after(int casilla) {
    static const QList<const CalculationRule*> none;
    const auto& after = derived().after;
    const auto it = after.find(casilla);
    return it == after.end() ? none : *it;
}

const CalculationRule* CalculationRuleTable::computing(int casilla) {
    return derived().computing.value(casilla, nullptr);
}

QList<int> CalculationRuleTable::feeds(int casilla) {
    QList<int> fed;
    for (const CalculationRule& rule : rules()) {
        if (!rule.inputs.contains(casilla)) {
            continue;
        }
        for (const int target : rule.targets) {
            if (target != casilla && !fed.contains(target)) {
                fed.append(target);
            }
        }
    }
    return fed;
}

int CalculationRuleTable::rank(const CalculationRule& rule) {
    const QList<CalculationRule>& all = rules();
    const auto index = &rule - all.data();
    return derived().rank.value(index, 0);
}

} // namespace qel::declaration
