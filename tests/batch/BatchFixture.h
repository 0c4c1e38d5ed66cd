#pragma once

// A script of the batch mode run over a fresh database: what it printed, what it said went
// wrong, and the checks the batch tests share.

#include "batch/BatchRunner.h"
#include "store/RowCheckCode.h"
#include "store/TableCatalog.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QSqlQuery>
#include <QTextStream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace qel::test {

inline const QString kAndina = QStringLiteral("20100113610");
inline const QString kAndinaName = QStringLiteral("COMERCIAL ANDINA S.A.C.");
inline const QString kContador = QStringLiteral("CONTADOR");

// A script of tests/data/batch; FOLDER in it stands for `folder`.
inline QString batchScript(const QString& name, const QString& folder = {}) {
    QFile file(QStringLiteral(QEL_TEST_DATA_DIR "/batch/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    QString text = QString::fromUtf8(file.readAll());
    return folder.isEmpty() ? text : text.replace(QStringLiteral("FOLDER"), folder);
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

// The rows of a permanent table in `order`, the given columns ("a,b") of each as "v1|v2|...";
// `codesRight` turns false when a row's check code is not the one its own values give.
inline QStringList checkedRows(store::Database& db, const QString& table, const QString& columns, const QString& order,
                               bool& codesRight) {
    const store::TableLayout layout = store::TableCatalog::instance().layout(table, store::Copy::Permanent);
    QSqlQuery q = db.run(QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(table, order));
    QStringList rows;
    while (q.next()) {
        QVariantList values;
        for (int i = 0; i < layout.columns.size(); ++i) {
            values.append(q.value(i));
        }
        QStringList shown;
        for (const QString& column : columns.split(QLatin1Char(','))) {
            shown.append(q.value(column).toString());
        }
        rows.append(shown.join(QLatin1Char('|')));
        const QString code = values.last().toString();
        codesRight = codesRight && code != QStringLiteral("000000") &&
                     code == store::RowCheckCode(values, layout.columnTypes(), layout.keyCount);
    }
    return rows;
}

class BatchTest : public ::testing::Test {
protected:
    // The taxpayer most scripts work on, kept by the user the scripts act for.
    void SetUp() override { registerTaxpayer(db(), kAndina, kAndinaName, kContador); }

    store::Database& db() { return database.db(); }

    // Runs `script` for `user`; `prepare` sets the runner up first (folders, windows). The
    // runner stays until the next run, and with it the working rows the script left.
    int run(const QString& script, const std::function<void(batch::BatchRunner&)>& prepare = {},
            const QString& user = kContador) {
        output.clear();
        errors.clear();
        lastRunner.reset(); // a runner's working rows go with it
        lastRunner = std::make_unique<batch::BatchRunner>(
            db(), out, err, batch::BatchRunner::Settings{QStringLiteral("2018"), QStringLiteral("0588"), user});
        if (prepare) {
            prepare(*lastRunner);
        }
        const int code = lastRunner->run(script);
        out.flush();
        err.flush();
        return code;
    }
    // The script ran to its end; otherwise the failure shows what it printed.
    ::testing::AssertionResult runs(const QString& script, const std::function<void(batch::BatchRunner&)>& prepare = {},
                                    const QString& user = kContador) {
        if (run(script, prepare, user) == batch::BatchRunner::kDone) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << errors.toStdString() << "\n--- output:\n" << output.toStdString();
    }
    // Each text is somewhere in what the script printed.
    void expectPrinted(const QStringList& texts) const {
        for (const QString& text : texts) {
            EXPECT_TRUE(output.contains(text)) << text.toStdString() << "\n--- output:\n" << output.toStdString();
        }
    }
    // The runner writes its reports (and the form its inconsistency report) into `folder`.
    static std::function<void(batch::BatchRunner&)> reportsIn(const QString& folder) {
        return [folder](batch::BatchRunner& runner) {
            runner.setModuleFolder(folder);
            runner.setReportFolder(folder);
        };
    }

    TempDatabase database;
    QString output;
    QString errors;
    QTextStream out{&output};
    QTextStream err{&errors};
    std::unique_ptr<batch::BatchRunner> lastRunner;
};

} // namespace qel::test
