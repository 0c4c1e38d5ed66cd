#include "declaration/commands/CancelCommand.h"

#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "catalogue/FormControls.h"
#include "declaration/commands/SaveCommand.h"
#include "declaration/model/DeclarationFormModel.h"
#include "declaration/rules/DetailChecks.h"
#include "store/Database.h"
#include "store/ExecuteSql.h"

namespace qel::declaration {

const QString CancelCommand::kSaveChanges =
    QStringLiteral("¿La declaración ha sido modificada, desea guardar los cambios?");

namespace {
constexpr int kTotalTax = 113;
} // namespace

CancelCommand::CancelCommand(DeclarationFormModel& model, SaveCommand& save) : m_model(model), m_save(save) {
    if (m_model.hasControl(controls::kExit)) {
        m_model.onControl(controls::kExit, [this](int) { run(); });
    }
}

void CancelCommand::run() {
    m_model.formState = 3;
    if (m_model.mode == DeclarationFormModel::Mode::Modify && !m_model.historyView &&
        !SaveCommand::rectifiesItfOnly(m_model)) {
        markChangedTotal();
    }
    if (m_model.dirty && !m_suppressed &&
        m_model.context().prompter.askYesNo(kSaveChanges, m_model.caption, app::Button::Yes, app::Icon::Question)) {
        m_save.run();
    }
    checkDetails();
    m_model.requestClose();
}

// The stored totals of 128, 103 and 105 against their stored details: the user hears of a
// difference before leaving the declaration, which closes all the same.
void CancelCommand::checkDetails() {
    const store::DeclarationKey key = m_model.key();
    if (m_model.historyView || !key.isComplete()) {
        return;
    }
    FormContext& context = m_model.context();
    DetailChecks(context.db, context.prompter, m_model.caption).run(key);
}

// The total shown against the stored one: a total changed and left unsaved cannot be handed
// over as it stands, so the stored declaration becomes inconsistent.
void CancelCommand::markChangedTotal() {
    FormContext& context = m_model.context();
    const store::DeclarationKey key = m_model.key();
    if (!key.isComplete() || !m_model.hasBox(kTotalTax)) {
        return;
    }
    store::runAtomically(context.db, context.prompter, [&] {
        store::SqlFilter casilla = key.filter();
        casilla.andCondition(QStringLiteral("CAST(CASILLA AS INTEGER)=?"), {kTotalTax});
        const QVariant stored =
            context.db.scalar(QStringLiteral("SELECT i_valor FROM DET") + casilla.text, casilla.values);
        if (app::readWhole(stored.toString()) == m_model.value(kTotalTax)) {
            return;
        }
        SaveCommand::markInconsistent(context.db, key);
    });
}

} // namespace qel::declaration
