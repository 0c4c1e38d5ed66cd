#include "printing/PrintScripts.h"

#include "app/FileChooser.h"
#include "app/FormOpener.h"
#include "base/Prompter.h"

#include <QFileInfo>

namespace qel::printing {

namespace {

[[noreturn]] void unknownControl(const QString& window, const QString& control) {
    throw app::ScriptError{QStringLiteral("la ventana %1 no tiene el control %2").arg(window, control)};
}

QString quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

// --- FrmTipPrnR ------------------------------------------------------------------------------

PrintTypeScript::PrintTypeScript(PrintTypeModel::Context context, app::FormOpener& opener)
    : m_model(std::move(context), [&opener](const QString& path) {
          app::FormRequest request;
          request.name = PreviewScript::kWindowName;
          request.code = path;
          opener.open(request);
      }) {
    m_model.load();
}

QList<app::ControlInfo> PrintTypeScript::controls() const {
    return {{PrintTypeModel::kGrid, QStringLiteral("grid")},
            {QStringLiteral("ChkAnexo"), QStringLiteral("check")},
            {QStringLiteral("cmdImprimir"), QStringLiteral("command")},
            {QStringLiteral("cmdSalir"), QStringLiteral("command")}};
}

bool PrintTypeScript::text(const QString& control, const QString&) {
    unknownControl(name(), control);
}

bool PrintTypeScript::choose(const QString& control, const QString&) {
    unknownControl(name(), control);
}

bool PrintTypeScript::click(const QString& control, int) {
    if (control.compare(QLatin1String("ChkAnexo"), Qt::CaseInsensitive) == 0) {
        m_model.setWithAnnexes(!m_model.withAnnexes());
        return true;
    }
    if (control.compare(QLatin1String("cmdImprimir"), Qt::CaseInsensitive) == 0) {
        return m_model.print().has_value();
    }
    if (control.compare(QLatin1String("cmdSalir"), Qt::CaseInsensitive) == 0) {
        m_closed = true;
        return true;
    }
    unknownControl(name(), control);
}

QString PrintTypeScript::state(const QString& control) const {
    if (control.compare(QLatin1String("ChkAnexo"), Qt::CaseInsensitive) == 0) {
        return m_model.withAnnexes() ? QStringLiteral("1") : QStringLiteral("0");
    }
    if (control.compare(PrintTypeModel::kGrid, Qt::CaseInsensitive) == 0) {
        return QString::number(m_model.rows().size());
    }
    if (control.compare(QLatin1String("caption"), Qt::CaseInsensitive) == 0) {
        return quoted(m_model.caption());
    }
    unknownControl(name(), control);
}

app::GridSource* PrintTypeScript::grid(const QString& gridName) {
    return gridName.compare(PrintTypeModel::kGrid, Qt::CaseInsensitive) == 0 ? this : nullptr;
}

// --- frmPreview ------------------------------------------------------------------------------

const QString PreviewScript::kWindowName = QStringLiteral("frmPreview");
const QString PreviewScript::kRangeWindow = QStringLiteral("frmImpxPag");

PreviewScript::PreviewScript(const QString& path, app::Prompter& prompter, app::FormOpener& opener,
                             app::FileChooser* files, std::function<QString()> takePdf,
                             ReportPreview::PdfWriter writePdf)
    : m_preview(path, prompter, writePdf), m_prompter(prompter), m_opener(opener), m_files(files),
      m_takePdf(std::move(takePdf)), m_writePdf(std::move(writePdf)) {
    // A missing file shows its message and leaves nothing to look at.
    m_closed = !m_preview.open();
}

QList<app::ControlInfo> PreviewScript::controls() const {
    QList<app::ControlInfo> list;
    for (int index = 2; index <= 7; ++index) {
        list.append({QStringLiteral("tlbPrevia(%1)").arg(index), QStringLiteral("command")});
    }
    list.append({QStringLiteral("lblPagina"), QStringLiteral("label")});
    return list;
}

bool PreviewScript::text(const QString& control, const QString&) {
    unknownControl(name(), control);
}

bool PreviewScript::choose(const QString& control, const QString&) {
    unknownControl(name(), control);
}

bool PreviewScript::print() {
    const QString pdf = m_takePdf ? m_takePdf() : QString();
    if (pdf.isEmpty()) {
        m_prompter.message(kNoPrinterInBatch, ReportPreview::kPrintErrorTitle, app::Icon::Critical);
        return false;
    }
    return m_preview.print([this, &pdf](const ReportDocument& document, int first, int last) {
        return m_writePdf(pdf, document, first, last, QString());
    });
}

bool PreviewScript::savePdf() {
    if (m_files == nullptr) {
        return false;
    }
    const std::optional<QString> path = m_files->saveFile(
        QStringLiteral("Guardar como PDF"), QFileInfo(m_preview.path()).completeBaseName() + QStringLiteral(".pdf"),
        QStringLiteral("PDF (*.pdf)"));
    return path && m_preview.saveAsPdf(*path);
}

void PreviewScript::choosePages() {
    app::FormRequest request;
    request.name = kRangeWindow;
    request.keyValues = {QString::number(m_preview.pageCount())};
    const QString chosen = m_opener.open(request);
    const QStringList parts = chosen.split(QLatin1Char(' '));
    const QStringList pages = parts.value(0).split(QLatin1Char('-'));
    if (parts.size() != 2 || pages.size() != 2) {
        return;
    }
    m_preview.setRange(PageRange{pages.at(0).toInt(), pages.at(1).toInt()});
    if (parts.at(1) == QLatin1String("P")) {
        savePdf();
    } else {
        print();
    }
    m_preview.clearRange();
}

bool PreviewScript::click(const QString& control, int index) {
    static const QString prefix = QStringLiteral("tlbPrevia");
    int button = index;
    if (control.startsWith(prefix + QLatin1Char('('), Qt::CaseInsensitive) && control.endsWith(QLatin1Char(')'))) {
        button = control.mid(prefix.size() + 1).chopped(1).toInt();
    } else if (control.compare(prefix, Qt::CaseInsensitive) != 0) {
        unknownControl(name(), control);
    }
    switch (button) {
    case 2:
        m_preview.previous();
        return true;
    case 3:
        m_preview.next();
        return true;
    case 4:
        m_preview.clearRange();
        return print();
    case 5:
        m_closed = true;
        return true;
    case 6:
        choosePages();
        return true;
    case 7:
        return savePdf();
    default:
        unknownControl(name(), control);
    }
}

QString PreviewScript::state(const QString& control) const {
    if (control.compare(QLatin1String("lblPagina"), Qt::CaseInsensitive) == 0) {
        return quoted(m_preview.pageCounter());
    }
    unknownControl(name(), control);
}

// --- frmImpxPag ------------------------------------------------------------------------------

PageRangeScript::PageRangeScript(int totalPages, app::Prompter& prompter) : m_total(totalPages), m_prompter(prompter) {}

QList<app::ControlInfo> PageRangeScript::controls() const {
    return {{QStringLiteral("txtDesde"), QStringLiteral("text")},
            {QStringLiteral("txtHasta"), QStringLiteral("text")},
            {QStringLiteral("lblTotal"), QStringLiteral("label")},
            {QStringLiteral("cmdImprimir"), QStringLiteral("command")},
            {QStringLiteral("cmdPdf"), QStringLiteral("command")},
            {QStringLiteral("cmdCancelar"), QStringLiteral("command")}};
}

bool PageRangeScript::text(const QString& control, const QString& value) {
    // The boxes take digits only.
    QString digits;
    for (const QChar c : value) {
        if (c.isDigit()) {
            digits.append(c);
        }
    }
    if (control.compare(QLatin1String("txtDesde"), Qt::CaseInsensitive) == 0) {
        m_from = digits.left(5);
    } else if (control.compare(QLatin1String("txtHasta"), Qt::CaseInsensitive) == 0) {
        m_to = digits.left(5);
    } else {
        unknownControl(name(), control);
    }
    return true;
}

bool PageRangeScript::choose(const QString& control, const QString&) {
    unknownControl(name(), control);
}

bool PageRangeScript::click(const QString& control, int) {
    if (control.compare(QLatin1String("cmdCancelar"), Qt::CaseInsensitive) == 0) {
        m_closed = true;
        return true;
    }
    const bool print = control.compare(QLatin1String("cmdImprimir"), Qt::CaseInsensitive) == 0;
    if (!print && control.compare(QLatin1String("cmdPdf"), Qt::CaseInsensitive) != 0) {
        unknownControl(name(), control);
    }
    const PageRangeCheck checked = PageRangeCheck::check(m_from, m_to, m_total);
    if (!checked.range) {
        m_prompter.message(checked.message, PageRange::kTitle, app::Icon::Exclamation);
        return true;
    }
    m_result = QStringLiteral("%1-%2 %3").arg(checked.range->first).arg(checked.range->last).arg(print ? 'I' : 'P');
    m_closed = true;
    return true;
}

QString PageRangeScript::state(const QString& control) const {
    if (control.compare(QLatin1String("txtDesde"), Qt::CaseInsensitive) == 0) {
        return quoted(m_from);
    }
    if (control.compare(QLatin1String("txtHasta"), Qt::CaseInsensitive) == 0) {
        return quoted(m_to);
    }
    if (control.compare(QLatin1String("lblTotal"), Qt::CaseInsensitive) == 0) {
        return quoted(QString::number(m_total));
    }
    unknownControl(name(), control);
}

} // namespace qel::printing
