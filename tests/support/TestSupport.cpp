#include "support/TestSupport.h"

#include "store/DeclarationTables.h"
#include "store/ReferenceData.h"
#include "store/RowCheckCode.h"
#include "store/Schema.h"
#include "store/TableCatalog.h"
#include "store/TransactionGuard.h"
#include "support/TestServer.h"

#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QUuid>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qel::test {

namespace {

QString templateDatabase() {
    static QTemporaryDir dir;
    static QString path;
    if (path.isEmpty()) {
        path = dir.path() + u"/template.db"_s;
        auto created = store::createDatabase(path);
        if (!created.database) {
            ADD_FAILURE() << "template database: " << created.errorText.toStdString();
        }
        store::loadDemoUsers(*created.database); // the tests log in and list as the demo users
        created.database->run(u"PRAGMA wal_checkpoint(TRUNCATE)"_s).finish();
    }
    return path;
}

// With QEL_TEST_ENGINE=server the database is a schema of its own on the test server
// (QEL_TEST_SERVER), with the whole schema, the reference data and the demo users: the same
// tests then run on the office server. The throwaway cluster takes the schemas with it.
QString serverDatabase() {
    auto opened = store::Database::openServer(TestServer::uri());
    if (!opened.database) {
        ADD_FAILURE() << "test server: " << opened.errorText.toStdString();
        return {};
    }
    store::Database& db = *opened.database;
    const QString schema = u"qel_db_"_s + QUuid::createUuid().toString(QUuid::Id128).left(16);
    try {
        db.run(u"CREATE SCHEMA "_s + schema).finish();
        db.run(u"SET search_path TO "_s + schema).finish();
        store::TransactionGuard transaction(db);
        store::createSchema(db);
        store::loadReferenceData(db);
        store::loadDemoUsers(db);
        transaction.commit();
    } catch (const store::DatabaseError& error) {
        ADD_FAILURE() << "test server schema: " << error.text().toStdString();
    }
    return TestServer::uriWithSchema(schema);
}

} // namespace

bool testsOnServer() {
    return qEnvironmentVariable("QEL_TEST_ENGINE") == u"server"_s && !TestServer::uri().isEmpty();
}

std::unique_ptr<app::ScriptedPrompter> makePrompter() {
    return std::make_unique<app::ScriptedPrompter>([](const QString& why) { ADD_FAILURE() << why.toStdString(); });
}

TempDatabase::TempDatabase() : TempDatabase(testsOnServer()) {}

TempDatabase::TempDatabase(bool server) : m_path(server ? serverDatabase() : m_dir.path() + u"/qel.db"_s) {
    if (!server) {
        QFile::copy(templateDatabase(), m_path);
    }
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
    return {ruc, u"2018"_s, u"0588"_s};
}

int rowCount(store::Database& db, const QString& table) {
    return db.scalar(u"SELECT count(*) FROM "_s + table).toInt();
}

int rowCount(store::Database& db, const QString& table, const store::DeclarationKey& key) {
    const auto filter = key.filter();
    return db.scalar(u"SELECT count(*) FROM "_s + table + filter.text, filter.values).toInt();
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
        const QStringList keyColumns = {u"TIP_DOC_D"_s, u"DOC_ID_D"_s, u"PERIODO"_s, u"FORMULARIO"_s};
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
        marks.append(u"?"_s);
        bound.append(it.value());
    }
    db.run(u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(table, columns.join(','), marks.join(',')), bound).finish();
}

QString demoReturnScript(const QString& fileName) {
    QFile file(QStringLiteral(QEL_TEST_DATA_DIR "/returns/") + fileName);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << fileName.toStdString();
    QStringList lines;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (!line.trimmed().startsWith(u"expect"_s)) {
            lines.append(line);
        }
    }
    return lines.join(QLatin1Char('\n'));
}

QVariantMap partnerRow(const QString& document, double share, const QString& name, const QString& code) {
    return {{u"tipo_socio"_s, u"01"_s}, {u"tipo_doc_socio"_s, 1}, {u"nro_doc_socio"_s, document},
            {u"des_nom_razon"_s, name}, {u"Porcentaje"_s, share}, {u"cNumero"_s, code}};
}

QStringList declarationRows(store::Database& db, const store::DeclarationKey& key) {
    QStringList rows;
    for (const QString& table : store::declaration_tables::sentDeclarationTables()) {
        const store::SqlFilter where = key.filter();
        // The catalogue's columns: the server's rowid column says only when a row was written.
        const QStringList columns = store::TableCatalog::instance().resolve(table)->columnNames();
        QSqlQuery query =
            db.run(u"SELECT %1 FROM %2"_s.arg(columns.join(QLatin1Char(',')), table) + where.text, where.values);
        QStringList tableRows;
        while (query.next()) {
            QStringList values;
            for (int i = 0; i < query.record().count(); ++i) {
                values.append(query.value(i).toString());
            }
            tableRows.append(table + u": "_s + values.join(QLatin1Char('|')));
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
            u"SELECT %1 FROM %2"_s.arg(layout.columnNames().join(QLatin1Char(',')), table) + where.text, where.values);
        while (layout.checked() && query.next()) {
            QVariantList values;
            for (int i = 0; i < query.record().count(); ++i) {
                values.append(query.value(i));
            }
            const QString computed = store::RowCheckCode(values, layout.columnTypes(), layout.keyCount);
            if (values.last().toString() != computed) {
                wrong.append(table + u": "_s + values.last().toString() + u" / "_s + computed);
            }
        }
    }
    return wrong;
}

} // namespace qel::test
