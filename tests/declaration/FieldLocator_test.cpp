#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormControls.h"
#include "catalogue/FormPages.h"
#include "declaration/model/FieldLocator.h"
#include "declaration/rules/ConsistencyRules.h"

namespace qel::declaration {
namespace {

TEST(FieldLocator, FindsTheInnermostPageOfABoxOrQuestion) {
    const CasillaDef* c279 = CasillaCatalog::instance().find(279);
    ASSERT_NE(c279, nullptr);

    for (const auto& [control, page, focus] :
         {std::tuple{"279", c279->page, QStringLiteral("279")},
          {"txtValor(279)", c279->page, QStringLiteral("279")},
          {"OptReorganizacion", QStringLiteral("ident.reorg"), QStringLiteral("OptReorganizacion")},
          {"cboContador", FormControls::instance().find(QStringLiteral("cboContador"))->page,
           QStringLiteral("cboContador")},
          {"eeff.activo", QStringLiteral("eeff.activo"), QString()},
          {"noSuchControl", QString(), QString()},
          {"99999", QString(), QString()}}) {
        const FieldLocation location = FieldLocator::locate(QString::fromLatin1(control));
        EXPECT_EQ(location.pageId, page) << control;
        EXPECT_EQ(location.focusTarget, focus) << control;
    }
}

// A rule without a place would leave the user on the first page with a message about a
// question somewhere else.
TEST(FieldLocator, EveryConsistencyRuleKnowsWhereItsQuestionIs) {
    for (const auto* rules : {&ConsistencyRules::declarationRules(), &ConsistencyRules::identificationRules()}) {
        for (const ConsistencyRules::Rule& rule : *rules) {
            const FieldLocation location = FieldLocator::locate(rule.control);
            EXPECT_TRUE(location.isValid()) << qPrintable(rule.name) << " -> " << qPrintable(rule.control);
            EXPECT_NE(FormPages::find(location.pageId), nullptr) << qPrintable(rule.name);
        }
    }
}

} // namespace
} // namespace qel::declaration
