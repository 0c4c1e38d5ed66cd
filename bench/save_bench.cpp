// Saving a declaration from the declaration form without its window: every casilla box
// filled, 10,000 annex rows in the working tables, the whole save (refusals, the stop-at-first
// check, header, casilla rows through the casilla writer, answers, assistant rows, every annex
// copied back with new check codes, the trial-balance comparison) in one transaction. The
// baseline writes the same header, casilla rows and annex rows with bare SQLite statements in
// one transaction, on the same database, in the same run.

#include "bench_support.h"
#include "catalogue/FormControls.h"
#include "declaration/commands/SaveCommand.h"
#include "management/DeclarationFormSession.h"
#include "store/DeclarationTables.h"

#include <QSqlQuery>
#include <benchmark/benchmark.h>
#include <memory>
#include <sqlite3.h>

namespace {

using namespace qel;

// The declaration: header, a value for every casilla box and its annex rows, opened in the
// form once (which fills the working tables) and saved once.
struct Fixture {
    bench::BenchDatabase& database = bench::annexDatabase();
    test::SilentServices services{database.db()};
    std::unique_ptr<management::DeclarationFormSession> session;
    QList<QVariantList> casillaRows; // the DET rows the save writes: CASILLA, i_valor, idcasilla, cNumero

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
            casillaRows.append({rows.value(0), rows.value(1), rows.value(2), rows.value(3)});
        }
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_BareSqliteSave(benchmark::State& state) {
    Fixture& f = fixture();
    sqlite3* handle = f.database.db().handle();
    const store::DeclarationKey key = bench::benchKey();
    const QString filter = bench::bareFilter(key);
    QStringList tables = {QStringLiteral("ACTA")};
    tables << store::declaration_tables::saveOrder() << store::declaration_tables::saveOrderRemaining();
    const QByteArray ruc = key.ruc.toUtf8();
    for (auto _ : state) {
        bench::execBare(handle, QStringLiteral("BEGIN IMMEDIATE"));
        bench::execBare(handle,
                        QStringLiteral("UPDATE CAB SET fec_pro='2019-03-15', ESTADO=0, rectifica='0'") + filter);
        bench::execBare(handle, QStringLiteral("DELETE FROM DET") + filter);
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(handle,
                           "INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, i_valor, "
                           "idcasilla, cNumero) VALUES (6, ?, '2018', '0588', 0, ?, ?, ?, ?)",
                           -1, &insert, nullptr);
        for (const QVariantList& row : f.casillaRows) {
            sqlite3_bind_text(insert, 1, ruc.constData(), static_cast<int>(ruc.size()), SQLITE_TRANSIENT);
            for (int i = 0; i < 4; ++i) {
                const QByteArray text = row.at(i).toString().toUtf8();
                sqlite3_bind_text(insert, i + 2, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
            }
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        for (const QString& table : tables) {
            bench::execBare(handle, QStringLiteral("DELETE FROM %1").arg(table) + filter);
            bench::execBare(handle, QStringLiteral("INSERT INTO %1 SELECT * FROM TMP%1").arg(table) + filter);
        }
        bench::execBare(handle, QStringLiteral("COMMIT"));
    }
    state.SetItemsProcessed(state.iterations() * bench::annexRows());
}
BENCHMARK(BM_BareSqliteSave)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_Save(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        if (f.session->saving().run() != declaration::SaveCommand::Outcome::Saved) {
            state.SkipWithError("the save failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * bench::annexRows());
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithRatios(argc, argv, {{"BM_Save", "BM_BareSqliteSave"}});
}
