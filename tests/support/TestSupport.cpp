#include "support/TestSupport.h"

#include "store/DeclarationTables.h"
#include "store/ReferenceData.h"
#include "store/RowCheckCode.h"
#include "store/Schema.h"
#include "store/TableCatalog.h"
#include "store/TransactionGuard.h"

#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QUuid>
#include <gtest/gtest.h>

namespace qel::test {

namespace {

QString templateDatabase() {
    static QTemporaryDir dir;
    static QString path;
    if (path.isEmpty()) {
        path = dir.path() + QStringLiteral("/template.db");
        auto created = store::createDatabase(path);
        if (!created.database) {
            ADD_FAILURE() << "template database: " << created.errorText.toStdString();
        }
        store::loadDemoUsers(*created.database); // the tests log in and list as the demo users
        created.database->run(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")).finish();
    }
    return path;
}

// With QEL_TEST_ENGINE=server the database is a schema of its own on the test server
// (QEL_TEST_SERVER), with the whole schema, the reference data and the demo users: the same
// tests then run on the office server. The throwaway cluster takes the schemas with it.
QString serverDatabase() {
    const QString uri = qEnvironmentVariable("QEL_TEST_SERVER");
    auto opened = store::Database::openServer(uri);
    if (!opened.database) {
        ADD_FAILURE() << "test server: " << opened.errorText.toStdString();
        return {};
    }
    store::Database& db = *opened.database;
    const QString schema = QStringLiteral("qel_db_") + QUuid::createUuid().toString(QUuid::Id128).left(16);
    try {
        db.run(QStringLiteral("CREATE SCHEMA ") + schema).finish();
        db.run(QStringLiteral("SET search_path TO ") + schema).finish();
        store::TransactionGuard transaction(db);
        store::createSchema(db);
        store::loadReferenceData(db);
        store::loadDemoUsers(db);
        transaction.commit();
    } catch (const store::DatabaseError& error) {
        ADD_FAILURE() << "test server schema: " << error.text().toStdString();
    }
    return uri + (uri.contains(QLatin1Char('?')) ? QLatin1Char('&') : QLatin1Char('?')) +
           QStringLiteral("options=-csearch_path%3D") + schema;
}

bool onServer() {
    return qEnvironmentVariable("QEL_TEST_ENGINE") == QStringLiteral("server") &&
           !qEnvironmentVariable("QEL_TEST_SERVER").isEmpty();
}

} // namespace

std::unique_ptr<app::ScriptedPrompter> makePrompter() {
    return std::make_unique<app::ScriptedPrompter>([](const QString& why) { ADD_FAILURE() << why.toStdString(); });
}

TempDatabase::TempDatabase() : TempDatabase(onServer()) {}

TempDatabase::TempDatabase(bool server) {
    if (server) {
        m_path = serverDatabase();
        reopen();
        return;
    }
    m_path = m_dir.path() + QStringLiteral("/qel.db");
    QFile::copy(templateDatabase(), m_path);
    reopen();
}

void TempDatabase::reopen() {
    m_db.reset();
    auto opened = store::Database::open(m_path);
    if (!opened.database) {
        ADD_FAILURE() << "cannot open test database: " << opened.errorText.toStdString();
    }
    m_db = std::move(opened.database);
}

store::DeclarationKey demoKey(const QString& ruc) {
    return {ruc, QStringLiteral("2018"), QStringLiteral("0588")};
}

int rowCount(store::Database& db, const QString& table) {
    return db.scalar(QStringLiteral("SELECT count(*) FROM ") + table).toInt();
}

int rowCount(store::Database& db, const QString& table, const store::DeclarationKey& key) {
    const auto filter = key.filter();
    return db.scalar(QStringLiteral("SELECT count(*) FROM ") + table + filter.text, filter.values).toInt();
}

void insertRow(store::Database& db, const QString& table, const store::DeclarationKey& key, const QVariantMap& values) {
    const auto layout = store::TableCatalog::instance().resolve(table);
    if (!layout) {
        ADD_FAILURE() << "table not in the catalogue: " << table.toStdString();
        return;
    }
    QVariantMap row = values;
    if (layout->def->declaration) {
        const QVariantList keyValues = key.columnValues();
        const QStringList keyColumns = {QStringLiteral("TIP_DOC_D"), QStringLiteral("DOC_ID_D"),
                                        QStringLiteral("PERIODO"), QStringLiteral("FORMULARIO")};
        for (int i = 0; i < keyColumns.size(); ++i) {
            if (!row.contains(keyColumns.at(i))) {
                row.insert(keyColumns.at(i), keyValues.at(i));
            }
        }
    }
    QStringList columns;
    QStringList marks;
    QVariantList bound;
    for (auto it = row.cbegin(); it != row.cend(); ++it) {
        if (layout->indexOf(it.key()) < 0) {
            ADD_FAILURE() << table.toStdString() << " has no column " << it.key().toStdString();
            return;
        }
        columns.append(it.key());
        marks.append(QStringLiteral("?"));
        bound.append(it.value());
    }
    db.run(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns.join(','), marks.join(',')), bound)
        .finish();
}

QString demoReturnScript(const QString& fileName) {
    QFile file(QStringLiteral(QEL_TEST_DATA_DIR "/returns/") + fileName);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << fileName.toStdString();
    QStringList lines;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (!line.trimmed().startsWith(QStringLiteral("expect"))) {
            lines.append(line);
        }
    }
    return lines.join(QLatin1Char('\n'));
}

QStringList declarationRows(store::Database& db, const store::DeclarationKey& key) {
    QStringList rows;
    for (const QString& table : store::declaration_tables::sentDeclarationTables()) {
        const store::SqlFilter where = key.filter();
        // The catalogue's columns: the server's rowid column says only when a row was written.
        const QStringList columns = store::TableCatalog::instance().resolve(table)->columnNames();
        QSqlQuery query = db.run(
            QStringLiteral("SELECT %1 FROM %2").arg(columns.join(QLatin1Char(',')), table) + where.text, where.values);
        QStringList tableRows;
        while (query.next()) {
            QStringList values;
            for (int i = 0; i < query.record().count(); ++i) {
                values.append(query.value(i).toString());
            }
            tableRows.append(table + QStringLiteral(": ") + values.join(QLatin1Char('|')));
        }
        tableRows.sort();
        rows += tableRows;
    }
    return rows;
}

QStringList wrongCheckCodes(store::Database& db, const store::DeclarationKey& key) {
    QStringList wrong;
    for (const QString& table : store::declaration_tables::sentDeclarationTables()) {
        const store::TableLayout layout = store::TableCatalog::instance().layout(table, store::Copy::Permanent);
        const store::SqlFilter where = key.filter();
        QSqlQuery query = db.run(
            QStringLiteral("SELECT %1 FROM %2").arg(layout.columnNames().join(QLatin1Char(',')), table) + where.text,
            where.values);
        while (layout.checked() && query.next()) {
            QVariantList values;
            for (int i = 0; i < query.record().count(); ++i) {
                values.append(query.value(i));
            }
            const QString computed = store::RowCheckCode(values, layout.columnTypes(), layout.keyCount);
            if (values.last().toString() != computed) {
                wrong.append(table + QStringLiteral(": ") + values.last().toString() + QStringLiteral(" / ") +
                             computed);
            }
        }
    }
    return wrong;
}

} // namespace qel::test
