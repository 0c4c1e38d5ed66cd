#pragma once

namespace qel::annexes::controls {

// The controls the annex detail, list and assistant windows name alike: each model declares
// the ones it has under these names and its view names the widgets the same.
inline constexpr char kActions[] = "cmdAccion";     // the command array: add, modify, delete
inline constexpr char kImport[] = "cmdImportar";    // a list or an assistant that imports rows
inline constexpr char kClose[] = "cmdCerrar";       // the leave button of an assistant
inline constexpr char kTotal[] = "txtTotal";        // the sum a list or an assistant shows
inline constexpr char kTotalCaption[] = "lblTotal"; // the caption of that sum
inline constexpr char kPrompt[] = "lblDetalle";     // what a list asks the user to pick

} // namespace qel::annexes::controls
