#include "app/StatusDisplay.h"
#include "management/DeclarationList.h"
#include "management/SentVersionsFixture.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

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
    {u"20100070970"_s, u"D'ONOFRIO S.A."_s, u"CONTADOR"_s},
    {u"20100113610"_s, u"COMERCIAL ANDINA S.A.C."_s, u"CONTADOR"_s},
    {u"20131312955"_s, u"MINERA DEL SUR S.A."_s, u"OTRO"_s},
    {u"20100130204"_s, u"TEXTIL DEL NORTE S.A."_s, u"CONTADOR"_s},
    {u"20100047218"_s, u"BANCO DE PRUEBA S.A."_s, u"CONTADOR"_s},
    {u"20501234567"_s, u"SERVICIOS UNIDOS E.I.R.L."_s, u"CONTADOR"_s},
};

class DeclarationListTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const Taxpayer& taxpayer : kTaxpayers) {
            test::registerTaxpayer(db(), taxpayer.ruc, taxpayer.name, taxpayer.user);
            const store::DeclarationKey key = test::demoKey(taxpayer.ruc);
            test::addStoredDeclaration(db(), key, {{100, u"10"_s}}, 9);
            test::insertRow(db(), u"F535SOCIOS"_s, key);
        }
        // Another period is never listed.
        test::insertRow(db(), u"CAB"_s, {kTaxpayers.first().ruc, u"2017"_s, u"0588"_s},
                        {{u"SEMANA"_s, 0}, {u"ESTADO"_s, 0}});
    }

    DeclarationList list(int operation, const QString& kind = u"0"_s, const QString& user = u"SUPERVISOR"_s) {
        DeclarationList::Context context{db(), *prompter, &status, u"2018"_s, u"0588"_s, kind, user};
        return DeclarationList(context, operation, [this](int mode, const QVariantList& arguments) {
            opened.append({mode, arguments});
        });
    }

    store::Database& db() { return database.db(); }

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
    for (const Case& c : {Case{u"0"_s, u"SUPERVISOR"_s, 6}, Case{u"1"_s, u"CONTADOR"_s, 5}, Case{u"1"_s, u"OTRO"_s, 1},
                          Case{u"1"_s, QString(), 0}}) {
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
    EXPECT_EQ(status.shown.last(), QStringList({fifth.ruc, fifth.nombre, u"2018"_s, u"0588"_s}).join(QLatin1Char('|')));
}

// No keeps every row; Yes removes that declaration's rows and no other's.
TEST_F(DeclarationListTest, DeleteRemovesOnlyTheConfirmedDeclaration) {
    DeclarationList declarations = list(DeclarationList::Delete);
    declarations.pCargadatos();
    declarations.setCurrent(1); // listed by RUC: D'ONOFRIO's, then ANDINA's
    prompter->expectQuestion(u"¿Confirma que va a eliminar la declaración de\n\nD'ONOFRIO S.A.?"_s, app::Button::No,
                             app::Icon::Question, u"Eliminar Declaraciones"_s);
    EXPECT_FALSE(declarations.runOperation());
    EXPECT_EQ(test::rowCount(db(), u"CAB"_s), 7);
    EXPECT_EQ(test::rowCount(db(), u"F535SOCIOS"_s), 6);

    declarations.setCurrent(2);
    prompter->expectQuestion(u"¿Confirma que va a eliminar la declaración de\n\nCOMERCIAL ANDINA S.A.C.?"_s,
                             app::Button::Yes);
    EXPECT_TRUE(declarations.runOperation());
    for (const QString& table : {u"CAB"_s, u"DET"_s, u"F535SOCIOS"_s}) {
        EXPECT_EQ(test::rowCount(db(), table, test::demoKey(kTaxpayers.at(1).ruc)), 0) << table.toStdString();
    }
    EXPECT_EQ(test::rowCount(db(), u"DET"_s), 5);
    EXPECT_EQ(declarations.rows().size(), 5);
    EXPECT_TRUE(prompter->verify());
}

// An empty list runs nothing, asks nothing and opens nothing; leaving it clears the taxpayer
// from the status bar.
TEST_F(DeclarationListTest, EmptyListDoesNothing) {
    for (const int operation : {int(DeclarationList::Modify), int(DeclarationList::Delete)}) {
        DeclarationList declarations = list(operation, u"1"_s, u"NADIE"_s);
        declarations.pCargadatos();
        EXPECT_EQ(declarations.current(), -1);
        EXPECT_FALSE(declarations.runOperation());
        status.shown.clear();
        declarations.leave();
        EXPECT_EQ(status.shown, QStringList{u"||2018|0588"_s});
    }
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(prompter->shown().size(), 0);
}

TEST_F(DeclarationListTest, Captions) {
    DeclarationList modify = list(DeclarationList::Modify);
    EXPECT_EQ(modify.buttonCaption(), u"&Modificar"_s);
    EXPECT_EQ(modify.windowCaption(), u"Modificar Declaraciones"_s);
    EXPECT_EQ(list(DeclarationList::Delete).labelCaption(), u"Seleccione la Declaración que desea eliminar :"_s);
    EXPECT_EQ(DeclarationList::estadoText(9), u"9 - Con inconsistencias"_s);
}

} // namespace
} // namespace qel::management
