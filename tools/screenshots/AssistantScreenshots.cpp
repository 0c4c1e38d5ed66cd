// Pictures of every casilla assistant filled with a demo's values, for a person to look at:
// /tmp/shots/14/<window>-<casilla>.png. Run with
//   qel_screenshots --gtest_filter='AssistantScreenshots*'
#include "annexes/AssistantCatalog.h"
#include "annexes/LossBalances.h"
#include "annexes/ui/CasillaAssistantWindow.h"
#include "annexes/ui/frmPerdidaEjercAnt.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace qel::annexes {
namespace {

const QString kFolder = QStringLiteral("/tmp/shots/14");

void save(QWidget& window, const QString& name) {
    window.adjustSize();
    window.show();
    QDir().mkpath(kFolder);
    EXPECT_TRUE(window.grab().save(kFolder + QLatin1Char('/') + name + QStringLiteral(".png")));
    window.hide();
}

TEST(AssistantScreenshots, EveryAssistantFilled) {
    test::TempDatabase database;
    auto prompter = test::makePrompter();
    const store::DeclarationKey key = test::demoKey();
    LossBalances::store(database.db(), key, {{QStringLiteral("2016"), QStringLiteral("90000")}});
    for (const AssistantDef& def : AssistantCatalog::instance().all()) {
        const int casilla = def.openedFrom.value(0);
        auto model = std::make_unique<CasillaAssistantModel>(database.db(), *prompter, def, key, casilla);
        int amount = 1000;
        for (const AssistantField& field : def.fields) {
            if (!field.computed) {
                model->setText(field.id(), QString::number(field.count ? 2 : amount));
                amount += 1500;
            }
        }
        CasillaAssistantWindow window(std::move(model));
        save(window, def.window + QLatin1Char('-') + QString::number(casilla));
    }
    auto losses = std::make_unique<LossBalanceModel>(database.db(), *prompter, key);
    losses->setYear(1, QStringLiteral("2017"));
    losses->setAmount(1, QStringLiteral("25000"));
    frmPerdidaEjercAnt window(std::move(losses));
    save(window, QStringLiteral("frmPerdidaEjercAnt-111"));
}

} // namespace
} // namespace qel::annexes
