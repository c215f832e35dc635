#pragma once
// The report text as the converter leaves it, made into the lines the parsers read.
//
// Ghostscript writes UTF-8 with CR LF, a minus sign as U+2212 and every line of a page moved
// right by the page's left margin (it turns the position of the first letter into blanks).
// The parsers split lines at single blanks from the first letter, so the blanks that every
// line shares are taken away; a line of blanks only does not count.

#include <QByteArray>
#include <QStringList>

namespace kz {

// Takes away the leading blanks that every line with a letter has in common.
QStringList QuitaMargenComun(const QStringList& lineas);

// LineasDeTexto of the bytes, without the common margin.
QStringList LineasDeTextoConvertido(const QByteArray& datos);
// False with the message when the file cannot be read.
bool LeeTextoConvertido(const QString& ruta, QStringList& lineas, QString& error);

} // namespace kz
