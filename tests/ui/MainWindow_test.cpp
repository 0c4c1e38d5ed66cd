// The main window: caption, menus, tool bar, status bar, the notice and the about box, how the
// lists and windows it opens come and go, the Consultas lists, and Qt's own dialogs in Spanish.
#include "app/ui/BackgroundPicture.h"
#include "app/ui/BarradeEstadoQEL.h"
#include "app/ui/CentreInMain.h"
#include "app/ui/Dialog_Inicial.h"
#include "app/ui/FormResult.h"
#include "app/ui/FrmConsultas.h"
#include "app/ui/MDIFrm.h"
#include "app/ui/QtSpanish.h"
#include "app/ui/frmAcercade.h"
#include "ui/WindowDriver.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QTranslator>

namespace {

using namespace qel;
using C = app::MainCommands::Command;

using app::ui::MDIFrm;

// A list window standing for the ones of later versions: it counts the taxpayers' declarations
// when it is prepared, remembers what it was opened with and closes itself at once.
class FakeList : public QDialog, public app::ui::FormResult {
public:
    struct Record {
        QString code;
        int declarations = 0;
        int listMode = 0;
        bool overlapped = false;
    };
    static inline int live = 0;
    static inline QList<Record> opened;

    FakeList(const app::FormRequest& request, app::ProcessState& state, bool accept, QWidget* parent)
        : QDialog(parent) {
        opened.append(
            {request.code, state.database().scalar("SELECT count(*) FROM CAB").toInt(), state.listMode, live != 0});
        ++live;
        QTimer::singleShot(0, this, accept ? &QDialog::accept : &QDialog::reject);
    }
    ~FakeList() override { --live; }
    QString resultText() const override { return QStringLiteral("lista"); }
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_state.db = std::move(store::Database::open(m_temp.path()).database);
        m_window = std::make_unique<MDIFrm>(m_state, *m_prompter, m_forms);
        m_state.status = m_window->statusDisplay();
        m_window->place();
        FakeList::opened.clear();
    }
    void TearDown() override {
        m_window.reset();
        m_prompter->verify();
    }

    void registerFakeList(const QString& name, bool accept = false) {
        m_forms.registerForm(name, [this, accept](const app::FormRequest& request) {
            return std::make_unique<FakeList>(request, m_state, accept, qobject_cast<QWidget*>(request.parent.data()));
        });
    }

    test::TempDatabase m_temp;
    app::ProcessState m_state;
    std::unique_ptr<app::ScriptedPrompter> m_prompter = test::makePrompter();
    app::ui::FormLauncher m_forms{*m_prompter};
    std::unique_ptr<MDIFrm> m_window;
};

TEST_F(MainWindowTest, CaptionPlaceAndBoxes) {
    EXPECT_EQ(m_window->windowTitle(), app::MainCommands::windowCaption(m_state));
    EXPECT_EQ(m_window->pos(), QPoint(0, 0));
    EXPECT_EQ(m_window->size(), QSize(648, 488));
    const Qt::WindowFlags flags = m_window->windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
}

TEST_F(MainWindowTest, MenusCarryTheSystemsCaptions) {
    const QList<QPair<QString, QStringList>> expected = {
        {"&Declaraciones", {"&Nueva", "&Modificar", "&Eliminar", "-", "&Imprimir", "-", "&Salir"}},
        {"Declaraciones &Enviadas",
         {"&Registrar número de orden", "&Eliminar", "-", "&Recuperar Declaración", "-", "&Imprimir"}},
        {"&Consultas", {"&Bancos", "&Paises", "&UIT"}},
        {"&Ayuda", {"&Contenido", "-", "Acerca &de QEL", "&Verificar Versión"}},
    };
    const QList<QAction*> menus = m_window->menuBar()->actions();
    ASSERT_EQ(menus.size(), expected.size());
    for (int i = 0; i < menus.size(); ++i) {
        EXPECT_EQ(menus[i]->text(), expected[i].first);
        QStringList items;
        for (const QAction* item : menus[i]->menu()->actions()) {
            items.append(item->isSeparator() ? QStringLiteral("-") : item->text());
        }
        EXPECT_EQ(items, expected[i].second) << expected[i].first.toStdString();
    }
}

TEST_F(MainWindowTest, ToolbarButtonsHavePicturesAndSpanishTips) {
    const QList<QAction*> buttons = m_window->toolbar()->actions();
    ASSERT_EQ(buttons.size(), app::MainCommands::kToolbarButtons);
    const QList<int> separators = {6, 8, 9};
    for (int index = 1; index <= buttons.size(); ++index) {
        const QAction* button = buttons[index - 1];
        EXPECT_EQ(button->isSeparator(), separators.contains(index)) << "button " << index;
        if (!button->isSeparator()) {
            EXPECT_FALSE(button->icon().isNull()) << "button " << index;
            EXPECT_FALSE(button->toolTip().contains('&')) << button->toolTip().toStdString();
            EXPECT_EQ(button, m_window->action(*app::MainCommands::toolbarCommand(index)));
        }
    }
    EXPECT_EQ(m_window->action(C::NewDeclaration)->toolTip(), "Nueva declaración");
}

TEST_F(MainWindowTest, ModifyingTwiceShowsAFreshlyPreparedListEachTime) {
    registerFakeList("FrmContAbrir");
    for (int declarations = 0; declarations < 2; ++declarations) {
        if (declarations == 1) {
            test::insertRow(m_state.database(), "CAB", test::demoKey());
        }
        // The notice comes first each time.
        test::whileModal<app::ui::Dialog_Inicial>(
            {}, [this] { m_window->action(C::ModifyDeclaration)->trigger(); },
            [](app::ui::Dialog_Inicial& notice) { notice.accept(); });
    }
    ASSERT_EQ(FakeList::opened.size(), 2);
    EXPECT_EQ(FakeList::live, 0);
    for (const FakeList::Record& r : FakeList::opened) {
        EXPECT_EQ(r.code, "1") << "operation 1: modify";
        EXPECT_EQ(r.listMode, 1);
        EXPECT_FALSE(r.overlapped) << "the previous list is gone before the new one is prepared";
    }
    EXPECT_EQ(FakeList::opened[0].declarations, 0);
    EXPECT_EQ(FakeList::opened[1].declarations, 1);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the hourglass is gone";
}

TEST_F(MainWindowTest, AnUnknownWindowIsAnInternalError) {
    m_prompter->expectMessage("Error interno del módulo: la ventana \"FrmNoExiste\" no está registrada.",
                              app::Icon::Critical, "Error");
    app::FormRequest unknown;
    unknown.name = "FrmNoExiste";
    EXPECT_EQ(m_forms.open(unknown), "");
}

TEST_F(MainWindowTest, ALaunchedWindowHandsBackItsResult) {
    registerFakeList("FrmAnexoPrueba", true);
    app::FormRequest request;
    request.name = "frmanexoprueba"; // window names compare without regard to case
    request.parent = m_window.get();
    EXPECT_EQ(m_forms.open(request), "lista");
    EXPECT_EQ(FakeList::live, 0);
}

TEST_F(MainWindowTest, StatusBarShowsTheTaxpayerUntilTheMouseMovesOverTheBackground) {
    app::ui::BarradeEstadoQEL* status = m_window->statusDisplay();
    for (QWidget* surface :
         {static_cast<QWidget*>(m_window->background()), static_cast<QWidget*>(m_window->statusBar())}) {
        status->showStatus("20100070970", "D'ONOFRIO S.A.", "2018", "0588");
        QStringList shown;
        for (const char* property : {"numdoc", "razonsocial", "periodo_ejercicio", "formulario", "esruc"}) {
            shown.append(status->property(property).toString());
        }
        EXPECT_EQ(shown, QStringList({"20100070970", "D'ONOFRIO S.A.", "2018", "0588", "1"}));

        QMouseEvent move(QEvent::MouseMove, QPointF(20, 20), surface->mapToGlobal(QPointF(20, 20)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(surface, &move);
        EXPECT_EQ(status->property("razonsocial").toString(), "") << surface->objectName().toStdString();
        EXPECT_EQ(status->property("numdoc").toString(), "20100070970");
    }
}

TEST_F(MainWindowTest, NoticeAndAboutBoxShowTheirTexts) {
    m_window->show();
    m_state.versionDate = "15/03/2019";
    registerFakeList("Frm537");
    test::whileModal<app::ui::Dialog_Inicial>(
        {}, [this] { m_window->run(C::NewDeclaration); },
        [this](app::ui::Dialog_Inicial& notice) {
            EXPECT_EQ(notice.messageText(),
                      "Para  un  adecuado  registro  de   su  información,  le  sugerimos revisar previamente "
                      "las ayudas del QEL, presionando la tecla F1.");
            EXPECT_EQ(notice.windowTitle(), m_window->windowTitle());
            test::click(notice, "cmdAceptar");
        });

    test::whileModal<app::ui::frmAcercade>(
        {}, [this] { m_window->run(C::About); },
        [this](app::ui::frmAcercade& about) {
            QStringList texts = {about.windowTitle()};
            for (const char* name : {"lblVersion", "lblDescripcion", "lblActualizacion", "lblFecha"}) {
                texts << about.findChild<QLabel*>(name)->text();
            }
            texts << about.findChild<QPushButton*>("cmdAceptar")->text();
            EXPECT_EQ(texts, QStringList({"Acerca de QEL ", "Versión 1.0", "Renta Anual 2018 3ra Categoría e ITF",
                                          "Actualización al", "15/03/2019", "&Aceptar"}));
            EXPECT_EQ(about.frameGeometry().topLeft(),
                      app::ui::centredIn(m_window->frameGeometry(), about.frameGeometry().size()))
                << "centred on the main window";
        });
}

TEST_F(MainWindowTest, BothWaysOutShutDownOnce) {
    for (const bool byMenu : {true, false}) {
        auto window = std::make_unique<MDIFrm>(m_state, *m_prompter, m_forms);
        window->place();
        window->show();
        QDialog leftOpen;
        leftOpen.show();
        int shutdowns = 0;
        window->setShutdown([&shutdowns] { ++shutdowns; });
        if (byMenu) {
            window->action(C::Exit)->trigger();
        } else {
            window->close();
        }
        window->close();
        EXPECT_EQ(shutdowns, 1);
        EXPECT_FALSE(window->isVisible());
        // The close box unloads every other window; "Salir" leaves that to the end of the process.
        EXPECT_EQ(leftOpen.isVisible(), byMenu);
    }
}

TEST(CentreInMain, IntegerPartOfHalfTheDifference) {
    struct Case {
        QRect main;
        QSize form;
        QPoint place;
    };
    const Case cases[] = {
        {QRect(0, 0, 648, 488), QSize(400, 190), QPoint(124, 149)},
        {QRect(0, 0, 648, 488), QSize(401, 191), QPoint(123, 148)},
        {QRect(100, 50, 300, 200), QSize(500, 400), QPoint(0, -50)},
        {QRect(0, 0, 300, 200), QSize(301, 201), QPoint(-1, -1)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(app::ui::centredIn(c.main, c.form), c.place);
    }
}

// Each list of the Consultas menu opens under its caption with the reference rows, takes no
// editing and closes with Salir. What each list holds is the lists' model's (ConsultasModel).
TEST(FrmConsultas, EachListOfTheConsultasMenuIsReadOnlyAndClosesWithSalir) {
    test::TempDatabase temp;
    app::ProcessState state;
    state.db = std::move(store::Database::open(temp.path()).database);
    auto prompter = test::makePrompter();
    app::ui::FormLauncher forms(*prompter);
    app::ui::MDIFrm window(state, *prompter, forms);
    window.place();

    for (const auto& c :
         {std::pair{C::BankList, "Bancos"}, std::pair{C::CountryList, "Paises"}, std::pair{C::UitList, "UIT"}}) {
        test::whileModal<app::ui::FrmConsultas>(
            QString(), [&window, &c] { window.run(c.first); },
            [&c](app::ui::FrmConsultas& list) {
                EXPECT_EQ(list.windowTitle(), QString::fromLatin1(c.second));
                EXPECT_GT(list.grid()->model()->rowCount(), 0) << c.second;
                EXPECT_EQ(list.grid()->editTriggers(), QAbstractItemView::NoEditTriggers) << c.second;
                test::click(list, QStringLiteral("cmdSalir"));
                EXPECT_FALSE(list.isVisible()) << c.second;
            });
    }
}

// Qt's own dialogs speak Spanish once the translations are in: the standard buttons of a
// message box and the print dialog.
TEST(QtSpanish, QtsOwnDialogsAndButtonsAreInSpanish) {
    const QLocale before;
    QTranslator* translator = qel::app::ui::installQtSpanish();
    ASSERT_NE(translator, nullptr) << "qt6-translations-l10n is not installed";

    QMessageBox box(QMessageBox::Question, QStringLiteral("Pregunta"), QStringLiteral("¿Continuar?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Sí"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Cancelar"));

    QPrinter printer;
    QPrintDialog dialog(&printer);
    dialog.show();
    QStringList buttons;
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        buttons.append(button->text().remove(QLatin1Char('&')));
    }
    for (const char* text : {"Imprimir", "Cancelar", "Páginas"}) {
        EXPECT_TRUE(buttons.contains(QString::fromUtf8(text))) << qPrintable(buttons.join(QLatin1Char('|')));
    }
    for (const char* english : {"Pages", "Off", "Long side binding", "Short side binding"}) {
        EXPECT_FALSE(buttons.contains(QString::fromUtf8(english))) << english;
    }
    // The kind of a folder in the file chooser.
    QFileSystemModel files;
    EXPECT_EQ(files.iconProvider()->type(QFileInfo(QDir::tempPath())), QStringLiteral("Carpeta"));
    dialog.hide();

    QCoreApplication::removeTranslator(translator);
    delete translator;
    QLocale::setDefault(before);
}

} // namespace
