#pragma once
// Structure upgrade: the restructure of a list of tables and the maintenance run that applies it
// to the catalogue, the rule tables, every game and the two templates.
//
// A table is rebuilt through "TMPSTR.DB" in its own folder: the current definition is created
// there, the old rows are copied into it (in one transaction, converted to the new types), and
// only then does it replace the old file, by an atomic rename. Until that rename the old table
// is untouched, so an interruption at any point leaves the old table or the new one whole; a
// partial "TMPSTR.DB" left by an interruption is removed by the next restructure of its folder.
// A legacy Paradox table always counts as changed and its rows are read through pxlib.
//
// Every question, status text and progress step goes through the data module's Interaccion.

#include "tdm.h"

#include <functional>

namespace kz {

class TablaParadox;

class Restructura {
public:
    explicit Restructura(TDM& dm) : dm_(dm), ui_(dm.interaccion()) {}

    enum class Resultado { Hecho, Cancelado, Error };

    // Restructures the tables of a list of data-source names, in list order. Cancelado when the
    // user gave up on a table in use (nothing changed); Error when a copy failed (the old table
    // of the failing copy is intact), with the reason in error().
    Resultado lista(const QStringList& fuentes);

    // The maintenance run; true when it ran to its end. `cambioVersion` selects the question.
    bool mantenimiento(const QString& carpetaPrograma, bool cambioVersion);

    const QString& error() const { return error_; }

    // The main window's menus while the run lasts (disabled, then enabled again).
    std::function<void(bool)> alActivarMenus;

    static const QString kTemporal;    // "TMPSTR.DB"

    // The file of a table in a folder: the exact name, or one that differs only in letter case
    // (legacy folders copied from another system). Empty when there is none.
    static QString buscaFichero(const QString& carpeta, const QString& fichero);

private:
    struct Pendiente;
    Resultado tomaExclusiva(Pendiente& p);
    Resultado restructuraTabla(Pendiente& p, int posicion);
    bool creaTemporal(const QString& carpeta, const QString& componente);
    bool copiaFilas(Pendiente& p, TTabla& destino, const QList<int>& origenDe, int campoMostrado);
    bool reemplaza(Pendiente& p);
    void activaMenus(bool si) { if (alActivarMenus) alActivarMenus(si); }

    TDM& dm_;
    Interaccion& ui_;
    QString error_;
};

} // namespace kz
