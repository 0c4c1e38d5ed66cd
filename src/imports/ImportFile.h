#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace qel::imports {

// One record of an import file: its line number (1-based, counting every line) and its text.
// The fields are cut from the text when the record's turn comes, so that a large file is not
// held in memory field by field.
struct ImportLine {
    int number = 0;
    QString text; // trimmed, ending in the final separator

    // The fields, trimmed, without the final separator.
    QStringList fields() const;
};

// An import file read whole: its records, or the structural fault that stops the import
// before anything is written.
struct ImportFileRead {
    QList<ImportLine> lines;
    QString stop; // empty when the file is sound
};

// The text files of the imports: one record per line, every field (the last included)
// followed by "|". UTF-8 or Windows-1252 (app::decodeTextFile), CR-LF or LF, with or without a
// final line break; blank lines are skipped.
class ImportFile {
public:
    static const QString kMissingFinalSeparator; // "Cada línea del archivo debe terminar con el separador |"
    static const QString kWrongFieldCount;       // "El archivo de Importación no tiene el número de campos correctos"
    // Generous: a file of 100,000 rentals of 19 full fields is far below it.
    static constexpr qint64 kMaxBytes = 64 * 1024 * 1024;
    static const QString kWhat; // "El archivo de importación", as the messages begin

    // A file in UTF-16, with CR-only line ends or mixing UTF-8 with other bytes, or larger than
    // kMaxBytes, stops with the message that names the cause.
    static ImportFileRead parse(const QByteArray& bytes, int fieldCount);
    // The fields of one line ending in "|", trimmed.
    static QStringList fieldsOf(const QString& line);
};

} // namespace qel::imports
