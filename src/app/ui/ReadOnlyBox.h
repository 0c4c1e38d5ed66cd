#pragma once

class QLineEdit;

namespace qel::app::ui {

// A box that shows what a button chose (a folder, a total): read-only, with the face of the
// window behind it instead of the white of a box one types into, and passed over by Tab.
void showAsReadOnly(QLineEdit* box);

} // namespace qel::app::ui
