#include "annexes/TrialBalanceTable.h"

#include "store/Database.h"
#include "store/TableCatalog.h"

#include <QSqlError>
#include <QSqlQuery>

namespace qel::annexes {

namespace {

const QString kTable = QStringLiteral("TMPF582BALANCE");

// Descriptions are cut to what the row holds.
constexpr int kDescriptionWidth = 80;

QString amountSums(const store::SqlDialect& dialect) {
    QStringList sums;
    for (const QString& column : TrialBalanceRow::columns()) {
        sums.append(dialect.total(dialect.realOf(column)));
    }
    return sums.join(QLatin1Char(','));
}

TrialBalanceTable::Amounts readAmounts(const QSqlQuery& query, int first) {
    TrialBalanceTable::Amounts amounts{};
    for (int i = 0; i < TrialBalanceRow::kColumnCount; ++i) {
        amounts[i] = TrialBalanceRow::fromSql(query.value(first + i));
    }
    return amounts;
}

} // namespace

TrialBalanceTable::TrialBalanceTable(store::Database& db, store::DeclarationKey key, QString plan)
    : m_db(db), m_key(std::move(key)), m_plan(std::move(plan)) {}

QString TrialBalanceTable::planOf(int optPlan) {
    return optPlan == 1 || optPlan == 2 ? QString::number(optPlan) : QStringLiteral("0");
}

QString TrialBalanceTable::excludedAccount(const QString& plan) {
    if (plan == QLatin1String("1")) {
        return QStringLiteral("891");
    }
    if (plan == QLatin1String("2")) {
        return QStringLiteral("89");
    }
    return QStringLiteral("00");
}

store::SqlFilter TrialBalanceTable::declarationFilter() const {
    return m_key.filter();
}

QList<TrialBalanceAccount> TrialBalanceTable::accounts() const {
    QSqlQuery query = m_db.run(QStringLiteral("SELECT codigo, Descrip, indica FROM F544BALCUEN WHERE codigo<>? AND "
                                              "plan=? AND formulario=? ORDER BY Descrip"),
                               {excludedAccount(m_plan), m_plan, m_key.formulario});
    QList<TrialBalanceAccount> list;
    while (query.next()) {
        list.append({query.value(0).toString().trimmed(), query.value(1).toString().trimmed().left(kDescriptionWidth),
                     TrialBalanceRow::classOf(query.value(2).toString())});
    }
    return list;
}

std::optional<TrialBalanceAccount> TrialBalanceTable::account(const QString& code) const {
    QSqlQuery query = m_db.run(
        QStringLiteral("SELECT codigo, Descrip, indica FROM F544BALCUEN WHERE codigo=? AND plan=? AND formulario=?"),
        {code, m_plan, m_key.formulario});
    if (!query.next()) {
        return std::nullopt;
    }
    return TrialBalanceAccount{query.value(0).toString().trimmed(),
                               query.value(1).toString().trimmed().left(kDescriptionWidth),
                               TrialBalanceRow::classOf(query.value(2).toString())};
}

QHash<QString, TrialBalanceAccount> TrialBalanceTable::chart() const {
    QSqlQuery query = m_db.run(QStringLiteral("SELECT codigo, Descrip, indica FROM F544BALCUEN WHERE plan=? AND "
                                              "formulario=?"),
                               {m_plan, m_key.formulario});
    QHash<QString, TrialBalanceAccount> accounts;
    while (query.next()) {
        const QString code = query.value(0).toString().trimmed();
        accounts.insert(code, {code, query.value(1).toString().trimmed().left(kDescriptionWidth),
                               TrialBalanceRow::classOf(query.value(2).toString())});
    }
    return accounts;
}

// One statement prepared once and run per account: a transfer writes thousands of rows.
void TrialBalanceTable::rebuild(const QHash<QString, Filled>& filled) {
    const QList<TrialBalanceAccount> listed = accounts();
    const store::SqlFilter filter = declarationFilter();
    m_db.run(QStringLiteral("DELETE FROM ") + kTable + filter.text, filter.values).finish();
    QStringList marks;
    for (int i = 0; i < TrialBalanceRow::kColumnCount; ++i) {
        marks.append(QStringLiteral("?"));
    }
    const QString sql =
        QStringLiteral("INSERT INTO %1 (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, plan, Codigo, "
                       "Descrip, %2) VALUES (6, ?, ?, ?, ?, ?, ?, %3)")
            .arg(kTable, TrialBalanceRow::columns().join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    QSqlQuery insert(m_db.connection());
    if (!insert.prepare(sql)) {
        throw store::DatabaseError(0, insert.lastError().text(), sql);
    }
    for (const TrialBalanceAccount& account : listed) {
        insert.bindValue(0, m_key.ruc);
        insert.bindValue(1, m_key.periodo);
        insert.bindValue(2, m_key.formulario);
        insert.bindValue(3, m_plan);
        insert.bindValue(4, account.code);
        insert.bindValue(5, account.description);
        const auto found = filled.constFind(account.code);
        for (int i = 0; i < TrialBalanceRow::kColumnCount; ++i) {
            const bool empty = found == filled.cend() || found->empty.contains(i);
            insert.bindValue(6 + i, empty ? QVariant() : TrialBalanceRow::toSql(found->amounts[i]));
        }
        if (!insert.exec()) {
            throw store::DatabaseError(0, insert.lastError().databaseText(), sql);
        }
    }
}

void TrialBalanceTable::rebuild() {
    const store::SqlFilter filter = declarationFilter();
    m_db.run(QStringLiteral("DELETE FROM ") + kTable + filter.text, filter.values).finish();
    QStringList values;
    for (int i = 0; i < TrialBalanceRow::kColumnCount; ++i) {
        values.append(QStringLiteral("0"));
    }
    m_db.run(QStringLiteral("INSERT INTO %1 (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, plan, Codigo, Descrip, %2) "
                            "SELECT 6, ?, ?, ?, ?, trim(codigo), substr(trim(Descrip), 1, %3), %4 FROM F544BALCUEN "
                            "WHERE codigo<>? AND plan=? AND formulario=? ORDER BY Descrip")
                 .arg(kTable, TrialBalanceRow::columns().join(QLatin1Char(',')))
                 .arg(kDescriptionWidth)
                 .arg(values.join(QLatin1Char(','))),
             {m_key.ruc, m_key.periodo, m_key.formulario, m_plan, excludedAccount(m_plan), m_plan, m_key.formulario})
        .finish();
}

void TrialBalanceTable::takeStored(const std::optional<QString>& correl) {
    QStringList assignments;
    for (const QString& column : TrialBalanceRow::columns()) {
        assignments.append(QStringLiteral("%1=s.%1").arg(column));
    }
    // The working row and the stored row of the same declaration and account.
    store::SqlFilter match;
    for (const QString& prefix : {QStringLiteral("s."), kTable + QLatin1Char('.')}) {
        match.andCondition(prefix + QStringLiteral("TIP_DOC_D=6"));
        match.andEquals(prefix + QStringLiteral("DOC_ID_D"), m_key.ruc);
        match.andEquals(prefix + QStringLiteral("PERIODO"), m_key.periodo);
        match.andEquals(prefix + QStringLiteral("FORMULARIO"), m_key.formulario);
    }
    if (correl) {
        match.andEquals(QStringLiteral("s.CORREL"), *correl);
    }
    match.andCondition(QStringLiteral("trim(s.Codigo)=%1.Codigo AND trim(s.Codigo)<>?").arg(kTable),
                       {excludedAccount(m_plan)});
    const QString source = store::TableCatalog::physicalName(QStringLiteral("F582BALANCE"),
                                                             correl ? store::Copy::History : store::Copy::Permanent);
    m_db.run(QStringLiteral("UPDATE %1 SET %2 FROM %3 AS s").arg(kTable, assignments.join(QLatin1Char(',')), source) +
                 match.text,
             match.values)
        .finish();
}

bool TrialBalanceTable::holdsValues() const {
    QStringList nonZero;
    for (const QString& column : TrialBalanceRow::columns()) {
        nonZero.append(m_db.dialect().realOf(column) + QStringLiteral("<>0"));
    }
    store::SqlFilter filter = declarationFilter();
    filter.andCondition(QLatin1Char('(') + nonZero.join(QStringLiteral(" OR ")) + QLatin1Char(')'));
    return m_db.scalar(QStringLiteral("SELECT count(*) FROM ") + kTable + filter.text, filter.values).toInt() > 0;
}

TrialBalanceTable::Amounts TrialBalanceTable::totals() const {
    const store::SqlFilter filter = declarationFilter();
    QSqlQuery query = m_db.run(QStringLiteral("SELECT ") + amountSums(m_db.dialect()) + QStringLiteral(" FROM ") +
                                   kTable + filter.text,
                               filter.values);
    return query.next() ? readAmounts(query, 0) : Amounts{};
}

std::optional<TrialBalanceTable::Amounts> TrialBalanceTable::amounts(const QString& code) const {
    store::SqlFilter filter = declarationFilter();
    filter.andEquals(QStringLiteral("Codigo"), code);
    QSqlQuery query = m_db.run(QStringLiteral("SELECT ") + TrialBalanceRow::columns().join(QLatin1Char(',')) +
                                   QStringLiteral(" FROM ") + kTable + filter.text,
                               filter.values);
    if (!query.next()) {
        return std::nullopt;
    }
    return readAmounts(query, 0);
}

int TrialBalanceTable::write(const QString& code, const Amounts& amounts, const QList<int>& empty) {
    QStringList assignments;
    QVariantList values;
    for (int i = 0; i < TrialBalanceRow::kColumnCount; ++i) {
        assignments.append(TrialBalanceRow::columns().at(i) + QStringLiteral("=?"));
        values.append(empty.contains(i) ? QVariant() : TrialBalanceRow::toSql(amounts[i]));
    }
    store::SqlFilter filter = declarationFilter();
    filter.andEquals(QStringLiteral("Codigo"), code);
    QSqlQuery query = m_db.run(QStringLiteral("UPDATE ") + kTable + QStringLiteral(" SET ") +
                                   assignments.join(QLatin1Char(',')) + filter.text,
                               values + filter.values);
    return query.numRowsAffected();
}

std::optional<TrialBalanceTable::Line> TrialBalanceTable::line(int position) const {
    const store::SqlFilter filter = declarationFilter();
    QSqlQuery query = m_db.run(QStringLiteral("SELECT Codigo, Descrip, ") +
                                   TrialBalanceRow::columns().join(QLatin1Char(',')) + QStringLiteral(" FROM ") +
                                   kTable + filter.text + QStringLiteral(" ORDER BY Codigo LIMIT 1 OFFSET ?"),
                               filter.values + QVariantList{position});
    if (position < 0 || !query.next()) {
        return std::nullopt;
    }
    return Line{query.value(0).toString(), query.value(1).toString(), readAmounts(query, 2)};
}

QList<TrialBalanceTable::Line> TrialBalanceTable::lines() const {
    const store::SqlFilter filter = declarationFilter();
    QSqlQuery query =
        m_db.run(QStringLiteral("SELECT Codigo, Descrip, ") + TrialBalanceRow::columns().join(QLatin1Char(',')) +
                     QStringLiteral(" FROM ") + kTable + filter.text + QStringLiteral(" ORDER BY Codigo"),
                 filter.values);
    QList<Line> list;
    while (query.next()) {
        list.append({query.value(0).toString(), query.value(1).toString(), readAmounts(query, 2)});
    }
    return list;
}

} // namespace qel::annexes
