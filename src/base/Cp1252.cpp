#include "base/Cp1252.h"

#include <algorithm>
#include <array>

namespace qel::app {

namespace {

// Unicode code points of the bytes 0x80-0x9F; 0 where Windows-1252 leaves the byte undefined.
constexpr std::array<char16_t, 32> kHighControls = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

int ansiCode(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
        return u;
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == u) {
            return static_cast<int>(0x80 + i);
        }
    }
    return '?';
}

QString decodeCp1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        if (b >= 0x80 && b <= 0x9F && kHighControls[b - 0x80] != 0) {
            text.append(QChar(kHighControls[b - 0x80]));
        } else {
            text.append(QChar(b));
        }
    }
    return text;
}

namespace {

// The length of the valid UTF-8 sequence at `at` (1 for ASCII), 0 when the bytes there are not
// UTF-8: a stray continuation byte, a sequence cut short, an overlong form, a surrogate or a
// code point beyond U+10FFFF.
int utf8SequenceAt(const QByteArray& bytes, qsizetype at) {
    const auto byte = [&bytes](qsizetype i) { return static_cast<unsigned char>(bytes.at(i)); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        return 1;
    }
    int length = 0;
    char32_t minimum = 0;
    char32_t code = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        minimum = 0x80;
        code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        minimum = 0x800;
        code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        minimum = 0x10000;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > bytes.size()) {
        return 0;
    }
    for (int i = 1; i < length; ++i) {
        const unsigned char next = byte(at + i);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return 0;
    }
    return length;
}

bool looksUtf16(const QByteArray& bytes) {
    if (bytes.startsWith("\xff\xfe") || bytes.startsWith("\xfe\xff")) {
        return true;
    }
    // Without a mark: ASCII text in UTF-16 has a NUL byte beside every character.
    const qsizetype sample = std::min<qsizetype>(bytes.size(), 512);
    if (sample < 2) {
        return false;
    }
    const qsizetype nuls = std::count(bytes.constBegin(), bytes.constBegin() + sample, '\0');
    return nuls * 4 >= sample;
}

bool crOnlyLineEnds(const QByteArray& bytes) {
    if (bytes.contains('\n')) {
        return false;
    }
    const qsizetype cr = bytes.indexOf('\r');
    // One CR at the very end is a last line break, not a way of ending lines.
    return cr >= 0 && cr < bytes.size() - 1;
}

} // namespace

DecodedText decodeTextFile(const QByteArray& bytes) {
    DecodedText decoded;
    if (looksUtf16(bytes)) {
        decoded.fault = DecodedText::Fault::Utf16;
        decoded.text = decodeCp1252(bytes);
        return decoded;
    }
    bool multiByte = false;
    int line = 1;
    int firstBadLine = 0;
    for (qsizetype at = 0; at < bytes.size();) {
        const int length = utf8SequenceAt(bytes, at);
        if (length == 0) {
            if (firstBadLine == 0) {
                firstBadLine = line;
            }
            ++at;
            continue;
        }
        if (length > 1) {
            multiByte = true;
        } else if (bytes.at(at) == '\n') {
            ++line;
        }
        at += length;
    }
    if (firstBadLine == 0) {
        decoded.text = QString::fromUtf8(bytes);
        if (decoded.text.startsWith(QChar(0xFEFF))) {
            decoded.text.remove(0, 1);
        }
    } else {
        decoded.text = decodeCp1252(bytes);
        if (multiByte) {
            decoded.fault = DecodedText::Fault::MixedEncoding;
            decoded.line = firstBadLine;
        }
    }
    if (decoded.fault == DecodedText::Fault::None && crOnlyLineEnds(bytes)) {
        decoded.fault = DecodedText::Fault::CrOnly;
    }
    return decoded;
}

QString DecodedText::problem(const QString& what) const {
    switch (fault) {
    case Fault::None:
        return {};
    case Fault::Utf16:
        return QStringLiteral("%1 está en UTF-16; guárdelo en UTF-8 o en Windows-1252 (ANSI).").arg(what);
    case Fault::CrOnly:
        return QStringLiteral("%1 separa sus líneas solo con CR (retorno de carro); guárdelo con fin de línea LF o "
                              "CR-LF.")
            .arg(what);
    case Fault::MixedEncoding:
        return QStringLiteral("%1 mezcla UTF-8 con otra codificación: la línea %2 tiene un byte que no es UTF-8. "
                              "Guárdelo todo en UTF-8 o todo en Windows-1252 (ANSI).")
            .arg(what)
            .arg(line);
    }
    return {};
}

QString decodeImportText(const QByteArray& bytes) {
    return decodeTextFile(bytes).text;
}

} // namespace qel::app
