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

    // Builds the main window without showing it, while the launcher's window is still coming:
    // the work overlaps the launcher's start, and nothing shows until the launcher is found.
    void prepare();
    void showMainWindow() override;
    void setBusy(bool busy) override;
    StatusDisplay* statusDisplay() override;

    MDIFrm* window() const { return m_window.get(); }

private:
    static constexpr int kLongestExposeWaitMs = 2000;
    void waitUntilExposed();

    ProcessState& m_state;
    Prompter& m_prompter;
    FormLauncher& m_forms;
    std::unique_ptr<MDIFrm> m_window;
    int m_busyDepth = 0; // hourglass shown before the window exists
};

} // namespace qel::app::ui
