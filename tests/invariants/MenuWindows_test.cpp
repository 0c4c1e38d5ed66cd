// The print of sent versions, opened from its menu, lists the sent versions only: with one
// registered declaration and none sent its list is empty. (The other menus' windows are opened by
// the print and help scripts.)

#include "batch/BatchFixture.h"

using namespace Qt::StringLiterals;

namespace qel {
namespace {

using MenuWindows = test::BatchTest;

TEST_F(MenuWindows, ThePrintOfSentVersionsListsNoRegisteredDeclaration) {
    test::insertRow(db(), u"CAB"_s, test::demoKey(test::kAndina), {{u"SEMANA"_s, 0}});
    ASSERT_TRUE(runs(u"menu mnuImprimirEnviada\nstate grdDeclaraciones\nclick cmdSalir\n"_s));
    expectPrinted(
        {u"menu mnuImprimirEnviada -> FrmTipPrnR\n"_s, u"grdDeclaraciones = 0\n"_s, u"closed FrmTipPrnR \"\""_s});
}

} // namespace
} // namespace qel
