#include "app/KeyFilters.h"
#include "app/UtilityComponent.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace qel;
using app::KeyRule;
using app::UtilityComponent;
using Kind = UtilityComponent::FieldKind;

namespace {

const QChar kDrop;
const QChar kBack = UtilityComponent::kBackspace;

std::string show(QChar c) {
    return c.isNull() ? std::string("<drop>") : QString(c).toStdString() + " (" + std::to_string(c.unicode()) + ")";
}

TEST(UtilityComponent, FilterKeyConvertsAndDropsByKind) {
    struct Case {
        char16_t typed;
        Kind kind;
        QChar kept;
    };
    const Case cases[] = {{u'a', Kind::Name, QChar(u'A')},        {u'ñ', Kind::Name, QChar(u'Ñ')},
                          {u'é', Kind::Name, QChar(u'É')},        {u'x', Kind::DocumentNumber, QChar(u'X')},
                          {u'-', Kind::Name, QChar(u'-')},        {u'ñ', Kind::FreeText, QChar(u'ñ')},
                          {u'#', Kind::FreeText, QChar(u'#')},    {u'\b', Kind::Name, kBack},
                          {u'\t', Kind::FreeText, kDrop},         {u'\r', Kind::Name, kDrop},
                          {u'\x1b', Kind::DocumentNumber, kDrop}, {u'\x7f', Kind::FreeText, kDrop}};
    for (const Case& c : cases) {
        EXPECT_EQ(UtilityComponent::FilterKey(QChar(c.typed), c.kind), c.kept)
            << show(QChar(c.typed)) << " gave " << show(UtilityComponent::FilterKey(QChar(c.typed), c.kind));
    }
}

TEST(UtilityComponent, NumericKeysAndTheSecondDecimalPoint) {
    struct Case {
        char16_t typed;
        bool percentage;
        const char* text;
        bool kept;
    };
    const Case cases[] = {
        {u'0', false, "", true},   {u'9', false, "12", true},   {u'\b', false, "12", true}, {u'.', false, "12", false},
        {u'-', false, "", false},  {u'a', false, "", false},    {u'٣', false, "", false}, // a digit of another script
        {u'.', true, "12", true},  {u'.', true, "12.5", false}, {u'5', true, "12.5", true}, {u',', true, "12", false},
        {u'\b', true, "1.", true},
    };
    for (const Case& c : cases) {
        const QChar typed(c.typed);
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(UtilityComponent::FilterNumericKey(typed, c.percentage, text), c.kept ? typed : kDrop)
            << show(typed) << " into '" << c.text << "'";
        if (!text.contains(QLatin1Char('.'))) {
            EXPECT_EQ(UtilityComponent::FilterNumericKey(typed, c.percentage), c.kept ? typed : kDrop) << show(typed);
        }
    }
}

TEST(UtilityComponent, KeyRulesOfTheFormAndTheAnnexes) {
    struct Case {
        KeyRule rule;
        char16_t typed;
        QChar kept;
        const char* text = "";
        bool lettersAllowed = false;
    };
    const Case cases[] = {
        {KeyRule::Digits, u'5', QChar(u'5')},
        {KeyRule::Digits, u'a', kDrop},
        {KeyRule::Digits, u'\b', kBack},
        {KeyRule::Percentage, u'.', kDrop, "3.5"},
        {KeyRule::BalanceOption, u'1', QChar(u'1')},
        {KeyRule::BalanceOption, u'2', QChar(u'2')},
        {KeyRule::BalanceOption, u'3', kDrop},
        {KeyRule::IdentificationText, u'ñ', QChar(u'Ñ')},
        {KeyRule::IdentificationText, u'/', QChar(u'/')},
        {KeyRule::IdentificationText, u'.', QChar(u'.')},
        {KeyRule::IdentificationText, u'@', kDrop},
        {KeyRule::IdentificationText, u'é', kDrop},
        {KeyRule::IdentificationCode, u'b', QChar(u'B')},
        {KeyRule::IdentificationCode, u' ', QChar(u' ')},
        {KeyRule::IdentificationCode, u'-', kDrop},
        {KeyRule::RepresentativeDocument, u'x', QChar(u'X'), "", true},
        {KeyRule::RepresentativeDocument, u' ', kDrop, "", true},
        {KeyRule::RepresentativeDocument, u'x', kDrop, "", false},
        {KeyRule::RepresentativeDocument, u'4', QChar(u'4'), "", false},
        {KeyRule::PersonName, u'ñ', QChar(u'Ñ')},
        {KeyRule::PersonName, u' ', QChar(u' ')},
        {KeyRule::PersonName, u'á', kDrop},
        {KeyRule::PersonName, u'\'', kDrop},
        {KeyRule::RegistryEntry, u'-', QChar(u'-')},
        {KeyRule::RegistryEntry, u'k', QChar(u'K')},
        {KeyRule::RegistryEntry, u' ', kDrop},
        {KeyRule::Email, u'@', QChar(u'@'), "juan"},
        {KeyRule::Email, u'@', kDrop, "juan@x"},
        {KeyRule::Email, u' ', kDrop, "juan"},
        {KeyRule::Email, u'_', QChar(u'_'), "juan"},
        {KeyRule::Email, u'M', QChar(u'M'), "juan"},
        {KeyRule::Email, u'\t', kDrop, "juan"},
        {KeyRule::AnnexName, u'ñ', QChar(u'Ñ')},
        {KeyRule::AnnexName, u'&', kDrop},
        {KeyRule::AnnexDocument, u'e', QChar(u'E')},
        {KeyRule::AnnexDocument, u'-', kDrop},
        {KeyRule::FreeText, u'a', QChar(u'a')},
        {KeyRule::FreeText, u'\r', kDrop},
    };
    for (const Case& c : cases) {
        const QChar kept = app::filterKey(c.rule, QChar(c.typed), QString::fromUtf8(c.text), c.lettersAllowed);
        EXPECT_EQ(kept, c.kept) << "rule " << static_cast<int>(c.rule) << ": " << show(QChar(c.typed)) << " gave "
                                << show(kept);
    }
}

TEST(UtilityComponent, CheckRuc) {
    const std::pair<const char*, bool> cases[] = {
        {"20100070970", true},
        {"10467985430", true},
        {"15123456782", true},
        {"16000000012", true},
        {"17123456785", true},
        {"20100000050", true}, // sum leaves 1: check digit 10 becomes 0
        {"20100000131", true}, // sum leaves 0: check digit 11 becomes 1
        {"20100070971", false},
        {"20100000051", false},
        {"20100000130", false},
        {"30100070970", false},
        {"11100070970", false},
        {"2010007097", false},
        {"201000709700", false},
        {"2010007097A", false},
        {"", false},
        {" 20100070970", false},
        {"2010007097٠", false},
    };
    for (const auto& [ruc, valid] : cases) {
        EXPECT_EQ(UtilityComponent::CheckRuc(QString::fromUtf8(ruc)), valid) << ruc;
    }
}

class DocumentNumbers : public ::testing::Test {
protected:
    // A '044' row: the long name, the length at 46-47, the data type at 128, the length type at 130.
    void addType(const QString& argument, const QString& name, int length, QChar dataType, QChar lengthType) {
        QString funcion = name.leftJustified(45, QLatin1Char(' '));
        funcion += QString("%1").arg(length, 2, 10, QLatin1Char('0'));
        funcion = funcion.leftJustified(127, QLatin1Char(' ')) + dataType + QLatin1Char(' ') + lengthType;
        m_temp.db()
            .run("INSERT INTO PARAM (Numero, Argumento, Funcion) VALUES ('044', ?, ?)", {argument, funcion})
            .finish();
    }
    void SetUp() override { m_temp.db().run("DELETE FROM PARAM WHERE Numero='044'").finish(); }

    test::TempDatabase m_temp;
    std::unique_ptr<app::ScriptedPrompter> m_prompter = test::makePrompter();
};

TEST_F(DocumentNumbers, CheckedByTheFlagsOfTheirType) {
    addType("1", "DOC. NACIONAL DE IDENTIDAD", 8, u'5', u'1');
    addType("04", "CARNET DE EXTRANJERIA", 12, u'1', u'0');
    addType("06", "REG. UNICO DE CONTRIBUYENTES", 11, u'5', u'0');
    addType(" 7", "PASAPORTE", 12, u'1', u'1');
    addType("11", "PARTIDA DE NACIMIENTO", 15, u'5', u'0');
    const UtilityComponent utility(*m_prompter, &m_temp.db());
    struct Case {
        int type;
        const char* number;
        bool valid;
    };
    const Case cases[] = {
        {1, "12345678", true},
        {1, "1234567", false},
        {1, "123456789", false},
        {1, "1234567A", false},
        {4, "A1B2C3", true},
        {4, "123456789012", true},
        {4, "1234567890123", false},
        {4, "AB-123", false},
        {4, "AB 123", false},
        {4, "", false},
        {6, "20100070970", true},
        {6, "20100070971", false},
        {6, "2010007097", false},
        {7, "ABC123456789", true},
        {7, "ABC12345678", false},
        {7, "ÑANDU1234567", true},
        {11, "123", true},
        {11, "12A", false},
        {11, "1234567890123456", false},
        {9, "123", false}, // no row for the type
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utility.CheckDocumentNumber(c.type, QString::fromUtf8(c.number)), c.valid)
            << "type " << c.type << " number " << c.number;
    }
}

TEST_F(DocumentNumbers, WithoutRowsOnlyTheRucCanBeChecked) {
    // a RUC row that would refuse every RUC: the stored row wins over the built-in one
    addType("6", "RUC", 8, u'5', u'1');
    const UtilityComponent withRow(*m_prompter, &m_temp.db());
    EXPECT_FALSE(withRow.CheckDocumentNumber(6, "20100070970"));

    m_temp.db().run("DELETE FROM PARAM WHERE Numero='044'").finish();
    UtilityComponent utility(*m_prompter);
    for (store::Database* db : {static_cast<store::Database*>(nullptr), &m_temp.db()}) {
        utility.setDatabase(db);
        EXPECT_TRUE(utility.CheckDocumentNumber(6, "20100070970"));
        EXPECT_FALSE(utility.CheckDocumentNumber(6, "20100070971"));
        EXPECT_FALSE(utility.CheckDocumentNumber(1, "12345678"));
    }
    m_temp.db().run("DROP TABLE PARAM").finish();
    EXPECT_TRUE(utility.CheckDocumentNumber(6, "20100070970"));
    EXPECT_FALSE(utility.CheckDocumentNumber(1, "12345678"));
}

TEST(UtilityComponent, PadTextCutsOrFillsOnTheRight) {
    const std::tuple<const char*, int, const char*> cases[] = {
        {"1234", 7, "1234   "}, {"1234567890", 7, "1234567"}, {"", 3, "   "}, {"ABC", 3, "ABC"}, {"ABC", 0, ""},
        {"ABC", -1, ""},        {"ÑAÑA", 6, "ÑAÑA  "},
    };
    for (const auto& [text, width, padded] : cases) {
        EXPECT_EQ(UtilityComponent::PadText(QString::fromUtf8(text), width), QString::fromUtf8(padded))
            << text << " to " << width;
    }
}

TEST(UtilityComponent, CheckDateRange) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"15/06/2018", "01/01/1950", true},  {"01/01/1950", "01/01/1950", true},   {"31/12/1949", "01/01/1950", false},
        {"29/02/2016", "01/01/1950", true},  {"29/02/2018", "01/01/1950", false},  {"31/04/2018", "01/01/1950", false},
        {"00/01/2018", "01/01/1950", false}, {"01/13/2018", "01/01/1950", false},  {"__/__/____", "01/01/1950", false},
        {"15/06/20__", "01/01/1950", false}, {"1/6/2018", "01/01/1950", false},    {"15-06-2018", "01/01/1950", false},
        {"", "01/01/1950", false},           {"15/06/2018 ", "01/01/1950", false}, {"15/06/2018", "", true},
        {"15/06/2018", "not a date", false}, {"01/01/1900", "01/01/1900", true},   {"31/12/1899", "01/01/1900", false},
    };
    for (const auto& [date, earliest, valid] : cases) {
        EXPECT_EQ(UtilityComponent::CheckDateRange(QString::fromUtf8(date), QString::fromUtf8(earliest)), valid)
            << date << " from " << earliest;
    }
}

TEST(UtilityComponent, ValidateOrderNumber) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"123455", "123455", true},                                       // six digits, Luhn check 5
        {"1234567897", "1234567897", true},                               // ten digits
        {"876543216", "876543216", true},   {" 123455", "123455 ", true}, // blanks around are not part of the number
        {"123455", "123456", false},                                      // entries differ
        {"123456", "123456", false},                                      // wrong check digit
        {"124355", "124355", false},                                      // two digits swapped
        {"12345", "12345", false},                                        // too short
        {"100008", "100008", true},         {"12345678903", "12345678903", false}, // too long
        {"000000", "000000", false}, // all zeros pass the check but are no number
        {"12345A", "12345A", false},        {"", "", false},
    };
    for (const auto& [number, confirmation, valid] : cases) {
        EXPECT_EQ(UtilityComponent::ValidateOrderNumber("20100070970", "2018", "0588", QString::fromUtf8(number),
                                                        QString::fromUtf8(confirmation)),
                  valid)
            << number << " / " << confirmation;
    }
}

} // namespace
