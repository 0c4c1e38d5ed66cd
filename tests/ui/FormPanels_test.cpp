// What opens beside the declaration form: the explanation panel with the form's undo, the help
// on F1, and Validar with the module's own form launcher: the inconsistency report and its jumps
// to the boxes.
#include "app/ui/HelpKey.h"
#include "app/ui/HelpWindow.h"
#include "app/ui/LauncherFormOpener.h"
#include "declaration/ValidationFixture.h"
#include "declaration/commands/ExplainModel.h"
#include "declaration/model/FieldLocator.h"
#include "declaration/model/FormHistory.h"
#include "declaration/rules/CalculationRules.h"
#include "declaration/ui/ExplainPanel.h"
#include "declaration/ui/FrmConsist.h"
#include "declaration/ui/GuardedLineEdit.h"
#include "ui/Frm537Fixture.h"

#include <QAction>
#include <QScopeGuard>
#include <QTextBrowser>

namespace qel::declaration {
namespace {

// The window with the calculation, the explanation panel and the Edit menu attached.
class ExplainPanelTest : public Frm537Fixture {
protected:
    void SetUp() override {
        makeModel();
        rules = std::make_unique<CalculationRules>(*model);
        explanations = std::make_unique<ExplainModel>(*model);
        history = std::make_unique<FormHistory>(*model);
        showWindow().attach(*explanations, *history);
    }
    void TearDown() override {
        window.reset();
        history.reset();
        explanations.reset();
        rules.reset();
        Frm537Fixture::TearDown();
    }
    void typeInto(int casilla, const QString& text) {
        GuardedLineEdit* box = window->box(casilla);
        window->goToCasilla(casilla);
        ASSERT_EQ(QApplication::focusWidget(), box) << casilla;
        QTest::keyClicks(box, text);
    }
    QString explanation() const {
        return window->explainPanel()->findChild<QLabel*>(QStringLiteral("lblExplicacion"))->text();
    }

    std::unique_ptr<CalculationRules> rules;
    std::unique_ptr<ExplainModel> explanations;
    std::unique_ptr<FormHistory> history;
};

// The focused casilla is explained and its inputs lead to their boxes. Ctrl+Z in a box takes
// back what was typed in it, with what the calculation changed; Ctrl+Y brings it back. The box's
// own undo of its text does not get the keys.
TEST_F(ExplainPanelTest, TheFocusedCasillaIsExplainedAndCtrlZUndoesTheFormsSteps) {
    typeInto(461, QStringLiteral("1000"));
    typeInto(462, QStringLiteral("200"));
    EXPECT_EQ(explanation(), QStringLiteral("462 = casilla digitada; alimenta la casilla 463"));
    QTest::keyClick(window->box(462), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(model->isEmpty(462));
    EXPECT_EQ(model->text(463), QStringLiteral("1,000"));
    EXPECT_TRUE(window->findChild<QAction*>(QStringLiteral("mnuRehacer"))->isEnabled());
    QTest::keyClick(window->box(462), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(model->text(463), QStringLiteral("800"));
    // The Edit menu steps back over 462, then 461, and forward again.
    for (const auto& [action, emptied] : {std::pair{"mnuDeshacer", false}, std::pair{"mnuDeshacer", true},
                                          std::pair{"mnuRehacer", false}, std::pair{"mnuRehacer", false}}) {
        window->findChild<QAction*>(QString::fromLatin1(action))->trigger();
        EXPECT_EQ(model->isEmpty(461), emptied) << action;
    }

    window->goToCasilla(463);
    EXPECT_EQ(explanation(), QStringLiteral("463 = max(0, 461 − abs(462)) = max(0, 1,000 − abs(-200)) = 800"));
    auto* input = test::child<QPushButton>(*window->explainPanel(), QStringLiteral("cmdIrCasilla461"));
    EXPECT_EQ(input->text(), QStringLiteral("461 = 1,000"));
    QTest::mouseClick(input, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), window->box(461));
}

using app::ui::HelpWindow;

using HelpWindowTest = Frm537Fixture;

TEST_F(HelpWindowTest, F1OpensTheHelpAtTheTopicOfTheFocusedBoxOrPage) {
    const auto closeHelp = qScopeGuard([] { delete HelpWindow::current(); });
    makeModel();
    CalculationRules rules(*model);
    Frm537& form = showWindow();
    app::ui::HelpKey::install(&form, [] { return QString(); }); // the help compiled into the program
    const struct {
        const char* page;
        int casilla; // the box focused, or none: the page
        const char* topic;
        const char* shownAtTop;
    } cases[] = {{"itf", 157, "casilla-157", "157"},
                 {"renta", 113, "casilla-113", "113"},
                 {"ident.exon", 0, "pag-identificacion", "Identificación"},
                 {"deuda", 0, "pag-deuda", "Determinación de la Deuda"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        form.showPage(QString::fromLatin1(c.page));
        QWidget* target = c.casilla == 0 ? static_cast<QWidget*>(&form) : form.box(c.casilla);
        target->setFocus();
        QTest::keyClick(QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : target, Qt::Key_F1);

        HelpWindow* help = HelpWindow::current();
        ASSERT_NE(help, nullptr);
        EXPECT_TRUE(help->isVisible() && !help->isModal());
        EXPECT_EQ(help->topic(), QString::fromLatin1(c.topic));
        const QString top = help->browser()->cursorForPosition(QPoint(4, 4)).block().text(); // the line at the top
        EXPECT_TRUE(top.contains(QString::fromUtf8(c.shownAtTop))) << top.toStdString();
        form.activateWindow();
    }
    // The casilla lines of the calculation rules are in the help.
    EXPECT_TRUE(HelpWindow::current()->browser()->toPlainText().contains(QStringLiteral("c157 = c155 - c156")));
}

// "&Validar" on the declaration form, clicked in the window, with the module's own form
// launcher: the inconsistency report opens beside the form, also right after a save with
// inconsistencies, and a clean validation takes the previous report away.
class ValidateWindow : public testing::ValidationTest {
protected:
    void SetUp() override {
        test::registerTaxpayer(db(), kRuc, QStringLiteral("COMERCIAL ANDINA S.A.C."));
        state.db = std::move(store::Database::open(database.path()).database);
        app::ui::registerModuleForms(forms, state, *prompter);
        model = std::make_unique<DeclarationFormModel>(test::formContext(db(), *prompter, clock, utility, launcher));
        model->moduleFolder = folder.path();
        calculation = &attach<CalculationRules>();
        attach<ValidateCommand>(*calculation);
        load();
        window = std::make_unique<Frm537>(*model);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override {
        forms.close(ValidateCommand::kReportWindow);
        window.reset();
        ValidationTest::TearDown();
    }

    void clickValidar() {
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("cmdValidar")), Qt::LeftButton);
    }
    // The report window beside the form, or null when none is open.
    FrmConsist* report() const {
        auto* open = qobject_cast<FrmConsist*>(forms.openInstance(ValidateCommand::kReportWindow));
        return open != nullptr && open->isVisible() ? open : nullptr;
    }

    app::ProcessState state;
    app::ui::FormLauncher forms{*prompter};
    app::ui::LauncherFormOpener launcher{forms};
    std::unique_ptr<Frm537> window;
};

// Enter on a line of the report takes the user to the box it names, on its page, and the
// report stays beside the form; accepting it marks it as seen.
TEST_F(ValidateWindow, TheReportOpensAfterAnInconsistentSaveAndGoesOnceClean) {
    makeConsistent();
    typeControl("txtTelCon2", QStringLiteral("999"));
    clickValidar();
    FrmConsist* shown = report();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(model->acceptedMark, QString());
    auto* text = test::child<QPlainTextEdit>(*shown, QStringLiteral("txtConsist"));
    window->showPage(QStringLiteral("ident.general"));
    shown->activateWindow();
    text->setTextCursor(QTextCursor(text->document()->findBlockByNumber(0)));
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(window->currentPageId(), FieldLocator::locate(QStringLiteral("txtTelCon2")).pageId);
    EXPECT_EQ(window->focusWidget(), window->findChild<QWidget*>(QStringLiteral("txtTelCon2")));
    EXPECT_TRUE(shown->isVisible()) << "the report stays beside the form";
    shown->findChild<QAbstractButton*>(QStringLiteral("cmdAceptar"))->click();
    EXPECT_EQ(model->acceptedMark, QStringLiteral("A"));

    // The save told of the inconsistencies; Validar still shows them.
    model->formState = 3;
    clickValidar();
    shown = report();
    ASSERT_NE(shown, nullptr) << "Validar after an inconsistent save shows the report";
    EXPECT_EQ(test::child<QPlainTextEdit>(*shown, QStringLiteral("txtConsist"))->toPlainText().trimmed(),
              QStringLiteral("Información complementaria - Información General : Ingrese correctamente el número de "
                             "celular del contador"));
    EXPECT_EQ(model->acceptedMark, QStringLiteral("A"));

    // The fault mended: the all-clear message, and no report of what no longer holds.
    typeControl("txtTelCon2", QStringLiteral("987654321"));
    prompter->expectMessage(QStringLiteral("La información de la declaración no presenta inconsistencias."),
                            app::Icon::Exclamation);
    clickValidar();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(report(), nullptr) << "the previous report stays after a clean validation";
    EXPECT_TRUE(prompter->verify());
}

} // namespace
} // namespace qel::declaration
