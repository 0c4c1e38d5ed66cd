#include "base/Passwords.h"
#include "store/Database.h"
#include "store/DeclarationTables.h"
#include "store/ParamLayouts.h"
#include "store/ParamLookups.h"
#include "store/ReferenceData.h"
#include "support/TestSupport.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace qel;
using store::ParamLayouts;
namespace layout = store::doc_type_layout;

namespace {

QString text(store::Database& db, const QString& sql, const QVariantList& values = {}) {
    return db.scalar(sql, values).toString();
}

int count(store::Database& db, const QString& sql, const QVariantList& values = {}) {
    return db.scalar(sql, values).toInt();
}

QString field(const QString& funcion, int start, int length) {
    return funcion.mid(start - 1, length);
}

// The accounts behind the casillas that the trial balance is compared with.
const QStringList& comparedAccounts() {
    static const QStringList accounts =
        QStringLiteral(
            "20111 20112 202 2031 2032 204 208 "
            "31111 31112 31113 31121 31122 31123 31211 31212 31213 31214 "
            "3211 3212 3221 3222 3223 3224 3225 3226 3227 "
            "33111 33112 33211 33212 33213 33221 33222 33223 33231 33232 33233 33241 33242 33243 33311 33312 "
            "33313 33411 33412 33421 33422 33511 33512 33521 33522 33611 33612 33621 33622 33631 33632 33691 "
            "33692 33711 33712 33721 33722 3381 3382 3383 3386 3387 3391 3392 3393 3394 33971 33981 33982 3399 "
            "5011 5012 502 "
            "70111 70112 70121 70122 70131 70132 70141 70142 70151 70152 70211 70212 70221 70222 70231 70232 "
            "70241 70242 70251 70252 70311 70312 70321 70322 7041 7042 "
            "70911 70912 70913 70914 70915 70921 70922 70923 70924 70925 70931 70932 70933 70934 70935 70941 "
            "70942 70943 70944 70945 70951 70952 70961 70962 "
            "7411 7412 6591 65921 65922 65929")
            .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return accounts;
}

} // namespace

TEST(ReferenceData, EveryListHasRowsOfItsLayoutWidthAndArgumentForm) {
    test::TempDatabase temp;
    auto& db = temp.db();
    for (const store::ParamLayout& l : ParamLayouts::instance().layouts()) {
        SCOPED_TRACE(l.numero.toStdString());
        EXPECT_GT(count(db, QStringLiteral("SELECT count(*) FROM PARAM WHERE Numero=?"), {l.numero}), 0);
        EXPECT_EQ(count(db, QStringLiteral("SELECT count(*) FROM PARAM WHERE Numero=? AND length(Funcion)<>?"),
                        {l.numero, l.width}),
                  0);
        const QRegularExpression pattern(QRegularExpression::anchoredPattern(l.argumentPattern));
        for (const auto& row : store::ParamLookups(db).ParamRows(l.numero)) {
            EXPECT_TRUE(pattern.match(row.argumento).hasMatch()) << row.argumento.toStdString();
        }
    }
    EXPECT_EQ(text(db, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
}

TEST(ReferenceData, EveryDistrictHasItsProvinceAndItsAmazoniaZone) {
    test::TempDatabase temp;
    auto& db = temp.db();
    // Every district belongs to a province and a department that exist.
    EXPECT_EQ(count(db, QStringLiteral(
                            "SELECT count(*) FROM PARAM d WHERE d.Numero='001' AND NOT EXISTS "
                            "(SELECT 1 FROM PARAM p WHERE p.Numero='031' AND p.Argumento=substr(d.Argumento,1,4))")),
              0);

    struct Case {
        const char* district;
        const char* zone;
    };
    const Case cases[] = {
        {"160101", "2"}, // Loreto
        {"170101", "2"}, // Madre de Dios
        {"250401", "2"}, // Purus province inside Ucayali
        {"250103", "2"}, // Iparia district inside Coronel Portillo
        {"250101", "1"}, // the rest of Ucayali
        {"010101", "1"}, // Amazonas
        {"080901", "1"}, // La Convencion, an Amazon province of Cusco
        {"080101", " "}, // Cusco outside the Amazonia
        {"150101", " "}, // Lima
    };
    store::ParamLookups lookups(db);
    for (const Case& c : cases) {
        EXPECT_EQ(lookups.ParamSlice(QStringLiteral("001"), QString::fromLatin1(c.district), 60, 1),
                  QString::fromLatin1(c.zone))
            << c.district;
    }
}

TEST(ReferenceData, DocumentTypeRowsKeepTheirFieldsInPlace) {
    test::TempDatabase temp;
    auto& db = temp.db();
    QSqlQuery rows = db.run(QStringLiteral("SELECT Argumento, Funcion FROM PARAM WHERE Numero='044'"));
    QStringList orders;
    QStringList codes;
    while (rows.next()) {
        const QString code = rows.value(0).toString();
        const QString f = rows.value(1).toString();
        SCOPED_TRACE(code.toStdString());
        codes.append(code);
        ASSERT_EQ(f.size(), layout::kWidth);
        EXPECT_FALSE(field(f, layout::kLongName, layout::kLongNameLength).trimmed().isEmpty());
        EXPECT_EQ(f.at(layout::kLongName + layout::kLongNameLength - 1), QLatin1Char(' '));
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d$")).match(field(f, layout::kLenDoc, 2)).hasMatch());
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^[01]{6}$")).match(field(f, layout::kFlags, 6)).hasMatch());
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^[01]{67}$"))
                        .match(field(f, layout::kFirstContext, layout::kLastContext - layout::kFirstContext + 1))
                        .hasMatch());
        EXPECT_TRUE(QStringLiteral("15").contains(f.at(layout::kDataType - 1)));
        EXPECT_TRUE(QStringLiteral("01").contains(f.at(layout::kLengthType - 1)));
        EXPECT_EQ(f.at(layout::kDataType - 2), QLatin1Char(' '));
        EXPECT_EQ(f.at(layout::kLengthType - 2), QLatin1Char(' '));
        EXPECT_EQ(f.at(store::doc_type_context::kPartners - 1), QLatin1Char('1'));
        orders.append(field(f, layout::kOrder, 2));
    }
    orders.removeDuplicates();
    EXPECT_EQ(orders.size(), codes.size()) << "display orders repeat";

    // The stored RUC row is the launcher's row with its length type "1" and this module's contexts.
    const QString stored = text(db, QStringLiteral("SELECT Funcion FROM PARAM WHERE Numero='044' AND Argumento='06'"));
    const QString& fallback = layout::rucFallbackFunction();
    EXPECT_EQ(stored.left(layout::kFirstModuleContext - 1), fallback.left(layout::kFirstModuleContext - 1));
    EXPECT_EQ(stored.at(layout::kLengthType - 1), QLatin1Char('1'));
}

TEST(ReferenceData, EveryErrorCodeTheTransferRaisesHasItsText) {
    test::TempDatabase temp;
    auto& db = temp.db();
    const QString sql = QStringLiteral("SELECT DescError FROM ERROR WHERE CodError=?");
    EXPECT_EQ(text(db, sql, {QStringLiteral("0884")}), QStringLiteral("El ingreso del valor no es válido"));
    QStringList required;
    const auto range = [&required](int from, int to) {
        for (int code = from; code <= to; ++code) {
            required.append(QStringLiteral("%1").arg(code, 4, 10, QLatin1Char('0')));
        }
    };
    range(1, 10);
    range(876, 888);
    range(870, 872);
    range(980, 999);
    required << QStringLiteral("0228") << QStringLiteral("0858") << QStringLiteral("0901");
    for (const QString& code : required) {
        EXPECT_FALSE(text(db, sql, {code}).isEmpty()) << code.toStdString();
    }
}

TEST(ReferenceData, UsersAndSentTables) {
    test::TempDatabase temp;
    auto& db = temp.db();
    // The demo accounts the test databases carry: marked demo, each with its own salted hash.
    const QString sql = QStringLiteral("SELECT Clave FROM CLAVES WHERE Usuario=?");
    const QString supervisor = text(db, sql, {QStringLiteral("SUPERVISOR")});
    const QString contador = text(db, sql, {QStringLiteral("CONTADOR")});
    EXPECT_TRUE(app::isDemoPassword(supervisor));
    EXPECT_TRUE(app::verifyPassword(supervisor, QStringLiteral("SUPERVISOR"), QStringLiteral("supervisor")));
    EXPECT_TRUE(app::verifyPassword(contador, QStringLiteral("CONTADOR"), QStringLiteral("contador")));
    EXPECT_EQ(text(db, QStringLiteral("SELECT tipo FROM CLAVES WHERE Usuario=?"), {QStringLiteral("SUPERVISOR")}),
              QStringLiteral("0"));
    EXPECT_EQ(store::loadDemoUsers(db), 0) << "the demo accounts are added once";

    QStringList expected = store::declaration_tables::sentDeclarationTables();
    expected.append(QStringLiteral("CONTROL"));
    QStringList stored;
    QSqlQuery rows = db.run(QStringLiteral("SELECT tabla_o FROM envio_t WHERE formulario='0588'"));
    while (rows.next()) {
        stored.append(rows.value(0).toString());
    }
    expected.sort();
    stored.sort();
    EXPECT_EQ(stored, expected);
}

TEST(ReferenceData, ChartsHoldTheComparedAccountsAndTheirClasses) {
    test::TempDatabase temp;
    auto& db = temp.db();
    const QString indica =
        QStringLiteral("SELECT indica FROM F544BALCUEN WHERE formulario='0588' AND plan=? AND codigo=?");
    for (const QString& plan : {QStringLiteral("1"), QStringLiteral("2")}) {
        for (const QString& account : comparedAccounts()) {
            EXPECT_FALSE(text(db, indica, {plan, account}).isEmpty())
                << "plan " << plan.toStdString() << " lacks " << account.toStdString();
        }
    }
    struct Case {
        const char* plan;
        const char* code;
        const char* indica;
    };
    for (const Case& c : {Case{"2", "89", "2"}, Case{"2", "10", "1"}, Case{"1", "891", "2"}, Case{"0", "12", "1"}}) {
        EXPECT_EQ(text(db, indica, {QString::fromLatin1(c.plan), QString::fromLatin1(c.code)}),
                  QString::fromLatin1(c.indica))
            << c.plan << "/" << c.code;
    }
    // Every two-digit account of the business chart has a name, and none is longer than the
    // trial balance keeps.
    EXPECT_GE(count(db, QStringLiteral("SELECT count(*) FROM F544BALCUEN WHERE plan='2' AND length(codigo)=2")), 70);
    EXPECT_EQ(
        count(db, QStringLiteral("SELECT count(*) FROM F544BALCUEN WHERE trim(Descrip)='' OR length(Descrip)>80")), 0);
}

TEST(ReferenceData, RefusesToLoadIntoADatabaseThatHasIt) {
    test::TempDatabase temp;
    auto& db = temp.db();
    const int before = count(db, QStringLiteral("SELECT count(*) FROM PARAM"));
    EXPECT_THROW(store::loadReferenceData(db), store::DatabaseError);
    EXPECT_EQ(count(db, QStringLiteral("SELECT count(*) FROM PARAM")), before);
    EXPECT_EQ(count(db, QStringLiteral("SELECT count(*) FROM CLAVES")), 2);
}
