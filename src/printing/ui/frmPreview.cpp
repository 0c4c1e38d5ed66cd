#include "printing/ui/frmPreview.h"

#include "base/Prompter.h"
#include "printing/ReportPainter.h"
#include "printing/ui/PagePicture.h"
#include "printing/ui/frmImpxPag.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace qel::printing {

namespace {

// The folder the user last saved a PDF into, for the rest of the session.
QString& lastPdfFolder() {
    static QString folder;
    return folder;
}

} // namespace

frmPreview::frmPreview(const QString& reportPath, app::Prompter& prompter, QWidget* parent)
    : frmPreview(std::make_unique<PreviewModel>(reportPath, prompter, nullptr, nullptr, PreviewModel::PdfTaker(),
                                                &ReportPainter::writePdf),
                 parent) {}

frmPreview::frmPreview(std::unique_ptr<PreviewModel> model, QWidget* parent)
    : QDialog(parent), m_model(std::move(model)), m_preview(m_model->preview()), m_prompter(m_model->prompter()) {
    setObjectName(m_model->windowName());
    setWindowTitle(ReportPreview::kCaption);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("tlbPrevia"));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout->addWidget(toolbar);

    m_frame = new QScrollArea(this);
    m_frame->setObjectName(QStringLiteral("picFondo"));
    m_frame->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_frame->setBackgroundRole(QPalette::Dark);
    m_frame->verticalScrollBar()->setObjectName(QStringLiteral("vsbPic"));
    m_frame->horizontalScrollBar()->setObjectName(QStringLiteral("HScroll1"));
    m_picture = new PagePicture(m_preview, m_frame);
    m_frame->setWidget(m_picture);
    m_frame->setWidgetResizable(false);
    layout->addWidget(m_frame, 1);

    m_previous = addButton(2, QStringLiteral("< Anterior"), QStringLiteral("Página anterior (RePág)"));
    m_next = addButton(3, QStringLiteral("Siguiente >"), QStringLiteral("Página siguiente (AvPág)"));
    QToolButton* print = addButton(4, QStringLiteral("&Imprimir"), QStringLiteral("Imprimir todo el reporte"));
    QToolButton* leave = addButton(5, QStringLiteral("&Salir"), QStringLiteral("Cerrar la presentación"));
    QToolButton* pages = addButton(6, QStringLiteral("Imprimir &páginas..."), QStringLiteral("Imprimir un rango"));
    QToolButton* pdf = addButton(7, QStringLiteral("Guardar como PD&F"), QStringLiteral("Guardar el reporte en PDF"));
    QToolButton* zoomOutButton = addButton(8, QStringLiteral("−"), QStringLiteral("Reducir (Ctrl+-)"));
    QToolButton* zoomInButton = addButton(9, QStringLiteral("+"), QStringLiteral("Ampliar (Ctrl++)"));
    for (QToolButton* button : {m_previous, m_next, print, pages, pdf, zoomOutButton, zoomInButton, leave}) {
        toolbar->addWidget(button);
    }
    m_counter = new QLabel(toolbar);
    m_counter->setObjectName(QStringLiteral("lblPagina"));
    m_counter->setContentsMargins(12, 0, 12, 0);
    toolbar->addWidget(m_counter);

    connect(m_previous, &QToolButton::clicked, this, &frmPreview::previousPage);
    connect(m_next, &QToolButton::clicked, this, &frmPreview::nextPage);
    connect(print, &QToolButton::clicked, this, &frmPreview::printReport);
    connect(leave, &QToolButton::clicked, this, [this] {
        m_model->close();
        accept();
    });
    connect(pages, &QToolButton::clicked, this, &frmPreview::choosePages);
    connect(pdf, &QToolButton::clicked, this, [this] { saveAsPdf(); });
    connect(zoomOutButton, &QToolButton::clicked, this, &frmPreview::zoomOut);
    connect(zoomInButton, &QToolButton::clicked, this, &frmPreview::zoomIn);

    m_printTarget = [this](const ReportDocument& document, int first, int last) {
        return printOnPrinter(document, first, last);
    };
    m_pdfChooser = [this] {
        const QString name = m_model->pdfName();
        const QString folder = lastPdfFolder().isEmpty() ? QDir::homePath() : lastPdfFolder();
        const QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("Guardar como PDF"),
                                                            QDir(folder).filePath(name), QStringLiteral("PDF (*.pdf)"));
        if (!chosen.isEmpty()) {
            lastPdfFolder() = QFileInfo(chosen).absolutePath();
        }
        return chosen;
    };
    resize(860, 900);
    showPage();
}

QToolButton* frmPreview::addButton(int index, const QString& text, const QString& tip) {
    auto* button = new QToolButton(this);
    button->setObjectName(QStringLiteral("tlbPrevia(%1)").arg(index));
    button->setText(text);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    return button;
}

void frmPreview::showPage() {
    m_picture->refresh();
    m_counter->setText(m_preview.pageCounter() + QStringLiteral("   %1%").arg(qRound(m_preview.zoom() * 100)));
    m_previous->setEnabled(m_preview.canGoBack());
    m_next->setEnabled(m_preview.canGoForward());
}

void frmPreview::previousPage() {
    m_preview.previous();
    showPage();
}

void frmPreview::nextPage() {
    m_preview.next();
    showPage();
}

void frmPreview::zoomIn() {
    m_preview.zoomIn();
    showPage();
}

void frmPreview::zoomOut() {
    m_preview.zoomOut();
    showPage();
}

bool frmPreview::printTo(const PrintTarget& target) {
    if (!m_nextPdf.isEmpty()) {
        const QString path = m_nextPdf;
        m_nextPdf.clear();
        return m_preview.print([&path](const ReportDocument& document, int first, int last) {
            return ReportPainter::writePdf(path, document, first, last);
        });
    }
    return m_preview.print(target);
}

bool frmPreview::printReport() {
    m_preview.clearRange();
    return printTo(m_printTarget);
}

bool frmPreview::printRange(const PageRange& range) {
    m_preview.setRange(range);
    const bool printed = printTo(m_printTarget);
    m_preview.clearRange();
    return printed;
}

bool frmPreview::saveAsPdf(const std::optional<PageRange>& range) {
    const QString path = m_pdfChooser ? m_pdfChooser() : QString();
    if (path.isEmpty()) {
        return false;
    }
    if (range) {
        m_preview.setRange(*range);
    }
    const bool saved = m_preview.saveAsPdf(path);
    m_preview.clearRange();
    return saved;
}

void frmPreview::choosePages() {
    frmImpxPag pages(m_preview.pageCount(), m_prompter, this);
    if (pages.exec() != QDialog::Accepted || !pages.range()) {
        return;
    }
    if (pages.action() == frmImpxPag::Action::Pdf) {
        saveAsPdf(pages.range());
    } else {
        printRange(*pages.range());
    }
}

void frmPreview::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_PageDown) {
        nextPage();
    } else if (event->key() == Qt::Key_PageUp) {
        previousPage();
    } else if (event->modifiers().testFlag(Qt::ControlModifier) &&
               (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal)) {
        zoomIn();
    } else if (event->modifiers().testFlag(Qt::ControlModifier) && event->key() == Qt::Key_Minus) {
        zoomOut();
    } else {
        QDialog::keyPressEvent(event);
    }
}

bool frmPreview::printOnPrinter(const ReportDocument& document, int first, int last) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setDocName(QFileInfo(m_preview.path()).completeBaseName());
    printer.setFromTo(first + 1, last + 1);
    if (first > 0 || last < document.pageCount() - 1) {
        printer.setPrintRange(QPrinter::PageRange);
    }
    const bool chosen = m_printerChooser ? m_printerChooser(printer) : [this, &printer] {
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle(ReportPreview::kCaption);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
        return dialog.exec() == QDialog::Accepted;
    }();
    if (!chosen) {
        return false;
    }
    // The pages the dialog was left with (the user may change them there).
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage() - 1;
        last = std::min(printer.toPage() > 0 ? printer.toPage() - 1 : last, document.pageCount() - 1);
    } else if (printer.printRange() == QPrinter::AllPages) {
        first = 0;
        last = document.pageCount() - 1;
    }
    // Only the chosen pages are painted; the print system must not pick them again out of what
    // it receives (the print dialog also hands the range to it as the "page-ranges" option).
    printer.setPrintRange(QPrinter::AllPages);
    if (QPrintEngine* engine = printer.printEngine()) {
        const auto cupsOptions = static_cast<QPrintEngine::PrintEnginePropertyKey>(0xfe00);
        QStringList options = engine->property(cupsOptions).toStringList();
        for (qsizetype i = 0; i + 1 < options.size();) {
            if (options.at(i) == QLatin1String("page-ranges")) {
                options.remove(i, 2);
            } else {
                i += 2;
            }
        }
        engine->setProperty(cupsOptions, options);
    }
    if (!ReportPainter::paintPages(printer, document, first, last)) {
        m_prompter.message(QStringLiteral("No se pudo imprimir en la impresora ") + printer.printerName() +
                               QLatin1Char('.'),
                           ReportPreview::kPrintErrorTitle, app::Icon::Critical);
        return false;
    }
    return true;
}

} // namespace qel::printing
