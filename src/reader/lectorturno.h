#pragma once
// LeeTurnoLista: reads the text of one turn report into its game's tables. It recognises the
// report, finds the game in the catalogue, binds and opens the game's tables, records the nation
// and its player's data, maps the printed turn to the game's turn, strips the page furniture and
// runs the section parsers in their fixed order under the five section switches, writing every
// step to the reader's log.
//
// One object reads any number of reports in turn; each report gets its own reading context and
// the tables are opened for it and closed after it, so consecutive reports may belong to
// different games.

#include "contextolectura.h"

#include <QStringList>
#include <functional>
#include <vector>

namespace kz {

class TDM;
class SesionLectura;

// The section switches of the reader ("Paises", "Centros de Población", "Personajes",
// "Ejercitos", "Mensajes Internos").
struct SeccionesLectura {
    bool paises = true;
    bool cenPob = true;
    bool pjs = true;
    bool ejercitos = true;
    bool mensajes = true;
};

enum class Seccion { Paises, CenPob, Pjs, Ejercitos, Mensajes };

class LectorTurno {
public:
    // The data module of the reading program and the program folder (catalogue and rule tables).
    LectorTurno(TDM& dm, const QString& carpetaPrograma);

    // True when the report was read and no section parser failed on any item.
    bool LeeTurnoLista(const QStringList& lineas);

    SeccionesLectura secciones;
    // Receives every line of the log as it is written.
    std::function<void(const QString&)> alAnadirLog;
    const QStringList& log() const { return log_; }
    void limpiaLog() { log_.clear(); }
    // Context of the last report read.
    const ContextoLectura& contexto() const { return ctx_; }
    // Without writing, the parsers run on the tables but every row is cancelled.
    void fijaEscritura(bool si) { escritura_ = si; }

    // The fourteen data sources a report is read with.
    static const QStringList& fuentesLectura();
    static const QString kFinalizado;

private:
    void AnadeLog(const QString& texto);
    bool abrePartida();
    void escribePais(SesionLectura& sesion, const QStringList& lineas);
    bool corrigeTurno(SesionLectura& sesion);
    void leeSecciones(SesionLectura& sesion, const QStringList& lineas);

    TDM& dm_;
    QString base_;
    ContextoLectura ctx_;
    QStringList log_;
    bool escritura_ = true;
};

} // namespace kz
