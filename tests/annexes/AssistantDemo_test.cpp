#include "batch/BatchRunner.h"
#include "declaration/commands/SaveCommand.h"
#include "declaration/model/WorkingCasillas.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QTextStream>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// The demo return whose income statement and tax base are typed through their assistants and
// the detail windows of the form's subjects saves as consistent: its casillas reach DET, its
// rows their permanent tables, and both come back to the working copies on opening.

namespace qel::annexes {
namespace {

const QString kRuc = u"20601000211"_s;

TEST(AssistantDemoTest, TypedThroughItsAssistantsItSavesConsistentAndComesBack) {
    test::TempDatabase database;
    test::registerTaxpayer(database.db(), kRuc, u"CONFECCIONES DEL PACÍFICO S.A.C."_s, u"CONTADOR"_s);
    QString output;
    QString errors;
    QTextStream out{&output};
    QTextStream err{&errors};
    batch::BatchRunner runner{database.db(), out, err, {u"2018"_s, u"0588"_s, u"CONTADOR"_s}};
    const auto run = [&](const QString& script) {
        output.clear();
        EXPECT_EQ(runner.run(script), batch::BatchRunner::kDone) << errors.toStdString() << output.toStdString();
        return output;
    };
    const store::DeclarationKey key = test::demoKey(kRuc);
    const auto stored = [&](int casilla) {
        store::SqlFilter where = key.filter();
        where.andCondition(u"CAST(CASILLA AS INTEGER)=?"_s, {casilla});
        return database.db().scalar(u"SELECT i_valor FROM DET"_s + where.text, where.values).toString();
    };

    const QString typed = run(test::demoReturnScript(u"i_asistentes.txt"_s));
    for (const char* shown : {"closed frmcostos \"1690000\"", "closed frmAsisCasillasEF \"60000\"",
                              "lblDetalle = \"Ingrese el Detalle de Cuentas por cobrar comerciales - terceros : \""}) {
        EXPECT_TRUE(typed.contains(QString::fromUtf8(shown))) << shown;
    }
    const QString saved = run(u"save"_s);
    EXPECT_TRUE(saved.contains(declaration::SaveCommand::kSavedConsistent)) << saved.toStdString();
    const std::pair<int, const char*> casillas[] = {
        {514, "1490000"}, {797, "1690000"}, {670, "2800000"}, {671, "50000"},  {590, "42300"}, {600, "3200"},
        {631, "1350000"}, {638, "50000"},   {601, "460000"},  {609, "520000"}, {522, "2000"},  {545, "1500"}};
    for (const auto& [casilla, value] : casillas) {
        EXPECT_EQ(stored(casilla), QString::fromLatin1(value)) << casilla;
    }
    // The counterparts of 361, the movement lines and the rows of the detail windows.
    const QList<std::pair<QString, int>> tables = {
        {u"F535CASEF"_s, 2},   {u"F535MOV_IME"_s, 3}, {u"F535MOVDA_IME"_s, 2}, {u"F544ADICDEDUC"_s, 1},
        {u"F582OTRGAS"_s, 1},  {u"F535INVEXT"_s, 1},  {u"F535FIDEICO"_s, 1},   {u"F535GNDOMRRTA"_s, 1},
        {u"F582NODOMIC"_s, 1}, {u"F4170DET"_s, 2},    {u"F572DETBAS"_s, 12}};
    for (const auto& [table, rows] : tables) {
        EXPECT_EQ(test::rowCount(database.db(), table, key), rows) << table.toStdString();
    }

    run(u"close\nopen %1"_s.arg(kRuc));
    for (const int casilla : {797, 631}) {
        EXPECT_EQ(declaration::WorkingCasillas::value(database.db(), key, casilla), stored(casilla)) << casilla;
    }
    for (const auto& [table, rows] : tables) {
        EXPECT_EQ(test::rowCount(database.db(), u"TMP"_s + table, key), rows) << table.toStdString();
    }
}

} // namespace
} // namespace qel::annexes
