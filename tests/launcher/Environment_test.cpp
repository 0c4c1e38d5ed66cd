#include "app/Files.h"
#include "app/IniFile.h"
#include "launcher/Environment.h"
#include "launcher/LauncherFixtures.h"
#include "store/Database.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <gtest/gtest.h>

using qel::app::IniFile;
using qel::launcher::Environment;

namespace {

class EnvironmentTest : public qel::test::ConfigFolderTest {
protected:
    // Every file under the environment and the INI: its name, time stamp and a digest of its bytes.
    QStringList snapshot() const {
        QStringList files = {iniPath()};
        QDirIterator it(folder(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            files.append(it.next());
        }
        std::sort(files.begin(), files.end());
        for (QString& path : files) {
            if (QFileInfo(path).isFile()) {
                path += ' ' + QFileInfo(path).lastModified().toString(Qt::ISODateWithMs) + ' ' +
                        qel::test::fileDigest(path);
            }
        }
        return files;
    }
};

} // namespace

TEST_F(EnvironmentTest, CreatesTheIniTheFoldersTheHelpAndTheDatabase) {
    const Environment environment;
    const auto result = environment.create(folder());
    ASSERT_EQ(result.outcome, Environment::Outcome::Created) << result.message.toStdString();
    ASSERT_EQ(environment.ini().path(), iniPath());

    const QString base = folder() + '/';
    QStringList values;
    for (const char* key : {"SysPath", "SysVersion", "DBPath", "DBName", "SysMenu", "SysUser", "VersionHost"}) {
        values.append(read(key));
    }
    EXPECT_EQ(values, QStringList({base, "1.0", base, "QEL.db", "QELMENU.INI", "", "qel.kolva.gob.pe"}));
    // The modules append names to SysPath without a separator.
    for (const char* sub : {"TMP", "RPT", "BMP", "0588"}) {
        EXPECT_TRUE(QFileInfo(read("SysPath") + sub).isDir()) << sub;
    }

    const QByteArray help = qel::test::fileBytes(Environment::kHelpResource);
    EXPECT_FALSE(help.isEmpty());
    EXPECT_EQ(qel::test::fileBytes(base + "0588/Pm588.html"), help);

    auto opened = qel::store::Database::open(read("DBPath") + read("DBName"));
    ASSERT_TRUE(opened.database) << opened.errorText.toStdString();
    EXPECT_EQ(opened.database->scalar("PRAGMA integrity_check").toString(), "ok"); // its tables: LauncherCommandsTest
}

TEST_F(EnvironmentTest, ASecondRunOnACompleteEnvironmentChangesNothing) {
    const Environment environment;
    ASSERT_EQ(environment.create(folder(), "contador").outcome, Environment::Outcome::Created);
    EXPECT_EQ(read("SysUser"), "CONTADOR");
    const QStringList before = snapshot();

    const auto again = environment.create(folder() + "/", "SUPERVISOR");
    EXPECT_EQ(again.outcome, Environment::Outcome::AlreadyExists);
    EXPECT_EQ(again.message, QString("El entorno ya existe en %1/; no se modificó nada.").arg(folder()));
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(read("SysUser"), "CONTADOR");
}

// The INI holds values of 255 characters: a folder whose path (with its separator) is longer is
// refused before anything is created; one that fits is created and read back whole.
TEST_F(EnvironmentTest, AFolderPathTheIniCannotHoldIsRefusedAtCreation) {
    const auto pathOf = [this](int length) {
        // components of at most 100 characters, the whole `length` long with its final separator
        QString path = m_root.path() + '/';
        while (path.size() < length - 1) {
            path += QString(std::min(length - 1 - static_cast<int>(path.size()), 100), u'c');
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
    const QStringList before = snapshot();
    EXPECT_EQ(environment.create(folder("B")).outcome, Environment::Outcome::Failed);
    EXPECT_EQ(snapshot(), before);
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
