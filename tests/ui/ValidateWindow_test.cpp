// "&Validar" on the declaration form, clicked in the window, with the module's own form
// launcher: the inconsistency report opens beside the form, also right after a save with
// inconsistencies, and a clean validation takes the previous report away.
#include "app/ProcessState.h"
#include "app/ui/FormLauncher.h"
#include "app/ui/LauncherFormOpener.h"
#include "declaration/ValidationFixture.h"
#include "declaration/ui/Frm537.h"
#include "declaration/ui/FrmConsist.h"
#include "program/FormRegistry.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace qel::declaration {
namespace {

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
