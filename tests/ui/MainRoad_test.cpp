// A new user's main road through the real windows, each opened by name through the module's
// form launcher as the program opens them: a new declaration, amounts typed, a partner, a month
// assistant, Validar and a jump from its report, Grabar, the stored list, the print and its PDF.
#include "batch/BatchFixture.h"
#include "declaration/commands/SaveCommand.h"
#include "declaration/commands/ValidateCommand.h"
#include "declaration/model/FieldLocator.h"
#include "declaration/ui/Frm537.h"
#include "declaration/ui/FrmConsist.h"
#include "declaration/ui/GuardedLineEdit.h"
#include "management/ui/DeclarationListWindow.h"
#include "printing/DeclarationReport.h"
#include "printing/ui/FrmTipPrnR.h"
#include "printing/ui/frmPreview.h"
#include "ui/WindowDriver.h"

namespace qel::declaration {
namespace {

using namespace qel::test;

const QString kRuc = QStringLiteral("20100113610");
const QString kName = QStringLiteral("COMERCIAL ANDINA S.A.C.");
// Casilla 180 (to pay) short of the tax: told on each validation and save.
const QString kPaymentWarning = QStringLiteral(
    "La KOLVA le podrá notificar una Orden de Pago por la diferencia                de Renta de Tercera Categoría "
    "en su buzón VEL.");

class MainRoad : public ::testing::Test, protected ModuleForms {
protected:
    void SetUp() override {
        registerTaxpayer(database.db(), kRuc, kName);
        state.sysPath = folder.path() + QLatin1Char('/');
        state.reportFolder = state.sysPath + QStringLiteral("RPT");
        QDir().mkpath(state.moduleFolder());
        QDir().mkpath(state.reportFolder);
    }
    void TearDown() override {
        forms.close(ValidateCommand::kReportWindow);
        prompter->verify();
    }

    QTemporaryDir folder;
};

TEST_F(MainRoad, ANewDeclarationIsFilledValidatedSavedReopenedAndPrinted) {
    // A new declaration, from the taxpayer on.
    whileModal<Frm537>(
        QStringLiteral("Frm537"), [this] { open(QStringLiteral("Frm537")); },
        [this](Frm537& form) {
            choose(form, QStringLiteral("CmbRuc"), kRuc);
            EXPECT_EQ(child<QLineEdit>(form, QStringLiteral("TxtRazon"))->text(), kName);
            click(form, QStringLiteral("OptITF_0"));
            click(form, QStringLiteral("OpRegRenta_1"));
            click(form, QStringLiteral("OptPlan_1"));

            // Sales and their cost typed: the gross profit follows.
            form.goToCasilla(461);
            type(form, QStringLiteral("txtValor_461"), QStringLiteral("1000000"));
            type(form, QStringLiteral("txtValor_464"), QStringLiteral("5"));
            EXPECT_EQ(form.box(461)->text(), QStringLiteral("1,000,000"));
            EXPECT_EQ(form.box(466)->text(), QStringLiteral("999,995"));

            // A partner through its detail window.
            // Leaving the first pages asks for a phone to call, and takes the user to its box.
            const QString partnersPage = FieldLocator::locate(QStringLiteral("cmdSocios")).pageId;
            prompter->expectMessage(QStringLiteral("Ingrese su número de teléfono o un número de referencia."));
            form.showPage(partnersPage);
            EXPECT_EQ(form.focusWidget(), form.findChild<QWidget*>(QStringLiteral("txtTelCon")));
            type(form, QStringLiteral("txtTelCon"), QStringLiteral("4251234"));
            form.showPage(partnersPage);
            ASSERT_EQ(form.currentPageId(), partnersPage);
            whileModal<QDialog>(
                QStringLiteral("frmDetalleSocios"), [&form] { click(form, QStringLiteral("cmdSocios_0")); },
                [](QDialog& detail) {
                    choose(detail, QStringLiteral("cboTipoSocio"), QStringLiteral("01"));
                    choose(detail, QStringLiteral("cboTipoDoc"), QStringLiteral("01"));
                    type(detail, QStringLiteral("txtNroDoc"), QStringLiteral("40123456"));
                    type(detail, QStringLiteral("txtRazonSocial"), QStringLiteral("peña diaz juan"));
                    EXPECT_EQ(child<QLineEdit>(detail, QStringLiteral("txtRazonSocial"))->text(),
                              QStringLiteral("PEÑA DIAZ JUAN"));
                    type(detail, QStringLiteral("mskFecNac"), QStringLiteral("15031970"));
                    choose(detail, QStringLiteral("cboPais"), QStringLiteral("9589"));
                    type(detail, QStringLiteral("txtPorcentaje"), QStringLiteral("100"));
                    click(detail, QStringLiteral("cmdAccion_0"));
                    // Saved: the window stays, empty for the next partner, and closes without a question.
                    EXPECT_TRUE(child<QLineEdit>(detail, QStringLiteral("txtNroDoc"))->text().isEmpty());
                    click(detail, QStringLiteral("cmdAccion_1"));
                });
            auto* partners = child<QTableView>(form, QStringLiteral("grdPricipalesSocios"));
            ASSERT_NE(partners, nullptr);
            EXPECT_EQ(partners->model()->rowCount(), 1);
            EXPECT_TRUE(rowText(*partners->model(), 0).contains(QStringLiteral("PEÑA DIAZ JUAN | DNI | 40123456")))
                << rowText(*partners->model(), 0).toStdString();

            // The month assistant of casilla 128: two months typed, the box takes the total.
            form.goToCasilla(128);
            whileModal<QDialog>(
                QStringLiteral("FrmAnexo128"), [&form] { QTest::mouseClick(form.box(128), Qt::LeftButton); },
                [](QDialog& assistant) {
                    auto* grid = child<QTableWidget>(assistant, QStringLiteral("grdAsistente"));
                    ASSERT_NE(grid, nullptr);
                    typeCell(*grid, 0, 1, QStringLiteral("1500"));
                    typeCell(*grid, 2, 1, QStringLiteral("2500"));
                    EXPECT_EQ(child<QLineEdit>(assistant, QStringLiteral("txtTotal"))->text(), QStringLiteral("4000"));
                    click(assistant, QStringLiteral("CmdGrabar"));
                });
            EXPECT_EQ(form.box(128)->text(), QStringLiteral("(4,000)")); // paid on account: a credit

            // Validar: the report beside the form; a double click on its first line goes to the
            // box it names, on its page.
            prompter->expectMessage(kPaymentWarning, app::Icon::Information);
            click(form, QStringLiteral("cmdValidar"));
            auto* shown = qobject_cast<FrmConsist*>(forms.openInstance(ValidateCommand::kReportWindow));
            ASSERT_TRUE(shown != nullptr && shown->isVisible());
            auto* lines = child<QPlainTextEdit>(*shown, QStringLiteral("txtConsist"));
            EXPECT_EQ(lines->document()->findBlockByNumber(0).text(),
                      QStringLiteral("Estados Financieros: El valor de la casilla 461 no coincide con la suma de la "
                                     "casilla 670 y 671"));
            EXPECT_TRUE(lines->toPlainText().contains(
                QStringLiteral("Información Complementaria : Ingrese los datos del Representante Legal")));
            ASSERT_FALSE(form.box(461)->isVisible());
            shown->activateWindow();
            QTextCursor first(lines->document()->findBlockByNumber(0));
            QTest::mouseDClick(lines->viewport(), Qt::LeftButton, {}, lines->cursorRect(first).center());
            EXPECT_EQ(form.currentPageId(), FieldLocator::locate(QStringLiteral("461")).pageId);
            EXPECT_EQ(form.focusWidget(), form.box(461));
            EXPECT_TRUE(form.box(461)->isVisible());
            EXPECT_TRUE(shown->isVisible()) << "the report stays beside the form";
            click(*shown, QStringLiteral("cmdAceptar"));

            // Grabar: saved, with the inconsistencies told; then out without a question.
            prompter->expectMessage(kPaymentWarning, app::Icon::Information);
            prompter->expectMessage(SaveCommand::kSavedInconsistent);
            click(form, QStringLiteral("cmdGrabar"));
            click(form, QStringLiteral("cmdSalir"));
        });
    ASSERT_FALSE(test::declarationRows(database.db(), test::demoKey(kRuc)).isEmpty());

    // The stored list shows the declaration; "&Modificar" opens it with what was typed.
    QStringList reopened;
    whileModal<management::ui::DeclarationListWindow>(
        QStringLiteral("FrmContAbrir"), [this] { open(QStringLiteral("FrmContAbrir"), QStringLiteral("1")); },
        [&reopened](management::ui::DeclarationListWindow& list) {
            ASSERT_EQ(list.grid()->model()->rowCount(), 1);
            list.grid()->setCurrentIndex(list.grid()->model()->index(0, 0));
            whileModal<Frm537>(
                QStringLiteral("Frm537"), [&list] { QTest::mouseClick(list.button(0), Qt::LeftButton); },
                [&reopened](Frm537& form) {
                    for (const int casilla : {461, 464, 466, 128}) {
                        reopened.append(form.box(casilla)->text());
                    }
                    auto* partners = child<QTableView>(form, QStringLiteral("grdPricipalesSocios"));
                    reopened.append(QString::number(partners->model()->rowCount()));
                    click(form, QStringLiteral("cmdSalir"));
                });
            QTest::mouseClick(list.button(1), Qt::LeftButton);
        });
    EXPECT_EQ(reopened, (QStringList{QStringLiteral("1,000,000"), QStringLiteral("(5)"), QStringLiteral("999,995"),
                                     QStringLiteral("(4,000)"), QStringLiteral("1")}));

    // The print: the preview of the declaration and a PDF of it.
    const int pages =
        printing::DeclarationReport(database.db(), test::demoKey(kRuc)).write(false, clock.now()).pageCount();
    const QString pdf = folder.filePath(QStringLiteral("declaracion.pdf"));
    QString counter;
    whileModal<printing::FrmTipPrnR>(
        QStringLiteral("FrmTipPrnR"), [this] { open(QStringLiteral("FrmTipPrnR")); },
        [&](printing::FrmTipPrnR& print) {
            auto* grid = child<QTableWidget>(print, QStringLiteral("grdDeclaraciones"));
            ASSERT_NE(grid, nullptr);
            ASSERT_EQ(grid->rowCount(), 1);
            EXPECT_TRUE(rowText(*grid->model(), 0).contains(kRuc)) << rowText(*grid->model(), 0).toStdString();
            grid->setCurrentCell(0, 0);
            prompter->expectMessage(QStringLiteral("Impresión de %1 páginas").arg(pages));
            whileModal<printing::frmPreview>(
                QStringLiteral("frmPreview"), [&print] { click(print, QStringLiteral("cmdImprimir")); },
                [&](printing::frmPreview& preview) {
                    counter = child<QLabel>(preview, QStringLiteral("lblPagina"))->text();
                    preview.setPdfChooser([&pdf] { return pdf; });
                    click(preview, QStringLiteral("tlbPrevia(7)"));
                    click(preview, QStringLiteral("tlbPrevia(5)"));
                });
            click(print, QStringLiteral("cmdSalir"));
        });
    EXPECT_TRUE(counter.startsWith(QStringLiteral("Página 1 de %1").arg(pages))) << counter.toStdString();
    EXPECT_TRUE(readFile(pdf).startsWith("%PDF"));
    EXPECT_EQ(pdfPageCount(pdf), pages);
}

} // namespace
} // namespace qel::declaration
