#include "app/ProcessState.h"
#include "app/ui/FormLauncher.h"
#include "catalogue/AnnexCatalog.h"
#include "catalogue/FormWindows.h"
#include "program/FormRegistry.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

// Every window the declaration form can ask for opens in the launcher; none ends in the
// internal error of an unknown name.
TEST(FormWindows, EveryNameTheFormAsksForIsRegistered) {
    const auto prompter = test::makePrompter();
    app::ProcessState state;
    app::ui::FormLauncher forms(*prompter);
    app::ui::registerModuleForms(forms, state, *prompter);

    const QStringList& names = declaration::FormWindows::names();
    ASSERT_GT(names.size(), 40);
    QStringList registered;
    for (const QString& name : names) {
        EXPECT_TRUE(forms.isRegistered(name)) << name.toStdString();
        if (forms.isRegistered(name)) {
            registered.append(name);
        }
    }
    // The windows of this version that the form itself opens.
    for (const char* own : {"frmUbigeo", "FrmConsist"}) {
        EXPECT_TRUE(registered.contains(QString::fromLatin1(own))) << own;
    }
    // Every annex grid of the form opens a real detail window, and so does every sub-window.
    for (const annexes::AnnexGridDef& grid : annexes::AnnexCatalog::instance().grids()) {
        EXPECT_TRUE(forms.isRegistered(grid.window)) << grid.window.toStdString();
    }
    for (const annexes::AnnexDef& annex : annexes::AnnexCatalog::instance().windows()) {
        for (const auto& [window, caption] : annex.opens) {
            EXPECT_TRUE(forms.isRegistered(window)) << window.toStdString();
        }
    }
}

} // namespace
} // namespace qel
