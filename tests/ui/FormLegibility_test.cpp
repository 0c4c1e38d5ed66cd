#include "declaration/commands/FormLoader.h"
#include "declaration/ui/GuardedLineEdit.h"
#include "ui/Frm537Fixture.h"

#include <QComboBox>

namespace qel::declaration {
namespace {

class FormLegibilityTest : public Frm537Fixture {};

// The document-type entries carry flags from position 71 (casilla 687 receives the whole
// entry); the lists show the code and the document's name within their width.
TEST_F(FormLegibilityTest, DocumentTypeListsShowTheCodeAndTheNameInTheirWidth) {
    makeModel();
    QList<ComboItem> items;
    for (const QString& entry : FormLoader::documentTypeItems()) {
        items.append({entry, entry.left(2)});
    }
    for (const char* name : {"cboContador", "cboTipDocRepLegal"}) {
        model->setComboItems(QString::fromLatin1(name), items);
    }
    Frm537& form = showWindow();
    form.showPage(FormControls::instance().find(QStringLiteral("cboContador"))->page);

    const QStringList shown = {QStringLiteral("06  -  RUC"), QStringLiteral("01  -  DNI"),
                               QStringLiteral("99  -  SIN DATOS")};
    for (const char* name : {"cboContador", "cboTipDocRepLegal"}) {
        auto* combo = form.findChild<QComboBox*>(QString::fromLatin1(name));
        ASSERT_NE(combo, nullptr) << name;
        ASSERT_EQ(combo->count(), shown.size()) << name;
        for (int i = 0; i < combo->count(); ++i) {
            EXPECT_EQ(combo->itemText(i), shown.at(i)) << name;
            // Room for the text beside the arrow of the closed list.
            EXPECT_LT(combo->fontMetrics().horizontalAdvance(combo->itemText(i)) + 40, combo->width()) << name;
        }
        // What the rules and casilla 687 read stays the entry as the reference list gives it.
        EXPECT_EQ(model->control(QString::fromLatin1(name)).items.first().text, items.first().text);
    }
}

TEST_F(FormLegibilityTest, BoxesTheUserTypesIntoAreWhiteAndWindowBoxesSaySo) {
    makeModel();
    for (const int n : {155, 156}) {
        model->setEnabled(n, true);
        model->setLocked(n, false);
    }
    Frm537& form = showWindow();
    const QColor grey(0xd4, 0xd0, 0xc8);
    const struct {
        int casilla;
        QColor base;
    } cases[] = {{155, Qt::white}, {156, Qt::white}, {157, grey}};
    for (const auto& c : cases) {
        EXPECT_EQ(form.box(c.casilla)->palette().color(QPalette::Active, QPalette::Base), c.base) << c.casilla;
    }

    int cyan = 0;
    for (const CasillaDef* def : CasillaCatalog::instance().boxes()) {
        GuardedLineEdit* box = form.box(def->number);
        if (box == nullptr) {
            continue;
        }
        const bool opensWindow = model->box(def->number).colour == BoxColour::Cyan;
        cyan += opensWindow ? 1 : 0;
        EXPECT_EQ(box->toolTip().contains(QStringLiteral("abrir la ventana")), opensWindow) << def->number;
    }
    EXPECT_GT(cyan, 0);
}

} // namespace
} // namespace qel::declaration
