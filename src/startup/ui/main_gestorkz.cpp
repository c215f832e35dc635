// GestorKZ program entry: the main window, created visible, maximised and disabled, the data
// module and the start-up sequence before the message loop.

#include "database/carpetaprograma.h"
#include "database/tdm.h"
#include "framework/ui/interaccionventana.h"
#include "map/tmapa.h"
#include "map/ui/tbandazoom.h"
#include "map/ui/thexmapcontrol.h"
#include "startup/ajustes.h"
#include "startup/arranque.h"
#include "startup/sesion.h"
#include "startup/ui/tform1.h"
#include "startup/ui/ventanascatalogoqt.h"

#include <QApplication>
#include <QDockWidget>
#include <QTimer>
#include <QToolBar>

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

    // The map window: the full map in the scroll box, the minimap in the side panel, the zoom
    // band in the tool bar; the start-up draws it at its step 22 and every turn change again.
    kz::TMapa mapa(dm, sesion.carpetaPrograma);
    auto* control = new kz::THexMapControl(mapa.HexMap1);
    control->setObjectName(QStringLiteral("HexMap1"));
    ventana.fijaMapa(control);
    auto* lateral = new QDockWidget(QStringLiteral("Mapa"), &ventana);
    lateral->setObjectName(QStringLiteral("PanelLateral"));
    lateral->setFeatures(QDockWidget::NoDockWidgetFeatures);
    auto* minimapa = new kz::THexMapControl(mapa.HexMap2, lateral);
    minimapa->setObjectName(QStringLiteral("HexMap2"));
    lateral->setWidget(minimapa);
    ventana.addDockWidget(Qt::LeftDockWidgetArea, lateral);
    QToolBar* zoom = ventana.addToolBar(QStringLiteral("Zoom"));
    zoom->addWidget(new kz::TBandaZoom(mapa, ui, zoom));
    bool mapaArrancado = false;
    ventana.alDibujarMapa = [&] {
        mapa.FijaTurno(sesion.turno);
        if (mapaArrancado) {
            mapa.RellenarMapa();
        } else {
            QString error;
            mapaArrancado = mapa.Arranca(error);
            if (!mapaArrancado) ui.aviso(error, kz::mtError);
        }
        control->update();
        minimapa->update();
    };

    kz::VentanasCatalogoQt ventanas(&ventana);
    kz::Ajustes ajustes;
    kz::Arranque arranque(dm, sesion, ajustes, ventana, ventanas);
    ventana.fijaArranque(&arranque);
    if (arranque.ejecuta(app.arguments().mid(1)) == kz::Arranque::Fin::Terminar) return 0;
    // GESTORKZ_CAPTURA=FICHERO.png: the main window after the start-up is saved as a picture and
    // the program ends, so a review can look at it without a screen.
    const QString captura = qEnvironmentVariable("GESTORKZ_CAPTURA");
    if (!captura.isEmpty()) {
        QTimer::singleShot(200, &ventana, [&] {
            ventana.grab().save(captura);
            app.quit();
        });
    }
    return app.exec();
}
