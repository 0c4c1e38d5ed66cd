// Every casilla number that the load or the save meets has one storage, and it is the one the
// load, the save and the DET writer used to decide each on its own: the ranges below are those
// they kept, written out again so that a changed catalogue row shows up here.

#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormControls.h"
#include "store/ParamLayouts.h"
#include "support/TestSupport.h"

#include <QList>
#include <QSqlQuery>
#include <gtest/gtest.h>
#include <utility>

namespace qel::declaration {
namespace {

using Ranges = QList<std::pair<int, int>>;

bool in(int n, const Ranges& ranges) {
    for (const auto& [first, last] : ranges) {
        if (n >= first && n <= last) {
            return true;
        }
    }
    return false;
}

const CasillaCatalog& catalog() {
    return CasillaCatalog::instance();
}

// In the load's order: the first row that holds a number decides where it goes.
struct Where {
    const char* name;
    Storage storage;
    Ranges ranges;
};
const QList<Where> kWhere = {
    {"answers", Storage::Answer, {{213, 213}, {215, 215}, {217, 219}, {289, 289}, {292, 292}, {444, 444},
                                  {661, 662}, {780, 780}, {802, 805}, {807, 810}, {813, 813}, {816, 816},
                                  {819, 823}, {827, 827}, {829, 830}, {840, 840}, {860, 860}, {870, 870},
                                  {873, 875}, {878, 878}, {880, 880}, {895, 895}}},
    {"detail table", Storage::DetailTable, {{676, 699}}},
    {"kept out of boxes",
     Storage::Kept,
     {{2, 2},     {5, 5},     {7, 7},     {12, 12},   {15, 15},   {202, 204}, {250, 264}, {318, 324}, {395, 397},
      {495, 497}, {510, 559}, {590, 597}, {600, 639}, {656, 656}, {659, 659}, {705, 716}, {721, 721}, {727, 752},
      {755, 778}, {782, 782}, {790, 797}, {801, 801}, {833, 838}, {861, 868}, {881, 899}}},
};

TEST(CasillaStorage, EveryNumberHasTheStorageTheLoadGaveIt) {
    for (int n = 0; n <= 999; ++n) {
        Storage expected = Storage::Box;
        const char* from = "boxes";
        const ControlDef* control = FormControls::instance().answeredIn(n);
        if (control != nullptr && (control->kind == ControlKind::TextBox || control->kind == ControlKind::DateBox ||
                                   control->kind == ControlKind::ComboBox)) {
            expected = Storage::Control;
            from = "a named control";
        }
        for (const Where& row : kWhere) {
            if (expected == Storage::Control && row.storage != Storage::Kept) {
                continue;
            }
            if (in(n, row.ranges)) {
                expected = row.storage;
                from = row.name;
                break;
            }
        }
        EXPECT_EQ(catalog().storage(n).where, expected) << "casilla " << n << " (" << from << ")";
    }
    EXPECT_EQ(catalog().storage(-1).where, Storage::Box);
    EXPECT_EQ(catalog().storage(1000).where, Storage::Box);
}

TEST(CasillaStorage, TheSaveKeepsTheRowsOfTheDetailWindowsAndWritesTheSummedOnes) {
    const Ranges windowRows = {{202, 204}, {250, 264}, {318, 319}, {321, 324}, {395, 397}, {495, 497}, {510, 559},
                               {590, 590}, {594, 597}, {600, 609}, {611, 619}, {621, 629}, {631, 639}, {656, 659},
                               {694, 697}, {727, 752}, {833, 838}, {861, 868}, {881, 894}, {896, 899}};
    const QList<std::pair<Ranges, int>> summed = {{{{432, 438}}, 486}, {{{674, 675}}, 476}, {{{688, 699}}, 128}};
    for (int n = 0; n <= 999; ++n) {
        const CasillaStorage& s = catalog().storage(n);
        int summary = 0;
        for (const auto& [ranges, total] : summed) {
            summary = in(n, ranges) ? total : summary;
        }
        EXPECT_EQ(s.summary, summary) << "casilla " << n;
        const CasillaDef* def = catalog().find(n);
        const bool ownedByWindow = def != nullptr && !def->hasBox && !def->window.isEmpty() && summary == 0;
        EXPECT_EQ(s.windowRow, in(n, windowRows) || ownedByWindow) << "casilla " << n;
    }
}

TEST(CasillaStorage, TextsAndTheItfAreOneSetEach) {
    const Ranges texts = {{15, 15},   {207, 207}, {209, 209}, {211, 212}, {221, 221},
                          {224, 226}, {245, 245}, {247, 254}, {580, 582}, {610, 610},
                          {686, 687}, {721, 721}, {790, 790}, {812, 812}, {871, 871}};
    const Ranges itf = {{143, 143}, {155, 165}, {181, 181}, {565, 565}};
    QList<int> expectedItf;
    for (int n = 0; n <= 999; ++n) {
        const CasillaDef* def = catalog().find(n);
        const bool textEntry = def != nullptr && def->value == ValueClass::Text;
        EXPECT_EQ(catalog().storage(n).text, in(n, texts) || textEntry) << "casilla " << n;
        EXPECT_EQ(catalog().storage(n).itf, in(n, itf)) << "casilla " << n;
        if (in(n, itf)) {
            expectedItf.append(n);
        }
        if (def != nullptr) {
            // The entry carries the same storage as the number.
            EXPECT_EQ(def->storage.where, catalog().storage(n).where) << "casilla " << n;
            EXPECT_EQ(def->storage.text, def->storedAsText) << "casilla " << n;
            if (def->kind == BoxKind::Itf) {
                EXPECT_TRUE(def->storage.itf) << "casilla " << n << " is on the ITF page";
            }
        }
    }
    EXPECT_EQ(catalog().itfCasillas(), expectedItf);
}

// The reference rows of the form's casillas tag the ITF ones as the catalogue stores them.
TEST(CasillaStorage, TheReferenceRowsTagTheItfCasillasOfTheCatalogue) {
    test::TempDatabase database;
    QSqlQuery rows = database.db().run(QStringLiteral("SELECT Argumento, Funcion FROM PARAM WHERE Numero=?"),
                                       {store::param_list::kCasillaWriter});
    int seen = 0;
    while (rows.next()) {
        const int n = rows.value(0).toString().mid(4).toInt();
        const QString tag = rows.value(1).toString().left(9).trimmed();
        EXPECT_EQ(tag, catalog().storage(n).itf ? QStringLiteral("ITF") : QStringLiteral("RENTA")) << "casilla " << n;
        ++seen;
    }
    EXPECT_GT(seen, 800);
}

} // namespace
} // namespace qel::declaration
