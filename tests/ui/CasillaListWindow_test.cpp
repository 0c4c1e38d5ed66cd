#include "annexes/AnnexDetailModel.h"
#include "annexes/CasillaListModel.h"
#include "annexes/ui/AnnexDetailWindow.h"
#include "annexes/ui/CasillaListWindow.h"
#include "app/Clock.h"
#include "catalogue/AnnexCatalog.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

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

    static void shoot(QWidget& window, const QString& name) {
        QDir().mkpath(QStringLiteral("/tmp/shots/13"));
        window.grab().save(QStringLiteral("/tmp/shots/13/%1.png").arg(name));
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
    shoot(*window, QStringLiteral("frmListDetDonaciones"));

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

TEST_F(CasillaListWindowTest, EachListAndDetailWindowFilled) {
    add(QStringLiteral("frmDetalleFuenteExt"), QStringLiteral("123"),
        {{QStringLiteral("tip_doc_ext"), QStringLiteral("07")},
         {QStringLiteral("DOC_ID_EXT"), QStringLiteral("X99812")},
         {QStringLiteral("cod_pais"), QStringLiteral("9249")},
         {QStringLiteral("mto_impuesto"), QStringLiteral("12500")},
         {QStringLiteral("mto_alicuota"), QStringLiteral("30.5")}});
    add(QStringLiteral("frmDetalleCredReinversIng"), QStringLiteral("136"),
        {{QStringLiteral("tip_norma"), QStringLiteral("01")},
         {QStringLiteral("num_norma"), QStringLiteral("27037")},
         {QStringLiteral("anio_norma"), QStringLiteral("1998")},
         {QStringLiteral("mto_credito"), QStringLiteral("45000")},
         {QStringLiteral("det_credito"), QStringLiteral("REINVERSION EN LA AMAZONIA")}});
    add(QStringLiteral("frmDetEmpresasReorg"), QStringLiteral("278"),
        {{QStringLiteral("nro_ruc"), QStringLiteral("20100047218")},
         {QStringLiteral("des_razon"), QStringLiteral("EMPRESA ABSORBIDA SAC")}});
    for (const auto& [name, casilla, detail] : {std::tuple{"frmAnexo123", 123, "frmDetalleFuenteExt"},
                                                std::tuple{"frmAnexo136", 136, "frmDetalleCredReinversIng"},
                                                std::tuple{"frmAnexo278", 278, "frmDetEmpresasReorg"}}) {
        auto window = show(QString::fromLatin1(name), casilla);
        EXPECT_EQ(window->grid()->model()->rowCount(), 1) << name;
        window->grid()->selectRow(0);
        shoot(*window, window->objectName());

        app::FormRequest request;
        request.name = QString::fromLatin1(detail);
        request.key = test::demoKey();
        request.action = app::FormRequest::kModify;
        request.casilla = casilla;
        request.code = QString::number(casilla);
        request.keyValues = window->model().grid().keyForModify(window->model().def().grid(casilla), *prompter).value();
        ui::AnnexDetailWindow shown(*AnnexCatalog::instance().window(request.name),
                                    AnnexContext{database.db(), *prompter, clock}, request);
        shown.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&shown));
        shoot(shown, request.name);
    }
}

} // namespace
} // namespace qel::annexes
