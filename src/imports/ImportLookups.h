#pragma once

#include "store/StatementCache.h"

#include <QHash>
#include <QString>
#include <optional>

namespace qel::app {
class UtilityComponent;
}

namespace qel::store {
class Database;
}

namespace qel::imports {

// What one import reads again and again, kept for the import only: its statements prepared
// once, the '044' row of each document type and the district names of the ubigeo codes. The
// reference rows do not change while a file is imported; the working tables are always read
// afresh (through the prepared statements), so that a record sees the rows written before it.
class ImportLookups {
public:
    ImportLookups(store::Database& db, app::UtilityComponent& utility);

    store::StatementCache& statements() { return m_statements; }
    // The utility component's document check, with the type's row read once.
    bool checkDocumentNumber(int documentType, const QString& number);
    // The district of a ubigeo code; empty when there is none.
    QString districtName(const QString& ubigeo);

private:
    store::Database& m_db;
    app::UtilityComponent& m_utility;
    store::StatementCache m_statements;
    QHash<int, std::optional<QString>> m_documentRules;
    QHash<QString, QString> m_districts;
};

} // namespace qel::imports
