// The working copies of a declaration whose annexes hold 10,000 rows, on the office server:
// every working copy refreshed from the permanent tables, then every annex written back with
// new check codes, in one transaction. The baselines move the same rows both ways with bare
// libpq statements (the key's values bound) in one transaction, on the same connection, in the
// same run: once keeping the codes the rows carry, once computing them with the server's
// function as the module does. Each opening finds the working tables emptied of the declaration
// (untimed, every side). CPU time is the module's thread and its server process; the iterations
// are counted by wall time, since the client's CPU is a small part of it.

#include "bench_support.h"
#include "server_bench_support.h"
#include "store/TransactionGuard.h"
#include "store/WorkingCopies.h"

#include <benchmark/benchmark.h>

namespace {

using namespace qel;

void bareCopyBothWays(benchmark::State& state, bool checkCodes) {
    auto& db = bench::serverAnnexDatabase();
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
        for (const QString& table : bench::annexTables()) {
            bench::execBarePg(handle, QStringLiteral("DELETE FROM TMP") + table + filter, values);
            bench::execBarePg(handle, bench::bareCopyToWorking(table), values);
        }
        for (const QString& table : bench::annexTables()) {
            bench::execBarePg(handle, QStringLiteral("DELETE FROM ") + table + filter, values);
            bench::execBarePg(handle, bench::bareCopyToPermanent(table, checkCodes), values);
        }
        bench::execBarePg(handle, QStringLiteral("COMMIT"));
        cpu.stop();
    }
    cpu.report(state);
    state.SetItemsProcessed(state.iterations() * bench::annexRows() * 2);
}

void BM_BarePgCopyBothWays(benchmark::State& state) {
    bareCopyBothWays(state, false);
}
BENCHMARK(BM_BarePgCopyBothWays)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

void BM_BarePgCopyBothWaysCheckCodes(benchmark::State& state) {
    bareCopyBothWays(state, true);
}
BENCHMARK(BM_BarePgCopyBothWaysCheckCodes)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

void BM_ServerOpenAndSaveWorkingCopies(benchmark::State& state) {
    auto& db = bench::serverAnnexDatabase();
    const store::DeclarationKey key = bench::benchKey();
    bench::SessionCpu cpu(db.handle(), &db.db());
    for (auto _ : state) {
        state.PauseTiming();
        store::emptyWorkingCopies(db.db(), key);
        state.ResumeTiming();
        cpu.start();
        store::TransactionGuard transaction(db.db());
        store::refreshWorkingCopies(db.db(), key);
        for (const QString& table : bench::annexTables()) {
            store::CopyToPermanent(db.db(), table, key);
        }
        transaction.commit();
        cpu.stop();
    }
    cpu.report(state);
    state.SetItemsProcessed(state.iterations() * bench::annexRows() * 2);
}
BENCHMARK(BM_ServerOpenAndSaveWorkingCopies)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (bench::serverMissing("server_working_copies_bench")) {
        return 0;
    }
    return bench::runWithRatios(argc, argv,
                                {{"BM_ServerOpenAndSaveWorkingCopies", "BM_BarePgCopyBothWays"},
                                 {"BM_ServerOpenAndSaveWorkingCopies", "BM_BarePgCopyBothWaysCheckCodes"}});
}
