#include "declaration/model/SubjectButtons.h"

#include "app/FormOpener.h"
#include "declaration/model/DeclarationFormModel.h"

namespace qel::declaration {

SubjectButtons::SubjectButtons(DeclarationFormModel& model) : m_model(model) {
    static const QList<std::pair<QString, QString>> buttons = {
        {QStringLiteral("cmdInverExtranjero"), QStringLiteral("frmInverExtranjero")},
        {QStringLiteral("cmdFideicomiso"), QStringLiteral("frmFideicomiso")},
        {QStringLiteral("cmdGastosSujRet"), QStringLiteral("frmAsistGastosSujRet")},
    };
    for (const auto& [button, opened] : buttons) {
        if (m_model.hasControl(button)) {
            const QString window = opened;
            m_model.onControl(button, [this, window](int) { open(window); });
        }
    }
}

void SubjectButtons::open(const QString& window) {
    app::FormRequest request;
    request.name = window;
    request.key = m_model.key();
    request.readOnly = m_model.historyView; // a sent version is only looked at
    m_model.context().opener.open(request);
}

} // namespace qel::declaration
