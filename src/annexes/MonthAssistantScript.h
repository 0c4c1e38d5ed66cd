#pragma once

#include "annexes/MonthAssistantModel.h"
#include "app/ScriptableWindow.h"

#include <memory>

namespace qel::annexes {

// A month assistant as a script drives it: the grid grdAsistente (a row per month, its amount
// cells by 1-based column or by the TMPACTA column they write), CmdGrabar, cmdCerrar,
// cmdImportar and the total txtTotal.
class MonthAssistantScript : public app::ScriptableWindow, private app::GridSource {
public:
    MonthAssistantScript(std::unique_ptr<MonthAssistantModel> model, QString name);

    MonthAssistantModel& model() { return *m_model; }

    QString name() const override { return m_name; }
    QList<app::ControlInfo> controls() const override;
    bool text(const QString& control, const QString& value) override;
    bool choose(const QString& control, const QString& code) override;
    bool click(const QString& control, int index) override;
    QString state(const QString& control) const override;
    app::GridSource* grid(const QString& name) override;
    bool cell(const QString& grid, int row, const QString& column, const QString& value) override;
    bool isClosed() const override { return m_model->isClosed(); }
    QString result() const override { return m_model->result(); }

private:
    int rowCount() const override { return MonthAssistantModel::kRows; }
    QStringList rowTexts(int row) const override;
    int currentRow() const override { return m_current; }
    void setCurrentRow(int row) override { m_current = row; }

    std::unique_ptr<MonthAssistantModel> m_model;
    QString m_name;
    int m_current = -1;
};

} // namespace qel::annexes
