#pragma once
// Converter folders for the reader's tests: a program folder whose pdf2txt/ holds either the
// shipped script or a test script with the nine fixed lines in front of its own commands.

#include <QString>

namespace kz::prueba {

// Writes programa/pdf2txt/pdf2txt.sh: eight comment lines and the search path line, then the
// given shell commands (run in the converter folder with the base name as $1).
bool EscribeGuionPrueba(const QString& carpetaPrograma, const QString& ordenes);
// Copies the shipped script of the built program folder into programa/pdf2txt/.
bool CopiaGuionReal(const QString& carpetaPrograma);
// Writes a file with the given bytes, creating its folder.
bool EscribeFichero(const QString& ruta, const QByteArray& datos);
QByteArray LeeFichero(const QString& ruta);

} // namespace kz::prueba
