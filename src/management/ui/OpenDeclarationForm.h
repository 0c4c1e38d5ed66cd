#pragma once

#include <QVariantList>
#include <memory>

class QDialog;
class QWidget;

namespace qel::app {
class FormOpener;
struct ProcessState;
} // namespace qel::app

namespace qel::management::ui {

// A fresh declaration form Frm537 on its arguments (mode 0 new; mode 1 a stored declaration:
// RUC, name, the sent-version flag and, for a sent version, its correlative and control
// text), loaded and ready to be shown. The form owns its model and rules and holds the
// declaration's lock until it is destroyed; the detail windows open through `opener`. Null when
// the form does not open (a declaration another session holds that the user would not view
// read-only).
std::unique_ptr<QDialog> createDeclarationForm(app::ProcessState& state, app::FormOpener& opener, int mode,
                                               const QVariantList& arguments, QWidget* parent = nullptr);

} // namespace qel::management::ui
