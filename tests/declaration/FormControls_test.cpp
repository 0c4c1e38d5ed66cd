#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormControls.h"
#include "catalogue/FormPages.h"
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

} // namespace
} // namespace qel::declaration
