#include "app/ProcessState.h"
#include "app/ui/FormLauncher.h"
#include "catalogue/AnnexCatalog.h"
#include "catalogue/FormWindows.h"
#include "program/FormRegistry.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

// Every window the declaration form can ask for is either a window of this version or one the
// launcher announces as coming in a later version; none ends in the internal error of an
// unknown name.
TEST(FormWindows, EveryNameTheFormAsksForIsRegisteredOrAnnounced) {
    const auto prompter = test::makePrompter();
    app::ProcessState state;
    app::ui::FormLauncher forms(*prompter);
    app::ui::registerModuleForms(forms, state, *prompter);

    const QStringList& names = declaration::FormWindows::names();
    ASSERT_GT(names.size(), 40);
    QStringList registered;
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        if (forms.isRegistered(name)) {
            registered.append(name);
            continue;
        }
        ASSERT_TRUE(forms.isPlanned(name));
        prompter->expectMessage(app::ui::FormLauncher::kNotYetAvailable, app::Icon::Information);
        app::FormRequest request;
        request.name = name;
        EXPECT_EQ(forms.open(request), QString());
        EXPECT_EQ(prompter->pending(), 0);
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
