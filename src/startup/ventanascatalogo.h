#pragma once
// The two windows of the game catalogue, as the core's operations see them. The windows
// implement it with "Nueva Partida" and "Elección de Partida"; the tests with scripts.

#include <QString>

namespace kz {

class Catalogo;

struct DatosNuevaPartida {
    QString numero;      // as typed, up to three digits (padded when the box is left)
    QString nombre;
    bool cuarta = false; // "Cuarta" chosen instead of "Tercera"
};

class VentanasCatalogo {
public:
    virtual ~VentanasCatalogo() = default;
    // "Nueva Partida": false when it was closed without "Aceptar".
    virtual bool pideNuevaPartida(DatosNuevaPartida& datos) = 0;
    // "Elección de Partida", modal, over the open catalogue; its buttons call back into the
    // catalogue (nueva, elimina). Returns true when "Seleccionar" chose the current row.
    virtual bool muestraEleccion(Catalogo& catalogo) = 0;
};

} // namespace kz
