#pragma once

#include "annexes/CasillaAssistantModel.h"
#include "annexes/LossBalanceModel.h"
#include "app/ScriptableWindow.h"

#include <memory>

namespace qel::annexes {

// A casilla assistant as a script drives it: its boxes by the names the window gives them
// (txtCasilla511, txtMes01), "CmdGrabar" and "cmdCerrar".
class AssistantScriptWindow : public app::ScriptableWindow {
public:
    explicit AssistantScriptWindow(std::unique_ptr<CasillaAssistantModel> model);

    QString name() const override { return m_model->def().window; }
    QList<app::ControlInfo> controls() const override;
    bool text(const QString& control, const QString& value) override;
    bool choose(const QString& control, const QString& code) override;
    bool click(const QString& control, int index) override;
    QString state(const QString& control) const override;
    bool isClosed() const override { return m_model->isClosed(); }
    QString result() const override { return m_model->result(); }

private:
    int fieldId(const QString& control) const;

    std::unique_ptr<CasillaAssistantModel> m_model;
};

// The loss balance by year as a script drives it: txtAnio0-9, txtMonto0-9, lblTotal,
// "CmdGrabar" and "cmdCerrar".
class LossBalanceScriptWindow : public app::ScriptableWindow {
public:
    explicit LossBalanceScriptWindow(std::unique_ptr<LossBalanceModel> model) : m_model(std::move(model)) {}

    QString name() const override { return QStringLiteral("frmPerdidaEjercAnt"); }
    QList<app::ControlInfo> controls() const override;
    bool text(const QString& control, const QString& value) override;
    bool choose(const QString& control, const QString& code) override;
    bool click(const QString& control, int index) override;
    QString state(const QString& control) const override;
    bool isClosed() const override { return m_model->isClosed(); }
    QString result() const override { return m_model->result(); }

private:
    std::unique_ptr<LossBalanceModel> m_model;
};

} // namespace qel::annexes
