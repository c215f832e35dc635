#include "textoinforme.h"

#include <QFile>
#include <QStringDecoder>

namespace kz {

QStringList LineasDeTexto(const QString& entrada) {
    QString texto = entrada;
    texto.replace(QChar(0x2212), QLatin1Char('-'));
    texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texto.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (texto.isEmpty()) return {};
    QStringList lineas = texto.split(QLatin1Char('\n'));
    if (texto.endsWith(QLatin1Char('\n'))) lineas.removeLast();
    return lineas;
}

QStringList LineasDeTexto(const QByteArray& datos) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString texto = utf8.decode(datos);
    if (utf8.hasError()) texto = QString::fromLatin1(datos);
    if (texto.startsWith(QChar(0xFEFF))) texto.remove(0, 1);
    return LineasDeTexto(texto);
}

bool LeeTextoInforme(const QString& ruta, QStringList& lineas, QString& error) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("No se puede leer el fichero %1: %2").arg(ruta, f.errorString());
        return false;
    }
    lineas = LineasDeTexto(f.readAll());
    return true;
}

} // namespace kz
