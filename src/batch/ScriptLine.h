#pragma once

#include <QString>
#include <QStringList>

namespace qel::batch {

// One line of a batch script as the runner reads it: blank lines and lines that begin with
// '#' hold no command; otherwise the first word is the command and the rest, trimmed, its
// arguments.
struct ScriptLine {
    QString command; // empty for a blank or comment line
    QString rest;

    static ScriptLine read(const QString& line);

    // The arguments of a command: separated by blanks, the last of `count` running to the end
    // of the line. Fewer are returned when the line has fewer.
    static QStringList splitArguments(const QString& rest, int count);
    // Every blank-separated word.
    static QStringList words(const QString& rest);
};

} // namespace qel::batch
