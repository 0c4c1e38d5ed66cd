#include "app/ui/MDIFrm.h"

#include "app/ProcessState.h"
#include "app/ui/ArrowCursorScope.h"
#include "app/ui/BackgroundPicture.h"
#include "app/ui/BarradeEstadoQEL.h"
#include "app/ui/Dialog_Inicial.h"
#include "app/ui/FormLauncher.h"
#include "app/ui/FrmConsultas.h"
#include "app/ui/HelpKey.h"
#include "app/ui/ToolbarIcons.h"
#include "app/ui/frmAcercade.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

namespace qel::app::ui {

namespace {

struct MenuItem {
    QString text; // empty: a separator
    QString name;
    MainCommands::Command command = MainCommands::Command::Exit;
    QString toolTip = {};
    QKeySequence shortcut = {};
};

struct Menu {
    QString title;
    QString name;
    QList<MenuItem> items;
};

using C = MainCommands::Command;

const MenuItem kSeparator{};

QList<Menu> menus() {
    return {
        {QStringLiteral("&Declaraciones"),
         app::menus::kDeclarations,
         {
             {QStringLiteral("&Nueva"), app::menus::kNew, C::NewDeclaration, QStringLiteral("Nueva declaración")},
             {QStringLiteral("&Modificar"), app::menus::kModify, C::ModifyDeclaration,
              QStringLiteral("Modificar una declaración registrada")},
             {QStringLiteral("&Eliminar"), app::menus::kDelete, C::DeleteDeclaration,
              QStringLiteral("Eliminar una declaración registrada")},
             kSeparator,
             {QStringLiteral("&Imprimir"), app::menus::kPrint, C::PrintDeclaration,
              QStringLiteral("Imprimir una declaración")},
             kSeparator,
             {QStringLiteral("&Salir"), app::menus::kExit, C::Exit, QStringLiteral("Salir del módulo")},
         }},
        {QStringLiteral("Declaraciones &Enviadas"),
         app::menus::kSent,
         {
             {QStringLiteral("&Registrar número de orden"), app::menus::kRegisterOrder, C::RegisterOrderNumber,
              QStringLiteral("Registrar el número de orden de una declaración enviada")},
             {QStringLiteral("&Eliminar"), app::menus::kDeleteSent, C::DeleteSentDeclaration},
             kSeparator,
             {QStringLiteral("&Recuperar Declaración"), app::menus::kRecover, C::RecoverSentDeclaration},
             kSeparator,
             {QStringLiteral("&Imprimir"), app::menus::kPrintSent, C::PrintSentDeclaration},
         }},
        {QStringLiteral("&Consultas"),
         app::menus::kLists,
         {
             {QStringLiteral("&Bancos"), app::menus::kBanks, C::BankList},
             {QStringLiteral("&Paises"), app::menus::kCountries, C::CountryList},
             {QStringLiteral("&UIT"), app::menus::kUit, C::UitList},
         }},
        {QStringLiteral("&Ayuda"),
         app::menus::kHelp,
         {
             {QStringLiteral("&Contenido"), app::menus::kContents, C::Help, QStringLiteral("Ayuda del módulo (F1)"),
              QKeySequence(Qt::Key_F1)},
             kSeparator,
             {QStringLiteral("Acerca &de QEL"), app::menus::kAbout, C::About},
             {QStringLiteral("&Verificar Versión"), app::menus::kVersionCheck, C::VersionCheck},
         }},
    };
}

bool hasPicture(C command) {
    for (int i = 1; i <= MainCommands::kToolbarButtons; ++i) {
        if (MainCommands::toolbarCommand(i) == command) {
            return true;
        }
    }
    return command == C::PrintSentDeclaration;
}

} // namespace

MDIFrm::MDIFrm(ProcessState& state, Prompter& prompter, FormLauncher& forms, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_prompter(prompter), m_forms(forms), m_commands(state, prompter, *this) {
    setObjectName(QStringLiteral("MDIFrm"));
    HelpKey::install(this, [this] { return m_state.helpFile; }); // F1 in every window of the module
    setMouseTracking(true);
    buildMenus();
    buildToolbar();

    m_background = new BackgroundPicture(m_state.periodo, m_state.formulario, this);
    setCentralWidget(m_background);
    m_background->installEventFilter(this);

    m_picture2 = new QStatusBar(this);
    m_picture2->setObjectName(QStringLiteral("Picture2"));
    m_picture2->setMouseTracking(true);
    m_picture2->installEventFilter(this);
    m_status = new BarradeEstadoQEL(m_picture2);
    m_status->installEventFilter(this);
    m_picture2->addWidget(m_status, 1);
    setStatusBar(m_picture2);
}

void MDIFrm::paintEmblem() {
    QApplication::setWindowIcon(ToolbarIcons::emblem(m_state.formulario, 64)); // every window of the module
}

MDIFrm::~MDIFrm() {
    while (m_busyDepth > 0) {
        setBusy(false);
    }
}

void MDIFrm::buildMenus() {
    for (const Menu& menu : menus()) {
        QMenu* m = menuBar()->addMenu(menu.title);
        m->setObjectName(menu.name);
        for (const MenuItem& item : menu.items) {
            if (item.text.isEmpty()) {
                m->addSeparator();
                continue;
            }
            QAction* action = m->addAction(item.text);
            action->setObjectName(item.name);
            if (!item.toolTip.isEmpty()) {
                action->setToolTip(item.toolTip);
            }
            if (!item.shortcut.isEmpty()) {
                action->setShortcut(item.shortcut);
            }
            if (hasPicture(item.command)) {
                action->setIcon(ToolbarIcons::icon(item.command));
            }
            const Command command = item.command;
            connect(action, &QAction::triggered, this, [this, command] { run(command); });
            if (!m_actions.contains(command)) {
                m_actions.insert(command, action);
            }
        }
    }
}

void MDIFrm::buildToolbar() {
    m_toolbar = addToolBar(QStringLiteral("tlbMenu"));
    m_toolbar->setObjectName(QStringLiteral("tlbMenu"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setIconSize(QSize(24, 24));
    m_toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    for (int index = 1; index <= MainCommands::kToolbarButtons; ++index) {
        const auto command = MainCommands::toolbarCommand(index);
        if (command) {
            m_toolbar->addAction(m_actions.value(*command));
        } else {
            m_toolbar->addSeparator();
        }
    }
}

void MDIFrm::place() {
    setWindowTitle(MainCommands::windowCaption(m_state));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowState(Qt::WindowNoState);
    resize(kWidth, kHeight);
    move(0, 0);
}

void MDIFrm::setBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++m_busyDepth;
    } else if (m_busyDepth > 0) {
        QApplication::restoreOverrideCursor();
        --m_busyDepth;
    }
}

void MDIFrm::showNotice() {
    Dialog_Inicial notice(windowTitle(), this);
    const ArrowCursorScope arrow;
    notice.exec();
}

QString MDIFrm::openForm(const FormRequest& request) {
    FormRequest withParent = request;
    if (!withParent.parent) {
        withParent.parent = this;
    }
    return m_forms.open(withParent);
}

void MDIFrm::showReferenceList() {
    if (!m_state.db) {
        return;
    }
    FrmConsultas list(*m_state.db, m_state.listMode, this);
    const ArrowCursorScope arrow;
    list.exec();
}

void MDIFrm::showAbout() {
    frmAcercade about(m_state, this);
    const ArrowCursorScope arrow;
    about.exec();
}

bool MDIFrm::openAddress(const QString& address) {
    return QDesktopServices::openUrl(QUrl(address));
}

void MDIFrm::exit() {
    m_exiting = true;
    shutDownOnce();
    close();
    QCoreApplication::quit();
}

void MDIFrm::closeEvent(QCloseEvent* event) {
    if (!m_exiting) {
        shutDownOnce();
        unloadOtherWindows();
    }
    event->accept();
    QCoreApplication::quit();
}

void MDIFrm::shutDownOnce() {
    if (m_shutDown) {
        return;
    }
    m_shutDown = true;
    if (m_shutdown) {
        m_shutdown();
    }
}

void MDIFrm::unloadOtherWindows() {
    // The names of the loaded windows first, then unloaded from the last to the first.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        QWidget* window = *it;
        if (window != this && window->isVisible()) {
            window->close();
        }
    }
}

bool MDIFrm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove &&
        (watched == m_background || watched == m_picture2 || watched == m_status)) {
        m_status->clearName();
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace qel::app::ui
