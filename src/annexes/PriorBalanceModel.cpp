#include "annexes/PriorBalanceModel.h"

#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "catalogue/AnnexControls.h"
#include "store/Database.h"

#include <algorithm>
#include <cmath>

namespace qel::annexes {

const QString PriorBalanceModel::kWindowName = QStringLiteral("frmSaldoFavorEjercAnt");

const QString PriorBalanceModel::kCaption =
    QStringLiteral("Detalle Casilla 127 - Saldo a favor no  aplicado del ejercicio anterior");
const QString PriorBalanceModel::kPartsExceed =
    QStringLiteral("La casilla 202 no puede ser menor a la suma de la casilla 203 + 204.");
const QString PriorBalanceModel::kModified =
    QStringLiteral("¿El formulario ha sido modificado, desea guardar los cambios?");

namespace {

const QString kBare = QStringLiteral("###########0");

QString bare(const QString& text) {
    if (text.trimmed().isEmpty()) {
        return {};
    }
    return app::formatNumber(app::readWhole(text), kBare);
}

} // namespace

PriorBalanceModel::PriorBalanceModel(store::Database& db, app::Prompter& prompter, store::DeclarationKey key,
                                     bool readOnly, const QStringList& values)
    : m_db(db), m_prompter(prompter), m_key(std::move(key)), m_readOnly(readOnly) {
    for (int i = 0; i < casillas().size(); ++i) {
        m_values.insert(casillas().at(i), bare(values.value(i)));
    }
}

void PriorBalanceModel::load() {
    for (const QString& value : m_values) {
        if (!value.isEmpty()) {
            return;
        }
    }
    if (!m_readOnly) {
        m_values[kBalance] = previousYearBalance();
    }
}

// The last version sent of the previous year's return of the same taxpayer.
QString PriorBalanceModel::previousYearBalance() const {
    const QVariantList values = {m_key.ruc, QString::number(m_key.periodo.toInt() - 1), m_key.formulario,
                                 kPreviousBalance};
    const QVariant stored = m_db.scalar(
        QStringLiteral("SELECT d.i_valor FROM HDET d WHERE d.TIP_DOC_D=6 AND d.DOC_ID_D=? AND d.PERIODO=? AND "
                       "d.FORMULARIO=? AND CAST(d.CASILLA AS INTEGER)=? AND d.CORREL=(SELECT max(c.CORREL) FROM HCAB "
                       "c WHERE c.TIP_DOC_D=6 AND c.DOC_ID_D=d.DOC_ID_D AND c.PERIODO=d.PERIODO AND "
                       "c.FORMULARIO=d.FORMULARIO)"),
        values);
    if (!stored.isValid() || stored.toString().trimmed().isEmpty()) {
        return {};
    }
    return app::formatNumber(std::fabs(app::readWhole(stored.toString())), kBare);
}

QString PriorBalanceModel::text(int casilla) const {
    const QString value = m_values.value(casilla);
    return value.isEmpty() ? value : app::formatNumber(app::readWhole(value), app::masks::kAmount);
}

bool PriorBalanceModel::setText(int casilla, const QString& text) {
    if (m_readOnly || m_closed || !m_values.contains(casilla)) {
        return false;
    }
    m_values[casilla] = bare(text);
    m_modified = true;
    return true;
}

double PriorBalanceModel::amount(int casilla) const {
    return app::readWhole(m_values.value(casilla));
}

double PriorBalanceModel::unapplied() const {
    return amount(kBalance) - amount(kApplied) - amount(kRefunded);
}

QString PriorBalanceModel::unappliedText() const {
    return app::formatNumber(unapplied(), app::masks::kSigned);
}

bool PriorBalanceModel::save() {
    if (m_readOnly || m_closed) {
        return false;
    }
    if (amount(kBalance) < amount(kApplied) + amount(kRefunded)) {
        m_prompter.message(kPartsExceed, kCaption, app::Icon::Critical);
        return false;
    }
    QMap<int, QString> values = m_values;
    const bool entered = std::any_of(values.cbegin(), values.cend(), [](const QString& v) { return !v.isEmpty(); });
    values.insert(127, entered ? app::formatNumber(unapplied(), kBare) : QString());
    m_result = encode(values);
    m_closed = true;
    return true;
}

bool PriorBalanceModel::leave() {
    if (m_modified && !m_readOnly) {
        const app::Button answer =
            m_prompter.ask(kModified, kCaption, app::Button::Yes | app::Button::No | app::Button::Cancel,
                           app::Button::Yes, app::Icon::Question);
        if (answer == app::Button::Cancel) {
            return false;
        }
        if (answer == app::Button::Yes) {
            return save();
        }
    }
    m_closed = true;
    return true;
}

QString PriorBalanceModel::encode(const QMap<int, QString>& values) {
    QStringList parts;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        parts.append(QStringLiteral("%1=%2").arg(it.key()).arg(it.value()));
    }
    return parts.join(QLatin1Char(';'));
}

QMap<int, QString> PriorBalanceModel::decode(const QString& result) {
    QMap<int, QString> values;
    for (const QString& part : result.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype equals = part.indexOf(QLatin1Char('='));
        bool numeric = false;
        const int casilla = part.left(equals).toInt(&numeric);
        if (equals > 0 && numeric) {
            values.insert(casilla, part.mid(equals + 1));
        }
    }
    return values;
}

QList<app::DeclaredControl> PriorBalanceModel::declaredControls() {
    static const QString box = QStringLiteral("txtValor_%1");
    QList<app::DeclaredControl> controls;
    for (const int casilla : casillas()) {
        app::DeclaredControl part(box.arg(casilla), QStringLiteral("text"));
        part.type = [this, casilla](const QString& value) {
            QString digits;
            for (const QChar c : value) {
                if (c.isDigit()) {
                    digits.append(c); // the boxes take digits only, as typed
                }
            }
            return setText(casilla, digits);
        };
        part.state = [this, casilla] { return QLatin1Char('"') + text(casilla) + QLatin1Char('"'); };
        controls.append(part);
    }
    app::DeclaredControl unappliedBox(box.arg(127), QStringLiteral("label"));
    unappliedBox.type = [](const QString&) { return false; };
    unappliedBox.state = [this] { return QLatin1Char('"') + unappliedText() + QLatin1Char('"'); };
    controls.append(unappliedBox);
    app::DeclaredControl buttons(controls::kActions, QStringLiteral("command"));
    buttons.click = [this](int index) {
        if (index == 0) {
            return save();
        }
        if (index == 1) {
            leave();
            return true;
        }
        throw app::ScriptError{QStringLiteral("cmdAccion no tiene el botón %1").arg(index)};
    };
    buttons.state = [this] { return m_readOnly ? QStringLiteral("{1}") : QStringLiteral("{0,1}"); };
    controls.append(buttons);
    return controls;
}

} // namespace qel::annexes
