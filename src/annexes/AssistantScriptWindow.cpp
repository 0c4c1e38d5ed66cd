#include "annexes/AssistantScriptWindow.h"

#include "base/NumberFormat.h"

namespace qel::annexes {

namespace {

const QString kSave = QStringLiteral("CmdGrabar");
const QString kLeave = QStringLiteral("cmdCerrar");

app::ScriptError unknown(const QString& control) {
    return app::ScriptError{QStringLiteral("la ventana no tiene el control %1").arg(control)};
}

QString quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString boxName(const AssistantField& field) {
    return field.boxName();
}

// "txtAnio3" -> 3 for the prefix "txtAnio"; -1 when the name is not a row box.
int rowOf(const QString& control, const QString& prefix) {
    if (!control.startsWith(prefix, Qt::CaseInsensitive)) {
        return -1;
    }
    bool ok = false;
    const int row = control.mid(prefix.size()).toInt(&ok);
    return ok && row >= 0 && row < LossBalanceModel::kRows ? row : -1;
}

} // namespace

AssistantScriptWindow::AssistantScriptWindow(std::unique_ptr<CasillaAssistantModel> model)
    : m_model(std::move(model)) {}

int AssistantScriptWindow::fieldId(const QString& control) const {
    for (const AssistantField& field : m_model->def().fields) {
        if (boxName(field).compare(control, Qt::CaseInsensitive) == 0) {
            return field.id();
        }
    }
    throw unknown(control);
}

QList<app::ControlInfo> AssistantScriptWindow::controls() const {
    QList<app::ControlInfo> list;
    for (const AssistantField& field : m_model->def().fields) {
        list.append({boxName(field), QStringLiteral("text")});
        if (!field.opens.isEmpty()) {
            list.append({field.detailButton(), QStringLiteral("command")});
        }
    }
    list.append({kSave, QStringLiteral("command")});
    list.append({kLeave, QStringLiteral("command")});
    return list;
}

bool AssistantScriptWindow::text(const QString& control, const QString& value) {
    return m_model->setText(fieldId(control), value);
}

bool AssistantScriptWindow::choose(const QString& control, const QString&) {
    throw unknown(control);
}

bool AssistantScriptWindow::click(const QString& control, int) {
    if (control.compare(kSave, Qt::CaseInsensitive) == 0) {
        return m_model->save();
    }
    if (control.compare(kLeave, Qt::CaseInsensitive) == 0) {
        m_model->close();
        return true;
    }
    for (const AssistantField& field : m_model->def().fields) {
        if (!field.opens.isEmpty() && field.detailButton().compare(control, Qt::CaseInsensitive) == 0) {
            return m_model->openDetail(field.id());
        }
    }
    throw unknown(control);
}

QString AssistantScriptWindow::state(const QString& control) const {
    if (control.compare(kSave, Qt::CaseInsensitive) == 0) {
        return m_model->readOnly() ? QStringLiteral("{}") : QStringLiteral("{0}");
    }
    if (control.compare(kLeave, Qt::CaseInsensitive) == 0 || control.startsWith(QStringLiteral("cmdDetalle"))) {
        return QStringLiteral("{0}");
    }
    return quoted(m_model->shownText(fieldId(control)));
}

QList<app::ControlInfo> LossBalanceScriptWindow::controls() const {
    QList<app::ControlInfo> list;
    for (int row = 0; row < LossBalanceModel::kRows; ++row) {
        list.append({QStringLiteral("txtAnio%1").arg(row), QStringLiteral("text")});
        list.append({QStringLiteral("txtMonto%1").arg(row), QStringLiteral("text")});
    }
    list.append({QStringLiteral("lblTotal"), QStringLiteral("label")});
    list.append({kSave, QStringLiteral("command")});
    list.append({kLeave, QStringLiteral("command")});
    return list;
}

bool LossBalanceScriptWindow::text(const QString& control, const QString& value) {
    if (const int row = rowOf(control, QStringLiteral("txtAnio")); row >= 0) {
        return m_model->setYear(row, value);
    }
    if (const int row = rowOf(control, QStringLiteral("txtMonto")); row >= 0) {
        return m_model->setAmount(row, value);
    }
    throw unknown(control);
}

bool LossBalanceScriptWindow::choose(const QString& control, const QString&) {
    throw unknown(control);
}

bool LossBalanceScriptWindow::click(const QString& control, int) {
    if (control.compare(kSave, Qt::CaseInsensitive) == 0) {
        return m_model->save();
    }
    if (control.compare(kLeave, Qt::CaseInsensitive) == 0) {
        m_model->close();
        return true;
    }
    throw unknown(control);
}

QString LossBalanceScriptWindow::state(const QString& control) const {
    if (const int row = rowOf(control, QStringLiteral("txtAnio")); row >= 0) {
        return quoted(m_model->year(row));
    }
    if (const int row = rowOf(control, QStringLiteral("txtMonto")); row >= 0) {
        return quoted(m_model->amount(row));
    }
    if (control.compare(QStringLiteral("lblTotal"), Qt::CaseInsensitive) == 0) {
        return quoted(app::formatNumber(m_model->total(), app::masks::kAmount));
    }
    if (control.compare(kSave, Qt::CaseInsensitive) == 0 || control.compare(kLeave, Qt::CaseInsensitive) == 0) {
        return QStringLiteral("{0}");
    }
    throw unknown(control);
}

} // namespace qel::annexes
