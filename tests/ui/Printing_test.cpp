// The print windows: FrmTipPrnR, frmPreview and frmImpxPag.
#include "app/Clock.h"
#include "printing/DeclarationReport.h"
#include "printing/ui/FrmTipPrnR.h"
#include "printing/ui/frmImpxPag.h"
#include "printing/ui/frmPreview.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace qel::printing {
namespace {

int pdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    return static_cast<int>(
        QString::fromLatin1(file.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

class PrintWindows : public ::testing::Test {
protected:
    void SetUp() override {
        const store::DeclarationKey key = test::demoKey();
        test::registerTaxpayer(db(), key.ruc, QStringLiteral("COMERCIAL ANDINA S.A.C."));
        test::insertRow(db(), QStringLiteral("CAB"), key, {{QStringLiteral("SEMANA"), 0}});
        const QList<std::pair<int, int>> values = {{870, 2}, {359, 185000}, {361, 420000}, {100, 2450000}};
        for (const auto& [casilla, value] : values) {
            test::insertRow(db(), QStringLiteral("DET"), key,
                            {{QStringLiteral("SEMANA"), 0},
                             {QStringLiteral("CASILLA"), QString::number(casilla)},
                             {QStringLiteral("i_valor"), QString::number(value)}});
        }
        for (int n = 1; n <= 120; ++n) {
            test::insertRow(db(), QStringLiteral("F582ALQUILER"), key,
                            {{QStringLiteral("tipo_doc"), 6},
                             {QStringLiteral("nro_doc"), QStringLiteral("20%1").arg(n, 9, 10, QChar('0'))},
                             {QStringLiteral("correl_pred"), n},
                             {QStringLiteral("tip_bien"), QStringLiteral("1")},
                             {QStringLiteral("des_bien"), QStringLiteral("Local comercial %1").arg(n)},
                             {QStringLiteral("mto_alquiler"), 1200 * n}});
        }
    }
    store::Database& db() { return database.db(); }
    PrintTypeModel::Context context() {
        return {db(),
                *prompter,
                clock,
                test::kSupervisor,
                QStringLiteral("0"),
                QStringLiteral("2018"),
                QStringLiteral("0588"),
                database.folder() + QStringLiteral("/RPT"),
                false};
    }
    QString printReport(bool annexes) {
        FrmTipPrnR window(context());
        QString path;
        window.model().setPreviewOpener([&path](const QString& file) { path = file; });
        window.setWithAnnexes(annexes);
        printedPages = DeclarationReport(db(), test::demoKey()).write(annexes, clock.now()).pageCount();
        prompter->expectMessage(QStringLiteral("Impresión de %1 páginas").arg(printedPages));
        EXPECT_TRUE(window.print());
        return path;
    }

    test::TempDatabase database;
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
    app::FixedClock clock{test::filingDay()};
    int printedPages = 0; // of the last report printed
};

TEST_F(PrintWindows, PreviewShowsPagesAndPrintsWholeOrARangeIntoPdf) {
    frmPreview preview(printReport(true), *prompter);
    ASSERT_TRUE(preview.isOpen());
    const int pages = printedPages;
    auto* previous = preview.findChild<QToolButton*>(QStringLiteral("tlbPrevia(2)"));
    auto* next = preview.findChild<QToolButton*>(QStringLiteral("tlbPrevia(3)"));
    auto* counter = preview.findChild<QLabel*>(QStringLiteral("lblPagina"));
    ASSERT_TRUE(previous && next && counter && preview.findChild<QScrollArea*>(QStringLiteral("picFondo")));
    EXPECT_FALSE(previous->isEnabled());
    ASSERT_GE(pages, 4);
    EXPECT_TRUE(counter->text().startsWith(QStringLiteral("Página 1 de %1").arg(pages)));
    for (int i = 0; i < pages + 1; ++i) {
        next->click();
    }
    EXPECT_EQ(preview.model().currentPage(), pages - 1);
    EXPECT_FALSE(next->isEnabled());
    EXPECT_TRUE(previous->isEnabled());

    QTemporaryDir dir;
    const QString all = dir.filePath(QStringLiteral("all.pdf"));
    preview.printNextToPdf(all);
    prompter->expectMessage(ReportPreview::kPrinted, app::Icon::Information);
    EXPECT_TRUE(preview.printReport());
    EXPECT_EQ(pdfPages(all), pages);

    const QString range = dir.filePath(QStringLiteral("range.pdf"));
    preview.printNextToPdf(range);
    prompter->expectMessage(ReportPreview::kPrinted, app::Icon::Information);
    EXPECT_TRUE(preview.printRange(PageRange{2, 3}));
    EXPECT_EQ(pdfPages(range), 2);

    const QString saved = dir.filePath(QStringLiteral("saved.pdf"));
    preview.setPdfChooser([&saved] { return saved; });
    EXPECT_TRUE(preview.saveAsPdf(PageRange{pages - 2, pages}));
    EXPECT_EQ(pdfPages(saved), 3);
    EXPECT_TRUE(prompter->verify());
}

TEST_F(PrintWindows, PageRangeWindowRefusesInOrderAndKeepsTheRange) {
    frmImpxPag pages(5, *prompter);
    const struct {
        const char* from;
        const char* to;
        const char* message;
    } refused[] = {
        {"", "3", "Ingrese página de inicio."},
        {"0", "3", "Página inicial debe ser a partir de 1."},
        {"2", "", "Ingrese página de Fin."},
        {"4", "2", "Página de Inicio debe ser mayor a página de Fin."},
        {"6", "8", "Página inicial no debe ser mayor a total de páginas del reporte."},
    };
    for (const auto& r : refused) {
        pages.setPages(QString::fromUtf8(r.from), QString::fromUtf8(r.to));
        prompter->expectMessage(QString::fromUtf8(r.message), app::Icon::Exclamation, PageRange::kTitle);
        EXPECT_FALSE(pages.accept(frmImpxPag::Action::Print));
    }
    pages.setPages(QStringLiteral("2"), QStringLiteral("3"));
    EXPECT_TRUE(pages.accept(frmImpxPag::Action::Pdf));
    ASSERT_TRUE(pages.range());
    EXPECT_EQ(pages.range()->first, 2);
    EXPECT_EQ(pages.action(), frmImpxPag::Action::Pdf);
    EXPECT_TRUE(prompter->verify());
}

} // namespace
} // namespace qel::printing
