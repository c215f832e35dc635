#pragma once
// The Windows ANSI code page (cp1252), in which archive entries keep their names on disk.
//
// Bytes 0x00-0x7F and 0xA0-0xFF are the Latin-1 characters of the same number; 0x80-0x9F hold
// the typographic characters of the code page, and its five unassigned bytes map to the C1
// control of the same number, as Windows itself converts them, so every byte string decodes and
// encodes back unchanged.

#include <QByteArray>
#include <QString>

namespace kz {

QString deCp1252(const QByteArray& bytes);
// False when some character of the text has no byte in the code page.
bool aCp1252(const QString& texto, QByteArray& bytes);

} // namespace kz
