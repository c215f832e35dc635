// LectorKZ program entry. With --leer it reads the given report texts without a window and
// prints its log; otherwise it opens the reader window.

#include "database/carpetaprograma.h"
#include "database/interaccion.h"
#include "reader/lecturasinventana.h"
#include "reader/ui/tform1.h"

#include <QApplication>
#include <QCoreApplication>
#include <cstdio>

namespace {

void escribe(FILE* f, const QString& texto) {
    const QByteArray b = texto.toUtf8();
    std::fwrite(b.constData(), 1, size_t(b.size()), f);
    std::fputc('\n', f);
    std::fflush(f);
}

} // namespace

int main(int argc, char** argv) {
    QStringList argumentos;
    for (int i = 1; i < argc; ++i) argumentos << QString::fromLocal8Bit(argv[i]);
    if (kz::LecturaSinVentana::pedida(argumentos)) {
        QCoreApplication app(argc, argv);
        kz::InteraccionTerminal ui;
        return kz::LecturaSinVentana::ejecuta(
            app.arguments().mid(1), kz::carpetaPrograma(), ui, [](const QString& t) { escribe(stdout, t); },
            [](const QString& t) { escribe(stderr, t); });
    }
    QApplication app(argc, argv);
    kz::lector::TForm1 ventana(kz::carpetaPrograma());
    ventana.show();
    return app.exec();
}
