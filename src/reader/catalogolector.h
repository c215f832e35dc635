#pragma once
// The games the reader lists: the rows of the catalogue Partidas of the program folder, in
// table order, each with its PDF folder from "LPartidas.dat" or its default folder.

#include "listapdfs.h"

#include <QString>
#include <QStringList>

namespace kz {

class TDM;

struct PartidaLector {
    QString codigo;
    QString carpeta;
};

class CatalogoLector {
public:
    // CargarPartidas: opens Partidas shared in the base folder, reads its codes and closes it
    // again. When it cannot be opened the reminder is shown and the list is empty.
    static QList<PartidaLector> CargarPartidas(TDM& dm, const QString& carpetaBase, const ListaPdfs& lista);
    static QString textoSinCatalogo(const QString& carpetaBase);
};

} // namespace kz
