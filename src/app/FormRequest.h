#pragma once

#include "store/DeclarationKey.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <optional>

namespace qel::app {

// What a window is opened with by the form launcher: its name, the declaration it serves,
// the action (1 add, 2 modify), an optional casilla, the key values of the row to modify,
// a code whose meaning depends on the window, and whether it may change anything.
struct FormRequest {
    static constexpr int kAdd = 1;
    static constexpr int kModify = 2;

    QString name;
    std::optional<store::DeclarationKey> key;
    int action = kAdd;
    std::optional<int> casilla;
    QStringList keyValues;
    QString code;
    bool readOnly = false;
    QPointer<QObject> parent; // the window that asks; the new window is modal over it
};

} // namespace qel::app
