#include "annexes/checks/PartnerChecks.h"

#include "app/Clock.h"
#include "app/UtilityComponent.h"
#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "store/Database.h"

#include <QSqlQuery>

namespace qel::annexes {

const QString PartnerChecks::kConsolidatedType = QStringLiteral("05");
const QString PartnerChecks::kConsolidatedClosed = QStringLiteral(
    "La opción  consolidada solo se habilita cuando se han  completado los 100 primeros registros o cuando la "
    "relación de los socios, asociados y otros ingresados  representen al menos el 80% de la participación. ");
const QString PartnerChecks::kConsolidatedRequires =
    QStringLiteral("Sr. Contribuyente, debe registrar de manera obligatoria a los 100 principales socios o a quienes "
                   "representen el 80% de la participación.");
const QString PartnerChecks::kIncomplete =
    QStringLiteral("Debe consignar toda la información del principal socio, asociado, participacionista u otros.");

namespace {

const QString kType = QStringLiteral("cboTipoSocio");
const QString kDocType = QStringLiteral("cboTipoDoc");
const QString kDocNumber = QStringLiteral("txtNroDoc");
const QString kName = QStringLiteral("txtRazonSocial");
const QString kCountry = QStringLiteral("cboPais");
const QString kShare = QStringLiteral("txtPorcentaje");
const QString kBirth = QStringLiteral("mskFecNac");
const QString kJoined = QStringLiteral("mskFecConst");
const QString kBadForm = QStringLiteral("La Forma de ingresar la fecha es incorrecta.");

constexpr double kConsolidatedShare = 80;

} // namespace

PartnerChecks::Others PartnerChecks::others(AnnexDetailModel& model) {
    store::SqlFilter filter = model.annexFilter();
    if (model.action() == app::FormRequest::kModify) {
        filter.andCondition(QStringLiteral("NOT (tipo_socio IS ? AND tipo_doc_socio IS ? AND nro_doc_socio IS ?)"),
                            {model.requestKeyValue(QStringLiteral("tipo_socio")),
                             model.requestKeyValue(QStringLiteral("tipo_doc_socio")),
                             model.requestKeyValue(QStringLiteral("nro_doc_socio"))});
    }
    store::Database& db = model.context().db;
    QSqlQuery totals = db.run(QStringLiteral("SELECT count(*), %1 FROM TMPF535SOCIOS")
                                      .arg(db.dialect().total(db.dialect().realOf(QStringLiteral("Porcentaje")))) +
                                  filter.text,
                              filter.values);
    Others o;
    if (totals.next()) {
        o.count = totals.value(0).toInt();
        o.shares = app::roundHalfAway(totals.value(1).toDouble(), 2);
    }
    return o;
}

bool PartnerChecks::consolidatedAllowed(const Others& others) {
    return others.count >= AnnexCatalog::kMaxPartners || others.shares >= kConsolidatedShare;
}

void PartnerChecks::prepare(AnnexDetailModel& model) {
    if (m_docTypes.isEmpty()) {
        m_docTypes = model.state(kDocType).items;
    }
    if (model.value(kType) == kConsolidatedType) {
        consolidated(model, true);
    }
}

// The consolidated rest has no name nor document, and its dates are the first day of the year.
void PartnerChecks::consolidated(AnnexDetailModel& model, bool on) {
    const bool keyLocked = model.action() == app::FormRequest::kModify;
    for (const QString& name : {kDocType, kDocNumber, kName}) {
        if (on) {
            model.clearField(name);
        }
        model.setEnabled(name, !on && !(keyLocked && model.field(name).key));
    }
    if (on) {
        const QString firstDay = QStringLiteral("01/01/") + model.periodo();
        model.setValue(kBirth, firstDay);
        model.setValue(kJoined, firstDay);
    }
}

void PartnerChecks::chosen(AnnexDetailModel& model, const QString& column) {
    if (column != QStringLiteral("tipo_socio")) {
        return;
    }
    const QString type = model.value(kType);
    if (type == kConsolidatedType) {
        if (!consolidatedAllowed(others(model))) {
            model.context().prompter.message(kConsolidatedClosed, model.def().caption, app::Icon::Information);
            model.clearField(kType);
            return;
        }
        consolidated(model, true);
        return;
    }
    consolidated(model, false);
    // A domiciled company is identified by its RUC only.
    if (type == QStringLiteral("02")) {
        QList<AnnexItem> ruc;
        for (const AnnexItem& item : m_docTypes) {
            if (item.code == QStringLiteral("06")) {
                ruc.append(item);
            }
        }
        model.setItems(kDocType, ruc);
    } else {
        model.setItems(kDocType, m_docTypes);
    }
}

std::optional<Failure> PartnerChecks::validate(AnnexDetailModel& model) {
    const QString type = model.value(kType);
    const QString docType = model.value(kDocType);
    const QString number = model.value(kDocNumber);
    const bool rest = type == kConsolidatedType;
    if (!rest && docType == QStringLiteral("99")) {
        return Failure{kDocType, QStringLiteral("El tipo de documento del socio es inválido")};
    }
    if (docType == QStringLiteral("06") && !app::UtilityComponent::CheckRuc(number)) {
        return Failure{kDocNumber, AnnexDetailModel::kBadRuc};
    }
    if (docType == QStringLiteral("01") && number.size() != 8) {
        return Failure{kDocNumber, AnnexDetailModel::kDniLength};
    }
    if (!rest) {
        // A foreign company may have no document type.
        const bool docTypeMissing = docType.isEmpty() && type != QStringLiteral("04");
        for (const auto& [missing, name] :
             {std::pair{type.isEmpty(), kType}, std::pair{docTypeMissing, kDocType},
              std::pair{number.isEmpty(), kDocNumber}, std::pair{model.isEmpty(kName), kName},
              std::pair{model.isEmpty(kCountry), kCountry}}) {
            if (missing) {
                return Failure{name, kIncomplete};
            }
        }
    }
    if (auto failure = checkDates(model)) {
        return failure;
    }
    if (auto failure = checkShare(model)) {
        return failure;
    }
    if (rest && !consolidatedAllowed(others(model))) {
        return Failure{kType, kConsolidatedRequires};
    }
    return std::nullopt;
}

// A date is a date when every digit is typed, it exists, and it lies after 1850 and not after
// today; a partner's dates then lie between 1900 and the end of the period.
std::optional<Failure> PartnerChecks::checkDates(AnnexDetailModel& model) const {
    const QDate first(1900, 1, 1);
    const QDate last(model.periodo().toInt(), 12, 31);
    const QDate today = model.context().clock.today();
    const auto check = [&](const QString& name, const QString& outOfRange) -> std::optional<Failure> {
        if (model.isEmpty(name)) {
            return std::nullopt;
        }
        const QDate d = model.date(name);
        if (!d.isValid() || d <= QDate(1850, 1, 1) || d > today) {
            return Failure{name, kBadForm};
        }
        if (d < first || d > last) {
            return Failure{name, outOfRange};
        }
        return std::nullopt;
    };
    if (auto failure = check(kBirth, QStringLiteral("La fecha de nacimiento registrada no es Válida."))) {
        return failure;
    }
    if (auto failure = check(kJoined, QStringLiteral("La Fecha en que se constituye como socio no es Válida."))) {
        return failure;
    }
    if (!model.isEmpty(kBirth) && !model.isEmpty(kJoined) && model.date(kJoined) < model.date(kBirth)) {
        return Failure{kJoined,
                       QStringLiteral("La Fecha en que se constituye como socio, asociado, participacionista u "
                                      "otro no puede ser menor que la fecha de nacimiento.")};
    }
    return std::nullopt;
}

std::optional<Failure> PartnerChecks::checkShare(AnnexDetailModel& model) const {
    const QString share = model.value(kShare);
    if (app::val(share) > 100) {
        return Failure{kShare, AnnexDetailModel::kAboveMaximum};
    }
    if (app::val(share) == 0) {
        return Failure{kShare, AnnexDetailModel::kZeroPercent};
    }
    if (AnnexDetailModel::decimals(share) > 2) {
        return Failure{kShare, AnnexDetailModel::kTwoDecimals};
    }
    return std::nullopt;
}

std::optional<Failure> PartnerChecks::crossRows(AnnexDetailModel& model) {
    const double total = app::roundHalfAway(others(model).shares + app::val(model.value(kShare)), 2);
    if (total > 100) {
        return Failure{kShare, AnnexDetailModel::kAboveMaximum};
    }
    return std::nullopt;
}

// A partner without a document type is stored with type 0.
QVariant PartnerChecks::stored(AnnexDetailModel&, const QString& column, const QVariant& value) {
    if (column.compare(QStringLiteral("tipo_doc_socio"), Qt::CaseInsensitive) == 0 && value.isNull()) {
        return 0;
    }
    return value;
}

} // namespace qel::annexes
