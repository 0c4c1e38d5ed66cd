#pragma once

#include <QString>
#include <functional>
#include <utility>

namespace qel::declaration {

// The list of casillas that the help window adds to the module's help: every box of the form,
// page after page, with its label and the help lines the calculation rules give it (the lines
// the form shows under the pages), each casilla under its own anchor ("casilla-113").
class CasillaHelpSection {
public:
    using HelpLines = std::function<std::pair<QString, QString>(int casilla)>;
    static const QString kAnchor; // "casillas"

    static QString html(const HelpLines& help);
};

} // namespace qel::declaration
