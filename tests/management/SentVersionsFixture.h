#pragma once

#include "store/Database.h"
#include "store/SentVersions.h"
#include "store/TableCatalog.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QCryptographicHash>
#include <QSqlQuery>
#include <QStringList>
#include <functional>

namespace qel::test {

using namespace Qt::StringLiterals;

// A value for every data column of a row, so that a copy that drops or moves a column shows:
// texts carry the marker and the column's place, numbers and dates differ by column.
inline QVariantMap filledRow(const store::TableLayout& layout, const QString& marker, int serial) {
    QVariantMap row;
    for (int i = 0; i < layout.columns.size(); ++i) {
        const store::ColumnDef& column = layout.columns.at(i);
        const QString name = column.name.toUpper();
        if (name == u"TIP_DOC_D"_s || name == u"DOC_ID_D"_s || name == u"PERIODO"_s || name == u"FORMULARIO"_s ||
            name == store::TableCatalog::kCheckColumn.toUpper() || name == u"CORREL"_s) {
            continue;
        }
        if (name == u"CASILLA"_s) {
            row.insert(column.name, QString::number(100 + serial)); // a casilla the form knows
            continue;
        }
        switch (column.type) {
        case store::ColumnType::Text:
            row.insert(column.name, u"%1 %2.%3"_s.arg(marker).arg(serial).arg(i));
            break;
        case store::ColumnType::Integer:
            row.insert(column.name, serial * 100 + i);
            break;
        case store::ColumnType::Double:
            row.insert(column.name, serial + i / 4.0);
            break;
        case store::ColumnType::Currency:
            row.insert(column.name, 1000 * serial + i);
            break;
        case store::ColumnType::Date:
            row.insert(column.name, u"2019-03-%1"_s.arg(10 + i % 18));
            break;
        }
    }
    return row;
}

// `rows` filled rows (one for the header) in the `copy` of every table envio_t lists; `adjust`
// sets a row's own values, told whether it is the header.
inline void addFilledRows(store::Database& db, const store::DeclarationKey& key, store::Copy copy,
                          const QString& marker, int rows, const std::function<void(QVariantMap&, bool)>& adjust) {
    for (const QString& table : store::SentTables(db, key.formulario)) {
        const store::TableLayout layout = store::TableCatalog::instance().layout(table, copy);
        const bool header = table.toUpper() == u"CAB"_s;
        for (int serial = 1; serial <= (header ? 1 : rows); ++serial) {
            QVariantMap row = filledRow(layout, marker, serial);
            if (layout.hasColumn(u"SEMANA"_s)) {
                row.insert(u"SEMANA"_s, 0);
            }
            adjust(row, header);
            insertRow(db, layout.name, key, row);
        }
    }
}

// A sent version of the declaration: `rows` filled rows in the history copy of every table
// envio_t lists, the header with ESTADO 0, the send date and the control number.
inline void addSentVersion(store::Database& db, const store::DeclarationKey& key, const QString& correl,
                           const QString& marker, int rows = 2, const QString& sentOn = u"2019-03-20"_s) {
    addFilledRows(db, key, store::Copy::History, marker, rows, [&](QVariantMap& row, bool header) {
        row.insert(u"CORREL"_s, correl);
        if (header) {
            row.insert(u"ESTADO"_s, 0);
            row.insert(u"FEC_ENV"_s, sentOn);
            row.insert(u"CONTROL"_s, marker + u"-CTRL"_s);
            row.insert(u"NORDEN"_s, QString());
        }
    });
}

// An active declaration: `rows` filled rows in the permanent copy of every envio_t table.
inline void addActiveDeclaration(store::Database& db, const store::DeclarationKey& key, const QString& marker,
                                 int rows = 1) {
    addFilledRows(db, key, store::Copy::Permanent, marker, rows, [](QVariantMap&, bool) {});
}

// A stored declaration: its header in state `estado` and a row for each casilla's value.
inline void addStoredDeclaration(store::Database& db, const store::DeclarationKey& key,
                                 const QList<std::pair<int, QString>>& casillas, int estado = 0) {
    insertRow(db, u"CAB"_s, key, {{u"SEMANA"_s, 0}, {u"ESTADO"_s, estado}});
    for (const auto& [casilla, value] : casillas) {
        insertRow(db, u"DET"_s, key,
                  {{u"SEMANA"_s, 0}, {u"CASILLA"_s, QString::number(casilla)}, {u"i_valor"_s, value}});
    }
}

// The rows of one physical table selected by a filter, with the given columns, in a fixed
// order: one text per row, columns separated by '|'.
inline QStringList tableRows(store::Database& db, const QString& table, const QStringList& columns,
                             const store::SqlFilter& filter) {
    QStringList rows;
    QSqlQuery query =
        db.run(u"SELECT %1 FROM %2"_s.arg(columns.join(QLatin1Char(',')), table) + filter.text, filter.values);
    while (query.next()) {
        QStringList cells;
        for (int c = 0; c < columns.size(); ++c) {
            cells.append(query.value(c).toString());
        }
        rows.append(cells.join(QLatin1Char('|')));
    }
    rows.sort();
    return rows;
}

// A digest of every row of every permanent and history copy of the envio_t tables.
inline QByteArray sentTablesDigest(store::Database& db, const QString& formulario = u"0588"_s) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString& table : store::SentTables(db, formulario)) {
        if (store::TableCatalog::instance().find(table) == nullptr) {
            continue;
        }
        for (const store::Copy copy : {store::Copy::Permanent, store::Copy::History}) {
            const store::TableLayout layout = store::TableCatalog::instance().layout(table, copy);
            hash.addData(tableRows(db, layout.name, layout.columnNames(), {}).join(QLatin1Char('\n')).toUtf8());
        }
    }
    return hash.result().toHex();
}

} // namespace qel::test
