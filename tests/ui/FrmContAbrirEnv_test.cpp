#include "../management/SentVersionsFixture.h"
#include "app/ProcessState.h"
#include "app/ui/FormLauncher.h"
#include "declaration/SaveFixture.h"
#include "declaration/ui/Frm537.h"
#include "management/DeclarationFormSession.h"
#include "management/ui/FrmContAbrirEnv.h"
#include "management/ui/FrmRecuperar.h"
#include "program/FormRegistry.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace qel::management::ui {
namespace {

using declaration::testing::RecordingPrompter;

// Pictures for a person to look at, written only when QEL_SHOTS names a folder:
//   QEL_SHOTS=/tmp/shots/18 ./tests/qel_ui_tests --gtest_filter='FrmContAbrirEnv*'
void shoot(QWidget& window, const QString& name) {
    const QString folder = qEnvironmentVariable("QEL_SHOTS");
    if (folder.isEmpty()) {
        return;
    }
    QApplication::processEvents();
    QDir().mkpath(folder);
    window.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

const QString kRuc = QStringLiteral("20100113610");

class FrmContAbrirEnvTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::registerTaxpayer(database.db(), kRuc, QStringLiteral("D'ONOFRIO S.A."));
        test::registerTaxpayer(database.db(), QStringLiteral("20100070970"), QStringLiteral("COMERCIAL ANDINA S.A.C."));
    }

    void addVersions() {
        test::addSentVersion(database.db(), test::demoKey(kRuc), QStringLiteral("1"), QStringLiteral("V1"), 1,
                             QStringLiteral("2019-03-20"));
        test::addSentVersion(database.db(), test::demoKey(kRuc), QStringLiteral("2"), QStringLiteral("V2"), 1,
                             QStringLiteral("2019-04-02"));
        test::addSentVersion(database.db(), test::demoKey(QStringLiteral("20100070970")), QStringLiteral("1"),
                             QStringLiteral("A1"), 1, QStringLiteral("2019-03-28"));
        const store::SqlFilter first = test::demoKey(kRuc).versionFilter(QStringLiteral("1"));
        database.db().run(QStringLiteral("UPDATE HCAB SET NORDEN='100008'") + first.text, first.values).finish();
    }

    std::unique_ptr<FrmContAbrirEnv> window(int listMode, bool recovering) {
        auto form = std::make_unique<FrmContAbrirEnv>(SentDeclarationList::Context{
            database.db(), prompter, nullptr, QStringLiteral("2018"), QStringLiteral("0588"), QStringLiteral("0"),
            QStringLiteral("SUPERVISOR"), listMode, recovering});
        form->list().setFormOpener([this](int, const QVariantList& arguments) { opened.append(arguments); });
        form->pCargadatos();
        return form;
    }

    test::TempDatabase database;
    RecordingPrompter prompter;
    QList<QVariantList> opened;
};

TEST_F(FrmContAbrirEnvTest, ThreeModesShowTheirCaptionsAndTheVersions) {
    addVersions();
    struct Case {
        int listMode;
        bool recovering;
        const char* button;
        const char* shot;
    };
    for (const Case& c : {Case{1, false, "&Registrar", "list-register"}, Case{3, false, "&Eliminar", "list-delete"},
                          Case{1, true, "&Recuperar", "list-recover"}}) {
        SCOPED_TRACE(c.shot);
        auto form = window(c.listMode, c.recovering);
        EXPECT_EQ(form->findChild<QGroupBox*>(QStringLiteral("fraDeclaraciones"))->title(),
                  QStringLiteral("Declaraciones Enviadas"));
        EXPECT_EQ(form->button(0)->text(), QString::fromUtf8(c.button));
        EXPECT_EQ(form->button(1)->text(), QStringLiteral("&Salir"));
        EXPECT_EQ(form->button(2)->text(), QStringLiteral("&Visualizar"));
        QTableView* grid = form->grid();
        ASSERT_EQ(grid->model()->rowCount(), 3);
        EXPECT_EQ(grid->model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("N. Orden"));
        EXPECT_EQ(grid->model()->index(2, 4).data().toString(), QStringLiteral("100008"));
        EXPECT_EQ(grid->model()->index(1, 5).data().toString(), QStringLiteral("02/04/2019"));

        form->show();
        shoot(*form, QString::fromLatin1(c.shot));
    }
}

TEST_F(FrmContAbrirEnvTest, EmptyListDisablesTheGridAndRunsNothing) {
    auto form = window(3, false);
    form->show();
    EXPECT_FALSE(form->grid()->isEnabled());
    QTest::mouseClick(form->button(0), Qt::LeftButton);
    QTest::mouseClick(form->button(2), Qt::LeftButton);
    EXPECT_TRUE(prompter.shown.isEmpty());
    EXPECT_TRUE(opened.isEmpty());
    QTest::mouseClick(form->button(1), Qt::LeftButton);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(FrmContAbrirEnvTest, RegistryOpensTheListInTheModeOfTheProcessState) {
    addVersions();
    app::ProcessState state;
    state.db = std::move(store::Database::open(database.path()).database);
    state.prompter = &prompter;
    state.sysUser = QStringLiteral("SUPERVISOR");
    app::ui::FormLauncher forms(prompter);
    app::ui::registerModuleForms(forms, state, prompter);

    struct Case {
        int listMode;
        bool recovering;
        const char* caption;
        const char* button;
        const char* label;
    };
    for (const Case& c :
         {Case{1, false, "Registrar número de orden", "&Registrar",
               "Seleccione la Declaración en la que desea registrar el número de orden asignado por KOLVA :"},
          Case{3, false, "Eliminar Declaraciones Enviadas", "&Eliminar",
               "Seleccione la Declaración que desea eliminar :"},
          Case{1, true, "Registrar número de orden", "&Recuperar",
               "Seleccione la Declaración que desea recuperar :"}}) {
        SCOPED_TRACE(c.button);
        state.listMode = c.listMode;
        state.recovering = c.recovering;
        QString caption;
        QString button;
        QString label;
        int rows = 0;
        QTimer::singleShot(0, [&] {
            auto* list = qobject_cast<FrmContAbrirEnv*>(QApplication::activeModalWidget());
            ASSERT_NE(list, nullptr);
            caption = list->windowTitle();
            button = list->button(0)->text();
            label = list->findChild<QLabel*>(QStringLiteral("lblMensaje"))->text();
            rows = list->grid()->model()->rowCount();
            list->button(1)->click();
        });
        app::FormRequest request;
        request.name = QStringLiteral("FrmContAbrirEnv");
        forms.open(request);
        EXPECT_EQ(caption, QString::fromUtf8(c.caption));
        EXPECT_EQ(button, QString::fromUtf8(c.button));
        EXPECT_EQ(label, QString::fromUtf8(c.label));
        EXPECT_EQ(rows, 3);
    }
}

// "Recuperar Declaración" as the user goes through it: the list, the recovery window over it,
// "&Recuperar", "&Salir", and the list again.
TEST_F(FrmContAbrirEnvTest, RecoveryWindowOpensOverTheListAndTheListComesBack) {
    addVersions();
    app::ProcessState state;
    state.db = std::move(store::Database::open(database.path()).database);
    state.prompter = &prompter;
    state.sysUser = QStringLiteral("SUPERVISOR");
    state.listMode = 1;
    state.recovering = true;
    app::ui::FormLauncher forms(prompter);
    app::ui::registerModuleForms(forms, state, prompter);

    QStringList source;
    bool progressFull = false;
    int listRowAfter = -1;
    QTimer::singleShot(0, [&] {
        auto* list = qobject_cast<FrmContAbrirEnv*>(QApplication::activeModalWidget());
        ASSERT_NE(list, nullptr);
        list->grid()->setCurrentIndex(list->grid()->model()->index(2, 0));
        QTimer::singleShot(0, [&] {
            auto* recovery = qobject_cast<FrmRecuperar*>(QApplication::activeModalWidget());
            ASSERT_NE(recovery, nullptr);
            for (const char* box : {"txtRuc", "txtRazonSocial", "txtNroOrden", "txtFechaEnvio"}) {
                source.append(recovery->findChild<QLineEdit*>(QString::fromLatin1(box))->text());
            }
            shoot(*recovery, QStringLiteral("recovery-before"));
            recovery->button(QStringLiteral("cmdRecuperar"))->click();
            progressFull = recovery->progressBar()->maximum() > 1 &&
                           recovery->progressBar()->value() == recovery->progressBar()->maximum();
            shoot(*recovery, QStringLiteral("recovery-after"));
            recovery->button(QStringLiteral("cmdSalir"))->click();
        });
        list->button(0)->click();
        listRowAfter = list->grid()->currentIndex().row();
        list->button(1)->click();
    });
    app::FormRequest request;
    request.name = QStringLiteral("FrmContAbrirEnv");
    forms.open(request);

    EXPECT_EQ(source, (QStringList{kRuc, QStringLiteral("D'ONOFRIO S.A."), QStringLiteral("100008"),
                                   QStringLiteral("20/03/2019")}));
    EXPECT_TRUE(progressFull);
    ASSERT_EQ(prompter.shown.size(), 1);
    EXPECT_EQ(prompter.shown.at(0).text, VersionRecovery::kRecovered);
    EXPECT_EQ(listRowAfter, 2);
    EXPECT_EQ(
        test::tableRows(database.db(), QStringLiteral("CAB"), {QStringLiteral("ESTADO")}, test::demoKey(kRuc).filter()),
        QStringList{QStringLiteral("9")});
}

TEST_F(FrmContAbrirEnvTest, SentVersionFormShowsTheOrderNumberFrame) {
    addVersions();
    app::FixedClock clock{test::filingDay()};
    app::UtilityComponent utility{prompter, &database.db()};
    test::RecordingOpener opener;
    DeclarationFormSession session(
        test::formContext(database.db(), prompter, clock, utility, opener),
        DeclarationFormArguments::fromList(
            1, {kRuc, QStringLiteral("D'ONOFRIO S.A."), true, QStringLiteral("2"), QStringLiteral("V2-CTRL")}));
    session.load();
    declaration::Frm537 form(session.model());
    form.show();
    QApplication::processEvents();
    auto* number = form.findChild<QLineEdit*>(QStringLiteral("TxtNumOrdenE"));
    ASSERT_NE(number, nullptr);
    EXPECT_TRUE(number->isVisible());
    EXPECT_TRUE(number->isEnabled());
    auto* ruc = form.findChild<QComboBox*>(QStringLiteral("CmbRuc"));
    ASSERT_NE(ruc, nullptr);
    EXPECT_EQ(session.model().comboCode(QStringLiteral("CmbRuc")), kRuc);
    EXPECT_EQ(ruc->currentData().toString(), kRuc);
    shoot(form, QStringLiteral("form-sent-version"));
}

} // namespace
} // namespace qel::management::ui
