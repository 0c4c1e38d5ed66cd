#include "AnnexFixture.h"
#include "annexes/CasillaListModel.h"
#include "annexes/checks/CounterpartBalanceChecks.h"

using namespace Qt::StringLiterals;

namespace qel::annexes {
namespace {

using testing::requested;

using C = CounterpartBalanceChecks;

const QString kWindow = u"frmAsisCasillasEFIng"_s;
const QString kTable = u"TMPF535CASEF"_s;
const char* const kCompany = "tipo_doc=06; nro_doc=20100047218; tipo_des=0; des_razon=DISTRIBUIDORA NORTE SAC";
const char* const kPerson = "tipo_doc=01; nro_doc=41234567; tipo_des=1; des_apellido_p=QUISPE; des_apellido_m=MAMANI; "
                            "des_nombres=ROSA";

class CounterpartBalancesTest : public testing::AnnexFixture {
protected:
    // A counterpart of `casilla` typed and saved; false when refused with `refusal`.
    bool saveFor(int casilla, const char* who, const QString& balance, const QString& refusal = {}) {
        add(kWindow, QString::number(casilla));
        fill(who);
        fill({{u"saldo"_s, balance}});
        return save(refusal);
    }
};

// A valid counterpart with one change is refused with the text of the first check it fails;
// only balances above 3 UIT of 2018 (4,150 each) are detailed.
TEST_F(CounterpartBalancesTest, ChecksInOrderAndOnlyBalancesAboveThreeUit) {
    struct Case {
        const char* who;
        const char* changes;
        QString message;
    };
    for (const Case& c : {
             Case{kCompany, "saldo=", C::kNoBalance},
             Case{kCompany, "saldo=0", C::kZeroBalance},
             Case{kCompany, "saldo=12450", C::kBelowThreeUit},
             Case{kCompany, "tipo_doc=", C::kNoDocType},
             Case{kCompany, "nro_doc=", u"El número de documento está en blanco"_s},
             Case{kCompany, "nro_doc=20100047219", u"El número de RUC es inválido"_s},
             Case{kCompany, "nro_doc=20100070970", u"El RUC no puede ser igual al RUC del Contribuyente."_s},
             Case{kCompany, "des_razon=", C::kNoCompany},
             Case{kPerson, "tipo_des=0", C::kNotRucNeedsNames},
             Case{kPerson, "des_apellido_p=", C::kNoSurname},
             Case{kPerson, "des_nombres=", C::kNoGivenNames},
         }) {
        SCOPED_TRACE(c.changes);
        add(kWindow, u"361"_s);
        fill(c.who);
        fill("saldo=50000");
        fill(c.changes);
        EXPECT_FALSE(save(c.message));
    }
    EXPECT_EQ(rows(kTable), 0);
    // A person is shown by surnames and names.
    ASSERT_TRUE(saveFor(361, kPerson, u"12451"_s));
    EXPECT_EQ(column(kTable, u"CASILLA"_s), u"361"_s);
    EXPECT_EQ(column(kTable, u"des_nom_razon"_s), u"QUISPE MAMANI, ROSA"_s);
}

// One row per document and casilla; the same document may be detailed under another casilla.
// The list hands the row's key as stored (type 6, not "06"): the row opens with its document
// locked and its balance replaced.
TEST_F(CounterpartBalancesTest, ADocumentOncePerCasillaAndKeptWhenModified) {
    ASSERT_TRUE(saveFor(361, kCompany, u"20000"_s));
    EXPECT_FALSE(saveFor(361, kCompany, u"30000"_s, u"Ya se registró el documento."_s));
    EXPECT_TRUE(saveFor(362, kCompany, u"30000"_s));
    EXPECT_EQ(rows(kTable), 2);

    open(kWindow, app::FormRequest::kModify, {u"6"_s, u"20100047218"_s}, u"361"_s);
    EXPECT_EQ(model->value(u"saldo"_s), u"20000"_s);
    EXPECT_FALSE(model->setText(u"nro_doc"_s, u"20131312955"_s));
    fill("saldo=25000");
    ASSERT_TRUE(save());
    EXPECT_EQ(rows(kTable), 2);
    EXPECT_EQ(column(kTable, u"saldo"_s), u"25000,30000"_s);
}

TEST_F(CounterpartBalancesTest, TheConsolidatedRestHasNoDocumentNorNames) {
    add(kWindow, u"405"_s);
    fill("tipo_doc=99");
    EXPECT_EQ(model->value(u"nro_doc"_s), C::kConsolidatedNumber);
    EXPECT_FALSE(model->state(u"des_apellido_p"_s).enabled);
    EXPECT_FALSE(model->setText(u"nro_doc"_s, u"41234567"_s));
    fill("des_razon=OTROS PROVEEDORES; saldo=90000");
    ASSERT_TRUE(save());
    EXPECT_EQ(column(kTable, u"nro_doc"_s), C::kConsolidatedNumber);
    EXPECT_EQ(column(kTable, u"tipo_doc"_s), u"99"_s);
}

TEST_F(CounterpartBalancesTest, TheListTotalsItsCasillaAndModifiesByTheStoredKey) {
    ASSERT_TRUE(saveFor(361, kCompany, u"20000"_s));
    ASSERT_TRUE(saveFor(361, kPerson, u"15000"_s));
    ASSERT_TRUE(saveFor(364, kCompany, u"99999"_s));

    CasillaListModel shown(*CasillaListCatalog::find(u"frasiscasillasef"_s, 361), db(), *prompter, &opener, key(), 361,
                           false);
    EXPECT_EQ(shown.totalText(), u"35,000"_s);
    shown.grid().select(1);
    shown.click(1);
    EXPECT_EQ(requested(opener), "frmAsisCasillasEFIng code=361 casilla=361 action=2 keys=1|41234567");
}

} // namespace
} // namespace qel::annexes
