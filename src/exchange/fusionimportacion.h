#pragma once
// The merge of one unpacked table into the matching table of a game (or into the shared
// riddles), by the rule of that table:
//
//   Pjs      key (TURNO, CODIGO): new rows added; in an existing row a non-blank unpacked value
//            fills an empty local value, or replaces any local value when the local row is not
//            a trusted one (ORIGEN "1") and the unpacked row is; TIPO is never carried.
//   Ejer     key (TURNO, HEX, CODIGO, BANDO): new rows added; non-blank values fill empty ones.
//   CenPob   key (TURNO, HEX): new rows added; non-blank values fill empty ones, or replace any
//            value when the local row is inherited and the unpacked one observed, which makes
//            the local row observed.
//   Rumores  added with a new code unless a rumour of the same TEXTO and TURNO is there.
//   UbiArtef added with a new code unless one of the same HEX, TURNO, ARTEF, NOMBRE and ORIGEN
//            (letter case aside) is there; a match only learns that the riddle was solved.
//   Artef    an artefact of a code below 200 that the game lacks is added; none is changed.
//   Acertijos a riddle whose normalised text is inside a local one is that riddle, which may
//            learn its answer; any other is added with a new code.
//
// Fields are matched by name; a target field the unpacked table lacks is left alone. Values
// are written typed when a row is added and as text when they overwrite a local value. Rows
// whose values would not change are not written, so merging the same table twice changes
// nothing the second time.

#include "database/tdm.h"
#include "tablatrabajo.h"

#include <QHash>
#include <functional>

namespace kz {

class FusionImportacion {
public:
    enum class Regla { Pjs, Ejer, CenPob, Rumores, UbiArtef, Acertijos, Artef };

    // `destino` is the open target table; `dm` the data module it belongs to (record locks).
    FusionImportacion(TDM& dm, TTabla& destino, TablaTrabajo& origen);

    // Applies the rule to every unpacked row; `antesDeFila` is told of each row first.
    // False with error() at the first failure; the rows merged before it stay.
    bool fusiona(Regla regla, const std::function<void(const QVector<QVariant>&)>& antesDeFila);
    const QString& error() const { return error_; }

    int campoOrigen(const QString& nombre) const { return origen_.campos().indexOf(nombre); }
    QString textoOrigen(const QVector<QVariant>& fila, const QString& campo) const;

    // Lower case, accents off, no ".", ",", ":", line breaks or blanks.
    static QString normalizaAcertijo(const QString& texto);

private:
    bool aplica(Regla regla, const QVector<QVariant>& fila);
    bool falla(const QString& mensaje);
    bool fallaTabla();
    bool preparaCodigos(Regla regla);
    bool porClave(Regla regla, const QVector<QVariant>& fila);
    bool rumor(const QVector<QVariant>& fila);
    bool ubicacion(const QVector<QVariant>& fila);
    bool artefacto(const QVector<QVariant>& fila);
    bool acertijo(const QVector<QVariant>& fila);
    bool insertaDirecta(const QVector<QVariant>& fila);
    bool anade(const QVector<QVariant>& fila, const QString& campoCodigo = {}, const QString& codigo = {});
    bool edita();
    bool graba(bool cambiado);
    bool fijaTexto(int campo, const QString& texto, bool& cambiado);
    QString claveUbicacion(const std::function<QString(const QString&)>& valor) const;
    QString guardado(int campo, const QString& texto) const;
    QString siguienteCodigo(int ancho);

    TDM& dm_;
    TTabla& t_;
    TablaTrabajo& origen_;
    QVector<int> destinoDe_;         // target field of every unpacked field, -1 when none
    QString error_;
    bool vaciaAlEmpezar_ = false;
    int ultimoCodigo_ = 0;
    QHash<QString, QPair<Marcador, bool>> ubicaciones_;   // key -> row, solved
    QVector<QPair<QString, Marcador>> acertijos_;          // normalised text, row; key order
};

} // namespace kz
