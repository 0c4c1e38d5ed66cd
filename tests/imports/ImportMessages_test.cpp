// The message after an import follows its counters: "Carga satisfactoria" only when nothing was
// rejected or replaced; otherwise the error report opens in the preview instead.
#include "app/UtilityComponent.h"
#include "imports/ImportModel.h"
#include "support/FormServices.h"
#include "support/ScriptedPrompter.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qel::imports {
namespace {

const QString kRuc = QStringLiteral("20100113610");

// The same file imported twice: the first adds its partner, the second replaces it.
TEST(ImportMessages, SuccessOnlyWhenNothingWasRejectedOrReplaced) {
    test::TempDatabase database;
    test::registerTaxpayer(database.db(), kRuc, QStringLiteral("COMERCIAL ANDINA S.A.C."));
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("0588") + kRuc + QStringLiteral("SOCIOS.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("01|1|40123456|PEÑA DIAZ JUAN|15/03/1970|9589|60|01/02/1990|\n");
    file.close();
    const auto prompter = test::makePrompter();
    app::UtilityComponent utility(*prompter, &database.db());
    const app::FixedClock clock(test::filingDay());
    test::RecordingOpener opener;
    app::FormRequest request;
    request.name = QStringLiteral("frmImportarSocios");
    request.key = test::demoKey(kRuc);
    const struct {
        bool success;
        QStringList counters;
    } runs[] = {
        {true, {"1  Registros Adicionados.", "0  Registros Rechazados.", "0  Registros Modificados."}},
        {false, {"0  Registros Adicionados.", "0  Registros Rechazados.", "1  Registros Modificados."}},
    };
    for (const auto& run : runs) {
        ImportModel model(ImportServices{database.db(), *prompter, clock, opener, nullptr, utility, test::kSupervisor,
                                         folder.filePath(QStringLiteral("RPT"))},
                          *ImportModel::kindFor(request), request);
        model.setFolder(folder.path());
        ASSERT_TRUE(model.transfer());
        if (run.success) {
            prompter->expectMessage(QStringLiteral("Carga satisfactoria "), app::Icon::Information);
        }
        opener.requests.clear();
        ASSERT_TRUE(model.accept());
        EXPECT_EQ(prompter->pending(), 0);
        EXPECT_EQ(model.counters(), run.counters);
        ASSERT_EQ(opener.requests.size(), run.success ? 0 : 1);
        if (!run.success) {
            EXPECT_EQ(opener.requests.first().name, QStringLiteral("frmPreview"));
        }
    }
    EXPECT_TRUE(prompter->verify());
}

} // namespace
} // namespace qel::imports
