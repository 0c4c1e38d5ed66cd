#include "declaration/model/PaymentChoices.h"

#include "store/Database.h"
#include "store/ParamLayouts.h"
#include "store/ParamLookups.h"

#include <algorithm>

namespace qel::declaration::payment {

QList<ComboItem> banks(store::Database& db) {
    const store::ParamLayout& layout = store::ParamLayouts::instance().layout(store::param_list::kBank);
    store::ParamLookups lookups(db);
    QList<ComboItem> items;
    for (const auto& row : lookups.ParamRows(store::param_list::kBank)) {
        const QString code = row.argumento.trimmed();
        if (code == QStringLiteral("00")) {
            continue;
        }
        items.append({layout.cut(row.funcion, QStringLiteral("nombre")) + QStringLiteral(" - ") + code, code});
    }
    return items;
}

bool chooseKind(DeclarationFormModel& model, const QString& kind) {
    PaymentState& payment = model.payment();
    if (!payment.enabled) {
        return false;
    }
    if (payment.kind != kind) {
        payment.kind = kind;
        if (kind != kCheque) {
            payment.bank.clear();
            payment.cheque.clear();
        }
        model.paymentChanged();
    }
    return true;
}

bool chooseBank(DeclarationFormModel& model, store::Database& db, const QString& code) {
    PaymentState& payment = model.payment();
    if (!payment.enabled || payment.kind != kCheque) {
        return false;
    }
    const QList<ComboItem> offered = banks(db);
    if (std::none_of(offered.cbegin(), offered.cend(), [&code](const ComboItem& item) { return item.code == code; })) {
        return false;
    }
    payment.bank = code;
    model.paymentChanged();
    return true;
}

bool typeCheque(DeclarationFormModel& model, const QString& text) {
    PaymentState& payment = model.payment();
    if (!payment.enabled || payment.kind != kCheque) {
        return false;
    }
    QString digits;
    for (const QChar typed : text) {
        if (typed.isDigit() && typed.unicode() < 128 && digits.size() < kChequeLength) {
            digits.append(typed);
        }
    }
    payment.cheque = digits;
    model.paymentChanged();
    return digits == text;
}

} // namespace qel::declaration::payment
