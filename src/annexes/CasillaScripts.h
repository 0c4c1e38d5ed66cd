#pragma once

#include "app/FormRequest.h"
#include "app/ScriptableWindow.h"

#include <QStringList>
#include <memory>

namespace qel::app {
class FormOpener;
class Prompter;
} // namespace qel::app

namespace qel::store {
class Database;
}

namespace qel::annexes {

// The list windows and month assistants of the casillas as scripts drive them, by the names
// the casillas open them by.
class CasillaScripts {
public:
    static QStringList names();
    // The window of that name for the request; null when the name is none of them.
    static std::unique_ptr<app::ScriptableWindow> create(const QString& name, store::Database& db,
                                                         app::Prompter& prompter, app::FormOpener* opener,
                                                         const app::FormRequest& request);
};

} // namespace qel::annexes
