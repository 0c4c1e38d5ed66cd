#include "annexes/DetailedLines.h"

#include "annexes/AssistantValues.h"
#include "base/NumberFormat.h"
#include "store/Database.h"
#include "store/ParamLookups.h"

#include <QSqlQuery>
#include <algorithm>

namespace qel::annexes {

const QString MonthlyIncomeCheck::kMissing =
    QStringLiteral("Debe ingresar importe de ingresos en todos los meses, en caso contrario consigne 0.");

void DetailedLines::compute(AssistantValues& values, const AssistantContext& context) const {
    store::SqlFilter where = context.key.filter();
    where.andCondition(QStringLiteral("trim(CASILLA)=?"), {QString::number(m_casilla)});
    QStringList sums{QStringLiteral("count(*)")};
    const store::SqlDialect& dialect = context.db.dialect();
    for (const Target& target : m_targets) {
        const QString number = dialect.realOf(target.column);
        sums.append(
            dialect.total(target.condition.isEmpty()
                              ? number
                              : QStringLiteral("CASE WHEN %1 THEN %2 ELSE 0 END").arg(target.condition, number)));
    }
    QSqlQuery row = context.db.run(QStringLiteral("SELECT ") + sums.join(QLatin1Char(',')) + QStringLiteral(" FROM ") +
                                       m_table + where.text,
                                   where.values);
    if (!row.next() || row.value(0).toInt() == 0) {
        return;
    }
    for (int i = 0; i < m_targets.size(); ++i) {
        values.setValue(m_targets.at(i).id, app::roundHalfAway(row.value(i + 1).toDouble()));
    }
}

std::shared_ptr<const AssistantCalculation> DetailedLines::adjustments(int casilla, int permanentLine,
                                                                       int temporaryLine) {
    const QString amount = QStringLiteral("MTO_ADIC_DEDUC");
    return std::make_shared<DetailedLines>(
        QStringLiteral("TMPF544ADICDEDUC"), casilla,
        QList<Target>{{permanentLine, amount, QStringLiteral("trim(ind_tipo)='P'")},
                      {temporaryLine, amount, QStringLiteral("trim(ind_tipo)='T'")}});
}

std::shared_ptr<const AssistantCalculation> DetailedLines::otherIncome(int casilla, int peruLine, int foreignLine) {
    return std::make_shared<DetailedLines>(
        QStringLiteral("TMPF582OTRGAS"), casilla,
        QList<Target>{{peruLine, QStringLiteral("mto_peru"), {}}, {foreignLine, QStringLiteral("mto_extranjero"), {}}});
}

double ExpenseExcess::limit(int casilla, double income, double uit) {
    if (casilla == 523) {
        return app::roundHalfAway(income * 0.06);
    }
    const double share = app::roundHalfAway(income * 0.005);
    return uit > 0 ? std::min(share, 40 * uit) : share;
}

void ExpenseExcess::compute(AssistantValues& values, const AssistantContext& context) const {
    double income = 0;
    double expense = 0;
    for (int month = 1; month <= 12; ++month) {
        income += values.value(2000 + month);
        expense += values.value(1000 + month);
    }
    const double uit = app::val(store::ParamLookups(context.db).UitForYear(context.key.periodo));
    const double allowed = limit(context.casilla, income, uit);
    values.setValue(kIncome, income);
    values.setValue(kExpense, expense);
    values.setValue(kLimit, allowed);
    values.setValue(context.casilla, std::max(0.0, expense - allowed));
}

QString MonthlyIncomeCheck::problem(const AssistantValues& values, const AssistantContext&) const {
    for (int month = 1; month <= 12; ++month) {
        if (values.isEmpty(2000 + month)) {
            return kMissing;
        }
    }
    return {};
}

} // namespace qel::annexes
