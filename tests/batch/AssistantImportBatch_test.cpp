#include "batch/BatchRunner.h"
#include "declaration/model/WorkingCasillas.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

namespace qel::batch {
namespace {

const QString kRuc = QStringLiteral("20601000211");

void writeFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// The casilla assistants import their rows through the import window of their kind, and the
// grid and the casilla show what was imported.
TEST(AssistantImportBatch, BalancesAndMovementsComeFromTheirFiles) {
    test::TempDatabase database;
    test::registerTaxpayer(database.db(), kRuc, QStringLiteral("CONFECCIONES DEL PACÍFICO S.A.C."),
                           QStringLiteral("CONTADOR"));
    QTemporaryDir folder;
    writeFile(folder.filePath(QStringLiteral("0588") + kRuc + QStringLiteral("361.TXT")),
              "6|20100047218|0|DISTRIBUIDORA NORTE SAC||||38000|\r\n"
              "1|41234567|1||QUISPE|MAMANI|ROSA|15000|\r\n"
              "1|41234568|1||PEREZ|DIAZ|ANA|12450|\r\n");
    writeFile(folder.filePath(QStringLiteral("0588") + kRuc + QStringLiteral("382.TXT")),
              "1|400000|0|0|0|0|0|0|0|0|400000|\n"
              "2|700000|150000|0|0|0|0|0|0|0|850000|\n");
    QFile scriptFile(QStringLiteral(QEL_TEST_DATA_DIR "/batch/import_assistants.txt"));
    ASSERT_TRUE(scriptFile.open(QIODevice::ReadOnly));
    const QString script = QString::fromUtf8(scriptFile.readAll()).replace(QStringLiteral("FOLDER"), folder.path());

    QString output;
    QString errors;
    QTextStream out(&output);
    QTextStream err(&errors);
    BatchRunner runner(database.db(), out, err,
                       {QStringLiteral("2018"), QStringLiteral("0588"), QStringLiteral("CONTADOR")});
    runner.setReportFolder(folder.filePath(QStringLiteral("RPT")));
    ASSERT_EQ(runner.run(script), BatchRunner::kDone) << errors.toStdString() << output.toStdString();
    out.flush();
    for (const QString& expected : {
             QStringLiteral("window frmImportarCasEF 1 361\n"),
             QStringLiteral("El Saldo debe ser Mayor a 3 UIT"),
             QStringLiteral("lblAdicionados = \"2  Registros Adicionados.\"\n"),
             QStringLiteral("lblRechazados = \"1  Registros Rechazados.\"\n"),
             QStringLiteral("rows grdDetalleCasilla total 2\n"),
             QStringLiteral("txtTotal = \"53,000\"\n"),
             QStringLiteral("closed frmAsisCasillasEF \"53000\"\n"),
             QStringLiteral("window frmImportarGastoPresent 1 382\n"),
             QStringLiteral("txtTotal = \"1,250,000\"\n"),
             QStringLiteral("closed FrmAnexo317A \"1250000\"\n"),
             QStringLiteral("txtValor(361) = \"53,000\""),
             QStringLiteral("txtValor(382) = \"1,250,000\""),
         }) {
        EXPECT_TRUE(output.contains(expected)) << expected.toStdString() << "\n---\n" << output.toStdString();
    }
    const store::DeclarationKey key = test::demoKey(kRuc);
    EXPECT_EQ(declaration::WorkingCasillas::value(database.db(), key, 632), QStringLiteral("150000"));
}

} // namespace
} // namespace qel::batch
