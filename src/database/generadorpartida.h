#pragma once
// Builds a large synthetic game through the engine, for benchmarks and demos: the game folder
// from the "Tercera" template, and for every turn about 300 centres, 1,000 characters and 200
// armies, with rumours and artefact sightings. The same code and turn count give the same rows.

#include "tdm.h"

namespace kz {

struct OpcionesGenerador {
    QString codigo;          // T001
    int turnos = 10;
    int centros = 300;
    int personajes = 1000;
    int ejercitos = 200;
};

bool generaPartida(TDM& dm, const QString& carpetaPrograma, const OpcionesGenerador& o, QString& error);

} // namespace kz
