// The inconsistency report's PDF button in a batch script: the painter the batch mode hands the
// report window writes the file the script queued.
#include "ui/WindowDriver.h"

#include <QTemporaryDir>

namespace qel::batch {
namespace {

TEST(ConsistencyReportBatch, ThePdfButtonWritesTheQueuedFile) {
    test::TempDatabase database;
    test::ScriptRun script(database.db(), QStringLiteral("20100113610"), QStringLiteral("COMERCIAL ANDINA S.A.C."));
    QTemporaryDir folder;
    script.runner->setModuleFolder(folder.path());
    const QString pdf = folder.filePath(QStringLiteral("Inconsistencias.pdf"));
    script.run(QStringLiteral("new\ntaxpayer 20100113610\nclick OptITF 0\nclick OpRegRenta 1\nvalidate window\n"
                              "file %1\nclick cmdPdf\nclick cmdAceptar\n")
                   .arg(pdf));
    EXPECT_FALSE(script.output.contains(QStringLiteral("refused cmdPdf"))) << script.output.toStdString();
    EXPECT_TRUE(test::readFile(pdf).startsWith(QStringLiteral("%PDF"))) << script.output.toStdString();
}

} // namespace
} // namespace qel::batch
