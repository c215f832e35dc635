#include "exportacion.h"

#include "tzlbarchive.h"

#include <QDir>
#include <QFile>

namespace kz {

Exportacion::Exportacion(TDM& dm, const QString& partida, Interaccion* ui)
    : dm_(dm), ui_(ui ? *ui : dm.interaccion()), partida_(partida) {}

QString Exportacion::titulo(Casilla c) {
    static const char* const t[] = {"Personajes", "Ejercitos", "Centros de Poblacion", "Encuentros/Rumores",
                                    "Localizacion Artefactos", "Lista de Acertijos", "Lista de Artefactos "};
    return QString::fromLatin1(t[c]);
}

bool Exportacion::prepara() {
    const QString fuente = QStringLiteral("DSCenPob");
    if (!dm_.Abrir(fuente, false, false)) return false;
    TTabla& cenPob = *dm_.tabla(fuente);
    cenPob.ultimo();
    const QString turno = cenPob.vacia() ? QString() : cenPob.texto(QStringLiteral("TURNO"));
    dm_.Cerrar(fuente);
    nombre_ = QStringLiteral("/Exportar/") + partida_ + QStringLiteral("T") + turno + QStringLiteral(".zlb");
    marcadas_.fill(true);
    marcadas_[ListaArtefactos] = partida_.startsWith(QLatin1Char('C'));
    return true;
}

QStringList Exportacion::ficheros() const {
    const QDir partida(dm_.carpetaPartida()), programa(dm_.carpetaPrograma());
    static const char* const tablas[] = {"Pjs.DB", "Ejer.DB", "CenPob.DB", "Rumores.DB", "UbiArtef.DB", "Acertijos.DB",
                                         "Artef.DB"};
    QStringList l;
    for (int c = 0; c < NumeroCasillas; ++c) {
        if (!marcadas_[c]) continue;
        const QDir& carpeta = c == ListaAcertijos ? programa : partida;
        l << carpeta.filePath(QString::fromLatin1(tablas[c]));
    }
    return l;
}

bool Exportacion::ejecuta() {
    errores_.clear();
    QDir().mkpath(dm_.carpetaPrograma() + QStringLiteral("/Exportar"));
    if (cierraMapa) cierraMapa();
    const QString ruta = rutaArchivo();
    Progreso& p = ui_.progreso();
    p.fijaBarra(1, true, 0, 100, 1);
    TZLBArchive zlb;
    zlb.OnProgress = [&](const QString& texto, int porcentaje) {
        p.fijaTexto(nombre_ + QLatin1Char(' ') + texto);
        p.fijaPosicion(1, porcentaje);
        ui_.procesaEventos();
    };
    zlb.OnErrorLogged = [&](const QString& texto) {
        errores_ << texto;
        if (alRegistrarError) alRegistrarError(texto);
    };
    QFile::remove(ruta);
    const bool ok = zlb.CreateArchive(ruta) && zlb.AddFiles(ficheros());
    const QString error = zlb.error();
    zlb.CloseArchive();
    if (abreMapa) abreMapa();
    if (!ok) {
        ui_.aviso(error, mtError);
        return false;
    }
    ui_.aviso(QStringLiteral("Proceso Finalizado") + QStringLiteral("\r\n") + QStringLiteral("Se ha creado ") +
                  QLatin1Char('"') + ruta + QLatin1Char('"') + QLatin1Char('.'),
              mtInformacion);
    return true;
}

} // namespace kz
