#pragma once

#include "store/Database.h"
#include "store/DeclarationKey.h"
#include "support/ScriptedPrompter.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>
#include <memory>
#include <ostream>

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace qel::test {

// Whether the tests run on the office server (QEL_TEST_ENGINE=server and QEL_TEST_SERVER set).
bool testsOnServer();

// A scripted prompter whose failures are test failures.
std::unique_ptr<app::ScriptedPrompter> makePrompter();

// A fresh database with the whole schema and the reference data, in a temporary folder.
// The first one of the process is built from the catalogue; the others are file copies.
class TempDatabase {
public:
    TempDatabase();
    // On the office server (QEL_TEST_SERVER) or in a file, whatever QEL_TEST_ENGINE says.
    explicit TempDatabase(bool onServer);
    bool isOpen() const { return m_db != nullptr; }
    store::Database& db() { return *m_db; }
    QString path() const { return m_path; }
    QString folder() const { return m_dir.path(); }
    // Closes and reopens the file, as another start of the module would.
    void reopen();

private:
    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<store::Database> m_db;
};

// The demo declaration key used across the tests.
store::DeclarationKey demoKey(const QString& ruc = QStringLiteral("20100070970"));

// Number of rows of a table, optionally for one declaration.
int rowCount(store::Database& db, const QString& table);
int rowCount(store::Database& db, const QString& table, const store::DeclarationKey& key);

// A demo return of tests/data/returns as a script: its `expect` lines left out.
QString demoReturnScript(const QString& fileName);

// Every permanent row of a declaration ("TABLE: v1|v2|..."), table by table, sorted: what
// two saves must leave alike.
QStringList declarationRows(store::Database& db, const store::DeclarationKey& key);

// Rows of a declaration whose stored check code is not the one their values give, as
// "TABLE: code stored / code computed", table by table.
QStringList wrongCheckCodes(store::Database& db, const store::DeclarationKey& key);

// A row of the annex of partners: a shareholder with a DNI, `share` percent of the capital and
// the check code `code`; add the columns a test needs.
QVariantMap partnerRow(const QString& document, double share = 25, const QString& name = QStringLiteral("SOCIO"),
                       const QString& code = QStringLiteral("000000"));

// Inserts one row into a physical table of the catalogue: the declaration key columns
// from `key` (when the table has them), then the given column values; others stay NULL.
void insertRow(store::Database& db, const QString& table, const store::DeclarationKey& key,
               const QVariantMap& values = {});

} // namespace qel::test
