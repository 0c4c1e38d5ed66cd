#include "declaration/ui/frmUbigeo.h"
#include "support/TestSupport.h"

#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace qel::declaration {
namespace {

// The zone's departments in the tree, the code chosen before selected, and a district handed
// back. Refusals (a department, a code of another zone) are the picker's own: the batch form
// dialog tests cover them.
TEST(FrmUbigeo, ListsTheZoneAndReturnsTheChosenDistrict) {
    test::TempDatabase database;
    const auto prompter = test::makePrompter();
    frmUbigeo window(database.db(), *prompter, QStringLiteral("2"), QStringLiteral("250103"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Ubigeo Zona 2"));
    ASSERT_EQ(window.tree()->topLevelItemCount(), 3);
    EXPECT_EQ(window.tree()->topLevelItem(2)->text(0), QStringLiteral("UCAYALI"));
    ASSERT_NE(window.tree()->currentItem(), nullptr);
    EXPECT_EQ(window.tree()->currentItem()->text(1), QStringLiteral("250103"));

    ASSERT_TRUE(window.selectCode(QStringLiteral("250104")));
    window.findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(window.resultText(), QStringLiteral("250104"));
    EXPECT_TRUE(prompter->verify());
}

} // namespace
} // namespace qel::declaration
