#include "store/Database.h"
#include "store/ParamLayouts.h"
#include "store/ParamLookups.h"
#include "store/StoreFixture.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace qel;
namespace context = store::doc_type_context;

namespace {

void addParam(store::Database& db, const QString& numero, const QString& argumento, const QString& funcion) {
    db.run(QStringLiteral("INSERT INTO PARAM (Numero, Argumento, Funcion) VALUES (?, ?, ?)"),
           {numero, argumento, funcion})
        .finish();
}

void addTaxpayer(store::Database& db, const QString& ruc, const QString& user, int docType = 6) {
    test::insertRow(db, QStringLiteral("CONT"), {},
                    {{QStringLiteral("TIP_DOC_D"), docType},
                     {QStringLiteral("DOC_ID_D"), ruc},
                     {QStringLiteral("NOMBRE"), QStringLiteral("EMPRESA ") + ruc},
                     {QStringLiteral("USUARIO"), user}});
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
    EXPECT_EQ(lookups.UitForYear(QStringLiteral("2018")), QStringLiteral("4150"));

    db.run(QStringLiteral("DELETE FROM PARAM WHERE Numero='404'")).finish();
    addParam(db, QStringLiteral("404"), QStringLiteral("20160101"), QStringLiteral("3950.00     "));
    addParam(db, QStringLiteral("404"), QStringLiteral("20170101"), QStringLiteral("4050.50     "));
    addParam(db, QStringLiteral("404"), QStringLiteral("20190101"), QStringLiteral("4200.00     "));
    struct Case {
        const char* year;
        const char* uit;
    };
    for (const Case& c :
         {Case{"2018", "4050.5"}, Case{"2015", ""}, Case{"2016", "3950"}, Case{"2019", "4200"}, Case{"2030", "4200"}}) {
        EXPECT_EQ(lookups.UitForYear(QString::fromLatin1(c.year)), QString::fromLatin1(c.uit)) << c.year;
    }
}

TEST_F(ParamLookups, GeographicCodesAreLookedUpByTwoFourAndSixDigits) {
    struct Case {
        const char* code;
        const char* department;
        const char* province;
        const char* district;
        const char* place;
    };
    const Case cases[] = {
        {"080901", "CUSCO", "LA CONVENCION", "SANTA ANA", "CUSCO-LA CONVENCION-SANTA ANA"},
        {"150101", "LIMA", "LIMA", "LIMA", "LIMA-LIMA-LIMA"},
        {" 250401 ", "UCAYALI", "PURUS", "PURUS", "UCAYALI-PURUS-PURUS"},
        {"0809", "CUSCO", "LA CONVENCION", "", "CUSCO-LA CONVENCION-"},
        {"08", "CUSCO", "", "", "CUSCO--"},
        {"999999", "", "", "", "--"},
        {"", "", "", "", ""},
        {"   ", "", "", "", ""},
        // Names longer than the 30 characters of the row are cut.
        {"050116", "AYACUCHO", "HUAMANGA", "ANDRES AVELINO CACERES DORREGA",
         "AYACUCHO-HUAMANGA-ANDRES AVELINO CACERES DORREGA"},
    };
    for (const Case& c : cases) {
        const QString code = QString::fromLatin1(c.code);
        SCOPED_TRACE(c.code);
        EXPECT_EQ(lookups.DepartmentName(code), QString::fromLatin1(c.department));
        EXPECT_EQ(lookups.ProvinceName(code), QString::fromLatin1(c.province));
        EXPECT_EQ(lookups.DistrictName(code), QString::fromLatin1(c.district));
        EXPECT_EQ(lookups.PlaceDescription(code), QString::fromLatin1(c.place));
    }
}

TEST_F(ParamLookups, DocumentTypeNamesAndContexts) {
    struct Case {
        const char* code;
        const char* longName;
        const char* shortName;
        bool partner;
        bool accountant;
    };
    const Case cases[] = {
        {"6", "REG. UNICO DE CONTRIBUYENTES", "RUC", true, true},
        {" 06", "REG. UNICO DE CONTRIBUYENTES", "RUC", true, true},
        {"1", "DOC. NACIONAL DE IDENTIDAD", "DNI", true, true},
        {"7", "PASAPORTE", "PASAPORTE", true, false},
        {"99", "SIN DATOS", "SIN DATOS", true, true},
        {"55", "", "", false, false},
        {"", "", "", false, false},
    };
    for (const Case& c : cases) {
        const QString code = QString::fromLatin1(c.code);
        SCOPED_TRACE(c.code);
        EXPECT_EQ(lookups.DocTypeName(code, true), QString::fromLatin1(c.longName));
        EXPECT_EQ(lookups.DocTypeName(code, false), QString::fromLatin1(c.shortName));
        EXPECT_EQ(lookups.DocTypeAllowed(code, context::kPartners), c.partner);
        EXPECT_EQ(lookups.DocTypeAllowed(code, context::kAccountant), c.accountant);
    }
}

TEST_F(ParamLookups, RucRowFallsBackToTheLaunchersRowOnlyForTheRuc) {
    db.run(QStringLiteral("DELETE FROM PARAM WHERE Numero='044' AND Argumento IN ('06', '01')")).finish();
    EXPECT_EQ(lookups.DocTypeFunction(QStringLiteral("6")), store::doc_type_layout::rucFallbackFunction());
    EXPECT_EQ(lookups.DocTypeName(QStringLiteral("06"), false), QStringLiteral("RUC"));
    EXPECT_EQ(lookups.DocTypeFunction(QStringLiteral("1")), QString());
    // The launcher's row allows "at most 11 characters": no length condition on the list.
    EXPECT_FALSE(lookups.TaxpayerListQuery(QStringLiteral("0588"), QStringLiteral("0"), QStringLiteral("SUPERVISOR"))
                     .sql.contains(QStringLiteral("length")));
}

TEST_F(ParamLookups, DocumentTypeListNeverOffersTheLegacyTypes) {
    // The legacy types are flagged for the partners but must still stay out of the list.
    ASSERT_TRUE(lookups.DocTypeAllowed(QStringLiteral("02"), context::kPartners));
    ASSERT_TRUE(lookups.DocTypeAllowed(QStringLiteral("03"), context::kPartners));

    const QStringList partners = lookups.docTypeItems(context::kPartners, false);
    EXPECT_EQ(codesOf(partners), QStringList({"06", "01", "04", "07", "11", "00", "99"}));
    EXPECT_EQ(partners.first(), QStringLiteral("06  -  REG. UNICO DE CONTRIBUYENTES"));
    EXPECT_EQ(codesOf(lookups.docTypeItems(context::kPartners, false, false, true)),
              QStringList({"06", "01", "04", "11", "00", "99"}));
    EXPECT_EQ(codesOf(lookups.docTypeItems(context::kAccountant, false)), QStringList({"06", "01", "99"}));
    EXPECT_EQ(lookups.docTypeItems(context::kAccountant, false, true).first(), QStringLiteral("06  -  RUC"));
    EXPECT_TRUE(lookups.docTypeItems(120, false).isEmpty());

    const QStringList detailed = lookups.docTypeItems(context::kPartners, true);
    struct Case {
        int index;
        const char* code;
        int lenDoc;
        const char* dataType;
        const char* lengthType;
    };
    for (const Case& c : {Case{0, "06", 11, "5", "1"}, Case{1, "01", 8, "5", "1"}, Case{3, "07", 12, "1", "0"}}) {
        const QString& item = detailed.at(c.index);
        SCOPED_TRACE(item.toStdString());
        EXPECT_EQ(item.size(), 2 + 5 + 75 + 6);
        const store::ParamLookups::DocTypeDetail detail = store::ParamLookups::docTypeDetail(item);
        EXPECT_EQ(detail.code, QString::fromLatin1(c.code));
        EXPECT_EQ(detail.lenDoc, c.lenDoc);
        EXPECT_EQ(detail.tipoDato, QString::fromLatin1(c.dataType));
        EXPECT_EQ(detail.tipoLongitud, QString::fromLatin1(c.lengthType));
    }
}

TEST_F(ParamLookups, SlicesRowsAndListsInTheirOrders) {
    EXPECT_EQ(lookups.ParamSlice(QStringLiteral("856"), QStringLiteral("0588"), 1, 3), QStringLiteral("1.0"));
    EXPECT_EQ(lookups.ParamSlice(QStringLiteral("856"), QStringLiteral("0599"), 1, 3), QString());
    EXPECT_EQ(lookups.ParamSlice(QStringLiteral("976"), QStringLiteral("9589"), 1, 36).trimmed(),
              QStringLiteral("PERU"));

    addParam(db, QStringLiteral("T01"), QStringLiteral("10"), QStringLiteral("DIEZ"));
    addParam(db, QStringLiteral("T01"), QStringLiteral("9"), QStringLiteral("NUEVE"));
    addParam(db, QStringLiteral("T01"), QStringLiteral("100"), QStringLiteral("CIEN"));
    addParam(db, QStringLiteral("T01"), QStringLiteral("X"), QStringLiteral("EQUIS"));

    QStringList numeric;
    for (const auto& row : lookups.ParamRows(QStringLiteral("T01"))) {
        numeric.append(row.argumento + QLatin1Char('=') + row.funcion);
    }
    EXPECT_EQ(numeric, QStringList({"X=EQUIS", "9=NUEVE", "10=DIEZ", "100=CIEN"}));

    QStringList textual;
    for (const auto& item : lookups.paramList(QStringLiteral("T01"), 2, 3)) {
        textual.append(item.argumento + QLatin1Char('=') + item.text);
    }
    EXPECT_EQ(textual, QStringList({"10=IEZ", "100=IEN", "9=UEV", "X=QUI"}));

    QStringList filtered;
    for (const auto& item : lookups.paramList(QStringLiteral("T01"), 1, 10, QStringLiteral("1%"))) {
        filtered.append(item.argumento);
    }
    EXPECT_EQ(filtered, QStringList({"10", "100"}));
    EXPECT_TRUE(lookups.ParamRows(QStringLiteral("T02")).isEmpty());
}

TEST_F(ParamLookups, TaxpayerListQueryBindsTheUserAndRuns) {
    const QString quoted = QStringLiteral("D'ONOFRIO S.A.");
    addTaxpayer(db, QStringLiteral("20100070970"), quoted);
    addTaxpayer(db, QStringLiteral("20131312955"), QStringLiteral("CONTADOR"));
    addTaxpayer(db, QStringLiteral("2013131"), QStringLiteral("CONTADOR"));     // not eleven digits
    addTaxpayer(db, QStringLiteral("10456789"), QStringLiteral("CONTADOR"), 1); // not a RUC

    struct Case {
        const char* kind;
        QString user;
        QStringList expected;
    };
    const Case cases[] = {
        {"0", QStringLiteral("CONTADOR"), {"20100070970", "20131312955"}},
        {"1", QStringLiteral("CONTADOR"), {"20131312955"}},
        {"1", quoted, {"20100070970"}},
        {"1", QString(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind + (": " + c.user.toStdString()));
        const store::ParamLookups::Query query =
            lookups.TaxpayerListQuery(QStringLiteral("0588"), QString::fromLatin1(c.kind), c.user);
        EXPECT_EQ(query.sql.count(QStringLiteral("WHERE")), 1);
        EXPECT_TRUE(query.sql.contains(QStringLiteral(" AND length(trim(Doc_id_d))=11 ")));
        EXPECT_EQ(query.values, std::string(c.kind) == "0" ? QVariantList{} : QVariantList{c.user});
        QSqlQuery rows = db.run(query.sql, query.values);
        QStringList rucs;
        while (rows.next()) {
            rucs.append(rows.value(QStringLiteral("DOC_ID_D")).toString());
        }
        EXPECT_EQ(rucs, c.expected);
    }
}
