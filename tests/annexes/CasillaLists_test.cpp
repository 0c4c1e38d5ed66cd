#include "AnnexFixture.h"
#include "annexes/AnnexGridModel.h"
#include "annexes/CasillaListModel.h"
#include "annexes/checks/DonationChecks.h"
#include "annexes/checks/ForeignCreditChecks.h"

#include <QSqlQuery>

namespace qel::annexes {
namespace {

using app::Button;
using app::Icon;
using Values = QList<std::pair<QString, QString>>;

const QString kDonations = QStringLiteral("TMPF586DONAC");

Values donation(const QString& ruc, const QString& date, const QString& type = QStringLiteral("B1")) {
    return {{QStringLiteral("TIP_DONACION"), type},
            {QStringLiteral("TIP_MODALIDAD"), QStringLiteral("1")},
            {QStringLiteral("tip_documento"), QStringLiteral("06")},
            {QStringLiteral("num_documento"), ruc},
            {QStringLiteral("des_nom_razon"), QStringLiteral("ASOCIACION BENEFICA")},
            {QStringLiteral("fec_donacion"), date},
            {QStringLiteral("mto_donacion"), QStringLiteral("1500")}};
}

class CasillaListsTest : public testing::AnnexFixture {
protected:
    std::unique_ptr<CasillaListModel> list(const QString& name, int casilla, bool readOnly = false) {
        return std::make_unique<CasillaListModel>(*CasillaListCatalog::find(name, casilla), db(), *prompter, &opener,
                                                  key(), casilla, readOnly);
    }
    void addDonation(const QString& ruc, const QString& date, const QString& type = QStringLiteral("B1")) {
        open(QStringLiteral("frmDetalleDonaciones"));
        fill(donation(ruc, date, type));
        ASSERT_TRUE(model->grabar());
    }
};

TEST_F(CasillaListsTest, AnEmptyListShowsZeroAndRefusesModifyAndDelete) {
    for (const auto& [name, casilla] :
         {std::pair{"frmAnexo227", 227}, std::pair{"frmAnexo123", 123}, std::pair{"frmAnexo136", 129}}) {
        auto shown = list(QString::fromLatin1(name), casilla);
        EXPECT_EQ(shown->totalText(), QStringLiteral("0"));
        prompter->expectMessage(QStringLiteral("No existen datos para modificar."), Icon::Critical,
                                QStringLiteral("Error"));
        prompter->expectMessage(QStringLiteral("No existen datos para eliminar."), Icon::Critical,
                                QStringLiteral("Error"));
        shown->click(1);
        shown->click(2);
        EXPECT_TRUE(opener.requests.isEmpty());
        shown->click(3);
        EXPECT_TRUE(shown->isClosed());
        EXPECT_EQ(shown->result(), QStringLiteral("0"));
    }
}

TEST_F(CasillaListsTest, DonationsListTotalsDeletesByKeyAndReminds) {
    addDonation(QStringLiteral("20100070970"), QStringLiteral("15/03/2018"), QStringLiteral("A"));
    addDonation(QStringLiteral("20100070970"), QStringLiteral("16/03/2018"), QStringLiteral("D"));
    addDonation(QStringLiteral("20100047218"), QStringLiteral("15/03/2018"), QStringLiteral("A"));
    auto shown = list(QStringLiteral("frmAnexo227"), 227);
    EXPECT_EQ(shown->caption(), QStringLiteral("Detalle Casilla 227 - Detalle de Donaciones"));
    EXPECT_EQ(shown->totalText(), QStringLiteral("4,500"));
    // Codes show their descriptions.
    EXPECT_EQ(shown->grid().rowTexts(0).value(0), QStringLiteral("A ENTIDADES Y DEPENDENCIAS DEL SECT"));

    prompter->expectMessage(AnnexGridModel::kSelectToModify, Icon::Critical, QStringLiteral("Error"));
    shown->click(1);
    shown->grid().select(1);
    shown->click(1);
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).name, QStringLiteral("frmDetalleDonaciones"));
    EXPECT_EQ(opener.requests.at(0).action, 2);
    EXPECT_EQ(opener.requests.at(0).keyValues,
              (QStringList{QStringLiteral("D"), QStringLiteral("1"), QStringLiteral("6"), QStringLiteral("20100070970"),
                           QStringLiteral("2018-03-16")}));

    // No keeps the row; Yes deletes only the selected one, and the position stays.
    prompter->expectQuestion(QStringLiteral("¿ Esta seguro de eliminar el registro ? "), Button::No, Icon::Question);
    shown->click(2);
    EXPECT_EQ(rows(kDonations), 3);
    prompter->expectQuestion(QStringLiteral("¿ Esta seguro de eliminar el registro ? "), Button::Yes, Icon::Question);
    shown->click(2);
    EXPECT_EQ(rows(kDonations), 2);
    EXPECT_EQ(shown->totalText(), QStringLiteral("3,000"));
    EXPECT_EQ(shown->grid().current(), 1);

    // One reminder per kind present.
    prompter->expectMessage(CasillaListModel::reminderFor(QStringLiteral("A")), Icon::Information);
    shown->click(3);
    EXPECT_EQ(shown->result(), QStringLiteral("3000"));
}

TEST_F(CasillaListsTest, OneDonationPerDocumentAndDate) {
    addDonation(QStringLiteral("20100070970"), QStringLiteral("15/03/2018"));
    open(QStringLiteral("frmDetalleDonaciones"));
    fill(donation(QStringLiteral("20100070970"), QStringLiteral("15/03/2018"), QStringLiteral("A")));
    prompter->expectMessage(DonationChecks::kSameDocumentAndDate, Icon::Critical);
    EXPECT_FALSE(model->grabar());
    EXPECT_EQ(rows(kDonations), 1);
    // Another day is another donation.
    model->setText(QStringLiteral("fec_donacion"), QStringLiteral("16/03/2018"));
    EXPECT_TRUE(model->grabar());
    EXPECT_EQ(rows(kDonations), 2);
}

TEST_F(CasillaListsTest, DonationChecksInOrder) {
    struct Case {
        const char* field;
        const char* value;
        QString message;
    };
    for (const Case& c :
         {Case{"TIP_DONACION", "", DonationChecks::kType}, Case{"TIP_MODALIDAD", "7", DonationChecks::kDescription},
          Case{"num_documento", "20100070971", DonationChecks::kDocNumber},
          Case{"des_nom_razon", "", DonationChecks::kName}, Case{"fec_donacion", "31/12/2017", DonationChecks::kDate},
          Case{"fec_donacion", "", DonationChecks::kDate}, Case{"mto_donacion", "0", DonationChecks::kAmount}}) {
        SCOPED_TRACE(c.field);
        open(QStringLiteral("frmDetalleDonaciones"));
        fill(donation(QStringLiteral("20100070970"), QStringLiteral("15/03/2018")));
        model->setText(QString::fromLatin1(c.field), QString::fromLatin1(c.value));
        prompter->expectMessage(c.message, Icon::Critical);
        EXPECT_FALSE(model->grabar());
    }
    EXPECT_EQ(rows(kDonations), 0);
}

TEST_F(CasillaListsTest, ForeignCreditRate) {
    struct Case {
        const char* rate;
        QString message; // empty: saved
    };
    for (const Case& c :
         {Case{"100.001", ForeignCreditChecks::kRateDecimals}, Case{"12.345", ForeignCreditChecks::kRateDecimals},
          Case{"100.01", ForeignCreditChecks::kRateAbove}, Case{"0", ForeignCreditChecks::kRatePositive},
          Case{"30.25", {}}, Case{"100", {}}}) {
        SCOPED_TRACE(c.rate);
        db().run(QStringLiteral("DELETE FROM TMPF582RTAFTEEXT")).finish();
        open(QStringLiteral("frmDetalleFuenteExt"), app::FormRequest::kAdd, {}, QStringLiteral("123"));
        fill({{QStringLiteral("tip_doc_ext"), QStringLiteral("07")},
              {QStringLiteral("DOC_ID_EXT"), QStringLiteral("X1234")},
              {QStringLiteral("cod_pais"), QStringLiteral("9013")},
              {QStringLiteral("mto_impuesto"), QStringLiteral("800")},
              {QStringLiteral("mto_alicuota"), QString::fromLatin1(c.rate)}});
        if (!c.message.isEmpty()) {
            prompter->expectMessage(c.message, Icon::Critical);
        }
        EXPECT_EQ(model->grabar(), c.message.isEmpty());
        EXPECT_EQ(rows(QStringLiteral("TMPF582RTAFTEEXT")), c.message.isEmpty() ? 1 : 0);
    }
}

TEST_F(CasillaListsTest, CreditsBelongToTheCasillaTheListServes) {
    for (const int casilla : {136, 129}) {
        open(QStringLiteral("frmDetalleCredReinversIng"), app::FormRequest::kAdd, {}, QString::number(casilla));
        fill({{QStringLiteral("tip_norma"), QStringLiteral("01")},
              {QStringLiteral("num_norma"), QStringLiteral("27037")},
              {QStringLiteral("anio_norma"), QStringLiteral("1998")},
              {QStringLiteral("mto_credito"), QString::number(casilla * 10)},
              {QStringLiteral("det_credito"), QStringLiteral("REINVERSION")}});
        ASSERT_TRUE(model->grabar());
    }
    auto reinvestment = list(QStringLiteral("frmAnexo136"), 136);
    auto refundable = list(QStringLiteral("frmAnexo136"), 129);
    EXPECT_EQ(reinvestment->totalText(), QStringLiteral("1,360"));
    EXPECT_EQ(refundable->totalText(), QStringLiteral("1,290"));
    EXPECT_EQ(refundable->caption(),
              QStringLiteral("Detalle de la casilla 129 - Otros créditos con derecho a devolución"));

    open(QStringLiteral("frmDetalleCredReinversIng"), app::FormRequest::kAdd, {}, QStringLiteral("136"));
    prompter->expectMessage(QStringLiteral("Seleccione el tipo de norma"), Icon::Critical);
    EXPECT_FALSE(model->grabar());
}

// The credits window is titled and labelled for the casilla it serves, and its list shows the
// kind of rule by its description.
TEST_F(CasillaListsTest, CreditsFollowTheirCasillaAndShowTheKindOfRule) {
    const std::tuple<int, const char*, const char*, const char*> cases[] = {
        {136, "01", "Casilla 136 - Crédito por Reinversiones", "LEY"},
        {125, "04", "Casilla 125 - Otros créditos sin derecho a devolución", "DECRETO LEY"},
        {129, "99", "Casilla 129 - Otros créditos con derecho a devolución", "OTRAS"},
    };
    for (const auto& [casilla, rule, title, shown] : cases) {
        SCOPED_TRACE(casilla);
        open(QStringLiteral("frmDetalleCredReinversIng"), app::FormRequest::kAdd, {}, QString::number(casilla));
        EXPECT_EQ(model->caption(), QStringLiteral("Detalle de Créditos - ") + QString::fromUtf8(title));
        EXPECT_TRUE(model->state(QStringLiteral("txtMonto")).label.contains(QStringLiteral("devolución")) ==
                    (casilla != 136));
        fill({{QStringLiteral("tip_norma"), QString::fromLatin1(rule)},
              {QStringLiteral("num_norma"), QStringLiteral("27037")},
              {QStringLiteral("anio_norma"), QStringLiteral("1998")},
              {QStringLiteral("mto_credito"), QStringLiteral("500")},
              {QStringLiteral("det_credito"), QStringLiteral("CREDITO")}});
        ASSERT_TRUE(model->grabar());
        auto listed = list(QStringLiteral("frmAnexo136"), casilla);
        ASSERT_EQ(listed->grid().rowCount(), 1);
        EXPECT_EQ(listed->grid().rowTexts(0).value(0), QString::fromUtf8(shown));
    }
}

// Opened for another casilla than the credits, the same windows keep the other additions and
// deductions with their two bases.
TEST_F(CasillaListsTest, TheCreditsWindowKeepsOtherAdjustmentsForOtherCasillas) {
    app::FormRequest request;
    request.name = QStringLiteral("frmDetalleCredReinversIng");
    request.key = key();
    request.casilla = 105;
    request.code = QStringLiteral("105");
    const AnnexDef& def = CasillaListCatalog::creditWindow(105);
    EXPECT_EQ(def.table, QStringLiteral("TMPF542OTRAS"));
    model = std::make_unique<AnnexDetailModel>(def, AnnexContext{db(), *prompter, clock, &opener}, request);
    fill({{QStringLiteral("tip_norma"), QStringLiteral("01")},
          {QStringLiteral("num_norma"), QStringLiteral("30296")},
          {QStringLiteral("anio_norma"), QStringLiteral("2014")},
          {QStringLiteral("mto_base_cont"), QStringLiteral("900")},
          {QStringLiteral("det_otras"), QStringLiteral("DEPRECIACION")}});
    prompter->expectMessage(QStringLiteral("Registre el monto de la base tributaria."), Icon::Critical);
    EXPECT_FALSE(model->grabar());
    model->setText(QStringLiteral("mto_base_trib"), QStringLiteral("700"));
    ASSERT_TRUE(model->grabar());
    EXPECT_EQ(rows(QStringLiteral("TMPF542OTRAS")), 1);
    EXPECT_EQ(rows(QStringLiteral("TMPF584CREDITOS")), 0);

    auto shown = list(QStringLiteral("frmAnexo136"), 105);
    EXPECT_EQ(shown->def().table, QStringLiteral("TMPF542OTRAS"));
    EXPECT_EQ(shown->totalText(), QStringLiteral("700"));
    EXPECT_EQ(list(QStringLiteral("frmAnexo136"), 136)->totalText(), QStringLiteral("0"));
}

TEST_F(CasillaListsTest, ReorganisedCompaniesShowTheirNameAndHaveNoTotal) {
    open(QStringLiteral("frmDetEmpresasReorg"));
    fill({{QStringLiteral("nro_ruc"), QStringLiteral("20100070970")},
          {QStringLiteral("des_razon"), QStringLiteral("ABSORBIDA SAC")}});
    prompter->expectMessage(QStringLiteral("El número de RUC no debe ser igual al RUC del declarante."),
                            Icon::Critical);
    EXPECT_FALSE(model->grabar());
    model->setText(QStringLiteral("nro_ruc"), QStringLiteral("20100047218"));
    ASSERT_TRUE(model->grabar());
    auto shown = list(QStringLiteral("frmAnexo278"), 278);
    ASSERT_EQ(shown->grid().rowCount(), 1);
    EXPECT_EQ(shown->grid().rowTexts(0).value(1), QStringLiteral("ABSORBIDA SAC"));
    shown->click(3);
    EXPECT_EQ(shown->result(), QString());
}

TEST_F(CasillaListsTest, ASentVersionIsOnlyLookedAt) {
    auto shown = list(QStringLiteral("frmAnexo227"), 227, true);
    shown->click(0);
    shown->click(2);
    EXPECT_TRUE(opener.requests.isEmpty());
    shown->click(3);
    EXPECT_TRUE(shown->isClosed());
}

} // namespace
} // namespace qel::annexes
