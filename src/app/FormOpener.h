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
    // Whether a window of that name can be opened (registered, or known to come later).
    virtual bool knows(const QString& name) const = 0;
};

} // namespace qel::app
