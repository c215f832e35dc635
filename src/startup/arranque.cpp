#include "arranque.h"

#include "database/carpetaprograma.h"
#include "database/diccionario.h"
#include "database/restructura.h"
#include "database/textos.h"
#include "lineaordenes.h"
#include "tablasmapa.h"

#include <QDir>
#include <QFileInfo>

namespace kz {

const QString Arranque::kTextoReconstruccion = QStringLiteral(
    "El proceso de Reconstruccion de Tablas se ha relizado correctamente.\r\nPara finalizar el proceso debe SALIR DE "
    "LA APLICACION y volver a ejercutarla.\r\n\r\nPulse OK para Salir de la Aplicacion.");
const QString Arranque::kTextoNoExiste = QStringLiteral("La partida predeterminada ya no existe. Cree o Seleccione una.");
const QString Arranque::kTextoSinCarpeta =
    QStringLiteral("No se ha encontrado el direcctorio de la Partida predeterminada. Cree o Seleccione una.");
const QString Arranque::kTextoSalir = QStringLiteral("¿Quiere Salir de la Aplicación?");

Arranque::Arranque(TDM& dm, Sesion& sesion, Ajustes& ajustes, VentanaPrincipal& ventana, VentanasCatalogo& ventanas)
    : dm_(dm), s_(sesion), ajustes_(ajustes), ventana_(ventana), catalogo_(dm, sesion, ventanas, ventana),
      ui_(dm.interaccion()) {}

// Steps 3 to 6: defaults on the first run, then the values. A key that cannot be opened leaves
// everything false, 0 and empty and triggers no rebuild.
void Arranque::leeAjustes() {
    if (!ajustes_.abre()) {
        s_.ayudaEmergente = s_.busquedaEstandar = s_.resaltoActivo = false;
        s_.resaltoColor = 0;
        s_.partida.clear();
        s_.turno.clear();
        return;
    }
    if (!ajustes_.existe(Ajustes::kAyudaEmergente)) {
        ajustes_.escribeEntero(Ajustes::kAyudaEmergente, 1);
        ajustes_.escribeEntero(Ajustes::kBusquedaEstandar, 1);
        ajustes_.escribeEntero(Ajustes::kResaltoActivo, 1);
        ajustes_.escribeEntero(Ajustes::kResaltoColor, Ajustes::kColorResaltoPorDefecto);
        ajustes_.escribeTexto(Ajustes::kPartidaPredeterminada, QString());
        ajustes_.escribeTexto(Ajustes::kTurno, QString());
    }
    // A value missing on its own reads as its default.
    s_.ayudaEmergente = ajustes_.entero(Ajustes::kAyudaEmergente, 1) != 0;
    s_.busquedaEstandar = ajustes_.entero(Ajustes::kBusquedaEstandar, 1) != 0;
    s_.resaltoActivo = ajustes_.entero(Ajustes::kResaltoActivo, 1) != 0;
    s_.resaltoColor = ajustes_.entero(Ajustes::kResaltoColor, Ajustes::kColorResaltoPorDefecto);
    s_.partida = ajustes_.texto(Ajustes::kPartidaPredeterminada);
    s_.turno = ajustes_.texto(Ajustes::kTurno);
}

bool Arranque::ejecutaMantenimiento(bool porVersion) {
    Restructura r(dm_);
    r.alActivarMenus = [this](bool si) { ventana_.activaMenus(si); };
    if (!r.mantenimiento(s_.carpetaPrograma, porVersion)) return false;
    if (porVersion) ajustes_.escribeTexto(Ajustes::kVersion, QString::fromLatin1(Sesion::kVersionEstructura));
    ui_.procesaEventos();
    ventana_.procesaEventos();
    ui_.pregunta(kTextoReconstruccion, mtPersonal, boton(mbOK), mbOK);
    return true;
}

void Arranque::enlazaTablasDePrograma() {
    dm_.fijaCarpetaPrograma(s_.carpetaPrograma);
    for (const QString& fuente : dm_.fuentes()) {
        TTabla* t = dm_.tabla(fuente);
        if (!t || t->activa()) continue;
        t->fijaFichero(NombreBase(t->fichero()) + QStringLiteral(".DB"));
        t->fijaIndice(QString());
    }
}

Arranque::Fin Arranque::ejecuta(const QStringList& argumentos) {
    s_.arranqueTerminado = false;
    bool porVersion = false;

    const QDir programa(s_.carpetaPrograma);
    s_.hayLector = QFileInfo(programa.filePath(QStringLiteral("lectorkz"))).isFile();
    s_.hayEditor = QFileInfo(programa.filePath(QStringLiteral("editkz"))).isFile();
    ventana_.muestraProgramas(s_.hayLector, s_.hayEditor);

    leeAjustes();
    if (ajustes_.abierta()) {
        if (!ajustes_.existe(Ajustes::kVersion)) {
            porVersion = true;
            ajustes_.escribeTexto(Ajustes::kVersion, QString());
        }
        if (ajustes_.texto(Ajustes::kVersion) != QLatin1String(Sesion::kVersionEstructura)) porVersion = true;
    }

    CursorEspera espera(ui_);
    const LineaOrdenes linea(argumentos);
    if (linea.hayPartida()) s_.partida = linea.partida();
    if (linea.reconstruir() || porVersion) {
        ejecutaMantenimiento(porVersion);
        ajustes_.cierra();
        return Fin::Terminar;
    }

    enlazaTablasDePrograma();
    if (!dm_.Abrir(QStringLiteral("DSPartidas"), false, false)) {
        ajustes_.cierra();
        return Fin::Terminar;
    }
    TTabla& partidas = catalogo_.partidas();
    const bool existe = !s_.partida.isEmpty() && partidas.buscaClave({s_.partida});
    const bool conCarpeta = existe && QFileInfo(carpetaPartida(s_.carpetaPrograma, s_.partida)).isDir();
    if (!conCarpeta) {
        ui_.aviso(existe ? kTextoSinCarpeta : kTextoNoExiste, mtAviso);
        if (!catalogo_.elige(true)) {
            dm_.Cerrar(QStringLiteral("DSPartidas"));
            ajustes_.cierra();
            return Fin::Terminar;
        }
        ajustes_.escribeTexto(Ajustes::kPartidaPredeterminada, s_.partida);
    }
    if (partidas.buscaClave({s_.partida})) s_.turno = partidas.texto(QStringLiteral("TURNO"));
    dm_.Cerrar(QStringLiteral("DSPartidas"));

    ventana_.aplicaAyuda(s_.ayudaEmergente);
    ventana_.activaCalculadora();
    dm_.fijaCarpetaPartida(carpetaPartida(s_.carpetaPrograma, s_.partida));
    ventana_.muestraPartida(s_.partida);
    ajustes_.cierra();

    if (!dm_.AbrirLista(Diccionario::grupoReferencia())) return Fin::Terminar;
    if (!TablasMapa::abre(dm_)) {
        dm_.CerrarLista(Diccionario::grupoReferencia());
        return Fin::Terminar;
    }

    ventana_.aplicaAyuda(true);
    s_.turno = TablasMapa::rellenaTurnos(dm_, ventana_);
    ventana_.dibujaMapa();
    ventana_.colocaIndicador();

    s_.arranqueTerminado = true;
    ventana_.activaMenus(true);
    ventana_.habilita();
    ventana_.procesaEventos();
    return Fin::Normal;
}

bool Arranque::preguntaSalir() {
    const bool salir = ui_.pregunta(kTextoSalir, mtConfirmacion, boton(mbSi) | boton(mbNo), mbNo) == mrSi;
    if (salir) {
        TablasMapa::cierra(dm_);
        dm_.CerrarLista(Diccionario::grupoReferencia());
        ui_.procesaEventos();
    }
    if (ajustes_.abre()) {
        ajustes_.escribeTexto(Ajustes::kPartidaPredeterminada, s_.partida);
        ajustes_.escribeTexto(Ajustes::kTurno, s_.turno);
        ajustes_.cierra();
    }
    return salir;
}

} // namespace kz
