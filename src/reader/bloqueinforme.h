#pragma once
// Finding a section of a report by its heading and taking its lines: most parsers of the
// messages part read "the lines after the heading up to the next heading", leaving out the page
// furniture that still holds the report's page mark.

#include <QString>
#include <QStringList>

namespace kz {

// Index of the first line at or after `desde` that contains any of the texts; -1 when none does.
int LineaQueContiene(const QStringList& lineas, const QStringList& textos, int desde = 0);

// Index of the first line at or after `desde` that, trimmed, equals the text without regard to
// letter case; -1 when none does.
int LineaIgualA(const QStringList& lineas, const QString& texto, int desde = 0);

// True when the line holds the page mark (never for an empty mark).
bool TieneMarcaPagina(const QString& linea, const QString& marca);

// The lines after `cabecera` up to, not including, the first one for which `esFinal` is true
// (or the end), without the lines that hold the page mark.
template <typename Final>
QStringList LineasHasta(const QStringList& lineas, int cabecera, const QString& marca, Final esFinal) {
    QStringList r;
    for (int i = cabecera + 1; i < lineas.size(); ++i) {
        if (esFinal(lineas[i])) break;
        if (!TieneMarcaPagina(lineas[i], marca)) r << lineas[i];
    }
    return r;
}

// The lines after `cabecera` up to the first line that contains any of `finales`.
QStringList LineasHastaQueContenga(const QStringList& lineas, int cabecera, const QStringList& finales,
                                   const QString& marca);

// The lines, each trimmed, joined with single spaces.
QString UneRecortadas(const QStringList& lineas);

} // namespace kz
