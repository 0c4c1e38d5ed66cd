#include "declaration/commands/SaveCommand.h"

#include "app/Clock.h"
#include "app/UtilityComponent.h"
#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormControls.h"
#include "declaration/commands/FormLoader.h"
#include "declaration/commands/ValidateCommand.h"
#include "declaration/model/CasillaWriter.h"
#include "declaration/model/DeclarationFormModel.h"
#include "declaration/model/WorkingCasillas.h"
#include "declaration/rules/ConsistencyCheck.h"
#include "declaration/rules/DetailChecks.h"
#include "declaration/rules/ItfQuestions.h"
#include "declaration/rules/SectionSwitches.h"
#include "declaration/rules/TrialBalanceComparison.h"
#include "store/ConnectionStatements.h"
#include "store/Database.h"
#include "store/DeclarationTables.h"
#include "store/ExecuteSql.h"
#include "store/StatementCache.h"
#include "store/TableCatalog.h"
#include "store/WorkingCopies.h"

#include <QHash>
#include <QRegularExpression>
#include <QSqlQuery>
#include <utility>

namespace qel::declaration {

const QString SaveCommand::kSavedConsistent =
    QStringLiteral("Toda la información de la declaración fue grabada satisfactoriamente.");
const QString SaveCommand::kSavedInconsistent =
    QStringLiteral("La infomación de la declaración fue grabada con inconsistencias. En estas condiciones no podrá "
                   "ser enviada a KOLVA.");
const QString SaveCommand::kOrderNumberRejected =
    QStringLiteral("Número de Orden Ingresado No corresponde a la declaración enviada.");
const QString SaveCommand::kOrderNumberRegistered =
    QStringLiteral("El número de orden fue registrado satisfactoriamente.");

namespace {

using Range = std::pair<int, int>;

const QString kFirstPage = QStringLiteral("ident.general");
const QString kCmbRuc = QStringLiteral("CmbRuc");
const QString kOrderNumber = QStringLiteral("TxtNumOrdenE");
const QString kOrderNumberAgain = QStringLiteral("TxtNumOrdenE2");
constexpr int kOrderNumberCasilla = 806;

bool inRanges(int n, const QList<Range>& ranges) {
    for (const auto& [first, last] : ranges) {
        if (n >= first && n <= last) {
            return true;
        }
    }
    return false;
}

const CasillaStorage& storageOf(int n) {
    return CasillaCatalog::instance().storage(n);
}

// A rectification of one tax writes only its own boxes.
bool isItfCasilla(int n) {
    return storageOf(n).itf;
}

// What an answer switched off takes away at the save: boxes emptied, working rows deleted,
// and the DET rows of the detail casillas that belong to the section (with the form's copies).
// The questions whose "No" deletes a grid's rows come from the section switches; this table
// adds the others.
struct SwitchedOff {
    const char* option;
    int answer = 0; // the section is off with this answer
    QList<int> boxes;
    QList<SectionTable> rows;
    QList<Range> casillas;
};

SectionTable rowsOf(const char* table, const char* condition = "", QVariantList values = {}) {
    return {QString::fromLatin1(table), QString::fromLatin1(condition), std::move(values)};
}

const QList<SwitchedOff>& switchedOff() {
    static const QList<SwitchedOff> table = {
        {"OptReorganizacion",
         0,
         {278},
         {rowsOf("TMPF535DETVAR", "CASILLA=?", {QStringLiteral("278")}),
          rowsOf("TMPF542REOEMP", "CASILLA=?", {QStringLiteral("278")})},
         {{250, 263}}},
        {"OptItan",
         0,
         {126, 131, 279},
         {rowsOf("TMPACTA", "(TIPO_ASIST=? OR TIPO_ASIST=?)", {QStringLiteral("7"), QStringLiteral("9")})},
         {{656, 659}}},
        {"OptItanAnexo", 0, {131, 279}, {rowsOf("TMPACTA", "TIPO_ASIST=?", {QStringLiteral("9")})}, {{656, 659}}},
        {"OptDonaciones", 0, {227}, {rowsOf("TMPF586DONAC")}, {}},
        // A domicile outside the Amazonía, or not answered, keeps no detail of its fixed assets
        // there (casilla 223).
        {"OptDomFiscal", 0, {}, {rowsOf("TMPF540DISLEG", "CASILLA=?", {QStringLiteral("223")})}, {}},
        {"OptDomFiscal", -1, {}, {rowsOf("TMPF540DISLEG", "CASILLA=?", {QStringLiteral("223")})}, {}},
        {"OptITF", 0, {143, 161, 165, 181, 565}, {}, {}},
        {"OptRectifica", 0, {141, 144, 145}, {}, {}},
        {"OptTipoCont", 0, {216}, {}, {}},
        {"OptInafectacion", 0, {222}, {}, {}},
        {"OptBeneficiosTrib", 0, {201}, {}, {}},
        {"OptConvEstab", 0, {224}, {}, {}},
        {"OptMineria", 0, {228, 238}, {}, {}},
        {"OptHidrocarburos", 0, {275, 276, 277}, {}, {}},
        {controls::kVehicles, 0, {}, {}, {{705, 716}}},
        // System A of the loss carry-forward leaves the lines of system B, and the other way round.
        {"OptArrastre2005", 0, {}, {}, {{861, 868}, {881, 894}, {896, 899}}},
        {"OptArrastre2005", 1, {}, {}, {{833, 838}}},
    };
    return table;
}

// The annex tables whose section switch decides whether they are in use; the others always are.
const QHash<QString, QStringList>& annexSwitches() {
    static const QHash<QString, QStringList> switches = {
        {QStringLiteral("F586DONAC"), {QStringLiteral("OptDonaciones")}},
        {QStringLiteral("F535MERMAS"), {QStringLiteral("OptMermas")}},
        {QStringLiteral("F535DESMEDROS"), {QStringLiteral("OptDesmedros")}},
        {QStringLiteral("F535REGALIAS"), {QStringLiteral("OptRegalias")}},
        {QStringLiteral("F535PEREXTRA"), {QStringLiteral("OptPerdidaExtraord")}},
        {QStringLiteral("F542DESUSO"), {controls::kDisuse}},
        {QStringLiteral("F542OPERFIN"), {QStringLiteral("OptOperFinAdmin"), QStringLiteral("OptOperAdminFin")}},
        {QStringLiteral("F542REOEMP"), {QStringLiteral("OptReorganizacion")}},
        {QStringLiteral("F564MINERIA"), {QStringLiteral("OptMineria")}},
        {QStringLiteral("F540HIDROCAR"), {QStringLiteral("OptHidrocarburos")}},
        {QStringLiteral("F564ADMINH"), {QStringLiteral("OptMineria"), QStringLiteral("OptHidrocarburos")}},
        {QStringLiteral("F564DEMINH"), {QStringLiteral("OptMineria"), QStringLiteral("OptHidrocarburos")}},
        {QStringLiteral("F582COLCAB"), {QStringLiteral("OptColab")}},
        {QStringLiteral("F582COLDET"), {QStringLiteral("OptColab")}},
        {QStringLiteral("F582ALQUILER"), {QStringLiteral("OptAlquileres")}},
        {QStringLiteral("F586IDERTA"), {controls::kForeignIncome}},
        {QStringLiteral("F584VEHIC"), {controls::kVehicles}},
        {QStringLiteral("F584GASINV"), {QStringLiteral("Opttecno")}},
    };
    return switches;
}

// A rectification of the ITF alone keeps no income-tax detail: these permanent tables end
// without the declaration's rows.
const QStringList& itfOnlyDeletes() {
    static const QStringList tables =
        QString::fromLatin1("F535GNDOMRRTA F535CASEF F535MOV_IME F535MOVDA_IME F564MINERIA F542OPERFIN "
                            "F535PEREXTRA F535REGALIAS F535SOCIOS ACTA F540DISLEG F544ADICDEDUC F564ADMINH "
                            "F564DEMINH F542DESUSO F542OTRAS F542REOEMP F582ALQUILER F582BALANCE "
                            "F582COLCAB F582COLDET F582EXPORTA F582NODOMIC F582OTRGAS F582RTAFTEEXT "
                            "F584CREDITOS F584GASINV F584VEHIC F535INVEXT F535FIDEICO F4170DET")
            .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return tables;
}

// The casilla of an answer as DET keeps it: three digits ("005", "012", "805").
QString answerCasilla(int n) {
    return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
}

QList<Range> compress(const QList<int>& sorted) {
    QList<Range> ranges;
    for (const int n : sorted) {
        if (!ranges.isEmpty() && ranges.last().second == n - 1) {
            ranges.last().second = n;
        } else {
            ranges.append({n, n});
        }
    }
    return ranges;
}

// "(CAST(CASILLA AS INTEGER) BETWEEN ? AND ? OR ...)" with its values.
std::pair<QString, QVariantList> casillaRanges(const QList<Range>& ranges) {
    QStringList parts;
    QVariantList values;
    for (const auto& [first, last] : ranges) {
        parts.append(QStringLiteral("CAST(CASILLA AS INTEGER) BETWEEN ? AND ?"));
        values << first << last;
    }
    return {QStringLiteral("(") + parts.join(QStringLiteral(" OR ")) + QStringLiteral(")"), values};
}

// Sets the check code of the rows of a table that the filter selects, from the values the
// rows hold now.
void stampRows(store::Database& db, const QString& base, store::Copy copy, const store::SqlFilter& filter) {
    const store::TableLayout layout = store::TableCatalog::instance().layout(base, copy);
    QStringList columns;
    QString types;
    for (int i = 0; i + 1 < layout.columns.size(); ++i) {
        columns.append(layout.columns.at(i).name);
        types.append(QLatin1Char(store::typeLetter(layout.columns.at(i).type)));
    }
    db.run(QStringLiteral("UPDATE %1 SET %2=%3")
                   .arg(layout.name, store::TableCatalog::kCheckColumn,
                        db.dialect().checkCode(types, layout.keyCount, columns)) +
               filter.text,
           filter.values)
        .finish();
}

void emptyBox(DeclarationFormModel& model, int n) {
    if (model.hasBox(n) && !model.text(n).isEmpty()) {
        model.setText(n, QString());
    }
}

bool answeredNo(const DeclarationFormModel& model, const QString& option) {
    return model.hasControl(option) && model.option(option) == 0;
}

} // namespace

// --- What the save decides before it writes --------------------------------------------------

struct SaveCommand::Plan {
    store::DeclarationKey key;
    bool rectifying = false;
    bool incomeTax = false; // ChkRenta
    bool itf = false;       // ChkITF
    bool itfOnly = false;
    bool consistent = false;
    QList<SectionTable> workingRows; // rows of the sections switched off
    bool switchedOffRowsDeleted = false;
    QList<Range> forgotten; // detail casillas of the sections switched off
    bool trialBalanceDiffers = false;
    QStringList detailFailures;

    bool writesBox(int n) const {
        if ((n >= 250 && n <= 264) || n == 290 || n == 291) {
            return false; // kept by the partners and reorganisation windows, or no casilla of the year
        }
        if (!rectifying || (incomeTax && itf)) {
            return true;
        }
        if (itf) {
            return isItfCasilla(n);
        }
        if (incomeTax) {
            return !isItfCasilla(n);
        }
        return false;
    }
};

SaveCommand::SaveCommand(DeclarationFormModel& model, const CalculationRules& calculation)
    : m_model(model), m_calculation(calculation) {
    if (m_model.hasControl(controls::kSave)) {
        m_model.onControl(controls::kSave, [this](int) { run(); });
    }
}

SaveCommand::~SaveCommand() = default;

bool SaveCommand::rectifiesItfOnly(const DeclarationFormModel& model) {
    const auto ticked = [&model](const char* name) {
        const QString control = QString::fromLatin1(name);
        return model.hasControl(control) && model.check(control) == 1;
    };
    return model.hasControl(QStringLiteral("OptRectifica")) && model.option(QStringLiteral("OptRectifica")) == 1 &&
           ticked("ChkITF") && !ticked("ChkRenta");
}

bool SaveCommand::keptByDetailWindow(int casilla) {
    return storageOf(casilla).windowRow;
}

bool SaveCommand::annexInUse(const DeclarationFormModel& model, const QString& table) {
    const auto found = annexSwitches().constFind(table.toUpper());
    if (found == annexSwitches().cend()) {
        return true;
    }
    for (const QString& option : *found) {
        if (!answeredNo(model, option)) {
            return true;
        }
    }
    return false;
}

SaveCommand::Outcome SaveCommand::run() {
    if (m_model.historyView) {
        return registerOrderNumber();
    }
    if (refuse()) {
        return Outcome::Refused;
    }
    Plan plan = prepare();
    if (!store::runAtomically(m_model.context().db, m_model.context().prompter, [&] { write(plan); })) {
        return Outcome::Failed;
    }
    finish(plan);
    return Outcome::Saved;
}

// --- The order number of a sent version -------------------------------------------------------

SaveCommand::Outcome SaveCommand::registerOrderNumber() {
    FormContext& context = m_model.context();
    const store::DeclarationKey key = m_model.key();
    const QString number = m_model.hasControl(kOrderNumber) ? m_model.controlText(kOrderNumber).trimmed() : QString();
    const QString again =
        m_model.hasControl(kOrderNumberAgain) ? m_model.controlText(kOrderNumberAgain).trimmed() : QString();
    if (!app::UtilityComponent::ValidateOrderNumber(key.ruc, key.periodo, key.formulario, number, again)) {
        context.prompter.message(kOrderNumberRejected, m_model.caption, app::Icon::Information);
        return Outcome::OrderNumberRejected;
    }
    store::Database& db = context.db;
    const bool stored = store::runAtomically(db, context.prompter, [&] {
        const store::SqlFilter version = key.versionFilter(m_model.correl);
        db.run(QStringLiteral("UPDATE HCAB SET NORDEN=?") + version.text, QVariantList{number} + version.values)
            .finish();
        stampRows(db, QStringLiteral("CAB"), store::Copy::History, version);

        store::SqlFilter row = version;
        row.andEquals(QStringLiteral("CASILLA"), answerCasilla(kOrderNumberCasilla));
        db.run(QStringLiteral("UPDATE HDET SET i_valor=?, idcasilla=?") + row.text,
               QVariantList{number, QStringLiteral("01")} + row.values)
            .finish();
        if (db.scalar(QStringLiteral("SELECT count(*) FROM HDET") + row.text, row.values).toInt() == 0) {
            db.run(
                  QStringLiteral("INSERT INTO HDET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, CORREL, "
                                 "i_valor, idcasilla, estado) VALUES (6, ?, ?, ?, 0, ?, ?, ?, ?, 0)"),
                  {key.ruc, key.periodo, key.formulario, answerCasilla(kOrderNumberCasilla), m_model.correl, number,
                   QStringLiteral("01")})
                .finish();
        }
        stampRows(db, QStringLiteral("DET"), store::Copy::History, row);
    });
    if (!stored) {
        return Outcome::Failed;
    }
    m_model.dirty = false; // nothing left to save: "&Salir" does not offer it again
    context.prompter.message(kOrderNumberRegistered, QStringLiteral("Mensaje"), app::Icon::Information);
    return Outcome::OrderNumberRegistered;
}

// --- Refusals ---------------------------------------------------------------------------------

bool SaveCommand::refuse() {
    const auto comboType = [this](const char* combo) {
        const QString name = QString::fromLatin1(combo);
        return m_model.hasControl(name) ? m_model.comboCode(name).left(2) : QString();
    };
    const auto boxText = [this](int n) { return m_model.hasBox(n) ? m_model.text(n).trimmed() : QString(); };
    const auto unanswered = [this](const char* option) {
        const QString name = QString::fromLatin1(option);
        return m_model.hasControl(name) && m_model.control(name).enabled && m_model.option(name) < 0;
    };
    static const QRegularExpression eightDigits(QStringLiteral("^[0-9]{8}$"));
    const QString accountantRuc = boxText(208);
    const QString representativeDocument = boxText(226);
    const bool rectifying =
        m_model.hasControl(QStringLiteral("OptRectifica")) && m_model.option(QStringLiteral("OptRectifica")) == 1;
    const auto ticked = [this](const char* name) {
        const QString control = QString::fromLatin1(name);
        return m_model.hasControl(control) && m_model.check(control) == 1;
    };

    struct Refusal {
        bool applies;
        QString message;
        QString focus; // a control's name or a casilla's number
    };
    // An empty document number is no refusal: the consistency check reports it.
    const QList<Refusal> refusals = {
        {m_model.ruc().trimmed().isEmpty(), QStringLiteral("Debe seleccionar un Contribuyente."), kCmbRuc},
        {unanswered("OptITF"),
         QStringLiteral("Debe contestar si ha efectuado el pago de mas del 15% de sus obligaciones sin utilizar dinero "
                        "en efectivo o Medios de Pago."),
         QStringLiteral("OptITF")},
        {unanswered("OptPlan"), QStringLiteral("Seleccione el Plan Contable utilizado."), QStringLiteral("OptPlan")},
        {m_model.existenceMark == QStringLiteral("N"), FormLoader::kAlreadyExists, kCmbRuc},
        {comboType(controls::kAccountantDocType) == QStringLiteral("06") && !accountantRuc.isEmpty() &&
             !app::UtilityComponent::CheckRuc(accountantRuc),
         QStringLiteral("El RUC del contador no es Válido."), QStringLiteral("208")},
        {comboType(controls::kRepresentativeDocType) == QStringLiteral("06") && !representativeDocument.isEmpty() &&
             !app::UtilityComponent::CheckRuc(representativeDocument),
         QStringLiteral("El RUC no es Válido."), QStringLiteral("226")},
        {comboType(controls::kRepresentativeDocType) == QStringLiteral("01") && !representativeDocument.isEmpty() &&
             !eightDigits.match(representativeDocument).hasMatch(),
         QStringLiteral("El DNI o LE debe ser de 8 dígitos."), QStringLiteral("226")},
        {ItfQuestions::balanceUnanswered(m_model), ItfQuestions::kBalanceUnanswered, QStringLiteral("ChkITF")},
        {rectifying && !ticked("ChkRenta") && !ticked("ChkITF"),
         QStringLiteral("Ingrese el concepto que está rectificando"), QStringLiteral("ChkRenta")},
    };
    for (const Refusal& refusal : refusals) {
        if (!refusal.applies) {
            continue;
        }
        bool numeric = false;
        const int casilla = refusal.focus.toInt(&numeric);
        QString page = kFirstPage;
        if (numeric) {
            if (const CasillaDef* def = m_model.casillas().find(casilla)) {
                page = def->page;
            }
        } else if (m_model.hasControl(refusal.focus) && !m_model.controlDef(refusal.focus).page.isEmpty()) {
            page = m_model.controlDef(refusal.focus).page;
        }
        m_model.context().prompter.message(refusal.message, m_model.caption, app::Icon::Critical);
        m_model.showPage(page, refusal.focus);
        return true;
    }
    return false;
}

// --- Before the transaction: the form's side --------------------------------------------------

SaveCommand::Plan SaveCommand::prepare() {
    Plan plan;
    plan.key = m_model.key();
    const auto ticked = [this](const char* name) {
        const QString control = QString::fromLatin1(name);
        return m_model.hasControl(control) && m_model.check(control) == 1;
    };
    plan.rectifying =
        m_model.hasControl(QStringLiteral("OptRectifica")) && m_model.option(QStringLiteral("OptRectifica")) == 1;
    plan.incomeTax = ticked("ChkRenta");
    plan.itf = ticked("ChkITF");
    plan.itfOnly = rectifiesItfOnly(m_model);

    // The sections switched off lose their boxes now; their rows go inside the transaction.
    for (const DeleteOnNoSection& section : SectionSwitches::deleteOnNoSections()) {
        if (!answeredNo(m_model, section.option)) {
            continue;
        }
        plan.workingRows.append(section.tables);
        for (const int n : section.boxes + section.clearedBoxes) {
            emptyBox(m_model, n);
        }
    }
    for (const SwitchedOff& section : switchedOff()) {
        const QString option = QString::fromLatin1(section.option);
        if (!m_model.hasControl(option) || m_model.option(option) != section.answer) {
            continue;
        }
        for (const int n : section.boxes) {
            emptyBox(m_model, n);
        }
        plan.workingRows.append(section.rows);
        plan.forgotten.append(section.casillas);
    }

    // The stop-at-first check decides the state. It reads the form and the working tables and
    // may show the income limit's message, so it runs before the transaction opens.
    ConsistencyCheck check(m_model, m_calculation);
    plan.consistent = check.run(ConsistencyCheck::kStopAtFirst) == ConsistencyCheck::Outcome::Consistent;

    // A rectification of the income tax alone stores no ITF amounts.
    if (plan.rectifying && plan.incomeTax && !plan.itf) {
        for (const int n : CasillaCatalog::instance().itfCasillas()) {
            emptyBox(m_model, n);
        }
    }
    return plan;
}

// --- Inside the transaction -----------------------------------------------------------------

void SaveCommand::write(Plan& plan) {
    store::Database& db = m_model.context().db;
    deleteSwitchedOffRows(plan);
    writeHeader(plan);
    deleteCasillaRows(plan);
    if (!m_casillaWriter) {
        m_casillaWriter = std::make_unique<CasillaWriter>(db, plan.key);
    }
    CasillaWriter& writer = *m_casillaWriter;
    writer.start(plan.key);
    QSet<int> written;
    writeBoxes(writer, plan, written);
    writeAnswers(writer, written);
    writeDetailCasillas(writer, plan, written);
    if (!plan.itfOnly) {
        WorkingCasillas::writeToDet(db, plan.key, writer);
    }
    store::CopyToPermanent(db, QStringLiteral("ACTA"), plan.key, true);
    copyAnnexes(plan);
    plan.trialBalanceDiffers = !TrialBalanceComparison(m_model).differences().isEmpty();
    checkDetails(plan);
}

void SaveCommand::deleteSwitchedOffRows(Plan& plan) {
    // The statements hold only placeholders: each is prepared once per connection.
    store::StatementCache& statements = store::connectionStatements(m_model.context().db);
    for (const SectionTable& rows : plan.workingRows) {
        store::SqlFilter filter = plan.key.filter();
        if (!rows.condition.isEmpty()) {
            filter.andCondition(rows.condition, rows.values);
        }
        if (statements.run(QStringLiteral("DELETE FROM ") + rows.table + filter.text, filter.values) > 0) {
            plan.switchedOffRowsDeleted = true;
        }
    }
    if (!plan.forgotten.isEmpty()) {
        store::SqlFilter filter = plan.key.filter();
        const auto [condition, values] = casillaRanges(plan.forgotten);
        filter.andCondition(condition, values);
        statements.run(QStringLiteral("DELETE FROM DET") + filter.text, filter.values);
        statements.run(QStringLiteral("DELETE FROM ") + WorkingCasillas::kTable + filter.text, filter.values);
    }
}

void SaveCommand::writeHeader(const Plan& plan) {
    store::Database& db = m_model.context().db;
    const store::SqlFilter filter = plan.key.filter();
    if (db.scalar(QStringLiteral("SELECT count(*) FROM CAB") + filter.text, filter.values).toInt() == 0) {
        db.run(QStringLiteral(
                   "INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA) VALUES (6, ?, ?, ?, 0)"),
               {plan.key.ruc, plan.key.periodo, plan.key.formulario})
            .finish();
    }
    const PaymentState& payment = m_model.payment();
    double toPay = 0;
    for (const int n : {180, 181}) {
        toPay += m_model.hasBox(n) ? m_model.value(n) : 0;
    }
    const QString amount = app::formatNumber(toPay, app::masks::kWhole);
    const QString blank = QStringLiteral(" ");
    const bool cheque = payment.kind.trimmed() == QStringLiteral("C");
    const QVariantList values = {
        m_model.context().clock.today().toString(Qt::ISODate),
        cheque ? payment.bank.trimmed() : blank,
        cheque ? payment.cheque.trimmed() : blank,
        cheque ? amount : blank,
        cheque ? blank : amount,
        plan.consistent ? 0 : 9,
        plan.rectifying ? QStringLiteral("1") : QStringLiteral("0"),
    };
    db.run(QStringLiteral("UPDATE CAB SET fec_pro=?, bcolibrad=?, nrocheque=?, cheque=?, Efectivo=?, ESTADO=?, "
                          "rectifica=?") +
               filter.text,
           values + filter.values)
        .finish();
    stampRows(db, QStringLiteral("CAB"), store::Copy::Permanent, filter);
    store::announceChange(db, plan.key.ruc);
}

// Every casilla row goes except those of the detail windows; a rectification of the ITF alone
// keeps only the ITF rows.
void SaveCommand::deleteCasillaRows(const Plan& plan) {
    static const QList<Range> detailWindows = [] {
        QList<int> kept;
        for (int n = 1; n <= 999; ++n) {
            if (keptByDetailWindow(n)) {
                kept.append(n);
            }
        }
        return compress(kept);
    }();
    static const QList<Range> itf = compress(CasillaCatalog::instance().itfCasillas());
    store::SqlFilter filter = plan.key.filter();
    const auto [condition, values] = casillaRanges(plan.itfOnly ? itf : detailWindows);
    filter.andCondition(QStringLiteral("NOT ") + condition, values);
    store::connectionStatements(m_model.context().db)
        .run(QStringLiteral("DELETE FROM DET") + filter.text, filter.values);
    if (plan.itfOnly) {
        deleteEmptiedItfRows(plan);
    }
}

// The ITF rows stay for the writer to rewrite, but it writes no empty box: a box the user
// emptied must take its row along, or the replaced amount would survive the rectification.
void SaveCommand::deleteEmptiedItfRows(const Plan& plan) {
    QList<int> emptied;
    for (const CasillaDef* def : m_model.casillas().boxes()) {
        if (isItfCasilla(def->number) && CasillaWriter::isEmptyValue(m_model.text(def->number))) {
            emptied.append(def->number);
        }
    }
    if (emptied.isEmpty()) {
        return;
    }
    std::sort(emptied.begin(), emptied.end());
    store::SqlFilter filter = plan.key.filter();
    const auto [condition, values] = casillaRanges(compress(emptied));
    filter.andCondition(condition, values);
    m_model.context().db.run(QStringLiteral("DELETE FROM DET") + filter.text, filter.values).finish();
}

void SaveCommand::writeBoxes(CasillaWriter& writer, const Plan& plan, QSet<int>& written) {
    for (const CasillaDef* def : m_model.casillas().boxes()) {
        if (plan.writesBox(def->number) && writer.write(QString::number(def->number), m_model.text(def->number))) {
            written.insert(def->number);
        }
    }
}

// The answers of the option buttons, check boxes, lists and identification boxes, and the
// payment control's values.
void SaveCommand::writeAnswers(CasillaWriter& writer, QSet<int>& written) {
    QList<std::pair<int, QString>> answers;
    QHash<int, qsizetype> position;
    const auto answer = [&](int casilla, const QString& value, bool enabled) {
        if (casilla == 0 || casilla == kOrderNumberCasilla || value.isEmpty()) {
            return;
        }
        const auto found = position.constFind(casilla);
        if (found == position.cend()) {
            position.insert(casilla, answers.size());
            answers.append({casilla, value});
        } else if (enabled) {
            // Two controls of one casilla (the mining and hydrocarbon carry-forward): the one in use.
            answers[*found].second = value;
        }
    };
    for (const ControlDef& def : FormControls::instance().all()) {
        if (def.answerCasilla == 0 && def.memberCasillas.isEmpty()) {
            continue;
        }
        const ControlState& state = m_model.control(def.name);
        QString value;
        switch (def.kind) {
        case ControlKind::OptionGroup: {
            const int index = state.value;
            if (index >= 0) {
                value = def.answerLetters.isEmpty()
                            ? QString::number(index)
                            : (index < def.answerLetters.size() ? QString(def.answerLetters.at(index)) : QString());
            }
            break;
        }
        case ControlKind::CheckBox:
            value = state.value == 1 ? QStringLiteral("1") : QStringLiteral("0");
            break;
        case ControlKind::CheckArray:
            for (auto it = def.memberCasillas.cbegin(); it != def.memberCasillas.cend(); ++it) {
                answer(it.value(),
                       state.memberValues.value(it.key(), 0) == 1 ? QStringLiteral("1") : QStringLiteral("0"),
                       state.enabled);
            }
            break;
        case ControlKind::ComboBox:
            value = m_model.comboCode(def.name).trimmed();
            break;
        case ControlKind::TextBox:
        case ControlKind::DateBox:
            value = state.text;
            break;
        default:
            break;
        }
        answer(def.answerCasilla, value, state.enabled);
        for (const int more : def.moreCasillas) {
            answer(more, value, state.enabled);
        }
    }
    const PaymentState& payment = m_model.payment();
    answer(599, payment.kind.trimmed(), true);
    answer(12, payment.bank.trimmed(), true);
    answer(15, payment.cheque.trimmed(), true);

    for (const auto& [casilla, value] : answers) {
        if (writer.write(answerCasilla(casilla), value)) {
            written.insert(casilla);
        }
    }
}

// Values of the detail windows that the form keeps: those the save writes itself when their
// summary casilla has a value, and every other value the form read or a window handed back
// (the parts of casilla 127). A kept value a window emptied takes its row along.
void SaveCommand::writeDetailCasillas(CasillaWriter& writer, const Plan& plan, const QSet<int>& written) {
    if (plan.itfOnly) {
        return;
    }
    QMap<int, QString> kept = m_model.detailTable3;
    for (auto it = m_model.keptCasillas.cbegin(); it != m_model.keptCasillas.cend(); ++it) {
        kept.insert(it.key(), it.value());
    }
    QList<int> emptied;
    for (auto it = kept.cbegin(); it != kept.cend(); ++it) {
        const int n = it.key();
        if (written.contains(n) || inRanges(n, plan.forgotten) || m_model.hasBox(n) ||
            FormControls::instance().answeredIn(n) != nullptr || n == 599 || n == 12 || n == 15 ||
            n == kOrderNumberCasilla) {
            continue;
        }
        if (const int summary = storageOf(n).summary; summary != 0) {
            if (!m_model.hasBox(summary) || m_model.isEmpty(summary)) {
                continue;
            }
        }
        if (!writer.write(QString::number(n), it.value()) && m_model.keptCasillas.contains(n) &&
            keptByDetailWindow(n)) {
            emptied.append(n);
        }
    }
    if (!emptied.isEmpty()) {
        store::SqlFilter filter = plan.key.filter();
        const auto [condition, values] = casillaRanges(compress(emptied));
        filter.andCondition(condition, values);
        m_model.context().db.run(QStringLiteral("DELETE FROM DET") + filter.text, filter.values).finish();
    }
}

void SaveCommand::copyAnnexes(const Plan& plan) {
    store::Database& db = m_model.context().db;
    for (const QStringList* order :
         {&store::declaration_tables::saveOrder(), &store::declaration_tables::saveOrderRemaining()}) {
        for (const QString& table : *order) {
            store::CopyToPermanent(db, table, plan.key, annexInUse(m_model, table));
        }
    }
    if (plan.itfOnly) {
        for (const QString& table : itfOnlyDeletes()) {
            store::DeleteDeclarationRows(db, table, plan.key);
        }
    }
}

// A trial balance that differs from the statements makes the stored totals suspect: without
// mining or hydrocarbon activity their details must match, else the declaration is inconsistent.
void SaveCommand::checkDetails(Plan& plan) {
    if (!plan.trialBalanceDiffers) {
        return;
    }
    for (const QString& option : {QStringLiteral("OptMineria"), QStringLiteral("OptHidrocarburos")}) {
        if (m_model.hasControl(option) && m_model.option(option) == 1) {
            return;
        }
    }
    store::Database& db = m_model.context().db;
    plan.detailFailures = DetailChecks(db, m_model.context().prompter, m_model.caption).failures(plan.key);
    if (plan.detailFailures.isEmpty()) {
        return;
    }
    plan.consistent = false;
    markInconsistent(db, plan.key);
}

void SaveCommand::markInconsistent(store::Database& db, const store::DeclarationKey& key) {
    const store::SqlFilter filter = key.filter();
    db.run(QStringLiteral("UPDATE CAB SET ESTADO=9") + filter.text, filter.values).finish();
    stampRows(db, QStringLiteral("CAB"), store::Copy::Permanent, filter);
}

// --- After the commit -----------------------------------------------------------------------

void SaveCommand::finish(const Plan& plan) {
    app::Prompter& prompter = m_model.context().prompter;
    m_model.formState = plan.consistent ? 1 : 3;
    m_model.dirty = false;
    for (auto* table : {&m_model.detailTable3}) {
        for (auto it = table->begin(); it != table->end(); ++it) {
            if (inRanges(it.key(), plan.forgotten)) {
                it.value().clear();
            }
        }
    }
    for (auto it = m_model.keptCasillas.begin(); it != m_model.keptCasillas.end();) {
        it = inRanges(it.key(), plan.forgotten) ? m_model.keptCasillas.erase(it) : std::next(it);
    }
    // The grids show the working rows again only when a switched-off section lost some: a
    // refresh reads every row of every grid.
    if (plan.switchedOffRowsDeleted) {
        m_model.refreshGrid();
    }

    ValidateCommand::showPaymentWarning(m_model);
    ValidateCommand::showVehicleWarning(m_model);
    reloadDetailTables();
    if (plan.trialBalanceDiffers) {
        TrialBalanceComparison(m_model).showMessage();
    }
    for (const QString& failure : plan.detailFailures) {
        prompter.message(failure, m_model.caption, app::Icon::Critical);
    }
    if (m_model.formState == 3) {
        prompter.message(kSavedInconsistent, m_model.caption, app::Icon::Exclamation);
    } else {
        prompter.message(kSavedConsistent, m_model.caption, app::Icon::Information);
    }
}

// The detail tables of the form read again from the rows just stored.
void SaveCommand::reloadDetailTables() {
    QList<QMap<int, QString>*> tables = {&m_model.detailTable3};
    try {
        store::SqlFilter filter = m_model.key().filter();
        filter.andCondition(QStringLiteral("CAST(CASILLA AS INTEGER) BETWEEN 520 AND 752"));
        QSqlQuery rows =
            m_model.context().db.run(QStringLiteral("SELECT CASILLA, i_valor FROM DET") + filter.text, filter.values);
        QHash<int, QString> stored;
        while (rows.next()) {
            stored.insert(rows.value(0).toString().trimmed().toInt(), rows.value(1).toString().trimmed());
        }
        for (QMap<int, QString>* table : tables) {
            for (auto it = table->begin(); it != table->end(); ++it) {
                if (it.key() >= 520 && it.key() <= 752) {
                    it.value() = stored.value(it.key());
                }
            }
        }
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(m_model.context().prompter, error);
    }
}

} // namespace qel::declaration
