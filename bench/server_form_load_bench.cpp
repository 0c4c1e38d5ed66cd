// Opening a declaration in the declaration form without its window, on the office server: the
// whole form load (the pages prepared, the taxpayer list, every working copy refreshed from
// annex tables holding 10,000 rows in all, the casillas read into the boxes with their masks,
// the answers applied, the trial balance and the detail tables). The baseline copies the same
// annex rows into the working tables with bare libpq INSERT ... SELECT statements (the key's
// values bound) in one transaction and reads the casilla rows, on the same connection, in the
// same run. Each opening finds the working tables emptied of the declaration (untimed, both
// sides). CPU time is the module's thread and its server process; the iterations are counted by
// wall time, since the client's CPU is a small part of it.

#include "bench_support.h"
#include "declaration/commands/FormLoader.h"
#include "declaration/model/DeclarationFormModel.h"
#include "server_bench_support.h"
#include "store/DeclarationTables.h"
#include "store/TableCatalog.h"
#include "store/WorkingCopies.h"

#include <benchmark/benchmark.h>

namespace {

using namespace qel;

// The declaration: its header, a value for every casilla box, and its annex rows.
bench::ServerBenchDatabase& database() {
    static bench::ServerBenchDatabase& db = []() -> bench::ServerBenchDatabase& {
        bench::ServerBenchDatabase& filled = bench::serverAnnexDatabase();
        bench::storeDeclaration(filled.db(), bench::benchKey());
        return filled;
    }();
    return db;
}

void BM_BarePgOpen(benchmark::State& state) {
    auto& db = database();
    PGconn* handle = db.handle();
    const store::DeclarationKey key = bench::benchKey();
    const QStringList values = bench::bareServerKey(key);
    const QString filter = bench::bareServerFilter();
    bench::SessionCpu cpu(handle);
    for (auto _ : state) {
        state.PauseTiming();
        store::emptyWorkingCopies(db.db(), key);
        state.ResumeTiming();
        cpu.start();
        bench::execBarePg(handle, QStringLiteral("BEGIN"));
        for (const QString& table : store::declaration_tables::workingCopyOrder()) {
            bench::execBarePg(handle, QStringLiteral("DELETE FROM TMP") + table + filter, values);
            if (store::TableCatalog::instance().table(table).permanent) {
                bench::execBarePg(handle, bench::bareCopyToWorking(table), values);
            }
        }
        bench::execBarePg(handle, QStringLiteral("COMMIT"));
        const long long bytes =
            bench::execBarePg(handle, QStringLiteral("SELECT CASILLA, i_valor FROM DET") + filter, values);
        benchmark::DoNotOptimize(bytes);
        cpu.stop();
    }
    cpu.report(state);
    state.SetItemsProcessed(state.iterations() * bench::annexRows());
}
BENCHMARK(BM_BarePgOpen)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

void BM_ServerFormLoad(benchmark::State& state) {
    auto& db = database();
    test::SilentServices services(db.db());
    const store::DeclarationKey key = bench::benchKey();
    bench::SessionCpu cpu(db.handle(), &db.db());
    for (auto _ : state) {
        state.PauseTiming();
        store::emptyWorkingCopies(db.db(), key);
        state.ResumeTiming();
        cpu.start();
        declaration::DeclarationFormModel model(services.context());
        model.mode = declaration::DeclarationFormModel::Mode::Modify;
        model.openRuc = key.ruc;
        declaration::FormLoader loader(model);
        loader.load();
        benchmark::DoNotOptimize(model.text(101));
        cpu.stop();
    }
    cpu.report(state);
    state.SetItemsProcessed(state.iterations() * bench::annexRows());
}
BENCHMARK(BM_ServerFormLoad)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (bench::serverMissing("server_form_load_bench")) {
        return 0;
    }
    return bench::runWithRatios(argc, argv, {{"BM_ServerFormLoad", "BM_BarePgOpen"}});
}
