#pragma once
// Small text routines both programs share.

#include <QString>

namespace kz {

// Replaces every accented vowel by the plain vowel of the same case; ñ, Ñ, ç and Ç stay.
QString QuitaAcentos(const QString& texto);

// Trims blanks at both ends, then puts `relleno` in front while shorter than `longitud`.
// An empty pad text leaves the trimmed text as it is (it could never grow).
QString RellenaIzq(const QString& texto, int longitud, const QString& relleno);

// Without trimming, pads in front (izquierda) or behind while shorter than `ancho`, then keeps
// the first `ancho` characters. An empty pad text only cuts.
QString Rellena(bool izquierda, const QString& texto, int ancho, const QString& relleno);

// File name part of a path, cut before its first "."; handles "\" and "/" separators.
QString NombreBase(const QString& ruta);

} // namespace kz
