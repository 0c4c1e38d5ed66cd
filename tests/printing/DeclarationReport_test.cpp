#include "annexes/AnnexFixture.h"
#include "management/SentVersionsFixture.h"
#include "printing/DeclarationReport.h"
#include "printing/PageDescription.h"
#include "printing/ReportDocument.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qel::printing {
namespace {

using annexes::testing::columns;

const QDateTime kPrintedAt(QDate(2019, 3, 15), QTime(10, 0));

class DeclarationReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::registerTaxpayer(db(), key.ruc, u"D'ONOFRIO S.A."_s);
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

    void addDonation(const store::DeclarationKey& forKey, const QString& table, int n, const QString& extra = {}) {
        test::insertRow(db(), table, forKey,
                        columns(u"TIP_DONACION=1; TIP_MODALIDAD=1; tip_documento=6; num_documento=2010007%1; "
                                "des_nom_razon=DONATARIO %2; mto_donacion=%3; "_s.arg(n, 4, 10, QChar('0'))
                                    .arg(n)
                                    .arg(1500 * n) +
                                extra));
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
    EXPECT_FALSE(texts.contains(u"301"_s)) << "the lines of the chart not in use";
    EXPECT_GE(writer.pageCount(), 6) << "the form's pages";
}

TEST_F(DeclarationReportTest, AnnexPagesOnlyWhereRowsExist) {
    const DeclarationReport report(db(), key);
    const int formPages = report.write(false, kPrintedAt).pageCount();
    EXPECT_EQ(report.write(true, kPrintedAt).pageCount(), formPages) << "no annex rows: no annex pages";

    addDonation(key, u"F586DONAC"_s, 1);
    addDonation(key, u"F586DONAC"_s, 2);
    addDonation(test::demoKey(u"20555555551"_s), u"F586DONAC"_s, 3);
    const ReportWriter writer = report.write(true, kPrintedAt);
    ASSERT_EQ(writer.pageCount(), formPages + 1);
    const QString last = textsOf(writer, formPages).join(QLatin1Char('\n'));
    EXPECT_TRUE(last.contains(u"DETALLE DE DONACIONES"_s));
    EXPECT_TRUE(last.contains(u"DONATARIO 2"_s));
    EXPECT_FALSE(last.contains(u"DONATARIO 3"_s)) << "another declaration";
    EXPECT_TRUE(last.contains(u"4,500"_s)) << "the total";
}

TEST_F(DeclarationReportTest, CodedColumnsPrintTheirDescriptionsUnderTheFieldsCaptions) {
    test::insertRow(db(), u"F535SOCIOS"_s, key,
                    columns(u"tipo_socio=1; tipo_doc_socio=6; nro_doc_socio=20100070970; des_nom_razon=SOCIO UNO S.A.; "
                            "Porcentaje=60.5"_s));
    const QList<AnnexSection> sections = AnnexSections::read(db(), key, std::nullopt);
    ASSERT_EQ(sections.size(), 1);
    const AnnexSection& partners = sections.first();
    EXPECT_FALSE(partners.headings.contains(u"TIPO DOC SOCIO"_s)) << partners.headings.join('|').toStdString();
    const QString row = partners.formatRow(partners.rows.first());
    EXPECT_TRUE(row.contains(u"RUC"_s)) << row.toStdString();
    EXPECT_TRUE(row.contains(u"60.5"_s)) << row.toStdString();
}

TEST_F(DeclarationReportTest, ASentVersionIsReadFromTheHistoryOfItsCorrel) {
    for (const auto& [correl, value] : {std::pair{"1", "111"}, std::pair{"2", "222"}}) {
        test::insertRow(db(), u"HCAB"_s, key, columns(u"CORREL=%1; NORDEN=75000%1; CONTROL=C%1"_s.arg(correl)));
        test::insertRow(db(), u"HDET"_s, key, columns(u"CORREL=%1; CASILLA=100; i_valor=%2"_s.arg(correl, value)));
    }
    addDonation(key, u"HF586DONAC"_s, 7, u"CORREL=2"_s);
    const DeclarationReport report(db(), key, u"2"_s);
    ASSERT_TRUE(report.found());
    EXPECT_EQ(report.header().norden, u"750002"_s);
    EXPECT_EQ(report.printedValue(100), u"222"_s);
    const QString file = report.write(true, kPrintedAt).fileText();
    EXPECT_TRUE(file.contains(u"Nro. Orden: 750002"_s));
    EXPECT_TRUE(file.contains(u"DONATARIO 7"_s));
    EXPECT_FALSE(DeclarationReport(db(), key, u"3"_s).found());
}

TEST_F(DeclarationReportTest, GeneratedReportsReadBackCommandForCommand) {
    for (int n = 1; n <= 150; ++n) {
        addDonation(key, u"F586DONAC"_s, n);
        test::insertRow(db(), u"F582ALQUILER"_s, key,
                        columns(u"tipo_doc=6; nro_doc=20100070970; correl_pred=%1; des_bien=Local | almacén %1; "
                                "mto_alquiler=%2"_s.arg(n)
                                    .arg(100 * n)));
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
