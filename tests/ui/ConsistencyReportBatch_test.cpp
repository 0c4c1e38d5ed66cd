// The inconsistency report's PDF button in a batch script: the painter the batch mode hands the
// report window writes the file the script queued.
#include "batch/BatchRunner.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

namespace qel::batch {
namespace {

TEST(ConsistencyReportBatch, ThePdfButtonWritesTheQueuedFile) {
    test::TempDatabase database;
    test::registerTaxpayer(database.db(), QStringLiteral("20100113610"), QStringLiteral("COMERCIAL ANDINA S.A.C."),
                           QStringLiteral("CONTADOR"));
    QString output;
    QString errors;
    QTextStream out(&output);
    QTextStream err(&errors);
    BatchRunner runner(database.db(), out, err,
                       {QStringLiteral("2018"), QStringLiteral("0588"), QStringLiteral("CONTADOR")});
    QTemporaryDir folder;
    runner.setModuleFolder(folder.path());
    const QString pdf = folder.filePath(QStringLiteral("Inconsistencias.pdf"));
    const QString script =
        QStringLiteral("new\ntaxpayer 20100113610\nclick OptITF 0\nclick OpRegRenta 1\nvalidate window\n"
                       "file %1\nclick cmdPdf\nclick cmdAceptar\n")
            .arg(pdf);
    ASSERT_EQ(runner.run(script), BatchRunner::kDone) << errors.toStdString();
    out.flush();
    EXPECT_FALSE(output.contains(QStringLiteral("refused cmdPdf"))) << output.toStdString();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << output.toStdString();
    EXPECT_TRUE(file.read(5).startsWith("%PDF")) << pdf.toStdString();
}

} // namespace
} // namespace qel::batch
