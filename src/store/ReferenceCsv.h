#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace qel::store {

// A reference data file (data/*.csv): its header names and its rows, each a map from header
// name to field. Fields are separated by commas and may be double-quoted, with "" for a
// quote; blank lines are skipped.
struct CsvTable {
    QString file;
    QStringList header;
    QList<QMap<QString, QString>> rows;

    // The field of a row; a column the header lacks throws DatabaseError.
    QString value(const QMap<QString, QString>& row, const QString& column) const;

    // Reads the text of a file (UTF-8). A row whose field count differs from the header's
    // throws DatabaseError naming the file and the line.
    static CsvTable parse(const QString& file, const QByteArray& text);
    static QStringList splitLine(const QString& line);
};

} // namespace qel::store
