#include "declaration/commands/ConsistencyReportModel.h"

#include "app/Clock.h"
#include "app/FileChooser.h"
#include "app/FormOpener.h"
#include "declaration/commands/ValidateCommand.h"
#include "printing/PreviewModel.h"
#include "printing/ReportDocument.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <utility>

namespace qel::declaration {

namespace {

const QString kAccepted = QStringLiteral("A");

} // namespace

const QString ConsistencyReportModel::kPdfTitle = QStringLiteral("Inconsistencias Detectadas");

ConsistencyReportModel::ConsistencyReportModel(QString reportPath, QStringList lineControls, const app::Clock& clock,
                                               app::FormOpener& opener, app::FileChooser* files,
                                               printing::ReportPreview::PdfWriter writePdf)
    : m_reportPath(std::move(reportPath)), m_lineControls(std::move(lineControls)), m_clock(clock), m_opener(opener),
      m_files(files), m_writePdf(std::move(writePdf)), m_report(InconsistencyReport::fromFile(m_reportPath)) {}

QString ConsistencyReportModel::writePrintout(const QString& reportPath, const InconsistencyReport& report,
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

printing::ReportDocument ConsistencyReportModel::printout(const InconsistencyReport& report, const QDateTime& now) {
    return printing::ReportDocument::fromCommands(report.printout(now).commands());
}

printing::ReportDocument ConsistencyReportModel::printout() const {
    return printout(m_report, m_clock.now());
}

QString ConsistencyReportModel::windowName() const {
    return ValidateCommand::kReportWindow;
}

QList<app::DeclaredControl> ConsistencyReportModel::declaredControls() {
    app::DeclaredControl lines(QStringLiteral("txtConsist"), QStringLiteral("grid"));
    lines.grid = this;
    lines.type = [](const QString&) { return false; }; // the report's box is read-only
    lines.state = [this] { return QString::number(rowCount()); };
    app::DeclaredControl accept(QStringLiteral("cmdAceptar"), QStringLiteral("command"));
    accept.click = [this](int) {
        this->accept();
        return true;
    };
    app::DeclaredControl print(QStringLiteral("cmdImprimir"), QStringLiteral("command"));
    print.click = [this](int) {
        this->print();
        return true;
    };
    app::DeclaredControl pdf(QStringLiteral("cmdPdf"), QStringLiteral("command"));
    pdf.click = [this](int) { return savePdf(); };
    return {lines, accept, print, pdf};
}

QString ConsistencyReportModel::result() const {
    return m_accepted ? kAccepted : QString();
}

void ConsistencyReportModel::accept() {
    m_accepted = true;
    m_closed = true;
}

void ConsistencyReportModel::print() {
    app::FormRequest request;
    request.name = printing::PreviewModel::kWindowName;
    request.code = writePrintout(m_reportPath, m_report, m_clock.now());
    m_opener.open(request);
}

bool ConsistencyReportModel::savePdf() {
    if (m_files == nullptr) {
        return false;
    }
    const std::optional<QString> path = m_files->saveFile(QStringLiteral("Guardar como PDF"),
                                                          QDir::home().filePath(QStringLiteral("Inconsistencias.pdf")),
                                                          QStringLiteral("Documentos PDF (*.pdf)"));
    return path && saveAsPdf(*path);
}

bool ConsistencyReportModel::saveAsPdf(const QString& path) const {
    if (!m_writePdf) {
        return false;
    }
    const printing::ReportDocument document = printout();
    return m_writePdf(path, document, 0, document.pageCount() - 1, kPdfTitle);
}

} // namespace qel::declaration
