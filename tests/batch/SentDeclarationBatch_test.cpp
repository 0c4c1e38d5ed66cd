#include "batch/BatchRunner.h"
#include "management/SentVersionsFixture.h"

#include <QTextStream>
#include <gtest/gtest.h>

namespace qel::batch {
namespace {

const QString kRuc = QStringLiteral("20100113610");

// The menu items of "Declaraciones Enviadas" and `open RUC CORREL`, driven by scripts.
class SentDeclarationBatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::registerTaxpayer(database.db(), kRuc, QStringLiteral("COMERCIAL ANDINA S.A.C."),
                               QStringLiteral("CONTADOR"));
        test::addSentVersion(database.db(), key(), QStringLiteral("1"), QStringLiteral("V1"), 1,
                             QStringLiteral("2019-03-20"));
        test::addSentVersion(database.db(), key(), QStringLiteral("2"), QStringLiteral("V2"), 1,
                             QStringLiteral("2019-04-02"));
    }

    store::DeclarationKey key() const { return test::demoKey(kRuc); }

    int run(const QString& script) {
        BatchRunner runner(database.db(), out, err,
                           {QStringLiteral("2018"), QStringLiteral("0588"), QStringLiteral("CONTADOR")});
        const int code = runner.run(script);
        out.flush();
        err.flush();
        return code;
    }

    void expectPrinted(const QStringList& lines) {
        for (const QString& line : lines) {
            EXPECT_TRUE(output.contains(line)) << line.toStdString() << "\n--- output:\n" << output.toStdString();
        }
    }

    QString versions() {
        return test::tableRows(database.db(), QStringLiteral("HCAB"), {QStringLiteral("CORREL")}, key().filter())
            .join(QLatin1Char(','));
    }

    test::TempDatabase database;
    QString output;
    QString errors;
    QTextStream out{&output};
    QTextStream err{&errors};
};

TEST_F(SentDeclarationBatchTest, DeleteMenuDeletesTheSelectedVersion) {
    ASSERT_EQ(run(QStringLiteral("menu mnuEliminarEnviada\nstate lblMensaje\nselect grdContrib 2\n"
                                 "answer No\nclick CmdOpciones 0\nanswer Si\nclick CmdOpciones 0\nrows grdContrib\n"
                                 "click CmdOpciones 1\n")),
              BatchRunner::kDone)
        << errors.toStdString();
    expectPrinted({QStringLiteral("menu mnuEliminarEnviada -> FrmContAbrirEnv\n"),
                   QStringLiteral("lblMensaje = \"Seleccione la Declaración que desea eliminar :\"\n"),
                   QStringLiteral("question \"Eliminar Declaraciones Enviadas\" \"¿Confirma que va a eliminar la "
                                  "declaración seleccionada?\" -> No\n"),
                   QStringLiteral("row 1: 20100113610 | COMERCIAL ANDINA S.A.C. | 2018 | 0588 |  | 02/04/2019 | "
                                  "V2-CTRL | 2\nrows grdContrib total 1\n"),
                   QStringLiteral("closed FrmContAbrirEnv \"\"\n")});
    EXPECT_EQ(versions(), QStringLiteral("2"));
}

TEST_F(SentDeclarationBatchTest, RegisterMenuAndOpenWithCorrelativeRegisterTheOrderNumber) {
    struct Case {
        QString script;
        QString correl;
    };
    for (const Case& c :
         {Case{QStringLiteral("menu mnuRegistrar\nselect grdContrib 1\nclick CmdOpciones 0\n"), QStringLiteral("2")},
          Case{QStringLiteral("open 20100113610 1\n"), QStringLiteral("1")}}) {
        SCOPED_TRACE(c.script.toStdString());
        output.clear();
        ASSERT_EQ(run(c.script + QStringLiteral("state CmbRuc\ntype 359 5\ntext TxtNumOrdenE 100008\n"
                                                "text TxtNumOrdenE2 100008\nsave\nclose\n")),
                  BatchRunner::kDone)
            << errors.toStdString();
        expectPrinted({QStringLiteral("CmbRuc = \"20100113610\" disabled\n"), QStringLiteral("refused txtValor(359)\n"),
                       QStringLiteral("message information \"Mensaje\" \"El número de orden fue registrado "
                                      "satisfactoriamente.\"\n")});
        EXPECT_FALSE(output.contains(QStringLiteral("question"))) << "the registered number is not offered again";
        EXPECT_EQ(test::tableRows(database.db(), QStringLiteral("HCAB"), {QStringLiteral("NORDEN")},
                                  key().versionFilter(c.correl)),
                  QStringList{QStringLiteral("100008")});
    }
}

// The example of the batch documentation, over an active declaration.
TEST_F(SentDeclarationBatchTest, RecoveryOverTheActiveDeclarationPrintsAsDocumented) {
    test::addActiveDeclaration(database.db(), key(), QStringLiteral("ACTIVA"));
    ASSERT_EQ(run(QStringLiteral("menu mnuRecuperar\nselect grdContrib 2\nclick CmdOpciones 0\nanswer Si\n"
                                 "click cmdRecuperar\nclick cmdSalir\nclick CmdOpciones 1\n")),
              BatchRunner::kDone)
        << errors.toStdString();
    EXPECT_EQ(output, QStringLiteral("menu mnuRecuperar -> FrmContAbrirEnv\n"
                                     "window FrmRecuperar 1 -\n"
                                     "question \"Recuperar\" \"Periodo destino ya tiene una declaración activa. "
                                     "¿Desea sobreescribirla?\" -> Si\n"
                                     "message exclamation \"Recuperar Declaración\" \"Se termino de recuperar la "
                                     "información satisfactoriamente.\"\n"
                                     "closed FrmRecuperar \"\"\n"
                                     "closed FrmContAbrirEnv \"\"\n"));
}

TEST_F(SentDeclarationBatchTest, OpenOfAVersionThatDoesNotExistIsAScriptError) {
    EXPECT_EQ(run(QStringLiteral("open 20100113610 7\n")), BatchRunner::kScriptError);
    EXPECT_EQ(errors, QStringLiteral("error line 1: no hay una versión enviada 7 de 20100113610\n"));
}

} // namespace
} // namespace qel::batch
