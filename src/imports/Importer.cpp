#include "imports/Importer.h"

#include "imports/ImportFile.h"
#include "store/Database.h"
#include "store/TransactionGuard.h"

namespace qel::imports {

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

Importer::Importer(ImportContext context, const ImportKind& kind) : m_context(std::move(context)), m_kind(kind) {}

ImportResult Importer::run(const QByteArray& fileBytes, bool write) {
    ImportResult result;
    const ImportFileRead file = ImportFile::parse(fileBytes, m_kind.fieldCount);
    if (!file.stop.isEmpty()) {
        result.stop = file.stop;
        return result;
    }
    std::unique_ptr<RecordRules> rules = m_kind.rules();
    store::TransactionGuard transaction(m_context.db);
    int registered = m_kind.maxRows > 0 ? rowCount() : 0;
    for (const ImportLine& line : file.lines) {
        QStringList fields = line.fields;
        ImportOutcome outcome{line.number, ImportOutcome::Action::Added, {}, {}};
        outcome.message = rules->check(fields, m_context);
        outcome.identity = rules->identity(fields);
        if (!outcome.message.isEmpty()) {
            outcome.action = ImportOutcome::Action::Rejected;
            ++result.rejected;
            result.outcomes.append(outcome);
            continue;
        }
        const QList<TableRow> rows = rules->rows(fields, m_context);
        const bool replaces = exists(rows.first());
        if (!replaces && m_kind.maxRows > 0 && registered + 1 > m_kind.maxRows) {
            result.limitStop = kPartnerLimit;
            break;
        }
        writeRows(rows);
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

bool Importer::exists(const TableRow& row) {
    store::SqlFilter filter = m_context.key.filter();
    for (const auto& [column, value] : row.key) {
        filter.andEquals(column, value);
    }
    return m_context.db.scalar(QStringLiteral("SELECT count(*) FROM ") + row.table + filter.text, filter.values)
               .toInt() > 0;
}

bool Importer::writeRows(const QList<TableRow>& rows) {
    static const QString kUnchecked = QStringLiteral("000000");
    bool firstExisted = false;
    for (int i = 0; i < rows.size(); ++i) {
        const TableRow& row = rows.at(i);
        const bool existed = exists(row);
        if (i == 0) {
            firstExisted = existed;
        }
        if (existed) {
            store::SqlFilter filter = m_context.key.filter();
            for (const auto& [column, value] : row.key) {
                filter.andEquals(column, value);
            }
            QStringList sets;
            QVariantList values;
            for (const auto& [column, value] : row.values) {
                sets.append(column + QStringLiteral("=?"));
                values.append(value);
            }
            sets.append(QStringLiteral("cNumero=?"));
            values.append(kUnchecked);
            m_context.db.run(QStringLiteral("UPDATE ") + row.table + QStringLiteral(" SET ") +
                                 sets.join(QLatin1Char(',')) + filter.text,
                             values + filter.values);
            continue;
        }
        QStringList columns{QStringLiteral("TIP_DOC_D"), QStringLiteral("DOC_ID_D"), QStringLiteral("PERIODO"),
                            QStringLiteral("FORMULARIO")};
        QVariantList values = m_context.key.columnValues();
        for (const auto& [column, value] : row.key + row.values) {
            columns.append(column);
            values.append(value);
        }
        columns.append(QStringLiteral("cNumero"));
        values.append(kUnchecked);
        m_context.db.run(QStringLiteral("INSERT INTO ") + row.table + QStringLiteral(" (") +
                             columns.join(QLatin1Char(',')) + QStringLiteral(") VALUES (") +
                             QStringList(columns.size(), QStringLiteral("?")).join(QLatin1Char(',')) + QLatin1Char(')'),
                         values);
    }
    return firstExisted;
}

int Importer::rowCount() {
    const store::SqlFilter filter = m_context.key.filter();
    return m_context.db.scalar(QStringLiteral("SELECT count(*) FROM ") + m_kind.table + filter.text, filter.values)
        .toInt();
}

} // namespace qel::imports
