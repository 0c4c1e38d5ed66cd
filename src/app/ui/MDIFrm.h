#pragma once

#include "app/MainCommands.h"

#include <QHash>
#include <QMainWindow>
#include <functional>

class QStatusBar;
class QToolBar;

namespace qel::app {
class Prompter;
struct ProcessState;
} // namespace qel::app

namespace qel::app::ui {

class BackgroundPicture;
class BarradeEstadoQEL;
class FormLauncher;

// The main window of the module: its menus, the toolbar tlbMenu, the background picture
// imgFondo and the status bar. Its commands live in MainCommands; this window forwards the
// menu items and toolbar buttons there and opens the windows the commands ask for.
class MDIFrm : public QMainWindow, public MainCommands::Host {
    Q_OBJECT

public:
    using Command = MainCommands::Command;

    // 9720 x 7320 twips at 15 twips a pixel.
    static constexpr int kWidth = 648;
    static constexpr int kHeight = 488;

    MDIFrm(ProcessState& state, Prompter& prompter, FormLauncher& forms, QWidget* parent = nullptr);
    ~MDIFrm() override;

    // Caption, normal state at (0, 0), the module's size, no minimise and maximise boxes.
    void place();
    // The module's picture on this and every later window of it.
    void paintEmblem();
    // Closes the database and releases the utility component; run once by either way out.
    void setShutdown(std::function<void()> shutdown) { m_shutdown = std::move(shutdown); }

    void run(Command command) { m_commands.run(command); }
    QAction* action(Command command) const { return m_actions.value(command); }
    QToolBar* toolbar() const { return m_toolbar; }
    BarradeEstadoQEL* statusDisplay() const { return m_status; }
    BackgroundPicture* background() const { return m_background; }

    // MainCommands::Host
    void setBusy(bool busy) override;
    void showNotice() override;
    QString openForm(const FormRequest& request) override;
    void showReferenceList() override;
    void showAbout() override;
    bool openAddress(const QString& address) override;
    void exit() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void shutDownOnce();
    void unloadOtherWindows();

    ProcessState& m_state;
    Prompter& m_prompter;
    FormLauncher& m_forms;
    MainCommands m_commands;
    QHash<Command, QAction*> m_actions;
    QToolBar* m_toolbar = nullptr;
    BackgroundPicture* m_background = nullptr;
    QStatusBar* m_picture2 = nullptr;
    BarradeEstadoQEL* m_status = nullptr;
    std::function<void()> m_shutdown;
    int m_busyDepth = 0;
    bool m_exiting = false;
    bool m_shutDown = false;
};

} // namespace qel::app::ui
