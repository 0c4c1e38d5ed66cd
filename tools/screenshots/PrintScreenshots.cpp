// Pictures of the print windows (FrmTipPrnR, frmPreview on a form page and on an annex page,
// frmImpxPag) and the report as PDF, for a person to look at: /tmp/shots/16. Run with
//   qel_screenshots --gtest_filter='PrintScreenshots*'
#include "app/Clock.h"
#include "printing/DeclarationReport.h"
#include "printing/ui/FrmTipPrnR.h"
#include "printing/ui/frmImpxPag.h"
#include "printing/ui/frmPreview.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"
#include "ui/PrintWindowsFixture.h"

#include <QDir>
#include <gtest/gtest.h>

namespace qel::printing {
namespace {

using PrintScreenshots = test_support::PrintWindows;

TEST_F(PrintScreenshots, ThePrintThePreviewAndThePages) {
    const QString folder = QStringLiteral("/tmp/shots/16");
    QDir().mkpath(folder);
    {
        FrmTipPrnR window(context());
        window.setWithAnnexes(true);
        window.show();
        window.grab().save(folder + QStringLiteral("/FrmTipPrnR.png"));
    }
    frmPreview preview(printReport(true), *prompter);
    preview.resize(900, 1000);
    preview.show();
    preview.grab().save(folder + QStringLiteral("/preview-form-page.png"));
    preview.nextPage();
    preview.grab().save(folder + QStringLiteral("/preview-form-page2.png"));
    for (int i = 0; i < 6; ++i) {
        preview.nextPage();
    }
    preview.zoomOut();
    preview.grab().save(folder + QStringLiteral("/preview-annex-page.png"));
    frmImpxPag pages(preview.model().pageCount(), *prompter, &preview);
    pages.setPages(QStringLiteral("2"), QStringLiteral("3"));
    pages.show();
    pages.grab().save(folder + QStringLiteral("/frmImpxPag.png"));
    ASSERT_TRUE(preview.model().saveAsPdf(folder + QStringLiteral("/report.pdf")));
}

} // namespace
} // namespace qel::printing
