#include "AnnexFixture.h"
#include "annexes/MovementAssistantModel.h"
#include "annexes/MovementCasillas.h"
#include "declaration/model/WorkingCasillas.h"

namespace qel::annexes {
namespace {

using app::Icon;

class MovementAssistantTest : public testing::AnnexFixture {
protected:
    std::unique_ptr<MovementAssistantModel> assistant(const char* window, int casilla, bool readOnly = false) {
        auto shown = std::make_unique<MovementAssistantModel>(db(), *prompter, key(),
                                                              *MovementAssistantKind::find(QString::fromLatin1(window)),
                                                              casilla, readOnly, &opener);
        shown->load();
        return shown;
    }
    void type(MovementAssistantModel& shown, int row, const char* column, const char* text) {
        ASSERT_TRUE(shown.setCellText(row, shown.columnIndex(QString::fromLatin1(column)), QString::fromLatin1(text)))
            << column;
    }
    QString working(int casilla) { return declaration::WorkingCasillas::value(db(), key(), casilla); }
};

TEST_F(MovementAssistantTest, TheClosingBalanceFollowsEachLineAndTheCasillaTakesTheirTotal) {
    auto shown = assistant("frmanexo317A", 317);
    EXPECT_EQ(shown->caption(), QStringLiteral("Asistente de Cálculo de Casilla 317"));
    EXPECT_EQ(shown->heading(0), QStringLiteral("SALDOS INICIALES al  01/01/2018"));
    EXPECT_EQ(shown->heading(shown->kind().closingColumn()), QStringLiteral("SALDOS FINALES al 31/12/2018"));
    type(*shown, 1, "saldoini", "500,000");
    type(*shown, 1, "AdiCompMej", "120000");
    type(*shown, 1, "RetVentas", "20000");
    type(*shown, 3, "saldoini", "80000");
    type(*shown, 3, "RetOtros", "5000");
    EXPECT_EQ(shown->cellText(1, shown->kind().closingColumn()), QStringLiteral("600,000"));
    EXPECT_FALSE(shown->setCellText(1, shown->kind().closingColumn(), QStringLiteral("1"))); // computed
    EXPECT_EQ(shown->totalText(), QStringLiteral("675,000"));
    ASSERT_TRUE(shown->save());
    EXPECT_EQ(shown->result(), QStringLiteral("675000"));
    EXPECT_EQ(rows(QStringLiteral("TMPF535MOV_IME")), 2);
    EXPECT_EQ(column(QStringLiteral("TMPF535MOV_IME"), QStringLiteral("num_fila")), QStringLiteral("2,4"));

    struct Case {
        int casilla;
        QString value;
    };
    for (const Case& c :
         {Case{318, QStringLiteral("580000")}, Case{319, QStringLiteral("120000")}, Case{320, QString()},
          Case{321, QStringLiteral("25000")}, Case{324, QStringLiteral("675000")}}) {
        EXPECT_EQ(working(c.casilla), c.value) << c.casilla;
    }
    // Opened again it shows what was saved.
    EXPECT_EQ(assistant("frmanexo317A", 317)->totalText(), QStringLiteral("675,000"));
}

TEST_F(MovementAssistantTest, ANegativeClosingBalanceIsRefusedAndNothingIsWritten) {
    auto shown = assistant("frmanexo317A", 317);
    type(*shown, 0, "saldoini", "1000");
    type(*shown, 0, "RetVentas", "1001");
    prompter->expectMessage(MovementAssistantModel::kNegativeClosing.arg(QStringLiteral("Terrenos")), Icon::Critical);
    EXPECT_FALSE(shown->save());
    EXPECT_EQ(rows(QStringLiteral("TMPF535MOV_IME")), 0);
}

// Casillas 380-382 each give their nine column sums to nine consecutive casillas, and 380 and
// 381 their closing balance after them.
TEST_F(MovementAssistantTest, TheNineColumnsOf380To382) {
    for (const int casilla : {380, 381, 382}) {
        auto shown = assistant("FrmAnexo317A", casilla);
        type(*shown, 0, "saldoini", "1000");
        type(*shown, 4, "saldoini", "2000");
        type(*shown, 0, "AdiAportes", "300");
        type(*shown, 0, "RetOtros", "100");
        ASSERT_TRUE(shown->save());
        EXPECT_EQ(shown->result(), QStringLiteral("3200"));
    }
    struct Case {
        int casilla;
        QString value;
    };
    for (const Case& c :
         {Case{611, QStringLiteral("3000")}, Case{613, QStringLiteral("300")}, Case{619, QStringLiteral("100")},
          Case{620, QStringLiteral("3200")}, Case{621, QStringLiteral("3000")}, Case{630, QStringLiteral("3200")},
          Case{631, QStringLiteral("3000")}, Case{639, QStringLiteral("100")}}) {
        EXPECT_EQ(working(c.casilla), c.value) << c.casilla;
    }
    // Rows written directly (an import) are summed again by the same routine.
    db().run(QStringLiteral("UPDATE TMPF535MOV_IME SET saldoini='5000' WHERE trim(CASILLA)='381' AND num_fila=1"))
        .finish();
    MovementCasillas::GrabaColumnasCasillas380y381y382(db(), key());
    EXPECT_EQ(working(621), QStringLiteral("7000"));
    EXPECT_EQ(working(611), QStringLiteral("3000"));
}

TEST_F(MovementAssistantTest, TheDepreciationKeepsItsRateAndAdjustments) {
    auto shown = assistant("FrmAnexo328B", 328);
    type(*shown, 1, "saldoini", "40000");
    type(*shown, 1, "AdiDepEjer", "10000");
    type(*shown, 1, "AjuRetiros", "500");
    type(*shown, 1, "porc_dep", "5.5");
    EXPECT_EQ(shown->cellText(1, shown->columnIndex(QStringLiteral("porc_dep"))), QStringLiteral("5.50"));
    EXPECT_EQ(shown->totalText(), QStringLiteral("49,500"));
    ASSERT_TRUE(shown->save());
    EXPECT_EQ(working(395), QStringLiteral("40000"));
    EXPECT_EQ(working(396), QStringLiteral("10000"));
    EXPECT_EQ(working(397), QStringLiteral("49500"));
    EXPECT_EQ(working(595), QStringLiteral("-500"));
    EXPECT_EQ(column(QStringLiteral("TMPF535MOVDA_IME"), QStringLiteral("porc_dep")), QStringLiteral("5.5"));
}

TEST_F(MovementAssistantTest, ImportOpensTheMovementKindAndASentVersionIsOnlyLookedAt) {
    auto shown = assistant("FrmAnexo328B", 383);
    ASSERT_TRUE(shown->importRows());
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).name, QStringLiteral("frmImportarGastoPresent"));
    EXPECT_EQ(opener.requests.at(0).code, QStringLiteral("7"));
    EXPECT_EQ(opener.requests.at(0).casilla, 383);

    auto sent = assistant("FrmAnexo317A", 317, true);
    EXPECT_FALSE(sent->setCellText(0, 0, QStringLiteral("1")));
    EXPECT_FALSE(sent->importRows());
    EXPECT_FALSE(sent->save());
}

} // namespace
} // namespace qel::annexes
