#include "SentVersionsFixture.h"
#include "app/StatusDisplay.h"
#include "declaration/SaveFixture.h"
#include "management/SentDeclarationList.h"
#include "management/VersionRecovery.h"
#include "store/RowCheckCode.h"
#include "store/WorkingCopies.h"

#include <gtest/gtest.h>

namespace qel::management {
namespace {

using declaration::testing::RecordingPrompter;

const QString kRuc = QStringLiteral("20100113610");
const QString kName = QStringLiteral("D'ONOFRIO S.A.");

class SentVersionsTest : public ::testing::Test {
protected:
    void SetUp() override { test::registerTaxpayer(db(), kRuc, kName, QStringLiteral("CONTADOR")); }

    store::Database& db() { return database->db(); }
    // A new empty database with the taxpayer, for the next case of a table.
    void freshDatabase() {
        database = std::make_unique<test::TempDatabase>();
        SetUp();
    }
    store::DeclarationKey key() const { return test::demoKey(kRuc); }

    SentDeclarationList list(int listMode, bool recovering = false, const QString& userKind = QStringLiteral("0"),
                             const QString& user = QStringLiteral("SUPERVISOR")) {
        SentDeclarationList result({db(), prompter, nullptr, QStringLiteral("2018"), QStringLiteral("0588"), userKind,
                                    user, listMode, recovering});
        result.pCargadatos();
        return result;
    }

    VersionRecovery recovery(const QString& correl) {
        SentVersionRow source;
        source.ruc = kRuc;
        source.nombre = kName;
        source.correl = correl;
        return VersionRecovery({db(), prompter, QStringLiteral("2018"), QStringLiteral("0588"), test::kSupervisor},
                               source);
    }

    // Every column the permanent table has but the check code, from a copy of the table.
    QStringList copiedColumns(const QString& table) {
        QStringList columns = store::TableCatalog::instance().layout(table, store::Copy::Permanent).columnNames();
        columns.removeAll(store::TableCatalog::kCheckColumn);
        return columns;
    }

    // The active declaration equals the version, row for row and column by column, with ESTADO 9
    // in its header and every row carrying its own check code.
    void expectActiveEqualsVersion(const QString& correl) {
        for (const QString& table : store::SentTables(db(), QStringLiteral("0588"))) {
            SCOPED_TRACE(table.toStdString());
            QStringList columns = copiedColumns(table);
            const bool header = table == QStringLiteral("CAB");
            if (header) {
                columns.removeAll(QStringLiteral("ESTADO"));
            }
            const QStringList active = test::tableRows(db(), table, columns, key().filter());
            EXPECT_FALSE(active.isEmpty());
            EXPECT_EQ(active, test::tableRows(db(), QStringLiteral("H") + table, columns, key().versionFilter(correl)));
            if (header) {
                EXPECT_EQ(test::tableRows(db(), table, {QStringLiteral("ESTADO")}, key().filter()),
                          QStringList{QStringLiteral("9")});
            }
        }
        EXPECT_EQ(test::wrongCheckCodes(db(), key()), QStringList());
    }

    std::unique_ptr<test::TempDatabase> database = std::make_unique<test::TempDatabase>();
    RecordingPrompter prompter;
};

TEST_F(SentVersionsTest, ListShowsTheUsersTaxpayersNewestVersionFirst) {
    const QString otherRuc = QStringLiteral("20100070970");
    test::registerTaxpayer(db(), otherRuc, QStringLiteral("OTRA S.A."), QStringLiteral("AUDITOR"));
    test::addSentVersion(db(), key(), QStringLiteral("1"), QStringLiteral("V1"), 1, QStringLiteral("2019-03-20"));
    test::addSentVersion(db(), key(), QStringLiteral("2"), QStringLiteral("V2"), 1, QStringLiteral("2019-04-02"));
    test::addSentVersion(db(), test::demoKey(otherRuc), QStringLiteral("1"), QStringLiteral("O1"), 1);

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
    test::addSentVersion(db(), key(), QStringLiteral("2"), QStringLiteral("V2"));
    const QByteArray secondAlone = test::sentTablesDigest(db());
    freshDatabase();
    test::addSentVersion(db(), key(), QStringLiteral("1"), QStringLiteral("V1"));
    test::addSentVersion(db(), key(), QStringLiteral("2"), QStringLiteral("V2"));
    const QByteArray before = test::sentTablesDigest(db());

    // Versions are listed newest first: row 1 is correlative 1.
    SentDeclarationList sent = list(3);
    ASSERT_EQ(sent.rows().size(), 2);
    sent.setCurrent(1);
    ASSERT_EQ(sent.rows().at(1).correl, QStringLiteral("1"));

    prompter.answers = {app::Button::No};
    EXPECT_FALSE(sent.runOperation());
    EXPECT_EQ(test::sentTablesDigest(db()), before);
    EXPECT_EQ(prompter.texts(), QStringList{SentDeclarationList::kDeleteQuestion});

    prompter.answers = {app::Button::Yes};
    EXPECT_TRUE(sent.runOperation());
    EXPECT_EQ(test::sentTablesDigest(db()), secondAlone);
    ASSERT_EQ(sent.rows().size(), 1);
    EXPECT_EQ(sent.rows().at(0).correl, QStringLiteral("2"));
}

// Over an active declaration the recovery asks first; without one it copies at once. Refused,
// nothing changes.
TEST_F(SentVersionsTest, RecoveryCopiesTheVersionOverTheActiveDeclarationWhenConfirmed) {
    const struct {
        const char* why;
        bool active;
        app::Button answer;
        QStringList shown;
    } cases[] = {
        {"no active declaration", false, app::Button::No, {VersionRecovery::kRecovered}},
        {"refused", true, app::Button::No, {VersionRecovery::kOverwriteQuestion, VersionRecovery::kNotRecovered}},
        {"confirmed", true, app::Button::Yes, {VersionRecovery::kOverwriteQuestion, VersionRecovery::kRecovered}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        freshDatabase();
        test::addSentVersion(db(), key(), QStringLiteral("1"), QStringLiteral("V1"), 3);
        test::addSentVersion(db(), key(), QStringLiteral("2"), QStringLiteral("V2"));
        if (c.active) {
            test::addActiveDeclaration(db(), key(), QStringLiteral("ACTIVA"), 2);
        }
        const QByteArray before = test::sentTablesDigest(db());
        prompter.shown.clear();
        prompter.answers = {c.answer};
        const bool recovered = c.shown.last() == VersionRecovery::kRecovered;

        EXPECT_EQ(recovery(QStringLiteral("1")).recover(), recovered);

        EXPECT_EQ(prompter.texts(), c.shown);
        if (recovered) {
            expectActiveEqualsVersion(QStringLiteral("1"));
        } else {
            EXPECT_EQ(test::sentTablesDigest(db()), before);
        }
    }
}

TEST_F(SentVersionsTest, TableWithoutVersionRowsEndsEmptyAfterRecovery) {
    test::addSentVersion(db(), key(), QStringLiteral("1"), QStringLiteral("V1"));
    test::addActiveDeclaration(db(), key(), QStringLiteral("ACTIVA"), 2);
    store::DeleteVersionRows(db(), QStringLiteral("F535SOCIOS"), key(), QStringLiteral("1"));
    prompter.answers = {app::Button::Yes};

    EXPECT_TRUE(recovery(QStringLiteral("1")).recover());
    EXPECT_EQ(test::rowCount(db(), QStringLiteral("F535SOCIOS"), key()), 0);
    EXPECT_EQ(test::rowCount(db(), QStringLiteral("F535CASEF"), key()), 2);
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
                      db().run(QStringLiteral("INSERT INTO envio_t (formulario, tabla_o) VALUES ('0588', 'F999NADA')"))
                          .finish();
                  },
                  3},
             Case{"the version was deleted meanwhile",
                  [this] { ASSERT_TRUE(store::deleteSentVersion(db(), prompter, key(), QStringLiteral("1"))); }, 2},
         }) {
        SCOPED_TRACE(c.why);
        freshDatabase();
        test::addSentVersion(db(), key(), QStringLiteral("1"), QStringLiteral("V1"));
        test::addActiveDeclaration(db(), key(), QStringLiteral("ACTIVA"));
        c.arrange();
        const QByteArray before = test::sentTablesDigest(db());
        prompter.shown.clear();
        prompter.answers = {app::Button::Yes};

        EXPECT_FALSE(recovery(QStringLiteral("1")).recover());

        EXPECT_EQ(test::sentTablesDigest(db()), before);
        EXPECT_FALSE(db().inTransaction());
        ASSERT_FALSE(prompter.shown.isEmpty());
        EXPECT_EQ(prompter.shown.last().text, VersionRecovery::kNotRecovered);
    }
}

} // namespace
} // namespace qel::management
