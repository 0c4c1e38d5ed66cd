#pragma once

#include "FormFixture.h"
#include "app/Clock.h"
#include "app/UtilityComponent.h"
#include "base/Prompter.h"
#include "declaration/model/DeclarationFormModel.h"
#include "management/DeclarationFormSession.h"
#include "store/Database.h"
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

// A digest of every stored row of the declaration: what two saves must leave alike.
inline QByteArray declarationDigest(store::Database& db, const store::DeclarationKey& key) {
    return QCryptographicHash::hash(test::declarationRows(db, key).join(u'\n').toUtf8(), QCryptographicHash::Sha1)
        .toHex();
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

    void makeConsistent() {
        testing::makeConsistent(
            model(), db(), [this](int n, const QString& text) { type(n, text); },
            [this](const QString& name, const QString& text) { model().setControlText(name, text); });
    }

    // The stored value of a casilla, or nothing when it has no row.
    std::optional<QString> stored(const QString& casilla, const QString& column = QStringLiteral("i_valor")) {
        store::SqlFilter filter = key().filter();
        filter.andEquals(QStringLiteral("CASILLA"), casilla);
        const QStringList values =
            firstColumn(db(), QStringLiteral("SELECT %1 FROM DET").arg(column) + filter.text, filter.values);
        return values.isEmpty() ? std::nullopt : std::optional(values.first());
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
