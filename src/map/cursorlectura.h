#pragma once
// A private read cursor on the file of a data-module table, for the map's read passes.
//
// The passes walk a whole turn at a time; doing that on the data module's own cursors would
// move them under the screens and grids bound to them and lose their index and range. A second
// cursor on the same file shares the engine's connection, so it costs little and leaves the
// shared cursors exactly where they were.

#include "database/tdm.h"

#include <memory>

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
    // A deferred read transaction for the whole pass: the rows come from one state of the file
    // and the engine's check for changes at every move needs no file lock of its own. Inside a
    // transaction already open on the connection, the pass simply reads within it.
    class Lectura {
    public:
        explicit Lectura(Conexion& c);
        ~Lectura();
        Lectura(const Lectura&) = delete;
        Lectura& operator=(const Lectura&) = delete;
    private:
        Conexion& c_;
        bool propia_;
    };

    TTabla tabla_;
    // Declared after the cursor so that it ends first.
    std::unique_ptr<Lectura> lectura_;
    QString error_;
};

} // namespace kz
