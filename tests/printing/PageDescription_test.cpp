#include "printing/PageDescription.h"
#include "printing/ReportDocument.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qel::printing {
namespace {

using K = PageCommand::Kind;

PageCommand vertical(double column, double row, const QString& text) {
    PageCommand command = PageCommand::textAt(column, row, text, true, 10, 2);
    command.kind = K::VerticalText;
    return command;
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
        vertical(4, 40, u"VERTICAL"_s),
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
    const ReportDocument document = ReportDocument::fromCommands(PageDescription::read(file).commands);
    ASSERT_EQ(document.pageCount(), 3);
    EXPECT_FALSE(document.page(0).landscape);
    EXPECT_TRUE(document.page(1).landscape);
    EXPECT_EQ(document.page(1).boxes.size(), 1);
    EXPECT_FALSE(ReportDocument::fromFile(u"/nonexistent/00000001.PRN"_s).exists());
}

} // namespace
} // namespace qel::printing
