#include "app/FileChooser.h"
#include "imports/ImportModel.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A window of the same kind of file opens on the folder chosen last for that kind; another
// kind keeps its own.

namespace qel::imports {
namespace {

const QString kRuc = QStringLiteral("20100070970");

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

TEST(ImportFolders, AWindowOfTheSameKindOpensOnTheFolderChosenLast) {
    test::TempDatabase database;
    test::SilentServices services(database.db());
    QTemporaryDir folder;
    QFile partners(folder.filePath(QStringLiteral("0588") + kRuc + QStringLiteral("SOCIOS.txt")));
    ASSERT_TRUE(partners.open(QIODevice::WriteOnly));
    partners.close();
    RememberingChooser chooser(folder.path());
    const auto open = [&](const char* window) {
        app::FormRequest request;
        request.name = QString::fromLatin1(window);
        request.key = test::demoKey(kRuc);
        return std::make_unique<ImportModel>(ImportServices{database.db(), services.prompter, services.clock,
                                                            services.opener, &chooser, services.utility,
                                                            test::kSupervisor, folder.filePath(QStringLiteral("RPT"))},
                                             *ImportModel::kindFor(request), request);
    };

    auto first = open("frmImportarSocios");
    EXPECT_TRUE(first->folder().isEmpty());
    first->chooseFolder();
    auto again = open("frmImportarSocios");
    EXPECT_EQ(again->folder(), folder.path());
    EXPECT_EQ(again->files(), QStringList{partners.fileName().section(QLatin1Char('/'), -1)});
    EXPECT_TRUE(open("frmImportarU41")->folder().isEmpty());
}

} // namespace
} // namespace qel::imports
