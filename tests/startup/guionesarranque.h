#pragma once
// Recording stand-ins for the main window and the catalogue windows of the start-up tests.

#include "startup/catalogo.h"
#include "startup/ventanaprincipal.h"
#include "startup/ventanascatalogo.h"

#include <functional>

namespace kz::prueba {

class VentanaGrabada : public VentanaPrincipal {
public:
    void muestraProgramas(bool l, bool e) override { lector = l; editor = e; llamadas << QStringLiteral("programas"); }
    void activaMenus(bool si) override { menus << si; }
    void aplicaAyuda(bool si) override { ayuda << si; }
    void activaCalculadora() override { llamadas << QStringLiteral("calculadora"); }
    void muestraPartida(const QString& c) override { panelPartida = c; }
    void muestraTurnos(const QStringList& t, const QString& a) override { turnos = t; turnoActual = a; }
    void muestraTurno(const QString& t) override { turnoActual = t; }
    void dibujaMapa() override { llamadas << QStringLiteral("mapa"); }
    void colocaIndicador() override { llamadas << QStringLiteral("indicador"); }
    void habilita() override { habilitada = true; }

    bool lector = false, editor = false, habilitada = false;
    QList<bool> menus, ayuda;
    QStringList llamadas, turnos;
    QString panelPartida, turnoActual;
};

class VentanasGuion : public VentanasCatalogo {
public:
    bool pideNuevaPartida(DatosNuevaPartida& d) override {
        if (nuevas.isEmpty()) return false;
        d = nuevas.takeFirst();
        return true;
    }
    bool muestraEleccion(Catalogo& c) override {
        ++elecciones;
        return eleccion ? eleccion(c) : false;
    }
    QList<DatosNuevaPartida> nuevas;
    std::function<bool(Catalogo&)> eleccion;
    int elecciones = 0;
};

// A choose window that picks the game `codigo` (as "Seleccionar" on its row would).
inline std::function<bool(Catalogo&)> eligeFila(const QString& codigo) {
    return [codigo](Catalogo& c) { return c.partidas().buscaClave({codigo}) && c.puedeSeleccionar(); };
}

} // namespace kz::prueba
