// The list windows of stored declarations (FrmContAbrir) and of sent versions (FrmContAbrirEnv):
// one model, shown by the real view, opened by name through the module's registry.
#include "../management/SentVersionsFixture.h"
#include "declaration/SaveFixture.h"
#include "declaration/ui/Frm537.h"
#include "management/DeclarationFormSession.h"
#include "management/ui/DeclarationListWindow.h"
#include "management/ui/FrmRecuperar.h"
#include "ui/WindowDriver.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QProgressBar>

namespace qel::management::ui {
namespace {

using Which = DeclarationListModel::Which;

const QString kRuc = QStringLiteral("20100113610");
const QString kOther = QStringLiteral("20100070970");

class DeclarationListWindowTest : public ::testing::Test, protected test::ModuleForms {
protected:
    void SetUp() override {
        test::registerTaxpayer(database.db(), kRuc, QStringLiteral("D'ONOFRIO S.A."));
        test::registerTaxpayer(database.db(), kOther, QStringLiteral("COMERCIAL ANDINA S.A.C."));
    }

    void addVersions() {
        test::addSentVersion(database.db(), test::demoKey(kRuc), QStringLiteral("1"), QStringLiteral("V1"), 1,
                             QStringLiteral("2019-03-20"));
        test::addSentVersion(database.db(), test::demoKey(kRuc), QStringLiteral("2"), QStringLiteral("V2"), 1,
                             QStringLiteral("2019-04-02"));
        test::addSentVersion(database.db(), test::demoKey(kOther), QStringLiteral("1"), QStringLiteral("A1"), 1,
                             QStringLiteral("2019-03-28"));
        const store::SqlFilter first = test::demoKey(kRuc).versionFilter(QStringLiteral("1"));
        database.db().run(QStringLiteral("UPDATE HCAB SET NORDEN='100008'") + first.text, first.values).finish();
    }

    void addDeclaration(const QString& ruc, int estado) {
        test::insertRow(database.db(), QStringLiteral("CAB"), test::demoKey(ruc),
                        {{QStringLiteral("SEMANA"), 0}, {QStringLiteral("ESTADO"), estado}});
    }

    std::unique_ptr<DeclarationListWindow> window(Which which, const QString& code) {
        auto model = std::make_unique<DeclarationListModel>(
            which,
            DeclarationListModel::Context{database.db(), *prompter, nullptr, QStringLiteral("2018"),
                                          QStringLiteral("0588"), QStringLiteral("0"), QStringLiteral("SUPERVISOR")},
            code,
            [this](int, const QVariantList& arguments) {
                opened.append(arguments.value(0).toString());
                return true;
            },
            nullptr);
        return std::make_unique<DeclarationListWindow>(std::move(model));
    }

    // Opens a list by name and runs `inside` on it while it is the modal window.
    void openList(const QString& name, const QString& code, const std::function<void(DeclarationListWindow&)>& inside) {
        test::whileModal<DeclarationListWindow>(
            name, [&] { open(name, code); }, inside);
    }

    void TearDown() override { prompter->verify(); }

    QStringList opened;
};

// Each list opens by name with its model's captions (which the lists' own tests check) on
// screen, the sent list with "&Visualizar".
TEST_F(DeclarationListWindowTest, TheRegistryOpensEachListWithTheCaptionsOfItsCode) {
    addVersions();
    addDeclaration(kRuc, 0);
    for (const auto& [listName, code] :
         {std::pair{"FrmContAbrir", "1"}, std::pair{"FrmContAbrir", "3"}, std::pair{"FrmContAbrirEnv", "1"},
          std::pair{"FrmContAbrirEnv", "3"}, std::pair{"FrmContAbrirEnv", "R"}}) {
        const QString name = QString::fromLatin1(listName);
        SCOPED_TRACE(std::string(listName) + " " + code);
        openList(name, QString::fromLatin1(code), [&](DeclarationListWindow& list) {
            const DeclarationListModel& model = list.model();
            const bool sent = model.which() == Which::Sent;
            EXPECT_EQ(list.objectName(), name);
            EXPECT_EQ(list.windowTitle(), model.windowCaption());
            EXPECT_EQ(list.findChild<QGroupBox*>(QStringLiteral("fraDeclaraciones"))->title(), model.frameCaption());
            EXPECT_EQ(list.findChild<QLabel*>(QStringLiteral("lblMensaje"))->text(), model.labelCaption());
            for (int i = 0; i < model.buttonCount(); ++i) {
                EXPECT_EQ(list.button(i)->text(), model.buttonCaption(i)) << i;
            }
            EXPECT_EQ(list.button(2) != nullptr, sent);
            EXPECT_EQ(list.grid()->model()->rowCount(), sent ? 3 : 1);
        });
    }
}

TEST_F(DeclarationListWindowTest, DoubleClickModifiesTheRowAndTheListStaysOnIt) {
    addDeclaration(kOther, 0);
    addDeclaration(kRuc, 9);
    auto list = window(Which::Stored, QStringLiteral("1"));
    QTableView* grid = list->grid();
    ASSERT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(grid->model()->index(1, 4).data().toString(), QStringLiteral("9 - Con inconsistencias"));

    grid->setCurrentIndex(grid->model()->index(1, 1));
    emit grid->doubleClicked(grid->model()->index(1, 1));

    EXPECT_EQ(opened, QStringList{kRuc});
    EXPECT_EQ(grid->currentIndex().row(), 1);
    EXPECT_FALSE(list->model().isClosed());
}

// The RUC, the order number, the control and the state keep their whole text beside a long
// business name.
TEST_F(DeclarationListWindowTest, KeyColumnsShowTheirWholeText) {
    const QString longName =
        QStringLiteral("COMERCIALIZADORA INTERNACIONAL DE PRODUCTOS AGROINDUSTRIALES DEL NORTE S.A.C.");
    database.db().run(QStringLiteral("UPDATE CONT SET NOMBRE=? WHERE DOC_ID_D=?"), {longName, kRuc}).finish();
    addDeclaration(kRuc, 9);
    test::addSentVersion(database.db(), test::demoKey(kRuc), QStringLiteral("12"), QStringLiteral("V1"), 1,
                         QStringLiteral("2019-03-20"));
    const store::SqlFilter version = test::demoKey(kRuc).versionFilter(QStringLiteral("12"));
    database.db()
        .run(QStringLiteral("UPDATE HCAB SET NORDEN='123456789', CONTROL='3690125478963' ") + version.text,
             version.values)
        .finish();

    struct Case {
        Which which;
        QList<int> columns;
    };
    for (const Case& c : {Case{Which::Stored, {0, 2, 3, 4}}, Case{Which::Sent, {0, 2, 3, 4, 5, 6, 7}}}) {
        SCOPED_TRACE(static_cast<int>(c.which));
        auto list = window(c.which, QStringLiteral("1"));
        list->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(list.get()));
        QTableView* grid = list->grid();
        const QHeaderView* header = grid->horizontalHeader();
        for (const int column : c.columns) {
            const QString text = grid->model()->index(0, column).data().toString();
            const int needed = grid->fontMetrics().horizontalAdvance(text);
            EXPECT_GE(header->sectionSize(column), needed) << qPrintable(text);
            EXPECT_LE(header->sectionViewportPosition(column) + header->sectionSize(column), grid->viewport()->width())
                << qPrintable(text);
        }
    }
}

// "Recuperar Declaración" as the user goes through it: the list, the recovery window over it,
// "&Recuperar", "&Salir", and the list again on the same row.
TEST_F(DeclarationListWindowTest, RecoveryWindowOpensOverTheListAndTheListComesBack) {
    addVersions();
    prompter->expectMessage(VersionRecovery::kRecovered);
    openList(QStringLiteral("FrmContAbrirEnv"), QStringLiteral("R"), [&](DeclarationListWindow& list) {
        list.grid()->setCurrentIndex(list.grid()->model()->index(2, 0));
        test::whileModal<FrmRecuperar>(
            QStringLiteral("FrmRecuperar"), [&] { list.button(0)->click(); },
            [&](FrmRecuperar& recovery) {
                QStringList source;
                for (const char* box : {"txtRuc", "txtRazonSocial", "txtNroOrden", "txtFechaEnvio"}) {
                    source.append(recovery.findChild<QLineEdit*>(QString::fromLatin1(box))->text());
                }
                EXPECT_EQ(source, (QStringList{kRuc, QStringLiteral("D'ONOFRIO S.A."), QStringLiteral("100008"),
                                               QStringLiteral("20/03/2019")}));
                recovery.button(QStringLiteral("cmdRecuperar"))->click();
                EXPECT_GT(recovery.progressBar()->maximum(), 1);
                EXPECT_EQ(recovery.progressBar()->value(), recovery.progressBar()->maximum());
                recovery.button(QStringLiteral("cmdSalir"))->click();
            });
        EXPECT_EQ(list.grid()->currentIndex().row(), 2);
    });
    EXPECT_EQ(
        test::tableRows(database.db(), QStringLiteral("CAB"), {QStringLiteral("ESTADO")}, test::demoKey(kRuc).filter()),
        QStringList{QStringLiteral("9")});
}

// "&Visualizar" opens the version in the declaration form over the list, with its order-number
// boxes; the list is there again when the form closes.
TEST_F(DeclarationListWindowTest, ViewOpensTheVersionInTheFormOverTheList) {
    addVersions();
    openList(QStringLiteral("FrmContAbrirEnv"), QStringLiteral("1"), [&](DeclarationListWindow& list) {
        list.grid()->setCurrentIndex(list.grid()->model()->index(1, 0));
        test::whileModal<declaration::Frm537>(
            QStringLiteral("Frm537"), [&] { list.button(2)->click(); },
            [&](declaration::Frm537& form) {
                EXPECT_EQ(form.findChild<QComboBox*>(QStringLiteral("CmbRuc"))->currentData().toString(), kRuc);
                EXPECT_TRUE(test::child<QLineEdit>(form, QStringLiteral("TxtNumOrdenE"))->isVisible());
            });
        EXPECT_TRUE(list.isVisible() && !list.model().isClosed());
    });
}

} // namespace
} // namespace qel::management::ui
