#include "declaration/rules/DetailChecks.h"

#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "store/Database.h"

#include <QSqlQuery>
#include <cmath>

namespace qel::declaration {

DetailChecks::DetailChecks(store::Database& db, app::Prompter& prompter, QString title)
    : m_db(db), m_prompter(prompter), m_title(std::move(title)) {}

double DetailChecks::storedCasilla(const store::DeclarationKey& key, int casilla, bool* present) const {
    store::SqlFilter where = key.filter();
    where.andCondition(QStringLiteral("CAST(CASILLA AS INTEGER)=?"), {casilla});
    const QVariant stored = m_db.scalar(QStringLiteral("SELECT i_valor FROM DET") + where.text, where.values);
    *present = stored.isValid() && !stored.toString().trimmed().isEmpty();
    return app::readWhole(stored.toString());
}

double DetailChecks::total(const QString& sql, const store::DeclarationKey& key, const QString& casilla) const {
    store::SqlFilter where = key.filter();
    if (!casilla.isEmpty()) {
        where.andCondition(QStringLiteral("trim(CASILLA)=?"), {casilla});
    }
    return app::roundHalfAway(m_db.scalar(sql + where.text, where.values).toDouble());
}

QStringList DetailChecks::failures(const store::DeclarationKey& key) const {
    QStringList messages;

    // Casilla 128: the monthly payments of the assistant (rows of type 4), every column.
    bool present = false;
    const double payments = std::fabs(storedCasilla(key, 128, &present));
    store::SqlFilter type4 = key.filter();
    type4.andCondition(QStringLiteral("trim(TIPO_ASIST)='4'"));
    const double paid = app::roundHalfAway(
        m_db.scalar(QStringLiteral("SELECT %1 FROM ACTA")
                            .arg(m_db.dialect().total(QStringLiteral(
                                "coalesce(saluti,0)+coalesce(compen,0)+coalesce(otrcre,0)+coalesce(pago_r,"
                                "0)+coalesce(pago_iean,0)+coalesce(pago_iean_r,0)"))) +
                        type4.text,
                    type4.values)
            .toDouble());
    const int monthRows = m_db.scalar(QStringLiteral("SELECT count(*) FROM ACTA") + type4.text, type4.values).toInt();
    if (present && payments != std::fabs(paid)) {
        messages.append(QStringLiteral(" Los pagos a cuenta mensuales de la casilla 128 no coinciden con el detalle"));
    } else if (!present && monthRows > 0) {
        messages.append(QStringLiteral("Los pagos a cuenta mensuales de la casilla 128 no coinciden con el detalle"));
    }

    // Casillas 103 and 105: their addition or deduction lines plus the credits kept for them
    // (casillas 546 and 554).
    const store::SqlDialect& dialect = m_db.dialect();
    const QString linesSql = QStringLiteral("SELECT %1 FROM F544ADICDEDUC")
                                 .arg(dialect.total(dialect.realOf(QStringLiteral("MTO_ADIC_DEDUC"))));
    const QString creditsSql =
        QStringLiteral("SELECT %1 FROM F584CREDITOS").arg(dialect.total(dialect.realOf(QStringLiteral("mto_credito"))));
    for (const auto& [casilla, credits] : {std::pair{103, 546}, std::pair{105, 554}}) {
        const double lines = std::fabs(total(linesSql, key, QString::number(casilla)));
        const double credit = std::fabs(total(creditsSql, key, QString::number(credits)));
        const double detail = lines + credit;
        const double stored = std::fabs(storedCasilla(key, casilla, &present));
        if ((present && stored != detail) || (!present && detail > 0)) {
            messages.append(QStringLiteral("El valor de la casilla %1 no coincide con el detalle.").arg(casilla));
        }
    }
    return messages;
}

bool DetailChecks::run(const store::DeclarationKey& key) {
    const QStringList messages = failures(key);
    for (const QString& message : messages) {
        m_prompter.message(message, m_title, app::Icon::Critical);
    }
    return messages.isEmpty();
}

} // namespace qel::declaration
