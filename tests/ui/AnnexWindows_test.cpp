// The annex windows over a fresh database, driven as a user drives them: a detail window, the
// casilla lists, the counterpart and movement assistants, the month assistants and the prior
// balance.
#include "annexes/AnnexDetailModel.h"
#include "annexes/CasillaListModel.h"
#include "annexes/MonthAssistantModel.h"
#include "annexes/MovementAssistantModel.h"
#include "annexes/PriorBalanceModel.h"
#include "annexes/ui/AnnexDetailWindow.h"
#include "annexes/ui/CasillaListWindow.h"
#include "annexes/ui/MonthAssistantWindow.h"
#include "annexes/ui/MovementAssistantWindow.h"
#include "annexes/ui/PriorBalanceWindow.h"
#include "catalogue/AnnexCatalog.h"
#include "ui/WindowDriver.h"

#include <QClipboard>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>

namespace qel::annexes {
namespace {

using test::child;
using test::choose;
using test::type;

const QString kDeclarant = QStringLiteral("20100070970");

class AnnexWindows : public ::testing::Test {
protected:
    void TearDown() override { prompter->verify(); }

    std::unique_ptr<ui::AnnexDetailWindow> openDetail(const QString& name, const QString& code = {}) {
        app::FormRequest request;
        request.name = name;
        request.key = test::demoKey(kDeclarant);
        request.code = code;
        return std::make_unique<ui::AnnexDetailWindow>(*AnnexCatalog::instance().window(name),
                                                       AnnexContext{database.db(), *prompter, clock, &opener}, request);
    }

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

    std::unique_ptr<MonthAssistantWindow> openMonths(const QString& window, int casilla, bool readOnly = false) {
        auto model = std::make_unique<MonthAssistantModel>(database.db(), *prompter, test::demoKey(),
                                                           *MonthAssistantKind::find(window, casilla), readOnly);
        model->load();
        auto shown = std::make_unique<MonthAssistantWindow>(std::move(model), window);
        shown->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(shown.get()));
        return shown;
    }

    // Types into a cell as a user does: click, type, Enter.
    static void typeCell(MonthAssistantWindow& window, int row, int column, const QString& text) {
        QTableWidget* grid = window.grid();
        grid->setCurrentCell(row, MonthAssistantWindow::gridColumn(column));
        auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex()));
        ASSERT_NE(editor, nullptr) << row << "," << column;
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }

    test::TempDatabase database;
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
    app::FixedClock clock{test::filingDay()};
    test::RecordingOpener opener;
};

using AnnexDetailWindowTest = AnnexWindows;
using CasillaListWindowTest = AnnexWindows;
using MonthAssistantWindowTest = AnnexWindows;
using PriorBalanceWindowTest = AnnexWindows;

// The window hands the user's keys to the model through the key filters, and the model's save
// writes the row; the window then stays open and empty for the next partner.
TEST_F(AnnexDetailWindowTest, PartnerTypedIntoTheWindowIsSaved) {
    auto window = openDetail(QStringLiteral("frmDetalleSocios"));
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
    EXPECT_EQ(test::rowCount(database.db(), QStringLiteral("TMPF535SOCIOS")), 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(child<QLineEdit>(*window, QStringLiteral("txtNroDoc"))->text().isEmpty());
    EXPECT_EQ(child<QComboBox>(*window, QStringLiteral("cboTipoSocio"))->currentIndex(), -1);

    // Nothing typed since: "&Salir" closes without a question.
    QTest::mouseClick(child<QPushButton>(*window, QStringLiteral("cmdAccion_1")), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
}

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

TEST_F(MonthAssistantWindowTest, TypingMovesOnWithEnterAndKeepsTheTotals) {
    auto window = openMonths(QStringLiteral("FrmAnexo128"), 128);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Asistente de Cálculo de Casilla 128"));
    EXPECT_EQ(window->grid()->item(13, 0)->text(), QStringLiteral("02 - 2019"));

    typeCell(*window, 0, 0, QStringLiteral("1500"));
    // Enter went to the next amount cell of the same month, editing its bare amount.
    EXPECT_EQ(window->grid()->currentColumn(), MonthAssistantWindow::gridColumn(1));
    typeCell(*window, 0, 5, QStringLiteral("25x00"));
    // After the last amount of a month comes the first of the next.
    EXPECT_EQ(window->grid()->currentRow(), 1);
    EXPECT_EQ(window->grid()->currentColumn(), MonthAssistantWindow::gridColumn(0));
    typeCell(*window, 13, 3, QStringLiteral("1000000"));

    EXPECT_EQ(window->grid()->item(0, 1)->text(), QStringLiteral("1,500"));
    EXPECT_EQ(window->grid()->item(0, 7)->text(), QStringLiteral("4,000")); // the month's total
    EXPECT_EQ(window->grid()->item(13, 4)->text(), QStringLiteral("1,000,000"));
    EXPECT_EQ(window->grid()->item(2, 7)->text(), QString());
    EXPECT_EQ(window->findChild<QLineEdit*>(QStringLiteral("txtTotal"))->text(), QStringLiteral("1004000"));

    window->findChild<QPushButton*>(QStringLiteral("CmdGrabar"))->click();
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(window->resultText(), QStringLiteral("1004000"));
    EXPECT_EQ(test::rowCount(database.db(), QStringLiteral("TMPACTA")), 2);
}

TEST_F(MonthAssistantWindowTest, NothingIsPastedIntoACell) {
    auto window = openMonths(QStringLiteral("FrmAnexo130"), 130);
    QApplication::clipboard()->setText(QStringLiteral("999"));
    QTableWidget* grid = window->grid();
    grid->setCurrentCell(4, 1);
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex()));
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor->text(), QString());
    EXPECT_TRUE(QApplication::clipboard()->text().isEmpty());
}

TEST_F(MonthAssistantWindowTest, ASentVersionIsOnlyLookedAt) {
    test::insertRow(database.db(), QStringLiteral("TMPACTA"), test::demoKey(),
                    {{QStringLiteral("TIPO_ASIST"), QStringLiteral("8")},
                     {QStringLiteral("PER_PAG"), QStringLiteral("201806")},
                     {QStringLiteral("saluti"), 4321}});
    auto window = openMonths(QStringLiteral("FrmAnexo130"), 130, true);
    EXPECT_EQ(window->grid()->item(5, 1)->text(), QStringLiteral("4,321"));
    EXPECT_FALSE(window->findChild<QPushButton*>(QStringLiteral("CmdGrabar"))->isEnabled());
    window->grid()->setCurrentCell(5, 1);
    EXPECT_EQ(window->grid()->indexWidget(window->grid()->currentIndex()), nullptr);
    window->findChild<QPushButton*>(QStringLiteral("cmdCerrar"))->click();
    EXPECT_EQ(window->resultText(), QString());
}

TEST_F(PriorBalanceWindowTest, TypedPartsLeaveTheUnappliedBalance) {
    auto model = std::make_unique<PriorBalanceModel>(database.db(), *prompter, test::demoKey(), false,
                                                     QStringList{QStringLiteral("12000")});
    PriorBalanceWindow window(std::move(model));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.box(202)->text(), QStringLiteral("12,000"));
    window.box(203)->setFocus();
    QTest::keyClicks(window.box(203), QStringLiteral("4a500"));
    QTest::keyClick(window.box(203), Qt::Key_Return);
    EXPECT_TRUE(window.box(204)->hasFocus());
    QTest::keyClicks(window.box(204), QStringLiteral("2000"));
    EXPECT_EQ(window.findChild<QLineEdit*>(QStringLiteral("txtValor_127"))->text(), QStringLiteral("5,500"));

    window.findChild<QPushButton*>(QStringLiteral("cmdAccion_0"))->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(PriorBalanceModel::decode(window.resultText()).value(127), QStringLiteral("5500"));
}

} // namespace
} // namespace qel::annexes
