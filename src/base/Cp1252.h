#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

namespace qel::app {

// The Windows-1252 ("ANSI") code of a character; 63 ('?') when it has none.
int ansiCode(QChar c);
QString decodeCp1252(const QByteArray& bytes);

// A text file other programs wrote, decoded: UTF-8 when its bytes are valid UTF-8,
// Windows-1252 when it has no valid multi-byte UTF-8 sequence at all. What cannot be read as
// either is a fault that names its cause.
struct DecodedText {
    enum class Fault {
        None,
        Utf16,         // a byte-order mark of UTF-16, or a NUL byte beside every character
        CrOnly,        // lines ended by CR alone: the whole file would be one line
        MixedEncoding, // valid UTF-8 sequences and bytes that are not UTF-8 in one file
    };
    QString text; // UTF-8 or Windows-1252 as above (Windows-1252 for a mixed file)
    Fault fault = Fault::None;
    int line = 0; // MixedEncoding: the first line (1-based) holding a byte that is not UTF-8

    // The fault in Spanish, `what` being the file as the sentence starts ("El archivo de
    // importación"); empty when there is none.
    QString problem(const QString& what) const;
};
DecodedText decodeTextFile(const QByteArray& bytes);

// Import files come as UTF-8 or Windows-1252: UTF-8 when the bytes are valid UTF-8.
QString decodeImportText(const QByteArray& bytes);

} // namespace qel::app
