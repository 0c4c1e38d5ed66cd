#include "annexes/LossBalanceModel.h"

#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "catalogue/AnnexControls.h"
#include "store/DatabaseError.h"
#include "store/ExecuteSql.h"
#include "store/TransactionGuard.h"

namespace qel::annexes {

const QString LossBalanceModel::kWindowName = QStringLiteral("frmPerdidaEjercAnt");

const QString LossBalanceModel::kCaption = QStringLiteral("Pérdida tributaria compensable de Ejercicios anteriores");
const QString LossBalanceModel::kBadYear = QStringLiteral("El año no es válido.");

namespace {

constexpr int kFirstYear = 1992;

bool digitsOnly(const QString& text) {
    for (const QChar c : text) {
        if (!c.isDigit()) {
            return false;
        }
    }
    return true;
}

} // namespace

LossBalanceModel::LossBalanceModel(store::Database& db, app::Prompter& prompter, store::DeclarationKey key,
                                   bool readOnly)
    : m_db(db), m_prompter(prompter), m_key(std::move(key)), m_readOnly(readOnly) {
    m_rows = LossBalances::load(m_db, m_key);
    while (m_rows.size() < kRows) {
        m_rows.append(LossBalances::Row{});
    }
}

bool LossBalanceModel::setYear(int row, const QString& year) {
    const QString text = year.trimmed();
    if (m_readOnly || row < 0 || row >= m_rows.size() || text.size() > 4 || !digitsOnly(text)) {
        return false;
    }
    m_rows[row].year = text;
    return true;
}

bool LossBalanceModel::setAmount(int row, const QString& amount) {
    QString text = amount.trimmed();
    text.remove(QLatin1Char(','));
    if (m_readOnly || row < 0 || row >= m_rows.size() || !digitsOnly(text)) {
        return false;
    }
    m_rows[row].amount = text.isEmpty() ? QString() : app::formatNumber(app::readWhole(text), app::masks::kWhole);
    return true;
}

double LossBalanceModel::total() const {
    double sum = 0;
    for (const LossBalances::Row& row : m_rows) {
        sum += app::readWhole(row.amount);
    }
    return sum;
}

bool LossBalanceModel::yearValid(int row) const {
    const QString text = m_rows.at(row).year;
    const int year = text.toInt();
    if (text.size() != 4 || year < kFirstYear || year >= m_key.periodo.toInt()) {
        return false;
    }
    for (int other = 0; other < row; ++other) {
        if (m_rows.at(other).year == text) {
            return false;
        }
    }
    return true;
}

bool LossBalanceModel::save() {
    if (m_readOnly) {
        return false;
    }
    for (int row = 0; row < m_rows.size(); ++row) {
        const bool used = !m_rows.at(row).year.isEmpty() || !m_rows.at(row).amount.isEmpty();
        if (used && !yearValid(row)) {
            m_prompter.message(kBadYear, kCaption, app::Icon::Exclamation);
            return false;
        }
    }
    try {
        store::TransactionGuard transaction(m_db);
        LossBalances::store(m_db, m_key, m_rows);
        transaction.commit();
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(m_prompter, error);
        return false;
    }
    m_result = app::formatNumber(total(), app::masks::kWhole);
    m_closed = true;
    return true;
}

// --- What a script drives -------------------------------------------------------------------

QList<app::DeclaredControl> LossBalanceModel::declaredControls() {
    const auto quoted = [](const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); };
    QList<app::DeclaredControl> controls;
    for (int row = 0; row < kRows; ++row) {
        app::DeclaredControl yearBox(QStringLiteral("txtAnio%1").arg(row), QStringLiteral("text"));
        yearBox.type = [this, row](const QString& value) { return setYear(row, value); };
        yearBox.state = [this, row, quoted] { return quoted(year(row)); };
        controls.append(yearBox);
        app::DeclaredControl amountBox(QStringLiteral("txtMonto%1").arg(row), QStringLiteral("text"));
        amountBox.type = [this, row](const QString& value) { return setAmount(row, value); };
        amountBox.state = [this, row, quoted] { return quoted(amount(row)); };
        controls.append(amountBox);
    }
    app::DeclaredControl totalLabel(controls::kTotalCaption, QStringLiteral("label"));
    totalLabel.state = [this, quoted] { return quoted(app::formatNumber(total(), app::masks::kAmount)); };
    controls.append(totalLabel);
    app::DeclaredControl saveButton(QStringLiteral("CmdGrabar"), QStringLiteral("command"));
    saveButton.click = [this](int) { return save(); };
    saveButton.state = [] { return QStringLiteral("{0}"); };
    controls.append(saveButton);
    app::DeclaredControl leave(controls::kClose, QStringLiteral("command"));
    leave.click = [this](int) {
        close();
        return true;
    };
    leave.state = [] { return QStringLiteral("{0}"); };
    controls.append(leave);
    return controls;
}

} // namespace qel::annexes
