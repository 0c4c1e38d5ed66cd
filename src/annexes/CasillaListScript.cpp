#include "annexes/CasillaListScript.h"

#include "annexes/AnnexGridModel.h"

namespace qel::annexes {

namespace {

const QString kButtons = QStringLiteral("cmdAccion");
const QString kTotal = QStringLiteral("txtTotal");
const QString kImport = QStringLiteral("cmdImportar");
const QString kPrompt = QStringLiteral("lblDetalle");

bool same(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

app::ScriptError unknown(const QString& control) {
    return app::ScriptError{QStringLiteral("no existe el control %1").arg(control)};
}

} // namespace

CasillaListScript::CasillaListScript(std::unique_ptr<CasillaListModel> model) : m_model(std::move(model)) {}

QList<app::ControlInfo> CasillaListScript::controls() const {
    QList<app::ControlInfo> list = {{CasillaListModel::kGrid, QStringLiteral("grid")},
                                    {kTotal, QStringLiteral("label")},
                                    {kButtons, QStringLiteral("command")}};
    if (!m_model->prompt().isEmpty()) {
        list.append({kPrompt, QStringLiteral("label")});
    }
    if (m_model->imports()) {
        list.append({kImport, QStringLiteral("command")});
    }
    return list;
}

bool CasillaListScript::text(const QString& control, const QString&) {
    throw unknown(control);
}

bool CasillaListScript::choose(const QString& control, const QString&) {
    throw app::ScriptError{QStringLiteral("%1 no es una lista").arg(control)};
}

bool CasillaListScript::click(const QString& control, int index) {
    if (same(control, kImport) && m_model->imports()) {
        return m_model->importRows();
    }
    if (!same(control, kButtons)) {
        throw unknown(control);
    }
    if (index < 0 || index > 3) {
        throw app::ScriptError{QStringLiteral("%1 no tiene el botón %2").arg(control).arg(index)};
    }
    if (index != 3 && m_model->readOnly()) {
        return false;
    }
    m_model->click(index);
    return true;
}

QString CasillaListScript::state(const QString& control) const {
    if (same(control, kTotal)) {
        return QLatin1Char('"') + m_model->totalText() + QLatin1Char('"');
    }
    if (same(control, CasillaListModel::kGrid)) {
        return QString::number(rowCount());
    }
    if (same(control, kPrompt) && !m_model->prompt().isEmpty()) {
        return QLatin1Char('"') + m_model->prompt() + QLatin1Char('"');
    }
    if (same(control, kImport) && m_model->imports()) {
        return m_model->readOnly() ? QStringLiteral("{}") : QStringLiteral("{0}");
    }
    if (same(control, kButtons)) {
        return m_model->readOnly() ? QStringLiteral("{3}") : QStringLiteral("{0,1,2,3}");
    }
    throw unknown(control);
}

app::GridSource* CasillaListScript::grid(const QString& name) {
    return same(name, CasillaListModel::kGrid) ? this : nullptr;
}

int CasillaListScript::rowCount() const {
    return m_model->grid().rowCount();
}

QStringList CasillaListScript::rowTexts(int row) const {
    return m_model->grid().rowTexts(row);
}

int CasillaListScript::currentRow() const {
    return m_model->grid().current();
}

void CasillaListScript::setCurrentRow(int row) {
    m_model->grid().select(row);
}

} // namespace qel::annexes
