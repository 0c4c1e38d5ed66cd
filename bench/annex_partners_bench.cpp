// Adding 1,000 principal partners one by one through the partners' detail model, as the
// window does (fields typed, "&Grabar" with its checks, duplicate look-up, cross-row sum and
// one transaction per row), with the partners' grid read again after each row as the form
// does after each action. The baseline inserts the same 1,000 rows with a prepared bare
// SQLite statement, one transaction per row, on the same database, in the same run.

#include "annexes/AnnexDetailModel.h"
#include "annexes/AnnexGridModel.h"
#include "bench_support.h"
#include "catalogue/AnnexCatalog.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

using namespace qel;

constexpr int kPartners = 1000;

// A valid DNI per partner and a share that keeps the sum at 100 %.
QString document(int i) {
    return QString::number(40000000 + i);
}
const QString kShare = QStringLiteral("0.1");

struct Fixture {
    bench::BenchDatabase database;
    test::SilentPrompter prompter;
    app::FixedClock clock{test::filingDay()};
    const annexes::AnnexDef& def = *annexes::AnnexCatalog::instance().window(QStringLiteral("frmDetalleSocios"));
    const annexes::AnnexGridDef& grid = *annexes::AnnexCatalog::instance().grid(QStringLiteral("grdPricipalesSocios"));

    void clear() { database.db().run(QStringLiteral("DELETE FROM TMPF535SOCIOS")).finish(); }
    int count() { return database.db().scalar(QStringLiteral("SELECT count(*) FROM TMPF535SOCIOS")).toInt(); }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void addThroughModel(benchmark::State& state, bool refreshGrid) {
    Fixture& f = fixture();
    const store::DeclarationKey key = bench::benchKey();
    app::FormRequest request;
    request.name = f.def.window;
    request.key = key;
    const auto [sql, values] = annexes::AnnexGridModel::rowsOf(f.grid, key);
    const QList<annexes::AnnexGridColumn> columns = {
        {QStringLiteral("tipo_socio"), QString(), QStringLiteral("841")},
        {QStringLiteral("des_nom_razon"), QString(), QString()},
        {QStringLiteral("tipo_doc_socio"), QString(), QStringLiteral("044")},
        {QStringLiteral("nro_doc_socio"), QString(), QString()},
        {QStringLiteral("fec_nac_socio"), QString(), QString()},
        {QStringLiteral("cod_pais"), QString(), QStringLiteral("976")},
        {QStringLiteral("Porcentaje"), QString(), QString()}};
    for (auto _ : state) {
        state.PauseTiming();
        f.clear();
        state.ResumeTiming();
        annexes::AnnexDetailModel model(f.def, annexes::AnnexContext{f.database.db(), f.prompter, f.clock, nullptr},
                                        request);
        annexes::AnnexGridModel gridRows(f.database.db(), f.grid.table, sql, values, columns);
        for (int i = 0; i < kPartners; ++i) {
            model.choose(QStringLiteral("tipo_socio"), QStringLiteral("01"));
            model.choose(QStringLiteral("tipo_doc_socio"), QStringLiteral("01"));
            model.setText(QStringLiteral("nro_doc_socio"), document(i));
            model.setText(QStringLiteral("des_nom_razon"), QStringLiteral("PEREZ ÑAÑEZ JUAN"));
            model.setText(QStringLiteral("fec_nac_socio"), QStringLiteral("15/03/1970"));
            model.choose(QStringLiteral("cod_pais"), QStringLiteral("9589"));
            model.setText(QStringLiteral("Porcentaje"), kShare);
            if (!model.grabar()) {
                state.SkipWithError("a partner was refused");
                return;
            }
            if (refreshGrid) {
                gridRows.refresh();
            }
        }
    }
    if (f.count() != kPartners) {
        state.SkipWithError("not every partner was written");
    }
}

void BM_PartnersThroughModelWithGrid(benchmark::State& state) {
    addThroughModel(state, true);
}

void BM_PartnersThroughModel(benchmark::State& state) {
    addThroughModel(state, false);
}

void BM_BareSqlitePartners(benchmark::State& state) {
    Fixture& f = fixture();
    sqlite3* handle = f.database.db().handle();
    const QByteArray ruc = bench::benchKey().ruc.toUtf8();
    for (auto _ : state) {
        state.PauseTiming();
        f.clear();
        state.ResumeTiming();
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(handle,
                           "INSERT INTO TMPF535SOCIOS (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, tipo_socio, "
                           "tipo_doc_socio, nro_doc_socio, des_nom_razon, fec_nac_socio, cod_pais, Porcentaje, "
                           "fec_cosnt_socio, cNumero) VALUES (6, ?, '2018', '0588', '01', 1, ?, ?, '1970-03-15', "
                           "'9589', 0.1, NULL, '000000')",
                           -1, &insert, nullptr);
        const QByteArray name = QStringLiteral("PEREZ ÑAÑEZ JUAN").toUtf8();
        for (int i = 0; i < kPartners; ++i) {
            const QByteArray number = document(i).toUtf8();
            bench::execBare(handle, QStringLiteral("BEGIN IMMEDIATE"));
            sqlite3_bind_text(insert, 1, ruc.constData(), static_cast<int>(ruc.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 2, number.constData(), static_cast<int>(number.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 3, name.constData(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
            sqlite3_step(insert);
            sqlite3_reset(insert);
            bench::execBare(handle, QStringLiteral("COMMIT"));
        }
        sqlite3_finalize(insert);
    }
    if (f.count() != kPartners) {
        state.SkipWithError("not every partner was written");
    }
}

BENCHMARK(BM_BareSqlitePartners)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_PartnersThroughModel)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_PartnersThroughModelWithGrid)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithRatios(argc, argv,
                                {{"BM_PartnersThroughModel", "BM_BareSqlitePartners"},
                                 {"BM_PartnersThroughModelWithGrid", "BM_BareSqlitePartners"}});
}
