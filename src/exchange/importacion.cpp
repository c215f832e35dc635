#include "importacion.h"

#include "database/carpetaprograma.h"
#include "database/conexion.h"
#include "fusionimportacion.h"
#include "tablatrabajo.h"
#include "tzlbarchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kz {
namespace {

struct TablaImportada {
    const char* fichero;
    const char* fuente;
    const char* componente;
    FusionImportacion::Regla regla;
    const char* titulo;
    const char* campoFila;   // shown after the title for every row merged
};

const TablaImportada kTablas[] = {
    {"Pjs.DB", "DSPjs", "TPjs", FusionImportacion::Regla::Pjs, "Personajes", "CODIGO"},
    {"Ejer.DB", "DSEjer", "TEjer", FusionImportacion::Regla::Ejer, "Ejercitos", "HEX"},
    {"CenPob.DB", "DSCenPob", "TCenPob", FusionImportacion::Regla::CenPob, "Centros de Poblacion", "HEX"},
    {"Rumores.DB", "DSRumores", "TRumores", FusionImportacion::Regla::Rumores, "Rumores", "TEXTO"},
    {"UbiArtef.DB", "DSUbiArtef", "TUbiArtef", FusionImportacion::Regla::UbiArtef, "Ubi. Artefactos", "HEX"},
    {"Acertijos.DB", "DSAcertijos", "TAcertijos", FusionImportacion::Regla::Acertijos, "Acertijos", "TEXTO"},
    {"Artef.DB", "DSArtef", "TArtef", FusionImportacion::Regla::Artef, "Artefactos", "CODIGO"},
};

// The files an import may leave in its work folder: the table files of the legacy program's
// exports, and the lock files this engine keeps beside a table it opened.
const QStringList& ficherosTrabajo() {
    static const QStringList l = {
        QStringLiteral("Pjs.DB"), QStringLiteral("Pjs.PX"), QStringLiteral("Ejer.DB"), QStringLiteral("Ejer.PX"),
        QStringLiteral("CenPob.DB"), QStringLiteral("CenPob.PX"), QStringLiteral("Rumores.DB"),
        QStringLiteral("Rumores.PX"), QStringLiteral("UbiArtef.DB"), QStringLiteral("UbiArtef.PX"),
        QStringLiteral("Acertijos.DB"), QStringLiteral("Acertijos.MB"), QStringLiteral("Acertijos.PX"),
        QStringLiteral("Artef.DB"), QStringLiteral("Artef.MB"), QStringLiteral("Artef.PX"),
        QStringLiteral("Pjs.lck"), QStringLiteral("Ejer.lck"), QStringLiteral("CenPob.lck"),
        QStringLiteral("Rumores.lck"), QStringLiteral("UbiArtef.lck"), QStringLiteral("Acertijos.lck"),
        QStringLiteral("Artef.lck")};
    return l;
}

// The file of that name in the folder, letter case aside (archives from Windows may differ).
QString buscaFichero(const QString& carpeta, const QString& nombre) {
    const QDir d(carpeta);
    if (d.exists(nombre)) return d.filePath(nombre);
    for (const QString& n : d.entryList(QDir::Files))
        if (n.compare(nombre, Qt::CaseInsensitive) == 0) return d.filePath(n);
    return {};
}

void borraFicherosTrabajo(const QString& carpeta) {
    const QDir d(carpeta);
    for (const QString& n : d.entryList(QDir::Files | QDir::Hidden))
        for (const QString& f : ficherosTrabajo())
            if (n.compare(f, Qt::CaseInsensitive) == 0) QFile::remove(d.filePath(n));
}

} // namespace

Importacion::Importacion(TDM& dm, const QString& partidaEnUso, Interaccion* ui)
    : dm_(dm), ui_(ui ? *ui : dm.interaccion()), enUso_(partidaEnUso) {}

QString Importacion::nombreBase(const QString& archivo) {
    const int barra = std::max(archivo.lastIndexOf(QLatin1Char('/')), archivo.lastIndexOf(QLatin1Char('\\')));
    QString base = archivo.mid(barra + 1);
    if (base.contains(QLatin1Char('.'))) base.chop(4);
    return base;
}

QString Importacion::partidaDestino(const QString& base, const QString& partidaEnUso) {
    const QString codigo = base.left(4);
    if (codigo == QLatin1String("A000")) return partidaEnUso;
    if (!codigo.startsWith(QLatin1Char('T')) && !codigo.startsWith(QLatin1Char('C'))) return codigo.left(3);
    return codigo;
}

QString Importacion::carpetaTrabajo(const QString& archivo) const {
    return dm_.carpetaPrograma() + QStringLiteral("/Importar/Tmp/") + nombreBase(archivo);
}

void Importacion::panel(const QString& texto) { ui_.progreso().fijaTexto(QLatin1Char(' ') + texto); }

bool Importacion::existePartida(const QString& codigo, bool enUso) {
    if (codigo.isEmpty()) return false;
    bool esta = true;
    if (!enUso) {
        const QString fuente = QStringLiteral("DSPartidas");
        if (!dm_.Abrir(fuente, false, false)) return false;
        TTabla& partidas = *dm_.tabla(fuente);
        partidas.fijaIndice(QString());
        esta = partidas.buscaClave({codigo});
        dm_.Cerrar(fuente);
    }
    // A game that was never selected has no folder, and so no tables to merge into.
    return esta && QDir(carpetaPartida(dm_.carpetaPrograma(), codigo)).exists();
}

bool Importacion::desempaqueta(const QString& archivo, const QString& carpeta) {
    QDir().mkpath(carpeta);
    // Leftovers of an earlier import that failed must not pass for members of this archive.
    borraFicherosTrabajo(carpeta);
    Progreso& p = ui_.progreso();
    p.fijaBarra(1, true, 0, 100, 1);
    TZLBArchive zlb;
    zlb.CheckCRC = true;
    zlb.OnProgress = [&](const QString& texto, int porcentaje) {
        panel(texto);
        p.fijaPosicion(1, porcentaje);
        ui_.procesaEventos();
    };
    zlb.OnErrorLogged = [&](const QString& texto) {
        errores_ << texto;
        if (alRegistrarError) alRegistrarError(texto);
    };
    const bool ok = zlb.OpenArchive(archivo) && zlb.ExtractFiles(carpeta);
    const QString error = zlb.error();
    zlb.CloseArchive();
    if (!ok) {
        limpia(carpeta);
        ui_.aviso(error, mtError);
    }
    return ok;
}

bool Importacion::limpia(const QString& carpeta) {
    borraFicherosTrabajo(carpeta);
    QDir().rmdir(carpeta);
    if (!QFileInfo::exists(carpeta)) return true;
    ui_.aviso(QStringLiteral("No se pudo eliminar el directorio ") + QLatin1Char('"') + carpeta + QLatin1Char('"') +
                  QStringLiteral(". Por favor, eliminelo manualmente."),
              mtAviso);
    return false;
}

bool Importacion::fusionaTablas(const QString& carpeta, const QString& partida, QString& error) {
    // The target tables get a data module of their own, bound to the target game, so the
    // tables of the game in use keep their folder and their open state throughout.
    TDM destino(ui_);
    destino.fijaCarpetaPrograma(dm_.carpetaPrograma());
    destino.fijaCarpetaPartida(carpetaPartida(dm_.carpetaPrograma(), partida));
    Progreso& p = ui_.progreso();
    for (const TablaImportada& def : kTablas) {
        const QString ruta = buscaFichero(carpeta, QString::fromLatin1(def.fichero));
        if (ruta.isEmpty()) continue;
        const QString titulo = QString::fromLatin1(def.titulo);
        const QString fuente = QString::fromLatin1(def.fuente);
        panel(titulo + QStringLiteral(": Abriendo Ficheros"));
        if (!destino.Abrir(fuente, false, false)) return false;   // the data module said why
        std::unique_ptr<TablaTrabajo> origen = TablaTrabajo::abre(ruta, error);
        if (!origen) {
            destino.Cerrar(fuente);
            return false;
        }
        TTabla& tabla = *destino.tabla(QString::fromLatin1(def.componente));
        p.fijaBarra(1, true, 0, origen->numeroRegistros(), 1);
        p.fijaPosicion(1, 0);
        FusionImportacion fusion(destino, tabla, *origen);
        const QString campoFila = QString::fromLatin1(def.campoFila);
        int filas = 0;
        bool ok = false;
        {
            // One transaction per table keeps a long merge fast; what was merged before an
            // error is kept all the same.
            Transaccion tx(*tabla.conexion());
            ok = fusion.fusiona(def.regla, [&](const QVector<QVariant>& fila) {
                panel(titulo + QStringLiteral(": ") + fusion.textoOrigen(fila, campoFila));
                p.avanza(1);
                if (++filas % 64 == 0) ui_.procesaEventos();
            });
            if (tx.iniciada() && !tx.confirma(&error) && ok) ok = false;
        }
        if (!ok && error.isEmpty()) error = fusion.error();
        origen.reset();
        destino.Cerrar(fuente);
        if (!ok) return false;
    }
    return true;
}

bool Importacion::ejecuta(const QString& archivo) {
    errores_.clear();
    if (!QFileInfo(archivo).isFile()) {
        ui_.aviso(QStringLiteral("No existe el fichero indicado."), mtAviso);
        return false;
    }
    const QString base = nombreBase(archivo);
    const QString partida = partidaDestino(base, enUso_);
    if (!existePartida(partida, base.left(4) == QLatin1String("A000"))) {
        ui_.aviso(QStringLiteral("La partida a Importar no Existe. Debe crearla y seleccionarla por lo menos una vez."),
                  mtAviso);
        return false;
    }
    const QString carpeta = carpetaTrabajo(archivo);
    if (!desempaqueta(archivo, carpeta)) return false;
    panel(QStringLiteral("Descompresion Finalizada. Iniciando Lectura de Datos."));
    bool ok = false;
    QString error;
    {
        CursorEspera espera(ui_);
        ok = fusionaTablas(carpeta, partida, error);
        limpia(carpeta);
    }
    if (ok) ui_.aviso(QStringLiteral("Proceso Finalizado"), mtInformacion);
    else if (!error.isEmpty()) ui_.aviso(error, mtError);
    return ok;
}

} // namespace kz
