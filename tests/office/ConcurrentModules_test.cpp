// Two accountants, each with the module in batch mode, save two different declarations of one
// database at the same moment, round after round: each declaration ends with exactly the rows
// and the state of its own last save, as if the two had saved one after the other.
//
// On the office server the two modules work at once. A file is one module's at a time (the
// module holds it while it runs), so there the second is refused with the system's message,
// changes nothing, and is run again once the first has ended.
//
// QEL_OFFICE_ROUNDS sets the number of rounds (3 by default).

#include "app/IniFile.h"
#include "office/OfficeFixture.h"
#include "store/DeclarationLock.h"
#include "support/FormServices.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <array>

#ifndef QEL_MODULE_PROGRAM
#error "QEL_MODULE_PROGRAM names the module program"
#endif

using namespace qel;

namespace {

const QString kBusy = QStringLiteral("La Aplicación ya se encuentra en ejecución");

// One accountant: a configuration folder of its own (its PM000.INI) naming the shared database.
struct Accountant {
    QString ruc;
    std::array<const char*, 2> amounts; // casilla 359 of its two versions
    QTemporaryDir config;

    // Registers the taxpayer with a stored declaration and writes the PM000.INI.
    void prepare(test::OfficeDatabase& office) const {
        test::registerTaxpayer(office.db(), ruc, QStringLiteral("EMPRESA ") + ruc, QStringLiteral("CONTADOR"));
        test::insertRow(office.db(), QStringLiteral("CAB"), test::demoKey(ruc),
                        {{QStringLiteral("SEMANA"), 0}, {QStringLiteral("ESTADO"), 9}});
        const QString address = office.address();
        const bool server = office.onServer();
        const app::IniFile ini(config.path() + QStringLiteral("/PM000.INI"));
        ini.write(app::IniFile::kOptions, QStringLiteral("SysPath"), config.path() + QLatin1Char('/'));
        ini.write(app::IniFile::kOptions, QStringLiteral("SysUser"), QStringLiteral("CONTADOR"));
        if (server) {
            ini.write(app::IniFile::kOptions, QStringLiteral("DBEngine"), QStringLiteral("PostgreSQL"));
            ini.write(app::IniFile::kOptions, QStringLiteral("DBServer"), address);
            return;
        }
        const QFileInfo file(address);
        ini.write(app::IniFile::kOptions, QStringLiteral("DBPath"), file.absolutePath() + QLatin1Char('/'));
        ini.write(app::IniFile::kOptions, QStringLiteral("DBName"), file.fileName());
    }

    // Starts the module on the script that opens the declaration, types a version and saves it.
    void start(QProcess& module, int version) const {
        startScript(module, QStringLiteral("today 20/03/2019\nopen %1\nclick OptITF 0\nclick OptPlan 2\ntype 359 %2\n"
                                           "type 401 %3\nsave\nclose\n")
                                .arg(ruc, QString::fromLatin1(amounts.at(version)), version == 0 ? "600" : "1,200"));
    }

    void startScript(QProcess& module, const QString& text) const {
        const QString script = config.path() + QStringLiteral("/guion.txt");
        QFile file(script);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
        file.close();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QEL_CONFIG_DIR"), config.path());
        module.setProcessEnvironment(environment);
        module.start(QStringLiteral(QEL_MODULE_PROGRAM), {QStringLiteral("--batch"), script});
    }

    // Waits for the module; answers whether it was refused because the other one held the file.
    bool finish(QProcess& module) const {
        EXPECT_TRUE(module.waitForFinished(120000)) << ruc.toStdString();
        const QString out = QString::fromUtf8(module.readAllStandardOutput());
        if (module.exitCode() == 1 && out.contains(kBusy)) {
            return true;
        }
        EXPECT_EQ(module.exitCode(), 0) << ruc.toStdString() << "\n"
                                        << out.toStdString() << module.readAllStandardError().toStdString();
        EXPECT_TRUE(out.contains(QStringLiteral("fue grabada"))) << ruc.toStdString() << "\n" << out.toStdString();
        return false;
    }

    void runAlone(int version) const {
        QProcess module;
        start(module, version);
        EXPECT_FALSE(finish(module));
    }
};

class ConcurrentModulesTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ConcurrentModulesTest, TwoModulesSavingTwoDeclarationsAtOnceEachKeepTheirOwnRows) {
    QEL_OFFICE_DATABASE(office);
    const bool server = office->onServer();
    std::array<Accountant, 2> accountants{Accountant{QStringLiteral("20601112222"), {"1,000", "2,000"}, {}},
                                          Accountant{QStringLiteral("20487654320"), {"3,000", "4,000"}, {}}};
    for (const Accountant& accountant : accountants) {
        accountant.prepare(*office);
    }

    // What each version of each declaration stores, one module at a time.
    std::array<std::array<QStringList, 2>, 2> expected;
    for (int a = 0; a < 2; ++a) {
        for (int version = 0; version < 2; ++version) {
            accountants.at(a).runAlone(version);
            expected.at(a).at(version) = test::declarationRows(office->db(), test::demoKey(accountants.at(a).ruc));
        }
        ASSERT_NE(expected.at(a).at(0), expected.at(a).at(1));
    }

    const int rounds =
        qEnvironmentVariableIsSet("QEL_OFFICE_ROUNDS") ? qEnvironmentVariableIntValue("QEL_OFFICE_ROUNDS") : 3;
    int refused = 0;
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE(round);
        // Each round stores the other version of each declaration, the two crossed.
        const std::array<int, 2> versions = {round % 2, (round + 1) % 2};
        std::array<QProcess, 2> modules;
        for (int a = 0; a < 2; ++a) {
            accountants.at(a).start(modules.at(a), versions.at(a));
        }
        std::array<bool, 2> busy{};
        for (int a = 0; a < 2; ++a) {
            busy.at(a) = accountants.at(a).finish(modules.at(a));
        }
        for (int a = 0; a < 2; ++a) {
            if (busy.at(a)) {
                ++refused;
                ASSERT_FALSE(server) << "the server refused a second module";
                accountants.at(a).runAlone(versions.at(a));
            }
        }
        for (int a = 0; a < 2; ++a) {
            EXPECT_EQ(test::declarationRows(office->db(), test::demoKey(accountants.at(a).ruc)),
                      expected.at(a).at(versions.at(a)))
                << accountants.at(a).ruc.toStdString();
        }
    }
    std::printf("[ office   ] %s: %d rounds, %d modules refused while the other held the file\n", GetParam(), rounds,
                refused);
}

// A module started on a declaration another session holds is told who holds it: answered No it
// opens nothing, answered Si it shows the declaration read-only and its save stores nothing; once
// the holder lets go, the next module saves as usual.
TEST_P(ConcurrentModulesTest, AModuleOnAHeldDeclarationChangesNothing) {
    QEL_OFFICE_DATABASE(office);
    const Accountant accountant{QStringLiteral("20601112222"), {"1,000", "2,000"}, {}};
    accountant.prepare(*office);
    accountant.runAlone(0);
    const QStringList stored = test::declarationRows(office->db(), test::demoKey(accountant.ruc));

    auto held = store::DeclarationLock::acquire(office->db(), test::demoKey(accountant.ruc), QStringLiteral("ANA"));
    ASSERT_TRUE(held.lock) << held.error.toStdString();
    for (const char* answer : {"No", "Si"}) {
        SCOPED_TRACE(answer);
        QProcess module;
        accountant.startScript(module, QStringLiteral("today 20/03/2019\nanswer %1\nopen %2\ntype 359 9,999\nsave\n")
                                           .arg(QString::fromLatin1(answer), accountant.ruc));
        ASSERT_TRUE(module.waitForFinished(120000));
        const QString out = QString::fromUtf8(module.readAllStandardOutput());
        EXPECT_TRUE(
            out.contains(QStringLiteral("La declaración del RUC %1 está abierta por ANA en ").arg(accountant.ruc)))
            << out.toStdString();
        if (qstrcmp(answer, "Si") == 0) {
            EXPECT_TRUE(
                out.contains(QStringLiteral("La declaración está abierta solo para consulta: no se puede grabar.")))
                << out.toStdString();
        }
        EXPECT_FALSE(out.contains(QStringLiteral("fue grabada"))) << out.toStdString();
        EXPECT_EQ(test::declarationRows(office->db(), test::demoKey(accountant.ruc)), stored);
    }
    held.lock.reset();
    accountant.runAlone(1);
    EXPECT_NE(test::declarationRows(office->db(), test::demoKey(accountant.ruc)), stored);
}

INSTANTIATE_TEST_SUITE_P(Office, ConcurrentModulesTest, test::kOfficeEngines, test::officeEngineName);

} // namespace
