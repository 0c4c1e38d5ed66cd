#include "declaration/ui/frmUbigeo.h"
#include "support/TestSupport.h"

#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace qel::declaration {
namespace {

using app::Icon;

class FrmUbigeoTest : public ::testing::Test {
protected:
    void TearDown() override { prompter->verify(); }

    test::TempDatabase database;
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
};

TEST_F(FrmUbigeoTest, ListsTheZoneAndReturnsTheChosenDistrict) {
    frmUbigeo window(database.db(), *prompter, QStringLiteral("2"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Ubigeo Zona 2"));
    ASSERT_EQ(window.tree()->topLevelItemCount(), 3);
    EXPECT_EQ(window.tree()->topLevelItem(2)->text(0), QStringLiteral("UCAYALI"));

    ASSERT_TRUE(window.selectCode(QStringLiteral("250104")));
    window.findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(window.resultText(), QStringLiteral("250104"));
}

TEST_F(FrmUbigeoTest, ADepartmentOrNothingIsNotAChoice) {
    frmUbigeo window(database.db(), *prompter, QStringLiteral("1"), QStringLiteral("010101"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Ubigeo Zona 1"));
    // The code already chosen is selected when the window opens.
    ASSERT_NE(window.tree()->currentItem(), nullptr);
    EXPECT_EQ(window.tree()->currentItem()->text(1), QStringLiteral("010101"));

    window.selectCode(QStringLiteral("01"));
    prompter->expectMessage(QStringLiteral("Debe seleccionar un distrito de la zona."), Icon::Critical,
                            QStringLiteral("Ubigeo Zona 1"));
    window.aceptar();
    EXPECT_TRUE(window.resultText().isEmpty());

    // A code of the other zone is not offered.
    EXPECT_FALSE(window.selectCode(QStringLiteral("160101")));
}

} // namespace
} // namespace qel::declaration
