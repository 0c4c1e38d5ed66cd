#include "app/Clock.h"
#include "printing/DeclarationReport.h"
#include "printing/PrintTypeModel.h"
#include "printing/ReportDocument.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace qel::printing {
namespace {

class PrintTypeModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::registerTaxpayer(db(), QStringLiteral("20100070970"), QStringLiteral("EMPRESA UNO"));
        test::registerTaxpayer(db(), QStringLiteral("20555555551"), QStringLiteral("EMPRESA DOS"),
                               QStringLiteral("OTRO"));
        for (const QString& ruc : {QStringLiteral("20555555551"), QStringLiteral("20100070970")}) {
            test::insertRow(db(), QStringLiteral("CAB"), test::demoKey(ruc), {{QStringLiteral("SEMANA"), 0}});
        }
        test::insertRow(db(), QStringLiteral("F586DONAC"), test::demoKey(),
                        {{QStringLiteral("TIP_DONACION"), QStringLiteral("1")},
                         {QStringLiteral("des_nom_razon"), QStringLiteral("DONATARIO")},
                         {QStringLiteral("mto_donacion"), 900}});
    }
    store::Database& db() { return database.db(); }

    PrintTypeModel model(const QString& user, const QString& kind, bool sent = false) {
        return PrintTypeModel({db(), *prompter, clock, user, kind, QStringLiteral("2018"), QStringLiteral("0588"),
                               database.folder() + QStringLiteral("/RPT"), sent},
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
        {"SUPERVISOR", "0", {QStringLiteral("20100070970"), QStringLiteral("20555555551")}},
        {"SUPERVISOR", "1", {QStringLiteral("20100070970")}},
        {"OTRO", "1", {QStringLiteral("20555555551")}},
    };
    for (const auto& c : cases) {
        PrintTypeModel list = model(QString::fromUtf8(c.user), QString::fromUtf8(c.kind));
        list.load();
        QStringList rucs;
        for (const auto& row : list.rows()) {
            rucs.append(row.ruc);
        }
        EXPECT_EQ(rucs, c.rucs) << c.user << " " << c.kind;
        EXPECT_EQ(list.caption(), QStringLiteral("Declaraciones Registradas"));
    }
}

TEST_F(PrintTypeModelTest, PrintWritesTheSpoolFileAnnouncesItsPagesAndOpensThePreview) {
    PrintTypeModel list = model(test::kSupervisor, QStringLiteral("0"));
    list.load();
    list.select(0);
    for (const bool annexes : {false, true}) {
        list.setWithAnnexes(annexes);
        const int pages = DeclarationReport(db(), test::demoKey()).write(annexes, clock.now()).pageCount();
        prompter->expectMessage(QStringLiteral("Impresión de %1 páginas").arg(pages), app::Icon::Information,
                                QStringLiteral("Declaraciones Registradas"));
        const auto printed = list.print();
        ASSERT_TRUE(printed);
        EXPECT_EQ(printed->entry.codRep, annexes ? QStringLiteral("RPJ098") : QStringLiteral("RPJ096"));
        EXPECT_EQ(printed->entry.secuencia, QStringLiteral("000001"));
        EXPECT_EQ(printed->pages, pages);
        EXPECT_EQ(ReportDocument::fromFile(printed->entry.path).pageCount(), pages);
        EXPECT_EQ(previews.last(), printed->entry.path);
        // The PDF is offered under the form, RUC, period and report, never the spool's number.
        EXPECT_EQ(list.pdfName(),
                  QStringLiteral("0588_%1_2018_%2.pdf").arg(test::demoKey().ruc, printed->entry.codRep));
    }
    EXPECT_EQ(test::rowCount(db(), QStringLiteral("SPOOL")), 2);
    EXPECT_TRUE(prompter->verify());
}

TEST_F(PrintTypeModelTest, SentDeclarationsAreListedNewestFirstAndPrintTheirVersion) {
    const store::DeclarationKey key = test::demoKey();
    for (const auto& [correl, day] : {std::pair{"1", "2019-03-01"}, std::pair{"2", "2019-03-10"}}) {
        test::insertRow(db(), QStringLiteral("HCAB"), key,
                        {{QStringLiteral("CORREL"), QString::fromUtf8(correl)},
                         {QStringLiteral("NORDEN"), QStringLiteral("80000") + QString::fromUtf8(correl)},
                         {QStringLiteral("FEC_ENV"), QString::fromUtf8(day)}});
    }
    PrintTypeModel list = model(test::kSupervisor, QStringLiteral("0"), true);
    list.load();
    ASSERT_EQ(list.rows().size(), 2);
    EXPECT_EQ(list.rows().at(0).correl, QStringLiteral("2"));
    EXPECT_EQ(list.cells(0).at(5), QStringLiteral("10/03/2019"));
    const int pages = DeclarationReport(db(), key, QStringLiteral("2")).write(false, clock.now()).pageCount();
    prompter->expectMessage(QStringLiteral("Impresión de %1 páginas").arg(pages));
    const auto printed = list.print();
    ASSERT_TRUE(printed);
    QFile file(printed->entry.path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(file.readAll()).contains(QStringLiteral("Nro. Orden: 800002")));
    EXPECT_EQ(list.pdfName(), QStringLiteral("0588_%1_2018_2_RPJ096.pdf").arg(key.ruc));
}

} // namespace
} // namespace qel::printing
