// The launcher's list follows what other users save, send and delete through their own
// connections: the row of the declaration changes within a short wait, without a command of its
// user, and the taxpayer the user had selected stays selected.

#include "app/Clock.h"
#include "declaration/commands/SaveCommand.h"
#include "declaration/model/DeclarationFormModel.h"
#include "launcher/DeclarationSender.h"
#include "launcher/TaxpayerList.h"
#include "management/DeclarationFormSession.h"
#include "management/SentVersionsFixture.h"
#include "office/OfficeFixture.h"
#include "store/WorkingCopies.h"
#include "support/FormServices.h"

#include <QtCore/qtestsupport_core.h>

using namespace Qt::StringLiterals;

using namespace qel;

namespace {

constexpr int kWaitMs = 10000;
const QString kUser = u"CONTADOR"_s;
const QString kSaved = u"20601112222"_s;
const QString kSent = u"20487654320"_s;
const QString kSelected = u"20100113610"_s;

class FollowingListTest : public ::testing::TestWithParam<const char*> {};

TEST_P(FollowingListTest, AnotherUsersSaveAndSendShowWithTheSelectionKept) {
    QEL_OFFICE_DATABASE(office);
    store::Database& db = office->db();
    for (const QString& ruc : {kSaved, kSent, kSelected}) {
        test::registerTaxpayer(db, ruc, u"EMPRESA "_s + ruc, kUser);
    }
    // A state no save writes, so that the save shows whatever it finds.
    test::addStoredDeclaration(db, test::demoKey(kSaved), {}, 5);
    test::addStoredDeclaration(db, test::demoKey(kSent), {});

    launcher::TaxpayerList list(db, kUser, launcher::DeclarationSender::kPeriodo,
                                launcher::DeclarationSender::kFormulario);
    list.refresh();
    list.select(kSelected);
    list.follow();
    auto row = [&](const QString& ruc) {
        const int index = static_cast<int>(list.rucs().indexOf(ruc));
        return index < 0 ? launcher::TaxpayerSummary{} : list.rows().at(index);
    };
    ASSERT_EQ(row(kSaved).estado, 5);
    ASSERT_EQ(row(kSent).lastCorrel, 0);

    // The other user, on a connection of its own.
    auto other = office->connect();
    ASSERT_TRUE(other);
    test::SilentServices services(*other);
    const struct {
        const char* step;
        std::function<void()> write;
        std::function<bool()> shown;
    } steps[] = {
        {"a save",
         [&] {
             management::DeclarationFormSession session(
                 services.context(), management::DeclarationFormArguments::fromList(1, {kSaved, u"EMPRESA"_s, false}));
             session.load();
             session.model().clickOption(u"OptITF"_s, 0);
             session.model().clickOption(u"OptPlan"_s, 2);
             session.model().setText(359, u"1,000"_s);
             session.model().dirty = true;
             ASSERT_EQ(session.saving().run(), declaration::SaveCommand::Outcome::Saved);
         },
         [&] { return row(kSaved).estado != 5; }},
        {"a send",
         [&] {
             const app::FixedClock clock(test::filingDay());
             ASSERT_TRUE(launcher::DeclarationSender(*other, services.prompter, clock)
                             .send(launcher::DeclarationSender::moduleKey(kSent))
                             .sent);
         },
         [&] { return row(kSent).lastCorrel == 1; }},
        {"a delete", [&] { ASSERT_TRUE(store::deleteDeclaration(*other, services.prompter, test::demoKey(kSaved))); },
         [&] { return !row(kSaved).estado.has_value(); }},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        step.write();
        EXPECT_TRUE(QTest::qWaitFor(step.shown, kWaitMs)) << "the list did not follow " << step.step;
        ASSERT_TRUE(list.selected());
        EXPECT_EQ(list.selected()->taxpayer.ruc, kSelected);
    }
}

INSTANTIATE_TEST_SUITE_P(Office, FollowingListTest, test::kOfficeEngines, test::officeEngineName);

} // namespace
