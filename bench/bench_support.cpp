#include "bench_support.h"

#include "store/Schema.h"
#include "store/TableCatalog.h"
#include "store/TransactionGuard.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <optional>
#include <sqlite3.h>

namespace qel::bench {

namespace {

constexpr int kDefaultAnnexRows = 10000;

// The count the command line asked for; 0 leaves it to the environment.
int& requestedRows() {
    static int rows = 0;
    return rows;
}

} // namespace

int parseRowCount(const QString& text) {
    QString digits = text.trimmed().toLower();
    int factor = 1;
    if (digits.endsWith(QLatin1Char('k'))) {
        digits.chop(1);
        factor = 1000;
    }
    bool ok = false;
    const int count = digits.toInt(&ok);
    return ok && count > 0 && count <= 10000000 / factor ? count * factor : 0;
}

int annexRows() {
    static const int fromEnvironment = [] {
        const int rows = parseRowCount(qEnvironmentVariable("QEL_BENCH_ROWS"));
        return rows > 0 ? rows : kDefaultAnnexRows;
    }();
    return requestedRows() > 0 ? requestedRows() : fromEnvironment;
}

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

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
        fillAnnexRows(database.db(), benchKey(), annexTables(), annexRows());
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
                        value = QStringLiteral("2018-%1-%2")
                                    .arg(r % 12 + 1, 2, 10, QLatin1Char('0'))
                                    .arg(r % 28 + 1, 2, 10, QLatin1Char('0'));
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
        // Each row with its right check code, as a save leaves it.
        if (layout.checked()) {
            QStringList covered = layout.columnNames();
            covered.removeLast();
            QString letters;
            for (int c = 0; c < covered.size(); ++c) {
                letters.append(QLatin1Char(store::typeLetter(layout.columns.at(c).type)));
            }
            const store::SqlFilter filter = key.filter();
            db.run(QStringLiteral("UPDATE %1 SET %2=%3")
                           .arg(layout.name, store::TableCatalog::kCheckColumn,
                                db.dialect().checkCode(letters, layout.keyCount, covered)) +
                       filter.text,
                   filter.values)
                .finish();
        }
    }
    transaction.commit();
}

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    struct Mean {
        double wall = 0; // seconds per iteration
        double cpu = 0;
    };

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                Sums& sums = m_sums[run.run_name.function_name];
                const double iterations = static_cast<double>(run.iterations);
                sums.wall += run.real_accumulated_time / iterations;
                const auto timed = run.counters.find(kTimedCpuCounter);
                sums.cpu +=
                    timed != run.counters.end() ? timed->second.value / 1000 : run.cpu_accumulated_time / iterations;
                ++sums.count;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    Mean mean(const std::string& name) const {
        const auto it = m_sums.find(name);
        if (it == m_sums.end() || it->second.count == 0) {
            return {};
        }
        return {it->second.wall / it->second.count, it->second.cpu / it->second.count};
    }

private:
    struct Sums {
        double wall = 0;
        double cpu = 0;
        int count = 0;
    };
    std::map<std::string, Sums> m_sums;
};

// Takes "--rows=N" out of the arguments before the benchmark library reads them.
void takeRowsArgument(int& argc, char** argv) {
    int kept = 0;
    for (int i = 0; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (i > 0 && argument.startsWith(QStringLiteral("--rows="))) {
            const int rows = parseRowCount(argument.mid(7));
            if (rows == 0) {
                std::fprintf(stderr, "%s: not a row count\n", argv[i]);
                std::exit(2);
            }
            requestedRows() = rows;
            continue;
        }
        argv[kept++] = argv[i];
    }
    argc = kept;
}

} // namespace

int runWithRatios(int argc, char** argv, const std::vector<std::pair<std::string, std::string>>& pairs) {
    takeRowsArgument(argc, argv);
    // A benchmark that paints brings its own QGuiApplication.
    std::optional<QCoreApplication> app;
    if (QCoreApplication::instance() == nullptr) {
        app.emplace(argc, argv);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("ROWS %d annex rows\n", annexRows());
    for (const auto& [candidate, baseline] : pairs) {
        const RatioReporter::Mean b = reporter.mean(baseline);
        const RatioReporter::Mean c = reporter.mean(candidate);
        if (b.wall > 0 && c.wall > 0 && b.cpu > 0) {
            std::printf("RATIO %s / %s = %.2f wall (%+.3f ms), %.2f cpu (%+.3f ms)\n", candidate.c_str(),
                        baseline.c_str(), c.wall / b.wall, (c.wall - b.wall) * 1000, c.cpu / b.cpu,
                        (c.cpu - b.cpu) * 1000);
        }
    }
    benchmark::Shutdown();
    return 0;
}

} // namespace qel::bench
