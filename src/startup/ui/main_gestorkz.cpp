// GestorKZ program entry: the main window, created visible, maximised and disabled, the data
// module and the start-up sequence before the message loop.

#include "database/carpetaprograma.h"
#include "database/tdm.h"
#include "framework/ui/interaccionventana.h"
#include "startup/ajustes.h"
#include "startup/arranque.h"
#include "startup/sesion.h"
#include "startup/ui/tform1.h"
#include "startup/ui/ventanascatalogoqt.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rarure VA"));

    kz::Sesion sesion;
    sesion.carpetaPrograma = kz::carpetaPrograma();
    kz::InteraccionVentana ui;
    ui.cajaProceso().fijaAvi(sesion.carpetaPrograma + QStringLiteral("/Pcojo.gif"));
    kz::TDM dm(ui);

    kz::TForm1 ventana(sesion, dm);
    ui.alEstado = [&ventana](const QString& t) { ventana.mensajeEstado(t); };
    ventana.showMaximized();
    QApplication::processEvents();

    kz::VentanasCatalogoQt ventanas(&ventana);
    kz::Ajustes ajustes;
    kz::Arranque arranque(dm, sesion, ajustes, ventana, ventanas);
    ventana.fijaArranque(&arranque);
    if (arranque.ejecuta(app.arguments().mid(1)) == kz::Arranque::Fin::Terminar) return 0;
    return app.exec();
}
