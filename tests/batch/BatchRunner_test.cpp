#include "app/IniFile.h"
#include "app/TaxpayerAccess.h"
#include "batch/BatchFixture.h"
#include "management/SentVersionsFixture.h"

#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace qel::batch {
namespace {

const QString kStored = u"20100070970"_s;
const char* const kCaption = "0588 Declaración Pago Anual Impuesto a la Renta 2018 3ra. Categoría e ITF - v 1.0";

// Besides the free taxpayer of the fixture, one with a stored declaration (casilla 376 at 5000).
class BatchRunnerTest : public test::BatchTest {
protected:
    void SetUp() override {
        BatchTest::SetUp();
        test::registerTaxpayer(db(), kStored, u"D'ONOFRIO S.A."_s, test::kContador);
        test::addStoredDeclaration(db(), test::demoKey(kStored), {{376, u"5000"_s}});
    }
};

TEST_F(BatchRunnerTest, EveryCommandOfANewDeclaration) {
    ASSERT_TRUE(runs(test::batchScript(u"every_command.txt"_s)));
    EXPECT_TRUE(errors.isEmpty());
    expectPrinted({
        "txtValor(359) = \"1,234\" enabled unlocked\n", // "a" dropped by the key filter
        "txtValor(240) = \"0\" disabled locked\n",
        "txtValor(359) = \"\" enabled unlocked\n",
        "refused txtValor(240)\n",
        "TxtNombreN = \"ROSA MARIA\" enabled\n",
        "OptRectifica = 1 enabled\n",
        "ChkITF = 1 enabled\n",
        "cboTipDocRepLegal = \"01\" enabled\n",
        "lblBalanceComprobacion = \"Balance de Comprobación Histórico al 31/12/2018\" enabled\n",
        "cmdValidar = {0} enabled\n",
        // 352 and 353 exclude each other: the queued No keeps 352.
        u"question \"%1\" \"Las casillas 353 y 352 son excluyentes.\\n¿Desea registrar información en "
        "la casilla 353?.\" -> No\n"_s.arg(QString::fromUtf8(kCaption)),
        "txtValor(352) = \"100\" enabled unlocked\n",
        "txtValor(353) = \"\" enabled unlocked\n",
    });
}

TEST_F(BatchRunnerTest, ScriptsOfTheDataFolder) {
    const struct {
        const char* file;
        int code;
        QStringList printed;
        const char* error;
    } cases[] = {
        {"open_stored.txt",
         BatchRunner::kDone,
         {"TxtRazon = \"D'ONOFRIO S.A.\" disabled\n", "txtValor(376) = \"(5,000)\" enabled unlocked\n"},
         ""},
        {"blocked_taxpayer.txt",
         BatchRunner::kDone,
         {u"message critical \"%1\" \"La declaración que desea registrar ya existe, elija la opción "
          "modificar declaración o elija otro contribuyente.\"\nTxtRazon = \"\" disabled\n"_s.arg(
              QString::fromUtf8(kCaption))},
         ""},
        {"script_error.txt", BatchRunner::kScriptError, {}, "error line 6: no existe la casilla txtValor(9999)\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(run(test::batchScript(QString::fromLatin1(c.file))), c.code);
        expectPrinted(c.printed);
        EXPECT_EQ(errors, QString::fromUtf8(c.error));
    }
    EXPECT_EQ(output.count(u"txtValor(359)"_s), 1) << "the line after the error never ran";
}

TEST_F(BatchRunnerTest, BadLinesAreScriptErrors) {
    const struct {
        const char* script;
        const char* error;
    } cases[] = {
        {"bailar", "error line 1: orden desconocida: bailar\n"},
        {"show 100", "error line 1: no hay un formulario abierto (use new u open)\n"},
        {"new\nclick OptNoExiste 1", "error line 2: no existe el control OptNoExiste\n"},
        {"new\n\n# x\nclick OptRectifica", "error line 4: OptRectifica necesita el índice del botón\n"},
        {"new\nclick OptRectifica 7", "error line 2: OptRectifica no tiene el índice 7\n"},
        {"new\nclick OptRectifica -1", "error line 2: OptRectifica no tiene el índice -1\n"},
        {"new\nclick cmdValidar -1", "error line 2: cmdValidar no tiene el índice -1\n"},
        {"new\ntype abc 5", "error line 2: la casilla no es un número: abc\n"},
        {"answer Quizas", "error line 1: respuesta desconocida: Quizas (Si, No, Cancelar o Aceptar)\n"},
        {"new\npage 9", "error line 2: SSTab1 no tiene la página 9\n"},
        {"new\nchoose cboTipDocRepLegal 77", "error line 2: cboTipDocRepLegal no tiene el código 77\n"},
        {"open 20131312955", "error line 1: no hay una declaración registrada de 20131312955\n"},
        {"new\ntaxpayer 20131312955", "error line 2: el contribuyente 20131312955 no está en CmbRuc\n"},
        {"menu mnuNoExiste", "error line 1: no existe la orden de menú mnuNoExiste\n"},
        {"today 32/12/2019", "error line 1: today espera una fecha dd/mm/aaaa y, si se quiere, la hora hh:mm:ss\n"},
        {"new\nrows grdNoExiste", "error line 2: no existe la cuadrícula grdNoExiste\n"},
        // A queued answer that is not a button of the question.
        {"new\ntype 352 100\nanswer Aceptar\ntype 353 50",
         "error line 4: la respuesta Aceptar no es un botón de la pregunta \"Las casillas 353 y 352 son excluyentes.\\n"
         "¿Desea registrar información en la casilla 353?.\"\n"},
        // Inside the assistant of casilla 128, a window the script drives.
        {"new\nclick txtValor(128)\ntext txtOtro 1", "error line 3: no existe el control txtOtro\n"},
        {"new\nclick txtValor(128)\nsave",
         "error line 3: save no se puede usar mientras la ventana FrmAnexo128 está abierta\n"},
        {"new\nclick txtValor(128)\nselect grdAsistente 99",
         "error line 3: grdAsistente no tiene la fila 99 (tiene 16)\n"},
        {"new\nclick txtValor(128)", "error line 2: la ventana FrmAnexo128 sigue abierta al final del guion\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(QString::fromUtf8(c.script)), BatchRunner::kScriptError) << c.script;
        EXPECT_EQ(errors.toStdString(), c.error) << c.script;
    }
}

// Without a queued answer a question takes its default button: 353, typed last, is kept.
TEST_F(BatchRunnerTest, AQuestionWithoutAQueuedAnswerTakesItsDefault) {
    ASSERT_TRUE(runs(u"new\ntype 352 100\ntype 353 50\nshow 352 353\n"_s));
    expectPrinted({"?.\" -> Si\n", "txtValor(352) = \"\" enabled unlocked\ntxtValor(353) = \"(50)\""});
}

// A sent version is its taxpayer's as much as the declaration: another user's is a script error.
TEST_F(BatchRunnerTest, AnotherUsersSentVersionIsAScriptError) {
    const QString others = u"20487654320"_s;
    test::registerTaxpayer(db(), others, u"INDUSTRIAS DEL SUR S.A."_s, test::kSupervisor);
    test::addSentVersion(db(), test::demoKey(others), u"1"_s, u"V1"_s, 1);
    EXPECT_EQ(run(u"open %1 1\nshow 376\n"_s.arg(others)), BatchRunner::kScriptError);
    EXPECT_EQ(errors, u"error line 1: "_s + app::taxpayerRefusedText(others, test::kContador) + '\n');
    EXPECT_FALSE(output.contains(u"txtValor(376)"_s)) << "nothing after the line ran";
}

// pm0588 --batch: the INI (believed only when it is the user's own) and the database as
// start-up reads them. (The module's lock is the module process test's.)
TEST_F(BatchRunnerTest, StartUpOfTheBatchMode) {
    QTemporaryDir config;
    const app::IniFile ini(config.path() + u"/PM000.INI"_s);
    const QString scriptPath = config.path() + u"/guion.txt"_s;
    test::writeFile(scriptPath, "open 20100070970\nshow 376\n");
    const auto start = [&](const QString& path) {
        output.clear();
        const int code = BatchRunner::runFile(path, out, err, {ini});
        out.flush();
        return code;
    };
    const auto setOption = [&ini](const char* name, const QString& value) {
        ini.write(app::IniFile::kOptions, QString::fromLatin1(name), value);
    };

    EXPECT_EQ(start(scriptPath), BatchRunner::kStartupFailed) << "no configuration";
    EXPECT_TRUE(output.startsWith(
        u"message critical \"Error de Configuración\" \"No se encuentra el archivo de configuración"_s))
        << output.toStdString();
    setOption("SysVersion", u"1.0"_s);
    EXPECT_EQ(start(scriptPath), BatchRunner::kStartupFailed) << "no database configured";
    EXPECT_TRUE(output.startsWith(u"message none \"Error de Conección\""_s)) << output.toStdString();

    setOption("DBPath", database.folder() + QLatin1Char('/'));
    setOption("DBName", u"qel.db"_s);
    setOption("SysUser", test::kSupervisor);
    EXPECT_EQ(start(scriptPath), BatchRunner::kDone) << errors.toStdString();
    EXPECT_EQ(output, u"txtValor(376) = \"(5,000)\" enabled unlocked\n"_s);

    EXPECT_EQ(start(config.path() + u"/no-existe.txt"_s), BatchRunner::kScriptError);
}

} // namespace
} // namespace qel::batch
