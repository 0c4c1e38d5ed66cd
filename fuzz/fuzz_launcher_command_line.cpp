// The launcher's command line comes from anyone who can start it: any list of arguments must
// parse without crashing, and a line that parses without error names only what it allows.
#include "launcher/CommandLine.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One argument per NUL-separated piece, as the system hands them over.
    QStringList arguments = {QStringLiteral("qel")};
    for (const QByteArray& piece :
         QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)).split('\0')) {
        arguments.append(QString::fromLocal8Bit(piece));
    }
    const qel::launcher::CommandLine line = qel::launcher::CommandLine::parse(arguments);
    if (line.error.isEmpty() && line.send && !line.user) {
        std::abort(); // nothing is sent without a user who logs in
    }
    if (line.error.isEmpty() && line.password && !line.user) {
        std::abort();
    }
    (void)line.opensWindow();
    return 0;
}
