#include "annexes/checks/NonDomiciledChecks.h"

#include "annexes/AnnexDetailModel.h"
#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "store/Database.h"
#include "store/ParamLookups.h"

namespace qel::annexes {

const QString NonDomiciledChecks::kBelowThreeUit = QStringLiteral("El importe del gasto debe ser mayor a 3 UIT.");
const QString NonDomiciledChecks::kSaveFirst = QStringLiteral("Debe grabar primero los datos del gasto.");
const QString NonDomiciledChecks::kDetail = QStringLiteral("frmNoDomicDet");

namespace {
constexpr double kUits = 3;
}

std::optional<Failure> NonDomiciledChecks::validate(AnnexDetailModel& model) {
    if (auto failure = model.fieldRules()) {
        return failure;
    }
    const double uit = app::val(store::ParamLookups(model.context().db).UitForYear(model.periodo()));
    if (model.number(QStringLiteral("mto_gasto")) <= kUits * uit) {
        return Failure{QStringLiteral("txtGasto"), kBelowThreeUit};
    }
    return std::nullopt;
}

} // namespace qel::annexes

namespace qel::annexes {

void NonDomiciledChecks::clicked(AnnexDetailModel& model, const QString& command) {
    if (command != AnnexDetailModel::commandOf(kDetail)) {
        return;
    }
    QStringList provider;
    store::SqlFilter filter = model.annexFilter();
    for (const QString& column : {QStringLiteral("tipo_doc"), QStringLiteral("nro_doc"), QStringLiteral("tip_renta")}) {
        const QVariant value = model.storedValue(column);
        provider.append(value.toString());
        filter.andCondition(column + QStringLiteral(" IS ?"), {value});
    }
    const bool saved =
        model.context()
            .db.scalar(QStringLiteral("SELECT count(*) FROM TMPF582NODOMIC") + filter.text, filter.values)
            .toInt() > 0;
    if (!saved) {
        model.context().prompter.message(kSaveFirst, model.def().caption, app::Icon::Exclamation);
        return;
    }
    const QString total = model.openWindow(kDetail, app::FormRequest::kModify, provider);
    if (!total.trimmed().isEmpty()) {
        model.setText(QStringLiteral("txtGasto"), app::formatNumber(app::readWhole(total), app::masks::kWhole));
    }
}

} // namespace qel::annexes
