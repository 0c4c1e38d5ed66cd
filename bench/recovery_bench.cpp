// Recovering a sent version whose annexes hold 10,000 rows over the active declaration: every
// table envio_t lists is emptied for the declaration and refilled from its history copy, column
// by column, with new check codes, in one transaction. The baseline runs the same deletes and
// INSERT ... SELECT statements with bare SQLite, without check codes, on the same database,
// in the same run.

#include "app/Clock.h"
#include "base/Prompter.h"
#include "bench_support.h"
#include "launcher/DeclarationSender.h"
#include "management/VersionRecovery.h"
#include "store/SentVersions.h"
#include "store/TableCatalog.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

using namespace qel;

const QString kCorrel = QStringLiteral("1");

// Answers Yes to the overwrite question and shows nothing.
class YesPrompter : public app::Prompter {
public:
    void message(const QString&, const QString&, app::Icon) override {}
    app::Button ask(const QString&, const QString&, app::Buttons, app::Button, app::Icon) override {
        return app::Button::Yes;
    }
};

// The declaration of the benchmarks with its casillas and annex rows, sent once.
bench::BenchDatabase& sentDatabase() {
    static bench::BenchDatabase database;
    [[maybe_unused]] static const bool sent = [] {
        const store::DeclarationKey key = bench::benchKey();
        bench::storeDeclaration(database.db(), key);
        bench::fillAnnexRows(database.db(), key, bench::annexTables(), bench::annexRows());
        YesPrompter prompter;
        const app::FixedClock clock{test::filingDay()};
        const auto result = launcher::DeclarationSender(database.db(), prompter, clock).send(key);
        if (!result.sent || result.correl != kCorrel) {
            std::fprintf(stderr, "the declaration could not be sent: %s\n", qPrintable(result.message));
            std::exit(1);
        }
        return true;
    }();
    return database;
}

void BM_BareSqliteRecovery(benchmark::State& state) {
    auto& db = sentDatabase();
    sqlite3* handle = db.db().handle();
    const store::DeclarationKey key = bench::benchKey();
    const QString filter = bench::bareFilter(key);
    const QStringList tables = store::SentTables(db.db(), key.formulario);
    for (auto _ : state) {
        bench::execBare(handle, QStringLiteral("BEGIN"));
        for (const QString& table : tables) {
            const QString columns = store::TableCatalog::instance()
                                        .layout(table, store::Copy::Permanent)
                                        .columnNames()
                                        .join(QLatin1Char(','));
            bench::execBare(handle, QStringLiteral("DELETE FROM ") + table + filter);
            bench::execBare(handle, QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM H%1").arg(table, columns) +
                                        filter + QStringLiteral(" AND CORREL='1'"));
        }
        bench::execBare(handle, QStringLiteral("COMMIT"));
    }
    state.SetItemsProcessed(state.iterations() * bench::annexRows());
}
BENCHMARK(BM_BareSqliteRecovery)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_RecoverVersion(benchmark::State& state) {
    auto& db = sentDatabase();
    const store::DeclarationKey key = bench::benchKey();
    YesPrompter prompter;
    management::VersionRecovery recovery({db.db(), prompter, key.periodo, key.formulario, QString()}, {});
    for (auto _ : state) {
        if (!recovery.RecoverVersion(key.formulario, key.ruc, key.periodo, kCorrel)) {
            state.SkipWithError("the version was not recovered");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * bench::annexRows());
}
BENCHMARK(BM_RecoverVersion)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithRatios(argc, argv, {{"BM_RecoverVersion", "BM_BareSqliteRecovery"}});
}
