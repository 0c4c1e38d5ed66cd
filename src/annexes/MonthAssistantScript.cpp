#include "annexes/MonthAssistantScript.h"

#include "annexes/ScriptCells.h"

namespace qel::annexes {

namespace {

const QString kGrid = QStringLiteral("grdAsistente");
const QString kSave = QStringLiteral("CmdGrabar");
const QString kClose = QStringLiteral("cmdCerrar");
const QString kImport = QStringLiteral("cmdImportar");
const QString kTotal = QStringLiteral("txtTotal");

app::ScriptError unknown(const QString& control) {
    return app::ScriptError{QStringLiteral("no existe el control %1").arg(control)};
}

bool same(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

MonthAssistantScript::MonthAssistantScript(std::unique_ptr<MonthAssistantModel> model, QString name)
    : m_model(std::move(model)), m_name(std::move(name)) {}

QList<app::ControlInfo> MonthAssistantScript::controls() const {
    QList<app::ControlInfo> list = {{kGrid, QStringLiteral("grid")}, {kTotal, QStringLiteral("label")}};
    if (!m_model->kind().importKind.isEmpty()) {
        list.append({kImport, QStringLiteral("command")});
    }
    list.append({kSave, QStringLiteral("command")});
    list.append({kClose, QStringLiteral("command")});
    return list;
}

bool MonthAssistantScript::text(const QString& control, const QString&) {
    throw app::ScriptError{QStringLiteral("%1 no es un cuadro de texto: use cell %2").arg(control, kGrid)};
}

bool MonthAssistantScript::choose(const QString& control, const QString&) {
    throw app::ScriptError{QStringLiteral("%1 no es una lista").arg(control)};
}

bool MonthAssistantScript::click(const QString& control, int) {
    if (same(control, kSave)) {
        return m_model->save();
    }
    if (same(control, kClose)) {
        m_model->close();
        return true;
    }
    if (same(control, kImport) && !m_model->kind().importKind.isEmpty()) {
        return m_model->importRows();
    }
    throw unknown(control);
}

QString MonthAssistantScript::state(const QString& control) const {
    if (same(control, kTotal)) {
        return quoted(m_model->totalText());
    }
    if (same(control, kGrid)) {
        return QString::number(MonthAssistantModel::kRows);
    }
    if (same(control, kSave) || (same(control, kImport) && !m_model->kind().importKind.isEmpty())) {
        return m_model->readOnly() ? QStringLiteral("{}") : QStringLiteral("{0}");
    }
    if (same(control, kClose)) {
        return QStringLiteral("{0}");
    }
    throw unknown(control);
}

app::GridSource* MonthAssistantScript::grid(const QString& name) {
    return same(name, kGrid) ? this : nullptr;
}

// The month, its amounts as shown and, in the payments assistant, the month's total.
QStringList MonthAssistantScript::rowTexts(int row) const {
    QStringList texts = {m_model->monthLabel(row)};
    for (int column = 0; column < m_model->columnCount(); ++column) {
        texts.append(m_model->cellText(row, column));
    }
    if (m_model->kind().rowTotals) {
        texts.append(m_model->rowTotalText(row));
    }
    return texts;
}

bool MonthAssistantScript::cell(const QString& gridName, int row, const QString& column, const QString& value) {
    const int index =
        scriptCellColumn(gridName, kGrid, row, MonthAssistantModel::kRows, column, m_model->columnIndex(column));
    m_current = row - 1;
    return m_model->setCellText(row - 1, index, value);
}

} // namespace qel::annexes
