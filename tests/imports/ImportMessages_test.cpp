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
const QByteArray kGood = "01|1|40123456|PEÑA DIAZ JUAN|15/03/1970|9589|60|01/02/1990|\n";
const QByteArray kRejected = "02|1|40123457|COMERCIAL SUR|15/03/1970|9589|1|01/02/1990|\n";

TEST(ImportMessages, SuccessOnlyWhenNothingWasRejectedOrReplaced) {
    struct Case {
        const char* name;
        QList<QByteArray> runs; // the file of each import, one after the other
        bool success;           // the last import ends with "Carga satisfactoria "
        QStringList counters;   // of the last import
    };
    const QList<Case> cases = {
        {"clean",
         {kGood},
         true,
         {"1  Registros Adicionados.", "0  Registros Rechazados.", "0  Registros Modificados."}},
        {"one rejected",
         {kGood + kRejected},
         false,
         {"1  Registros Adicionados.", "1  Registros Rechazados.", "0  Registros Modificados."}},
        {"one replaced",
         {kGood, kGood},
         false,
         {"0  Registros Adicionados.", "0  Registros Rechazados.", "1  Registros Modificados."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDatabase database;
        test::registerTaxpayer(database.db(), kRuc, QStringLiteral("COMERCIAL ANDINA S.A.C."));
        QTemporaryDir folder;
        const auto prompter = test::makePrompter();
        app::UtilityComponent utility(*prompter, &database.db());
        const app::FixedClock clock(test::filingDay());
        test::RecordingOpener opener;
        app::FormRequest request;
        request.name = QStringLiteral("frmImportarSocios");
        request.key = test::demoKey(kRuc);

        for (int run = 0; run < c.runs.size(); ++run) {
            const bool last = run == c.runs.size() - 1;
            QFile file(folder.filePath(QStringLiteral("0588") + kRuc + QStringLiteral("SOCIOS.txt")));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.runs.at(run));
            file.close();
            ImportModel model(ImportServices{database.db(), *prompter, clock, opener, nullptr, utility,
                                             QStringLiteral("SUPERVISOR"), folder.filePath(QStringLiteral("RPT"))},
                              *ImportModel::kindFor(request), request);
            model.setFolder(folder.path());
            ASSERT_TRUE(model.transfer());
            if (!last || c.success) {
                prompter->expectMessage(QStringLiteral("Carga satisfactoria "), app::Icon::Information);
            }
            opener.requests.clear();
            ASSERT_TRUE(model.accept());
            EXPECT_EQ(prompter->pending(), 0);
            if (last) {
                EXPECT_EQ(model.counters(), c.counters);
                EXPECT_EQ(opener.requests.size(), c.success ? 0 : 1);
                if (!c.success && !opener.requests.isEmpty()) {
                    EXPECT_EQ(opener.requests.first().name, QStringLiteral("frmPreview"));
                }
            }
        }
        EXPECT_TRUE(prompter->verify());
    }
}

} // namespace
} // namespace qel::imports
