#include "base/Passwords.h"
#include "store/Database.h"
#include "store/DeclarationTables.h"
#include "store/ParamLayouts.h"
#include "store/ParamLookups.h"
#include "store/ReferenceData.h"
#include "store/StoreFixture.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace qel;
using store::ParamLayouts;
namespace layout = store::doc_type_layout;

namespace {

QString field(const QString& funcion, int start, int length) {
    return funcion.mid(start - 1, length);
}

class ReferenceData : public test::DatabaseTest {};

} // namespace

TEST_F(ReferenceData, EveryListHasRowsOfItsLayoutWidthAndArgumentForm) {
    for (const store::ParamLayout& l : ParamLayouts::instance().layouts()) {
        SCOPED_TRACE(l.numero.toStdString());
        EXPECT_GT(count(QStringLiteral("SELECT count(*) FROM PARAM WHERE Numero=?"), {l.numero}), 0);
        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM PARAM WHERE Numero=? AND length(Funcion)<>?"),
                        {l.numero, l.width}),
                  0);
        const QRegularExpression pattern(QRegularExpression::anchoredPattern(l.argumentPattern));
        for (const auto& row : store::ParamLookups(db).ParamRows(l.numero)) {
            EXPECT_TRUE(pattern.match(row.argumento).hasMatch()) << row.argumento.toStdString();
        }
    }
    EXPECT_EQ(text(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
}

TEST_F(ReferenceData, EveryDistrictHasItsProvinceAndItsAmazoniaZone) {
    // Every district belongs to a province and a department that exist.
    EXPECT_EQ(
        count(QStringLiteral("SELECT count(*) FROM PARAM d WHERE d.Numero='001' AND NOT EXISTS "
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

TEST_F(ReferenceData, DocumentTypeRowsKeepTheirFieldsInPlace) {
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
    const QString stored = text(QStringLiteral("SELECT Funcion FROM PARAM WHERE Numero='044' AND Argumento='06'"));
    const QString& fallback = layout::rucFallbackFunction();
    EXPECT_EQ(stored.left(layout::kFirstModuleContext - 1), fallback.left(layout::kFirstModuleContext - 1));
    EXPECT_EQ(stored.at(layout::kLengthType - 1), QLatin1Char('1'));
}

TEST_F(ReferenceData, EveryErrorCodeTheTransferRaisesHasItsText) {
    const QString sql = QStringLiteral("SELECT DescError FROM ERROR WHERE CodError=?");
    EXPECT_EQ(text(sql, {QStringLiteral("0884")}), QStringLiteral("El ingreso del valor no es válido"));
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
        EXPECT_FALSE(text(sql, {code}).isEmpty()) << code.toStdString();
    }
}

TEST_F(ReferenceData, UsersAndSentTables) {
    // The demo accounts the test databases carry: marked demo, each with its own salted hash.
    const QString sql = QStringLiteral("SELECT Clave FROM CLAVES WHERE Usuario=?");
    const QString supervisor = text(sql, {QStringLiteral("SUPERVISOR")});
    const QString contador = text(sql, {QStringLiteral("CONTADOR")});
    EXPECT_TRUE(app::isDemoPassword(supervisor));
    EXPECT_TRUE(app::verifyPassword(supervisor, QStringLiteral("SUPERVISOR"), QStringLiteral("supervisor")));
    EXPECT_TRUE(app::verifyPassword(contador, QStringLiteral("CONTADOR"), QStringLiteral("contador")));
    EXPECT_EQ(text(QStringLiteral("SELECT tipo FROM CLAVES WHERE Usuario=?"), {QStringLiteral("SUPERVISOR")}),
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

TEST_F(ReferenceData, ChartsHoldTheClassesOfTheirAccounts) {
    const QString indica =
        QStringLiteral("SELECT indica FROM F544BALCUEN WHERE formulario='0588' AND plan=? AND codigo=?");
    struct Case {
        const char* plan;
        const char* code;
        const char* indica;
    };
    for (const Case& c : {Case{"2", "89", "2"}, Case{"2", "10", "1"}, Case{"1", "891", "2"}, Case{"0", "12", "1"}}) {
        EXPECT_EQ(text(indica, {QString::fromLatin1(c.plan), QString::fromLatin1(c.code)}),
                  QString::fromLatin1(c.indica))
            << c.plan << "/" << c.code;
    }
    // Every two-digit account of the business chart has a name, and none is longer than the
    // trial balance keeps.
    EXPECT_GE(count(QStringLiteral("SELECT count(*) FROM F544BALCUEN WHERE plan='2' AND length(codigo)=2")), 70);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM F544BALCUEN WHERE trim(Descrip)='' OR length(Descrip)>80")),
              0);
}

TEST_F(ReferenceData, RefusesToLoadIntoADatabaseThatHasIt) {
    const int before = count(QStringLiteral("SELECT count(*) FROM PARAM"));
    EXPECT_THROW(store::loadReferenceData(db), store::DatabaseError);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM PARAM")), before);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM CLAVES")), 2);
}
