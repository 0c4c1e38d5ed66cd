#include "app/ui/CentreInMain.h"

#include "app/ui/MDIFrm.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace qel::app::ui {

namespace {

// The main window: the MDIFrm above the form, else the module's open MDIFrm.
const QWidget* mainWindowOf(const QWidget* form) {
    for (const QWidget* w = form->parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (qobject_cast<const MDIFrm*>(w) != nullptr) {
            return w;
        }
    }
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<const MDIFrm*>(w) != nullptr && w->isVisible()) {
            return w;
        }
    }
    return nullptr;
}

int half(int difference) {
    return static_cast<int>(std::floor(difference / 2.0));
}

} // namespace

QPoint centredIn(const QRect& main, const QSize& form) {
    return {main.left() + half(main.width() - form.width()), main.top() + half(main.height() - form.height())};
}

void CentreInMain(QWidget* form) {
    if (form == nullptr) {
        return;
    }
    QRect area;
    if (const QWidget* main = mainWindowOf(form)) {
        area = main->frameGeometry();
    } else if (const QScreen* screen = QApplication::primaryScreen()) {
        area = screen->availableGeometry();
    } else {
        return;
    }
    QPoint place = centredIn(area, form->frameGeometry().size());
    if (form->parentWidget() != nullptr && !form->isWindow()) {
        place = form->parentWidget()->mapFromGlobal(place);
    }
    form->move(place);
}

} // namespace qel::app::ui
