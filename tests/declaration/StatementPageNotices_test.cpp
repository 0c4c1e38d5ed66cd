#include "batch/BatchRunner.h"
#include "declaration/model/DeclarationFormModel.h"
#include "declaration/rules/StatementPageNotices.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QTextStream>
#include <gtest/gtest.h>

// The notices of the financial statement pages: said when the user comes to them, the inflation
// notice and question only to a taxpayer whose agreement keeps his accounts in soles.

namespace qel::declaration {
namespace {

const QString kRuc = QStringLiteral("20601000211");

TEST(StatementPageNotices, ComingToTheStatementsAndChangingAnAdjustedAmount) {
    struct Case {
        const char* answers;
        bool adjusted;
        const char* reply; // to the question, when it is asked
        const char* kept;  // what box 300 shows afterwards
    };
    const QList<Case> cases = {
        {"click OptConvEstab 0", false, "", "5,000"},
        {"click OptConvEstab 1\ntype 224 1234567890\nclick OptContMonExt 1\nclick OptDecPagMonExt 2", false, "",
         "5,000"},
        {"click OptConvEstab 1\ntype 224 1234567890\nclick OptContMonExt 0\nclick OptDecPagMonExt 1", true, "Si",
         "5,000"},
        {"click OptConvEstab 1\ntype 224 1234567890\nclick OptContMonExt 0\nclick OptDecPagMonExt 1", true, "No", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answers);
        test::TempDatabase database;
        test::registerTaxpayer(database.db(), kRuc, QStringLiteral("EMPRESA S.A.C."));
        QString output;
        QString errors;
        QTextStream out(&output);
        QTextStream err(&errors);
        batch::BatchRunner runner(database.db(), out, err,
                                  {QStringLiteral("2018"), QStringLiteral("0588"), test::kSupervisor});
        // The identification answers of a demo return: the page must be passed to reach the statements.
        const QString demo = test::demoReturnScript(QStringLiteral("i_asistentes.txt"));
        QString script = demo.left(demo.indexOf(QStringLiteral("# --- Representante"))) +
                         QStringLiteral("text txtTelCon 4251234\n") + QString::fromLatin1(c.answers) +
                         QStringLiteral("\npage 1\n");
        if (c.adjusted) {
            script += QStringLiteral("answer %1\n").arg(QString::fromLatin1(c.reply));
        }
        script += QStringLiteral("type 300 5000\nshow 300");
        ASSERT_EQ(runner.run(script), batch::BatchRunner::kDone) << errors.toStdString() << output.toStdString();
        EXPECT_TRUE(output.contains(StatementPageNotices::kStatements)) << output.toStdString();
        EXPECT_EQ(output.contains(StatementPageNotices::kAdjustedForInflation), c.adjusted);
        EXPECT_EQ(output.contains(StatementPageNotices::kOnlyNonMonetary), c.adjusted);
        EXPECT_TRUE(output.contains(QStringLiteral("txtValor(300) = \"%1\"").arg(QString::fromLatin1(c.kept))))
            << output.toStdString();
    }
}

} // namespace
} // namespace qel::declaration
