#pragma once

#include "app/FormRequest.h"
#include "app/ScriptableWindow.h"

#include <QHash>
#include <QString>
#include <functional>
#include <memory>

namespace qel::batch {

class BatchContext;

// The windows a script can drive: the form launcher's window names and the main window's menu
// commands, each with the factory of its presentation model. Names are matched without regard
// to case, as the form launcher does.
class BatchWindows {
public:
    using WindowFactory = std::function<std::unique_ptr<app::ScriptableWindow>(BatchContext&, const app::FormRequest&)>;
    // A menu command may do its work and open no window: it returns null then.
    using MenuFactory = std::function<std::unique_ptr<app::ScriptableWindow>(BatchContext&)>;

    void addWindow(const QString& name, WindowFactory factory);
    void addMenu(const QString& menuControl, MenuFactory factory);

    const WindowFactory* window(const QString& name) const;
    const MenuFactory* menu(const QString& menuControl) const;

private:
    QHash<QString, WindowFactory> m_windows;
    QHash<QString, MenuFactory> m_menus;
};

// Every window and menu command of the module that a script can run: one call per subsystem.
void registerBatchWindows(BatchWindows& windows);

} // namespace qel::batch
