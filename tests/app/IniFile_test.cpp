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

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QString path() const { return m_dir.path() + QStringLiteral("/PM000.INI"); }
    void writeFile(const QByteArray& bytes) const {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray fileBytes() const {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The lines of the file, without their line ends.
    QList<QByteArray> fileLines() const {
        QByteArray bytes = fileBytes();
        bytes.replace("\r\n", "\n");
        QList<QByteArray> lines = bytes.split('\n');
        if (!lines.isEmpty() && lines.last().isEmpty()) {
            lines.removeLast();
        }
        return lines;
    }

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
    writeFile(kSample);
    const IniFile ini(path());
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"Options", "SysPath", "/opt/qel/"}, // trimmed
        {"options", "dbpath", "/var/qel/"},  // names without regard to case
        {"OPTIONS", "DBNAME", "qel.db"},     // not the key of the same name in an earlier section
        {"Launcher", "DBName", "other.db"},
        {"Options", "SysUser", ""}, // only in a comment and in another section
        {"Options", "Empty", ""},
        {"Options", "Missing", ""},
        {"Missing", "DBName", ""},
        {"Other", "SysUser", "elsewhere"},
    };
    for (const auto& [section, key, value] : cases) {
        EXPECT_EQ(ini.read(QString::fromUtf8(section), QString::fromUtf8(key)), QString::fromUtf8(value))
            << section << "/" << key;
    }
}

TEST_F(IniFileTest, MissingFileReadsEmpty) {
    const IniFile ini(path());
    EXPECT_FALSE(ini.exists());
    EXPECT_EQ(ini.read(IniFile::kOptions, QStringLiteral("DBPath")), QString());
}

TEST_F(IniFileTest, LineEndsAndEncodings) {
    writeFile("[Options]\nSysUser=JOS\xc9\nDBName=a.db"); // Windows-1252, LF, no final line end
    EXPECT_EQ(IniFile(path()).read(IniFile::kOptions, QStringLiteral("SysUser")), QStringLiteral("JOSÉ"));
    EXPECT_EQ(IniFile(path()).read(IniFile::kOptions, QStringLiteral("DBName")), QStringLiteral("a.db"));
    writeFile("\xef\xbb\xbf[Options]\r\nSysUser=JOS\xc3\x89\r\n"); // UTF-8 with its mark, CRLF
    EXPECT_EQ(IniFile(path()).read(IniFile::kOptions, QStringLiteral("SysUser")), QStringLiteral("JOSÉ"));
}

TEST_F(IniFileTest, ValuesAreCutTo255Characters) {
    const QString longValue = QString(300, QLatin1Char('x'));
    writeFile("[Options]\r\nSysPath=" + longValue.toLatin1() + "\r\nDBPath=      " + QByteArray(250, 'y') +
              "zzzzzzzzzz\r\n");
    const IniFile ini(path());
    EXPECT_EQ(ini.read(IniFile::kOptions, QStringLiteral("SysPath")), longValue.left(255));
    // blanks before the value are not part of it and do not count against the 255
    EXPECT_EQ(ini.read(IniFile::kOptions, QStringLiteral("DBPath")), QString(250, QLatin1Char('y')) + "zzzzz");
}

TEST_F(IniFileTest, WritingAKeyKeepsEveryOtherLine) {
    writeFile(kSample);
    const IniFile ini(path());
    ASSERT_TRUE(ini.write(QStringLiteral("options"), QStringLiteral("DBNAME"), QStringLiteral("new.db")));
    const QList<QByteArray> expected = {"; written by the launcher",
                                        "[Launcher]",
                                        "DBName=other.db",
                                        "",
                                        "[Options]",
                                        "SysPath = /opt/qel/   ",
                                        "  DBPath=/var/qel/",
                                        "DBNAME=new.db",
                                        "; a comment with SysUser=nobody",
                                        "Empty=",
                                        "",
                                        "[Other]",
                                        "SysUser=elsewhere"};
    EXPECT_EQ(fileLines(), expected);
    EXPECT_EQ(ini.read(IniFile::kOptions, QStringLiteral("DBName")), QStringLiteral("new.db"));
    EXPECT_EQ(ini.read(QStringLiteral("Launcher"), QStringLiteral("DBName")), QStringLiteral("other.db"));
}

TEST_F(IniFileTest, NewKeysGoToTheEndOfTheirSection) {
    writeFile(kSample);
    const IniFile ini(path());
    ASSERT_TRUE(ini.write(IniFile::kOptions, QStringLiteral("SystemDB"), QStringLiteral("/var/qel/system.mdw")));
    const QList<QByteArray> lines = fileLines();
    ASSERT_EQ(lines.size(), 14);
    EXPECT_EQ(lines.at(10), "SystemDB=/var/qel/system.mdw"); // after "Empty=", before the blank line
    EXPECT_EQ(lines.at(12), "[Other]");
    EXPECT_EQ(ini.read(IniFile::kOptions, QStringLiteral("SystemDB")), QStringLiteral("/var/qel/system.mdw"));
}

TEST_F(IniFileTest, AMissingSectionOrFileIsCreated) {
    const IniFile ini(m_dir.path() + QStringLiteral("/sub/folder/PM000.INI"));
    ASSERT_TRUE(ini.write(IniFile::kOptions, QStringLiteral("SysUser"), QStringLiteral("ANA")));
    ASSERT_TRUE(ini.write(QStringLiteral("Extra"), QStringLiteral("Key"), QStringLiteral("1")));
    EXPECT_EQ(ini.read(IniFile::kOptions, QStringLiteral("SysUser")), QStringLiteral("ANA"));
    EXPECT_EQ(ini.read(QStringLiteral("extra"), QStringLiteral("key")), QStringLiteral("1"));
    QFile file(ini.path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("[Options]\r\nSysUser=ANA\r\n\r\n[Extra]\r\nKey=1\r\n"));
}

// A created file and its folders are the owner's only; a text that would start a line of its
// own is refused and the file is left as it was.
TEST_F(IniFileTest, WritesAreTheOwnersAndNeverCreateAnotherKey) {
    const IniFile ini(m_dir.path() + QStringLiteral("/nueva/PM000.INI"));
    ASSERT_TRUE(ini.write(IniFile::kOptions, QStringLiteral("SysPath"), QStringLiteral("/home/ana/QEL/")));
    const auto others = [](const QString& path) {
        return QFile::permissions(path) & (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                           QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
    };
    EXPECT_EQ(others(ini.path()), QFileDevice::Permissions());
    EXPECT_EQ(others(m_dir.path() + QStringLiteral("/nueva")), QFileDevice::Permissions());
    QFile file(ini.path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    const struct {
        QString section;
        QString key;
        QString value;
    } refused[] = {
        {IniFile::kOptions, QStringLiteral("SysPath"), QStringLiteral("/home/ana/QEL\nDBName=otra.db")},
        {IniFile::kOptions, QStringLiteral("SysPath"), QStringLiteral("/home/ana/QEL\rDBPath=/tmp/")},
        {IniFile::kOptions, QStringLiteral("SysUser"), QStringLiteral("ANA") + QChar(0x2028) + QStringLiteral("X=1")},
        {IniFile::kOptions, QStringLiteral("SysUser"), QStringLiteral("ANA") + QChar(0) + QStringLiteral("X")},
        {IniFile::kOptions, QStringLiteral("Sys=User"), QStringLiteral("ANA")},
        {IniFile::kOptions, QStringLiteral("[Otra]"), QStringLiteral("ANA")},
        {QStringLiteral("Options]\n[Otra"), QStringLiteral("SysUser"), QStringLiteral("ANA")},
    };
    for (const auto& r : refused) {
        EXPECT_FALSE(ini.write(r.section, r.key, r.value)) << r.key.toStdString() << "=" << r.value.toStdString();
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    EXPECT_TRUE(ini.read(IniFile::kOptions, QStringLiteral("DBName")).isEmpty());
}

// The configuration names the user the module acts for and the database it opens: only the
// system user's own is believed, and what cannot be read as one says why.
TEST_F(IniFileTest, OnlyTheUsersOwnReadableConfigurationIsBelieved) {
    const QByteArray sound = "[Options]\r\nSysUser=CONTADOR\r\nDBName=QEL.db\r\n";
    const uid_t me = ::geteuid();
    const struct {
        const char* what;
        QByteArray content; // empty with a `make` that lays the file itself
        mode_t fileMode;
        mode_t folderMode;
        uid_t user;
        const char* make;    // "", "link", "folder", "fifo", "missing", "large"
        const char* refusal; // part of the message; "" when it is believed
    } cases[] = {
        {"own, 0600 in 0700", sound, 0600, 0700, me, "", ""},
        {"own, 0644 in 0755", sound, 0644, 0755, me, "", ""},
        {"file writable by others", sound, 0666, 0700, me, "", "lo pueden modificar otros usuarios (permisos 0666)"},
        {"file writable by the group", sound, 0620, 0700, me, "", "lo pueden modificar otros usuarios"},
        {"folder writable by others", sound, 0600, 0777, me, "", "la pueden modificar otros usuarios"},
        {"folder of the sticky /tmp kind", sound, 0600, 01777, me, "", "la pueden modificar otros usuarios"},
        {"another user's", sound, 0600, 0700, me + 1, "", "pertenece a otro usuario del sistema"},
        {"a link", sound, 0600, 0700, me, "link", "es un enlace simbólico"},
        {"a folder", {}, 0600, 0700, me, "folder", "es una carpeta, no el archivo de configuración PM000.INI"},
        {"a FIFO", {}, 0600, 0700, me, "fifo", "no es un archivo regular"},
        {"missing", {}, 0600, 0700, me, "missing", "No se encuentra el archivo de configuración"},
        {"too large", {}, 0600, 0700, me, "large", "no puede pasar de 1 MB"},
        {"UTF-16", QByteArray("\xff\xfe[\0O\0p\0t\0i\0o\0n\0s\0]\0\r\0\n\0", 22), 0600, 0700, me, "", "está en UTF-16"},
        {"UTF-16 without a mark", QByteArray("[\0O\0p\0t\0i\0o\0n\0s\0]\0", 18), 0600, 0700, me, "", "está en UTF-16"},
        {"CR line ends", "[Options]\rSysUser=CONTADOR\rDBName=QEL.db\r", 0600, 0700, me, "", "solo con CR"},
        {"garbage", "[Options]\r\nSysUser=\x01\x02\x03\r\n", 0600, 0700, me, "",
         "la línea 2 tiene caracteres de control"},
        {"no section", "SysUser=CONTADOR\r\nDBName=QEL.db\r\n", 0600, 0700, me, "", "no tiene la sección [Options]"},
        {"mixed encodings", "[Options]\r\nSysUser=CAMI\xc3\x93N\r\nDBName=\xd1.db\r\n", 0600, 0700, me, "",
         "la línea 3 tiene un byte que no es UTF-8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir root;
        const QString folder = root.path() + QStringLiteral("/config");
        ASSERT_TRUE(QDir().mkdir(folder));
        const QString path = folder + QStringLiteral("/PM000.INI");
        const QByteArray name = QFile::encodeName(path);
        const QString make = QString::fromLatin1(c.make);
        if (make == QStringLiteral("link")) {
            const QString target = root.path() + QStringLiteral("/otro.ini");
            QFile file(target);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.content);
            file.close();
            ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), c.fileMode), 0);
            ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), name.constData()), 0);
        } else if (make == QStringLiteral("folder")) {
            ASSERT_TRUE(QDir().mkdir(path));
        } else if (make == QStringLiteral("fifo")) {
            ASSERT_EQ(::mkfifo(name.constData(), c.fileMode), 0);
        } else if (make != QStringLiteral("missing")) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(make == QStringLiteral("large") ? "[Options]\r\n" + QByteArray(IniFile::kMaxBytes, ';')
                                                       : c.content);
            file.close();
            ASSERT_EQ(::chmod(name.constData(), c.fileMode), 0);
        }
        ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), c.folderMode), 0);

        QElapsedTimer timer;
        timer.start();
        const QString refusal = IniFile(path).refusal(c.user);
        EXPECT_LT(timer.elapsed(), 5000) << "a FIFO is refused at once";
        if (*c.refusal == '\0') {
            EXPECT_EQ(refusal, QString());
        } else {
            EXPECT_TRUE(refusal.contains(QString::fromUtf8(c.refusal))) << refusal.toStdString();
        }
    }
}

// A PM000.INI that is a link is never written through: its target stays as it was.
TEST_F(IniFileTest, AWriteNeverFollowsALink) {
    const QString target = m_dir.path() + QStringLiteral("/ajeno.ini");
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Options]\nSysUser=SUPERVISOR\n");
    file.close();
    ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(path()).constData()), 0);

    const IniFile ini(path());
    EXPECT_FALSE(ini.write(IniFile::kOptions, QStringLiteral("SystemDB"), QStringLiteral("/x/PM000.MDW")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("[Options]\nSysUser=SUPERVISOR\n"));
    EXPECT_TRUE(QFileInfo(path()).isSymLink());
}

// A write replaces the file whole and leaves no one else a permission to write it.
TEST_F(IniFileTest, AWriteTakesAwayTheWritePermissionOfOthers) {
    writeFile(kSample);
    ASSERT_EQ(::chmod(QFile::encodeName(path()).constData(), 0666), 0);
    ASSERT_TRUE(IniFile(path()).write(IniFile::kOptions, QStringLiteral("SysUser"), QStringLiteral("ANA")));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
    EXPECT_EQ(IniFile(path()).refusal(), QString());
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{IniFile::kFileName}) << "no file left beside it";
}

} // namespace
