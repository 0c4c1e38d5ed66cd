// Printing a declaration with large annexes: the report of about 100 pages (113 with its rentals
// in three bands across the sheet) generated, written
// into the spool and replayed into a PDF, and the first page of the preview painted at 100 %.
// The baseline is the bare SQLite read of the same rows. Targets: under 1 s for the PDF and
// under 100 ms for the first preview page.
#include "bench_support.h"
#include "printing/DeclarationReport.h"
#include "printing/PageDescription.h"
#include "printing/ReportDocument.h"
#include "printing/ReportPainter.h"
#include "printing/SpoolRegistry.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <sqlite3.h>

namespace qel {
namespace {

const QStringList kTables = {QStringLiteral("F586DONAC"), QStringLiteral("F535SOCIOS"), QStringLiteral("F582ALQUILER")};
constexpr int kRows = 1650; // about 100 pages: the rentals print in three bands
const QDateTime kPrintedAt(QDate(2019, 3, 15), QTime(10, 0));

struct Fixture {
    Fixture() {
        bench::storeDeclaration(database.db(), bench::benchKey());
        bench::fillAnnexRows(database.db(), bench::benchKey(), kTables, kRows);
    }
    bench::BenchDatabase database;
    QTemporaryDir spool;
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_BareSqliteRead(benchmark::State& state) {
    Fixture& f = fixture();
    sqlite3* handle = f.database.db().handle();
    const QString filter = bench::bareFilter(bench::benchKey());
    QStringList tables = kTables;
    tables << QStringLiteral("DET");
    for (auto _ : state) {
        for (const QString& table : tables) {
            sqlite3_stmt* select = nullptr;
            const QByteArray sql = (QStringLiteral("SELECT * FROM ") + table + filter).toUtf8();
            sqlite3_prepare_v2(handle, sql.constData(), -1, &select, nullptr);
            while (sqlite3_step(select) == SQLITE_ROW) {
                for (int c = 0; c < sqlite3_column_count(select); ++c) {
                    benchmark::DoNotOptimize(sqlite3_column_text(select, c));
                }
            }
            sqlite3_finalize(select);
        }
    }
}
BENCHMARK(BM_BareSqliteRead)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_ReportToPdf(benchmark::State& state) {
    Fixture& f = fixture();
    int pages = 0;
    for (auto _ : state) {
        const printing::DeclarationReport report(f.database.db(), bench::benchKey());
        const printing::ReportWriter writer = report.write(true, kPrintedAt);
        printing::SpoolEntry entry;
        entry.path = f.spool.filePath(QStringLiteral("00000001.PRN"));
        QFile::remove(entry.path); // a report file is always a new one
        printing::SpoolRegistry::save(entry, writer.fileText());
        const printing::ReportDocument document = printing::ReportDocument::fromFile(entry.path);
        pages = document.pageCount();
        if (!printing::ReportPainter::writePdf(f.spool.filePath(QStringLiteral("report.pdf")), document, 0,
                                               pages - 1)) {
            state.SkipWithError("the PDF was not written");
            break;
        }
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_ReportToPdf)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The report alone, without the PDF: the database reads and the page-description file.
void BM_ReportFile(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        const printing::DeclarationReport report(f.database.db(), bench::benchKey());
        printing::SpoolEntry entry;
        entry.path = f.spool.filePath(QStringLiteral("00000003.PRN"));
        QFile::remove(entry.path);
        printing::SpoolRegistry::save(entry, report.write(true, kPrintedAt).fileText());
    }
}
BENCHMARK(BM_ReportFile)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_PreviewFirstPage(benchmark::State& state) {
    Fixture& f = fixture();
    const printing::ReportWriter writer =
        printing::DeclarationReport(f.database.db(), bench::benchKey()).write(true, kPrintedAt);
    const QString path = f.spool.filePath(QStringLiteral("00000002.PRN"));
    printing::SpoolEntry entry;
    entry.path = path;
    printing::SpoolRegistry::save(entry, writer.fileText());
    const double scale = 96.0 / 72.0;
    for (auto _ : state) {
        // What the preview does when it opens: read the file, then paint its first page.
        const printing::ReportDocument document = printing::ReportDocument::fromFile(path);
        const QSizeF size = printing::ReportPainter::pageSizePoints(document.page(0)) * scale;
        QImage picture(size.toSize(), QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::TextAntialiasing);
        printing::ReportPainter::paint(painter, document, 0, scale);
        painter.end();
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_PreviewFirstPage)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace
} // namespace qel

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return qel::bench::runWithRatios(argc, argv,
                                     {{"BM_ReportToPdf", "BM_BareSqliteRead"},
                                      {"BM_ReportFile", "BM_BareSqliteRead"},
                                      {"BM_PreviewFirstPage", "BM_BareSqliteRead"}});
}
