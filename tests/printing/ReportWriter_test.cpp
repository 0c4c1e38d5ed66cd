#include "printing/PageDescription.h"
#include "printing/ReportDocument.h"
#include "printing/ReportWriter.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace qel::printing {
namespace {

const QDateTime kPrintedAt(QDate(2019, 3, 15), QTime(10, 5, 9));

ReportDocument documentOf(const ReportWriter& writer) {
    return ReportDocument::fromCommands(PageDescription::read(writer.fileText()).commands);
}

TEST(ReportWriter, PagesBreakByTheWidthOfTheReport) {
    const struct {
        int width;
        int linesPerPage;
    } cases[] = {{40, 85}, {82, 85}, {83, 83}, {104, 83}, {149, 83}, {150, 64}, {200, 64}};
    for (const auto& c : cases) {
        ReportWriter writer(kPrintedAt, c.width, ReportWriter::kNoHeader);
        for (int i = 0; i < c.linesPerPage; ++i) {
            writer.line(QStringLiteral("line %1").arg(i));
        }
        EXPECT_EQ(writer.pageCount(), 1) << "a full page stays one page, width " << c.width;
        writer.line(QStringLiteral("next"));
        EXPECT_EQ(writer.pageCount(), 2) << "width " << c.width;
        const ReportDocument document = documentOf(writer);
        ASSERT_EQ(document.pageCount(), 2);
        EXPECT_EQ(document.page(0).texts.size(), c.linesPerPage);
        EXPECT_EQ(document.page(1).texts.at(0).text, QStringLiteral("next"));
        EXPECT_EQ(document.page(1).texts.at(0).row, 0);
        EXPECT_EQ(document.page(1).landscape, c.width >= 150) << "width " << c.width;
    }
}

TEST(ReportWriter, EachHeaderKindRepeatsOnEveryPage) {
    const struct {
        int kind;
        QString firstLine;
        QString secondPageFirstLine;
    } cases[] = {
        {ReportWriter::kNoHeader, QStringLiteral("body 0"), QStringLiteral("body 83")},
        {ReportWriter::kOwnHeader, QStringLiteral("body 0"), QStringLiteral("body 83")},
        {ReportWriter::kListingHeader, QStringLiteral("REPORTE DE AGENTES DE PERCEPCION - PERIODO 2018"),
         QStringLiteral("REPORTE DE AGENTES DE PERCEPCION - PERIODO 2018")},
    };
    for (const auto& c : cases) {
        ReportWriter writer(kPrintedAt, 104, c.kind);
        writer.setListing(QStringLiteral("2018"), QStringLiteral("20100070970 EMPRESA S.A."));
        for (int i = 0; i < 100; ++i) {
            writer.line(QStringLiteral("body %1").arg(i));
        }
        const ReportDocument document = documentOf(writer);
        ASSERT_GE(document.pageCount(), 2);
        EXPECT_EQ(document.page(0).texts.at(0).text, c.firstLine) << c.kind;
        EXPECT_EQ(document.page(1).texts.at(0).text, c.secondPageFirstLine) << c.kind;
    }
}

TEST(ReportWriter, TheStandardHeaderCarriesDateTimeTitlesPageAndHeadings) {
    ReportWriter writer(kPrintedAt, 104, ReportWriter::kStandardHeader);
    writer.setTitleBlock({QStringLiteral("ERRORES DE LA IMPORTACION"), QStringLiteral("SOCIOS.TXT")});
    writer.setColumnHeadings({QStringLiteral("Línea  Error")});
    for (int i = 0; i < 90; ++i) {
        writer.line(QStringLiteral("%1").arg(i));
    }
    const ReportDocument document = documentOf(writer);
    ASSERT_EQ(document.pageCount(), 2);
    const QList<ReportDocument::Text>& second = document.page(1).texts;
    EXPECT_TRUE(second.at(0).text.startsWith(QStringLiteral("15/03/2019")));
    EXPECT_TRUE(second.at(0).text.contains(QStringLiteral("ERRORES DE LA IMPORTACION")));
    EXPECT_TRUE(second.at(0).text.endsWith(QStringLiteral("Pag: 2")));
    EXPECT_EQ(second.at(0).text.size(), 104);
    EXPECT_TRUE(second.at(1).text.startsWith(QStringLiteral("10:05:09")));
    EXPECT_EQ(second.at(3).text, QStringLiteral("Línea  Error"));
    EXPECT_EQ(second.at(4).text, QString(104, QLatin1Char('-')));
    // 83 lines a page, five of them the header: the body runs on where the first page stopped.
    EXPECT_EQ(second.at(5).text, QStringLiteral("78"));
}

} // namespace
} // namespace qel::printing
