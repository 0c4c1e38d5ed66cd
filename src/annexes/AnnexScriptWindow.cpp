#include "annexes/AnnexScriptWindow.h"

namespace qel::annexes {

namespace {

const QString kAction = QStringLiteral("cmdAccion");

QString kindOf(FieldKind kind) {
    switch (kind) {
    case FieldKind::Date:
        return QStringLiteral("date");
    case FieldKind::Combo:
    case FieldKind::DocType:
        return QStringLiteral("combo");
    case FieldKind::Option:
        return QStringLiteral("option");
    case FieldKind::Check:
        return QStringLiteral("check");
    default:
        return QStringLiteral("text");
    }
}

QString quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

AnnexScriptWindow::AnnexScriptWindow(const AnnexDef& def, AnnexContext context, const app::FormRequest& request)
    : m_model(std::make_unique<AnnexDetailModel>(def, context, request)) {}

QString AnnexScriptWindow::name() const {
    return m_model->def().window;
}

QList<app::ControlInfo> AnnexScriptWindow::controls() const {
    QList<app::ControlInfo> list;
    for (const AnnexField& f : m_model->def().fields) {
        list.append({f.control, kindOf(f.kind)});
    }
    for (const auto& [window, caption] : m_model->def().opens) {
        list.append({AnnexDetailModel::commandOf(window), QStringLiteral("command")});
    }
    list.append({kAction, QStringLiteral("command")});
    return list;
}

const AnnexField& AnnexScriptWindow::fieldNamed(const QString& control) const {
    if (!m_model->hasField(control)) {
        throw app::ScriptError{QStringLiteral("no existe el control %1").arg(control)};
    }
    return m_model->field(control);
}

bool AnnexScriptWindow::isCommand(const QString& control) const {
    if (control.compare(kAction, Qt::CaseInsensitive) == 0) {
        return true;
    }
    for (const auto& [window, caption] : m_model->def().opens) {
        if (control.compare(AnnexDetailModel::commandOf(window), Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

bool AnnexScriptWindow::text(const QString& control, const QString& value) {
    const AnnexField& f = fieldNamed(control);
    if (!m_model->state(f.control).enabled) {
        return false;
    }
    if (f.kind == FieldKind::Combo || f.kind == FieldKind::DocType || f.kind == FieldKind::Option) {
        return choose(control, value);
    }
    m_model->setText(f.control, value);
    return true;
}

bool AnnexScriptWindow::choose(const QString& control, const QString& code) {
    const AnnexField& f = fieldNamed(control);
    if (!m_model->state(f.control).enabled) {
        return false;
    }
    if (!m_model->choose(f.control, code)) {
        throw app::ScriptError{QStringLiteral("%1 no tiene la opción %2").arg(control, code)};
    }
    return true;
}

bool AnnexScriptWindow::click(const QString& control, int index) {
    if (isCommand(control)) {
        const bool action = control.compare(kAction, Qt::CaseInsensitive) == 0;
        if (action && index != 0 && index != 1) {
            throw app::ScriptError{QStringLiteral("%1 no tiene el botón %2").arg(control).arg(index)};
        }
        m_model->click(action ? kAction : control, action ? index : 0);
        return true;
    }
    const AnnexField& f = fieldNamed(control);
    if (f.kind == FieldKind::Check) {
        if (!m_model->state(f.control).enabled) {
            return false;
        }
        return m_model->choose(f.control, m_model->value(f.control) == QStringLiteral("1") ? QStringLiteral("0")
                                                                                           : QStringLiteral("1"));
    }
    if (f.kind != FieldKind::Option) {
        throw app::ScriptError{QStringLiteral("%1 no es un botón").arg(control)};
    }
    return choose(control, QString::number(index));
}

QString AnnexScriptWindow::state(const QString& control) const {
    if (isCommand(control)) {
        return QStringLiteral("{0,1} enabled");
    }
    const AnnexField& f = fieldNamed(control);
    const FieldState& s = m_model->state(f.control);
    const QString enabled = s.enabled ? QStringLiteral(" enabled") : QStringLiteral(" disabled");
    switch (f.kind) {
    case FieldKind::Option:
        return (s.code.isEmpty() ? QStringLiteral("-") : s.code) + enabled;
    case FieldKind::Check:
        return (s.code == QStringLiteral("1") ? QStringLiteral("1") : QStringLiteral("0")) + enabled;
    case FieldKind::Combo:
    case FieldKind::DocType:
        return quoted(s.code) + enabled;
    default:
        return quoted(m_model->value(f.control)) + enabled;
    }
}

bool AnnexScriptWindow::isClosed() const {
    return m_model->isClosed();
}

} // namespace qel::annexes
