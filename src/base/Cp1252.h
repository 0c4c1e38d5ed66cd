#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

namespace qel::app {

// The Windows-1252 ("ANSI") code of a character; 63 ('?') when it has none.
int ansiCode(QChar c);
QString decodeCp1252(const QByteArray& bytes);
// Import files come as UTF-8 or Windows-1252: UTF-8 when the bytes are valid UTF-8.
QString decodeImportText(const QByteArray& bytes);

} // namespace qel::app
