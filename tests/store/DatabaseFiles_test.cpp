// A file given as the database that is not one of ours, cannot be written or is held by
// another process is refused at the open with its own message, and the file is left byte for
// byte as it was: no WAL switch, no journal files beside it. A folder or a FIFO given as the
// database is named as such, at once.

#include "store/Database.h"
#include "store/DatabaseCheck.h"
#include "store/TransactionGuard.h"
#include "support/TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

using namespace qel;

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// A copy of a sound database of ours, closed, with its journal folded back in.
QByteArray soundDatabase() {
    test::TempDatabase temp;
    temp.db().run(u"PRAGMA wal_checkpoint(TRUNCATE)"_s).finish();
    const QString copy = temp.folder() + u"/copia.db"_s;
    temp.db().run(u"VACUUM INTO ?"_s, {copy}).finish();
    return contents(copy);
}

QByteArray foreignDatabase(const QString& folder) {
    const QString path = folder + u"/ajena.db"_s;
    {
        auto created = store::Database::open(path, true);
        created.database->run(u"CREATE TABLE clientes (id INTEGER, nombre TEXT)"_s).finish();
        created.database->run(u"INSERT INTO clientes VALUES (1, 'ACME')"_s).finish();
        created.database->run(u"PRAGMA journal_mode=DELETE"_s).finish();
    }
    return contents(path);
}

// Refusing a database closes its connection without Qt's warning that it is "still in use":
// the user sees the system's message and nothing else.
QStringList g_warnings;
void keepWarning(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtDebugMsg) {
        g_warnings.append(text);
    }
}

class DatabaseFiles : public ::testing::Test {
protected:
    QTemporaryDir folder;
    const QString path = folder.path() + u"/QEL.db"_s;
};

using DatabaseFilesTest = DatabaseFiles;

TEST_F(DatabaseFilesTest, IsRefusedWithItsMessageAndLeftAsItWas) {
    const QByteArray sound = soundDatabase();
    const struct {
        const char* name;
        std::function<void()> make;
        int number;
        const char* textPart;
    } cases[] = {
        {"empty", [&] { writeFile(path, {}); }, 26, "está vacío"},
        {"text", [&] { writeFile(path, "SysPath=/home/ana/QEL/\r\nDBName=QEL.db\r\n"); }, 26,
         "no es una base de datos del QEL"},
        {"foreign", [&] { writeFile(path, foreignDatabase(folder.path())); }, 26, "no tiene la tabla CAB"},
        {"truncated", [&] { writeFile(path, sound.left(sound.size() / 2)); }, 11, "está incompleto"},
        {"folder", [&] { ASSERT_TRUE(QDir().mkdir(path)); }, 14, "es una carpeta, no un archivo"},
        {"fifo", [&] { ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0); }, 14,
         "no es un archivo regular"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path);
        QDir().rmdir(path);
        c.make();
        const bool regular = QFileInfo(path).isFile() && !QFileInfo(path).isSymLink();
        const QByteArray before = regular ? contents(path) : QByteArray(); // a FIFO would wait for a writer

        g_warnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(keepWarning);
        const store::Database::OpenResult opened = store::Database::open(path);
        qInstallMessageHandler(previous);

        EXPECT_EQ(opened.database, nullptr);
        EXPECT_TRUE(g_warnings.isEmpty()) << g_warnings.join(u'\n').toStdString();
        EXPECT_EQ(opened.errorNumber, c.number);
        EXPECT_TRUE(opened.errorText.contains(QString::fromUtf8(c.textPart))) << opened.errorText.toStdString();
        EXPECT_FALSE(opened.locked);
        if (regular) {
            EXPECT_EQ(contents(path), before) << "the file was changed";
        }
        EXPECT_FALSE(QFile::exists(path + u"-wal"_s));
        EXPECT_FALSE(QFile::exists(path + u"-shm"_s));
    }
}

// A file shorter than its header is incomplete only when no log beside it holds the missing
// pages: a process killed during a checkpoint leaves exactly that, and the engine completes it.
TEST_F(DatabaseFiles, AShortFileIsIncompleteOnlyWithoutALogThatHoldsItsPages) {
    struct Case {
        const char* log;
        QByteArray logContents;
        bool incomplete;
    };
    const QByteArray sound = soundDatabase();
    for (const Case& c : {Case{"", {}, true}, Case{"-wal", {}, true}, Case{"-wal", QByteArray(4096, 'x'), false},
                          Case{"-journal", QByteArray(512, 'x'), false}}) {
        for (const char* log : {"-wal", "-journal"}) {
            QFile::remove(path + QString::fromLatin1(log));
        }
        writeFile(path, sound.left(sound.size() / 2));
        if (*c.log) {
            writeFile(path + QString::fromLatin1(c.log), c.logContents);
        }
        const auto fault = store::database_check::inspectFile(path);
        EXPECT_EQ(fault.has_value(), c.incomplete) << c.log << " of " << c.logContents.size() << " bytes";
    }
}

// Another process holds the write lock beyond the wait: the open says so at once, before the
// user types anything, instead of failing every later save.
TEST_F(DatabaseFiles, AWriteLockHeldElsewhereIsReportedAtTheOpen) {
    const QString sqlite = QStandardPaths::findExecutable(u"sqlite3"_s);
    if (sqlite.isEmpty()) {
        GTEST_SKIP() << "sqlite3 is not installed";
    }
    writeFile(path, soundDatabase());
    QProcess holder;
    holder.start(sqlite, {path});
    ASSERT_TRUE(holder.waitForStarted());
    holder.write("BEGIN IMMEDIATE;\nSELECT 'ready';\n");
    QByteArray output;
    while (!(output += holder.readAllStandardOutput()).contains("ready")) {
        ASSERT_TRUE(holder.waitForReadyRead(10000)) << "the other process did not take the lock";
    }
    const QByteArray before = contents(path);

    const store::Database::OpenResult opened = store::Database::open(path, false, 200);

    EXPECT_EQ(opened.database, nullptr);
    EXPECT_TRUE(opened.locked) << opened.errorText.toStdString();
    EXPECT_EQ(contents(path), before);
    holder.write("ROLLBACK;\n.quit\n");
    holder.closeWriteChannel();
    holder.waitForFinished(5000);
}

// A -shm file left read-only by an earlier read-only open keeps the database unwritable even
// after the file's own permissions were fixed: the open names it.
TEST_F(DatabaseFiles, AReadOnlyJournalFileBesideTheDatabaseIsNamed) {
    writeFile(path, soundDatabase());
    const QString shm = path + u"-shm"_s;
    writeFile(shm, QByteArray(32768, '\0'));
    QFile::setPermissions(shm, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    if (QFileInfo(shm).isWritable()) {
        GTEST_SKIP() << "the tests run with a user that writes read-only files (root)";
    }
    const QByteArray before = contents(path);
    const store::Database::OpenResult opened = store::Database::open(path);
    EXPECT_EQ(opened.database, nullptr);
    EXPECT_TRUE(opened.readOnly);
    EXPECT_TRUE(opened.errorText.contains(QDir::toNativeSeparators(shm)));
    EXPECT_EQ(contents(path), before);
}

} // namespace
