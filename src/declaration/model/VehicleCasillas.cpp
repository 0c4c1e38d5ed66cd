#include "declaration/model/VehicleCasillas.h"

#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "declaration/model/DeclarationFormModel.h"
#include "declaration/model/WorkingCasillas.h"
#include "store/Database.h"

#include <algorithm>

namespace qel::declaration {

const char* const VehicleCasillas::kTooLarge = "La adición por exceso de gastos demasiado grande";

namespace {

const QString kAmount = QStringLiteral("###,###,###,##0");

} // namespace

double VehicleCasillas::deductiblePercent(int deducting, double allowed) {
    if (deducting <= 0) {
        return 0;
    }
    return std::min(1.0, allowed / deducting) * 100;
}

double VehicleCasillas::sum(const char* columns, const char* condition) const {
    store::SqlFilter where = m_model.key().filter();
    where.andCondition(QString::fromLatin1(condition));
    QStringList parts;
    const store::SqlDialect& dialect = m_model.context().db.dialect();
    for (const QString& column : QString::fromLatin1(columns).split(QLatin1Char(' '))) {
        parts.append(dialect.total(dialect.realOf(column)));
    }
    return m_model.context()
        .db
        .scalar(QStringLiteral("SELECT ") + parts.join(QLatin1Char('+')) + QStringLiteral(" FROM TMPF584VEHIC") +
                    where.text,
                where.values)
        .toDouble();
}

void VehicleCasillas::CalculaCasVeh() {
    store::Database& db = m_model.context().db;
    const store::DeclarationKey key = m_model.key();
    store::SqlFilter flagged = key.filter();
    flagged.andCondition(QStringLiteral("IND_DED_GASTO='1'"));
    const int deducting =
        db.scalar(QStringLiteral("SELECT COUNT(*) as CntCas FROM TMPF584VEHIC ") + flagged.text, flagged.values)
            .toInt();
    const double allowed = app::readWhole(WorkingCasillas::value(db, key, 710));
    const double percent = deductiblePercent(deducting, allowed);
    const double flaggedExpenses = sum("mto_gasto mto_dep", "IND_DED_GASTO='1'");
    const double deductible = app::roundHalfAway(flaggedExpenses * percent / 100);
    const double addition = sum("mto_gasto mto_dep", "IND_DED_GASTO='0'") +
                            sum("mto_gasto_sus mto_dep_sus", "ind_sustitucion='1'") + (flaggedExpenses - deductible);

    auto show = [this](int n, const QString& text) {
        if (m_model.hasBox(n)) {
            m_model.setText(n, text);
        }
    };
    show(701, QString::number(deducting));
    show(702, app::formatNumber(percent, QStringLiteral("##0.#0")));
    const QString assigned = WorkingCasillas::value(db, key, 711);
    if (!assigned.isEmpty()) {
        show(877, app::formatNumber(app::readWhole(assigned), kAmount));
    }
    show(703, app::formatNumber(deductible, kAmount));
    const QString additionText = app::formatNumber(addition, kAmount);
    if (m_model.hasBox(704) && additionText.size() > m_model.box(704).maxLength) {
        m_model.context().prompter.message(QString::fromUtf8(kTooLarge), m_model.caption, app::Icon::Exclamation);
        return;
    }
    show(704, additionText);
}

} // namespace qel::declaration
