#include "ventanascatalogoqt.h"

#include "tfeleccionpartida.h"
#include "tfnuevapartida.h"

#include <QApplication>

namespace kz {

namespace {

// The catalogue windows may open in the middle of the start-up's hourglass; they are used with
// the normal cursor, and the hourglass comes back when they close.
class CursorNormal {
public:
    CursorNormal() {
        while (QApplication::overrideCursor()) {
            QApplication::restoreOverrideCursor();
            ++niveles_;
        }
    }
    ~CursorNormal() {
        for (int i = 0; i < niveles_; ++i) QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    CursorNormal(const CursorNormal&) = delete;
    CursorNormal& operator=(const CursorNormal&) = delete;
private:
    int niveles_ = 0;
};

} // namespace

bool VentanasCatalogoQt::pideNuevaPartida(DatosNuevaPartida& datos) {
    CursorNormal normal;
    TFNuevaPartida ventana(padre_);
    if (ventana.exec() != QDialog::Accepted) return false;
    datos = ventana.datos();
    return true;
}

bool VentanasCatalogoQt::muestraEleccion(Catalogo& catalogo) {
    CursorNormal normal;
    TFEleccionPartida ventana(catalogo, padre_);
    return ventana.exec() == QDialog::Accepted;
}

} // namespace kz
