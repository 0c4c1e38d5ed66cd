#pragma once

#include "annexes/AssistantDef.h"

#include <QList>

namespace qel::annexes {

// Every casilla assistant that keeps box-less casillas: the cost of sales, the income by
// source, the loss compensation and the vehicle windows. One layout per window and casilla.
class AssistantCatalog {
public:
    static const AssistantCatalog& instance();

    const QList<AssistantDef>& all() const { return m_defs; }
    // The layout a window shows when opened for a casilla; the window's first one when the
    // casilla names none of its layouts; nullptr for a window that is not an assistant here.
    const AssistantDef* find(const QString& window, int casilla) const;

private:
    AssistantCatalog();
    QList<AssistantDef> m_defs;
};

} // namespace qel::annexes
