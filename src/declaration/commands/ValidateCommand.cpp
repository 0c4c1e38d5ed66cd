#include "declaration/commands/ValidateCommand.h"

#include "app/FormOpener.h"
#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "catalogue/FormControls.h"
#include "declaration/model/DeclarationFormModel.h"
#include "declaration/rules/ConsistencyCheck.h"
#include "declaration/rules/ConsistencyRules.h"

#include <QRegularExpression>

namespace qel::declaration {

const QString ValidateCommand::kReportWindow = QStringLiteral("FrmConsist");

namespace {

const QString kFirstPage = QStringLiteral("ident.general");
const QString kDebtPage = QStringLiteral("deuda");
const QString kCmbRuc = QStringLiteral("CmbRuc");
const QString kAccepted = QStringLiteral("A");

double box(const DeclarationFormModel& model, int n) {
    return model.hasBox(n) ? model.value(n) : 0;
}

} // namespace

ValidateCommand::ValidateCommand(DeclarationFormModel& model, const CalculationRules& calculation)
    : m_model(model), m_calculation(calculation) {
    m_model.onControl(controls::kValidate, [this](int) { run(); });
}

void ValidateCommand::run() {
    m_model.acceptedMark.clear();
    // A report left open from the previous validation lists what may no longer hold: it goes,
    // and an inconsistent declaration opens a fresh one below.
    m_model.context().opener.close(kReportWindow);
    ConsistencyCheck check(m_model, m_calculation);
    if (check.run(QStringLiteral("0")) == ConsistencyCheck::Outcome::NotRun) {
        return;
    }
    showPaymentWarning(m_model);
    showVehicleWarning(m_model);
    if (refuseIdentification() || refusePayment()) {
        return;
    }
    if (m_model.inconsistencyFlag == 1) {
        // The user asked to validate, so the report opens even right after a save with
        // inconsistencies; that save had already told of them, so the report counts as seen.
        const bool seen = m_model.formState == 3;
        app::FormRequest request;
        request.name = kReportWindow;
        request.key = m_model.key();
        request.code = ConsistencyCheck::reportPath(m_model);
        request.keyValues = m_model.reportControls; // where each line takes the form
        request.readOnly = true;
        if (m_model.context().opener.open(request) == kAccepted || seen) {
            m_model.acceptedMark = kAccepted;
        }
    } else {
        m_model.context().prompter.message(
            QStringLiteral("La información de la declaración no presenta inconsistencias."), m_model.caption,
            app::Icon::Exclamation);
    }
    m_model.formState = 2;
}

QStringList ValidateCommand::report() {
    ConsistencyCheck check(m_model, m_calculation);
    if (check.run(QStringLiteral("0")) == ConsistencyCheck::Outcome::NotRun) {
        return {};
    }
    return ConsistencyCheck::readReport(ConsistencyCheck::reportPath(m_model));
}

void ValidateCommand::showPaymentWarning(DeclarationFormModel& model) {
    const bool incomeTax = box(model, 146) > 0 && box(model, 180) < box(model, 146);
    const bool itf = box(model, 165) > 0 && box(model, 181) < box(model, 165);
    if (!incomeTax && !itf) {
        return;
    }
    QString taxes;
    if (incomeTax && itf) {
        taxes = QStringLiteral("            de Renta de Tercera Categoría e ITF en su buzón VEL.");
    } else if (incomeTax) {
        taxes = QStringLiteral("               de Renta de Tercera Categoría en su buzón VEL.");
    } else {
        taxes = QStringLiteral("             de ITF en su buzón VEL.");
    }
    model.context().prompter.message(
        QStringLiteral("La KOLVA le podrá notificar una Orden de Pago por la diferencia ") + taxes, model.caption,
        app::Icon::Information);
}

// The vehicle expenses added in the assistant of casilla 103 (its casilla 736) fall short of
// the addition that the vehicle detail computes in casilla 704.
void ValidateCommand::showVehicleWarning(DeclarationFormModel& model) {
    const double addition = box(model, 704);
    if (addition <= 0 || ConsistencyRules::keptValue(model, 736) >= addition) {
        return;
    }
    model.context().prompter.message(
        QStringLiteral("Sr. Contribuyente, el importe del asistente de la casilla 103 correspondiente a gastos "
                       "incurridos en vehículos de las categorías A2, A3 y A4 para determinar la renta imponible es "
                       "menor a la informada en la casilla 704. Por favor verificar esta información para evitar "
                       "inconsistencias."),
        model.caption, app::Icon::Information);
}

bool ValidateCommand::refuseIdentification() {
    struct Refusal {
        bool applies;
        QString message;
        QString focus;
    };
    const QString itf = QStringLiteral("OptITF");
    const QString regime = QStringLiteral("OpRegRenta");
    const QList<Refusal> refusals = {
        {m_model.ruc().trimmed().isEmpty(), QStringLiteral("Debe seleccionar un Contribuyente."), kCmbRuc},
        {m_model.hasControl(itf) && m_model.control(itf).enabled && m_model.option(itf) < 0,
         QStringLiteral("Debe contestar si ha efectuado el pago de mas del 15% de sus obligaciones sin utilizar dinero "
                        "en efectivo o Medios de Pago."),
         itf},
        {m_model.hasControl(regime) && m_model.option(regime) < 0, QStringLiteral("Debe elegir el régimen de renta."),
         regime},
        {m_model.existenceMark == QStringLiteral("N"),
         QStringLiteral("La declaración que desea registrar ya existe, elija la opción modificar declaración o elija "
                        "otro contribuyente."),
         kCmbRuc},
    };
    for (const Refusal& refusal : refusals) {
        if (refusal.applies) {
            m_model.context().prompter.message(refusal.message, m_model.caption, app::Icon::Critical);
            m_model.showPage(kFirstPage, refusal.focus);
            return true;
        }
    }
    return false;
}

// A cheque needs its bank and a number.
bool ValidateCommand::refusePayment() {
    const PaymentState& payment = m_model.payment();
    if (payment.kind.trimmed() != QStringLiteral("C")) {
        return false;
    }
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    const QString bank = payment.bank.trimmed();
    const QString cheque = payment.cheque.trimmed();
    QString message;
    if (bank.isEmpty() || bank == QStringLiteral("XX")) {
        message = QStringLiteral("Ingrese el banco.");
    } else if (cheque.isEmpty() || cheque == QStringLiteral("0")) {
        message = QStringLiteral("Debe ingresar el número de cheque.");
    } else if (!digits.match(cheque).hasMatch() || app::val(cheque) == 0) {
        message = QStringLiteral("Número de cheque no es válido.");
    } else {
        return false;
    }
    m_model.showPage(kDebtPage);
    m_model.context().prompter.message(message, m_model.caption, app::Icon::Critical);
    return true;
}

} // namespace qel::declaration
