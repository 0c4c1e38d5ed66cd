#include "annexes/checks/LotChecks.h"

#include "annexes/AnnexDetailModel.h"
#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "store/Database.h"

namespace qel::annexes {

const QString LotChecks::kAdditions = QStringLiteral("DetAdicionesMH");
const QString LotChecks::kDeductions = QStringLiteral("DetDeduccionesMH");
const QString LotChecks::kOtherIncome = QStringLiteral("frmMinOtros");

namespace {

bool mining(const AnnexDetailModel& model) {
    return model.def().table.compare(QStringLiteral("TMPF564MINERIA"), Qt::CaseInsensitive) == 0;
}

QString lotField(const AnnexDetailModel& model) {
    return mining(model) ? QStringLiteral("nro_concesion") : QStringLiteral("nro_lote");
}

} // namespace

// The totals of the sub-windows are theirs: the lot's boxes only show them.
void LotChecks::prepare(AnnexDetailModel& model) {
    model.setEnabled(QStringLiteral("txtAdiciones"), false);
    model.setEnabled(QStringLiteral("txtDeducciones"), false);
}

void LotChecks::clicked(AnnexDetailModel& model, const QString& command) {
    const bool additions = command == AnnexDetailModel::commandOf(kAdditions);
    const bool otherIncome = command == AnnexDetailModel::commandOf(kOtherIncome);
    if (!additions && !otherIncome && command != AnnexDetailModel::commandOf(kDeductions)) {
        return;
    }
    const QString lot = model.value(lotField(model));
    if (lot.isEmpty()) {
        const QString what = additions     ? QStringLiteral("las Adiciones")
                             : otherIncome ? QStringLiteral("los Otros Ingresos")
                                           : QStringLiteral("las Deducciones");
        model.context().prompter.message(
            QStringLiteral("Para ingresar a registrar ") + what +
                (mining(model) ? QStringLiteral(" debe primero ingresar el Número de Concesión o U.E.A.")
                               : QStringLiteral(" debe primero ingresar el Número de Lote en Exploración y/o "
                                                "Explotación o Actividad")),
            model.def().caption, app::Icon::Exclamation);
        model.setFocus(lotField(model));
        return;
    }
    if (otherIncome) {
        // The concession's other income is part of casilla 476, itemised in the same list.
        model.openWindow(kOtherIncome, app::FormRequest::kAdd, {}, QStringLiteral("476"));
        return;
    }
    const QString annex = model.value(QStringLiteral("nro_anexo"));
    model.openWindow(additions ? kAdditions : kDeductions, app::FormRequest::kAdd, {annex, lot});
    const QString table = additions ? QStringLiteral("TMPF564ADMINH") : QStringLiteral("TMPF564DEMINH");
    const QString total = additions ? QStringLiteral("mto_ADICION_tot") : QStringLiteral("mto_deduc_tot");
    store::SqlFilter filter = model.key().filter();
    filter.andCondition(QStringLiteral("nro_anexo IS ? AND num_conc_lote IS ?"), {annex.toInt(), lot});
    store::Database& db = model.context().db;
    const QVariant sum = db.scalar(
        QStringLiteral("SELECT %1 FROM ").arg(db.dialect().total(db.dialect().realOf(total))) + table + filter.text,
        filter.values);
    model.setValue(additions ? QStringLiteral("txtAdiciones") : QStringLiteral("txtDeducciones"),
                   app::numberText(app::roundHalfAway(sum.toDouble())));
}

} // namespace qel::annexes
