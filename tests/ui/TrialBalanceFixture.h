#pragma once

// The trial balance of a fresh database for a registered taxpayer, with a transfer file of
// every account of the business chart: the trial balance's window tests and the screenshot
// tool share it.
#include "annexes/TrialBalanceTable.h"
#include "imports/TrialBalanceTransfer.h"
#include "support/FormServices.h"
#include "ui/Frm537Fixture.h"

#include <QSqlQuery>

namespace qel::annexes::test_support {

inline const QString kTrialBalanceRuc = QStringLiteral("20100113610");

class TrialBalanceWindows : public declaration::Frm537Fixture {
protected:
    void SetUp() override {
        test::registerTaxpayer(database.db(), kTrialBalanceRuc, QStringLiteral("COMERCIAL ANDINA S.A.C."));
        TrialBalanceTable(database.db(), test::demoKey(kTrialBalanceRuc), QStringLiteral("2")).rebuild();
    }

    imports::TrialBalanceTransfer::Setup setup() {
        return {database.db(),
                *prompter,
                clock,
                test::demoKey(kTrialBalanceRuc),
                QStringLiteral("2"),
                database.folder() + QStringLiteral("/RPT"),
                database.folder()};
    }
    // A file of every account of the business chart; `bad` lines get a negative amount.
    void writeTransferFile(int bad = -1) {
        QSqlQuery accounts = database.db().run(
            QStringLiteral("SELECT codigo, indica FROM F544BALCUEN WHERE plan='2' AND codigo<>'89' ORDER BY codigo"));
        QByteArray bytes;
        int line = 0;
        while (accounts.next()) {
            const QByteArray code = accounts.value(0).toString().toLatin1();
            const bool result = accounts.value(1).toString() == QLatin1String("2");
            const QByteArray amount = QByteArray::number(1000 + (line * 37) % 900);
            QList<QByteArray> fields(8);
            if (bad >= 0 && (line == bad || line == bad + 40)) {
                fields[2] = "-" + amount;
            } else if (result) {
                fields[line % 2 ? 2 : 3] = amount;
            } else {
                fields[0] = amount;
                fields[2] = amount;
                fields[3] = QByteArray::number(line);
            }
            bytes += code + '|' + fields.join('|') + "|\r\n";
            ++line;
        }
        QFile file(database.folder() + QStringLiteral("/0588") + kTrialBalanceRuc + QStringLiteral("2018.TXT"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

} // namespace qel::annexes::test_support
