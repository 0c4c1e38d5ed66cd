#include "SaveFixture.h"
#include "declaration/commands/CancelCommand.h"
#include "declaration/commands/SaveCommand.h"
#include "store/WorkingCopies.h"

namespace qel::declaration::testing {
namespace {

using namespace Qt::StringLiterals;

class CancelCommandTest : public SaveTest {
protected:
    // A consistent declaration stored with 113 = 500, opened again in modify mode.
    void storeAndReopen() {
        open(0);
        makeConsistent();
        ASSERT_EQ(session->saving().run(), SaveCommand::Outcome::Saved);
        ASSERT_EQ(header("ESTADO").toInt(), 0);
        store::SqlFilter filter = key().filter();
        filter.andEquals(u"CASILLA"_s, u"113"_s);
        db().run(u"DELETE FROM DET"_s + filter.text, filter.values).finish();
        storeCasilla(db(), key(), u"113"_s, u"500"_s);
        open(1);
        closed = 0;
        QObject::connect(&model(), &DeclarationFormModel::closeRequested, &model(), [this] { ++closed; });
        prompter.shown.clear();
    }
    int closed = 0;
};

TEST_F(CancelCommandTest, ChangedTotalAndUnsavedChanges) {
    struct Case {
        const char* name;
        const char* shown113; // what box 113 shows when the user cancels
        bool dirty;
        app::Button answer;
        int estado; // CAB.ESTADO afterwards; -1: as the save's check decides
        bool asked;
        bool saved;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"nothing changed", "500", false, app::Button::No, 0, false, false},
             {"total changed, not saved", "650", true, app::Button::No, 9, true, false},
             {"other change, not saved", "500", true, app::Button::No, 0, true, false},
             {"total changed and saved", "650", true, app::Button::Yes, -1, true, true},
         }) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(store::deleteDeclaration(db(), prompter, key()));
        storeAndReopen();
        model().setText(113, QString::fromLatin1(c.shown113));
        model().dirty = c.dirty;
        prompter.answers = {c.answer};

        ASSERT_TRUE(model().clickCommand(u"cmdSalir"_s, 0));
        EXPECT_EQ(closed, 1);
        EXPECT_EQ(prompter.shown.value(0).text == CancelCommand::kSaveChanges, c.asked);
        if (!c.asked) {
            prompter.answers.clear();
        }
        if (c.estado >= 0) {
            EXPECT_EQ(header("ESTADO").toInt(), c.estado);
        }
        // The save stores the total shown; without it the stored total stays.
        EXPECT_EQ(stored(u"113"_s), c.saved ? u"650"_s : u"500"_s);
        EXPECT_EQ(prompter.texts().contains(SaveCommand::kSavedConsistent) ||
                      prompter.texts().contains(SaveCommand::kSavedInconsistent),
                  c.saved);
        if (!c.saved) {
            EXPECT_EQ(model().formState, 3);
        }

        // Whatever the state, the header carries the check code of its values.
        EXPECT_EQ(expectCheckCodes(db(), u"CAB"_s, key().filter()), 1);
    }
}

// A new declaration has no stored total to compare: cancelling only asks about the changes.
TEST_F(CancelCommandTest, NewDeclarationSuppressedQuestion) {
    open(0);
    type(359, u"100"_s);
    closed = 0;
    QObject::connect(&model(), &DeclarationFormModel::closeRequested, &model(), [this] { ++closed; });
    prompter.shown.clear();
    session->cancelling().setSaveQuestionSuppressed(true);
    session->cancelling().run();
    EXPECT_TRUE(prompter.shown.isEmpty());
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(model().formState, 3);
    EXPECT_EQ(test::rowCount(db(), u"CAB"_s, key()), 0);
}

// Leaving a stored declaration tells of monthly payments that its casilla 128 does not hold.
TEST_F(CancelCommandTest, StoredDetailsAreCheckedOnLeaving) {
    storeAndReopen();
    test::insertRow(db(), u"ACTA"_s, key(), fields("TIPO_ASIST=4; PER_PAG=201803; saluti=100"));
    model().dirty = false;
    session->cancelling().run();
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(prompter.texts(),
              QStringList{u"Los pagos a cuenta mensuales de la casilla 128 no coinciden con el detalle"_s});
}

} // namespace
} // namespace qel::declaration::testing
