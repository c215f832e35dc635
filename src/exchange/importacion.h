#pragma once
// Import of an archive made by an ally's export into the game it names.
//
// The archive's base name (file name without folder and without ".zlb") gives the target game
// in its first four characters: "A000" stands for the game in use; a code that does not start
// with the kind letter "T" or "C" is cut to three characters; the game must be in the catalogue
// and have its folder. The archive is checked and unpacked into the work folder
// program folder/Importar/Tmp/<base name>, every table found there is merged into the target
// game's table by its rule (FusionImportacion), in the order Pjs, Ejer, CenPob, Rumores,
// UbiArtef, Acertijos (the shared riddles of the program folder), Artef, and the work folder is
// removed. The game in use keeps its tables and folder: the target tables are opened through a
// data module of their own.
//
// Nothing is merged from an archive that is damaged; a failure while merging stops at that
// table, keeps the rows merged before it and shows the error. Every text goes through the
// Interaccion; the information panel and its bar are its Progreso (text, bar 1).

#include "database/tdm.h"

namespace kz {

class Importacion {
public:
    Importacion(TDM& dm, const QString& partidaEnUso, Interaccion* ui = nullptr);

    // The process of "Iniciar Proceso": true when the archive was merged whole.
    bool ejecuta(const QString& archivo);

    // Messages logged by the archive component while unpacking.
    const QStringList& errores() const { return errores_; }
    std::function<void(const QString&)> alRegistrarError;

    static QString nombreBase(const QString& archivo);
    // Target game code for a base name: the game in use for "A000". Empty in use gives empty.
    static QString partidaDestino(const QString& base, const QString& partidaEnUso);
    QString carpetaTrabajo(const QString& archivo) const;

private:
    bool existePartida(const QString& codigo, bool enUso);
    bool desempaqueta(const QString& archivo, const QString& carpeta);
    bool fusionaTablas(const QString& carpeta, const QString& partida, QString& error);
    bool limpia(const QString& carpeta);
    void panel(const QString& texto);

    TDM& dm_;
    Interaccion& ui_;
    QString enUso_;
    QStringList errores_;
};

} // namespace kz
