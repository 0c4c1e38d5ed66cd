#pragma once

#include <QStringList>

namespace qel::store {

// The orders in which a declaration's tables are visited. Base names of the catalogue.
namespace declaration_tables {

// Working copies refreshed when the declaration form opens, in this order.
const QStringList& workingCopyOrder();
// Annex tables written back by the save, in this order (each with its new check codes).
const QStringList& saveOrder();
// Tables the save writes back after those of saveOrder().
const QStringList& saveOrderRemaining();
// The delete of a declaration: first these tables, then deleteCascadeSecond().
const QStringList& deleteCascadeFirst();
const QStringList& deleteCascadeSecond();
// History tables of one sent version, in the order of its delete.
const QStringList& sentVersionTables();
// The tables of a sent declaration for form 0588 (the envio_t rows, without "CONTROL").
const QStringList& sentDeclarationTables();

} // namespace declaration_tables
} // namespace qel::store
