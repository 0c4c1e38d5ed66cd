#include "AnnexFixture.h"
#include "annexes/checks/PartnerChecks.h"

using namespace Qt::StringLiterals;

namespace qel::annexes {
namespace {

using app::Button;
using app::Icon;

const QString kWindow = u"frmDetalleSocios"_s;
const QString kTable = u"TMPF535SOCIOS"_s;
const QString kAskToSave = u"¿El formulario ha sido modificado, desea guardar los cambios?"_s;
const QString kIncomplete =
    u"Debe consignar toda la información del principal socio, asociado, participacionista u otros."_s;

class PartnerChecksTest : public testing::AnnexFixture {
protected:
    // A new partner typed valid: a domiciled company with `ruc` and `share`, then `changes`.
    void typePartner(const QString& ruc = u"20100047218"_s, const QString& share = u"10"_s, const char* changes = "") {
        add(kWindow);
        fill("tipo_socio=02; tipo_doc_socio=06; des_nom_razon=INVERSIONES SAC; fec_nac_socio=15/03/1970; "
             "cod_pais=9589; fec_cosnt_socio=01/02/1990");
        fill({{u"nro_doc_socio"_s, ruc}, {u"Porcentaje"_s, share}});
        fill(changes);
    }
    // Registers partners without the window, each with the share given.
    void addPartners(int count, double share) {
        for (int i = 0; i < count; ++i) {
            test::insertRow(
                db(), kTable, key(),
                testing::columns(u"tipo_socio=01; tipo_doc_socio=1; nro_doc_socio=%1; Porcentaje=%2"_s.arg(40000000 + i)
                                     .arg(share)));
        }
    }
};

// Each case fills a valid partner, changes one field and saves: the first failing check's
// text shows, the window stays open and nothing is written.
TEST_F(PartnerChecksTest, EachCheckRefusesWithItsTextInOrder) {
    struct Case {
        const char* changes;
        QString message;
    };
    const QString badDate = u"La Forma de ingresar la fecha es incorrecta."_s;
    const Case cases[] = {
        {"nro_doc_socio=20100047219", u"El RUC no es Válido."_s},
        {"des_nom_razon=", kIncomplete},
        {"cod_pais=", kIncomplete},
        {"fec_nac_socio=31/02/1970", badDate},
        {"fec_nac_socio=01/01/2020", badDate},
        {"fec_nac_socio=31/12/1899", u"La fecha de nacimiento registrada no es Válida."_s},
        {"fec_cosnt_socio=01/01/2019", u"La Fecha en que se constituye como socio no es Válida."_s},
        {"fec_cosnt_socio=14/03/1970", u"La Fecha en que se constituye como socio, asociado, participacionista u "
                                       "otro no puede ser menor que la fecha de nacimiento."_s},
        {"Porcentaje=100.01", u"La cantidad ingresada supera el máximo permitido."_s},
        {"Porcentaje=0", u"El Porcentaje no puede ser 0%."_s},
        {"Porcentaje=", u"El Porcentaje no puede ser 0%."_s},
        {"Porcentaje=33.333", u"El Porcentaje debe ser máximo con 2 decimales."_s},
        {"tipo_socio=01; tipo_doc_socio=01; nro_doc_socio=1234567", u"El DNI debe ser de 8 dígitos."_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.changes);
        typePartner();
        fill(c.changes);
        EXPECT_FALSE(save(c.message));
        EXPECT_EQ(rows(kTable), 0);
        EXPECT_FALSE(model->isClosed());
    }
    EXPECT_EQ(model->focus(), u"txtNroDoc"_s); // on the DNI refused last
}

// After a save the window waits for the next partner; the same key again is refused.
TEST_F(PartnerChecksTest, ANewPartnerLeavesTheWindowEmptyAndItsKeyTaken) {
    typePartner(u"20100047218"_s, u"33.33"_s);
    EXPECT_TRUE(model->isModified());
    EXPECT_TRUE(save());
    EXPECT_FALSE(model->isModified());
    EXPECT_EQ(model->focus(), u"cboTipoSocio"_s);
    typePartner(u"20100047218"_s, u"5"_s);
    EXPECT_FALSE(save(u"Ya se registró el dato."_s));
    EXPECT_EQ(rows(kTable), 1);
}

// The consolidated rest ("05") opens at 100 partners or 80 % of the capital.
TEST_F(PartnerChecksTest, TheConsolidatedRestNeedsAHundredPartnersOrEightyPercent) {
    struct Case {
        int partners;
        double share;
        bool open;
    };
    for (const Case& c : {Case{99, 0.5, false}, Case{4, 19.99, false}, Case{100, 0.1, true}, Case{4, 20, true}}) {
        SCOPED_TRACE(c.partners);
        clear(kTable);
        addPartners(c.partners, c.share);
        add(kWindow);
        if (!c.open) {
            prompter->expectMessage(PartnerChecks::kConsolidatedClosed, Icon::Information);
        }
        model->choose(u"tipo_socio"_s, u"05"_s);
        EXPECT_EQ(model->value(u"tipo_socio"_s), c.open ? u"05"_s : QString());
        EXPECT_EQ(model->state(u"des_nom_razon"_s).enabled, !c.open);
        if (c.open) {
            EXPECT_EQ(model->value(u"fec_nac_socio"_s), u"01/01/2018"_s);
            model->setText(u"Porcentaje"_s, u"0.5"_s);
            EXPECT_TRUE(save());
            EXPECT_EQ(rows(kTable), c.partners + 1);
        }
    }
}

TEST_F(PartnerChecksTest, ADomiciledCompanyOffersOnlyTheRuc) {
    add(kWindow);
    const qsizetype all = model->state(u"tipo_doc_socio"_s).items.size();
    EXPECT_GT(all, 1);
    model->choose(u"tipo_socio"_s, u"02"_s);
    ASSERT_EQ(model->state(u"tipo_doc_socio"_s).items.size(), 1);
    EXPECT_FALSE(model->choose(u"tipo_doc_socio"_s, u"01"_s));
    model->choose(u"tipo_socio"_s, u"01"_s);
    EXPECT_EQ(model->state(u"tipo_doc_socio"_s).items.size(), all);
}

// Leaving asks only when something was typed; Yes with a failing check keeps the window open.
TEST_F(PartnerChecksTest, TheCloseQuestionOnlyWhenSomethingWasTyped) {
    add(kWindow);
    model->salir();
    EXPECT_TRUE(model->isClosed());
    struct Case {
        Button answer;
        const char* changes;
        bool closed;
        int rows;
    };
    for (const Case& c :
         {Case{Button::Cancel, "", false, 0}, Case{Button::No, "", true, 0}, Case{Button::Yes, "", true, 1},
          Case{Button::Yes, "nro_doc_socio=20500000016; Porcentaje=0", false, 1}}) {
        SCOPED_TRACE(c.changes);
        typePartner(u"20100047218"_s, u"20"_s, c.changes);
        prompter->expectQuestion(kAskToSave, c.answer, Icon::Question);
        if (*c.changes != 0) {
            prompter->expectMessage(u"El Porcentaje no puede ser 0%."_s, Icon::Critical);
        }
        model->salir();
        EXPECT_EQ(model->isClosed(), c.closed);
        EXPECT_EQ(rows(kTable), c.rows);
    }
}

} // namespace
} // namespace qel::annexes
