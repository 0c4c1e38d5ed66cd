#include "app/Files.h"
#include "app/IniFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using qel::app::IniFile;
using qel::test::fileBytes;
using qel::test::writeBytes;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QString path() const { return m_dir.path() + "/PM000.INI"; }

    QTemporaryDir m_dir;
};

const QByteArray kSample = "; written by the launcher\r\n"
                           "[Launcher]\r\n"
                           "DBName=other.db\r\n"
                           "\r\n"
                           "[Options]\r\n"
                           "SysPath = /opt/qel/   \r\n"
                           "  DBPath=/var/qel/\r\n"
                           "DBName=qel.db\r\n"
                           "; a comment with SysUser=nobody\r\n"
                           "Empty=\r\n"
                           "\r\n"
                           "[Other]\r\n"
                           "SysUser=elsewhere\r\n";

TEST_F(IniFileTest, ReadsKeysOfItsSectionOnly) {
    const QByteArray latin1 = "[Options]\nSysUser=JOS\xc9\nDBName=a.db";        // Windows-1252, LF, no final line end
    const QByteArray utf8 = "\xef\xbb\xbf[Options]\r\nSysUser=JOS\xc3\x89\r\n"; // with its mark, CRLF
    // blanks before a value are not part of it and do not count against its 255 characters
    const QByteArray longValues =
        "[Options]\r\nSysPath=" + QByteArray(300, 'x') + "\r\nDBPath=      " + QByteArray(250, 'y') + "zzzzzzzzzz\r\n";
    // The file (none when null), the section and key read, the value.
    const std::tuple<QByteArray, const char*, const char*, QString> cases[] = {
        {kSample, "Options", "SysPath", "/opt/qel/"}, // trimmed
        {kSample, "options", "dbpath", "/var/qel/"},  // names without regard to case
        {kSample, "OPTIONS", "DBNAME", "qel.db"},     // not the key of the same name in an earlier section
        {kSample, "Launcher", "DBName", "other.db"},
        {kSample, "Options", "SysUser", ""}, // only in a comment and in another section
        {kSample, "Options", "Empty", ""},
        {kSample, "Options", "Missing", ""},
        {kSample, "Missing", "DBName", ""},
        {kSample, "Other", "SysUser", "elsewhere"},
        {{}, "Options", "DBPath", ""},
        {latin1, "Options", "SysUser", "JOSÉ"},
        {latin1, "Options", "DBName", "a.db"},
        {utf8, "Options", "SysUser", "JOSÉ"},
        {longValues, "Options", "SysPath", QString(255, u'x')},
        {longValues, "Options", "DBPath", QString(250, u'y') + "zzzzz"},
    };
    for (const auto& [file, section, key, value] : cases) {
        SCOPED_TRACE(file.left(30).toStdString() + " " + section + "/" + key);
        QFile::remove(path());
        if (!file.isNull()) {
            writeBytes(path(), file);
        }
        EXPECT_EQ(IniFile(path()).exists(), !file.isNull());
        EXPECT_EQ(IniFile(path()).read(section, key), value);
    }
}

// A write changes its own line, or adds one at the end of the section (and the section at the
// end of the file), and keeps every other line as it was.
TEST_F(IniFileTest, WritingAKeyKeepsEveryOtherLine) {
    // The file (relative to the folder; its folders are created), its bytes before, the section,
    // key and value written, its bytes after.
    const std::tuple<QString, QByteArray, const char*, const char*, const char*, QByteArray> cases[] = {
        {"PM000.INI", kSample, "options", "DBNAME", "new.db",
         QByteArray(kSample).replace("DBName=qel.db", "DBNAME=new.db")},
        {"PM000.INI", kSample, "Options", "SystemDB", "/var/qel/system.mdw",
         QByteArray(kSample).replace("Empty=\r\n", "Empty=\r\nSystemDB=/var/qel/system.mdw\r\n")},
        {"sub/folder/PM000.INI", {}, "Options", "SysUser", "ANA", "[Options]\r\nSysUser=ANA\r\n"},
        {"sub/folder/PM000.INI", "[Options]\r\nSysUser=ANA\r\n", "Extra", "Key", "1",
         "[Options]\r\nSysUser=ANA\r\n\r\n[Extra]\r\nKey=1\r\n"},
    };
    for (const auto& [file, before, section, key, value, after] : cases) {
        SCOPED_TRACE(key);
        const IniFile ini(m_dir.filePath(file));
        if (!before.isNull()) {
            writeBytes(ini.path(), before);
        }
        ASSERT_TRUE(ini.write(section, key, value));
        EXPECT_EQ(fileBytes(ini.path()), after);
        EXPECT_EQ(ini.read(QString(section).toLower(), QString(key).toLower()), value);
    }
}

// A created file and its folders are the owner's only; a text that would start a line of its
// own is refused and the file is left as it was.
TEST_F(IniFileTest, WritesAreTheOwnersAndNeverCreateAnotherKey) {
    const IniFile ini(m_dir.path() + "/nueva/PM000.INI");
    ASSERT_TRUE(ini.write(IniFile::kOptions, "SysPath", "/home/ana/QEL/"));
    for (const QString& path : {ini.path(), m_dir.path() + "/nueva"}) {
        EXPECT_EQ(QFile::permissions(path) & 0x0077, 0) << path.toStdString(); // no group or other bits
    }
    const QByteArray before = fileBytes(ini.path());
    const QString options = IniFile::kOptions;
    const QString refused[][3] = {
        {options, "SysPath", "/home/ana/QEL\nDBName=otra.db"},
        {options, "SysPath", "/home/ana/QEL\rDBPath=/tmp/"},
        {options, "SysUser", QString("ANA") + QChar(0x2028) + "X=1"},
        {options, "SysUser", QString("ANA") + QChar(0) + "X"},
        {options, "Sys=User", "ANA"},
        {options, "[Otra]", "ANA"},
        {"Options]\n[Otra", "SysUser", "ANA"},
    };
    for (const auto& [section, key, value] : refused) {
        EXPECT_FALSE(ini.write(section, key, value)) << key.toStdString() << "=" << value.toStdString();
    }
    EXPECT_EQ(fileBytes(ini.path()), before);
}

// The configuration names the user the module acts for and the database it opens: only the
// system user's own is believed, and what cannot be read as one says why (which files and
// texts cannot be read at all is the bounded reader's and the text decoder's own table).
TEST_F(IniFileTest, OnlyTheUsersOwnReadableConfigurationIsBelieved) {
    const QByteArray sound = "[Options]\r\nSysUser=CONTADOR\r\nDBName=QEL.db\r\n";
    const uid_t me = ::geteuid();
    const struct {
        const char* what;
        QByteArray content; // a file; "link", "fifo", "missing" lay it otherwise
        mode_t fileMode;
        mode_t folderMode;
        uid_t user;
        const char* refusal; // part of the message; "" when it is believed
    } cases[] = {
        {"own, 0600 in 0700", sound, 0600, 0700, me, ""},
        {"own, 0644 in 0755", sound, 0644, 0755, me, ""},
        {"file writable by others", sound, 0666, 0700, me, "lo pueden modificar otros usuarios (permisos 0666)"},
        {"file writable by the group", sound, 0620, 0700, me, "lo pueden modificar otros usuarios"},
        {"folder writable by others", sound, 0600, 0777, me, "la pueden modificar otros usuarios"},
        {"folder of the sticky /tmp kind", sound, 0600, 01777, me, "la pueden modificar otros usuarios"},
        {"another user's", sound, 0600, 0700, me + 1, "pertenece a otro usuario del sistema"},
        {"a link", "link", 0600, 0700, me, "es un enlace simbólico"},
        {"a FIFO", "fifo", 0600, 0700, me, "no es un archivo regular"},
        {"missing", "missing", 0600, 0700, me, "No se encuentra el archivo de configuración"},
        {"UTF-16", QByteArray("\xff\xfe[\0O\0p\0t\0i\0o\0n\0s\0]\0\r\0\n\0", 22), 0600, 0700, me, "está en UTF-16"},
        {"garbage", "[Options]\r\nSysUser=\x01\x02\x03\r\n", 0600, 0700, me, "la línea 2 tiene caracteres de control"},
        {"no section", "SysUser=CONTADOR\r\nDBName=QEL.db\r\n", 0600, 0700, me, "no tiene la sección [Options]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir root;
        const QString folder = root.path() + "/config";
        ASSERT_TRUE(QDir().mkdir(folder));
        const QString path = folder + "/PM000.INI";
        const QString target = c.content == "link" ? root.path() + "/otro.ini" : path;
        if (c.content == "fifo") {
            ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), c.fileMode), 0);
        } else if (c.content != "missing") {
            writeBytes(target, c.content == "link" ? sound : c.content);
            ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), c.fileMode), 0);
        }
        if (target != path) {
            ASSERT_TRUE(QFile::link(target, path));
        }
        ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), c.folderMode), 0);

        QElapsedTimer timer;
        timer.start();
        const QString refusal = IniFile(path).refusal(c.user);
        EXPECT_LT(timer.elapsed(), 5000) << "a FIFO is refused at once";
        EXPECT_TRUE(refusal.contains(QString::fromUtf8(c.refusal))) << refusal.toStdString();
        EXPECT_EQ(refusal.isEmpty(), *c.refusal == '\0') << refusal.toStdString();
    }
}

// A write replaces the file whole and leaves no one else a permission to write it; a
// PM000.INI that is a link is never written through, its target stays as it was.
TEST_F(IniFileTest, AWriteTakesAwayTheWritePermissionOfOthersAndNeverFollowsALink) {
    writeBytes(path(), kSample);
    ASSERT_EQ(::chmod(QFile::encodeName(path()).constData(), 0666), 0);
    ASSERT_TRUE(IniFile(path()).write(IniFile::kOptions, "SysUser", "ANA"));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
    EXPECT_EQ(IniFile(path()).refusal(), QString());
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{IniFile::kFileName}) << "no file left beside it";

    const QString target = m_dir.path() + "/ajeno.ini";
    ASSERT_TRUE(QFile::rename(path(), target));
    ASSERT_TRUE(QFile::link(target, path()));
    const QByteArray before = fileBytes(target);
    EXPECT_FALSE(IniFile(path()).write(IniFile::kOptions, "SystemDB", "/x/PM000.MDW"));
    EXPECT_EQ(fileBytes(target), before);
    EXPECT_TRUE(QFileInfo(path()).isSymLink());
}

} // namespace
