// The counterpart balances and the movement assistants as the user sees them; pictures of each
// filled go to /tmp/shots/14a for a person to look at.
#include "annexes/AnnexDetailModel.h"
#include "annexes/CasillaListModel.h"
#include "annexes/MovementAssistantModel.h"
#include "annexes/ui/AnnexDetailWindow.h"
#include "annexes/ui/CasillaListWindow.h"
#include "annexes/ui/MovementAssistantWindow.h"
#include "app/Clock.h"
#include "catalogue/AnnexCatalog.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace qel::annexes {
namespace {

using Values = QList<std::pair<QString, QString>>;

class BalanceAndMovementWindowsTest : public ::testing::Test {
protected:
    void TearDown() override { prompter->verify(); }

    app::FormRequest request(const QString& window, int casilla) const {
        app::FormRequest r;
        r.name = window;
        r.key = test::demoKey();
        r.code = QString::number(casilla);
        r.casilla = casilla;
        return r;
    }

    void addBalance(int casilla, const Values& values) {
        AnnexDetailModel model(*AnnexCatalog::instance().window(QStringLiteral("frmAsisCasillasEFIng")),
                               AnnexContext{database.db(), *prompter, clock}, request({}, casilla));
        for (const auto& [field, value] : values) {
            ASSERT_TRUE(model.setText(field, value)) << field.toStdString();
        }
        ASSERT_TRUE(model.grabar());
    }

    static void shoot(QWidget& window, const QString& name) {
        window.adjustSize();
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        QDir().mkpath(QStringLiteral("/tmp/shots/14a"));
        EXPECT_TRUE(window.grab().save(QStringLiteral("/tmp/shots/14a/%1.png").arg(name)));
    }

    test::TempDatabase database;
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
    app::FixedClock clock{test::filingDay()};
    test::RecordingOpener opener;
};

TEST_F(BalanceAndMovementWindowsTest, TheCounterpartListShowsItsPromptRowsTotalAndImport) {
    addBalance(361, {{QStringLiteral("tipo_doc"), QStringLiteral("06")},
                     {QStringLiteral("nro_doc"), QStringLiteral("20100047218")},
                     {QStringLiteral("tipo_des"), QStringLiteral("0")},
                     {QStringLiteral("des_razon"), QStringLiteral("DISTRIBUIDORA NORTE SAC")},
                     {QStringLiteral("saldo"), QStringLiteral("38000")}});
    addBalance(361, {{QStringLiteral("tipo_doc"), QStringLiteral("01")},
                     {QStringLiteral("nro_doc"), QStringLiteral("41234567")},
                     {QStringLiteral("tipo_des"), QStringLiteral("1")},
                     {QStringLiteral("des_apellido_p"), QStringLiteral("QUISPE")},
                     {QStringLiteral("des_apellido_m"), QStringLiteral("MAMANI")},
                     {QStringLiteral("des_nombres"), QStringLiteral("ROSA")},
                     {QStringLiteral("saldo"), QStringLiteral("15000")}});
    auto model = std::make_unique<CasillaListModel>(*CasillaListCatalog::find(QStringLiteral("frasiscasillasef")),
                                                    database.db(), *prompter, &opener, test::demoKey(), 361, false);
    model->setPrompt(QStringLiteral("Ingrese el Detalle de Cuentas por cobrar comerciales - terceros : "));
    CasillaListWindow window(std::move(model));
    EXPECT_EQ(window.objectName(), QStringLiteral("frmAsisCasillasEF"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Asistente Casillla 361"));
    EXPECT_EQ(window.findChild<QLineEdit*>(QStringLiteral("txtTotal"))->text(), QStringLiteral("53,000"));
    auto* importButton = window.findChild<QPushButton*>(QStringLiteral("cmdImportar"));
    ASSERT_NE(importButton, nullptr);
    shoot(window, QStringLiteral("frmAsisCasillasEF-361"));
    importButton->click();
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).name, QStringLiteral("frmImportarCasEF"));

    ui::AnnexDetailWindow detail(*AnnexCatalog::instance().window(QStringLiteral("frmAsisCasillasEFIng")),
                                 AnnexContext{database.db(), *prompter, clock, &opener},
                                 request(QStringLiteral("frmAsisCasillasEFIng"), 361));
    detail.model().setText(QStringLiteral("tipo_doc"), QStringLiteral("06"));
    detail.model().setText(QStringLiteral("nro_doc"), QStringLiteral("20131312955"));
    detail.model().setText(QStringLiteral("tipo_des"), QStringLiteral("0"));
    detail.model().setText(QStringLiteral("des_razon"), QStringLiteral("TEXTILES DEL SUR SA"));
    detail.model().setText(QStringLiteral("saldo"), QStringLiteral("64000"));
    shoot(detail, QStringLiteral("frmAsisCasillasEFIng-361"));
}

TEST_F(BalanceAndMovementWindowsTest, AMovementCellTypedInTheGridMovesItsClosingBalanceAndTheTotal) {
    for (const auto& [window, casilla] : {std::pair{"FrmAnexo317A", 382}, std::pair{"FrmAnexo328B", 383}}) {
        auto model = std::make_unique<MovementAssistantModel>(database.db(), *prompter, test::demoKey(),
                                                              *MovementAssistantKind::find(QString::fromLatin1(window)),
                                                              casilla, false, &opener);
        model->load();
        MovementAssistantWindow shown(std::move(model));
        QTableWidget* grid = shown.grid();
        const int closing = shown.model().kind().closingColumn() + 1;
        EXPECT_FALSE(grid->item(0, closing)->flags() & Qt::ItemIsEditable);
        grid->item(1, 1)->setText(QStringLiteral("700000"));
        grid->item(1, 2)->setText(QStringLiteral("150000"));
        grid->item(2, 1)->setText(QStringLiteral("250000"));
        grid->item(2, 5)->setText(QStringLiteral("50000"));
        EXPECT_EQ(grid->item(1, closing)->text(), QStringLiteral("850,000"));
        EXPECT_EQ(shown.findChild<QLineEdit*>(QStringLiteral("txtTotal"))->text(), shown.model().totalText());
        shoot(shown, QStringLiteral("%1-%2").arg(QString::fromLatin1(window)).arg(casilla));
    }
}

} // namespace
} // namespace qel::annexes
