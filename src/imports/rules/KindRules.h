#pragma once

#include "imports/RecordRules.h"

#include <memory>

namespace qel::imports {

// The rules of each import kind, one factory per kind.
std::unique_ptr<RecordRules> partnerRules();
std::unique_ptr<RecordRules> balanceRules();
std::unique_ptr<RecordRules> expenseRules();
std::unique_ptr<RecordRules> exportRules();
// Kinds "6" and "7": the lines of the movement of real-estate investments (or of their
// depreciation, whose last amount is the rate).
std::unique_ptr<RecordRules> movementRules(bool depreciation);
// Kinds "8", "9" and "10": the months of an assistant over the assistant rows.
std::unique_ptr<RecordRules> monthRules(const QString& assistantType, const QStringList& amountColumns,
                                        int ignoredAmounts);
std::unique_ptr<RecordRules> rentalRules();
std::unique_ptr<RecordRules> contractRules();
// Kind "U41": the vehicles of the complementary information.
std::unique_ptr<RecordRules> vehicleRules();

} // namespace qel::imports
