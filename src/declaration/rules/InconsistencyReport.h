#pragma once

#include "printing/ReportWriter.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace qel::declaration {

// The inconsistency report: the lines of the report file and its printout, written by the
// report generator like every other report.
class InconsistencyReport {
public:
    static const QString kTitle;    // "INCONSISTENCIAS DETECTADAS "
    static const QString kSubtitle; // the return's title

    explicit InconsistencyReport(QStringList lines = {});
    // The report file's lines; none when the file is missing.
    static InconsistencyReport fromFile(const QString& path);
    // The lines of a report file's text (UTF-8; a last line break ends the last line).
    static QStringList parse(const QByteArray& text);

    const QStringList& lines() const { return m_lines; }
    // The whole report as the window shows it.
    QString text() const;

    // The printout: on every page the date and time with the two titles and the page number,
    // then the numbered lines (a long line wraps under its own text, never shrinks), and after
    // the last one the count.
    printing::ReportWriter printout(const QDateTime& printedAt) const;

private:
    QStringList m_lines;
};

} // namespace qel::declaration
