#include "annexes/MovementAssistantScript.h"

#include "annexes/ScriptCells.h"

namespace qel::annexes {

const QString MovementAssistantScript::kGrid = QStringLiteral("grdMovimiento");

namespace {

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

} // namespace

MovementAssistantScript::MovementAssistantScript(std::unique_ptr<MovementAssistantModel> model)
    : m_model(std::move(model)) {}

std::unique_ptr<app::ScriptableWindow> MovementAssistantScript::open(const QString& name, store::Database& db,
                                                                     app::Prompter& prompter, app::FormOpener* opener,
                                                                     const app::FormRequest& request) {
    const MovementAssistantKind* kind = MovementAssistantKind::find(name);
    if (kind == nullptr) {
        return nullptr;
    }
    auto model = std::make_unique<MovementAssistantModel>(db, prompter, request.key.value_or(store::DeclarationKey{}),
                                                          *kind, request.casilla.value_or(kind->casillas.first()),
                                                          request.readOnly, opener);
    model->load();
    return std::make_unique<MovementAssistantScript>(std::move(model));
}

QList<app::ControlInfo> MovementAssistantScript::controls() const {
    return {{kGrid, QStringLiteral("grid")},
            {kTotal, QStringLiteral("label")},
            {kImport, QStringLiteral("command")},
            {kSave, QStringLiteral("command")},
            {kClose, QStringLiteral("command")}};
}

bool MovementAssistantScript::text(const QString& control, const QString&) {
    throw app::ScriptError{QStringLiteral("%1 no es un cuadro de texto: use cell %2").arg(control, kGrid)};
}

bool MovementAssistantScript::choose(const QString& control, const QString&) {
    throw app::ScriptError{QStringLiteral("%1 no es una lista").arg(control)};
}

bool MovementAssistantScript::click(const QString& control, int) {
    if (same(control, kSave)) {
        return m_model->save();
    }
    if (same(control, kClose)) {
        m_model->close();
        return true;
    }
    if (same(control, kImport)) {
        return m_model->importRows();
    }
    throw unknown(control);
}

QString MovementAssistantScript::state(const QString& control) const {
    if (same(control, kTotal)) {
        return QLatin1Char('"') + m_model->totalText() + QLatin1Char('"');
    }
    if (same(control, kGrid)) {
        return QString::number(MovementAssistantKind::kLines);
    }
    if (same(control, kSave) || same(control, kImport)) {
        return m_model->readOnly() ? QStringLiteral("{}") : QStringLiteral("{0}");
    }
    if (same(control, kClose)) {
        return QStringLiteral("{0}");
    }
    throw unknown(control);
}

app::GridSource* MovementAssistantScript::grid(const QString& name) {
    return same(name, kGrid) ? this : nullptr;
}

// The line's label, then its cells as shown.
QStringList MovementAssistantScript::rowTexts(int row) const {
    QStringList texts = {MovementAssistantKind::lineLabels().at(row)};
    for (int column = 0; column < m_model->columnCount(); ++column) {
        texts.append(m_model->cellText(row, column));
    }
    return texts;
}

bool MovementAssistantScript::cell(const QString& gridName, int row, const QString& column, const QString& value) {
    const int index =
        scriptCellColumn(gridName, kGrid, row, MovementAssistantKind::kLines, column, m_model->columnIndex(column));
    m_current = row - 1;
    return m_model->setCellText(row - 1, index, value);
}

} // namespace qel::annexes
