#pragma once
// The 36 bytes that end an archive:
//
//   0  4   CRC-32 of every byte of the file before the trailer
//   4  4   number of entries            8  4  format mark, always 1 (written, not checked)
//   12 4   size of the compressed directory, 0 when it is stored uncompressed
//   16 4   offset of the directory (the total size of the member data)
//   20 1   1 when the directory is compressed       21 15  zero
// Integers are 32-bit little-endian.

#include <QByteArray>

namespace kz {

struct TZLBTrailer {
    static constexpr int kTamano = 36;

    quint32 crc = 0;
    quint32 entradas = 0;
    quint32 marca = 1;
    quint32 tamanoDirectorio = 0;
    quint32 posicionDirectorio = 0;
    bool directorioComprimido = false;

    QByteArray codifica() const;
    // Reads kTamano bytes; false when the mark, the directory flag or the zero bytes are not
    // what a writer leaves there, so that no bit of the trailer can change unnoticed.
    static bool decodifica(const char* datos, TZLBTrailer& cola);
};

} // namespace kz
