// A save that the database refuses half-way (a full disk, here a trigger that fails the
// write): the batch says why, the stored declaration and the typed form stay as they were,
// and the exit code is not 0.

#include "batch/BatchRunner.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QTextStream>
#include <gtest/gtest.h>

using namespace qel;

namespace {

TEST(BatchWriteFailure, AFailedSaveSaysWhyKeepsEverythingAndEndsWithCode3) {
    test::TempDatabase database;
    const QString ruc = QStringLiteral("20100070970");
    test::registerTaxpayer(database.db(), ruc, QStringLiteral("D'ONOFRIO S.A."), QStringLiteral("CONTADOR"));
    const store::DeclarationKey key = test::demoKey(ruc);
    test::insertRow(database.db(), QStringLiteral("CAB"), key,
                    {{QStringLiteral("SEMANA"), 0}, {QStringLiteral("ESTADO"), 0}});
    test::insertRow(database.db(), QStringLiteral("DET"), key,
                    {{QStringLiteral("SEMANA"), 0},
                     {QStringLiteral("CASILLA"), QStringLiteral("359")},
                     {QStringLiteral("i_valor"), QStringLiteral("500")}});
    for (const char* event : {"INSERT", "DELETE", "UPDATE"}) {
        for (const char* table : {"DET", "CAB"}) {
            database.db()
                .run(QStringLiteral("CREATE TRIGGER lleno_%1_%2 BEFORE %1 ON %2 BEGIN "
                                    "SELECT RAISE(ABORT, 'database or disk is full'); END")
                         .arg(QString::fromLatin1(event), QString::fromLatin1(table)))
                .finish();
        }
    }

    QString output;
    QString errors;
    QTextStream out(&output);
    QTextStream err(&errors);
    batch::BatchRunner runner(database.db(), out, err,
                              {QStringLiteral("2018"), QStringLiteral("0588"), QStringLiteral("CONTADOR")});
    const int code = runner.run(
        QStringLiteral("open %1\nclick OptITF 0\nclick OptPlan 2\ntype 359 1000\nsave\nshow 359\n").arg(ruc));
    out.flush();

    EXPECT_EQ(code, batch::BatchRunner::kWriteFailed) << output.toStdString() << errors.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("message critical \"Error al Ejecutar Sentencia SQL\"")))
        << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("database or disk is full"))) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("txtValor(359) = \"1,000\""))) << "the typed value stays in the form";
    EXPECT_EQ(database.db()
                  .scalar(QStringLiteral("SELECT i_valor FROM DET WHERE CASILLA='359' AND DOC_ID_D=?"), {ruc})
                  .toString(),
              QStringLiteral("500"));
    EXPECT_EQ(database.db().scalar(QStringLiteral("SELECT ESTADO FROM CAB WHERE DOC_ID_D=?"), {ruc}).toInt(), 0);
}

} // namespace
