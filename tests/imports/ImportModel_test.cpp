// The import window's model over the partners' file of a folder: the folder a window of the same
// kind opens on.
#include "app/FileChooser.h"
#include "app/UtilityComponent.h"
#include "imports/ImportModel.h"
#include "support/FormServices.h"
#include "support/ScriptedPrompter.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qel::imports {
namespace {

const QString kRuc = QStringLiteral("20100113610");

// Chooses one folder and remembers it under the title it was asked with, as the windows' does.
class RememberingChooser : public app::FileChooser {
public:
    explicit RememberingChooser(QString path) : m_path(std::move(path)) {}
    std::optional<QString> openFile(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> saveFile(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> folder(const QString& title, const QString&) override {
        m_chosen.insert(title, m_path);
        return m_path;
    }
    QString lastFolder(const QString& title) const override { return m_chosen.value(title); }

private:
    QString m_path;
    QHash<QString, QString> m_chosen;
};

class ImportFolders : public ::testing::Test {
protected:
    void SetUp() override {
        test::registerTaxpayer(database.db(), kRuc, QStringLiteral("COMERCIAL ANDINA S.A.C."));
        QFile file(partnersFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("01|1|40123456|PEÑA DIAZ JUAN|15/03/1970|9589|60|01/02/1990|\n");
    }
    QString partnersFile() const {
        return folder.filePath(QStringLiteral("0588") + kRuc + QStringLiteral("SOCIOS.txt"));
    }
    std::unique_ptr<ImportModel> open(const char* window, app::FileChooser* chooser = nullptr) {
        app::FormRequest request;
        request.name = QString::fromLatin1(window);
        request.key = test::demoKey(kRuc);
        return std::make_unique<ImportModel>(ImportServices{database.db(), *prompter, clock, opener, chooser, utility,
                                                            test::kSupervisor, folder.filePath(QStringLiteral("RPT"))},
                                             *ImportModel::kindFor(request), request);
    }

    test::TempDatabase database;
    QTemporaryDir folder;
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
    app::UtilityComponent utility{*prompter, &database.db()};
    const app::FixedClock clock{test::filingDay()};
    test::RecordingOpener opener;
};

// A window of the same kind of file opens on the folder chosen last for that kind; another kind
// keeps its own.
TEST_F(ImportFolders, AWindowOfTheSameKindOpensOnTheFolderChosenLast) {
    RememberingChooser chooser(folder.path());
    auto first = open("frmImportarSocios", &chooser);
    EXPECT_TRUE(first->folder().isEmpty());
    first->chooseFolder();
    auto again = open("frmImportarSocios", &chooser);
    EXPECT_EQ(again->folder(), folder.path());
    EXPECT_EQ(again->files(), QStringList{partnersFile().section(QLatin1Char('/'), -1)});
    EXPECT_TRUE(open("frmImportarU41", &chooser)->folder().isEmpty());
}

} // namespace
} // namespace qel::imports
