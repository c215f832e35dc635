#pragma once
// One entry of an archive's directory, and its 532 bytes on disk:
//
//   0   256  file name (no folder): length byte, then up to 255 bytes of cp1252 text, rest zero
//   256 256  folder of the file without its drive, the same way; all zero when paths are not kept
//   512 4    uncompressed size          516 4  stored size (bytes of member data)
//   520 4    offset of the member data  524 4  CRC-32 of the uncompressed file
//   528 1    1 stored as is, 0 a zlib stream
//   529 1    compression level used (0 to 3), 0 when stored
//   530 2    zero
// Integers are 32-bit little-endian.

#include <QByteArray>
#include <QString>

namespace kz {

struct TZLBEntry {
    static constexpr int kTamano = 532;

    QString nombre;
    QString carpeta;
    quint32 tamano = 0;
    quint32 tamanoAlmacenado = 0;
    quint32 posicion = 0;
    quint32 crc = 0;
    bool almacenado = false;
    quint8 nivel = 0;

    // False when the name or the folder does not fit its slot in the code page.
    bool codifica(QByteArray& destino) const;
    // Reads kTamano bytes; false when a length byte, the stored mark or the level is impossible.
    static bool decodifica(const char* datos, TZLBEntry& entrada);
    // Folder followed by name, as FindEntry compares them.
    QString ruta() const { return carpeta + nombre; }
};

} // namespace kz
