#include "batch/BatchRunner.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

namespace qel::batch {
namespace {

const QString kRuc = QStringLiteral("20100113610");

// The small dialogs of the declaration form, run for real by a script.
class FormDialogsBatch : public ::testing::Test {
protected:
    void SetUp() override {
        test::registerTaxpayer(database.db(), kRuc, QStringLiteral("COMERCIAL ANDINA S.A.C."),
                               QStringLiteral("CONTADOR"));
    }

    int run(const QString& script) {
        BatchRunner runner(database.db(), out, err,
                           {QStringLiteral("2018"), QStringLiteral("0588"), QStringLiteral("CONTADOR")});
        runner.setModuleFolder(moduleFolder.path()); // the report and its printout go there
        runner.setReportFolder(moduleFolder.path());
        const int code = runner.run(QStringLiteral("new\ntaxpayer %1\n").arg(kRuc) + script);
        out.flush();
        err.flush();
        return code;
    }

    void expectPrinted(const QStringList& lines) const {
        for (const QString& line : lines) {
            EXPECT_TRUE(output.contains(line)) << line.toStdString() << "\n" << output.toStdString();
        }
    }

    test::TempDatabase database;
    QTemporaryDir moduleFolder;
    QString output;
    QString errors;
    QTextStream out{&output};
    QTextStream err{&errors};
};

// Only a district of the zone is handed back; a province gets the picker's message and the
// window stays open. Cancelling keeps the ubigeo chosen before.
TEST_F(FormDialogsBatch, TheUbigeoPickerHandsBackADistrictOfTheZone) {
    const QString script = QStringLiteral("click OptUbicAmazonia 1\nclick OptDomFiscal 1\nclick OptZona 1\n"
                                          "click CmdZona1\nrows trvUbigeo\nchoose trvUbigeo 2501\nclick cmdAceptar\n"
                                          "choose trvUbigeo 250103\nstate trvUbigeo\nclick cmdAceptar\n"
                                          "state TxtUbigeo\nclick CmdZona1\nstate trvUbigeo\nclick cmdCancelar\n"
                                          "state TxtUbigeo\n");
    ASSERT_EQ(run(script), BatchRunner::kDone) << errors.toStdString() << output.toStdString();
    expectPrinted({"window frmUbigeo 1 -\n", "row 1: LORETO | 16\n",
                   "message critical \"Ubigeo Zona 2\" "
                   "\"Debe seleccionar un distrito de la zona.\"\n",
                   "trvUbigeo = \"250103\"\n", "closed frmUbigeo \"250103\"\n", "TxtUbigeo = \"250103\" disabled\n",
                   "closed frmUbigeo \"\"\n"});
    EXPECT_EQ(output.count(QStringLiteral("TxtUbigeo = \"250103\"")), 2) << output.toStdString();
}

TEST_F(FormDialogsBatch, TheUbigeoPickerRefusesACodeItDoesNotList) {
    const QString script =
        QStringLiteral("click OptUbicAmazonia 1\nclick OptDomFiscal 1\nclick OptZona 1\nclick CmdZona1\n"
                       "choose trvUbigeo 150101\nclick cmdCancelar\n");
    EXPECT_EQ(run(script), BatchRunner::kScriptError);
    EXPECT_TRUE(errors.contains(QStringLiteral("error line 7: trvUbigeo no tiene el código 150101")))
        << errors.toStdString();
}

// With `validate window` the report of an inconsistent declaration opens for the script: its
// lines, the printout in the preview, and accepting it hands back "A" before validate prints the
// lines. (The PDF button
// paints, which needs the windowing system: the window tests cover it.)
TEST_F(FormDialogsBatch, TheInconsistencyReportOpensPrintsAndIsAccepted) {
    const QString script = QStringLiteral("click OptITF 0\nclick OpRegRenta 1\nvalidate window\nstate txtConsist\n"
                                          "rows txtConsist\ntext txtConsist x\nclick cmdImprimir\nclick tlbPrevia 5\n"
                                          "click cmdAceptar\nsave\n");
    ASSERT_EQ(run(script), BatchRunner::kDone) << errors.toStdString() << output.toStdString();
    expectPrinted({"window FrmConsist ", "refused txtConsist\n", "window frmPreview ", "closed frmPreview \"\"\n",
                   "closed FrmConsist \"A\"\n", "report 1. "});
    // The window lists the lines validate prints after it.
    const QRegularExpression shown(QStringLiteral("txtConsist = (\\d+)\n"));
    const QRegularExpressionMatch count = shown.match(output);
    ASSERT_TRUE(count.hasMatch()) << output.toStdString();
    EXPECT_GT(count.captured(1).toInt(), 0);
    expectPrinted({"rows txtConsist total " + count.captured(1) + "\n", "report total " + count.captured(1) + "\n"});
    EXPECT_TRUE(QFileInfo::exists(QDir(moduleFolder.path()).filePath(QStringLiteral("Mens.PRN"))));
}

} // namespace
} // namespace qel::batch
