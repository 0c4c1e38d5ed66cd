#include "app/ProcessState.h"
#include "app/ui/FormLauncher.h"
#include "app/ui/FrmConsultas.h"
#include "app/ui/MDIFrm.h"
#include "ui/WindowDriver.h"

#include <QAbstractItemView>
#include <QTableView>

namespace {

using namespace qel;
using C = app::MainCommands::Command;

// Each list of the Consultas menu opens under its caption with the reference rows, takes no
// editing and closes with Salir. What each list holds is the lists' model's (ConsultasModel).
TEST(FrmConsultas, EachListOfTheConsultasMenuIsReadOnlyAndClosesWithSalir) {
    test::TempDatabase temp;
    app::ProcessState state;
    state.db = std::move(store::Database::open(temp.path()).database);
    auto prompter = test::makePrompter();
    app::ui::FormLauncher forms(*prompter);
    app::ui::MDIFrm window(state, *prompter, forms);
    window.place();

    for (const auto& c :
         {std::pair{C::BankList, "Bancos"}, std::pair{C::CountryList, "Paises"}, std::pair{C::UitList, "UIT"}}) {
        test::whileModal<app::ui::FrmConsultas>(
            QString(), [&window, &c] { window.run(c.first); },
            [&c](app::ui::FrmConsultas& list) {
                EXPECT_EQ(list.windowTitle(), QString::fromLatin1(c.second));
                EXPECT_GT(list.grid()->model()->rowCount(), 0) << c.second;
                EXPECT_EQ(list.grid()->editTriggers(), QAbstractItemView::NoEditTriggers) << c.second;
                test::click(list, QStringLiteral("cmdSalir"));
                EXPECT_FALSE(list.isVisible()) << c.second;
            });
    }
}

} // namespace
