#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace qel::store {

class Database;

// The lookups of the reference parameter table PARAM that every form calls. A missing row
// gives the empty text (or an empty list); engine errors are thrown as DatabaseError and end
// the caller's command. The lists are returned as texts; the windows put them in their combos.
class ParamLookups {
public:
    struct Row {
        QString funcion;
        QString argumento;
    };
    struct Item {
        QString argumento;
        QString text; // the slice of Funcion, as stored
    };
    struct Query {
        QString sql;
        QVariantList values;
    };
    // What a detailed document type item carries after the name.
    struct DocTypeDetail {
        QString code;
        int lenDoc = 0;
        QString tipoDato;
        QString tipoLongitud;
    };

    explicit ParamLookups(Database& db) : m_db(db) {}

    // The UIT of the latest '404' year not after `year` ("yyyy"), as the text of its number
    // ("4150", "3.5"); "" when there is none.
    QString UitForYear(const QString& year);

    // Names of a geographic code: the department by its first two characters, the province
    // by its first four, the district by all six.
    QString DepartmentName(const QString& ubigeo);
    QString ProvinceName(const QString& ubigeo);
    QString DistrictName(const QString& ubigeo);
    // "" for an empty or blank code, else department-province-district.
    QString PlaceDescription(const QString& ubigeo);

    // Document types ('044'), by code ("6", "06" or 6 alike). The RUC row falls back to the
    // launcher's stored row when it cannot be read.
    QString DocTypeFunction(const QString& code);
    QString DocTypeName(const QString& code, bool longName);
    bool DocTypeAllowed(const QString& code, int contextPosition);

    // The document types that may be chosen in a context, in display order, as
    // "06  -  REG. UNICO DE CONTRIBUYENTES". With the detail flag the name is padded to 75
    // characters and followed by "LL D T" (LenDoc, TipoDato, TipoLongitud). The legacy
    // types "02" and "03" are never offered; skipSeven leaves out the passport too.
    QStringList docTypeItems(int contextPosition, bool withDetail, bool shortName = false, bool skipSeven = false);
    // The code and the detail read back from an item of docTypeItems (withDetail).
    static DocTypeDetail docTypeDetail(const QString& item);

    // The slice of one row's Funcion, from a 1-based position; "" when the row is missing.
    QString ParamSlice(const QString& numero, const QString& argumento, int start, int length);
    // Every (Funcion, Argumento) of a list, in numeric order of Argumento.
    QList<Row> ParamRows(const QString& numero);
    // Argumento and slice of every row of a list, ordered by Argumento; an argument pattern
    // is an SQL LIKE pattern ("2018%").
    QList<Item> paramList(const QString& numero, int start, int length, const QString& argumentPattern = {});

    // The statement that lists the taxpayers of CONT a user may choose: every RUC for the
    // user kind "0", else only those the user registered. The user name is bound.
    Query TaxpayerListQuery(const QString& formCode, const QString& userKind, const QString& userName);

    // "06" for "6", " 06 " or "06"; other codes trimmed.
    static QString docTypeCode(const QString& code);

private:
    QString nameOf(const QString& numero, const QString& argumento, int length);

    Database& m_db;
};

} // namespace qel::store
