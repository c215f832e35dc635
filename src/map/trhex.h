#pragma once
// The record the hex grid keeps for every hex, and the sides of a hex.
//
// Sides are numbered NE, E, SE, SO, O, NO (0 to 5), the order of the six-character side texts
// of the Hex table; a set of sides is one byte with bit i for side i.

#include <QPoint>
#include <QString>
#include <QVector>
#include <array>

namespace kz {

enum Lado { ladoNE = 0, ladoE = 1, ladoSE = 2, ladoSO = 3, ladoO = 4, ladoNO = 5 };

using LadosHex = quint8;

constexpr LadosHex lado(Lado l) { return LadosHex(1u << l); }
constexpr bool tieneLado(LadosHex s, Lado l) { return (s & lado(l)) != 0; }
constexpr Lado ladoOpuesto(Lado l) { return Lado(l < 3 ? l + 3 : l - 3); }
inline int cuentaLados(LadosHex s) {
    int n = 0;
    for (int i = 0; i < 6; ++i) n += (s >> i) & 1;
    return n;
}

// Border marks per allegiance: [0] others, [1] "Libre", [2] "Oscuro", [3] "Neutral".
enum Bando { bandoOtros = 0, bandoLibre = 1, bandoOscuro = 2, bandoNeutral = 3 };

struct TRHex {
    QString Hex;        // hex code
    QString Terreno;    // terrain code, "01" and up
    LadosHex Rio = 0;
    LadosHex Ria = 0;
    LadosHex Puente = 0;
    LadosHex Vado = 0;
    LadosHex Camino = 0;
    QString Muelle;     // dock of the centre drawn in the hex: "01", "02" or empty
    QPoint Pos;         // column - 1, row - 1
    std::array<LadosHex, 4> Marcas{};
};

// Indexed [column - 1][row - 1].
using TablaHex = QVector<QVector<TRHex>>;

} // namespace kz
