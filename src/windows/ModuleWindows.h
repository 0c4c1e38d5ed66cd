#pragma once

#include "app/WindowRegistry.h"

namespace qel::windows {

// The windows of the module that have a presentation model, each name with the factory of its
// model: the window mode shows each model in its view, the batch mode drives it through the
// generic adapter, so that a name opens in both modes or in neither.
const app::WindowRegistry& moduleWindows();

// Adds every window of the module that has a presentation model; one block per window.
void registerWindowModels(app::WindowRegistry& registry);

// Adds the print and preview windows, the help, the imports and the trial balance windows.
void registerPrintImportAndHelpModels(app::WindowRegistry& registry);

} // namespace qel::windows
