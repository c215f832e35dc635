#pragma once
// The data-exchange subcommands of kzdb. Each takes the arguments after its name and returns
// the exit status (0 on success, 1 with the message on standard error otherwise).

#include "database/interaccion.h"

#include <QStringList>

namespace kz {

// kzdb archivo listar ARCHIVO | kzdb archivo extraer ARCHIVO [CARPETA]
int ordenArchivo(const QStringList& args, Interaccion& ui, const QString& programa);

} // namespace kz
