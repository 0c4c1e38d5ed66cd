// The import window over a partners file, opened with the module's own form launcher: the dry
// run fills the preview grid and enables "Aceptar"; accepting a file with a rejected line
// writes the good ones and opens the error report in the preview.
#include "app/ui/LauncherFormOpener.h"
#include "batch/BatchFixture.h"
#include "imports/ui/ImportWindow.h"
#include "printing/ui/frmPreview.h"
#include "ui/WindowDriver.h"

namespace qel::imports {
namespace {

TEST(ImportWindow, AFileWithARejectedLineIsWrittenAndItsReportOpensInThePreview) {
    test::ModuleForms module;
    test::TempDatabase& database = module.database;
    test::registerTaxpayer(database.db(), test::kAndina, test::kAndinaName);
    QTemporaryDir folder;
    const QString partners = folder.filePath(QStringLiteral("0588") + test::kAndina + QStringLiteral("SOCIOS.txt"));
    test::writeFile(partners, "01|1|40123456|PEÑA DIAZ JUAN|15/03/1970|9589|60|01/02/1990|\n"
                              "02|6|20100047218|INVERSIONES ANDINAS SAC||9589|40|01/02/1995|\n"
                              "02|1|40123457|COMERCIAL SUR|15/03/1970|9589|1|01/02/1990|\n");

    app::ScriptedPrompter& prompter = *module.prompter;
    app::ui::LauncherFormOpener opener(module.forms);

    app::FormRequest request;
    request.name = QStringLiteral("frmImportarSocios");
    request.key = test::demoKey(test::kAndina);
    auto model = std::make_unique<ImportModel>(ImportServices{database.db(), prompter, module.clock, opener, nullptr,
                                                              module.utility, QStringLiteral("SUPERVISOR"),
                                                              folder.filePath(QStringLiteral("RPT"))},
                                               *ImportModel::kindFor(request), request);
    ui::ImportWindow window(std::move(model));
    window.show();
    window.model().setFolder(folder.path());
    // The folder is chosen with its button: its box does not look like one to type into.
    auto* folderBox = test::child<QLineEdit>(window, ImportModel::kFolderBox);
    EXPECT_EQ(folderBox->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(folderBox->palette().color(QPalette::Base), folderBox->palette().color(QPalette::Window));
    auto* transfer = window.findChild<QPushButton*>(QStringLiteral("cmdTransferir"));
    auto* accept = window.findChild<QPushButton*>(QStringLiteral("cmdAceptar"));
    auto* preview = window.findChild<QTableWidget*>(ImportModel::kPreview);
    auto* added = window.findChild<QLabel*>(QStringLiteral("lblAdicionados"));
    ASSERT_NE(accept, nullptr);
    EXPECT_FALSE(accept->isEnabled());

    QTest::mouseClick(transfer, Qt::LeftButton);
    ASSERT_EQ(preview->rowCount(), 3);
    EXPECT_TRUE(preview->item(2, 3)->text().startsWith(QStringLiteral("El tipo de documento no es válido.")));
    EXPECT_TRUE(accept->isEnabled());
    EXPECT_EQ(test::rowCount(database.db(), QStringLiteral("TMPF535SOCIOS")), 0);

    // The report opens modally in the preview; the user reads it and leaves.
    test::whileModal<printing::frmPreview>(
        QStringLiteral("frmPreview"), [accept] { QTest::mouseClick(accept, Qt::LeftButton); },
        [](printing::frmPreview& report) { EXPECT_FALSE(report.model().path().isEmpty()); });
    EXPECT_EQ(test::rowCount(database.db(), QStringLiteral("TMPF535SOCIOS")), 2);
    // The lines stay in view beside their report; nothing is left to accept.
    EXPECT_EQ(preview->rowCount(), 3);
    EXPECT_FALSE(accept->isEnabled());
    EXPECT_EQ(added->text(), QStringLiteral("2  Registros Adicionados."));

    // The next dry run shows the new file alone: the counters of the last import go.
    test::writeFile(partners, "01|1|40123456|PEÑA DIAZ JUAN|15/03/1970|9589|60|01/02/1990|\n");
    database.db().run(QStringLiteral("DELETE FROM TMPF535SOCIOS"));
    QTest::mouseClick(transfer, Qt::LeftButton);
    EXPECT_EQ(preview->rowCount(), 1);
    EXPECT_EQ(added->text(), QString());
    prompter.expectMessage(QStringLiteral("Carga satisfactoria "), app::Icon::Information);
    QTest::mouseClick(accept, Qt::LeftButton);
    EXPECT_EQ(added->text(), QStringLiteral("1  Registros Adicionados."));
    EXPECT_TRUE(prompter.verify());
}

} // namespace
} // namespace qel::imports
