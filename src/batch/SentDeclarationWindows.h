#pragma once

namespace qel::batch {

class BatchWindows;

// The list of sent declarations (menus mnuRegistrar, mnuEliminarEnviada and mnuRecuperar, and
// the window FrmContAbrirEnv) and the recovery window FrmRecuperar.
void registerSentDeclarationWindows(BatchWindows& windows);

} // namespace qel::batch
