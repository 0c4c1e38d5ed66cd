#include "bench_support.h"

#include "store/Schema.h"
#include "store/TableCatalog.h"
#include "store/TransactionGuard.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <sqlite3.h>

namespace qel::bench {

BenchDatabase::BenchDatabase() {
    m_path = m_dir.path() + QStringLiteral("/bench.db");
    auto created = store::createDatabase(m_path);
    if (!created.database) {
        std::fprintf(stderr, "cannot create the database: %s\n", qPrintable(created.errorText));
        std::abort();
    }
    m_db = std::move(created.database);
}

store::DeclarationKey benchKey() {
    return {QStringLiteral("20100070970"), QStringLiteral("2018"), QStringLiteral("0588")};
}

const QStringList& annexTables() {
    static const QStringList tables = {QStringLiteral("F535SOCIOS"),    QStringLiteral("F535CASEF"),
                                       QStringLiteral("F586DONAC"),     QStringLiteral("F582ALQUILER"),
                                       QStringLiteral("F584VEHIC"),     QStringLiteral("F582BALANCE"),
                                       QStringLiteral("F544ADICDEDUC"), QStringLiteral("ACTA")};
    return tables;
}

BenchDatabase& annexDatabase() {
    static BenchDatabase database;
    [[maybe_unused]] static const bool filled = [] {
        fillAnnexRows(database.db(), benchKey(), annexTables(), kAnnexRows);
        return true;
    }();
    return database;
}

void storeDeclaration(store::Database& db, const store::DeclarationKey& key,
                      const std::function<bool(const declaration::CasillaDef&)>& wanted) {
    store::TransactionGuard transaction(db);
    test::registerTaxpayer(db, key.ruc, kCompany);
    db.run(QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, ESTADO) "
                          "VALUES (6, ?, ?, ?, 0, 0)"),
           {key.ruc, key.periodo, key.formulario})
        .finish();
    int n = 0;
    for (const declaration::CasillaDef& def : declaration::CasillaCatalog::instance().all()) {
        if (!wanted || wanted(def)) {
            storeCasilla(db, key, QString::number(def.number),
                         def.value == declaration::ValueClass::Text ? QStringLiteral("TEXTO")
                                                                    : QString::number(++n * 1000));
        }
    }
    transaction.commit();
}

void storeCasilla(store::Database& db, const store::DeclarationKey& key, const QString& casilla, const QString& value) {
    db.run(QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, i_valor) "
                          "VALUES (6, ?, ?, ?, 0, ?, ?)"),
           {key.ruc, key.periodo, key.formulario, casilla, value})
        .finish();
}

void execBare(sqlite3* handle, const QString& sql) {
    char* error = nullptr;
    if (sqlite3_exec(handle, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(sql), error);
        std::abort();
    }
}

QString bareFilter(const store::DeclarationKey& key) {
    return QStringLiteral(" WHERE TIP_DOC_D=6 AND DOC_ID_D='%1' AND PERIODO='%2' AND FORMULARIO='%3'")
        .arg(key.ruc, key.periodo, key.formulario);
}

void fillAnnexRows(store::Database& db, const store::DeclarationKey& key, const QStringList& tables, int rows) {
    store::TransactionGuard transaction(db);
    const int perTable = rows / static_cast<int>(tables.size());
    for (const QString& table : tables) {
        const store::TableLayout layout = store::TableCatalog::instance().layout(table, store::Copy::Permanent);
        QStringList marks;
        for (int c = 0; c < layout.columns.size(); ++c) {
            marks.append(QStringLiteral("?"));
        }
        QSqlQuery insert(db.connection());
        insert.prepare(QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(layout.name, marks.join(',')));
        for (int r = 0; r < perTable; ++r) {
            const QVariantList keyValues = key.columnValues();
            for (int c = 0; c < layout.columns.size(); ++c) {
                QVariant value;
                if (c < keyValues.size()) {
                    value = keyValues.at(c);
                } else if (c == layout.columns.size() - 1) {
                    value = QStringLiteral("000000");
                } else {
                    switch (layout.columns.at(c).type) {
                    case store::ColumnType::Integer:
                        value = r % 97 + c;
                        break;
                    case store::ColumnType::Double:
                        value = (r % 1000) / 10.0;
                        break;
                    case store::ColumnType::Currency:
                        value = 1000 + r * 7 + c;
                        break;
                    case store::ColumnType::Date:
                        value = QStringLiteral("2018-%1-%2").arg(r % 12 + 1, 2, 10, QLatin1Char('0')).arg(r % 28 + 1, 2, 10, QLatin1Char('0'));
                        break;
                    case store::ColumnType::Text:
                        value = QStringLiteral("%1 %2 D'ONOFRIO").arg(layout.columns.at(c).name).arg(r);
                        break;
                    }
                }
                insert.bindValue(c, value);
            }
            if (!insert.exec()) {
                std::fprintf(stderr, "insert into %s failed\n", qPrintable(layout.name));
                std::abort();
            }
        }
    }
    transaction.commit();
}

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                auto& [total, count] = m_times[run.run_name.function_name];
                total += run.GetAdjustedRealTime();
                ++count;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    double mean(const std::string& name) const {
        const auto it = m_times.find(name);
        return it == m_times.end() || it->second.second == 0 ? 0 : it->second.first / it->second.second;
    }

private:
    std::map<std::string, std::pair<double, int>> m_times;
};

} // namespace

int runWithRatios(int argc, char** argv, const std::vector<std::pair<std::string, std::string>>& pairs) {
    // A benchmark that paints brings its own QGuiApplication.
    std::optional<QCoreApplication> app;
    if (QCoreApplication::instance() == nullptr) {
        app.emplace(argc, argv);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const auto& [candidate, baseline] : pairs) {
        const double b = reporter.mean(baseline);
        const double c = reporter.mean(candidate);
        if (b > 0 && c > 0) {
            std::printf("RATIO %s / %s = %.2f\n", candidate.c_str(), baseline.c_str(), c / b);
        }
    }
    benchmark::Shutdown();
    return 0;
}

} // namespace qel::bench
