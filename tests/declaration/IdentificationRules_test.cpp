#include "FormFixture.h"
#include "declaration/model/UbigeoPicker.h"
#include "declaration/rules/AddressRule.h"
#include "declaration/rules/EmailRule.h"
#include "declaration/rules/IdentificationRules.h"

#include <gtest/gtest.h>

namespace qel::declaration {
namespace {

using namespace Qt::StringLiterals;

using app::Button;
using app::Icon;

const QString kRuc = u"20100070970"_s;

TEST(EmailRule, AcceptsOnlyPlausibleAddresses) {
    for (const char* address : {"contador@empresa.com", "  Ana.Perez_1@Mi-Empresa.PE ", "abc@gmail.com"}) {
        EXPECT_TRUE(ValidaCorreo(QString::fromUtf8(address))) << address;
    }
    // A user part of two characters, the placeholders of no address, a provider missing or
    // misspelt, one character after the last dot, digits in the domain.
    for (const char* address :
         {"ab@gmail.com", "no_tengo_correo@gmail.com", "xno_tengo_coreo@gmail.com", "no_tengo_correo2@gmail.com",
          "juan@com.pe", "juan@gob.pe", "juan@pe.com", "juan@hotmial.com", "juan@gmail.c", "juan@gmail.info",
          "juan@empresa", "juan@a@b.com", "juan perez@gmail.com", "juan@gmail2.com", "josé@gmail.com"}) {
        EXPECT_FALSE(ValidaCorreo(QString::fromUtf8(address))) << address;
    }
}

TEST(AddressRule, TheFirstRuleThatAppliesGivesItsMessage) {
    // number|km|block|department|interior|lot|reference, and the message.
    for (const auto& [address, message] : {
             std::pair{"123|||||4|", "Si tiene información en Número, no deberá tener información en Km, "
                                     "Manzana/Lote  o viceversa"},
             {"123|5|||||", "Si tiene Kilómetro no podrá tener información en Número"},
             {"||B||||", "Debe ingresar la manzana y el lote"},
             {"|||||7|", "Debe ingresar la manzana y el lote"},
             {"|||201|||", "Ingrese el Número o  la manzana y el lote "},
             {" ||||A||", "Ingrese el Número o  la manzana y el lote "},
             {"SN||||||", "La referencia es obligatoria si es que indicó SN en el número"},
             {"SN||||||FRENTE AL PARQUE", ""},
             {"||B|201||7|", ""},
             {"|12|||||", ""},
         }) {
        const QStringList a = QString::fromUtf8(address).split(u'|');
        EXPECT_EQ(ValidaDireccion(a.at(0), a.at(1), a.at(2), a.at(3), a.at(4), a.at(5), a.at(6)),
                  QString::fromUtf8(message))
            << address;
    }
}

class IdentificationRulesTest : public testing::FormFixture {
protected:
    void SetUp() override {
        test::registerTaxpayer(db(), kRuc, u"EMPRESA S.A."_s);
        makeModel();
        attach<IdentificationRules>();
        load(kRuc);
    }
};

TEST_F(IdentificationRulesTest, ASecondAtSignCannotBeTyped) {
    const QString mail = u"txtmail"_s;
    for (const QChar c : u"ana@x"_s) {
        model->typeControlKey(mail, c);
    }
    EXPECT_EQ(model->typeControlKey(mail, QLatin1Char('@')), KeyResult::Dropped);
    EXPECT_EQ(model->typeControlKey(mail, QLatin1Char(' ')), KeyResult::Dropped);
    EXPECT_EQ(model->typeControlKey(mail, QLatin1Char('_')), KeyResult::Inserted);
    EXPECT_EQ(model->controlText(u"txtmail"_s), u"ana@x_"_s);
}

TEST_F(IdentificationRulesTest, AccountantTypeDecidesItsDocumentBoxes) {
    const QString list = u"cboContador"_s;
    model->setText(207, u"12345678"_s);
    model->chooseCombo(list, u"06"_s);
    EXPECT_FALSE(model->box(207).enabled);
    EXPECT_TRUE(model->text(207).isEmpty());
    EXPECT_TRUE(model->box(208).enabled);
    // The document type as the user reads it, without the flags of the list's entry.
    EXPECT_EQ(model->text(687), u"06  -  RUC"_s);

    model->setText(208, u"20100070970"_s);
    model->chooseCombo(list, u"01"_s);
    EXPECT_TRUE(model->box(207).enabled);
    EXPECT_FALSE(model->box(208).enabled);
    EXPECT_TRUE(model->text(208).isEmpty());

    const QString& noAccountant = IdentificationRules::kNoAccountant;
    prompter->expectQuestion(noAccountant, Button::Yes, Icon::Information);
    model->chooseCombo(list, u"99"_s);
    EXPECT_EQ(model->comboCode(list), u"99"_s);
    EXPECT_FALSE(model->box(207).enabled);
    EXPECT_FALSE(model->box(208).enabled);
    EXPECT_FALSE(model->control(u"TxtNombreA"_s).enabled);

    // Answered No: no type stays chosen and the accountant's boxes open again.
    prompter->expectQuestion(noAccountant, Button::No, Icon::Information);
    model->chooseCombo(list, u"99"_s);
    EXPECT_EQ(model->control(list).current, -1);
    EXPECT_TRUE(model->comboCode(list).isEmpty());
    EXPECT_TRUE(model->text(687).isEmpty());
    EXPECT_TRUE(model->control(u"TxtNombreA"_s).enabled);

    // While a declaration loads nothing is asked.
    model->setLoading(true);
    model->chooseCombo(list, u"99"_s);
    model->setLoading(false);
    EXPECT_EQ(model->comboCode(list), u"99"_s);
}

// A declaration stored with the whole entry of the list shows the document type it stands for.
TEST_F(IdentificationRulesTest, AStoredAccountantTypeShowsTheDocumentType) {
    model->setLoading(true);
    model->setText(687, FormLoader::documentTypeItems().at(1));
    model->setLoading(false);
    model->notifyAnswersApplied();
    EXPECT_EQ(model->text(687), u"01  -  DNI"_s);
    EXPECT_EQ(model->comboCode(u"cboContador"_s), u"01"_s);
}

TEST_F(IdentificationRulesTest, RepresentativeTypeEmptiesItsDocument) {
    model->setText(225, u"DNI"_s);
    model->setText(226, u"12345678"_s);
    model->chooseCombo(u"cboTipDocRepLegal"_s, u"06"_s);
    EXPECT_TRUE(model->text(225).isEmpty());
    EXPECT_TRUE(model->text(226).isEmpty());
}

// The picker itself runs in the batch dialog tests: it opens only for a chosen zone, with the
// code chosen before.
TEST_F(IdentificationRulesTest, UbigeoNeedsTheZoneAndGetsTheChosenCode) {
    model->setControlEnabled(u"CmdZona1"_s, true);
    model->setControlEnabled(u"OptZona"_s, true);
    prompter->expectMessage(IdentificationRules::kChooseZone, Icon::Exclamation);
    model->clickCommand(u"CmdZona1"_s, 0);
    EXPECT_TRUE(opener.requests.isEmpty());

    model->clickOption(u"OptZona"_s, 1);
    model->setControlText(u"TxtUbigeo"_s, u"160101"_s);
    model->clickCommand(u"CmdZona1"_s, 0);
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).keyValues, QStringList({"160101"}));
}

// The zone of a code is the zone of its longest listed prefix.
TEST(UbigeoPicker, ZonesFollowTheLongestListedPrefix) {
    for (const auto& [ubigeo, zone] : {std::pair{"010101", "1"},
                                       {"250101", "1"},
                                       {"250103", "2"},
                                       {"250401", "2"},
                                       {"160101", "2"},
                                       {"060801", "1"},
                                       {"060101", ""},
                                       {"150101", ""}}) {
        EXPECT_EQ(UbigeoPicker::zoneOf(QString::fromUtf8(ubigeo)), QString::fromUtf8(zone)) << ubigeo;
    }
}

} // namespace
} // namespace qel::declaration
