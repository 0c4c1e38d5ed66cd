#pragma once

#include <QString>

namespace qel::app {

// The status bar of the main window, as the rest of the module sees it.
class StatusDisplay {
public:
    virtual ~StatusDisplay() = default;
    // Writes the taxpayer, the period and the form code and sets the RUC flag.
    virtual void showStatus(const QString& ruc, const QString& name, const QString& periodo,
                            const QString& formulario) = 0;
    // Empties the taxpayer's name only.
    virtual void clearName() = 0;
};

} // namespace qel::app
