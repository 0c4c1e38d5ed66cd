#include "annexes/ui/AnnexDetailWindow.h"
#include "app/Clock.h"
#include "catalogue/AnnexCatalog.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace qel::annexes::ui {
namespace {

const QString kDeclarant = QStringLiteral("20100070970");

class AnnexDetailWindowTest : public ::testing::Test {
protected:
    void TearDown() override { prompter->verify(); }

    std::unique_ptr<AnnexDetailWindow> open(const QString& name, const QString& code = {}) {
        app::FormRequest request;
        request.name = name;
        request.key = test::demoKey(kDeclarant);
        request.code = code;
        return std::make_unique<AnnexDetailWindow>(*AnnexCatalog::instance().window(name),
                                                   AnnexContext{database.db(), *prompter, clock, &opener}, request);
    }
    template <class W> W* control(QWidget& window, const QString& name) {
        W* w = window.findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    void choose(QWidget& window, const QString& name, const QString& code) {
        auto* combo = control<QComboBox>(window, name);
        const int index = combo->findData(code);
        ASSERT_GE(index, 0) << name.toStdString() << " " << code.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    void type(QWidget& window, const QString& name, const QString& text) {
        auto* edit = control<QLineEdit>(window, name);
        edit->setFocus();
        edit->selectAll();
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &press);
        }
    }

    test::TempDatabase database;
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
    app::FixedClock clock{test::filingDay()};
    test::RecordingOpener opener;
};

// The window hands the user's keys to the model through the key filters, and the model's save
// writes the row; the window then stays open and empty for the next partner.
TEST_F(AnnexDetailWindowTest, PartnerTypedIntoTheWindowIsSaved) {
    auto window = open(QStringLiteral("frmDetalleSocios"));
    window->show();
    choose(*window, QStringLiteral("cboTipoSocio"), QStringLiteral("01"));
    choose(*window, QStringLiteral("cboTipoDoc"), QStringLiteral("01"));
    type(*window, QStringLiteral("txtNroDoc"), QStringLiteral("40123456"));
    type(*window, QStringLiteral("txtRazonSocial"), QStringLiteral("peña d'arcy luis"));
    EXPECT_EQ(control<QLineEdit>(*window, QStringLiteral("txtRazonSocial"))->text(), QStringLiteral("PEÑA DARCY LUIS"));
    type(*window, QStringLiteral("mskFecNac"), QStringLiteral("15031970"));
    EXPECT_EQ(window->model().value(QStringLiteral("fec_nac_socio")), QStringLiteral("15/03/1970"));
    choose(*window, QStringLiteral("cboPais"), QStringLiteral("9589"));
    type(*window, QStringLiteral("txtPorcentaje"), QStringLiteral("12.5.5"));
    EXPECT_EQ(window->model().value(QStringLiteral("Porcentaje")), QStringLiteral("12.55"));
    QTest::mouseClick(control<QPushButton>(*window, QStringLiteral("cmdAccion_0")), Qt::LeftButton);
    EXPECT_EQ(test::rowCount(database.db(), QStringLiteral("TMPF535SOCIOS")), 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(control<QLineEdit>(*window, QStringLiteral("txtNroDoc"))->text().isEmpty());
    EXPECT_EQ(control<QComboBox>(*window, QStringLiteral("cboTipoSocio"))->currentIndex(), -1);

    // Nothing typed since: "&Salir" closes without a question.
    QTest::mouseClick(control<QPushButton>(*window, QStringLiteral("cmdAccion_1")), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
}

} // namespace
} // namespace qel::annexes::ui
