#pragma once
// The windows' side of the core's interaction interface.

#include "database/interaccion.h"

class QWidget;

namespace kz {

class InteraccionVentana : public Interaccion {
public:
    explicit InteraccionVentana(QWidget* padre = nullptr) : padre_(padre) {}
    ResultadoMensaje pregunta(const QString& texto, TipoMensaje tipo, Botones botones, Boton defecto) override;
    void cursorEspera(bool activo) override;
    void procesaEventos() override;
private:
    QWidget* padre_;
};

} // namespace kz
