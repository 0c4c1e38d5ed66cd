#include "declaration/SaveFixture.h"
#include "management/DeclarationList.h"
#include "store/DeclarationLock.h"
#include "store/WorkingCopies.h"

#include <gtest/gtest.h>
#include <memory>

// Two accountants on one database, each with a connection of their own: the declaration form
// holds the lock of the declaration it shows, a second opening is asked whether to view it
// read-only, and each session's working rows are its own.

namespace qel::declaration {
namespace {

using testing::RecordingPrompter;

const QString kRuc = QStringLiteral("20100113610");
const QString kName = QStringLiteral("D'ONOFRIO S.A.");
const QString kNewRuc = QStringLiteral("20601112222"); // registered, nothing stored yet
const QString kPartners = QStringLiteral("TMPF535SOCIOS");

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
        test::registerTaxpayer(db, kRuc, kName, QStringLiteral("ANA"));
        test::registerTaxpayer(db, kNewRuc, QStringLiteral("COMERCIAL LOS ANDES S.A.C."), QStringLiteral("ANA"));
        const store::DeclarationKey key = test::demoKey(kRuc);
        test::insertRow(db, QStringLiteral("CAB"), key, {{QStringLiteral("SEMANA"), 0}, {QStringLiteral("ESTADO"), 0}});
        test::insertRow(db, QStringLiteral("DET"), key,
                        {{QStringLiteral("SEMANA"), 0},
                         {QStringLiteral("CASILLA"), QStringLiteral("359")},
                         {QStringLiteral("i_valor"), QStringLiteral("125000")}});
        test::insertRow(db, QStringLiteral("F535SOCIOS"), key,
                        {{QStringLiteral("tipo_socio"), QStringLiteral("01")},
                         {QStringLiteral("tipo_doc_socio"), 1},
                         {QStringLiteral("nro_doc_socio"), QStringLiteral("00000001")},
                         {QStringLiteral("Porcentaje"), 100}});
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
    auto ana = session(QStringLiteral("ANA"));
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
        auto luis = session(QStringLiteral("LUIS"));
        EXPECT_EQ(luis->open(1, {c.answer}), c.opens);
        ASSERT_EQ(luis->prompter.shown.size(), 1);
        const auto& asked = luis->prompter.shown.first();
        EXPECT_TRUE(asked.question);
        EXPECT_TRUE(
            asked.text.startsWith(QStringLiteral("La declaración del RUC 20100113610 está abierta por ANA en ")))
            << asked.text.toStdString();
        EXPECT_TRUE(asked.text.endsWith(QStringLiteral(".\n¿Desea verla solo para consulta?")));
        if (!c.opens) {
            EXPECT_EQ(luis->workingPartners(), 0) << "nothing of the declaration was read";
            continue;
        }
        DeclarationFormModel& model = luis->model();
        EXPECT_TRUE(model.readOnly());
        EXPECT_EQ(model.text(359), QStringLiteral("125,000")) << "the declaration is shown";
        EXPECT_EQ(luis->workingPartners(), 1);
        EXPECT_TRUE(model.box(359).locked);
        EXPECT_EQ(model.typeKey(359, QLatin1Char('7')), KeyResult::Refused);
        EXPECT_EQ(model.typeControlKey(QStringLiteral("TxtNombreN"), QLatin1Char('A')), KeyResult::Refused);
        EXPECT_FALSE(model.clickOption(QStringLiteral("OptRectifica"), 1));
        EXPECT_FALSE(model.control(QStringLiteral("OptRectifica")).enabled);
        EXPECT_FALSE(model.chooseCombo(QStringLiteral("CmbRuc"), kNewRuc));
        EXPECT_EQ(model.text(359), QStringLiteral("125,000"));

        luis->prompter.shown.clear();
        model.dirty = true; // even a form that thinks it changed stores nothing
        EXPECT_TRUE(model.clickCommand(QStringLiteral("cmdGrabar"), 0));
        ASSERT_EQ(luis->prompter.texts(), QStringList{DeclarationFormModel::kReadOnlySave});
        bool closed = false;
        QObject::connect(&model, &DeclarationFormModel::closeRequested, [&closed] { closed = true; });
        EXPECT_TRUE(model.clickCommand(QStringLiteral("cmdSalir"), 0));
        EXPECT_TRUE(closed);
        EXPECT_EQ(luis->prompter.shown.size(), 1) << "leaving asks nothing";
        EXPECT_EQ(testing::declarationDigest(*luis->db, test::demoKey(kRuc)), before);
    }
    EXPECT_FALSE(ana->model().readOnly()) << "the holder goes on editing";
}

// A declaration another accountant has open in the form is not deleted from under them: the
// list says who holds it and deletes nothing; once the form has closed, the delete goes ahead.
TEST_F(DeclarationSessionsTest, AHeldDeclarationIsNotDeleted) {
    auto ana = session(QStringLiteral("ANA"));
    ASSERT_TRUE(ana->open(1));
    auto luis = session(QStringLiteral("LUIS"));
    management::DeclarationList list({*luis->db, luis->prompter, nullptr, QStringLiteral("2018"),
                                      QStringLiteral("0588"), QStringLiteral("0"), QStringLiteral("LUIS")},
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
    EXPECT_TRUE(luis->prompter.shown.last().text.startsWith(
        QStringLiteral("La declaración del RUC 20100113610 está abierta por ANA en ")))
        << luis->prompter.shown.last().text.toStdString();
    EXPECT_EQ(test::rowCount(*luis->db, QStringLiteral("CAB"), test::demoKey(kRuc)), 1);

    ana->form.reset();
    EXPECT_TRUE(deleteFirst());
    EXPECT_EQ(test::rowCount(*luis->db, QStringLiteral("CAB"), test::demoKey(kRuc)), 0);
}
// A new declaration takes the lock when its taxpayer is chosen; a taxpayer another session is
// working on is asked about the same way, and No leaves the form as it was.
TEST_F(DeclarationSessionsTest, ChoosingAHeldTaxpayerInANewForm) {
    auto ana = session(QStringLiteral("ANA"));
    ASSERT_TRUE(ana->open(0));
    ASSERT_TRUE(ana->model().chooseCombo(QStringLiteral("CmbRuc"), kNewRuc));
    EXPECT_TRUE(ana->prompter.shown.isEmpty());

    for (const app::Button answer : {app::Button::No, app::Button::Yes}) {
        auto luis = session(QStringLiteral("LUIS"));
        ASSERT_TRUE(luis->open(0));
        luis->prompter.answers = {answer};
        luis->model().chooseCombo(QStringLiteral("CmbRuc"), kNewRuc);
        ASSERT_EQ(luis->prompter.shown.size(), 1);
        EXPECT_TRUE(luis->prompter.shown.first().question);
        if (answer == app::Button::No) {
            EXPECT_EQ(luis->model().comboCode(QStringLiteral("CmbRuc")), QString()) << "back to no taxpayer";
            EXPECT_FALSE(luis->model().readOnly());
        } else {
            EXPECT_EQ(luis->model().comboCode(QStringLiteral("CmbRuc")), kNewRuc);
            EXPECT_TRUE(luis->model().readOnly());
        }
    }
}

// Working rows belong to the session that made them: another session opening and closing the
// same declaration neither sees nor removes them, and its own go with its form.
TEST_F(DeclarationSessionsTest, WorkingRowsStayWithTheirSession) {
    auto ana = session(QStringLiteral("ANA"));
    ASSERT_TRUE(ana->open(1));
    test::insertRow(*ana->db, kPartners, test::demoKey(kRuc),
                    {{QStringLiteral("tipo_socio"), QStringLiteral("01")},
                     {QStringLiteral("nro_doc_socio"), QStringLiteral("00000002")}});
    ASSERT_EQ(ana->workingPartners(), 2);

    auto luis = session(QStringLiteral("LUIS"));
    ASSERT_TRUE(luis->open(1, {app::Button::Yes}));
    EXPECT_EQ(luis->workingPartners(), 1) << "the stored partner only, not ANA's unsaved one";
    EXPECT_EQ(ana->workingPartners(), 2) << "LUIS's opening refreshed only his own rows";
    luis->form.reset();
    EXPECT_EQ(luis->workingPartners(), 0);
    EXPECT_EQ(ana->workingPartners(), 2) << "nor did his closing remove hers";

    // Nothing of either session is in the shared working table other connections read.
    auto third = session(QStringLiteral("ROSA"));
    EXPECT_EQ(third->workingPartners(), 0);
    EXPECT_FALSE(store::hasSessionWorkingTables(*third->db));
}

} // namespace
} // namespace qel::declaration
