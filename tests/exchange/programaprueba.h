#pragma once
// A temporary program folder with a catalogue and games whose tables are created on first use,
// a data module bound to it, and short ways to put rows in and read them back.

#include "comun/carpetaprueba.h"
#include "database/tdm.h"
#include "progresograbado.h"

#include <QVariantMap>

namespace kz::prueba {

class ProgramaPrueba {
public:
    ProgramaPrueba();
    QString programa() const { return carpeta_.ruta(); }
    QString fichero(const QString& relativo) const { return carpeta_.fichero(relativo); }
    TDM& dm() { return dm_; }
    InteraccionConProgreso& ui() { return ui_; }

    // Catalogue row and folder of a game.
    void creaPartida(const QString& codigo);
    // Binds the data module's game tables to the game's folder.
    void usa(const QString& codigo);
    const QString& enUso() const { return enUso_; }
    // Adds one row to the table of the data source, creating the table when missing.
    void inserta(const QString& fuente, const QVariantMap& valores);
    // The rows of the table in key order, each the given fields joined by "|".
    QStringList filas(const QString& fuente, const QStringList& campos);

private:
    CarpetaPrueba carpeta_;
    InteraccionConProgreso ui_;
    TDM dm_;
    QString enUso_;
};

} // namespace kz::prueba
