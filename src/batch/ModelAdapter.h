#pragma once

#include "app/PresentationModel.h"
#include "app/ScriptableWindow.h"

#include <memory>

namespace qel::batch {

// The batch mode's one way into a window: the script's operations (`click`, `type`, `text`,
// `choose`, `select`, `rows`, `cell`, `state`) on the controls the window's presentation model
// declares. An unknown control, or an operation the control does not take, is a script error.
class ModelAdapter : public app::ScriptableWindow {
public:
    explicit ModelAdapter(std::unique_ptr<app::PresentationModel> model);

    app::PresentationModel& model() { return *m_model; }

    QString name() const override { return m_model->windowName(); }
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
    const app::DeclaredControl& control(const QString& name) const;

    std::unique_ptr<app::PresentationModel> m_model;
    QList<app::DeclaredControl> m_controls;
};

} // namespace qel::batch
