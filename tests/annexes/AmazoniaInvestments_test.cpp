#include "batch/BatchFixture.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qel::test {
namespace {

class AmazoniaInvestments : public BatchTest {
protected:
    int storedLines() {
        const store::SqlFilter filter = demoKey(kAndina).filter();
        return db()
            .scalar(u"SELECT count(*) FROM F540DISLEG"_s + filter.text + u" AND CASILLA='223'"_s, filter.values)
            .toInt();
    }
};

// The fixed assets in the Amazonía are detailed line by line behind casilla 223: an empty list
// leaves the amount typed, its total becomes the box, and the lines are stored with the
// declaration while the domicile is in the Amazonía.
TEST_F(AmazoniaInvestments, TheLinesMakeUpCasilla223AndLeaveWithTheDomicile) {
    ASSERT_TRUE(runs(QStringLiteral(R"(new
taxpayer 20100113610
click OptUbicAmazonia 1
click OptDomFiscal 1
text TxtActFijAmazonia 5000
click cmdInverAmazonia
click cmdAccion 3
state TxtActFijAmazonia
click cmdInverAmazonia
click cmdAccion 0
text des_concepto ALMACEN EN IQUITOS
text mto_peru 0
click cmdAccion 0
text mto_peru 120000
click cmdAccion 0
text des_concepto CAMION FRIGORIFICO
text mto_peru 30000
click cmdAccion 0
click cmdAccion 1
rows grdDetalleCasilla
state txtTotal
click cmdAccion 3
state TxtActFijAmazonia
click OptITF 0
click OptPlan 2
save
close
open 20100113610
state TxtActFijAmazonia
click cmdInverAmazonia
rows grdDetalleCasilla
click cmdAccion 3
close
)")));
    expectPrinted({
        // An empty list leaves the amount typed.
        u"TxtActFijAmazonia = \"5000\" enabled\n"_s,
        u"message critical \"\" \"El monto debe ser mayor a 0.\""_s,
        u"txtTotal = \"150,000\"\n"_s,
        u"closed frmListDetInverAmazonia \"150000\"\n"_s,
    });
    // Reopened, the same two lines and the same amount.
    EXPECT_EQ(output.count(u"rows grdDetalleCasilla total 2\n"_s), 2) << output.toStdString();
    EXPECT_EQ(output.count(u"TxtActFijAmazonia = \"150000\" enabled\n"_s), 2);
    EXPECT_EQ(storedLines(), 2);

    ASSERT_TRUE(runs(u"open 20100113610\nclick OptDomFiscal 0\nstate TxtActFijAmazonia\nsave\nclose\n"_s));
    expectPrinted({u"TxtActFijAmazonia = \"\" disabled\n"_s});
    EXPECT_EQ(storedLines(), 0);
}

} // namespace
} // namespace qel::test
