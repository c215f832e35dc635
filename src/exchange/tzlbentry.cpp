#include "tzlbentry.h"

#include "cp1252.h"

#include <QtEndian>

namespace kz {
namespace {

constexpr int kRanura = 256;

bool escribeCadena(const QString& texto, char* ranura) {
    QByteArray b;
    if (!aCp1252(texto, b) || b.size() >= kRanura) return false;
    ranura[0] = char(b.size());
    memcpy(ranura + 1, b.constData(), size_t(b.size()));
    return true;
}

QString leeCadena(const char* ranura) {
    return deCp1252(QByteArray(ranura + 1, uchar(ranura[0])));
}

} // namespace

bool TZLBEntry::codifica(QByteArray& destino) const {
    destino = QByteArray(kTamano, '\0');
    char* p = destino.data();
    if (!escribeCadena(nombre, p) || !escribeCadena(carpeta, p + 256)) return false;
    qToLittleEndian<quint32>(tamano, p + 512);
    qToLittleEndian<quint32>(tamanoAlmacenado, p + 516);
    qToLittleEndian<quint32>(posicion, p + 520);
    qToLittleEndian<quint32>(crc, p + 524);
    p[528] = almacenado ? 1 : 0;
    p[529] = char(nivel);
    return true;
}

bool TZLBEntry::decodifica(const char* p, TZLBEntry& e) {
    const uchar marca = uchar(p[528]), nivel = uchar(p[529]);
    if (marca > 1 || nivel > 3) return false;
    e.nombre = leeCadena(p);
    e.carpeta = leeCadena(p + 256);
    e.tamano = qFromLittleEndian<quint32>(p + 512);
    e.tamanoAlmacenado = qFromLittleEndian<quint32>(p + 516);
    e.posicion = qFromLittleEndian<quint32>(p + 520);
    e.crc = qFromLittleEndian<quint32>(p + 524);
    e.almacenado = marca == 1;
    e.nivel = nivel;
    return true;
}

} // namespace kz
