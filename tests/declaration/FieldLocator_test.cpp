#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormControls.h"
#include "catalogue/FormPages.h"
#include "declaration/model/FieldLocator.h"
#include "declaration/rules/ConsistencyRules.h"

namespace qel::declaration {
namespace {

using namespace Qt::StringLiterals;

TEST(FieldLocator, FindsTheInnermostPageOfABoxOrQuestion) {
    const CasillaDef* c279 = CasillaCatalog::instance().find(279);
    ASSERT_NE(c279, nullptr);

    for (const auto& [control, page, focus] :
         {std::tuple{"279", c279->page, u"279"_s},
          {"txtValor(279)", c279->page, u"279"_s},
          {"OptReorganizacion", u"ident.reorg"_s, u"OptReorganizacion"_s},
          {"cboContador", FormControls::instance().find(u"cboContador"_s)->page, u"cboContador"_s},
          {"eeff.activo", u"eeff.activo"_s, QString()},
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
