#pragma once

#include "annexes/MovementAssistantModel.h"
#include "app/FormRequest.h"
#include "app/ScriptableWindow.h"

#include <memory>

namespace qel::annexes {

// A movement assistant as a script drives it: the grid grdMovimiento (a row per asset line,
// its cells by 1-based column or by the table column they write), the totals txtTotal,
// CmdGrabar, cmdCerrar and cmdImportar.
class MovementAssistantScript : public app::ScriptableWindow, private app::GridSource {
public:
    static const QString kGrid; // "grdMovimiento"

    explicit MovementAssistantScript(std::unique_ptr<MovementAssistantModel> model);

    MovementAssistantModel& model() { return *m_model; }

    QString name() const override { return m_model->kind().window; }
    QList<app::ControlInfo> controls() const override;
    bool text(const QString& control, const QString& value) override;
    bool choose(const QString& control, const QString& code) override;
    bool click(const QString& control, int index) override;
    QString state(const QString& control) const override;
    app::GridSource* grid(const QString& name) override;
    bool cell(const QString& grid, int row, const QString& column, const QString& value) override;
    bool isClosed() const override { return m_model->isClosed(); }
    QString result() const override { return m_model->result(); }

    // The window for a request: the kind by its name, the casilla from the request.
    static std::unique_ptr<app::ScriptableWindow> open(const QString& name, store::Database& db,
                                                       app::Prompter& prompter, app::FormOpener* opener,
                                                       const app::FormRequest& request);

private:
    int rowCount() const override { return MovementAssistantKind::kLines; }
    QStringList rowTexts(int row) const override;
    int currentRow() const override { return m_current; }
    void setCurrentRow(int row) override { m_current = row; }

    std::unique_ptr<MovementAssistantModel> m_model;
    int m_current = -1;
};

} // namespace qel::annexes
