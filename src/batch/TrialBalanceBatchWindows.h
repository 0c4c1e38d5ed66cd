#pragma once

namespace qel::batch {

class BatchWindows;

// frmDetalleBalance and frmTransferencia, as the trial balance page opens them.
void registerTrialBalanceWindows(BatchWindows& windows);

} // namespace qel::batch
