#include "FormFixture.h"
#include "declaration/model/UbigeoPicker.h"
#include "declaration/rules/AddressRule.h"
#include "declaration/rules/EmailRule.h"
#include "declaration/rules/IdentificationRules.h"

#include <gtest/gtest.h>

namespace qel::declaration {
namespace {

using app::Button;
using app::Icon;

const QString kRuc = QStringLiteral("20100070970");

TEST(EmailRule, AcceptsOnlyPlausibleAddresses) {
    struct Case {
        const char* address;
        bool accepted;
    };
    for (const Case& c :
         {Case{"contador@empresa.com", true}, Case{"  Ana.Perez_1@Mi-Empresa.PE ", true}, Case{"abc@gmail.com", true},
          Case{"ab@gmail.com", false}, // user part of two characters
          Case{"no_tengo_correo@gmail.com", false}, Case{"xno_tengo_coreo@gmail.com", false},
          Case{"no_tengo_correo2@gmail.com", false}, Case{"juan@com.pe", false},                   // provider missing
          Case{"juan@gob.pe", false}, Case{"juan@pe.com", false}, Case{"juan@hotmial.com", false}, // misspelt provider
          Case{"juan@gmail.c", false}, // one character after the last dot
          Case{"juan@gmail.info", false}, Case{"juan@empresa", false}, Case{"juan@a@b.com", false},
          Case{"juan perez@gmail.com", false}, Case{"juan@gmail2.com", false}, // digits in the domain
          Case{"josé@gmail.com", false}}) {
        EXPECT_EQ(ValidaCorreo(QString::fromUtf8(c.address)), c.accepted) << c.address;
    }
}

TEST(AddressRule, TheFirstRuleThatAppliesGivesItsMessage) {
    struct Case {
        const char* number;
        const char* km;
        const char* block;
        const char* department;
        const char* interior;
        const char* lot;
        const char* reference;
        const char* message;
    };
    for (const Case& c : {
             Case{"123", "", "", "", "", "4", "",
                  "Si tiene información en Número, no deberá tener información en Km, "
                  "Manzana/Lote  o viceversa"},
             Case{"123", "5", "", "", "", "", "", "Si tiene Kilómetro no podrá tener información en Número"},
             Case{"", "", "B", "", "", "", "", "Debe ingresar la manzana y el lote"},
             Case{"", "", "", "", "", "7", "", "Debe ingresar la manzana y el lote"},
             Case{"", "", "", "201", "", "", "", "Ingrese el Número o  la manzana y el lote "},
             Case{" ", "", "", "", "A", "", "", "Ingrese el Número o  la manzana y el lote "},
             Case{"SN", "", "", "", "", "", "", "La referencia es obligatoria si es que indicó SN en el número"},
             Case{"SN", "", "", "", "", "", "FRENTE AL PARQUE", ""},
             Case{"", "", "B", "201", "", "7", "", ""},
             Case{"", "12", "", "", "", "", "", ""},
         }) {
        EXPECT_EQ(ValidaDireccion(QString::fromUtf8(c.number), QString::fromUtf8(c.km), QString::fromUtf8(c.block),
                                  QString::fromUtf8(c.department), QString::fromUtf8(c.interior),
                                  QString::fromUtf8(c.lot), QString::fromUtf8(c.reference)),
                  QString::fromUtf8(c.message))
            << c.number << "|" << c.km << "|" << c.block << "|" << c.lot;
    }
}

class IdentificationRulesTest : public testing::FormFixture {
protected:
    void SetUp() override {
        test::registerTaxpayer(db(), kRuc, QStringLiteral("EMPRESA S.A."));
        makeModel();
        attach<IdentificationRules>();
        load(kRuc);
    }
};

TEST_F(IdentificationRulesTest, ASecondAtSignCannotBeTyped) {
    for (const QChar c : QStringLiteral("ana@x")) {
        model->typeControlKey(QStringLiteral("txtmail"), c);
    }
    EXPECT_EQ(model->typeControlKey(QStringLiteral("txtmail"), QLatin1Char('@')), KeyResult::Dropped);
    EXPECT_EQ(model->typeControlKey(QStringLiteral("txtmail"), QLatin1Char(' ')), KeyResult::Dropped);
    EXPECT_EQ(model->typeControlKey(QStringLiteral("txtmail"), QLatin1Char('_')), KeyResult::Inserted);
    EXPECT_EQ(model->controlText(QStringLiteral("txtmail")), QStringLiteral("ana@x_"));
}

TEST_F(IdentificationRulesTest, AccountantTypeDecidesItsDocumentBoxes) {
    const QString list = QStringLiteral("cboContador");
    model->setText(207, QStringLiteral("12345678"));
    model->chooseCombo(list, QStringLiteral("06"));
    EXPECT_FALSE(model->box(207).enabled);
    EXPECT_TRUE(model->text(207).isEmpty());
    EXPECT_TRUE(model->box(208).enabled);
    // The document type as the user reads it, without the flags of the list's entry.
    EXPECT_EQ(model->text(687), QStringLiteral("06  -  RUC"));

    model->setText(208, QStringLiteral("20100070970"));
    model->chooseCombo(list, QStringLiteral("01"));
    EXPECT_TRUE(model->box(207).enabled);
    EXPECT_FALSE(model->box(208).enabled);
    EXPECT_TRUE(model->text(208).isEmpty());

    prompter->expectQuestion(
        QStringLiteral("Sr. Contribuyente NO ha registrado Datos del Contador. ¿Desea continuar? "), Button::Yes,
        Icon::Information);
    model->chooseCombo(list, QStringLiteral("99"));
    EXPECT_EQ(model->comboCode(list), QStringLiteral("99"));
    EXPECT_FALSE(model->box(207).enabled);
    EXPECT_FALSE(model->box(208).enabled);
    EXPECT_FALSE(model->control(QStringLiteral("TxtNombreA")).enabled);

    // Answered No: no type stays chosen and the accountant's boxes open again.
    prompter->expectQuestion(
        QStringLiteral("Sr. Contribuyente NO ha registrado Datos del Contador. ¿Desea continuar? "), Button::No,
        Icon::Information);
    model->chooseCombo(list, QStringLiteral("99"));
    EXPECT_EQ(model->control(list).current, -1);
    EXPECT_TRUE(model->comboCode(list).isEmpty());
    EXPECT_TRUE(model->text(687).isEmpty());
    EXPECT_TRUE(model->control(QStringLiteral("TxtNombreA")).enabled);

    // While a declaration loads nothing is asked.
    model->setLoading(true);
    model->chooseCombo(list, QStringLiteral("99"));
    model->setLoading(false);
    EXPECT_EQ(model->comboCode(list), QStringLiteral("99"));
}

// A declaration stored with the whole entry of the list shows the document type it stands for.
TEST_F(IdentificationRulesTest, AStoredAccountantTypeShowsTheDocumentType) {
    model->setLoading(true);
    model->setText(687, FormLoader::documentTypeItems().at(1));
    model->setLoading(false);
    model->notifyAnswersApplied();
    EXPECT_EQ(model->text(687), QStringLiteral("01  -  DNI"));
    EXPECT_EQ(model->comboCode(QStringLiteral("cboContador")), QStringLiteral("01"));
}

TEST_F(IdentificationRulesTest, RepresentativeTypeEmptiesItsDocument) {
    model->setText(225, QStringLiteral("DNI"));
    model->setText(226, QStringLiteral("12345678"));
    model->chooseCombo(QStringLiteral("cboTipDocRepLegal"), QStringLiteral("06"));
    EXPECT_TRUE(model->text(225).isEmpty());
    EXPECT_TRUE(model->text(226).isEmpty());
}

TEST_F(IdentificationRulesTest, UbigeoIsPickedForTheChosenZone) {
    model->setControlEnabled(QStringLiteral("CmdZona1"), true);
    model->setControlEnabled(QStringLiteral("OptZona"), true);
    prompter->expectMessage(IdentificationRules::kChooseZone, Icon::Exclamation);
    model->clickCommand(QStringLiteral("CmdZona1"), 0);
    EXPECT_TRUE(opener.requests.isEmpty());

    model->clickOption(QStringLiteral("OptZona"), 1);
    opener.answer = QStringLiteral("160101");
    model->clickCommand(QStringLiteral("CmdZona1"), 0);
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).name, QStringLiteral("frmUbigeo"));
    EXPECT_EQ(opener.requests.at(0).code, QStringLiteral("2"));
    EXPECT_EQ(model->controlText(QStringLiteral("TxtUbigeo")), QStringLiteral("160101"));

    // The chosen code goes back into the picker; cancelling keeps it.
    opener.answer.clear();
    model->clickCommand(QStringLiteral("CmdZona1"), 0);
    EXPECT_EQ(opener.requests.at(1).keyValues, QStringList({"160101"}));
    EXPECT_EQ(model->controlText(QStringLiteral("TxtUbigeo")), QStringLiteral("160101"));
}

// The zone of a code is the zone of its longest listed prefix.
TEST(UbigeoPicker, ZonesFollowTheLongestListedPrefix) {
    struct Case {
        const char* ubigeo;
        const char* zone;
    };
    for (const Case& c : {Case{"010101", "1"}, Case{"250101", "1"}, Case{"250103", "2"}, Case{"250401", "2"},
                          Case{"160101", "2"}, Case{"060801", "1"}, Case{"060101", ""}, Case{"150101", ""}}) {
        EXPECT_EQ(UbigeoPicker::zoneOf(QString::fromUtf8(c.ubigeo)), QString::fromUtf8(c.zone)) << c.ubigeo;
    }
}

TEST(UbigeoPicker, ListsTheDistrictsOfAZoneUnderTheirPlaces) {
    test::TempDatabase database;
    UbigeoPicker picker(database.db());
    const QList<UbigeoPicker::Department> zone2 = picker.places(QStringLiteral("2"));
    QStringList departments;
    QStringList ucayali;
    for (const UbigeoPicker::Department& department : zone2) {
        departments.append(department.place.code + QLatin1Char(' ') + department.place.name);
        for (const UbigeoPicker::Province& province : department.provinces) {
            for (const UbigeoPicker::Place& district : province.districts) {
                if (department.place.code == QStringLiteral("25")) {
                    ucayali.append(district.code);
                }
            }
        }
    }
    EXPECT_EQ(departments, QStringList({"16 LORETO", "17 MADRE DE DIOS", "25 UCAYALI"}));
    EXPECT_EQ(ucayali, QStringList({"250103", "250104", "250401"}));

    EXPECT_TRUE(picker.isValidChoice(QStringLiteral("2"), QStringLiteral("250103")));
    EXPECT_FALSE(picker.isValidChoice(QStringLiteral("1"), QStringLiteral("250103")));
    EXPECT_FALSE(picker.isValidChoice(QStringLiteral("2"), QStringLiteral("2501")));
    EXPECT_FALSE(picker.isValidChoice(QStringLiteral("2"), QString()));
}

} // namespace
} // namespace qel::declaration
