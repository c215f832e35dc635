#pragma once
// What the reader knows about the report being read: recognised from its header, completed
// with the game's turn correction, and read by every section parser. One per report.

#include <QString>

namespace kz {

struct ContextoLectura {
    QString numeroPartida;     // 3 characters, word 4 of the first line
    QString prefijoPartida;    // first character of the header's fifth line
    QString codigoPartida;     // game number, or prefix + number when the catalogue has it
    QString codigoPais;        // 2 characters, word 1 of the first line
    QString nombrePais;        // second-to-last line of the header block
    QString marcaPagina;       // word 2 of the first line: lines holding it are page furniture
    QString turnoImpreso;      // the turn as printed, 3 characters
    QString turno;             // the turn every row is written to (after the turn correction)
    QString turnoAnterior;     // turn - 1, 3 characters; empty for the first turn
    int bando = 0;             // 1 free people, 2 servant of the dark, 3 neutral, 0 unknown
    QString guion = QStringLiteral("-");              // "-" or the soft hyphen of the report
    QString guionEspaciado = QStringLiteral(" - ");   // separator of name lists
    bool error = false;        // some section parser failed on some item
};

} // namespace kz
