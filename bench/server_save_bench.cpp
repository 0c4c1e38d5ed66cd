// Saving a declaration from the declaration form without its window, on the office server:
// every casilla box filled, 10,000 annex rows in the working tables, the whole save (refusals,
// the stop-at-first check, header, casilla rows through the casilla writer, answers, assistant
// rows, every annex copied back with new check codes, the trial-balance comparison) in one
// transaction. The baselines write the same header, casilla rows (one prepared insert) and
// annex rows with bare libpq statements in one transaction, on the same connection, in the same
// run: once keeping the annex rows' codes, once computing them with the server's function as
// the save does. CPU time is the module's thread and its server process; the iterations are
// counted by wall time, since the client's CPU is a small part of it.

#include "bench_support.h"
#include "catalogue/FormControls.h"
#include "declaration/commands/SaveCommand.h"
#include "management/DeclarationFormSession.h"
#include "server_bench_support.h"
#include "store/DeclarationTables.h"

#include <QSqlQuery>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace qel;

// The declaration: header, a value for every casilla box and its annex rows, opened in the
// form once (which fills the working tables) and saved once.
struct Fixture {
    bench::ServerBenchDatabase& database = bench::serverAnnexDatabase();
    test::SilentServices services{database.db()};
    std::unique_ptr<management::DeclarationFormSession> session;
    std::vector<std::vector<QByteArray>> casillaRows; // the DET rows the save writes

    Fixture() {
        store::Database& db = database.db();
        const store::DeclarationKey key = bench::benchKey();
        // No value in the casillas that hold the answer to a question, but for two answers.
        bench::storeDeclaration(db, key, [](const declaration::CasillaDef& def) {
            return declaration::FormControls::instance().answeredIn(def.number) == nullptr;
        });
        bench::storeCasilla(db, key, QStringLiteral("878"), QStringLiteral("0")); // the ITF question
        bench::storeCasilla(db, key, QStringLiteral("870"), QStringLiteral("2")); // the chart of accounts

        session = std::make_unique<management::DeclarationFormSession>(
            services.context(), management::DeclarationFormArguments::fromList(1, {key.ruc, bench::kCompany, false}));
        session->load();
        if (session->saving().run() != declaration::SaveCommand::Outcome::Saved) {
            std::fprintf(stderr, "the declaration was not saved\n");
            std::abort();
        }
        const store::SqlFilter filter = key.filter();
        QSqlQuery rows =
            db.run(QStringLiteral("SELECT CASILLA, i_valor, idcasilla, cNumero FROM DET") + filter.text, filter.values);
        while (rows.next()) {
            std::vector<QByteArray> row{key.ruc.toUtf8()};
            for (int i = 0; i < 4; ++i) {
                row.push_back(rows.value(i).isNull() ? QByteArray() : rows.value(i).toString().toUtf8());
            }
            casillaRows.push_back(std::move(row));
        }
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void bareSave(benchmark::State& state, bool checkCodes) {
    Fixture& f = fixture();
    PGconn* handle = f.database.handle();
    const store::DeclarationKey key = bench::benchKey();
    const QStringList values = bench::bareServerKey(key);
    const QString filter = bench::bareServerFilter();
    QStringList tables = {QStringLiteral("ACTA")};
    tables << store::declaration_tables::saveOrder() << store::declaration_tables::saveOrderRemaining();
    bench::SessionCpu cpu(handle);
    for (auto _ : state) {
        cpu.start();
        bench::execBarePg(handle, QStringLiteral("BEGIN"));
        bench::execBarePg(
            handle, QStringLiteral("UPDATE CAB SET fec_pro='2019-03-15', ESTADO=0, rectifica='0'") + filter, values);
        bench::execBarePg(handle, QStringLiteral("DELETE FROM DET") + filter, values);
        bench::execBarePg(handle, QStringLiteral("PREPARE bare_det AS INSERT INTO DET (TIP_DOC_D, DOC_ID_D, "
                                                 "PERIODO, FORMULARIO, SEMANA, CASILLA, i_valor, idcasilla, cNumero) "
                                                 "VALUES (6, $1, '2018', '0588', 0, $2, $3, $4, $5)"));
        for (const std::vector<QByteArray>& casilla : f.casillaRows) {
            bench::execBarePrepared(handle, "bare_det", casilla);
        }
        bench::execBarePg(handle, QStringLiteral("DEALLOCATE bare_det"));
        for (const QString& table : tables) {
            bench::execBarePg(handle, QStringLiteral("DELETE FROM ") + table + filter, values);
            bench::execBarePg(handle, bench::bareCopyToPermanent(table, checkCodes), values);
        }
        bench::execBarePg(handle, QStringLiteral("COMMIT"));
        cpu.stop();
    }
    cpu.report(state);
    state.SetItemsProcessed(state.iterations() * bench::annexRows());
}

void BM_BarePgSave(benchmark::State& state) {
    bareSave(state, false);
}
BENCHMARK(BM_BarePgSave)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

void BM_BarePgSaveCheckCodes(benchmark::State& state) {
    bareSave(state, true);
}
BENCHMARK(BM_BarePgSaveCheckCodes)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

void BM_ServerSave(benchmark::State& state) {
    Fixture& f = fixture();
    bench::SessionCpu cpu(f.database.handle(), &f.database.db());
    for (auto _ : state) {
        cpu.start();
        if (f.session->saving().run() != declaration::SaveCommand::Outcome::Saved) {
            state.SkipWithError("the save failed");
            break;
        }
        cpu.stop();
    }
    cpu.report(state);
    state.SetItemsProcessed(state.iterations() * bench::annexRows());
}
BENCHMARK(BM_ServerSave)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (bench::serverMissing("server_save_bench")) {
        return 0;
    }
    return bench::runWithRatios(argc, argv,
                                {{"BM_ServerSave", "BM_BarePgSave"}, {"BM_ServerSave", "BM_BarePgSaveCheckCodes"}});
}
