#include "app/IniFile.h"
#include "launcher/Environment.h"
#include "store/Database.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

using qel::app::IniFile;
using qel::launcher::Environment;

namespace {

// Every test gets its own configuration folder through QEL_CONFIG_DIR, as the programs do.
class EnvironmentTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = qgetenv("QEL_CONFIG_DIR");
        qputenv("QEL_CONFIG_DIR", m_config.path().toLocal8Bit());
    }
    void TearDown() override {
        if (m_previous.isEmpty()) {
            qunsetenv("QEL_CONFIG_DIR");
        } else {
            qputenv("QEL_CONFIG_DIR", m_previous);
        }
    }

    QString folder(const QString& name = "QEL") const { return m_root.path() + '/' + name; }
    QString iniPath() const { return m_config.path() + "/PM000.INI"; }
    static QString read(const QString& key) { return IniFile::standard().read(IniFile::kOptions, key); }

    QTemporaryDir m_config;
    QTemporaryDir m_root;
    QByteArray m_previous;
};

// What a file is at one moment: its time stamp and a digest of its bytes.
QString fingerprint(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return "missing";
    }
    return QFileInfo(path).lastModified().toString(Qt::ISODateWithMs) + ' ' +
           QString::fromLatin1(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex());
}

QStringList filesUnder(const QString& folder) {
    QStringList names;
    QDir dir(folder);
    for (const QFileInfo& info :
         dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name)) {
        names.append(info.fileName());
        if (info.isDir()) {
            for (const QString& inner : filesUnder(info.absoluteFilePath())) {
                names.append(info.fileName() + '/' + inner);
            }
        }
    }
    return names;
}

} // namespace

TEST_F(EnvironmentTest, CreatesTheIniTheFoldersTheHelpAndTheDatabase) {
    const Environment environment;
    const auto result = environment.create(folder());
    ASSERT_EQ(result.outcome, Environment::Outcome::Created) << result.message.toStdString();
    ASSERT_EQ(environment.ini().path(), iniPath());

    const QString base = folder() + '/';
    const struct {
        const char* key;
        QString value;
    } keys[] = {{"SysPath", base},
                {"SysVersion", "1.0"},
                {"DBPath", base},
                {"DBName", "QEL.db"},
                {"SysMenu", "QELMENU.INI"},
                {"SysUser", QString()},
                {"VersionHost", "qel.kolva.gob.pe"}};
    for (const auto& key : keys) {
        EXPECT_EQ(read(QString::fromLatin1(key.key)), key.value) << key.key;
    }
    // The modules append names to SysPath without a separator.
    for (const char* sub : {"TMP", "RPT", "BMP", "0588"}) {
        EXPECT_TRUE(QFileInfo(read("SysPath") + QString::fromLatin1(sub)).isDir()) << sub;
    }

    QFile help(base + "0588/Pm588.html");
    ASSERT_TRUE(help.open(QIODevice::ReadOnly));
    QFile resource(Environment::kHelpResource);
    ASSERT_TRUE(resource.open(QIODevice::ReadOnly));
    EXPECT_EQ(help.readAll(), resource.readAll());

    auto opened = qel::store::Database::open(read("DBPath") + read("DBName"));
    ASSERT_TRUE(opened.database) << opened.errorText.toStdString();
    EXPECT_EQ(opened.database->scalar("PRAGMA integrity_check").toString(), "ok");
    EXPECT_EQ(opened.database
                  ->scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name IN "
                                          "('CONT','CLAVES','CAB','HCAB','HDET','envio_t')"))
                  .toInt(),
              6);
}

TEST_F(EnvironmentTest, ASecondRunOnACompleteEnvironmentChangesNothing) {
    const Environment environment;
    ASSERT_EQ(environment.create(folder(), "contador").outcome, Environment::Outcome::Created);
    EXPECT_EQ(read("SysUser"), "CONTADOR");

    const QStringList watched = {iniPath(), folder() + "/QEL.db", folder() + "/0588/Pm588.html"};
    QStringList before;
    for (const QString& path : watched) {
        before.append(fingerprint(path));
    }
    const QStringList filesBefore = filesUnder(folder());

    const auto again = environment.create(folder() + "/", "SUPERVISOR");
    EXPECT_EQ(again.outcome, Environment::Outcome::AlreadyExists);
    EXPECT_EQ(again.message, QString("El entorno ya existe en %1/; no se modificó nada.").arg(folder()));

    QStringList after;
    for (const QString& path : watched) {
        after.append(fingerprint(path));
    }
    EXPECT_EQ(after, before);
    EXPECT_EQ(filesUnder(folder()), filesBefore);
    EXPECT_EQ(read("SysUser"), "CONTADOR");
}

TEST_F(EnvironmentTest, AFolderThatCannotBeCreatedFailsAndWritesNoIni) {
    QFile blocker(folder("archivo"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    const auto result = Environment().create(folder("archivo/QEL"));

    EXPECT_EQ(result.outcome, Environment::Outcome::Failed);
    EXPECT_TRUE(result.message.startsWith("No se puede crear el entorno en")) << result.message.toStdString();
    EXPECT_FALSE(QFileInfo::exists(iniPath()));
}

// The INI holds values of 255 characters: a folder whose path (with its separator) is longer is
// refused before anything is created; one that fits is created and read back whole.
TEST_F(EnvironmentTest, AFolderPathTheIniCannotHoldIsRefusedAtCreation) {
    const QString root = m_root.path() + '/';
    const auto pathOf = [&root](int length) {
        // components of at most 100 characters, the whole `length` long with its final separator
        QString path = root;
        while (path.size() < length - 1) {
            const int room = length - 1 - static_cast<int>(path.size());
            path += QString(std::min(room, 100), u'c');
            if (path.size() < length - 2) {
                path += '/';
            }
        }
        return path;
    };
    const QString tooLong = pathOf(256);
    ASSERT_EQ(Environment::withTrailingSeparator(tooLong).size(), 256);
    const auto refused = Environment().create(tooLong);
    EXPECT_EQ(refused.outcome, Environment::Outcome::Failed);
    EXPECT_TRUE(refused.message.contains("tiene 256 caracteres")) << refused.message.toStdString();
    EXPECT_FALSE(QFileInfo::exists(iniPath()));
    EXPECT_FALSE(QFileInfo::exists(tooLong));

    const QString fits = pathOf(255);
    const auto created = Environment().create(fits);
    ASSERT_EQ(created.outcome, Environment::Outcome::Created) << created.message.toStdString();
    EXPECT_EQ(read("SysPath"), Environment::withTrailingSeparator(fits));
    EXPECT_TRUE(Environment().isComplete()) << "usable once announced";
}

TEST_F(EnvironmentTest, AnIniOfAnotherEnvironmentIsNotRedirected) {
    const Environment environment;
    ASSERT_EQ(environment.create(folder("A")).outcome, Environment::Outcome::Created);
    const QString ini = fingerprint(iniPath());

    const auto other = environment.create(folder("B"));

    EXPECT_EQ(other.outcome, Environment::Outcome::Failed);
    EXPECT_EQ(fingerprint(iniPath()), ini);
    EXPECT_FALSE(QFileInfo::exists(folder("B/QEL.db")));
}

TEST_F(EnvironmentTest, AMissingDatabaseIsCreatedAgainAndTheUserKept) {
    const Environment environment;
    ASSERT_EQ(environment.create(folder(), "SUPERVISOR").outcome, Environment::Outcome::Created);
    ASSERT_TRUE(QFile::remove(folder() + "/QEL.db"));
    EXPECT_FALSE(environment.isComplete());

    EXPECT_EQ(environment.create(folder()).outcome, Environment::Outcome::Created);

    EXPECT_TRUE(environment.isComplete());
    EXPECT_EQ(environment.user(), "SUPERVISOR");
}
