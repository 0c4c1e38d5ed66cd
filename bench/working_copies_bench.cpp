// Opening and saving a declaration whose annexes hold 10,000 rows: every working copy is
// refreshed from the permanent tables, then every annex is written back with new check
// codes. The baseline moves the same rows both ways with bare SQLite INSERT ... SELECT
// statements in one transaction, on the same database, in the same run.

#include "bench_support.h"

#include "store/DeclarationTables.h"
#include "store/TableCatalog.h"
#include "store/TransactionGuard.h"
#include "store/WorkingCopies.h"

#include <benchmark/benchmark.h>

#include <sqlite3.h>

namespace {

using namespace qel;

const QStringList kTables = {QStringLiteral("F535SOCIOS"),   QStringLiteral("F535CASEF"),
                             QStringLiteral("F586DONAC"),    QStringLiteral("F582ALQUILER"),
                             QStringLiteral("F584VEHIC"),    QStringLiteral("F582BALANCE"),
                             QStringLiteral("F544ADICDEDUC"), QStringLiteral("ACTA")};
constexpr int kRows = 10000;

bench::BenchDatabase& database() {
    static bench::BenchDatabase db;
    static bool filled = false;
    if (!filled) {
        bench::fillAnnexRows(db.db(), bench::benchKey(), kTables, kRows);
        filled = true;
    }
    return db;
}

void exec(sqlite3* handle, const QString& sql) {
    char* error = nullptr;
    if (sqlite3_exec(handle, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(sql), error);
        std::abort();
    }
}

void BM_BareSqliteCopyBothWays(benchmark::State& state) {
    auto& db = database();
    sqlite3* handle = db.db().handle();
    const store::DeclarationKey key = bench::benchKey();
    const QString filter = QStringLiteral(" WHERE TIP_DOC_D=6 AND DOC_ID_D='%1' AND PERIODO='%2' AND FORMULARIO='%3'")
                               .arg(key.ruc, key.periodo, key.formulario);
    for (auto _ : state) {
        exec(handle, QStringLiteral("BEGIN"));
        for (const QString& table : kTables) {
            exec(handle, QStringLiteral("DELETE FROM TMP") + table);
            exec(handle, QStringLiteral("INSERT INTO TMP%1 SELECT * FROM %1").arg(table) + filter);
        }
        for (const QString& table : kTables) {
            exec(handle, QStringLiteral("DELETE FROM ") + table + filter);
            exec(handle, QStringLiteral("INSERT INTO %1 SELECT * FROM TMP%1").arg(table) + filter);
        }
        exec(handle, QStringLiteral("COMMIT"));
    }
    state.SetItemsProcessed(state.iterations() * kRows * 2);
}
BENCHMARK(BM_BareSqliteCopyBothWays)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_OpenAndSaveWorkingCopies(benchmark::State& state) {
    auto& db = database();
    const store::DeclarationKey key = bench::benchKey();
    for (auto _ : state) {
        store::TransactionGuard transaction(db.db());
        store::refreshWorkingCopies(db.db(), key);
        for (const QString& table : kTables) {
            store::CopyToPermanent(db.db(), table, key);
        }
        transaction.commit();
    }
    state.SetItemsProcessed(state.iterations() * kRows * 2);
}
BENCHMARK(BM_OpenAndSaveWorkingCopies)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithRatios(argc, argv, {{"BM_OpenAndSaveWorkingCopies", "BM_BareSqliteCopyBothWays"}});
}
