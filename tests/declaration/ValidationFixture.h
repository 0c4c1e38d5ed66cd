#pragma once

#include "app/Clock.h"
#include "app/FormOpener.h"
#include "app/UtilityComponent.h"
#include "declaration/CalculationRules.h"
#include "declaration/ConsistencyCheck.h"
#include "declaration/DeclarationFormModel.h"
#include "declaration/FormLoader.h"
#include "declaration/ValidateCommand.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace qel::declaration::testing {

// A form launcher that records what the form asks to open and answers a set result.
class RecordingOpener : public app::FormOpener {
public:
    QString open(const app::FormRequest& request) override {
        requests.append(request);
        return result;
    }
    bool knows(const QString&) const override { return true; }

    QList<app::FormRequest> requests;
    QString result;
};

// The declaration form with its calculation, its load and its validate command, on a fresh
// database; the report file goes to a folder of the test.
class ValidationTest : public ::testing::Test {
protected:
    static inline const QString kRuc = QStringLiteral("20100113610");

    void SetUp() override {
        test::insertRow(db(), QStringLiteral("CONT"), {},
                        {{QStringLiteral("TIP_DOC_D"), 6},
                         {QStringLiteral("DOC_ID_D"), kRuc},
                         {QStringLiteral("NOMBRE"), QStringLiteral("COMERCIAL ANDINA S.A.C.")},
                         {QStringLiteral("USUARIO"), QStringLiteral("SUPERVISOR")}});
        FormContext context{db(),
                            *prompter,
                            clock,
                            utility,
                            opener,
                            QStringLiteral("2018"),
                            QStringLiteral("0588"),
                            QStringLiteral("SUPERVISOR"),
                            QStringLiteral("0")};
        model = std::make_unique<DeclarationFormModel>(context);
        model->moduleFolder = folder.path();
        calculation = std::make_unique<CalculationRules>(*model);
        loader = std::make_unique<FormLoader>(*model);
        validate = std::make_unique<ValidateCommand>(*model, *calculation);
        loader->load();
    }

    store::Database& db() { return database.db(); }

    void chooseTaxpayer() { ASSERT_TRUE(model->chooseCombo(QStringLiteral("CmbRuc"), kRuc)); }

    // Enters a box, types the text key by key and leaves it, as the user does.
    void type(int n, const QString& text) {
        model->focusIn(n);
        model->setText(n, QString());
        for (const QChar key : text) {
            model->typeKey(n, key);
        }
        model->focusOut(n);
    }

    void answer(const char* option, int index) {
        ASSERT_TRUE(model->clickOption(QString::fromUtf8(option), index)) << option;
    }

    void typeControl(const char* name, const QString& text) {
        model->setControlText(QString::fromUtf8(name), QString());
        for (const QChar key : text) {
            model->typeControlKey(QString::fromUtf8(name), key);
        }
    }

    // Every question answered, balanced statements, a representative, an accountant and one
    // partner with all the capital: nothing for the check to report.
    void makeConsistent() {
        chooseTaxpayer();
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
            answer(option, 0);
        }
        answer("OpRegRenta", 1);
        answer("OptDomiciliado", 1);
        answer("OptPlan", 2);
        type(359, QStringLiteral("1000")); // assets
        type(401, QStringLiteral("600"));  // liabilities
        type(414, QStringLiteral("400"));  // capital
        type(468, QStringLiteral("100"));  // selling expenses: a loss of 100
        ASSERT_TRUE(model->chooseCombo(QStringLiteral("cboTipDocRepLegal"), QStringLiteral("01")));
        type(226, QStringLiteral("12345678"));
        typeControl("txtApellidoRL", QStringLiteral("PEREZ"));
        typeControl("txtNombreRL", QStringLiteral("JUAN"));
        ASSERT_TRUE(model->chooseCombo(QStringLiteral("cboContador"), QStringLiteral("01")));
        type(207, QStringLiteral("87654321"));
        typeControl("TxtNombreA", QStringLiteral("ROJAS"));
        typeControl("TxtNombreN", QStringLiteral("ANA"));
        addPartner(QStringLiteral("01"), 100);
    }

    void addPartner(const QString& type, double percentage) {
        test::insertRow(db(), QStringLiteral("TMPF535SOCIOS"), model->key(),
                        {{QStringLiteral("tipo_socio"), type},
                         {QStringLiteral("tipo_doc_socio"), 1},
                         {QStringLiteral("nro_doc_socio"), QString::number(++m_partners).rightJustified(8, u'0')},
                         {QStringLiteral("Porcentaje"), percentage}});
    }

    ConsistencyCheck::Outcome check(const QString& mode = QStringLiteral("0")) {
        ConsistencyCheck consistency(*model, *calculation);
        const ConsistencyCheck::Outcome outcome = consistency.run(mode);
        evaluated = consistency.evaluated();
        return outcome;
    }
    QString reportPath() const { return ConsistencyCheck::reportPath(*model); }
    QStringList reportLines() const { return ConsistencyCheck::readReport(reportPath()); }
    // The lines of a report-all run.
    QStringList report() {
        check();
        return reportLines();
    }

    test::TempDatabase database;
    QTemporaryDir folder;
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
    app::FixedClock clock{QDateTime(QDate(2019, 3, 15), QTime(10, 0))};
    app::UtilityComponent utility{*prompter, &database.db()};
    RecordingOpener opener;
    std::unique_ptr<DeclarationFormModel> model;
    std::unique_ptr<CalculationRules> calculation;
    std::unique_ptr<FormLoader> loader;
    std::unique_ptr<ValidateCommand> validate;
    QStringList evaluated;

private:
    int m_partners = 0;
};

} // namespace qel::declaration::testing
