#include "tzlbtrailer.h"

#include <QtEndian>

namespace kz {

QByteArray TZLBTrailer::codifica() const {
    QByteArray b(kTamano, '\0');
    char* p = b.data();
    qToLittleEndian<quint32>(crc, p);
    qToLittleEndian<quint32>(entradas, p + 4);
    qToLittleEndian<quint32>(marca, p + 8);
    qToLittleEndian<quint32>(tamanoDirectorio, p + 12);
    qToLittleEndian<quint32>(posicionDirectorio, p + 16);
    p[20] = directorioComprimido ? 1 : 0;
    return b;
}

bool TZLBTrailer::decodifica(const char* p, TZLBTrailer& t) {
    t.crc = qFromLittleEndian<quint32>(p);
    t.entradas = qFromLittleEndian<quint32>(p + 4);
    t.marca = qFromLittleEndian<quint32>(p + 8);
    t.tamanoDirectorio = qFromLittleEndian<quint32>(p + 12);
    t.posicionDirectorio = qFromLittleEndian<quint32>(p + 16);
    t.directorioComprimido = p[20] == 1;
    if (t.marca != 1 || uchar(p[20]) > 1) return false;
    for (int i = 21; i < kTamano; ++i)
        if (p[i] != 0) return false;
    return true;
}

} // namespace kz
