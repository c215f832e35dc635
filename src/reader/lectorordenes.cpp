#include "lectorordenes.h"

namespace kz {

ResultadoOrdenes LectorOrdenes::LeeOrdenes(const QString& nombre, const QStringList& cuerpo, const QString& estado,
                                           const QString& ubicacionRetenida, const QString& ubicacion) {
    Q_UNUSED(nombre);
    Q_UNUSED(ubicacionRetenida);
    Q_UNUSED(ubicacion);
    ResultadoOrdenes r{QString(), estado};
    for (const QString& linea : cuerpo) {
        if (linea.contains(QStringLiteral("El recibió"))) r.sexo = QStringLiteral("M");
        else if (linea.contains(QStringLiteral("Ella recibió"))) r.sexo = QStringLiteral("F");
        if (linea.contains(QStringLiteral(" es un rehen"))) r.estado = QStringLiteral("1");
    }
    return r;
}

} // namespace kz
