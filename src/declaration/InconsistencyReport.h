#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace qel::declaration {

// The inconsistency report: the lines of the report file and how they are laid out on paper.
// Positions are in twips (1/1440 inch) from the top left corner of the printable page; the
// window that prints only paints what the pages hold.
class InconsistencyReport {
public:
    static constexpr int kFirstLineTwips = 1000; // the first line, from the top
    static constexpr int kLineTwips = 270;       // from one line to the next
    static constexpr int kLinesPerPage = 40;
    static constexpr int kLeftTwips = 500;      // the left edge of every line
    static constexpr int kTitleTwips = 3500;    // the left edge of the two titles
    static constexpr int kHeaderTwips = 300;    // the date and the first title
    static constexpr int kSubHeaderTwips = 550; // the time and the second title

    struct Item {
        int x = 0; // twips
        int y = 0; // twips
        QString text;
    };
    struct Page {
        QList<Item> items;
    };

    explicit InconsistencyReport(QStringList lines = {});
    // The report file's lines; none when the file is missing.
    static InconsistencyReport fromFile(const QString& path);
    // The lines of a report file's text (UTF-8; a last line break ends the last line).
    static QStringList parse(const QByteArray& text);

    const QStringList& lines() const { return m_lines; }
    // The whole report as the window shows it.
    QString text() const;

    // The printout: on every page the date with "INCONSISTENCIAS DETECTADAS " and the time with
    // the return's title, then up to 40 numbered lines; after the last line the count.
    QList<Page> pages(const QDateTime& printedAt) const;

private:
    QStringList m_lines;
};

} // namespace qel::declaration
