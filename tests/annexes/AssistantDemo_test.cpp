#include "batch/BatchFixture.h"
#include "declaration/commands/SaveCommand.h"

using namespace Qt::StringLiterals;

// The demo return whose income statement and tax base are typed through their assistants and
// the detail windows of the form's subjects saves as consistent: the casillas the assistants
// keep reach DET and the rows of the detail windows their permanent tables. (The boxes the
// return shows, and that a save after opening again keeps every row, the demo returns' own
// test checks.)

namespace qel::annexes {
namespace {

const QString kRuc = u"20601000211"_s;

using AssistantDemoTest = test::BatchTest;

TEST_F(AssistantDemoTest, TypedThroughItsAssistantsItSavesConsistentAndComesBack) {
    test::registerTaxpayer(db(), kRuc, u"CONFECCIONES DEL PACÍFICO S.A.C."_s, test::kContador);
    const store::DeclarationKey key = test::demoKey(kRuc);
    const auto stored = [&](int casilla) {
        store::SqlFilter where = key.filter();
        where.andCondition(u"CAST(CASILLA AS INTEGER)=?"_s, {casilla});
        return db().scalar(u"SELECT i_valor FROM DET"_s + where.text, where.values).toString();
    };

    ASSERT_TRUE(runs(test::demoReturnScript(u"i_asistentes.txt"_s) + u"\nsave\n"_s));
    expectPrinted({declaration::SaveCommand::kSavedConsistent});
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
        EXPECT_EQ(test::rowCount(db(), table, key), rows) << table.toStdString();
    }
}

} // namespace
} // namespace qel::annexes
