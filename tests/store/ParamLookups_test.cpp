#include "store/Database.h"
#include "store/ParamLayouts.h"
#include "store/ParamLookups.h"
#include "store/StoreFixture.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace qel;
namespace context = store::doc_type_context;

namespace {

void addParam(store::Database& db, const QString& numero, const QString& argumento, const QString& funcion) {
    db.run(u"INSERT INTO PARAM (Numero, Argumento, Funcion) VALUES (?, ?, ?)"_s, {numero, argumento, funcion}).finish();
}

void addTaxpayer(store::Database& db, const QString& ruc, const QString& user, int docType = 6) {
    db.run(u"INSERT INTO CONT (TIP_DOC_D, DOC_ID_D, NOMBRE, USUARIO) VALUES (?, ?, 'EMPRESA', ?)"_s,
           {docType, ruc, user})
        .finish();
}

QStringList codesOf(const QStringList& items) {
    QStringList codes;
    for (const QString& item : items) {
        codes.append(item.left(2));
    }
    return codes;
}

class ParamLookups : public test::DatabaseTest {
protected:
    store::ParamLookups lookups{db};
};

} // namespace

TEST_F(ParamLookups, UitIsThatOfTheLatestYearNotAfterTheGivenOne) {
    EXPECT_EQ(lookups.UitForYear(u"2018"_s), u"4150"_s);

    db.run(u"DELETE FROM PARAM WHERE Numero='404'"_s).finish();
    for (const auto& [from, uit] :
         {std::pair{"20160101", "3950.00     "}, {"20170101", "4050.50     "}, {"20190101", "4200.00     "}}) {
        addParam(db, u"404"_s, QString::fromLatin1(from), QString::fromLatin1(uit));
    }
    for (const auto& [year, uit] :
         {std::pair{"2018", "4050.5"}, {"2015", ""}, {"2016", "3950"}, {"2019", "4200"}, {"2030", "4200"}}) {
        EXPECT_EQ(lookups.UitForYear(QString::fromLatin1(year)), QString::fromLatin1(uit)) << year;
    }
}

TEST_F(ParamLookups, GeographicCodesAreLookedUpByTwoFourAndSixDigits) {
    // The code, then its department, province and district.
    const std::pair<const char*, const char*> cases[] = {
        {"080901", "CUSCO|LA CONVENCION|SANTA ANA"},
        {"150101", "LIMA|LIMA|LIMA"},
        {" 250401 ", "UCAYALI|PURUS|PURUS"},
        {"0809", "CUSCO|LA CONVENCION|"},
        {"08", "CUSCO||"},
        {"999999", "||"},
        {"", "||"},
        {"   ", "||"},
        {"050116", "AYACUCHO|HUAMANGA|ANDRES AVELINO CACERES DORREGA"}, // cut at the row's 30 characters
    };
    for (const auto& [code, names] : cases) {
        const QString c = QString::fromLatin1(code);
        EXPECT_EQ(QStringList({lookups.DepartmentName(c), lookups.ProvinceName(c), lookups.DistrictName(c)}).join(u'|'),
                  QString::fromLatin1(names))
            << code;
    }
}

TEST_F(ParamLookups, DocumentTypeNamesAndContexts) {
    struct Case {
        const char* code;
        const char* shortName;
        bool partner;
        bool accountant;
    };
    const Case cases[] = {
        {"6", "RUC", true, true},        {" 06", "RUC", true, true},      {"1", "DNI", true, true},
        {"7", "PASAPORTE", true, false}, {"99", "SIN DATOS", true, true}, {"55", "", false, false},
        {"", "", false, false},
    };
    for (const Case& c : cases) {
        const QString code = QString::fromLatin1(c.code);
        SCOPED_TRACE(c.code);
        EXPECT_EQ(lookups.DocTypeName(code, false), QString::fromLatin1(c.shortName));
        EXPECT_EQ(lookups.DocTypeAllowed(code, context::kPartners), c.partner);
        EXPECT_EQ(lookups.DocTypeAllowed(code, context::kAccountant), c.accountant);
    }
}

TEST_F(ParamLookups, RucRowFallsBackToTheLaunchersRowOnlyForTheRuc) {
    db.run(u"DELETE FROM PARAM WHERE Numero='044' AND Argumento IN ('06', '01')"_s).finish();
    EXPECT_EQ(lookups.DocTypeFunction(u"6"_s), store::doc_type_layout::rucFallbackFunction());
    EXPECT_EQ(lookups.DocTypeName(u"06"_s, false), u"RUC"_s);
    EXPECT_EQ(lookups.DocTypeFunction(u"1"_s), QString());
    // The launcher's row allows "at most 11 characters": no length condition on the list.
    EXPECT_FALSE(lookups.TaxpayerListQuery(u"0588"_s, u"0"_s, u"SUPERVISOR"_s).sql.contains(u"length"_s));
}

TEST_F(ParamLookups, DocumentTypeListNeverOffersTheLegacyTypes) {
    // The legacy types are flagged for the partners but must still stay out of the list.
    ASSERT_TRUE(lookups.DocTypeAllowed(u"02"_s, context::kPartners));
    ASSERT_TRUE(lookups.DocTypeAllowed(u"03"_s, context::kPartners));

    const QStringList partners = lookups.docTypeItems(context::kPartners, false);
    EXPECT_EQ(codesOf(partners), QStringList({"06", "01", "04", "07", "11", "00", "99"}));
    EXPECT_EQ(partners.first(), u"06  -  REG. UNICO DE CONTRIBUYENTES"_s);
    EXPECT_EQ(codesOf(lookups.docTypeItems(context::kAccountant, false)), QStringList({"06", "01", "99"}));
    EXPECT_TRUE(lookups.docTypeItems(120, false).isEmpty());
}

TEST_F(ParamLookups, SlicesRowsAndListsInTheirOrders) {
    EXPECT_EQ(lookups.ParamSlice(u"856"_s, u"0588"_s, 1, 3), u"1.0"_s);
    EXPECT_EQ(lookups.ParamSlice(u"856"_s, u"0599"_s, 1, 3), QString());
    EXPECT_EQ(lookups.ParamSlice(u"976"_s, u"9589"_s, 1, 36).trimmed(), u"PERU"_s);

    for (const auto& [argumento, funcion] :
         {std::pair{"10", "DIEZ"}, {"9", "NUEVE"}, {"100", "CIEN"}, {"X", "EQUIS"}}) {
        addParam(db, u"T01"_s, QString::fromLatin1(argumento), QString::fromLatin1(funcion));
    }
    QStringList numeric;
    for (const auto& row : lookups.ParamRows(u"T01"_s)) {
        numeric.append(row.argumento + u'=' + row.funcion);
    }
    EXPECT_EQ(numeric, QStringList({"X=EQUIS", "9=NUEVE", "10=DIEZ", "100=CIEN"}));
    const auto listed = [this](int start, int length, const QString& filter = {}) {
        QStringList items;
        for (const auto& item : lookups.paramList(u"T01"_s, start, length, filter)) {
            items.append(item.argumento + u'=' + item.text);
        }
        return items;
    };
    EXPECT_EQ(listed(2, 3), QStringList({"10=IEZ", "100=IEN", "9=UEV", "X=QUI"}));
    EXPECT_EQ(listed(1, 4, u"1%"_s), QStringList({"10=DIEZ", "100=CIEN"}));
    EXPECT_TRUE(lookups.ParamRows(u"T02"_s).isEmpty());
}

// The list of taxpayers: a supervisor (kind "0") sees every RUC of eleven digits, another user
// only those kept under their name, quotes and all.
TEST_F(ParamLookups, TaxpayerListQueryBindsTheUserAndRuns) {
    const QString quoted = u"D'ONOFRIO S.A."_s;
    addTaxpayer(db, u"20100070970"_s, quoted);
    addTaxpayer(db, u"20131312955"_s, u"CONTADOR"_s);
    addTaxpayer(db, u"2013131"_s, u"CONTADOR"_s);     // not eleven digits
    addTaxpayer(db, u"10456789"_s, u"CONTADOR"_s, 1); // not a RUC

    struct Case {
        const char* kind;
        QString user;
        QStringList expected;
    };
    const Case cases[] = {
        {"0", u"CONTADOR"_s, {"20100070970", "20131312955"}},
        {"1", u"CONTADOR"_s, {"20131312955"}},
        {"1", quoted, {"20100070970"}},
        {"1", QString(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind + (": " + c.user.toStdString()));
        const store::ParamLookups::Query query =
            lookups.TaxpayerListQuery(u"0588"_s, QString::fromLatin1(c.kind), c.user);
        QSqlQuery rows = db.run(query.sql, query.values);
        QStringList rucs;
        while (rows.next()) {
            rucs.append(rows.value(u"DOC_ID_D"_s).toString());
        }
        EXPECT_EQ(rucs, c.expected);
    }
}
