#include "app/HelpTopics.h"
#include "app/ui/HelpKey.h"
#include "app/ui/HelpWindow.h"
#include "declaration/rules/CalculationRules.h"
#include "declaration/ui/GuardedLineEdit.h"
#include "ui/Frm537Fixture.h"

#include <QAbstractButton>
#include <QLabel>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>

namespace qel::declaration {
namespace {

using app::ui::HelpWindow;

class HelpWindowTest : public Frm537Fixture {
protected:
    void TearDown() override {
        delete HelpWindow::current();
        Frm537Fixture::TearDown();
    }

    // The text at the top of the help's view.
    static QString topLine(const HelpWindow& help) {
        const QTextCursor cursor = help.browser()->cursorForPosition(QPoint(4, 4));
        return cursor.block().text();
    }
};

TEST_F(HelpWindowTest, F1OpensTheHelpAtTheTopicOfTheFocusedBoxOrPage) {
    makeModel();
    CalculationRules rules(*model);
    Frm537& form = showWindow();
    app::ui::HelpKey::install(&form, [] { return QString(); }); // the help compiled into the program

    struct Case {
        const char* page;
        QString focus; // a casilla number, or the control whose page is shown
        QString topic;
        QString shownAtTop;
    };
    const Case cases[] = {
        {"itf", QStringLiteral("157"), QStringLiteral("casilla-157"), QStringLiteral("157")},
        {"renta", QStringLiteral("113"), QStringLiteral("casilla-113"), QStringLiteral("113")},
        {"ident.exon", QString(), QStringLiteral("pag-identificacion"), QStringLiteral("Identificación")},
        {"deuda", QString(), QStringLiteral("pag-deuda"), QStringLiteral("Determinación de la Deuda")},
    };
    for (const Case& c : cases) {
        form.showPage(QString::fromLatin1(c.page));
        QWidget* target = c.focus.isEmpty() ? static_cast<QWidget*>(&form) : form.box(c.focus.toInt());
        ASSERT_NE(target, nullptr) << c.page;
        target->setFocus();
        QTest::keyClick(QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : target, Qt::Key_F1);

        HelpWindow* help = HelpWindow::current();
        ASSERT_NE(help, nullptr) << c.page;
        EXPECT_TRUE(help->isVisible());
        EXPECT_FALSE(help->isModal());
        EXPECT_EQ(help->topic(), c.topic);
        EXPECT_TRUE(topLine(*help).contains(c.shownAtTop)) << c.page << ": " << qPrintable(topLine(*help));
        form.activateWindow();
    }
    // The casilla lines of the calculation rules are in the help.
    EXPECT_TRUE(HelpWindow::current()->browser()->toPlainText().contains(QStringLiteral("c157 = c155 - c156")));
}

TEST_F(HelpWindowTest, SearchFindsTheNextOccurrenceAndSaysWhenThereIsNone) {
    HelpWindow* help = HelpWindow::showTopic(QString(), app::HelpTopics::kContents);
    EXPECT_TRUE(help->search(QStringLiteral("Mens.txt")));
    const int first = help->browser()->textCursor().position();
    EXPECT_TRUE(help->search(QStringLiteral("Mens.txt")));
    EXPECT_NE(help->browser()->textCursor().position(), first);

    EXPECT_FALSE(help->search(QStringLiteral("palabra que no está")));
    EXPECT_EQ(help->findChild<QLabel*>(QStringLiteral("lblBuscar"))->text(),
              QStringLiteral("No se encontró «palabra que no está»."));

    help->findChild<QAbstractButton*>(QStringLiteral("cmdContenido"))->click();
    EXPECT_EQ(help->topic(), QStringLiteral("contenido"));
}

} // namespace
} // namespace qel::declaration
