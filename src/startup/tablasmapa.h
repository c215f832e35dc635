#pragma once
// The tables of the map window, opened and closed together: the game group and the two extra
// cursors on Pjs (TPjs3 by TURNOHEX, TPjs2 by ID). Also the turn list of a game.

#include "database/tdm.h"
#include "ventanaprincipal.h"

namespace kz {

class TablasMapa {
public:
    static QStringList grupo();
    // False (nothing left open by it) when some table could not be opened.
    static bool abre(TDM& dm);
    static void cierra(TDM& dm);
    // Latest turn of the open game: TURNO of the last row of CenPob in its primary order,
    // 1 when the table is empty.
    static int ultimoTurno(TDM& dm);
    // "000" ... up to n, three digits each.
    static QStringList turnos(int ultimo);
    // RellenaTurnos: fills the window's turn list and returns the latest turn, which becomes
    // the current one.
    static QString rellenaTurnos(TDM& dm, VentanaPrincipal& ventana);
};

} // namespace kz
