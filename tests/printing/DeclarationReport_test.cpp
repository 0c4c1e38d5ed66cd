#include "management/SentVersionsFixture.h"
#include "printing/DeclarationReport.h"
#include "printing/PageDescription.h"
#include "printing/ReportDocument.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace qel::printing {
namespace {

const QDateTime kPrintedAt(QDate(2019, 3, 15), QTime(10, 0));

class DeclarationReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::registerTaxpayer(db(), key.ruc, QStringLiteral("D'ONOFRIO S.A."));
        test::addStoredDeclaration(db(), key, {{100, "1234567"}, {359, "-4000"}, {870, "2"}});
    }
    store::Database& db() { return database.db(); }

    // The texts of the report's pages from `first` on, as they read back from its file.
    static QStringList textsOf(const ReportWriter& writer, int first = 0) {
        const ReportDocument document = ReportDocument::fromCommands(PageDescription::read(writer.fileText()).commands);
        QStringList texts;
        for (int page = first; page < document.pageCount(); ++page) {
            for (const ReportDocument::Text& text : document.page(page).texts) {
                texts.append(text.text);
            }
        }
        return texts;
    }

    void addDonation(const store::DeclarationKey& forKey, const QString& table, int n, const QVariantMap& extra = {}) {
        QVariantMap row = {{QStringLiteral("TIP_DONACION"), QStringLiteral("1")},
                           {QStringLiteral("TIP_MODALIDAD"), 1},
                           {QStringLiteral("tip_documento"), 6},
                           {QStringLiteral("num_documento"), QStringLiteral("2010007%1").arg(n, 4, 10, QChar('0'))},
                           {QStringLiteral("des_nom_razon"), QStringLiteral("DONATARIO %1").arg(n)},
                           {QStringLiteral("mto_donacion"), 1500 * n}};
        row.insert(extra);
        test::insertRow(db(), table, forKey, row);
    }

    test::TempDatabase database;
    store::DeclarationKey key = test::demoKey();
};

TEST_F(DeclarationReportTest, FormPagesShowEveryCasillaWithItsValueInItsMask) {
    const DeclarationReport report(db(), key);
    ASSERT_TRUE(report.found());
    const ReportWriter writer = report.write(false, kPrintedAt);
    EXPECT_EQ(ReportDocument::fromCommands(PageDescription::read(writer.fileText()).commands).pageCount(),
              writer.pageCount());
    const QStringList texts = textsOf(writer);
    for (const char* text : {"1.-  ESTADOS FINANCIEROS", "6.-  IDENTIFICACION", "D'ONOFRIO S.A.", "        1,234,567",
                             "          (4,000)", "100", "359", "686", "870"}) {
        EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << text;
    }
    EXPECT_FALSE(texts.contains(QStringLiteral("301"))) << "the lines of the chart not in use";
    EXPECT_GE(writer.pageCount(), 6) << "the form's pages";
}

TEST_F(DeclarationReportTest, AnnexPagesOnlyWhereRowsExist) {
    const DeclarationReport report(db(), key);
    const int formPages = report.write(false, kPrintedAt).pageCount();
    EXPECT_EQ(report.write(true, kPrintedAt).pageCount(), formPages) << "no annex rows: no annex pages";

    addDonation(key, QStringLiteral("F586DONAC"), 1);
    addDonation(key, QStringLiteral("F586DONAC"), 2);
    addDonation(test::demoKey(QStringLiteral("20555555551")), QStringLiteral("F586DONAC"), 3);
    const ReportWriter writer = report.write(true, kPrintedAt);
    ASSERT_EQ(writer.pageCount(), formPages + 1);
    const QString last = textsOf(writer, formPages).join(QLatin1Char('\n'));
    EXPECT_TRUE(last.contains(QStringLiteral("DETALLE DE DONACIONES")));
    EXPECT_TRUE(last.contains(QStringLiteral("DONATARIO 2")));
    EXPECT_FALSE(last.contains(QStringLiteral("DONATARIO 3"))) << "another declaration";
    EXPECT_TRUE(last.contains(QStringLiteral("4,500"))) << "the total";
}

TEST_F(DeclarationReportTest, CodedColumnsPrintTheirDescriptionsUnderTheFieldsCaptions) {
    test::insertRow(db(), QStringLiteral("F535SOCIOS"), key,
                    {{QStringLiteral("tipo_socio"), QStringLiteral("1")},
                     {QStringLiteral("tipo_doc_socio"), 6},
                     {QStringLiteral("nro_doc_socio"), QStringLiteral("20100070970")},
                     {QStringLiteral("des_nom_razon"), QStringLiteral("SOCIO UNO S.A.")},
                     {QStringLiteral("Porcentaje"), 60.5}});
    const QList<AnnexSection> sections = AnnexSections::read(db(), key, std::nullopt);
    ASSERT_EQ(sections.size(), 1);
    const AnnexSection& partners = sections.first();
    EXPECT_FALSE(partners.headings.contains(QStringLiteral("TIPO DOC SOCIO")))
        << partners.headings.join('|').toStdString();
    const QString row = partners.formatRow(partners.rows.first());
    EXPECT_TRUE(row.contains(QStringLiteral("RUC"))) << row.toStdString();
    EXPECT_TRUE(row.contains(QStringLiteral("60.5"))) << row.toStdString();
}

TEST_F(DeclarationReportTest, ASentVersionIsReadFromTheHistoryOfItsCorrel) {
    for (const auto& [correl, value] : {std::pair{"1", "111"}, std::pair{"2", "222"}}) {
        test::insertRow(db(), QStringLiteral("HCAB"), key,
                        {{QStringLiteral("CORREL"), QString::fromUtf8(correl)},
                         {QStringLiteral("NORDEN"), QStringLiteral("75000%1").arg(QString::fromUtf8(correl))},
                         {QStringLiteral("CONTROL"), QStringLiteral("C%1").arg(QString::fromUtf8(correl))}});
        test::insertRow(db(), QStringLiteral("HDET"), key,
                        {{QStringLiteral("CORREL"), QString::fromUtf8(correl)},
                         {QStringLiteral("CASILLA"), QStringLiteral("100")},
                         {QStringLiteral("i_valor"), QString::fromUtf8(value)}});
    }
    addDonation(key, QStringLiteral("HF586DONAC"), 7, {{QStringLiteral("CORREL"), QStringLiteral("2")}});
    const DeclarationReport report(db(), key, QStringLiteral("2"));
    ASSERT_TRUE(report.found());
    EXPECT_EQ(report.header().norden, QStringLiteral("750002"));
    EXPECT_EQ(report.printedValue(100), QStringLiteral("222"));
    const QString file = report.write(true, kPrintedAt).fileText();
    EXPECT_TRUE(file.contains(QStringLiteral("Nro. Orden: 750002")));
    EXPECT_TRUE(file.contains(QStringLiteral("DONATARIO 7")));
    EXPECT_FALSE(DeclarationReport(db(), key, QStringLiteral("3")).found());
}

TEST_F(DeclarationReportTest, GeneratedReportsReadBackCommandForCommand) {
    for (int n = 1; n <= 150; ++n) {
        addDonation(key, QStringLiteral("F586DONAC"), n);
        test::insertRow(db(), QStringLiteral("F582ALQUILER"), key,
                        {{QStringLiteral("tipo_doc"), 6},
                         {QStringLiteral("nro_doc"), QStringLiteral("20100070970")},
                         {QStringLiteral("correl_pred"), n},
                         {QStringLiteral("des_bien"), QStringLiteral("Local | almacén %1").arg(n)},
                         {QStringLiteral("mto_alquiler"), 100 * n}});
    }
    const ReportWriter writer = DeclarationReport(db(), key).write(true, kPrintedAt);
    QList<PageCommand> expected = writer.commands();
    for (PageCommand& command : expected) {
        command.text = PageDescription::sanitise(command.text);
    }
    const PageDescription::ReadResult read = PageDescription::read(writer.fileText());
    EXPECT_EQ(read.rejected, 0);
    ASSERT_EQ(read.commands.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(read.commands.at(i), expected.at(i)) << i;
    }
    const ReportDocument document = ReportDocument::fromCommands(read.commands);
    const auto across = std::count_if(document.pages().cbegin(), document.pages().cend(),
                                      [](const ReportDocument::Page& page) { return page.landscape; });
    EXPECT_GE(across, 2) << "150 rentals print across the sheet";
}

} // namespace
} // namespace qel::printing
