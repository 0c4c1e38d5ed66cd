#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormControls.h"
#include "catalogue/FormPages.h"
#include "declaration/model/FieldLocator.h"
#include "declaration/rules/ConsistencyRules.h"
#include "support/TestSupport.h"

#include <QRegularExpression>
#include <QSet>
#include <QSqlRecord>
#include <gtest/gtest.h>

namespace qel::declaration {
namespace {

using namespace Qt::StringLiterals;

const FormControls& controls() {
    return FormControls::instance();
}

// What holds for every casilla whatever the catalogue lists: one entry per number, on a page,
// with a label; an assistant box and only it opens a window; a text is stored as text.
TEST(CasillaCatalog, EveryCasillaIsListedOnceOnAPageWithItsLabelAndStorage) {
    const CasillaCatalog& catalog = CasillaCatalog::instance();
    QSet<int> seen;
    for (const CasillaDef& c : catalog.all()) {
        EXPECT_FALSE(seen.contains(c.number)) << "casilla " << c.number << " twice";
        seen.insert(c.number);
        EXPECT_NE(FormPages::find(c.page), nullptr) << "casilla " << c.number << " on page '" << c.page.toStdString();
        EXPECT_FALSE(c.label.trimmed().isEmpty()) << "casilla " << c.number << " has no label";
        EXPECT_EQ(catalog.find(c.number), &c);
        if (c.hasBox) {
            EXPECT_EQ(c.kind == BoxKind::Assistant, !c.window.isEmpty()) << "casilla " << c.number;
        }
        if (c.value == ValueClass::Text) {
            EXPECT_TRUE(c.storedAsText) << "casilla " << c.number;
        }
    }
}

// Every casilla a control stores into is a casilla of the catalogue, answered by that control;
// only the off-screen box of the income-tax check box has a box.
TEST(FormControls, EveryStoredCasillaIsACatalogueCasillaWithoutBox) {
    for (const ControlDef& c : controls().all()) {
        QList<int> stored = c.moreCasillas + c.memberCasillas.values();
        if (c.answerCasilla != 0) {
            stored.append(c.answerCasilla);
            EXPECT_NE(controls().answeredIn(c.answerCasilla), nullptr) << c.name.toStdString();
        }
        for (const int n : stored) {
            const CasillaDef* def = CasillaCatalog::instance().find(n);
            ASSERT_NE(def, nullptr) << c.name.toStdString() << " stores into unknown casilla " << n;
            EXPECT_EQ(def->hasBox, n == 5) << c.name.toStdString() << " casilla " << n;
        }
    }
}

TEST(FormControls, NamesPagesCaptionsAndMembers) {
    const QRegularExpression placeholder(u"\\{([^}]*)\\}"_s);
    QSet<QString> seen;
    for (const ControlDef& c : controls().all()) {
        const std::string name = c.name.toStdString();
        EXPECT_FALSE(seen.contains(c.name)) << name << " twice";
        seen.insert(c.name);
        EXPECT_EQ(controls().find(c.name), &c);
        // Only the form's own commands stand outside the pages.
        if (c.page.isEmpty()) {
            EXPECT_EQ(c.kind, ControlKind::CommandArray) << name;
        } else {
            EXPECT_NE(FormPages::find(c.page), nullptr) << name << " on page '" << c.page.toStdString() << "'";
        }
        QStringList texts = {c.caption};
        for (const GridColumn& column : c.columns) {
            texts.append(column.heading);
        }
        for (const QString& text : texts) {
            for (auto it = placeholder.globalMatch(text); it.hasNext();) {
                const QString key = it.next().captured(1);
                EXPECT_TRUE(key == u"periodo"_s || key == u"monto"_s) << name;
            }
        }
        if (c.kind == ControlKind::OptionGroup) {
            EXPECT_FALSE(c.caption.trimmed().isEmpty()) << name;
            EXPECT_NE(c.answerCasilla, 0) << name;
            EXPECT_GE(c.members.size(), 2) << name;
            if (!c.answerLetters.isEmpty()) {
                EXPECT_EQ(c.answerLetters.size(), c.members.size()) << name;
            }
        }
        if (c.kind == ControlKind::CommandArray) {
            for (auto it = c.windows.cbegin(); it != c.windows.cend(); ++it) {
                EXPECT_TRUE(c.members.contains(it.key())) << name << " opens a window from a missing button";
            }
        }
    }
}

TEST(FormControls, GridAndTotalQueriesRunOnAFreshDatabase) {
    test::TempDatabase temp;
    int grids = 0;
    for (const ControlDef& c : controls().all()) {
        if (c.query.isEmpty()) {
            continue;
        }
        const std::string name = c.name.toStdString();
        QSqlQuery query;
        EXPECT_NO_THROW(query = temp.db().run(c.query)) << name;
        const QSqlRecord record = query.record();
        for (const GridColumn& column : c.columns) {
            EXPECT_GE(record.indexOf(column.field), 0) << name << " has no field " << column.field.toStdString();
        }
        if (c.kind == ControlKind::Grid) {
            ++grids;
            EXPECT_FALSE(c.columns.isEmpty()) << name;
            EXPECT_TRUE(c.query.contains(c.table, Qt::CaseInsensitive)) << name;
        }
    }
    EXPECT_GT(grids, 0);
}

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
