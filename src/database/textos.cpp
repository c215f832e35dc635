#include "textos.h"

namespace kz {

QString QuitaAcentos(const QString& texto) {
    static const QString con = QStringLiteral("áàäâéèëêíìïîóòöôúùüûÁÀÄÂÉÈËÊÍÌÏÎÓÒÖÔÚÙÜÛ");
    static const QString sin = QStringLiteral("aaaaeeeeiiiioooouuuuAAAAEEEEIIIIOOOOUUUU");
    QString r = texto;
    for (QChar& ch : r) {
        if (ch.unicode() < 0xC0) continue;
        const int i = con.indexOf(ch);
        if (i >= 0) ch = sin[i];
    }
    return r;
}

QString RellenaIzq(const QString& texto, int longitud, const QString& relleno) {
    QString r = texto.trimmed();
    if (relleno.isEmpty()) return r;
    while (r.size() < longitud) r.prepend(relleno);
    return r;
}

QString Rellena(bool izquierda, const QString& texto, int ancho, const QString& relleno) {
    QString r = texto;
    if (!relleno.isEmpty())
        while (r.size() < ancho) izquierda ? r.prepend(relleno) : r.append(relleno);
    return r.left(std::max(ancho, 0));
}

QString NombreBase(const QString& ruta) {
    const int barra = std::max(ruta.lastIndexOf(QLatin1Char('\\')), ruta.lastIndexOf(QLatin1Char('/')));
    const QString nombre = ruta.mid(barra + 1);
    const int punto = nombre.indexOf(QLatin1Char('.'));
    return punto < 0 ? nombre : nombre.left(punto);
}

} // namespace kz
