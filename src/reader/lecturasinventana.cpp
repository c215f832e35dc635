#include "lecturasinventana.h"

#include "listapdfs.h"
#include "procesolectura.h"
#include "textoinforme.h"

#include "database/tdm.h"

#include <QDir>
#include <QFileInfo>

namespace kz {

namespace {

const QString kLeer = QStringLiteral("--leer");
const QString kSecciones = QStringLiteral("--secciones");
const QString kPartida = QStringLiteral("--partida");
const QString kRegenerar = QStringLiteral("--regenerar");

bool esPdf(const QString& fichero) { return fichero.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive); }

// A PDF named without its folder is looked for in the game's PDF folder when it is not here.
QString rutaPdf(const QString& fichero, const QString& carpetaPrograma, const QString& partida) {
    if (QFileInfo::exists(fichero) || partida.isEmpty() || fichero.contains(QLatin1Char('/'))) return fichero;
    ListaPdfs lista(carpetaPrograma);
    QString error;
    lista.carga(error);
    const QString enPartida = QDir(lista.carpeta(partida)).filePath(fichero);
    return QFileInfo::exists(enPartida) ? enPartida : fichero;
}

QString uso() {
    return QStringLiteral("Uso: lectorkz --leer FICHERO... [--secciones paises,cenpob,pjs,ejercitos,mensajes]");
}

} // namespace

bool LecturaSinVentana::pedida(const QStringList& argumentos) { return argumentos.contains(kLeer); }

bool LecturaSinVentana::leeSecciones(const QString& lista, SeccionesLectura& s, QString& error) {
    s = SeccionesLectura{false, false, false, false, false};
    for (const QString& trozo : lista.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString nombre = trozo.trimmed().toLower();
        if (nombre == QLatin1String("paises")) s.paises = true;
        else if (nombre == QLatin1String("cenpob")) s.cenPob = true;
        else if (nombre == QLatin1String("pjs")) s.pjs = true;
        else if (nombre == QLatin1String("ejercitos")) s.ejercitos = true;
        else if (nombre == QLatin1String("mensajes")) s.mensajes = true;
        else if (!nombre.isEmpty()) {
            error = QStringLiteral("Sección desconocida: %1. Las secciones son paises, cenpob, pjs, ejercitos y mensajes.")
                        .arg(trozo.trimmed());
            return false;
        }
    }
    return true;
}

int LecturaSinVentana::ejecuta(const QStringList& argumentos, const QString& carpetaPrograma, Interaccion& ui,
                               const std::function<void(const QString&)>& salida,
                               const std::function<void(const QString&)>& errores) {
    QStringList ficheros;
    SeccionesLectura secciones;
    QString partida;
    bool regenerar = false;
    bool leyendoFicheros = false;
    for (int i = 0; i < argumentos.size(); ++i) {
        const QString& a = argumentos[i];
        if (a == kLeer) {
            leyendoFicheros = true;
        } else if (a == kSecciones) {
            if (i + 1 >= argumentos.size()) {
                errores(uso());
                return 1;
            }
            QString error;
            if (!leeSecciones(argumentos[++i], secciones, error)) {
                errores(error);
                return 1;
            }
            leyendoFicheros = false;
        } else if (a == kPartida) {
            if (i + 1 >= argumentos.size() || argumentos[i + 1].trimmed().isEmpty()) {
                errores(QStringLiteral("Falta el código de la partida después de --partida."));
                return 1;
            }
            partida = argumentos[++i].trimmed();
            leyendoFicheros = false;
        } else if (a == kRegenerar) {
            regenerar = true;
            leyendoFicheros = false;
        } else if (leyendoFicheros) {
            ficheros << a;
        }
    }
    if (ficheros.isEmpty()) {
        errores(uso());
        return 1;
    }

    TDM dm(ui);
    dm.fijaCarpetaPrograma(carpetaPrograma);
    LectorTurno lector(dm, carpetaPrograma);
    lector.secciones = secciones;
    lector.alAnadirLog = salida;
    ProcesoLectura proceso(lector, carpetaPrograma, ui);
    proceso.codigoPartida = partida;
    proceso.regenerarTxt = regenerar;
    bool todos = true;
    for (const QString& f : ficheros) {
        if (esPdf(f)) {
            if (partida.isEmpty()) {
                errores(QStringLiteral("Para leer el fichero %1 hace falta la partida: --partida CODIGO.").arg(f));
                todos = false;
            } else if (proceso.ProcesaItem(rutaPdf(f, carpetaPrograma, partida)) != EstadoPdf::Leido) {
                const QString motivo = proceso.conversor().motivo();
                if (!motivo.isEmpty()) errores(motivo);
                todos = false;
            }
            continue;
        }
        QStringList lineas;
        QString error;
        if (!LeeTextoInforme(f, lineas, error)) {
            errores(error);
            todos = false;
            continue;
        }
        if (!lector.LeeTurnoLista(lineas)) todos = false;
    }
    dm.CerrarTodas();
    return todos ? 0 : 1;
}

} // namespace kz
