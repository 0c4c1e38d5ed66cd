#include "store/TableCatalog.h"
#include "support/TestSupport.h"

#include <QSqlRecord>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace qel::store;

// Every declaration table keeps the declaration key first and the check code last in each copy;
// the history copy adds the correlative right after the key the check code is split at.
TEST(TableCatalog, CopiesShareColumnsAndHistoryAddsCorrelToTheKey) {
    const auto& catalog = TableCatalog::instance();
    for (const TableDef& def : catalog.tables()) {
        if (!def.declaration) {
            continue;
        }
        const TableLayout permanent = catalog.layout(def.name, Copy::Permanent);
        EXPECT_EQ(permanent.columns.first().name, u"TIP_DOC_D"_s) << def.name.toStdString();
        EXPECT_EQ(permanent.columns.last().name, TableCatalog::kCheckColumn) << def.name.toStdString();
        if (def.working) {
            EXPECT_EQ(catalog.layout(def.name, Copy::Working).columnNames(), permanent.columnNames());
        }
        if (def.history) {
            const TableLayout history = catalog.layout(def.name, Copy::History);
            EXPECT_EQ(history.columns.at(def.keyCount).name, TableCatalog::kCorrelColumn) << def.name.toStdString();
            EXPECT_EQ(history.columns.last().name, TableCatalog::kCheckColumn) << def.name.toStdString();
            EXPECT_EQ(history.columns.size(), permanent.columns.size() + 1 + def.historyExtras.size());
            EXPECT_EQ(history.keyCount, def.keyCount + 1) << def.name.toStdString();
        }
    }
}

TEST(TableCatalog, CreatedDatabaseHoldsEveryTableAndIsIntact) {
    qel::test::TempDatabase temp;
    auto& db = temp.db();
    EXPECT_EQ(db.scalar(u"PRAGMA integrity_check"_s).toString(), u"ok"_s);
    for (const TableLayout& layout : TableCatalog::instance().physicalTables()) {
        const QSqlRecord record = db.connection().record(layout.name);
        ASSERT_EQ(record.count(), layout.columns.size()) << layout.name.toStdString();
        for (int i = 0; i < record.count(); ++i) {
            EXPECT_EQ(record.fieldName(i).toUpper(), layout.columns.at(i).name.toUpper()) << layout.name.toStdString();
        }
    }
}
