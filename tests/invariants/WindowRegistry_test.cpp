// Across the catalogues: a window that a casilla names must be one the form launcher knows and
// one a batch script can open, so that no click ends in "window not found".

#include "batch/BatchWindows.h"
#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormWindows.h"
#include "windows/ModuleWindows.h"

#include <QFile>
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

// No window the form asks for is left to a notice: only the windows the decisions name are
// announced for a later version, and each of those is in the registry, so that it gives its
// notice in both modes.
TEST(WindowRegistry, OnlyTheWindowsTheDecisionsNameAreAnnounced) {
    QFile decisions(QStringLiteral(QEL_SOURCE_DIR "/docs/decisions.md"));
    ASSERT_TRUE(decisions.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(decisions.readAll());
    for (const QString& name : windows::announcedWindows()) {
        EXPECT_TRUE(text.contains(name)) << name.toStdString() << " is announced without a decision";
        EXPECT_TRUE(windows::moduleWindows().contains(name)) << name.toStdString();
        EXPECT_FALSE(declaration::FormWindows::names().contains(name, Qt::CaseInsensitive))
            << name.toStdString() << " is a window the form asks for: it must be built";
    }
}

} // namespace
} // namespace qel
