#include "annexes/checks/RentalChecks.h"

#include "annexes/AnnexDetailModel.h"
#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "store/Database.h"
#include "store/ParamLookups.h"

namespace qel::annexes {

const QString RentalChecks::kMovable = QStringLiteral("1");
const QString RentalChecks::kProperty = QStringLiteral("2");
const QString RentalChecks::kSameAddress =
    QStringLiteral("Ya ingresó este predio, desea ingresar predio con la misma dirección?");

namespace {

const QString kGood = QStringLiteral("optbien");
const QString kIdentification = QStringLiteral("txtIdentificacion");

const QStringList& addressColumns() {
    static const QStringList columns = {
        QStringLiteral("cod_ubigeo"),   QStringLiteral("tip_zona"), QStringLiteral("des_zona"),
        QStringLiteral("tip_via"),      QStringLiteral("des_via"),  QStringLiteral("numero"),
        QStringLiteral("kilometro"),    QStringLiteral("manzana"),  QStringLiteral("interior"),
        QStringLiteral("departamento"), QStringLiteral("lote"),     QStringLiteral("referencia")};
    return columns;
}

} // namespace

void RentalChecks::prepare(AnnexDetailModel& model) {
    const bool property = model.value(kGood) == kProperty;
    model.setLabel(kIdentification, property                         ? QStringLiteral("Partida Registral")
                                    : model.value(kGood) == kMovable ? QStringLiteral("Número de Placa")
                                                                     : model.field(kIdentification).label);
    for (const QString& column : addressColumns()) {
        model.setEnabled(column, property);
    }
}

void RentalChecks::chosen(AnnexDetailModel& model, const QString& column) {
    if (column != QStringLiteral("tip_bien")) {
        return;
    }
    if (model.value(kGood) != kProperty) {
        for (const QString& address : addressColumns()) {
            model.clearField(address);
        }
    }
    prepare(model);
}

std::optional<Failure> RentalChecks::validate(AnnexDetailModel& model) {
    if (auto failure = model.fieldRules()) {
        return failure;
    }
    if (model.value(kGood) != kProperty) {
        return std::nullopt;
    }
    const QString ubigeo = model.value(QStringLiteral("cod_ubigeo"));
    if (ubigeo.isEmpty()) {
        return Failure{QStringLiteral("txtUbigeo"), QStringLiteral("Ingrese el ubigeo del predio.")};
    }
    if (store::ParamLookups(model.context().db).DistrictName(ubigeo).trimmed().isEmpty()) {
        return Failure{QStringLiteral("txtUbigeo"), QStringLiteral("El ubigeo del predio no existe.")};
    }
    if (model.isEmpty(QStringLiteral("des_zona")) && model.isEmpty(QStringLiteral("des_via"))) {
        return Failure{QStringLiteral("txtZona"), QStringLiteral("Debe ingresar la zona y/o  la vía.")};
    }
    const QString number = model.value(QStringLiteral("numero"));
    if (number.isEmpty() && model.isEmpty(QStringLiteral("kilometro")) && model.isEmpty(QStringLiteral("manzana"))) {
        return Failure{QStringLiteral("txtNumero"), QStringLiteral("Ingrese el Número o  el kilómetro o la manzana")};
    }
    if (!number.isEmpty() && app::val(number) == 0) {
        return Failure{QStringLiteral("txtNumero"), QStringLiteral("Debe ingresar número distinto de 0")};
    }
    return std::nullopt;
}

bool RentalChecks::confirm(AnnexDetailModel& model) {
    if (model.value(kGood) != kProperty) {
        return true;
    }
    store::SqlFilter filter = model.annexFilter();
    for (const QString& column : addressColumns()) {
        if (column != QStringLiteral("referencia")) {
            filter.andCondition(QStringLiteral("coalesce(%1,'') = coalesce(?,'')").arg(column),
                                {model.storedValue(column)});
        }
    }
    if (model.action() == app::FormRequest::kModify) {
        filter.andCondition(QStringLiteral("NOT (tipo_doc IS ? AND nro_doc IS ? AND correl_pred IS ?)"),
                            {model.requestKeyValue(QStringLiteral("tipo_doc")),
                             model.requestKeyValue(QStringLiteral("nro_doc")),
                             model.requestKeyValue(QStringLiteral("correl_pred"))});
    }
    const int same = model.context()
                         .db.scalar(QStringLiteral("SELECT count(*) FROM TMPF582ALQUILER") + filter.text, filter.values)
                         .toInt();
    return same == 0 || model.context().prompter.askYesNo(kSameAddress, model.def().caption);
}

} // namespace qel::annexes
