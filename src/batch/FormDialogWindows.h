#pragma once

namespace qel::batch {

class BatchWindows;

// The small dialogs of the declaration form: the ubigeo picker frmUbigeo, the inconsistency
// report FrmConsist, and the vehicle import frmImportarU41 of a later version.
void registerFormDialogWindows(BatchWindows& windows);

} // namespace qel::batch
