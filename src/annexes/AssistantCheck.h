#pragma once

#include "store/DeclarationKey.h"

#include <QString>

namespace qel::store {
class Database;
}

namespace qel::annexes {

class AssistantValues;

// What a check may look at besides the window's own values: the declaration's working tables.
struct AssistantContext {
    store::Database& db;
    store::DeclarationKey key;
    int casilla = 0; // the casilla the window was opened for
};

// A check of an assistant that the fields' own rules cannot express: compares with other
// working rows, limits by the UIT ... The first problem found keeps the window open.
class AssistantCheck {
public:
    virtual ~AssistantCheck() = default;
    // The message for the user, or "" when the values pass.
    virtual QString problem(const AssistantValues& values, const AssistantContext& context) const = 0;
};

} // namespace qel::annexes
