// The main window: caption, tool bar, status bar, the notice and the about box, how the
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
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>
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
        int declarations = 0;
        bool overlapped = false;
        bool operator==(const Record&) const = default;
    };
    static inline int live = 0;
    static inline QList<Record> opened;

    FakeList(app::ProcessState& state, bool accept, QWidget* parent) : QDialog(parent) {
        opened.append({state.database().scalar("SELECT count(*) FROM CAB").toInt(), live != 0});
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
            return std::make_unique<FakeList>(m_state, accept, qobject_cast<QWidget*>(request.parent.data()));
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
    const Qt::WindowFlags boxes =
        Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;
    EXPECT_EQ(m_window->windowFlags() & boxes, Qt::WindowCloseButtonHint); // only the close box
}

TEST_F(MainWindowTest, ToolbarButtonsHavePicturesAndSpanishTips) {
    const QList<QAction*> buttons = m_window->toolbar()->actions();
    ASSERT_EQ(buttons.size(), app::MainCommands::kToolbarButtons);
    for (int index = 1; index <= buttons.size(); ++index) {
        const QAction* button = buttons[index - 1];
        const std::optional<C> command = app::MainCommands::toolbarCommand(index);
        EXPECT_EQ(button->isSeparator(), !command) << "button " << index;
        if (command) {
            EXPECT_FALSE(button->icon().isNull()) << "button " << index;
            EXPECT_FALSE(button->toolTip().isEmpty() || button->toolTip().contains('&')) << index;
            EXPECT_EQ(button, m_window->action(*command));
        }
    }
}

TEST_F(MainWindowTest, ModifyingTwiceShowsAFreshlyPreparedListEachTime) {
    registerFakeList("FrmContAbrir");
    for (int declarations = 0; declarations < 2; ++declarations) {
        if (declarations == 1) {
            test::insertRow(m_state.database(), "CAB", test::demoKey());
        }
        // The notice comes first each time, under the main window's caption.
        test::whileModal<app::ui::Dialog_Inicial>(
            {}, [this] { m_window->action(C::ModifyDeclaration)->trigger(); },
            [this](app::ui::Dialog_Inicial& notice) {
                EXPECT_EQ(notice.windowTitle(), m_window->windowTitle());
                test::click(notice, "cmdAceptar");
            });
    }
    // Each list is prepared once the one before is gone, and counts the declarations of its time.
    EXPECT_EQ(FakeList::opened, (QList<FakeList::Record>{{0, false}, {1, false}}));
    EXPECT_EQ(FakeList::live, 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the hourglass is gone";
}

// Window names compare without regard to case; a name nobody registered is an internal error.
TEST_F(MainWindowTest, ALaunchedWindowHandsBackItsResultAndAnUnknownOneIsAnInternalError) {
    registerFakeList("FrmAnexoPrueba", true);
    app::FormRequest request;
    request.name = "frmanexoprueba";
    request.parent = m_window.get();
    EXPECT_EQ(m_forms.open(request), "lista");
    EXPECT_EQ(FakeList::live, 0);
    m_prompter->expectMessage("Error interno del módulo: la ventana \"FrmNoExiste\" no está registrada.",
                              app::Icon::Critical, "Error");
    request.name = "FrmNoExiste";
    EXPECT_EQ(m_forms.open(request), "");
}

TEST_F(MainWindowTest, StatusBarShowsTheTaxpayerUntilTheMouseMovesOverTheBackground) {
    app::ui::BarradeEstadoQEL* status = m_window->statusDisplay();
    for (QWidget* surface :
         {static_cast<QWidget*>(m_window->background()), static_cast<QWidget*>(m_window->statusBar())}) {
        status->showStatus("20100070970", "D'ONOFRIO S.A.", "2018", "0588");
        EXPECT_EQ(status->property("razonsocial").toString(), "D'ONOFRIO S.A.");

        QMouseEvent move(QEvent::MouseMove, QPointF(20, 20), surface->mapToGlobal(QPointF(20, 20)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(surface, &move);
        EXPECT_EQ(status->property("razonsocial").toString(), "") << surface->objectName().toStdString();
        EXPECT_EQ(status->property("numdoc").toString(), "20100070970");
    }
}

// The about box shows the version's date, centred on the main window.
TEST_F(MainWindowTest, TheAboutBoxComesUpCentredOverTheMainWindow) {
    m_window->show();
    m_state.versionDate = "15/03/2019";
    test::whileModal<app::ui::frmAcercade>(
        {}, [this] { m_window->run(C::About); },
        [this](app::ui::frmAcercade& about) {
            EXPECT_EQ(test::child<QLabel>(about, "lblFecha")->text(), "15/03/2019");
            EXPECT_EQ(about.frameGeometry().topLeft(),
                      app::ui::centredIn(m_window->frameGeometry(), about.frameGeometry().size()));
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
TEST_F(MainWindowTest, EachListOfTheConsultasMenuIsReadOnlyAndClosesWithSalir) {
    for (const auto& c :
         {std::pair{C::BankList, "Bancos"}, std::pair{C::CountryList, "Paises"}, std::pair{C::UitList, "UIT"}}) {
        test::whileModal<app::ui::FrmConsultas>(
            QString(), [this, &c] { m_window->run(c.first); },
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
