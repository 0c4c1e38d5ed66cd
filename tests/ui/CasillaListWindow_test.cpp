#include "annexes/AnnexDetailModel.h"
#include "annexes/CasillaListModel.h"
#include "annexes/MovementAssistantModel.h"
#include "annexes/ui/CasillaListWindow.h"
#include "annexes/ui/MovementAssistantWindow.h"
#include "catalogue/AnnexCatalog.h"
#include "ui/WindowDriver.h"

#include <QTableWidget>

namespace qel::annexes {
namespace {

class CasillaListWindowTest : public ::testing::Test {
protected:
    void TearDown() override { prompter->verify(); }

    // Saves one row through the detail model, as the detail window does.
    void add(const QString& window, const QString& code, const QList<std::pair<QString, QString>>& values) {
        app::FormRequest request;
        request.name = window;
        request.key = test::demoKey();
        request.code = code;
        request.casilla = code.toInt();
        AnnexDetailModel model(*AnnexCatalog::instance().window(window), AnnexContext{database.db(), *prompter, clock},
                               request);
        for (const auto& [field, value] : values) {
            ASSERT_TRUE(model.setText(field, value)) << field.toStdString();
        }
        ASSERT_TRUE(model.grabar());
    }

    std::unique_ptr<CasillaListWindow> show(const QString& name, int casilla) {
        auto model = std::make_unique<CasillaListModel>(*CasillaListCatalog::find(name), database.db(), *prompter,
                                                        &opener, test::demoKey(), casilla, false);
        auto window = std::make_unique<CasillaListWindow>(std::move(model));
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }

    test::TempDatabase database;
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
    app::FixedClock clock{test::filingDay()};
    test::RecordingOpener opener;
};

TEST_F(CasillaListWindowTest, DonationsListShowsItsRowsAndHandsBackItsTotal) {
    const QList<std::pair<const char*, const char*>> donations = {
        {"A", "20100047218"}, {"B1", "20131312955"}, {"B2", "20100070970"}};
    int day = 10;
    for (const auto& [type, ruc] : donations) {
        add(QStringLiteral("frmDetalleDonaciones"), QStringLiteral("227"),
            {{QStringLiteral("TIP_DONACION"), QString::fromLatin1(type)},
             {QStringLiteral("TIP_MODALIDAD"), QStringLiteral("1")},
             {QStringLiteral("tip_documento"), QStringLiteral("06")},
             {QStringLiteral("num_documento"), QString::fromLatin1(ruc)},
             {QStringLiteral("des_nom_razon"), QStringLiteral("ASOCIACION DE AYUDA SOCIAL")},
             {QStringLiteral("fec_donacion"), QStringLiteral("%1/06/2018").arg(day++)},
             {QStringLiteral("mto_donacion"), QStringLiteral("%1").arg(day * 1000)}});
    }
    auto window = show(QStringLiteral("frmAnexo227"), 227);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Detalle Casilla 227 - Detalle de Donaciones"));
    EXPECT_EQ(window->grid()->model()->rowCount(), 3);
    EXPECT_EQ(window->findChild<QLineEdit*>(QStringLiteral("txtTotal"))->text(), QStringLiteral("36,000"));
    window->grid()->selectRow(1);
    EXPECT_EQ(window->model().grid().current(), 1);

    window->button(1)->click(); // modify opens the detail window on the selected row
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).keyValues.value(0), QStringLiteral("B1"));

    for (const char* type : {"A", "B1", "B2"}) {
        prompter->expectMessage(CasillaListModel::reminderFor(QString::fromLatin1(type)), app::Icon::Information);
    }
    window->button(3)->click();
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(window->resultText(), QStringLiteral("36000"));
}

TEST_F(CasillaListWindowTest, TheCounterpartListShowsItsRowsTotalAndImport) {
    add(QStringLiteral("frmAsisCasillasEFIng"), QStringLiteral("361"),
        {{QStringLiteral("tipo_doc"), QStringLiteral("06")},
         {QStringLiteral("nro_doc"), QStringLiteral("20100047218")},
         {QStringLiteral("tipo_des"), QStringLiteral("0")},
         {QStringLiteral("des_razon"), QStringLiteral("DISTRIBUIDORA NORTE SAC")},
         {QStringLiteral("saldo"), QStringLiteral("38000")}});
    add(QStringLiteral("frmAsisCasillasEFIng"), QStringLiteral("361"),
        {{QStringLiteral("tipo_doc"), QStringLiteral("01")},
         {QStringLiteral("nro_doc"), QStringLiteral("41234567")},
         {QStringLiteral("tipo_des"), QStringLiteral("1")},
         {QStringLiteral("des_apellido_p"), QStringLiteral("QUISPE")},
         {QStringLiteral("des_apellido_m"), QStringLiteral("MAMANI")},
         {QStringLiteral("des_nombres"), QStringLiteral("ROSA")},
         {QStringLiteral("saldo"), QStringLiteral("15000")}});
    auto window = show(QStringLiteral("frasiscasillasef"), 361);
    EXPECT_EQ(window->objectName(), QStringLiteral("frmAsisCasillasEF"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Asistente Casillla 361"));
    EXPECT_EQ(window->findChild<QLineEdit*>(QStringLiteral("txtTotal"))->text(), QStringLiteral("53,000"));
    test::click(*window, QStringLiteral("cmdImportar"));
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).name, QStringLiteral("frmImportarCasEF"));
}

TEST_F(CasillaListWindowTest, AMovementCellTypedInTheGridMovesItsClosingBalanceAndTheTotal) {
    for (const auto& [window, casilla] : {std::pair{"FrmAnexo317A", 382}, std::pair{"FrmAnexo328B", 383}}) {
        auto model = std::make_unique<MovementAssistantModel>(database.db(), *prompter, test::demoKey(),
                                                              *MovementAssistantKind::find(QString::fromLatin1(window)),
                                                              casilla, false, &opener);
        model->load();
        MovementAssistantWindow shown(std::move(model));
        QTableWidget* grid = shown.grid();
        const int closing = shown.model().kind().closingColumn() + 1;
        EXPECT_FALSE(grid->item(0, closing)->flags() & Qt::ItemIsEditable) << window;
        grid->item(1, 1)->setText(QStringLiteral("700000"));
        grid->item(1, 2)->setText(QStringLiteral("150000"));
        grid->item(2, 1)->setText(QStringLiteral("250000"));
        grid->item(2, 5)->setText(QStringLiteral("50000"));
        EXPECT_EQ(grid->item(1, closing)->text(), QStringLiteral("850,000")) << window;
        EXPECT_EQ(shown.findChild<QLineEdit*>(QStringLiteral("txtTotal"))->text(), shown.model().totalText());
    }
}

} // namespace
} // namespace qel::annexes
