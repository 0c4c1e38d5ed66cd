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

#include <gtest/gtest.h>
#include <memory>
#include <utility>
#include <vector>

namespace qel::declaration::testing {

// The answers of a declaration the consistency check passes: "No" to every question, the
// general regime, domiciled, the business chart of accounts.
inline const QList<std::pair<const char*, int>>& consistentAnswers() {
    static const QList<std::pair<const char*, int>> answers = [] {
        QList<std::pair<const char*, int>> list;
        for (const char* option : {"OptRectifica",      "OptITF",
                                   "OptActEco",         "OptColab",
                                   "OptBeneficiosTrib", "OptTipoCont",
                                   "OptInafectacion",   "OptDonaciones",
                                   "OptConvEstab",      "OptMineria",
                                   "OptHidrocarburos",  "OptReorganizacion",
                                   "OptItan",           "OptUbicAmazonia",
                                   "OptLeyAmazonia",    "OptMermas",
                                   "OptDesmedros",      "OptRegalias",
                                   "optDesuso",         "OptPerdidaExtraord",
                                   "OptAlquileres",     "optRentasInternacionales",
                                   "OptOperAdminFin",   "OptOperFinAdmin",
                                   "optAutos",          "optIns",
                                   "Opttecno"}) {
            list.append({option, 0});
        }
        list.append({"OpRegRenta", 1});
        list.append({"OptDomiciliado", 1});
        list.append({"OptPlan", 2});
        return list;
    }();
    return answers;
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
