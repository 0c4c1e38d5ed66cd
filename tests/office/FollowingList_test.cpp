// The launcher's list follows what other users save, send and delete through their own
// connections: the row of the declaration changes within a short wait, without a command of its
// user, and the taxpayer the user had selected stays selected.

#include "app/Clock.h"
#include "declaration/commands/SaveCommand.h"
#include "declaration/model/DeclarationFormModel.h"
#include "launcher/DeclarationSender.h"
#include "launcher/TaxpayerList.h"
#include "management/DeclarationFormSession.h"
#include "office/OfficeFixture.h"
#include "store/WorkingCopies.h"
#include "support/FormServices.h"

#include <QtCore/qtestsupport_core.h>

using namespace qel;

namespace {

constexpr int kWaitMs = 10000;
const QString kUser = QStringLiteral("CONTADOR");
const QString kSaved = QStringLiteral("20601112222");
const QString kSent = QStringLiteral("20487654320");
const QString kSelected = QStringLiteral("20100113610");

class FollowingListTest : public ::testing::TestWithParam<const char*> {};

TEST_P(FollowingListTest, AnotherUsersSaveAndSendShowWithTheSelectionKept) {
    QEL_OFFICE_DATABASE(office);
    store::Database& db = office->db();
    for (const QString& ruc : {kSaved, kSent, kSelected}) {
        test::registerTaxpayer(db, ruc, QStringLiteral("EMPRESA ") + ruc, kUser);
    }
    // A state no save writes, so that the save shows whatever it finds.
    test::insertRow(db, QStringLiteral("CAB"), test::demoKey(kSaved),
                    {{QStringLiteral("SEMANA"), 0}, {QStringLiteral("ESTADO"), 5}});
    test::insertRow(db, QStringLiteral("CAB"), test::demoKey(kSent),
                    {{QStringLiteral("SEMANA"), 0}, {QStringLiteral("ESTADO"), 0}});

    launcher::TaxpayerList list(db, kUser, launcher::DeclarationSender::kPeriodo,
                                launcher::DeclarationSender::kFormulario);
    list.refresh();
    list.select(kSelected);
    list.follow();
    int reloads = 0;
    QObject::connect(&list, &launcher::TaxpayerList::refreshed, [&] { ++reloads; });
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
                 services.context(),
                 management::DeclarationFormArguments::fromList(1, {kSaved, QStringLiteral("EMPRESA"), false}));
             session.load();
             session.model().clickOption(QStringLiteral("OptITF"), 0);
             session.model().clickOption(QStringLiteral("OptPlan"), 2);
             session.model().setText(359, QStringLiteral("1,000"));
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
        const int before = reloads;
        step.write();
        EXPECT_TRUE(QTest::qWaitFor(step.shown, kWaitMs)) << "the list did not follow " << step.step;
        EXPECT_GT(reloads, before);
        ASSERT_TRUE(list.selected());
        EXPECT_EQ(list.selected()->taxpayer.ruc, kSelected);
    }
}

INSTANTIATE_TEST_SUITE_P(Office, FollowingListTest, test::kOfficeEngines, test::officeEngineName);

} // namespace
