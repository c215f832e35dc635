#pragma once
// Places of interest of a turn in UbiArtef: what an own character found on its way, an
// encounter heard of in a rumour, an artefact located by a spell. A place already recorded for
// the same hex and turn, with the same artefact, name and origin and not yet resolved, is not
// recorded again, so reading a report twice adds nothing.

#include <QString>

namespace kz {

class SesionLectura;
class TTabla;

// Origin of a place (UbiArtef.ORIGEN).
namespace OrigenUbicacion {
inline const QString Hallazgo = QStringLiteral("0");   // found by an own character
inline const QString Rumor = QStringLiteral("1");      // an encounter told by a rumour
inline const QString Hechizo = QStringLiteral("2");    // located by a knowledge spell
} // namespace OrigenUbicacion

class RegistroUbicacion {
public:
    explicit RegistroUbicacion(SesionLectura& sesion) : s_(sesion) {}

    // Fails (FalloLectura) when the row cannot be written; nothing for an empty turn.
    void RegistraUbicacion(const QString& turno, const QString& hex, const QString& artefacto, const QString& origen,
                           const QString& nombre);

    // The highest running number among the codes of a table's primary index (codes that are
    // not numbers are passed over); 0 for a table without any.
    static int UltimoNumero(TTabla& t, const QString& campo);
    // The text as the field keeps it: cut to the field's size, without trailing blanks.
    static QString ComoSeGuarda(const TTabla& t, const QString& campo, const QString& texto);

private:
    bool yaRegistrada(const QString& turno, const QString& hex, const QString& artefacto, const QString& origen,
                      const QString& nombre);

    SesionLectura& s_;
};

} // namespace kz
