#include "app/Clock.h"
#include "launcher/LauncherCommands.h"
#include "launcher/LauncherFixtures.h"
#include "launcher/UserAccounts.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>

using namespace qel;
using launcher::CommandLine;

namespace {

const QDateTime kNow(QDate(2019, 3, 20), QTime(9, 0), Qt::UTC);

// Runs command lines as the program would, against an environment of its own.
class LauncherCommandsTest : public ::testing::Test {
protected:
    int run(const QStringList& arguments) {
        m_out.clear();
        m_err.clear();
        QTextStream out(&m_out);
        QTextStream err(&m_err);
        launcher::LauncherCommands commands(launcher::Environment(app::IniFile(iniPath())), out, err, m_clock);
        const int code = commands.runBatch(CommandLine::parse(QStringList{QStringLiteral("qel")} + arguments));
        out.flush();
        err.flush();
        return code;
    }
    QString iniPath() const { return m_config.path() + QStringLiteral("/PM000.INI"); }
    QString folder() const { return m_root.path() + QStringLiteral("/QEL"); }
    std::unique_ptr<store::Database> database() {
        return std::move(store::Database::open(folder() + QStringLiteral("/QEL.db")).database);
    }

    QTemporaryDir m_config;
    QTemporaryDir m_root;
    app::FixedClock m_clock{kNow};
    QString m_out;
    QString m_err;
};

} // namespace

TEST_F(LauncherCommandsTest, TheEnvironmentAndTheDemoTaxpayersAreCreatedOnce) {
    EXPECT_EQ(run({QStringLiteral("--create-environment"), folder()}), 0) << m_err.toStdString();
    EXPECT_TRUE(m_out.startsWith(QStringLiteral("Entorno creado en %1/").arg(folder()))) << m_out.toStdString();

    EXPECT_EQ(run({QStringLiteral("--create-environment"), folder()}), 0);
    EXPECT_EQ(m_out, QStringLiteral("El entorno ya existe en %1/; no se modificó nada.\n").arg(folder()));

    EXPECT_EQ(test::rowCount(*database(), QStringLiteral("CLAVES")), 0) << "a new environment has no known accounts";
    EXPECT_EQ(run({QStringLiteral("--add-demo-taxpayers")}), 0);
    EXPECT_EQ(m_out, QStringLiteral("Se registraron 2 usuarios de demostración (CONTADOR y SUPERVISOR).\n"
                                    "Se registraron 3 contribuyentes de demostración.\n"));
    EXPECT_TRUE(launcher::UserAccounts(*database()).isDemo(QStringLiteral("contador")));
    EXPECT_EQ(run({QStringLiteral("--add-demo-taxpayers")}), 0);
    EXPECT_EQ(m_out, QStringLiteral("Los contribuyentes de demostración ya estaban registrados; no se agregó nada.\n"));
    EXPECT_EQ(test::rowCount(*database(), QStringLiteral("CONT")), 3);
}

TEST_F(LauncherCommandsTest, CommandsThatCannotRunSayWhyAndAnswerOne) {
    QFile blocker(m_root.path() + QStringLiteral("/archivo"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    const struct {
        QStringList arguments;
        QString error;
    } cases[] = {
        {{QStringLiteral("--create-environment"), m_root.path() + QStringLiteral("/archivo/QEL")},
         QStringLiteral("No se puede crear el entorno en")},
        {{QStringLiteral("--add-demo-taxpayers")}, QStringLiteral("No existe el entorno del QEL")},
        {{QStringLiteral("--user"), QStringLiteral("CONTADOR"), QStringLiteral("--password"), QStringLiteral("x"),
          QStringLiteral("--send"), QStringLiteral("20512345671")},
         QStringLiteral("No existe el entorno del QEL")},
        {{QStringLiteral("--send"), QStringLiteral("20512345671")},
         QStringLiteral("La opción --send requiere --user.")},
        {{QStringLiteral("--crear")}, QStringLiteral("Opción desconocida: --crear.")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.arguments), 1) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(m_err.startsWith(c.error)) << m_err.toStdString();
        EXPECT_TRUE(m_out.isEmpty()) << m_out.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(iniPath()));
}

TEST_F(LauncherCommandsTest, LoginAndSendFromTheCommandLine) {
    ASSERT_EQ(run({QStringLiteral("--create-environment"), folder()}), 0);
    ASSERT_EQ(run({QStringLiteral("--add-demo-taxpayers")}), 0);
    {
        auto db = database();
        test::ensureLauncherUsers(*db);
        test::ensureSentTables(*db);
    }
    const QString ruc = QStringLiteral("20512345671");
    const QStringList sendAsContador = {QStringLiteral("--user"),     QStringLiteral("contador"),
                                        QStringLiteral("--password"), QStringLiteral("contador"),
                                        QStringLiteral("--send"),     ruc};

    EXPECT_EQ(run(sendAsContador), 1);
    EXPECT_EQ(m_err, QStringLiteral("El contribuyente no tiene una declaración registrada para el periodo 2018.\n"));
    EXPECT_EQ(app::IniFile(iniPath()).read(QStringLiteral("Options"), QStringLiteral("SysUser")),
              QStringLiteral("CONTADOR"));

    test::insertRow(*database(), QStringLiteral("CAB"), test::demoKey(ruc),
                    {{QStringLiteral("SEMANA"), 0}, {QStringLiteral("ESTADO"), 0}});
    EXPECT_EQ(run(sendAsContador), 0) << m_err.toStdString();
    EXPECT_TRUE(m_out.startsWith(QStringLiteral("Declaración enviada: RUC 20512345671, correlativo 1, control ")))
        << m_out.toStdString();

    const struct {
        QStringList arguments;
        QString error;
    } refused[] = {
        {{QStringLiteral("--user"), QStringLiteral("CONTADOR"), QStringLiteral("--password"), QStringLiteral("x"),
          QStringLiteral("--send"), ruc},
         QStringLiteral("Usuario o contraseña incorrectos.\n")},
        {{QStringLiteral("--user"), QStringLiteral("AUDITOR"), QStringLiteral("--password"), QStringLiteral("auditor"),
          QStringLiteral("--send"), ruc},
         QStringLiteral("El contribuyente 20512345671 no está registrado para el usuario AUDITOR.\n")},
        {{QStringLiteral("--user"), QStringLiteral("CONTADOR"), QStringLiteral("--password"),
          QStringLiteral("contador"), QStringLiteral("--send"), QStringLiteral("20487654320")},
         QStringLiteral("El contribuyente 20487654320 no está registrado para el usuario CONTADOR.\n")},
        {{QStringLiteral("--user"), QStringLiteral("SUPERVISOR"), QStringLiteral("--password"),
          QStringLiteral("supervisor"), QStringLiteral("--send"), QStringLiteral("20100070970")},
         QStringLiteral("El contribuyente no se encuentra registrado.\n")},
    };
    for (const auto& c : refused) {
        EXPECT_EQ(run(c.arguments), 1);
        EXPECT_EQ(m_err, c.error);
    }
    // A supervisor sends any taxpayer's declaration: the next version.
    EXPECT_EQ(run({QStringLiteral("--user"), QStringLiteral("SUPERVISOR"), QStringLiteral("--password"),
                   QStringLiteral("supervisor"), QStringLiteral("--send"), ruc}),
              0);
    EXPECT_TRUE(m_out.contains(QStringLiteral("correlativo 2"))) << m_out.toStdString();
}

TEST(LauncherCommandLine, ReadsTheCommandsAndRefusesWhatItDoesNotKnow) {
    const struct {
        QStringList arguments;
        bool opensWindow;
        QString error; // start of the message, empty when the line is right
    } cases[] = {
        {{}, true, {}},
        {{QStringLiteral("--create-environment"), QStringLiteral("/tmp/QEL")}, false, {}},
        {{QStringLiteral("--create-environment=/tmp/QEL"), QStringLiteral("--user"), QStringLiteral("CONTADOR")},
         false,
         {}},
        {{QStringLiteral("--add-demo-taxpayers")}, false, {}},
        {{QStringLiteral("--user"), QStringLiteral("CONTADOR"), QStringLiteral("--password"),
          QStringLiteral("contador"), QStringLiteral("--start"), QStringLiteral("0588")},
         true,
         {}},
        {{QStringLiteral("--send"), QStringLiteral("20512345671")}, false, QStringLiteral("La opción --send requiere")},
        {{QStringLiteral("--user"), QStringLiteral("CONTADOR"), QStringLiteral("--send"),
          QStringLiteral("20512345671")},
         false,
         {}},
        {{QStringLiteral("-platform"), QStringLiteral("offscreen")}, true, {}},
        {{QStringLiteral("--help")}, false, {}},
        {{QStringLiteral("--start")}, false, QStringLiteral("Falta el valor de la opción --start.")},
        {{QStringLiteral("--password"), QStringLiteral("x")}, false, QStringLiteral("La opción --password requiere")},
        {{QStringLiteral("--user"), QStringLiteral("X"), QStringLiteral("--start"), QStringLiteral("0588")}, true, {}},
        {{QStringLiteral("enviar")}, false, QStringLiteral("Opción desconocida: enviar.")},
    };
    for (const auto& c : cases) {
        const CommandLine line = CommandLine::parse(QStringList{QStringLiteral("qel")} + c.arguments);
        const std::string which = c.arguments.join(' ').toStdString();
        EXPECT_EQ(line.opensWindow(), c.opensWindow) << which;
        if (c.error.isEmpty()) {
            EXPECT_TRUE(line.error.isEmpty()) << which << ": " << line.error.toStdString();
        } else {
            EXPECT_TRUE(line.error.startsWith(c.error)) << which << ": " << line.error.toStdString();
        }
    }
    const CommandLine readme = CommandLine::parse(
        {QStringLiteral("qel"), QStringLiteral("--user"), QStringLiteral("CONTADOR"), QStringLiteral("--password"),
         QStringLiteral("contador"), QStringLiteral("--start"), QStringLiteral("0588")});
    EXPECT_EQ(readme.user, QStringLiteral("CONTADOR"));
    EXPECT_EQ(readme.password, QStringLiteral("contador"));
    EXPECT_EQ(readme.start, QStringLiteral("0588"));
}

TEST_F(LauncherCommandsTest, ANewEnvironmentGetsTheUserItsCreatorNamesWithHisOwnPassword) {
    ASSERT_EQ(run({QStringLiteral("--create-environment"), folder(), QStringLiteral("--user"), QStringLiteral("ana"),
                   QStringLiteral("--password"), QStringLiteral("clave de Ana")}),
              0)
        << m_err.toStdString();
    auto db = database();
    launcher::UserAccounts accounts(*db);
    EXPECT_EQ(accounts.authenticate(QStringLiteral("ANA"), QStringLiteral("clave de Ana")), QStringLiteral("ANA"));
    EXPECT_FALSE(accounts.authenticate(QStringLiteral("ANA"), QStringLiteral("clave de ana")));
    EXPECT_TRUE(accounts.seesEveryTaxpayer(QStringLiteral("ANA")));
    EXPECT_FALSE(accounts.isDemo(QStringLiteral("ANA")));
    EXPECT_FALSE(accounts.authenticate(QStringLiteral("CONTADOR"), QStringLiteral("contador")));
}

TEST(LauncherCommandLine, APasswordNotGivenIsReadFromStandardInput) {
    FILE* input = std::tmpfile();
    FILE* prompt = std::tmpfile();
    std::fputs("secreta con espacios\r\nsiguiente\n", input);
    std::rewind(input);
    EXPECT_EQ(CommandLine::readPassword(QStringLiteral("CONTADOR"), input, prompt),
              QStringLiteral("secreta con espacios"));
    EXPECT_EQ(std::ftell(prompt), 0) << "no prompt when the input is not a terminal";
    EXPECT_EQ(CommandLine::readPassword(QStringLiteral("CONTADOR"), input, prompt), QStringLiteral("siguiente"));
    std::fclose(input);
    std::fclose(prompt);
}

// `qel --user X --send R < /dev/zero`: the line never ends, and the read stops at its limit.
TEST(LauncherCommandLine, APasswordLineWithoutEndIsRefusedAtItsLimit) {
    const struct {
        QByteArray input;
        std::optional<QString> password;
    } cases[] = {
        {QByteArray(CommandLine::kMaxPasswordBytes, 'a') + '\n', QString(CommandLine::kMaxPasswordBytes, u'a')},
        {QByteArray(CommandLine::kMaxPasswordBytes + 1, 'a') + '\n', std::nullopt},
        {QByteArray(1 << 20, '\0'), std::nullopt},
    };
    for (const auto& c : cases) {
        FILE* input = std::tmpfile();
        FILE* prompt = std::tmpfile();
        std::fwrite(c.input.constData(), 1, static_cast<size_t>(c.input.size()), input);
        std::rewind(input);
        EXPECT_EQ(CommandLine::readPassword(QStringLiteral("CONTADOR"), input, prompt), c.password);
        EXPECT_LE(std::ftell(input), CommandLine::kMaxPasswordBytes + 2) << "read no further than the limit";
        std::fclose(input);
        std::fclose(prompt);
    }
}
