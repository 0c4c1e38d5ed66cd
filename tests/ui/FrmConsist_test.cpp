#include "declaration/rules/InconsistencyReport.h"
#include "declaration/ui/FrmConsist.h"
#include "printing/ReportDocument.h"
#include "printing/ReportPainter.h"
#include "ui/WindowDriver.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

using namespace qel;
using declaration::FrmConsist;
using declaration::InconsistencyReport;

QString writeReport(const QTemporaryDir& dir, int lines) {
    const QString path = dir.filePath(QStringLiteral("Mens.txt"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    for (int i = 1; i <= lines; ++i) {
        file.write(QStringLiteral("Información complementaria - Inconsistencia número %1").arg(i).toUtf8() + '\n');
    }
    return path;
}

const app::FixedClock kClock{QDateTime(QDate(2019, 3, 15), QTime(9, 5, 7))};

std::unique_ptr<declaration::ConsistencyReportModel> reportModel(const QString& path, app::FormOpener& opener) {
    return std::make_unique<declaration::ConsistencyReportModel>(path, QStringList(), kClock, opener, nullptr,
                                                                 &printing::ReportPainter::writePdf);
}

TEST(FrmConsist, ShowsTheReportAndAcceptsIt) {
    QTemporaryDir dir;
    test::RecordingOpener opener;
    FrmConsist window(reportModel(writeReport(dir, 2), opener));
    const auto* box = window.findChild<QPlainTextEdit*>(QStringLiteral("txtConsist"));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_EQ(box->toPlainText(), QStringLiteral("Información complementaria - Inconsistencia número 1\n"
                                                 "Información complementaria - Inconsistencia número 2"));
    window.show();

    // The print opens the printout beside the report in the preview.
    window.findChild<QPushButton*>(QStringLiteral("cmdImprimir"))->click();
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.first().name, QStringLiteral("frmPreview"));
    EXPECT_EQ(opener.requests.first().code, dir.filePath(QStringLiteral("Mens.PRN")));

    EXPECT_EQ(window.resultText(), QString()); // closed without accepting: no mark
    window.findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(window.resultText(), QStringLiteral("A"));
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
    EXPECT_TRUE(texts.at(0).startsWith(QStringLiteral("15/03/2019")));
    EXPECT_TRUE(texts.at(0).contains(InconsistencyReport::kTitle));
    EXPECT_TRUE(texts.at(1).startsWith(QStringLiteral("09:05:07")));
    EXPECT_EQ(texts.at(3), QStringLiteral("1. Primera"));
    EXPECT_EQ(texts.at(4), QStringLiteral("2. Sr. Contribuyente:"));
    EXPECT_EQ(texts.at(5), QStringLiteral("   ") + QString(101, QLatin1Char('x')));
    EXPECT_TRUE(texts.at(6).startsWith(QStringLiteral("   ") + QString(49, QLatin1Char('x')) +
                                       QStringLiteral(" Por favor verificar")));
    EXPECT_EQ(texts.last(), QStringLiteral(" Inconsistencias Detectadas : 2"));
}

TEST(FrmConsist, SavesTheTwoPagesOfAHundredLinesAsPdf) {
    QTemporaryDir dir;
    test::RecordingOpener opener;
    FrmConsist window(reportModel(writeReport(dir, 100), opener));
    const QString pdf = dir.filePath(QStringLiteral("Inconsistencias.pdf"));
    ASSERT_TRUE(window.model().saveAsPdf(pdf));
    EXPECT_EQ(test::pdfPageCount(pdf), 2);
}

} // namespace
