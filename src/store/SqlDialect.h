#pragma once

#include "store/ColumnType.h"

#include <QString>
#include <QStringList>

namespace qel::store {

// The two engines a database of the QEL can live on: a SQLite file (the embedded default) or an
// office server.
enum class Engine { SQLite, PostgreSQL };

// Everything the two engines spell differently, in one place. SQL outside the store writes its
// statements in the words both engines share and asks the dialect of its database for the rest.
class SqlDialect {
public:
    static const SqlDialect& of(Engine engine);
    static const SqlDialect& sqlite() { return of(Engine::SQLite); }
    static const SqlDialect& postgresql() { return of(Engine::PostgreSQL); }

    Engine engine() const { return m_engine; }

    // The column type of a catalogue type.
    QString columnType(ColumnType type) const;
    // The column that keeps the order rows were written in: SQLite's own rowid; on the server a
    // generated column of the same name, declared last, after the catalogue's columns, so that
    // "ORDER BY rowid" reads alike on both engines.
    QString rowOrder() const;
    // What the server adds to every table for rowOrder(); empty on SQLite.
    QString rowOrderColumn() const;
    // A column or expression read as a number: NULL, an empty text or a text that does not begin
    // with a number read as 0, a text's leading number as that number.
    QString realOf(const QString& expression) const;
    // The same for a whole number (a text such as "128" or " 07").
    QString integerOf(const QString& expression) const;
    // The sum of a numeric expression over the rows, 0 (a double) when there is none.
    QString total(const QString& expression) const;
    // The statement as this engine reads it. The module writes the null-safe comparison with a
    // bound value as SQLite spells it ("tipo_doc IS ?", "IS NOT ?"): a key column may be NULL
    // and a row must still be found by it. The server spells it IS [NOT] DISTINCT FROM.
    QString statement(const QString& sql) const;
    // The row check code of the columns given, whose catalogue type letters are `types` and
    // whose first `split` columns are keys.
    QString checkCode(const QString& types, int split, const QStringList& columns) const;
    // An INSERT of one row of bound values that leaves a row already there under the same unique
    // key as it is.
    QString insertKeepingExisting(const QString& table, const QStringList& columns) const;
    // A bound value of a column's type where nothing else tells the engine its type (a value
    // selected as a column): the server types an unknown parameter as text.
    QString typedValue(ColumnType type) const;
    // The statement that opens a write transaction (taking the write lock at once on SQLite).
    QString beginWrite() const;
    // What ends a SELECT inside a write transaction so that the rows it reads stay locked until
    // the transaction ends: the server locks them, SQLite's write transaction holds the whole
    // file already (empty).
    QString lockingRead() const;
    // The channel on which a server announces that declarations changed (saved, sent), and the
    // statement, with the changed RUC bound, that announces it inside the writing transaction
    // (delivered on commit only). SQLite has no such channel: the file itself changes (empty).
    static const QString kChangeChannel;
    QString changeNotice() const;
    // The functions the module's SQL calls, installed with the schema (the server keeps them);
    // SQLite registers its own on every connection instead.
    QStringList functionDdl() const;

private:
    explicit SqlDialect(Engine engine) : m_engine(engine) {}
    Engine m_engine;
};

} // namespace qel::store
