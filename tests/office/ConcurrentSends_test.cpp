// Two accountants send the same declaration at the same moment, over and over: every send
// takes a correlative of its own and writes a whole version, and none is refused for the
// other's sake.

#include "app/Clock.h"
#include "launcher/DeclarationSender.h"
#include "management/SentVersionsFixture.h"
#include "office/OfficeFixture.h"
#include "store/DeclarationTables.h"
#include "support/FormServices.h"

#include <QSet>
#include <barrier>
#include <mutex>
#include <thread>

using namespace Qt::StringLiterals;

using namespace qel;

namespace {

constexpr int kSendsEach = 6;
const QString kRuc = u"20100113610"_s;

class ConcurrentSendsTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ConcurrentSendsTest, TwoSendsAtOnceTakeDistinctCorrelativesAndWholeVersions) {
    QEL_OFFICE_DATABASE(office);
    const store::DeclarationKey key = launcher::DeclarationSender::moduleKey(kRuc);
    test::registerTaxpayer(office->db(), kRuc, u"ENVIOS S.A."_s);
    test::addActiveDeclaration(office->db(), key, u"ACTIVA"_s, 40);
    const store::SqlFilter filter = key.filter();
    office->db().run(u"UPDATE CAB SET ESTADO=0"_s + filter.text, filter.values).finish();

    std::mutex lock;
    QStringList correls;
    QStringList failures;
    std::barrier together(2);
    auto accountant = [&] {
        auto db = office->connect();
        if (!db) {
            together.arrive_and_drop();
            return;
        }
        test::SilentPrompter prompter;
        const app::FixedClock clock(test::filingDay());
        const launcher::DeclarationSender sender(*db, prompter, clock);
        for (int i = 0; i < kSendsEach; ++i) {
            together.arrive_and_wait(); // both sends of a round start at once
            const auto result = sender.send(key);
            const std::lock_guard guard(lock);
            (result.sent ? correls : failures).append(result.sent ? result.correl : result.message);
        }
    };
    std::thread first(accountant);
    std::thread second(accountant);
    first.join();
    second.join();

    EXPECT_TRUE(failures.isEmpty()) << failures.join(QLatin1Char('\n')).toStdString();
    QStringList expected;
    for (int correl = 1; correl <= 2 * kSendsEach; ++correl) {
        expected.append(QString::number(correl));
    }
    std::sort(correls.begin(), correls.end(), [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
    EXPECT_EQ(correls, expected);

    // Each version holds the whole declaration, once.
    for (const QString& table : store::declaration_tables::sentDeclarationTables()) {
        const store::TableLayout history = store::TableCatalog::instance().layout(table, store::Copy::History);
        const int rows = test::rowCount(office->db(), table, key);
        for (const QString& correl : expected) {
            const store::SqlFilter version = key.versionFilter(correl);
            EXPECT_EQ(
                office->db().scalar(u"SELECT count(*) FROM "_s + history.name + version.text, version.values).toInt(),
                rows)
                << history.name.toStdString() << " version " << correl.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Office, ConcurrentSendsTest, test::kOfficeEngines, test::officeEngineName);

} // namespace
