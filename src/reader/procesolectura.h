#pragma once
// The batch run's work on one turn-report PDF (ProcesaItem), shared by the reader window and
// lectorkz --leer: convert it when its report text is missing (or when asked to regenerate
// it), read the text with LeeTurnoLista and leave the state files beside it in the game's
// output folder, writing every step to the reader's log.

#include "conversorpdf.h"
#include "ficherosinforme.h"

#include <QString>

namespace kz {

class Interaccion;
class LectorTurno;

class ProcesoLectura {
public:
    // The log lines go to the lector's alAnadirLog, between the lines of its readings.
    ProcesoLectura(LectorTurno& lector, const QString& carpetaPrograma, Interaccion& ui);

    // The selected game: its output folder keeps the report texts and markers.
    QString codigoPartida;
    // "Regenerar TXT": convert again even when the report text exists.
    bool regenerarTxt = false;
    int esperaMs = ConversorPdf::kEsperaMs;

    QString carpetaSalida() const { return conversor_.carpetaSalida(codigoPartida); }
    FicherosInforme ficheros(const QString& rutaPdf) const { return FicherosInforme(carpetaSalida(), rutaPdf); }
    ConversorPdf& conversor() { return conversor_; }

    // Processes one PDF to the end and returns its new state ("Leido" or "Error").
    EstadoPdf ProcesaItem(const QString& rutaPdf);

    static const QString kSeparador;          // 58 hyphens
    static const QString kConvirtiendo;       // "Convitiendo a txt..."
    static const QString kConversionMal;      // "...Conversion con ERRORES!!! ..."
    static const QString kConversionBien;     // "...Conversion finalizada Correctamente"

private:
    void AnadeLog(const QString& texto) const;
    bool convierteSiHaceFalta(const QString& rutaPdf, const FicherosInforme& f);
    bool escribeErc(const FicherosInforme& f) const;
    EstadoPdf fallaLectura(const FicherosInforme& f) const;

    LectorTurno& lector_;
    Interaccion& ui_;
    ConversorPdf conversor_;
};

} // namespace kz
