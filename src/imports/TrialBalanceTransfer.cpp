#include "imports/TrialBalanceTransfer.h"

#include "app/Clock.h"
#include "app/FileChooser.h"
#include "app/ProcessState.h"
#include "app/UtilityComponent.h"
#include "base/BoundedFile.h"
#include "base/Cp1252.h"
#include "base/Prompter.h"
#include "imports/ImportFile.h"
#include "imports/TrialBalanceTransferFile.h"
#include "store/Database.h"
#include "store/ExecuteSql.h"
#include "store/TransactionGuard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTextStream>

namespace qel::imports {

const QString TrialBalanceTransfer::kCaption = QStringLiteral("Transferencia del Balance de Comprobación");
const QString TrialBalanceTransfer::kSuccess = QStringLiteral("La importación fue satisfactoria.");

namespace {

const QString kFolderTitle = QStringLiteral("Seleccionar directorio");

using File = TrialBalanceTransferFile;
using Row = annexes::TrialBalanceRow;

const QString kTransferred = QStringLiteral("Registros Transferidos");
const QString kRejected = QStringLiteral("Registros Rechazados");

// A count as the window shows it, with the blank a positive number leads with.
QString counted(int count, const QString& what) {
    return QLatin1Char(' ') + QString::number(count) + QLatin1Char(' ') + what;
}

QString withSeparator(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')) ? folder : folder + QLatin1Char('/');
}

} // namespace

TrialBalanceTransfer::TrialBalanceTransfer(Setup setup) : m_setup(std::move(setup)) {
    resetCounters();
    // The folder last chosen for transfer files.
    if (m_setup.files != nullptr) {
        m_folder = m_setup.files->lastFolder(kFolderTitle);
    }
}

QString TrialBalanceTransfer::fileName() const {
    return File::fileName(m_setup.key.formulario, m_setup.key.ruc, m_setup.key.periodo);
}

QString TrialBalanceTransfer::inputPath() const {
    return QDir::toNativeSeparators(withSeparator(m_folder) + fileName());
}

QString TrialBalanceTransfer::reportPath() const {
    const QString base = m_setup.key.formulario + m_setup.key.ruc + m_setup.key.periodo;
    return QDir::toNativeSeparators(withSeparator(m_setup.reportFolder) + base + QStringLiteral(".Err"));
}

void TrialBalanceTransfer::resetCounters() {
    m_transferredText = QStringLiteral("0          ") + kTransferred;
    m_rejectedText = QStringLiteral("0          ") + kRejected;
    if (countersChanged) {
        countersChanged();
    }
}

void TrialBalanceTransfer::showCounters() {
    m_transferredText = counted(m_transferred, QStringLiteral("Transferidos"));
    m_rejectedText = counted(m_rejected, QStringLiteral("Rechazados"));
    if (countersChanged) {
        countersChanged();
    }
}

void TrialBalanceTransfer::cancel() {
    m_cancel = true;
    m_closed = true;
}

bool TrialBalanceTransfer::readInput(QStringList& lines) {
    app::Prompter& prompter = m_setup.prompter;
    if (m_folder.trimmed().isEmpty()) {
        prompter.message(QStringLiteral("Seleccionar directorio donde se encuentran") + QLatin1Char('\n') +
                             QStringLiteral("los archivos a transferir"),
                         QStringLiteral("Mensaje"), app::Icon::Information);
        return false;
    }
    QFile file(inputPath());
    if (!file.exists()) {
        prompter.message(
            QStringLiteral("En la ruta indicada, no se encuentra el archivo a transferir, verifique la ruta"),
            QStringLiteral("Error"), app::Icon::Critical);
        return false;
    }
    // Only a regular file of a transfer file's size is read, and only text it can decode.
    const app::BoundedRead read = app::readBoundedFile(inputPath(), ImportFile::kMaxBytes);
    if (read.status == app::BoundedRead::Status::Unreadable) {
        prompter.message(QStringLiteral("El archivo se encuentra abierto!!") + QLatin1Char('\n') +
                             QStringLiteral("Intente nuevamente por favor."),
                         kCaption, app::Icon::Critical);
        return false;
    }
    QString problem = read.problem(QStringLiteral("el archivo de transferencia"), inputPath(), ImportFile::kMaxBytes);
    if (problem.isEmpty()) {
        problem = app::decodeTextFile(read.bytes).problem(QStringLiteral("El archivo de transferencia ") + inputPath());
    }
    if (!problem.isEmpty()) {
        prompter.message(problem, QStringLiteral("Error en archivo a cargar"), app::Icon::Critical);
        return false;
    }
    lines = File::lines(read.bytes);
    return true;
}

bool TrialBalanceTransfer::transfer() {
    if (m_running || !app::UtilityComponent::MayTransfer()) {
        return false;
    }
    m_running = true;
    m_cancel = false;
    m_transferred = 0;
    m_rejected = 0;
    resetCounters();
    QStringList lines;
    QStringList report;
    Outcome outcome = Outcome::Stopped;
    if (readInput(lines)) {
        try {
            outcome = run(lines, report);
        } catch (const store::DatabaseError& e) {
            store::showDatabaseError(m_setup.prompter, e);
            outcome = Outcome::Stopped;
        }
    }
    m_running = false;
    if (outcome != Outcome::Done) {
        if (outcome == Outcome::Stopped) {
            m_transferred = 0;
            m_rejected = 0;
        }
        return false;
    }
    if (!writeReport(report)) {
        return false;
    }
    if (m_rejected > 0) {
        m_setup.prompter.message(QStringLiteral("El archivo ") + inputPath() +
                                     QStringLiteral(" tiene errores. Verifique los errores en: ") + reportPath(),
                                 kCaption, app::Icon::Critical);
        return false;
    }
    if (m_transferred == 0) {
        return false;
    }
    m_closed = true;
    m_setup.prompter.message(kSuccess, kCaption, app::Icon::Exclamation);
    return true;
}

// The chart's accounts are listed afresh with the amounts of the accepted lines, in one
// transaction: a file that stops on its structure, or a cancel, leaves the trial balance as it
// was. The lines are checked against the chart in memory; the rows are written once, at the end.
TrialBalanceTransfer::Outcome TrialBalanceTransfer::run(const QStringList& lines, QStringList& report) {
    store::TransactionGuard transaction(m_setup.db);
    annexes::TrialBalanceTable table(m_setup.db, m_setup.key, m_setup.plan);
    switch (File::structure(lines)) {
    case File::Structure::WrongFieldCount:
        m_setup.prompter.message(QStringLiteral("El archivo de importación no tiene el número de campos correctos"),
                                 kCaption, app::Icon::Critical);
        resetCounters();
        return Outcome::Stopped;
    case File::Structure::MissingTerminator:
        m_setup.prompter.message(QStringLiteral("Cada línea del archivo debe terminar con el separador |"),
                                 QStringLiteral("Error en archivo a cargar"), app::Icon::Critical);
        resetCounters();
        return Outcome::Stopped;
    case File::Structure::Sound:
        break;
    }

    const QHash<QString, annexes::TrialBalanceAccount> chart = table.chart();
    const File::AccountLookup classOf = [&chart](const QString& code) -> std::optional<Row::AccountClass> {
        const auto found = chart.constFind(code);
        return found == chart.cend() ? std::nullopt : std::optional<Row::AccountClass>(found->accountClass);
    };
    QHash<QString, QString> errorTexts;
    QHash<QString, annexes::TrialBalanceTable::Filled> filled;
    for (const QString& line : lines) {
        if (beforeLine) {
            beforeLine();
        }
        if (m_cancel) {
            return Outcome::Cancelled;
        }
        if (File::isBlank(line)) {
            continue;
        }
        File::Checked checked = File::check(line, classOf);
        if (checked.error.isEmpty() && filled.contains(checked.account)) {
            checked.error = File::kDuplicateAccount;
        }
        if (!checked.error.isEmpty()) {
            ++m_rejected;
            if (!errorTexts.contains(checked.error)) {
                errorTexts.insert(checked.error, app::DescribeError(m_setup.db, checked.error.toInt()));
            }
            report.append(checked.reported + QStringLiteral("      ") + errorTexts.value(checked.error));
        } else {
            ++m_transferred;
            annexes::TrialBalanceTable::Filled row{checked.row.derive(checked.accountClass), {}};
            // A result account keeps its opening balance columns empty.
            if (checked.accountClass == Row::AccountClass::Result) {
                row.empty = {Row::SaldosIniD, Row::SaldosIniH};
            }
            filled.insert(checked.account, row);
        }
        showCounters();
    }
    table.rebuild(filled);
    transaction.commit();
    return Outcome::Done;
}

QStringList TrialBalanceTransfer::reportHeader() {
    const QDateTime now = m_setup.clock.now();
    const QString name =
        m_setup.db.scalar(QStringLiteral("SELECT NOMBRE FROM CONT WHERE TIP_DOC_D=6 AND DOC_ID_D=?"), {m_setup.key.ruc})
            .toString()
            .trimmed();
    return {QStringLiteral("QEL Renta ") + m_setup.key.periodo,
            QStringLiteral("ERRORES DE IMPORTACION - BALANCE DE COMPROBACION"),
            QStringLiteral("Fecha : ") + now.toString(QStringLiteral("dd/MM/yyyy")),
            QStringLiteral("Hora  : ") + now.toString(QStringLiteral("HH:mm:ss")),
            QStringLiteral("CONTRIBUYENTE:  ") + m_setup.key.ruc + QStringLiteral(" - ") + name,
            QString(),
            QStringLiteral("Cuenta   Descripcion del Error"),
            QString()};
}

// The report exists only when a line was rejected; a clean transfer removes an old one.
bool TrialBalanceTransfer::writeReport(const QStringList& lines) {
    QFile file(QDir::fromNativeSeparators(reportPath()));
    if (lines.isEmpty()) {
        file.remove();
        return true;
    }
    QDir().mkpath(QFileInfo(file).absolutePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        m_setup.prompter.message(QStringLiteral("No se pudo crear el archivo ") + reportPath(), kCaption,
                                 app::Icon::Critical);
        return false;
    }
    QTextStream out(&file);
    for (const QString& line : reportHeader() + lines) {
        out << line << '\n';
    }
    return true;
}

bool TrialBalanceTransfer::chooseFolder() {
    if (m_setup.files == nullptr) {
        return false;
    }
    const std::optional<QString> chosen =
        m_setup.files->folder(kFolderTitle, m_folder.isEmpty() ? m_setup.startFolder : m_folder);
    if (!chosen || chosen->isEmpty()) {
        return false;
    }
    m_folder = *chosen;
    return true;
}

QList<app::DeclaredControl> TrialBalanceTransfer::declaredControls() {
    const auto quoted = [](const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); };
    QList<app::DeclaredControl> controls;
    app::DeclaredControl folder(QStringLiteral("Dir1"), QStringLiteral("label"));
    folder.state = [this, quoted] { return quoted(QDir::toNativeSeparators(m_folder)); };
    controls.append(folder);
    app::DeclaredControl file(QStringLiteral("File1"), QStringLiteral("label"));
    file.state = [this, quoted] {
        const bool present = !m_folder.isEmpty() && QDir(m_folder).exists(fileName());
        return quoted(present ? fileName() : QString());
    };
    controls.append(file);
    app::DeclaredControl transferred(QStringLiteral("lblTransferidos"), QStringLiteral("label"));
    transferred.state = [this, quoted] { return quoted(m_transferredText); };
    controls.append(transferred);
    app::DeclaredControl rejected(QStringLiteral("lblRechazados"), QStringLiteral("label"));
    rejected.state = [this, quoted] { return quoted(m_rejectedText); };
    controls.append(rejected);

    // The buttons are locked while a transfer runs.
    const auto button = [this, &controls](const QString& name, std::function<bool()> press) {
        app::DeclaredControl command(name, QStringLiteral("command"));
        command.click = [press = std::move(press)](int) { return press(); };
        command.state = [this] { return m_running ? QStringLiteral("{}") : QStringLiteral("{0}"); };
        controls.append(command);
    };
    button(QStringLiteral("cmdDirectorio"), [this] { return chooseFolder(); });
    button(QStringLiteral("cmdTransferir"), [this] {
        transfer();
        return true;
    });
    button(QStringLiteral("cmCancelar"), [this] {
        cancel();
        return true;
    });
    return controls;
}

} // namespace qel::imports
