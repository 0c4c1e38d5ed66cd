#include "batch/BatchRunner.h"

#include "app/DatabaseLock.h"
#include "app/ProcessState.h"
#include "app/Startup.h"
#include "app/TaxpayerAccess.h"
#include "app/UtilityComponent.h"
#include "base/BoundedFile.h"
#include "base/PasswordLine.h"
#include "base/Passwords.h"
#include "batch/ScriptLine.h"
#include "catalogue/FormControls.h"
#include "catalogue/FormPages.h"
#include "declaration/commands/ExplainModel.h"
#include "declaration/commands/ValidateCommand.h"
#include "declaration/model/DeclarationFormModel.h"
#include "declaration/model/FormHistory.h"
#include "declaration/model/PaymentChoices.h"
#include "declaration/rules/ConsistencyCheck.h"
#include "management/DeclarationFormSession.h"
#include "management/SentDeclarationList.h"
#include "store/Database.h"
#include "store/DatabaseError.h"
#include "store/ExecuteSql.h"
#include "store/WorkingCopies.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <algorithm>
#include <stdexcept>

namespace qel::batch {

using namespace declaration;

namespace {

// The payment control's bank list and cheque number, which a script reaches by these names.
const QString kBank = declaration::controls::kBank;
const QString kChequeNumber = declaration::controls::kChequeNumber;

// A line the batch mode cannot run: unknown command or control, bad argument.
using app::ScriptError;

const QString kCmbRuc = QStringLiteral("CmbRuc");

QStringList splitArguments(const QString& rest, int count) {
    return ScriptLine::splitArguments(rest, count);
}

QStringList words(const QString& rest) {
    return ScriptLine::words(rest);
}

int integerArgument(const QString& text, const QString& what) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok) {
        throw ScriptError{QStringLiteral("%1 no es un número: %2").arg(what, text)};
    }
    return value;
}

QString quoted(const QString& text) {
    return QLatin1Char('"') + BatchPrompter::oneLine(text) + QLatin1Char('"');
}

QString enabledWord(bool enabled) {
    return enabled ? QStringLiteral("enabled") : QStringLiteral("disabled");
}

// The user's name as CLAVES holds it when the password is the one stored for it, as the
// launcher's login finds it (the name without regard to case, blanks trimmed).
std::optional<QString> authenticated(store::Database& db, const QString& user, const QString& password) {
    const QString name = user.trimmed();
    if (name.isEmpty()) {
        return std::nullopt;
    }
    QSqlQuery row =
        db.run(QStringLiteral("SELECT Usuario, Clave FROM CLAVES WHERE upper(trim(Usuario))=?"), {name.toUpper()});
    if (!row.next()) {
        return std::nullopt;
    }
    const QString stored = row.value(0).toString().trimmed();
    const QString hash = row.value(1).toString().trimmed();
    row.finish();
    return app::verifyPassword(hash, stored, password) ? std::optional<QString>(stored) : std::nullopt;
}

} // namespace

// --- Start-up of the batch mode -----------------------------------------------------------

int BatchRunner::commandLine(const QStringList& arguments) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    Environment environment{app::IniFile::standard()};
    QStringList scripts;
    for (qsizetype i = 2; i < arguments.size(); ++i) {
        if (arguments.at(i) == QStringLiteral("--user") && i + 1 < arguments.size() && !environment.login) {
            environment.login = arguments.at(++i);
        } else {
            scripts.append(arguments.at(i));
        }
    }
    if (scripts.size() != 1) {
        err << "uso: pm0588 --batch GUION [--user USUARIO]  (con --user, la contraseña en la entrada estándar)\n";
        return kScriptError;
    }
    if (environment.login) {
        const std::optional<QString> password = app::readPasswordLine(*environment.login);
        if (!password) {
            err << app::passwordTooLongText() << '\n';
            return kStartupFailed;
        }
        environment.password = *password;
    }
    return runFile(scripts.first(), out, err, environment);
}

int BatchRunner::runFile(const QString& scriptPath, QTextStream& out, QTextStream& err,
                         const Environment& environment) {
    // Only a regular file of a script's size is read: a FIFO or /dev/zero is refused at once.
    const app::BoundedRead file = app::readBoundedFile(scriptPath, kMaxScriptBytes);
    if (!file.ok()) {
        err << "error line 0: " << file.problem(QStringLiteral("el guion"), scriptPath, kMaxScriptBytes) << '\n';
        err.flush();
        return kScriptError;
    }
    const QString script = QString::fromUtf8(file.bytes);

    BatchPrompter startupPrompter(out);
    // The configuration names the user and the database: only the system user's own is
    // believed.
    if (const QString refusal = environment.ini.refusal(environment.user); !refusal.isEmpty()) {
        startupPrompter.message(refusal, app::Startup::kConfigurationTitle, app::Icon::Critical);
        return kStartupFailed;
    }
    // The configuration and the database as the module's start-up reads them; the lock on
    // the database file is the window's, so the two never work on one file at once.
    app::ProcessState configured;
    app::Startup::readConfiguration(configured, environment.ini);
    app::DatabaseLock lock(configured.dbFile);
    if (!lock.acquire()) {
        startupPrompter.message(QStringLiteral("La Aplicación ya se encuentra en ejecución"),
                                QStringLiteral("Declaración Pago Anual Impuesto a la Renta"), app::Icon::Information);
        return kStartupFailed;
    }
    app::ProcessState state;
    app::Startup::readConfiguration(state, environment.ini);
    store::Database::OpenResult opened = store::Database::open(state.dbFile);
    if (!opened.database) {
        startupPrompter.message(app::Startup::connectionFailureText(opened), QStringLiteral("Error de Conección"),
                                app::Icon::None);
        return kStartupFailed;
    }
    state.db = std::move(opened.database);
    try {
        store::clearLeftoverWorkingCopies(state.database(), state.periodo, state.formulario);
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(startupPrompter, error);
        return kStartupFailed;
    }

    Settings settings;
    settings.periodo = state.periodo;
    settings.formulario = state.formulario;
    settings.sysUser = state.sysUser;
    if (environment.login) {
        std::optional<QString> name;
        try {
            name = authenticated(state.database(), *environment.login, environment.password);
        } catch (const store::DatabaseError& error) {
            store::showDatabaseError(startupPrompter, error);
            return kStartupFailed;
        }
        if (!name) {
            startupPrompter.message(QStringLiteral("Usuario o contraseña incorrectos."),
                                    QStringLiteral("Declaración Pago Anual Impuesto a la Renta"), app::Icon::Critical);
            return kStartupFailed;
        }
        settings.sysUser = *name;
    }
    BatchRunner runner(state.database(), out, err, settings);
    runner.setModuleFolder(state.moduleFolder());
    runner.setReportFolder(state.reportFolder);
    return runner.run(script);
}

// --- The runner -----------------------------------------------------------------------------

BatchRunner::BatchRunner(store::Database& db, QTextStream& out, QTextStream& err, Settings settings)
    : m_db(db), m_out(out), m_err(err), m_settings(std::move(settings)),
      m_userKind(app::UserKind(m_db, m_settings.sysUser)), m_prompter(out), m_opener(out), m_files(out),
      m_utility(std::make_unique<app::UtilityComponent>(m_prompter, &db)),
      m_context(FormContext{m_db, m_prompter, m_clock, *m_utility, m_opener, m_settings.periodo, m_settings.formulario,
                            m_settings.sysUser, m_userKind, &m_files}) {
    m_opener.setRunner([this](const app::FormRequest& request) { return runRegisteredWindow(request); });
    m_opener.holdBack(ValidateCommand::kReportWindow);
    m_context.openForm = [this](int mode, const QVariantList& arguments) { openForm(mode, arguments); };
    registerBatchWindows(m_windows);
}

BatchRunner::~BatchRunner() = default;

DeclarationFormModel* BatchRunner::model() const {
    return m_session ? &m_session->model() : nullptr;
}

int BatchRunner::run(const QString& script) {
    m_lines = script.split(QLatin1Char('\n'));
    m_next = 0;
    m_aborted = false;
    while (m_next < m_lines.size() && !m_aborted) {
        executeLine(m_next++);
    }
    m_out.flush();
    if (m_aborted) {
        return kScriptError;
    }
    return m_prompter.databaseErrorShown() ? kWriteFailed : kDone;
}

void BatchRunner::executeLine(int index) {
    const ScriptLine line = ScriptLine::read(m_lines.at(index));
    if (line.command.isEmpty()) {
        return;
    }
    const QString& command = line.command;
    const QString& rest = line.rest;
    QString error;
    try {
        execute(command, rest);
        error = m_prompter.takeError();
    } catch (const ScriptError& scriptError) {
        error = scriptError.text;
    } catch (const store::DatabaseError& databaseError) {
        error = databaseError.text();
    } catch (const std::exception& exception) {
        error = QString::fromUtf8(exception.what());
    }
    m_out.flush();
    if (!error.isEmpty()) {
        fail(index, error);
        return;
    }
    // The form goes only once no window of its own is open over it.
    if (m_closeRequested && m_open.empty()) {
        m_context.form = nullptr;
        m_session.reset();
        m_closeRequested = false;
    }
}

void BatchRunner::fail(int index, const QString& error) {
    if (m_aborted) {
        return; // a window further in already reported the line that stopped the script
    }
    m_err << "error line " << (index + 1) << ": " << error << '\n';
    m_err.flush();
    m_aborted = true;
}

// --- Windows the script drives --------------------------------------------------------------

app::ScriptableWindow* BatchRunner::current() const {
    return m_open.empty() ? nullptr : m_open.back().get();
}

std::optional<QString> BatchRunner::runRegisteredWindow(const app::FormRequest& request) {
    const BatchWindows::WindowFactory* factory = m_windows.window(request.name);
    if (factory == nullptr) {
        return std::nullopt;
    }
    std::unique_ptr<app::ScriptableWindow> window = (*factory)(m_context, request);
    if (!window) {
        return QString(); // the model declined the request and said why
    }
    return runWindow(std::move(window));
}

QString BatchRunner::runWindow(std::unique_ptr<app::ScriptableWindow> window) {
    const QString name = window->name();
    m_open.push_back(std::move(window));
    app::ScriptableWindow& open = *m_open.back();
    while (!open.isClosed() && !m_aborted) {
        if (m_next >= m_lines.size()) {
            fail(m_lines.size() - 1, QStringLiteral("la ventana %1 sigue abierta al final del guion").arg(name));
            break;
        }
        executeLine(m_next++);
    }
    const QString result = m_aborted ? QString() : open.result();
    if (!m_aborted) {
        m_out << "closed " << name << ' ' << quoted(result) << '\n';
        m_out.flush();
    }
    m_open.pop_back();
    return result;
}

void BatchRunner::execute(const QString& command, const QString& rest) {
    if (app::ScriptableWindow* window = current()) {
        if (command == QStringLiteral("text")) {
            return windowText(*window, rest);
        }
        if (command == QStringLiteral("type")) {
            return windowType(*window, rest);
        }
        if (command == QStringLiteral("choose")) {
            return windowChoose(*window, rest);
        }
        if (command == QStringLiteral("click")) {
            return windowClick(*window, rest);
        }
        if (command == QStringLiteral("state")) {
            return windowState(*window, rest);
        }
        if (command == QStringLiteral("show")) {
            return windowShow(*window, rest);
        }
        static const QStringList formOnly{
            QStringLiteral("new"),    QStringLiteral("open"),     QStringLiteral("taxpayer"), QStringLiteral("clear"),
            QStringLiteral("page"),   QStringLiteral("validate"), QStringLiteral("save"),     QStringLiteral("close"),
            QStringLiteral("report"), QStringLiteral("menu"),     QStringLiteral("explain"),  QStringLiteral("undo"),
            QStringLiteral("redo")};
        if (formOnly.contains(command)) {
            throw ScriptError{
                QStringLiteral("%1 no se puede usar mientras la ventana %2 está abierta").arg(command, window->name())};
        }
    }
    if (command == QStringLiteral("select")) {
        cmdSelect(rest);
    } else if (command == QStringLiteral("rows")) {
        cmdRows(rest);
    } else if (command == QStringLiteral("controls")) {
        cmdControls(rest);
    } else if (command == QStringLiteral("cell")) {
        cmdCell(rest);
    } else if (command == QStringLiteral("menu")) {
        cmdMenu(rest);
    } else if (command == QStringLiteral("file")) {
        cmdFile(rest);
    } else if (command == QStringLiteral("pdf")) {
        cmdPdf(rest);
    } else if (command == QStringLiteral("today")) {
        cmdToday(rest);
    } else if (command == QStringLiteral("new")) {
        cmdNew(rest);
    } else if (command == QStringLiteral("open")) {
        cmdOpen(rest);
    } else if (command == QStringLiteral("taxpayer")) {
        cmdTaxpayer(rest);
    } else if (command == QStringLiteral("type")) {
        cmdType(rest);
    } else if (command == QStringLiteral("clear")) {
        cmdClear(rest);
    } else if (command == QStringLiteral("text")) {
        cmdText(rest);
    } else if (command == QStringLiteral("click")) {
        cmdClick(rest);
    } else if (command == QStringLiteral("choose")) {
        cmdChoose(rest);
    } else if (command == QStringLiteral("page")) {
        cmdPage(rest);
    } else if (command == QStringLiteral("answer")) {
        cmdAnswer(rest);
    } else if (command == QStringLiteral("show")) {
        cmdShow(rest);
    } else if (command == QStringLiteral("state")) {
        cmdState(rest);
    } else if (command == QStringLiteral("validate")) {
        cmdValidate(rest);
    } else if (command == QStringLiteral("save")) {
        cmdFormCommand(command, declaration::controls::kSave);
    } else if (command == QStringLiteral("close")) {
        cmdFormCommand(command, declaration::controls::kExit);
    } else if (command == QStringLiteral("window")) {
        cmdWindow(rest);
    } else if (command == QStringLiteral("report")) {
        cmdReport(rest);
    } else if (command == QStringLiteral("explain")) {
        cmdExplain(rest);
    } else if (command == QStringLiteral("undo") || command == QStringLiteral("redo")) {
        cmdUndo(command, rest);
    } else {
        throw ScriptError{QStringLiteral("orden desconocida: %1").arg(command)};
    }
}

DeclarationFormModel& BatchRunner::form() {
    if (!m_session) {
        throw ScriptError{QStringLiteral("no hay un formulario abierto (use new u open)")};
    }
    return m_session->model();
}

void BatchRunner::openForm(int mode, const QVariantList& arguments) {
    m_context.form = nullptr;
    m_session.reset();
    m_closeRequested = false;
    m_session = std::make_unique<management::DeclarationFormSession>(
        m_context.services, management::DeclarationFormArguments::fromList(mode, arguments));
    m_context.form = &m_session->model();
    QObject::connect(&m_session->model(), &DeclarationFormModel::closeRequested, &m_session->model(),
                     [this] { m_closeRequested = true; });
    m_session->model().moduleFolder = m_moduleFolder;
    if (!m_session->load()) {
        // Not opened (another session holds the declaration): the script has no form.
        m_context.form = nullptr;
        m_session.reset();
    }
}

// --- Commands -------------------------------------------------------------------------------

void BatchRunner::cmdNew(const QString& rest) {
    if (!rest.isEmpty()) {
        throw ScriptError{QStringLiteral("new no lleva argumentos")};
    }
    openForm(0, {});
}

void BatchRunner::cmdOpen(const QString& rest) {
    const QStringList args = words(rest);
    if (args.isEmpty() || args.size() > 2) {
        throw ScriptError{QStringLiteral("open espera un RUC y, para una versión enviada, su correlativo")};
    }
    const QString ruc = args.at(0);
    if (args.size() == 2) {
        // A sent version is the taxpayer's as much as its declaration: another user's is a
        // script error, as its declaration is.
        if (!app::userSeesTaxpayer(m_db, m_userKind, m_settings.sysUser, ruc)) {
            throw ScriptError{app::taxpayerRefusedText(ruc, m_settings.sysUser)};
        }
        const auto version = management::SentDeclarationList::versionArguments(
            m_db, {ruc, m_settings.periodo, m_settings.formulario}, args.at(1));
        if (!version) {
            throw ScriptError{QStringLiteral("no hay una versión enviada %2 de %1").arg(ruc, args.at(1))};
        }
        openForm(1, *version);
        return;
    }
    QSqlQuery found = m_db.run(
        QStringLiteral("SELECT B.NOMBRE FROM CAB AS A, CONT AS B WHERE A.DOC_ID_D=B.DOC_ID_D AND A.TIP_DOC_D=6 AND "
                       "B.TIP_DOC_D=6 AND A.DOC_ID_D=? AND A.PERIODO=? AND A.FORMULARIO=?"),
        {ruc, m_settings.periodo, m_settings.formulario});
    if (!found.next()) {
        throw ScriptError{QStringLiteral("no hay una declaración registrada de %1").arg(ruc)};
    }
    if (!app::userSeesTaxpayer(m_db, m_userKind, m_settings.sysUser, ruc)) {
        throw ScriptError{app::taxpayerRefusedText(ruc, m_settings.sysUser)};
    }
    openForm(1, {ruc, found.value(0).toString().trimmed(), false});
}

void BatchRunner::cmdTaxpayer(const QString& rest) {
    const QStringList args = words(rest);
    if (args.size() != 1) {
        throw ScriptError{QStringLiteral("taxpayer espera un RUC")};
    }
    DeclarationFormModel& model = form();
    requireControl(kCmbRuc);
    const ControlState& state = model.control(kCmbRuc);
    const bool listed = std::any_of(state.items.cbegin(), state.items.cend(),
                                    [&](const ComboItem& item) { return item.code == args.at(0); });
    if (!listed) {
        throw ScriptError{QStringLiteral("el contribuyente %1 no está en %2").arg(args.at(0), kCmbRuc)};
    }
    if (!model.chooseCombo(kCmbRuc, args.at(0))) {
        refused(kCmbRuc);
    }
}

int BatchRunner::boxNumber(const QString& argument) {
    const int n = integerArgument(argument, QStringLiteral("la casilla"));
    if (!form().hasBox(n)) {
        throw ScriptError{QStringLiteral("no existe la casilla txtValor(%1)").arg(n)};
    }
    return n;
}

// Entering a box with the keyboard selects its text, so the typed text replaces it.
void BatchRunner::cmdType(const QString& rest) {
    const QStringList args = splitArguments(rest, 2);
    if (args.size() != 2) {
        throw ScriptError{QStringLiteral("type espera una casilla y un texto")};
    }
    DeclarationFormModel& model = form();
    const int n = boxNumber(args.at(0));
    const QString name = QStringLiteral("txtValor(%1)").arg(n);
    if (!model.box(n).enabled || model.box(n).locked) {
        refused(name);
        return;
    }
    model.focusIn(n);
    model.setText(n, QString());
    for (const QChar key : args.at(1)) {
        if (model.typeKey(n, key) == KeyResult::Refused) {
            refused(name);
            break;
        }
    }
    model.focusOut(n);
}

void BatchRunner::cmdClear(const QString& rest) {
    const QStringList args = words(rest);
    if (args.size() != 1) {
        throw ScriptError{QStringLiteral("clear espera una casilla")};
    }
    DeclarationFormModel& model = form();
    const int n = boxNumber(args.at(0));
    if (!model.box(n).enabled || model.box(n).locked) {
        refused(QStringLiteral("txtValor(%1)").arg(n));
        return;
    }
    model.focusIn(n);
    if (!model.box(n).text.isEmpty()) {
        model.setText(n, QString());
        model.dirty = true;
    }
    model.focusOut(n);
}

void BatchRunner::cmdText(const QString& rest) {
    const QStringList args = splitArguments(rest, 2);
    if (args.size() != 2) {
        throw ScriptError{QStringLiteral("text espera un control y un texto")};
    }
    DeclarationFormModel& model = form();
    const QString& name = args.at(0);
    if (name == kChequeNumber) {
        if (!payment::typeCheque(model, args.at(1))) {
            refused(name);
        }
        return;
    }
    requireControl(name);
    const ControlKind kind = model.controlDef(name).kind;
    if (kind != ControlKind::TextBox && kind != ControlKind::DateBox) {
        throw ScriptError{QStringLiteral("%1 no es un cuadro de texto").arg(name)};
    }
    if (!model.control(name).enabled) {
        refused(name);
        return;
    }
    model.setControlText(name, QString());
    for (const QChar key : args.at(1)) {
        if (model.typeControlKey(name, key) == KeyResult::Refused) {
            refused(name);
            break;
        }
    }
}

void BatchRunner::cmdClick(const QString& rest) {
    const QStringList args = words(rest);
    if (args.isEmpty() || args.size() > 2) {
        throw ScriptError{QStringLiteral("click espera un control y, si es un arreglo, un índice")};
    }
    DeclarationFormModel& model = form();
    const QString& name = args.at(0);
    // A click on a casilla box: an assistant box opens its detail window (its result queued
    // with `window`), as the mouse does.
    static const QRegularExpression boxName(QStringLiteral("^txtValor\\((\\d+)\\)$"));
    if (const auto match = boxName.match(name); match.hasMatch()) {
        if (args.size() != 1) {
            throw ScriptError{QStringLiteral("%1 no es un arreglo").arg(name)};
        }
        const int n = boxNumber(match.captured(1));
        if (!model.box(n).enabled || !model.clickBox(n)) {
            refused(name);
        }
        return;
    }
    // The payment control's kind of payment: cash or cheque.
    if (name == declaration::controls::kCash || name == declaration::controls::kCheque) {
        if (!payment::chooseKind(model, name == declaration::controls::kCash ? payment::kCash : payment::kCheque)) {
            refused(name);
        }
        return;
    }
    requireControl(name);
    const ControlDef& def = model.controlDef(name);
    const bool indexed = def.kind == ControlKind::OptionGroup || def.kind == ControlKind::CheckArray;
    if (indexed && args.size() != 2) {
        throw ScriptError{QStringLiteral("%1 necesita el índice del botón").arg(name)};
    }
    int index = args.size() == 2 ? integerArgument(args.at(1), QStringLiteral("el índice")) : -1;
    if (args.size() == 2 && index < 0) {
        throw ScriptError{QStringLiteral("%1 no tiene el índice %2").arg(name).arg(index)};
    }
    if (def.kind == ControlKind::CommandArray && index < 0) {
        index = 0;
    }
    if (index >= 0 && def.kind != ControlKind::CheckBox && !def.members.contains(index)) {
        throw ScriptError{QStringLiteral("%1 no tiene el índice %2").arg(name).arg(index)};
    }
    bool done = false;
    switch (def.kind) {
    case ControlKind::OptionGroup:
        done = model.clickOption(name, index);
        break;
    case ControlKind::CheckBox:
        if (index >= 0) {
            throw ScriptError{QStringLiteral("%1 no es un arreglo").arg(name)};
        }
        done = model.clickCheck(name);
        break;
    case ControlKind::CheckArray:
        done = model.clickCheck(name, index);
        break;
    case ControlKind::CommandArray:
        done = model.clickCommand(name, index);
        break;
    default:
        throw ScriptError{QStringLiteral("%1 no es un botón ni una casilla de verificación").arg(name)};
    }
    if (!done) {
        refused(name);
    }
}

void BatchRunner::cmdChoose(const QString& rest) {
    const QStringList args = splitArguments(rest, 2);
    if (args.size() != 2) {
        throw ScriptError{QStringLiteral("choose espera una lista y un código")};
    }
    DeclarationFormModel& model = form();
    const QString& name = args.at(0);
    if (name == kBank) {
        if (!payment::chooseBank(model, m_db, args.at(1))) {
            refused(name);
        }
        return;
    }
    requireControl(name);
    if (model.controlDef(name).kind != ControlKind::ComboBox) {
        throw ScriptError{QStringLiteral("%1 no es una lista").arg(name)};
    }
    const ControlState& state = model.control(name);
    const bool listed = std::any_of(state.items.cbegin(), state.items.cend(),
                                    [&](const ComboItem& item) { return item.code == args.at(1); });
    if (!listed) {
        throw ScriptError{QStringLiteral("%1 no tiene el código %2").arg(name, args.at(1))};
    }
    if (!model.chooseCombo(name, args.at(1))) {
        refused(name);
    }
}

void BatchRunner::cmdPage(const QString& rest) {
    const QStringList args = words(rest);
    if (args.size() != 1) {
        throw ScriptError{QStringLiteral("page espera el índice de una página")};
    }
    DeclarationFormModel& model = form();
    const int index = integerArgument(args.at(0), QStringLiteral("la página"));
    const QList<const PageDef*> pages = FormPages::pagesOf(QStringLiteral("SSTab1"));
    if (index < 0 || index >= pages.size()) {
        throw ScriptError{QStringLiteral("SSTab1 no tiene la página %1").arg(index)};
    }
    model.selectPage(pages.at(index)->id);
}

void BatchRunner::cmdAnswer(const QString& rest) {
    const auto button = BatchPrompter::buttonNamed(rest.trimmed());
    if (!button) {
        throw ScriptError{QStringLiteral("respuesta desconocida: %1 (Si, No, Cancelar o Aceptar)").arg(rest.trimmed())};
    }
    m_prompter.queue(*button);
}

void BatchRunner::cmdShow(const QString& rest) {
    DeclarationFormModel& model = form();
    const QStringList args = words(rest);
    if (args.isEmpty()) {
        throw ScriptError{QStringLiteral("show espera casillas o all")};
    }
    if (args.size() == 1 && args.at(0) == QStringLiteral("all")) {
        for (const CasillaDef* def : model.casillas().boxes()) {
            printBox(def->number);
        }
        return;
    }
    QList<int> numbers;
    for (const QString& argument : args) {
        numbers.append(boxNumber(argument)); // every argument is checked before anything prints
    }
    for (const int n : numbers) {
        printBox(n);
    }
}

// The formula of a casilla with its live values, then each casilla it reads as its box shows it.
void BatchRunner::cmdExplain(const QString& rest) {
    const QStringList args = words(rest);
    if (args.size() != 1) {
        throw ScriptError{QStringLiteral("explain espera una casilla")};
    }
    DeclarationFormModel& model = form();
    const int n = integerArgument(args.at(0), QStringLiteral("la casilla"));
    if (!model.hasBox(n) && model.casillas().find(n) == nullptr) {
        throw ScriptError{QStringLiteral("no existe la casilla %1").arg(n)};
    }
    const CasillaExplanation explanation = m_session->explanations().explain(n);
    m_out << "explain " << explanation.line() << '\n';
    for (const int input : explanation.inputs) {
        m_out << "from " << input << " = " << quoted(m_session->explanations().shownText(input)) << '\n';
    }
    for (const QString& row : explanation.rows) {
        m_out << "row " << row << '\n';
    }
}

void BatchRunner::cmdUndo(const QString& command, const QString& rest) {
    if (!words(rest).isEmpty()) {
        throw ScriptError{QStringLiteral("%1 no lleva argumentos").arg(command)};
    }
    form();
    FormHistory& history = m_session->history();
    const bool done = command == QStringLiteral("undo") ? history.undo() : history.redo();
    if (!done) {
        m_out << command << " none\n";
    }
}

void BatchRunner::printBox(int n) {
    const BoxState& box = form().box(n);
    m_out << "txtValor(" << n << ") = " << quoted(box.text) << ' ' << enabledWord(box.enabled) << ' '
          << (box.locked ? "locked" : "unlocked") << '\n';
}

void BatchRunner::cmdState(const QString& rest) {
    const QStringList args = words(rest);
    if (args.size() != 1) {
        throw ScriptError{QStringLiteral("state espera un control")};
    }
    DeclarationFormModel& model = form();
    const QString& name = args.at(0);
    requireControl(name);
    const ControlDef& def = model.controlDef(name);
    const ControlState& state = model.control(name);
    QString value;
    switch (def.kind) {
    case ControlKind::OptionGroup:
        value = state.value < 0 ? QStringLiteral("-") : QString::number(state.value);
        break;
    case ControlKind::CheckBox:
        value = QString::number(state.value);
        break;
    case ControlKind::CheckArray: {
        QStringList members;
        for (auto it = def.members.cbegin(); it != def.members.cend(); ++it) {
            members.append(QStringLiteral("%1:%2").arg(it.key()).arg(state.memberValues.value(it.key(), 0)));
        }
        value = members.join(QLatin1Char(' '));
        break;
    }
    case ControlKind::ComboBox:
        value = quoted(model.comboCode(name));
        break;
    case ControlKind::TextBox:
    case ControlKind::DateBox:
        value = quoted(state.text);
        break;
    case ControlKind::Label:
        value = quoted(def.query.isEmpty() ? model.controlCaption(name)
                                           : model.controlCaption(name) + QLatin1Char(' ') + model.labelTotal(name));
        break;
    case ControlKind::CommandArray: {
        QStringList members;
        for (auto it = def.members.cbegin(); it != def.members.cend(); ++it) {
            if (state.memberEnabled.value(it.key(), true)) {
                members.append(QString::number(it.key()));
            }
        }
        value = QLatin1Char('{') + members.join(QLatin1Char(',')) + QLatin1Char('}');
        break;
    }
    case ControlKind::Grid: {
        // The rows the grid shows: its statement on the working table.
        const QVariant rows =
            def.query.isEmpty()
                ? QVariant(0)
                : m_db.scalar(QStringLiteral("SELECT count(*) FROM (") + def.query + QStringLiteral(") AS grid"));
        value = QString::number(rows.toInt());
        break;
    }
    }
    m_out << name << " = " << value << ' ' << enabledWord(state.enabled) << '\n';
}

// The form's own commands run through the command buttons once a rule handles them.
// The report window of an inconsistent declaration runs for the script only with `validate
// window`; a plain `validate` goes on past it, as it always has.
void BatchRunner::cmdValidate(const QString& rest) {
    if (rest == QStringLiteral("window")) {
        m_opener.releaseOnce(ValidateCommand::kReportWindow);
    } else if (!rest.isEmpty()) {
        throw ScriptError{QStringLiteral("validate solo admite el argumento window")};
    }
    cmdFormCommand(QStringLiteral("validate"), declaration::controls::kValidate);
}

void BatchRunner::cmdFormCommand(const QString& command, const QString& control) {
    DeclarationFormModel& model = form();
    if (!model.hasControl(control) || !model.hasControlHandler(control)) {
        m_out << command << ": no disponible todavía\n";
        return;
    }
    if (!model.clickCommand(control, 0)) {
        refused(control);
        return;
    }
    // What the report window would show.
    if (control == declaration::controls::kValidate && model.inconsistencyFlag == 1) {
        printReport(ConsistencyCheck::readReport(ConsistencyCheck::reportPath(model)));
    }
}

// --- The inconsistency report ---------------------------------------------------------------

// The consistency check of the whole declaration, without the validate command's warnings and
// windows: the lines of its report.
void BatchRunner::cmdReport(const QString& rest) {
    if (!rest.isEmpty()) {
        throw ScriptError{QStringLiteral("report no lleva argumentos")};
    }
    form();
    printReport(m_session->validation().report());
}

void BatchRunner::printReport(const QStringList& lines) {
    for (int i = 0; i < lines.size(); ++i) {
        m_out << "report " << (i + 1) << ". " << BatchPrompter::oneLine(lines.at(i)) << '\n';
    }
    m_out << "report total " << lines.size() << '\n';
}

void BatchRunner::cmdWindow(const QString& rest) {
    const QStringList args = splitArguments(rest, 2);
    if (args.isEmpty()) {
        throw ScriptError{QStringLiteral("window espera el nombre de una ventana y su resultado")};
    }
    m_opener.queue(args.at(0), args.value(1));
}

void BatchRunner::requireControl(const QString& name) {
    if (!form().hasControl(name)) {
        throw ScriptError{QStringLiteral("no existe el control %1").arg(name)};
    }
}

void BatchRunner::refused(const QString& name) {
    m_out << "refused " << name << '\n';
}

// --- Grids, controls, menus and what the script queues ---------------------------------------

app::GridSource& BatchRunner::gridNamed(const QString& name) {
    app::GridSource* grid = nullptr;
    if (app::ScriptableWindow* window = current()) {
        grid = window->grid(name);
    } else {
        grid = form().grids.value(name);
    }
    if (grid == nullptr) {
        throw ScriptError{QStringLiteral("no existe la cuadrícula %1").arg(name)};
    }
    return *grid;
}

void BatchRunner::cmdSelect(const QString& rest) {
    const QStringList args = words(rest);
    if (args.size() != 2) {
        throw ScriptError{QStringLiteral("select espera una cuadrícula y una fila")};
    }
    app::GridSource& grid = gridNamed(args.at(0));
    const int row = integerArgument(args.at(1), QStringLiteral("la fila"));
    if (row < 1 || row > grid.rowCount()) {
        throw ScriptError{
            QStringLiteral("%1 no tiene la fila %2 (tiene %3)").arg(args.at(0)).arg(row).arg(grid.rowCount())};
    }
    grid.setCurrentRow(row - 1);
}

void BatchRunner::cmdRows(const QString& rest) {
    const QStringList args = words(rest);
    if (args.size() != 1) {
        throw ScriptError{QStringLiteral("rows espera una cuadrícula")};
    }
    const app::GridSource& grid = gridNamed(args.at(0));
    for (int row = 0; row < grid.rowCount(); ++row) {
        m_out << "row " << (row + 1) << ": " << BatchPrompter::oneLine(grid.rowTexts(row).join(QStringLiteral(" | ")))
              << '\n';
    }
    m_out << "rows " << args.at(0) << " total " << grid.rowCount() << '\n';
}

namespace {

QString kindWord(ControlKind kind) {
    switch (kind) {
    case ControlKind::TextBox:
        return QStringLiteral("text");
    case ControlKind::DateBox:
        return QStringLiteral("date");
    case ControlKind::ComboBox:
        return QStringLiteral("combo");
    case ControlKind::OptionGroup:
        return QStringLiteral("option");
    case ControlKind::CheckBox:
    case ControlKind::CheckArray:
        return QStringLiteral("check");
    case ControlKind::CommandArray:
        return QStringLiteral("command");
    case ControlKind::Grid:
        return QStringLiteral("grid");
    case ControlKind::Label:
        return QStringLiteral("label");
    }
    return QStringLiteral("label");
}

} // namespace

void BatchRunner::cmdControls(const QString& rest) {
    if (!rest.isEmpty()) {
        throw ScriptError{QStringLiteral("controls no lleva argumentos")};
    }
    if (const app::ScriptableWindow* window = current()) {
        for (const app::ControlInfo& control : window->controls()) {
            m_out << "control " << control.name << ' ' << control.kind << '\n';
        }
        return;
    }
    DeclarationFormModel& model = form();
    for (const ControlDef& def : FormControls::instance().all()) {
        if (model.hasControl(def.name)) {
            m_out << "control " << def.name << ' ' << kindWord(def.kind) << '\n';
        }
    }
    for (const CasillaDef* def : model.casillas().boxes()) {
        m_out << "control txtValor(" << def->number << ") casilla\n";
    }
}

void BatchRunner::cmdCell(const QString& rest) {
    const QStringList args = splitArguments(rest, 4);
    if (args.size() < 3) {
        throw ScriptError{QStringLiteral("cell espera una cuadrícula, una fila, una columna y un texto")};
    }
    app::ScriptableWindow* window = current();
    if (window == nullptr) {
        throw ScriptError{QStringLiteral("las cuadrículas del formulario no se editan por celdas")};
    }
    const int row = integerArgument(args.at(1), QStringLiteral("la fila"));
    if (!window->cell(args.at(0), row, args.at(2), args.value(3))) {
        refused(QStringLiteral("%1(%2,%3)").arg(args.at(0)).arg(row).arg(args.at(2)));
    }
}

void BatchRunner::cmdMenu(const QString& rest) {
    const QStringList args = words(rest);
    if (args.size() != 1) {
        throw ScriptError{QStringLiteral("menu espera el nombre de un menú")};
    }
    const BatchWindows::MenuFactory* factory = m_windows.menu(args.at(0));
    if (factory == nullptr) {
        throw ScriptError{QStringLiteral("no existe la orden de menú %1").arg(args.at(0))};
    }
    std::unique_ptr<app::ScriptableWindow> window = (*factory)(m_context);
    if (!window) {
        m_out << "menu " << args.at(0) << '\n';
        return;
    }
    m_out << "menu " << args.at(0) << " -> " << window->name() << '\n';
    runWindow(std::move(window));
}

void BatchRunner::cmdFile(const QString& rest) {
    if (rest.isEmpty()) {
        throw ScriptError{QStringLiteral("file espera la ruta de un archivo o carpeta")};
    }
    m_files.queue(rest);
}

void BatchRunner::cmdPdf(const QString& rest) {
    if (rest.isEmpty()) {
        throw ScriptError{QStringLiteral("pdf espera la ruta del archivo PDF")};
    }
    m_context.queuePdf(rest);
}

void BatchRunner::cmdToday(const QString& rest) {
    const QStringList args = words(rest);
    const QDate date = QDate::fromString(args.value(0), QStringLiteral("dd/MM/yyyy"));
    const QTime time = args.size() > 1 ? QTime::fromString(args.at(1), QStringLiteral("HH:mm:ss")) : QTime(0, 0);
    if (args.isEmpty() || args.size() > 2 || !date.isValid() || !time.isValid()) {
        throw ScriptError{QStringLiteral("today espera una fecha dd/mm/aaaa y, si se quiere, la hora hh:mm:ss")};
    }
    m_clock.fix(QDateTime(date, time));
}

// --- The same commands on a window ----------------------------------------------------------

void BatchRunner::windowText(app::ScriptableWindow& window, const QString& rest) {
    const QStringList args = splitArguments(rest, 2);
    if (args.isEmpty()) {
        throw ScriptError{QStringLiteral("text espera un control y un texto")};
    }
    if (!window.text(args.at(0), args.value(1))) {
        refused(args.at(0));
    }
}

void BatchRunner::windowType(app::ScriptableWindow& window, const QString& rest) {
    const QStringList args = splitArguments(rest, 2);
    if (args.size() != 2) {
        throw ScriptError{QStringLiteral("type espera una casilla y un texto")};
    }
    const QString name = QStringLiteral("txtValor(%1)").arg(integerArgument(args.at(0), QStringLiteral("la casilla")));
    if (!window.text(name, args.at(1))) {
        refused(name);
    }
}

void BatchRunner::windowChoose(app::ScriptableWindow& window, const QString& rest) {
    const QStringList args = splitArguments(rest, 2);
    if (args.size() != 2) {
        throw ScriptError{QStringLiteral("choose espera una lista y un código")};
    }
    if (!window.choose(args.at(0), args.at(1))) {
        refused(args.at(0));
    }
}

void BatchRunner::windowClick(app::ScriptableWindow& window, const QString& rest) {
    const QStringList args = words(rest);
    if (args.isEmpty() || args.size() > 2) {
        throw ScriptError{QStringLiteral("click espera un control y, si es un arreglo, un índice")};
    }
    const int index = args.size() == 2 ? integerArgument(args.at(1), QStringLiteral("el índice")) : -1;
    if (args.size() == 2 && index < 0) {
        throw ScriptError{QStringLiteral("%1 no tiene el índice %2").arg(args.at(0)).arg(index)};
    }
    if (!window.click(args.at(0), index)) {
        refused(args.at(0));
    }
}

void BatchRunner::windowState(app::ScriptableWindow& window, const QString& rest) {
    const QStringList args = words(rest);
    if (args.size() != 1) {
        throw ScriptError{QStringLiteral("state espera un control")};
    }
    m_out << args.at(0) << " = " << window.state(args.at(0)) << '\n';
}

void BatchRunner::windowShow(app::ScriptableWindow& window, const QString& rest) {
    const QStringList args = words(rest);
    if (args.isEmpty()) {
        throw ScriptError{QStringLiteral("show espera controles o casillas")};
    }
    QStringList lines;
    for (const QString& argument : args) {
        bool number = false;
        const int n = argument.toInt(&number);
        const QString name = number ? QStringLiteral("txtValor(%1)").arg(n) : argument;
        lines.append(name + QStringLiteral(" = ") + window.state(name)); // all checked before anything prints
    }
    for (const QString& line : lines) {
        m_out << line << '\n';
    }
}

} // namespace qel::batch
