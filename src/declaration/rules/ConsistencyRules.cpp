#include "declaration/rules/ConsistencyRules.h"

#include "app/UtilityComponent.h"
#include "base/NumberFormat.h"
#include "catalogue/AnnexCatalog.h"
#include "catalogue/FormControls.h"
#include "declaration/model/DeclarationFormModel.h"
#include "declaration/model/RuleControls.h"
#include "declaration/model/WorkingCasillas.h"
#include "declaration/rules/CalculationRules.h"
#include "declaration/rules/EmailRule.h"
#include "declaration/rules/TrialBalanceComparison.h"
#include "store/Database.h"

#include <QDate>
#include <QRegularExpression>
#include <QSqlQuery>
#include <algorithm>
#include <cmath>

namespace qel::declaration {

using R = ConsistencyRules;
using Rule = ConsistencyRules::Rule;

const QString ConsistencyRules::kIncomeRule = QStringLiteral("ingresosSuperan1700Uit");

// --- What the rules read -----------------------------------------------------------------------

ConsistencyRules::ConsistencyRules(DeclarationFormModel& model, const CalculationRules& calculation)
    : m_model(model), m_calculation(calculation) {}

QString ConsistencyRules::periodo() const {
    return m_model.context().periodo;
}

store::DeclarationKey ConsistencyRules::key() const {
    return m_model.key();
}

int ConsistencyRules::option(const QString& name) const {
    return m_model.hasControl(name) ? m_model.option(name) : -1;
}

bool ConsistencyRules::enabled(const QString& name) const {
    return m_model.hasControl(name) && m_model.control(name).enabled;
}

QString ConsistencyRules::text(const QString& name) const {
    return m_model.hasControl(name) ? m_model.controlText(name).trimmed() : QString();
}

QString ConsistencyRules::code(const QString& name) const {
    return m_model.hasControl(name) ? m_model.comboCode(name).trimmed() : QString();
}

bool ConsistencyRules::ticked(const QString& name, int index) const {
    return m_model.hasControl(name) && m_model.check(name, index) == 1;
}

bool ConsistencyRules::hasTaxpayer() const {
    return !m_model.ruc().trimmed().isEmpty();
}

double ConsistencyRules::v(int n) const {
    return m_model.hasBox(n) ? m_model.value(n) : 0;
}

double ConsistencyRules::a(int n) const {
    return std::fabs(v(n));
}

bool ConsistencyRules::empty(int n) const {
    return !m_model.hasBox(n) || m_model.isEmpty(n);
}

QString ConsistencyRules::boxText(int n) const {
    return m_model.hasBox(n) ? m_model.text(n).trimmed() : QString();
}

double ConsistencyRules::keptValue(DeclarationFormModel& model, int n) {
    if (model.hasBox(n)) {
        return model.value(n);
    }
    if (WorkingCasillas::isWorking(n)) {
        return app::readWhole(WorkingCasillas::value(model.context().db, model.key(), n));
    }
    for (const QMap<int, QString>* kept : {&model.detailTable3, &model.keptCasillas}) {
        if (kept->contains(n)) {
            return app::readWhole(kept->value(n));
        }
    }
    store::SqlFilter where = model.key().filter();
    where.andCondition(QStringLiteral("CAST(CASILLA AS INTEGER)=?"), {n});
    return app::readWhole(
        model.context().db.scalar(QStringLiteral("SELECT i_valor FROM DET") + where.text, where.values).toString());
}

int ConsistencyRules::chart() const {
    return m_model.statementChart();
}

bool ConsistencyRules::statementPageEmpty(const QString& pageId) const {
    for (const CasillaDef* def : m_model.casillas().onPage(pageId)) {
        const bool typed = def->kind == BoxKind::Entry || def->kind == BoxKind::Assistant;
        if (def->hasBox && typed && (def->chart == 0 || def->chart == chart()) && v(def->number) != 0) {
            return false;
        }
    }
    return true;
}

double ConsistencyRules::uit() const {
    return app::roundHalfAway(m_calculation.uit());
}

double ConsistencyRules::revenue() const {
    return m_calculation.revenue();
}

int ConsistencyRules::rows(const QString& table, const QString& condition, const QVariantList& values) const {
    store::SqlFilter where = key().filter();
    if (!condition.isEmpty()) {
        where.andCondition(condition, values);
    }
    return m_model.context()
        .db.scalar(QStringLiteral("SELECT count(*) FROM ") + table + where.text, where.values)
        .toInt();
}

const store::SqlDialect& ConsistencyRules::sql() const {
    return m_model.context().db.dialect();
}

double ConsistencyRules::sum(const QString& table, const QString& expression, const QString& condition,
                             const QVariantList& values) const {
    store::SqlFilter where = key().filter();
    if (!condition.isEmpty()) {
        where.andCondition(condition, values);
    }
    return m_model.context()
        .db
        .scalar(QStringLiteral("SELECT ") + sql().total(expression) + QStringLiteral(" FROM ") + table + where.text,
                where.values)
        .toDouble();
}

bool ConsistencyRules::trialBalanceDeclared() const {
    if (!si(QStringLiteral("OptActEco"))) {
        return false;
    }
    QStringList nonZero;
    for (const char* column : {"saldos_ini_d", "saldos_ini_h", "mov_ejerci_d", "mov_ejerci_h", "tran_cance_d",
                               "tran_cance_h", "impli_niif_d", "impli_niif_h"}) {
        nonZero.append(sql().realOf(QLatin1String(column)) + QStringLiteral("<>0"));
    }
    return rows(QStringLiteral("TMPF582BALANCE"),
                QLatin1Char('(') + nonZero.join(QStringLiteral(" OR ")) + QLatin1Char(')')) > 0;
}

QString ConsistencyRules::whole(double value) {
    return app::formatNumber(value, app::masks::kWhole);
}

// --- The rules of the declaration ----------------------------------------------------------------

namespace {

using Test = std::function<bool(const R&)>;
using Text = std::function<QString(const R&)>;

QString u(const char* text) {
    return QString::fromUtf8(text);
}

Rule when(const char* name, Test fails, Text message) {
    return {u(name), [fails = std::move(fails), message = std::move(message)](const R& r) {
                return fails(r) ? QStringList{message(r)} : QStringList{};
            }};
}

Rule when(const char* name, Test fails, const char* message) {
    const QString text = u(message);
    return when(name, std::move(fails), [text](const R&) { return text; });
}

// A yes/no question of the form left without an answer.
Rule unanswered(const char* name, const char* option, Text message) {
    const QString control = u(option);
    Rule rule = when(
        name, [control](const R& r) { return !r.answered(control); }, std::move(message));
    rule.control = control;
    return rule;
}

Rule unanswered(const char* name, const char* option, const char* message) {
    const QString text = u(message);
    return unanswered(name, option, [text](const R&) { return text; });
}

// A section answered "Si" whose detail rows are missing in its working table.
Rule siWithoutRows(const char* name, const char* option, const char* table, const char* condition, Text message) {
    const QString control = u(option);
    const QString tableName = u(table);
    const QString extra = u(condition);
    Rule rule = when(
        name, [control, tableName, extra](const R& r) { return r.si(control) && r.rows(tableName, extra) == 0; },
        std::move(message));
    rule.control = control;
    return rule;
}

// The working table an annex grid of the form shows.
QString gridTable(const char* grid) {
    const annexes::AnnexGridDef* def = annexes::AnnexCatalog::instance().grid(u(grid));
    Q_ASSERT(def != nullptr);
    return def != nullptr ? def->table : QString();
}

// A question answered "Si" whose annex grids hold no row: the section's rows as the annex
// catalogue narrows them.
Rule siWithoutGridRows(const char* name, const char* option, Text message) {
    const QString control = u(option);
    const QList<annexes::AnnexRows> held = annexes::AnnexCatalog::instance().sectionRows(control);
    Q_ASSERT(!held.isEmpty());
    const annexes::AnnexRows grid = held.value(0);
    Rule rule = when(
        name,
        [control, grid](const R& r) { return r.si(control) && r.rows(grid.table, grid.condition, grid.values) == 0; },
        std::move(message));
    rule.control = control;
    return rule;
}

// A message ending with the period, and one with the period in its middle.
Text withPeriod(const char* before) {
    const QString text = u(before);
    return [text](const R& r) { return text + r.periodo(); };
}

Text aroundPeriod(const char* before, const char* after) {
    const QString first = u(before);
    const QString second = u(after);
    return [first, second](const R& r) { return first + r.periodo() + second; };
}

bool digitsOnly(const QString& text, int length) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    return text.size() == length && digits.match(text).hasMatch();
}

bool lengthBetween(const QString& text, int low, int high) {
    return text.size() >= low && text.size() <= high;
}

// The reorganisation date: a real date "dd/mm/yyyy" within the period.
bool reorganisationDateValid(const R& r) {
    const QString text = r.text(QStringLiteral("mkeFechaReorganiza"));
    if (text.isEmpty() || text == QStringLiteral("__/__/____") || text.contains(QLatin1Char('_'))) {
        return false;
    }
    const QDate date = QDate::fromString(text, QStringLiteral("dd/MM/yyyy"));
    const int year = r.periodo().toInt();
    return date.isValid() && date >= QDate(year, 1, 1) && date <= QDate(year, 12, 31);
}

// Mining concessions registered with or without a stability agreement (its signature date).
int concessions(const R& r, bool withAgreement) {
    return r.rows(gridTable(controls::kMiningGrid), withAgreement
                                                        ? QStringLiteral("trim(coalesce(fec_firma_conv,''))<>''")
                                                        : QStringLiteral("trim(coalesce(fec_firma_conv,''))=''"));
}

double hydrocarbonContracts(const R& r) {
    return r.v(275) + r.v(276) + r.v(277);
}

// The trial balance's column totals, whole.
struct TrialBalanceTotals {
    double initialDebit = 0, initialCredit = 0;
    double movementDebit = 0, movementCredit = 0;
    double ledgerDebit = 0, ledgerCredit = 0;
    double closingDebit = 0, closingCredit = 0;
    double transferDebit = 0, transferCredit = 0;
    double assets = 0, liabilities = 0;
    double losses = 0, gains = 0;

    // The result of the year as the balance-sheet columns give it (profit when positive) and
    // as the results-by-nature columns give it.
    double balanceResult() const { return assets - liabilities; }
    double natureResult() const { return gains - losses; }
};

TrialBalanceTotals trialBalanceTotals(const R& r) {
    auto total = [&r](const char* column) {
        return app::roundHalfAway(r.sum(QStringLiteral("TMPF582BALANCE"), r.sql().realOf(QLatin1String(column))));
    };
    TrialBalanceTotals t;
    t.initialDebit = total("saldos_ini_d");
    t.initialCredit = total("saldos_ini_h");
    t.movementDebit = total("mov_ejerci_d");
    t.movementCredit = total("mov_ejerci_h");
    t.ledgerDebit = total("suma_mayor_d");
    t.ledgerCredit = total("suma_mayor_h");
    t.closingDebit = total("saldo_deudor");
    t.closingCredit = total("saldo_acreed");
    t.transferDebit = total("tran_cance_d");
    t.transferCredit = total("tran_cance_h");
    t.assets = total("cuenta_bal_a");
    t.liabilities = total("cuenta_bal_p");
    t.losses = total("result_nat_p");
    t.gains = total("result_nat_g");
    return t;
}

double positive(double value) {
    return value > 0 ? value : 0;
}

// A pair of trial-balance totals that must be equal.
Rule trialBalancePair(const char* name, std::function<std::pair<double, double>(const TrialBalanceTotals&)> pair,
                      Text before, const char* between) {
    const QString middle = u(between);
    return {u(name), [pair = std::move(pair), before = std::move(before), middle](const R& r) {
                if (!r.trialBalanceDeclared()) {
                    return QStringList{};
                }
                const auto [left, right] = pair(trialBalanceTotals(r));
                if (left == right) {
                    return QStringList{};
                }
                return QStringList{before(r) + R::whole(left) + middle + R::whole(right)};
            }};
}

Text fixed(const char* text) {
    const QString value = u(text);
    return [value](const R&) { return value; };
}

// The ITAN not applied as a credit: what the payments of 131 exceed the tax left in 506.
double unappliedItan(const R& r) {
    return std::clamp(r.a(131) - positive(r.v(506)), 0.0, r.a(131));
}

bool itanCredit(const R& r) {
    return r.ticked(controls::kItanPayments, 1);
}

bool itanExpenseOnly(const R& r) {
    return r.ticked(controls::kItanPayments, 0) && !itanCredit(r);
}

bool casilla279Checked(const R& r) {
    return r.si(QStringLiteral("OptItanAnexo")) && !r.empty(279);
}

int partners(const R& r, bool consolidatedToo) {
    return r.rows(gridTable(controls::kPartnerGrid),
                  consolidatedToo ? QString() : QStringLiteral("trim(coalesce(tipo_socio,''))<>'05'"));
}

double partnersPercentage(const R& r, bool consolidatedToo) {
    return app::roundHalfAway(
        r.sum(gridTable(controls::kPartnerGrid), r.sql().realOf(QStringLiteral("Porcentaje")),
              consolidatedToo ? QString() : QStringLiteral("trim(coalesce(tipo_socio,''))<>'05'")),
        2);
}

int vehicles(const R& r) {
    return r.rows(gridTable(controls::kVehicleGrid));
}

QString accountantType(const R& r) {
    return r.code(controls::kAccountantDocType).left(2);
}

QString representativeType(const R& r) {
    return r.code(controls::kRepresentativeDocType).left(2);
}

// Conditions that both the declaration and the identification page test.
bool orderNumberWrong(const R& r) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    const QString number = r.boxText(224);
    return r.si(QStringLiteral("OptConvEstab")) && (!digits.match(number).hasMatch() || app::val(number) == 0);
}

// The currency of the return is asked only of those not keeping their books in a foreign currency.
bool returnCurrencyUnanswered(const R& r) {
    return r.si(QStringLiteral("OptConvEstab")) && r.option(QStringLiteral("OptContMonExt")) == 0 &&
           !r.answered(QStringLiteral("OptDecPagMonExt"));
}

// The participating companies: casilla 278 or the rows of its detail.
bool reorganisationCompaniesMissing(const R& r) {
    const QString casilla278 = QStringLiteral("trim(CASILLA)='278'");
    return r.si(QStringLiteral("OptReorganizacion")) && r.v(278) == 0 &&
           r.rows(QStringLiteral("TMPF535DETVAR"), casilla278) == 0 &&
           r.rows(QStringLiteral("TMPF542REOEMP"), casilla278) == 0;
}

bool itanUseUnanswered(const R& r) {
    return r.si(QStringLiteral("OptItan")) && !r.ticked(controls::kItanPayments, 1) &&
           !r.ticked(controls::kItanPayments, 0);
}

bool domicileInAmazonia(const R& r) {
    return r.si(QStringLiteral("OptDomFiscal"));
}

bool amazoniaDomicileUnanswered(const R& r) {
    return (r.si(QStringLiteral("OptUbicAmazonia")) || r.si(QStringLiteral("OptLeyAmazonia"))) &&
           !r.answered(QStringLiteral("OptDomFiscal"));
}

// A "Si" whose list was left without a choice, and a choice of "Otros" without its text.
Test choiceMissing(const char* option, const char* list) {
    const QString question = u(option);
    const QString combo = u(list);
    return [question, combo](const R& r) { return r.si(question) && r.code(combo).isEmpty(); };
}

Test otherUnspecified(const char* option, const char* list, const char* otherCode, int casilla) {
    const QString question = u(option);
    const QString combo = u(list);
    const QString other = u(otherCode);
    return [question, combo, other, casilla](const R& r) {
        return r.si(question) && r.code(combo) == other && r.empty(casilla);
    };
}

Test subQuestionUnanswered(const char* option, const char* subQuestion) {
    const QString question = u(option);
    const QString sub = u(subQuestion);
    return [question, sub](const R& r) { return r.si(question) && !r.answered(sub); };
}

QList<Rule> buildDeclarationRules() {
    QList<Rule> rules;

    // --- Identification and general data ------------------------------------------------------
    rules << when(
        "ingresosSuperan1700Uit",
        [](const R& r) { return r.option(QStringLiteral("OpRegRenta")) == 2 && r.revenue() > 1700 * r.uit(); },
        "Identificación - Datos generales : Sus ingresos superan las 1700 UIT, usted debe declarar en el Régimen "
        "General.");
    rules << when(
        "telefonoFijoContador", [](const R& r) { return lengthBetween(r.text(controls::kAccountantPhone), 1, 5); },
        "Información complementaria - Información General : Ingrese correctamente el número de teléfono fijo del "
        "contador");
    rules << when(
        "celularContador", [](const R& r) { return lengthBetween(r.text(controls::kAccountantMobile), 1, 8); },
        "Información complementaria - Información General : Ingrese correctamente el número de celular del contador");
    // The addresses of the taxpayer, the accountant and the representative: each typed one must
    // be acceptable; one line however many are wrong.
    rules << when(
        "correos",
        [](const R& r) {
            for (const char* box : {"txtmail", "txtmail2", "txtmail3"}) {
                const QString address = r.text(u(box));
                if (!address.isEmpty() && !ValidaCorreo(address)) {
                    return true;
                }
            }
            return false;
        },
        "Información complementaria - Información General : Información de correo incorrecta, corregir ");
    rules << when(
        "conceptoRectificado",
        [](const R& r) {
            return r.si(QStringLiteral("OptRectifica")) && !r.ticked(QStringLiteral("ChkRenta")) &&
                   !r.ticked(QStringLiteral("ChkITF"));
        },
        "Identificación-Rectificatoria : Indique el concepto que está rectificando. ");
    // Sales and other income split by source in their detail windows: 670-675.
    rules << when(
        "casilla461PorFuente", [](const R& r) { return r.v(461) != r.kept(670) + r.kept(671); },
        "Estados Financieros: El valor de la casilla 461 no coincide con la suma de la casilla 670 y 671");
    rules << when(
        "casilla475PorFuente", [](const R& r) { return r.v(475) != r.kept(672) + r.kept(673); },
        "Estados Financieros: El valor de la casilla 475 no coincide con la suma de la casilla 672 y 673");
    rules << when(
        "casilla476PorFuente", [](const R& r) { return r.v(476) != r.kept(674) + r.kept(675); },
        "Estados Financieros: El valor de la casilla 476 no coincide con la suma de la casilla 674 y 675");
    rules << unanswered("preguntaBalanceComprobacion", "OptActEco",
                        aroundPeriod("Indique si ha obtenido ingresos al 31 de diciembre del ",
                                     " iguales o superiores a S/  1'185,000 (300 UIT) y se encuentra obligado a "
                                     "declarar el Balance de Comprobación según la Resolución de Superintendencia "
                                     "que aprueba el presente formulario."));
    rules << siWithoutGridRows(
        "contratosColaboracion", "OptColab",
        fixed("Identificación - Contratos de colaboración : Si ha seleccionado Si a la pregunta ¿Forma parte de un "
              "contrato de colaboración empresarial sin contabilidad independiente?, debe registrar los contratos de "
              "colaboración empresarial."));
    // One line per contract whose participations do not add up to 100%.
    rules << Rule{u("participacionContratos"), [](const R& r) {
                      const store::DeclarationKey key = r.key();
                      QSqlQuery contracts = r.model().context().db.run(
                          QStringLiteral("SELECT trim(c.cod_contrato), (SELECT %1 FROM TMPF582COLDET d WHERE "
                                         "d.TIP_DOC_D=c.TIP_DOC_D AND d.DOC_ID_D=c.DOC_ID_D AND d.PERIODO=c.PERIODO "
                                         "AND d.FORMULARIO=c.FORMULARIO AND d.cod_contrato=c.cod_contrato) FROM "
                                         "TMPF582COLCAB c WHERE c.TIP_DOC_D=6 AND c.DOC_ID_D=? AND c.PERIODO=? AND "
                                         "c.FORMULARIO=? ORDER BY %2")
                              .arg(r.sql().total(r.sql().realOf(QStringLiteral("d.por_participacion"))),
                                   r.sql().realOf(QStringLiteral("c.cod_contrato"))),
                          {key.ruc, key.periodo, key.formulario});
                      QStringList lines;
                      while (contracts.next()) {
                          if (app::roundHalfAway(contracts.value(1).toDouble(), 2) != 100) {
                              lines.append(u("Identificación - Contrato de colaboración : Para el contrato ") +
                                           contracts.value(0).toString() +
                                           u(" el Porcentaje de participación debe ser 100% "));
                          }
                      }
                      return lines;
                  }};

    // --- Exemptions, agreements and benefits --------------------------------------------------
    // The benefits question of a domiciled taxpayer; the one below catches it when the
    // domicile itself is not answered.
    rules << when(
        "beneficiosDomiciliado",
        [](const R& r) {
            return r.option(QStringLiteral("OptDomiciliado")) == 1 && !r.answered(QStringLiteral("OptBeneficiosTrib"));
        },
        "Identificación-Exoneración, Convenios, Otros : Indique si esta acogido o no a Beneficios Tributarios ");
    rules << unanswered("exoneracion", "OptTipoCont",
                        "Identificación - Exoneraciones y convenios : Indique si está exonerado totalmente del "
                        "Impuesto a la Renta por alguna norma legal.");
    rules << when("baseLegalExoneracion", choiceMissing("OptTipoCont", controls::kExemptionBasis),
                  "Identificación - Exoneraciones y convenios : Seleccione la base legal de la Exoneración.");
    rules << when("otraBaseLegalExoneracion", otherUnspecified("OptTipoCont", controls::kExemptionBasis, "5", 216),
                  "Identificación - Exoneraciones y convenios : Especifique Otros tipos de base legal.");
    rules << unanswered("inafectacion", "OptInafectacion",
                        "Identificación - Exoneraciones y convenios : Indicar si está Inafecto al Impuesto a la Renta "
                        "por alguna norma legal.");
    rules << when("baseLegalInafectacion", choiceMissing("OptInafectacion", controls::kNonTaxableBasis),
                  "Identificación - Exoneraciones y convenios : Seleccione la base legal de inafectación.");
    rules << when(
        "otraBaseLegalInafectacion", otherUnspecified("OptInafectacion", controls::kNonTaxableBasis, "6", 222),
        "Identificación - Exoneraciones y convenios : Especifique Otros tipos de base legal de inafectación.");
    rules << unanswered("donaciones", "OptDonaciones",
                        "Identificación - Exoneraciones y convenios : Indicar si está deduciendo gastos por concepto "
                        "de donaciones según lo dispuesto en el literal x) del artículo 37° del TUO del Impuesto a la "
                        "Renta.");
    rules << siWithoutRows(
        "detalleDonaciones", "OptDonaciones", "TMPF586DONAC", "",
        fixed("Identificación - Exoneraciones y convenios : Registre información de detalle de Donaciones."));
    rules << unanswered("convenioEstabilidad", "OptConvEstab",
                        "Identificación - Exoneraciones y convenios : Indique si tiene o no convenio de estabilidad.");
    // The order number of the form that communicated the agreement: digits, not zero.
    rules << when(
        "numeroOrdenConvenio", orderNumberWrong,
        "Identificación - Exoneraciones y convenios : Registre correctamente el número de orden del formulario con "
        "el que comunicó el Convenio de Estabilidad.");
    rules << when(
        "contabilidadMonedaExtranjera", subQuestionUnanswered("OptConvEstab", "OptContMonExt"),
        "Identificación - Exoneraciones y convenios : Indique si está autorizado a llevar Contabilidad en Moneda "
        "Extranjera.");
    rules << when(
        "declaracionMonedaExtranjera", returnCurrencyUnanswered,
        "Identificación - Exoneraciones y convenios : Indique si está autorizado a presentar sus Declaraciones de "
        "Tributos en Moneda Extranjera.");
    rules << when(
        "beneficiosTributarios",
        [](const R& r) {
            return r.option(QStringLiteral("OptDomiciliado")) != 1 && !r.answered(QStringLiteral("OptBeneficiosTrib"));
        },
        "Identificación - Exoneraciones y convenios : Indique si esta acogido o no a Beneficios Tributarios.");
    rules << when("rubroBeneficio", choiceMissing("OptBeneficiosTrib", controls::kTaxBenefit),
                  "Identificación - Exoneraciones y convenios : Selecciones el rubro del beneficio.");
    rules << when("otroRubroBeneficio", otherUnspecified("OptBeneficiosTrib", controls::kTaxBenefit, "9", 201),
                  "Identificación - Exoneraciones y convenios : Especifique Otros rubros del beneficio.");

    // --- Mining and hydrocarbons -------------------------------------------------------------
    rules << when(
        "mineriaOHidrocarburos",
        [](const R& r) {
            return !r.answered(QStringLiteral("OptMineria")) && !r.answered(QStringLiteral("OptHidrocarburos"));
        },
        "Identificación - Minería e Hidrocarburos : Indique si tiene concesiones mineras o hidrocarburos.");
    rules << when(
        "mineria",
        [](const R& r) {
            return !r.answered(QStringLiteral("OptMineria")) && r.answered(QStringLiteral("OptHidrocarburos"));
        },
        "Identificación - Minería e Hidrocarburos : Indique si tiene concesiones mineras. ");
    rules << when(
        "hidrocarburos",
        [](const R& r) {
            return r.answered(QStringLiteral("OptMineria")) && !r.answered(QStringLiteral("OptHidrocarburos"));
        },
        "Identificación - Minería e Hidrocarburos : Indique si tiene concesiones de hidrocarburos. ");
    rules << when(
        "casilla228", [](const R& r) { return r.si(QStringLiteral("OptMineria")) && r.empty(228); },
        "Identificación - Minería e Hidrocarburos : Registre información en la casilla 228 .");
    rules << when(
        "casilla238", [](const R& r) { return r.si(QStringLiteral("OptMineria")) && r.empty(238); },
        "Identificación - Minería e Hidrocarburos : Registre información en la casilla 238 .");
    // Fewer concessions without agreement registered than casilla 228 counts.
    rules << when(
        "concesionesSinConvenio",
        [](const R& r) {
            return r.si(QStringLiteral("OptMineria")) && r.v(228) > 0 && concessions(r, false) < r.v(228);
        },
        "Identificación - Minería e Hidrocarburos : Debe registrar las concesiones sin convenio  ");
    rules << when(
        "casilla228Cero",
        [](const R& r) {
            return r.si(QStringLiteral("OptMineria")) && !r.empty(228) && r.v(228) == 0 && concessions(r, false) > 0;
        },
        "Identificación - Minería e Hidrocarburos : La casilla 228 es cero y tiene registradas concesiones de mineria "
        "sin convenio.  ");
    rules << when(
        "concesionesConConvenio",
        [](const R& r) {
            return r.si(QStringLiteral("OptMineria")) && !r.empty(238) && concessions(r, true) != r.v(238);
        },
        [](const R& r) {
            return u("Identificación - Minería e Hidrocarburos : Debe registrar el mismo número de concesiones con "
                     "convenio señaladas en la casilla 238 : ") +
                   R::whole(r.v(238));
        });
    rules << when(
        "casillas275a277",
        [](const R& r) {
            return r.si(QStringLiteral("OptHidrocarburos")) && r.empty(275) && r.empty(276) && r.empty(277);
        },
        "Identificación - Minería e Hidrocarburos : Registre información en las casillas 275, 276 y 277.");
    rules << when(
        "sumaCasillas275a277",
        [](const R& r) {
            return r.si(QStringLiteral("OptHidrocarburos")) && !(r.empty(275) && r.empty(276) && r.empty(277)) &&
                   hydrocarbonContracts(r) <= 0;
        },
        "Identificación - Minería e Hidrocarburos : El valor de la suma de las casillas 275, 276 y 277  debe ser mayor "
        "a 0.");
    rules << when(
        "contratosHidrocarburos",
        [](const R& r) {
            return r.si(QStringLiteral("OptHidrocarburos")) && hydrocarbonContracts(r) > 0 &&
                   r.rows(gridTable(controls::kHydrocarbonGrid)) != hydrocarbonContracts(r);
        },
        [](const R& r) {
            return u("Identificación - Minería e Hidrocarburos : Debe registrar el mismo número de contratos señalados "
                     "en las casillas 275, 276 y 277 : ") +
                   R::whole(hydrocarbonContracts(r));
        });

    // --- Reorganisation and ITAN ----------------------------------------------------------------
    rules << unanswered("reorganizacion", "OptReorganizacion",
                        withPeriod("Identificación - Reorganización de Sociedades / ITAN : Indicar si ha participado "
                                   "en un proceso de reorganización de sociedades durante el ejercicio "));
    rules << when("tipoReorganizacion", choiceMissing("OptReorganizacion", controls::kReorganisationType),
                  "Identificación - Reorganización de Sociedades / ITAN : Debe seleccionar el tipo de Reorganización.");
    rules << when(
        "fechaReorganizacion",
        [](const R& r) { return r.si(QStringLiteral("OptReorganizacion")) && !reorganisationDateValid(r); },
        "Identificación - Reorganización de Sociedades / ITAN : Registre la fecha de reorganización correctamente.");
    rules << when("empresasReorganizacion", reorganisationCompaniesMissing,
                  "Identificación - Reorganización de Sociedades / ITAN : Registre las empresas participantes en la "
                  "reorganización.");
    rules << unanswered("itan", "OptItan",
                        "Identificación - Reorganización de Sociedades / ITAN : Indicar si presentado el Formulario "
                        "Virtual - QEL 947 del Impuesto Temporal a los Activos Netos - ITAN.");
    rules << when(
        "anexoItan", subQuestionUnanswered("OptItan", "OptItanAnexo"),
        "Identificación - Reorganización de Sociedades / ITAN : Indicar si presentó Anexo aprobado por el Reg. del "
        "Impuesto Temporal a los Activos Netos - ITAN ( D.S.N° 025-2005 EF).");
    rules << when(
        "casilla279", [](const R& r) { return r.si(QStringLiteral("OptItanAnexo")) && r.empty(279); },
        "Créditos contra el Imp. a la Renta - Casilla 279 : Registre el Saldo de Itan NO aplicado como Crédito.");
    // ITAN used only as an expense: none of it is applied, all of 131 remains.
    rules << when(
        "casilla279ComoGasto",
        [](const R& r) { return casilla279Checked(r) && itanExpenseOnly(r) && r.a(279) != r.a(131); },
        "El valor de la casilla 279 debe ser igual a la casilla 131.");
    // ITAN used as a credit: what remains is the part of 131 that the tax of 506 does not absorb.
    rules << when(
        "casilla279SaldoNoAplicado",
        [](const R& r) {
            return casilla279Checked(r) && itanCredit(r) && unappliedItan(r) > 0 && r.a(279) != unappliedItan(r);
        },
        [](const R& r) {
            return u("El valor de la casilla 279 debe ser igual a la casilla 506 - 131 : ") +
                   R::whole(unappliedItan(r));
        });
    rules << when(
        "casilla279Cero",
        [](const R& r) { return casilla279Checked(r) && itanCredit(r) && unappliedItan(r) == 0 && r.a(279) != 0; },
        "El valor de la casilla 279 debe ser 0 .");
    rules << when(
        "usoPagosItan", itanUseUnanswered,
        "Identificación - Reorganización de Sociedades / ITAN : Registre como son utilizados los pagos por concepto de "
        "Impuesto Temporal a los Activos Netos - ITAN.");
    rules << unanswered("condicionDomicilio", "OptDomiciliado",
                        "Identificación- Datos generales : Indique la condición de domicilio.");

    // --- Amazonía ---------------------------------------------------------------------------------
    rules << when(
        "ubigeoAmazonia",
        [](const R& r) { return domicileInAmazonia(r) && r.text(QStringLiteral("TxtUbigeo")).isEmpty(); },
        "Identificación-Régimen de la Amazonía y Frontera : Registre el Ubigeo");
    rules << unanswered("comercioAmazonia", "OptUbicAmazonia",
                        "Identificación-Régimen de la Amazonía y Frontera : Señale si esta ubicado en la amazonía");
    rules << unanswered("actividadesAmazonia", "OptLeyAmazonia",
                        "Identificación-Régimen de la Amazonía y Frontera : Señale si esta ubicado en la amazonia");
    rules << when(
        "domicilioAmazonia", amazoniaDomicileUnanswered,
        "Identificación-Régimen de la Amazonía y Frontera : Indique si su domicilio fiscal se encuentra ubicado en la "
        "Amazonia y coincide con el lugar donde tiene su administración y contabilidad.");
    rules << when(
        "zonaAmazonia", subQuestionUnanswered("OptDomFiscal", "OptZona"),
        "Identificación-Régimen de la Amazonía y Frontera : Indique la zona a la que corresponde la ubicación de su "
        "domicilio.");
    for (const auto& [name, control, message] :
         {std::tuple{"oficinaRegistral", "TxtOfReg",
                     "Identificación-Régimen de la Amazonía y Frontera : Ingrese la oficina registral de registros "
                     "publicos"},
          std::tuple{
              "tomoFicha", "TxtFicha",
              "Identificación-Régimen de la Amazonía y Frontera : Ingrese el tomo o ficha de registros publicos"},
          std::tuple{"folio", "TxtFolio",
                     "Identificación-Régimen de la Amazonía y Frontera : Ingrese el folio de registros publicos"},
          std::tuple{"asiento", "TxtAsiento",
                     "Identificación-Régimen de la Amazonía y Frontera : Ingrese el asiento de registros publicos"},
          std::tuple{"activosFijosAmazonia", "TxtActFijAmazonia",
                     "Identificación-Régimen de la Amazonía y Frontera : Ingrese el monto de activos fijos ubicados en "
                     "la amazonía"}}) {
        const QString box = u(control);
        rules << when(
            name, [box](const R& r) { return domicileInAmazonia(r) && r.text(box).isEmpty(); }, message);
    }

    // --- Trial balance ------------------------------------------------------------------------------
    rules << when(
        "balanceComprobacion",
        [](const R& r) { return r.si(QStringLiteral("OptActEco")) && !r.trialBalanceDeclared(); },
        "Balance de comprobación: Debe ingresar información en el balance de comprobación histórico");
    rules << trialBalancePair(
        "saldosIniciales",
        [](const TrialBalanceTotals& t) {
            return std::pair{t.initialDebit, t.initialCredit};
        },
        fixed("Balance de comprobación: El total saldos iniciales no son iguales. Debe = "), " y Haber = ");
    rules << trialBalancePair(
        "movimientosEjercicio",
        [](const TrialBalanceTotals& t) {
            return std::pair{t.movementDebit, t.movementCredit};
        },
        fixed("Balance de comprobación: Los totales de movimientos del ejercicio . Debe = "), " y Haber = ");
    rules << trialBalancePair(
        "sumasMayor",
        [](const TrialBalanceTotals& t) {
            return std::pair{t.ledgerDebit, t.ledgerCredit};
        },
        fixed("Balance de comprobación: Los totales de sumas del mayor no son iguales. Debe = "), " y Haber = ");
    rules << trialBalancePair(
        "saldosFinales",
        [](const TrialBalanceTotals& t) {
            return std::pair{t.closingDebit, t.closingCredit};
        },
        aroundPeriod("Balance de comprobación: Los totales de Saldos al 31/12/", " no son iguales. Deudor = "),
        " y Acreedor = ");
    rules << trialBalancePair(
        "transferencias",
        [](const TrialBalanceTotals& t) {
            return std::pair{t.transferDebit, t.transferCredit};
        },
        fixed("Balance de comprobación: El total transferencias y cancelaciones no son iguales. Debe = "), " Haber = ");
    // The balance-sheet columns balance with the result of the year that the results columns give ...
    rules << trialBalancePair(
        "cuentasBalanceMasResultado",
        [](const TrialBalanceTotals& t) {
            return std::pair{t.assets + positive(-t.natureResult()), t.liabilities + positive(t.natureResult())};
        },
        fixed("Balance de comprobación: El sub-total cuentas de balance+ Resultados del ejercicio no son iguales. "
              "Activo = "),
        " Pasivo = ");
    // ... and the results columns with the result that the balance-sheet columns give.
    rules << trialBalancePair(
        "resultadosNaturalezaMasResultado",
        [](const TrialBalanceTotals& t) {
            return std::pair{t.losses + positive(t.balanceResult()), t.gains + positive(-t.balanceResult())};
        },
        fixed("Balance de comprobación: El sub-total Resultados por Naturaleza + Resultados del ejercicio no son "
              "iguales. Pérdidas = "),
        " Ganancias = ");
    // The result of the year: a profit stands on the liability side of the balance-sheet columns
    // and on the loss side of the results columns; a loss on the asset and gain sides.
    const auto declared = [](const R& r) { return r.trialBalanceDeclared(); };
    rules << when(
        "utilidadBalanceNaturaleza",
        [declared](const R& r) {
            const TrialBalanceTotals t = trialBalanceTotals(r);
            return declared(r) && positive(t.balanceResult()) != positive(t.natureResult());
        },
        "Balance de Comprobación - Resultados del ejercicio : Cuentas de Balance-Pasivo debe ser igual a  Resultados "
        "por Naturaleza-Pérdidas.");
    rules << when(
        "utilidadCasilla492",
        [declared](const R& r) { return declared(r) && positive(trialBalanceTotals(r).balanceResult()) != r.a(492); },
        "Balance de Comprobación - Resultados del ejercicio : Cuentas de Balance-Pasivo debe ser igual a la Casilla "
        "492 "
        "(Resultado del ejercicio utilidad del Estado de Ganancias y de Pérdidas.)");
    rules << when(
        "perdidaBalanceNaturaleza",
        [declared](const R& r) {
            const TrialBalanceTotals t = trialBalanceTotals(r);
            return declared(r) && positive(-t.balanceResult()) != positive(-t.natureResult());
        },
        "Balance de Comprobación - Resultados del ejercicio : Cuentas de Balance-Activo debe ser igual a  Resultados "
        "por Naturaleza-Ganancias.");
    rules << when(
        "perdidaCasilla493",
        [declared](const R& r) { return declared(r) && positive(-trialBalanceTotals(r).balanceResult()) != r.a(493); },
        "Balance de Comprobación - Resultados del ejercicio : Cuentas de Balance-Activo debe ser igual a la Casilla "
        "493 "
        "(Resultado del ejercicio pérdida del Estado de Ganancias y de Pérdidas)");
    {
        Rule comparison{u("divisionariasBalance"),
                        [](const R& r) { return TrialBalanceComparison(r.model()).reportLines(); }};
        comparison.reportOnly = true;
        rules << comparison;
    }

    // --- Tax computation and statements -------------------------------------------------------------
    rules << when(
        "compensacionPerdidas", [](const R& r) { return r.a(108) > 0 && r.a(108) > r.v(106); },
        "El Total de Compensación de Pérdida NO puede ser mayor a la Renta Neta");
    // Under system B the losses compensated are limited to half the net income.
    rules << when(
        "compensacionPerdidasSistemaB",
        [](const R& r) {
            return r.option(QStringLiteral("OptArrastre2005")) == 1 && r.a(108) > 0 && 2 * r.a(108) > r.v(106);
        },
        "Impuesto a la Renta : El Total de Compensación de Pérdida NO puede ser mayor al 50% de la Renta Neta");
    rules << when(
        "activo", [](const R& r) { return r.statementPageEmpty(QStringLiteral("eeff.activo")); },
        "Estados Financieros - Activo : Debe registrar valores en el Activo ");
    rules << when(
        "pasivoPatrimonio", [](const R& r) { return r.statementPageEmpty(QStringLiteral("eeff.pasivo")); },
        "Estados Financieros - Pasivo y Patrimonio : Debe registrar valores en el Pasivo y Patrimonio ");
    rules << when(
        "resultadoSinGananciasPlan1",
        [](const R& r) {
            return r.chart() == 1 && (r.v(354) != 0 || r.v(355) != 0) &&
                   r.statementPageEmpty(QStringLiteral("eeff.egp"));
        },
        "Estados Financieros-Pasivo y Patrimonio : Si existe la casilla 354 ó 355 debe existir información en el "
        "Estado "
        "de Ganancias y Perdidas");
    rules << when(
        "resultadoSinGananciasPlan2",
        [](const R& r) {
            return r.chart() == 2 && (r.v(423) != 0 || r.v(424) != 0) &&
                   r.statementPageEmpty(QStringLiteral("eeff.egp"));
        },
        "Estados Financieros-Pasivo y Patrimonio : Si existe la casilla 423 ó 424 debe existir información en el "
        "Estado "
        "de Ganancias y Perdidas");
    rules << when(
        "activoIgualPasivoPatrimonio",
        [](const R& r) { return r.chart() == 1 ? r.v(330) != r.v(358) : r.v(390) != r.v(426); },
        "Estados Financieros-Pasivo y Patrimonio : El Total Activo debe ser igual a Total Pasivo + Patrimonio  "
        "(Histórico)");
    rules << when(
        "casilla348", [](const R& r) { return r.chart() == 1 && r.v(348) != 0; },
        "Estados Financieros-Pasivo y Patrimonio : No debe existir información en la Casilla 348");
    // Counterparts detailed one by one must each hold more than 3 UIT (others go undetailed).
    const auto smallCounterparts = [](const R& r, const char* casillas) {
        return r.rows(QStringLiteral("TMPF535CASEF"),
                      QStringLiteral("trim(CASILLA) IN (%1) AND coalesce(tipo_doc,0)<>99 AND abs(%2)<=?")
                          .arg(QLatin1String(casillas), r.sql().realOf(QStringLiteral("saldo"))),
                      {3 * r.uit()}) > 0;
    };
    rules << when(
        "asistentes3UitPlan1",
        [smallCounterparts](const R& r) { return smallCounterparts(r, "'301','303','304','335','337'"); },
        "Estados Financieros - Revisar los asistentes de las casillas 301, 303, 304, 335, 337. Existe información "
        "ingresada que debe ser mayor a 3 UIT.");
    rules << when(
        "asistentes3UitPlan2",
        [smallCounterparts](const R& r) {
            return smallCounterparts(r, "'361','362','364','365','367','404','405','407','408'");
        },
        "Estados Financieros - Revisar los asistentes de las casillas 361, 362, 364, 365, 367, 404, 405, 407, 408. "
        "Existe información ingresada que debe ser mayor a 3 UIT.");
    rules << when(
        "estadoGananciasPerdidas", [](const R& r) { return r.statementPageEmpty(QStringLiteral("eeff.egp")); },
        "Estados Financieros - Debe ingresar algún valor en Estado de Ganancias y Pérdidas");
    rules << when(
        "casilla113", [](const R& r) { return r.empty(113); },
        "Impuesto a la Renta : Debe ingresar valor en la casilla 113");

    // --- Debt and payment -------------------------------------------------------------------------
    rules << when(
        "formaPago",
        [](const R& r) { return (r.v(180) > 0 || r.v(181) > 0) && r.model().payment().kind.trimmed().isEmpty(); },
        "Determinación de la Deuda : Indique la forma de pago.");
    // A debt asks for the amount to pay, zero included; an empty box is no answer.
    rules << when(
        "importeCasilla180", [](const R& r) { return r.v(146) > 0 && r.empty(180); },
        "Determinación de la Deuda : Ingrese el importe a pagar (casilla 180)");
    rules << when(
        "importeCasilla181", [](const R& r) { return r.v(165) > 0 && r.empty(181); },
        "Determinación de la Deuda : Ingrese el importe a pagar (casilla 181)");
    rules << when(
        "representanteLegal",
        [](const R& r) {
            const QString type = representativeType(r);
            return type.isEmpty() || (type != u("99") && r.empty(226)) ||
                   r.text(controls::kRepresentativeSurname).isEmpty() ||
                   r.text(QStringLiteral("txtNombreRL")).isEmpty();
        },
        "Información Complementaria : Ingrese los datos del Representante Legal");
    rules << when(
        "opcionCasilla137", [](const R& r) { return r.a(138) > 0 && r.empty(137); },
        "Determinación de la Deuda : Tiene saldo a favor, indique la opción en la casilla 137");
    rules << when(
        "casilla477", [](const R& r) { return r.v(478) != 0 && r.v(477) == 0; },
        "Estados Financieros-Estado de Ganancias y Pérdidas : Si ingresa información en las casilla 478 debe ingresar "
        "también la casilla 477.");

    // --- Complementary information: questions and their annexes ----------------------------------
    rules << unanswered(
        "mermas", "OptMermas",
        withPeriod("Información complementaria - Mermas : Indicar si ha deducido gastos por mermas en el "
                   "ejercicio gravable "));
    rules << siWithoutGridRows(
        "detalleMermas", "OptMermas",
        aroundPeriod("Información complementaria - Mermas : Sí ha deducido gastos por mermas en el "
                     "ejercicio gravable ",
                     " debe registrarlos."));
    rules << unanswered("desmedros", "OptDesmedros",
                        withPeriod("Información complementaria - Desmedros : Indicar si ha deducido gastos por "
                                   "desmedros en el ejercicio gravable "));
    rules << siWithoutGridRows(
        "detalleDesmedros", "OptDesmedros",
        aroundPeriod("Información complementaria - Desmedros : Sí ha deducido gastos por desmedros "
                     "en el ejercicio gravable ",
                     " debe registrarlos."));
    rules << unanswered("regalias", "OptRegalias",
                        withPeriod("Información complementaria - Regalías : Indicar si ha devengado Regalías a "
                                   "Beneficiarios domiciliados durante el ejercicio "));
    rules << siWithoutGridRows("detalleRegalias", "OptRegalias",
                               aroundPeriod("Información complementaria - Regalías : Si ha devengado Regalías a "
                                            "Beneficiarios domiciliados durante el ejercicio ",
                                            " debe registrarlas."));
    rules << unanswered("desuso", controls::kDisuse,
                        withPeriod("Información complementaria - desuso u obsolescencia : Indique si ha realizado "
                                   "deducciones por desuso u obsolescencia durante el ejercicio gravable "));
    rules << siWithoutGridRows("detalleDesuso", controls::kDisuse,
                               aroundPeriod("Información complementaria - desuso u obsolescencia  : Si ha realizado "
                                            "deducciones por desuso u obsolescencia durante el ejercicio gravable ",
                                            " debe registrarlas."));
    rules << unanswered("perdidasExtraordinarias", "OptPerdidaExtraord",
                        withPeriod("Información complementaria - Pérdidas Extraordinarias : Indique si ha sufrido "
                                   "pérdidas extraordinarias por caso fortuito, fuerza mayor o delitos cometidos en su "
                                   "perjuicio durante el ejercicio "));
    rules << siWithoutGridRows(
        "detallePerdidasExtraordinarias", "OptPerdidaExtraord",
        aroundPeriod("Información complementaria - Pérdidas Extraordinarias : Si ha sufrido pérdidas "
                     "extraordinarias por caso fortuito, fuerza mayor o delitos cometidos en su "
                     "perjuicio durante el ejercicio ",
                     " debe registrarlas."));
    rules << unanswered("alquileres", "OptAlquileres",
                        withPeriod("Información complementaria - Alquileres pagados : Indique si ha pagado alquiler "
                                   "por algún bien mueble o inmueble durante el ejercicio "));
    rules << siWithoutGridRows(
        "detalleAlquileres", "OptAlquileres",
        aroundPeriod("Información complementaria - Alquileres pagados : Si ha pagado alquiler por "
                     "algún bien mueble o inmueble durante el ejercicio ",
                     " debe registrarlos."));
    rules << unanswered("rentasExtranjeras", controls::kForeignIncome,
                        "Información complementaria - Rentas Internacionales : Debe informar si tiene RFE");
    rules << siWithoutGridRows(
        "detalleRentasExtranjeras", controls::kForeignIncome,
        fixed("Información complementaria - Rentas Internacionales : Debe declarar información (al "
              "menos un registro) de la RFE obtenida en el período"));
    rules << unanswered("administraOperaciones", "OptOperAdminFin",
                        aroundPeriod("Información complementaria - Operaciones Financieras :  Indique si durante el ",
                                     " ha administrado operaciones financieras que correspondan a terceros."));
    rules << siWithoutGridRows("detalleAdministraOperaciones", "OptOperAdminFin",
                               aroundPeriod("Información complementaria - Operaciones Financieras :  Si durante el ",
                                            " ha administrado operaciones financieras que correspondan a terceros debe "
                                            "registrarlas."));
    rules << unanswered("leAdministranOperaciones", "OptOperFinAdmin",
                        aroundPeriod("Información complementaria - Operaciones Financieras :  Indique si durante el ",
                                     " le han administrado sus operaciones financieras."));
    rules << siWithoutGridRows("detalleLeAdministranOperaciones", "OptOperFinAdmin",
                               aroundPeriod("Información complementaria - Operaciones Financieras :  Si durante el ",
                                            " le han administrado sus operaciones financieras debe registrarlas."));
    rules << siWithoutGridRows("proyectosInvestigacion", "Opttecno",
                               fixed("Información complementaria - Gastos de Investigación: Si indica que ha realizado "
                                     "gastos en proyectos de investigación científica, tecnológica e innovación "
                                     "tecnológica debe registrarlas "));
    rules << when(
        "arrastreDerivados",
        [](const R& r) { return r.si(controls::kInstruments) && !r.answered(controls::kCarryForwardSystem); },
        "Información complementaria - Información General : Si ha  marcado que ha obtenido Pérdida del ejercicio por "
        "instrumentos financieros derivados con fines distintos a los de cobertura debe seleccionar el arrastre de "
        "pérdidas del ejercicio ");
    rules << when(
        "cienSocios", [](const R& r) { return partners(r, true) > 100; },
        [](const R& r) {
            return u("Información complementaria - Socios :  Solo deben registrarse los 100 principales socios. Estan "
                     "registrados ") +
                   QString::number(partners(r, true));
        });
    rules << unanswered("gastosVehiculos", controls::kVehicles,
                        "Información Complementaria - Identificación de Vehículos : Indique si está deduciendo gastos "
                        "de vehículos a que se refiere el inciso w) del Art. 37° de la Ley.");
    rules << when(
        "ingresosNetosVehiculos", [](const R& r) { return r.si(controls::kVehicles) && r.empty(876); },
        "Información Complementaria - Identificación de Vehículos : Debe ingresar los Ingresos Netos Anuales del "
        "ejercicio anterior.");
    rules << when(
        "identificacionVehiculos", [](const R& r) { return r.si(controls::kVehicles) && vehicles(r) == 0; },
        "Información Complementaria - Identificación de Vehículos: Debe ingresar la identificación de vehículos.");
    // Casilla 877 counts the vehicles assigned to management; each must be identified.
    rules << when(
        "numeroVehiculos",
        [](const R& r) { return r.si(controls::kVehicles) && vehicles(r) > 0 && vehicles(r) < r.v(877); },
        [](const R& r) {
            return u("Información Complementaria - Identificación de Vehículos: Debe ingresar  ") + R::whole(r.v(877)) +
                   u(" vehículos A2,A3 y A4 asignados a actividades de dirección, representación y administración ");
        });
    rules << when(
        "socios", [](const R& r) { return partners(r, true) == 0; },
        "Información Complementaria - 100 Principales Socios,asociados y otros : Debe consignar información de los "
        "principales socios, asociados, participacionistas y otros.");
    rules << when(
        "porcentajeSocios", [](const R& r) { return partners(r, true) > 0 && partnersPercentage(r, true) != 100; },
        "Información Complementaria - 100 Principales Socios,asociados y otros : El Porcentaje de participación sobre "
        "el capital debe ser 100% en información de los principales socios, asociados, participacionistas y otros.");
    // The principal partners (the consolidated others of type 05 apart): all 100 of them, or
    // those holding 80% of the capital.
    rules << when(
        "principalesSocios",
        [](const R& r) {
            return partners(r, true) > 0 && partners(r, false) < 100 && partnersPercentage(r, false) < 80;
        },
        "Información Complementaria - 100 Principales Socios,asociados y otros : Sr. Contribuyente, debe registrar de "
        "manera obligatoria a los 100 principales socios o a quienes representen el 80% de la participación.");

    // --- ITF and the amounts to pay ------------------------------------------------------------------
    rules << when(
        "itfCasilla155", [](const R& r) { return r.si(QStringLiteral("OptITF")) && r.empty(155); },
        "ITF: Debe ingresar Monto total de pagos realizados en el ejercicio gravable (Cas 155).");
    rules << when(
        "itfCasilla156Mayor", [](const R& r) { return r.v(156) > r.v(155); },
        "ITF: El monto ingresado en la casilla 156 no puede ser mayor que la casilla 155.");
    rules << when(
        "itfCasilla156", [](const R& r) { return r.si(QStringLiteral("OptITF")) && r.empty(156); },
        "ITF: Debe Ingresar Monto de pagos realiz. en el ejercicio gravable - utilizando dinero en efectivo o Medios "
        "de Pago (Cas 156).");
    rules << when(
        "importe180MayorDeuda", [](const R& r) { return r.v(180) > 0 && r.v(180) > r.v(146); },
        "Determinación de la deuda: El  importe a pagar (casilla 180) , no puede ser mayor al saldo de la deuda "
        "tributaria (casilla 146).");
    rules << when(
        "importe181MayorDeuda", [](const R& r) { return r.v(181) > 0 && r.v(181) > r.v(165); },
        "Determinación de la deuda: El  importe a pagar (casilla 181) , no puede ser mayor al saldo de la deuda "
        "tributaria (casilla 165).");

    // --- Accountant and legal representative ------------------------------------------------------------
    rules << when(
        "rucContador", [](const R& r) { return accountantType(r) == u("06") && r.empty(208); },
        "Información Complementaria : Debe ingresar el RUC del contador.");
    rules << when(
        "rucContadorValido",
        [](const R& r) {
            return accountantType(r) == u("06") && !r.empty(208) && !app::UtilityComponent::CheckRuc(r.boxText(208));
        },
        "Información General : El RUC del Contador no es Válido.");
    rules << when(
        "dniContador8Digitos",
        [](const R& r) { return accountantType(r) == u("01") && !r.empty(207) && !digitsOnly(r.boxText(207), 8); },
        "Información Complementaria - El DNI del contador debe ser de 8 dígitos.");
    rules << when(
        "dniContador", [](const R& r) { return accountantType(r) == u("01") && r.empty(207); },
        "Información Complementaria - Debe ingresar el DNI del contador.");
    rules << when(
        "nombreContador",
        [](const R& r) {
            const QString type = accountantType(r);
            return !type.isEmpty() && type != u("99") &&
                   (r.text(QStringLiteral("TxtNombreA")).isEmpty() || r.text(QStringLiteral("TxtNombreN")).isEmpty());
        },
        "Información Complementaria - Debe ingresar el nombre y el apellido del contador");
    rules << when(
        "tipoDocumentoContador", [](const R& r) { return accountantType(r).isEmpty(); },
        "Información Complementaria - Debe ingresar el tipo de documento del contador");
    rules << when(
        "dniRepresentante",
        [](const R& r) { return representativeType(r) == u("01") && !r.empty(226) && !digitsOnly(r.boxText(226), 8); },
        "El DNI o LE del representante legal debe ser de 8 dígitos.");
    rules << when(
        "rucRepresentante",
        [](const R& r) {
            return representativeType(r) == u("06") && !r.empty(226) &&
                   !app::UtilityComponent::CheckRuc(r.boxText(226));
        },
        "El RUC no es Válido.");
    return rules;
}

// The identification page: what must be answered before the user may go on to the other pages.
QList<Rule> buildIdentificationRules() {
    QList<Rule> rules;
    rules << when(
        "sinContribuyente", [](const R& r) { return !r.hasTaxpayer(); }, "Debe seleccionar un Contribuyente.");
    rules << when(
        "preguntaItf",
        [](const R& r) { return r.enabled(QStringLiteral("OptITF")) && !r.answered(QStringLiteral("OptITF")); },
        "Debe contestar si ha efectuado el pago de mas del 15% de sus obligaciones sin utilizar dinero en efectivo o "
        "Medios de Pago.");
    rules << unanswered("regimenRenta", "OpRegRenta", "Debe elegir el régimen de renta.");
    {
        // A number to call about the declaration: the landline of txtTelCon or, as a
        // reference, the mobile beside it; the user is taken to the first of them.
        Rule telephone = when(
            "telefono",
            [](const R& r) {
                return r.text(controls::kAccountantPhone).isEmpty() && r.text(controls::kAccountantMobile).isEmpty();
            },
            "Ingrese su número de teléfono o un número de referencia.");
        telephone.control = controls::kAccountantPhone;
        rules << telephone;
    }
    rules << unanswered("planContable", "OptPlan", "Seleccione el Plan Contable utilizado.");
    rules << when(
        "contribuyenteBloqueado", [](const R& r) { return r.model().existenceMark == QStringLiteral("N"); },
        "La declaración que desea registrar ya existe, elija la opción modificar declaración o elija otro "
        "contribuyente.");
    rules << unanswered("rectificatoria", "OptRectifica",
                        "Indique si la presente declaración rectifica o sustituye a otra.");
    rules << unanswered("preguntaBalanceComprobacion", "OptActEco",
                        aroundPeriod("Indique si ha obtenido ingresos al 31 de diciembre del ",
                                     " iguales o superiores a S/  1'155,000 (300 UIT) y se encuentra obligado a "
                                     "declarar el Balance de Comprobación según la Resolución de Superintendencia "
                                     "que aprueba el presente formulario."));
    rules << unanswered("condicionDomicilio", "OptDomiciliado", "Indique la condición de domicilio.");
    rules << unanswered("exoneracion", "OptTipoCont",
                        "Indique si está exonerado totalmente del Impuesto a la Renta por alguna norma legal.");
    rules << when("baseLegalExoneracion", choiceMissing("OptTipoCont", controls::kExemptionBasis),
                  "Seleccione la base legal.");
    rules << when("otraBaseLegalExoneracion", otherUnspecified("OptTipoCont", controls::kExemptionBasis, "5", 216),
                  "Especifique Otros tipos de base legal.");
    rules << unanswered("inafectacion", "OptInafectacion",
                        "Está Inafecto al Impuesto a la Renta por alguna norma legal.");
    rules << unanswered(
        "donaciones", "OptDonaciones",
        "Debe seleccionar si está deduciendo gastos por concepto de donaciones según lo dispuesto en el "
        "literal x) del artículo 37° del TUO del Impuesto a la Renta.");
    rules << siWithoutRows("detalleDonaciones", "OptDonaciones", "TMPF586DONAC", "",
                           fixed("Registre información de detalle de Donaciones."));
    rules << unanswered("convenioEstabilidad", "OptConvEstab", "Indique si tiene o no convenio de estabilidad.");
    rules << when("numeroOrdenConvenio", orderNumberWrong,
                  "Registre correctamente el número de orden del formulario con el que comunicó el Convenio de "
                  "Estabilidad.");
    rules << when("contabilidadMonedaExtranjera", subQuestionUnanswered("OptConvEstab", "OptContMonExt"),
                  "Indique si está autorizado a llevar Contabilidad en Moneda Extranjera.");
    rules << when("declaracionMonedaExtranjera", returnCurrencyUnanswered,
                  "Indique si está autorizado a presentar sus Declaraciones de Tributos en Moneda Extranjera.");
    rules << unanswered("beneficiosTributarios", "OptBeneficiosTrib",
                        "Indique si esta acogido o no a Beneficios Tributarios");
    rules << when("rubroBeneficio", choiceMissing("OptBeneficiosTrib", controls::kTaxBenefit),
                  "Selecciones el rubro del beneficio.");
    rules << when("otroRubroBeneficio", otherUnspecified("OptBeneficiosTrib", controls::kTaxBenefit, "9", 201),
                  "Especifique Otros rubros del beneficio.");
    rules << when(
        "mineriaOHidrocarburos",
        [](const R& r) {
            return !r.answered(QStringLiteral("OptMineria")) || !r.answered(QStringLiteral("OptHidrocarburos"));
        },
        "Indique si tiene concesiones mineras o hidrocarburos.");
    rules << when(
        "casillas275a277",
        [](const R& r) {
            return r.si(QStringLiteral("OptHidrocarburos")) && r.empty(275) && r.empty(276) && r.empty(277);
        },
        "Registre información en las casillas 275, 276 y 277.");
    rules << when(
        "casilla228", [](const R& r) { return r.si(QStringLiteral("OptMineria")) && r.empty(228); },
        "Registre información en la casillas 228.");
    rules << unanswered("reorganizacion", "OptReorganizacion",
                        aroundPeriod("Indicar si ha participado en un proceso de reorganización de sociedades durante "
                                     "el ejercicio ",
                                     "."));
    rules << when("tipoReorganizacion", choiceMissing("OptReorganizacion", controls::kReorganisationType),
                  "Debe seleccionar el tipo de Reorganización");
    rules << when(
        "fechaReorganizacion",
        [](const R& r) { return r.si(QStringLiteral("OptReorganizacion")) && !reorganisationDateValid(r); },
        "Registre la fecha de reorganización correctamente.");
    rules << when("empresasReorganizacion", reorganisationCompaniesMissing,
                  "Registre las empresas participantes en la reorganización.");
    rules << unanswered("itan", "OptItan",
                        "Indicar si presentado el Formulario Virtual - QEL 947 del Impuesto Temporal a los Activos "
                        "Netos - ITAN.");
    rules << when("anexoItan", subQuestionUnanswered("OptItan", "OptItanAnexo"),
                  "Indicar si presentó Anexo aprobado por el Reg. del Impuesto Temporal a los Activos Netos - ITAN ( "
                  "D.S.N° 025-2005 EF).");
    rules << when("usoPagosItan", itanUseUnanswered,
                  "Registre como son utilizados los pagos por concepto de Impuesto Temporal a los Activos Netos - "
                  "ITAN.");
    rules << unanswered("actividadesAmazonia", "OptLeyAmazonia", "Señale si tiene acogimiento a la ley de amazonía.");
    rules << unanswered("comercioAmazonia", "OptUbicAmazonia", "Señale si esta ubicado en la amazonía.");
    rules << when("zonaAmazonia", subQuestionUnanswered("OptDomFiscal", "OptZona"),
                  "Señale la zona a la que corresponde su domicilio.");
    for (const auto& [name, control, message] :
         {std::tuple{"ubigeoAmazonia", "TxtUbigeo", "Señale el ubigeo al que corresponde su zona."},
          std::tuple{"oficinaRegistral", "TxtOfReg", "Ingrese la oficina registral."},
          std::tuple{"tomoFicha", "TxtFicha", "Ingrese el tomo o ficha."},
          std::tuple{"folio", "TxtFolio", "Ingrese el folio."},
          std::tuple{"asiento", "TxtAsiento", "Ingrese el asiento."}}) {
        const QString box = u(control);
        rules << when(
            name, [box](const R& r) { return domicileInAmazonia(r) && r.text(box).isEmpty(); }, message);
    }
    rules << when(
        "activosFijosAmazonia",
        [](const R& r) { return domicileInAmazonia(r) && r.text(QStringLiteral("TxtActFijAmazonia")).isEmpty(); },
        aroundPeriod("Monto de activos fijos al 31/12/", " ubicados en la Amazonia."));
    rules << when("domicilioAmazonia", amazoniaDomicileUnanswered,
                  "Indique si su domicilio fiscal se encuentra ubicado en la Amazonia y coincide con el lugar donde "
                  "tiene su administración y contabilidad.");
    return rules;
}

// The rules whose builder did not name their control take it from the table.
QList<Rule> withControls(QList<Rule> rules) {
    for (Rule& rule : rules) {
        if (rule.control.isEmpty()) {
            rule.control = RuleControls::of(rule.name);
        }
    }
    return rules;
}

} // namespace

const QList<Rule>& ConsistencyRules::identificationRules() {
    static const QList<Rule> rules = withControls(buildIdentificationRules());
    return rules;
}

const QList<Rule>& ConsistencyRules::declarationRules() {
    static const QList<Rule> rules = withControls(buildDeclarationRules());
    return rules;
}

const Rule* ConsistencyRules::findDeclarationRule(const QString& name) {
    for (const Rule& rule : declarationRules()) {
        if (rule.name == name) {
            return &rule;
        }
    }
    return nullptr;
}

} // namespace qel::declaration
