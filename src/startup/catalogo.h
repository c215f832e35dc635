#pragma once
// The game catalogue: creating a game from its template, choosing the game to work on (which
// rebinds every per-game table) and deleting a game with its folder and its report texts.
//
// Each operation opens the catalogue Partidas and closes it again (counted opens), so it can be
// called from the start-up, from the menu and from the buttons of the choose window alike.

#include "database/tdm.h"
#include "sesion.h"
#include "ventanascatalogo.h"
#include "ventanaprincipal.h"

namespace kz {

class Catalogo {
public:
    Catalogo(TDM& dm, Sesion& sesion, VentanasCatalogo& ventanas, VentanaPrincipal& principal);

    static const QStringList& ficherosPlantilla();   // Artef.DB, Artef.MB, CenPob.DB, ...
    QString carpetaPlantilla(bool cuarta) const;
    QString carpetaInformes(const QString& codigo) const;   // program folder/Pdfs/code

    // New game through the "Nueva Partida" window; never changes the game in use.
    void nueva();
    // The creation itself, on the open catalogue: checks, folder, template copy, catalogue row.
    // The messages of the failures are shown; false when nothing was created.
    bool creaPartida(const DatosNuevaPartida& datos);
    // Choose game; true when a game was chosen (and, in menu mode, its map tables reopened).
    bool elige(bool modoArranque);
    // Delete a game: the code of the choose window's current row.
    void elimina(const QString& codigo);
    // "Seleccionar" of the choose window: false with the message on an empty catalogue.
    bool puedeSeleccionar();

    TTabla& partidas() const { return *dm_.tabla(QStringLiteral("TPartidas")); }

    // Removes a folder with everything below it, sub-folders first; stops at the first file or
    // folder that cannot be removed. False also when the folder does not exist. Symbolic links
    // are removed as links, never followed.
    static bool borraCarpeta(const QString& carpeta);

private:
    bool abrePartidas();
    void cierraPartidas();
    void reenlazaTablasDePartida(const QString& carpeta);

    TDM& dm_;
    Sesion& sesion_;
    VentanasCatalogo& ventanas_;
    VentanaPrincipal& principal_;
    Interaccion& ui_;
};

} // namespace kz
