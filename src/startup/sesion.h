#pragma once
// The run-wide values of GestorKZ: one instance for the whole run, owned by the program entry
// and read by every part of the program.

#include <QString>

namespace kz {

struct Sesion {
    static constexpr const char* kVersionEstructura = "2.3";

    QString carpetaPrograma;
    QString partida;            // default game: Partidas.CODIGO
    QString turno;              // current turn, three digits
    bool ayudaEmergente = false;
    bool busquedaEstandar = false;
    bool resaltoActivo = false;
    int resaltoColor = 0;       // 0x00BBGGRR
    bool hayLector = false;     // lectorkz in the program folder
    bool hayEditor = false;     // editkz in the program folder
    bool arranqueTerminado = false;
};

} // namespace kz
