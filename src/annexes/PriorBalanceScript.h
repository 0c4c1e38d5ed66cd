#pragma once

#include "annexes/PriorBalanceModel.h"
#include "app/ScriptableWindow.h"

#include <memory>

namespace qel::annexes {

// frmSaldoFavorEjercAnt as a script drives it: the boxes txtValor_202 to txtValor_204, the
// result txtValor_127, cmdAccion 0 ("&Grabar") and 1 ("&Salir").
class PriorBalanceScript : public app::ScriptableWindow {
public:
    explicit PriorBalanceScript(std::unique_ptr<PriorBalanceModel> model);

    QString name() const override { return QStringLiteral("frmSaldoFavorEjercAnt"); }
    QList<app::ControlInfo> controls() const override;
    bool text(const QString& control, const QString& value) override;
    bool choose(const QString& control, const QString& code) override;
    bool click(const QString& control, int index) override;
    QString state(const QString& control) const override;
    bool isClosed() const override { return m_model->isClosed(); }
    QString result() const override { return m_model->result(); }

private:
    int casillaOf(const QString& control) const; // 0 when the control is none of the boxes

    std::unique_ptr<PriorBalanceModel> m_model;
};

} // namespace qel::annexes
