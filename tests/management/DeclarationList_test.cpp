#include "app/StatusDisplay.h"
#include "management/DeclarationList.h"
#include "management/SentVersionsFixture.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace qel::management {
namespace {

class RecordingStatus : public app::StatusDisplay {
public:
    void showStatus(const QString& ruc, const QString& name, const QString& periodo,
                    const QString& formulario) override {
        shown.append(QStringList{ruc, name, periodo, formulario}.join(QLatin1Char('|')));
    }
    void clearName() override {}
    QStringList shown;
};

struct Taxpayer {
    QString ruc;
    QString name;
    QString user;
};

const QList<Taxpayer> kTaxpayers = {
    {QStringLiteral("20100070970"), QStringLiteral("D'ONOFRIO S.A."), QStringLiteral("CONTADOR")},
    {QStringLiteral("20100113610"), QStringLiteral("COMERCIAL ANDINA S.A.C."), QStringLiteral("CONTADOR")},
    {QStringLiteral("20131312955"), QStringLiteral("MINERA DEL SUR S.A."), QStringLiteral("OTRO")},
    {QStringLiteral("20100130204"), QStringLiteral("TEXTIL DEL NORTE S.A."), QStringLiteral("CONTADOR")},
    {QStringLiteral("20100047218"), QStringLiteral("BANCO DE PRUEBA S.A."), QStringLiteral("CONTADOR")},
    {QStringLiteral("20501234567"), QStringLiteral("SERVICIOS UNIDOS E.I.R.L."), QStringLiteral("CONTADOR")},
};

class DeclarationListTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const Taxpayer& taxpayer : kTaxpayers) {
            test::registerTaxpayer(db(), taxpayer.ruc, taxpayer.name, taxpayer.user);
            const store::DeclarationKey key = test::demoKey(taxpayer.ruc);
            test::addStoredDeclaration(db(), key, {{100, QStringLiteral("10")}}, 9);
            test::insertRow(db(), QStringLiteral("F535SOCIOS"), key);
        }
        // Another period is never listed.
        test::insertRow(db(), QStringLiteral("CAB"),
                        {kTaxpayers.first().ruc, QStringLiteral("2017"), QStringLiteral("0588")},
                        {{QStringLiteral("SEMANA"), 0}, {QStringLiteral("ESTADO"), 0}});
    }

    DeclarationList list(int operation, const QString& kind = QStringLiteral("0"),
                         const QString& user = QStringLiteral("SUPERVISOR")) {
        DeclarationList::Context context{db(), *prompter, &status, QStringLiteral("2018"), QStringLiteral("0588"),
                                         kind, user};
        return DeclarationList(context, operation, [this](int mode, const QVariantList& arguments) {
            opened.append({mode, arguments});
        });
    }

    store::Database& db() { return database.db(); }
    static int rowOf(const DeclarationList& declarations, const QString& ruc) {
        for (int i = 0; i < declarations.rows().size(); ++i) {
            if (declarations.rows().at(i).ruc == ruc) {
                return i;
            }
        }
        return -1;
    }

    test::TempDatabase database;
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
    RecordingStatus status;
    QList<std::pair<int, QVariantList>> opened;
};

TEST_F(DeclarationListTest, UserKindDecidesWhoseDeclarationsAreListed) {
    struct Case {
        QString kind;
        QString user;
        int rows;
    };
    for (const Case& c :
         {Case{QStringLiteral("0"), QStringLiteral("SUPERVISOR"), 6},
          Case{QStringLiteral("1"), QStringLiteral("CONTADOR"), 5},
          Case{QStringLiteral("1"), QStringLiteral("OTRO"), 1}, Case{QStringLiteral("1"), QString(), 0}}) {
        DeclarationList declarations = list(DeclarationList::Modify, c.kind, c.user);
        declarations.pCargadatos();
        EXPECT_EQ(declarations.rows().size(), c.rows) << c.user.toStdString();
        for (int i = 1; i < declarations.rows().size(); ++i) {
            EXPECT_LT(declarations.rows().at(i - 1).ruc, declarations.rows().at(i).ruc);
        }
    }
}

TEST_F(DeclarationListTest, ModifyReopensTheListOnTheDeclarationOpened) {
    DeclarationList declarations = list(DeclarationList::Modify);
    declarations.pCargadatos();
    declarations.setCurrent(4);
    const DeclarationRow fifth = declarations.rows().at(4);

    EXPECT_TRUE(declarations.runOperation());

    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.first().first, 1);
    EXPECT_EQ(opened.first().second, (QVariantList{fifth.ruc, fifth.nombre, false}));
    EXPECT_EQ(declarations.current(), 4);
    // A later reload (the window activated again) stays there too.
    declarations.pCargadatos();
    EXPECT_EQ(declarations.current(), 4);
    EXPECT_EQ(
        status.shown.last(),
        QStringList({fifth.ruc, fifth.nombre, QStringLiteral("2018"), QStringLiteral("0588")}).join(QLatin1Char('|')));
}

// No keeps every row; Yes removes that declaration's rows and no other's.
TEST_F(DeclarationListTest, DeleteRemovesOnlyTheConfirmedDeclaration) {
    DeclarationList declarations = list(DeclarationList::Delete);
    declarations.pCargadatos();
    declarations.setCurrent(rowOf(declarations, kTaxpayers.at(0).ruc));
    prompter->expectQuestion(QStringLiteral("¿Confirma que va a eliminar la declaración de\n\nD'ONOFRIO S.A.?"),
                             app::Button::No, app::Icon::Question, QStringLiteral("Eliminar Declaraciones"));
    EXPECT_FALSE(declarations.runOperation());
    EXPECT_EQ(test::rowCount(db(), QStringLiteral("CAB")), 7);
    EXPECT_EQ(test::rowCount(db(), QStringLiteral("F535SOCIOS")), 6);

    declarations.setCurrent(rowOf(declarations, kTaxpayers.at(1).ruc));
    prompter->expectQuestion(
        QStringLiteral("¿Confirma que va a eliminar la declaración de\n\nCOMERCIAL ANDINA S.A.C.?"), app::Button::Yes);
    EXPECT_TRUE(declarations.runOperation());
    for (const QString& table : {QStringLiteral("CAB"), QStringLiteral("DET"), QStringLiteral("F535SOCIOS")}) {
        EXPECT_EQ(test::rowCount(db(), table, test::demoKey(kTaxpayers.at(1).ruc)), 0) << table.toStdString();
    }
    EXPECT_EQ(test::rowCount(db(), QStringLiteral("DET")), 5);
    EXPECT_EQ(declarations.rows().size(), 5);
    EXPECT_TRUE(prompter->verify());
}

// An empty list runs nothing, asks nothing and opens nothing; leaving it clears the taxpayer
// from the status bar.
TEST_F(DeclarationListTest, EmptyListDoesNothing) {
    for (const int operation : {int(DeclarationList::Modify), int(DeclarationList::Delete)}) {
        DeclarationList declarations = list(operation, QStringLiteral("1"), QStringLiteral("NADIE"));
        declarations.pCargadatos();
        EXPECT_EQ(declarations.current(), -1);
        EXPECT_FALSE(declarations.runOperation());
        status.shown.clear();
        declarations.leave();
        EXPECT_EQ(status.shown, QStringList{QStringLiteral("||2018|0588")});
    }
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(prompter->shown().size(), 0);
}

TEST_F(DeclarationListTest, Captions) {
    DeclarationList modify = list(DeclarationList::Modify);
    EXPECT_EQ(modify.buttonCaption(), QStringLiteral("&Modificar"));
    EXPECT_EQ(modify.windowCaption(), QStringLiteral("Modificar Declaraciones"));
    EXPECT_EQ(list(DeclarationList::Delete).labelCaption(),
              QStringLiteral("Seleccione la Declaración que desea eliminar :"));
    EXPECT_EQ(DeclarationList::estadoText(9), QStringLiteral("9 - Con inconsistencias"));
}

} // namespace
} // namespace qel::management
