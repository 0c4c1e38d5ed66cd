#include "app/Clock.h"
#include "app/UtilityComponent.h"
#include "base/NumberFormat.h"
#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormPages.h"
#include "declaration/model/DeclarationFormModel.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

namespace qel::declaration {
namespace {

// "1, 2, 300-308, 310" -> {1, 2, 300, ..., 308, 310}
QSet<int> numbers(const QString& list) {
    QSet<int> result;
    for (const QString& part : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList bounds = part.trimmed().split(QLatin1Char('-'));
        const int first = bounds.first().toInt();
        const int last = bounds.last().toInt();
        for (int n = first; n <= last; ++n) {
            result.insert(n);
        }
    }
    return result;
}

const QSet<int> kBoxes = numbers(QStringLiteral(
    "1, 2, 3, 4, 5, 6, 12, 100, 101, 103, 105, 106, 107, 108, 110, 111, 113, 120, 123, 124, 125, 126, 127, 128, "
    "129, 130, 131, 134, 136, 137, 138, 139, 140, 141, 142, 143, 144, 145, 146, 155, 156, 157, 158, 159, 160, 161, "
    "163, 164, 165, 180, 181, 201, 207, 208, 211, 216, 222, 224, 225, 226, 227, 228, 238, 240, 241, 242, 243, 245, "
    "249, 264, 275, 276, 277, 278, 279, 300-308, 310, 311, 313-317, 325-333, 335-342, 344-350, 352-356, 358-390, "
    "401-412, 414-426, 461-464, 466-473, 475-478, 480, 481, 483-487, 489, 490, 492, 493, 504, 505, 506, 565, 610, "
    "686, 687, 701, 702, 703, 704, 854, 856, 858, 876, 877"));

const QSet<int> kAnswerCasillas = numbers(QStringLiteral(
    "5, 12, 15, 199, 210, 217, 218, 219, 221, 223, 233, 239, 280-283, 292, 293, 444, 580-582, 599, 661, 662, 780, "
    "781, 801-830, 840, 860, 870, 871, 873-875, 878, 880, 895"));

const QSet<int> kDetailCasillas = numbers(QStringLiteral(
    "202-204, 250-263, 318-324, 395-397, 432-438, 495-497, 510-559, 590-597, 600-609, 611-639, 656-659, 674, 675, "
    "688-699, 705-716, 727-752, 755-778, 791-797, 833-838, 861-868, 881-894, 896-899"));

const CasillaCatalog& catalog() {
    return CasillaCatalog::instance();
}

TEST(CasillaCatalog, HoldsExactlyTheBoxesOfTheForm) {
    QSet<int> boxes;
    for (const CasillaDef* c : catalog().boxes()) {
        boxes.insert(c->number);
    }
    EXPECT_EQ(kBoxes.size(), 221);
    EXPECT_EQ(boxes.size(), catalog().boxes().size());
    for (const int n : kBoxes - boxes) {
        ADD_FAILURE() << "no box for casilla " << n;
    }
    for (const int n : boxes - kBoxes) {
        ADD_FAILURE() << "box " << n << " is not on the form";
    }
}

TEST(CasillaCatalog, HoldsEveryBoxlessCasillaOnceWithItsPageAndLabel) {
    QSet<int> seen;
    for (const CasillaDef& c : catalog().all()) {
        EXPECT_FALSE(seen.contains(c.number)) << "casilla " << c.number << " twice";
        seen.insert(c.number);
        EXPECT_NE(FormPages::find(c.page), nullptr) << "casilla " << c.number << " on page '" << c.page.toStdString();
        EXPECT_FALSE(c.label.trimmed().isEmpty()) << "casilla " << c.number << " has no label";
        EXPECT_EQ(catalog().find(c.number), &c);
    }
    for (const int n : kAnswerCasillas + kDetailCasillas) {
        const CasillaDef* c = catalog().find(n);
        ASSERT_NE(c, nullptr) << "casilla " << n << " missing";
        EXPECT_EQ(c->hasBox, kBoxes.contains(n)) << "casilla " << n;
    }
    // A detail-window casilla names the window that keeps it.
    for (const int n : kDetailCasillas) {
        EXPECT_FALSE(catalog().find(n)->window.isEmpty()) << "casilla " << n << " has no owner window";
    }
}

TEST(CasillaCatalog, KindsFollowTheBoxesBehaviour) {
    const QSet<int> switched = numbers(QStringLiteral("201, 216, 222, 224, 228, 238, 275-277, 279"));
    const QSet<int> itf = numbers(QStringLiteral("155-160"));
    const QSet<int> trialBalance = numbers(QStringLiteral("240-243"));
    const QSet<int> hidden = numbers(QStringLiteral("1-6, 12, 245, 249, 264, 854, 856, 858"));
    // Every box a formula writes.
    const QSet<int> computed = numbers(QStringLiteral(
        "100, 101, 106, 107, 110, 111, 113, 138, 139, 146, 161, 165, 330, 342, 356, 358, 390, 412, 425, 426, 463, "
        "466, 467, 470, 471, 484, 485, 487, 489, 492, 493, 504, 505, 506, 565, 610, 686, 701-704"));
    for (const CasillaDef* c : catalog().boxes()) {
        const int n = c->number;
        BoxKind expected = BoxKind::Entry;
        if (switched.contains(n)) {
            expected = BoxKind::Switched;
        } else if (itf.contains(n)) {
            expected = BoxKind::Itf;
        } else if (trialBalance.contains(n)) {
            expected = BoxKind::TrialBalance;
        } else if (hidden.contains(n)) {
            expected = BoxKind::Hidden;
        } else if (computed.contains(n)) {
            expected = BoxKind::Computed;
        } else if (!c->window.isEmpty()) {
            expected = BoxKind::Assistant;
        }
        EXPECT_EQ(c->kind, expected) << "casilla " << n;
        EXPECT_EQ(c->kind == BoxKind::Assistant, !c->window.isEmpty()) << "casilla " << n;
    }
}

TEST(CasillaCatalog, AssistantBoxesOpenTheirWindow) {
    const QList<std::pair<QString, QString>> table = {
        {QStringLiteral("103"), QStringLiteral("frmAnexo103")},
        {QStringLiteral("105"), QStringLiteral("frmAnexo105")},
        {QStringLiteral("108"), QStringLiteral("frmAnexo108")},
        {QStringLiteral("123"), QStringLiteral("frmAnexo123")},
        {QStringLiteral("125, 129, 136"), QStringLiteral("frmAnexo136")},
        {QStringLiteral("126"), QStringLiteral("frmAnexo126")},
        {QStringLiteral("127"), QStringLiteral("frmAnexo127")},
        {QStringLiteral("128"), QStringLiteral("frmanexo128")},
        {QStringLiteral("130"), QStringLiteral("frmAnexo130")},
        {QStringLiteral("131"), QStringLiteral("frmAnexo131")},
        {QStringLiteral("227"), QStringLiteral("frmAnexo227")},
        {QStringLiteral("278"), QStringLiteral("frmAnexo278")},
        {QStringLiteral("317, 380-382"), QStringLiteral("frmanexo317A")},
        {QStringLiteral("328, 383"), QStringLiteral("frmanexo328B")},
        {QStringLiteral("301, 303, 304, 335, 337, 361, 362, 364, 365, 367, 404, 405, 407, 408"),
         QStringLiteral("frasiscasillasef")},
        {QStringLiteral("876, 877"), QStringLiteral("frmVehiculos")},
        {QStringLiteral("464"), QStringLiteral("frmcostos")},
    };
    for (const auto& [list, window] : table) {
        for (const int n : numbers(list)) {
            ASSERT_NE(catalog().find(n), nullptr);
            EXPECT_EQ(catalog().find(n)->window, window) << "casilla " << n;
        }
    }
    for (const int n : numbers(QStringLiteral("461, 473, 475, 476, 477, 486"))) {
        const QString window = catalog().find(n)->window;
        EXPECT_TRUE(window == QStringLiteral("frmpergan") || window == QStringLiteral("frmpergan2015"))
            << "casilla " << n;
    }
}

TEST(CasillaCatalog, ValueClassesAndKeyRules) {
    const QSet<int> deductions = numbers(QStringLiteral(
        "101, 105, 107, 108, 111, 123-131, 134, 136, 138, 141, 143, 144, 163, 227, 279, 303, 326, 328, 353, 355, 367, "
        "376, 383, 386, 387, 417, 422, 424, 462, 464, 467-469, 471, 472, 478, 480, 483, 485, 486, 489, 490, 493"));
    const QSet<int> signedAmounts =
        numbers(QStringLiteral("106, 146, 165, 330, 342, 356, 358, 390, 425, 426, 505, 506, 565"));
    const QSet<int> texts = numbers(QStringLiteral("201, 207, 208, 211, 216, 222, 224, 225, 226, 687"));
    const QSet<int> storedAsText =
        numbers(QStringLiteral("15, 207, 221, 224, 225, 226, 245, 250-254, 211, 580-582, 610, 686, 687, 812, 871"));
    for (const CasillaDef* c : catalog().boxes()) {
        const int n = c->number;
        EXPECT_EQ(c->value == ValueClass::Deduction, deductions.contains(n)) << "casilla " << n;
        if (signedAmounts.contains(n)) {
            EXPECT_EQ(c->value, ValueClass::SignedAmount) << "casilla " << n;
        }
        if (texts.contains(n)) {
            EXPECT_EQ(c->value, ValueClass::Text) << "casilla " << n;
        }
    }
    for (const int n : storedAsText) {
        EXPECT_TRUE(catalog().find(n)->storedAsText) << "casilla " << n;
    }
    for (const CasillaDef& c : catalog().all()) {
        if (c.value == ValueClass::Text) {
            EXPECT_TRUE(c.storedAsText) << "casilla " << c.number;
        }
    }

    struct Rule {
        const char* casillas;
        KeyRule keys;
        int maxLength;
    };
    const Rule rules[] = {
        {"137", KeyRule::Option137, 1},
        {"211", KeyRule::UpperCodeText, 8},
        {"225, 687", KeyRule::UpperCodeText, 0},
        {"201, 216, 222", KeyRule::UpperAlnum, 15},
        {"227", KeyRule::UpperAlnum, 0},
        {"226", KeyRule::RepresentativeDocument, 0},
        {"276, 277, 278, 279", KeyRule::Digits, 15},
        {"224", KeyRule::Digits, 10},
        {"228, 238, 275", KeyRule::Digits, 2},
        {"207", KeyRule::Digits, 8},
        {"240-243", KeyRule::Digits, 12},
        {"100, 113, 180, 359", KeyRule::Digits, 0},
    };
    for (const Rule& rule : rules) {
        for (const int n : numbers(QString::fromUtf8(rule.casillas))) {
            EXPECT_EQ(catalog().find(n)->keys, rule.keys) << "casilla " << n;
            EXPECT_EQ(catalog().find(n)->maxLength, rule.maxLength) << "casilla " << n;
        }
    }
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

TEST(CasillaCatalog, StatementBoxesBelongToOneChart) {
    for (const CasillaDef* c : catalog().boxes()) {
        const int n = c->number;
        const int chart = (n >= 300 && n <= 358) ? 1 : (n >= 359 && n <= 426) ? 2 : 0;
        EXPECT_EQ(c->chart, chart) << "casilla " << n;
    }
}

TEST(CasillaCatalog, TheFormModelStartsWithTheBoxesStates) {
    test::TempDatabase temp;
    auto prompter = test::makePrompter();
    app::FixedClock clock(QDateTime(QDate(2019, 3, 1), QTime(10, 0)));
    app::UtilityComponent utility(*prompter);
    test::RecordingOpener opener;
    DeclarationFormModel model(
        test::formContext(temp.db(), *prompter, clock, utility, opener, QStringLiteral("ADMIN"), QStringLiteral("1")));

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
        EXPECT_EQ(box.enabled, s.enabled) << "casilla " << s.casilla;
        EXPECT_EQ(box.locked, s.locked) << "casilla " << s.casilla;
        EXPECT_EQ(box.colour, s.colour) << "casilla " << s.casilla;
    }
    EXPECT_FALSE(model.hasBox(801));
    EXPECT_FALSE(model.control(QStringLiteral("OptItanAnexo")).enabled);
    EXPECT_FALSE(model.control(QStringLiteral("cboBeneficiosTrib")).enabled);
    EXPECT_TRUE(model.control(QStringLiteral("OptITF")).enabled);
    EXPECT_EQ(model.option(QStringLiteral("OptRectifica")), -1);
}

} // namespace
} // namespace qel::declaration
