#include "textoconvertido.h"

#include "textoinforme.h"

#include <QFile>

#include <climits>

namespace kz {

namespace {

int blancosIniciales(const QString& linea) {
    int n = 0;
    while (n < linea.size() && linea[n] == QLatin1Char(' ')) ++n;
    return n;
}

bool soloBlancos(const QString& linea) { return linea.trimmed().isEmpty(); }

} // namespace

QStringList QuitaMargenComun(const QStringList& lineas) {
    int margen = INT_MAX;
    for (const QString& l : lineas)
        if (!soloBlancos(l)) margen = std::min(margen, blancosIniciales(l));
    if (margen == INT_MAX || margen == 0) return lineas;
    QStringList r;
    r.reserve(lineas.size());
    for (const QString& l : lineas) r << (soloBlancos(l) ? QString() : l.mid(margen));
    return r;
}

QStringList LineasDeTextoConvertido(const QByteArray& datos) { return QuitaMargenComun(LineasDeTexto(datos)); }

bool LeeTextoConvertido(const QString& ruta, QStringList& lineas, QString& error) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("No se puede leer el fichero %1: %2").arg(ruta, f.errorString());
        return false;
    }
    lineas = LineasDeTextoConvertido(f.readAll());
    return true;
}

} // namespace kz
