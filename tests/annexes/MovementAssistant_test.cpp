#include "AnnexFixture.h"
#include "annexes/MovementAssistantModel.h"
#include "annexes/MovementCasillas.h"
#include "declaration/model/WorkingCasillas.h"

using namespace Qt::StringLiterals;

namespace qel::annexes {
namespace {

using testing::requested;

class MovementAssistantTest : public testing::AnnexFixture {
protected:
    std::unique_ptr<MovementAssistantModel> assistant(const char* window, int casilla, bool readOnly = false) {
        auto shown = std::make_unique<MovementAssistantModel>(db(), *prompter, key(),
                                                              *MovementAssistantKind::find(QString::fromLatin1(window)),
                                                              casilla, readOnly, &opener);
        shown->load();
        return shown;
    }
    // Types "row column=text; ..." into the grid.
    static void type(MovementAssistantModel& shown, const char* cells) {
        for (const auto& [cell, text] : testing::values(cells)) {
            const int column = shown.columnIndex(cell.section(u' ', 1));
            ASSERT_TRUE(shown.setCellText(cell.section(u' ', 0, 0).toInt(), column, text)) << cell.toStdString();
        }
    }
    // Each casilla holds its value in the working copy ("" none).
    void expectWorking(const char* expected) {
        for (const auto& [casilla, value] : testing::values(expected)) {
            EXPECT_EQ(declaration::WorkingCasillas::value(db(), key(), casilla.toInt()), value)
                << casilla.toStdString();
        }
    }
};

TEST_F(MovementAssistantTest, TheClosingBalanceFollowsEachLineAndTheCasillaTakesTheirTotal) {
    auto shown = assistant("frmanexo317A", 317);
    const int closing = shown->kind().closingColumn();
    EXPECT_EQ(shown->heading(0), u"SALDOS INICIALES al  01/01/2018"_s);
    EXPECT_EQ(shown->heading(closing), u"SALDOS FINALES al 31/12/2018"_s);
    type(*shown, "1 saldoini=500,000; 1 AdiCompMej=120000; 1 RetVentas=20000; 3 saldoini=80000; 3 RetOtros=5000");
    EXPECT_EQ(shown->cellText(1, closing), u"600,000"_s);
    EXPECT_FALSE(shown->setCellText(1, closing, u"1"_s)); // computed
    EXPECT_EQ(shown->totalText(), u"675,000"_s);
    ASSERT_TRUE(shown->save());
    EXPECT_EQ(shown->result(), u"675000"_s);
    EXPECT_EQ(column(u"TMPF535MOV_IME"_s, u"num_fila"_s), u"2,4"_s);
    expectWorking("318=580000; 319=120000; 320=; 321=25000; 324=675000");
    // Opened again it shows what was saved.
    EXPECT_EQ(assistant("frmanexo317A", 317)->totalText(), u"675,000"_s);

    // A negative closing balance is refused and nothing is written.
    clear(u"TMPF535MOV_IME"_s);
    auto negative = assistant("frmanexo317A", 317);
    type(*negative, "0 saldoini=1000; 0 RetVentas=1001");
    prompter->expectMessage(MovementAssistantModel::kNegativeClosing.arg(u"Terrenos"_s), app::Icon::Critical);
    EXPECT_FALSE(negative->save());
    EXPECT_EQ(rows(u"TMPF535MOV_IME"_s), 0);
}

// Casillas 380-382 each give their nine column sums to nine consecutive casillas, and 380 and
// 381 their closing balance after them.
TEST_F(MovementAssistantTest, TheNineColumnsOf380To382) {
    for (const int casilla : {380, 381, 382}) {
        auto shown = assistant("FrmAnexo317A", casilla);
        type(*shown, "0 saldoini=1000; 4 saldoini=2000; 0 AdiAportes=300; 0 RetOtros=100");
        ASSERT_TRUE(shown->save());
        EXPECT_EQ(shown->result(), u"3200"_s);
    }
    expectWorking("611=3000; 613=300; 619=100; 620=3200; 621=3000; 630=3200; 631=3000; 639=100");
    // Rows written directly (an import) are summed again by the same routine.
    db().run(u"UPDATE TMPF535MOV_IME SET saldoini='5000' WHERE trim(CASILLA)='381' AND num_fila=1"_s).finish();
    MovementCasillas::GrabaColumnasCasillas380y381y382(db(), key());
    expectWorking("621=7000; 611=3000");
}

TEST_F(MovementAssistantTest, TheDepreciationKeepsItsRateAndAdjustments) {
    auto shown = assistant("FrmAnexo328B", 328);
    type(*shown, "1 saldoini=40000; 1 AdiDepEjer=10000; 1 AjuRetiros=500; 1 porc_dep=5.5");
    EXPECT_EQ(shown->cellText(1, shown->columnIndex(u"porc_dep"_s)), u"5.50"_s);
    EXPECT_EQ(shown->totalText(), u"49,500"_s);
    ASSERT_TRUE(shown->save());
    expectWorking("395=40000; 396=10000; 397=49500; 595=-500");
    EXPECT_EQ(column(u"TMPF535MOVDA_IME"_s, u"porc_dep"_s), u"5.5"_s);
}

TEST_F(MovementAssistantTest, ImportOpensTheMovementKindAndASentVersionIsOnlyLookedAt) {
    auto shown = assistant("FrmAnexo328B", 383);
    ASSERT_TRUE(shown->importRows());
    EXPECT_EQ(requested(opener), "frmImportarGastoPresent code=7 casilla=383");

    auto sent = assistant("FrmAnexo317A", 317, true);
    EXPECT_FALSE(sent->setCellText(0, 0, u"1"_s));
    EXPECT_FALSE(sent->importRows());
    EXPECT_FALSE(sent->save());
}

} // namespace
} // namespace qel::annexes
