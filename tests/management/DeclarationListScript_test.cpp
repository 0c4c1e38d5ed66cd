// The list of stored declarations driven by scripts through the generic adapter, as the sent
// list is: the same model the window shows.
#include "batch/BatchFixture.h"
#include "management/SentVersionsFixture.h"

using namespace Qt::StringLiterals;

namespace qel::management {
namespace {

const QString kOther = u"20100070970"_s;

// Two active declarations: D'ONOFRIO's, and the fixture's taxpayer's with inconsistencies.
class DeclarationListScript : public test::BatchTest {
protected:
    void SetUp() override {
        test::registerTaxpayer(db(), kOther, u"D'ONOFRIO S.A."_s);
        test::registerTaxpayer(db(), test::kAndina, test::kAndinaName);
        test::addActiveDeclaration(db(), test::demoKey(kOther), u"A"_s);
        test::addActiveDeclaration(db(), test::demoKey(test::kAndina), u"B"_s);
        db().run(u"UPDATE CAB SET ESTADO=9 WHERE DOC_ID_D=?"_s, {test::kAndina}).finish();
    }
};

TEST_F(DeclarationListScript, StoredListModifiesAndDeletesAsTheWindowDoes) {
    struct Case {
        const char* name;
        const char* script;
        int code;
        QStringList printed; // in this order
        const char* error;
        QStringList stored; // the RUCs with a declaration afterwards
    };
    // Only the last case changes what is stored.
    const QList<Case> cases = {
        {"modify opens the form and closes the list",
         "menu mnuModificar\nstate CmdOpciones\nselect grdContrib 2\nclick CmdOpciones 0\nstate CmbRuc\nclose\n",
         batch::BatchRunner::kDone,
         {"menu mnuModificar -> FrmContAbrir\n", "CmdOpciones = {0,1}\n", "closed FrmContAbrir \"\"\n",
          "CmbRuc = \"20100113610\""},
         "",
         {kOther, test::kAndina}},
        {"the stored list has no third button",
         "menu mnuModificar\nclick CmdOpciones 2\n",
         batch::BatchRunner::kScriptError,
         {},
         "error line 2: CmdOpciones no tiene el botón 2 (0 a 1)\n",
         {kOther, test::kAndina}},
        {"delete asks, deletes and stays",
         "menu mnuEliminar\nstate lblMensaje\nselect grdContrib 1\nanswer Si\nclick CmdOpciones 0\n"
         "rows grdContrib\nstate grdContrib\nclick CmdOpciones 1\n",
         batch::BatchRunner::kDone,
         {"lblMensaje = \"Seleccione la Declaración que desea eliminar :\"\n",
          "question \"Eliminar Declaraciones\" \"¿Confirma que va a eliminar la declaración de\\n\\nD'ONOFRIO S.A.?\" "
          "-> Si\n",
          "row 1: 20100113610 | COMERCIAL ANDINA S.A.C. | 2018 | 0588 | 9 - Con inconsistencias\n"
          "rows grdContrib total 1\n",
          "grdContrib = 1 enabled\n", "closed FrmContAbrir \"\"\n"},
         "",
         {test::kAndina}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(run(QString::fromUtf8(c.script), {}, test::kSupervisor), c.code) << errors.toStdString();
        qsizetype from = 0;
        for (const QString& line : c.printed) {
            const qsizetype at = output.indexOf(line, from);
            EXPECT_GE(at, 0) << line.toStdString() << "\n--- output:\n" << output.toStdString();
            from = at < 0 ? from : at + line.size();
        }
        EXPECT_EQ(errors, QString::fromUtf8(c.error));
        EXPECT_EQ(test::tableRows(db(), u"CAB"_s, {u"DOC_ID_D"_s}, {}), c.stored);
    }
}

} // namespace
} // namespace qel::management
