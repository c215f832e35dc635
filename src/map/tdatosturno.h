#pragma once
// What the map draws of one turn, read from the tables in a few ranged passes instead of
// several look-ups per hex: the nations, the population centres, which kinds of characters and
// armies stand in each hex, the first artefact sighting of each hex and the hexes with notes.
//
// The look-up rules are those of the drawing: a character counts as free, dark or neutral by
// the allegiance of its nation and as unknown when its nation is missing; an army with an
// allegiance counts by its nation's allegiance, by its own when it names no nation, and as
// "other" when its nation is missing.

#include "database/tdm.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QVector>
#include <optional>

namespace kz {

struct NacionMapa {
    QString codigo, nombre, alias, bando, hexver;
};

struct CentroMapa {
    QString tipocp, fortifica, pais, muelles;
    bool capital = false, oculto = false, heredado = false;
};

class TDatosTurno {
public:
    enum BanderaPersonaje { pjLibre = 1, pjOscuro = 2, pjNeutral = 4, pjDesconocido = 8 };
    enum BanderaEjercito { ejLibre = 1, ejOscuro = 2, ejOtro = 4 };

    // Every row of Paises, in code order.
    bool CargaPaises(TDM& dm, QString& error);
    // Centres, characters and armies of the turn, and the sightings of every turn.
    bool CargaTurno(TDM& dm, const QString& turno, QString& error);
    // The same for one hex, with its notes, after that hex's rows changed.
    bool RecargaHex(TDM& dm, const QString& turno, const QString& hex, QString& error);
    void FijaNotas(const QString& hex, bool hay);
    void BorraNotas() { notas_.clear(); }

    const QVector<NacionMapa>& Paises() const { return paises_; }
    const NacionMapa* Pais(const QString& codigo) const;
    // The first nation, in code order, whose HEXVER is this hex.
    const NacionMapa* PaisDeHexVer(const QString& hex) const;
    const CentroMapa* Centro(const QString& hex) const;
    int Personajes(const QString& hex) const { return personajes_.value(hex); }
    int Ejercitos(const QString& hex) const { return ejercitos_.value(hex); }
    // TURNO of the hex's first sighting in (HEX, TURNO) order; empty text when it has none.
    std::optional<QString> PrimerEncuentro(const QString& hex) const;
    bool Notas(const QString& hex) const { return notas_.contains(hex); }

private:
    int banderaPersonaje(const QString& pais) const;
    int banderaEjercito(const QString& bando, const QString& pais) const;
    bool leeCentros(TDM& dm, const QVariantList& desde, const QVariantList& hasta, QString& error);
    bool leePersonajes(TDM& dm, const QVariantList& desde, const QVariantList& hasta, QString& error);
    bool leeEjercitos(TDM& dm, const QVariantList& desde, const QVariantList& hasta, QString& error);
    bool leeEncuentros(TDM& dm, const QString& hex, QString& error);

    QVector<NacionMapa> paises_;
    QHash<QString, int> porCodigo_;
    QHash<QString, int> porHexVer_;
    QHash<QString, CentroMapa> centros_;
    QHash<QString, int> personajes_;
    QHash<QString, int> ejercitos_;
    QHash<QString, QString> encuentros_;
    QSet<QString> notas_;
};

} // namespace kz
