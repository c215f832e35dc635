#include "tablatrabajosqlite.h"

#include <QFileInfo>

namespace kz {

TablaTrabajoSqlite::~TablaTrabajoSqlite() {
    lectura_.reset();
    tabla_.cierra();
}

bool TablaTrabajoSqlite::abre(const QString& ruta) {
    const QFileInfo fi(ruta);
    tabla_.fijaCarpeta(fi.path());
    tabla_.fijaFichero(fi.fileName());
    if (!tabla_.abre()) {
        error_ = tabla_.mensajeError();
        return false;
    }
    lectura_ = std::make_unique<Transaccion>(*tabla_.conexion());
    for (const DefCampo& c : tabla_.campos()) campos_ << c.nombre;
    registros_ = tabla_.numeroRegistros();
    return true;
}

bool TablaTrabajoSqlite::siguiente(QVector<QVariant>& fila) {
    if (empezada_) tabla_.siguiente();
    empezada_ = true;
    if (tabla_.eof()) return false;
    fila = tabla_.fila();
    return true;
}

} // namespace kz
