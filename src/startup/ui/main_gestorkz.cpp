// GestorKZ program entry.

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rarure VA"));
    QMainWindow ventana;
    ventana.setWindowTitle(QStringLiteral("Gestor de VIRIZ"));
    ventana.showMaximized();
    return app.exec();
}
