#include "declaration/InconsistencyReport.h"

#include <QFile>

namespace qel::declaration {

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

QList<InconsistencyReport::Page> InconsistencyReport::pages(const QDateTime& printedAt) const {
    auto newPage = [&printedAt] {
        Page page;
        page.items.append({kLeftTwips, kHeaderTwips, printedAt.toString(QStringLiteral("dd/MM/yyyy"))});
        page.items.append({kTitleTwips, kHeaderTwips, QStringLiteral("INCONSISTENCIAS DETECTADAS ")});
        page.items.append({kLeftTwips, kSubHeaderTwips, printedAt.toString(QStringLiteral("HH:mm:ss"))});
        page.items.append({kTitleTwips, kSubHeaderTwips,
                           QStringLiteral("DECLARACIÓN PAGO ANUAL IMPUESTO A LA RENTA 3RA. CAT. 2006")});
        return page;
    };

    QList<Page> result{newPage()};
    int row = 0; // the line's position on its page
    for (int i = 0; i < m_lines.size(); ++i) {
        if (row == kLinesPerPage) {
            result.append(newPage());
            row = 0;
        }
        result.last().items.append({kLeftTwips, kFirstLineTwips + row * kLineTwips,
                                    QString::number(i + 1) + QStringLiteral(". ") + m_lines.at(i)});
        ++row;
    }
    result.last().items.append({kLeftTwips, kFirstLineTwips + row * kLineTwips,
                                QStringLiteral(" Inconsistencias Detectadas : ") + QString::number(m_lines.size())});
    return result;
}

} // namespace qel::declaration
