#include "annexes/ui/AnnexDetailWindow.h"
#include "catalogue/AnnexCatalog.h"
#include "ui/WindowDriver.h"

#include <QPushButton>

namespace qel::annexes::ui {
namespace {

using namespace qel::test;

const QString kDeclarant = QStringLiteral("20100070970");

class AnnexDetailWindowTest : public ::testing::Test {
protected:
    void TearDown() override { prompter->verify(); }

    std::unique_ptr<AnnexDetailWindow> open(const QString& name, const QString& code = {}) {
        app::FormRequest request;
        request.name = name;
        request.key = demoKey(kDeclarant);
        request.code = code;
        return std::make_unique<AnnexDetailWindow>(*AnnexCatalog::instance().window(name),
                                                   AnnexContext{database.db(), *prompter, clock, &opener}, request);
    }

    TempDatabase database;
    std::unique_ptr<app::ScriptedPrompter> prompter = makePrompter();
    app::FixedClock clock{filingDay()};
    RecordingOpener opener;
};

// The window hands the user's keys to the model through the key filters, and the model's save
// writes the row; the window then stays open and empty for the next partner.
TEST_F(AnnexDetailWindowTest, PartnerTypedIntoTheWindowIsSaved) {
    auto window = open(QStringLiteral("frmDetalleSocios"));
    window->show();
    choose(*window, QStringLiteral("cboTipoSocio"), QStringLiteral("01"));
    choose(*window, QStringLiteral("cboTipoDoc"), QStringLiteral("01"));
    type(*window, QStringLiteral("txtNroDoc"), QStringLiteral("40123456"));
    type(*window, QStringLiteral("txtRazonSocial"), QStringLiteral("peña d'arcy luis"));
    EXPECT_EQ(child<QLineEdit>(*window, QStringLiteral("txtRazonSocial"))->text(), QStringLiteral("PEÑA DARCY LUIS"));
    type(*window, QStringLiteral("mskFecNac"), QStringLiteral("15031970"));
    EXPECT_EQ(window->model().value(QStringLiteral("fec_nac_socio")), QStringLiteral("15/03/1970"));
    choose(*window, QStringLiteral("cboPais"), QStringLiteral("9589"));
    type(*window, QStringLiteral("txtPorcentaje"), QStringLiteral("12.5.5"));
    EXPECT_EQ(window->model().value(QStringLiteral("Porcentaje")), QStringLiteral("12.55"));
    QTest::mouseClick(child<QPushButton>(*window, QStringLiteral("cmdAccion_0")), Qt::LeftButton);
    EXPECT_EQ(rowCount(database.db(), QStringLiteral("TMPF535SOCIOS")), 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(child<QLineEdit>(*window, QStringLiteral("txtNroDoc"))->text().isEmpty());
    EXPECT_EQ(child<QComboBox>(*window, QStringLiteral("cboTipoSocio"))->currentIndex(), -1);

    // Nothing typed since: "&Salir" closes without a question.
    QTest::mouseClick(child<QPushButton>(*window, QStringLiteral("cmdAccion_1")), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
}

} // namespace
} // namespace qel::annexes::ui
