// LectorKZ program entry.

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow ventana;
    ventana.setWindowTitle(QStringLiteral("LectorKZ"));
    ventana.show();
    return app.exec();
}
