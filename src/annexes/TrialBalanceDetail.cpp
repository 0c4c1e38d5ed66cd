#include "annexes/TrialBalanceDetail.h"

#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "store/ExecuteSql.h"

#include <algorithm>

namespace qel::annexes {

const QString TrialBalanceDetail::kCaption = QStringLiteral("Detalle del Balance de Comprobación");
const QString TrialBalanceDetail::kSaveQuestion =
    QStringLiteral("¿El formulario ha sido modificado, desea guardar los cambios?");

namespace {

using Row = TrialBalanceRow;

// An amount box takes up to thirteen digits, as the transfer file does.
constexpr int kMaxDigits = 13;

// An amount box with the mask of the window.
QString shown(Row::Money amount) {
    return app::formatNumber(static_cast<double>(amount) / Row::kUnit, app::masks::kWhole);
}

QString digitsOf(const QString& text) {
    QString digits;
    for (const QChar c : text) {
        if (c.isDigit() && c.unicode() < 128) {
            digits.append(c);
        }
    }
    return digits;
}

QString quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

const QStringList& TrialBalanceDetail::entryBoxes() {
    static const QStringList names = {QStringLiteral("txtSaldoIni"), QStringLiteral("txtMovEjer"),
                                      QStringLiteral("txtTransferCancela"), QStringLiteral("txtniif")};
    return names;
}

const QStringList& TrialBalanceDetail::computedBoxes() {
    static const QStringList names = {QStringLiteral("txtSumaMayor"), QStringLiteral("txtSaldo"),
                                      QStringLiteral("txtCuentasBalance"), QStringLiteral("txtResultados")};
    return names;
}

TrialBalanceDetail::TrialBalanceDetail(TrialBalanceTable table, app::Prompter& prompter, QString periodo)
    : m_table(std::move(table)), m_prompter(prompter), m_periodo(std::move(periodo)) {}

bool TrialBalanceDetail::open(const QString& code) {
    try {
        m_accounts.clear();
        for (const TrialBalanceAccount& account : m_table.accounts()) {
            m_accounts.append({account.description + QStringLiteral(" - ") + account.code, account.code});
        }
        return show(code);
    } catch (const store::DatabaseError& e) {
        store::showDatabaseError(m_prompter, e);
        return false;
    }
}

bool TrialBalanceDetail::show(const QString& code) {
    const std::optional<TrialBalanceTable::Amounts> stored = m_table.amounts(code);
    if (!stored) {
        return false;
    }
    const std::optional<TrialBalanceAccount> account = m_table.account(code);
    m_class = account ? account->accountClass : Row::AccountClass::Balance;
    m_code = code;
    for (int e = 0; e < Row::kEntryCount; ++e) {
        m_entries[e] = shown((*stored)[Row::columnOf(static_cast<Row::Entry>(e))]);
    }
    m_dirty = false;
    return true;
}

bool TrialBalanceDetail::chooseAccount(const QString& code) {
    if (code == m_code) {
        return true;
    }
    if (!offerToSave()) {
        return false;
    }
    try {
        return show(code);
    } catch (const store::DatabaseError& e) {
        store::showDatabaseError(m_prompter, e);
        return false;
    }
}

QString TrialBalanceDetail::classText() const {
    return m_class == Row::AccountClass::Result ? QStringLiteral("Cuenta de Resultados")
                                                : QStringLiteral("Cuenta de Balance");
}

QString TrialBalanceDetail::closingCaption() const {
    return QStringLiteral("Saldos al 31/12/") + m_periodo;
}

int TrialBalanceDetail::entryIndex(const QString& box, int index) const {
    const qsizetype pair = entryBoxes().indexOf(box);
    if (pair < 0 || index < 0 || index > 1) {
        return -1;
    }
    return static_cast<int>(pair) * 2 + index;
}

QString TrialBalanceDetail::boxText(const QString& box, int index) const {
    const int entry = entryIndex(box, index);
    if (entry >= 0) {
        return m_entries[entry];
    }
    const qsizetype pair = computedBoxes().indexOf(box);
    if (pair < 0 || index < 0 || index > 1) {
        return {};
    }
    static constexpr Row::Column kComputed[] = {Row::SumaMayorD, Row::SumaMayorH, Row::SaldoDeudor, Row::SaldoAcreed,
                                                Row::CuentaBalA, Row::CuentaBalP, Row::ResultNatP,  Row::ResultNatG};
    return shown(amounts()[kComputed[pair * 2 + index]]);
}

bool TrialBalanceDetail::setBoxText(const QString& box, int index, const QString& text) {
    const int entry = entryIndex(box, index);
    if (entry < 0 || m_closed) {
        return false;
    }
    const QString digits = digitsOf(text).left(kMaxDigits);
    if (digits != m_entries[entry]) {
        m_entries[entry] = digits;
        m_dirty = true;
    }
    return true;
}

void TrialBalanceDetail::leave(const QString& box, int index) {
    const int entry = entryIndex(box, index);
    if (entry >= 0) {
        m_entries[entry] = shown(Row::fromText(m_entries[entry]));
    }
}

TrialBalanceTable::Amounts TrialBalanceDetail::amounts() const {
    Row row;
    for (int e = 0; e < Row::kEntryCount; ++e) {
        row.entries[e] = Row::fromText(m_entries[e]);
    }
    return row.derive(m_class);
}

bool TrialBalanceDetail::write() {
    const TrialBalanceTable::Amounts values = amounts();
    const bool written = store::runAtomically(m_table.database(), m_prompter, [&] { m_table.write(m_code, values); });
    if (written) {
        m_dirty = false;
    }
    return written;
}

bool TrialBalanceDetail::offerToSave() {
    if (!m_dirty) {
        return true;
    }
    const app::Button answer = m_prompter.ask(kSaveQuestion, kCaption, app::Button::Yes | app::Button::No,
                                              app::Button::Yes, app::Icon::Question);
    if (answer == app::Button::Yes) {
        return write();
    }
    m_dirty = false;
    return true;
}

bool TrialBalanceDetail::save() {
    if (m_closed || m_code.isEmpty() || !write()) {
        return false;
    }
    m_closed = true;
    return true;
}

void TrialBalanceDetail::close() {
    if (m_closed) {
        return;
    }
    if (offerToSave()) {
        m_closed = true;
    }
}

QList<app::DeclaredControl> TrialBalanceDetail::declaredControls() {
    QList<app::DeclaredControl> controls;
    app::DeclaredControl accounts(QStringLiteral("cboCuentas"), QStringLiteral("combo"));
    accounts.choose = [this](const QString& code) {
        const bool listed = std::any_of(m_accounts.cbegin(), m_accounts.cend(),
                                        [&code](const Item& item) { return item.code == code; });
        if (!listed) {
            throw app::ScriptError{QStringLiteral("cboCuentas no tiene la cuenta %1").arg(code)};
        }
        return chooseAccount(code);
    };
    accounts.state = [this] { return quoted(m_code); };
    controls.append(accounts);
    app::DeclaredControl accountClass(QStringLiteral("lblClase"), QStringLiteral("label"));
    accountClass.state = [this] { return quoted(classText()); };
    controls.append(accountClass);

    // The boxes are arrays, "txtSaldoIni(0)"; nothing can be typed into a computed one.
    for (const QStringList* names : {&entryBoxes(), &computedBoxes()}) {
        const bool computed = names == &computedBoxes();
        for (const QString& box : *names) {
            for (int index = 0; index < 2; ++index) {
                app::DeclaredControl member(QStringLiteral("%1(%2)").arg(box).arg(index), QStringLiteral("text"));
                member.type = [this, box, index, computed](const QString& value) {
                    if (computed || !setBoxText(box, index, value)) {
                        return false;
                    }
                    leave(box, index);
                    return true;
                };
                member.state = [this, box, index] { return quoted(boxText(box, index)); };
                controls.append(member);
            }
        }
    }

    // The buttons are gone once the window closed.
    const auto button = [this, &controls](const QString& name, std::function<bool()> press) {
        app::DeclaredControl command(name, QStringLiteral("command"));
        command.click = [press = std::move(press)](int) { return press(); };
        command.state = [this] { return m_closed ? QStringLiteral("{}") : QStringLiteral("{0}"); };
        controls.append(command);
    };
    button(QStringLiteral("cmdGrabar"), [this] { return save(); });
    button(QStringLiteral("cmdSalir"), [this] {
        close();
        return true;
    });
    return controls;
}

} // namespace qel::annexes
