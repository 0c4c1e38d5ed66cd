#pragma once

#include "printing/PageCommand.h"

#include <QList>
#include <QString>

namespace qel::printing {

// The page-description file of a report: one command per line, every field followed by "|";
// a long command may run over several physical lines, joined until the text gathered ends
// with "|", "!>" or "aHoja". The writer and the reader are the two halves of one format:
// whatever the writer writes the reader gives back identically.
class PageDescription {
public:
    // Physical lines longer than this are continued on the next line.
    static constexpr int kPhysicalLineLength = 200;

    // A command as it stands in the file (one or more physical lines, no final newline).
    // A "|" inside a text would end its field early, so it is written as "¦"; line breaks
    // inside a text become blanks.
    static QString write(const PageCommand& command);
    static QString writeAll(const QList<PageCommand>& commands);

    struct ReadResult {
        QList<PageCommand> commands;
        int rejected = 0; // lines that are not a command or carry an unreadable field
    };
    static ReadResult read(const QString& text);
    // One joined command line; false when it is not a command of the format.
    static bool parse(const QString& line, PageCommand& command);
    static QString sanitise(const QString& text);
};

} // namespace qel::printing
