#include "fallolectura.h"

#include "herramientastexto.h"

namespace kz {

const QString& PalabraEn(const QStringList& palabras, int posicion) {
    if (posicion < 0 || posicion >= palabras.size())
        Falla(QStringLiteral("falta la palabra %1 de %2").arg(posicion + 1).arg(palabras.size()));
    return palabras[posicion];
}

int NumeroDe(const QString& texto) {
    bool ok = false;
    const int n = texto.trimmed().toInt(&ok);
    if (!ok) Falla(QStringLiteral("'%1' no es un número").arg(texto));
    return n;
}

QString UneHastaOFalla(const QStringList& palabras, int& posicion, const QString& parada) {
    const auto r = UneHasta(palabras, posicion, parada);
    if (!r) Falla(QStringLiteral("falta la palabra %1 de %2").arg(posicion + 1).arg(palabras.size()));
    return *r;
}

QString UneHastaSiHayOFalla(const QStringList& palabras, int& posicion, const QString& parada) {
    const auto r = UneHastaSiHay(palabras, posicion, parada);
    if (!r) Falla(QStringLiteral("falta la palabra %1 de %2").arg(posicion + 1).arg(palabras.size()));
    return *r;
}

} // namespace kz
