#pragma once

namespace qel::batch {

class BatchWindows;

// The small dialogs of the declaration form: the ubigeo picker frmUbigeo and the inconsistency
// report FrmConsist.
void registerFormDialogWindows(BatchWindows& windows);

} // namespace qel::batch
