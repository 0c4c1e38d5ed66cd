#include "annexes/checks/LotLineChecks.h"

#include "annexes/AnnexDetailModel.h"
#include "base/NumberFormat.h"

namespace qel::annexes {

namespace {
const QString kTotal = QStringLiteral("txtTotal");
}

double LotLineChecks::total(const AnnexDetailModel& model) {
    double sum = 0;
    for (const AnnexField& f : model.def().fields) {
        if (f.control != kTotal) {
            sum += model.number(f.control);
        }
    }
    return sum;
}

void LotLineChecks::prepare(AnnexDetailModel& model) {
    model.setEnabled(kTotal, false);
    model.setValue(kTotal, app::numberText(total(model)));
}

std::optional<Failure> LotLineChecks::validate(AnnexDetailModel& model) {
    model.setValue(kTotal, app::numberText(total(model)));
    return model.fieldRules();
}

QVariant LotLineChecks::stored(AnnexDetailModel& model, const QString& column, const QVariant& value) {
    if (model.hasField(column) && model.field(column).control == kTotal) {
        return total(model);
    }
    return value;
}

} // namespace qel::annexes
