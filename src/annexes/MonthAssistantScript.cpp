#include "annexes/MonthAssistantScript.h"

namespace qel::annexes {

MonthAssistantScript::MonthAssistantScript(std::unique_ptr<MonthAssistantModel> model, QString name)
    : AssistantGridScript(std::move(model), QStringLiteral("grdAsistente"), MonthAssistantModel::kRows),
      m_name(std::move(name)) {}

// The month, its amounts as shown and, in the payments assistant, the month's total.
QStringList MonthAssistantScript::rowTexts(int row) const {
    QStringList texts = labelAndCells(model().monthLabel(row), row);
    if (model().kind().rowTotals) {
        texts.append(model().rowTotalText(row));
    }
    return texts;
}

} // namespace qel::annexes
