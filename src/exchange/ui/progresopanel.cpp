#include "progresopanel.h"

#include <QLabel>
#include <QProgressBar>

namespace kz {

void ProgresoPanel::fijaTexto(const QString& texto) { panel_->setText(texto); }

void ProgresoPanel::fijaBarra(int barra, bool visible, int inicio, int fin, int) {
    if (barra != 1) return;
    barra_->setVisible(visible);
    barra_->setRange(inicio, std::max(inicio, fin));
    barra_->setValue(inicio);
}

void ProgresoPanel::fijaPosicion(int barra, int posicion) {
    if (barra == 1) barra_->setValue(posicion);
}

void ProgresoPanel::avanza(int barra) {
    if (barra == 1) barra_->setValue(std::min(barra_->value() + 1, barra_->maximum()));
}

} // namespace kz
