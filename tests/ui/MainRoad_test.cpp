// A new user's main road through the real windows, each opened by name through the module's
// form launcher as the program opens them: a new declaration, amounts typed, a partner, a month
// assistant, Validar and a jump from its report, Grabar, the stored list, the print and its PDF.
#include "app/ProcessState.h"
#include "app/UtilityComponent.h"
#include "app/ui/FormLauncher.h"
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
#include "program/FormRegistry.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace qel::declaration {
namespace {

const QString kRuc = QStringLiteral("20100113610");
const QString kName = QStringLiteral("COMERCIAL ANDINA S.A.C.");
// Casilla 180 (to pay) short of the tax: told on each validation and save.
const QString kPaymentWarning = QStringLiteral(
    "La KOLVA le podrá notificar una Orden de Pago por la diferencia                de Renta de Tercera Categoría "
    "en su buzón VEL.");

template <typename T = QWidget> T* child(QWidget& window, const QString& name) {
    T* widget = window.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

void click(QWidget& window, const QString& name) {
    auto* button = child<QAbstractButton>(window, name);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isVisible() && button->isEnabled()) << name.toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
}

// Into a box and out of it with Tab, as a user types.
void type(QWidget& window, const QString& name, const QString& text) {
    auto* edit = child<QLineEdit>(window, name);
    ASSERT_NE(edit, nullptr);
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    for (const QChar typed : text) {
        if (typed.unicode() < 128) {
            QTest::keyClick(edit, typed.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, edit, static_cast<Qt::Key>(typed.toUpper().unicode()), QString(typed),
                                Qt::NoModifier);
        }
    }
    QTest::keyClick(edit, Qt::Key_Tab);
}

// Chooses an entry of a list with the keyboard, from no entry down.
void choose(QWidget& window, const QString& name, const QString& code) {
    auto* combo = child<QComboBox>(window, name);
    ASSERT_NE(combo, nullptr);
    const int index = combo->findData(code);
    ASSERT_GE(index, 0) << name.toStdString() << " " << code.toStdString();
    combo->setFocus();
    combo->setCurrentIndex(-1);
    for (int i = 0; i <= index; ++i) {
        QTest::keyClick(combo, Qt::Key_Down);
    }
    EXPECT_EQ(combo->currentData().toString(), code) << name.toStdString();
}

QString rowText(const QAbstractItemModel& rows, int row) {
    QStringList texts;
    for (int column = 0; column < rows.columnCount(); ++column) {
        texts.append(rows.index(row, column).data().toString());
    }
    return texts.join(QStringLiteral(" | "));
}

class MainRoad : public ::testing::Test {
protected:
    void SetUp() override {
        test::registerTaxpayer(database.db(), kRuc, kName);
        state.db = std::move(store::Database::open(database.path()).database);
        state.prompter = prompter.get();
        state.clock = &clock;
        state.utility = &utility;
        state.sysUser = test::kSupervisor;
        state.sysPath = folder.path() + QLatin1Char('/');
        state.reportFolder = state.sysPath + QStringLiteral("RPT");
        QDir().mkpath(state.moduleFolder());
        QDir().mkpath(state.reportFolder);
        app::ui::registerModuleForms(forms, state, *prompter);
    }
    void TearDown() override {
        forms.close(ValidateCommand::kReportWindow);
        prompter->verify();
    }

    // Runs `inside` on the modal window `trigger` opens; the window is closed after it, so that
    // a failed step cannot leave the road blocked.
    template <typename W>
    void whileOpen(const QString& name, const std::function<void()>& trigger, const std::function<void(W&)>& inside) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            const QPointer<QWidget> modal = QApplication::activeModalWidget();
            auto* window = qobject_cast<W*>(modal.data());
            ran = true;
            if (window == nullptr || window->objectName() != name) {
                ADD_FAILURE() << name.toStdString() << " did not open, the window is "
                              << (modal ? modal->objectName().toStdString() : "none");
                return;
            }
            window->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
            inside(*window);
            if (modal && modal->isVisible()) {
                modal->close();
            }
        });
        trigger();
        if (!ran) {
            QApplication::processEvents();
        }
        EXPECT_TRUE(ran);
    }

    void openByName(const QString& name, const QString& code = {}) {
        app::FormRequest request;
        request.name = name;
        request.code = code;
        forms.open(request);
    }

    FrmConsist* report() const {
        auto* open = qobject_cast<FrmConsist*>(forms.openInstance(ValidateCommand::kReportWindow));
        return open != nullptr && open->isVisible() ? open : nullptr;
    }

    test::TempDatabase database;
    QTemporaryDir folder;
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
    app::FixedClock clock{test::filingDay()};
    app::UtilityComponent utility{*prompter, &database.db()};
    app::ProcessState state;
    app::ui::FormLauncher forms{*prompter};
};

TEST_F(MainRoad, ANewDeclarationIsFilledValidatedSavedReopenedAndPrinted) {
    // A new declaration, from the taxpayer on.
    whileOpen<Frm537>(
        QStringLiteral("Frm537"), [this] { openByName(QStringLiteral("Frm537")); },
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
            whileOpen<QDialog>(
                QStringLiteral("frmDetalleSocios"), [&form] { click(form, QStringLiteral("cmdSocios_0")); },
                [](QDialog& detail) {
                    EXPECT_EQ(detail.objectName(), QStringLiteral("frmDetalleSocios"));
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
                    click(detail, QStringLiteral("cmdAccion_1"));
                });
            auto* partners = child<QTableView>(form, QStringLiteral("grdPricipalesSocios"));
            ASSERT_NE(partners, nullptr);
            EXPECT_EQ(partners->model()->rowCount(), 1);
            EXPECT_TRUE(rowText(*partners->model(), 0).contains(QStringLiteral("PEÑA DIAZ JUAN | DNI | 40123456")))
                << rowText(*partners->model(), 0).toStdString();

            // The month assistant of casilla 128: two months typed, the box takes the total.
            form.goToCasilla(128);
            whileOpen<QDialog>(
                QStringLiteral("FrmAnexo128"), [&form] { QTest::mouseClick(form.box(128), Qt::LeftButton); },
                [](QDialog& assistant) {
                    auto* grid = child<QTableWidget>(assistant, QStringLiteral("grdAsistente"));
                    ASSERT_NE(grid, nullptr);
                    for (const auto& [row, amount] : {std::pair{0, "1500"}, std::pair{2, "2500"}}) {
                        grid->setCurrentCell(row, 1);
                        auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex()));
                        ASSERT_NE(editor, nullptr) << row;
                        QTest::keyClicks(editor, QString::fromLatin1(amount));
                        QTest::keyClick(editor, Qt::Key_Return);
                    }
                    EXPECT_EQ(child<QLineEdit>(assistant, QStringLiteral("txtTotal"))->text(), QStringLiteral("4000"));
                    click(assistant, QStringLiteral("CmdGrabar"));
                });
            EXPECT_EQ(form.box(128)->text(), QStringLiteral("(4,000)")); // paid on account: a credit

            // Validar: the report beside the form; a double click on its first line goes to the
            // box it names, on its page.
            prompter->expectMessage(kPaymentWarning, app::Icon::Information);
            click(form, QStringLiteral("cmdValidar"));
            FrmConsist* shown = report();
            ASSERT_NE(shown, nullptr);
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
    whileOpen<management::ui::DeclarationListWindow>(
        QStringLiteral("FrmContAbrir"), [this] { openByName(QStringLiteral("FrmContAbrir"), QStringLiteral("1")); },
        [this, &reopened](management::ui::DeclarationListWindow& list) {
            ASSERT_EQ(list.grid()->model()->rowCount(), 1);
            list.grid()->setCurrentIndex(list.grid()->model()->index(0, 0));
            whileOpen<Frm537>(
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
    whileOpen<printing::FrmTipPrnR>(
        QStringLiteral("FrmTipPrnR"), [this] { openByName(QStringLiteral("FrmTipPrnR")); },
        [&](printing::FrmTipPrnR& print) {
            auto* grid = child<QTableWidget>(print, QStringLiteral("grdDeclaraciones"));
            ASSERT_NE(grid, nullptr);
            ASSERT_EQ(grid->rowCount(), 1);
            EXPECT_TRUE(rowText(*grid->model(), 0).contains(kRuc)) << rowText(*grid->model(), 0).toStdString();
            grid->setCurrentCell(0, 0);
            prompter->expectMessage(QStringLiteral("Impresión de %1 páginas").arg(pages));
            whileOpen<printing::frmPreview>(
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
    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QString content = QString::fromLatin1(written.readAll());
    EXPECT_TRUE(content.startsWith(QStringLiteral("%PDF")));
    EXPECT_EQ(content.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))), pages);
}

// The fixed assets in the Amazonía, line by line behind casilla 223: the button beside the box
// opens the list, a line is added in its detail window and the total becomes the box.
TEST_F(MainRoad, TheAmazoniaInvestmentsMakeUpCasilla223) {
    whileOpen<Frm537>(
        QStringLiteral("Frm537"), [this] { openByName(QStringLiteral("Frm537")); },
        [this](Frm537& form) {
            choose(form, QStringLiteral("CmbRuc"), kRuc);
            form.showPage(QStringLiteral("ident.amazonia"));
            EXPECT_FALSE(child<QAbstractButton>(form, QStringLiteral("cmdInverAmazonia"))->isEnabled());
            click(form, QStringLiteral("OptUbicAmazonia_1"));
            click(form, QStringLiteral("OptDomFiscal_1"));
            type(form, QStringLiteral("TxtActFijAmazonia"), QStringLiteral("5000"));
            whileOpen<QDialog>(
                QStringLiteral("frmListDetInverAmazonia"), [&form] { click(form, QStringLiteral("cmdInverAmazonia")); },
                [this](QDialog& list) {
                    whileOpen<QDialog>(
                        QStringLiteral("frmDetalleInverAmazonia"),
                        [&list] { click(list, QStringLiteral("cmdAccion_0")); },
                        [](QDialog& detail) {
                            type(detail, QStringLiteral("txtDescripcion"), QStringLiteral("almacen en iquitos"));
                            type(detail, QStringLiteral("txtMonto"), QStringLiteral("120000"));
                            click(detail, QStringLiteral("cmdAccion_0"));
                            click(detail, QStringLiteral("cmdAccion_1"));
                        });
                    auto* lines = child<QTableView>(list, QStringLiteral("grdDetalleCasilla"));
                    ASSERT_NE(lines, nullptr);
                    ASSERT_EQ(lines->model()->rowCount(), 1);
                    EXPECT_TRUE(rowText(*lines->model(), 0).contains(QStringLiteral("ALMACEN EN IQUITOS")))
                        << rowText(*lines->model(), 0).toStdString();
                    click(list, QStringLiteral("cmdAccion_3"));
                });
            EXPECT_EQ(child<QLineEdit>(form, QStringLiteral("TxtActFijAmazonia"))->text(), QStringLiteral("120000"));
            prompter->expectQuestion(QStringLiteral("¿La declaración ha sido modificada, desea guardar los cambios?"),
                                     app::Button::No);
        });
}

} // namespace
} // namespace qel::declaration
