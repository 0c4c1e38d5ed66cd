#include "imports/Importer.h"

#include "imports/ImportFile.h"
#include "imports/ImportLookups.h"
#include "store/Database.h"
#include "store/TransactionGuard.h"

namespace qel::imports {

namespace {

// A new or replaced row's check code is computed when the declaration is saved.
const QString kUnchecked = QStringLiteral("000000");

// The importer's context reads through the lookups of the run under way, and stops at its end.
class LookupsInUse {
public:
    LookupsInUse(ImportContext& context, ImportLookups& lookups) : m_context(context) { m_context.lookups = &lookups; }
    ~LookupsInUse() { m_context.lookups = nullptr; }
    LookupsInUse(const LookupsInUse&) = delete;
    LookupsInUse& operator=(const LookupsInUse&) = delete;

private:
    ImportContext& m_context;
};

} // namespace

const QString Importer::kPartnerLimit = QStringLiteral("Solo deben registrarse los 100 principales socios");
const QString Importer::kAdded = QStringLiteral("  Registros Adicionados.");
const QString Importer::kRejected = QStringLiteral("  Registros Rechazados.");
const QString Importer::kModified = QStringLiteral("  Registros Modificados.");

QStringList ImportResult::reportLines() const {
    QStringList lines;
    for (const ImportOutcome& outcome : outcomes) {
        if (outcome.action != ImportOutcome::Action::Added) {
            lines.append(outcome.identity + outcome.message);
        }
    }
    return lines;
}

QStringList ImportResult::counters() const {
    return {QString::number(added) + Importer::kAdded, QString::number(rejected) + Importer::kRejected,
            QString::number(modified) + Importer::kModified};
}

Importer::Importer(ImportContext context, const ImportKind& kind)
    : m_context(std::move(context)), m_kind(kind), m_declarationColumns(m_context.key.columnValues()) {}

ImportResult Importer::run(const QByteArray& fileBytes, bool write) {
    ImportResult result;
    const ImportFileRead file = ImportFile::parse(fileBytes, m_kind.fieldCount);
    if (!file.stop.isEmpty()) {
        result.stop = file.stop;
        return result;
    }
    std::unique_ptr<RecordRules> rules = m_kind.rules();
    store::TransactionGuard transaction(m_context.db);
    // The lookups live as long as this run; the statements they prepared end before the
    // transaction does.
    ImportLookups lookups(m_context.db, m_context.utility);
    const LookupsInUse inUse(m_context, lookups);
    rules->begin(m_context);
    int registered = m_kind.maxRows > 0 ? rowCount() : 0;
    for (const ImportLine& line : file.lines) {
        QStringList fields = line.fields();
        ImportOutcome outcome{line.number, ImportOutcome::Action::Added, {}, {}};
        if (!result.limitStop.isEmpty()) {
            // Past the partner limit nothing more is written: every record left is rejected with
            // the limit as its reason, so that the counters and the report account for it.
            outcome.action = ImportOutcome::Action::Rejected;
            outcome.identity = rules->identity(fields);
            outcome.message = kPartnerLimit;
            ++result.rejected;
            result.outcomes.append(outcome);
            continue;
        }
        outcome.message = rules->check(fields, m_context);
        outcome.identity = rules->identity(fields);
        if (!outcome.message.isEmpty()) {
            outcome.action = ImportOutcome::Action::Rejected;
            ++result.rejected;
            result.outcomes.append(outcome);
            continue;
        }
        const QList<TableRow> rows = rules->rows(fields, m_context);
        const bool replaces = exists(*rules, rows.first());
        if (!replaces && m_kind.maxRows > 0 && registered + 1 > m_kind.maxRows) {
            result.limitStop = kPartnerLimit;
            outcome.action = ImportOutcome::Action::Rejected;
            outcome.message = kPartnerLimit;
            ++result.rejected;
            result.outcomes.append(outcome);
            continue;
        }
        writeRows(*rules, rows, replaces);
        if (replaces) {
            outcome.action = ImportOutcome::Action::Modified;
            outcome.message = rules->modifiedMessage();
            ++result.modified;
        } else {
            ++registered;
            ++result.added;
        }
        result.outcomes.append(outcome);
    }
    if (write) {
        transaction.commit();
    } else {
        transaction.rollback();
    }
    return result;
}

bool Importer::exists(const RecordRules& rules, const TableRow& row) {
    if (const std::optional<bool> known = rules.holds(row)) {
        return *known;
    }
    return statements().scalar(sqlFor(row).exists, keyValues(row)).toInt() > 0;
}

// The statements of a row are the same for every record of a kind: built on the first row of
// each table and columns, found again by them.
const Importer::RowSql& Importer::sqlFor(const TableRow& row) {
    const auto sameShape = [&row](const RowSql& known) {
        if (known.table != row.table || known.columns.size() != row.key.size() + row.values.size()) {
            return false;
        }
        qsizetype i = 0;
        for (const ColumnValues* part : {&row.key, &row.values}) {
            for (const auto& [column, value] : *part) {
                if (known.columns.at(i++) != column) {
                    return false;
                }
            }
        }
        return true;
    };
    for (const RowSql& known : std::as_const(m_sql)) {
        if (sameShape(known)) {
            return known;
        }
    }
    RowSql sql;
    sql.table = row.table;
    const store::SqlFilter declaration = store::DeclarationKey{}.filter();
    QString keyCondition = declaration.text;
    for (const auto& [column, value] : row.key) {
        keyCondition += QStringLiteral(" AND ") + column + QStringLiteral("=?");
        sql.columns.append(column);
    }
    QStringList sets;
    for (const auto& [column, value] : row.values) {
        sets.append(column + QStringLiteral("=?"));
        sql.columns.append(column);
    }
    sets.append(QStringLiteral("cNumero=?"));
    sql.exists = QStringLiteral("SELECT count(*) FROM ") + row.table + keyCondition;
    sql.update =
        QStringLiteral("UPDATE ") + row.table + QStringLiteral(" SET ") + sets.join(QLatin1Char(',')) + keyCondition;
    const QStringList columns = QStringList{QStringLiteral("TIP_DOC_D"), QStringLiteral("DOC_ID_D"),
                                            QStringLiteral("PERIODO"), QStringLiteral("FORMULARIO")} +
                                sql.columns + QStringList{QStringLiteral("cNumero")};
    sql.insert = QStringLiteral("INSERT INTO ") + row.table + QStringLiteral(" (") + columns.join(QLatin1Char(',')) +
                 QStringLiteral(") VALUES (") +
                 QStringList(columns.size(), QStringLiteral("?")).join(QLatin1Char(',')) + QLatin1Char(')');
    m_sql.append(sql);
    return m_sql.last();
}

// The declaration's key and the row's key, as the key condition of the row's statements binds them.
QVariantList Importer::keyValues(const TableRow& row) const {
    QVariantList values{m_context.key.ruc, m_context.key.periodo, m_context.key.formulario};
    values.reserve(values.size() + row.key.size());
    for (const auto& [column, value] : row.key) {
        values.append(value);
    }
    return values;
}

void Importer::writeRows(RecordRules& rules, const QList<TableRow>& rows, bool firstExists) {
    for (int i = 0; i < rows.size(); ++i) {
        const TableRow& row = rows.at(i);
        const bool replaces = i == 0 ? firstExists : exists(rules, row);
        if (replaces) {
            update(row);
        } else {
            insert(row);
        }
        rules.written(row, replaces);
    }
}

void Importer::update(const TableRow& row) {
    QVariantList values;
    values.reserve(row.values.size() + 1);
    for (const auto& [column, value] : row.values) {
        values.append(value);
    }
    values.append(kUnchecked);
    statements().run(sqlFor(row).update, values + keyValues(row));
}

void Importer::insert(const TableRow& row) {
    QVariantList values;
    values.reserve(m_declarationColumns.size() + row.key.size() + row.values.size() + 1);
    values += m_declarationColumns;
    for (const ColumnValues* part : {&row.key, &row.values}) {
        for (const auto& [column, value] : *part) {
            values.append(value);
        }
    }
    values.append(kUnchecked);
    statements().run(sqlFor(row).insert, values);
}

store::StatementCache& Importer::statements() {
    return m_context.lookups->statements();
}

int Importer::rowCount() {
    const store::SqlFilter filter = m_context.key.filter();
    return m_context.scalar(QStringLiteral("SELECT count(*) FROM ") + m_kind.table + filter.text, filter.values)
        .toInt();
}

} // namespace qel::imports
