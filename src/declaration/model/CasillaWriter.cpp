#include "declaration/model/CasillaWriter.h"

#include "base/NumberFormat.h"
#include "catalogue/CasillaCatalog.h"
#include "store/ConnectionStatements.h"
#include "store/Database.h"
#include "store/ParamLayouts.h"
#include "store/StatementCache.h"
#include "store/TableCatalog.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <cmath>

namespace qel::declaration {

namespace {

// Whether a text reads as an amount: digits with thousands separators and decimals, a sign
// or parentheses around it.
bool readsAsAmount(const QString& value) {
    static const QRegularExpression amount(
        QStringLiteral("^\\s*[-+]?\\s*\\(?\\s*[-+]?[0-9][0-9,]*(\\.[0-9]*)?\\s*\\)?\\s*$"));
    return amount.match(value).hasMatch();
}

constexpr int kPaymentIncomeTax = 180;
constexpr int kPaymentItf = 181;
constexpr int kTrimmedCasilla = 134;

} // namespace

CasillaWriter::CasillaWriter(store::Database& db, store::DeclarationKey key) : m_db(db), m_key(std::move(key)) {
    const store::TableLayout det =
        store::TableCatalog::instance().layout(QStringLiteral("DET"), store::Copy::Permanent);
    QString types;
    for (int i = 0; i + 1 < det.columns.size(); ++i) {
        types.append(QLatin1Char(store::typeLetter(det.columns.at(i).type)));
    }
    // The check code is computed over the row's own columns as they will be stored.
    const store::SqlDialect& dialect = db.dialect();
    const QStringList stored =
        QStringLiteral("TIP_DOC_D DOC_ID_D PERIODO FORMULARIO SEMANA CASILLA ? ?").split(QLatin1Char(' '));
    const QStringList inserted = QStringLiteral("6 ? ? ? 0 ? ? ?").split(QLatin1Char(' '));
    m_updateSql = QStringLiteral("UPDATE DET SET i_valor=?, idcasilla=?, cNumero=") +
                  dialect.checkCode(types, 6, stored) + QStringLiteral(" WHERE rowid=?");
    m_insertSql = QStringLiteral("INSERT INTO DET (TIP_DOC_D,DOC_ID_D,PERIODO,FORMULARIO,SEMANA,CASILLA,i_valor,"
                                 "idcasilla,cNumero) VALUES (6,?,?,?,0,?,?,?,") +
                  dialect.checkCode(types, 6, inserted) + QLatin1Char(')');
}

bool CasillaWriter::isEmptyValue(const QString& value) {
    // Blank texts, tabs, line feeds and carriage returns alike; "________" is the date mask
    // without its separators.
    const QString bare = value.trimmed();
    return bare.isEmpty() || bare == QStringLiteral("________") || bare == QStringLiteral("__/__/____");
}

bool CasillaWriter::isTextCasilla(int number) {
    return CasillaCatalog::instance().storage(number).text;
}

QString CasillaWriter::storedValue(const QString& casilla, const QString& value) {
    const int number = casilla.trimmed().toInt();
    QString text = number == kTrimmedCasilla ? value.trimmed() : value;
    if (isTextCasilla(number) || !readsAsAmount(text)) {
        return text;
    }
    double amount = app::readWhole(text);
    // A box shown in parentheses holds the magnitude of a deduction, loss or credit: the mask
    // carries the sign, so that the load shows it as the box showed it.
    const CasillaDef* def = CasillaCatalog::instance().find(number);
    if (def != nullptr && def->hasBox && def->value == ValueClass::Deduction) {
        amount = std::fabs(amount);
    }
    return app::formatNumber(amount, app::masks::kWhole);
}

QString CasillaWriter::defaultIdCasilla(const QString& casilla) {
    const int number = casilla.trimmed().toInt();
    return number == kPaymentIncomeTax || number == kPaymentItf ? QStringLiteral("05") : QStringLiteral("01");
}

// The reference row '140' of the casilla: its text from position 10 is the row's idcasilla.
// The rows are read once per writer.
QString CasillaWriter::idCasilla(const QString& casilla) {
    if (!m_ids) {
        m_ids.emplace();
        QSqlQuery rows = m_db.run(QStringLiteral("SELECT Argumento, Funcion FROM PARAM WHERE Numero=?"),
                                  {store::param_list::kCasillaWriter});
        while (rows.next()) {
            m_ids->insert(rows.value(0).toString().trimmed(), rows.value(1).toString().mid(9));
        }
    }
    const auto found = m_ids->constFind(m_key.formulario + casilla);
    if (found != m_ids->cend() && !found->isEmpty()) {
        return *found;
    }
    return defaultIdCasilla(casilla);
}

void CasillaWriter::start(store::DeclarationKey key) {
    m_key = std::move(key);
    m_rows.reset();
}

// The declaration's DET rows as the first write finds them, by casilla.
QHash<QString, QList<qint64>>& CasillaWriter::rows() {
    if (!m_rows) {
        m_rows.emplace();
        const store::SqlFilter filter = m_key.filter();
        QSqlQuery found = m_db.run(QStringLiteral("SELECT rowid, CASILLA FROM DET") + filter.text, filter.values);
        while (found.next()) {
            (*m_rows)[found.value(1).toString()].append(found.value(0).toLongLong());
        }
    }
    return *m_rows;
}

bool CasillaWriter::write(const QString& casilla, const QString& value) {
    if (isEmptyValue(value)) {
        return false;
    }
    const QString stored = storedValue(casilla, value);
    const QString id = idCasilla(casilla);
    QHash<QString, QList<qint64>>& existing = rows();
    const auto found = existing.constFind(casilla);
    store::StatementCache& statements = store::connectionStatements(m_db);
    if (found != existing.cend()) {
        for (const qint64 rowid : *found) {
            statements.run(m_updateSql, {stored, id, stored, id, rowid});
        }
        return true;
    }
    statements.run(m_insertSql, {m_key.ruc, m_key.periodo, m_key.formulario, casilla, stored, id, m_key.ruc,
                                 m_key.periodo, m_key.formulario, casilla, stored, id});
    existing.insert(casilla, {statements.lastInsertRowid()});
    return true;
}

} // namespace qel::declaration
