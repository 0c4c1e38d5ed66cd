// Opening a declaration in the declaration form without its window: the whole form load (the
// pages prepared, the taxpayer list, every working copy refreshed from annex tables holding
// 10,000 rows in all, the casillas read into the boxes with their masks, the answers applied,
// the trial balance and the detail tables). The baseline copies the same annex rows into the
// working tables with bare SQLite INSERT ... SELECT statements in one transaction and reads
// the casilla rows, on the same database, in the same run.

#include "app/Clock.h"
#include "app/FormOpener.h"
#include "app/Prompter.h"
#include "app/UtilityComponent.h"
#include "bench_support.h"
#include "declaration/CasillaCatalog.h"
#include "declaration/DeclarationFormModel.h"
#include "declaration/FormLoader.h"
#include "store/DeclarationTables.h"
#include "store/TableCatalog.h"
#include "store/TransactionGuard.h"

#include <QSqlQuery>
#include <benchmark/benchmark.h>
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

// The declaration: its header, a value for every casilla box, and its annex rows.
bench::BenchDatabase& database() {
    static bench::BenchDatabase db;
    static bool filled = false;
    if (!filled) {
        const store::DeclarationKey key = bench::benchKey();
        bench::fillAnnexRows(db.db(), key, kTables, kRows);
        store::TransactionGuard transaction(db.db());
        db.db()
            .run(QStringLiteral("INSERT INTO CONT (TIP_DOC_D, DOC_ID_D, NOMBRE, USUARIO) VALUES (6, ?, ?, ?)"),
                 {key.ruc, QStringLiteral("D'ONOFRIO S.A."), QStringLiteral("SUPERVISOR")})
            .finish();
        db.db()
            .run(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, ESTADO) "
                                "VALUES (6, ?, ?, ?, 0, 0)"),
                 {key.ruc, key.periodo, key.formulario})
            .finish();
        int n = 0;
        for (const declaration::CasillaDef& def : declaration::CasillaCatalog::instance().all()) {
            db.db()
                .run(QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, "
                                    "i_valor) VALUES (6, ?, ?, ?, 0, ?, ?)"),
                     {key.ruc, key.periodo, key.formulario, QString::number(def.number),
                      def.value == declaration::ValueClass::Text ? QStringLiteral("TEXTO")
                                                                 : QString::number(++n * 1000)})
                .finish();
        }
        transaction.commit();
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

void BM_BareSqliteOpen(benchmark::State& state) {
    auto& db = database();
    sqlite3* handle = db.db().handle();
    const store::DeclarationKey key = bench::benchKey();
    const QString filter = QStringLiteral(" WHERE TIP_DOC_D=6 AND DOC_ID_D='%1' AND PERIODO='%2' AND FORMULARIO='%3'")
                               .arg(key.ruc, key.periodo, key.formulario);
    for (auto _ : state) {
        exec(handle, QStringLiteral("BEGIN"));
        for (const QString& table : store::declaration_tables::workingCopyOrder()) {
            exec(handle, QStringLiteral("DELETE FROM TMP") + table);
            if (store::TableCatalog::instance().table(table).permanent) {
                exec(handle, QStringLiteral("INSERT INTO TMP%1 SELECT * FROM %1").arg(table) + filter);
            }
        }
        exec(handle, QStringLiteral("COMMIT"));
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
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BareSqliteOpen)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_FormLoad(benchmark::State& state) {
    auto& db = database();
    SilentPrompter prompter;
    app::SystemClock clock;
    app::UtilityComponent utility(prompter, &db.db());
    NoWindows opener;
    const store::DeclarationKey key = bench::benchKey();
    for (auto _ : state) {
        declaration::FormContext context{db.db(),
                                         prompter,
                                         clock,
                                         utility,
                                         opener,
                                         key.periodo,
                                         key.formulario,
                                         QStringLiteral("SUPERVISOR"),
                                         QStringLiteral("0")};
        declaration::DeclarationFormModel model(context);
        model.mode = declaration::DeclarationFormModel::Mode::Modify;
        model.openRuc = key.ruc;
        declaration::FormLoader loader(model);
        loader.load();
        benchmark::DoNotOptimize(model.text(101));
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_FormLoad)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithRatios(argc, argv, {{"BM_FormLoad", "BM_BareSqliteOpen"}});
}
