#pragma once

#include "FormFixture.h"
#include "declaration/commands/ValidateCommand.h"
#include "declaration/rules/ConsistencyCheck.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qel::declaration::testing {

// The declaration form with its calculation, its load and its validate command, on a fresh
// database; the report file goes to a folder of the test.
class ValidationTest : public FormFixture {
protected:
    static inline const QString kRuc = QStringLiteral("20100113610");

    void SetUp() override {
        test::registerTaxpayer(db(), kRuc, QStringLiteral("COMERCIAL ANDINA S.A.C."));
        makeModel();
        model->moduleFolder = folder.path();
        calculation = &attach<CalculationRules>();
        attach<ValidateCommand>(*calculation);
        load();
    }

    void chooseTaxpayer() { ASSERT_TRUE(model->chooseCombo(QStringLiteral("CmbRuc"), kRuc)); }

    // Enters a box, types the text key by key and leaves it, as the user does.
    void type(int n, const QString& text) {
        model->focusIn(n);
        model->setText(n, QString());
        typeKeys(*model, n, text);
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

    // The taxpayer chosen and the declaration made one the check passes.
    void makeConsistent() {
        chooseTaxpayer();
        testing::makeConsistent(
            *model, db(), [this](int n, const QString& text) { type(n, text); },
            [this](const QString& name, const QString& text) { typeControl(name.toUtf8().constData(), text); });
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

    QTemporaryDir folder;
    CalculationRules* calculation = nullptr;
    QStringList evaluated;
};

} // namespace qel::declaration::testing
