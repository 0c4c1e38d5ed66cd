#pragma once

#include "store/ColumnType.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace qel::store {

// The text of one column value as the check code sees it: a number in its plain
// numeric-to-text form, a date as "yyyymmdd", a text trimmed; anything else empty.
QString checkText(const QVariant& value, ColumnType type);

// The six-digit check code of a row whose column texts are given WITHOUT the final
// cNumero column. Columns before splitIndex feed the key sum, the others the text sum.
QString checkCodeOfTexts(const QStringList& texts, int splitIndex);

// The check code of a whole row read through the catalogue's types; the last column is
// cNumero itself and is never covered.
QString RowCheckCode(const QVariantList& row, const QList<ColumnType>& types, int splitIndex);

} // namespace qel::store
