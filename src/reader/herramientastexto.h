#pragma once
// The small text tools every section parser of the reader works with. A report is read
// positionally: a line is split into words at single spaces and values are taken at fixed word
// offsets from a marker word, so these tools keep empty words (two spaces in a row) in place.
//
// Positions are 0-based indexes into the word list.

#include <QString>
#include <QStringList>
#include <optional>

namespace kz {

// The trimmed text split at every single space; consecutive spaces give empty words and the
// last word is always there, so an empty text gives one empty word.
QStringList Palabras(const QString& texto);

// The text cut at every occurrence of the separator, separators dropped; empty pieces are
// skipped and the pieces are not trimmed.
QStringList Trocea(const QString& texto, const QString& separador);

// Equality of two words without regard to the case of the letters A to Z; accented letters
// must match exactly.
bool MismaPalabra(const QString& a, const QString& b);

// Joins the word at `posicion` and the following ones with single spaces (result trimmed),
// stopping before the first later word equal to `parada` (MismaPalabra) or at the end. The word
// at the start is always taken. `posicion` is left on the stop word, or past the end.
// Nothing (and `posicion` unchanged) when `posicion` is not a word of the list.
std::optional<QString> UneHasta(const QStringList& palabras, int& posicion, const QString& parada);

// Like UneHasta, but when the stop word does not follow the result is empty and `posicion` is
// left unchanged.
std::optional<QString> UneHastaSiHay(const QStringList& palabras, int& posicion, const QString& parada);

// The words after the first one equal to `palabra` (MismaPalabra), joined with single spaces and
// trimmed; `posicion` is the position after the end (the list's size). Empty text and position
// 0 when the word is absent.
struct UnionTras {
    QString texto;
    int posicion = 0;
    bool encontrada = false;
};
UnionTras UneTras(const QStringList& palabras, const QString& palabra);

// True when the first character of the trimmed text, in upper case, is "S" (Si, S, SI...).
bool EsSi(const QString& texto);

// Month number 1 to 12 whose Spanish month name begins with the same three letters as the word,
// compared in upper case; 0 when none does.
int MesNumero(const QString& palabra);

// Left padding to a width: "0" in front while shorter, a longer text cut to its first `ancho`
// characters (turns, game numbers, nation and artefact codes).
QString RellenaCeros(const QString& texto, int ancho);

// True when the text is made only of digits and spaces (an empty text is not).
bool SoloDigitosYEspacios(const QString& texto);

} // namespace kz
