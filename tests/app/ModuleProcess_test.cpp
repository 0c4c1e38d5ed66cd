// The module as a process: a second process on a database that one already works on is
// refused and changes nothing; a file that is not a sound, writable database of ours ends the
// start-up with its message and exit code 1, the file left byte for byte as it was; a script
// never reaches another user's taxpayer.

#include "app/Files.h"
#include "app/IniFile.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#ifndef QEL_MODULE_PROGRAM
#error "QEL_MODULE_PROGRAM names the module program"
#endif

using namespace qel;

namespace {

const QString kOwnRuc = "20601112222";   // CONTADOR's
const QString kOtherRuc = "20487654320"; // SUPERVISOR's

struct ModuleRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class ModuleProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::Database& db = database.db();
        test::registerTaxpayer(db, kOwnRuc, "COMERCIAL LOS ANDES S.A.C.", "CONTADOR");
        test::registerTaxpayer(db, kOtherRuc, "INDUSTRIAS DEL SUR S.A.");
        for (const QString& ruc : {kOwnRuc, kOtherRuc}) {
            test::insertRow(db, "CAB", test::demoKey(ruc), {{"ESTADO", 9}});
        }
        useDatabase(database.path());
    }

    void useDatabase(const QString& path) {
        const app::IniFile ini(config.path() + "/PM000.INI");
        const QFileInfo file(path);
        ini.write(app::IniFile::kOptions, "SysPath", config.path() + QLatin1Char('/'));
        ini.write(app::IniFile::kOptions, "DBPath", file.absolutePath() + QLatin1Char('/'));
        ini.write(app::IniFile::kOptions, "DBName", file.fileName());
        ini.write(app::IniFile::kOptions, "SysUser", "CONTADOR");
    }

    // pm0588 --batch with the script, as `user` when given (the tests may run as root).
    ModuleRun batch(const QString& script) { return module({writeFile("guion.txt", script.toUtf8())}); }
    // A file of the configuration folder; its path.
    QString writeFile(const QString& name, const QByteArray& bytes) {
        return test::writeBytes(config.filePath(name), bytes);
    }

    // pm0588 --batch ARGUMENTS, standard input from `input` (a file) when given.
    ModuleRun module(const QStringList& batchArguments, const QStringList& asUser = {}, const QString& input = {}) {
        QProcess module;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QEL_CONFIG_DIR", config.path());
        module.setProcessEnvironment(environment);
        if (!input.isEmpty()) {
            module.setStandardInputFile(input);
        }
        QStringList arguments = asUser;
        arguments << QStringLiteral(QEL_MODULE_PROGRAM) << "--batch" << batchArguments;
        module.start(arguments.takeFirst(), arguments);
        EXPECT_TRUE(module.waitForFinished(60000));
        return {module.exitCode(), QString::fromUtf8(module.readAllStandardOutput()),
                QString::fromUtf8(module.readAllStandardError())};
    }

    QTemporaryDir config;
    test::TempDatabase database;
};

TEST_F(ModuleProcessTest, ASecondProcessOnTheDatabaseIsRefusedAndChangesNothing) {
    // The first process: the module with a declaration open, its 3,000 working rows in the file.
    const store::DeclarationKey open = test::demoKey(kOwnRuc);
    database.db().run("BEGIN").finish();
    for (int i = 0; i < 3000; ++i) {
        test::insertRow(database.db(), "TMPF535SOCIOS", open,
                        {{"nro_doc_socio", QString::number(i + 1).rightJustified(8, u'0')}});
    }
    database.db().run("COMMIT").finish();
    // The first process holds the module's lock on the file (the system's flock command takes
    // the same lock the module takes).
    const QString flock = QStandardPaths::findExecutable("flock");
    if (flock.isEmpty()) {
        GTEST_SKIP() << "flock is not installed";
    }
    QProcess first;
    first.start(flock, {"--nonblock", database.path(), "-c", "echo ready; read line"});
    ASSERT_TRUE(first.waitForReadyRead(10000)) << first.readAllStandardError().toStdString();

    const ModuleRun second = batch(QString("open %1\nsave\n").arg(kOwnRuc));
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_TRUE(second.out.contains("La Aplicación ya se encuentra en ejecución")) << second.out.toStdString();
    EXPECT_EQ(test::rowCount(database.db(), "TMPF535SOCIOS", open), 3000);

    // Once the first has ended, the second runs, and closing its form takes its working rows away.
    first.closeWriteChannel(); // the shell reads the end of its input and ends
    ASSERT_TRUE(first.waitForFinished(5000));
    database.db().run("DELETE FROM TMPF535SOCIOS").finish();
    test::insertRow(database.db(), "F535SOCIOS", open, {{"nro_doc_socio", "1"}});
    const ModuleRun alone = batch(QString("open %1\nclose\n").arg(kOwnRuc));
    EXPECT_EQ(alone.exitCode, 0) << alone.out.toStdString() << alone.err.toStdString();
    database.reopen();
    EXPECT_EQ(test::rowCount(database.db(), "TMPF535SOCIOS"), 0);
    EXPECT_EQ(test::rowCount(database.db(), "F535SOCIOS", open), 1);
}

TEST_F(ModuleProcessTest, AScriptNeverOpensAnotherUsersTaxpayer) {
    // (`open` of one is refused in the trust test below)
    EXPECT_EQ(batch(QString("new\ntaxpayer %1\n").arg(kOtherRuc)).exitCode, 2);
}

// Every file the store refuses (DatabaseFilesTest) ends the start-up the same way; these two
// need a process: a file the module's user may not write, and a database another one holds.
class BadDatabaseTest : public ModuleProcessTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(BadDatabaseTest, EndsTheStartUpWithItsMessageAndLeavesTheFileAsItWas) {
    const QString kind = QString::fromLatin1(GetParam());
    const QString path = config.path() + "/QEL.db";
    QStringList asUser;
    QProcess holder;
    QString message;
    database.db().run("PRAGMA wal_checkpoint(TRUNCATE)").finish();
    database.db().run("VACUUM INTO ?", {path}).finish();
    if (kind == "read_only") {
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        message = "es de solo lectura";
        if (::geteuid() == 0) {
            // root writes read-only files: the module runs as an ordinary user instead.
            const QString setpriv = QStandardPaths::findExecutable("setpriv");
            if (setpriv.isEmpty()) {
                GTEST_SKIP() << "root without setpriv";
            }
            asUser = {setpriv, "--reuid=65534", "--regid=65534", "--clear-groups"};
        }
    } else if (kind == "locked") {
        const QString sqlite = QStandardPaths::findExecutable("sqlite3");
        if (sqlite.isEmpty()) {
            GTEST_SKIP() << "sqlite3 is not installed";
        }
        holder.start(sqlite, {path});
        ASSERT_TRUE(holder.waitForStarted());
        holder.write("PRAGMA locking_mode=EXCLUSIVE;\nBEGIN EXCLUSIVE;\nSELECT 'ready';\n");
        QByteArray output;
        while (!(output += holder.readAllStandardOutput()).contains("ready")) {
            ASSERT_TRUE(holder.waitForReadyRead(10000));
        }
        message = "3051- Base esta bloqueda";
    }
    useDatabase(path);
    const QString ini = config.path() + "/PM000.INI";
    QFile::setPermissions(ini, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
    const QByteArray before = test::fileDigest(path);
    const QString scriptPath = writeFile("guion.txt", "new\n");
    if (!asUser.isEmpty()) {
        // The configuration is the user's own, as the module believes only its user's.
        for (const QString& owned : {config.path(), ini, scriptPath}) {
            ASSERT_EQ(::chown(QFile::encodeName(owned).constData(), 65534, 65534), 0);
        }
    }

    const ModuleRun run = module({scriptPath}, asUser);

    EXPECT_EQ(run.exitCode, 1) << run.out.toStdString() << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("Error de Conección")) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(message)) << run.out.toStdString();
    EXPECT_FALSE(run.err.contains("removeDatabase")) << run.err.toStdString();
    EXPECT_EQ(test::fileDigest(path), before) << "the file was changed";
    if (holder.state() == QProcess::Running) {
        holder.write("ROLLBACK;\n.quit\n");
        holder.closeWriteChannel();
        holder.waitForFinished(5000);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, BadDatabaseTest, ::testing::Values("read_only", "locked"));

// Who the script acts for comes only from the system user's own configuration, or from the
// credentials given to it; every reader is bounded, so nothing hangs or grows without end.
TEST_F(ModuleProcessTest, TrustAndBoundedInputAtTheStartOfTheBatchMode) {
    const QString scriptPath = writeFile("guion.txt", QString("open %1\nclose\n").arg(kOtherRuc).toUtf8());
    const QString fifo = config.path() + "/tuberia";
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    writeFile("clave", "supervisor\n");
    writeFile("clave-mala", "contador\n");
    const struct {
        const char* what;
        const char* arguments; // SCRIPT and FIFO stand for the script and the FIFO
        const char* input;     // standard input: a file of the folder, or a device
        int exitCode;
        const char* said; // on standard output or standard error
    } cases[] = {
        // a refused INI or folder: IniFileTest's table and BatchRunnerTest.StartUpOfTheBatchMode
        {"SysUser of an own INI", "SCRIPT", "", 2, "no está registrado para el usuario CONTADOR"},
        {"credentials on standard input", "SCRIPT --user SUPERVISOR", "clave", 0, ""},
        {"wrong credentials", "--user SUPERVISOR SCRIPT", "clave-mala", 1, "Usuario o contraseña incorrectos."},
        {"a password line without end", "SCRIPT --user SUPERVISOR", "/dev/zero", 1, "pasa de 1024 bytes"},
        {"/dev/zero as the script", "/dev/zero", "", 2, "no es un archivo regular"},
        {"a FIFO as the script", "FIFO", "", 2, "no es un archivo regular"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QElapsedTimer timer;
        timer.start();
        const QString input = QString::fromLatin1(c.input);
        const QStringList arguments =
            QString::fromLatin1(c.arguments).replace("SCRIPT", scriptPath).replace("FIFO", fifo).split(u' ');
        const ModuleRun run =
            module(arguments, {}, input.isEmpty() || input.startsWith('/') ? input : config.filePath(input));
        EXPECT_LT(timer.elapsed(), 20000) << "nothing waits or grows";
        EXPECT_EQ(run.exitCode, c.exitCode) << run.out.toStdString() << run.err.toStdString();
        EXPECT_TRUE((run.out + run.err).contains(QString::fromUtf8(c.said)))
            << run.out.toStdString() << run.err.toStdString();
    }
}

} // namespace
