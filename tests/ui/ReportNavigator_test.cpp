#include "app/ui/FormLauncher.h"
#include "declaration/model/FieldLocator.h"
#include "declaration/ui/FrmConsist.h"
#include "declaration/ui/GuardedLineEdit.h"
#include "declaration/ui/ReportNavigator.h"
#include "ui/Frm537Fixture.h"

#include <QAbstractButton>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>

namespace qel::declaration {
namespace {

class ReportNavigatorTest : public Frm537Fixture {
protected:
    // A report of one line per control, opened through the form launcher as the validate
    // command opens it.
    FrmConsist* openReport(const QStringList& controls) {
        const QString path = dir.filePath(QStringLiteral("Mens.txt"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        for (const QString& control : controls) {
            file.write(QStringLiteral("Sección : línea sobre %1\n").arg(control).toUtf8());
        }
        file.close();
        forms.registerForm(QStringLiteral("FrmConsist"), [this](const app::FormRequest& request) {
            return std::unique_ptr<QDialog>(std::make_unique<FrmConsist>(std::make_unique<ConsistencyReportModel>(
                request.code, request.keyValues, clock, opener, nullptr, printing::ReportPreview::PdfWriter())));
        });
        app::FormRequest request;
        request.name = QStringLiteral("FrmConsist");
        request.code = path;
        request.keyValues = controls;
        EXPECT_EQ(forms.open(request), QString()); // returns at once: the window stays open
        return window->findChild<FrmConsist*>();
    }

    static QPoint lineCentre(QPlainTextEdit& lines, int line) {
        QTextCursor cursor(lines.document()->findBlockByNumber(line));
        return lines.cursorRect(cursor).center();
    }

    QTemporaryDir dir;
    app::ui::FormLauncher forms{*prompter};
};

TEST_F(ReportNavigatorTest, ADoubleClickOrEnterOnALineFocusesItsBoxOnItsPage) {
    Frm537& form = showWindow();
    FrmConsist* report =
        openReport({QStringLiteral("461"), QStringLiteral("OptReorganizacion"), QStringLiteral("txtTelCon")});
    ASSERT_NE(report, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(report));
    EXPECT_FALSE(report->isModal());
    EXPECT_TRUE(form.isVisible());
    auto* lines = report->findChild<QPlainTextEdit*>(QStringLiteral("txtConsist"));

    const QStringList controls = {QStringLiteral("461"), QStringLiteral("OptReorganizacion"),
                                  QStringLiteral("txtTelCon")};
    struct Case {
        int line;
        bool doubleClick;
        QString focusedName; // the box, or the start of the option button's name
    };
    const Case cases[] = {{0, true, QStringLiteral("txtValor")},
                          {2, false, QStringLiteral("txtTelCon")},
                          {1, true, QStringLiteral("OptReorganizacion")}};
    for (const Case& c : cases) {
        report->activateWindow();
        if (c.doubleClick) {
            QTest::mouseDClick(lines->viewport(), Qt::LeftButton, {}, lineCentre(*lines, c.line));
        } else {
            lines->setTextCursor(QTextCursor(lines->document()->findBlockByNumber(c.line)));
            QTest::keyClick(lines, Qt::Key_Return);
        }
        EXPECT_EQ(form.currentPageId(), FieldLocator::locate(controls.at(c.line)).pageId) << c.line;
        QWidget* focused = form.focusWidget();
        ASSERT_NE(focused, nullptr) << c.line;
        if (c.line == 0) {
            EXPECT_EQ(focused, form.box(461));
        } else {
            EXPECT_TRUE(focused->objectName().startsWith(c.focusedName)) << qPrintable(focused->objectName());
        }
        EXPECT_TRUE(report->isVisible()) << "the report stays beside the form";
    }

    // Accepting the report marks it as seen in the form and closes it.
    report->findChild<QAbstractButton*>(QStringLiteral("cmdAceptar"))->click();
    EXPECT_EQ(model->acceptedMark, QStringLiteral("A"));
}

} // namespace
} // namespace qel::declaration
