#include "declaration/rules/InconsistencyReport.h"

#include <QFile>

namespace qel::declaration {

const QString InconsistencyReport::kTitle = QStringLiteral("INCONSISTENCIAS DETECTADAS ");
const QString InconsistencyReport::kSubtitle =
    QStringLiteral("DECLARACIÓN PAGO ANUAL IMPUESTO A LA RENTA 3RA. CAT. 2006");

namespace {

// A text cut at blanks into pieces no wider than `width` (a word wider than that is cut).
QStringList wrap(const QString& text, int width) {
    QStringList pieces;
    QString rest = text.trimmed();
    while (rest.size() > width) {
        qsizetype cut = rest.lastIndexOf(QLatin1Char(' '), width);
        if (cut <= 0) {
            cut = width;
        }
        pieces.append(rest.left(cut).trimmed());
        rest = rest.mid(cut).trimmed();
    }
    pieces.append(rest);
    return pieces;
}

} // namespace

InconsistencyReport::InconsistencyReport(QStringList lines) : m_lines(std::move(lines)) {}

InconsistencyReport InconsistencyReport::fromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return InconsistencyReport();
    }
    return InconsistencyReport(parse(file.readAll()));
}

QStringList InconsistencyReport::parse(const QByteArray& text) {
    QString decoded = QString::fromUtf8(text);
    decoded.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = decoded.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

QString InconsistencyReport::text() const {
    return m_lines.join(QLatin1Char('\n'));
}

printing::ReportWriter InconsistencyReport::printout(const QDateTime& printedAt) const {
    printing::ReportWriter writer(printedAt, printing::ReportWriter::kDefaultWidth,
                                  printing::ReportWriter::kStandardHeader);
    writer.setTitleBlock({kTitle, kSubtitle});
    writer.start();
    const int numberWidth = static_cast<int>(QString::number(m_lines.size()).size()) + 2;
    for (int i = 0; i < m_lines.size(); ++i) {
        const QString number = (QString::number(i + 1) + QStringLiteral(". ")).leftJustified(numberWidth);
        const QStringList pieces = wrap(m_lines.at(i), writer.width() - numberWidth);
        for (qsizetype p = 0; p < pieces.size(); ++p) {
            writer.line((p == 0 ? number : QString(numberWidth, QLatin1Char(' '))) + pieces.at(p));
        }
    }
    writer.line();
    writer.line(QStringLiteral(" Inconsistencias Detectadas : ") + QString::number(m_lines.size()));
    return writer;
}

} // namespace qel::declaration
