#pragma once

#include "app/Clock.h"
#include "app/UtilityComponent.h"
#include "declaration/commands/FormLoader.h"
#include "declaration/model/DeclarationFormModel.h"
#include "declaration/rules/CalculationRules.h"
#include "declaration/rules/SectionSwitches.h"
#include "support/FormServices.h"
#include "support/ScriptedPrompter.h"
#include "support/TestSupport.h"

#include <QSqlQuery>
#include <gtest/gtest.h>
#include <memory>
#include <utility>
#include <vector>

namespace qel::declaration::testing {

// The first column of every row a query gives, as text.
inline QStringList firstColumn(store::Database& db, const QString& sql, const QVariantList& values = {}) {
    QSqlQuery rows = db.run(sql, values);
    QStringList texts;
    while (rows.next()) {
        texts.append(rows.value(0).toString());
    }
    return texts;
}

// One casilla row of a declaration as the save stores it, in DET or in another table of
// casilla rows (HDET with a CORREL among `more`).
inline void storeCasilla(store::Database& db, const store::DeclarationKey& key, const QString& casilla,
                         const QVariant& value, const QString& table = QStringLiteral("DET"), QVariantMap more = {}) {
    more.insert(QStringLiteral("SEMANA"), 0);
    more.insert(QStringLiteral("CASILLA"), casilla);
    more.insert(QStringLiteral("i_valor"), value);
    test::insertRow(db, table, key, more);
}

// Column values written "column=value; column=value", every value as text: the engine keeps
// each by the type of its column.
inline QVariantMap fields(const QString& spec) {
    QVariantMap values;
    for (const QString& pair : spec.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype at = pair.indexOf(u'=');
        values.insert(pair.left(at).trimmed(), pair.mid(at + 1).trimmed());
    }
    return values;
}

inline QVariantMap fields(const char* spec) {
    return fields(QString::fromUtf8(spec));
}

// Types into a box key by key, as the user does.
inline void typeKeys(DeclarationFormModel& model, int casilla, const QString& text) {
    for (const QChar key : text) {
        model.typeKey(casilla, key);
    }
}

// Makes the declaration one the consistency check passes: "No" to every question, the general
// regime, domiciled, the business chart of accounts; balanced statements with a loss of 100,
// the representative, the accountant and one partner with all the capital. Casillas are typed
// with `type`, text boxes with `text`, as the fixture types.
template <class Type, class Text>
void makeConsistent(DeclarationFormModel& model, store::Database& db, Type type, Text text) {
    const QString answers = QStringLiteral(
        "OptRectifica OptITF OptActEco OptColab OptBeneficiosTrib OptTipoCont OptInafectacion OptDonaciones "
        "OptConvEstab OptMineria OptHidrocarburos OptReorganizacion OptItan OptUbicAmazonia OptLeyAmazonia OptMermas "
        "OptDesmedros OptRegalias optDesuso OptPerdidaExtraord OptAlquileres optRentasInternacionales OptOperAdminFin "
        "OptOperFinAdmin optAutos optIns Opttecno OpRegRenta=1 OptDomiciliado=1 OptPlan=2");
    for (const QString& answer : answers.split(u' ')) {
        const QString option = answer.section(u'=', 0, 0);
        ASSERT_TRUE(model.clickOption(option, answer.section(u'=', 1).toInt())) << option.toStdString();
    }
    static const std::pair<const char*, const char*> entries[] = {{"359", "1000"},
                                                                  {"401", "600"},
                                                                  {"414", "400"},
                                                                  {"468", "100"}, // balanced, with a loss of 100
                                                                  {"cboTipDocRepLegal", "01"},
                                                                  {"226", "12345678"},
                                                                  {"txtApellidoRL", "PEREZ"},
                                                                  {"txtNombreRL", "JUAN"},
                                                                  {"cboContador", "01"},
                                                                  {"207", "87654321"},
                                                                  {"TxtNombreA", "ROJAS"},
                                                                  {"TxtNombreN", "ANA"}};
    for (const auto& [control, value] : entries) {
        const QString name = QString::fromLatin1(control);
        if (name.at(0).isDigit()) {
            type(name.toInt(), QString::fromLatin1(value));
        } else if (name.startsWith(QStringLiteral("cbo"))) {
            ASSERT_TRUE(model.chooseCombo(name, QString::fromLatin1(value))) << control;
        } else {
            text(name, QString::fromLatin1(value));
        }
    }
    test::insertRow(db, QStringLiteral("TMPF535SOCIOS"), model.key(),
                    fields("tipo_socio=01; tipo_doc_socio=1; nro_doc_socio=00000001; Porcentaje=100"));
}

// The declaration form without its window on a fresh database, with a scripted prompter, the
// filing day's clock and an opener that records the windows asked for. A test makes the
// model, attaches the rules it exercises and then loads, so that the rules hook in before the
// loader as in the session.
class FormFixture : public ::testing::Test {
protected:
    ~FormFixture() override { closeForm(); }
    void TearDown() override { prompter->verify(); }

    store::Database& db() { return database.db(); }

    // A row of a table for a taxpayer's declaration, and the rows the declaration has in one.
    void addRow(const QString& table, const QVariantMap& values = {}, const QString& ruc = test::demoKey().ruc) {
        test::insertRow(db(), table, test::demoKey(ruc), values);
    }
    int rows(const QString& table, const QString& ruc = test::demoKey().ruc) {
        return test::rowCount(db(), table, test::demoKey(ruc));
    }

    FormContext context(const QString& user = test::kSupervisor, const QString& userKind = QStringLiteral("0")) {
        return test::formContext(db(), *prompter, clock, utility, opener, user, userKind);
    }

    // A new model; the form before it goes first, its rules and loader before its model.
    DeclarationFormModel& makeModel(const QString& user = test::kSupervisor,
                                    const QString& userKind = QStringLiteral("0")) {
        closeForm();
        model = std::make_unique<DeclarationFormModel>(context(user, userKind));
        return *model;
    }

    // A rule object over the model, built with the model and `args`, kept as long as the model.
    template <class Rule, class... Args> Rule& attach(Args&&... args) {
        auto rule = std::make_shared<Rule>(*model, std::forward<Args>(args)...);
        m_attached.push_back(rule);
        return *rule;
    }

    // The live calculation and the section switches that hang on it.
    CalculationRules& attachCalculation() {
        CalculationRules& rules = attach<CalculationRules>();
        attach<SectionSwitches>(rules);
        return rules;
    }

    // Loads the form and, when one is given, chooses the taxpayer as the list does.
    DeclarationFormModel& load(const QString& ruc = {}) {
        loader = std::make_unique<FormLoader>(*model);
        loader->load();
        if (!ruc.isEmpty()) {
            loader->chooseTaxpayer(ruc);
        }
        return *model;
    }

    test::TempDatabase database;
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
    app::FixedClock clock{test::filingDay()};
    app::UtilityComponent utility{*prompter, &database.db()};
    test::RecordingOpener opener;
    std::unique_ptr<DeclarationFormModel> model;
    std::unique_ptr<FormLoader> loader;

private:
    void closeForm() {
        loader.reset();
        while (!m_attached.empty()) {
            m_attached.pop_back();
        }
        model.reset();
    }

    std::vector<std::shared_ptr<void>> m_attached; // the rules, released last attached first
};

} // namespace qel::declaration::testing
