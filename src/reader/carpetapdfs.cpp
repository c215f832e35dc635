#include "carpetapdfs.h"

#include <QDir>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace kz {

QList<FicheroPdf> CarpetaPdfs::Lista(const QString& carpetaPdf, const QString& carpetaSalida) {
    QDir dir(carpetaPdf);
    dir.setNameFilters({QStringLiteral("*.pdf")});
    dir.setFilter(QDir::Files | QDir::Hidden | QDir::System);
    QList<FicheroPdf> r;
    for (const QFileInfo& fi : dir.entryInfoList()) {
        if (fi.isDir()) continue;
        FicheroPdf f;
        f.nombre = fi.fileName();
        f.ruta = fi.absoluteFilePath();
        f.estado = FicherosInforme(carpetaSalida, f.ruta).estado();
        f.fecha = fi.lastModified();
        f.bytes = fi.size();
        r << f;
    }
    std::stable_sort(r.begin(), r.end(), [](const FicheroPdf& a, const FicheroPdf& b) {
        return a.nombre.compare(b.nombre, Qt::CaseInsensitive) < 0;
    });
    return r;
}

qint64 CarpetaPdfs::Kilobytes(qint64 bytes) {
    if (bytes <= 0) return 0;
    return std::max<qint64>(1, bytes / 1024);
}

QString CarpetaPdfs::TextoTamano(qint64 bytes) { return FormatoMiles(double(Kilobytes(bytes)), 0) + QStringLiteral(" KB"); }

QString CarpetaPdfs::TextoFecha(const QDateTime& fecha) {
    const QDateTime local = fecha.toLocalTime();
    return local.toString(QStringLiteral("MM/dd/yyyy")) + QLatin1Char(' ') +
           QLocale::system().toString(local.time(), QLocale::ShortFormat);
}

QString CarpetaPdfs::TextoObjetos(int total, int seleccionados) {
    if (seleccionados <= 0) return QString::number(total) + QStringLiteral(" objecto(s)");
    return QString::number(total) + QStringLiteral(" objecto(s)  --  ") + QString::number(seleccionados) +
           QStringLiteral("  seleccionados ");
}

QString CarpetaPdfs::TextoEspacio(int seleccionados, qint64 bytesSeleccion, qint64 bytesLibres) {
    const QString libres = FormatoMiles(std::floor(double(bytesLibres) / (1024.0 * 1024.0)), 0) + QStringLiteral(" MB");
    if (seleccionados <= 0)
        return QStringLiteral(" Tamaño : 0 KB  ( Espacio disponible en disco: ") + libres + QStringLiteral(" )");
    return QStringLiteral(" Tamaño : ") + FormatoMiles(double(bytesSeleccion) / 1024.0, 2) +
           QStringLiteral(" KB( Espacio disponible en disco: ") + libres + QStringLiteral(" )");
}

QString CarpetaPdfs::FormatoMiles(double valor, int decimales) {
    const QString fijo = QString::number(std::fabs(valor), 'f', decimales);
    const int punto = fijo.indexOf(QLatin1Char('.'));
    QString entero = punto < 0 ? fijo : fijo.left(punto);
    for (int i = entero.size() - 3; i > 0; i -= 3) entero.insert(i, QLatin1Char('.'));
    QString r = (valor < 0 ? QStringLiteral("-") : QString()) + entero;
    if (punto >= 0) r += QLatin1Char(',') + fijo.mid(punto + 1);
    return r;
}

} // namespace kz
