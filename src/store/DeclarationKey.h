#pragma once

#include <QString>
#include <QVariantList>

namespace qel::store {

// A WHERE clause with its bound values, built up column by column.
struct SqlFilter {
    QString text;        // " WHERE ... " or empty
    QVariantList values; // one per '?', in order

    SqlFilter& andEquals(const QString& column, const QVariant& value);
    SqlFilter& andCondition(const QString& condition, const QVariantList& conditionValues = {});
};

// A declaration everywhere: document type 6, RUC, period and form code. Every statement on
// declaration data filters on all four.
struct DeclarationKey {
    static constexpr int kTipDocD = 6;

    QString ruc;
    QString periodo;
    QString formulario;

    bool isComplete() const { return !ruc.isEmpty() && !periodo.isEmpty() && !formulario.isEmpty(); }

    // " WHERE TIP_DOC_D=6 AND DOC_ID_D=? AND PERIODO=? AND FORMULARIO=?"
    SqlFilter filter() const;
    // The same filter narrowed to one sent version.
    SqlFilter versionFilter(const QString& correl) const;
    // The values of the four key columns, in table order.
    QVariantList columnValues() const;

    bool operator==(const DeclarationKey&) const = default;
};

} // namespace qel::store
