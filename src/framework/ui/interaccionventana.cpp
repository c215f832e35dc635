#include "interaccionventana.h"

#include "tmessageform.h"

#include <QApplication>

namespace kz {

ResultadoMensaje InteraccionVentana::pregunta(const QString& texto, TipoMensaje tipo, Botones botones, Boton defecto) {
    // The question must be readable and answerable even in the middle of an hourglass.
    const int nivel = nivelEspera_;
    for (int i = 0; i < nivel; ++i) QApplication::restoreOverrideCursor();
    const ResultadoMensaje r = MensajeDlg(texto, tipo, botones, 0, defecto);
    for (int i = 0; i < nivel; ++i) QApplication::setOverrideCursor(Qt::WaitCursor);
    return r;
}

void InteraccionVentana::estado(const QString& texto) {
    if (alEstado) alEstado(texto);
}

void InteraccionVentana::cursorEspera(bool activo) {
    if (activo) {
        ++nivelEspera_;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (nivelEspera_ > 0) {
        --nivelEspera_;
        QApplication::restoreOverrideCursor();
    }
}

void InteraccionVentana::procesaEventos() { QApplication::processEvents(); }

} // namespace kz
