#pragma once

#include "annexes/AssistantGridScript.h"
#include "annexes/MonthAssistantModel.h"

#include <memory>

namespace qel::annexes {

// A month assistant as a script drives it: the grid grdAsistente (a row per month, its amount
// cells by the TMPACTA column they write), CmdGrabar, cmdCerrar, cmdImportar (when the
// assistant imports) and the total txtTotal.
class MonthAssistantScript : public AssistantGridScript<MonthAssistantModel> {
public:
    MonthAssistantScript(std::unique_ptr<MonthAssistantModel> model, QString name);

    QString name() const override { return m_name; }

private:
    bool imports() const override { return !model().kind().importKind.isEmpty(); }
    QStringList rowTexts(int row) const override;

    QString m_name;
};

} // namespace qel::annexes
