#include "batch/BatchFixture.h"
#include "management/SentVersionsFixture.h"

using namespace Qt::StringLiterals;

namespace qel::batch {
namespace {

// The menu items of "Declaraciones Enviadas" and `open RUC CORREL`, driven by scripts over two
// sent versions.
class SentDeclarationBatchTest : public test::BatchTest {
protected:
    void SetUp() override {
        BatchTest::SetUp();
        test::addSentVersion(db(), key(), u"1"_s, u"V1"_s, 1, u"2019-03-20"_s);
        test::addSentVersion(db(), key(), u"2"_s, u"V2"_s, 1, u"2019-04-02"_s);
    }
    store::DeclarationKey key() const { return test::demoKey(test::kAndina); }
};

TEST_F(SentDeclarationBatchTest, DeleteMenuDeletesTheSelectedVersion) {
    ASSERT_TRUE(runs(u"menu mnuEliminarEnviada\nstate lblMensaje\nselect grdContrib 2\n"
                     "answer No\nclick CmdOpciones 0\nanswer Si\nclick CmdOpciones 0\nrows grdContrib\n"
                     "click CmdOpciones 1\n"_s));
    expectPrinted({"menu mnuEliminarEnviada -> FrmContAbrirEnv\n",
                   "lblMensaje = \"Seleccione la Declaración que desea eliminar :\"\n",
                   "question \"Eliminar Declaraciones Enviadas\" \"¿Confirma que va a eliminar la declaración "
                   "seleccionada?\" -> No\n",
                   "row 1: 20100113610 | COMERCIAL ANDINA S.A.C. | 2018 | 0588 |  | 02/04/2019 | V2-CTRL | 2\n"
                   "rows grdContrib total 1\n",
                   "closed FrmContAbrirEnv \"\"\n"});
    EXPECT_EQ(test::tableRows(db(), u"HCAB"_s, {u"CORREL"_s}, key().filter()), QStringList{"2"});
}

TEST_F(SentDeclarationBatchTest, RegisterMenuAndOpenWithCorrelativeRegisterTheOrderNumber) {
    const struct {
        const char* script;
        const char* correl;
    } cases[] = {{"menu mnuRegistrar\nselect grdContrib 1\nclick CmdOpciones 0\n", "2"}, {"open 20100113610 1\n", "1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        ASSERT_TRUE(runs(QString::fromUtf8(c.script) + u"state CmbRuc\ntype 359 5\n"
                                                       "text TxtNumOrdenE 100008\n"
                                                       "text TxtNumOrdenE2 100008\nsave\nclose\n"_s));
        expectPrinted({"CmbRuc = \"20100113610\" disabled\n", "refused txtValor(359)\n",
                       "message information \"Mensaje\" \"El número de orden fue registrado satisfactoriamente.\"\n"});
        EXPECT_FALSE(output.contains(u"question"_s)) << "the registered number is not offered again";
        EXPECT_EQ(test::tableRows(db(), u"HCAB"_s, {u"NORDEN"_s}, key().versionFilter(QString::fromLatin1(c.correl))),
                  QStringList{"100008"});
    }
}

// The example of the batch documentation, over an active declaration.
TEST_F(SentDeclarationBatchTest, RecoveryOverTheActiveDeclarationPrintsAsDocumented) {
    test::addActiveDeclaration(db(), key(), u"ACTIVA"_s);
    ASSERT_TRUE(runs(u"menu mnuRecuperar\nselect grdContrib 2\nclick CmdOpciones 0\nanswer Si\n"
                     "click cmdRecuperar\nclick cmdSalir\nclick CmdOpciones 1\n"_s));
    EXPECT_EQ(output, u"menu mnuRecuperar -> FrmContAbrirEnv\n"
                      "window FrmRecuperar 1 -\n"
                      "question \"Recuperar\" \"Periodo destino ya tiene una declaración activa. "
                      "¿Desea sobreescribirla?\" -> Si\n"
                      "message exclamation \"Recuperar Declaración\" \"Se termino de recuperar la "
                      "información satisfactoriamente.\"\n"
                      "closed FrmRecuperar \"\"\n"
                      "closed FrmContAbrirEnv \"\"\n"_s);

    EXPECT_EQ(run(u"open 20100113610 7\n"_s), BatchRunner::kScriptError);
    EXPECT_EQ(errors, u"error line 1: no hay una versión enviada 7 de 20100113610\n"_s);
}

} // namespace
} // namespace qel::batch
