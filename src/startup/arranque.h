#pragma once
// The start-up of GestorKZ, from launch until the main window accepts input, and its way out:
// the settings, the command line, the maintenance run when the structure version changed or
// was asked for, the default game (chosen again when it is gone), the folder binding and the
// tables of the map. Also the closing question of the main window, which stores the game and
// the turn whatever the answer.

#include "ajustes.h"
#include "catalogo.h"
#include "database/tdm.h"
#include "sesion.h"
#include "ventanaprincipal.h"

#include <functional>

namespace kz {

class Arranque {
public:
    Arranque(TDM& dm, Sesion& sesion, Ajustes& ajustes, VentanaPrincipal& ventana, VentanasCatalogo& ventanas);

    enum class Fin { Normal, Terminar };

    // The start-up sequence; `argumentos` without the program name. Terminar: the program ends
    // at once and the window never becomes enabled.
    Fin ejecuta(const QStringList& argumentos);

    // The closing question; true when the program may close. The game and turn are stored in
    // the settings in every case that reaches the question.
    bool preguntaSalir();

    Catalogo& catalogo() { return catalogo_; }

    static const QString kTextoReconstruccion;
    static const QString kTextoNoExiste;
    static const QString kTextoSinCarpeta;
    static const QString kTextoSalir;

private:
    void leeAjustes();
    bool ejecutaMantenimiento(bool porVersion);
    void enlazaTablasDePrograma();

    TDM& dm_;
    Sesion& s_;
    Ajustes& ajustes_;
    VentanaPrincipal& ventana_;
    Catalogo catalogo_;
    Interaccion& ui_;
};

} // namespace kz
