#include "batch/BatchFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace qel::batch {
namespace {

// The small dialogs of the declaration form, run for real by a script on a new declaration.
class FormDialogsBatch : public test::BatchTest {
protected:
    int runOnNew(const QString& script) {
        return run(QStringLiteral("new\ntaxpayer %1\n").arg(test::kAndina) + script, reportsIn(moduleFolder.path()));
    }
    QTemporaryDir moduleFolder; // the report and its printout go there
};

// Only a district of the zone is handed back; a province gets the picker's message and the
// window stays open. A code the picker does not list is a script error.
TEST_F(FormDialogsBatch, TheUbigeoPickerHandsBackADistrictOfTheZone) {
    const QString zone = QStringLiteral("click OptUbicAmazonia 1\nclick OptDomFiscal 1\nclick OptZona 1\n"
                                        "click CmdZona1\n");
    ASSERT_EQ(runOnNew(zone + QStringLiteral("rows trvUbigeo\nchoose trvUbigeo 2501\nclick cmdAceptar\n"
                                             "choose trvUbigeo 250103\nstate trvUbigeo\nclick cmdAceptar\n"
                                             "state TxtUbigeo\n")),
              BatchRunner::kDone)
        << errors.toStdString() << output.toStdString();
    expectPrinted({"window frmUbigeo 1 -\n", "row 1: LORETO | 16\n",
                   "message critical \"Ubigeo Zona 2\" \"Debe seleccionar un distrito de la zona.\"\n",
                   "trvUbigeo = \"250103\"\n", "closed frmUbigeo \"250103\"\n", "TxtUbigeo = \"250103\" disabled\n"});

    EXPECT_EQ(runOnNew(zone + QStringLiteral("choose trvUbigeo 150101\nclick cmdCancelar\n")),
              BatchRunner::kScriptError);
    EXPECT_TRUE(errors.contains(QStringLiteral("error line 7: trvUbigeo no tiene el código 150101")))
        << errors.toStdString();
}

// With `validate window` the report of an inconsistent declaration opens for the script: its
// lines, the printout in the preview, and accepting it hands back "A" before validate prints the
// lines. (The PDF button paints, which needs the windowing system: the window tests cover it.)
TEST_F(FormDialogsBatch, TheInconsistencyReportOpensPrintsAndIsAccepted) {
    ASSERT_EQ(runOnNew(QStringLiteral("click OptITF 0\nclick OpRegRenta 1\nvalidate window\nstate txtConsist\n"
                                      "rows txtConsist\ntext txtConsist x\nclick cmdImprimir\nclick tlbPrevia 5\n"
                                      "click cmdAceptar\nsave\n")),
              BatchRunner::kDone)
        << errors.toStdString() << output.toStdString();
    expectPrinted({"window FrmConsist ", "refused txtConsist\n", "window frmPreview ", "closed frmPreview \"\"\n",
                   "closed FrmConsist \"A\"\n", "report 1. "});
    // The window lists the lines validate prints after it.
    const QRegularExpressionMatch count = QRegularExpression(QStringLiteral("txtConsist = (\\d+)\n")).match(output);
    ASSERT_TRUE(count.hasMatch()) << output.toStdString();
    EXPECT_GT(count.captured(1).toInt(), 0);
    expectPrinted({"rows txtConsist total " + count.captured(1) + "\n", "report total " + count.captured(1) + "\n"});
    EXPECT_TRUE(QFileInfo::exists(QDir(moduleFolder.path()).filePath(QStringLiteral("Mens.PRN"))));
}

} // namespace
} // namespace qel::batch
