#pragma once
// Turns a turn-report PDF into its report text with the outside converter: the shipped script
// "pdf2txt.sh" in the converter folder, which runs Ghostscript on a copy of the PDF under the
// fixed temporary name "TmpLKZ" and leaves "TmpLKZ.txt" beside it.
//
// One conversion at a time: the temporary names are fixed, so a caller converts a file to the
// end before it starts the next. Every box and the hourglass go through the Interaccion.

#include "database/interaccion.h"

#include <QString>

class QProcess;

namespace kz {

class ConversorPdf {
public:
    ConversorPdf(const QString& carpetaPrograma, Interaccion& ui);

    static const QString kBaseTemporal;    // "TmpLKZ"
    static const QString kGuion;           // "pdf2txt.sh"
    static constexpr int kEsperaMs = 30000;
    static constexpr int kLineasMinimas = 9;

    // program folder + "/pdf2txt/" and program folder + "/Pdfs/" + game code + "/".
    QString carpetaConversor() const;
    QString carpetaSalida(const QString& codigoPartida) const;
    QString pdfTemporal() const;
    QString txtTemporal() const;

    // Folder of the Ghostscript programs appended to the converter's search path. The reader
    // offers no way to fill it, so gs is found on the system's PATH.
    QString carpetaGhostscript;

    // Rewrites lines 6, 7 and 9 of the script: the root of the file system that holds the
    // converter folder, a cd into the converter folder and the search path with the Ghostscript
    // folder. False with the message when the script is missing, shorter than 9 lines, cannot
    // be written or a folder cannot be written into a script line.
    static bool PreparaBat(const QString& carpetaConversor, const QString& carpetaGhostscript, QString& error);

    // Converts the PDF into the report text of the game's output folder (created when missing),
    // waiting for the converter in periods of esperaMs with the Abort/Retry question. True only
    // when the converter left a text and the wait was not aborted.
    bool ConviertePdfTxt(const QString& codigoPartida, const QString& rutaPdf, int esperaMs);

    // Why the last conversion failed (empty after a success), for the terminal and the tests.
    const QString& motivo() const { return motivo_; }

    static QString textoNoSeBorran(const QString& pdfTemporal, const QString& txtTemporal);
    static const QString kTextoTimeOut;

private:
    bool borraTemporales();
    bool ejecutaConversor(bool& abortado);
    bool esperaPeriodo(QProcess& proceso, int esperaMs);
    static void detiene(QProcess& proceso);
    bool textoConvertidoValido() const;
    bool copiaTexto(const QString& codigoPartida, const QString& rutaPdf);
    bool falla(const QString& motivo);

    QString carpetaPrograma_;
    Interaccion& ui_;
    QString motivo_;
    int esperaMs_ = kEsperaMs;
};

} // namespace kz
