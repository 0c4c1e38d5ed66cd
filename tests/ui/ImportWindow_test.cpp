// The import window over a partners file: the dry run fills the preview grid and enables
// "Aceptar"; pictures for a person to look at go to /tmp/shots/17.
#include "app/UtilityComponent.h"
#include "imports/ui/ImportWindow.h"
#include "printing/ui/frmPreview.h"
#include "support/FormServices.h"
#include "support/ScriptedPrompter.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qel::imports {
namespace {

const QString kRuc = QStringLiteral("20100113610");

// Opens the error report in the preview, and keeps a picture of it.
class PreviewOpener : public app::FormOpener {
public:
    explicit PreviewOpener(app::Prompter& prompter) : m_prompter(prompter) {}
    QString open(const app::FormRequest& request) override {
        opened = request.code;
        printing::frmPreview preview(request.code, m_prompter);
        preview.resize(900, 700);
        preview.show();
        QDir().mkpath(QStringLiteral("/tmp/shots/17"));
        preview.grab().save(QStringLiteral("/tmp/shots/17/import-report.png"));
        return {};
    }
    bool knows(const QString&) const override { return true; }
    QString opened;

private:
    app::Prompter& m_prompter;
};

TEST(ImportWindow, TheDryRunShowsEveryLineBeforeAnythingIsWritten) {
    test::TempDatabase database;
    test::registerTaxpayer(database.db(), kRuc, QStringLiteral("COMERCIAL ANDINA S.A.C."));
    QTemporaryDir folder;
    QFile partners(folder.filePath(QStringLiteral("0588") + kRuc + QStringLiteral("SOCIOS.txt")));
    ASSERT_TRUE(partners.open(QIODevice::WriteOnly));
    partners.write("01|1|40123456|PEÑA DIAZ JUAN|15/03/1970|9589|60|01/02/1990|\n"
                   "02|6|20100047218|INVERSIONES ANDINAS SAC||9589|40|01/02/1995|\n"
                   "02|1|40123457|COMERCIAL SUR|15/03/1970|9589|1|01/02/1990|\n");
    partners.close();

    app::ScriptedPrompter prompter;
    prompter.expectMessage(QStringLiteral("Carga satisfactoria "), app::Icon::Information);
    app::UtilityComponent utility(prompter, &database.db());
    const app::FixedClock clock(test::filingDay());
    PreviewOpener opener(prompter);
    app::FormRequest request;
    request.name = QStringLiteral("frmImportarSocios");
    request.key = test::demoKey(kRuc);
    auto model = std::make_unique<ImportModel>(ImportServices{database.db(), prompter, clock, opener, nullptr, utility,
                                                              QStringLiteral("SUPERVISOR"),
                                                              folder.filePath(QStringLiteral("RPT"))},
                                               *ImportModel::kindFor(request), request);
    ui::ImportWindow window(std::move(model));
    window.show();
    window.model().setFolder(folder.path());
    auto* accept = window.findChild<QPushButton*>(QStringLiteral("cmdAceptar"));
    ASSERT_NE(accept, nullptr);
    EXPECT_FALSE(accept->isEnabled());

    ASSERT_TRUE(window.model().transfer());
    auto* preview = window.findChild<QTableWidget*>(ImportModel::kPreview);
    ASSERT_EQ(preview->rowCount(), 3);
    EXPECT_EQ(preview->item(2, 3)->text(),
              QStringLiteral("El tipo de documento no es válido. Para Persona Juridica Domiciliado solo se debe "
                             "registrar RUC"));
    EXPECT_TRUE(accept->isEnabled());
    EXPECT_EQ(test::rowCount(database.db(), QStringLiteral("TMPF535SOCIOS")), 0);
    QDir().mkpath(QStringLiteral("/tmp/shots/17"));
    window.grab().save(QStringLiteral("/tmp/shots/17/import-dry-run.png"));

    accept->click();
    EXPECT_EQ(test::rowCount(database.db(), QStringLiteral("TMPF535SOCIOS")), 2);
    EXPECT_FALSE(opener.opened.isEmpty()) << "the rejected line goes to a report in the preview";
    window.grab().save(QStringLiteral("/tmp/shots/17/import-done.png"));
    // A second file without faults ends with the kind's own message.
    partners.open(QIODevice::WriteOnly);
    partners.write("01|1|40123456|PEÑA DIAZ JUAN|15/03/1970|9589|60|01/02/1990|\n");
    partners.close();
    database.db().run(QStringLiteral("DELETE FROM TMPF535SOCIOS"));
    window.model().transfer();
    window.model().accept();
    EXPECT_TRUE(prompter.verify());
}

} // namespace
} // namespace qel::imports
