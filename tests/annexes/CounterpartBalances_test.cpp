#include "AnnexFixture.h"
#include "annexes/CasillaListModel.h"
#include "annexes/checks/CounterpartBalanceChecks.h"

namespace qel::annexes {
namespace {

using app::Icon;
using C = CounterpartBalanceChecks;
using Values = QList<std::pair<QString, QString>>;

const QString kWindow = QStringLiteral("frmAsisCasillasEFIng");
const QString kTable = QStringLiteral("TMPF535CASEF");
// 3 UIT of 2018 (4,150 each).
const QString kThreeUit = QStringLiteral("12450");

Values company(const QString& ruc, const QString& balance) {
    return {{QStringLiteral("tipo_doc"), QStringLiteral("06")},
            {QStringLiteral("nro_doc"), ruc},
            {QStringLiteral("tipo_des"), QStringLiteral("0")},
            {QStringLiteral("des_razon"), QStringLiteral("DISTRIBUIDORA NORTE SAC")},
            {QStringLiteral("saldo"), balance}};
}

Values person(const QString& dni, const QString& balance) {
    return {{QStringLiteral("tipo_doc"), QStringLiteral("01")},
            {QStringLiteral("nro_doc"), dni},
            {QStringLiteral("tipo_des"), QStringLiteral("1")},
            {QStringLiteral("des_apellido_p"), QStringLiteral("QUISPE")},
            {QStringLiteral("des_apellido_m"), QStringLiteral("MAMANI")},
            {QStringLiteral("des_nombres"), QStringLiteral("ROSA")},
            {QStringLiteral("saldo"), balance}};
}

class CounterpartBalancesTest : public testing::AnnexFixture {
protected:
    AnnexDetailModel& openFor(int casilla) {
        return open(kWindow, app::FormRequest::kAdd, {}, QString::number(casilla));
    }
    std::unique_ptr<CasillaListModel> list(int casilla) {
        return std::make_unique<CasillaListModel>(
            *CasillaListCatalog::find(QStringLiteral("frasiscasillasef"), casilla), db(), *prompter, &opener, key(),
            casilla, false);
    }
};

TEST_F(CounterpartBalancesTest, OnlyBalancesAboveThreeUitAreDetailed) {
    struct Case {
        QString balance;
        QString message; // empty: saved
    };
    for (const Case& c : {Case{QString(), C::kNoBalance}, Case{QStringLiteral("0"), C::kZeroBalance},
                          Case{kThreeUit, C::kBelowThreeUit}, Case{QStringLiteral("12451"), {}}}) {
        SCOPED_TRACE(c.balance.toStdString());
        db().run(QStringLiteral("DELETE FROM TMPF535CASEF")).finish();
        openFor(361);
        fill(company(QStringLiteral("20100047218"), c.balance));
        if (!c.message.isEmpty()) {
            prompter->expectMessage(c.message, Icon::Critical);
        }
        EXPECT_EQ(model->grabar(), c.message.isEmpty());
        EXPECT_EQ(rows(kTable), c.message.isEmpty() ? 1 : 0);
    }
    EXPECT_EQ(column(kTable, QStringLiteral("CASILLA")), QStringLiteral("361"));
    EXPECT_EQ(column(kTable, QStringLiteral("des_nom_razon")), QStringLiteral("DISTRIBUIDORA NORTE SAC"));
}

TEST_F(CounterpartBalancesTest, CounterpartChecksInOrder) {
    struct Case {
        Values values;
        const char* field;
        const char* value;
        QString message;
    };
    const Values ruc = company(QStringLiteral("20100047218"), QStringLiteral("50000"));
    const Values dni = person(QStringLiteral("41234567"), QStringLiteral("50000"));
    for (const Case& c : {
             Case{ruc, "tipo_doc", "", C::kNoDocType},
             Case{ruc, "nro_doc", "", QStringLiteral("El número de documento está en blanco")},
             Case{ruc, "nro_doc", "20100047219", QStringLiteral("El número de RUC es inválido")},
             Case{ruc, "nro_doc", "20100070970", // the declarant's own
                  QStringLiteral("El RUC no puede ser igual al RUC del Contribuyente.")},
             Case{ruc, "des_razon", "", C::kNoCompany},
             Case{dni, "tipo_des", "0", C::kNotRucNeedsNames},
             Case{dni, "des_apellido_p", "", C::kNoSurname},
             Case{dni, "des_nombres", "", C::kNoGivenNames},
         }) {
        SCOPED_TRACE(std::string(c.field) + "=" + c.value);
        openFor(404);
        fill(c.values);
        model->setText(QString::fromLatin1(c.field), QString::fromLatin1(c.value));
        prompter->expectMessage(c.message, Icon::Critical);
        EXPECT_FALSE(model->grabar());
    }
    EXPECT_EQ(rows(kTable), 0);
    // A person is shown by surnames and names.
    openFor(404);
    fill(dni);
    ASSERT_TRUE(model->grabar());
    EXPECT_EQ(column(kTable, QStringLiteral("des_nom_razon")), QStringLiteral("QUISPE MAMANI, ROSA"));
}

// One row per document and casilla; the same document may be detailed under another casilla.
TEST_F(CounterpartBalancesTest, ADocumentOncePerCasilla) {
    openFor(361);
    fill(company(QStringLiteral("20100047218"), QStringLiteral("20000")));
    ASSERT_TRUE(model->grabar());
    fill(company(QStringLiteral("20100047218"), QStringLiteral("30000")));
    prompter->expectMessage(QStringLiteral("Ya se registró el documento."), Icon::Critical);
    EXPECT_FALSE(model->grabar());
    openFor(362);
    fill(company(QStringLiteral("20100047218"), QStringLiteral("30000")));
    EXPECT_TRUE(model->grabar());
    EXPECT_EQ(rows(kTable), 2);
}

// The list hands the row's key as stored (type 6, not "06"); the row opens with its document
// locked and its balance replaced.
TEST_F(CounterpartBalancesTest, AModifiedRowKeepsItsDocument) {
    openFor(361);
    fill(company(QStringLiteral("20100047218"), QStringLiteral("20000")));
    ASSERT_TRUE(model->grabar());
    open(kWindow, app::FormRequest::kModify, {QStringLiteral("6"), QStringLiteral("20100047218")},
         QStringLiteral("361"));
    EXPECT_EQ(model->value(QStringLiteral("saldo")), QStringLiteral("20000"));
    EXPECT_FALSE(model->setText(QStringLiteral("nro_doc"), QStringLiteral("20131312955")));
    ASSERT_TRUE(model->setText(QStringLiteral("saldo"), QStringLiteral("25000")));
    ASSERT_TRUE(model->grabar());
    EXPECT_EQ(rows(kTable), 1);
    EXPECT_EQ(column(kTable, QStringLiteral("saldo")), QStringLiteral("25000"));
}

TEST_F(CounterpartBalancesTest, TheConsolidatedRestHasNoDocumentNorNames) {
    openFor(405);
    ASSERT_TRUE(model->setText(QStringLiteral("tipo_doc"), QStringLiteral("99")));
    EXPECT_EQ(model->value(QStringLiteral("nro_doc")), C::kConsolidatedNumber);
    EXPECT_FALSE(model->state(QStringLiteral("des_apellido_p")).enabled);
    EXPECT_FALSE(model->setText(QStringLiteral("nro_doc"), QStringLiteral("41234567")));
    fill({{QStringLiteral("des_razon"), QStringLiteral("OTROS PROVEEDORES")},
          {QStringLiteral("saldo"), QStringLiteral("90000")}});
    ASSERT_TRUE(model->grabar());
    EXPECT_EQ(column(kTable, QStringLiteral("nro_doc")), C::kConsolidatedNumber);
    EXPECT_EQ(column(kTable, QStringLiteral("tipo_doc")), QStringLiteral("99"));
}

TEST_F(CounterpartBalancesTest, TheListTotalsItsCasillaAndImportsThroughTheBalanceImport) {
    openFor(361);
    fill(company(QStringLiteral("20100047218"), QStringLiteral("20000")));
    ASSERT_TRUE(model->grabar());
    fill(person(QStringLiteral("41234567"), QStringLiteral("15000")));
    ASSERT_TRUE(model->grabar());
    openFor(364);
    fill(company(QStringLiteral("20100047218"), QStringLiteral("99999")));
    ASSERT_TRUE(model->grabar());

    auto shown = list(361);
    EXPECT_EQ(shown->caption(), QStringLiteral("Asistente Casillla 361"));
    EXPECT_EQ(shown->totalText(), QStringLiteral("35,000"));
    ASSERT_TRUE(shown->importRows());
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).name, QStringLiteral("frmImportarCasEF"));
    EXPECT_EQ(opener.requests.at(0).casilla, 361);
    shown->grid().select(1);
    shown->click(1);
    ASSERT_EQ(opener.requests.size(), 2);
    EXPECT_EQ(opener.requests.at(1).name, kWindow);
    EXPECT_EQ(opener.requests.at(1).code, QStringLiteral("361"));
    EXPECT_EQ(opener.requests.at(1).keyValues, (QStringList{QStringLiteral("1"), QStringLiteral("41234567")}));
    shown->click(3);
    EXPECT_EQ(shown->result(), QStringLiteral("35000"));
    EXPECT_EQ(CasillaListModel::promptFrom(QStringLiteral("361")), QString());
}

} // namespace
} // namespace qel::annexes
