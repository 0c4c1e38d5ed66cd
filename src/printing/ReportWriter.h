#pragma once

#include "printing/PageCommand.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace qel::printing {

// The report generator: turns lines and positioned texts into the commands of a
// page-description file, breaking pages by the report's width and repeating the page header
// of its kind. It keeps the commands in memory so that the page count it writes at the top
// is the true one.
class ReportWriter {
public:
    // Page headers: kinds 1 and 3 write their own, kind 2 is the listing of an agents'
    // report, every other kind gets the standard header (date, time, titles, page number).
    static constexpr int kNoHeader = 1;
    static constexpr int kListingHeader = 2;
    static constexpr int kOwnHeader = 3;
    static constexpr int kStandardHeader = 0;

    static constexpr int kDefaultWidth = 104;
    static constexpr int kLineColumn = 10; // plain lines start here
    static constexpr int kFontSize = 8;

    // Lines on a page of a report this many characters wide.
    static int linesPerPage(int width);
    // Reports this wide or wider are printed across the sheet.
    static constexpr int kLandscapeWidth = 150;

    explicit ReportWriter(QDateTime printedAt, int width = kDefaultWidth, int headerKind = kNoHeader);

    // What the standard header shows: title lines (the first beside the date, the second beside
    // the time, any others below) and column headings under them.
    void setTitleBlock(const QStringList& titles);
    void setColumnHeadings(const QStringList& headings);
    // What the listing header shows.
    void setListing(const QString& period, const QString& declarant);
    void setHeaderKind(int kind) { m_headerKind = kind; }
    // The width of the lines from the next page on.
    void setWidth(int width) { m_nextWidth = width; }

    // Writes the first page's header; called once before any line.
    void start();
    void line(const QString& text = {});
    void setBold(bool bold);
    void text(double column, double row, const QString& text, bool bold = false, int size = kFontSize);
    void box(double left, double top, double right, double bottom);
    // A page break, the new page's orientation and its header.
    void newPage();

    int width() const { return m_width; }
    int currentPage() const { return m_page; } // from 0
    int pageCount() const { return m_page + 1; }
    int lineOnPage() const { return m_line; }
    int pageLength() const { return linesPerPage(m_width); }
    QDateTime printedAt() const { return m_printedAt; }

    // The whole file: the font, the page count, then every command written.
    QList<PageCommand> commands() const;
    QString fileText() const;

private:
    void writeHeader();
    void beginPage();
    QString centred(const QString& left, const QString& middle, const QString& right) const;

    QDateTime m_printedAt;
    int m_width;
    int m_nextWidth;
    int m_headerKind;
    QStringList m_titles;
    QStringList m_headings;
    QString m_period;
    QString m_declarant;
    QList<PageCommand> m_body;
    int m_page = 0;
    int m_line = 0;
    bool m_started = false;
    bool m_landscape = false;
};

} // namespace qel::printing
