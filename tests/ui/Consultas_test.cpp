#include "app/ConsultasModel.h"
#include "app/ProcessState.h"
#include "app/ui/FormLauncher.h"
#include "app/ui/FrmConsultas.h"
#include "app/ui/MDIFrm.h"
#include "support/TestSupport.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using namespace qel;
using C = app::MainCommands::Command;

TEST(FrmConsultas, EachListOfTheConsultasMenuIsReadOnlyAndClosesWithSalir) {
    test::TempDatabase temp;
    temp.db().run("DELETE FROM PARAM WHERE Numero IN ('004', '976', '404')").finish();
    for (const QStringList& p : QList<QStringList>{{"004", "11", "BANCO CONTINENTAL"},
                                                   {"976", "9589", "PERU"},
                                                   {"976", "9105", "ARGENTINA"},
                                                   {"404", "20180101", "4150"}}) {
        temp.db().run("INSERT INTO PARAM (Numero, Argumento, Funcion) VALUES (?, ?, ?)", {p[0], p[1], p[2]}).finish();
    }
    app::ProcessState state;
    state.db = std::move(store::Database::open(temp.path()).database);
    auto prompter = test::makePrompter();
    app::ui::FormLauncher forms(*prompter);
    app::ui::MDIFrm window(state, *prompter, forms);
    window.place();

    struct Case {
        C command;
        QString caption;
        QString firstRow;
        int rows;
    };
    const Case cases[] = {
        {C::BankList, "Bancos", "11 BANCO CONTINENTAL", 1},
        {C::CountryList, "Paises", "9105 ARGENTINA", 2},
        {C::UitList, "UIT", "01/01/2018 4150", 1},
    };
    for (const Case& c : cases) {
        QString caption;
        QString firstRow;
        int rows = -1;
        bool editable = true;
        QTimer::singleShot(0, [&] {
            auto* list = qobject_cast<app::ui::FrmConsultas*>(QApplication::activeModalWidget());
            ASSERT_NE(list, nullptr);
            caption = list->windowTitle();
            const QAbstractItemModel* model = list->grid()->model();
            rows = model->rowCount();
            firstRow = model->index(0, 0).data().toString() + " " + model->index(0, 1).data().toString();
            editable = list->grid()->editTriggers() != QAbstractItemView::NoEditTriggers;
            list->findChild<QPushButton*>("cmdSalir")->click();
        });
        window.run(c.command);
        EXPECT_EQ(caption, c.caption);
        EXPECT_EQ(firstRow, c.firstRow);
        EXPECT_EQ(rows, c.rows);
        EXPECT_FALSE(editable);
    }
}

} // namespace
