#include "batch/BatchRunner.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QTextStream>
#include <gtest/gtest.h>

namespace qel::batch {
namespace {

const QString kRuc = QStringLiteral("20100113610");

struct ScriptRun {
    int outcome = 0;
    QString output;
};

ScriptRun runScript(store::Database& db, const QString& script) {
    ScriptRun run;
    QString errors;
    QTextStream out(&run.output);
    QTextStream err(&errors);
    BatchRunner runner(db, out, err, {QStringLiteral("2018"), QStringLiteral("0588"), QStringLiteral("CONTADOR")});
    run.outcome = runner.run(script);
    run.output += errors;
    return run;
}

int storedLines(store::Database& db) {
    const store::SqlFilter filter = test::demoKey(kRuc).filter();
    return db
        .scalar(QStringLiteral("SELECT count(*) FROM F540DISLEG") + filter.text + QStringLiteral(" AND CASILLA='223'"),
                filter.values)
        .toInt();
}

// The fixed assets in the Amazonía are detailed line by line behind casilla 223: the button
// beside the box opens the list, its total becomes the box, and the lines are stored with the
// declaration while the domicile is in the Amazonía.
TEST(AmazoniaInvestments, TheLinesMakeUpCasilla223AndLeaveWithTheDomicile) {
    test::TempDatabase database;
    test::registerTaxpayer(database.db(), kRuc, QStringLiteral("COMERCIAL ANDINA S.A.C."), QStringLiteral("CONTADOR"));

    const ScriptRun typed = runScript(database.db(), QStringLiteral(R"(new
taxpayer 20100113610
state cmdInverAmazonia
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
)"));
    ASSERT_EQ(typed.outcome, BatchRunner::kDone) << typed.output.toStdString();
    for (const char* expected : {
             "cmdInverAmazonia = {0} disabled\n",
             // An empty list leaves the amount typed.
             "TxtActFijAmazonia = \"5000\" enabled\n",
             "message critical \"\" \"El monto debe ser mayor a 0.\"",
             "rows grdDetalleCasilla total 2\n",
             "txtTotal = \"150,000\"\n",
             "closed frmListDetInverAmazonia \"150000\"\n",
             "TxtActFijAmazonia = \"150000\" enabled\n",
         }) {
        EXPECT_TRUE(typed.output.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                                        << typed.output.toStdString();
    }
    EXPECT_EQ(typed.output.count(QStringLiteral("rows grdDetalleCasilla total 2\n")), 2) << typed.output.toStdString();
    EXPECT_EQ(typed.output.count(QStringLiteral("TxtActFijAmazonia = \"150000\" enabled\n")), 2);
    EXPECT_EQ(storedLines(database.db()), 2);

    const ScriptRun moved = runScript(database.db(), QStringLiteral(R"(open 20100113610
click OptDomFiscal 0
state TxtActFijAmazonia
save
close
)"));
    ASSERT_EQ(moved.outcome, BatchRunner::kDone) << moved.output.toStdString();
    EXPECT_TRUE(moved.output.contains(QStringLiteral("TxtActFijAmazonia = \"\" disabled\n")))
        << moved.output.toStdString();
    EXPECT_EQ(storedLines(database.db()), 0);
}

} // namespace
} // namespace qel::batch
