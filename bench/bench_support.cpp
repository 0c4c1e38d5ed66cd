#include "bench_support.h"

#include "store/Schema.h"
#include "store/TableCatalog.h"
#include "store/TransactionGuard.h"

#include <QCoreApplication>
#include <QSqlQuery>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

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
    QCoreApplication app(argc, argv);
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
