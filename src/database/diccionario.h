#pragma once
// The data dictionary: every table of the catalogue, of a game and of the game rules, with its
// fields in order, keys, index names, display name, folder and per-turn mark. Also the two
// texts derived from a definition that the creation and the restructure work from: the
// definition lines (display name, then the creating statement) and the index entries.

#include "definiciontabla.h"

namespace kz {

class Diccionario {
public:
    static const QList<DefTabla>& tablas();
    // Look-ups by component (TCenPob), data source (DSCenPob) or file (CenPob.DB); all
    // case-insensitive. Null when unknown.
    static const DefTabla* porComponente(const QString& componente);
    static const DefTabla* porFuente(const QString& fuente);
    static const DefTabla* porFichero(const QString& fichero);

    // Definition lines for a component and a target path: display name, then one line per item
    // of the creating statement. Empty for an unknown name.
    static QStringList lineasDefinicion(const QString& componente, const QString& ruta);
    // Index entries: the primary entry first, then the secondary indexes.
    static QList<DefIndice> indicesDefinicion(const QString& componente);

    // The two table groups opened at start-up and restructured by the maintenance run.
    static QStringList grupoReferencia();
    static QStringList grupoPartida();
};

} // namespace kz
