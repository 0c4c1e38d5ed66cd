#pragma once

class QTranslator;

namespace qel::app::ui {

// Qt's own dialogs and buttons (print, page set-up, file choosers, the standard buttons of
// the message boxes) in Spanish, as the rest of the program: Qt's Spanish translations and
// a Spanish locale for dates and numbers it formats. Called once, after the application object;
// answers the translator installed (owned by the application), null when none was found.
QTranslator* installQtSpanish();

} // namespace qel::app::ui
