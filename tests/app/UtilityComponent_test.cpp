#include "app/KeyFilters.h"
#include "app/UtilityComponent.h"
#include "support/TestSupport.h"

#include <functional>
#include <gtest/gtest.h>

using namespace qel;
using app::KeyRule;
using app::UtilityComponent;
using Kind = UtilityComponent::FieldKind;

namespace {

const QChar kDrop;

std::string show(QChar c) {
    return c.isNull() ? std::string("<drop>") : QString(c).toStdString() + " (" + std::to_string(c.unicode()) + ")";
}

// Each key of `typed` through the filter, against the key of `kept` at the same place; '·'
// stands for a key the filter drops.
void expectKeys(const std::function<QChar(QChar)>& filter, const char* typed, const char* kept) {
    const QString keys = QString::fromUtf8(typed);
    const QString results = QString::fromUtf8(kept);
    ASSERT_EQ(keys.size(), results.size());
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const QChar expected = results.at(i) == u'·' ? kDrop : results.at(i);
        EXPECT_EQ(filter(keys.at(i)), expected) << show(keys.at(i)) << " gave " << show(filter(keys.at(i)));
    }
}

TEST(UtilityComponent, FilterKeyConvertsAndDropsByKind) {
    const std::tuple<Kind, const char*, const char*> cases[] = {
        {Kind::Name, "añé-\b\r", "AÑÉ-\b·"},
        {Kind::DocumentNumber, "x\x1b", "X·"},
        {Kind::FreeText, "ñ#\t\x7f", "ñ#··"},
    };
    for (const auto& [kind, typed, kept] : cases) {
        SCOPED_TRACE(static_cast<int>(kind));
        expectKeys([k = kind](QChar c) { return UtilityComponent::FilterKey(c, k); }, typed, kept);
    }
}

TEST(UtilityComponent, NumericKeysAndTheSecondDecimalPoint) {
    const std::tuple<bool, const char*, const char*, const char*> cases[] = {
        {false, "", "0-a٣", "0···"}, // ٣ is a digit of another script
        {false, "12", "9\b.", "9\b·"}, {true, "12", ".,", ".·"}, {true, "12.5", ".5", "·5"}, {true, "1.", "\b", "\b"},
    };
    for (const auto& [percentage, text, typed, kept] : cases) {
        SCOPED_TRACE(text);
        const QString before = QString::fromUtf8(text);
        const bool inPercentage = percentage;
        expectKeys([&](QChar c) { return UtilityComponent::FilterNumericKey(c, inPercentage, before); }, typed, kept);
        if (!before.contains(u'.')) {
            expectKeys([&](QChar c) { return UtilityComponent::FilterNumericKey(c, inPercentage); }, typed, kept);
        }
    }
}

TEST(UtilityComponent, KeyRulesOfTheFormAndTheAnnexes) {
    using enum KeyRule;
    // The rule, the text already in the box, the keys typed, the keys kept, letters allowed.
    const std::tuple<KeyRule, const char*, const char*, const char*, bool> cases[] = {
        {Digits, "", "5a\b", "5·\b", false},
        {Percentage, "3.5", ".", "·", false},
        {BalanceOption, "", "123", "12·", false},
        {IdentificationText, "", "ñ/.@é", "Ñ/.··", false},
        {IdentificationCode, "", "b -", "B ·", false},
        {RepresentativeDocument, "", "x ", "X·", true},
        {RepresentativeDocument, "", "x4", "·4", false},
        {PersonName, "", "ñ á'", "Ñ ··", false},
        {RegistryEntry, "", "-k ", "-K·", false},
        {Email, "juan", "@ _M\t", "@·_M·", false},
        {Email, "juan@x", "@", "·", false},
        {AnnexName, "", "ñ&", "Ñ·", false},
        {AnnexDocument, "", "e-", "E·", false},
        {FreeText, "", "a\r", "a·", false},
    };
    for (const auto& [rule, inBox, typed, kept, letters] : cases) {
        SCOPED_TRACE(static_cast<int>(rule));
        const QString text = QString::fromUtf8(inBox);
        const auto filter = [&, keyRule = rule, lettersAllowed = letters](QChar k) {
            return app::filterKey(keyRule, k, text, lettersAllowed);
        };
        expectKeys(filter, typed, kept);
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
    const std::tuple<int, const char*, const char*> cases[] = {
        // type, valid numbers, numbers refused
        {1, "12345678", "1234567|123456789|1234567A"}, {4, "A1B2C3|123456789012", "1234567890123|AB-123|AB 123"},
        {6, "20100070970", "20100070971|2010007097"},  {7, "ABC123456789|ÑANDU1234567", "ABC12345678"},
        {11, "123", "12A|1234567890123456"},           {9, "", "123"}, // no row for the type
    };
    for (const auto& [type, valid, refused] : cases) {
        for (const bool expected : {true, false}) {
            for (const QString& number :
                 QString::fromUtf8(expected ? valid : refused).split(u'|', Qt::SkipEmptyParts)) {
                EXPECT_EQ(utility.CheckDocumentNumber(type, number), expected) << type << " " << number.toStdString();
            }
        }
    }
    EXPECT_FALSE(utility.CheckDocumentNumber(4, ""));
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

// What the checks of a RUC, a date since 1950 and an order number typed twice accept and refuse.
TEST(UtilityComponent, RucDateAndOrderNumberChecks) {
    const auto since1950 = [](const QString& date) { return UtilityComponent::CheckDateRange(date, "01/01/1950"); };
    const auto order = [](const QString& number, const QString& again) {
        return UtilityComponent::ValidateOrderNumber("20100070970", "2018", "0588", number, again);
    };
    const struct {
        std::function<bool(const QString&)> check;
        QStringList valid;
        QStringList refused;
    } cases[] = {
        // 20100000050: the sum leaves 1, check digit 10 becomes 0; 20100000131: it leaves 0, 11 becomes 1
        {UtilityComponent::CheckRuc,
         {"20100070970", "10467985430", "15123456782", "16000000012", "17123456785", "20100000050", "20100000131"},
         {"20100070971", "20100000051", "20100000130", "30100070970", "11100070970", "2010007097", "201000709700",
          "2010007097A", "", " 20100070970", "2010007097٠"}},
        {since1950,
         {"15/06/2018", "01/01/1950", "29/02/2016"},
         {"31/12/1949", "29/02/2018", "31/04/2018", "00/01/2018", "01/13/2018", "__/__/____", "15/06/20__", "1/6/2018",
          "15-06-2018", "", "15/06/2018 "}},
        // six to ten digits, the last their Luhn check; refused: a wrong check digit, two digits
        // swapped, too short, too long, all zeros (they pass the check but are no number), a letter
        {[&](const QString& number) { return order(number, number); },
         {"123455", "1234567897", "876543216", "100008"},
         {"123456", "124355", "12345", "12345678903", "000000", "12345A", ""}},
    };
    for (const auto& c : cases) {
        for (const QString& text : c.valid) {
            EXPECT_TRUE(c.check(text)) << text.toStdString();
        }
        for (const QString& text : c.refused) {
            EXPECT_FALSE(c.check(text)) << text.toStdString();
        }
    }
    EXPECT_TRUE(UtilityComponent::CheckDateRange("15/06/2018", "")) << "no earliest date";
    EXPECT_FALSE(UtilityComponent::CheckDateRange("15/06/2018", "not a date"));
    EXPECT_TRUE(UtilityComponent::CheckDateRange("01/01/1900", "01/01/1900"));
    EXPECT_FALSE(UtilityComponent::CheckDateRange("31/12/1899", "01/01/1900"));
    EXPECT_TRUE(order(" 123455", "123455 ")) << "blanks around are not part of the number";
    EXPECT_FALSE(order("123455", "123456")) << "the two entries differ";
}

} // namespace
