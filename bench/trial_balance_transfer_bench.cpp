// Transferring a trial balance of 5,000 accounts from its file: the chart of the business plan
// widened with subaccounts to 5,000 listed accounts, one line each, every field filled. The
// transfer reads and checks the file, lists the accounts afresh and writes each line's row with
// its derived columns, in one transaction. The baseline deletes the declaration's rows and
// inserts the same 5,000 finished rows with bare SQLite statements in one transaction, on the
// same database, in the same run.

#include "annexes/TrialBalanceRow.h"
#include "bench_support.h"
#include "imports/TrialBalanceTransfer.h"
#include "imports/TrialBalanceTransferFile.h"
#include "store/Database.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

using namespace qel;
using Row = annexes::TrialBalanceRow;

constexpr int kAccounts = 5000;

struct Account {
    QString code;
    QString description;
    Row::AccountClass accountClass;
};

struct Fixture {
    bench::BenchDatabase database;
    test::SilentServices services{database.db()};
    QTemporaryDir folder;
    QList<Account> accounts;

    Fixture() {
        store::Database& db = database.db();
        test::registerTaxpayer(db, bench::benchKey().ruc, bench::kCompany);
        widenChart(db);
        QSqlQuery chart = db.run(QStringLiteral("SELECT codigo, Descrip, indica FROM F544BALCUEN WHERE plan='2' AND "
                                                "codigo<>'89' ORDER BY Descrip"));
        while (chart.next()) {
            accounts.append(
                {chart.value(0).toString(), chart.value(1).toString(), Row::classOf(chart.value(2).toString())});
        }
        if (accounts.size() != kAccounts) {
            std::fprintf(stderr, "the chart lists %d accounts\n", static_cast<int>(accounts.size()));
            std::abort();
        }
        writeFile();
    }

    // Subaccounts of the cash and purchase accounts until the chart lists kAccounts.
    void widenChart(store::Database& db) {
        const int listed =
            db.scalar(QStringLiteral("SELECT count(*) FROM F544BALCUEN WHERE plan='2' AND codigo<>'89'")).toInt();
        for (int i = 0; i < kAccounts - listed; ++i) {
            const bool result = i % 2 == 1;
            db.run(QStringLiteral("INSERT INTO F544BALCUEN (formulario, plan, Descrip, codigo, indica) "
                                  "VALUES ('0588', '2', ?, ?, ?)"),
                   {QStringLiteral("SUBCUENTA %1").arg(i, 5, 10, QLatin1Char('0')),
                    (result ? QStringLiteral("609") : QStringLiteral("109")) + QString::number(10000 + i),
                    result ? QStringLiteral("2") : QStringLiteral("1")})
                .finish();
        }
    }

    QString entry(const Account& account, int field, int line) const {
        if (account.accountClass == Row::AccountClass::Result && field <= 2) {
            return {};
        }
        return QString::number(1000 + line * 7 + field * 13);
    }

    void writeFile() {
        QFile file(QDir(folder.path())
                       .filePath(imports::TrialBalanceTransferFile::fileName(
                           bench::benchKey().formulario, bench::benchKey().ruc, bench::benchKey().periodo)));
        if (!file.open(QIODevice::WriteOnly)) {
            std::abort();
        }
        for (int line = 0; line < accounts.size(); ++line) {
            QString text = accounts.at(line).code + QLatin1Char('|');
            for (int field = 1; field <= 8; ++field) {
                text += entry(accounts.at(line), field, line) + QLatin1Char('|');
            }
            file.write(text.toUtf8() + "\r\n");
        }
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_BareSqliteInsert(benchmark::State& state) {
    Fixture& f = fixture();
    sqlite3* handle = f.database.db().handle();
    const store::DeclarationKey key = bench::benchKey();
    QString columns;
    QString marks;
    for (const QString& column : Row::columns()) {
        columns += QLatin1Char(',') + column;
        marks += QStringLiteral(",?");
    }
    const QByteArray insertSql = (QStringLiteral("INSERT INTO TMPF582BALANCE (TIP_DOC_D, DOC_ID_D, PERIODO, "
                                                 "FORMULARIO, plan, Codigo, Descrip") +
                                  columns + QStringLiteral(") VALUES (6, '") + key.ruc +
                                  QStringLiteral("', '2018', '0588', '2', ?, ?") + marks + QLatin1Char(')'))
                                     .toUtf8();
    for (auto _ : state) {
        bench::execBare(handle, QStringLiteral("BEGIN IMMEDIATE"));
        bench::execBare(handle, QStringLiteral("DELETE FROM TMPF582BALANCE") + bench::bareFilter(key));
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(handle, insertSql.constData(), -1, &insert, nullptr);
        for (int line = 0; line < f.accounts.size(); ++line) {
            const Account& account = f.accounts.at(line);
            Row row;
            for (int field = 1; field <= 8; ++field) {
                row.entries[field - 1] = Row::fromText(f.entry(account, field, line));
            }
            const auto amounts = row.derive(account.accountClass);
            const QByteArray code = account.code.toUtf8();
            const QByteArray description = account.description.toUtf8();
            sqlite3_bind_text(insert, 1, code.constData(), static_cast<int>(code.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 2, description.constData(), static_cast<int>(description.size()),
                              SQLITE_TRANSIENT);
            for (int i = 0; i < Row::kColumnCount; ++i) {
                sqlite3_bind_int64(insert, i + 3, amounts[i] / Row::kUnit);
            }
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        bench::execBare(handle, QStringLiteral("COMMIT"));
    }
    state.SetItemsProcessed(state.iterations() * kAccounts);
}
BENCHMARK(BM_BareSqliteInsert)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_Transfer(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        imports::TrialBalanceTransfer transfer({f.database.db(), f.services.prompter, f.services.clock,
                                                bench::benchKey(), QStringLiteral("2"), f.folder.path(),
                                                f.folder.path()});
        transfer.setFolder(f.folder.path());
        if (!transfer.transfer() || transfer.transferred() != kAccounts) {
            state.SkipWithError("the transfer failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kAccounts);
}
BENCHMARK(BM_Transfer)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithRatios(argc, argv, {{"BM_Transfer", "BM_BareSqliteInsert"}});
}
