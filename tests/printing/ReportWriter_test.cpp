#include "printing/PageDescription.h"
#include "printing/ReportDocument.h"
#include "printing/ReportWriter.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

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
            writer.line(u"line %1"_s.arg(i));
        }
        EXPECT_EQ(writer.pageCount(), 1) << "a full page stays one page, width " << c.width;
        writer.line(u"next"_s);
        EXPECT_EQ(writer.pageCount(), 2) << "width " << c.width;
        const ReportDocument document = documentOf(writer);
        ASSERT_EQ(document.pageCount(), 2);
        EXPECT_EQ(document.page(0).texts.size(), c.linesPerPage);
        EXPECT_EQ(document.page(1).texts.at(0).text, u"next"_s);
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
        {ReportWriter::kNoHeader, u"body 0"_s, u"body 83"_s},
        {ReportWriter::kOwnHeader, u"body 0"_s, u"body 83"_s},
        {ReportWriter::kListingHeader, u"REPORTE DE AGENTES DE PERCEPCION - PERIODO 2018"_s,
         u"REPORTE DE AGENTES DE PERCEPCION - PERIODO 2018"_s},
    };
    for (const auto& c : cases) {
        ReportWriter writer(kPrintedAt, 104, c.kind);
        writer.setListing(u"2018"_s, u"20100070970 EMPRESA S.A."_s);
        for (int i = 0; i < 100; ++i) {
            writer.line(u"body %1"_s.arg(i));
        }
        const ReportDocument document = documentOf(writer);
        ASSERT_GE(document.pageCount(), 2);
        EXPECT_EQ(document.page(0).texts.at(0).text, c.firstLine) << c.kind;
        EXPECT_EQ(document.page(1).texts.at(0).text, c.secondPageFirstLine) << c.kind;
    }
}

TEST(ReportWriter, TheStandardHeaderCarriesDateTimeTitlesPageAndHeadings) {
    ReportWriter writer(kPrintedAt, 104, ReportWriter::kStandardHeader);
    writer.setTitleBlock({u"ERRORES DE LA IMPORTACION"_s, u"SOCIOS.TXT"_s});
    writer.setColumnHeadings({u"Línea  Error"_s});
    for (int i = 0; i < 90; ++i) {
        writer.line(u"%1"_s.arg(i));
    }
    const ReportDocument document = documentOf(writer);
    ASSERT_EQ(document.pageCount(), 2);
    const QList<ReportDocument::Text>& second = document.page(1).texts;
    EXPECT_TRUE(second.at(0).text.startsWith(u"15/03/2019"_s));
    EXPECT_TRUE(second.at(0).text.contains(u"ERRORES DE LA IMPORTACION"_s));
    EXPECT_TRUE(second.at(0).text.endsWith(u"Pag: 2"_s));
    EXPECT_EQ(second.at(0).text.size(), 104);
    EXPECT_TRUE(second.at(1).text.startsWith(u"10:05:09"_s));
    EXPECT_EQ(second.at(3).text, u"Línea  Error"_s);
    EXPECT_EQ(second.at(4).text, QString(104, QLatin1Char('-')));
    // 83 lines a page, five of them the header: the body runs on where the first page stopped.
    EXPECT_EQ(second.at(5).text, u"78"_s);
}

} // namespace
} // namespace qel::printing
