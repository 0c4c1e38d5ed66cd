#include "app/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

} // namespace
