#pragma once

#include "FormFixture.h"
#include "app/Clock.h"
#include "app/UtilityComponent.h"
#include "base/Prompter.h"
#include "declaration/model/DeclarationFormModel.h"
#include "management/DeclarationFormSession.h"
#include "store/Database.h"
#include "store/DeclarationTables.h"
#include "store/RowCheckCode.h"
#include "store/TableCatalog.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QCryptographicHash>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace qel::declaration::testing {

// Records every message and question; questions take the queued answers, then their default.
class RecordingPrompter : public app::Prompter {
public:
    struct Shown {
        QString text;
        QString title;
        app::Icon icon;
        bool question;
    };

    void message(const QString& text, const QString& title, app::Icon icon) override {
        shown.append({text, title, icon, false});
    }
    app::Button ask(const QString& text, const QString& title, app::Buttons, app::Button defaultButton,
                    app::Icon icon) override {
        shown.append({text, title, icon, true});
        return answers.isEmpty() ? defaultButton : answers.takeFirst();
    }

    QStringList texts() const {
        QStringList result;
        for (const Shown& s : shown) {
            result.append(s.text);
        }
        return result;
    }

    QList<Shown> shown;
    QList<app::Button> answers;
};

// The tables that hold a declaration once saved: header, casillas, assistant rows, annexes.
inline QStringList savedTables() {
    QStringList tables = {QStringLiteral("CAB"), QStringLiteral("DET"), QStringLiteral("ACTA")};
    for (const QStringList* order :
         {&store::declaration_tables::saveOrder(), &store::declaration_tables::saveOrderRemaining()}) {
        for (const QString& table : *order) {
            if (!tables.contains(table)) {
                tables.append(table);
            }
        }
    }
    return tables;
}

// A digest of the declaration's rows in the given permanent tables, in a fixed order.
inline QByteArray declarationDigest(store::Database& db, const store::DeclarationKey& key,
                                    const QStringList& tables = savedTables()) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString& table : tables) {
        const store::TableLayout layout = store::TableCatalog::instance().layout(table, store::Copy::Permanent);
        QStringList order;
        for (int i = 1; i <= layout.columns.size(); ++i) {
            order.append(QString::number(i));
        }
        const store::SqlFilter filter = key.filter();
        QSqlQuery rows = db.run(QStringLiteral("SELECT * FROM ") + layout.name + filter.text +
                                    QStringLiteral(" ORDER BY ") + order.join(QLatin1Char(',')),
                                filter.values);
        hash.addData(table.toUtf8());
        while (rows.next()) {
            for (int c = 0; c < rows.record().count(); ++c) {
                hash.addData(rows.value(c).toString().toUtf8());
                hash.addData(QByteArrayView("\x1f", 1));
            }
            hash.addData(QByteArrayView("\x1e", 1));
        }
    }
    return hash.result().toHex();
}

// Every row of `table` that the filter selects carries the check code of its own values;
// returns how many rows there were.
inline int expectCheckCodes(store::Database& db, const QString& table, const store::SqlFilter& filter,
                            store::Copy copy = store::Copy::Permanent) {
    const store::TableLayout layout = store::TableCatalog::instance().layout(table, copy);
    QSqlQuery rows = db.run(QStringLiteral("SELECT * FROM ") + layout.name + filter.text, filter.values);
    int checked = 0;
    for (; rows.next(); ++checked) {
        QVariantList row;
        for (int c = 0; c < rows.record().count(); ++c) {
            row.append(rows.value(c));
        }
        EXPECT_EQ(row.last().toString(), store::RowCheckCode(row, layout.columnTypes(), layout.keyCount))
            << layout.name.toStdString();
    }
    return checked;
}

// The declaration form with every rule of the session on a fresh database; the report file
// goes to a folder of the test.
class SaveTest : public ::testing::Test {
public:
    static inline const QString kRuc = QStringLiteral("20100113610");
    static inline const QString kName = QStringLiteral("D'ONOFRIO S.A.");

    void SetUp() override { test::registerTaxpayer(db(), kRuc, kName); }

    store::Database& db() { return database.db(); }
    store::DeclarationKey key() const { return test::demoKey(kRuc); }

    // A new declaration of the taxpayer, or the stored one (mode 1), or a sent version.
    void open(int mode, const QString& correl = {}) {
        session.reset();
        QVariantList arguments = {kRuc, kName, !correl.isEmpty()};
        if (!correl.isEmpty()) {
            arguments << correl << QStringLiteral("CTRL");
        }
        session = std::make_unique<management::DeclarationFormSession>(
            test::formContext(db(), prompter, clock, utility, opener),
            management::DeclarationFormArguments::fromList(mode, arguments));
        model().moduleFolder = folder.path();
        session->load();
        if (mode == 0) {
            ASSERT_TRUE(model().chooseCombo(QStringLiteral("CmbRuc"), kRuc));
        }
    }

    DeclarationFormModel& model() { return session->model(); }

    void type(int n, const QString& text) {
        model().focusIn(n);
        model().setText(n, text);
        model().focusOut(n);
        model().dirty = true;
    }
    void answer(const char* option, int index) {
        ASSERT_TRUE(model().clickOption(QString::fromUtf8(option), index)) << option;
    }
    void click(const char* name) { ASSERT_TRUE(model().clickCommand(QString::fromUtf8(name), 0)) << name; }

    // Every question answered, balanced statements, the representative and the accountant,
    // one partner with all the capital: the stop-at-first check passes.
    void makeConsistent() {
        for (const auto& [option, index] : consistentAnswers()) {
            ASSERT_TRUE(model().clickOption(option, index)) << option.toStdString();
        }
        enterConsistent(
            model(), [this](int n, const QString& text) { type(n, text); },
            [this](const QString& name, const QString& text) { model().setControlText(name, text); });
        test::insertRow(db(), QStringLiteral("TMPF535SOCIOS"), key(),
                        {{QStringLiteral("tipo_socio"), QStringLiteral("01")},
                         {QStringLiteral("tipo_doc_socio"), 1},
                         {QStringLiteral("nro_doc_socio"), QStringLiteral("00000001")},
                         {QStringLiteral("Porcentaje"), 100}});
    }

    // The stored value of a casilla, or nothing when it has no row.
    std::optional<QString> stored(const QString& casilla, const QString& column = QStringLiteral("i_valor")) {
        store::SqlFilter filter = key().filter();
        filter.andEquals(QStringLiteral("CASILLA"), casilla);
        QSqlQuery row = db().run(QStringLiteral("SELECT %1 FROM DET").arg(column) + filter.text, filter.values);
        if (!row.next()) {
            return std::nullopt;
        }
        return row.value(0).toString();
    }
    QVariant header(const char* column) {
        const store::SqlFilter filter = key().filter();
        return db().scalar(QStringLiteral("SELECT %1 FROM CAB").arg(QString::fromUtf8(column)) + filter.text,
                           filter.values);
    }

    test::TempDatabase database;
    QTemporaryDir folder;
    RecordingPrompter prompter;
    app::FixedClock clock{test::filingDay()};
    app::UtilityComponent utility{prompter, &database.db()};
    test::RecordingOpener opener;
    std::unique_ptr<management::DeclarationFormSession> session;
};

} // namespace qel::declaration::testing
