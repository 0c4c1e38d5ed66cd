#pragma once

#include <QWidget>

class QButtonGroup;
class QTabWidget;

namespace qel::declaration {

// The tabs of a tab control with more pages than one row can show, laid out in several
// rows of buttons above it (the tab control's own bar is hidden). Each button carries the
// page's caption with its access key; the strip and the tab control stay in step both ways.
class TabRowStrip : public QWidget {
    Q_OBJECT
public:
    TabRowStrip(QTabWidget* tabs, int width, QWidget* parent = nullptr);

private:
    void showCurrent();

    QTabWidget* m_tabs;
    QButtonGroup* m_buttons;
};

} // namespace qel::declaration
