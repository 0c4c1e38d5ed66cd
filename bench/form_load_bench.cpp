// Opening a declaration in the declaration form without its window: the whole form load (the
// pages prepared, the taxpayer list, every working copy refreshed from annex tables holding
// 10,000 rows in all, the casillas read into the boxes with their masks, the answers applied,
// the trial balance and the detail tables). The baseline copies the same annex rows into the
// working tables with bare SQLite INSERT ... SELECT statements in one transaction and reads
// the casilla rows, on the same database, in the same run. Each opening finds the working
// tables as the last form's close left them, emptied of its declaration (untimed, both sides).

#include "bench_support.h"
#include "declaration/commands/FormLoader.h"
#include "declaration/model/DeclarationFormModel.h"
#include "store/DeclarationTables.h"
#include "store/TableCatalog.h"
#include "store/WorkingCopies.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

using namespace qel;

// The declaration: its header, a value for every casilla box, and its annex rows.
bench::BenchDatabase& database() {
    static bench::BenchDatabase& db = []() -> bench::BenchDatabase& {
        bench::BenchDatabase& filled = bench::annexDatabase();
        bench::storeDeclaration(filled.db(), bench::benchKey());
        return filled;
    }();
    return db;
}

void BM_BareSqliteOpen(benchmark::State& state) {
    auto& db = database();
    sqlite3* handle = db.db().handle();
    const store::DeclarationKey key = bench::benchKey();
    const QString filter = bench::bareFilter(key);
    for (auto _ : state) {
        state.PauseTiming();
        store::emptyWorkingCopies(db.db(), key);
        state.ResumeTiming();
        bench::execBare(handle, QStringLiteral("BEGIN"));
        for (const QString& table : store::declaration_tables::workingCopyOrder()) {
            bench::execBare(handle, QStringLiteral("DELETE FROM TMP") + table);
            if (store::TableCatalog::instance().table(table).permanent) {
                bench::execBare(handle, QStringLiteral("INSERT INTO TMP%1 SELECT * FROM %1").arg(table) + filter);
            }
        }
        bench::execBare(handle, QStringLiteral("COMMIT"));
        sqlite3_stmt* statement = nullptr;
        const QByteArray select = (QStringLiteral("SELECT CASILLA, i_valor FROM DET") + filter).toUtf8();
        sqlite3_prepare_v2(handle, select.constData(), -1, &statement, nullptr);
        int values = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            values += sqlite3_column_bytes(statement, 1);
        }
        sqlite3_finalize(statement);
        benchmark::DoNotOptimize(values);
    }
    state.SetItemsProcessed(state.iterations() * bench::annexRows());
}
BENCHMARK(BM_BareSqliteOpen)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_FormLoad(benchmark::State& state) {
    auto& db = database();
    test::SilentServices services(db.db());
    const store::DeclarationKey key = bench::benchKey();
    for (auto _ : state) {
        state.PauseTiming();
        store::emptyWorkingCopies(db.db(), key);
        state.ResumeTiming();
        declaration::DeclarationFormModel model(services.context());
        model.mode = declaration::DeclarationFormModel::Mode::Modify;
        model.openRuc = key.ruc;
        declaration::FormLoader loader(model);
        loader.load();
        benchmark::DoNotOptimize(model.text(101));
    }
    state.SetItemsProcessed(state.iterations() * bench::annexRows());
}
BENCHMARK(BM_FormLoad)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithRatios(argc, argv, {{"BM_FormLoad", "BM_BareSqliteOpen"}});
}
