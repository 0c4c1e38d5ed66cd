#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormPages.h"

#include <QSet>
#include <gtest/gtest.h>

namespace qel::declaration {
namespace {

const CasillaCatalog& catalog() {
    return CasillaCatalog::instance();
}

// What holds for every casilla whatever the catalogue lists: one entry per number, on a page,
// with a label; an assistant box and only it opens a window; a text is stored as text.
TEST(CasillaCatalog, EveryCasillaIsListedOnceOnAPageWithItsLabelAndStorage) {
    QSet<int> seen;
    for (const CasillaDef& c : catalog().all()) {
        EXPECT_FALSE(seen.contains(c.number)) << "casilla " << c.number << " twice";
        seen.insert(c.number);
        EXPECT_NE(FormPages::find(c.page), nullptr) << "casilla " << c.number << " on page '" << c.page.toStdString();
        EXPECT_FALSE(c.label.trimmed().isEmpty()) << "casilla " << c.number << " has no label";
        EXPECT_EQ(catalog().find(c.number), &c);
        if (c.hasBox) {
            EXPECT_EQ(c.kind == BoxKind::Assistant, !c.window.isEmpty()) << "casilla " << c.number;
        }
        if (c.value == ValueClass::Text) {
            EXPECT_TRUE(c.storedAsText) << "casilla " << c.number;
        }
    }
    EXPECT_EQ(catalog().boxes().size(), 221);
}

} // namespace
} // namespace qel::declaration
