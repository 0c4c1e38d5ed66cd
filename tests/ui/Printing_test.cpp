// The print windows: FrmTipPrnR, frmPreview and frmImpxPag.
#include "printing/ui/frmImpxPag.h"
#include "printing/ui/frmPreview.h"
#include "ui/PrintWindowsFixture.h"
#include "ui/WindowDriver.h"

#include <QLabel>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QToolButton>

namespace qel::printing {
namespace {

using test::pdfPageCount;
using PrintWindows = test_support::PrintWindows;

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
    EXPECT_EQ(pdfPageCount(all), pages);

    const QString range = dir.filePath(QStringLiteral("range.pdf"));
    preview.printNextToPdf(range);
    prompter->expectMessage(ReportPreview::kPrinted, app::Icon::Information);
    EXPECT_TRUE(preview.printRange(PageRange{2, 3}));
    EXPECT_EQ(pdfPageCount(range), 2);

    const QString saved = dir.filePath(QStringLiteral("saved.pdf"));
    preview.setPdfChooser([&saved] { return saved; });
    EXPECT_TRUE(preview.saveAsPdf(PageRange{pages - 2, pages}));
    EXPECT_EQ(pdfPageCount(saved), 3);
    EXPECT_TRUE(prompter->verify());
}

TEST_F(PrintWindows, PageRangeWindowRefusesInOrderAndKeepsTheRange) {
    frmImpxPag pages(5, *prompter);
    // The checks and their order are the page range's own; the window shows what they say.
    pages.setPages(QStringLiteral("4"), QStringLiteral("2"));
    prompter->expectMessage(QStringLiteral("Página de Inicio debe ser mayor a página de Fin."), app::Icon::Exclamation,
                            PageRange::kTitle);
    EXPECT_FALSE(pages.accept(frmImpxPag::Action::Print));
    pages.setPages(QStringLiteral("2"), QStringLiteral("3"));
    EXPECT_TRUE(pages.accept(frmImpxPag::Action::Pdf));
    ASSERT_TRUE(pages.range());
    EXPECT_EQ(pages.range()->first, 2);
    EXPECT_EQ(pages.action(), frmImpxPag::Action::Pdf);
    EXPECT_TRUE(prompter->verify());
}

} // namespace
} // namespace qel::printing
