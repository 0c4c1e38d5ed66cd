#include "declaration/commands/ConsistencyReportScript.h"

#include "app/Clock.h"
#include "app/FileChooser.h"
#include "app/FormOpener.h"
#include "declaration/commands/ValidateCommand.h"
#include "printing/PrintScripts.h"
#include "printing/ReportDocument.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <utility>

namespace qel::declaration {

namespace {

const QString kLines = QStringLiteral("txtConsist");
const QString kAccept = QStringLiteral("cmdAceptar");
const QString kPrint = QStringLiteral("cmdImprimir");
const QString kPdf = QStringLiteral("cmdPdf");
const QString kAccepted = QStringLiteral("A");

[[noreturn]] void noSuchControl(const QString& control) {
    throw app::ScriptError{QStringLiteral("no existe el control %1").arg(control)};
}

} // namespace

const QString ConsistencyReportScript::kPdfTitle = QStringLiteral("Inconsistencias Detectadas");

ConsistencyReportScript::ConsistencyReportScript(QString reportPath, const app::Clock& clock, app::FormOpener& opener,
                                                 app::FileChooser* files, printing::ReportPreview::PdfWriter writePdf)
    : m_reportPath(std::move(reportPath)), m_clock(clock), m_opener(opener), m_files(files),
      m_writePdf(std::move(writePdf)), m_report(InconsistencyReport::fromFile(m_reportPath)) {}

QString ConsistencyReportScript::writePrintout(const QString& reportPath, const InconsistencyReport& report,
                                               const QDateTime& now) {
    const QFileInfo file(reportPath);
    const QString path = file.absoluteDir().filePath(file.completeBaseName() + QStringLiteral(".PRN"));
    QSaveFile printout(path);
    if (!printout.open(QIODevice::WriteOnly)) {
        return {};
    }
    printout.write(report.printout(now).fileText().toUtf8());
    return printout.commit() ? path : QString();
}

printing::ReportDocument ConsistencyReportScript::printout(const InconsistencyReport& report, const QDateTime& now) {
    return printing::ReportDocument::fromCommands(report.printout(now).commands());
}

QString ConsistencyReportScript::name() const {
    return ValidateCommand::kReportWindow;
}

QList<app::ControlInfo> ConsistencyReportScript::controls() const {
    return {{kLines, QStringLiteral("grid")},
            {kAccept, QStringLiteral("command")},
            {kPrint, QStringLiteral("command")},
            {kPdf, QStringLiteral("command")}};
}

// The report's box is read-only.
bool ConsistencyReportScript::text(const QString& control, const QString&) {
    if (control != kLines) {
        noSuchControl(control);
    }
    return false;
}

bool ConsistencyReportScript::choose(const QString& control, const QString&) {
    noSuchControl(control);
}

bool ConsistencyReportScript::click(const QString& control, int) {
    if (control == kAccept) {
        m_accepted = true;
        m_closed = true;
    } else if (control == kPrint) {
        print();
    } else if (control == kPdf) {
        return savePdf();
    } else {
        noSuchControl(control);
    }
    return true;
}

QString ConsistencyReportScript::state(const QString& control) const {
    if (control != kLines) {
        noSuchControl(control);
    }
    return QString::number(rowCount());
}

app::GridSource* ConsistencyReportScript::grid(const QString& name) {
    return name == kLines ? this : nullptr;
}

QString ConsistencyReportScript::result() const {
    return m_accepted ? kAccepted : QString();
}

// A printout that cannot be written is the preview's missing file.
void ConsistencyReportScript::print() {
    app::FormRequest request;
    request.name = printing::PreviewScript::kWindowName;
    request.code = writePrintout(m_reportPath, m_report, m_clock.now());
    m_opener.open(request);
}

bool ConsistencyReportScript::savePdf() {
    if (m_files == nullptr || !m_writePdf) {
        return false;
    }
    const std::optional<QString> path = m_files->saveFile(QStringLiteral("Guardar como PDF"),
                                                          QDir::home().filePath(QStringLiteral("Inconsistencias.pdf")),
                                                          QStringLiteral("Documentos PDF (*.pdf)"));
    if (!path) {
        return false;
    }
    const printing::ReportDocument document = printout(m_report, m_clock.now());
    return m_writePdf(*path, document, 0, document.pageCount() - 1, kPdfTitle);
}

} // namespace qel::declaration
