#include "app/Clock.h"
#include "launcher/LauncherCommands.h"
#include "launcher/LauncherFixtures.h"
#include "launcher/UserAccounts.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <gtest/gtest.h>

using namespace qel;
using launcher::CommandLine;

namespace {

// "--user CONTADOR --send 20512345671" as the words of a command line.
QStringList words(const QString& line) {
    return line.split(u' ', Qt::SkipEmptyParts);
}

// Runs command lines as the program would, against an environment of its own.
class LauncherCommandsTest : public test::ConfigFolderTest {
protected:
    int run(const QStringList& arguments) {
        m_out.clear();
        m_err.clear();
        QTextStream out(&m_out);
        QTextStream err(&m_err);
        launcher::LauncherCommands commands(launcher::Environment(app::IniFile(iniPath())), out, err, m_clock);
        const int code = commands.runBatch(CommandLine::parse(QStringList{"qel"} + arguments));
        out.flush();
        err.flush();
        return code;
    }
    int run(const QString& line) { return run(words(line)); }
    std::unique_ptr<store::Database> database() {
        return std::move(store::Database::open(folder() + "/QEL.db").database);
    }

    app::FixedClock m_clock{QDateTime(QDate(2019, 3, 20), QTime(9, 0), Qt::UTC)};
    QString m_out;
    QString m_err;
};

} // namespace

TEST_F(LauncherCommandsTest, TheEnvironmentAndTheDemoTaxpayersAreCreatedOnce) {
    EXPECT_EQ(run({"--create-environment", folder()}), 0) << m_err.toStdString();
    EXPECT_TRUE(m_out.startsWith(QString("Entorno creado en %1/").arg(folder()))) << m_out.toStdString();
    EXPECT_EQ(run({"--create-environment", folder()}), 0) << "a second run changes nothing (EnvironmentTest)";

    EXPECT_EQ(test::rowCount(*database(), "CLAVES"), 0) << "a new environment has no known accounts";
    EXPECT_EQ(run("--add-demo-taxpayers"), 0);
    EXPECT_EQ(m_out, "Se registraron 2 usuarios de demostración (CONTADOR y SUPERVISOR).\n"
                     "Se registraron 3 contribuyentes de demostración.\n");
    EXPECT_TRUE(launcher::UserAccounts(*database()).isDemo("contador"));
    EXPECT_EQ(run("--add-demo-taxpayers"), 0);
    EXPECT_EQ(m_out, "Los contribuyentes de demostración ya estaban registrados; no se agregó nada.\n");
    EXPECT_EQ(test::rowCount(*database(), "CONT"), 3);
}

TEST_F(LauncherCommandsTest, CommandsThatCannotRunSayWhyAndAnswerOne) {
    QFile blocker(m_root.path() + "/archivo");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const std::pair<QStringList, QString> cases[] = {
        {{"--create-environment", m_root.path() + "/archivo/QEL"}, "No se puede crear el entorno en"},
        {words("--add-demo-taxpayers"), "No existe el entorno del QEL"},
        {words("--user CONTADOR --password x --send 20512345671"), "No existe el entorno del QEL"},
        {words("--crear"), "Opción desconocida: --crear."},
    };
    for (const auto& [arguments, error] : cases) {
        EXPECT_EQ(run(arguments), 1) << arguments.join(' ').toStdString();
        EXPECT_TRUE(m_err.startsWith(error)) << m_err.toStdString();
        EXPECT_TRUE(m_out.isEmpty()) << m_out.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(iniPath()));
}

TEST_F(LauncherCommandsTest, LoginAndSendFromTheCommandLine) {
    ASSERT_EQ(run({"--create-environment", folder()}), 0);
    ASSERT_EQ(run("--add-demo-taxpayers"), 0);
    {
        auto db = database();
        test::ensureLauncherUsers(*db);
        test::ensureSentTables(*db);
    }
    const QString asContador = "--user contador --password contador --send 20512345671";
    EXPECT_EQ(run(asContador), 1);
    EXPECT_EQ(m_err, "El contribuyente no tiene una declaración registrada para el periodo 2018.\n");
    EXPECT_EQ(read("SysUser"), "CONTADOR");

    test::insertRow(*database(), "CAB", test::demoKey("20512345671"), {{"SEMANA", 0}, {"ESTADO", 0}});
    EXPECT_EQ(run(asContador), 0) << m_err.toStdString();
    EXPECT_TRUE(m_out.startsWith("Declaración enviada: RUC 20512345671, correlativo 1, control "))
        << m_out.toStdString();

    const std::pair<const char*, const char*> refused[] = {
        {"--user CONTADOR --password x --send 20512345671", "Usuario o contraseña incorrectos.\n"},
        {"--user AUDITOR --password auditor --send 20512345671",
         "El contribuyente 20512345671 no está registrado para el usuario AUDITOR.\n"},
        {"--user CONTADOR --password contador --send 20487654320",
         "El contribuyente 20487654320 no está registrado para el usuario CONTADOR.\n"},
        {"--user SUPERVISOR --password supervisor --send 20100070970",
         "El contribuyente no se encuentra registrado.\n"},
    };
    for (const auto& [line, error] : refused) {
        EXPECT_EQ(run(line), 1) << line;
        EXPECT_EQ(m_err, QString::fromUtf8(error));
    }
    // A supervisor sends any taxpayer's declaration: the next version.
    EXPECT_EQ(run("--user SUPERVISOR --password supervisor --send 20512345671"), 0);
    EXPECT_TRUE(m_out.contains("correlativo 2")) << m_out.toStdString();
}

TEST(LauncherCommandLine, ReadsTheCommandsAndRefusesWhatItDoesNotKnow) {
    // The line, whether it opens the window, the start of its error (empty when it is right).
    const std::tuple<const char*, bool, const char*> cases[] = {
        {"", true, ""},
        {"--create-environment /tmp/QEL", false, ""},
        {"--create-environment=/tmp/QEL --user CONTADOR", false, ""},
        {"--user CONTADOR --password contador --start 0588", true, ""},
        {"--send 20512345671", false, "La opción --send requiere --user."},
        {"--user CONTADOR --send 20512345671", false, ""},
        {"-platform offscreen", true, ""},
        {"--help", false, ""},
        {"--start", false, "Falta el valor de la opción --start."},
        {"--password x", false, "La opción --password requiere"},
        {"--user X --start 0588", true, ""},
        {"enviar", false, "Opción desconocida: enviar."},
    };
    for (const auto& [text, opensWindow, start] : cases) {
        SCOPED_TRACE(text);
        const CommandLine line = CommandLine::parse(QStringList{"qel"} + words(text));
        EXPECT_EQ(line.opensWindow(), opensWindow);
        const QString error = QString::fromUtf8(start);
        EXPECT_EQ(line.error.left(error.size()), error);
        EXPECT_EQ(line.error.isEmpty(), error.isEmpty()) << line.error.toStdString();
    }
    const CommandLine readme =
        CommandLine::parse(QStringList{"qel"} + words("--user CONTADOR --password contador --start 0588"));
    EXPECT_EQ(readme.user, "CONTADOR");
    EXPECT_EQ(readme.password, "contador");
    EXPECT_EQ(readme.start, "0588");
}

TEST_F(LauncherCommandsTest, ANewEnvironmentGetsTheUserItsCreatorNamesWithHisOwnPassword) {
    ASSERT_EQ(run({"--create-environment", folder(), "--user", "ana", "--password", "clave de Ana"}), 0)
        << m_err.toStdString();
    auto db = database();
    launcher::UserAccounts accounts(*db);
    EXPECT_EQ(accounts.authenticate("ANA", "clave de Ana"), "ANA");
    EXPECT_FALSE(accounts.authenticate("ANA", "clave de ana"));
    EXPECT_TRUE(accounts.seesEveryTaxpayer("ANA"));
    EXPECT_FALSE(accounts.isDemo("ANA"));
    EXPECT_FALSE(accounts.authenticate("CONTADOR", "contador"));
}

// `qel --user X --send R < /dev/zero`: the line never ends, and the read stops at its limit.
TEST(LauncherCommandLine, APasswordIsReadFromStandardInputUpToItsLimit) {
    const int limit = CommandLine::kMaxPasswordBytes;
    // The input, and what the reads from it give one after the other.
    const std::pair<QByteArray, QList<std::optional<QString>>> cases[] = {
        {"secreta con espacios\r\nsiguiente\n", {"secreta con espacios", "siguiente"}},
        {QByteArray(limit, 'a') + '\n', {QString(limit, u'a')}},
        {QByteArray(limit + 1, 'a') + '\n', {std::nullopt}},
        {QByteArray(1 << 20, '\0'), {std::nullopt}},
    };
    for (const auto& [bytes, passwords] : cases) {
        FILE* input = std::tmpfile();
        FILE* prompt = std::tmpfile();
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), input);
        std::rewind(input);
        for (const auto& password : passwords) {
            EXPECT_EQ(CommandLine::readPassword("CONTADOR", input, prompt), password);
        }
        EXPECT_LE(std::ftell(input), limit + 2) << "read no further than the limit";
        EXPECT_EQ(std::ftell(prompt), 0) << "no prompt when the input is not a terminal";
        std::fclose(input);
        std::fclose(prompt);
    }
}
