#include "declaration/commands/FormLoader.h"

#include "annexes/LossBalances.h"
#include "app/TaxpayerAccess.h"
#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormControls.h"
#include "catalogue/FormPages.h"
#include "declaration/commands/CasillaWindows.h"
#include "declaration/model/DeclarationFormModel.h"
#include "declaration/model/WorkingCasillas.h"
#include "store/Database.h"
#include "store/DeclarationLock.h"
#include "store/ExecuteSql.h"
#include "store/ParamLookups.h"
#include "store/TransactionGuard.h"
#include "store/WorkingCopies.h"

#include <QDate>
#include <QSqlQuery>
#include <utility>

namespace qel::declaration {

const QString FormLoader::kAlreadyExists =
    QStringLiteral("La declaración que desea registrar ya existe, elija la opción modificar declaración o elija otro "
                   "contribuyente.");

// Ledger sums (debit, credit) in 240 and 241, closing balances (debit, credit) in 242 and 243.
const QStringList FormLoader::kTrialBalanceTotalColumns = {
    QStringLiteral("suma_mayor_d"), QStringLiteral("suma_mayor_h"), QStringLiteral("saldo_deudor"),
    QStringLiteral("saldo_acreed")};

namespace {

const QString kCmbRuc = QStringLiteral("CmbRuc");
const QString kTxtRazon = QStringLiteral("TxtRazon");
const QString kOptPlan = QStringLiteral("OptPlan");
const QString kFirstPage = QStringLiteral("ident.general");
const QString kPeriodMark = QStringLiteral("{periodo}");
const QString kTrialBalance = QStringLiteral("TMPF582BALANCE");

// The sixteen amount columns of a trial-balance row, in table order.
const QStringList kTrialBalanceAmounts = {
    QStringLiteral("saldos_ini_d"), QStringLiteral("saldos_ini_h"), QStringLiteral("mov_ejerci_d"),
    QStringLiteral("mov_ejerci_h"), QStringLiteral("suma_mayor_d"), QStringLiteral("suma_mayor_h"),
    QStringLiteral("saldo_deudor"), QStringLiteral("saldo_acreed"), QStringLiteral("tran_cance_d"),
    QStringLiteral("tran_cance_h"), QStringLiteral("impli_niif_d"), QStringLiteral("impli_niif_h"),
    QStringLiteral("cuenta_bal_a"), QStringLiteral("cuenta_bal_p"), QStringLiteral("result_nat_p"),
    QStringLiteral("result_nat_g")};

// Mask of the coefficients as the load shows them.
const QString kLoadedCoefficient = QStringLiteral("###,###,##0.#0");

Storage storageOf(int n) {
    return CasillaCatalog::instance().storage(n).where;
}

// A stored date as the date box shows it: "dd/mm/yyyy".
QString dateForBox(const QString& stored) {
    const QString text = stored.trimmed();
    for (const QString& format :
         {QStringLiteral("yyyy-MM-dd"), QStringLiteral("dd/MM/yyyy"), QStringLiteral("yyyyMMdd")}) {
        const QDate date = QDate::fromString(text, format);
        if (date.isValid()) {
            return date.toString(QStringLiteral("dd/MM/yyyy"));
        }
    }
    return text;
}

// Sets the loading flag for a scope and puts back what it found.
class LoadingScope {
public:
    explicit LoadingScope(DeclarationFormModel& model) : m_model(model), m_was(model.loading()) {
        m_model.setLoading(true);
    }
    ~LoadingScope() { m_model.setLoading(m_was); }
    LoadingScope(const LoadingScope&) = delete;
    LoadingScope& operator=(const LoadingScope&) = delete;

private:
    DeclarationFormModel& m_model;
    bool m_was;
};

} // namespace

FormLoader::FormLoader(DeclarationFormModel& model) : m_model(model) {
    if (m_model.hasControl(kCmbRuc)) {
        m_model.onControl(kCmbRuc, [this](int) {
            if (!m_choosing) {
                chooseTaxpayer(m_model.comboCode(kCmbRuc));
            }
        });
    }
}

FormLoader::~FormLoader() = default;

QString FormLoader::heldQuestion(const QString& ruc, const std::optional<store::LockHolder>& holder) {
    return QStringLiteral("La declaración del RUC %1 está abierta por %2.\n¿Desea verla solo para consulta?")
        .arg(ruc, holder ? holder->text() : QStringLiteral("otro usuario"));
}

QString FormLoader::lockFailedText(const QString& ruc, const QString& error) {
    return QStringLiteral("No se pudo reservar la declaración del RUC %1 para trabajar en ella.\n%2").arg(ruc, error);
}

QString FormLoader::formCaption(const QString& formulario, const QString& periodo) {
    return formulario + QStringLiteral(" Declaración Pago Anual Impuesto a la Renta ") + periodo +
           QStringLiteral(" 3ra. Categoría e ITF - v 1.0");
}

QStringList FormLoader::documentTypeItems() {
    // The description fills the first 70 characters; from position 71 each item carries the
    // document number's length followed by its data type and length type, read back by position.
    const auto item = [](const char* description, const char* detail) {
        return QString::fromLatin1(description).leftJustified(70, QLatin1Char(' ')) + QString::fromLatin1(detail);
    };
    return {item("06  -  RUC", "11 5 1"), item("01  -  DNI", "08 5 1"), item("99  -  SIN DATOS", "08 5 1")};
}

QString FormLoader::trialBalanceQuestion(const QString& periodo, const QString& uit) {
    const QString amount = app::formatNumber(app::val(uit) * 300, QStringLiteral("#,###,###"));
    return QStringLiteral("¿Ha obtenido ingresos al 31 de diciembre del ") + periodo +
           QStringLiteral(" iguales o superiores a S/  ") + amount + QStringLiteral(" ( ") + QStringLiteral("300") +
           QStringLiteral(" UIT) y se ") +
           QStringLiteral("encuentra obligado a declarar el Balance de Comprobación según la Resolución de "
                          "Superintendencia que aprueba el ") +
           QStringLiteral("presente formulario?");
}

// --- The form load ----------------------------------------------------------------------------

bool FormLoader::load() {
    LoadingScope loading(m_model);
    m_lockRefused = false;
    try {
        clearValidationState();
        fillDocumentTypeLists();
        setCaption();
        putPeriodIntoQuestions();
        buildTrialBalanceQuestion();
        putPeriodIntoHeadings();
        fillCodeLists();
        resetPaymentAndTaxpayerList();
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(m_model.context().prompter, error);
        return true;
    }
    openDeclarationOfForm();
    return !m_lockRefused;
}

void FormLoader::clearValidationState() {
    m_model.acceptedMark.clear();
    m_model.formState = 0;
    m_model.inconsistencyFlag = 0;
    m_model.showPage(kFirstPage);
}

void FormLoader::fillDocumentTypeLists() {
    QList<ComboItem> items;
    for (const QString& item : documentTypeItems()) {
        items.append({item, item.left(2)});
    }
    for (const QString& name : {controls::kRepresentativeDocType, controls::kAccountantDocType}) {
        if (m_model.hasControl(name)) {
            m_model.setComboItems(name, items);
        }
    }
}

void FormLoader::setCaption() {
    m_model.caption = formCaption(m_model.context().formulario, m_model.context().periodo);
}

// Questions and labels that name the period carry "{periodo}" in the catalogue.
void FormLoader::putPeriodIntoQuestions() {
    for (const ControlDef& def : FormControls::instance().all()) {
        if (def.kind != ControlKind::Label && def.caption.contains(kPeriodMark)) {
            m_model.setControlCaption(def.name, QString(def.caption).replace(kPeriodMark, m_model.context().periodo));
        }
    }
}

void FormLoader::buildTrialBalanceQuestion() {
    const QString name = QStringLiteral("OptActEco");
    if (!m_model.hasControl(name)) {
        return;
    }
    store::ParamLookups lookups(m_model.context().db);
    m_model.setControlCaption(
        name, trialBalanceQuestion(m_model.context().periodo, lookups.UitForYear(m_model.context().periodo)));
}

// The statement headings, the trial-balance headings and every other label with the period.
void FormLoader::putPeriodIntoHeadings() {
    for (const ControlDef& def : FormControls::instance().all()) {
        if (def.kind == ControlKind::Label && def.caption.contains(kPeriodMark)) {
            m_model.setControlCaption(def.name, QString(def.caption).replace(kPeriodMark, m_model.context().periodo));
        }
    }
}

void FormLoader::fillCombo(const QString& name, const QString& numero, const QList<int>& leftOut) {
    if (!m_model.hasControl(name)) {
        return;
    }
    store::ParamLookups lookups(m_model.context().db);
    QList<ComboItem> items;
    for (const store::ParamLookups::Row& row : lookups.ParamRows(numero)) {
        const QString code = row.argumento.trimmed();
        if (leftOut.contains(static_cast<int>(app::val(code)))) {
            continue;
        }
        // The description followed by its code, which is cut back from the end of the text.
        items.append({row.funcion.trimmed() + QStringLiteral(" - ") + code, code});
    }
    m_model.setComboItems(name, items);
}

void FormLoader::fillCodeLists() {
    fillCombo(controls::kExemptionBasis, QStringLiteral("861"));
    fillCombo(controls::kNonTaxableBasis, QStringLiteral("832"));
    fillCombo(controls::kTaxBenefit, QStringLiteral("847"), {2, 5, 6, 7});
    fillCombo(controls::kReorganisationType, QStringLiteral("835"));
}

void FormLoader::resetPaymentAndTaxpayerList() {
    PaymentState& payment = m_model.payment();
    payment.kind.clear();
    payment.bank.clear();
    payment.cheque.clear();
    m_model.paymentChanged();
    m_model.showPage(kFirstPage);

    if (!m_model.hasControl(kCmbRuc)) {
        return;
    }
    FormContext& context = m_model.context();
    store::ParamLookups lookups(context.db);
    const auto query = lookups.TaxpayerListQuery(context.formulario, context.userKind, context.sysUser);
    QSqlQuery rows = context.db.run(query.sql, query.values);
    QList<ComboItem> items;
    m_taxpayerNames.clear();
    while (rows.next()) {
        const QString ruc = rows.value(QStringLiteral("DOC_ID_D")).toString().trimmed();
        const QString name = rows.value(QStringLiteral("NOMBRE")).toString().trimmed();
        m_taxpayerNames.insert(ruc, name);
        items.append({ruc + QStringLiteral(" - ") + name, ruc});
    }
    m_model.setComboItems(kCmbRuc, items);
}

// A stored declaration opens on its taxpayer. A new one opens on none: its working tables
// are emptied, so that nothing of the declaration opened before shows.
void FormLoader::openDeclarationOfForm() {
    const bool stored = m_model.mode == DeclarationFormModel::Mode::Modify || m_model.historyView;
    if (stored && !m_model.openRuc.isEmpty() && !openedRucAllowed()) {
        return;
    }
    if (stored && !m_model.openRuc.isEmpty()) {
        if (!m_taxpayerNames.contains(m_model.openRuc) && !m_model.openName.isEmpty()) {
            m_taxpayerNames.insert(m_model.openRuc, m_model.openName.trimmed());
        }
        if (m_model.hasControl(kCmbRuc)) {
            m_model.setComboCode(kCmbRuc, m_model.openRuc);
            if (m_model.comboCode(kCmbRuc) != m_model.openRuc) {
                // A declaration opened from a list is shown even when its taxpayer is not
                // among those the user may choose for a new one.
                QList<ComboItem> items = m_model.control(kCmbRuc).items;
                items.append({m_model.openRuc + QStringLiteral(" - ") + m_taxpayerNames.value(m_model.openRuc),
                              m_model.openRuc});
                m_model.setComboItems(kCmbRuc, items);
                m_model.setComboCode(kCmbRuc, m_model.openRuc);
            }
        }
        openTaxpayer(m_model.openRuc);
        return;
    }
    try {
        // A new form holds no declaration yet: no working row of this module belongs to it. The
        // rows are those of the form's own session (its connection's working tables) or, without
        // them, of the one module process that holds the database file.
        store::clearLeftoverWorkingCopies(m_model.context().db, m_model.context().periodo,
                                          m_model.context().formulario);
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(m_model.context().prompter, error);
    }
    m_model.refreshGrid();
}

// Another user's taxpayer is never opened, whichever list or script named it: the form stays
// empty, with no taxpayer to save under.
bool FormLoader::openedRucAllowed() {
    FormContext& context = m_model.context();
    bool allowed = false;
    try {
        allowed = app::userSeesTaxpayer(context.db, context.userKind, context.sysUser, m_model.openRuc);
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(context.prompter, error);
        return false;
    }
    if (!allowed) {
        context.prompter.message(app::taxpayerRefusedText(m_model.openRuc, context.sysUser), m_model.caption,
                                 app::Icon::Exclamation);
        m_model.openRuc.clear();
        m_model.openName.clear();
    }
    return allowed;
}

void FormLoader::emptyWorkingCopies() {
    if (!m_workingKey) {
        return;
    }
    store::emptyWorkingCopies(m_model.context().db, *m_workingKey);
    m_workingKey.reset();
}

// --- The taxpayer choice ------------------------------------------------------------------

bool FormLoader::chooseTaxpayer(const QString& ruc) {
    if (m_choosing) {
        return false;
    }
    LoadingScope loading(m_model);
    if (m_model.hasControl(kCmbRuc) && m_model.comboCode(kCmbRuc) != ruc) {
        m_choosing = true;
        m_model.setComboCode(kCmbRuc, ruc);
        m_choosing = false;
    }
    const bool opened = openTaxpayer(ruc);
    if (m_lockRefused && m_model.hasControl(kCmbRuc)) {
        // The declaration stays with its holder: the form goes on showing what it showed.
        m_model.setComboCode(kCmbRuc, m_workingKey ? m_workingKey->ruc : QString());
    }
    return opened;
}

// The declaration's lock, taken before anything of it is read into the form and kept until
// the form closes or shows another taxpayer. Held by another session, the user may view it
// read-only; a form that views one declaration read-only views any other the same way.
FormLoader::Access FormLoader::takeLock(const QString& ruc) {
    FormContext& context = m_model.context();
    const store::DeclarationKey wanted{ruc, context.periodo, context.formulario};
    if (m_model.readOnly()) {
        return Access::ReadOnly;
    }
    if (m_lock && m_lockedKey == wanted) {
        return Access::Held;
    }
    store::DeclarationLock::Result result = store::DeclarationLock::acquire(context.db, wanted, context.sysUser);
    if (result.lock) {
        m_lock = std::move(result.lock); // the previous taxpayer's lock goes only now
        m_lockedKey = wanted;
        return Access::Held;
    }
    if (!result.error.isEmpty()) {
        context.prompter.message(lockFailedText(ruc, result.error), m_model.caption, app::Icon::Critical);
        m_lockRefused = true;
        return Access::Refused;
    }
    if (!context.prompter.askYesNo(heldQuestion(ruc, result.holder), m_model.caption, app::Button::No,
                                   app::Icon::Question)) {
        m_lockRefused = true;
        return Access::Refused;
    }
    m_lock.reset();
    m_lockedKey.reset();
    return Access::ReadOnly;
}

bool FormLoader::openTaxpayer(const QString& ruc) {
    m_choosing = true;
    m_lockRefused = false;
    bool opened = false;
    try {
        const bool refused = refuseExistingDeclaration(ruc);
        const Access access = refused ? Access::Refused : takeLock(ruc);
        if (access != Access::Refused) {
            resetDeclarationState();
            putTaxpayerName(ruc);
            if (!loadCasillas()) {
                emptyBoxesWithoutRows();
            }
            loadPaymentFromHeader();
            applyAnswers();
            refreshWorkingCopiesAndTrialBalance();
            showTrialBalanceTotals();
            m_model.notifyAnswersApplied();
            loadDetailTables();
            showStoredBoxes();
            prepareOrderNumber();
            if (access == Access::ReadOnly) {
                m_model.setReadOnly();
                disableWindowBoxes();
            }
            m_model.refreshGrid();
            opened = true;
        }
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(m_model.context().prompter, error);
    }
    m_choosing = false;
    return opened;
}

bool FormLoader::refuseExistingDeclaration(const QString& ruc) {
    m_model.existenceMark.clear();
    const store::DeclarationKey chosen{ruc, m_model.context().periodo, m_model.context().formulario};
    const store::SqlFilter where = chosen.filter();
    const bool exists =
        m_model.context().db.scalar(QStringLiteral("SELECT count(*) FROM CAB") + where.text, where.values).toInt() > 0;
    if (!exists) {
        return false;
    }
    if (m_model.mode == DeclarationFormModel::Mode::New && !m_model.historyView) {
        m_model.existenceMark = QStringLiteral("N");
        m_model.context().prompter.message(kAlreadyExists, m_model.caption, app::Icon::Critical);
        m_model.showPage(kFirstPage, kCmbRuc);
        return true;
    }
    m_model.existenceMark = QStringLiteral("S");
    return false;
}

// Whatever the form showed of another taxpayer's declaration goes before the new one is read.
void FormLoader::resetDeclarationState() {
    m_model.answerSlots.clear();
    m_model.keptCasillas.clear();
    m_model.slot781.clear();
    for (const ControlDef& def : FormControls::instance().all()) {
        if (def.answerCasilla == 0 && def.memberCasillas.isEmpty()) {
            continue;
        }
        switch (def.kind) {
        case ControlKind::OptionGroup:
            m_model.setOption(def.name, -1);
            break;
        case ControlKind::CheckBox:
            m_model.setCheck(def.name, 0);
            break;
        case ControlKind::CheckArray:
            for (auto it = def.memberCasillas.cbegin(); it != def.memberCasillas.cend(); ++it) {
                m_model.setCheck(def.name, 0, it.key());
            }
            break;
        case ControlKind::ComboBox:
            if (def.name != kCmbRuc) {
                m_model.setComboIndex(def.name, -1);
            }
            break;
        case ControlKind::TextBox:
        case ControlKind::DateBox:
            setControlTextQuietly(def.name, QString());
            break;
        default:
            break;
        }
    }
    PaymentState& payment = m_model.payment();
    payment.kind.clear();
    payment.bank.clear();
    payment.cheque.clear();
    m_model.paymentChanged();
}

void FormLoader::putTaxpayerName(const QString& ruc) {
    if (m_model.hasControl(kTxtRazon)) {
        setControlTextQuietly(kTxtRazon, m_taxpayerNames.value(ruc));
    }
}

bool FormLoader::loadCasillas() {
    const store::SqlFilter where = filter();
    QSqlQuery rows = m_model.context().db.run(
        QStringLiteral("SELECT CASILLA, i_valor FROM ") + table(QStringLiteral("DET")) + where.text, where.values);
    m_storedBoxes.emplace();
    bool found = false;
    while (rows.next()) {
        found = true;
        const QString casilla = rows.value(0).toString().trimmed();
        const QString stored = rows.value(1).toString();
        const int number = casilla.toInt();
        // The texts of casillas 510-519 are kept as stored, blanks included.
        dispatchCasilla(casilla, number >= 510 && number <= 519 ? stored : stored.trimmed());
    }
    if (!found) {
        m_storedBoxes.reset();
    }
    return found;
}

// Each box loaded a value and ran the rules on it while the rest of the declaration was still
// being read, so a rule may have overwritten a stored value with one computed from half a
// declaration. What was stored is put back once everything is in place; a box without a row
// shows empty, as it was saved.
void FormLoader::showStoredBoxes() {
    if (!m_storedBoxes) {
        return;
    }
    for (const CasillaDef* def : m_model.casillas().boxes()) {
        const int n = def->number;
        switch (storageOf(n)) {
        case Storage::Box:
            if (n < 240 || n > 243 || m_storedBoxes->contains(n)) {
                m_model.restoreText(n, m_storedBoxes->value(n)); // the trial balance's totals are read elsewhere
            }
            break;
        case Storage::Kept:
            // A box the rules fill (the coefficient 610) that DET keeps: shown as it was stored.
            if (def->kind == BoxKind::Computed && m_model.keptCasillas.contains(n)) {
                m_model.restoreText(n, m_model.keptCasillas.value(n));
            }
            break;
        default:
            break;
        }
    }
    m_storedBoxes.reset();
}

void FormLoader::loadPaymentFromHeader() {
    const store::SqlFilter where = filter();
    QSqlQuery header = m_model.context().db.run(
        QStringLiteral("SELECT bcolibrad, nrocheque FROM ") + table(QStringLiteral("CAB")) + where.text, where.values);
    if (header.next()) {
        PaymentState& payment = m_model.payment();
        payment.bank = header.value(0).toString().trimmed();
        payment.cheque = header.value(1).toString().trimmed();
        m_model.paymentChanged();
    }
}

// A taxpayer without casilla rows starts with empty boxes; the boxes of the business chart's
// assets (359-390) keep what they show.
void FormLoader::emptyBoxesWithoutRows() {
    for (const CasillaDef* def : m_model.casillas().boxes()) {
        if (def->number < 359 || def->number > 390) {
            m_model.setText(def->number, QString());
        }
    }
}

// --- The casilla dispatcher ---------------------------------------------------------------

void FormLoader::dispatchCasilla(const QString& casilla, const QString& value) {
    const int number = casilla.toInt();
    if (WorkingCasillas::isWorking(number)) {
        return; // the assistants' casillas are read into their working table
    }
    PaymentState& payment = m_model.payment();

    // The payment control's bank and cheque number and the income-tax tick are stored under
    // three-digit numbers that boxes 12, 15 and 5 do not use.
    if (casilla == QStringLiteral("012")) {
        payment.bank = value;
        m_model.paymentChanged();
        return;
    }
    if (casilla == QStringLiteral("015")) {
        payment.cheque = value;
        m_model.paymentChanged();
        return;
    }
    if (casilla == QStringLiteral("005")) {
        dispatchToControl(number, value);
        return;
    }

    switch (number) {
    case 137:
        showInBox(number, value);
        m_model.answerSlots.insert(number, value);
        return;
    case 210:
    case 221:
    case 239:
    case 280:
    case 281:
    case 282:
    case 283:
    case 814:
    case 815:
    case 817:
        dispatchToControl(number, value);
        return;
    case 599:
        payment.kind = value;
        m_model.paymentChanged();
        return;
    case 806:
        if (m_model.historyView && m_model.hasControl(QStringLiteral("TxtNumOrdenE"))) {
            setControlTextQuietly(QStringLiteral("TxtNumOrdenE"), value);
        }
        return;
    case 781:
        m_model.slot781 = value;
        return;
    default:
        break;
    }

    switch (storageOf(number)) {
    case Storage::Control:
        dispatchToControl(number, value);
        return;
    case Storage::Answer:
        m_model.answerSlots.insert(number, value);
        return;
    case Storage::DetailTable:
        m_model.detailTable3.insert(number, value);
        if (m_model.hasBox(number)) {
            showInBox(number, value);
        }
        return;
    case Storage::Kept:
        m_model.keptCasillas.insert(number, value);
        return;
    case Storage::Box:
        break;
    }
    if (m_model.hasBox(number)) {
        showInBox(number, value);
        return;
    }
    if (!dispatchToControl(number, value)) {
        m_model.keptCasillas.insert(number, value);
    }
}

void FormLoader::showInBox(int number, const QString& value) {
    const CasillaDef* def = m_model.casillas().find(number);
    QString text = value;
    // Text casillas (codes, coefficients) come back as they were stored, so that saving again
    // stores the same text.
    if (def != nullptr && !value.trimmed().isEmpty() && !CasillaCatalog::instance().storage(number).text) {
        switch (def->value) {
        case ValueClass::Text:
            break;
        case ValueClass::Coefficient:
        case ValueClass::Percentage:
            text = app::formatNumber(app::readAmount(value), kLoadedCoefficient);
            break;
        default:
            text = app::formatNumber(app::readAmount(value), def->displayMask());
            break;
        }
    }
    if (m_storedBoxes && m_model.loading()) {
        m_storedBoxes->insert(number, text);
    }
    m_model.setText(number, text);
}

// A casilla answered by a named control: combos select their entry, text and date boxes
// take the text, option buttons and check boxes keep the answer until it is applied.
bool FormLoader::dispatchToControl(int number, const QString& value) {
    const ControlDef* def = FormControls::instance().answeredIn(number);
    if (def == nullptr) {
        return false;
    }
    switch (def->kind) {
    case ControlKind::ComboBox:
        m_model.setComboCode(def->name, value);
        break;
    case ControlKind::DateBox:
        setControlTextQuietly(def->name, dateForBox(value));
        break;
    case ControlKind::TextBox:
        if (def->memberCasillas.isEmpty()) {
            setControlTextQuietly(def->name, value);
        } else {
            // A text kept in several casillas (the e-mail) is joined in member order.
            m_model.answerSlots.insert(number, value);
            QString joined;
            for (auto it = def->memberCasillas.cbegin(); it != def->memberCasillas.cend(); ++it) {
                joined += m_model.answerSlots.value(it.value());
            }
            setControlTextQuietly(def->name, joined);
        }
        break;
    default:
        m_model.answerSlots.insert(number, value);
        break;
    }
    return true;
}

void FormLoader::setControlTextQuietly(const QString& name, const QString& text) {
    ControlState& state = m_model.controlState(name);
    if (state.text != text) {
        state.text = text;
        m_model.changed(name);
    }
}

// Each stored answer selects the matching button of its pair ("1" Si, "0" No, "2" ...), or
// the button of its letter; check boxes are ticked by "1". No event fires: the switches
// follow once every answer is in place.
void FormLoader::applyAnswers() {
    const auto& answers = m_model.answerSlots;
    for (const ControlDef& def : FormControls::instance().all()) {
        switch (def.kind) {
        case ControlKind::OptionGroup: {
            if (def.answerCasilla == 0 || !answers.contains(def.answerCasilla)) {
                break;
            }
            const QString answer = answers.value(def.answerCasilla).trimmed();
            int index = -1;
            if (!def.answerLetters.isEmpty()) {
                index = answer.size() == 1 ? static_cast<int>(def.answerLetters.indexOf(answer.at(0))) : -1;
            } else {
                bool ok = false;
                index = answer.toInt(&ok);
                index = ok ? index : -1;
            }
            if (def.members.contains(index)) {
                m_model.setOption(def.name, index);
            }
            break;
        }
        case ControlKind::CheckBox:
            if (def.answerCasilla != 0 && answers.contains(def.answerCasilla)) {
                m_model.setCheck(def.name, answers.value(def.answerCasilla).trimmed() == QStringLiteral("1") ? 1 : 0);
            }
            break;
        case ControlKind::CheckArray:
            for (auto it = def.memberCasillas.cbegin(); it != def.memberCasillas.cend(); ++it) {
                if (answers.contains(it.value())) {
                    m_model.setCheck(def.name, answers.value(it.value()).trimmed() == QStringLiteral("1") ? 1 : 0,
                                     it.key());
                }
            }
            break;
        default:
            break;
        }
    }
}

// --- Working copies, trial balance, detail tables -------------------------------------------

void FormLoader::refreshWorkingCopiesAndTrialBalance() {
    const store::DeclarationKey opened = key();
    store::TransactionGuard transaction(m_model.context().db);
    if (m_workingKey && m_workingKey->ruc != opened.ruc) {
        // Another taxpayer chosen in the same form: the first one's working rows go.
        store::emptyWorkingCopies(m_model.context().db, *m_workingKey);
    }
    store::refreshWorkingCopies(m_model.context().db, opened, version());
    WorkingCasillas::load(m_model.context().db, opened, table(QStringLiteral("DET")), filter());
    seedTrialBalance();
    transaction.commit();
    m_workingKey = opened;
    if (m_model.hasControl(QStringLiteral("TxtTotalSaldo"))) {
        const double balance = annexes::LossBalances::total(m_model.context().db, opened);
        setControlTextQuietly(QStringLiteral("TxtTotalSaldo"), balance == 0 ? QString() : app::numberText(balance));
    }
}

// An empty working trial balance gets every account of the chosen chart with zeros, then the
// stored amounts of those accounts. The result account of each chart is never listed.
void FormLoader::seedTrialBalance() {
    store::Database& db = m_model.context().db;
    if (db.scalar(QStringLiteral("SELECT count(*) FROM ") + kTrialBalance).toInt() > 0) {
        return;
    }
    const int chart = m_model.hasControl(kOptPlan) ? m_model.option(kOptPlan) : -1;
    const QString plan = chart == 1 || chart == 2 ? QString::number(chart) : QStringLiteral("0");
    const QString resultAccount = chart == 1   ? QStringLiteral("891")
                                  : chart == 2 ? QStringLiteral("89")
                                               : QStringLiteral("00");
    const store::DeclarationKey declaration = key();
    QStringList zeros;
    for (int i = 0; i < kTrialBalanceAmounts.size(); ++i) {
        zeros.append(QStringLiteral("'0'"));
    }
    db.run(QStringLiteral("INSERT INTO TMPF582BALANCE (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, plan, Codigo, "
                          "Descrip, %1) SELECT 6, ?, ?, ?, ?, codigo, Descrip, %2 FROM F544BALCUEN "
                          "WHERE codigo<>? AND plan=? AND formulario=? ORDER BY Descrip")
               .arg(kTrialBalanceAmounts.join(QLatin1Char(',')), zeros.join(QLatin1Char(','))),
           {declaration.ruc, declaration.periodo, declaration.formulario, plan, resultAccount, plan,
            declaration.formulario})
        .finish();

    QStringList assignments;
    for (const QString& column : kTrialBalanceAmounts) {
        assignments.append(QStringLiteral("%1=coalesce(s.%1,'0')").arg(column));
    }
    store::SqlFilter stored;
    stored.andCondition(QStringLiteral("s.TIP_DOC_D=6"));
    stored.andEquals(QStringLiteral("s.DOC_ID_D"), declaration.ruc);
    stored.andEquals(QStringLiteral("s.PERIODO"), declaration.periodo);
    stored.andEquals(QStringLiteral("s.FORMULARIO"), declaration.formulario);
    if (version()) {
        stored.andEquals(QStringLiteral("s.CORREL"), *version());
    }
    stored.andCondition(QStringLiteral("s.Codigo=TMPF582BALANCE.Codigo AND s.plan=TMPF582BALANCE.plan AND s.Codigo<>?"),
                        {resultAccount});
    db.run(QStringLiteral("UPDATE TMPF582BALANCE SET %1 FROM %2 AS s")
                   .arg(assignments.join(QLatin1Char(',')), table(QStringLiteral("F582BALANCE"))) +
               stored.text,
           stored.values)
        .finish();
}

void FormLoader::showTrialBalanceTotals() {
    QStringList sums;
    const store::SqlDialect& dialect = m_model.context().db.dialect();
    for (const QString& column : kTrialBalanceTotalColumns) {
        sums.append(dialect.total(dialect.realOf(column)));
    }
    QSqlQuery totals = m_model.context().db.run(QStringLiteral("SELECT ") + sums.join(QLatin1Char(',')) +
                                                QStringLiteral(" FROM ") + kTrialBalance);
    if (!totals.next()) {
        return;
    }
    for (int i = 0; i < kTrialBalanceTotalColumns.size(); ++i) {
        const int casilla = 240 + i;
        if (m_model.hasBox(casilla)) {
            showInBox(casilla, app::numberText(totals.value(i).toDouble()));
        }
    }
}

// The in-memory casilla tables of the detail windows: every entry empty, then the stored rows.
void FormLoader::loadDetailTables() {
    m_model.detailTable3.clear();
    for (int n = 520; n <= 752; ++n) {
        if (storageOf(n) == Storage::DetailTable) {
            m_model.detailTable3.insert(n, QString());
        }
    }
    const store::SqlFilter where = filter();
    QSqlQuery rows =
        m_model.context().db.run(QStringLiteral("SELECT CASILLA, i_valor FROM ") + table(QStringLiteral("DET")) +
                                     where.text + QStringLiteral(" AND CAST(CASILLA AS INTEGER) BETWEEN 520 AND 752"),
                                 where.values);
    while (rows.next()) {
        const int n = rows.value(0).toString().trimmed().toInt();
        const QString value = rows.value(1).toString().trimmed();
        if (storageOf(n) == Storage::DetailTable) {
            m_model.detailTable3.insert(n, value);
        }
    }
}

// A sent version offers the registration of its order number: the frame "Número de orden"
// with its two boxes. Everything else of a sent version is shown, not changed: what was sent
// stays as it was sent.
void FormLoader::prepareOrderNumber() {
    for (const QString& name : {QStringLiteral("TxtNumOrdenE"), QStringLiteral("TxtNumOrdenE2")}) {
        if (m_model.hasControl(name)) {
            m_model.setControlEnabled(name, m_model.historyView);
            if (m_model.control(name).visible != m_model.historyView) {
                m_model.controlState(name).visible = m_model.historyView;
                m_model.changed(name);
            }
        }
    }
    if (m_model.historyView) {
        m_model.showOnly(
            {QStringLiteral("TxtNumOrdenE"), QStringLiteral("TxtNumOrdenE2"), controls::kSave, controls::kExit});
        disableWindowBoxes();
    }
}

// A form that only shows its declaration opens no assistant: their boxes are disabled too.
void FormLoader::disableWindowBoxes() {
    for (const CasillaDef* def : m_model.casillas().boxes()) {
        if (CasillaWindows::opensWindow(def->number)) {
            m_model.setEnabled(def->number, false);
        }
    }
}

// --- The declaration read -----------------------------------------------------------------

store::DeclarationKey FormLoader::key() const {
    return m_model.key();
}

std::optional<QString> FormLoader::version() const {
    if (m_model.historyView) {
        return m_model.correl;
    }
    return std::nullopt;
}

QString FormLoader::table(const QString& base) const {
    return m_model.historyView ? QStringLiteral("H") + base : base;
}

store::SqlFilter FormLoader::filter() const {
    return m_model.historyView ? key().versionFilter(m_model.correl) : key().filter();
}

} // namespace qel::declaration
