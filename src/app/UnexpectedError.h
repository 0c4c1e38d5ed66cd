#pragma once

#include <QString>

namespace qel::app {

// The text shown for an exception that escaped: its own message and what it means.
inline QString unexpectedErrorText(const QString& what) {
    return QStringLiteral("Se produjo un error inesperado:\n%1\n\nLa operación en curso no se completó; lo grabado "
                          "antes no se modificó.")
        .arg(what);
}

} // namespace qel::app
