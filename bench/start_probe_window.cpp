// The floor of the start-time measurement (start_time.sh): the least a Qt program takes from
// its start to a window on the screen. One empty window with a title, shown at once; its
// expose is stamped as the module's is.

#include "app/ui/ExposeStamp.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("QEL start probe"));
    window.resize(640, 480);
    window.show();
    qel::app::ui::ExposeStamp::watch(window);
    return QApplication::exec();
}
