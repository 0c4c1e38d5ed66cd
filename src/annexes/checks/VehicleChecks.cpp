#include "annexes/checks/VehicleChecks.h"

#include "annexes/AnnexDetailModel.h"
#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "declaration/model/WorkingCasillas.h"
#include "store/Database.h"
#include "store/ParamLookups.h"

namespace qel::annexes {

const QString VehicleChecks::kAboveThirtyUit = QStringLiteral(
    "Sr. Contribuyente el Costo de Adquisición o Valor de Ingreso al Patrimonio es superior a 30 UIT. En estas "
    "condiciones no podrá identificar este vehículo. Si desea continuar dar clic en NO");
const QString VehicleChecks::kSaveFirst = QStringLiteral("Debe grabar primero los datos del vehículo.");
const QString VehicleChecks::kSubstituted = QStringLiteral("frmDetVehiculosSus");
const QString VehicleChecks::kIncomeLevel = QStringLiteral(
    "Sr. Contribuyente, de acuerdo a su nivel de ingresos no puede identificar un mayor número de vehículos. Si tiene "
    "otros vehículos designados a actividades de dirección, representación o administración marque la opción NO a la "
    "Pregunta de identificación.");
const QString VehicleChecks::kMoreThanOwned = QStringLiteral(
    "El número de vehículos detallados no puede ser mayor al número de vehículos de propiedad de la empresa.");

namespace {
const QString kIdentified = QStringLiteral("optDeduce");
const QString kSubstitutes = QStringLiteral("optSustitucion");
const QString kYes = QStringLiteral("1");
constexpr double kUitLimit = 30;
constexpr int kOwned = 705;
constexpr int kMaximumIdentified = 710;

// The vehicles already detailed other than the one in the window, of those flagged when
// identifiedOnly.
int otherVehicles(AnnexDetailModel& model, bool identifiedOnly) {
    store::SqlFilter filter = model.annexFilter();
    if (model.action() == app::FormRequest::kModify) {
        filter.andCondition(
            QStringLiteral("NOT (cod_categ IS ? AND des_placa IS ?)"),
            {model.requestKeyValue(QStringLiteral("cod_categ")), model.requestKeyValue(QStringLiteral("des_placa"))});
    }
    if (identifiedOnly) {
        filter.andCondition(QStringLiteral("trim(ind_ded_gasto)='1'"));
    }
    return model.context()
        .db.scalar(QStringLiteral("SELECT count(*) FROM TMPF584VEHIC") + filter.text, filter.values)
        .toInt();
}

// A working casilla of the vehicle assistants; nullopt while it is not determined.
std::optional<int> vehicleCasilla(AnnexDetailModel& model, int casilla) {
    const QString text = declaration::WorkingCasillas::value(model.context().db, model.key(), casilla).trimmed();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    return static_cast<int>(app::val(text));
}
} // namespace

void VehicleChecks::prepare(AnnexDetailModel& model) {
    model.setEnabled(QStringLiteral("cboMotivo"), model.value(kSubstitutes) == kYes);
}

void VehicleChecks::chosen(AnnexDetailModel& model, const QString& column) {
    if (column == QStringLiteral("ind_sustitucion")) {
        if (model.value(kSubstitutes) != kYes) {
            model.clearField(QStringLiteral("cboMotivo"));
        }
        prepare(model);
    }
}

std::optional<Failure> VehicleChecks::validate(AnnexDetailModel& model) {
    if (auto failure = model.fieldRules()) {
        return failure;
    }
    if (model.value(kIdentified) == kYes) {
        const double uit = app::val(store::ParamLookups(model.context().db).UitForYear(model.periodo()));
        if (uit > 0 && model.number(QStringLiteral("mto_adq")) > kUitLimit * uit) {
            return Failure{kIdentified, kAboveThirtyUit};
        }
    }
    if (model.value(kSubstitutes) == kYes && model.isEmpty(QStringLiteral("cboMotivo"))) {
        return Failure{QStringLiteral("cboMotivo"), QStringLiteral("Seleccione el motivo de la sustitución.")};
    }
    return std::nullopt;
}

std::optional<Failure> VehicleChecks::crossRows(AnnexDetailModel& model) {
    const std::optional<int> owned = vehicleCasilla(model, kOwned);
    if (owned && *owned > 0 && otherVehicles(model, false) + 1 > *owned) {
        return Failure{QStringLiteral("cboCategoria"), kMoreThanOwned};
    }
    if (model.value(kIdentified) != kYes) {
        return std::nullopt;
    }
    const std::optional<int> maximum = vehicleCasilla(model, kMaximumIdentified);
    if (maximum && otherVehicles(model, true) + 1 > *maximum) {
        return Failure{kIdentified, kIncomeLevel};
    }
    return std::nullopt;
}

void VehicleChecks::clicked(AnnexDetailModel& model, const QString& command) {
    if (command != AnnexDetailModel::commandOf(kSubstituted)) {
        return;
    }
    const QVariant category = model.storedValue(QStringLiteral("cod_categ"));
    const QVariant plate = model.storedValue(QStringLiteral("des_placa"));
    store::SqlFilter filter = model.annexFilter();
    filter.andCondition(QStringLiteral("cod_categ IS ? AND des_placa IS ?"), {category, plate});
    const bool saved = model.context()
                           .db.scalar(QStringLiteral("SELECT count(*) FROM TMPF584VEHIC") + filter.text, filter.values)
                           .toInt() > 0;
    if (!saved || model.value(kSubstitutes) != kYes) {
        model.context().prompter.message(kSaveFirst, model.def().caption, app::Icon::Exclamation);
        return;
    }
    model.openWindow(kSubstituted, app::FormRequest::kModify, {category.toString(), plate.toString()});
}

} // namespace qel::annexes
