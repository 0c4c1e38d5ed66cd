#include "annexes/checks/WastageChecks.h"

#include "annexes/AnnexDetailModel.h"

namespace qel::annexes {

const QString WastageChecks::kNotary = QStringLiteral("1");
const QString WastageChecks::kJusticeOfPeace = QStringLiteral("2");

namespace {
constexpr int kShortestCourt = 3;
}

std::optional<Failure> WastageChecks::validate(AnnexDetailModel& model) {
    const QString before = model.value(QStringLiteral("ind_destruccion"));
    if (before == kNotary && model.value(QStringLiteral("tip_documento")) != QStringLiteral("06")) {
        return Failure{QStringLiteral("cboTipoDoc"), QStringLiteral("El tipo de documento debe ser RUC.")};
    }
    if (before == kJusticeOfPeace) {
        const QString court = model.value(QStringLiteral("id_juzg_paz"));
        if (court.isEmpty()) {
            return Failure{QStringLiteral("txtJuzgado"), QStringLiteral("Registre la identificación Juzgado de Paz.")};
        }
        if (court.size() < kShortestCourt) {
            return Failure{QStringLiteral("txtJuzgado"),
                           QStringLiteral("La identificación Juzgado de Paz es inválida.")};
        }
    }
    if (auto failure = model.fieldRules()) {
        return failure;
    }
    if (model.date(QStringLiteral("fec_destruccion")) < model.date(QStringLiteral("fec_com_kolva"))) {
        return Failure{QStringLiteral("mskFecDestruccion"),
                       QStringLiteral("La fecha de destrucción no puede ser anterior a la fecha de comunicación a la "
                                      "KOLVA.")};
    }
    return std::nullopt;
}

} // namespace qel::annexes
