#pragma once
// The data-exchange subcommands of kzdb. Each takes the arguments after its name and returns
// the exit status (0 on success, 1 with the message on standard error otherwise).

#include "database/interaccion.h"

#include <QStringList>

namespace kz {

// kzdb archivo listar ARCHIVO | kzdb archivo extraer ARCHIVO [CARPETA]
int ordenArchivo(const QStringList& args, Interaccion& ui, const QString& programa);
// kzdb exportar PARTIDA [--tablas Pjs,Ejer,CenPob,Rumores,UbiArtef,Acertijos,Artef]
int ordenExportar(const QStringList& args, Interaccion& ui, const QString& programa);
// kzdb importar ARCHIVO.zlb [--partida PARTIDA_EN_USO]
int ordenImportar(const QStringList& args, Interaccion& ui, const QString& programa);
// kzdb heredar PARTIDA DESDE HASTA
int ordenHeredar(const QStringList& args, Interaccion& ui, const QString& programa);

} // namespace kz
