#include "store/ReferenceCsv.h"

#include "store/DatabaseError.h"

namespace qel::store {

QString CsvTable::value(const QMap<QString, QString>& row, const QString& column) const {
    if (!header.contains(column)) {
        throw DatabaseError(
            -1, QStringLiteral("El archivo de datos de referencia %1 no tiene la columna %2.").arg(file, column));
    }
    return row.value(column);
}

QStringList CsvTable::splitLine(const QString& line) {
    QStringList fields;
    QString current;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < line.size() && line.at(i + 1) == QLatin1Char('"')) {
                current += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                current += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            fields.append(current);
            current.clear();
        } else {
            current += c;
        }
    }
    fields.append(current);
    return fields;
}

CsvTable CsvTable::parse(const QString& file, const QByteArray& text) {
    CsvTable table;
    table.file = file;
    const QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        if (line.trimmed().isEmpty()) {
            continue;
        }
        const QStringList fields = splitLine(line);
        if (table.header.isEmpty()) {
            table.header = fields;
            continue;
        }
        if (fields.size() != table.header.size()) {
            throw DatabaseError(
                -1, QStringLiteral("Línea mal formada en el archivo de datos de referencia %1: %2").arg(file, line));
        }
        QMap<QString, QString> row;
        for (qsizetype i = 0; i < fields.size(); ++i) {
            row.insert(table.header.at(i), fields.at(i).trimmed());
        }
        table.rows.append(row);
    }
    return table;
}

} // namespace qel::store
