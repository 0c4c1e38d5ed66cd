#pragma once

#include "annexes/AnnexDetailModel.h"
#include "app/Clock.h"
#include "catalogue/AnnexCatalog.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <memory>

namespace qel::annexes::testing {

inline const QString kDeclarant = QStringLiteral("20100070970");

// A detail model of an annex window on a fresh database, with a scripted prompter, the
// filing day's clock and an opener that records the sub-windows asked for.
class AnnexFixture : public ::testing::Test {
protected:
    void TearDown() override { prompter->verify(); }

    store::Database& db() { return database.db(); }
    store::DeclarationKey key() const { return test::demoKey(kDeclarant); }

    AnnexDetailModel& open(const QString& window, int action = app::FormRequest::kAdd,
                           const QStringList& keyValues = {}, const QString& code = {}) {
        const AnnexDef* def = AnnexCatalog::instance().window(window);
        EXPECT_NE(def, nullptr) << window.toStdString();
        app::FormRequest request;
        request.name = window;
        request.key = key();
        request.action = action;
        request.keyValues = keyValues;
        request.code = code;
        model = std::make_unique<AnnexDetailModel>(*def, AnnexContext{db(), *prompter, clock, &opener}, request);
        return *model;
    }

    // Fills fields by control name or column: combos and options by code, the rest as typed.
    void fill(const QList<std::pair<QString, QString>>& values) {
        for (const auto& [name, value] : values) {
            EXPECT_TRUE(model->setText(name, value)) << name.toStdString() << " = " << value.toStdString();
        }
    }

    int rows(const QString& table) { return test::rowCount(db(), table, key()); }
    QString column(const QString& table, const QString& field, const QString& order = QStringLiteral("rowid")) {
        return db()
            .scalar(QStringLiteral("SELECT group_concat(%1, ',') FROM (SELECT %1 FROM %2 ORDER BY %3)")
                        .arg(field, table, order))
            .toString();
    }

    test::TempDatabase database;
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
    app::FixedClock clock{test::filingDay()};
    test::RecordingOpener opener;
    std::unique_ptr<AnnexDetailModel> model;
};

} // namespace qel::annexes::testing
