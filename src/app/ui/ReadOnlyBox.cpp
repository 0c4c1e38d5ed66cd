#include "app/ui/ReadOnlyBox.h"

#include <QLineEdit>
#include <QPalette>

namespace qel::app::ui {

void showAsReadOnly(QLineEdit* box) {
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    box->setPalette(palette);
}

} // namespace qel::app::ui
