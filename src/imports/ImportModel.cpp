#include "imports/ImportModel.h"

#include "app/Clock.h"
#include "app/FileChooser.h"
#include "app/FormOpener.h"
#include "base/BoundedFile.h"
#include "base/Prompter.h"
#include "imports/ImportFile.h"
#include "imports/SpreadsheetReader.h"
#include "printing/PreviewModel.h"
#include "printing/ReportWriter.h"
#include "printing/SpoolRegistry.h"
#include "store/DatabaseError.h"

#include <QDir>
#include <QFile>
#include <algorithm>

namespace qel::imports {

const QString ImportModel::kNoFileChosen = QStringLiteral("Debe seleccionar el archivo a importar");
const QString ImportModel::kNoFilesInFolder = QStringLiteral("En el directorio no existen archivos a importar.");
const QString ImportModel::kFolderBox = QStringLiteral("txtCarpeta");
const QString ImportModel::kFiles = QStringLiteral("lstArchivos");
const QString ImportModel::kPreview = QStringLiteral("grdVistaPrevia");

namespace {

const QString kChooseFolder = QStringLiteral("cmdCarpeta");
const QString kTransfer = QStringLiteral("cmdTransferir");
const QString kAccept = QStringLiteral("cmdAceptar");
const QString kCancel = QStringLiteral("cmdCancelar");
const QString kCounters[] = {QStringLiteral("lblAdicionados"), QStringLiteral("lblRechazados"),
                             QStringLiteral("lblModificados")};

QString actionWord(ImportOutcome::Action action) {
    switch (action) {
    case ImportOutcome::Action::Added:
        return QStringLiteral("Adicionar");
    case ImportOutcome::Action::Modified:
        return QStringLiteral("Modificar");
    case ImportOutcome::Action::Rejected:
        return QStringLiteral("Rechazar");
    }
    return {};
}

// A report line that would run past the page goes on below, under the start of its message.
QStringList wrapped(const QString& identity, const QString& message, int width) {
    const int room = std::max(20, width - static_cast<int>(identity.size()));
    QStringList lines;
    QString current;
    for (const QString& word : message.split(QLatin1Char(' '))) {
        if (!current.isEmpty() && current.size() + 1 + word.size() > room) {
            lines.append(current);
            current.clear();
        }
        current += (current.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    lines.append(current);
    for (int i = 0; i < lines.size(); ++i) {
        lines[i] = (i == 0 ? identity : QString(identity.size(), QLatin1Char(' '))) + lines.at(i);
    }
    return lines;
}

QString quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

const ImportKind* ImportModel::kindFor(const app::FormRequest& request) {
    if (request.name.compare(QStringLiteral("frmImportarSocios"), Qt::CaseInsensitive) == 0) {
        return ImportKinds::byCode(QStringLiteral("SOCIOS"));
    }
    if (request.name.compare(QStringLiteral("frmImportarCasEF"), Qt::CaseInsensitive) == 0) {
        return ImportKinds::byCode(QStringLiteral("CASEF"));
    }
    if (request.name.compare(QStringLiteral("frmImportarU41"), Qt::CaseInsensitive) == 0) {
        return ImportKinds::byCode(QStringLiteral("U41"));
    }
    const ImportKind* kind = ImportKinds::byCode(request.code);
    return kind != nullptr && kind->window.compare(request.name, Qt::CaseInsensitive) == 0 ? kind : nullptr;
}

ImportModel::ImportModel(ImportServices services, const ImportKind& kind, app::FormRequest request)
    : m_services(std::move(services)), m_kind(kind), m_request(std::move(request)) {
    // The window opens on the folder last chosen for this kind of file, without a word when
    // it holds none of them now.
    if (m_services.files != nullptr) {
        const QString last = m_services.files->lastFolder(caption());
        if (!last.isEmpty() && QDir(last).exists()) {
            showFolder(last, false);
        }
    }
}

QString ImportModel::casilla() const {
    return m_request.casilla ? QString::number(*m_request.casilla) : QString();
}

QString ImportModel::caption() const {
    return QStringLiteral("Importar ") + m_kind.name +
           (m_kind.casillaInName ? QStringLiteral(" - Casilla ") + casilla() : QString());
}

void ImportModel::setFolder(const QString& folder) {
    showFolder(folder, true);
}

void ImportModel::showFolder(const QString& folder, bool sayWhenEmpty) {
    m_folder = folder;
    m_files.clear();
    m_chosen = -1;
    forgetRun();
    const QString ruc = m_request.key ? m_request.key->ruc : QString();
    const QString formulario = m_request.key ? m_request.key->formulario : QString();
    const QStringList wanted{m_kind.textFileName(formulario, ruc, casilla()),
                             m_kind.sheetFileName(formulario, ruc, casilla())};
    for (const QString& entry : QDir(folder).entryList(QDir::Files, QDir::Name)) {
        if (wanted.contains(entry, Qt::CaseInsensitive)) {
            m_files.append(entry);
        }
    }
    if (m_files.isEmpty()) {
        if (sayWhenEmpty) {
            m_services.prompter.message(kNoFilesInFolder, caption(), app::Icon::Information);
        }
    } else {
        m_chosen = 0;
    }
    emit changed();
}

void ImportModel::chooseFolder() {
    if (m_services.files == nullptr) {
        return;
    }
    if (const std::optional<QString> folder = m_services.files->folder(caption(), m_folder)) {
        setFolder(*folder);
    }
}

void ImportModel::chooseFile(int index) {
    m_chosen = index >= 0 && index < m_files.size() ? index : -1;
    forgetRun();
    emit changed();
}

std::optional<QByteArray> ImportModel::readChosen() {
    const QString path = QDir(m_folder).filePath(m_files.at(m_chosen));
    if (path.endsWith(QStringLiteral("XLS"), Qt::CaseInsensitive)) {
        const SpreadsheetReader::Result sheet =
            SpreadsheetReader::read(path, SheetRange::parse(m_kind.sheetRange).value_or(SheetRange{}));
        if (!sheet.error.isEmpty()) {
            m_services.prompter.message(sheet.error, caption(), app::Icon::Critical);
            return std::nullopt;
        }
        return sheet.lines;
    }
    // Only a regular file of an import's size: a FIFO or a device is refused at once.
    const app::BoundedRead file = app::readBoundedFile(path, ImportFile::kMaxBytes);
    if (!file.ok()) {
        m_services.prompter.message(
            file.problem(QStringLiteral("el archivo de importación"), path, ImportFile::kMaxBytes), caption(),
            app::Icon::Critical);
        return std::nullopt;
    }
    return file.bytes;
}

ImportResult ImportModel::runImport(const QByteArray& bytes, bool write) {
    Importer importer({m_services.db, m_request.key.value_or(store::DeclarationKey{}), m_services.utility, casilla()},
                      m_kind);
    return importer.run(bytes, write);
}

bool ImportModel::transfer() {
    if (m_chosen < 0) {
        m_services.prompter.message(kNoFileChosen, caption(), app::Icon::Information);
        return false;
    }
    forgetRun();
    emit changed();
    m_pendingBytes = readChosen();
    if (!m_pendingBytes) {
        return false;
    }
    try {
        ImportResult preview = runImport(*m_pendingBytes, false);
        if (!preview.stop.isEmpty()) {
            m_services.prompter.message(preview.stop, caption(), app::Icon::Critical);
            return false;
        }
        m_pending = std::move(preview);
    } catch (const store::DatabaseError& error) {
        m_services.prompter.message(error.text(), caption(), app::Icon::Critical);
        return false;
    }
    m_previewRow = m_pending->outcomes.isEmpty() ? -1 : 0;
    emit changed();
    return true;
}

bool ImportModel::accept() {
    if (!m_pending || !m_pendingBytes) {
        return transfer() && accept();
    }
    ImportResult result;
    try {
        result = runImport(*m_pendingBytes, true);
    } catch (const store::DatabaseError& error) {
        m_services.prompter.message(error.text(), caption(), app::Icon::Critical);
        return false;
    }
    m_pending.reset();
    m_pendingBytes.reset();
    m_counters = result.counters();
    m_written = result;
    m_previewRow = m_written->outcomes.isEmpty() ? -1 : 0;
    emit changed();
    if (!result.limitStop.isEmpty()) {
        m_services.prompter.message(result.limitStop, caption(), app::Icon::Exclamation);
    }
    if (result.clean()) {
        m_services.prompter.message(m_kind.satisfied, caption(), app::Icon::Information);
    } else {
        writeReport(result);
    }
    return true;
}

// The rejected and replaced records in a report of the spool, shown in the preview.
void ImportModel::writeReport(const ImportResult& result) {
    const QString ruc = m_request.key ? m_request.key->ruc : QString();
    printing::ReportWriter writer(m_services.clock.now(), printing::ReportWriter::kDefaultWidth,
                                  printing::ReportWriter::kStandardHeader);
    writer.setTitleBlock({m_kind.title(casilla()), QStringLiteral("RUC : ") + ruc});
    writer.setColumnHeadings({m_kind.heading});
    writer.start();
    for (const ImportOutcome& outcome : result.outcomes) {
        if (outcome.action == ImportOutcome::Action::Added) {
            continue;
        }
        for (const QString& line :
             wrapped(outcome.identity, outcome.message, writer.width() - printing::ReportWriter::kLineColumn)) {
            writer.line(line);
        }
    }
    try {
        printing::SpoolRegistry spool(m_services.db, m_services.spoolFolder);
        const printing::SpoolEntry entry =
            spool.allocate(m_kind.reportCode, m_services.sysUser, ruc, m_services.clock.today());
        QString why;
        if (!printing::SpoolRegistry::save(entry, writer.fileText(), &why)) {
            m_services.prompter.message(why, caption(), app::Icon::Critical);
            return;
        }
        app::FormRequest preview;
        preview.name = printing::PreviewModel::kWindowName;
        preview.code = entry.path;
        preview.key = m_request.key;
        m_services.opener.open(preview);
    } catch (const store::DatabaseError& error) {
        m_services.prompter.message(error.text(), caption(), app::Icon::Critical);
    }
}

void ImportModel::forgetRun() {
    m_pending.reset();
    m_written.reset();
    m_counters.clear();
    m_previewRow = -1;
}

const ImportResult* ImportModel::shown() const {
    if (m_pending) {
        return &*m_pending;
    }
    return m_written ? &*m_written : nullptr;
}

int ImportModel::previewRowCount() const {
    const ImportResult* result = shown();
    return result != nullptr ? static_cast<int>(result->outcomes.size()) : 0;
}

QStringList ImportModel::previewRow(int row) const {
    const ImportResult* result = shown();
    if (result == nullptr || row < 0 || row >= result->outcomes.size()) {
        return {};
    }
    const ImportOutcome& outcome = result->outcomes.at(row);
    return {QString::number(outcome.line), actionWord(outcome.action), outcome.identity.simplified(), outcome.message};
}

// --- What a script drives ---------------------------------------------------------------------

QList<app::DeclaredControl> ImportModel::declaredControls() {
    QList<app::DeclaredControl> controls;
    app::DeclaredControl folder(kFolderBox, QStringLiteral("text"));
    folder.type = [this](const QString& value) {
        setFolder(value);
        return true;
    };
    folder.state = [this] { return quoted(m_folder); };
    controls.append(folder);

    app::DeclaredControl chooser(kChooseFolder, QStringLiteral("command"));
    chooser.click = [this](int) {
        chooseFolder();
        return true;
    };
    controls.append(chooser);

    app::DeclaredControl files(kFiles, QStringLiteral("grid"));
    files.grid = &m_fileList;
    files.choose = [this](const QString& code) {
        const auto index = m_files.indexOf(code);
        if (index < 0) {
            throw app::ScriptError{QStringLiteral("%1 no tiene el archivo %2").arg(kFiles, code)};
        }
        chooseFile(static_cast<int>(index));
        return true;
    };
    files.state = [this] { return m_chosen < 0 ? QStringLiteral("-") : quoted(m_files.at(m_chosen)); };
    controls.append(files);

    app::DeclaredControl transferButton(kTransfer, QStringLiteral("command"));
    transferButton.click = [this](int) {
        transfer();
        return true;
    };
    controls.append(transferButton);

    app::DeclaredControl preview(kPreview, QStringLiteral("grid"));
    preview.grid = this;
    preview.state = [this] { return QString::number(rowCount()); };
    controls.append(preview);

    // Accepting takes a dry run first: without one the button refuses.
    app::DeclaredControl acceptButton(kAccept, QStringLiteral("command"));
    acceptButton.click = [this](int) {
        if (!m_pending) {
            return false;
        }
        accept();
        return true;
    };
    controls.append(acceptButton);

    app::DeclaredControl cancel(kCancel, QStringLiteral("command"));
    cancel.click = [this](int) {
        close();
        return true;
    };
    controls.append(cancel);

    for (int i = 0; i < 3; ++i) {
        app::DeclaredControl counter(kCounters[i], QStringLiteral("label"));
        counter.state = [this, i] { return quoted(m_counters.value(i)); };
        controls.append(counter);
    }
    return controls;
}

} // namespace qel::imports
