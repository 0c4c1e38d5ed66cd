#include "ScriptFixture.h"
#include "declaration/rules/StatementPageNotices.h"

// The notices of the financial statement pages: said when the user comes to them, the inflation
// notice and question only to a taxpayer whose agreement keeps his accounts in soles.

namespace qel::declaration {
namespace {

using namespace Qt::StringLiterals;

const QString kRuc = u"20601000211"_s;

TEST(StatementPageNotices, ComingToTheStatementsAndChangingAnAdjustedAmount) {

    // The answers, whether the amounts are adjusted for inflation, the reply to the question
    // when it is asked, and what box 300 shows afterwards.
    for (const auto& [answers, adjusted, reply, kept] :
         {std::tuple{"click OptConvEstab 0", false, "", "5,000"},
          {"click OptConvEstab 1\ntype 224 1234567890\nclick OptContMonExt 1\nclick OptDecPagMonExt 2", false, "",
           "5,000"},
          {"click OptConvEstab 1\ntype 224 1234567890\nclick OptContMonExt 0\nclick OptDecPagMonExt 1", true, "Si",
           "5,000"},
          {"click OptConvEstab 1\ntype 224 1234567890\nclick OptContMonExt 0\nclick OptDecPagMonExt 1", true, "No",
           ""}}) {
        SCOPED_TRACE(answers);
        testing::ScriptSession session(test::kSupervisor, kRuc, u"EMPRESA S.A.C."_s);
        // The identification answers of a demo return: the page must be passed to reach the statements.
        const QString demo = test::demoReturnScript(u"i_asistentes.txt"_s);
        QString script = demo.left(demo.indexOf(u"# --- Representante"_s)) + u"text txtTelCon 4251234\n"_s +
                         QString::fromLatin1(answers) + u"\npage 1\n"_s;
        if (adjusted) {
            script += u"answer %1\n"_s.arg(QString::fromLatin1(reply));
        }
        script += u"type 300 5000\nshow 300"_s;
        session.runDone(script);
        const QString& output = session.output;
        EXPECT_TRUE(output.contains(StatementPageNotices::kStatements)) << output.toStdString();
        EXPECT_EQ(output.contains(StatementPageNotices::kAdjustedForInflation), adjusted);
        EXPECT_EQ(output.contains(StatementPageNotices::kOnlyNonMonetary), adjusted);
        EXPECT_TRUE(output.contains(u"txtValor(300) = \"%1\""_s.arg(QString::fromLatin1(kept))))
            << output.toStdString();
    }
}

} // namespace
} // namespace qel::declaration
