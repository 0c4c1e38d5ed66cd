#include "app/Clock.h"
#include "launcher/DeclarationSender.h"
#include "launcher/DemoTaxpayers.h"
#include "launcher/LauncherFixtures.h"
#include "launcher/ui/LauncherWindow.h"
#include "launcher/ui/LoginDialog.h"
#include "launcher/ui/TaxpayerDialog.h"
#include "launcher/ui/WhenExposed.h"
#include "ui/WindowDriver.h"

using namespace qel;
using launcher::LauncherWindow;
using launcher::WhenExposed;

namespace {

class LauncherWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureLauncherUsers(m_temp.db());
        test::ensureSentTables(m_temp.db());
        launcher::DemoTaxpayers::add(m_temp.db());
    }
    void TearDown() override { m_prompter->verify(); }

    std::unique_ptr<LauncherWindow> window(const QString& user) {
        return std::make_unique<LauncherWindow>(m_temp.db(), *m_prompter, m_clock, user, m_temp.folder() + '/',
                                                launcher::ModuleStarter(m_programs.path()));
    }

    test::TempDatabase m_temp;
    QTemporaryDir m_programs; // holds no module program
    std::unique_ptr<app::ScriptedPrompter> m_prompter = test::makePrompter();
    app::FixedClock m_clock{QDateTime(QDate(2019, 3, 20), QTime(9, 0))};
};

} // namespace

TEST_F(LauncherWindowTest, TheTitleIsExactlyQelAndEachUserSeesItsTaxpayers) {
    const struct {
        const char* user;
        QStringList rucs;
    } cases[] = {
        {"CONTADOR", {QStringLiteral("20512345671"), QStringLiteral("20601112222")}},
        {"SUPERVISOR", {QStringLiteral("20487654320"), QStringLiteral("20512345671"), QStringLiteral("20601112222")}},
        {"AUDITOR", {}},
    };
    for (const auto& c : cases) {
        auto w = window(QString::fromLatin1(c.user));
        w->show();
        EXPECT_EQ(w->windowTitle(), QStringLiteral("QEL"));
        EXPECT_EQ(w->listedRucs(), c.rucs) << c.user;
        // Nothing to modify or send without a taxpayer.
        EXPECT_EQ(w->findChild<QPushButton*>(QStringLiteral("cmdEnviar"))->isEnabled(), !c.rucs.isEmpty()) << c.user;
    }
}

TEST_F(LauncherWindowTest, TheLoginRefusesAWrongPasswordAndAcceptsTheRightOne) {
    launcher::LoginDialog login(m_temp.db(), *m_prompter);
    login.findChild<QLineEdit*>(QStringLiteral("txtUsuario"))->setText(QStringLiteral("contador"));
    auto* password = login.findChild<QLineEdit*>(QStringLiteral("txtClave"));

    password->setText(QStringLiteral("supervisor"));
    m_prompter->expectMessage(QStringLiteral("Usuario o contraseña incorrectos."), app::Icon::Critical);
    EXPECT_FALSE(login.tryLogin());
    EXPECT_TRUE(password->text().isEmpty());

    password->setText(QStringLiteral("contador"));
    EXPECT_TRUE(login.tryLogin());
    EXPECT_EQ(login.result(), QDialog::Accepted);
    EXPECT_EQ(login.user(), QStringLiteral("CONTADOR"));
}

// What the registry refuses is told and nothing is stored (the registry's own tests hold every
// refusal); a taxpayer stored shows in the list.
TEST_F(LauncherWindowTest, ANewTaxpayerIsCheckedStoredAndListed) {
    auto w = window(QStringLiteral("CONTADOR"));
    launcher::TaxpayerDialog dialog(m_temp.db(), *m_prompter, QStringLiteral("CONTADOR"));
    auto* ruc = dialog.findChild<QLineEdit*>(QStringLiteral("txtRuc"));
    EXPECT_EQ(dialog.findChild<QComboBox*>(QStringLiteral("cboTipoIngreso"))->currentData().toInt(), 2);
    dialog.findChild<QLineEdit*>(QStringLiteral("txtNombre"))->setText(QStringLiteral("O'HIGGINS & ASOCIADOS S.A.C."));
    ruc->setText(QStringLiteral("20601112222"));
    m_prompter->expectMessage(QStringLiteral("El contribuyente ya se encuentra registrado."), app::Icon::Exclamation);
    EXPECT_FALSE(dialog.save());
    ruc->setText(QStringLiteral("20100070970"));
    EXPECT_TRUE(dialog.save());

    w->refresh();
    w->selectRuc(QStringLiteral("20100070970"));
    EXPECT_EQ(w->selectedTaxpayer()->nombre, QStringLiteral("O'HIGGINS & ASOCIADOS S.A.C."));
}

TEST_F(LauncherWindowTest, SendingTellsTheCorrelativeAndRefreshesTheList) {
    test::insertRow(m_temp.db(), QStringLiteral("CAB"), test::demoKey(QStringLiteral("20601112222")),
                    {{QStringLiteral("SEMANA"), 0}, {QStringLiteral("ESTADO"), 0}});
    auto w = window(QStringLiteral("CONTADOR"));
    w->selectRuc(QStringLiteral("20601112222"));
    const QString question = QStringLiteral("¿Desea enviar la declaración 2018 del formulario 0588 de\n\n"
                                            "20601112222 - COMERCIAL LOS ANDES S.A.C.?");

    m_prompter->expectQuestion(question, app::Button::Yes, app::Icon::Question, QStringLiteral("Enviar declaración"));
    m_prompter->expectMessage(
        QStringLiteral("Declaración enviada: RUC 20601112222, correlativo 1, control %1")
            .arg(launcher::DeclarationSender::controlNumber(QStringLiteral("20601112222"), m_clock.now(), 1)),
        app::Icon::Information);
    EXPECT_TRUE(w->sendDeclaration());
    EXPECT_EQ(test::rowCount(m_temp.db(), QStringLiteral("HCAB")), 1);
    EXPECT_EQ(w->selectedTaxpayer()->ruc, QStringLiteral("20601112222")); // the selection stays

    m_prompter->expectQuestion(question, app::Button::No);
    EXPECT_FALSE(w->sendDeclaration());
    EXPECT_EQ(test::rowCount(m_temp.db(), QStringLiteral("HCAB")), 1);
}

// The module is another process with its own connection: what it saves or deletes shows in
// the launcher's list without restarting either program.
TEST_F(LauncherWindowTest, TheListFollowsWhatTheModuleSavesAndDeletes) {
    auto w = window(QStringLiteral("CONTADOR"));
    w->show();
    const auto* grid = w->findChild<QTableView*>();
    ASSERT_NE(grid, nullptr);
    const QString ruc = QStringLiteral("20601112222");
    const int row = static_cast<int>(w->listedRucs().indexOf(ruc));
    auto stateText = [&] { return grid->model()->index(row, 4).data().toString(); };
    ASSERT_EQ(stateText(), QStringLiteral("Sin declaración"));

    auto opened = store::Database::open(m_temp.path());
    ASSERT_TRUE(opened.database);
    store::Database& module = *opened.database;
    const auto shows = [&](const QString& shown) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return stateText() == shown; }, 5000)) << stateText().toStdString();
    };
    test::insertRow(module, QStringLiteral("CAB"), test::demoKey(ruc),
                    {{QStringLiteral("SEMANA"), 0}, {QStringLiteral("ESTADO"), 9}}); // saved with inconsistencies
    shows(QStringLiteral("Con inconsistencias (9)"));
    module.run(QStringLiteral("UPDATE CAB SET ESTADO=0 WHERE DOC_ID_D=?"), {ruc}).finish(); // saved again
    shows(QStringLiteral("Sin inconsistencias (0)"));
    module.run(QStringLiteral("DELETE FROM CAB WHERE DOC_ID_D=?"), {ruc}).finish();
    shows(QStringLiteral("Sin declaración"));
}

// The module is started once, from the event loop, after the launcher's window is on the
// screen; never from inside show() and never a second time on a later expose.
TEST(WhenExposed, RunsOnceFromTheEventLoopAfterTheExpose) {
    for (const bool exposedBefore : {false, true}) {
        QWidget window;
        window.setWindowTitle(QStringLiteral("QEL"));
        window.show();
        if (exposedBefore) {
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        }
        int runs = 0;
        QPointer<WhenExposed> watcher = new WhenExposed(window, [&runs] { ++runs; });
        EXPECT_EQ(runs, 0) << "exposed before: " << exposedBefore;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_TRUE(QTest::qWaitFor([&runs] { return runs > 0; }, 2000)) << "exposed before: " << exposedBefore;
        window.hide();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(20);
        EXPECT_EQ(runs, 1) << "exposed before: " << exposedBefore;
        EXPECT_TRUE(QTest::qWaitFor([&watcher] { return watcher.isNull(); }, 1000)); // it deleted itself
    }
}
