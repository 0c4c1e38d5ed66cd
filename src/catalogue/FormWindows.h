#pragma once

#include <QStringList>

namespace qel::declaration {

// Every window the declaration form can ask the form launcher for by name: the detail windows
// of the assistant casillas, the annex and import windows of the command arrays, and the few
// the rules open themselves (the ubigeo picker, the inconsistency report, the net income of
// the vehicle assistant). Names keep the case the catalogues give them.
class FormWindows {
public:
    static const QStringList& names();
};

} // namespace qel::declaration
