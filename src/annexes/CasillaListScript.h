#pragma once

#include "annexes/CasillaListModel.h"
#include "app/ScriptableWindow.h"

#include <memory>

namespace qel::annexes {

// A list window of a casilla as a script drives it: the grid grdDetalleCasilla (rows and
// select), cmdAccion 0 to 3 and the total txtTotal.
class CasillaListScript : public app::ScriptableWindow, private app::GridSource {
public:
    explicit CasillaListScript(std::unique_ptr<CasillaListModel> model);

    CasillaListModel& model() { return *m_model; }

    QString name() const override { return m_model->def().window; }
    QList<app::ControlInfo> controls() const override;
    bool text(const QString& control, const QString& value) override;
    bool choose(const QString& control, const QString& code) override;
    bool click(const QString& control, int index) override;
    QString state(const QString& control) const override;
    app::GridSource* grid(const QString& name) override;
    bool isClosed() const override { return m_model->isClosed(); }
    QString result() const override { return m_model->result(); }

private:
    int rowCount() const override;
    QStringList rowTexts(int row) const override;
    int currentRow() const override;
    void setCurrentRow(int row) override;

    std::unique_ptr<CasillaListModel> m_model;
};

} // namespace qel::annexes
