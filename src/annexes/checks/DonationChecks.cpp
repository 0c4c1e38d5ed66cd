#include "annexes/checks/DonationChecks.h"

#include "annexes/AnnexDetailModel.h"
#include "app/UtilityComponent.h"
#include "base/NumberFormat.h"
#include "store/Database.h"

namespace qel::annexes {

const QString DonationChecks::kType = QStringLiteral("Debe seleccionar el tipo de donación ");
const QString DonationChecks::kModality = QStringLiteral("Debe seleccionar la modalidad de donación efectuada");
const QString DonationChecks::kDescription = QStringLiteral("Debe especificar la donación");
const QString DonationChecks::kDocType = QStringLiteral("Debe seleccionar el tipo de documento");
const QString DonationChecks::kDocNumber = QStringLiteral("El número de documento es incorrecto");
const QString DonationChecks::kName = QStringLiteral("Debe registrar el nombre o razón social del donatario");
const QString DonationChecks::kDate = QStringLiteral("La Fecha de Donación Registrada No es Válida");
const QString DonationChecks::kAmount = QStringLiteral("Debe registrar el monto de la donación");
const QString DonationChecks::kSameDocumentAndDate =
    QStringLiteral("Ya existe registrada una donación para ese número de RUC y Fecha");

namespace {

const QString kTypeField = QStringLiteral("cboTipoDonacion");
const QString kModalityField = QStringLiteral("cboModalidad");
const QString kDocTypeField = QStringLiteral("cboTipoDoc");
const QString kDocNumberField = QStringLiteral("txtNroDoc");
const QString kNameField = QStringLiteral("txtRazonSocial");
const QString kDateField = QStringLiteral("mskFecDonacion");
const QString kAmountField = QStringLiteral("txtMonto");
const QString kDescriptionField = QStringLiteral("txtDescripcion");
const QString kOtherModality = QStringLiteral("7");

bool documentNumberValid(const QString& type, const QString& number) {
    if (number.trimmed().isEmpty()) {
        return false;
    }
    if (type == QStringLiteral("06")) {
        return app::UtilityComponent::CheckRuc(number.trimmed());
    }
    if (type == QStringLiteral("01")) {
        return number.trimmed().size() == 8;
    }
    return true;
}

} // namespace

std::optional<Failure> DonationChecks::validate(AnnexDetailModel& model) {
    if (model.isEmpty(kTypeField)) {
        return Failure{kTypeField, kType};
    }
    if (model.isEmpty(kModalityField)) {
        return Failure{kModalityField, kModality};
    }
    if (model.value(kModalityField) == kOtherModality && model.isEmpty(kDescriptionField)) {
        return Failure{kDescriptionField, kDescription};
    }
    if (model.isEmpty(kDocTypeField)) {
        return Failure{kDocTypeField, kDocType};
    }
    if (!documentNumberValid(model.value(kDocTypeField), model.value(kDocNumberField))) {
        return Failure{kDocNumberField, kDocNumber};
    }
    if (model.isEmpty(kNameField)) {
        return Failure{kNameField, kName};
    }
    const QDate date = model.date(kDateField);
    if (!date.isValid() || date.year() != model.periodo().toInt()) {
        return Failure{kDateField, kDate};
    }
    if (model.isEmpty(kAmountField) || app::val(model.value(kAmountField)) == 0) {
        return Failure{kAmountField, kAmount};
    }
    return std::nullopt;
}

// One donation per document and date, whatever its type and modality; a modified row is not
// compared with itself.
std::optional<Failure> DonationChecks::crossRows(AnnexDetailModel& model) {
    store::SqlFilter filter = model.annexFilter();
    filter.andCondition(QStringLiteral("tip_documento IS ? AND trim(num_documento)=? AND fec_donacion IS ?"),
                        {model.storedValue(QStringLiteral("tip_documento")), model.value(kDocNumberField).trimmed(),
                         model.storedValue(QStringLiteral("fec_donacion"))});
    if (model.action() == app::FormRequest::kModify) {
        QString same;
        QVariantList values;
        for (const QString& column : model.def().keyColumns) {
            same += (same.isEmpty() ? QString() : QStringLiteral(" AND ")) + column + QStringLiteral(" IS ?");
            values.append(model.requestKeyValue(column));
        }
        filter.andCondition(QStringLiteral("NOT (") + same + QLatin1Char(')'), values);
    }
    const QVariant found =
        model.context().db.scalar(QStringLiteral("SELECT count(*) FROM TMPF586DONAC") + filter.text, filter.values);
    if (found.toInt() > 0) {
        return Failure{kDocNumberField, kSameDocumentAndDate};
    }
    return std::nullopt;
}

} // namespace qel::annexes
