#include "SentVersionsFixture.h"
#include "app/StatusDisplay.h"
#include "declaration/SaveFixture.h"
#include "management/SentDeclarationList.h"
#include "management/VersionRecovery.h"
#include "store/RowCheckCode.h"
#include "store/WorkingCopies.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qel::management {
namespace {

using declaration::testing::RecordingPrompter;

const QString kRuc = u"20100113610"_s;
const QString kName = u"D'ONOFRIO S.A."_s;

class SentVersionsTest : public ::testing::Test {
protected:
    void SetUp() override { test::registerTaxpayer(db(), kRuc, kName, u"CONTADOR"_s); }

    store::Database& db() { return database->db(); }
    // A new empty database with the taxpayer, for the next case of a table.
    void freshDatabase() {
        database = std::make_unique<test::TempDatabase>();
        SetUp();
    }
    store::DeclarationKey key() const { return test::demoKey(kRuc); }

    SentDeclarationList list(int listMode, bool recovering = false, const QString& userKind = u"0"_s,
                             const QString& user = u"SUPERVISOR"_s) {
        SentDeclarationList result(
            {db(), prompter, nullptr, u"2018"_s, u"0588"_s, userKind, user, listMode, recovering});
        result.pCargadatos();
        return result;
    }

    VersionRecovery recovery(const QString& correl) {
        return VersionRecovery({db(), prompter, u"2018"_s, u"0588"_s, test::kSupervisor},
                               {.ruc = kRuc, .nombre = kName, .correl = correl});
    }

    // The active declaration equals the version, row for row and column by column, with ESTADO 9
    // in its header and every row carrying its own check code.
    void expectActiveEqualsVersion(const QString& correl) {
        for (const QString& table : store::SentTables(db(), u"0588"_s)) {
            SCOPED_TRACE(table.toStdString());
            QStringList columns = store::TableCatalog::instance().layout(table, store::Copy::Permanent).columnNames();
            columns.removeAll(store::TableCatalog::kCheckColumn);
            const bool header = table == u"CAB"_s;
            if (header) {
                columns.removeAll(u"ESTADO"_s);
            }
            const QStringList active = test::tableRows(db(), table, columns, key().filter());
            EXPECT_FALSE(active.isEmpty());
            EXPECT_EQ(active, test::tableRows(db(), u"H"_s + table, columns, key().versionFilter(correl)));
            if (header) {
                EXPECT_EQ(test::tableRows(db(), table, {u"ESTADO"_s}, key().filter()), QStringList{u"9"_s});
            }
        }
        EXPECT_EQ(test::wrongCheckCodes(db(), key()), QStringList());
    }

    std::unique_ptr<test::TempDatabase> database = std::make_unique<test::TempDatabase>();
    RecordingPrompter prompter;
};

TEST_F(SentVersionsTest, ListShowsTheUsersTaxpayersNewestVersionFirst) {
    const QString otherRuc = u"20100070970"_s;
    test::registerTaxpayer(db(), otherRuc, u"OTRA S.A."_s, u"AUDITOR"_s);
    test::addSentVersion(db(), key(), u"1"_s, u"V1"_s, 1, u"2019-03-20"_s);
    test::addSentVersion(db(), key(), u"2"_s, u"V2"_s, 1, u"2019-04-02"_s);
    test::addSentVersion(db(), test::demoKey(otherRuc), u"1"_s, u"O1"_s, 1);

    struct Case {
        const char* userKind;
        const char* user;
        QStringList rucAndCorrel;
    };
    for (const Case& c : {Case{"0", "SUPERVISOR", {"20100070970/1", "20100113610/2", "20100113610/1"}},
                          Case{"1", "CONTADOR", {"20100113610/2", "20100113610/1"}}, Case{"1", "NADIE", {}}}) {
        SCOPED_TRACE(c.user);
        const SentDeclarationList sent = list(1, false, QString::fromLatin1(c.userKind), QString::fromLatin1(c.user));
        QStringList shown;
        for (const SentVersionRow& row : sent.rows()) {
            shown.append(row.ruc + QLatin1Char('/') + row.correl);
        }
        EXPECT_EQ(shown, c.rucAndCorrel);
    }
    // The send date, the control number and the correlative of the newest version.
    const SentDeclarationList sent = list(1);
    EXPECT_EQ((QStringList{sent.cell(1, 5), sent.cell(1, 6), sent.cell(1, 7)}),
              (QStringList{"02/04/2019", "V2-CTRL", "2"}));
}

// Deleting the first of two versions leaves exactly what the second version alone would.
TEST_F(SentVersionsTest, DeletingTheFirstOfTwoVersionsKeepsTheSecondWhole) {
    test::addSentVersion(db(), key(), u"2"_s, u"V2"_s);
    const QByteArray secondAlone = test::sentTablesDigest(db());
    freshDatabase();
    test::addSentVersion(db(), key(), u"1"_s, u"V1"_s);
    test::addSentVersion(db(), key(), u"2"_s, u"V2"_s);
    const QByteArray before = test::sentTablesDigest(db());

    // Versions are listed newest first: row 1 is correlative 1.
    SentDeclarationList sent = list(3);
    ASSERT_EQ(sent.rows().size(), 2);
    sent.setCurrent(1);
    ASSERT_EQ(sent.rows().at(1).correl, u"1"_s);

    prompter.answers = {app::Button::No};
    EXPECT_FALSE(sent.runOperation());
    EXPECT_EQ(test::sentTablesDigest(db()), before);
    EXPECT_EQ(prompter.texts(), QStringList{SentDeclarationList::kDeleteQuestion});

    prompter.answers = {app::Button::Yes};
    EXPECT_TRUE(sent.runOperation());
    EXPECT_EQ(test::sentTablesDigest(db()), secondAlone);
    ASSERT_EQ(sent.rows().size(), 1);
    EXPECT_EQ(sent.rows().at(0).correl, u"2"_s);
}

// Over an active declaration the recovery asks first; without one it copies at once. Refused,
// nothing changes.
TEST_F(SentVersionsTest, RecoveryCopiesTheVersionOverTheActiveDeclarationWhenConfirmed) {
    // Why, whether there is an active declaration, the answer to the question, what is shown.
    const std::tuple<const char*, bool, app::Button, QStringList> cases[] = {
        {"no active declaration", false, app::Button::No, {VersionRecovery::kRecovered}},
        {"refused", true, app::Button::No, {VersionRecovery::kOverwriteQuestion, VersionRecovery::kNotRecovered}},
        {"confirmed", true, app::Button::Yes, {VersionRecovery::kOverwriteQuestion, VersionRecovery::kRecovered}},
    };
    for (const auto& [why, active, answer, shown] : cases) {
        SCOPED_TRACE(why);
        freshDatabase();
        test::addSentVersion(db(), key(), u"1"_s, u"V1"_s, 3);
        test::addSentVersion(db(), key(), u"2"_s, u"V2"_s);
        if (active) {
            test::addActiveDeclaration(db(), key(), u"ACTIVA"_s, 2);
        }
        const QByteArray before = test::sentTablesDigest(db());
        prompter.shown.clear();
        prompter.answers = {answer};
        const bool recovered = shown.last() == VersionRecovery::kRecovered;

        EXPECT_EQ(recovery(u"1"_s).recover(), recovered);

        EXPECT_EQ(prompter.texts(), shown);
        if (recovered) {
            expectActiveEqualsVersion(u"1"_s);
        } else {
            EXPECT_EQ(test::sentTablesDigest(db()), before);
        }
    }
}

TEST_F(SentVersionsTest, TableWithoutVersionRowsEndsEmptyAfterRecovery) {
    test::addSentVersion(db(), key(), u"1"_s, u"V1"_s);
    test::addActiveDeclaration(db(), key(), u"ACTIVA"_s, 2);
    store::DeleteVersionRows(db(), u"F535SOCIOS"_s, key(), u"1"_s);
    prompter.answers = {app::Button::Yes};

    EXPECT_TRUE(recovery(u"1"_s).recover());
    EXPECT_EQ(test::rowCount(db(), u"F535SOCIOS"_s, key()), 0);
    EXPECT_EQ(test::rowCount(db(), u"F535CASEF"_s, key()), 2);
}

TEST_F(SentVersionsTest, FailedRecoveryLeavesEverythingAsItWas) {
    struct Case {
        const char* why;
        std::function<void()> arrange;
        int shown; // messages: the engine's error (when there is one), then "No se recupero"
    };
    for (const Case& c : {
             Case{"a table envio_t lists that the database lacks",
                  [this] {
                      db().run(u"INSERT INTO envio_t (formulario, tabla_o) VALUES ('0588', 'F999NADA')"_s).finish();
                  },
                  3},
             Case{"the version was deleted meanwhile",
                  [this] { ASSERT_TRUE(store::deleteSentVersion(db(), prompter, key(), u"1"_s)); }, 2},
         }) {
        SCOPED_TRACE(c.why);
        freshDatabase();
        test::addSentVersion(db(), key(), u"1"_s, u"V1"_s);
        test::addActiveDeclaration(db(), key(), u"ACTIVA"_s);
        c.arrange();
        const QByteArray before = test::sentTablesDigest(db());
        prompter.shown.clear();
        prompter.answers = {app::Button::Yes};

        EXPECT_FALSE(recovery(u"1"_s).recover());

        EXPECT_EQ(test::sentTablesDigest(db()), before);
        EXPECT_FALSE(db().inTransaction());
        ASSERT_FALSE(prompter.shown.isEmpty());
        EXPECT_EQ(prompter.shown.last().text, VersionRecovery::kNotRecovered);
    }
}

} // namespace
} // namespace qel::management
