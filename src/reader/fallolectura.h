#pragma once
// Positional reading of one item of a report (a centre, a sheet, an army block...) can fail at
// any word: a marker missing, a word past the end, a number that is not one, a row that cannot
// be posted. Each parser reads an item inside one try block and turns a FalloLectura into its
// "Error al Leer (code)" log line before going on with the next item, which is how the reader
// keeps reading after a bad item. A FalloLectura never leaves the reader: LeeTurnoLista returns
// its result as a bool.

#include <QString>
#include <QStringList>

namespace kz {

struct FalloLectura {
    QString motivo;
};

[[noreturn]] inline void Falla(const QString& motivo) { throw FalloLectura{motivo}; }

// Word at a 0-based position, or a failure when there is none.
const QString& PalabraEn(const QStringList& palabras, int posicion);

// Whole number written as the report writes it (optional sign, digits, surrounding blanks).
int NumeroDe(const QString& texto);

// UneHasta / UneHastaSiHay that fail instead of returning nothing.
QString UneHastaOFalla(const QStringList& palabras, int& posicion, const QString& parada);
QString UneHastaSiHayOFalla(const QStringList& palabras, int& posicion, const QString& parada);

} // namespace kz
