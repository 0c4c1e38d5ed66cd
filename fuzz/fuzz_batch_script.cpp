// A batch script is typed by anyone: every line must read without crashing, the command is
// one word, and splitting the arguments keeps every word of the line, in order.
#include "batch/ScriptLine.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString script = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const QString& text : script.split(QLatin1Char('\n'))) {
        const qel::batch::ScriptLine line = qel::batch::ScriptLine::read(text);
        if (line.command.isEmpty()) {
            continue;
        }
        if (qel::batch::ScriptLine::words(line.command).size() != 1) {
            std::abort();
        }
        const QStringList words = qel::batch::ScriptLine::words(line.rest);
        for (int count = 1; count <= 4; ++count) {
            const QStringList arguments = qel::batch::ScriptLine::splitArguments(line.rest, count);
            if (arguments.size() > count || qel::batch::ScriptLine::words(arguments.join(QLatin1Char(' '))) != words) {
                std::abort();
            }
        }
    }
    return 0;
}
