#include "lecturasinventana.h"

#include "textoinforme.h"

#include "database/tdm.h"

namespace kz {

namespace {

const QString kLeer = QStringLiteral("--leer");
const QString kSecciones = QStringLiteral("--secciones");

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
    bool todos = true;
    for (const QString& f : ficheros) {
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
