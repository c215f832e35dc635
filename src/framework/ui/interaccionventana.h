#pragma once
// The windows' side of the core's interaction interface: questions and notices in the program's
// message box, progress in the progress box, status texts in the main window's first panel.

#include "database/interaccion.h"
#include "tprocessbox.h"

#include <functional>

namespace kz {

class InteraccionVentana : public Interaccion {
public:
    InteraccionVentana() = default;
    ResultadoMensaje pregunta(const QString& texto, TipoMensaje tipo, Botones botones, Boton defecto) override;
    void estado(const QString& texto) override;
    void cursorEspera(bool activo) override;
    void procesaEventos() override;
    Progreso& progreso() override { return caja_; }
    TProcessBox& cajaProceso() { return caja_; }

    // Where status texts go (the main window's first panel); without it they are dropped.
    std::function<void(const QString&)> alEstado;

private:
    TProcessBox caja_;
    int nivelEspera_ = 0;
};

} // namespace kz
