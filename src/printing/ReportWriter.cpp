#include "printing/ReportWriter.h"

#include "printing/PageDescription.h"

namespace qel::printing {

int ReportWriter::linesPerPage(int width) {
    if (width < 83) {
        return 85;
    }
    return width < kLandscapeWidth ? 83 : 64;
}

ReportWriter::ReportWriter(QDateTime printedAt, int width, int headerKind)
    : m_printedAt(std::move(printedAt)), m_width(width), m_nextWidth(width), m_headerKind(headerKind) {}

void ReportWriter::setTitleBlock(const QStringList& titles) {
    m_titles = titles;
}

void ReportWriter::setColumnHeadings(const QStringList& headings) {
    m_headings = headings;
}

void ReportWriter::setListing(const QString& period, const QString& declarant) {
    m_period = period;
    m_declarant = declarant;
}

void ReportWriter::start() {
    if (m_started) {
        return;
    }
    m_started = true;
    beginPage();
}

void ReportWriter::beginPage() {
    m_width = m_nextWidth;
    const bool landscape = m_width >= kLandscapeWidth;
    if (landscape != m_landscape) {
        m_body.append(
            PageCommand::tag(PageCommand::Kind::Orientation, landscape ? QStringLiteral("H") : QStringLiteral("V")));
    }
    m_landscape = landscape;
    writeHeader();
}

QString ReportWriter::centred(const QString& left, const QString& middle, const QString& right) const {
    QString text = left;
    const qsizetype middleStart = qMax<qsizetype>(text.size() + 1, (m_width - middle.size()) / 2);
    text = text.leftJustified(middleStart, QLatin1Char(' ')) + middle;
    if (!right.isEmpty()) {
        const qsizetype rightStart = qMax<qsizetype>(text.size() + 1, m_width - right.size());
        text = text.leftJustified(rightStart, QLatin1Char(' ')) + right;
    }
    return text;
}

void ReportWriter::writeHeader() {
    if (m_headerKind == kNoHeader || m_headerKind == kOwnHeader) {
        return;
    }
    if (m_headerKind == kListingHeader) {
        line(QStringLiteral("REPORTE DE AGENTES DE PERCEPCION - PERIODO ") + m_period);
        line(QStringLiteral("DECLARANTE   : ") + m_declarant);
        line();
    } else {
        const QString pageText = QStringLiteral("Pag:") + QString::number(m_page + 1).rightJustified(2);
        line(centred(m_printedAt.toString(QStringLiteral("dd/MM/yyyy")), m_titles.value(0), pageText));
        line(centred(m_printedAt.toString(QStringLiteral("hh:mm:ss")), m_titles.value(1), {}));
        for (qsizetype i = 2; i < m_titles.size(); ++i) {
            line(centred({}, m_titles.at(i), {}));
        }
        line();
    }
    if (!m_headings.isEmpty()) {
        for (const QString& heading : m_headings) {
            line(heading);
        }
        line(QString(m_width, QLatin1Char('-')));
    }
}

void ReportWriter::line(const QString& text) {
    start();
    if (m_line >= pageLength()) {
        // The page is full: the break comes with the next line, so that a report whose last
        // line fills its page does not end with an empty page.
        newPage();
    }
    m_body.append(PageCommand::textAt(kLineColumn, m_line, text, false, kFontSize, m_page));
    ++m_line;
}

void ReportWriter::setBold(bool bold) {
    start();
    m_body.append(PageCommand::tag(bold ? PageCommand::Kind::BoldOn : PageCommand::Kind::BoldOff));
}

void ReportWriter::text(double column, double row, const QString& text, bool bold, int size) {
    start();
    m_body.append(PageCommand::textAt(column, row, text, bold, size, m_page));
}

void ReportWriter::box(double left, double top, double right, double bottom) {
    start();
    m_body.append(PageCommand::box(m_page, left, top, right, bottom));
}

void ReportWriter::newPage() {
    if (!m_started) {
        start();
        return;
    }
    m_body.append(PageCommand::tag(PageCommand::Kind::NewPage));
    ++m_page;
    m_line = 0;
    beginPage();
}

QList<PageCommand> ReportWriter::commands() const {
    QList<PageCommand> all;
    all.reserve(m_body.size() + 2);
    all.append(PageCommand::tag(PageCommand::Kind::Font, QStringLiteral("Courier New")));
    all.append(PageCommand::tag(PageCommand::Kind::PageCount, QString::number(pageCount())));
    all.append(m_body);
    return all;
}

QString ReportWriter::fileText() const {
    return PageDescription::writeAll(commands());
}

} // namespace qel::printing
