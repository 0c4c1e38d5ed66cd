#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class FrmConsultas;
}

class QTableView;

namespace qel::store {
class Database;
}

namespace qel::app {
class ConsultasModel;
}

namespace qel::app::ui {

// The reference lists of the "Consultas" menu (banks, countries, UIT), read-only, one per list
// mode of the process state.
class FrmConsultas : public QDialog {
    Q_OBJECT

public:
    FrmConsultas(store::Database& db, int listMode, QWidget* parent = nullptr);
    ~FrmConsultas() override;

    QTableView* grid() const;
    ConsultasModel* model() const { return m_model; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::FrmConsultas> m_ui;
    ConsultasModel* m_model;
};

} // namespace qel::app::ui
