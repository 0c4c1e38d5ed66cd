#pragma once

#include <QString>

namespace qel::management {

// One sent version of a declaration, as the list of sent declarations shows it.
struct SentVersionRow {
    QString ruc;
    QString nombre;
    QString periodo;
    QString formulario;
    QString norden;  // the order number KOLVA gave it; empty until registered
    QString fecEnv;  // the date it was sent, "dd/mm/yyyy"
    QString control; // its control number
    QString correl;  // its correlative
};

} // namespace qel::management
