// The print windows (FrmTipPrnR, frmPreview) and the inconsistency report: pages
// shown and printed whole or by range into PDF, a real print queue, a saved demo return printed
// by a batch script, and the report's printout.
#include "batch/BatchFixture.h"
#include "declaration/rules/InconsistencyReport.h"
#include "declaration/ui/FrmConsist.h"
#include "printing/ReportDocument.h"
#include "printing/ReportPainter.h"
#include "printing/ReportWriter.h"
#include "printing/ui/frmPreview.h"
#include "ui/PrintWindowsFixture.h"
#include "ui/WindowDriver.h"

#include <QDeadlineTimer>
#include <QPrinter>
#include <QScrollArea>
#include <QThread>

namespace qel::printing {
namespace {

using declaration::FrmConsist;
using declaration::InconsistencyReport;

using test::pdfPageCount;
using PrintWindows = test_support::PrintWindows;

// The preview turns its pages within the report and prints it whole. A range goes to the print
// queue below and to a PDF in the batch print; the PDF button is on the main road.
TEST_F(PrintWindows, PreviewTurnsPagesAndPrintsTheWholeReport) {
    frmPreview preview(printReport(true), *prompter);
    ASSERT_TRUE(preview.isOpen());
    const int pages = printedPages;
    auto* previous = preview.findChild<QToolButton*>(QStringLiteral("tlbPrevia(2)"));
    auto* next = preview.findChild<QToolButton*>(QStringLiteral("tlbPrevia(3)"));
    auto* counter = preview.findChild<QLabel*>(QStringLiteral("lblPagina"));
    ASSERT_TRUE(previous && next && counter && preview.findChild<QScrollArea*>(QStringLiteral("picFondo")));
    EXPECT_FALSE(previous->isEnabled());
    ASSERT_GE(pages, 4);
    EXPECT_TRUE(counter->text().startsWith(QStringLiteral("Página 1 de %1").arg(pages)));
    for (int i = 0; i < pages + 1; ++i) {
        next->click();
    }
    EXPECT_EQ(preview.model().currentPage(), pages - 1);
    EXPECT_FALSE(next->isEnabled());
    EXPECT_TRUE(previous->isEnabled());

    QTemporaryDir dir;
    const QString all = dir.filePath(QStringLiteral("all.pdf"));
    preview.printNextToPdf(all);
    prompter->expectMessage(ReportPreview::kPrinted, app::Icon::Information);
    EXPECT_TRUE(preview.printReport());
    EXPECT_EQ(pdfPageCount(all), pages);

    EXPECT_TRUE(prompter->verify());
}

// Printing to a real print queue: the preview's print of a page range goes through the system's
// print service and the queue receives exactly those pages. The test command starts a private
// print server with a queue that keeps what it receives in a folder, and names them in
// QEL_TEST_CUPS_QUEUE and QEL_TEST_CUPS_OUTPUT (CUPS_SERVER points the print support at it).
TEST(PrintCups, APageRangeReachesThePrintQueueAsThosePages) {
    const QString queue = qEnvironmentVariable("QEL_TEST_CUPS_QUEUE");
    const QString output = qEnvironmentVariable("QEL_TEST_CUPS_OUTPUT");
    if (queue.isEmpty() || output.isEmpty()) {
        GTEST_SKIP() << "no print server: scripts/test.sh starts one";
    }
    const QStringList before = QDir(output).entryList({QStringLiteral("job-*")}, QDir::Files);

    QTemporaryDir dir;
    ReportWriter writer(QDateTime(QDate(2019, 3, 15), QTime(9, 0)), 104, ReportWriter::kNoHeader);
    for (int i = 0; i < 5 * 83; ++i) {
        writer.line(QStringLiteral("linea %1").arg(i));
    }
    const QString path = dir.filePath(QStringLiteral("00000001.PRN"));
    test::writeFile(path, writer.fileText().toUtf8());

    auto prompter = test::makePrompter();
    frmPreview preview(path, *prompter);
    ASSERT_TRUE(preview.isOpen());
    preview.setPrinterChooser([&queue](QPrinter& printer) {
        printer.setPrinterName(queue); // what the user picks in the print dialog
        return printer.isValid();
    });
    prompter->expectMessage(ReportPreview::kPrinted, app::Icon::Information);
    ASSERT_TRUE(preview.printRange(PageRange{2, 3}));
    EXPECT_TRUE(prompter->verify());

    QString job;
    for (QDeadlineTimer deadline(30000); job.isEmpty() && !deadline.hasExpired(); QThread::msleep(100)) {
        for (const QString& name : QDir(output).entryList({QStringLiteral("job-*")}, QDir::Files)) {
            if (!before.contains(name) && !name.endsWith(QLatin1String(".tmp"))) {
                job = QDir(output).filePath(name);
            }
        }
    }
    ASSERT_FALSE(job.isEmpty()) << "the queue received nothing";
    EXPECT_TRUE(
        test::runTool(QStringLiteral("pdfinfo"), {job}).contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))));
    const QString text =
        test::runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), job, QStringLiteral("-")});
    const QStringList pages = text.split(QLatin1Char('\f'));
    ASSERT_GE(pages.size(), 2);
    EXPECT_TRUE(pages.at(0).contains(QStringLiteral("linea 83\n"))) << pages.at(0).left(200).toStdString();
    EXPECT_TRUE(pages.at(1).contains(QStringLiteral("linea 248\n")));
    EXPECT_FALSE(text.contains(QStringLiteral("linea 82\n")));
    EXPECT_FALSE(text.contains(QStringLiteral("linea 249\n")));
}

// A saved demo return printed with its annexes by a batch script, through the page-range window,
// into a PDF of the pages the print announced. What the pages show is the printed copy's test
// and the shipped program's.
const QString kRuc = QStringLiteral("20601000106");

using PrintBatch = test::BatchTest;

TEST_F(PrintBatch, ASavedDemoReturnWithAnnexesPrintsToPdf) {
    test::registerTaxpayer(db(), kRuc, QStringLiteral("INDUSTRIAS TEXTILES DEL SUR S.A.C."), test::kContador);
    QTemporaryDir dir;
    const auto reports = reportsIn(dir.filePath(QStringLiteral("RPT")));
    ASSERT_TRUE(runs(
        test::demoReturnScript(QStringLiteral("a_general_utilidad.txt")) + QStringLiteral("\nsave\nclose\n"), reports));
    ASSERT_TRUE(
        runs(test::batchScript(QStringLiteral("print_declaration.txt")).replace(QStringLiteral("@DIR@"), dir.path()),
             reports));
    const QRegularExpressionMatch announced =
        QRegularExpression(QStringLiteral("Impresión de (\\d+) páginas")).match(output);
    ASSERT_TRUE(announced.hasMatch()) << output.toStdString();
    const int pages = announced.captured(1).toInt();
    expectPrinted(
        {QStringLiteral("menu mnuImprimir -> FrmTipPrnR"), QStringLiteral("ChkAnexo = 1"),
         QStringLiteral("window frmPreview 1 -"), QStringLiteral("lblPagina = \"Página 2 de %1\"").arg(pages),
         QStringLiteral("message exclamation \"Imprimir por Páginas\" \"Página de Inicio debe ser mayor a página de "
                        "Fin.\""),
         QStringLiteral("closed frmImpxPag \"3-4 I\""),
         QStringLiteral("message information \"Presentación Preliminar\" \"Reporte se imprimió satisfactoriamente.\""),
         QStringLiteral("closed FrmTipPrnR \"\"")});

    const QString pdf = dir.filePath(QStringLiteral("declaracion.pdf"));
    EXPECT_EQ(test::pdfPageCount(pdf), pages);
    EXPECT_EQ(test::pdfPageCount(dir.filePath(QStringLiteral("range.pdf"))), 2);
}

// The inconsistency report's PDF button in a batch script: the painter the batch mode hands the
// report window writes the file the script queued.
TEST_F(PrintBatch, TheInconsistencyReportsPdfButtonWritesTheQueuedFile) {
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("Inconsistencias.pdf"));
    ASSERT_TRUE(runs(QStringLiteral("new\ntaxpayer 20100113610\nclick OptITF 0\nclick OpRegRenta 1\nvalidate window\n"
                                    "file %1\nclick cmdPdf\nclick cmdAceptar\n")
                         .arg(pdf),
                     reportsIn(folder.path())));
    EXPECT_FALSE(output.contains(QStringLiteral("refused cmdPdf"))) << output.toStdString();
    EXPECT_TRUE(test::readFile(pdf).startsWith("%PDF")) << output.toStdString();
}

const app::FixedClock kClock{QDateTime(QDate(2019, 3, 15), QTime(9, 5, 7))};

TEST(FrmConsist, ShowsTheReportAndPrintsOrSavesItsPages) {
    QTemporaryDir dir;
    QByteArray lines;
    for (int i = 1; i <= 100; ++i) {
        lines += QStringLiteral("Información complementaria - Inconsistencia número %1\n").arg(i).toUtf8();
    }
    test::writeFile(dir.filePath(QStringLiteral("Mens.txt")), lines);
    test::RecordingOpener opener;
    FrmConsist window(std::make_unique<declaration::ConsistencyReportModel>(
        dir.filePath(QStringLiteral("Mens.txt")), QStringList(), kClock, opener, nullptr, &ReportPainter::writePdf));
    const auto* box = window.findChild<QPlainTextEdit*>(QStringLiteral("txtConsist"));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_TRUE(
        box->toPlainText().startsWith(QStringLiteral("Información complementaria - Inconsistencia número 1\n"
                                                     "Información complementaria - Inconsistencia número 2\n")));
    window.show();

    // The print opens the printout beside the report in the preview; a hundred lines are two pages.
    window.findChild<QPushButton*>(QStringLiteral("cmdImprimir"))->click();
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.first().name, QStringLiteral("frmPreview"));
    EXPECT_EQ(opener.requests.first().code, dir.filePath(QStringLiteral("Mens.PRN")));
    const QString pdf = dir.filePath(QStringLiteral("Inconsistencias.pdf"));
    ASSERT_TRUE(window.model().saveAsPdf(pdf));
    EXPECT_EQ(test::pdfPageCount(pdf), 2);
    EXPECT_EQ(window.resultText(), QString()); // not accepted: no mark (Validar's window test accepts it)
}

TEST(FrmConsist, PrintoutWrapsLongLinesAndBreaksPagesLikeEveryReport) {
    const QString longLine = QStringLiteral("Sr. Contribuyente: ") + QString(150, QLatin1Char('x')) +
                             QStringLiteral(" Por favor verificar esta información para evitar inconsistencias.");
    const InconsistencyReport report({QStringLiteral("Primera"), longLine});
    const printing::ReportDocument document =
        printing::ReportDocument::fromCommands(report.printout(kClock.now()).commands());
    ASSERT_EQ(document.pageCount(), 1);
    QStringList texts;
    for (const auto& text : document.page(0).texts) {
        texts.append(text.text);
        EXPECT_LE(text.text.size(), 104) << text.text.toStdString();
    }
    EXPECT_TRUE(texts.at(0).startsWith(QStringLiteral("15/03/2019")) &&
                texts.at(0).contains(InconsistencyReport::kTitle));
    EXPECT_TRUE(texts.at(1).startsWith(QStringLiteral("09:05:07")));
    // Numbered, and a word longer than the line broken at its end.
    EXPECT_EQ(texts.mid(3, 3), (QStringList{QStringLiteral("1. Primera"), QStringLiteral("2. Sr. Contribuyente:"),
                                            QStringLiteral("   ") + QString(101, QLatin1Char('x'))}));
    EXPECT_TRUE(texts.at(6).startsWith(QStringLiteral("   ") + QString(49, QLatin1Char('x')) +
                                       QStringLiteral(" Por favor verificar")));
    EXPECT_EQ(texts.last(), QStringLiteral(" Inconsistencias Detectadas : 2"));
}

} // namespace
} // namespace qel::printing
