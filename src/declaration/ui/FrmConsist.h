#pragma once

#include "app/ui/FormResult.h"
#include "declaration/commands/ConsistencyReportModel.h"

#include <QDialog>
#include <memory>

namespace Ui {
class FrmConsist;
}

namespace qel::declaration {

// The inconsistency report window, a thin view over ConsistencyReportModel: the whole report
// file in a read-only box, "&Aceptar", "&Imprimir" and "Guardar como &PDF". Beside an open
// declaration form, a line of the report takes the form to its box (ReportNavigator).
class FrmConsist : public QDialog, public app::ui::FormResult {
    Q_OBJECT

public:
    explicit FrmConsist(std::unique_ptr<ConsistencyReportModel> model, QWidget* parent = nullptr);
    ~FrmConsist() override;

    QString resultText() const override { return m_model->result(); }
    ConsistencyReportModel& model() { return *m_model; }
    const InconsistencyReport& report() const { return m_model->report(); }

private:
    std::unique_ptr<Ui::FrmConsist> m_ui;
    std::unique_ptr<ConsistencyReportModel> m_model;
};

} // namespace qel::declaration
