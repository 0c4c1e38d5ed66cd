#include "annexes/PriorBalanceScript.h"

namespace qel::annexes {

namespace {
const QString kBox = QStringLiteral("txtValor_%1");
const QString kButtons = QStringLiteral("cmdAccion");
constexpr int kResult = 127;

app::ScriptError unknown(const QString& control) {
    return app::ScriptError{QStringLiteral("no existe el control %1").arg(control)};
}
} // namespace

PriorBalanceScript::PriorBalanceScript(std::unique_ptr<PriorBalanceModel> model) : m_model(std::move(model)) {}

QList<app::ControlInfo> PriorBalanceScript::controls() const {
    QList<app::ControlInfo> list;
    for (const int casilla : PriorBalanceModel::casillas()) {
        list.append({kBox.arg(casilla), QStringLiteral("text")});
    }
    list.append({kBox.arg(kResult), QStringLiteral("label")});
    list.append({kButtons, QStringLiteral("command")});
    return list;
}

int PriorBalanceScript::casillaOf(const QString& control) const {
    for (const int casilla : PriorBalanceModel::casillas() + QList<int>{kResult}) {
        if (control.compare(kBox.arg(casilla), Qt::CaseInsensitive) == 0) {
            return casilla;
        }
    }
    return 0;
}

bool PriorBalanceScript::text(const QString& control, const QString& value) {
    const int casilla = casillaOf(control);
    if (casilla == 0) {
        throw unknown(control);
    }
    if (casilla == kResult) {
        return false;
    }
    QString digits;
    for (const QChar c : value) {
        if (c.isDigit()) {
            digits.append(c); // the boxes take digits only, as typed
        }
    }
    return m_model->setText(casilla, digits);
}

bool PriorBalanceScript::choose(const QString& control, const QString&) {
    throw app::ScriptError{QStringLiteral("%1 no es una lista").arg(control)};
}

bool PriorBalanceScript::click(const QString& control, int index) {
    if (control.compare(kButtons, Qt::CaseInsensitive) != 0) {
        throw unknown(control);
    }
    if (index == 0) {
        return m_model->save();
    }
    if (index == 1) {
        m_model->leave();
        return true;
    }
    throw app::ScriptError{QStringLiteral("%1 no tiene el botón %2").arg(control).arg(index)};
}

QString PriorBalanceScript::state(const QString& control) const {
    const int casilla = casillaOf(control);
    if (casilla == kResult) {
        return QLatin1Char('"') + m_model->unappliedText() + QLatin1Char('"');
    }
    if (casilla != 0) {
        return QLatin1Char('"') + m_model->text(casilla) + QLatin1Char('"');
    }
    if (control.compare(kButtons, Qt::CaseInsensitive) == 0) {
        return m_model->readOnly() ? QStringLiteral("{1}") : QStringLiteral("{0,1}");
    }
    throw unknown(control);
}

} // namespace qel::annexes
