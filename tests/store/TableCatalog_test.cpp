#include "store/TableCatalog.h"
#include "support/TestSupport.h"

#include <QSqlRecord>
#include <gtest/gtest.h>

using namespace qel::store;

TEST(TableCatalog, SplitIndexesOfTheCheckCode) {
    // The number of leading key columns of each table is the split index its writers use.
    const QList<QPair<const char*, int>> expected = {
        {"CAB", 5},           {"ACTA", 5},        {"DET", 6},           {"F535CASEF", 8},     {"F586DONAC", 8},
        {"F535GNDOMRRTA", 8}, {"F582BALANCE", 5}, {"F535DETVAR", 7},    {"F564MINERIA", 6},   {"F540HIDROCAR", 6},
        {"F582OTRGAS", 6},    {"F564DEMINH", 6},  {"F542DESUSO", 8},    {"F542REOEMP", 6},    {"F584CREDITOS", 9},
        {"F535SOCIOS", 7},    {"F535MERMAS", 8},  {"F535DESMEDROS", 8}, {"F535REGALIAS", 7},  {"F535PEREXTRA", 5},
        {"F542OPERFIN", 6},   {"F572GASREP", 6},  {"F572DETBAS", 6},    {"F544ADICDEDUC", 6}, {"F564ADMINH", 6},
        {"F540DISLEG", 6},    {"F542OTRAS", 9}};
    const auto& catalog = TableCatalog::instance();
    for (const auto& [name, split] : expected) {
        EXPECT_EQ(catalog.table(QString::fromLatin1(name)).keyCount, split) << name;
        EXPECT_EQ(catalog.layout(QString::fromLatin1(name), Copy::History).keyCount, split + 1) << name;
    }
}

TEST(TableCatalog, EveryAnnexOfThePrefixTableWithItsCopies) {
    struct Annex {
        const char* name;
        bool permanentAndHistory;
    };
    const QList<Annex> annexes = {
        {"F535CASEF", true},    {"F535DESMEDROS", true}, {"F535DETVAR", true},    {"F535GNDOMRRTA", true},
        {"F535MERMAS", true},   {"F535MOVDA_IME", true}, {"F535MOV_IME", true},   {"F535PEREXTRA", true},
        {"F535REGALIAS", true}, {"F535SOCIOS", true},    {"F535FIDEICO", true},   {"F535INVEXT", true},
        {"F540DISLEG", true},   {"F540HIDROCAR", true},  {"F542DESUSO", true},    {"F542OPERFIN", true},
        {"F542OTRAS", true},    {"F542REOEMP", true},    {"F544ADICDEDUC", true}, {"F564ADMINH", true},
        {"F564DEMINH", true},   {"F564MINERIA", true},   {"F572DETBAS", true},    {"F572GASREP", true},
        {"F582ALQUILER", true}, {"F582BALANCE", true},   {"F582COLCAB", true},    {"F582COLDET", true},
        {"F582EXPORTA", true},  {"F582NODOMIC", true},   {"F582OTRGAS", true},    {"F582RTAFTEEXT", true},
        {"F584CREDITOS", true}, {"F584GASINV", true},    {"F584VEHIC", true},     {"F584DET", false},
        {"F586DONAC", true},    {"F586IDERTA", true},    {"F586PAR", true},       {"F512PCAB", false},
        {"F512PDET", true},     {"F4170DET", true}};
    const auto& catalog = TableCatalog::instance();
    for (const auto& a : annexes) {
        const QString name = QString::fromLatin1(a.name);
        EXPECT_TRUE(catalog.resolve(QStringLiteral("TMP") + name).has_value()) << a.name;
        EXPECT_EQ(catalog.resolve(name).has_value(), a.permanentAndHistory) << a.name;
        EXPECT_EQ(catalog.resolve(QStringLiteral("H") + name).has_value(), a.permanentAndHistory) << a.name;
    }
}

TEST(TableCatalog, CopiesShareColumnsAndHistoryAddsCorrelToTheKey) {
    const auto& catalog = TableCatalog::instance();
    for (const TableDef& def : catalog.tables()) {
        if (!def.declaration) {
            continue;
        }
        const TableLayout permanent = catalog.layout(def.name, Copy::Permanent);
        EXPECT_EQ(permanent.columns.first().name, QStringLiteral("TIP_DOC_D")) << def.name.toStdString();
        EXPECT_EQ(permanent.columns.last().name, TableCatalog::kCheckColumn) << def.name.toStdString();
        if (def.working) {
            EXPECT_EQ(catalog.layout(def.name, Copy::Working).columnNames(), permanent.columnNames());
        }
        if (def.history) {
            const TableLayout history = catalog.layout(def.name, Copy::History);
            EXPECT_EQ(history.columns.at(def.keyCount).name, TableCatalog::kCorrelColumn) << def.name.toStdString();
            EXPECT_EQ(history.columns.last().name, TableCatalog::kCheckColumn) << def.name.toStdString();
            EXPECT_EQ(history.columns.size(), permanent.columns.size() + 1 + def.historyExtras.size());
        }
    }
    const TableLayout hcab = catalog.layout(QStringLiteral("CAB"), Copy::History);
    for (const char* column : {"NORDEN", "FEC_ENV", "CONTROL", "CORREL"}) {
        EXPECT_TRUE(hcab.hasColumn(QString::fromLatin1(column))) << column;
    }
    EXPECT_TRUE(catalog.layout(QStringLiteral("DET"), Copy::History).hasColumn(QStringLiteral("estado")));
}

TEST(TableCatalog, CreatedDatabaseHoldsEveryTableAndIsIntact) {
    qel::test::TempDatabase temp;
    auto& db = temp.db();
    EXPECT_EQ(db.scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    for (const TableLayout& layout : TableCatalog::instance().physicalTables()) {
        const QSqlRecord record = db.connection().record(layout.name);
        ASSERT_EQ(record.count(), layout.columns.size()) << layout.name.toStdString();
        for (int i = 0; i < record.count(); ++i) {
            EXPECT_EQ(record.fieldName(i).toUpper(), layout.columns.at(i).name.toUpper()) << layout.name.toStdString();
        }
    }
    for (const char* name : {"CONT", "CAB", "DET", "ACTA", "PARAM", "ERROR", "CLAVES", "SPOOL", "envio_t",
                             "F544BALCUEN", "HCAB", "HDET", "HACTA", "TMPACTA"}) {
        EXPECT_TRUE(db.connection().tables().contains(QString::fromLatin1(name), Qt::CaseInsensitive)) << name;
    }
}
