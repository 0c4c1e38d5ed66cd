// Two accountants, each with the module in batch mode, save two different declarations of one
// database at the same moment, round after round: each declaration ends with exactly the rows
// and the state of its own last save, as if the two had saved one after the other.
//
// Only the office server lets two modules work at once: a file is one module's at a time (the
// module holds it while it runs, and a second one is refused and changes nothing).
//
// QEL_OFFICE_ROUNDS sets the number of rounds (3 by default).

#include "app/IniFile.h"
#include "management/SentVersionsFixture.h"
#include "office/OfficeFixture.h"
#include "support/FormServices.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <array>

#ifndef QEL_MODULE_PROGRAM
#error "QEL_MODULE_PROGRAM names the module program"
#endif

using namespace Qt::StringLiterals;

using namespace qel;

namespace {

// One accountant: a configuration folder of its own (its PM000.INI) naming the shared database.
struct Accountant {
    QString ruc;
    std::array<const char*, 2> amounts; // casilla 359 of its two versions
    QTemporaryDir config;

    // Registers the taxpayer with a stored declaration and writes the PM000.INI naming the server.
    void prepare(test::OfficeDatabase& office) const {
        test::registerTaxpayer(office.db(), ruc, u"EMPRESA "_s + ruc, u"CONTADOR"_s);
        test::addStoredDeclaration(office.db(), test::demoKey(ruc), {}, 9);
        const app::IniFile ini(config.path() + u"/PM000.INI"_s);
        ini.write(app::IniFile::kOptions, u"SysPath"_s, config.path() + u'/');
        ini.write(app::IniFile::kOptions, u"SysUser"_s, u"CONTADOR"_s);
        ini.write(app::IniFile::kOptions, u"DBEngine"_s, u"PostgreSQL"_s);
        ini.write(app::IniFile::kOptions, u"DBServer"_s, office.address());
    }

    // Starts the module on the script that opens the declaration, types a version and saves it.
    void start(QProcess& module, int version) const {
        const QString text = QStringLiteral("today 20/03/2019\nopen %1\nclick OptITF 0\nclick OptPlan 2\ntype 359 %2\n"
                                            "type 401 %3\nsave\nclose\n")
                                 .arg(ruc, QString::fromLatin1(amounts.at(version)), version == 0 ? "600" : "1,200");
        const QString script = config.path() + u"/guion.txt"_s;
        QFile file(script);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
        file.close();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QEL_CONFIG_DIR"_s, config.path());
        module.setProcessEnvironment(environment);
        module.start(QStringLiteral(QEL_MODULE_PROGRAM), {u"--batch"_s, script});
    }

    // Waits for the module and its save.
    void finish(QProcess& module) const {
        EXPECT_TRUE(module.waitForFinished(120000)) << ruc.toStdString();
        const QString out = QString::fromUtf8(module.readAllStandardOutput());
        EXPECT_EQ(module.exitCode(), 0) << ruc.toStdString() << "\n"
                                        << out.toStdString() << module.readAllStandardError().toStdString();
        EXPECT_TRUE(out.contains(u"fue grabada"_s)) << ruc.toStdString() << "\n" << out.toStdString();
    }
};

class ConcurrentModulesTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ConcurrentModulesTest, TwoModulesSavingTwoDeclarationsAtOnceEachKeepTheirOwnRows) {
    QEL_OFFICE_DATABASE(office);
    std::array<Accountant, 2> accountants{Accountant{u"20601112222"_s, {"1,000", "2,000"}, {}},
                                          Accountant{u"20487654320"_s, {"3,000", "4,000"}, {}}};
    for (const Accountant& accountant : accountants) {
        accountant.prepare(*office);
    }

    // What each version of each declaration stores, one module at a time.
    std::array<std::array<QStringList, 2>, 2> expected;
    for (int a = 0; a < 2; ++a) {
        for (int version = 0; version < 2; ++version) {
            QProcess module;
            accountants.at(a).start(module, version);
            accountants.at(a).finish(module);
            expected.at(a).at(version) = test::declarationRows(office->db(), test::demoKey(accountants.at(a).ruc));
        }
        ASSERT_NE(expected.at(a).at(0), expected.at(a).at(1));
    }

    const int rounds =
        qEnvironmentVariableIsSet("QEL_OFFICE_ROUNDS") ? qEnvironmentVariableIntValue("QEL_OFFICE_ROUNDS") : 3;
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE(round);
        // Each round stores the other version of each declaration, the two crossed.
        const std::array<int, 2> versions = {round % 2, (round + 1) % 2};
        std::array<QProcess, 2> modules;
        for (int a = 0; a < 2; ++a) {
            accountants.at(a).start(modules.at(a), versions.at(a));
        }
        for (int a = 0; a < 2; ++a) {
            accountants.at(a).finish(modules.at(a));
            EXPECT_EQ(test::declarationRows(office->db(), test::demoKey(accountants.at(a).ruc)),
                      expected.at(a).at(versions.at(a)))
                << accountants.at(a).ruc.toStdString();
        }
    }
}

// The file has the module's single-process tests; two modules at once are the server's.
INSTANTIATE_TEST_SUITE_P(Office, ConcurrentModulesTest, ::testing::Values(test::OfficeDatabase::kServer),
                         test::officeEngineName);

} // namespace
