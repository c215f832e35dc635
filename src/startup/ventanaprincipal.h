#pragma once
// What the start-up and the game catalogue ask of the main window. The window implements it;
// the tests record the calls. Every call has a harmless default, so a caller without a window
// (a command line) needs nothing.

#include <QStringList>

namespace kz {

class Catalogo;

class VentanaPrincipal {
public:
    virtual ~VentanaPrincipal() = default;
    // Menu commands that start the companion programs (and their separator).
    virtual void muestraProgramas(bool lector, bool editor) {}
    virtual void activaMenus(bool si) {}
    virtual void aplicaAyuda(bool si) {}
    virtual void activaCalculadora() {}
    // Third panel of the status bar.
    virtual void muestraPartida(const QString& codigo) {}
    // The turn list: every turn of the game and the current one.
    virtual void muestraTurnos(const QStringList& turnos, const QString& actual) {}
    virtual void muestraTurno(const QString& turno) {}
    // Loads the terrain colours and pictures and draws the map of the current turn; the map
    // window plugs in here.
    virtual void dibujaMapa() {}
    virtual void colocaIndicador() {}
    // End of the start-up: the window becomes enabled and takes the focus.
    virtual void habilita() {}
    virtual void procesaEventos() {}
};

} // namespace kz
