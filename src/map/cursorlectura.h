#pragma once
// A private read cursor on the file of a data-module table, for the map's read passes.
//
// The passes walk a whole turn at a time; doing that on the data module's own cursors would
// move them under the screens and grids bound to them and lose their index and range. A second
// cursor on the same file shares the engine's connection, so it costs little and leaves the
// shared cursors exactly where they were.

#include "database/tdm.h"

namespace kz {

class CursorLectura {
public:
    // Opens a cursor on the file bound to `componente` and selects `indice` the way the data
    // module does (an unknown name selects the primary index).
    CursorLectura(TDM& dm, const QString& componente, const QString& indice = {});
    CursorLectura(const CursorLectura&) = delete;
    CursorLectura& operator=(const CursorLectura&) = delete;

    bool abierto() const { return tabla_.activa(); }
    const QString& error() const { return error_; }
    TTabla& tabla() { return tabla_; }
    // Column number of a field, -1 when the table lacks it.
    int campo(const QString& nombre) const { return tabla_.indiceCampo(nombre); }
    QString texto(int campo) const;
    bool logico(int campo) const { return tabla_.valor(campo).toBool(); }

private:
    TTabla tabla_;
    QString error_;
};

} // namespace kz
