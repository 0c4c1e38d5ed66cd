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

// The grid inside a window as a script reads it.
class ChildGrid : public app::GridSource {
public:
    explicit ChildGrid(AnnexGridModel& rows) : m_rows(rows) {}
    int rowCount() const override { return m_rows.rowCount(); }
    QStringList rowTexts(int row) const override { return m_rows.rowTexts(row); }
    int currentRow() const override { return m_rows.current(); }
    void setCurrentRow(int row) override { m_rows.select(row); }

private:
    AnnexGridModel& m_rows;
};

QString quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

AnnexScriptWindow::AnnexScriptWindow(const AnnexDef& def, AnnexContext context, const app::FormRequest& request)
    : m_model(std::make_unique<AnnexDetailModel>(def, context, request)) {
    if (AnnexGridModel* rows = m_model->childRows()) {
        m_childGrid = std::make_unique<ChildGrid>(*rows);
    }
}

app::GridSource* AnnexScriptWindow::grid(const QString& name) {
    const AnnexGridDef* child = m_model->childGrid();
    return child != nullptr && child->grid.compare(name, Qt::CaseInsensitive) == 0 ? m_childGrid.get() : nullptr;
}

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
    if (const AnnexGridDef* child = m_model->childGrid()) {
        list.append({child->grid, QStringLiteral("grid")});
        list.append({child->array, QStringLiteral("command")});
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
    if (const AnnexGridDef* child = m_model->childGrid(); child != nullptr && child->array == control) {
        if (index < 0 || index > 2) {
            throw app::ScriptError{QStringLiteral("%1 no tiene el botón %2").arg(control).arg(index)};
        }
        m_model->clickChild(index);
        return true;
    }
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
    if (const AnnexGridDef* child = m_model->childGrid(); child != nullptr) {
        if (child->grid == control) {
            return QString::number(m_model->childRows()->rowCount()) + QStringLiteral(" enabled");
        }
        if (child->array == control) {
            return QStringLiteral("{0,1,2} enabled");
        }
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
