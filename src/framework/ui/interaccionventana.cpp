#include "interaccionventana.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace kz {

ResultadoMensaje InteraccionVentana::pregunta(const QString& texto, TipoMensaje tipo, Botones botones, Boton defecto) {
    QMessageBox caja(padre_);
    caja.setWindowTitle(tituloMensaje(tipo));
    QString t = texto;
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    caja.setText(t);
    QHash<QAbstractButton*, Boton> mapa;
    for (int b = mbSi; b <= mbTodos; ++b) {
        if (!(botones & boton(Boton(b)))) continue;
        QPushButton* p = caja.addButton(QLatin1Char('&') + textoBoton(Boton(b)), QMessageBox::ActionRole);
        mapa.insert(p, Boton(b));
        if (b == defecto) caja.setDefaultButton(p);
    }
    caja.exec();
    return mapa.contains(caja.clickedButton()) ? resultadoDeBoton(mapa.value(caja.clickedButton())) : mrCancelar;
}

void InteraccionVentana::cursorEspera(bool activo) {
    if (activo) QApplication::setOverrideCursor(Qt::WaitCursor);
    else QApplication::restoreOverrideCursor();
}

void InteraccionVentana::procesaEventos() { QApplication::processEvents(); }

} // namespace kz
