#pragma once

#include "annexes/AnnexDetailModel.h"
#include "annexes/AssistantCatalog.h"
#include "annexes/CasillaAssistantModel.h"
#include "app/Clock.h"
#include "catalogue/AnnexCatalog.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <memory>

namespace qel::annexes::testing {

inline const QString kDeclarant = QStringLiteral("20100070970");

using Values = QList<std::pair<QString, QString>>;

// "name=value; name=value" as the pairs a window is typed with, in order; "name=" empties it.
inline Values values(const char* text) {
    Values out;
    for (const QString& pair : QString::fromUtf8(text).split(QLatin1Char(';'))) {
        if (pair.trimmed().isEmpty()) {
            continue;
        }
        const qsizetype at = pair.indexOf(QLatin1Char('='));
        out.append({pair.left(at).trimmed(), pair.mid(at + 1).trimmed()});
    }
    return out;
}

// "column=value; ..." as the values of a row to insert.
inline QVariantMap columns(const QString& text) {
    QVariantMap out;
    for (const auto& [name, value] : values(text.toUtf8().constData())) {
        out.insert(name, value);
    }
    return out;
}

// The windows asked for, each as "name" and only what the request sets beyond a plain new row
// ("code=", "casilla=", "action=", "keys=a|b", "readOnly"), joined by "; ".
inline std::string requested(const test::RecordingOpener& opener) {
    QStringList all;
    for (const app::FormRequest& r : opener.requests) {
        QStringList parts = {r.name};
        if (!r.code.isEmpty()) {
            parts << QStringLiteral("code=") + r.code;
        }
        if (r.casilla) {
            parts << QStringLiteral("casilla=%1").arg(*r.casilla);
        }
        if (r.action != app::FormRequest::kAdd) {
            parts << QStringLiteral("action=%1").arg(r.action);
        }
        if (!r.keyValues.isEmpty()) {
            parts << QStringLiteral("keys=") + r.keyValues.join(QLatin1Char('|'));
        }
        if (r.readOnly) {
            parts << QStringLiteral("readOnly");
        }
        all << parts.join(QLatin1Char(' '));
    }
    return all.join(QStringLiteral("; ")).toStdString();
}

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
    // A new row of `window` opened with the form's `code`.
    AnnexDetailModel& add(const QString& window, const QString& code = {}) {
        return open(window, app::FormRequest::kAdd, {}, code);
    }

    // Fills fields by control name or column: combos and options by code, the rest as typed.
    void fill(const Values& pairs) {
        for (const auto& [name, value] : pairs) {
            EXPECT_TRUE(model->setText(name, value)) << name.toStdString() << " = " << value.toStdString();
        }
    }
    void fill(const char* pairs) { fill(values(pairs)); }

    // Saves the open window; a non-empty `refusal` is the critical message it must refuse with.
    bool save(const QString& refusal = {}) {
        if (!refusal.isEmpty()) {
            prompter->expectMessage(refusal, app::Icon::Critical, QString());
        }
        const bool saved = model->grabar();
        prompter->verify();
        return saved;
    }

    // The casilla assistant `window` opened for `casilla`.
    CasillaAssistantModel assistant(const QString& window, int casilla) {
        const AssistantDef* def = AssistantCatalog::instance().find(window, casilla);
        EXPECT_NE(def, nullptr) << window.toStdString();
        return CasillaAssistantModel(db(), *prompter, *def, key(), casilla);
    }
    // Types "id=text; id=text" into an assistant's boxes.
    static void type(CasillaAssistantModel& boxes, const char* pairs) {
        for (const auto& [id, text] : values(pairs)) {
            ASSERT_TRUE(boxes.setText(id.toInt(), text)) << id.toStdString();
        }
    }

    void clear(const QString& table) { db().run(QStringLiteral("DELETE FROM ") + table).finish(); }
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
