#pragma once

#include "store/DeclarationKey.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace qel::store {

class Database;

// The rows of a sent version, read from and removed from the history (H) copies. These throw
// DatabaseError; the commands that use them run them as one transaction.

// The tables a sent declaration of the form is made of, as envio_t lists them (every row but
// "CONTROL"), in the order they were listed. Base names, trimmed.
QStringList SentTables(Database& db, const QString& formulario);

// Removes the version `correl` of the declaration from the history copy of one table.
void DeleteVersionRows(Database& db, const QString& baseName, const DeclarationKey& key, const QString& correl);

// Adds the rows of the version `correl` to the permanent table under the same key, every
// column of the permanent table copied by name from the history row; `fixed` gives columns a
// value of their own instead (CAB's ESTADO). Each row gets its check code computed anew for
// the permanent table, whose keys do not count CORREL.
void CopyVersionToPermanent(Database& db, const QString& baseName, const DeclarationKey& key, const QString& correl,
                            const QVariantMap& fixed = {});

// Whether the version exists: its HCAB row.
bool VersionExists(Database& db, const DeclarationKey& key, const QString& correl);

} // namespace qel::store
