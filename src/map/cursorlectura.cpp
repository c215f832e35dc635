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
    // The index first: selecting it may show a message, and nothing else should run inside the
    // read transaction.
    if (!indice.isEmpty()) dm.SeleccionaIndice(tabla_, indice);
    lectura_ = std::make_unique<Lectura>(*tabla_.conexion());
    tabla_.refresca();
}

CursorLectura::Lectura::Lectura(Conexion& c)
    : c_(c), propia_(!c.enTransaccion() && c.ejecuta(QStringLiteral("BEGIN DEFERRED"))) {}

CursorLectura::Lectura::~Lectura() {
    if (propia_ && !c_.ejecuta(QStringLiteral("COMMIT"))) c_.ejecuta(QStringLiteral("ROLLBACK"));
}

QString CursorLectura::texto(int campo) const {
    const QVariant v = tabla_.valor(campo);
    return v.isNull() ? QString() : v.toString();
}

} // namespace kz
