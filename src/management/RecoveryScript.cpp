#include "management/RecoveryScript.h"

namespace qel::management {

const QString RecoveryScript::kWindowName = QStringLiteral("FrmRecuperar");

namespace {
const QString kProgress = QStringLiteral("ProgressBar1");
const QString kRecover = QStringLiteral("cmdRecuperar");
const QString kLeave = QStringLiteral("cmdSalir");
const QStringList kBoxes = {QStringLiteral("txtRuc"), QStringLiteral("txtRazonSocial"), QStringLiteral("txtNroOrden"),
                            QStringLiteral("txtFechaEnvio")};
} // namespace

RecoveryScript::RecoveryScript(VersionRecovery::Context context, SentVersionRow source)
    : m_recovery(std::move(context), std::move(source)) {}

QList<app::ControlInfo> RecoveryScript::controls() const {
    QList<app::ControlInfo> result;
    for (const QString& box : kBoxes) {
        result.append({box, QStringLiteral("text")});
    }
    result.append({kProgress, QStringLiteral("label")});
    result.append({kRecover, QStringLiteral("command")});
    result.append({kLeave, QStringLiteral("command")});
    return result;
}

QString RecoveryScript::boxText(const QString& control) const {
    const SentVersionRow& source = m_recovery.source();
    const QStringList texts = {source.ruc, source.nombre, source.norden, source.fecEnv};
    const auto index = kBoxes.indexOf(control);
    if (index < 0) {
        if (control == kProgress || control == kRecover || control == kLeave) {
            throw app::ScriptError{QStringLiteral("%1 no es una caja de texto").arg(control)};
        }
        throw app::ScriptError{QStringLiteral("la ventana %1 no tiene el control %2").arg(kWindowName, control)};
    }
    return texts.at(index).trimmed();
}

// The source boxes are read-only.
bool RecoveryScript::text(const QString& control, const QString&) {
    boxText(control);
    return false;
}

bool RecoveryScript::choose(const QString& control, const QString&) {
    throw app::ScriptError{QStringLiteral("%1 no es una lista").arg(control)};
}

bool RecoveryScript::click(const QString& control, int) {
    if (control == kRecover) {
        m_recovery.recover();
        return true;
    }
    if (control == kLeave) {
        m_closed = true;
        return true;
    }
    boxText(control); // an unknown control is a script error
    throw app::ScriptError{QStringLiteral("%1 no es un botón").arg(control)};
}

QString RecoveryScript::state(const QString& control) const {
    if (control == kProgress) {
        return QStringLiteral("\"%1/%2\"").arg(m_recovery.progressValue()).arg(m_recovery.progressMaximum());
    }
    if (control == kRecover || control == kLeave) {
        return QStringLiteral("{0}");
    }
    return QLatin1Char('"') + boxText(control) + QStringLiteral("\" disabled");
}

} // namespace qel::management
