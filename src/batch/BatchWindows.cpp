#include "batch/BatchWindows.h"

namespace qel::batch {

void BatchWindows::addWindow(const QString& name, WindowFactory factory) {
    m_windows.insert(name.toLower(), std::move(factory));
}

void BatchWindows::addMenu(const QString& menuControl, MenuFactory factory) {
    m_menus.insert(menuControl.toLower(), std::move(factory));
}

const BatchWindows::WindowFactory* BatchWindows::window(const QString& name) const {
    const auto it = m_windows.constFind(name.toLower());
    return it == m_windows.cend() ? nullptr : &it.value();
}

const BatchWindows::MenuFactory* BatchWindows::menu(const QString& menuControl) const {
    const auto it = m_menus.constFind(menuControl.toLower());
    return it == m_menus.cend() ? nullptr : &it.value();
}

} // namespace qel::batch
