#include "Frm537Fixture.h"
#include "declaration/commands/ExplainModel.h"
#include "declaration/model/FormHistory.h"
#include "declaration/rules/CalculationRules.h"
#include "declaration/ui/ExplainPanel.h"
#include "declaration/ui/GuardedLineEdit.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

namespace qel::declaration {
namespace {

// The window with the calculation, the explanation panel and the Edit menu attached.
class ExplainPanelTest : public Frm537Fixture {
protected:
    void SetUp() override {
        makeModel();
        rules = std::make_unique<CalculationRules>(*model);
        explanations = std::make_unique<ExplainModel>(*model);
        history = std::make_unique<FormHistory>(*model);
        showWindow().attach(*explanations, *history);
    }
    void TearDown() override {
        window.reset();
        history.reset();
        explanations.reset();
        rules.reset();
        Frm537Fixture::TearDown();
    }
    void typeInto(int casilla, const QString& text) {
        GuardedLineEdit* box = window->box(casilla);
        window->goToCasilla(casilla);
        ASSERT_EQ(QApplication::focusWidget(), box) << casilla;
        QTest::keyClicks(box, text);
    }
    QString explanation() const {
        return window->explainPanel()->findChild<QLabel*>(QStringLiteral("lblExplicacion"))->text();
    }

    std::unique_ptr<CalculationRules> rules;
    std::unique_ptr<ExplainModel> explanations;
    std::unique_ptr<FormHistory> history;
};

TEST_F(ExplainPanelTest, TheFocusedCasillaIsExplainedAndItsInputsLeadToTheirBoxes) {
    typeInto(461, QStringLiteral("1000"));
    typeInto(462, QStringLiteral("200"));
    EXPECT_EQ(explanation(), QStringLiteral("462 = casilla digitada; alimenta la casilla 463"));
    window->goToCasilla(463);
    EXPECT_EQ(explanation(), QStringLiteral("463 = max(0, 461 − abs(462)) = max(0, 1,000 − abs(-200)) = 800"));
    auto* input = window->explainPanel()->findChild<QPushButton*>(QStringLiteral("cmdIrCasilla461"));
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(input->text(), QStringLiteral("461 = 1,000"));
    QTest::mouseClick(input, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), window->box(461));
}

// Ctrl+Z in a box takes back what was typed in it, with what the calculation changed; Ctrl+Y
// brings it back. The box's own undo of its text does not get the keys.
TEST_F(ExplainPanelTest, CtrlZAndCtrlYUndoAndRedoTheFormsSteps) {
    typeInto(461, QStringLiteral("1000"));
    typeInto(462, QStringLiteral("200"));
    EXPECT_EQ(model->text(463), QStringLiteral("800"));
    QTest::keyClick(window->box(462), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(model->isEmpty(462));
    EXPECT_EQ(model->text(463), QStringLiteral("1,000"));
    EXPECT_TRUE(window->findChild<QAction*>(QStringLiteral("mnuRehacer"))->isEnabled());
    QTest::keyClick(window->box(462), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(model->text(463), QStringLiteral("800"));
    window->findChild<QAction*>(QStringLiteral("mnuDeshacer"))->trigger();
    window->findChild<QAction*>(QStringLiteral("mnuDeshacer"))->trigger();
    EXPECT_TRUE(model->isEmpty(461));
}

} // namespace
} // namespace qel::declaration
