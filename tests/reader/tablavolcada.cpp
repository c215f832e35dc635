#include "tablavolcada.h"

#include "database/volcado.h"

namespace kz::prueba {

TablaVolcada::TablaVolcada(const QStringList& lineas) {
    QList<QStringList> todas;
    QString error;
    if (!leeVolcado(lineas.join(QLatin1Char('\n')), todas, error) || todas.isEmpty()) return;
    cabecera_ = todas.takeFirst();
    filas_ = todas;
}

QString TablaVolcada::valor(int fila, const QString& campo) const {
    const int c = cabecera_.indexOf(campo);
    if (fila < 0 || fila >= filas_.size() || c < 0) return QStringLiteral("(no existe)");
    return filas_[fila].value(c);
}

int TablaVolcada::busca(const QStringList& condiciones) const {
    for (int f = 0; f < filas_.size(); ++f) {
        bool cumple = true;
        for (const QString& cond : condiciones) {
            const int igual = cond.indexOf(QLatin1Char('='));
            if (valor(f, cond.left(igual)) != cond.mid(igual + 1)) {
                cumple = false;
                break;
            }
        }
        if (cumple) return f;
    }
    return -1;
}

QString TablaVolcada::campos(const QStringList& condiciones, const QString& lista) const {
    const int f = busca(condiciones);
    if (f < 0) return QStringLiteral("(no existe)");
    QStringList r;
    for (const QString& c : lista.split(QLatin1Char(';'))) r << valor(f, c);
    return r.join(QLatin1Char(';'));
}

QStringList TablaVolcada::columna(const QString& campo) const {
    QStringList r;
    for (int f = 0; f < filas_.size(); ++f) r << valor(f, campo);
    return r;
}

} // namespace kz::prueba
