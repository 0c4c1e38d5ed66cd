// The one registry of windows: every name opens once as its Qt view and once through the batch
// mode's generic adapter over a model from the same factory, and both modes know every name.
#include "app/WindowRegistry.h"
#include "batch/BatchContext.h"
#include "batch/BatchWindows.h"
#include "batch/ModelAdapter.h"
#include "catalogue/AnnexCatalog.h"
#include "catalogue/FormWindows.h"
#include "program/WindowViews.h"
#include "ui/WindowDriver.h"
#include "windows/ModuleWindows.h"

#include <QDialog>

namespace qel::app {
namespace {

// The code a window is opened with where "1" means nothing to it: a kind of import.
const QHash<QString, QString> kCodes = {{QStringLiteral("frmImportarGastoPresent"), QStringLiteral("3")}};

// Controls a script reads that the window shows otherwise: the help scrolls to its topic.
const QStringList kNotOnScreen = {QStringLiteral("frmAyuda.lblTema")};

TEST(WindowRegistry, EveryWindowOpensAsAViewAndThroughTheBatchAdapter) {
    test::TempDatabase database;
    test::SilentPrompter prompter;
    const FixedClock clock(test::filingDay());
    test::RecordingOpener opener;
    UtilityComponent utility(prompter, &database.db());
    const QString folder = database.folder();
    const WindowServices services{database.db(),     prompter, clock,  opener, &utility, nullptr, "2018", "0588",
                                  test::kSupervisor, "0",      folder, folder, {},       nullptr, {},     {}};
    ProcessState state;
    ui::FormLauncher forms(prompter);
    ui::registerModuleForms(forms, state, prompter);
    batch::BatchWindows batchWindows;
    batch::registerBatchWindows(batchWindows);

    // Every window the declaration form or an annex window asks for opens in the launcher: none
    // ends in the internal error of an unknown name.
    QStringList asked = declaration::FormWindows::names();
    for (const annexes::AnnexGridDef& grid : annexes::AnnexCatalog::instance().grids()) {
        asked.append(grid.window);
    }
    for (const annexes::AnnexDef& annex : annexes::AnnexCatalog::instance().windows()) {
        for (const auto& [window, caption] : annex.opens) {
            asked.append(window);
        }
    }
    for (const QString& name : asked) {
        EXPECT_TRUE(forms.isRegistered(name)) << name.toStdString();
    }

    const WindowRegistry& registry = qel::windows::moduleWindows();
    ASSERT_FALSE(registry.names().isEmpty());
    for (const QString& name : registry.names()) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(forms.isRegistered(name));
        EXPECT_NE(batchWindows.window(name), nullptr);

        FormRequest request;
        request.name = name;
        request.key = test::demoKey();
        request.code = kCodes.value(name, QStringLiteral("1"));
        std::unique_ptr<PresentationModel> model = registry.create(name, services, request);
        ASSERT_NE(model, nullptr);
        const QString windowName = model->windowName();
        const QList<DeclaredControl> declared = model->declaredControls();

        // The view: a widget of each declared name, so that what a script drives is on screen.
        // A window shown beside the others (the help) is shown by its view, which hands back
        // no dialog.
        ASSERT_TRUE(ui::WindowViews::module().hasView(*model));
        std::unique_ptr<QDialog> owned = ui::WindowViews::module().create(std::move(model));
        QWidget* view = owned.get();
        if (view == nullptr) {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (top->isVisible() && top->objectName() == windowName) {
                    view = top;
                }
            }
        }
        ASSERT_NE(view, nullptr);
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view));
        EXPECT_EQ(view->objectName(), windowName);
        QStringList declaredNames;
        for (const DeclaredControl& control : declared) {
            declaredNames.append(control.name);
            if (kNotOnScreen.contains(windowName + QLatin1Char('.') + control.name)) {
                continue;
            }
            // A control array shows as its members NAME_0, NAME_1, ...; "NAME(1)" is NAME_1.
            QString member = control.name;
            member.replace(QLatin1Char('('), QLatin1Char('_')).remove(QLatin1Char(')'));
            const bool shown = view->findChild<QWidget*>(control.name) != nullptr ||
                               view->findChild<QWidget*>(member) != nullptr ||
                               view->findChild<QWidget*>(control.name + QStringLiteral("_0")) != nullptr;
            EXPECT_TRUE(shown) << control.name.toStdString();
        }
        if (!owned) {
            view->close();
        }

        // The batch adapter over a second model of the same factory: the same controls, each
        // with a state to print.
        batch::ModelAdapter adapter(registry.create(name, services, request));
        QStringList names;
        for (const ControlInfo& info : adapter.controls()) {
            names.append(info.name);
            if (info.kind != QStringLiteral("command")) {
                EXPECT_NO_THROW(adapter.state(info.name)) << info.name.toStdString();
            }
        }
        EXPECT_EQ(names, declaredNames);
        EXPECT_THROW(adapter.click(QStringLiteral("cmdNoExiste"), -1), ScriptError);
    }
}

} // namespace
} // namespace qel::app
