// The declaration form's window over its model: pages, boxes, keys, options, grids and help as
// the user meets them; the read-only form, the legibility of its lists and boxes, the date box
// and the ubigeo picker it opens.
#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormPages.h"
#include "declaration/commands/FormLoader.h"
#include "declaration/ui/GuardedLineEdit.h"
#include "declaration/ui/frmUbigeo.h"
#include "ui/Frm537Fixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QEnterEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QTreeWidget>

namespace qel::declaration {
namespace {

using Frm537Test = Frm537Fixture;

using test::child;

TEST_F(Frm537Test, EveryTabControlCarriesItsPagesWithTheirCaptions) {
    Frm537& form = showWindow();
    for (const QString& name :
         {QStringLiteral("SSTab1"), QStringLiteral("SSTab2"), QStringLiteral("SSTab3"), QStringLiteral("SSTab4"),
          QStringLiteral("SSTab6"), QStringLiteral("SSTab7"), QStringLiteral("sTabInvestigacion")}) {
        QTabWidget* tabs = child<QTabWidget>(form, name);
        const QList<const PageDef*> pages = FormPages::pagesOf(name);
        ASSERT_EQ(tabs->count(), pages.size()) << name.toStdString();
        for (int i = 0; i < tabs->count(); ++i) {
            EXPECT_EQ(tabs->tabText(i), pages.at(i)->caption);
            // Each nested tab control sits on the page that holds it.
            const QString holder = pages.at(i)->parentId;
            EXPECT_TRUE(holder.isEmpty() ||
                        form.findChild<QWidget*>(QStringLiteral("page_") + holder)->isAncestorOf(tabs));
        }
    }
}

TEST_F(Frm537Test, EveryCatalogueBoxIsOnItsPageWithItsNumberAndHiddenOnesAreNot) {
    Frm537& form = showWindow();
    int shown = 0;
    for (const CasillaDef* def : CasillaCatalog::instance().boxes()) {
        QLineEdit* box = form.findChild<QLineEdit*>(QStringLiteral("txtValor_%1").arg(def->number));
        if (def->kind == BoxKind::Hidden) {
            EXPECT_EQ(box, nullptr) << def->number;
            continue;
        }
        ASSERT_NE(box, nullptr) << def->number;
        ++shown;
        QWidget* page = form.findChild<QWidget*>(QStringLiteral("page_") + def->page);
        ASSERT_NE(page, nullptr) << def->page.toStdString();
        EXPECT_TRUE(page->isAncestorOf(box)) << def->number;
        EXPECT_EQ(child<QLabel>(form, QStringLiteral("lblNumero_%1").arg(def->number))->text(),
                  QString::number(def->number));
    }
    EXPECT_GT(shown, 200);
}

struct Typing {
    int casilla;
    const char* keys;
    const char* kept;
};

TEST_F(Frm537Test, TypedKeysPassThroughTheModelsFilter) {
    Frm537& form = showWindow();
    const Typing cases[] = {
        {359, "12a3", "123"},     // amounts: digits only
        {137, "3a1", "1"},        // the refund option: 1 or 2
        {211, "ab-1?/", "AB-1/"}, // registration number: capitals, "-", "/"
        {180, "9\b8", "8"},       // backspace passes
    };
    for (const Typing& c : cases) {
        QLineEdit* box = form.box(c.casilla);
        test::typeKeys(box, QString::fromLatin1(c.keys));
        EXPECT_EQ(model->text(c.casilla), QString::fromLatin1(c.kept)) << c.casilla;
        EXPECT_EQ(box->text(), QString::fromLatin1(c.kept)) << c.casilla;
    }
    QLineEdit* surname = child<QLineEdit>(form, QStringLiteral("txtApellidoRL"));
    test::typeKeys(surname, QStringLiteral("pérez-ñ"));
    EXPECT_EQ(model->controlText(QStringLiteral("txtApellidoRL")), QStringLiteral("PREZÑ"));
}

TEST_F(Frm537Test, LockedAndDisabledBoxesTakeNoKeys) {
    Frm537& form = showWindow();
    QLineEdit* computed = form.box(100);
    ASSERT_TRUE(model->box(100).locked);
    test::typeKeys(computed, QStringLiteral("55"));
    EXPECT_EQ(model->text(100), QString());
    EXPECT_EQ(computed->text(), QString());

    ASSERT_FALSE(model->box(201).enabled);
    QLineEdit* switched = form.box(201);
    EXPECT_FALSE(switched->isEnabled());
    model->Habcasilla(201);
    EXPECT_TRUE(switched->isEnabled());
    test::typeKeys(switched, QStringLiteral("agro 9"));
    EXPECT_EQ(model->text(201), QStringLiteral("AGRO 9"));
}

TEST_F(Frm537Test, NothingCanBePastedIntoBoxesOrIdentificationFields) {
    Frm537& form = showWindow();
    const QList<QPair<Qt::Key, Qt::KeyboardModifiers>> pasteKeys = {
        {Qt::Key_Insert, Qt::ShiftModifier}, {Qt::Key_V, Qt::ControlModifier}, {Qt::Key_Menu, Qt::NoModifier}};
    for (QLineEdit* field :
         {static_cast<QLineEdit*>(form.box(359)), child<QLineEdit>(form, QStringLiteral("txtApellidoRL"))}) {
        for (const auto& [key, modifiers] : pasteKeys) {
            QGuiApplication::clipboard()->setText(QStringLiteral("777"));
            field->setFocus(Qt::TabFocusReason);
            QTest::keyClick(field, key, modifiers);
            EXPECT_EQ(field->text(), QString()) << field->objectName().toStdString();
            EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty()) << field->objectName().toStdString();
        }
        QGuiApplication::clipboard()->setText(QStringLiteral("777"));
        QTest::mousePress(field, Qt::RightButton);
        QTest::mouseRelease(field, Qt::RightButton);
        EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
    }
    EXPECT_EQ(model->text(359), QString());
}

TEST_F(Frm537Test, FocusShowsTheEditingTextAndLeavingTheDisplayMask) {
    Frm537& form = showWindow();
    form.showPage(QStringLiteral("eeff.activo"));
    QLineEdit* box = form.box(376); // a write-down: always in parentheses
    test::typeKeys(box, QStringLiteral("1234567"));
    QTest::keyClick(box, Qt::Key_Tab);
    EXPECT_EQ(model->text(376), QStringLiteral("(1,234,567)"));
    EXPECT_EQ(box->text(), QStringLiteral("(1,234,567)"));
    box->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(box->text(), QStringLiteral("1234567"));
    EXPECT_EQ(model->focusedBox(), 376);
}

TEST_F(Frm537Test, EnterMovesOnExceptWhereTheModelOpensAWindow) {
    Frm537& form = showWindow();
    model->onCasillaClicked([](int casilla) { return casilla == 382; });
    form.showPage(QStringLiteral("eeff.activo"));
    QLineEdit* first = form.box(359);
    first->setFocus(Qt::TabFocusReason);
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), form.box(360));

    QLineEdit* assistant = form.box(382); // opens its detail window: the focus stays
    assistant->setFocus(Qt::TabFocusReason);
    QTest::keyClick(assistant, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), assistant);

    // The last field of a page leads on to the first one of the next page.
    QLineEdit* last = form.box(389);
    last->setFocus(Qt::TabFocusReason);
    QTest::keyClick(last, Qt::Key_Return);
    EXPECT_EQ(form.currentPageId(), QStringLiteral("eeff.pasivo"));
    EXPECT_EQ(QApplication::focusWidget(), form.box(401));
    EXPECT_EQ(model->currentPage, QStringLiteral("eeff.pasivo"));
}

TEST_F(Frm537Test, BoxesFollowTheModel) {
    Frm537& form = showWindow();
    QLineEdit* box = form.box(180);
    model->setText(180, QStringLiteral("1,000"));
    EXPECT_EQ(box->text(), QStringLiteral("1,000"));
    model->setLocked(180, true);
    EXPECT_TRUE(box->isReadOnly());
    model->setEnabled(180, false);
    EXPECT_FALSE(box->isEnabled());

    const QList<QPair<BoxColour, QColor>> colours = {{BoxColour::White, Qt::white},
                                                     {BoxColour::Cyan, QColor(0, 255, 255)},
                                                     {BoxColour::ScrollBar, QColor(0xd4, 0xd0, 0xc8)},
                                                     {BoxColour::ButtonFace, form.palette().color(QPalette::Button)}};
    for (const auto& [colour, expected] : colours) {
        model->setColour(180, colour);
        EXPECT_EQ(box->palette().color(QPalette::Disabled, QPalette::Base), expected);
        EXPECT_EQ(box->palette().color(QPalette::Active, QPalette::Base), expected);
    }
}

TEST_F(Frm537Test, OptionClicksReachTheModelAndARefusedChangeIsUndone) {
    DeclarationFormModel& form = makeModel();
    QList<int> clicked;
    form.onControl(QStringLiteral("OptRectifica"), [&](int index) {
        clicked.append(index);
        if (index == 0) {
            form.setOption(QStringLiteral("OptRectifica"), 1); // "No" answered No: "Si" again
        }
    });
    Frm537& window537 = showWindow();
    auto* yes = child<QRadioButton>(window537, QStringLiteral("OptRectifica_1"));
    auto* no = child<QRadioButton>(window537, QStringLiteral("OptRectifica_0"));
    QTest::mouseClick(yes, Qt::LeftButton);
    EXPECT_EQ(form.option(QStringLiteral("OptRectifica")), 1);
    QTest::mouseClick(yes, Qt::LeftButton); // already chosen: no event
    QTest::mouseClick(no, Qt::LeftButton);
    EXPECT_EQ(clicked, (QList<int>{1, 0}));
    EXPECT_TRUE(yes->isChecked());
    EXPECT_FALSE(no->isChecked());

    form.setOption(QStringLiteral("OptRectifica"), -1);
    EXPECT_FALSE(yes->isChecked() || no->isChecked());
    form.setControlEnabled(QStringLiteral("OptRectifica"), false);
    EXPECT_FALSE(yes->isEnabled());
}

TEST_F(Frm537Test, ChecksCombosAndCommandsReachTheModel) {
    DeclarationFormModel& form = makeModel();
    QStringList events;
    for (const QString& name : {QStringLiteral("ChkITF"), QStringLiteral("cboTipoReorganizacion"),
                                QStringLiteral("cmdSocios"), QStringLiteral("chkItanPagos")}) {
        form.onControl(name, [&events, name](int index) { events.append(name + QString::number(index)); });
    }
    form.setComboItems(QStringLiteral("cboTipoReorganizacion"), {{QStringLiteral("FUSION  1"), QStringLiteral("1")},
                                                                 {QStringLiteral("ESCISION  2"), QStringLiteral("2")}});
    form.setControlEnabled(QStringLiteral("cboTipoReorganizacion"), true);
    form.setControlEnabled(QStringLiteral("chkItanPagos"), true);
    Frm537& window537 = showWindow();

    const QPoint onTheBox(6, 8);
    QTest::mouseClick(child<QCheckBox>(window537, QStringLiteral("ChkITF")), Qt::LeftButton, {}, onTheBox);
    EXPECT_EQ(form.check(QStringLiteral("ChkITF")), 1);
    window537.showPage(QStringLiteral("ident.reorg"));
    QTest::mouseClick(child<QCheckBox>(window537, QStringLiteral("chkItanPagos_1")), Qt::LeftButton, {}, onTheBox);
    EXPECT_EQ(form.check(QStringLiteral("chkItanPagos"), 1), 1);
    auto* combo = child<QComboBox>(window537, QStringLiteral("cboTipoReorganizacion"));
    ASSERT_EQ(combo->count(), 2);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(form.comboCode(QStringLiteral("cboTipoReorganizacion")), QStringLiteral("1"));
    window537.showPage(QStringLiteral("info.socios"));
    QTest::mouseClick(child<QAbstractButton>(window537, QStringLiteral("cmdSocios_1")), Qt::LeftButton);
    EXPECT_EQ(events, (QStringList{QStringLiteral("ChkITF-1"), QStringLiteral("chkItanPagos1"),
                                   QStringLiteral("cboTipoReorganizacion0"), QStringLiteral("cmdSocios1")}));
}

TEST_F(Frm537Test, PaymentControlWritesTheModel) {
    Frm537& form = showWindow();
    form.showPage(QStringLiteral("deuda"));
    auto* bank = child<QComboBox>(form, QStringLiteral("cboBanco"));
    auto* number = child<QLineEdit>(form, QStringLiteral("txtNroCheque"));
    EXPECT_FALSE(bank->isEnabled());
    EXPECT_EQ(bank->findData(QStringLiteral("00")), -1); // "no bank" is not offered

    QTest::mouseClick(child<QRadioButton>(form, QStringLiteral("optCheque")), Qt::LeftButton);
    EXPECT_EQ(model->payment().kind, QStringLiteral("C"));
    ASSERT_TRUE(bank->isEnabled());
    bank->setFocus();
    QTest::keyClick(bank, Qt::Key_Down);
    EXPECT_EQ(model->payment().bank, bank->itemData(0).toString());
    test::typeKeys(number, QStringLiteral("12a34"));
    EXPECT_EQ(model->payment().cheque, QStringLiteral("1234"));

    QTest::mouseClick(child<QRadioButton>(form, QStringLiteral("optEfectivo")), Qt::LeftButton);
    EXPECT_EQ(model->payment().kind, QStringLiteral("E"));
    EXPECT_EQ(model->payment().bank, QString());
    EXPECT_FALSE(number->isEnabled());

    model->payment() = {QStringLiteral("C"), QStringLiteral("11"), QStringLiteral("998877"), true};
    model->paymentChanged();
    EXPECT_EQ(bank->currentData().toString(), QStringLiteral("11"));
    EXPECT_EQ(number->text(), QStringLiteral("998877"));
}

TEST_F(Frm537Test, GridsShowTheWorkingRowsAndTellTheModelTheSelectedRow) {
    Frm537& form = showWindow();
    form.showPage(QStringLiteral("info.socios"));
    auto* grid = child<QTableView>(form, QStringLiteral("grdPricipalesSocios"));
    EXPECT_EQ(grid->model()->rowCount(), 0);
    for (const char* number : {"41234567", "20100070970"}) {
        test::insertRow(database.db(), QStringLiteral("TMPF535SOCIOS"), test::demoKey(),
                        {{QStringLiteral("tipo_socio"), QStringLiteral("01")},
                         {QStringLiteral("tipo_doc_socio"), 1},
                         {QStringLiteral("nro_doc_socio"), QString::fromLatin1(number)},
                         {QStringLiteral("fec_nac_socio"), QStringLiteral("1968-04-12")},
                         {QStringLiteral("Porcentaje"), 50.0}});
    }
    model->refreshGrid(QStringLiteral("grdPricipalesSocios"));
    ASSERT_EQ(grid->model()->rowCount(), 2);

    // The catalogue's columns in its order; dates shown dd/mm/yyyy.
    QHeaderView* header = grid->horizontalHeader();
    const int first = header->logicalIndex(0);
    EXPECT_EQ(grid->model()->headerData(first, Qt::Horizontal).toString(),
              QStringLiteral("Tipo de socio, asociado, participacionista, otros"));
    QAbstractItemModel* rows = grid->model();
    EXPECT_EQ(rows->columnCount(), 8); // the declaration key is not shown
    EXPECT_TRUE(test::rowText(*rows, 0).contains(QStringLiteral(" | 12/04/1968 | ")))
        << test::rowText(*rows, 0).toStdString();

    grid->selectRow(1);
    EXPECT_EQ(model->control(QStringLiteral("grdPricipalesSocios")).current, 1);
    database.db().run(QStringLiteral("DELETE FROM TMPF535SOCIOS WHERE nro_doc_socio = '20100070970'"));
    model->refreshGrid();
    EXPECT_EQ(model->control(QStringLiteral("grdPricipalesSocios")).current, 0);
}

TEST_F(Frm537Test, PagesFollowTheModelAndTheUsersChoiceReachesIt) {
    DeclarationFormModel& form = makeModel();
    QStringList selected;
    form.onPageSelected([&](const QString& page) { selected.append(page); });
    Frm537& window537 = showWindow();

    form.showPage(QStringLiteral("info.general"), QStringLiteral("txtValor(207)"));
    EXPECT_EQ(child<QTabWidget>(window537, QStringLiteral("SSTab1"))->currentIndex(), 5);
    EXPECT_EQ(QApplication::focusWidget(), window537.box(207));
    form.showPage(QStringLiteral("ident.general"), QStringLiteral("OptRectifica"));
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("OptRectifica_1"));
    EXPECT_TRUE(selected.isEmpty()); // pages the model asked for are not reported back

    QTest::keyClick(&window537, Qt::Key_O, Qt::AltModifier); // " Impuest&o a  la  Renta"
    EXPECT_EQ(form.currentPage, QStringLiteral("renta"));
    EXPECT_TRUE(window537.box(103)->hasFocus()); // the first field of the page
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(form.currentPage, QStringLiteral("creditos"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(form.currentPage, QStringLiteral("eeff.hidro"));
    // "Información C&omplement." shares the key: it goes from one page to the other.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::AltModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(form.currentPage, QStringLiteral("info.general"));
    EXPECT_EQ(selected,
              (QStringList{QStringLiteral("renta"), QStringLiteral("creditos"), QStringLiteral("renta"),
                           QStringLiteral("eeff.hidro"), QStringLiteral("renta"), QStringLiteral("info.general")}));
}

// The page buttons keep their places when the chosen one turns bold, on every tab strip.
TEST_F(Frm537Test, ChoosingAPageMovesNoPageButton) {
    Frm537& window537 = showWindow();
    QHash<QString, QRect> firstSeen;
    for (const PageDef& page : FormPages::all()) {
        window537.showPage(page.id);
        QApplication::processEvents();
        for (const QToolButton* button :
             window537.findChildren<QToolButton*>(QRegularExpression(QStringLiteral("_tab\\d+$")))) {
            if (!button->isVisible()) {
                continue;
            }
            const auto seen = firstSeen.constFind(button->objectName());
            if (seen == firstSeen.cend()) {
                firstSeen.insert(button->objectName(), button->geometry());
            } else {
                EXPECT_EQ(button->geometry(), *seen)
                    << button->objectName().toStdString() << " on " << page.id.toStdString();
            }
        }
    }
    EXPECT_FALSE(firstSeen.isEmpty());
}

TEST_F(Frm537Test, OnlyTheStatementsOfTheChosenChartAreShown) {
    Frm537& form = showWindow();
    form.showPage(QStringLiteral("eeff.activo"));
    EXPECT_TRUE(form.box(359)->isVisible());
    EXPECT_FALSE(form.box(300)->isVisible());
    model->setOption(QStringLiteral("OptPlan"), 1);
    EXPECT_TRUE(form.box(300)->isVisible());
    EXPECT_FALSE(form.box(359)->isVisible());
    form.showPage(QStringLiteral("eeff.pasivo"));
    EXPECT_TRUE(form.box(331)->isVisible());
    EXPECT_FALSE(form.box(401)->isVisible());
}

TEST_F(Frm537Test, AStatementCanBeTypedWithTheKeyboardAlone) {
    Frm537& form = showWindow();
    QTest::keyClick(&form, Qt::Key_F, Qt::AltModifier); // "  Estados  &Financieros"
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
    ASSERT_EQ(QApplication::focusWidget(), form.box(359));
    // 359, 360, then 361 (an assistant without a detail window here), 362, 363.
    for (const char* amount : {"185000", "20000", "", "", "7500"}) {
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(amount));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    EXPECT_EQ(model->text(359), QStringLiteral("185,000"));
    EXPECT_EQ(model->text(360), QStringLiteral("20,000"));
    EXPECT_EQ(model->text(363), QStringLiteral("7,500"));
    EXPECT_EQ(QApplication::focusWidget(), form.box(364));
    EXPECT_TRUE(model->dirty);
}

TEST_F(Frm537Test, HelpAndClosingFollowTheModel) {
    DeclarationFormModel& form = makeModel();
    int cancels = 0;
    form.onControl(QStringLiteral("cmdSalir"), [&](int) { ++cancels; });
    Frm537& window537 = showWindow();
    form.setHelpText(QStringLiteral("c100 = c487"), QStringLiteral("segunda línea"));
    EXPECT_EQ(child<QLineEdit>(window537, QStringLiteral("TxtAyuda"))->text(), QStringLiteral("c100 = c487"));
    EXPECT_EQ(child<QLineEdit>(window537, QStringLiteral("TxtAyuda1"))->text(), QStringLiteral("segunda línea"));

    // The mouse over a box asks the model for that casilla's help.
    int pointed = 0;
    form.onBoxPointed([&](int casilla) { pointed = casilla; });
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(child<QLineEdit>(window537, QStringLiteral("txtValor_113")), &enter);
    EXPECT_EQ(pointed, 113);

    // Escape and "&Salir" run the cancel command; only the model closes the form.
    QTest::keyClick(&window537, Qt::Key_Escape);
    QTest::mouseClick(child<QAbstractButton>(window537, QStringLiteral("cmdSalir")), Qt::LeftButton);
    EXPECT_EQ(cancels, 2);
    EXPECT_TRUE(window537.isVisible());
    form.requestClose();
    EXPECT_FALSE(window537.isVisible());
}

TEST_F(Frm537Test, WithoutACancelRuleSalirJustCloses) {
    Frm537& form = showWindow();
    QTest::mouseClick(child<QAbstractButton>(form, QStringLiteral("cmdSalir")), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
}

// The window over a form that only shows its declaration (another session holds it): the model
// says read-only, and the window's boxes and text boxes take no typing.
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

// A click anywhere in an empty or half-filled date box, then the digits: the date fills the
// mask from its first empty place, not from where the mouse happened to land.
TEST(GuardedLineEdit, AClickIntoADateBoxTypesFromItsFirstEmptyPlace) {
    struct Case {
        const char* before;
        const char* typed;
        const char* date;
    };
    for (const Case& c : {Case{"", "12051975", "12/05/1975"}, Case{"1205", "1975", "12/05/1975"}}) {
        GuardedLineEdit box;
        box.setInputMask(QStringLiteral("99/99/9999;_"));
        box.resize(200, 24);
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        QTest::keyClicks(&box, QString::fromLatin1(c.before));
        for (const QPoint at : {QPoint(box.width() - 4, 12), QPoint(box.width() / 2, 12)}) {
            QTest::mouseClick(&box, Qt::LeftButton, {}, at);
            EXPECT_EQ(box.cursorPosition(), box.displayText().indexOf(QLatin1Char('_'))) << c.before;
        }
        QTest::keyClicks(&box, QString::fromLatin1(c.typed));
        EXPECT_EQ(box.text(), QString::fromLatin1(c.date)) << c.before;
    }
}

// The zone's departments in the tree, the code chosen before selected, and a district handed
// back. Refusals (a department, a code of another zone) are the picker's own: the batch form
// dialog tests cover them.
TEST(FrmUbigeo, ListsTheZoneAndReturnsTheChosenDistrict) {
    test::TempDatabase database;
    const auto prompter = test::makePrompter();
    frmUbigeo window(database.db(), *prompter, QStringLiteral("2"), QStringLiteral("250103"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Ubigeo Zona 2"));
    ASSERT_EQ(window.tree()->topLevelItemCount(), 3);
    EXPECT_EQ(window.tree()->topLevelItem(2)->text(0), QStringLiteral("UCAYALI"));
    ASSERT_NE(window.tree()->currentItem(), nullptr);
    EXPECT_EQ(window.tree()->currentItem()->text(1), QStringLiteral("250103"));

    ASSERT_TRUE(window.selectCode(QStringLiteral("250104")));
    window.findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(window.resultText(), QStringLiteral("250104"));
    EXPECT_TRUE(prompter->verify());
}

} // namespace
} // namespace qel::declaration
