#include "annexes/checks/LossChecks.h"

#include "annexes/AnnexDetailModel.h"
#include "store/Database.h"

namespace qel::annexes {

std::optional<Failure> LossChecks::crossRows(AnnexDetailModel& model) {
    store::SqlFilter filter = model.annexFilter();
    filter.andCondition(QStringLiteral("tip_documento IS ? AND num_documento IS ? AND ind_inf_tecnico IS NOT ?"),
                        {model.storedValue(QStringLiteral("tip_documento")),
                         model.storedValue(QStringLiteral("num_documento")),
                         model.storedValue(QStringLiteral("ind_inf_tecnico"))});
    if (model.context()
            .db.scalar(QStringLiteral("SELECT count(*) FROM TMPF535MERMAS") + filter.text, filter.values)
            .toInt() > 0) {
        return Failure{QStringLiteral("txtNroDoc"),
                       QStringLiteral("Ya se registró el mismo tipo y número de documento para otro tipo elaboración "
                                      "del informe técnico.")};
    }
    return std::nullopt;
}

} // namespace qel::annexes
