// Saving a declaration from the declaration form without its window: every casilla box
// filled, 10,000 annex rows in the working tables, the whole save (refusals, the stop-at-first
// check, header, casilla rows through the casilla writer, answers, assistant rows, every annex
// copied back with new check codes, the trial-balance comparison) in one transaction. The
// baseline writes the same header, casilla rows and annex rows with bare SQLite statements in
// one transaction, on the same database, in the same run.

#include "app/Clock.h"
#include "app/FormOpener.h"
#include "app/Prompter.h"
#include "app/UtilityComponent.h"
#include "bench_support.h"
#include "declaration/CasillaCatalog.h"
#include "declaration/DeclarationFormModel.h"
#include "declaration/FormControls.h"
#include "declaration/SaveCommand.h"
#include "management/DeclarationFormSession.h"
#include "store/DeclarationTables.h"
#include "store/TableCatalog.h"
#include "store/TransactionGuard.h"

#include <QSqlQuery>
#include <benchmark/benchmark.h>
#include <memory>
#include <sqlite3.h>

namespace {

using namespace qel;

const QStringList kTables = {QStringLiteral("F535SOCIOS"),    QStringLiteral("F535CASEF"),
                             QStringLiteral("F586DONAC"),     QStringLiteral("F582ALQUILER"),
                             QStringLiteral("F584VEHIC"),     QStringLiteral("F582BALANCE"),
                             QStringLiteral("F544ADICDEDUC"), QStringLiteral("ACTA")};
constexpr int kRows = 10000;

class SilentPrompter : public app::Prompter {
public:
    void message(const QString&, const QString&, app::Icon) override {}
    app::Button ask(const QString&, const QString&, app::Buttons, app::Button defaultButton, app::Icon) override {
        return defaultButton;
    }
};

class NoWindows : public app::FormOpener {
public:
    QString open(const app::FormRequest&) override { return {}; }
    bool knows(const QString&) const override { return true; }
};

// The declaration: header, a value for every casilla box and its annex rows, opened in the
// form once (which fills the working tables) and saved once.
struct Fixture {
    bench::BenchDatabase database;
    SilentPrompter prompter;
    app::FixedClock clock{QDateTime(QDate(2019, 3, 15), QTime(10, 0))};
    app::UtilityComponent utility{prompter, &database.db()};
    NoWindows opener;
    std::unique_ptr<management::DeclarationFormSession> session;
    QList<QVariantList> casillaRows; // the DET rows the save writes: CASILLA, i_valor, idcasilla, cNumero

    Fixture() {
        store::Database& db = database.db();
        const store::DeclarationKey key = bench::benchKey();
        bench::fillAnnexRows(db, key, kTables, kRows);
        store::TransactionGuard transaction(db);
        db.run(QStringLiteral("INSERT INTO CONT (TIP_DOC_D, DOC_ID_D, NOMBRE, USUARIO) VALUES (6, ?, ?, ?)"),
               {key.ruc, QStringLiteral("D'ONOFRIO S.A."), QStringLiteral("SUPERVISOR")})
            .finish();
        db.run(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, ESTADO) "
                              "VALUES (6, ?, ?, ?, 0, 0)"),
               {key.ruc, key.periodo, key.formulario})
            .finish();
        const auto det = [&](const QString& casilla, const QString& value) {
            db.run(
                  QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, i_valor) "
                                 "VALUES (6, ?, ?, ?, 0, ?, ?)"),
                  {key.ruc, key.periodo, key.formulario, casilla, value})
                .finish();
        };
        int n = 0;
        for (const declaration::CasillaDef& def : declaration::CasillaCatalog::instance().all()) {
            if (declaration::FormControls::instance().answeredIn(def.number) == nullptr) {
                det(QString::number(def.number),
                    def.value == declaration::ValueClass::Text ? QStringLiteral("TEXTO") : QString::number(++n * 1000));
            }
        }
        det(QStringLiteral("878"), QStringLiteral("0")); // the ITF question
        det(QStringLiteral("870"), QStringLiteral("2")); // the chart of accounts
        transaction.commit();

        declaration::FormContext context{db,
                                         prompter,
                                         clock,
                                         utility,
                                         opener,
                                         key.periodo,
                                         key.formulario,
                                         QStringLiteral("SUPERVISOR"),
                                         QStringLiteral("0")};
        session = std::make_unique<management::DeclarationFormSession>(
            context,
            management::DeclarationFormArguments::fromList(1, {key.ruc, QStringLiteral("D'ONOFRIO S.A."), false}));
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

void exec(sqlite3* handle, const QString& sql) {
    char* error = nullptr;
    if (sqlite3_exec(handle, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(sql), error);
        std::abort();
    }
}

void BM_BareSqliteSave(benchmark::State& state) {
    Fixture& f = fixture();
    sqlite3* handle = f.database.db().handle();
    const store::DeclarationKey key = bench::benchKey();
    const QString filter = QStringLiteral(" WHERE TIP_DOC_D=6 AND DOC_ID_D='%1' AND PERIODO='%2' AND FORMULARIO='%3'")
                               .arg(key.ruc, key.periodo, key.formulario);
    QStringList tables = {QStringLiteral("ACTA")};
    tables << store::declaration_tables::saveOrder() << store::declaration_tables::saveOrderRemaining();
    const QByteArray ruc = key.ruc.toUtf8();
    for (auto _ : state) {
        exec(handle, QStringLiteral("BEGIN IMMEDIATE"));
        exec(handle, QStringLiteral("UPDATE CAB SET fec_pro='2019-03-15', ESTADO=0, rectifica='0'") + filter);
        exec(handle, QStringLiteral("DELETE FROM DET") + filter);
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
            exec(handle, QStringLiteral("DELETE FROM %1").arg(table) + filter);
            exec(handle, QStringLiteral("INSERT INTO %1 SELECT * FROM TMP%1").arg(table) + filter);
        }
        exec(handle, QStringLiteral("COMMIT"));
    }
    state.SetItemsProcessed(state.iterations() * kRows);
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
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithRatios(argc, argv, {{"BM_Save", "BM_BareSqliteSave"}});
}
