#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

namespace qel::store {

class Database;

// A listing statement prepared once and run again with new bound values, its rows read
// straight from the engine: what a grid re-reads after every action of its window. Values
// come as the query helpers give them (integers, reals, texts, null).
class PreparedRows {
public:
    PreparedRows(Database& db, QString sql);
    ~PreparedRows();
    PreparedRows(const PreparedRows&) = delete;
    PreparedRows& operator=(const PreparedRows&) = delete;

    // Runs the statement with `values` and reads every row. Throws DatabaseError.
    void read(const QVariantList& values);

    const QStringList& names() const { return m_names; }
    QList<QVariantList>& rows() { return m_rows; }

private:
    void prepare();
    void bind(const QVariantList& values);
    [[noreturn]] void fail(int code) const;

    Database& m_db;
    QString m_sql;
    sqlite3_stmt* m_statement = nullptr;
    QStringList m_names;
    QList<QVariantList> m_rows;
};

} // namespace qel::store
