// Across the catalogues: a window that a casilla names must be one the form launcher knows and
// one a batch script can open, so that no click ends in "window not found".

#include "batch/BatchWindows.h"
#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormWindows.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

bool launcherKnows(const QString& name) {
    return declaration::FormWindows::names().contains(name, Qt::CaseInsensitive);
}

TEST(WindowRegistry, EveryWindowACasillaOpensIsKnownToTheLauncher) {
    for (const declaration::CasillaDef& casilla : declaration::CasillaCatalog::instance().all()) {
        if (!casilla.window.isEmpty()) {
            EXPECT_TRUE(launcherKnows(casilla.window))
                << "casilla " << casilla.number << " opens " << casilla.window.toStdString();
        }
    }
}

// Windows of the launcher that a script cannot open yet. The list only shrinks: a window that
// gains its batch model must leave it, and a new window must come with its batch model.
const QStringList kNotYetScriptable = {};

TEST(WindowRegistry, EveryWindowTheLauncherKnowsOpensInABatchScript) {
    batch::BatchWindows windows;
    batch::registerBatchWindows(windows);
    for (const QString& name : declaration::FormWindows::names()) {
        const bool scriptable = windows.window(name) != nullptr;
        EXPECT_EQ(scriptable, !kNotYetScriptable.contains(name))
            << name.toStdString()
            << (scriptable ? " opens in a script now: take it off the list" : " has no batch window");
    }
}

} // namespace
} // namespace qel
