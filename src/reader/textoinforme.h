#pragma once
// A report text as the reader reads it: the bytes of a text file (or of pasted text) split into
// lines. The converter writes UTF-8 with CR LF; older texts may be single-byte. A minus sign
// (U+2212) is read as "-", as the report's own texts write it.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kz {

// UTF-8 when the bytes are valid UTF-8, Latin-1 otherwise; CR LF, LF and lone CR end lines.
QStringList LineasDeTexto(const QByteArray& datos);
QStringList LineasDeTexto(const QString& texto);
// False with the message when the file cannot be read.
bool LeeTextoInforme(const QString& ruta, QStringList& lineas, QString& error);

} // namespace kz
