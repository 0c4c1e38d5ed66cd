#include "annexes/AnnexFixture.h"
#include "app/Clock.h"
#include "batch/BatchFixture.h"
#include "printing/DeclarationReport.h"
#include "printing/PrintTypeModel.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qel::printing {
namespace {

using annexes::testing::columns;

class PrintTypeModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::registerTaxpayer(db(), u"20100070970"_s, u"EMPRESA UNO"_s);
        test::registerTaxpayer(db(), u"20555555551"_s, u"EMPRESA DOS"_s, u"OTRO"_s);
        for (const QString& ruc : {u"20555555551"_s, u"20100070970"_s}) {
            test::insertRow(db(), u"CAB"_s, test::demoKey(ruc), {{u"SEMANA"_s, 0}});
        }
        test::insertRow(db(), u"F586DONAC"_s, test::demoKey(),
                        columns(u"TIP_DONACION=1; des_nom_razon=DONATARIO; mto_donacion=900"_s));
    }
    store::Database& db() { return database.db(); }

    PrintTypeModel model(const QString& user, const QString& kind, bool sent = false) {
        return PrintTypeModel(
            {db(), *prompter, clock, user, kind, u"2018"_s, u"0588"_s, database.folder() + u"/RPT"_s, sent},
            [this](const QString& path) { previews.append(path); });
    }

    test::TempDatabase database;
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
    app::FixedClock clock{test::filingDay()};
    QStringList previews;
};

TEST_F(PrintTypeModelTest, ListsTheUsersDeclarationsByRuc) {
    const struct {
        const char* user;
        const char* kind;
        QStringList rucs;
    } cases[] = {
        {"SUPERVISOR", "0", {u"20100070970"_s, u"20555555551"_s}},
        {"SUPERVISOR", "1", {u"20100070970"_s}},
        {"OTRO", "1", {u"20555555551"_s}},
    };
    for (const auto& c : cases) {
        PrintTypeModel list = model(QString::fromUtf8(c.user), QString::fromUtf8(c.kind));
        list.load();
        QStringList rucs;
        for (const auto& row : list.rows()) {
            rucs.append(row.ruc);
        }
        EXPECT_EQ(rucs, c.rucs) << c.user << " " << c.kind;
    }
}

TEST_F(PrintTypeModelTest, PrintWritesTheSpoolFileAnnouncesItsPagesAndOpensThePreview) {
    PrintTypeModel list = model(test::kSupervisor, u"0"_s);
    list.load();
    list.select(0);
    for (const bool annexes : {false, true}) {
        list.setWithAnnexes(annexes);
        const int pages = DeclarationReport(db(), test::demoKey()).write(annexes, clock.now()).pageCount();
        prompter->expectMessage(u"Impresión de %1 páginas"_s.arg(pages), app::Icon::Information,
                                u"Declaraciones Registradas"_s);
        const auto printed = list.print();
        ASSERT_TRUE(printed);
        EXPECT_EQ(printed->entry.codRep, annexes ? u"RPJ098"_s : u"RPJ096"_s);
        EXPECT_EQ(printed->entry.secuencia, u"000001"_s);
        EXPECT_EQ(previews.last(), printed->entry.path);
        // The PDF is offered under the form, RUC, period and report, never the spool's number.
        EXPECT_EQ(list.pdfName(), u"0588_%1_2018_%2.pdf"_s.arg(test::demoKey().ruc, printed->entry.codRep));
    }
    EXPECT_EQ(test::rowCount(db(), u"SPOOL"_s), 2);
    EXPECT_TRUE(prompter->verify());
}

TEST_F(PrintTypeModelTest, SentDeclarationsAreListedNewestFirstAndPrintTheirVersion) {
    const store::DeclarationKey key = test::demoKey();
    for (const auto& [correl, day] : {std::pair{"1", "2019-03-01"}, std::pair{"2", "2019-03-10"}}) {
        test::insertRow(db(), u"HCAB"_s, key, columns(u"CORREL=%1; NORDEN=80000%1; FEC_ENV=%2"_s.arg(correl, day)));
    }
    PrintTypeModel list = model(test::kSupervisor, u"0"_s, true);
    list.load();
    ASSERT_EQ(list.rows().size(), 2);
    EXPECT_EQ(list.rows().at(0).correl, u"2"_s);
    EXPECT_EQ(list.cells(0).at(5), u"10/03/2019"_s);
    const int pages = DeclarationReport(db(), key, u"2"_s).write(false, clock.now()).pageCount();
    prompter->expectMessage(u"Impresión de %1 páginas"_s.arg(pages));
    const auto printed = list.print();
    ASSERT_TRUE(printed);
    EXPECT_TRUE(test::readFile(printed->entry.path).contains("Nro. Orden: 800002"));
    EXPECT_EQ(list.pdfName(), u"0588_%1_2018_2_RPJ096.pdf"_s.arg(key.ruc));
}

} // namespace
} // namespace qel::printing
