// The declaration form's window over its model: pages, boxes, keys, options, grids and help as
// the user meets them; the read-only form, the legibility of its lists and boxes, the date box
// and the ubigeo picker it opens.
#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormPages.h"
#include "declaration/FormFixture.h"
#include "declaration/commands/FormLoader.h"
#include "declaration/ui/GuardedLineEdit.h"
#include "declaration/ui/frmUbigeo.h"
#include "ui/Frm537Fixture.h"

#include <QCheckBox>
#include <QEnterEvent>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>

namespace qel::declaration {
namespace {

using Frm537Test = Frm537Fixture;

using test::child;

// Every tab control with its pages' captions, each nested one on the page that holds it; every
// catalogue box on its page beside its number, and no box for a hidden casilla.
TEST_F(Frm537Test, TheWindowLaysOutThePagesAndBoxesOfTheCatalogue) {
    Frm537& form = showWindow();
    for (const char* name : {"SSTab1", "SSTab2", "SSTab3", "SSTab4", "SSTab6", "SSTab7", "sTabInvestigacion"}) {
        QTabWidget* tabs = child<QTabWidget>(form, QString::fromLatin1(name));
        const QList<const PageDef*> pages = FormPages::pagesOf(QString::fromLatin1(name));
        ASSERT_EQ(tabs->count(), pages.size()) << name;
        for (int i = 0; i < tabs->count(); ++i) {
            EXPECT_EQ(tabs->tabText(i), pages.at(i)->caption);
            const QString holder = pages.at(i)->parentId;
            EXPECT_TRUE(holder.isEmpty() ||
                        form.findChild<QWidget*>(QStringLiteral("page_") + holder)->isAncestorOf(tabs));
        }
    }
    int shown = 0;
    for (const CasillaDef* def : CasillaCatalog::instance().boxes()) {
        QLineEdit* box = form.findChild<QLineEdit*>(QStringLiteral("txtValor_%1").arg(def->number));
        if (def->kind == BoxKind::Hidden || box == nullptr) {
            EXPECT_EQ(def->kind == BoxKind::Hidden, box == nullptr) << def->number;
            continue;
        }
        ++shown;
        EXPECT_TRUE(form.findChild<QWidget*>(QStringLiteral("page_") + def->page)->isAncestorOf(box)) << def->number;
        EXPECT_EQ(child<QLabel>(form, QStringLiteral("lblNumero_%1").arg(def->number))->text(),
                  QString::number(def->number));
    }
    EXPECT_GT(shown, 200);
}

// Keys reach the model through its filter, into the boxes it leaves open: a computed box takes
// none, a box the rules switch on takes them.
TEST_F(Frm537Test, TypedKeysPassThroughTheModelsFilterIntoOpenBoxes) {
    Frm537& form = showWindow();
    EXPECT_FALSE(form.box(201)->isEnabled());
    model->Habcasilla(201);
    const struct {
        int casilla;
        const char* keys;
        const char* kept;
    } cases[] = {
        {359, "12a3", "123"},     // amounts: digits only
        {211, "ab-1?/", "AB-1/"}, // registration number: capitals, "-", "/"
        {180, "9\b8", "8"},       // backspace passes
        {100, "55", ""},          // computed
        {201, "agro 9", "AGRO 9"},
    };
    for (const auto& c : cases) {
        test::typeKeys(form.box(c.casilla), QString::fromLatin1(c.keys));
        EXPECT_EQ(model->text(c.casilla), QString::fromLatin1(c.kept)) << c.casilla;
        EXPECT_EQ(form.box(c.casilla)->text(), QString::fromLatin1(c.kept)) << c.casilla;
    }
    test::typeKeys(child<QLineEdit>(form, QStringLiteral("txtApellidoRL")), QStringLiteral("pérez-ñ"));
    EXPECT_EQ(model->controlText(QStringLiteral("txtApellidoRL")), QStringLiteral("PREZÑ"));
}

// Text, lock, state and colour follow the model; a grey box of the tax page that the user may
// type into is drawn white, and a box that opens a window says so in its tip.
TEST_F(Frm537Test, BoxesFollowTheModelAndShowWhichTakeTypingOrOpenAWindow) {
    Frm537& form = showWindow();
    QLineEdit* box = form.box(180);
    model->setText(180, QStringLiteral("1,000"));
    EXPECT_EQ(box->text(), QStringLiteral("1,000"));
    model->setLocked(180, true);
    EXPECT_TRUE(box->isReadOnly());
    model->setEnabled(180, false);
    EXPECT_FALSE(box->isEnabled());
    const QColor grey(0xd4, 0xd0, 0xc8);
    const QList<QPair<BoxColour, QColor>> colours = {{BoxColour::White, Qt::white},
                                                     {BoxColour::Cyan, QColor(0, 255, 255)},
                                                     {BoxColour::ScrollBar, grey},
                                                     {BoxColour::ButtonFace, form.palette().color(QPalette::Button)}};
    for (const auto& [colour, expected] : colours) {
        model->setColour(180, colour);
        EXPECT_EQ(box->palette().color(QPalette::Disabled, QPalette::Base), expected);
        EXPECT_EQ(box->palette().color(QPalette::Active, QPalette::Base), expected);
    }
    model->setEnabled(155, true);
    model->setLocked(155, false);
    EXPECT_EQ(form.box(155)->palette().color(QPalette::Active, QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(form.box(157)->palette().color(QPalette::Active, QPalette::Base), grey);

    int cyan = 0;
    for (const CasillaDef* def : CasillaCatalog::instance().boxes()) {
        if (GuardedLineEdit* shown = form.box(def->number)) {
            const bool opensWindow = model->box(def->number).colour == BoxColour::Cyan;
            cyan += opensWindow ? 1 : 0;
            EXPECT_EQ(shown->toolTip().contains(QStringLiteral("abrir la ventana")), opensWindow) << def->number;
        }
    }
    EXPECT_GT(cyan, 0);
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

// Options, checks, lists and command buttons tell the model what the user did; an option the
// model refuses goes back to its choice.
TEST_F(Frm537Test, ControlsReachTheModelAndARefusedOptionIsUndone) {
    DeclarationFormModel& form = makeModel();
    QStringList events;
    for (const QString& name :
         {QStringLiteral("OptRectifica"), QStringLiteral("ChkITF"), QStringLiteral("cboTipoReorganizacion"),
          QStringLiteral("cmdSocios"), QStringLiteral("chkItanPagos")}) {
        form.onControl(name, [&events, &form, name](int index) {
            events.append(name + QString::number(index));
            if (name == QLatin1String("OptRectifica") && index == 0) {
                form.setOption(name, 1); // "No" answered No: "Si" again
            }
        });
    }
    form.setComboItems(QStringLiteral("cboTipoReorganizacion"), {{QStringLiteral("FUSION  1"), QStringLiteral("1")},
                                                                 {QStringLiteral("ESCISION  2"), QStringLiteral("2")}});
    form.setControlEnabled(QStringLiteral("cboTipoReorganizacion"), true);
    form.setControlEnabled(QStringLiteral("chkItanPagos"), true);
    Frm537& window537 = showWindow();

    auto* yes = child<QRadioButton>(window537, QStringLiteral("OptRectifica_1"));
    auto* no = child<QRadioButton>(window537, QStringLiteral("OptRectifica_0"));
    QTest::mouseClick(yes, Qt::LeftButton);
    EXPECT_EQ(form.option(QStringLiteral("OptRectifica")), 1);
    QTest::mouseClick(yes, Qt::LeftButton); // already chosen: no event
    QTest::mouseClick(no, Qt::LeftButton);
    EXPECT_TRUE(yes->isChecked());
    EXPECT_FALSE(no->isChecked());
    form.setOption(QStringLiteral("OptRectifica"), -1);
    EXPECT_FALSE(yes->isChecked() || no->isChecked());
    form.setControlEnabled(QStringLiteral("OptRectifica"), false);
    EXPECT_FALSE(yes->isEnabled());

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
    EXPECT_EQ(events, (QStringList{QStringLiteral("OptRectifica1"), QStringLiteral("OptRectifica0"),
                                   QStringLiteral("ChkITF-1"), QStringLiteral("chkItanPagos1"),
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
    for (const char* number : {"41234567", "20100070970"}) {
        test::insertRow(database.db(), QStringLiteral("TMPF535SOCIOS"), test::demoKey(),
                        testing::fields(QStringLiteral("tipo_socio=01; tipo_doc_socio=1; fec_nac_socio=1968-04-12; "
                                                       "Porcentaje=50; nro_doc_socio=") +
                                        QString::fromLatin1(number)));
    }
    model->refreshGrid(QStringLiteral("grdPricipalesSocios"));
    ASSERT_EQ(grid->model()->rowCount(), 2);

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

// Enter moves on from box to box, except where the model opens a window, and from the last box
// of a page to the first of the next.
TEST_F(Frm537Test, AStatementCanBeTypedWithTheKeyboardAlone) {
    Frm537& form = showWindow();
    model->onCasillaClicked([](int casilla) { return casilla == 382; });
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
    EXPECT_EQ(model->text(363), QStringLiteral("7,500"));
    EXPECT_EQ(QApplication::focusWidget(), form.box(364));
    EXPECT_TRUE(model->dirty);

    form.box(382)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form.box(382), Qt::Key_Return); // it opens its detail window: the focus stays
    EXPECT_EQ(QApplication::focusWidget(), form.box(382));
    form.box(389)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form.box(389), Qt::Key_Return);
    EXPECT_EQ(model->currentPage, QStringLiteral("eeff.pasivo"));
    EXPECT_EQ(form.currentPageId(), QStringLiteral("eeff.pasivo"));
    EXPECT_EQ(QApplication::focusWidget(), form.box(401));
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
TEST_F(Frm537Test, AReadOnlyFormsBoxesRefuseTyping) {
    makeModel().caption = FormLoader::formCaption(QStringLiteral("0588"), QStringLiteral("2018"));
    Frm537& form = showWindow();
    form.showPage(QStringLiteral("ident.general"));
    const struct {
        QLineEdit* edit;
        QString typed;
        std::function<QString()> held; // what the model holds for the widget
    } fields[] = {{form.box(359), QStringLiteral("12"), [this] { return model->text(359); }},
                  {child<QLineEdit>(form, QStringLiteral("TxtNombreN")), QStringLiteral("ROSA"),
                   [this] { return model->controlText(QStringLiteral("TxtNombreN")); }}};
    // While the form may be changed, typing reaches the model...
    for (const auto& field : fields) {
        field.edit->setFocus();
        QTest::keyClicks(field.edit, field.typed);
        EXPECT_FALSE(field.held().isEmpty()) << field.edit->objectName().toStdString();
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);

    // ... and once it only shows its declaration, nothing typed changes either.
    model->setReadOnly();
    EXPECT_TRUE(form.windowTitle().endsWith(Frm537::kReadOnlyTitle)) << form.windowTitle().toStdString();
    for (const auto& field : fields) {
        SCOPED_TRACE(field.edit->objectName().toStdString());
        const QString before = field.held();
        EXPECT_TRUE(field.edit->isReadOnly() || !field.edit->isEnabled());
        field.edit->setFocus();
        QTest::keyClicks(field.edit, QStringLiteral("9"));
        QTest::keyClick(field.edit, Qt::Key_Backspace);
        EXPECT_EQ(field.held(), before);
    }
    EXPECT_FALSE(child<QRadioButton>(form, QStringLiteral("OptRectifica_1"))->isEnabled());
}

// The document-type entries carry flags from position 71 (casilla 687 receives the whole
// entry); the lists show the code and the document's name within their width.
TEST_F(Frm537Test, DocumentTypeListsShowTheCodeAndTheNameInTheirWidth) {
    makeModel();
    QList<ComboItem> items;
    for (const QString& entry : FormLoader::documentTypeItems()) {
        items.append({entry, entry.left(2)});
    }
    const QStringList names = {QStringLiteral("cboContador"), QStringLiteral("cboTipDocRepLegal")};
    for (const QString& name : names) {
        model->setComboItems(name, items);
    }
    Frm537& form = showWindow();
    form.showPage(FormControls::instance().find(names.first())->page);
    const QStringList shown = {QStringLiteral("06  -  RUC"), QStringLiteral("01  -  DNI"),
                               QStringLiteral("99  -  SIN DATOS")};
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        auto* combo = child<QComboBox>(form, name);
        ASSERT_EQ(combo->count(), shown.size());
        for (int i = 0; i < combo->count(); ++i) {
            EXPECT_EQ(combo->itemText(i), shown.at(i));
            // Room for the text beside the arrow of the closed list.
            EXPECT_LT(combo->fontMetrics().horizontalAdvance(combo->itemText(i)) + 40, combo->width());
        }
        // What the rules and casilla 687 read stays the entry as the reference list gives it.
        EXPECT_EQ(model->control(name).items.first().text, items.first().text);
    }
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
