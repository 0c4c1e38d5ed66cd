#pragma once

#include <QSqlQueryModel>
#include <QString>

namespace qel::store {
class Database;
}

namespace qel::app {

// The reference lists of the "Consultas" menu, one code and one description per row:
// list mode 1 the banks, 2 the countries, 3 the tax units (UIT) by the date they apply from.
class ConsultasModel : public QSqlQueryModel {
    Q_OBJECT

public:
    enum Mode { Banks = 1, Countries = 2, Uit = 3 };

    ConsultasModel(store::Database& db, int listMode, QObject* parent = nullptr);

    int listMode() const { return m_mode; }
    // "Bancos", "Paises", "UIT"; empty for a mode that has no list.
    static QString caption(int listMode);
    // The statement of the list; empty for a mode that has no list.
    static QString query(int listMode);
    // Runs the statement again; false (with lastError()) when the engine refused it.
    bool refresh();

    QVariant data(const QModelIndex& item, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    store::Database& m_db;
    int m_mode;
};

} // namespace qel::app
