#pragma once

#include "printing/PageCommand.h"

#include <QList>
#include <QString>

namespace qel::printing {

// A report file read into pages: what the preview shows and the printer and the PDF receive.
class ReportDocument {
public:
    // Page indexes beyond this are taken as a damaged file rather than allocated.
    static constexpr int kMaxPages = 20000;
    // A report file larger than this is not read (a declaration of a hundred pages is about
    // one megabyte), and a page with more drawing commands than this is a damaged one.
    static constexpr qint64 kMaxFileBytes = 64LL * 1024 * 1024;
    static constexpr int kMaxCommandsPerPage = 20000;

    struct Text {
        double column = 0;
        double row = 0;
        QString text;
        bool bold = false;
        int size = 8;
        bool vertical = false;
        QString color;
    };
    struct Box {
        double left = 0;
        double top = 0;
        double right = 0;
        double bottom = 0;
    };
    struct Page {
        bool landscape = false;
        QList<Text> texts;
        QList<Box> boxes;
    };

    static ReportDocument fromCommands(const QList<PageCommand>& commands);
    // Nothing (no pages, exists() false) when the file is missing; a file too large, not a
    // page description or with a page past the limits has no pages and says why (problem()).
    static ReportDocument fromFile(const QString& path);
    static ReportDocument fromText(const QByteArray& bytes);

    bool exists() const { return m_exists; }
    // Why the file cannot be shown, in the user's words; empty when it can.
    const QString& problem() const { return m_problem; }
    const QString& fontName() const { return m_font; }
    // The page count the file announces, or the pages it draws on when it announces none.
    int pageCount() const { return static_cast<int>(m_pages.size()); }
    const Page& page(int index) const { return m_pages.at(index); }
    const QList<Page>& pages() const { return m_pages; }

private:
    Page& pageAt(int index);
    static ReportDocument refused(const QString& why);
    static QString tooLarge();

    bool m_exists = true;
    QString m_problem;
    QString m_font = QStringLiteral("Courier New");
    QList<Page> m_pages;
};

} // namespace qel::printing
