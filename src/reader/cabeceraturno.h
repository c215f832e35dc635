#pragma once
// The parts of reading a report that work on its lines alone, before and around the tables:
// dropping blank lines, finding the report's dash, recognising the header (game, nation, turn,
// allegiance), reading the player's data from the turn sheets, and stripping the page headers.

#include "contextolectura.h"

#include <QStringList>

namespace kz {

// Every line that is neither empty nor a lone form feed once trimmed, in order and unchanged.
QStringList PreparaLineas(const QStringList& lineas);

// The dash the report writes: the last "-" or soft hyphen of the first line that has one; the
// spaced dash is a space, that dash and a space. Both keep their defaults without any.
void DetectaGuion(const QStringList& lineas, ContextoLectura& ctx);

// Header recognition: false when the lines are not a turn report's (or the header cannot be
// read). Fills the game number and prefix, nation code and name, page mark, turn (printed and
// working, the same until the turn correction), previous turn and allegiance.
bool ReconoceCabecera(const QStringList& lineas, ContextoLectura& ctx);

// The player's data printed on the turn sheets.
struct DatosJugador {
    QString email, nombre, apellidos, direccion1, direccion2, codigoSeguridad, fechaTurno;
};
// False when the turn sheets cannot be found or read; what was found is in `datos`.
bool LeeDatosJugador(const QStringList& lineas, DatosJugador& datos);

// The text of the page headers: the first line without its first two and last two characters.
QString TextoCabeceraPagina(const QStringList& lineas);
// The lines without page headers; from a page header followed by a grid of numbers (the order
// forms) to the end everything goes. Later lines come back trimmed.
QStringList QuitaCabecerasPagina(const QStringList& lineas);

// Previous turn of a turn number: three characters, empty before the first turn.
QString TurnoAnterior(int turno);

} // namespace kz
