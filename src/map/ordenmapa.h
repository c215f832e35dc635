#pragma once
// The "mapa" command of kzdb: the map of a turn rendered headless to a picture, through the
// same drawing the main window uses.
//
//     kzdb mapa PARTIDA TURNO FICHERO.png [--radio R] [--ven libres,oscuros,neutrales,otros]

#include "database/interaccion.h"

#include <QCoreApplication>
#include <QStringList>
#include <memory>

namespace kz {

extern const char* const kUsoOrdenMapa;

// Exit status 0 when the picture was written; 1 with the message on standard error otherwise.
int OrdenMapa(const QStringList& argumentos, Interaccion& ui, const QString& carpetaPrograma);

// The application object of kzdb: drawing text needs a GUI application, which runs without a
// screen when none is there; every other command keeps the plain core application.
std::unique_ptr<QCoreApplication> AplicacionKzdb(int& argc, char** argv);

} // namespace kz
