#pragma once
// The progress of a core operation shown inside its own window: the information panel takes
// the texts, the window's bar is bar 1.

#include "database/interaccion.h"

class QLabel;
class QProgressBar;

namespace kz {

class ProgresoPanel : public Progreso {
public:
    ProgresoPanel(QLabel* panel, QProgressBar* barra) : panel_(panel), barra_(barra) {}
    bool activo() const override { return true; }
    void fijaTexto(const QString& texto) override;
    void fijaBarra(int barra, bool visible, int inicio, int fin, int paso) override;
    void fijaPosicion(int barra, int posicion) override;
    void avanza(int barra) override;

private:
    QLabel* panel_;
    QProgressBar* barra_;
};

} // namespace kz
