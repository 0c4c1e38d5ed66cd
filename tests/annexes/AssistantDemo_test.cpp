#include "batch/BatchRunner.h"
#include "declaration/commands/SaveCommand.h"
#include "declaration/model/WorkingCasillas.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QRegularExpression>
#include <QTextStream>
#include <gtest/gtest.h>

// The demo return whose income statement and tax base are typed through their assistants
// saves as consistent, and its assistants' casillas reach DET and come back on opening.

namespace qel::annexes {
namespace {

const QString kRuc = QStringLiteral("20601000211");

class AssistantDemoTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::registerTaxpayer(database.db(), kRuc, QStringLiteral("CONFECCIONES DEL PACÍFICO S.A.C."),
                               QStringLiteral("CONTADOR"));
    }
    QString run(const QString& script) {
        output.clear();
        errors.clear();
        EXPECT_EQ(runner.run(script), batch::BatchRunner::kDone) << errors.toStdString() << output.toStdString();
        return output;
    }
    QString stored(int casilla) {
        store::SqlFilter where = test::demoKey(kRuc).filter();
        where.andCondition(QStringLiteral("CAST(CASILLA AS INTEGER)=?"), {casilla});
        return database.db().scalar(QStringLiteral("SELECT i_valor FROM DET") + where.text, where.values).toString();
    }

    test::TempDatabase database;
    QString output;
    QString errors;
    QTextStream out{&output};
    QTextStream err{&errors};
    batch::BatchRunner runner{
        database.db(), out, err,
        batch::BatchRunner::Settings{QStringLiteral("2018"), QStringLiteral("0588"), QStringLiteral("CONTADOR")}};
};

TEST_F(AssistantDemoTest, TypedThroughItsAssistantsItSavesConsistent) {
    const QString typed = run(test::demoReturnScript(QStringLiteral("i_asistentes.txt")));
    EXPECT_TRUE(typed.contains(QStringLiteral("closed frmcostos \"1690000\""))) << typed.toStdString();
    const QString saved = run(QStringLiteral("save"));
    EXPECT_TRUE(saved.contains(declaration::SaveCommand::kSavedConsistent)) << saved.toStdString();

    struct Case {
        int casilla;
        const char* value;
    };
    for (const Case& c :
         {Case{514, "1490000"}, Case{797, "1690000"}, Case{670, "2800000"}, Case{671, "50000"}, Case{590, "42300"},
          Case{600, "3200"}, Case{631, "1350000"}, Case{638, "50000"}, Case{601, "460000"}, Case{609, "520000"}}) {
        EXPECT_EQ(stored(c.casilla), QString::fromLatin1(c.value)) << c.casilla;
    }
    // The counterparts of 361 and the movement lines reach their permanent tables.
    const auto count = [this](const char* table) {
        const store::SqlFilter where = test::demoKey(kRuc).filter();
        return database.db()
            .scalar(QStringLiteral("SELECT count(*) FROM ") + QLatin1String(table) + where.text, where.values)
            .toInt();
    };
    EXPECT_EQ(count("F535CASEF"), 2);
    EXPECT_EQ(count("F535MOV_IME"), 3);
    EXPECT_EQ(count("F535MOVDA_IME"), 2);
    EXPECT_TRUE(typed.contains(QStringLiteral("closed frmAsisCasillasEF \"60000\""))) << typed.toStdString();
    EXPECT_TRUE(typed.contains(QStringLiteral("lblDetalle = \"Ingrese el Detalle de Cuentas por cobrar comerciales - "
                                              "terceros : \"")))
        << typed.toStdString();
    run(QStringLiteral("close\nopen %1").arg(kRuc));
    EXPECT_EQ(declaration::WorkingCasillas::value(database.db(), test::demoKey(kRuc), 797), QStringLiteral("1690000"));
    // Reopened, the counterparts and the movement lines are in the working copies again.
    EXPECT_EQ(count("TMPF535CASEF"), 2);
    EXPECT_EQ(count("TMPF535MOV_IME"), 3);
    EXPECT_EQ(declaration::WorkingCasillas::value(database.db(), test::demoKey(kRuc), 631), QStringLiteral("1350000"));
}

// The rows typed through the detail windows of the assistants and of the form's subjects reach
// their permanent tables on saving and come back to the working tables on opening.
TEST_F(AssistantDemoTest, DetailRowsAreSavedAndComeBack) {
    run(test::demoReturnScript(QStringLiteral("i_asistentes.txt")));
    const QString saved = run(QStringLiteral("save"));
    EXPECT_TRUE(saved.contains(declaration::SaveCommand::kSavedConsistent)) << saved.toStdString();
    EXPECT_EQ(stored(522), QStringLiteral("2000"));
    EXPECT_EQ(stored(545), QStringLiteral("1500"));
    struct Case {
        const char* table;
        int rows;
    };
    const QList<Case> cases = {{"F544ADICDEDUC", 1}, {"F582OTRGAS", 1},  {"F535INVEXT", 1}, {"F535FIDEICO", 1},
                               {"F535GNDOMRRTA", 1}, {"F582NODOMIC", 1}, {"F4170DET", 2},   {"F572DETBAS", 12}};
    for (const Case& c : cases) {
        EXPECT_EQ(test::rowCount(database.db(), QString::fromLatin1(c.table), test::demoKey(kRuc)), c.rows) << c.table;
    }
    run(QStringLiteral("close\nopen %1").arg(kRuc));
    for (const Case& c : cases) {
        EXPECT_EQ(
            test::rowCount(database.db(), QStringLiteral("TMP") + QString::fromLatin1(c.table), test::demoKey(kRuc)),
            c.rows)
            << c.table;
    }
}

} // namespace
} // namespace qel::annexes
