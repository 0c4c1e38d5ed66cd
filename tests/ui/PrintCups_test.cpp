// Printing to a real print queue: the preview's print of a page range goes through the system's
// print service and the queue receives exactly those pages. The test command starts a private
// print server with a queue that keeps what it receives in a folder, and names them in
// QEL_TEST_CUPS_QUEUE and QEL_TEST_CUPS_OUTPUT (CUPS_SERVER points the print support at it).
#include "printing/ReportWriter.h"
#include "printing/ui/frmPreview.h"
#include "ui/WindowDriver.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QPrinter>
#include <QTemporaryDir>
#include <QThread>

namespace qel::printing {
namespace {

using test::runTool;

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
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(writer.fileText().toUtf8());
    file.close();

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
        runTool(QStringLiteral("pdfinfo"), {job}).contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))));
    const QString text = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), job, QStringLiteral("-")});
    const QStringList pages = text.split(QLatin1Char('\f'));
    ASSERT_GE(pages.size(), 2);
    EXPECT_TRUE(pages.at(0).contains(QStringLiteral("linea 83\n"))) << pages.at(0).left(200).toStdString();
    EXPECT_TRUE(pages.at(1).contains(QStringLiteral("linea 248\n")));
    EXPECT_FALSE(text.contains(QStringLiteral("linea 82\n")));
    EXPECT_FALSE(text.contains(QStringLiteral("linea 249\n")));
}

} // namespace
} // namespace qel::printing
