// Importing a rentals file of 100,000 lines (QEL_BENCH_ROWS changes the count) through the
// import loader: the structural pass, every record's checks, the correlative of each good and
// the row written, in one transaction. The baseline is sqlite3's own ".import" of the same
// rows, already in the table's column order, into the same working table, in the same run.
// The target is the wall ratio. sqlite3 runs as a child process, so its CPU time is taken from
// the finished children's usage and added to this thread's, for a CPU ratio that counts it.

#include "app/UtilityComponent.h"
#include "bench_support.h"
#include "imports/ImportKind.h"
#include "imports/Importer.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

using namespace qel;

// CPU seconds of the children this process has waited for.
double childrenCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The CPU time of the timed parts of every iteration, as the ratio reads it.
void reportCpu(benchmark::State& state, double cpuSeconds) {
    state.counters[bench::kTimedCpuCounter] = cpuSeconds * 1000 / static_cast<double>(state.iterations());
}

int rowCount() {
    const int wanted = qEnvironmentVariableIntValue("QEL_BENCH_ROWS");
    return wanted > 0 ? wanted : 100000;
}

// A landlord per line (a DNI) renting a car with its plate.
QString landlord(int i) {
    return QString::number(40000000 + i);
}

struct Fixture {
    bench::BenchDatabase database;
    QTemporaryDir folder;
    QByteArray importFile;
    QString bareFile;
    test::SilentPrompter prompter;
    app::UtilityComponent utility{prompter, &database.db()};

    Fixture() {
        const store::DeclarationKey key = bench::benchKey();
        QByteArray bare;
        for (int i = 0; i < rowCount(); ++i) {
            const QString fields =
                QStringLiteral("1|%1|1200|1|1|ABC%2|").arg(landlord(i)).arg(i % 1000, 3, 10, QLatin1Char('0'));
            importFile += (fields + QString(13, QLatin1Char('|')) + QLatin1Char('\n')).toUtf8();
            bare += QStringLiteral("6|%1|2018|0588|1|%2|1|1|1|ABC%3|1200|||||||||||||000000\n")
                        .arg(key.ruc, landlord(i))
                        .arg(i % 1000, 3, 10, QLatin1Char('0'))
                        .toUtf8();
        }
        bareFile = folder.filePath(QStringLiteral("alquileres.psv"));
        QFile file(bareFile);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(bare);
        }
    }
    void clear() { database.db().run(QStringLiteral("DELETE FROM TMPF582ALQUILER")).finish(); }
    int count() { return database.db().scalar(QStringLiteral("SELECT count(*) FROM TMPF582ALQUILER")).toInt(); }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_ImportRentals(benchmark::State& state) {
    Fixture& f = fixture();
    const imports::ImportKind& kind = *imports::ImportKinds::byCode(QStringLiteral("11"));
    double cpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        f.clear();
        state.ResumeTiming();
        const double started = bench::threadCpuSeconds();
        imports::Importer importer({f.database.db(), bench::benchKey(), f.utility, {}}, kind);
        const imports::ImportResult result = importer.run(f.importFile, true);
        cpu += bench::threadCpuSeconds() - started;
        if (result.added != rowCount()) {
            state.SkipWithError(
                qPrintable(QStringLiteral("%1 added, %2 rejected").arg(result.added).arg(result.rejected)));
            return;
        }
    }
    reportCpu(state, cpu);
}

// The table's columns in order, as ".import" maps the fields of a line.
void BM_SqliteDotImport(benchmark::State& state) {
    Fixture& f = fixture();
    double cpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        f.clear();
        state.ResumeTiming();
        const double started = bench::threadCpuSeconds() + childrenCpuSeconds();
        QProcess sqlite;
        sqlite.start(QStringLiteral("sqlite3"), {f.database.path()});
        sqlite.write(QStringLiteral(".bail on\n.mode list\n.separator |\n.import %1 TMPF582ALQUILER\n")
                         .arg(f.bareFile)
                         .toUtf8());
        sqlite.closeWriteChannel();
        sqlite.waitForFinished(-1);
        cpu += bench::threadCpuSeconds() + childrenCpuSeconds() - started;
        if (sqlite.exitCode() != 0 || f.count() != rowCount()) {
            state.SkipWithError(qPrintable(QString::fromUtf8(sqlite.readAllStandardError())));
            return;
        }
    }
    reportCpu(state, cpu);
}

BENCHMARK(BM_SqliteDotImport)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ImportRentals)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithRatios(argc, argv, {{"BM_ImportRentals", "BM_SqliteDotImport"}});
}
