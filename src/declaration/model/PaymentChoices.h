#pragma once

#include "declaration/model/DeclarationFormModel.h"

#include <QList>
#include <QString>

namespace qel::declaration::payment {

inline const QString kCash = QStringLiteral("E");
inline const QString kCheque = QStringLiteral("C");
constexpr int kChequeLength = 15;

// The banks a cheque may be drawn on: PARAM '004' without its "no bank" row, each shown as its
// name followed by its two-digit code.
QList<ComboItem> banks(store::Database& db);

// The payment control as a user works it, in the window and in the batch mode alike. Each
// answers false when the control refuses the change (disabled, not a cheque, an unknown bank).
bool chooseKind(DeclarationFormModel& model, const QString& kind); // cash clears bank and cheque
bool chooseBank(DeclarationFormModel& model, store::Database& db, const QString& code);
bool typeCheque(DeclarationFormModel& model, const QString& text); // digits only, up to 15

} // namespace qel::declaration::payment
