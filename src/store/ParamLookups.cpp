#include "store/ParamLookups.h"

#include "base/NumberFormat.h"
#include "store/Database.h"
#include "store/ParamLayouts.h"

#include <QSqlQuery>

namespace qel::store {

namespace {

constexpr int kItemNameWidth = 75;
const QString kItemSeparator = QStringLiteral("  -  ");

bool isDigits(const QString& text) {
    if (text.isEmpty()) {
        return false;
    }
    for (const QChar c : text) {
        if (!c.isDigit()) {
            return false;
        }
    }
    return true;
}

} // namespace

QString ParamLookups::UitForYear(const QString& year) {
    QSqlQuery rows = m_db.run(QStringLiteral("SELECT substr(Argumento, 1, 4) AS PER, trim(Funcion) AS UIT FROM PARAM "
                                             "WHERE Numero = ? AND substr(Argumento, 1, 4) <= ? "
                                             "ORDER BY substr(Argumento, 1, 4), Argumento"),
                              {param_list::kUit, year});
    QString uit;
    while (rows.next()) {
        uit = app::numberText(app::val(rows.value(1).toString()));
    }
    return uit;
}

QString ParamLookups::nameOf(const QString& numero, const QString& argumento, int length) {
    if (argumento.size() < length) {
        return {};
    }
    const ParamLayout& layout = ParamLayouts::instance().layout(numero);
    return layout.cut(ParamSlice(numero, argumento.left(length), 1, layout.width), QStringLiteral("nombre"));
}

QString ParamLookups::DepartmentName(const QString& ubigeo) {
    return nameOf(param_list::kDepartment, ubigeo.trimmed(), 2);
}

QString ParamLookups::ProvinceName(const QString& ubigeo) {
    return nameOf(param_list::kProvince, ubigeo.trimmed(), 4);
}

QString ParamLookups::DistrictName(const QString& ubigeo) {
    const QString code = ubigeo.trimmed();
    return nameOf(param_list::kDistrict, code, static_cast<int>(code.size()));
}

QString ParamLookups::PlaceDescription(const QString& ubigeo) {
    if (ubigeo.trimmed().isEmpty()) {
        return {};
    }
    return DepartmentName(ubigeo) + QLatin1Char('-') + ProvinceName(ubigeo) + QLatin1Char('-') + DistrictName(ubigeo);
}

QString ParamLookups::docTypeCode(const QString& code) {
    QString trimmed = code.trimmed();
    if (!isDigits(trimmed)) {
        return trimmed;
    }
    qsizetype firstSignificant = 0;
    while (firstSignificant < trimmed.size() - 1 && trimmed.at(firstSignificant) == QLatin1Char('0')) {
        ++firstSignificant;
    }
    return trimmed.mid(firstSignificant).rightJustified(2, QLatin1Char('0'));
}

QString ParamLookups::DocTypeFunction(const QString& code) {
    const QString argument = docTypeCode(code);
    if (argument.isEmpty()) {
        return {};
    }
    const QVariant funcion = m_db.scalar(QStringLiteral("SELECT Funcion FROM PARAM WHERE Numero = ? AND Argumento = ?"),
                                         {param_list::kDocumentType, argument});
    if (funcion.isValid() && !funcion.isNull()) {
        return funcion.toString();
    }
    return argument == QStringLiteral("06") ? doc_type_layout::rucFallbackFunction() : QString();
}

QString ParamLookups::DocTypeName(const QString& code, bool longName) {
    const QString funcion = DocTypeFunction(code);
    return longName ? funcion.mid(doc_type_layout::kLongName - 1, doc_type_layout::kLongNameLength).trimmed()
                    : funcion.mid(doc_type_layout::kShortName - 1, doc_type_layout::kShortNameLength).trimmed();
}

bool ParamLookups::DocTypeAllowed(const QString& code, int contextPosition) {
    if (contextPosition < 1) {
        return false;
    }
    return DocTypeFunction(code).mid(contextPosition - 1, 1) == QStringLiteral("1");
}

QStringList ParamLookups::docTypeItems(int contextPosition, bool withDetail, bool shortName, bool skipSeven) {
    const int nameStart = shortName ? doc_type_layout::kShortName : doc_type_layout::kLongName;
    const int nameLength = shortName ? doc_type_layout::kShortNameLength : doc_type_layout::kLongNameLength;
    QSqlQuery rows =
        m_db.run(QStringLiteral("SELECT Argumento, substr(Funcion, ?, ?), substr(Funcion, ?, 2), "
                                "substr(Funcion, ?, 1), substr(Funcion, ?, 1) FROM PARAM "
                                "WHERE Numero = ? AND substr(Funcion, ?, 1) = '1' "
                                "ORDER BY substr(Funcion, ?, 2), Argumento"),
                 {nameStart, nameLength, doc_type_layout::kLenDoc, doc_type_layout::kDataType,
                  doc_type_layout::kLengthType, param_list::kDocumentType, contextPosition, doc_type_layout::kOrder});
    QStringList items;
    while (rows.next()) {
        const QString code = docTypeCode(rows.value(0).toString());
        if (code == QStringLiteral("02") || code == QStringLiteral("03") ||
            (skipSeven && code == QStringLiteral("07"))) {
            continue;
        }
        const QString name = rows.value(1).toString().trimmed();
        if (!withDetail) {
            items.append(code + kItemSeparator + name);
            continue;
        }
        items.append(code + kItemSeparator + name.leftJustified(kItemNameWidth, QLatin1Char(' '), true) +
                     rows.value(2).toString() + QLatin1Char(' ') + rows.value(3).toString() + QLatin1Char(' ') +
                     rows.value(4).toString());
    }
    return items;
}

ParamLookups::DocTypeDetail ParamLookups::docTypeDetail(const QString& item) {
    const qsizetype detailStart = 2 + kItemSeparator.size() + kItemNameWidth;
    DocTypeDetail detail;
    detail.code = item.left(2);
    detail.lenDoc = item.mid(detailStart, 2).trimmed().toInt();
    detail.tipoDato = item.mid(detailStart + 3, 1);
    detail.tipoLongitud = item.mid(detailStart + 5, 1);
    return detail;
}

QString ParamLookups::ParamSlice(const QString& numero, const QString& argumento, int start, int length) {
    const QVariant slice =
        m_db.scalar(QStringLiteral("SELECT substr(Funcion, ?, ?) FROM PARAM WHERE Numero = ? AND Argumento = ?"),
                    {start, length, numero, argumento});
    return slice.toString();
}

QList<ParamLookups::Row> ParamLookups::ParamRows(const QString& numero) {
    // Numeric order as the launcher's val(): a text that is no number counts as 0.
    QSqlQuery rows =
        m_db.run(QStringLiteral("SELECT Funcion, Argumento FROM PARAM WHERE Numero = ? ORDER BY %1, Argumento")
                     .arg(m_db.dialect().realOf(QStringLiteral("trim(Argumento)"))),
                 {numero});
    QList<Row> result;
    while (rows.next()) {
        result.append({rows.value(0).toString(), rows.value(1).toString()});
    }
    return result;
}

QList<ParamLookups::Item> ParamLookups::paramList(const QString& numero, int start, int length,
                                                  const QString& argumentPattern) {
    QString sql = QStringLiteral("SELECT Argumento, substr(Funcion, ?, ?) FROM PARAM WHERE Numero = ?");
    QVariantList values{start, length, numero};
    if (!argumentPattern.isEmpty()) {
        sql += QStringLiteral(" AND Argumento LIKE ?");
        values.append(argumentPattern);
    }
    sql += QStringLiteral(" ORDER BY Argumento");
    QSqlQuery rows = m_db.run(sql, values);
    QList<Item> result;
    while (rows.next()) {
        result.append({rows.value(0).toString(), rows.value(1).toString()});
    }
    return result;
}

ParamLookups::Query ParamLookups::TaxpayerListQuery(const QString& formCode, const QString& userKind,
                                                    const QString& userName) {
    Q_UNUSED(formCode); // every form lists the same taxpayers
    const QString ruc = DocTypeFunction(QStringLiteral("06"));
    const int lenDoc = ruc.mid(doc_type_layout::kLenDoc - 1, 2).trimmed().toInt();
    const QString lengthType = ruc.mid(doc_type_layout::kLengthType - 1, 1);

    Query query;
    query.sql = QStringLiteral(" SELECT * FROM CONT ") + QStringLiteral(" WHERE Tip_doc_d=6 ");
    if (lenDoc == 11 && lengthType == QStringLiteral("1")) {
        query.sql += QStringLiteral(" AND length(trim(Doc_id_d))=11 ");
    }
    if (userKind == QStringLiteral("0")) {
        query.sql += QStringLiteral(" ORDER BY Tip_doc_d, doc_id_d ");
    } else {
        query.sql += QStringLiteral(" AND Usuario =? Order by Tip_doc_d, doc_id_d ");
        query.values.append(userName);
    }
    return query;
}

} // namespace qel::store
