#include "printing/PageDescription.h"
#include "printing/ReportDocument.h"
#include "printing/ReportWriter.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qel::printing {
namespace {

using K = PageCommand::Kind;

const QDateTime kPrintedAt(QDate(2019, 3, 15), QTime(10, 5, 9));

// The pages a page description reads as.
ReportDocument documentOf(const QString& file) {
    return ReportDocument::fromCommands(PageDescription::read(file).commands);
}

TEST(PageDescription, EveryKindOfCommandReadsBackAsWritten) {
    const QList<PageCommand> commands = {
        PageCommand::tag(K::Font, u"Courier New"_s),
        PageCommand::tag(K::PageCount, u"3"_s),
        PageCommand::tag(K::Orientation, u"H"_s),
        PageCommand::tag(K::Color, u"#FF0000"_s),
        PageCommand::tag(K::BoldOn),
        PageCommand::textAt(10, 0, u"  D'ONOFRIO S.A.  ¿año?  "_s, false, 8, 0),
        PageCommand::tag(K::BoldOff),
        PageCommand::textAt(12.5, 3.7, u"!> aHoja ends nothing here"_s, true, 12, 1),
        {.kind = K::VerticalText, .text = u"VERTICAL"_s, .column = 4, .row = 40, .bold = true, .size = 10, .page = 2},
        PageCommand::box(1, 10, 0.5, 114, 7.25),
        PageCommand::tag(K::NewPage),
        PageCommand::textAt(10, 82, QString(700, QLatin1Char('x')) + u"|end"_s, false, 8, 2),
        PageCommand::textAt(10, 1, QString(199, QLatin1Char('a')) + u"!>"_s + QString(300, 'b'), false, 8, 2),
    };
    const PageDescription::ReadResult read = PageDescription::read(PageDescription::writeAll(commands));
    EXPECT_EQ(read.rejected, 0);
    ASSERT_EQ(read.commands.size(), commands.size());
    for (qsizetype i = 0; i < commands.size(); ++i) {
        PageCommand expected = commands.at(i);
        expected.text = PageDescription::sanitise(expected.text);
        EXPECT_EQ(read.commands.at(i), expected) << "command " << i << ": " << read.commands.at(i).text.toStdString();
    }
}

TEST(PageDescription, ACommandSplitOverPhysicalLinesIsOneCommand) {
    const QString file = QStringLiteral("<!font!>Courier New<!/font!>\r\n"
                                        "pPos|10|0|first part of a long text,\r\n"
                                        " the middle,\n"
                                        " and its end|False|8|0|\n"
                                        "pNuevaHoja\n"
                                        "pPos|10|0|second page|True|8|1|\n");
    const PageDescription::ReadResult read = PageDescription::read(file);
    ASSERT_EQ(read.commands.size(), 4);
    EXPECT_EQ(read.commands.at(1).text, u"first part of a long text, the middle, and its end"_s);
    const ReportDocument document = ReportDocument::fromCommands(read.commands);
    ASSERT_EQ(document.pageCount(), 2);
    EXPECT_EQ(document.page(0).texts.size(), 1);
    EXPECT_TRUE(document.page(1).texts.at(0).bold);
}

TEST(PageDescription, LinesThatAreNoCommandAreCountedAndSkipped) {
    const struct {
        const char* line;
        bool command;
    } cases[] = {
        {"pPos|10|0|text|False|8|0|", true},
        {"pPos|ten|0|text|False|8|0|", false},
        {"pPos|10|0|text|False|8|", false},
        {"pCuadro|0|1|2|3|4|", true},
        {"pCuadro|0|1|2|3|", false},
        {"pPosVerti|1|2|t|True|8|0|", true},
        {"Hello|", false},
        {"<!bold!>", true},
        {"<!unknown!>", false},
    };
    for (const auto& c : cases) {
        const PageDescription::ReadResult read = PageDescription::read(QString::fromUtf8(c.line));
        EXPECT_EQ(read.commands.size(), c.command ? 1 : 0) << c.line;
        EXPECT_EQ(read.rejected, c.command ? 0 : 1) << c.line;
    }
}

TEST(ReportDocument, PagesFollowTheAnnouncedCountAndTheOrientationTags) {
    const QString file = QStringLiteral("<!font!>Courier New<!/font!>\n<!nHojas!>3<!/nHojas!>\n"
                                        "pPos|10|0|one|False|8|0|\npNuevaHoja\n<!Orientacion!>H<!/Orientacion!>\n"
                                        "pCuadro|1|0|0|5|5|\n");
    const ReportDocument document = documentOf(file);
    ASSERT_EQ(document.pageCount(), 3);
    EXPECT_FALSE(document.page(0).landscape);
    EXPECT_TRUE(document.page(1).landscape);
    EXPECT_EQ(document.page(1).boxes.size(), 1);
    EXPECT_FALSE(ReportDocument::fromFile(u"/nonexistent/00000001.PRN"_s).exists());
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
        const ReportDocument document = documentOf(writer.fileText());
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
        const ReportDocument document = documentOf(writer.fileText());
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
    const ReportDocument document = documentOf(writer.fileText());
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
