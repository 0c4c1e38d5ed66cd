#pragma once

#include "app/Startup.h"

#include <memory>

namespace qel::app::ui {

class FormLauncher;
class MDIFrm;

// The main window for the start-up: built and shown when the start-up reaches it.
class MainWindowLoader : public Startup::Window {
public:
    MainWindowLoader(ProcessState& state, Prompter& prompter, FormLauncher& forms);
    ~MainWindowLoader() override;

    // Builds the main window without showing it while the launcher still verifies the login:
    // the work overlaps the launcher's start, and nothing shows until the launcher is found.
    // The launcher's window comes after this one, behind it, so there is none to centre on.
    void prepareAheadOfLauncher();
    void showMainWindow() override;
    void setBusy(bool busy) override;
    StatusDisplay* statusDisplay() override;

    MDIFrm* window() const { return m_window.get(); }

private:
    static constexpr int kLongestExposeWaitMs = 2000;
    void prepare();
    void waitUntilExposed();

    ProcessState& m_state;
    Prompter& m_prompter;
    FormLauncher& m_forms;
    std::unique_ptr<MDIFrm> m_window;
    int m_busyDepth = 0; // hourglass shown before the window exists
    bool m_centreOnLauncher = true;
};

} // namespace qel::app::ui
