#include "declaration/SaveFixture.h"
#include "management/DeclarationList.h"
#include "management/SentVersionsFixture.h"
#include "store/DeclarationLock.h"
#include "store/WorkingCopies.h"

#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

// Two accountants on one database, each with a connection of their own: the declaration form
// holds the lock of the declaration it shows, a second opening is asked whether to view it
// read-only, and each session's working rows are its own.

namespace qel::declaration {
namespace {

using testing::RecordingPrompter;

const QString kRuc = u"20100113610"_s;
const QString kName = u"D'ONOFRIO S.A."_s;
const QString kNewRuc = u"20601112222"_s; // registered, nothing stored yet
const QString kPartners = u"TMPF535SOCIOS"_s;
const QString kHeldByAna = u"La declaración del RUC 20100113610 está abierta por ANA en "_s;

// One user's session: a connection and the form on it.
struct Session {
    Session(std::unique_ptr<store::Database> connection, const QString& user) : db(std::move(connection)), user(user) {}

    // Opens the stored declaration (mode 1) or a new form (mode 0); false when it did not open.
    bool open(int mode, QList<app::Button> answers = {}) {
        prompter.shown.clear();
        prompter.answers = std::move(answers);
        form = std::make_unique<management::DeclarationFormSession>(
            test::formContext(*db, prompter, clock, utility, opener, user),
            management::DeclarationFormArguments::fromList(mode, {kRuc, kName, false}));
        form->model().moduleFolder = folder.path();
        if (!form->load()) {
            form.reset();
            return false;
        }
        return true;
    }
    DeclarationFormModel& model() { return form->model(); }
    int workingPartners() { return test::rowCount(*db, kPartners); }

    std::unique_ptr<store::Database> db;
    QString user;
    QTemporaryDir folder;
    RecordingPrompter prompter;
    app::FixedClock clock{test::filingDay()};
    app::UtilityComponent utility{prompter, db.get()};
    test::RecordingOpener opener;
    std::unique_ptr<management::DeclarationFormSession> form;
};

class DeclarationSessionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::Database& db = database.db();
        test::registerTaxpayer(db, kRuc, kName, u"ANA"_s);
        test::registerTaxpayer(db, kNewRuc, u"COMERCIAL LOS ANDES S.A.C."_s, u"ANA"_s);
        test::addStoredDeclaration(db, test::demoKey(kRuc), {{359, u"125000"_s}});
        test::insertRow(db, u"F535SOCIOS"_s, test::demoKey(kRuc), test::partnerRow(u"00000001"_s, 100));
    }

    // A session of its own: a new connection to the test database.
    std::unique_ptr<Session> session(const QString& user) {
        auto opened = store::Database::open(database.path());
        EXPECT_TRUE(opened.database) << opened.errorText.toStdString();
        return std::make_unique<Session>(std::move(opened.database), user);
    }

    test::TempDatabase database;
};

// The second opening of a held declaration is asked, naming who holds it; No opens nothing and
// Yes shows the declaration read-only: nothing can be typed or chosen, a save is refused with
// its message and, like leaving the form, writes nothing.
TEST_F(DeclarationSessionsTest, ASecondOpeningIsAskedWhetherToViewItReadOnly) {
    auto ana = session(u"ANA"_s);
    ASSERT_TRUE(ana->open(1));
    EXPECT_TRUE(ana->prompter.shown.isEmpty());
    EXPECT_FALSE(ana->model().readOnly());
    const QByteArray before = testing::declarationDigest(*ana->db, test::demoKey(kRuc));

    struct Case {
        app::Button answer;
        bool opens;
    };
    for (const Case& c : {Case{app::Button::No, false}, Case{app::Button::Yes, true}}) {
        SCOPED_TRACE(c.opens ? "Si" : "No");
        auto luis = session(u"LUIS"_s);
        EXPECT_EQ(luis->open(1, {c.answer}), c.opens);
        ASSERT_EQ(luis->prompter.shown.size(), 1);
        const auto& asked = luis->prompter.shown.first();
        EXPECT_TRUE(asked.question);
        EXPECT_TRUE(asked.text.startsWith(kHeldByAna)) << asked.text.toStdString();
        EXPECT_TRUE(asked.text.endsWith(u".\n¿Desea verla solo para consulta?"_s));
        if (!c.opens) {
            EXPECT_EQ(luis->workingPartners(), 0) << "nothing of the declaration was read";
            continue;
        }
        DeclarationFormModel& model = luis->model();
        EXPECT_TRUE(model.readOnly());
        EXPECT_EQ(model.text(359), u"125,000"_s) << "the declaration is shown";
        EXPECT_EQ(luis->workingPartners(), 1);
        EXPECT_TRUE(model.box(359).locked);
        EXPECT_EQ(model.typeKey(359, QLatin1Char('7')), KeyResult::Refused);
        EXPECT_EQ(model.typeControlKey(u"TxtNombreN"_s, QLatin1Char('A')), KeyResult::Refused);
        EXPECT_FALSE(model.clickOption(u"OptRectifica"_s, 1));
        EXPECT_FALSE(model.control(u"OptRectifica"_s).enabled);
        EXPECT_FALSE(model.chooseCombo(u"CmbRuc"_s, kNewRuc));
        EXPECT_EQ(model.text(359), u"125,000"_s);

        luis->prompter.shown.clear();
        model.dirty = true; // even a form that thinks it changed stores nothing
        EXPECT_TRUE(model.clickCommand(u"cmdGrabar"_s, 0));
        ASSERT_EQ(luis->prompter.texts(), QStringList{DeclarationFormModel::kReadOnlySave});
        bool closed = false;
        QObject::connect(&model, &DeclarationFormModel::closeRequested, [&closed] { closed = true; });
        EXPECT_TRUE(model.clickCommand(u"cmdSalir"_s, 0));
        EXPECT_TRUE(closed);
        EXPECT_EQ(luis->prompter.shown.size(), 1) << "leaving asks nothing";
        EXPECT_EQ(testing::declarationDigest(*luis->db, test::demoKey(kRuc)), before);
    }
    EXPECT_FALSE(ana->model().readOnly()) << "the holder goes on editing";
}

// A declaration another accountant has open in the form is not deleted from under them: the
// list says who holds it and deletes nothing; once the form has closed, the delete goes ahead.
TEST_F(DeclarationSessionsTest, AHeldDeclarationIsNotDeleted) {
    auto ana = session(u"ANA"_s);
    ASSERT_TRUE(ana->open(1));
    auto luis = session(u"LUIS"_s);
    management::DeclarationList list({*luis->db, luis->prompter, nullptr, u"2018"_s, u"0588"_s, u"0"_s, u"LUIS"_s},
                                     management::DeclarationList::Delete);
    const auto deleteFirst = [&] {
        list.pCargadatos();
        list.setCurrent(0);
        luis->prompter.shown.clear();
        luis->prompter.answers = {app::Button::Yes};
        return list.runOperation();
    };
    ASSERT_FALSE(deleteFirst());
    ASSERT_EQ(luis->prompter.shown.size(), 2); // the confirmation, then who holds it
    EXPECT_TRUE(luis->prompter.shown.last().text.startsWith(kHeldByAna))
        << luis->prompter.shown.last().text.toStdString();
    EXPECT_EQ(test::rowCount(*luis->db, u"CAB"_s, test::demoKey(kRuc)), 1);

    ana->form.reset();
    EXPECT_TRUE(deleteFirst());
    EXPECT_EQ(test::rowCount(*luis->db, u"CAB"_s, test::demoKey(kRuc)), 0);
}
// A new declaration takes the lock when its taxpayer is chosen; a taxpayer another session is
// working on is asked about the same way, and No leaves the form as it was.
TEST_F(DeclarationSessionsTest, ChoosingAHeldTaxpayerInANewForm) {
    auto ana = session(u"ANA"_s);
    ASSERT_TRUE(ana->open(0));
    ASSERT_TRUE(ana->model().chooseCombo(u"CmbRuc"_s, kNewRuc));
    EXPECT_TRUE(ana->prompter.shown.isEmpty());

    for (const auto& [answer, shown] : {std::pair{app::Button::No, QString()}, {app::Button::Yes, kNewRuc}}) {
        auto luis = session(u"LUIS"_s);
        ASSERT_TRUE(luis->open(0));
        luis->prompter.answers = {answer};
        luis->model().chooseCombo(u"CmbRuc"_s, kNewRuc);
        ASSERT_EQ(luis->prompter.shown.size(), 1);
        EXPECT_TRUE(luis->prompter.shown.first().question);
        EXPECT_EQ(luis->model().comboCode(u"CmbRuc"_s), shown) << "No goes back to no taxpayer";
        EXPECT_EQ(luis->model().readOnly(), answer == app::Button::Yes);
    }
}

// Working rows belong to the session that made them: another session opening and closing the
// same declaration neither sees nor removes them, and its own go with its form.
TEST_F(DeclarationSessionsTest, WorkingRowsStayWithTheirSession) {
    auto ana = session(u"ANA"_s);
    ASSERT_TRUE(ana->open(1));
    test::insertRow(*ana->db, kPartners, test::demoKey(kRuc), test::partnerRow(u"00000002"_s));
    ASSERT_EQ(ana->workingPartners(), 2);

    auto luis = session(u"LUIS"_s);
    ASSERT_TRUE(luis->open(1, {app::Button::Yes}));
    EXPECT_EQ(luis->workingPartners(), 1) << "the stored partner only, not ANA's unsaved one";
    EXPECT_EQ(ana->workingPartners(), 2) << "LUIS's opening refreshed only his own rows";
    luis->form.reset();
    EXPECT_EQ(luis->workingPartners(), 0);
    EXPECT_EQ(ana->workingPartners(), 2) << "nor did his closing remove hers";

    // Nothing of either session is in the shared working table other connections read.
    auto third = session(u"ROSA"_s);
    EXPECT_EQ(third->workingPartners(), 0);
    EXPECT_FALSE(store::hasSessionWorkingTables(*third->db));
}

} // namespace
} // namespace qel::declaration
