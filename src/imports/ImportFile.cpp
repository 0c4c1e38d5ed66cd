#include "imports/ImportFile.h"

#include "base/Cp1252.h"

#include <utility>

namespace qel::imports {

const QString ImportFile::kMissingFinalSeparator =
    QStringLiteral("Cada línea del archivo debe terminar con el separador |");
const QString ImportFile::kWrongFieldCount =
    QStringLiteral("El archivo de Importación no tiene el número de campos correctos");

QStringList ImportFile::fieldsOf(const QString& line) {
    QStringList fields = line.split(QLatin1Char('|'));
    fields.removeLast(); // what follows the final separator
    for (QString& field : fields) {
        field = field.trimmed();
    }
    return fields;
}

ImportFileRead ImportFile::parse(const QByteArray& bytes, int fieldCount) {
    QList<std::pair<int, QString>> records;
    const QStringList lines = app::decodeImportText(bytes).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (!line.isEmpty()) {
            records.append({i + 1, line});
        }
    }
    // Both structural checks cover the whole file, the separator first, before any record is
    // looked at.
    for (const auto& record : records) {
        if (!record.second.endsWith(QLatin1Char('|'))) {
            return {{}, kMissingFinalSeparator};
        }
    }
    ImportFileRead read;
    for (const auto& [number, line] : records) {
        if (line.count(QLatin1Char('|')) != fieldCount) {
            return {{}, kWrongFieldCount};
        }
        read.lines.append({number, fieldsOf(line)});
    }
    return read;
}

} // namespace qel::imports
