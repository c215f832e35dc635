#pragma once
// The program's interaction for questions, notices, status and cursor, with the progress of a
// window's own panel and bar: what a core operation run from that window talks to.

#include "database/interaccion.h"

namespace kz {

class InteraccionConPanel : public Interaccion {
public:
    InteraccionConPanel(Interaccion& base, Progreso& panel) : base_(base), panel_(panel) {}
    ResultadoMensaje pregunta(const QString& texto, TipoMensaje tipo, Botones botones, Boton defecto) override {
        return base_.pregunta(texto, tipo, botones, defecto);
    }
    void estado(const QString& texto) override { base_.estado(texto); }
    void cursorEspera(bool activo) override { base_.cursorEspera(activo); }
    void procesaEventos() override { base_.procesaEventos(); }
    Progreso& progreso() override { return panel_; }

private:
    Interaccion& base_;
    Progreso& panel_;
};

} // namespace kz
