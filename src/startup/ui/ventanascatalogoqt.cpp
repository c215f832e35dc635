#include "ventanascatalogoqt.h"

#include "tfeleccionpartida.h"
#include "tfnuevapartida.h"

namespace kz {

bool VentanasCatalogoQt::pideNuevaPartida(DatosNuevaPartida& datos) {
    TFNuevaPartida ventana(padre_);
    if (ventana.exec() != QDialog::Accepted) return false;
    datos = ventana.datos();
    return true;
}

bool VentanasCatalogoQt::muestraEleccion(Catalogo& catalogo) {
    TFEleccionPartida ventana(catalogo, padre_);
    return ventana.exec() == QDialog::Accepted;
}

} // namespace kz
