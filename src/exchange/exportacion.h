#pragma once
// Export of chosen tables of the default game into one archive under the program folder, for
// allies to import: program folder/Exportar/<game code>T<latest turn>.zlb, where the latest
// turn is the TURNO of the last CenPob row in key order.
//
// The seven choices and their files, added in this order: "Personajes" (Pjs.DB), "Ejercitos"
// (Ejer.DB), "Centros de Poblacion" (CenPob.DB), "Encuentros/Rumores" (Rumores.DB),
// "Localizacion Artefactos" (UbiArtef.DB), "Lista de Acertijos" (Acertijos.DB of the program
// folder), "Lista de Artefactos " (Artef.DB). A table of this engine is its one file; Hex,
// Paises and PjsEjer are never exported. All are chosen at first except the artefacts, which
// are chosen only for a game of kind "C".
//
// A file that cannot be read is logged and the archive is written without it; the archive as a
// whole failing is reported instead of the final message. Texts go through the Interaccion;
// the information panel and its bar are its Progreso (text, bar 1).

#include "database/tdm.h"

#include <array>

namespace kz {

class Exportacion {
public:
    enum Casilla { Personajes, Ejercitos, CentrosPoblacion, EncuentrosRumores, LocalizacionArtefactos,
                   ListaAcertijos, ListaArtefactos, NumeroCasillas };

    // `partida`: code of the default game, whose folder the data module is bound to.
    Exportacion(TDM& dm, const QString& partida, Interaccion* ui = nullptr);

    static QString titulo(Casilla c);
    // Opens CenPob for the latest turn, names the archive, sets the default choices. False when
    // the table could not be opened.
    bool prepara();
    const QString& nombreArchivo() const { return nombre_; }   // "/Exportar/T012T015.zlb"
    QString rutaArchivo() const { return dm_.carpetaPrograma() + nombre_; }
    bool marcada(Casilla c) const { return marcadas_[c]; }
    void marca(Casilla c, bool si) { marcadas_[c] = si; }
    QStringList ficheros() const;

    // The process of "Iniciar Proceso": true when the archive was written.
    bool ejecuta();
    const QStringList& errores() const { return errores_; }

    // The map tables are closed while the files are read and opened again afterwards.
    std::function<void()> cierraMapa, abreMapa;
    std::function<void(const QString&)> alRegistrarError;

private:
    TDM& dm_;
    Interaccion& ui_;
    QString partida_;
    QString nombre_;
    std::array<bool, NumeroCasillas> marcadas_{};
    QStringList errores_;
};

} // namespace kz
