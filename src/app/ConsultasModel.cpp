#include "app/ConsultasModel.h"

#include "base/NumberFormat.h"
#include "store/Database.h"

#include <QSqlError>
#include <QSqlQuery>

namespace qel::app {

ConsultasModel::ConsultasModel(store::Database& db, int listMode, QObject* parent)
    : QSqlQueryModel(parent), m_db(db), m_mode(listMode) {
    refresh();
}

QString ConsultasModel::caption(int listMode) {
    switch (listMode) {
    case Banks:
        return QStringLiteral("Bancos");
    case Countries:
        return QStringLiteral("Paises");
    case Uit:
        return QStringLiteral("UIT");
    default:
        return {};
    }
}

QString ConsultasModel::query(int listMode) {
    switch (listMode) {
    case Banks:
        // "00" is not a bank. Listed in the order of the table's key.
        return QStringLiteral("SELECT substr(Argumento,1,2) AS codigo, substr(Funcion,1,36) AS descrip "
                              "FROM PARAM WHERE Numero='004' AND trim(Argumento)<>'00' ORDER BY Argumento");
    case Countries:
        return QStringLiteral("SELECT substr(Argumento,1,4) AS codigo, substr(Funcion,1,36) AS descrip "
                              "FROM PARAM WHERE Numero='976' ORDER BY 2");
    case Uit:
        // The code is the date written dd/mm/yyyy and the list is ordered by that text, day
        // first, not by the date itself.
        return QStringLiteral("SELECT substr(Argumento,7,2) || '/' || substr(Argumento,5,2) || '/' || "
                              "substr(Argumento,1,4) AS codigo, substr(Funcion,1,12) AS descrip "
                              "FROM PARAM WHERE Numero='404' ORDER BY 1 DESC");
    default:
        return {};
    }
}

bool ConsultasModel::refresh() {
    const QString sql = query(m_mode);
    if (sql.isEmpty()) {
        clear();
        return false;
    }
    QSqlQuery statement(m_db.connection());
    statement.exec(sql);
    setQuery(std::move(statement));
    while (canFetchMore()) {
        fetchMore();
    }
    return !lastError().isValid();
}

QVariant ConsultasModel::data(const QModelIndex& item, int role) const {
    const QVariant value = QSqlQueryModel::data(item, role);
    if (m_mode == Uit && item.column() == 1 && (role == Qt::DisplayRole || role == Qt::EditRole)) {
        // The amount as a number: blanks and trailing decimal zeros go.
        return numberText(val(value.toString()));
    }
    if (m_mode == Uit && item.column() == 1 && role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (role == Qt::DisplayRole && value.typeId() == QMetaType::QString) {
        return value.toString().trimmed();
    }
    return value;
}

QVariant ConsultasModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        if (section == 0) {
            return m_mode == Uit ? QStringLiteral("Vigente desde") : QStringLiteral("Código");
        }
        if (section == 1) {
            return m_mode == Uit ? QStringLiteral("Importe") : QStringLiteral("Descripción");
        }
    }
    return QSqlQueryModel::headerData(section, orientation, role);
}

} // namespace qel::app
