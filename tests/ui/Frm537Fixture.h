#pragma once

#include "declaration/model/DeclarationFormModel.h"
#include "declaration/ui/Frm537.h"
#include "ui/WindowDriver.h"

namespace qel::declaration {

// A fresh database, a model over it and the window over the model, shown and active.
class Frm537Fixture : public ::testing::Test {
protected:
    void TearDown() override {
        window.reset();
        model.reset();
        prompter->verify();
    }

    DeclarationFormModel& makeModel() {
        model =
            std::make_unique<DeclarationFormModel>(test::formContext(database.db(), *prompter, clock, utility, opener));
        return *model;
    }

    Frm537& showWindow() {
        if (!model) {
            makeModel();
        }
        window = std::make_unique<Frm537>(*model);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return *window;
    }

    test::TempDatabase database;
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
    app::FixedClock clock{QDateTime(QDate(2019, 3, 20), QTime(10, 0))};
    app::UtilityComponent utility{*prompter, &database.db()};
    test::RecordingOpener opener;
    std::unique_ptr<DeclarationFormModel> model;
    std::unique_ptr<Frm537> window;
};

} // namespace qel::declaration
