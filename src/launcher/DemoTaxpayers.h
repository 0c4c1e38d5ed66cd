#pragma once

#include "launcher/TaxpayerRegistry.h"

#include <QList>

namespace qel::store {
class Database;
}

namespace qel::launcher {

// The taxpayers of the demonstration environment: two registered by CONTADOR, one by
// SUPERVISOR, all of third-category income.
class DemoTaxpayers {
public:
    static const QList<Taxpayer>& all();
    // Registers the ones not yet registered; answers how many were added.
    static int add(store::Database& db);
};

} // namespace qel::launcher
