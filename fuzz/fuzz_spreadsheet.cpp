// Spreadsheets come from other programs: any workbook, however damaged, must be read or refused
// with the system's message, and what it gives is "|"-terminated lines of the range's width.
#include "imports/SpreadsheetReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/libro.xls");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            return 0;
        }
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    const auto range = qel::imports::SheetRange::parse(QStringLiteral("A4:H65535"));
    const qel::imports::SpreadsheetReader::Result result = qel::imports::SpreadsheetReader::read(path, *range);
    for (const QByteArray& line : result.lines.split('\n')) {
        if (!line.isEmpty() && (line.count('|') != 8 || !line.endsWith('|'))) {
            std::abort();
        }
    }
    return 0;
}
