#include "declaration/ui/Frm537.h"
#include "management/DeclarationFormSession.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// What a user types into the identification data of the window comes back in the window
// when the declaration is opened again, and saving it again stores the same rows.

namespace qel::management {
namespace {

const QString kRuc = QStringLiteral("20100070970");

class IdentificationRoundTrip : public ::testing::Test {
protected:
    void SetUp() override { test::registerTaxpayer(database.db(), kRuc, QStringLiteral("EMPRESA DE PRUEBA S.A.C.")); }

    declaration::Frm537& open(int mode) {
        window.reset();
        session.reset();
        const QVariantList arguments =
            mode == 1 ? QVariantList{kRuc, QStringLiteral("EMPRESA DE PRUEBA S.A.C."), false} : QVariantList{};
        session =
            std::make_unique<DeclarationFormSession>(test::formContext(database.db(), prompter, clock, utility, opener),
                                                     DeclarationFormArguments::fromList(mode, arguments));
        session->load();
        window = std::make_unique<declaration::Frm537>(session->model());
        window->show();
        QApplication::processEvents();
        return *window;
    }

    template <typename T = QWidget> T* child(const QString& name) {
        T* widget = window->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    void choose(const QString& combo, const QString& code) {
        auto* box = child<QComboBox>(combo);
        box->setFocus();
        const int index = box->findData(code);
        ASSERT_GE(index, 0) << combo.toStdString() << " " << code.toStdString();
        // Down from no entry, key by key, as a user chooses with the keyboard.
        box->setCurrentIndex(-1);
        for (int i = 0; i <= index; ++i) {
            QTest::keyClick(box, Qt::Key_Down);
        }
        EXPECT_EQ(box->currentData().toString(), code) << combo.toStdString();
    }

    void type(const QString& name, const QString& text) {
        auto* edit = child<QLineEdit>(name);
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }

    void click(const QString& name) { QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton); }

    // What the identification page shows, as the user reads it.
    QStringList shown() {
        QStringList values;
        for (const char* name :
             {"txtTelCon", "txtTelCon2", "txtmail", "txtcorreo", "txtmail2", "txtmail3", "txtApellidoRL", "txtNombreRL",
              "TxtNombreA", "TxtNombreN", "txtValor_226", "txtValor_207"}) {
            values.append(QString::fromLatin1(name) + QLatin1Char('=') +
                          child<QLineEdit>(QString::fromLatin1(name))->text());
        }
        for (const char* name : {"cboTipDocRepLegal", "cboContador"}) {
            values.append(QString::fromLatin1(name) + QLatin1Char('=') +
                          child<QComboBox>(QString::fromLatin1(name))->currentData().toString());
        }
        return values;
    }

    test::TempDatabase database;
    // Tells what the form said, so that a refused save names its reason.
    class TellingPrompter : public test::SilentPrompter {
    public:
        void message(const QString& text, const QString&, app::Icon) override { said.append(text); }
        QStringList said;
    } prompter;
    app::FixedClock clock{test::filingDay()};
    app::UtilityComponent utility{prompter, &database.db()};
    test::RecordingOpener opener;
    std::unique_ptr<DeclarationFormSession> session;
    std::unique_ptr<declaration::Frm537> window;
};

TEST_F(IdentificationRoundTrip, TheIdentificationDataComeBackInTheWindow) {
    open(0);
    choose(QStringLiteral("CmbRuc"), kRuc);
    click(QStringLiteral("OptITF_0"));
    click(QStringLiteral("OptPlan_1"));
    window->showPage(QStringLiteral("info.general"));
    choose(QStringLiteral("cboTipDocRepLegal"), QStringLiteral("01"));
    type(QStringLiteral("txtValor_226"), QStringLiteral("41234567"));
    type(QStringLiteral("txtApellidoRL"), QStringLiteral("QUISPE MAMANI"));
    type(QStringLiteral("txtNombreRL"), QStringLiteral("LUIS"));
    choose(QStringLiteral("cboContador"), QStringLiteral("01"));
    type(QStringLiteral("txtValor_207"), QStringLiteral("09876543"));
    type(QStringLiteral("TxtNombreA"), QStringLiteral("HUAMAN TORRES"));
    type(QStringLiteral("TxtNombreN"), QStringLiteral("CARMEN"));
    type(QStringLiteral("txtTelCon"), QStringLiteral("4251234"));
    type(QStringLiteral("txtTelCon2"), QStringLiteral("987654321"));
    type(QStringLiteral("txtmail"), QStringLiteral("conta@empresa.pe"));
    type(QStringLiteral("txtcorreo"), QStringLiteral("conta@empresa.pe"));
    type(QStringLiteral("txtmail2"), QStringLiteral("chuaman@estudio.pe"));
    type(QStringLiteral("txtmail3"), QStringLiteral("lquispe@empresa.pe"));
    const QStringList typed = shown();
    EXPECT_TRUE(typed.contains(QStringLiteral("txtTelCon=4251234"))) << typed.join(QLatin1Char(' ')).toStdString();
    click(QStringLiteral("cmdGrabar"));
    const QStringList firstSave = test::declarationRows(database.db(), test::demoKey(kRuc));
    ASSERT_FALSE(firstSave.isEmpty()) << prompter.said.join(QLatin1Char('\n')).toStdString();

    open(1);
    window->showPage(QStringLiteral("info.general"));
    EXPECT_EQ(shown(), typed);
    click(QStringLiteral("cmdGrabar"));
    EXPECT_EQ(test::declarationRows(database.db(), test::demoKey(kRuc)), firstSave);
}

} // namespace
} // namespace qel::management
