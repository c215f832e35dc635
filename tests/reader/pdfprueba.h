#pragma once
// Turn-report PDFs made at test time from report texts, so that the real converter and
// Ghostscript are what the tests read through: the text is set in Courier on A4 pages by a
// PostScript program written here and ps2pdf makes the PDF of it.
//
// The pages are cut where the report's own page headers are and wherever a page is full. The
// font's encoding names "-" a hyphen and puts the minus sign (U+2212) apart, so Ghostscript
// gives back both as the report PDFs have them; letters outside Latin-1 are printed as "?".

#include "../comun/carpetaprueba.h"

#include <QString>
#include <QStringList>

namespace kz::prueba {

// The PostScript program of the lines.
QByteArray PostScriptDeInforme(const QStringList& lineas);
// Writes the PDF of the lines; false with the message when ps2pdf fails.
bool HazPdf(const QStringList& lineas, const QString& rutaPdf, QString& error);
// The PDF of a report text file, its minus signs and soft hyphens included.
bool HazPdfDeFichero(const QString& rutaTexto, const QString& rutaPdf, QString& error);
// The PDF of a report of tests/data/lector (name without ".txt").
inline bool HazPdfDeInforme(const QString& nombreInforme, const QString& rutaPdf, QString& error) {
    return HazPdfDeFichero(CarpetaPrueba::datosPrueba(QStringLiteral("lector/") + nombreInforme + QStringLiteral(".txt")),
                           rutaPdf, error);
}

} // namespace kz::prueba
