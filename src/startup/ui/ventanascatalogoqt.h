#pragma once
// The catalogue windows of GestorKZ: "Nueva Partida" and "Elección de Partida", modal over the
// main window.

#include "startup/ventanascatalogo.h"

class QWidget;

namespace kz {

class VentanasCatalogoQt : public VentanasCatalogo {
public:
    explicit VentanasCatalogoQt(QWidget* padre = nullptr) : padre_(padre) {}
    bool pideNuevaPartida(DatosNuevaPartida& datos) override;
    bool muestraEleccion(Catalogo& catalogo) override;
private:
    QWidget* padre_;
};

} // namespace kz
