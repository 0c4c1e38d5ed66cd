#include "printing/PreviewModel.h"

#include "app/FileChooser.h"
#include "app/FormOpener.h"
#include "base/Prompter.h"
#include "printing/PageRangeModel.h"

#include <QFileInfo>

namespace qel::printing {

const QString PreviewModel::kWindowName = QStringLiteral("frmPreview");
const QString PreviewModel::kNoPrinter =
    QStringLiteral("No hay impresora en el modo por lotes: indique un archivo con \"pdf RUTA\".");

PreviewModel::PreviewModel(const QString& path, app::Prompter& prompter, app::FormOpener* opener,
                           app::FileChooser* files, PdfTaker takePdf, ReportPreview::PdfWriter writePdf)
    : m_preview(path, prompter, writePdf), m_prompter(prompter), m_opener(opener), m_files(files),
      m_takePdf(std::move(takePdf)), m_writePdf(std::move(writePdf)) {
    m_closed = !m_preview.open();
}

QString PreviewModel::pdfName() const {
    return m_pdfName.isEmpty() ? QFileInfo(m_preview.path()).completeBaseName() + QStringLiteral(".pdf") : m_pdfName;
}

bool PreviewModel::print() {
    const QString pdf = m_takePdf ? m_takePdf() : QString();
    if (pdf.isEmpty()) {
        m_prompter.message(kNoPrinter, ReportPreview::kPrintErrorTitle, app::Icon::Critical);
        return false;
    }
    return m_preview.print([this, &pdf](const ReportDocument& document, int first, int last) {
        return m_writePdf(pdf, document, first, last, QString());
    });
}

bool PreviewModel::savePdf() {
    if (m_files == nullptr) {
        return false;
    }
    const std::optional<QString> path =
        m_files->saveFile(QStringLiteral("Guardar como PDF"), pdfName(), QStringLiteral("PDF (*.pdf)"));
    return path && m_preview.saveAsPdf(*path);
}

void PreviewModel::choosePages() {
    if (m_opener == nullptr) {
        return;
    }
    app::FormRequest request;
    request.name = PageRangeModel::kWindowName;
    request.keyValues = {QString::number(m_preview.pageCount())};
    const std::optional<PageRangeModel::Chosen> chosen = PageRangeModel::chosen(m_opener->open(request));
    if (!chosen) {
        return;
    }
    m_preview.setRange(chosen->range);
    if (chosen->pdf) {
        savePdf();
    } else {
        print();
    }
    m_preview.clearRange();
}

QList<app::DeclaredControl> PreviewModel::declaredControls() {
    QList<app::DeclaredControl> controls;
    // The toolbar's buttons, an array: "click tlbPrevia N" is "click tlbPrevia(N)".
    const auto button = [&controls](int index, std::function<bool()> press) {
        app::DeclaredControl command(QStringLiteral("tlbPrevia(%1)").arg(index), QStringLiteral("command"));
        command.click = [press = std::move(press)](int) { return press(); };
        controls.append(command);
    };
    button(2, [this] {
        m_preview.previous();
        return true;
    });
    button(3, [this] {
        m_preview.next();
        return true;
    });
    button(4, [this] {
        m_preview.clearRange();
        return print();
    });
    button(5, [this] {
        close();
        return true;
    });
    button(6, [this] {
        choosePages();
        return true;
    });
    button(7, [this] { return savePdf(); });
    app::DeclaredControl counter(QStringLiteral("lblPagina"), QStringLiteral("label"));
    counter.state = [this] { return QLatin1Char('"') + m_preview.pageCounter() + QLatin1Char('"'); };
    controls.append(counter);
    return controls;
}

} // namespace qel::printing
