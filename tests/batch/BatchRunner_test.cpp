#include "app/DatabaseLock.h"
#include "app/IniFile.h"
#include "app/TaxpayerAccess.h"
#include "batch/BatchOpener.h"
#include "batch/BatchPrompter.h"
#include "batch/BatchRunner.h"
#include "declaration/model/DeclarationFormModel.h"
#include "management/SentVersionsFixture.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qel::declaration {
namespace {

using batch::BatchOpener;
using batch::BatchPrompter;
using batch::BatchRunner;

const QString kStored = QStringLiteral("20100070970");
const QString kFree = QStringLiteral("20100113610");

QString script(const QString& name) {
    QFile file(QStringLiteral(QEL_TEST_DATA_DIR "/batch/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return QString::fromUtf8(file.readAll());
}

class BatchRunnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const auto& [ruc, name] : {std::pair{kStored, QStringLiteral("D'ONOFRIO S.A.")},
                                        std::pair{kFree, QStringLiteral("COMERCIAL ANDINA S.A.C.")}}) {
            test::registerTaxpayer(database.db(), ruc, name, QStringLiteral("CONTADOR"));
        }
        const store::DeclarationKey key = test::demoKey(kStored);
        test::insertRow(database.db(), QStringLiteral("CAB"), key,
                        {{QStringLiteral("SEMANA"), 0}, {QStringLiteral("ESTADO"), 0}});
        test::insertRow(database.db(), QStringLiteral("DET"), key,
                        {{QStringLiteral("SEMANA"), 0},
                         {QStringLiteral("CASILLA"), QStringLiteral("376")},
                         {QStringLiteral("i_valor"), QStringLiteral("5000")}});
    }

    int run(const QString& text) {
        BatchRunner runner(database.db(), out, err,
                           {QStringLiteral("2018"), QStringLiteral("0588"), QStringLiteral("CONTADOR")});
        return runner.run(text);
    }
    QStringList outLines() const { return output.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }

    test::TempDatabase database;
    QString output;
    QString errors;
    QTextStream out{&output};
    QTextStream err{&errors};
};

TEST_F(BatchRunnerTest, EveryCommandOfANewDeclaration) {
    ASSERT_EQ(run(script(QStringLiteral("every_command.txt"))), BatchRunner::kDone) << errors.toStdString();
    EXPECT_TRUE(errors.isEmpty());

    const QStringList lines = outLines();
    for (const QString& expected : {
             QStringLiteral("txtValor(359) = \"1,234\" enabled unlocked"), // "a" dropped by the key filter
             QStringLiteral("txtValor(240) = \"0\" disabled locked"),
             QStringLiteral("txtValor(359) = \"\" enabled unlocked"),
             QStringLiteral("refused txtValor(240)"),
             QStringLiteral("TxtNombreN = \"ROSA MARIA\" enabled"),
             QStringLiteral("OptRectifica = 1 enabled"),
             QStringLiteral("ChkITF = 1 enabled"),
             QStringLiteral("cboTipDocRepLegal = \"01\" enabled"),
             QStringLiteral("lblBalanceComprobacion = \"Balance de Comprobación Histórico al 31/12/2018\" enabled"),
             QStringLiteral("cmdValidar = {0} enabled"),
             // 352 and 353 exclude each other: the queued No keeps 352.
             QStringLiteral("question \"0588 Declaración Pago Anual Impuesto a la Renta 2018 3ra. Categoría e ITF - "
                            "v 1.0\" \"Las casillas 353 y 352 son excluyentes.\\n¿Desea registrar información en la "
                            "casilla 353?.\" -> No"),
             QStringLiteral("txtValor(352) = \"100\" enabled unlocked"),
             QStringLiteral("txtValor(353) = \"\" enabled unlocked"),
         }) {
        EXPECT_TRUE(lines.contains(expected)) << expected.toStdString() << "\n---\n" << output.toStdString();
    }
    for (const QString& command : {QStringLiteral("validate"), QStringLiteral("save"), QStringLiteral("close")}) {
        const bool notYet = lines.contains(command + QStringLiteral(": no disponible todavía"));
        const bool ran = !output.contains(command + QStringLiteral(": "));
        EXPECT_TRUE(notYet || ran) << command.toStdString();
    }
}

TEST_F(BatchRunnerTest, OpenShowsTheStoredDeclaration) {
    ASSERT_EQ(run(script(QStringLiteral("open_stored.txt"))), BatchRunner::kDone) << errors.toStdString();
    const QStringList lines = outLines();
    EXPECT_TRUE(lines.contains(QStringLiteral("TxtRazon = \"D'ONOFRIO S.A.\" disabled"))) << output.toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("txtValor(376) = \"(5,000)\" enabled unlocked"))) << output.toStdString();
}

TEST_F(BatchRunnerTest, BlockedTaxpayerPrintsTheMessage) {
    ASSERT_EQ(run(script(QStringLiteral("blocked_taxpayer.txt"))), BatchRunner::kDone) << errors.toStdString();
    const QStringList lines = outLines();
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines.at(0),
              QStringLiteral("message critical \"0588 Declaración Pago Anual Impuesto a la Renta 2018 3ra. "
                             "Categoría e ITF - v 1.0\" \"La declaración que desea registrar ya existe, "
                             "elija la opción modificar declaración o elija otro contribuyente.\""));
    EXPECT_EQ(lines.at(1), QStringLiteral("TxtRazon = \"\" disabled"));
}

TEST_F(BatchRunnerTest, ScriptErrorStopsAtItsLine) {
    EXPECT_EQ(run(script(QStringLiteral("script_error.txt"))), BatchRunner::kScriptError);
    EXPECT_EQ(errors, QStringLiteral("error line 6: no existe la casilla txtValor(9999)\n"));
    EXPECT_EQ(output.count(QStringLiteral("txtValor(359)")), 1); // the line after the error never ran
}

TEST_F(BatchRunnerTest, BadLinesAreScriptErrors) {
    struct Case {
        QString script;
        QString error;
    };
    const QList<Case> cases = {
        {QStringLiteral("bailar"), QStringLiteral("error line 1: orden desconocida: bailar\n")},
        {QStringLiteral("show 100"), QStringLiteral("error line 1: no hay un formulario abierto (use new u open)\n")},
        {QStringLiteral("new\nclick OptNoExiste 1"),
         QStringLiteral("error line 2: no existe el control OptNoExiste\n")},
        {QStringLiteral("new\n\n# x\nclick OptRectifica"),
         QStringLiteral("error line 4: OptRectifica necesita el índice del botón\n")},
        {QStringLiteral("new\nclick OptRectifica 7"),
         QStringLiteral("error line 2: OptRectifica no tiene el índice 7\n")},
        {QStringLiteral("new\nclick OptRectifica -1"),
         QStringLiteral("error line 2: OptRectifica no tiene el índice -1\n")},
        {QStringLiteral("new\nclick cmdValidar -1"),
         QStringLiteral("error line 2: cmdValidar no tiene el índice -1\n")},
        {QStringLiteral("new\ntype abc 5"), QStringLiteral("error line 2: la casilla no es un número: abc\n")},
        {QStringLiteral("answer Quizas"),
         QStringLiteral("error line 1: respuesta desconocida: Quizas (Si, No, Cancelar o Aceptar)\n")},
        {QStringLiteral("new\npage 9"), QStringLiteral("error line 2: SSTab1 no tiene la página 9\n")},
        {QStringLiteral("new\nchoose cboTipDocRepLegal 77"),
         QStringLiteral("error line 2: cboTipDocRepLegal no tiene el código 77\n")},
        {QStringLiteral("open 20131312955"),
         QStringLiteral("error line 1: no hay una declaración registrada de 20131312955\n")},
        {QStringLiteral("new\ntaxpayer 20131312955"),
         QStringLiteral("error line 2: el contribuyente 20131312955 no está en CmbRuc\n")},
    };
    for (const Case& c : cases) {
        errors.clear();
        EXPECT_EQ(run(c.script), BatchRunner::kScriptError) << c.script.toStdString();
        EXPECT_EQ(errors, c.error) << c.script.toStdString();
    }
}

// A sent version is its taxpayer's as much as the declaration: another user's is a script error.
TEST_F(BatchRunnerTest, AnotherUsersSentVersionIsAScriptError) {
    const QString others = QStringLiteral("20487654320");
    test::registerTaxpayer(database.db(), others, QStringLiteral("INDUSTRIAS DEL SUR S.A."),
                           QStringLiteral("SUPERVISOR"));
    test::addSentVersion(database.db(), test::demoKey(others), QStringLiteral("1"), QStringLiteral("V1"), 1);
    EXPECT_EQ(run(QStringLiteral("open %1 1\nshow 376\n").arg(others)), BatchRunner::kScriptError);
    EXPECT_EQ(errors,
              QStringLiteral("error line 1: ") + app::taxpayerRefusedText(others, QStringLiteral("CONTADOR")) + '\n');
    EXPECT_FALSE(output.contains(QStringLiteral("txtValor(376)"))) << "nothing after the line ran";
}

TEST(BatchPrompterTest, PrintsPromptsAndAnswersFromTheQueue) {
    QString output;
    QTextStream out(&output);
    BatchPrompter prompter(out);
    prompter.message(QStringLiteral("Línea 1\nLínea 2"), QStringLiteral("Título"), app::Icon::Exclamation);
    EXPECT_EQ(prompter.ask(QStringLiteral("¿Seguro?"), QStringLiteral("T"), app::Button::Yes | app::Button::No,
                           app::Button::No, app::Icon::Question),
              app::Button::No);
    prompter.queue(app::Button::Yes);
    EXPECT_EQ(prompter.ask(QStringLiteral("¿Seguro?"), QStringLiteral("T"), app::Button::Yes | app::Button::No,
                           app::Button::No, app::Icon::Question),
              app::Button::Yes);
    prompter.queue(app::Button::Cancel);
    EXPECT_EQ(prompter.ask(QStringLiteral("¿Otra?"), QStringLiteral("T"), app::Button::Yes | app::Button::No,
                           app::Button::Yes, app::Icon::Question),
              app::Button::Yes);
    EXPECT_FALSE(prompter.takeError().isEmpty());
    EXPECT_TRUE(prompter.takeError().isEmpty());
    EXPECT_EQ(output, QStringLiteral("message exclamation \"Título\" \"Línea 1\\nLínea 2\"\n"
                                     "question \"T\" \"¿Seguro?\" -> No\n"
                                     "question \"T\" \"¿Seguro?\" -> Si\n"
                                     "question \"T\" \"¿Otra?\" -> Si\n"));
}

TEST(BatchOpenerTest, PrintsRequestsAndHandsBackQueuedResults) {
    QString output;
    QTextStream out(&output);
    BatchOpener opener(out);
    opener.queue(QStringLiteral("frmAnexo103"), QStringLiteral("1500"));
    app::FormRequest request;
    request.name = QStringLiteral("frmAnexo103");
    request.action = app::FormRequest::kAdd;
    request.casilla = 103;
    EXPECT_EQ(opener.open(request), QStringLiteral("1500"));
    EXPECT_EQ(opener.open(request), QString());
    request.name = QStringLiteral("frmDetalleSocios");
    request.action = app::FormRequest::kModify;
    request.casilla.reset();
    EXPECT_EQ(opener.open(request), QString());
    EXPECT_EQ(output,
              QStringLiteral("window frmAnexo103 1 103\nwindow frmAnexo103 1 103\nwindow frmDetalleSocios 2 -\n"));
}

// pm0588 --batch: the INI and the database as start-up reads them, the module's lock.
TEST_F(BatchRunnerTest, StartUpOfTheBatchMode) {
    QTemporaryDir config;
    const app::IniFile ini(config.path() + QStringLiteral("/PM000.INI"));
    const QString scriptPath = config.path() + QStringLiteral("/guion.txt");
    QFile file(scriptPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("open 20100070970\nshow 376\n");
    file.close();

    // No configuration: start-up fails, naming it.
    EXPECT_EQ(BatchRunner::runFile(scriptPath, out, err, {ini}), BatchRunner::kStartupFailed);
    EXPECT_TRUE(output.startsWith(QStringLiteral("message critical \"Error de Configuración\" \"No se encuentra el "
                                                 "archivo de configuración")))
        << output.toStdString();

    // No database configured: start-up fails.
    ini.write(app::IniFile::kOptions, QStringLiteral("SysVersion"), QStringLiteral("1.0"));
    output.clear();
    EXPECT_EQ(BatchRunner::runFile(scriptPath, out, err, {ini}), BatchRunner::kStartupFailed);
    EXPECT_TRUE(output.startsWith(QStringLiteral("message none \"Error de Conección\""))) << output.toStdString();

    ini.write(app::IniFile::kOptions, QStringLiteral("DBPath"), database.folder() + QLatin1Char('/'));
    ini.write(app::IniFile::kOptions, QStringLiteral("DBName"), QStringLiteral("qel.db"));
    ini.write(app::IniFile::kOptions, QStringLiteral("SysUser"), QStringLiteral("SUPERVISOR"));
    output.clear();
    EXPECT_EQ(BatchRunner::runFile(scriptPath, out, err, {ini}), BatchRunner::kDone) << errors.toStdString();
    EXPECT_EQ(output, QStringLiteral("txtValor(376) = \"(5,000)\" enabled unlocked\n"));

    // The module is running on the database: the batch mode refuses to run beside it.
    app::DatabaseLock module(database.path());
    ASSERT_TRUE(module.acquire());
    output.clear();
    EXPECT_EQ(BatchRunner::runFile(scriptPath, out, err, {ini}), BatchRunner::kStartupFailed);
    EXPECT_EQ(output, QStringLiteral("message information \"Declaración Pago Anual Impuesto a la Renta\" \"La "
                                     "Aplicación ya se encuentra en ejecución\"\n"));

    EXPECT_EQ(BatchRunner::runFile(config.path() + QStringLiteral("/no-existe.txt"), out, err, {ini}),
              BatchRunner::kScriptError);
}

} // namespace
} // namespace qel::declaration
