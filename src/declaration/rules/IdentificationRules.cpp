#include "declaration/rules/IdentificationRules.h"

#include "app/FormOpener.h"
#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "catalogue/AssistantLists.h"
#include "catalogue/ComboEntryText.h"
#include "catalogue/FormControls.h"
#include "declaration/model/DeclarationFormModel.h"

namespace qel::declaration {

const QString IdentificationRules::kNoAccountant =
    QStringLiteral("Sr. Contribuyente NO ha registrado Datos del Contador. ¿Desea continuar? ");
const QString IdentificationRules::kChooseZone = QStringLiteral("Seleccione la zona de la Amazonía.");

namespace {

const QString kContador = controls::kAccountantDocType;
const QString kRepresentative = controls::kRepresentativeDocType;
const QString kZone = QStringLiteral("OptZona");
const QString kUbigeo = QStringLiteral("TxtUbigeo");
const QString kRuc = QStringLiteral("06");
const QString kDni = QStringLiteral("01");
const QString kNone = QStringLiteral("99");

// The accountant's data other than the document boxes 207 and 208.
const QStringList kAccountantNames = {QStringLiteral("TxtNombreA"), QStringLiteral("TxtNombreN")};
constexpr int kAccountantDni = 207;
constexpr int kAccountantRuc = 208;
constexpr int kAccountantRegistration = 211;
constexpr int kAccountantDocument = 687;

} // namespace

IdentificationRules::IdentificationRules(DeclarationFormModel& model) : m_model(model) {
    if (m_model.hasControl(kContador)) {
        m_model.onControl(kContador, [this](int) { accountantChosen(); });
    }
    if (m_model.hasControl(kRepresentative)) {
        m_model.onControl(kRepresentative, [this](int) { representativeChosen(); });
    }
    if (m_model.hasControl(QStringLiteral("CmdZona1"))) {
        m_model.onControl(QStringLiteral("CmdZona1"), [this](int) { pickUbigeo(); });
    }
    if (m_model.hasControl(QString::fromLatin1(controls::kAmazoniaInvestments))) {
        m_model.onControl(QString::fromLatin1(controls::kAmazoniaInvestments),
                          [this](int) { detailAmazoniaInvestments(); });
    }
    m_model.onAnswersApplied([this] { applyLoadedAnswers(); });
}

QString IdentificationRules::accountantCode() const {
    return m_model.comboText(kContador).left(2);
}

void IdentificationRules::accountantChosen() {
    QString code = accountantCode();
    if (code == kNone && !m_model.loading()) {
        const bool goOn =
            m_model.context().prompter.ask(kNoAccountant, m_model.caption, app::Button::Yes | app::Button::No,
                                           app::Button::Yes, app::Icon::Information) == app::Button::Yes;
        if (!goOn) {
            m_model.setComboIndex(kContador, -1);
            code.clear();
        }
    }
    accountantBoxes(code, !m_model.loading());
    if (m_model.hasBox(kAccountantDocument)) {
        // The type of document as the user reads it (code and name), without the flags the
        // entry carries for the rules; its first two characters stay the code.
        m_model.setText(kAccountantDocument, comboEntryShown(m_model.comboText(kContador)));
    }
}

// "06" asks for the RUC, "01" for the identity document, "99" for neither.
void IdentificationRules::accountantBoxes(const QString& code, bool clear) {
    const auto off = [this, clear](int n) {
        if (!m_model.hasBox(n)) {
            return;
        }
        if (clear) {
            m_model.Descasilla(n);
        } else {
            m_model.setEnabled(n, false);
            m_model.setLocked(n, true);
            m_model.setColour(n, BoxColour::ButtonFace);
        }
    };
    const auto on = [this](int n) {
        if (m_model.hasBox(n)) {
            m_model.Habcasilla(n);
        }
    };
    if (code == kNone) {
        deshabilitacontador();
        return;
    }
    habilitacontador();
    if (code == kRuc) {
        off(kAccountantDni);
        on(kAccountantRuc);
    } else if (code == kDni) {
        off(kAccountantRuc);
        on(kAccountantDni);
    }
}

void IdentificationRules::deshabilitacontador() {
    const bool clear = !m_model.loading();
    for (const int n : {kAccountantDni, kAccountantRuc, kAccountantRegistration}) {
        if (!m_model.hasBox(n)) {
            continue;
        }
        if (clear) {
            m_model.Descasilla(n);
        } else {
            m_model.setEnabled(n, false);
        }
    }
    for (const QString& name : kAccountantNames) {
        if (!m_model.hasControl(name)) {
            continue;
        }
        if (clear) {
            m_model.setControlText(name, QString());
        }
        m_model.setControlEnabled(name, false);
    }
}

void IdentificationRules::habilitacontador() {
    for (const int n : {kAccountantDni, kAccountantRuc, kAccountantRegistration}) {
        if (m_model.hasBox(n)) {
            m_model.Habcasilla(n);
        }
    }
    for (const QString& name : kAccountantNames) {
        if (m_model.hasControl(name)) {
            m_model.setControlEnabled(name, true);
        }
    }
}

void IdentificationRules::representativeChosen() {
    if (m_model.loading()) {
        return;
    }
    for (const int n : {226, 225}) {
        if (m_model.hasBox(n)) {
            m_model.setText(n, QString());
        }
    }
}

void IdentificationRules::pickUbigeo() {
    QString zone;
    if (m_model.hasControl(kZone)) {
        zone = m_model.option(kZone) == 0   ? QStringLiteral("1")
               : m_model.option(kZone) == 1 ? QStringLiteral("2")
                                            : QString();
    }
    if (zone.isEmpty()) {
        m_model.context().prompter.message(kChooseZone, m_model.caption, app::Icon::Exclamation);
        return;
    }
    app::FormRequest request;
    request.name = QStringLiteral("frmUbigeo");
    request.key = m_model.key();
    request.action = app::FormRequest::kAdd;
    request.code = zone;
    if (m_model.hasControl(kUbigeo) && !m_model.controlText(kUbigeo).trimmed().isEmpty()) {
        request.keyValues = {m_model.controlText(kUbigeo).trimmed()};
    }
    const QString chosen = m_model.context().opener.open(request).trimmed();
    if (!chosen.isEmpty() && m_model.hasControl(kUbigeo)) {
        m_model.setControlText(kUbigeo, chosen);
        m_model.dirty = true;
    }
}

void IdentificationRules::detailAmazoniaInvestments() {
    const QString box = QString::fromLatin1(controls::kAmazoniaFixedAssets);
    app::FormRequest request;
    request.name = annexes::AssistantLists::kAmazoniaWindow;
    request.key = m_model.key();
    request.action = app::FormRequest::kAdd;
    request.casilla = annexes::AssistantLists::kAmazoniaFixedAssets;
    request.readOnly = m_model.historyView || m_model.readOnly();
    const QString total = m_model.context().opener.open(request).trimmed();
    if (request.readOnly || total.isEmpty() || app::readAmount(total) == 0 || !m_model.hasControl(box)) {
        return;
    }
    if (m_model.controlText(box) != total) {
        m_model.setControlText(box, total);
        m_model.dirty = true;
    }
}

// The stored type of the accountant's document is the text kept in casilla 687.
void IdentificationRules::applyLoadedAnswers() {
    if (!m_model.hasControl(kContador)) {
        return;
    }
    if (m_model.comboCode(kContador).isEmpty() && m_model.hasBox(kAccountantDocument)) {
        const QString stored = m_model.text(kAccountantDocument).left(2);
        if (!stored.trimmed().isEmpty()) {
            m_model.setComboCode(kContador, stored);
        }
    }
    // A declaration stored with the whole entry shows the document type all the same.
    if (m_model.hasBox(kAccountantDocument)) {
        const QString shown = comboEntryShown(m_model.text(kAccountantDocument));
        if (shown != m_model.text(kAccountantDocument)) {
            m_model.setText(kAccountantDocument, shown);
        }
    }
    const QString code = accountantCode();
    if (code.isEmpty()) {
        habilitacontador();
        return;
    }
    accountantBoxes(code, false);
}

} // namespace qel::declaration
