#include "AnnexFixture.h"
#include "annexes/AnnexGridModel.h"
#include "annexes/CasillaListModel.h"
#include "annexes/checks/DonationChecks.h"
#include "annexes/checks/ForeignCreditChecks.h"

using namespace Qt::StringLiterals;

namespace qel::annexes {
namespace {

using testing::requested;

using app::Button;
using app::Icon;

const QString kDonations = u"TMPF586DONAC"_s;
const QString kCredits = u"frmDetalleCredReinversIng"_s;

class CasillaListsTest : public testing::AnnexFixture {
protected:
    std::unique_ptr<CasillaListModel> list(const QString& name, int casilla, bool readOnly = false) {
        return std::make_unique<CasillaListModel>(*CasillaListCatalog::find(name, casilla), db(), *prompter, &opener,
                                                  key(), casilla, readOnly);
    }
    // A donation typed valid, of document `ruc` on `date`, then `changes`.
    void typeDonation(const QString& ruc, const QString& date, const char* changes = "") {
        add(u"frmDetalleDonaciones"_s);
        fill("TIP_DONACION=B1; TIP_MODALIDAD=1; tip_documento=06; des_nom_razon=ASOCIACION BENEFICA; "
             "mto_donacion=1500");
        fill({{u"num_documento"_s, ruc}, {u"fec_donacion"_s, date}});
        fill(changes);
    }
    // A credit of `casilla` typed valid with the kind of rule `rule`.
    void typeCredit(int casilla, const char* rule = "01") {
        add(kCredits, QString::number(casilla));
        fill("num_norma=27037; anio_norma=1998; det_credito=REINVERSION");
        fill({{u"tip_norma"_s, QString::fromLatin1(rule)}, {u"mto_credito"_s, QString::number(casilla * 10)}});
    }
};

TEST_F(CasillaListsTest, AnEmptyOrSentListChangesNothing) {
    for (const auto& [name, casilla] :
         {std::pair{"frmAnexo227", 227}, std::pair{"frmAnexo123", 123}, std::pair{"frmAnexo136", 129}}) {
        auto shown = list(QString::fromLatin1(name), casilla);
        EXPECT_EQ(shown->totalText(), u"0"_s);
        prompter->expectMessage(u"No existen datos para modificar."_s, Icon::Critical, u"Error"_s);
        prompter->expectMessage(u"No existen datos para eliminar."_s, Icon::Critical, u"Error"_s);
        shown->click(1);
        shown->click(2);
        EXPECT_TRUE(opener.requests.isEmpty());
        shown->click(3);
        EXPECT_TRUE(shown->isClosed());
        EXPECT_EQ(shown->result(), u"0"_s);
    }
    // A sent version's list is only looked at: it neither adds nor deletes.
    auto sent = list(u"frmAnexo227"_s, 227, true);
    sent->click(0);
    sent->click(2);
    EXPECT_TRUE(opener.requests.isEmpty());
    sent->click(3);
    EXPECT_TRUE(sent->isClosed());
}

TEST_F(CasillaListsTest, DonationsListTotalsDeletesByKeyAndReminds) {
    for (const auto& [ruc, date, kind] : {std::tuple{"20100070970", "15/03/2018", "TIP_DONACION=A"},
                                          std::tuple{"20100070970", "16/03/2018", "TIP_DONACION=D"},
                                          std::tuple{"20100047218", "15/03/2018", "TIP_DONACION=A"},
                                          std::tuple{"20100047218", "16/03/2018", "TIP_DONACION=A"}}) {
        typeDonation(QString::fromLatin1(ruc), QString::fromLatin1(date), kind);
        ASSERT_TRUE(save());
    }
    auto shown = list(u"frmAnexo227"_s, 227);
    EXPECT_EQ(shown->totalText(), u"6,000"_s);

    prompter->expectMessage(AnnexGridModel::kSelectToModify, Icon::Critical, u"Error"_s);
    shown->click(1);
    shown->grid().select(1);
    shown->click(1);
    EXPECT_EQ(requested(opener),
              "frmDetalleDonaciones code=227 casilla=227 action=2 keys=D|1|6|20100070970|2018-03-16");

    // No keeps the row; Yes deletes only the selected one, and the position stays where a row
    // still is, else on the new last row.
    const QString question = u"¿ Esta seguro de eliminar el registro ? "_s;
    prompter->expectQuestion(question, Button::No, Icon::Question);
    shown->click(2);
    EXPECT_EQ(rows(kDonations), 4);
    prompter->expectQuestion(question, Button::Yes, Icon::Question);
    shown->click(2);
    EXPECT_EQ(rows(kDonations), 3);
    EXPECT_EQ(shown->totalText(), u"4,500"_s);
    EXPECT_EQ(shown->grid().current(), 1);
    shown->grid().select(2);
    prompter->expectQuestion(question, Button::Yes, Icon::Question);
    shown->click(2);
    EXPECT_EQ(shown->grid().current(), 1);
    EXPECT_EQ(column(kDonations, u"fec_donacion"_s), u"2018-03-15,2018-03-15"_s);

    // One reminder per kind present.
    prompter->expectMessage(CasillaListModel::reminderFor(u"A"_s), Icon::Information);
    shown->click(3);
    EXPECT_EQ(shown->result(), u"3000"_s);
}

TEST_F(CasillaListsTest, DonationChecksInOrder) {
    struct Case {
        const char* changes;
        QString message;
    };
    for (const Case& c :
         {Case{"TIP_DONACION=", DonationChecks::kType}, Case{"TIP_MODALIDAD=7", DonationChecks::kDescription},
          Case{"num_documento=20100070971", DonationChecks::kDocNumber}, Case{"des_nom_razon=", DonationChecks::kName},
          Case{"fec_donacion=31/12/2017", DonationChecks::kDate}, Case{"fec_donacion=", DonationChecks::kDate},
          Case{"mto_donacion=0", DonationChecks::kAmount}}) {
        SCOPED_TRACE(c.changes);
        typeDonation(u"20100070970"_s, u"15/03/2018"_s, c.changes);
        EXPECT_FALSE(save(c.message));
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
        clear(u"TMPF582RTAFTEEXT"_s);
        add(u"frmDetalleFuenteExt"_s, u"123"_s);
        fill("tip_doc_ext=07; DOC_ID_EXT=X1234; cod_pais=9013; mto_impuesto=800");
        fill({{u"mto_alicuota"_s, QString::fromLatin1(c.rate)}});
        EXPECT_EQ(save(c.message), c.message.isEmpty());
        EXPECT_EQ(rows(u"TMPF582RTAFTEEXT"_s), c.message.isEmpty() ? 1 : 0);
    }
}

// The credits window is titled and labelled for the casilla it serves; its rows belong to that
// casilla's list, which shows the kind of rule by its description.
TEST_F(CasillaListsTest, CreditsFollowTheirCasillaAndShowTheKindOfRule) {
    const std::tuple<int, const char*, const char*, const char*, const char*> cases[] = {
        {136, "01", "Casilla 136 - Crédito por Reinversiones", "LEY", "1,360"},
        {125, "04", "Casilla 125 - Otros créditos sin derecho a devolución", "DECRETO LEY", "1,250"},
        {129, "99", "Casilla 129 - Otros créditos con derecho a devolución", "OTRAS", "1,290"},
    };
    for (const auto& [casilla, rule, title, shown, total] : cases) {
        SCOPED_TRACE(casilla);
        typeCredit(casilla, rule);
        EXPECT_EQ(model->caption(), u"Detalle de Créditos - "_s + QString::fromUtf8(title));
        EXPECT_EQ(model->state(u"txtMonto"_s).label.contains(u"devolución"_s), casilla != 136);
        ASSERT_TRUE(save());
        auto listed = list(u"frmAnexo136"_s, casilla);
        ASSERT_EQ(listed->grid().rowCount(), 1);
        EXPECT_EQ(listed->grid().rowTexts(0).value(0), QString::fromUtf8(shown));
        EXPECT_EQ(listed->totalText(), QString::fromLatin1(total));
    }
    EXPECT_EQ(list(u"frmAnexo136"_s, 129)->caption(),
              u"Detalle de la casilla 129 - Otros créditos con derecho a devolución"_s);
    add(kCredits, u"136"_s);
    EXPECT_FALSE(save(u"Seleccione el tipo de norma"_s));
}

// Opened for another casilla than the credits, the same windows keep the other additions and
// deductions with their two bases.
TEST_F(CasillaListsTest, TheCreditsWindowKeepsOtherAdjustmentsForOtherCasillas) {
    app::FormRequest request;
    request.name = kCredits;
    request.key = key();
    request.casilla = 105;
    request.code = u"105"_s;
    const AnnexDef& def = CasillaListCatalog::creditWindow(105);
    EXPECT_EQ(def.table, u"TMPF542OTRAS"_s);
    model = std::make_unique<AnnexDetailModel>(def, AnnexContext{db(), *prompter, clock, &opener}, request);
    fill("tip_norma=01; num_norma=30296; anio_norma=2014; mto_base_cont=900; det_otras=DEPRECIACION");
    EXPECT_FALSE(save(u"Registre el monto de la base tributaria."_s));
    model->setText(u"mto_base_trib"_s, u"700"_s);
    ASSERT_TRUE(save());
    EXPECT_EQ(rows(u"TMPF542OTRAS"_s), 1);
    EXPECT_EQ(rows(u"TMPF584CREDITOS"_s), 0);

    auto shown = list(u"frmAnexo136"_s, 105);
    EXPECT_EQ(shown->def().table, u"TMPF542OTRAS"_s);
    EXPECT_EQ(shown->totalText(), u"700"_s);
    EXPECT_EQ(list(u"frmAnexo136"_s, 136)->totalText(), u"0"_s);
}

TEST_F(CasillaListsTest, ReorganisedCompaniesShowTheirNameAndHaveNoTotal) {
    add(u"frmDetEmpresasReorg"_s);
    fill("nro_ruc=20100070970; des_razon=ABSORBIDA SAC");
    EXPECT_FALSE(save(u"El número de RUC no debe ser igual al RUC del declarante."_s));
    model->setText(u"nro_ruc"_s, u"20100047218"_s);
    ASSERT_TRUE(save());
    auto shown = list(u"frmAnexo278"_s, 278);
    ASSERT_EQ(shown->grid().rowCount(), 1);
    EXPECT_EQ(shown->grid().rowTexts(0).value(1), u"ABSORBIDA SAC"_s);
    shown->click(3);
    EXPECT_EQ(shown->result(), QString());
}

} // namespace
} // namespace qel::annexes
