#pragma once

namespace qel::declaration {

// Tells the help key how to find the casilla or page under the focus in a declaration form and
// the form's casilla list; called when a form is built.
void installFormHelp();

} // namespace qel::declaration
