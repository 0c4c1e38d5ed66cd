#include "Frm537Fixture.h"
#include "declaration/commands/FormLoader.h"

#include <QLineEdit>
#include <QRadioButton>

// The window over a form that only shows its declaration (another session holds it): the model
// says read-only, and the window's boxes and text boxes take no typing.

namespace qel::declaration {
namespace {

using ReadOnlyFormTest = Frm537Fixture;

TEST_F(ReadOnlyFormTest, TheBoxesRefuseTyping) {
    makeModel().caption = FormLoader::formCaption(QStringLiteral("0588"), QStringLiteral("2018"));
    Frm537& form = showWindow();
    struct Case {
        QString widget;
        QString typed;
        std::function<QString()> held; // what the model holds for the widget
    };
    const QList<Case> cases = {
        {QStringLiteral("txtValor_359"), QStringLiteral("12"), [this] { return model->text(359); }},
        {QStringLiteral("TxtNombreN"), QStringLiteral("ROSA"),
         [this] { return model->controlText(QStringLiteral("TxtNombreN")); }},
    };
    // While the form may be changed, typing reaches the model...
    QHash<QString, QString> typed;
    for (const Case& c : cases) {
        auto* edit = form.findChild<QLineEdit*>(c.widget);
        ASSERT_NE(edit, nullptr) << c.widget.toStdString();
        form.showPage(QStringLiteral("ident.general"));
        edit->setFocus();
        QTest::keyClicks(edit, c.typed);
        typed.insert(c.widget, c.held());
        EXPECT_FALSE(typed.value(c.widget).isEmpty()) << c.widget.toStdString();
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);

    // ... and once it only shows its declaration, nothing typed changes either.
    model->setReadOnly();
    EXPECT_TRUE(form.windowTitle().endsWith(Frm537::kReadOnlyTitle)) << form.windowTitle().toStdString();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.widget.toStdString());
        auto* edit = form.findChild<QLineEdit*>(c.widget);
        EXPECT_TRUE(edit->isReadOnly() || !edit->isEnabled());
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("9"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        EXPECT_EQ(c.held(), typed.value(c.widget));
    }
    auto* rectifies = form.findChild<QRadioButton*>(QStringLiteral("OptRectifica_1"));
    ASSERT_NE(rectifies, nullptr);
    EXPECT_FALSE(rectifies->isEnabled());
}

} // namespace
} // namespace qel::declaration
