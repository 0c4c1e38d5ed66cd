#include "app/MainCommands.h"
#include "app/ProcessState.h"
#include "app/StatusDisplay.h"
#include "support/TestSupport.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

using namespace qel;
using app::MainCommands;
using C = MainCommands::Command;

// Records what the commands ask of the main window, with the state at the moment they ask,
// and the taxpayer's name on its status bar.
class FakeHost : public MainCommands::Host, public app::StatusDisplay {
public:
    explicit FakeHost(app::ProcessState& state) : m_state(state) { state.status = this; }

    void setBusy(bool busy) override { log.append(busy ? "busy:on" : "busy:off"); }
    void showNotice() override { log.append("notice"); }
    QString openForm(const app::FormRequest& request) override {
        log.append(QStringList{"open", request.name, request.code, m_state.recovering ? "recovering" : ""}
                       .filter(QRegularExpression(".")) // the parts that are there
                       .join(':'));
        if (throwOnOpen) {
            throw std::runtime_error("the window failed");
        }
        return {};
    }
    void showReferenceList() override { log.append("list:" + QString::number(m_state.listMode)); }
    void showAbout() override { log.append("about"); }
    bool openAddress(const QString& address) override {
        log.append("address:" + address);
        return true;
    }
    void exit() override { log.append("exit"); }
    void showStatus(const QString&, const QString& taxpayer, const QString&, const QString&) override {
        name = taxpayer;
    }
    void clearName() override { name.clear(); }

    QStringList log;
    QString name;
    bool throwOnOpen = false;

private:
    app::ProcessState& m_state;
};

class MainCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_state.versionDate = "15/03/2019";
        m_state.helpFile = "/qel/0588/Pm588.html";
    }

    app::ProcessState m_state;
    std::unique_ptr<app::ScriptedPrompter> m_prompter = test::makePrompter();
    FakeHost m_host{m_state};
    MainCommands m_commands{m_state, *m_prompter, m_host};
};

TEST_F(MainCommandsTest, EachCommandSetsItsStateAndOpensItsWindow) {
    const QString address =
        "address:http://qel.kolva.gob.pe/qel/qeldown/independientes/independientes.htm?p=0588&v=1.0&f=15032019#p588";
    // The command, what it asks of the main window, the list mode after it (7: left as it was),
    // the print-sent flag after it, whether it clears the taxpayer's name.
    const std::tuple<C, QStringList, int, bool, bool> cases[] = {
        {C::NewDeclaration, {"notice", "busy:on", "open:Frm537", "busy:off"}, 0, true, true},
        {C::ModifyDeclaration, {"notice", "busy:on", "open:FrmContAbrir:1", "busy:off"}, 1, true, true},
        {C::DeleteDeclaration, {"busy:on", "open:FrmContAbrir:3", "busy:off"}, 7, true, true},
        {C::PrintDeclaration, {"open:FrmTipPrnR"}, 7, false, true},
        {C::Exit, {"exit"}, 7, true, false},
        {C::RegisterOrderNumber, {"open:FrmContAbrirEnv:1"}, 1, true, true},
        {C::DeleteSentDeclaration, {"open:FrmContAbrirEnv:3"}, 3, true, true},
        {C::RecoverSentDeclaration, {"busy:on", "open:FrmContAbrirEnv:R:recovering", "busy:off"}, 1, true, false},
        {C::PrintSentDeclaration, {"open:FrmTipPrnR:1"}, 7, true, true},
        {C::BankList, {"list:1"}, 1, true, true},
        {C::CountryList, {"list:2"}, 2, true, true},
        {C::UitList, {"list:3"}, 3, true, true},
        {C::About, {"about"}, 7, true, false},
        {C::VersionCheck, {address}, 7, true, false},
        {C::Help, {"open:frmAyuda:/qel/0588/Pm588.html"}, 7, true, true}, // the module's help file
    };
    for (const auto& [command, log, listMode, printSent, clearsName] : cases) {
        SCOPED_TRACE(static_cast<int>(command));
        m_host.log.clear();
        m_state.listMode = 7;
        m_state.printSent = true;
        m_host.name = "EMPRESA S.A.";

        m_commands.run(command);

        EXPECT_EQ(m_host.log, log);
        EXPECT_EQ(m_state.listMode, listMode);
        EXPECT_EQ(m_state.printSent, printSent);
        EXPECT_EQ(m_host.name.isEmpty(), clearsName);
        EXPECT_FALSE(m_state.recovering);
    }
}

TEST_F(MainCommandsTest, RecoveryFlagAndPointerComeBackWhenTheListFails) {
    m_host.throwOnOpen = true;
    EXPECT_THROW(m_commands.run(C::RecoverSentDeclaration), std::runtime_error);
    EXPECT_FALSE(m_state.recovering);
    EXPECT_EQ(m_host.log, QStringList({"busy:on", "open:FrmContAbrirEnv:R:recovering", "busy:off"}));
}

} // namespace
