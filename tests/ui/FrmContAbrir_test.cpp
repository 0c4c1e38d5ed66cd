#include "app/StatusDisplay.h"
#include "management/ui/FrmContAbrir.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace qel::management::ui {
namespace {

class RecordingStatus : public app::StatusDisplay {
public:
    void showStatus(const QString& ruc, const QString& name, const QString&, const QString&) override {
        shown.append(ruc + QLatin1Char('|') + name);
    }
    void clearName() override {}
    QStringList shown;
};

class FrmContAbrirTest : public ::testing::Test {
protected:
    void addDeclaration(const QString& ruc, const QString& name, int estado) {
        test::insertRow(database.db(), QStringLiteral("CONT"), {},
                        {{QStringLiteral("TIP_DOC_D"), 6},
                         {QStringLiteral("DOC_ID_D"), ruc},
                         {QStringLiteral("NOMBRE"), name},
                         {QStringLiteral("USUARIO"), QStringLiteral("CONTADOR")}});
        test::insertRow(database.db(), QStringLiteral("CAB"), test::demoKey(ruc),
                        {{QStringLiteral("SEMANA"), 0}, {QStringLiteral("ESTADO"), estado}});
    }

    std::unique_ptr<FrmContAbrir> window(int operation) {
        DeclarationList::Context context{database.db(),
                                         *prompter,
                                         &status,
                                         QStringLiteral("2018"),
                                         QStringLiteral("0588"),
                                         QStringLiteral("0"),
                                         QStringLiteral("SUPERVISOR")};
        auto form = std::make_unique<FrmContAbrir>(context, operation, [this](int, const QVariantList& arguments) {
            opened.append(arguments.value(0).toString());
        });
        form->pCargadatos();
        return form;
    }

    test::TempDatabase database;
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
    RecordingStatus status;
    QStringList opened;
};

TEST_F(FrmContAbrirTest, CaptionsFollowTheOperation) {
    struct Case {
        int operation;
        QString title;
        QString button;
        QString label;
    };
    for (const Case& c :
         {Case{DeclarationList::Modify, QStringLiteral("Modificar Declaraciones"), QStringLiteral("&Modificar"),
               QStringLiteral("Seleccione la Declaración que desea modificar :")},
          Case{DeclarationList::Delete, QStringLiteral("Eliminar Declaraciones"), QStringLiteral("&Eliminar"),
               QStringLiteral("Seleccione la Declaración que desea eliminar :")}}) {
        auto form = window(c.operation);
        EXPECT_EQ(form->windowTitle(), c.title);
        EXPECT_EQ(form->button(0)->text(), c.button);
        EXPECT_EQ(form->button(1)->text(), QStringLiteral("&Salir"));
        EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("lblMensaje"))->text(), c.label);
    }
}

TEST_F(FrmContAbrirTest, DoubleClickModifiesTheRowAndTheListStaysOnIt) {
    addDeclaration(QStringLiteral("20100070970"), QStringLiteral("D'ONOFRIO S.A."), 0);
    addDeclaration(QStringLiteral("20100113610"), QStringLiteral("COMERCIAL ANDINA S.A.C."), 9);
    auto form = window(DeclarationList::Modify);
    QTableView* grid = form->grid();
    ASSERT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(grid->model()->index(1, 4).data().toString(), QStringLiteral("9 - Con inconsistencias"));

    grid->setCurrentIndex(grid->model()->index(1, 1));
    EXPECT_EQ(status.shown.last(), QStringLiteral("20100113610|COMERCIAL ANDINA S.A.C."));
    emit grid->doubleClicked(grid->model()->index(1, 1));

    EXPECT_EQ(opened, QStringList{QStringLiteral("20100113610")});
    EXPECT_EQ(grid->currentIndex().row(), 1);
}

TEST_F(FrmContAbrirTest, EmptyListIgnoresTheButtonAndSalirClearsTheStatus) {
    auto form = window(DeclarationList::Delete);
    form->show();
    QTest::mouseClick(form->button(0), Qt::LeftButton);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    QTest::mouseClick(form->button(1), Qt::LeftButton);
    EXPECT_EQ(status.shown.last(), QStringLiteral("|"));
    EXPECT_FALSE(form->isVisible());
}

// A long business name does not push the RUC or the state out of sight.
TEST_F(FrmContAbrirTest, TheRucAndStateColumnsShowWhole) {
    addDeclaration(QStringLiteral("20601112222"),
                   QStringLiteral("COMERCIALIZADORA INTERNACIONAL DE PRODUCTOS AGROINDUSTRIALES DEL NORTE S.A.C."), 9);
    auto form = window(DeclarationList::Modify);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QTableView* grid = form->grid();
    const QHeaderView* header = grid->horizontalHeader();
    for (const int column : {0, 4}) {
        const QString text = grid->model()->index(0, column).data().toString();
        const int needed = grid->fontMetrics().horizontalAdvance(text);
        EXPECT_GE(header->sectionSize(column), needed) << qPrintable(text);
        EXPECT_LE(header->sectionViewportPosition(column) + header->sectionSize(column), grid->viewport()->width())
            << qPrintable(text);
    }
    form->grab().save(QStringLiteral("/tmp/shots/20/declaration_list.png"));
}

} // namespace
} // namespace qel::management::ui
