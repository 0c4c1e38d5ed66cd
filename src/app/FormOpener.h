#pragma once

#include "app/FormRequest.h"

#include <QString>

namespace qel::app {

// The form launcher as the presentation models see it: the windows are in qel_ui; the batch
// mode has its own opener that only reports the request.
class FormOpener {
public:
    virtual ~FormOpener() = default;
    virtual QString open(const FormRequest& request) = 0;
    // Whether a window of that name can be opened (registered).
    virtual bool knows(const QString& name) const = 0;
    // Closes the window of that name if it is still open beside its caller (the inconsistency
    // report once the declaration it lists has changed); a window that ran to its end is gone
    // already, so an opener of such windows only has nothing to do.
    virtual void close(const QString& name) { Q_UNUSED(name) }
};

} // namespace qel::app
