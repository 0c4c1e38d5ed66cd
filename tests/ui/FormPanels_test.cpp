// What opens beside the declaration form: the explanation panel with the form's undo, the help
// on F1, the inconsistency report and its jumps to the boxes, and Validar with the module's own
// form launcher.
#include "app/HelpTopics.h"
#include "app/ui/HelpKey.h"
#include "app/ui/HelpWindow.h"
#include "app/ui/LauncherFormOpener.h"
#include "declaration/ValidationFixture.h"
#include "declaration/commands/ExplainModel.h"
#include "declaration/model/FieldLocator.h"
#include "declaration/model/FormHistory.h"
#include "declaration/rules/CalculationRules.h"
#include "declaration/ui/ExplainPanel.h"
#include "declaration/ui/Frm537.h"
#include "declaration/ui/FrmConsist.h"
#include "declaration/ui/GuardedLineEdit.h"
#include "declaration/ui/ReportNavigator.h"
#include "ui/Frm537Fixture.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
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

TEST_F(ExplainPanelTest, TheFocusedCasillaIsExplainedAndItsInputsLeadToTheirBoxes) {
    typeInto(461, QStringLiteral("1000"));
    typeInto(462, QStringLiteral("200"));
    EXPECT_EQ(explanation(), QStringLiteral("462 = casilla digitada; alimenta la casilla 463"));
    window->goToCasilla(463);
    EXPECT_EQ(explanation(), QStringLiteral("463 = max(0, 461 − abs(462)) = max(0, 1,000 − abs(-200)) = 800"));
    auto* input = window->explainPanel()->findChild<QPushButton*>(QStringLiteral("cmdIrCasilla461"));
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(input->text(), QStringLiteral("461 = 1,000"));
    QTest::mouseClick(input, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), window->box(461));
}

// Ctrl+Z in a box takes back what was typed in it, with what the calculation changed; Ctrl+Y
// brings it back. The box's own undo of its text does not get the keys.
TEST_F(ExplainPanelTest, CtrlZAndCtrlYUndoAndRedoTheFormsSteps) {
    typeInto(461, QStringLiteral("1000"));
    typeInto(462, QStringLiteral("200"));
    EXPECT_EQ(model->text(463), QStringLiteral("800"));
    QTest::keyClick(window->box(462), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(model->isEmpty(462));
    EXPECT_EQ(model->text(463), QStringLiteral("1,000"));
    EXPECT_TRUE(window->findChild<QAction*>(QStringLiteral("mnuRehacer"))->isEnabled());
    QTest::keyClick(window->box(462), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(model->text(463), QStringLiteral("800"));
    window->findChild<QAction*>(QStringLiteral("mnuDeshacer"))->trigger();
    window->findChild<QAction*>(QStringLiteral("mnuDeshacer"))->trigger();
    EXPECT_TRUE(model->isEmpty(461));
}

using app::ui::HelpWindow;

class HelpWindowTest : public Frm537Fixture {
protected:
    void TearDown() override {
        delete HelpWindow::current();
        Frm537Fixture::TearDown();
    }

    // The text at the top of the help's view.
    static QString topLine(const HelpWindow& help) {
        const QTextCursor cursor = help.browser()->cursorForPosition(QPoint(4, 4));
        return cursor.block().text();
    }
};

TEST_F(HelpWindowTest, F1OpensTheHelpAtTheTopicOfTheFocusedBoxOrPage) {
    makeModel();
    CalculationRules rules(*model);
    Frm537& form = showWindow();
    app::ui::HelpKey::install(&form, [] { return QString(); }); // the help compiled into the program

    struct Case {
        const char* page;
        QString focus; // a casilla number, or the control whose page is shown
        QString topic;
        QString shownAtTop;
    };
    const Case cases[] = {
        {"itf", QStringLiteral("157"), QStringLiteral("casilla-157"), QStringLiteral("157")},
        {"renta", QStringLiteral("113"), QStringLiteral("casilla-113"), QStringLiteral("113")},
        {"ident.exon", QString(), QStringLiteral("pag-identificacion"), QStringLiteral("Identificación")},
        {"deuda", QString(), QStringLiteral("pag-deuda"), QStringLiteral("Determinación de la Deuda")},
    };
    for (const Case& c : cases) {
        form.showPage(QString::fromLatin1(c.page));
        QWidget* target = c.focus.isEmpty() ? static_cast<QWidget*>(&form) : form.box(c.focus.toInt());
        ASSERT_NE(target, nullptr) << c.page;
        target->setFocus();
        QTest::keyClick(QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : target, Qt::Key_F1);

        HelpWindow* help = HelpWindow::current();
        ASSERT_NE(help, nullptr) << c.page;
        EXPECT_TRUE(help->isVisible());
        EXPECT_FALSE(help->isModal());
        EXPECT_EQ(help->topic(), c.topic);
        EXPECT_TRUE(topLine(*help).contains(c.shownAtTop)) << c.page << ": " << qPrintable(topLine(*help));
        form.activateWindow();
    }
    // The casilla lines of the calculation rules are in the help.
    EXPECT_TRUE(HelpWindow::current()->browser()->toPlainText().contains(QStringLiteral("c157 = c155 - c156")));
}

TEST_F(HelpWindowTest, SearchFindsTheNextOccurrenceAndSaysWhenThereIsNone) {
    HelpWindow* help = HelpWindow::showTopic(QString(), app::HelpTopics::kContents);
    EXPECT_TRUE(help->search(QStringLiteral("Mens.txt")));
    const int first = help->browser()->textCursor().position();
    EXPECT_TRUE(help->search(QStringLiteral("Mens.txt")));
    EXPECT_NE(help->browser()->textCursor().position(), first);

    EXPECT_FALSE(help->search(QStringLiteral("palabra que no está")));
    EXPECT_EQ(help->findChild<QLabel*>(QStringLiteral("lblBuscar"))->text(),
              QStringLiteral("No se encontró «palabra que no está»."));

    help->findChild<QAbstractButton*>(QStringLiteral("cmdContenido"))->click();
    EXPECT_EQ(help->topic(), QStringLiteral("contenido"));
}

class ReportNavigatorTest : public Frm537Fixture {
protected:
    // A report of one line per control, opened through the form launcher as the validate
    // command opens it.
    FrmConsist* openReport(const QStringList& controls) {
        const QString path = dir.filePath(QStringLiteral("Mens.txt"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        for (const QString& control : controls) {
            file.write(QStringLiteral("Sección : línea sobre %1\n").arg(control).toUtf8());
        }
        file.close();
        forms.registerForm(QStringLiteral("FrmConsist"), [this](const app::FormRequest& request) {
            return std::unique_ptr<QDialog>(std::make_unique<FrmConsist>(std::make_unique<ConsistencyReportModel>(
                request.code, request.keyValues, clock, opener, nullptr, printing::ReportPreview::PdfWriter())));
        });
        app::FormRequest request;
        request.name = QStringLiteral("FrmConsist");
        request.code = path;
        request.keyValues = controls;
        EXPECT_EQ(forms.open(request), QString()); // returns at once: the window stays open
        return window->findChild<FrmConsist*>();
    }

    static QPoint lineCentre(QPlainTextEdit& lines, int line) {
        QTextCursor cursor(lines.document()->findBlockByNumber(line));
        return lines.cursorRect(cursor).center();
    }

    QTemporaryDir dir;
    app::ui::FormLauncher forms{*prompter};
};

TEST_F(ReportNavigatorTest, ADoubleClickOrEnterOnALineFocusesItsBoxOnItsPage) {
    Frm537& form = showWindow();
    FrmConsist* report =
        openReport({QStringLiteral("461"), QStringLiteral("OptReorganizacion"), QStringLiteral("txtTelCon")});
    ASSERT_NE(report, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(report));
    EXPECT_FALSE(report->isModal());
    EXPECT_TRUE(form.isVisible());
    auto* lines = report->findChild<QPlainTextEdit*>(QStringLiteral("txtConsist"));

    const QStringList controls = {QStringLiteral("461"), QStringLiteral("OptReorganizacion"),
                                  QStringLiteral("txtTelCon")};
    struct Case {
        int line;
        bool doubleClick;
        QString focusedName; // the box, or the start of the option button's name
    };
    const Case cases[] = {{0, true, QStringLiteral("txtValor")},
                          {2, false, QStringLiteral("txtTelCon")},
                          {1, true, QStringLiteral("OptReorganizacion")}};
    for (const Case& c : cases) {
        report->activateWindow();
        if (c.doubleClick) {
            QTest::mouseDClick(lines->viewport(), Qt::LeftButton, {}, lineCentre(*lines, c.line));
        } else {
            lines->setTextCursor(QTextCursor(lines->document()->findBlockByNumber(c.line)));
            QTest::keyClick(lines, Qt::Key_Return);
        }
        EXPECT_EQ(form.currentPageId(), FieldLocator::locate(controls.at(c.line)).pageId) << c.line;
        QWidget* focused = form.focusWidget();
        ASSERT_NE(focused, nullptr) << c.line;
        if (c.line == 0) {
            EXPECT_EQ(focused, form.box(461));
        } else {
            EXPECT_TRUE(focused->objectName().startsWith(c.focusedName)) << qPrintable(focused->objectName());
        }
        EXPECT_TRUE(report->isVisible()) << "the report stays beside the form";
    }

    // Accepting the report marks it as seen in the form and closes it.
    report->findChild<QAbstractButton*>(QStringLiteral("cmdAceptar"))->click();
    EXPECT_EQ(model->acceptedMark, QStringLiteral("A"));
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
    static QString lines(FrmConsist& report) {
        return report.findChild<QPlainTextEdit*>(QStringLiteral("txtConsist"))->toPlainText();
    }

    app::ProcessState state;
    app::ui::FormLauncher forms{*prompter};
    app::ui::LauncherFormOpener launcher{forms};
    std::unique_ptr<Frm537> window;
};

TEST_F(ValidateWindow, TheReportOpensAfterAnInconsistentSaveAndGoesOnceClean) {
    makeConsistent();
    typeControl("txtTelCon2", QStringLiteral("999"));
    const QString phone =
        QStringLiteral("Información complementaria - Información General : Ingrese correctamente el número de "
                       "celular del contador");

    // The save told of the inconsistencies; Validar still shows them.
    model->formState = 3;
    clickValidar();
    FrmConsist* shown = report();
    ASSERT_NE(shown, nullptr) << "Validar after an inconsistent save shows the report";
    EXPECT_EQ(lines(*shown).trimmed(), phone);
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
