#include "annexes/checks/CounterpartBalanceChecks.h"

#include "annexes/AnnexDetailModel.h"
#include "base/NumberFormat.h"
#include "store/ParamLookups.h"

#include <algorithm>

namespace qel::annexes {

const QString CounterpartBalanceChecks::kConsolidated = QStringLiteral("99");
const QString CounterpartBalanceChecks::kConsolidatedNumber = QStringLiteral("000000000000");
const QString CounterpartBalanceChecks::kNoDocType = QStringLiteral("El tipo de documento está en blanco");
const QString CounterpartBalanceChecks::kNoNameKind =
    QStringLiteral("Debe registrar 1 o 0 según vaya a consignar : 1=Nombres  0=Razón Social");
const QString CounterpartBalanceChecks::kNotRucNeedsNames = QStringLiteral(
    "Si el tipo de documento es diferente de RUC debe registrar por lo menos Apellido Paterno y Nombres.");
const QString CounterpartBalanceChecks::kNoCompany = QStringLiteral("Si indicó 0 debe registrar Razón Social.");
const QString CounterpartBalanceChecks::kNoSurname =
    QStringLiteral("Si indicó 1 debe registrar por lo menos Apellido Paterno y Nombres.");
const QString CounterpartBalanceChecks::kNoGivenNames = QStringLiteral("Debe consignar Nombres");
const QString CounterpartBalanceChecks::kNoBalance =
    QStringLiteral("Debe registar el Saldo. Numérico de hasta 12 posiciones sin Decimales ni comas");
const QString CounterpartBalanceChecks::kZeroBalance = QStringLiteral("El Saldo no puede ser 0");
const QString CounterpartBalanceChecks::kBelowThreeUit = QStringLiteral("El Saldo debe ser Mayor a 3 UIT");

namespace {

const QString kDocType = QStringLiteral("tipo_doc");
const QString kNumber = QStringLiteral("nro_doc");
const QString kNameKind = QStringLiteral("tipo_des");
const QString kCompany = QStringLiteral("des_razon");
const QString kSurname = QStringLiteral("des_apellido_p");
const QString kSecondSurname = QStringLiteral("des_apellido_m");
const QString kGivenNames = QStringLiteral("des_nombres");
const QString kShownName = QStringLiteral("des_nom_razon");
const QString kBalance = QStringLiteral("saldo");
const QString kRuc = QStringLiteral("06");
const QString kCompanyKind = QStringLiteral("0");
const QString kPersonKind = QStringLiteral("1");
constexpr double kUits = 3;

bool consolidated(const AnnexDetailModel& model) {
    return model.value(kDocType) == CounterpartBalanceChecks::kConsolidated;
}

// What the list and the printed annex show: the business name, or "SURNAME SURNAME, NAMES".
QString shownName(const AnnexDetailModel& model) {
    if (model.value(kNameKind) != kPersonKind) {
        return model.value(kCompany).trimmed();
    }
    return (model.value(kSurname).trimmed() + QLatin1Char(' ') + model.value(kSecondSurname).trimmed()).trimmed() +
           QStringLiteral(", ") + model.value(kGivenNames).trimmed();
}

} // namespace

void CounterpartBalanceChecks::prepare(AnnexDetailModel& model) {
    QList<AnnexItem> items = model.state(kDocType).items;
    const bool listed =
        std::any_of(items.cbegin(), items.cend(), [](const AnnexItem& item) { return item.code == kConsolidated; });
    if (!listed) {
        items.append({kConsolidated + QStringLiteral("  -  CONSOLIDADO"), kConsolidated});
        model.setItems(kDocType, items);
    }
    model.setEnabled(kShownName, false);
    showKind(model);
}

void CounterpartBalanceChecks::chosen(AnnexDetailModel& model, const QString& column) {
    if (column.compare(kDocType, Qt::CaseInsensitive) == 0 && consolidated(model)) {
        // The consolidated rest has no document and no names.
        model.setValue(kNumber, kConsolidatedNumber);
        model.setCode(kNameKind, kCompanyKind);
        for (const QString& name : {kSurname, kSecondSurname, kGivenNames}) {
            model.clearField(name);
        }
    } else if (column.compare(kDocType, Qt::CaseInsensitive) == 0 && model.value(kNumber) == kConsolidatedNumber) {
        model.clearField(kNumber);
    }
    showKind(model);
}

// Only the boxes of the chosen kind of name can be typed into.
void CounterpartBalanceChecks::showKind(AnnexDetailModel& model) {
    const bool rest = consolidated(model);
    const bool person = model.value(kNameKind) == kPersonKind;
    if (model.action() == app::FormRequest::kAdd) { // the key of a modified row stays as it was
        model.setEnabled(kNumber, !rest);
    }
    model.setEnabled(kNameKind, !rest);
    model.setEnabled(kCompany, !person);
    for (const QString& name : {kSurname, kSecondSurname, kGivenNames}) {
        model.setEnabled(name, person && !rest);
    }
}

std::optional<Failure> CounterpartBalanceChecks::validate(AnnexDetailModel& model) {
    if (model.isEmpty(kDocType)) {
        return Failure{model.field(kDocType).control, kNoDocType};
    }
    if (!consolidated(model)) {
        if (auto failure = model.fieldRule(model.field(kNumber))) {
            return failure;
        }
        if (auto failure = checkNames(model)) {
            return failure;
        }
    }
    const QString balanceBox = model.field(kBalance).control;
    if (model.isEmpty(kBalance)) {
        return Failure{balanceBox, kNoBalance};
    }
    const double balance = model.number(kBalance);
    if (balance == 0) {
        return Failure{balanceBox, kZeroBalance};
    }
    const double uit = app::val(store::ParamLookups(model.context().db).UitForYear(model.periodo()));
    if (balance <= kUits * uit) {
        return Failure{balanceBox, kBelowThreeUit};
    }
    model.setValue(kShownName, shownName(model));
    return std::nullopt;
}

std::optional<Failure> CounterpartBalanceChecks::checkNames(AnnexDetailModel& model) {
    const QString kind = model.value(kNameKind);
    if (kind != kPersonKind && kind != kCompanyKind) {
        return Failure{model.field(kNameKind).control, kNoNameKind};
    }
    if (kind == kCompanyKind && model.value(kDocType) != kRuc) {
        return Failure{model.field(kNameKind).control, kNotRucNeedsNames};
    }
    if (kind == kCompanyKind && model.isEmpty(kCompany)) {
        return Failure{model.field(kCompany).control, kNoCompany};
    }
    if (kind == kPersonKind && model.isEmpty(kSurname)) {
        return Failure{model.field(kSurname).control, kNoSurname};
    }
    if (kind == kPersonKind && model.isEmpty(kGivenNames)) {
        return Failure{model.field(kGivenNames).control, kNoGivenNames};
    }
    return std::nullopt;
}

} // namespace qel::annexes
