// Import files come from other programs: any bytes must read without crashing, every record
// read has exactly the kind's field count, and the fields of a line are the line cut at every
// "|" and trimmed, an empty one an empty text (never a null one, which would be bound as NULL).
#include "imports/ImportFile.h"

#include <QStringList>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const int fieldCount = 1 + data[0] % 20;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    const qel::imports::ImportFileRead read = qel::imports::ImportFile::parse(bytes, fieldCount);
    for (const qel::imports::ImportLine& line : read.lines) {
        if (line.fields().size() != fieldCount || line.number < 1) {
            std::abort();
        }
    }
    if (!read.stop.isEmpty() && !read.lines.isEmpty()) {
        std::abort(); // a structural fault reads no record at all
    }
    const QString line = QString::fromUtf8(bytes);
    QStringList expected = line.split(QLatin1Char('|'));
    expected.removeLast();
    const QStringList fields = qel::imports::ImportFile::fieldsOf(line);
    if (fields.size() != expected.size()) {
        std::abort();
    }
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (fields.at(i) != expected.at(i).trimmed() || fields.at(i).isNull()) {
            std::abort();
        }
    }
    return 0;
}
