// Every casilla number that the load or the save meets has one storage, shared by the load, the
// save and the DET writer.

#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormControls.h"
#include "store/ParamLayouts.h"
#include "support/TestSupport.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qel::declaration {
namespace {

const CasillaCatalog& catalog() {
    return CasillaCatalog::instance();
}

// A box of the ITF page is stored with the ITF; a casilla a detail window owns is kept as a row
// of that window unless it is summed into a box, which must be one the form shows; a number the
// catalogue does not know is a plain box.
TEST(CasillaStorage, EveryEntryIsStoredWhereItsKindKeepsIt) {
    for (int n = 0; n < 1000; ++n) {
        const CasillaStorage& s = catalog().storage(n);
        if (s.summary != 0) {
            ASSERT_NE(catalog().find(s.summary), nullptr) << "casilla " << n;
            EXPECT_TRUE(catalog().find(s.summary)->hasBox) << "casilla " << n;
        }
        const CasillaDef* def = catalog().find(n);
        if (def != nullptr && def->kind == BoxKind::Itf) {
            EXPECT_TRUE(s.itf) << "casilla " << n << " is on the ITF page";
        }
        if (def != nullptr && !def->hasBox && !def->window.isEmpty() && s.summary == 0) {
            EXPECT_TRUE(s.windowRow) << "casilla " << n;
        }
    }
    EXPECT_EQ(catalog().storage(-1).where, Storage::Box);
    EXPECT_EQ(catalog().storage(1000).where, Storage::Box);
}

// The reference rows of the form's casillas tag the ITF ones as the catalogue stores them.
TEST(CasillaStorage, TheReferenceRowsTagTheItfCasillasOfTheCatalogue) {
    test::TempDatabase database;
    QSqlQuery rows = database.db().run(u"SELECT Argumento, Funcion FROM PARAM WHERE Numero=?"_s,
                                       {store::param_list::kCasillaWriter});
    int seen = 0;
    while (rows.next()) {
        const int n = rows.value(0).toString().mid(4).toInt();
        const QString tag = rows.value(1).toString().left(9).trimmed();
        EXPECT_EQ(tag, catalog().storage(n).itf ? u"ITF"_s : u"RENTA"_s) << "casilla " << n;
        ++seen;
    }
    EXPECT_GT(seen, 800);
}

} // namespace
} // namespace qel::declaration
