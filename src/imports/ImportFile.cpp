#include "imports/ImportFile.h"

#include "base/BoundedFile.h"
#include "base/Cp1252.h"

#include <algorithm>
#include <utility>

namespace qel::imports {

const QString ImportFile::kMissingFinalSeparator =
    QStringLiteral("Cada línea del archivo debe terminar con el separador |");
const QString ImportFile::kWrongFieldCount =
    QStringLiteral("El archivo de Importación no tiene el número de campos correctos");
const QString ImportFile::kWhat = QStringLiteral("El archivo de importación");

// Read in one pass over the line rather than split and trimmed, to copy each field once; an
// empty field is an empty text, never a null one (a null text would be bound as NULL).
QStringList ImportFile::fieldsOf(const QString& line) {
    QStringList fields;
    fields.reserve(line.count(QLatin1Char('|')));
    const QChar* const begin = line.constData();
    const QChar* const end = begin + line.size();
    const QChar* start = begin;
    for (const QChar* at = begin; at != end; ++at) {
        if (*at != QLatin1Char('|')) {
            continue;
        }
        const QStringView field = QStringView(start, at).trimmed();
        fields.append(field.isEmpty() ? QString(QLatin1String("")) : field.toString());
        start = at + 1;
    }
    return fields; // what follows the final separator is no field
}

QStringList ImportLine::fields() const {
    return ImportFile::fieldsOf(text);
}

ImportFileRead ImportFile::parse(const QByteArray& bytes, int fieldCount) {
    ImportFileRead read;
    if (bytes.size() > kMaxBytes) {
        return {{},
                QStringLiteral("%1 tiene %2; no puede pasar de %3.")
                    .arg(kWhat, app::sizeText(bytes.size()), app::sizeText(kMaxBytes))};
    }
    const app::DecodedText decoded = app::decodeTextFile(bytes);
    if (decoded.fault != app::DecodedText::Fault::None) {
        return {{}, decoded.problem(kWhat)};
    }
    const QStringList lines = decoded.text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i).trimmed();
        if (!line.isEmpty()) {
            read.lines.append({i + 1, std::move(line)});
        }
    }
    // Both structural checks cover the whole file, the separator first, before any record is
    // looked at.
    const auto unterminated = [](const ImportLine& line) { return !line.text.endsWith(QLatin1Char('|')); };
    if (std::any_of(read.lines.cbegin(), read.lines.cend(), unterminated)) {
        return {{}, kMissingFinalSeparator};
    }
    const auto miscounted = [fieldCount](const ImportLine& line) {
        return line.text.count(QLatin1Char('|')) != fieldCount;
    };
    if (std::any_of(read.lines.cbegin(), read.lines.cend(), miscounted)) {
        return {{}, kWrongFieldCount};
    }
    return read;
}

} // namespace qel::imports
