#include "app/MainCommands.h"

#include "app/HelpModel.h"
#include "app/PlatformText.h"
#include "app/ProcessState.h"
#include "app/StatusDisplay.h"
#include "base/Prompter.h"

#include <QDate>
#include <QFileInfo>
#include <QUrl>

namespace qel::app {

const QString MainCommands::kDeclarationForm = QStringLiteral("Frm537");
const QString MainCommands::kDeclarationList = QStringLiteral("FrmContAbrir");
const QString MainCommands::kSentList = QStringLiteral("FrmContAbrirEnv");
const QString MainCommands::kPrintType = QStringLiteral("FrmTipPrnR");
const QString MainCommands::kDefaultVersionHost = QStringLiteral("qel.kolva.gob.pe");

namespace {

// Operations of the list windows, as their requests' code: modify a declaration or register
// an order number, delete, recover a sent version.
const QString kOperationModify = QStringLiteral("1");
const QString kOperationDelete = QStringLiteral("3");
const QString kOperationRecover = QStringLiteral("R");

// The hourglass for the life of a scope, restored however the scope ends.
class BusyScope {
public:
    explicit BusyScope(MainCommands::Host& host) : m_host(host) { m_host.setBusy(true); }
    ~BusyScope() { m_host.setBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    MainCommands::Host& m_host;
};

// The recovery flag is up only while the sent list of "Recuperar Declaración" is open.
class RecoveringScope {
public:
    explicit RecoveringScope(ProcessState& state) : m_state(state) { m_state.recovering = true; }
    ~RecoveringScope() { m_state.recovering = false; }
    RecoveringScope(const RecoveringScope&) = delete;
    RecoveringScope& operator=(const RecoveringScope&) = delete;

private:
    ProcessState& m_state;
};

} // namespace

MainCommands::MainCommands(ProcessState& state, Prompter& /*prompter*/, Host& host) : m_state(state), m_host(host) {}

std::optional<MainCommands::Command> MainCommands::toolbarCommand(int buttonIndex) {
    switch (buttonIndex) {
    case 1:
        return Command::NewDeclaration;
    case 2:
        return Command::ModifyDeclaration;
    case 3:
        return Command::DeleteDeclaration;
    case 4:
        return Command::PrintDeclaration;
    case 5:
        return Command::Exit;
    case 7:
        return Command::RegisterOrderNumber;
    case 10:
        return Command::Help;
    default:
        return std::nullopt;
    }
}

bool MainCommands::clearsTaxpayerName(Command command) {
    return command != Command::About && command != Command::Exit && command != Command::RecoverSentDeclaration &&
           command != Command::VersionCheck;
}

QString MainCommands::windowCaption(const ProcessState& state) {
    return Str(state.formulario.toLongLong()) + QStringLiteral(" Declaración Pago Anual Impuesto a la Renta ") +
           state.periodo + QStringLiteral(" 3ra. Categoría e ITF - v 1.0");
}

QString MainCommands::versionCheckAddress(const QString& host, const QString& formulario, const QString& version,
                                          const QString& versionDate) {
    const QDate date = QDate::fromString(versionDate.trimmed(), QStringLiteral("dd/MM/yyyy"));
    QString dateText = date.isValid() ? date.toString(QStringLiteral("ddMMyyyy")) : versionDate;
    dateText.remove(QLatin1Char('/'));
    return QStringLiteral("http://") + host + QStringLiteral("/qel/qeldown/independientes/independientes.htm") +
           QStringLiteral("?p=") + formulario + QStringLiteral("&v=") + version + QStringLiteral("&f=") + dateText +
           QStringLiteral("#p") + formulario.mid(1, 3);
}

void MainCommands::run(Command command) {
    if (clearsTaxpayerName(command) && m_state.status != nullptr) {
        m_state.status->clearName();
    }
    switch (command) {
    case Command::NewDeclaration: {
        m_host.showNotice();
        m_state.listMode = 0;
        const BusyScope busy(m_host);
        FormRequest request;
        request.name = kDeclarationForm;
        request.action = FormRequest::kAdd;
        m_host.openForm(request);
        break;
    }
    case Command::ModifyDeclaration: {
        m_host.showNotice();
        m_state.listMode = 1;
        const BusyScope busy(m_host);
        openList(kDeclarationList, kOperationModify);
        break;
    }
    case Command::DeleteDeclaration: {
        const BusyScope busy(m_host);
        openList(kDeclarationList, kOperationDelete);
        break;
    }
    case Command::PrintDeclaration:
        m_state.printSent = false;
        openList(kPrintType);
        break;
    case Command::Exit:
        m_host.exit();
        break;
    case Command::RegisterOrderNumber:
        m_state.listMode = 1;
        openList(kSentList, kOperationModify);
        break;
    case Command::DeleteSentDeclaration:
        m_state.listMode = 3;
        openList(kSentList, kOperationDelete);
        break;
    case Command::RecoverSentDeclaration: {
        m_state.listMode = 1;
        const RecoveringScope recovering(m_state);
        const BusyScope busy(m_host);
        openList(kSentList, kOperationRecover);
        break;
    }
    case Command::PrintSentDeclaration:
        // The print window lists the sent versions when opened with the sent code.
        m_state.printSent = true;
        openList(kPrintType, QStringLiteral("1"));
        break;
    case Command::BankList:
    case Command::CountryList:
    case Command::UitList:
        m_state.listMode = command == Command::BankList ? 1 : command == Command::CountryList ? 2 : 3;
        m_host.showReferenceList();
        break;
    case Command::Help:
        MostrarHelp();
        break;
    case Command::About:
        m_host.showAbout();
        break;
    case Command::VersionCheck: {
        const QString host = m_state.versionHost.isEmpty() ? kDefaultVersionHost : m_state.versionHost;
        // Whatever the browser makes of the address is its business: nothing is reported.
        m_host.openAddress(versionCheckAddress(host, m_state.formulario, m_state.version, m_state.versionDate));
        break;
    }
    }
}

QString MainCommands::openList(const QString& name, const QString& code) {
    FormRequest request;
    request.name = name;
    request.code = code;
    return m_host.openForm(request);
}

void MainCommands::MostrarHelp() {
    // The help window of the program, at the contents; it reads the help compiled into the
    // program when the file is missing.
    openList(HelpModel::kWindowName, m_state.helpFile);
}

} // namespace qel::app
