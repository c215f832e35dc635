#include "cursorlectura.h"

namespace kz {

CursorLectura::CursorLectura(TDM& dm, const QString& componente, const QString& indice) {
    const TTabla* origen = dm.tabla(componente);
    if (!origen) {
        error_ = QStringLiteral("No existe la tabla ") + componente;
        return;
    }
    tabla_.fijaCarpeta(origen->carpeta());
    tabla_.fijaFichero(origen->fichero());
    if (!tabla_.abre()) {
        error_ = tabla_.mensajeError();
        return;
    }
    if (!indice.isEmpty()) dm.SeleccionaIndice(tabla_, indice);
}

QString CursorLectura::texto(int campo) const {
    const QVariant v = tabla_.valor(campo);
    return v.isNull() ? QString() : v.toString();
}

} // namespace kz
