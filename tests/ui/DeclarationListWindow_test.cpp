// The list windows of stored declarations (FrmContAbrir) and of sent versions (FrmContAbrirEnv):
// one model, shown by the real view, opened by name through the module's registry.
#include "../management/SentVersionsFixture.h"
#include "app/StatusDisplay.h"
#include "declaration/SaveFixture.h"
#include "declaration/ui/Frm537.h"
#include "management/DeclarationFormSession.h"
#include "management/ui/DeclarationListWindow.h"
#include "management/ui/FrmRecuperar.h"
#include "ui/WindowDriver.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>

namespace qel::management::ui {
namespace {

using Which = DeclarationListModel::Which;

const QString kRuc = QStringLiteral("20100113610");
const QString kOther = QStringLiteral("20100070970");

class RecordingStatus : public app::StatusDisplay {
public:
    void showStatus(const QString& ruc, const QString& name, const QString&, const QString&) override {
        shown.append(ruc + QLatin1Char('|') + name);
    }
    void clearName() override {}
    QStringList shown;
};

class DeclarationListWindowTest : public ::testing::Test, protected test::ModuleForms {
protected:
    void SetUp() override {
        state.status = &status;
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
            DeclarationListModel::Context{database.db(), *prompter, &status, QStringLiteral("2018"),
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

    RecordingStatus status;
    QStringList opened;
};

TEST_F(DeclarationListWindowTest, TheRegistryOpensEachListWithTheCaptionsOfItsCode) {
    addVersions();
    addDeclaration(kRuc, 0);
    struct Case {
        const char* name;
        const char* code;
        const char* caption;
        const char* button;
        const char* label;
    };
    for (const Case& c : {
             Case{"FrmContAbrir", "1", "Modificar Declaraciones", "&Modificar",
                  "Seleccione la Declaración que desea modificar :"},
             Case{"FrmContAbrir", "3", "Eliminar Declaraciones", "&Eliminar",
                  "Seleccione la Declaración que desea eliminar :"},
             Case{"FrmContAbrirEnv", "1", "Registrar número de orden", "&Registrar",
                  "Seleccione la Declaración en la que desea registrar el número de orden asignado por KOLVA :"},
             Case{"FrmContAbrirEnv", "3", "Eliminar Declaraciones Enviadas", "&Eliminar",
                  "Seleccione la Declaración que desea eliminar :"},
             Case{"FrmContAbrirEnv", "R", "Registrar número de orden", "&Recuperar",
                  "Seleccione la Declaración que desea recuperar :"},
         }) {
        SCOPED_TRACE(std::string(c.name) + " " + c.code);
        const bool sent = QLatin1String(c.name) == QLatin1String("FrmContAbrirEnv"); // with Visualizar
        openList(QString::fromLatin1(c.name), QString::fromLatin1(c.code), [&](DeclarationListWindow& list) {
            EXPECT_EQ(list.objectName(), QString::fromLatin1(c.name));
            EXPECT_EQ(list.windowTitle(), QString::fromUtf8(c.caption));
            EXPECT_EQ(list.findChild<QGroupBox*>(QStringLiteral("fraDeclaraciones"))->title(),
                      sent ? QStringLiteral("Declaraciones Enviadas") : QStringLiteral("Declaraciones Registradas"));
            EXPECT_EQ(list.findChild<QLabel*>(QStringLiteral("lblMensaje"))->text(), QString::fromUtf8(c.label));
            EXPECT_EQ(list.button(0)->text(), QString::fromUtf8(c.button));
            EXPECT_EQ(list.button(1)->text(), QStringLiteral("&Salir"));
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
    EXPECT_EQ(status.shown.last(), kRuc + QStringLiteral("|D'ONOFRIO S.A."));
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
                auto* number = test::child<QLineEdit>(form, QStringLiteral("TxtNumOrdenE"));
                EXPECT_TRUE(number != nullptr && number->isVisible() && number->isEnabled());
            });
        EXPECT_TRUE(list.isVisible() && !list.model().isClosed());
    });
}

} // namespace
} // namespace qel::management::ui
