#pragma once
// The files a turn report leaves in its game's output folder, all named after the PDF without
// extension (its file name cut before the first "."): the report text ".txt", the text of a
// reading that failed ".err" and the conversion error marker ".erc". Nothing else records
// whether a report was read, so the state shown in the file list is derived from them.

#include <QString>

namespace kz {

enum class EstadoPdf { NoLeido, Leido, Error };

class FicherosInforme {
public:
    // The output folder may be given with or without a trailing separator.
    FicherosInforme(const QString& carpetaSalida, const QString& rutaPdf);

    const QString& txt() const { return txt_; }
    const QString& err() const { return err_; }
    const QString& erc() const { return erc_; }

    // "No Leido" without files; "Leido" with the ".txt"; "Error" with the ".err" or the ".erc",
    // which win over the ".txt".
    EstadoPdf estado() const;

    static QString textoEstado(EstadoPdf estado);   // "No Leido", "Leido", "Error"
    static int icono(EstadoPdf estado);             // -1 none, 0 read, 1 error

    static const QString kTextoErc;                 // the single line of the ".erc" file

private:
    QString txt_, err_, erc_;
};

} // namespace kz
