#include "batch/BatchFixture.h"
#include "printing/PageRange.h"
#include "printing/ReportPreview.h"
#include "printing/ReportWriter.h"
#include "support/TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qel::printing {
namespace {

TEST(PageRangeCheck, ChecksComeInTheWindowsOrder) {
    const struct {
        const char* from;
        const char* to;
        const char* message;
        int last;
    } cases[] = {
        {"", "", "Ingrese página de inicio.", 0},
        {"", "9", "Ingrese página de inicio.", 0},
        {"0", "", "Página inicial debe ser a partir de 1.", 0},
        {"-2", "1", "Página inicial debe ser a partir de 1.", 0},
        {"1", "", "Ingrese página de Fin.", 0},
        {"9", "", "Ingrese página de Fin.", 0},
        {"4", "3", "Página de Inicio debe ser mayor a página de Fin.", 0},
        {"9", "12", "Página inicial no debe ser mayor a total de páginas del reporte.", 0},
        {"2", "3", "", 3},
        {"5", "5", "", 5},
        {"3", "40", "", 5},
    };
    for (const auto& c : cases) {
        const PageRangeCheck result = PageRangeCheck::check(QString::fromUtf8(c.from), QString::fromUtf8(c.to), 5);
        EXPECT_EQ(result.message, QString::fromUtf8(c.message)) << c.from << "-" << c.to;
        EXPECT_EQ(result.range.has_value(), c.last > 0);
        if (result.range) {
            EXPECT_EQ(result.range->last, c.last);
        }
    }
}

class ReportPreviewTest : public ::testing::Test {
protected:
    QString writeReport(int pages) {
        ReportWriter writer(QDateTime(QDate(2019, 3, 15), QTime(9, 0)), 104, ReportWriter::kNoHeader);
        for (int i = 0; i < pages * 83; ++i) {
            writer.line(u"linea %1"_s.arg(i));
        }
        const QString path = dir.filePath(u"00000001.PRN"_s);
        test::writeFile(path, writer.fileText().toUtf8());
        return path;
    }

    QTemporaryDir dir;
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
    // These tests turn pages; none writes a PDF.
    ReportPreview::PdfWriter noPdf = [](const QString&, const ReportDocument&, int, int, const QString&) {
        return false;
    };
};

// A one-page report turns nowhere, and printing pages 2 to 3 of 5 prints those two.
TEST_F(ReportPreviewTest, PagesTurnWithinTheReportAndARangePrintsItsPages) {
    ReportPreview one(writeReport(1), *prompter, noPdf);
    ASSERT_TRUE(one.open());
    one.previous();
    one.next();
    EXPECT_EQ(one.currentPage(), 0);
    EXPECT_EQ(one.pageCounter(), u"Página 1 de 1"_s);

    ReportPreview preview(writeReport(5), *prompter, noPdf);
    ASSERT_TRUE(preview.open());
    preview.setRange(PageRange{2, 3});
    prompter->expectMessage(ReportPreview::kPrinted, app::Icon::Information);
    QList<int> printed;
    EXPECT_TRUE(preview.print([&](const ReportDocument& document, int first, int last) {
        for (int page = first; page <= last; ++page) {
            printed.append(page);
            EXPECT_EQ(document.page(page).texts.at(0).text, u"linea %1"_s.arg(page * 83));
        }
        return true;
    }));
    EXPECT_EQ(printed, (QList<int>{1, 2}));
    EXPECT_TRUE(prompter->verify());
}

TEST_F(ReportPreviewTest, AMissingFileCannotBeShownNorPrinted) {
    const QString path = writeReport(2);
    ReportPreview missing(dir.filePath(u"00000002.PRN"_s), *prompter, noPdf);
    prompter->expectMessage(ReportPreview::kMissingFile, app::Icon::Critical, ReportPreview::kPrintErrorTitle);
    EXPECT_FALSE(missing.open());
    EXPECT_EQ(missing.pageCount(), 0);

    ReportPreview removed(path, *prompter, noPdf);
    ASSERT_TRUE(removed.open());
    QFile::remove(path);
    prompter->expectMessage(ReportPreview::kMissingFile, app::Icon::Critical, ReportPreview::kPrintErrorTitle);
    bool painted = false;
    EXPECT_FALSE(removed.print([&](const ReportDocument&, int, int) { return painted = true; }));
    EXPECT_FALSE(painted);
    EXPECT_TRUE(prompter->verify());
}

// A file that is not a report, one too large, and one with a page past the command limit each
// say so instead of showing a blank page.
TEST_F(ReportPreviewTest, ADamagedOrOversizeFileSaysWhyInsteadOfABlankPage) {
    QByteArray crowded = "<!font!>Courier New<!/font!>\n";
    for (int i = 0; i <= ReportDocument::kMaxCommandsPerPage; ++i) {
        crowded += "pPos|10|1|x|False|8|0|\n";
    }
    const struct {
        const char* name;
        QByteArray bytes;
        qint64 size; // grown to this size with zeros
        const char* message;
    } cases[] = {
        {"garbage", QByteArray("\x89PNG\r\n\x1a\n") + QByteArray(3000, '\x07'), 0,
         "El archivo del reporte está dañado: no es una descripción de páginas."},
        {"text", "Estimado contribuyente:\nEste no es un reporte.\n", 0,
         "El archivo del reporte está dañado: no es una descripción de páginas."},
        {"oversize", "<!font!>Courier New<!/font!>\n", ReportDocument::kMaxFileBytes + 1,
         "El archivo del reporte es demasiado grande para mostrarlo (más de 64 MB)."},
        {"crowded", crowded, 0,
         "El archivo del reporte está dañado: la página 1 tiene más de 20000 órdenes de dibujo."},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        test::writeFile(path, c.bytes);
        if (c.size > 0) {
            ASSERT_TRUE(QFile::resize(path, c.size)); // sparse: the test writes no 64 MB
        }
        ReportPreview preview(path, *prompter, noPdf);
        prompter->expectMessage(QString::fromUtf8(c.message), app::Icon::Critical, ReportPreview::kPrintErrorTitle);
        EXPECT_FALSE(preview.open()) << c.name;
        EXPECT_FALSE(preview.isOpen()) << c.name;
    }
    EXPECT_TRUE(prompter->verify());
}

} // namespace
} // namespace qel::printing
