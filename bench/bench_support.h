#pragma once

#include "catalogue/CasillaCatalog.h"
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
// How many annex rows the declaration of the benchmarks holds, over annexTables(): 10,000
// unless the run asks for another count with --rows=N or the environment variable
// QEL_BENCH_ROWS (a number, or "1k", "10k", "100k").
int annexRows();
// Reads a row count as those two take it; 0 when the text is no count.
int parseRowCount(const QString& text);

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

// The process's database with annexRows() annex rows of benchKey() spread over annexTables(),
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

// CPU time of the calling thread, for the parts of a benchmark that time themselves.
double threadCpuSeconds();

// Fills the permanent annex tables of `key` with `rows` rows spread evenly over `tables`,
// every column given a plausible value for its type.
void fillAnnexRows(store::Database& db, const store::DeclarationKey& key, const QStringList& tables, int rows);

// Name of the counter (milliseconds per iteration) in which a benchmark that times only part
// of each iteration reports the CPU time of that part; the ratios use it instead of the
// CPU time of the whole iteration.
inline constexpr const char* kTimedCpuCounter = "timed_cpu_ms";

// Takes --rows=N out of the arguments, runs the registered benchmarks and then prints the row
// count and, for each (candidate, baseline) pair of benchmark names, the ratios of their mean
// wall and CPU times measured in this run, with the difference per iteration.
int runWithRatios(int argc, char** argv, const std::vector<std::pair<std::string, std::string>>& pairs);

} // namespace qel::bench
