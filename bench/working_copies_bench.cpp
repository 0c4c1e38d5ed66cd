// Opening and saving a declaration whose annexes hold 10,000 rows: every working copy is
// refreshed from the permanent tables, then every annex is written back with new check
// codes. The baseline moves the same rows both ways with bare SQLite INSERT ... SELECT
// statements in one transaction, on the same database, in the same run. Each opening finds
// the working tables as the last form's close left them, emptied of its declaration (untimed,
// both sides).

#include "bench_support.h"
#include "store/DeclarationTables.h"
#include "store/TableCatalog.h"
#include "store/TransactionGuard.h"
#include "store/WorkingCopies.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

using namespace qel;

void BM_BareSqliteCopyBothWays(benchmark::State& state) {
    auto& db = bench::annexDatabase();
    sqlite3* handle = db.db().handle();
    const store::DeclarationKey key = bench::benchKey();
    const QString filter = bench::bareFilter(key);
    for (auto _ : state) {
        state.PauseTiming();
        store::emptyWorkingCopies(db.db(), key);
        state.ResumeTiming();
        bench::execBare(handle, QStringLiteral("BEGIN"));
        for (const QString& table : bench::annexTables()) {
            bench::execBare(handle, QStringLiteral("DELETE FROM TMP") + table);
            bench::execBare(handle, QStringLiteral("INSERT INTO TMP%1 SELECT * FROM %1").arg(table) + filter);
        }
        for (const QString& table : bench::annexTables()) {
            bench::execBare(handle, QStringLiteral("DELETE FROM ") + table + filter);
            bench::execBare(handle, QStringLiteral("INSERT INTO %1 SELECT * FROM TMP%1").arg(table) + filter);
        }
        bench::execBare(handle, QStringLiteral("COMMIT"));
    }
    state.SetItemsProcessed(state.iterations() * bench::annexRows() * 2);
}
BENCHMARK(BM_BareSqliteCopyBothWays)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_OpenAndSaveWorkingCopies(benchmark::State& state) {
    auto& db = bench::annexDatabase();
    const store::DeclarationKey key = bench::benchKey();
    for (auto _ : state) {
        state.PauseTiming();
        store::emptyWorkingCopies(db.db(), key);
        state.ResumeTiming();
        store::TransactionGuard transaction(db.db());
        store::refreshWorkingCopies(db.db(), key);
        for (const QString& table : bench::annexTables()) {
            store::CopyToPermanent(db.db(), table, key);
        }
        transaction.commit();
    }
    state.SetItemsProcessed(state.iterations() * bench::annexRows() * 2);
}
BENCHMARK(BM_OpenAndSaveWorkingCopies)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithRatios(argc, argv, {{"BM_OpenAndSaveWorkingCopies", "BM_BareSqliteCopyBothWays"}});
}
