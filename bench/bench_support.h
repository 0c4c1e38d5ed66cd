#pragma once

#include "declaration/CasillaCatalog.h"
#include "store/Database.h"
#include "store/DeclarationKey.h"
#include "support/FormServices.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

struct sqlite3;

namespace qel::bench {

// The taxpayer, header and casilla values are those of a company with a sizeable return.
inline const QString kCompany = QStringLiteral("D'ONOFRIO S.A.");
// How many annex rows the declaration of the benchmarks holds, over annexTables().
constexpr int kAnnexRows = 10000;

// A database with the schema and reference data in a temporary folder.
class BenchDatabase {
public:
    BenchDatabase();
    store::Database& db() { return *m_db; }
    const QString& path() const { return m_path; }

private:
    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<store::Database> m_db;
};

store::DeclarationKey benchKey();

// The annex tables the declaration's rows are spread over.
const QStringList& annexTables();

// The process's database with kAnnexRows annex rows of benchKey() spread over annexTables(),
// filled on first use.
BenchDatabase& annexDatabase();

// Registers the taxpayer of `key` for the supervisor and stores the declaration's header and a
// value for every casilla box that `wanted` accepts (all when not given): "TEXTO" in the text
// boxes, 1000, 2000, ... in the others, in catalogue order.
void storeDeclaration(store::Database& db, const store::DeclarationKey& key,
                      const std::function<bool(const declaration::CasillaDef&)>& wanted = {});
// One casilla row of the declaration.
void storeCasilla(store::Database& db, const store::DeclarationKey& key, const QString& casilla, const QString& value);

// Runs a statement on the bare SQLite connection; a failure ends the run.
void execBare(sqlite3* handle, const QString& sql);
// The declaration's filter with its values written into the text, for the bare statements.
QString bareFilter(const store::DeclarationKey& key);

// Fills the permanent annex tables of `key` with `rows` rows spread evenly over `tables`,
// every column given a plausible value for its type.
void fillAnnexRows(store::Database& db, const store::DeclarationKey& key, const QStringList& tables, int rows);

// Runs the registered benchmarks and then prints, for each (candidate, baseline) pair of
// benchmark names, the ratio of their mean real times measured in this run.
int runWithRatios(int argc, char** argv, const std::vector<std::pair<std::string, std::string>>& pairs);

} // namespace qel::bench
