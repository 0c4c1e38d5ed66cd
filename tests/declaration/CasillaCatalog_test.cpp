#include "base/NumberFormat.h"
#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormPages.h"
#include "declaration/model/DeclarationFormModel.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

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

TEST(CasillaCatalog, DisplayMasksOfTellingCasillas) {
    struct Case {
        int casilla;
        double value;
        const char* shown;
    };
    const Case cases[] = {
        {101, 0, "(0)"},         {101, 5000, "(5,000)"},      {107, 4000, "(4,000)"},
        {106, -5000, "(5,000)"}, {106, 1234567, "1,234,567"}, {113, 17800, "17,800"},
        {686, 0.0123, "0.0123"}, {610, 1.5, "1.50"},          {610, 0.3, "0.30"},
        {228, 3, "3"},           {426, -12, "(12)"},          {490, 0, "(0)"},
    };
    for (const Case& c : cases) {
        const CasillaDef* def = catalog().find(c.casilla);
        ASSERT_NE(def, nullptr);
        EXPECT_EQ(app::formatNumber(c.value, def->displayMask()), QString::fromUtf8(c.shown))
            << "casilla " << c.casilla;
    }
    EXPECT_TRUE(catalog().find(201)->displayMask().isEmpty());
    EXPECT_TRUE(catalog().find(687)->displayMask().isEmpty());
    EXPECT_EQ(catalog().find(328)->displayLength(), 19);
    EXPECT_EQ(catalog().find(328)->editMask(), QStringLiteral("#############"));
}

TEST(CasillaCatalog, TheFormModelStartsWithTheBoxesStates) {
    test::TempDatabase temp;
    test::SilentServices services(temp.db());
    DeclarationFormModel model(services.context());

    struct Start {
        int casilla;
        bool enabled;
        bool locked;
        BoxColour colour;
    };
    const Start starts[] = {
        {113, true, true, BoxColour::ButtonFace},  {201, false, false, BoxColour::ButtonFace},
        {240, false, true, BoxColour::ButtonFace}, {155, false, false, BoxColour::ScrollBar},
        {157, true, true, BoxColour::ScrollBar},   {103, true, false, BoxColour::Cyan},
        {128, true, true, BoxColour::Cyan},        {461, true, false, BoxColour::Cyan},
        {301, true, true, BoxColour::Cyan},        {100, true, true, BoxColour::ButtonFace},
        {180, true, false, BoxColour::White},
    };
    for (const Start& s : starts) {
        const BoxState& box = model.box(s.casilla);
        EXPECT_EQ(std::tuple(box.enabled, box.locked, box.colour), std::tuple(s.enabled, s.locked, s.colour))
            << "casilla " << s.casilla;
    }
    EXPECT_FALSE(model.hasBox(801));
    EXPECT_FALSE(model.control(QStringLiteral("OptItanAnexo")).enabled);
    EXPECT_FALSE(model.control(QStringLiteral("cboBeneficiosTrib")).enabled);
    EXPECT_TRUE(model.control(QStringLiteral("OptITF")).enabled);
    EXPECT_EQ(model.option(QStringLiteral("OptRectifica")), -1);
}

} // namespace
} // namespace qel::declaration
