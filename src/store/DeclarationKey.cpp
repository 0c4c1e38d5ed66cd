#include "store/DeclarationKey.h"

#include "store/TableCatalog.h"

namespace qel::store {

SqlFilter& SqlFilter::andEquals(const QString& column, const QVariant& value) {
    return andCondition(column + QStringLiteral("=?"), {value});
}

SqlFilter& SqlFilter::andCondition(const QString& condition, const QVariantList& conditionValues) {
    text += text.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ");
    text += condition;
    values += conditionValues;
    return *this;
}

SqlFilter DeclarationKey::filter() const {
    SqlFilter f;
    f.andCondition(QStringLiteral("TIP_DOC_D=%1").arg(kTipDocD));
    f.andEquals(QStringLiteral("DOC_ID_D"), ruc);
    f.andEquals(QStringLiteral("PERIODO"), periodo);
    f.andEquals(QStringLiteral("FORMULARIO"), formulario);
    return f;
}

SqlFilter DeclarationKey::versionFilter(const QString& correl) const {
    SqlFilter f = filter();
    f.andEquals(TableCatalog::kCorrelColumn, correl);
    return f;
}

QVariantList DeclarationKey::columnValues() const {
    return {kTipDocD, ruc, periodo, formulario};
}

} // namespace qel::store
