#include "base/Passwords.h"
#include "imports/TrialBalanceTransferFile.h"
#include "store/Database.h"
#include "store/ParamLayouts.h"
#include "store/ParamLookups.h"
#include "store/ReferenceData.h"
#include "store/StoreFixture.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace qel;
using store::ParamLayouts;
namespace layout = store::doc_type_layout;

namespace {

class ReferenceData : public test::DatabaseTest {};

} // namespace

TEST_F(ReferenceData, EveryListHasRowsOfItsLayoutWidthAndArgumentForm) {
    for (const store::ParamLayout& l : ParamLayouts::instance().layouts()) {
        SCOPED_TRACE(l.numero.toStdString());
        EXPECT_GT(count(u"SELECT count(*) FROM PARAM WHERE Numero=?"_s, {l.numero}), 0);
        EXPECT_EQ(count(u"SELECT count(*) FROM PARAM WHERE Numero=? AND length(Funcion)<>?"_s, {l.numero, l.width}), 0);
        const QRegularExpression pattern(QRegularExpression::anchoredPattern(l.argumentPattern));
        for (const auto& row : store::ParamLookups(db).ParamRows(l.numero)) {
            EXPECT_TRUE(pattern.match(row.argumento).hasMatch()) << row.argumento.toStdString();
        }
    }
    EXPECT_EQ(count(u"SELECT count(*) FROM PARAM d WHERE d.Numero='001' AND NOT EXISTS (SELECT 1 FROM PARAM p "
                    "WHERE p.Numero='031' AND p.Argumento=substr(d.Argumento,1,4))"_s),
              0)
        << "a district whose province is missing";
    EXPECT_EQ(text(u"PRAGMA integrity_check"_s), u"ok"_s);
}

TEST_F(ReferenceData, DocumentTypeRowsKeepTheirFieldsInPlace) {
    // Each field the lookups read: where it starts, its length and what it may hold.
    const struct {
        int at;
        int length;
        const char* pattern;
    } fields[] = {{layout::kLongName, layout::kLongNameLength + 1, "\\S.* "}, // and the blank after it
                  {layout::kLenDoc, 2, "\\d\\d"},
                  {layout::kFlags, 6, "[01]{6}"},
                  {layout::kFirstContext, layout::kLastContext - layout::kFirstContext + 1, "[01]+"},
                  {store::doc_type_context::kPartners, 1, "1"},
                  {layout::kDataType - 1, 2, " [15]"},
                  {layout::kLengthType - 1, 2, " [01]"}};
    QSqlQuery rows = db.run(u"SELECT Argumento, Funcion FROM PARAM WHERE Numero='044'"_s);
    QStringList orders;
    while (rows.next()) {
        const QString f = rows.value(1).toString();
        SCOPED_TRACE(rows.value(0).toString().toStdString());
        ASSERT_EQ(f.size(), layout::kWidth);
        for (const auto& field : fields) {
            const QRegularExpression pattern(QRegularExpression::anchoredPattern(QString::fromLatin1(field.pattern)));
            EXPECT_TRUE(pattern.match(f.mid(field.at - 1, field.length)).hasMatch()) << field.at;
        }
        orders.append(f.mid(layout::kOrder - 1, 2));
    }
    const qsizetype types = orders.size();
    orders.removeDuplicates();
    EXPECT_EQ(orders.size(), types) << "display orders repeat";

    // The stored RUC row is the launcher's row with its length type "1" and this module's contexts.
    const QString stored = text(u"SELECT Funcion FROM PARAM WHERE Numero='044' AND Argumento='06'"_s);
    const QString& fallback = layout::rucFallbackFunction();
    EXPECT_EQ(stored.left(layout::kFirstModuleContext - 1), fallback.left(layout::kFirstModuleContext - 1));
    EXPECT_EQ(stored.at(layout::kLengthType - 1), QLatin1Char('1'));
}

TEST_F(ReferenceData, EveryErrorCodeTheTransferRaisesHasItsText) {
    using File = imports::TrialBalanceTransferFile;
    const QString sql = u"SELECT DescError FROM ERROR WHERE CodError=?"_s;
    EXPECT_EQ(text(sql, {u"0884"_s}), u"El ingreso del valor no es válido"_s);
    for (const QString& code :
         {File::kMissingFields, File::kDuplicateAccount, File::kUnknownAccount, File::kOpeningOnResult,
          File::kNotNumeric, File::kDecimals, File::kNoInformation, File::kNegative, File::kTooLong}) {
        EXPECT_FALSE(text(sql, {code}).isEmpty()) << code.toStdString();
    }
}

// The demo accounts the test databases carry: marked demo, each with its own salted hash. (The
// tables a send copies come from the catalogue's list: SendAndRecover checks what they hold.)
TEST_F(ReferenceData, DemoUsers) {
    const QString sql = u"SELECT Clave FROM CLAVES WHERE Usuario=?"_s;
    const QString supervisor = text(sql, {u"SUPERVISOR"_s});
    const QString contador = text(sql, {u"CONTADOR"_s});
    EXPECT_TRUE(app::isDemoPassword(supervisor));
    EXPECT_TRUE(app::verifyPassword(supervisor, u"SUPERVISOR"_s, u"supervisor"_s));
    EXPECT_TRUE(app::verifyPassword(contador, u"CONTADOR"_s, u"contador"_s));
    EXPECT_EQ(text(u"SELECT tipo FROM CLAVES WHERE Usuario=?"_s, {u"SUPERVISOR"_s}), u"0"_s);
    EXPECT_EQ(store::loadDemoUsers(db), 0) << "the demo accounts are added once";
}

// Every two-digit account of the business chart has a name, and none is longer than the trial
// balance keeps. (The classes of the accounts show in the trial balance's own tests.)
TEST_F(ReferenceData, ChartsNameTheirAccounts) {
    EXPECT_GE(count(u"SELECT count(*) FROM F544BALCUEN WHERE plan='2' AND length(codigo)=2"_s), 70);
    EXPECT_EQ(count(u"SELECT count(*) FROM F544BALCUEN WHERE trim(Descrip)='' OR length(Descrip)>80"_s), 0);
}

TEST_F(ReferenceData, RefusesToLoadIntoADatabaseThatHasIt) {
    const int before = count(u"SELECT count(*) FROM PARAM"_s);
    EXPECT_THROW(store::loadReferenceData(db), store::DatabaseError);
    EXPECT_EQ(count(u"SELECT count(*) FROM PARAM"_s), before);
    EXPECT_EQ(count(u"SELECT count(*) FROM CLAVES"_s), 2);
}
