#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormControls.h"
#include "catalogue/FormPages.h"
#include "declaration/ValidationFixture.h"
#include "declaration/model/FieldLocator.h"
#include "declaration/rules/ConsistencyRules.h"

namespace qel::declaration {
namespace {

TEST(FieldLocator, FindsTheInnermostPageOfABoxOrQuestion) {
    const CasillaDef* c279 = CasillaCatalog::instance().find(279);
    ASSERT_NE(c279, nullptr);
    struct Case {
        const char* control;
        QString page;
        QString focus;
    };
    const Case cases[] = {
        {"279", c279->page, QStringLiteral("279")},
        {"txtValor(279)", c279->page, QStringLiteral("279")},
        {"OptReorganizacion", QStringLiteral("ident.reorg"), QStringLiteral("OptReorganizacion")},
        {"cboContador", FormControls::instance().find(QStringLiteral("cboContador"))->page,
         QStringLiteral("cboContador")},
        {"eeff.activo", QStringLiteral("eeff.activo"), QString()},
        {"noSuchControl", QString(), QString()},
        {"99999", QString(), QString()},
    };
    for (const Case& c : cases) {
        const FieldLocation location = FieldLocator::locate(QString::fromLatin1(c.control));
        EXPECT_EQ(location.pageId, c.page) << c.control;
        EXPECT_EQ(location.focusTarget, c.focus) << c.control;
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

class ReportControlsTest : public testing::ValidationTest {};

TEST_F(ReportControlsTest, EachReportLineKnowsItsControl) {
    makeConsistent();
    model->setText(155, QStringLiteral("100"));
    model->setText(156, QStringLiteral("200"));
    typeControl("txtTelCon", QStringLiteral("12345"));

    EXPECT_EQ(check(), ConsistencyCheck::Outcome::Inconsistent);
    EXPECT_EQ(reportLines().size(), 2);
    EXPECT_EQ(model->reportControls, (QStringList{QStringLiteral("txtTelCon"), QStringLiteral("156")}));
}

} // namespace
} // namespace qel::declaration
