#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace qel::app::ui {

// Places a window in the middle of the main window: left = integer part of
// (main width - window width) / 2, top likewise, from the main window's corner.
void CentreInMain(QWidget* form);

// The position CentreInMain gives a window of that size over a main window at that place.
QPoint centredIn(const QRect& main, const QSize& form);

} // namespace qel::app::ui
