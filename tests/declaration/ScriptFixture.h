#pragma once

#include "batch/BatchRunner.h"
#include "declaration/model/DeclarationFormModel.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QTextStream>
#include <gtest/gtest.h>

namespace qel::declaration::testing {

// The batch mode on a fresh database for the 2018 form 0588, as a given user runs it, with the
// user's taxpayer when one is named; each run keeps only its own output and errors.
struct ScriptSession {
    explicit ScriptSession(const QString& user = test::kSupervisor, const QString& ruc = {}, const QString& name = {})
        : runner(database.db(), out, err, {QStringLiteral("2018"), QStringLiteral("0588"), user}) {
        if (!ruc.isEmpty()) {
            test::registerTaxpayer(database.db(), ruc, name, user);
        }
    }

    int run(const QString& script) {
        output.clear();
        errors.clear();
        return runner.run(script);
    }
    // Runs a script that must end; the failure names its errors and output.
    void runDone(const QString& script) {
        ASSERT_EQ(run(script), batch::BatchRunner::kDone) << errors.toStdString() << output.toStdString();
    }
    DeclarationFormModel& form() { return *runner.model(); }

    test::TempDatabase database;
    QString output;
    QString errors;
    QTextStream out{&output};
    QTextStream err{&errors};
    batch::BatchRunner runner;
};

} // namespace qel::declaration::testing
