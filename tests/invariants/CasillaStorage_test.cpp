// Every casilla number that the load or the save meets has one storage, shared by the load, the
// save and the DET writer.

#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormControls.h"
#include "store/ParamLayouts.h"
#include "support/TestSupport.h"

#include <QList>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qel::declaration {
namespace {

const CasillaCatalog& catalog() {
    return CasillaCatalog::instance();
}

// A catalogue entry carries the storage of its number; a text entry is stored as text, a box of
// the ITF page with the ITF; a casilla a detail window owns is kept as a row of that window
// unless it is summed into a box.
TEST(CasillaStorage, EveryEntryCarriesTheStorageOfItsNumber) {
    QList<int> itf;
    for (int n = -1; n <= 1000; ++n) {
        const CasillaStorage& s = catalog().storage(n);
        if (s.itf) {
            itf.append(n);
        }
        if (s.summary != 0) {
            ASSERT_NE(catalog().find(s.summary), nullptr) << "casilla " << n;
            EXPECT_TRUE(catalog().find(s.summary)->hasBox) << "casilla " << n;
        }
        const CasillaDef* def = catalog().find(n);
        if (def == nullptr) {
            continue;
        }
        EXPECT_EQ(def->storage.where, s.where) << "casilla " << n;
        EXPECT_EQ(def->storage.text, def->storedAsText) << "casilla " << n;
        EXPECT_EQ(s.text, def->storedAsText) << "casilla " << n;
        if (def->kind == BoxKind::Itf) {
            EXPECT_TRUE(s.itf) << "casilla " << n << " is on the ITF page";
        }
        if (!def->hasBox && !def->window.isEmpty() && s.summary == 0) {
            EXPECT_TRUE(s.windowRow) << "casilla " << n;
        }
    }
    EXPECT_EQ(catalog().itfCasillas(), itf);
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
