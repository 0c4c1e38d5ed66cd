#include "declaration/rules/SectionSwitches.h"

#include "base/Prompter.h"
#include "catalogue/FormControls.h"
#include "declaration/model/DeclarationFormModel.h"
#include "declaration/rules/CalculationRules.h"
#include "store/Database.h"
#include "store/ExecuteSql.h"

namespace qel::declaration {

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

SectionTable whole(const char* table) {
    return {u(table), {}, {}};
}

// The questions a non-domiciled taxpayer cannot answer "Si".
const QStringList kDomicileQuestions = {QStringLiteral("OptTipoCont"), QStringLiteral("OptConvEstab"),
                                        QStringLiteral("OptBeneficiosTrib"), QStringLiteral("OptInafectacion"),
                                        QStringLiteral("OptReorganizacion")};

// What the Amazonía domicile answer switches.
const QStringList kDomicileDependants = {QStringLiteral("OptZona"),
                                         QStringLiteral("CmdZona1"),
                                         QStringLiteral("TxtOfReg"),
                                         QStringLiteral("TxtFicha"),
                                         QStringLiteral("TxtFolio"),
                                         QStringLiteral("TxtAsiento"),
                                         QString::fromLatin1(controls::kAmazoniaFixedAssets),
                                         QString::fromLatin1(controls::kAmazoniaInvestments)};

} // namespace

const QString SectionSwitches::kRectifyReminder =
    QStringLiteral("Recuerde que debe consignar información en todas las casillas, inclusive aquellas que no está "
                   "rectificando.\nEn caso se determine un mayor porcentaje o coeficiente para los pagos a cuenta "
                   "mensuales, de ser el caso deberá regularizar el pago.");

// The sections come from the annex catalogue: its grids give the grids, the command arrays
// and the rows; the section entry the question, the buttons and the casillas.
const QList<DeleteOnNoSection>& SectionSwitches::deleteOnNoSections() {
    static const QList<DeleteOnNoSection> sections = [] {
        const annexes::AnnexCatalog& catalog = annexes::AnnexCatalog::instance();
        QList<DeleteOnNoSection> out;
        for (const annexes::AnnexSectionDef& def : catalog.sections()) {
            DeleteOnNoSection section;
            section.option = def.option;
            section.tables = catalog.sectionRows(def.option);
            section.message = def.question;
            for (const annexes::AnnexGridDef* grid : catalog.gridsOf(def.option)) {
                section.grids.append(grid->grid);
                section.buttons.append({grid->array, def.buttons});
            }
            section.boxes = def.boxes;
            section.clearedBoxes = def.clearedBoxes;
            out.append(section);
        }
        return out;
    }();
    return sections;
}

SectionSwitches::SectionSwitches(DeclarationFormModel& model, CalculationRules& rules)
    : m_model(model), m_rules(rules) {
    for (const DeleteOnNoSection& section : deleteOnNoSections()) {
        hook(section.option, [this, &section](int index) { deleteOnNo(section, index); });
    }
    hook(QStringLiteral("OptDonaciones"), [this](int index) { donaciones(turnOf(index), How::Click); });
    hook(QStringLiteral("OptReorganizacion"), [this](int index) { reorganizacion(turnOf(index), How::Click); });
    hook(QStringLiteral("OptItan"), [this](int index) { itan(turnOf(index), How::Click); });
    hook(QStringLiteral("OptItanAnexo"), [this](int index) { itanAnexo(turnOf(index), How::Click); });
    hook(controls::kItanPayments, [this](int index) { itanPagos(index, How::Click); });
    hook(QStringLiteral("OptTipoCont"), [this](int index) {
        exemptionQuestion(controls::kExemptionBasis, 216, QStringLiteral("5"), turnOf(index), How::Click);
    });
    hook(QStringLiteral("OptInafectacion"), [this](int index) {
        exemptionQuestion(controls::kNonTaxableBasis, 222, QStringLiteral("6"), turnOf(index), How::Click);
    });
    hook(QStringLiteral("OptBeneficiosTrib"), [this](int index) {
        exemptionQuestion(controls::kTaxBenefit, 201, QStringLiteral("9"), turnOf(index), How::Click);
    });
    hook(controls::kTaxBenefit, [this](int) {
        otherSpecify(controls::kTaxBenefit, 201, QStringLiteral("9"), How::Click);
        recalculateTax();
    });
    hook(controls::kExemptionBasis,
         [this](int) { otherSpecify(controls::kExemptionBasis, 216, QStringLiteral("5"), How::Click); });
    hook(controls::kNonTaxableBasis,
         [this](int) { otherSpecify(controls::kNonTaxableBasis, 222, QStringLiteral("6"), How::Click); });
    hook(QStringLiteral("OptConvEstab"), [this](int index) { convenio(turnOf(index), How::Click); });
    hook(QStringLiteral("OptContMonExt"), [this](int index) { contMonExt(turnOf(index), How::Click); });
    hook(QStringLiteral("OptDomiciliado"), [this](int index) { domiciliado(turnOf(index), How::Click); });
    hook(QStringLiteral("OptUbicAmazonia"),
         [this](int index) { amazonActivity(QStringLiteral("OptUbicAmazonia"), index, How::Click); });
    hook(QStringLiteral("OptLeyAmazonia"),
         [this](int index) { amazonActivity(QStringLiteral("OptLeyAmazonia"), index, How::Click); });
    hook(QStringLiteral("OptDomFiscal"), [this](int index) {
        domFiscal(turnOf(index), How::Click);
        recalculateTax();
    });
    hook(QStringLiteral("OptZona"), [this](int) { recalculateTax(); });
    hook(QStringLiteral("OptArrastre2005"), [this](int index) { arrastre2005(index); });
    hook(QStringLiteral("Optmetodo"), [this](int index) { metodo(index); });
    hook(QStringLiteral("OptRectifica"), [this](int index) { rectifica(turnOf(index), How::Click); });
    hook(QStringLiteral("ChkRenta"), [this](int) { chkRenta(m_model.check(QStringLiteral("ChkRenta")), How::Click); });
    hook(QStringLiteral("ChkITF"), [this](int) { chkItf(m_model.check(QStringLiteral("ChkITF"))); });
    hook(QStringLiteral("OptITF"), [this](int index) { optItf(turnOf(index), How::Click); });
    hook(QStringLiteral("OptPlan"), [this](int) { plan(); });
    hook(controls::kInstruments, [this](int index) { instrumentos(turnOf(index), How::Click); });
    hook(QStringLiteral("OptMineria"), [this](int index) { mineria(turnOf(index), How::Click); });
    hook(QStringLiteral("OptHidrocarburos"), [this](int index) { hidrocarburos(turnOf(index), How::Click); });
    // OpRegRenta (the regime limit and the tax) is hooked by the calculation rules.

    m_model.onAnswersApplied([this] { applyLoadedAnswers(); });
}

// --- Answers -------------------------------------------------------------------------------

SectionSwitches::Turn SectionSwitches::turnOf(int index) {
    switch (index) {
    case 1:
        return Turn::On;
    case 0:
        return Turn::Off;
    default:
        return Turn::Start;
    }
}

SectionSwitches::Turn SectionSwitches::turnOfOption(const QString& option) const {
    return m_model.hasControl(option) ? turnOf(m_model.option(option)) : Turn::Start;
}

bool SectionSwitches::answeredSi(const QString& option) const {
    return m_model.hasControl(option) && m_model.option(option) == 1;
}

bool SectionSwitches::trialBalanceRequired() const {
    return answeredSi(QStringLiteral("OptActEco"));
}

void SectionSwitches::hook(const QString& name, std::function<void(int)> handler) {
    if (!m_model.hasControl(name)) {
        return;
    }
    m_model.onControl(name, [this, handler = std::move(handler)](int index) {
        // The load applies answers without firing; applyLoadedAnswers follows it.
        if (!m_model.loading()) {
            handler(index);
        }
    });
}

// --- Box and control states ----------------------------------------------------------------

void SectionSwitches::setBox(int n, Turn turn, How how) {
    if (!m_model.hasBox(n)) {
        return;
    }
    const CasillaDef& def = *m_model.casillas().find(n);
    switch (turn) {
    case Turn::On:
        if (def.kind == BoxKind::Assistant || def.kind == BoxKind::Itf) {
            // Assistant boxes keep their colour and stay locked where their window fills them.
            m_model.setEnabled(n, true);
            m_model.setLocked(n, def.lockedAtStart());
            m_model.setColour(n, DeclarationFormModel::colourAtStart(def));
        } else {
            m_model.Habcasilla(n);
        }
        break;
    case Turn::Off:
        if (how == How::Load) {
            m_model.setEnabled(n, false);
            // An ITF box switched off keeps its lock as the click leaves it.
            m_model.setLocked(n, def.kind == BoxKind::Itf ? def.lockedAtStart() : true);
            if (def.kind != BoxKind::Itf) {
                m_model.setColour(n, BoxColour::ButtonFace);
            }
        } else if (def.kind == BoxKind::Itf) {
            m_model.setEnabled(n, false);
            m_model.setText(n, QString());
        } else {
            m_model.Descasilla(n);
        }
        break;
    case Turn::Start:
        m_model.setEnabled(n, def.enabledAtStart());
        m_model.setLocked(n, def.lockedAtStart());
        m_model.setColour(n, DeclarationFormModel::colourAtStart(def));
        break;
    }
}

void SectionSwitches::setControl(const QString& name, Turn turn, How how) {
    if (!m_model.hasControl(name)) {
        return;
    }
    const bool enabled = turn == Turn::On || (turn == Turn::Start && m_model.controlDef(name).enabledAtStart);
    m_model.setControlEnabled(name, enabled);
    if (turn == Turn::Off && how == How::Click) {
        resetControl(name);
    }
}

void SectionSwitches::resetControl(const QString& name) {
    if (!m_model.hasControl(name)) {
        return;
    }
    const ControlDef& def = m_model.controlDef(name);
    switch (def.kind) {
    case ControlKind::OptionGroup:
        m_model.setOption(name, -1);
        break;
    case ControlKind::CheckBox:
        m_model.setCheck(name, 0);
        break;
    case ControlKind::CheckArray:
        for (auto it = def.members.cbegin(); it != def.members.cend(); ++it) {
            m_model.setCheck(name, 0, it.key());
        }
        break;
    case ControlKind::ComboBox:
        m_model.setComboIndex(name, -1);
        break;
    case ControlKind::TextBox:
        m_model.setControlText(name, QString());
        break;
    case ControlKind::DateBox:
        m_model.setControlText(name, QStringLiteral("__/__/____"));
        break;
    default:
        break;
    }
}

void SectionSwitches::setButtons(const DeleteOnNoSection& section, bool on) {
    for (const auto& [array, indexes] : section.buttons) {
        if (!m_model.hasControl(array)) {
            continue;
        }
        m_model.setControlEnabled(array, on);
        for (const int index : indexes) {
            m_model.setMemberEnabled(array, index, on);
        }
    }
}

// --- Statements ----------------------------------------------------------------------------

namespace {

store::SqlFilter sectionFilter(const store::DeclarationKey& key, const SectionTable& table) {
    store::SqlFilter filter = key.filter();
    if (!table.condition.isEmpty()) {
        filter.andCondition(table.condition, table.values);
    }
    return filter;
}

} // namespace

int SectionSwitches::countRows(const SectionTable& table) const {
    const store::SqlFilter filter = sectionFilter(m_model.key(), table);
    return m_model.context()
        .db.scalar(QStringLiteral("SELECT count(*) FROM ") + table.table + filter.text, filter.values)
        .toInt();
}

bool SectionSwitches::deleteRows(const QList<SectionTable>& tables) {
    const store::DeclarationKey key = m_model.key();
    store::Database& db = m_model.context().db;
    return store::runAtomically(db, m_model.context().prompter, [&] {
        for (const SectionTable& table : tables) {
            const store::SqlFilter filter = sectionFilter(key, table);
            db.run(QStringLiteral("DELETE FROM ") + table.table + filter.text, filter.values).finish();
        }
    });
}

void SectionSwitches::recalculateTax() {
    m_rules.Calcular113();
    m_rules.RefrescarPor();
}

// --- Sections whose "No" deletes their rows ------------------------------------------------

void SectionSwitches::deleteOnNo(const DeleteOnNoSection& section, int index) {
    if (index == 1) {
        applyDeleteOnNo(section, Turn::On, How::Click);
        return;
    }
    if (index != 0) {
        return;
    }
    app::Prompter& prompter = m_model.context().prompter;
    int rows = 0;
    try {
        rows = countRows(section.tables.first());
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(prompter, error);
        m_model.setOption(section.option, 1);
        return;
    }
    if (rows > 0) {
        if (!prompter.askYesNo(section.message, m_model.caption, app::Button::No, app::Icon::Question) ||
            !deleteRows(section.tables)) {
            m_model.setOption(section.option, 1);
            return;
        }
        for (const QString& grid : section.grids) {
            m_model.setSelectedRowValues(grid, {});
            m_model.refreshGrid(grid);
        }
    }
    applyDeleteOnNo(section, Turn::Off, How::Click);
}

void SectionSwitches::applyDeleteOnNo(const DeleteOnNoSection& section, Turn turn, How how) {
    setButtons(section, turn == Turn::On);
    for (const int n : section.boxes) {
        setBox(n, turn, how);
    }
    if (turn == Turn::Off && how == How::Click) {
        for (const int n : section.clearedBoxes) {
            if (m_model.hasBox(n)) {
                m_model.setText(n, QString());
            }
        }
    }
}

// --- The other switches --------------------------------------------------------------------

void SectionSwitches::donaciones(Turn turn, How how) {
    if (turn == Turn::Off && how == How::Click) {
        deleteRows({whole("TMPF586DONAC")});
    }
    setBox(227, turn, how);
}

// The participating companies of casilla 278 live in both detail tables.
void SectionSwitches::reorganizacion(Turn turn, How how) {
    if (turn == Turn::Off && how == How::Click) {
        deleteRows({{QStringLiteral("TMPF535DETVAR"), QStringLiteral("CASILLA=?"), {QStringLiteral("278")}},
                    {QStringLiteral("TMPF542REOEMP"), QStringLiteral("CASILLA=?"), {QStringLiteral("278")}}});
    }
    setBox(278, turn, how);
    setControl(controls::kReorganisationType, turn, how);
    setControl(QStringLiteral("mkeFechaReorganiza"), turn, how);
}

void SectionSwitches::itan(Turn turn, How how) {
    if (turn == Turn::Off && how == How::Click) {
        deleteRows({{QStringLiteral("TMPACTA"),
                     QStringLiteral("(TIPO_ASIST=? OR TIPO_ASIST=?)"),
                     {QStringLiteral("7"), QStringLiteral("9")}}});
    }
    setControl(QStringLiteral("OptItanAnexo"), turn, how);
    setControl(controls::kItanPayments, turn, how);
    setBox(131, turn, how);
    if (turn == Turn::On && how == How::Load) {
        itanAnexo(turnOfOption(QStringLiteral("OptItanAnexo")), how);
        itanPagos(1, how);
        return;
    }
    setBox(126, turn, how);
    if (turn != Turn::On) {
        setBox(279, turn, how);
    }
}

void SectionSwitches::itanAnexo(Turn turn, How how) {
    if (turn == Turn::Off && how == How::Click) {
        QList<SectionTable> tables = {
            {QStringLiteral("TMPACTA"), QStringLiteral("TIPO_ASIST=?"), {QStringLiteral("9")}}};
        if (m_model.hasControl(controls::kItanPayments) && m_model.check(controls::kItanPayments, 0) == 1) {
            // The payments used as an expense go with the annex.
            tables.append({QStringLiteral("TMPACTA"), QStringLiteral("TIPO_ASIST=?"), {QStringLiteral("7")}});
        }
        deleteRows(tables);
        m_model.setText(131, QString());
    }
    setBox(279, turn, how);
}

// Index 1 of chkItanPagos ("Crédito") decides casilla 126.
void SectionSwitches::itanPagos(int index, How how) {
    const QString name = controls::kItanPayments;
    if (index != 1 || !m_model.hasControl(name)) {
        return;
    }
    if (m_model.check(name, 1) == 1) {
        setBox(126, Turn::On, how);
        return;
    }
    if (how == How::Load) {
        // A declaration that chose neither use keeps the casilla available.
        setBox(126, m_model.check(name, 0) == 1 ? Turn::Off : Turn::On, how);
        return;
    }
    deleteRows({{QStringLiteral("TMPACTA"), QStringLiteral("TIPO_ASIST=?"), {QStringLiteral("7")}}});
    setBox(126, Turn::Off, how);
}

void SectionSwitches::exemptionQuestion(const QString& combo, int otherBox, const QString& otherCode, Turn turn,
                                        How how) {
    setControl(combo, turn, how);
    if (turn == Turn::On) {
        otherSpecify(combo, otherBox, otherCode, how);
    } else {
        setBox(otherBox, turn, how);
    }
    if (how == How::Click) {
        recalculateTax();
    }
}

// The "Otros - Especifique" casilla of a list is open only for the list's "other" entry.
void SectionSwitches::otherSpecify(const QString& combo, int box, const QString& code, How how) {
    if (!m_model.hasControl(combo)) {
        return;
    }
    setBox(box, m_model.comboCode(combo).trimmed() == code ? Turn::On : Turn::Off, how);
}

void SectionSwitches::convenio(Turn turn, How how) {
    setBox(224, turn, how);
    setControl(QStringLiteral("OptContMonExt"), turn, how);
    setControl(QStringLiteral("OptDecPagMonExt"), turn, how);
    if (turn == Turn::On && answeredSi(QStringLiteral("OptContMonExt"))) {
        contMonExt(Turn::On, how);
    }
    if (how == How::Click) {
        recalculateTax();
    }
}

// Accounts kept in foreign currency leave the currency of the declaration unanswered.
void SectionSwitches::contMonExt(Turn turn, How how) {
    if (turn != Turn::On) {
        return;
    }
    setControl(QStringLiteral("OptDecPagMonExt"), Turn::Off, how);
}

void SectionSwitches::domiciliado(Turn turn, How how) {
    if (turn == Turn::Off && how == How::Click) {
        // A non-domiciled taxpayer answers "No" to each of them, with what "No" implies.
        for (const QString& question : kDomicileQuestions) {
            if (m_model.hasControl(question)) {
                m_model.setOption(question, 0);
            }
        }
        exemptionQuestion(controls::kExemptionBasis, 216, QStringLiteral("5"), Turn::Off, how);
        exemptionQuestion(controls::kNonTaxableBasis, 222, QStringLiteral("6"), Turn::Off, how);
        exemptionQuestion(controls::kTaxBenefit, 201, QStringLiteral("9"), Turn::Off, how);
        convenio(Turn::Off, how);
        reorganizacion(Turn::Off, how);
        resetControl(QStringLiteral("OptContMonExt"));
        resetControl(QStringLiteral("OptDecPagMonExt"));
    }
    for (const QString& question : kDomicileQuestions) {
        if (m_model.hasControl(question)) {
            const bool enabled =
                turn == Turn::On || (turn == Turn::Start && m_model.controlDef(question).enabledAtStart);
            m_model.setControlEnabled(question, enabled);
        }
    }
    if (how == How::Click) {
        // Casilla 113 becomes editable for a non-domiciled taxpayer.
        recalculateTax();
    }
}

void SectionSwitches::amazonActivity(const QString& option, int index, How how) {
    if (index == 1) {
        const QString other = option == QStringLiteral("OptUbicAmazonia") ? QStringLiteral("OptLeyAmazonia")
                                                                          : QStringLiteral("OptUbicAmazonia");
        if (m_model.hasControl(other)) {
            m_model.setOption(other, 0);
        }
    }
    amazonActivityState(how);
    if (how == How::Click) {
        recalculateTax();
    }
}

// Either activity answered "Si" opens the domicile question; both "No" close it.
void SectionSwitches::amazonActivityState(How how) {
    const QString domicile = QStringLiteral("OptDomFiscal");
    const Turn ubic = turnOfOption(QStringLiteral("OptUbicAmazonia"));
    const Turn ley = turnOfOption(QStringLiteral("OptLeyAmazonia"));
    if (ubic == Turn::On || ley == Turn::On) {
        if (m_model.hasControl(domicile)) {
            m_model.setControlEnabled(domicile, true);
        }
        domFiscal(turnOfOption(domicile), how);
    } else if (ubic == Turn::Off || ley == Turn::Off) {
        setControl(domicile, Turn::Off, how);
        domFiscal(Turn::Off, how);
    } else {
        setControl(domicile, Turn::Start, how);
        domFiscal(Turn::Start, how);
    }
}

void SectionSwitches::domFiscal(Turn turn, How how) {
    for (const QString& name : kDomicileDependants) {
        setControl(name, turn, how);
    }
    if (turn == Turn::Off && how == How::Click && m_model.hasControl(QStringLiteral("TxtUbigeo"))) {
        m_model.setControlText(QStringLiteral("TxtUbigeo"), QString());
    }
}

void SectionSwitches::arrastre2005(int index) {
    if (index != 0 && index != 1) {
        return;
    }
    m_model.context().prompter.message(QStringLiteral("Usted está optando por el sistema de arrastre ") +
                                           (index == 0 ? QStringLiteral("A") : QStringLiteral("B")),
                                       m_model.caption, app::Icon::Information);
}

// Each construction method shows its description; without a choice both are shown.
void SectionSwitches::metodo(int index) {
    const std::pair<QString, bool> labels[] = {{QStringLiteral("lblmetodoA"), index != 1},
                                               {QStringLiteral("lblmetodob"), index != 0}};
    for (const auto& [label, visible] : labels) {
        if (m_model.hasControl(label) && m_model.control(label).visible != visible) {
            m_model.controlState(label).visible = visible;
            m_model.changed(label);
        }
    }
}

void SectionSwitches::rectifica(Turn turn, How how) {
    if (turn == Turn::On && how == How::Click) {
        m_model.context().prompter.message(kRectifyReminder, m_model.caption, app::Icon::Exclamation);
    }
    for (const int n : {141, 144, 145}) {
        setBox(n, turn, how);
    }
    if (how == How::Click) {
        m_rules.Calcular505_138y139();
        m_rules.Calcular146();
    }
}

void SectionSwitches::chkRenta(int value, How how) {
    if (value != 0 || how != How::Click) {
        return;
    }
    for (const int n : {137, 138, 139, 141, 142, 144, 145, 146, 180, 505}) {
        if (m_model.hasBox(n)) {
            m_model.setText(n, QString());
        }
    }
}

// Only the states follow the tick: the ITF page keeps what it shows.
void SectionSwitches::chkItf(int value) {
    const QString question = QStringLiteral("OptITF");
    if (value == 1) {
        if (m_model.hasControl(question)) {
            m_model.setControlEnabled(question, true);
        }
        // The ITF page opens as its question says, without emptying anything.
        optItf(turnOfOption(question), How::Load);
        return;
    }
    if (m_model.hasControl(question)) {
        m_model.setControlEnabled(question, false);
    }
    setBox(155, Turn::Off, How::Load);
    setBox(156, Turn::Off, How::Load);
}

// Without the 15% condition there is no ITF: its page is emptied with the balance casillas.
void SectionSwitches::optItf(Turn turn, How how) {
    for (const int n : {155, 156, 143, 181}) {
        setBox(n, turn, how);
    }
    if (turn == Turn::Off && how == How::Click) {
        for (const int n : {161, 165, 565}) {
            if (m_model.hasBox(n)) {
                m_model.setText(n, QString());
            }
        }
    }
}

void SectionSwitches::plan() {
    // The window follows the chart in use through the change of OptPlan.
    m_model.changed(QStringLiteral("OptPlan"));
    if (m_reloadTrialBalance) {
        m_reloadTrialBalance();
        m_model.setSelectedRowValues(controls::kTrialBalanceGrid, {});
        m_model.refreshGrid(controls::kTrialBalanceGrid);
    }
}

void SectionSwitches::instrumentos(Turn turn, How how) {
    setControl(controls::kCarryForwardSystem, turn, how);
}

void SectionSwitches::mineria(Turn turn, How how) {
    for (const int n : {228, 238}) {
        setBox(n, turn, how);
    }
    for (const QString& name :
         {QString(controls::kMiningButtons), QString(controls::kMiningGrid), QStringLiteral("optArrastreMin")}) {
        setControl(name, turn, how);
    }
}

void SectionSwitches::hidrocarburos(Turn turn, How how) {
    for (const int n : {275, 276, 277}) {
        setBox(n, turn, how);
    }
    for (const QString& name : {QString(controls::kHydrocarbonButtons), QString(controls::kHydrocarbonGrid),
                                QStringLiteral("optArrastreHid")}) {
        setControl(name, turn, how);
    }
}

// --- The answers of a loaded declaration ---------------------------------------------------

void SectionSwitches::applyLoadedAnswers() {
    const How how = How::Load;
    for (const DeleteOnNoSection& section : deleteOnNoSections()) {
        applyDeleteOnNo(section, turnOfOption(section.option), how);
    }
    donaciones(turnOfOption(QStringLiteral("OptDonaciones")), how);
    reorganizacion(turnOfOption(QStringLiteral("OptReorganizacion")), how);
    itan(turnOfOption(QStringLiteral("OptItan")), how);
    exemptionQuestion(controls::kExemptionBasis, 216, QStringLiteral("5"), turnOfOption(QStringLiteral("OptTipoCont")),
                      how);
    exemptionQuestion(controls::kNonTaxableBasis, 222, QStringLiteral("6"),
                      turnOfOption(QStringLiteral("OptInafectacion")), how);
    exemptionQuestion(controls::kTaxBenefit, 201, QStringLiteral("9"),
                      turnOfOption(QStringLiteral("OptBeneficiosTrib")), how);
    convenio(turnOfOption(QStringLiteral("OptConvEstab")), how);
    domiciliado(turnOfOption(QStringLiteral("OptDomiciliado")), how);
    amazonActivityState(how);
    metodo(m_model.hasControl(QStringLiteral("Optmetodo")) ? m_model.option(QStringLiteral("Optmetodo")) : -1);
    rectifica(turnOfOption(QStringLiteral("OptRectifica")), how);
    optItf(turnOfOption(QStringLiteral("OptITF")), how);
    if (answeredSi(QStringLiteral("OptRectifica")) && m_model.hasControl(QStringLiteral("ChkITF"))) {
        chkItf(m_model.check(QStringLiteral("ChkITF")));
    }
    instrumentos(turnOfOption(controls::kInstruments), how);
    mineria(turnOfOption(QStringLiteral("OptMineria")), how);
    hidrocarburos(turnOfOption(QStringLiteral("OptHidrocarburos")), how);

    // Casilla 113 is typed by the taxpayer under a stability agreement, another benefit or
    // without domicile; otherwise it is computed.
    if (m_model.hasBox(113)) {
        const bool typed = !m_rules.isExempt() && !m_rules.isUnaffected() &&
                           (m_rules.hasStabilityAgreement() || m_rules.isNonDomiciled() ||
                            (m_rules.hasTaxBenefits() && m_model.hasBox(201) && m_model.box(201).enabled));
        if (typed) {
            m_model.Habcasilla(113);
        } else {
            m_model.setEnabled(113, true);
            m_model.setLocked(113, true);
            m_model.setColour(113, BoxColour::ButtonFace);
        }
    }
}

} // namespace qel::declaration
