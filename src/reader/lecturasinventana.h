#pragma once
// Reading reports from the command line, with no window: lectorkz --leer FICHERO...
// [--secciones paises,cenpob,pjs,ejercitos,mensajes] [--partida CODIGO] [--regenerar]. Every line
// of the reader's log goes to the output as it is written; the result is 0 only when every file
// was read without errors. A PDF goes through the batch run's ProcesaItem with the folders of the
// game named by --partida (a PDF given by name alone is looked for in that game's PDF folder);
// --regenerar converts it again even when its report text exists.

#include "lectorturno.h"

#include <QStringList>
#include <functional>

namespace kz {

class Interaccion;

class LecturaSinVentana {
public:
    // True when the arguments ask for a reading without a window.
    static bool pedida(const QStringList& argumentos);
    // The section switches of a --secciones list; false with the message for an unknown name.
    static bool leeSecciones(const QString& lista, SeccionesLectura& secciones, QString& error);

    // Runs the reading on the program folder; returns the exit status.
    static int ejecuta(const QStringList& argumentos, const QString& carpetaPrograma, Interaccion& ui,
                       const std::function<void(const QString&)>& salida,
                       const std::function<void(const QString&)>& errores);
};

} // namespace kz
