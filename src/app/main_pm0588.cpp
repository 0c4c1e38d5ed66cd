#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral(" 588 Declaración Pago Anual Impuesto a la Renta 2018 3ra. Categoría e ITF - v 1.0"));
    window.show();
    return QApplication::exec();
}
