// The list of stored declarations driven by scripts through the generic adapter, as the sent
// list is: the same model the window shows.
#include "batch/BatchRunner.h"
#include "management/SentVersionsFixture.h"

#include <QTextStream>
#include <gtest/gtest.h>

namespace qel::management {
namespace {

const QString kRuc = QStringLiteral("20100113610");
const QString kOther = QStringLiteral("20100070970");

TEST(DeclarationListScript, StoredListModifiesAndDeletesAsTheWindowDoes) {
    struct Case {
        const char* name;
        QString script;
        int code;
        QStringList printed; // in this order
        QString error;
        QStringList stored; // the RUCs with a declaration afterwards
    };
    const QList<Case> cases = {
        {"modify opens the form and closes the list",
         QStringLiteral("menu mnuModificar\nstate CmdOpciones\nselect grdContrib 2\nclick CmdOpciones 0\n"
                        "state CmbRuc\nclose\n"),
         batch::BatchRunner::kDone,
         {QStringLiteral("menu mnuModificar -> FrmContAbrir\n"), QStringLiteral("CmdOpciones = {0,1}\n"),
          QStringLiteral("closed FrmContAbrir \"\"\n"), QStringLiteral("CmbRuc = \"20100113610\"")},
         {},
         {kOther, kRuc}},
        {"delete asks, deletes and stays",
         QStringLiteral("menu mnuEliminar\nstate lblMensaje\nselect grdContrib 1\nanswer Si\nclick CmdOpciones 0\n"
                        "rows grdContrib\nstate grdContrib\nclick CmdOpciones 1\n"),
         batch::BatchRunner::kDone,
         {QStringLiteral("lblMensaje = \"Seleccione la Declaración que desea eliminar :\"\n"),
          QStringLiteral("question \"Eliminar Declaraciones\" \"¿Confirma que va a eliminar la declaración "
                         "de\\n\\nD'ONOFRIO S.A.?\" -> Si\n"),
          QStringLiteral("row 1: 20100113610 | COMERCIAL ANDINA S.A.C. | 2018 | 0588 | 9 - Con inconsistencias\n"
                         "rows grdContrib total 1\n"),
          QStringLiteral("grdContrib = 1 enabled\n"), QStringLiteral("closed FrmContAbrir \"\"\n")},
         {},
         {kRuc}},
        {"the stored list has no third button",
         QStringLiteral("menu mnuModificar\nclick CmdOpciones 2\n"),
         batch::BatchRunner::kScriptError,
         {},
         QStringLiteral("error line 2: CmdOpciones no tiene el botón 2 (0 a 1)\n"),
         {kOther, kRuc}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDatabase database;
        test::registerTaxpayer(database.db(), kOther, QStringLiteral("D'ONOFRIO S.A."));
        test::registerTaxpayer(database.db(), kRuc, QStringLiteral("COMERCIAL ANDINA S.A.C."));
        test::addActiveDeclaration(database.db(), test::demoKey(kOther), QStringLiteral("A"));
        test::addActiveDeclaration(database.db(), test::demoKey(kRuc), QStringLiteral("B"));
        database.db().run(QStringLiteral("UPDATE CAB SET ESTADO=9 WHERE DOC_ID_D=?"), {kRuc}).finish();

        QString output;
        QString errors;
        QTextStream out(&output);
        QTextStream err(&errors);
        batch::BatchRunner runner(database.db(), out, err,
                                  {QStringLiteral("2018"), QStringLiteral("0588"), QStringLiteral("SUPERVISOR")});
        EXPECT_EQ(runner.run(c.script), c.code) << errors.toStdString();
        out.flush();
        err.flush();
        qsizetype from = 0;
        for (const QString& line : c.printed) {
            const qsizetype at = output.indexOf(line, from);
            EXPECT_GE(at, 0) << line.toStdString() << "\n--- output:\n" << output.toStdString();
            from = at < 0 ? from : at + line.size();
        }
        EXPECT_EQ(errors, c.error);
        EXPECT_EQ(test::tableRows(database.db(), QStringLiteral("CAB"), {QStringLiteral("DOC_ID_D")}, {}), c.stored);
    }
}

} // namespace
} // namespace qel::management
