#include "catalogue/CasillaCatalog.h"

#include "base/NumberFormat.h"
#include "catalogue/CasillaData.h"
#include "catalogue/FormControls.h"

namespace qel::declaration {

QString CasillaDef::editMask() const {
    switch (value) {
    case ValueClass::Count:
        return QStringLiteral("#0");
    case ValueClass::Text:
        return {};
    case ValueClass::Coefficient:
    case ValueClass::Percentage:
        return displayMask();
    default:
        break;
    }
    return wide ? QStringLiteral("#############") : app::masks::kWhole;
}

QString CasillaDef::displayMask() const {
    switch (value) {
    case ValueClass::Amount:
        return app::masks::kAmount;
    case ValueClass::SignedAmount:
        return app::masks::kSigned;
    case ValueClass::Deduction:
        return app::masks::kParenthesised;
    case ValueClass::Coefficient:
        return app::masks::kCoefficient;
    case ValueClass::Percentage:
        return app::masks::kPercentage;
    case ValueClass::Count:
        return QStringLiteral("#0");
    case ValueClass::Text:
        break;
    }
    return {};
}

bool CasillaDef::lockedAtStart() const {
    switch (kind) {
    case BoxKind::Computed:
    case BoxKind::TrialBalance:
        return true;
    case BoxKind::Itf:
        return number >= 157;
    case BoxKind::Assistant:
        return number != 103 && number != 105 && number != 108 && number != 317 && number != 328 &&
               !(number >= 380 && number <= 383) && window != QStringLiteral("frmpergan") &&
               window != QStringLiteral("frmpergan2015") && window != QStringLiteral("frmcostos");
    default:
        return false;
    }
}

bool CasillaDef::enabledAtStart() const {
    switch (kind) {
    case BoxKind::Switched:
    case BoxKind::TrialBalance:
        return false;
    case BoxKind::Itf:
        return number >= 157;
    default:
        return true;
    }
}

int CasillaDef::editingLength() const {
    if (maxLength > 0) {
        return maxLength;
    }
    switch (value) {
    case ValueClass::Count:
        return 2;
    case ValueClass::Text:
        return 15;
    default:
        return wide ? 13 : 12;
    }
}

int CasillaDef::displayLength() const {
    if (value == ValueClass::Text || value == ValueClass::Count) {
        return editingLength();
    }
    return number == 328 || number == 383 || number == 486 ? 19 : 17;
}

namespace {

// Whether a named text box, date box or list of the form holds the casilla's value.
bool heldByControl(int n) {
    const ControlDef* control = FormControls::instance().answeredIn(n);
    return control != nullptr && (control->kind == ControlKind::TextBox || control->kind == ControlKind::DateBox ||
                                  control->kind == ControlKind::ComboBox);
}

} // namespace

CasillaCatalog::CasillaCatalog() : m_casillas(casillaData()), m_index(1000, -1) {
    for (int i = 0; i < m_casillas.size(); ++i) {
        const int n = m_casillas.at(i).number;
        if (n >= 0 && n < m_index.size()) {
            m_index[n] = i;
        }
    }
    m_storage.reserve(m_index.size());
    for (int n = 0; n < m_index.size(); ++n) {
        const int at = m_index.at(n);
        m_storage.append(CasillaStorage::of(n, at < 0 ? nullptr : &m_casillas.at(at), heldByControl(n)));
        if (at >= 0) {
            m_casillas[at].storage = m_storage.last();
            m_casillas[at].storedAsText = m_storage.last().text;
        }
        if (m_storage.last().itf) {
            m_itf.append(n);
        }
    }
}

const CasillaStorage& CasillaCatalog::storage(int number) const {
    static const CasillaStorage outside;
    return number >= 0 && number < m_storage.size() ? m_storage.at(number) : outside;
}

const CasillaCatalog& CasillaCatalog::instance() {
    static const CasillaCatalog catalog;
    return catalog;
}

const CasillaDef* CasillaCatalog::find(int number) const {
    if (number < 0 || number >= m_index.size() || m_index.at(number) < 0) {
        return nullptr;
    }
    return &m_casillas.at(m_index.at(number));
}

QList<const CasillaDef*> CasillaCatalog::boxes() const {
    QList<const CasillaDef*> result;
    for (const CasillaDef& c : m_casillas) {
        if (c.hasBox) {
            result.append(&c);
        }
    }
    return result;
}

QList<const CasillaDef*> CasillaCatalog::onPage(const QString& pageId) const {
    QList<const CasillaDef*> result;
    for (const CasillaDef& c : m_casillas) {
        if (c.hasBox && c.page == pageId) {
            result.append(&c);
        }
    }
    return result;
}

bool CasillaCatalog::hasBox(int number) const {
    const CasillaDef* c = find(number);
    return c != nullptr && c->hasBox;
}

} // namespace qel::declaration
