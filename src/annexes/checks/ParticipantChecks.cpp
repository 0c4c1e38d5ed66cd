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
    const double others =
        model.context()
            .db
            .scalar(QStringLiteral("SELECT total(CAST(ifnull(por_participacion,'') AS REAL)) FROM TMPF582COLDET") +
                        filter.text,
                    filter.values)
            .toDouble();
    if (app::roundHalfAway(others + model.number(QStringLiteral("por_participacion")), 2) > 100) {
        return Failure{QStringLiteral("txtParticipacion"), AnnexDetailModel::kAboveMaximum};
    }
    return std::nullopt;
}

} // namespace qel::annexes
