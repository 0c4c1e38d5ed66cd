#include "annexes/checks/ParticipantChecks.h"

#include "annexes/AnnexDetailModel.h"
#include "base/NumberFormat.h"
#include "store/Database.h"

namespace qel::annexes {

std::optional<Failure> ParticipantChecks::crossRows(AnnexDetailModel& model) {
    store::SqlFilter filter = model.annexFilter();
    if (model.action() == app::FormRequest::kModify) {
        filter.andCondition(
            QStringLiteral("NOT (tipo_doc IS ? AND nro_doc IS ?)"),
            {model.requestKeyValue(QStringLiteral("tipo_doc")), model.requestKeyValue(QStringLiteral("nro_doc"))});
    }
    store::Database& db = model.context().db;
    const double others =
        db.scalar(QStringLiteral("SELECT %1 FROM TMPF582COLDET")
                          .arg(db.dialect().total(db.dialect().realOf(QStringLiteral("por_participacion")))) +
                      filter.text,
                  filter.values)
            .toDouble();
    if (app::roundHalfAway(others + model.number(QStringLiteral("por_participacion")), 2) > 100) {
        return Failure{QStringLiteral("txtParticipacion"), AnnexDetailModel::kAboveMaximum};
    }
    return std::nullopt;
}

} // namespace qel::annexes
