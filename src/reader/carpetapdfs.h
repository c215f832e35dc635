#pragma once
// The turn-report PDFs of a game's PDF folder as the reader's file list shows them, and the
// texts of that list and of the status bar.

#include "ficherosinforme.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace kz {

struct FicheroPdf {
    QString nombre;      // file name
    QString ruta;        // full path
    EstadoPdf estado = EstadoPdf::NoLeido;
    QDateTime fecha;     // last write, local time
    qint64 bytes = 0;
};

class CarpetaPdfs {
public:
    // Every file matching "*.pdf" (any letter case; hidden, system and read-only ones too, no
    // folders), sorted by name, with its state from the files of the output folder.
    static QList<FicheroPdf> Lista(const QString& carpetaPdf, const QString& carpetaSalida);

    // Size in whole kilobytes; a file that is not empty counts at least 1 KB.
    static qint64 Kilobytes(qint64 bytes);
    static QString TextoTamano(qint64 bytes);             // "12 KB"
    static QString TextoFecha(const QDateTime& fecha);    // month/day/year and the time
    // Status bar, first panel: "5 objecto(s)  --  2  seleccionados " or "5 objecto(s)".
    static QString TextoObjetos(int total, int seleccionados);
    // Status bar, second panel: the size of the selection and the free space of the drive.
    static QString TextoEspacio(int seleccionados, qint64 bytesSeleccion, qint64 bytesLibres);

    // A number with "." between thousands and "," before the decimals; with no decimals a zero
    // is written "0".
    static QString FormatoMiles(double valor, int decimales);
};

} // namespace kz
