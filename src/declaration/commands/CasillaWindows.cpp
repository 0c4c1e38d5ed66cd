#include "declaration/commands/CasillaWindows.h"

#include "annexes/PriorBalanceModel.h"
#include "app/FormOpener.h"
#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "catalogue/FormControls.h"
#include "declaration/model/DeclarationFormModel.h"
#include "declaration/model/VehicleCasillas.h"

#include <QSet>

namespace qel::declaration {

const QString CasillaWindows::kVehicleQuestionFirst =
    QStringLiteral("Indique si está deduciendo gastos de vehículos a que se refiere el inciso w) del Art. 37° de la "
                   "Ley.");
const QString CasillaWindows::kNetIncomeFirst = QStringLiteral("Primero debe determinar sus ingresos netos anuales");

namespace {

const QString kCounterparts = QStringLiteral("frasiscasillasef");
const QString kVehicles = QStringLiteral("frmVehiculos");
const QString kNetIncome = QStringLiteral("frmVehIngresosNetos");
const QString kPriorBalance = QStringLiteral("frmAnexo127");
const QString kVehicleQuestion = controls::kVehicles;
// The loss balance of earlier years that casilla 111 carries forward: its window opens from 111.
const QString kLossBalance = QStringLiteral("frmPerdidaEjercAnt");
const QString kLossBalanceBox = QStringLiteral("TxtTotalSaldo");
constexpr int kCarriedLosses = 111;
// The casilla that holds the net income of the previous year the vehicle rules start from.
constexpr int kNetIncomeCasilla = 876;

const QSet<int>& clickable() {
    static const QSet<int> casillas = [] {
        QSet<int> s = {103, 105, 108, 111, 123, 136, 227, 278, 301, 303, 304, 317, 328, 335, 337,
                       361, 362, 364, 365, 367, 404, 405, 407, 408, 461, 464, 473, 486, 876, 877};
        for (int n = 125; n <= 131; ++n) {
            s.insert(n);
        }
        for (int n = 380; n <= 383; ++n) {
            s.insert(n);
        }
        for (int n = 475; n <= 477; ++n) {
            s.insert(n);
        }
        return s;
    }();
    return casillas;
}

} // namespace

CasillaWindows::CasillaWindows(DeclarationFormModel& model) : m_model(model) {
    m_model.onCasillaClicked([this](int casilla) { return open(casilla); });
}

bool CasillaWindows::opensWindow(int casilla) {
    return clickable().contains(casilla);
}

QString CasillaWindows::detailPrompt(const QString& accountName) {
    return QStringLiteral("Ingrese el Detalle de ") + accountName + QStringLiteral(" : ");
}

bool CasillaWindows::open(int casilla) {
    if (!opensWindow(casilla) || !m_model.hasBox(casilla) || !m_model.box(casilla).enabled) {
        return false;
    }
    if (casilla == kCarriedLosses) {
        return openLossBalance();
    }
    const CasillaDef* def = m_model.casillas().find(casilla);
    if (def == nullptr || def->window.isEmpty()) {
        return false;
    }
    if (def->window == kVehicles) {
        return openVehicles(casilla);
    }
    if (def->window == kPriorBalance) {
        openPriorBalance(casilla);
        return true;
    }
    const QString code = def->window == kCounterparts ? detailPrompt(def->label) : QString();
    writeBack(casilla, request(def->window, casilla, code));
    return true;
}

// The vehicle casillas need the vehicle question answered and the net income of the previous
// year, which its own window determines first.
bool CasillaWindows::openVehicles(int casilla) {
    app::Prompter& prompter = m_model.context().prompter;
    if (m_model.hasControl(kVehicleQuestion) && m_model.option(kVehicleQuestion) < 0) {
        prompter.message(kVehicleQuestionFirst, m_model.caption, app::Icon::Information);
        return true;
    }
    if (!netIncomeDetermined()) {
        prompter.message(kNetIncomeFirst, m_model.caption, app::Icon::Information);
        writeBack(kNetIncomeCasilla, request(kNetIncome, kNetIncomeCasilla));
        VehicleCasillas(m_model).CalculaCasVeh();
        if (!netIncomeDetermined()) {
            return true;
        }
    }
    writeBack(casilla, request(kVehicles, casilla));
    VehicleCasillas(m_model).CalculaCasVeh();
    return true;
}

// The balance goes to the hidden total box; the carry-forward of 111 is computed from it.
bool CasillaWindows::openLossBalance() {
    const QString total = request(kLossBalance, kCarriedLosses);
    if (total.trimmed().isEmpty() || !m_model.hasControl(kLossBalanceBox)) {
        return true;
    }
    const double balance = app::readWhole(total);
    m_model.setControlText(kLossBalanceBox, balance == 0 ? QString() : app::numberText(balance));
    m_model.dirty = true;
    return true;
}

// Casilla 127 comes back with its three parts, DET-only casillas the form keeps until it saves.
void CasillaWindows::openPriorBalance(int casilla) {
    QStringList parts;
    for (const int part : annexes::PriorBalanceModel::casillas()) {
        parts.append(m_model.keptCasillas.value(part));
    }
    const QString result = request(kPriorBalance, casilla, {}, parts);
    if (result.isEmpty()) {
        return;
    }
    const QMap<int, QString> values = annexes::PriorBalanceModel::decode(result);
    for (const int part : annexes::PriorBalanceModel::casillas()) {
        m_model.keptCasillas.insert(part, values.value(part));
    }
    const QString total = values.value(casilla);
    if (total.isEmpty()) {
        m_model.setText(casilla, QString());
        m_model.dirty = true;
    } else {
        writeBack(casilla, total);
    }
}

bool CasillaWindows::netIncomeDetermined() const {
    return m_model.hasBox(kNetIncomeCasilla) && !m_model.isEmpty(kNetIncomeCasilla);
}

QString CasillaWindows::request(const QString& window, int casilla, const QString& code, const QStringList& keyValues) {
    app::FormRequest request;
    request.name = window;
    request.key = m_model.key();
    request.action = app::FormRequest::kAdd;
    request.casilla = casilla;
    request.code = code;
    request.keyValues = keyValues;
    request.readOnly = m_model.historyView; // a sent version is only looked at
    return m_model.context().opener.open(request);
}

void CasillaWindows::writeBack(int casilla, const QString& text) {
    if (text.trimmed().isEmpty() || !m_model.hasBox(casilla)) {
        return;
    }
    const CasillaDef* def = m_model.casillas().find(casilla);
    const QString mask = def->displayMask();
    if (def->value == ValueClass::Text || mask.isEmpty()) {
        m_model.setText(casilla, text.trimmed());
    } else {
        m_model.setText(casilla, app::formatNumber(app::readAmount(text), mask));
    }
    m_model.dirty = true;
}

} // namespace qel::declaration
