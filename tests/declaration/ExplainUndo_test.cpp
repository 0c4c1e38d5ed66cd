#include "ScriptFixture.h"
#include "declaration/commands/ExplainModel.h"
#include "declaration/model/FormHistory.h"

#include <QFile>
#include <QTemporaryDir>

namespace qel::declaration {
namespace {

using namespace Qt::StringLiterals;

using batch::BatchRunner;

const QString kRuc = u"20100113610"_s;

// A session of the accountant with a registered taxpayer.
class FormScript : public ::testing::Test {
protected:
    void runDone(const QString& text) { script.runDone(text); }
    DeclarationFormModel& model() { return script.form(); }

    testing::ScriptSession script{u"CONTADOR"_s, kRuc, u"COMERCIAL ANDINA S.A.C."_s};
};

// --- Explain -----------------------------------------------------------------------------

TEST_F(FormScript, ExplainPrintsTheFormulaAndItsInputs) {
    runDone(u"new\ntaxpayer %1\nclick OpRegRenta 1\ntype 461 1000000\ntype 464 400000\n"
            "explain 466\nexplain 468\nexplain 464\nexplain 151\nexplain 113\n"_s.arg(kRuc));
    const QStringList expected = {
        // A deduction reads as negative; the formula takes its absolute value.
        u"explain 466 / 467 = 463 − abs(464) = 1,000,000 − abs(-400,000) = 600,000 / (0)"_s,
        u"from 463 = \"1,000,000\""_s,
        u"from 464 = \"(400,000)\""_s,
        u"explain 468 = casilla digitada; alimenta las casillas 470, 471"_s,
        u"explain 464 = total de la ventana frmcostos = (400,000)"_s,
        // 151 has no box: it is shown as the form keeps it for the save.
        u"explain 151 = max(0, 110) = max(0, 600,000) = 600000"_s,
        u"from 110 = \"600,000\""_s,
        u"explain 113 = 110 × 29.5 % = 600,000 × 0.295 = 177,000"_s,
        u"from 110 = \"600,000\""_s,
    };
    EXPECT_EQ(script.output.split(u'\n', Qt::SkipEmptyParts), expected);
}

TEST_F(FormScript, ExplainNamesTheWindowAndTheRowsOfAnAssistantCasilla) {
    runDone(u"new\ntaxpayer %1\nclick txtValor(128)\ncell grdAsistente 1 saluti 1000\n"
            "cell grdAsistente 3 4 800\nclick CmdGrabar\nexplain 128\n"_s.arg(kRuc));
    EXPECT_EQ(script.output.mid(script.output.indexOf(u"explain"_s)),
              u"explain 128 = total de la ventana frmanexo128, suma de 2 filas = 1,800 = (1,800)\n"
              "row fila 1: 1,000\nrow fila 2: 800\n"_s);
}

// --- Undo and redo -------------------------------------------------------------------------

struct Snapshot {
    FormState form;
    TableRows tables;
};

class UndoTest : public FormScript {
protected:
    void SetUp() override {
        runDone(u"new\ntaxpayer %1\nclick OpRegRenta 1\nclick OptDomiciliado 1\ntype 461 1000000\n"_s.arg(kRuc));
    }
    Snapshot snapshot() { return {model().state(), FormHistory::workingTables(script.database.db(), model().key())}; }
    void expectSame(const Snapshot& expected, const char* what) {
        const Snapshot now = snapshot();
        EXPECT_TRUE(sameForm(now.form, expected.form)) << what;
        for (auto it = expected.tables.cbegin(); it != expected.tables.cend(); ++it) {
            EXPECT_EQ(now.tables.value(it.key()), *it) << what << ": " << it.key().toStdString();
        }
    }
    // Undoes and redoes the last step: the form and its tables as before it, then as after it.
    void undoAndRedo(const Snapshot& before, const char* what) {
        const Snapshot after = snapshot();
        ASSERT_FALSE(sameForm(before.form, after.form) && before.tables == after.tables) << what << ": no change";
        runDone(u"undo\n"_s);
        EXPECT_TRUE(script.output.isEmpty()) << what << script.output.toStdString();
        expectSame(before, what);
        runDone(u"redo\n"_s);
        expectSame(after, what);
    }
};

// Each kind of edit is one step: undo puts the form and the working tables back as they were
// before it, redo as they were after it.
TEST_F(UndoTest, EachKindOfEditIsOneStep) {

    for (const auto& [kind, edit] :
         {std::pair{"typed casilla, with the income statement and the tax it changed", "type 464 400000\n"},
          {"emptied casilla", "clear 461\n"},
          {"answer, with the tax the switch recomputed", "click OpRegRenta 2\n"},
          {"assistant rows",
           "click txtValor(128)\ncell grdAsistente 1 saluti 1000\ncell grdAsistente 3 4 800\nclick CmdGrabar\n"},
          {"answer Si, with the box it opened", "click OptDonaciones 1\n"},
          {"list rows added through the windows of a box",
           "click txtValor(227)\nclick cmdAccion 1\nclick cmdAccion 0\nchoose TIP_DONACION B1\n"
           "choose TIP_MODALIDAD 1\nchoose tip_documento 06\ntext num_documento 20131312955\n"
           "text des_nom_razon ASOCIACION DE AYUDA SOCIAL\ntext fec_donacion 15/06/2018\ntext mto_donacion 4000\n"
           "click cmdAccion 0\nclick cmdAccion 1\nclick cmdAccion 3\n"},
          {"answer No, with the rows its switch deleted", "click OptDonaciones 0\n"}}) {
        const Snapshot before = snapshot();
        runDone(QString::fromUtf8(edit));
        const Snapshot after = snapshot();
        ASSERT_FALSE(sameForm(before.form, after.form)) << kind;
        ASSERT_TRUE(!QByteArray(kind).contains("rows") || before.tables != after.tables) << kind << ": no row";
        undoAndRedo(before, kind);
    }
    // Undoing every step takes the form back to the taxpayer just chosen; past that, nothing.
    for (int i = 0; i < 20 && !script.output.contains(u"undo none"_s); ++i) {
        script.run(u"undo\n"_s);
    }
    EXPECT_EQ(script.output, u"undo none\n"_s);
    EXPECT_TRUE(model().isEmpty(461));
    EXPECT_TRUE(model().isEmpty(113));
}

// An import is one step: undo takes back every row it wrote, redo writes them again.
TEST_F(UndoTest, AnImportIsOneStep) {
    QTemporaryDir folder;
    QFile partners(folder.filePath(u"0588"_s + kRuc + u"SOCIOS.txt"_s));
    ASSERT_TRUE(partners.open(QIODevice::WriteOnly));
    partners.write("01|1|40123456|PEÑA DIAZ JUAN|15/03/1970|9589|60|01/02/1990|\n"
                   "02|6|20100047218|INVERSIONES ANDINAS SAC||9589|40|01/02/1995|\n");
    partners.close();
    const Snapshot before = snapshot();
    runDone(u"click cmdSocios 3\nfile %1\nclick cmdCarpeta\nclick cmdTransferir\nclick cmdAceptar\n"
            "click cmdCancelar\n"_s.arg(folder.path()));
    ASSERT_NE(before.tables, snapshot().tables) << script.output.toStdString();
    undoAndRedo(before, "import");
}

TEST_F(UndoTest, EnteringAndLeavingABoxIsNoStepAndANewEditForgetsTheRedo) {
    // The same value typed again is no step: the undo takes back the 461 typed before.
    runDone(u"type 461 1000000\nundo\n"_s);
    EXPECT_TRUE(model().isEmpty(461));
    EXPECT_NE(model().text(463), u"1,000,000"_s);
    runDone(u"redo\ntype 464 5\nredo\n"_s);
    EXPECT_EQ(script.output, u"redo none\n"_s);
    EXPECT_EQ(model().text(461), u"1,000,000"_s);
    EXPECT_EQ(model().text(466), u"999,995"_s);
}

} // namespace
} // namespace qel::declaration
