#pragma once

// A script of the batch mode run over a fresh database: what it printed, what it said went
// wrong, and the checks the batch tests share.

#include "batch/BatchRunner.h"
#include "management/SentVersionsFixture.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QFile>
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

// The bytes of a file; "<missing>" when it cannot be read.
inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
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
