#pragma once
// The section "INFORMES DE COMBATE": the personal challenges of the turn (error code RT), with
// both characters, their skill and who died, and the battles at population centres (error
// code Batallas, which logs but never makes the reading fail), with the centre's new size,
// fortification and owner.

#include <QString>
#include <QStringList>

namespace kz {

class SesionLectura;
class RegistroPj;

class LectorCombates {
public:
    LectorCombates(SesionLectura& sesion, RegistroPj& registro) : s_(sesion), r_(registro) {}

    void LeeRetos(const QStringList& lineas);
    void LeeBatallas(const QStringList& lineas);

    // The skill hint of a challenge's type word: "emisario", "mago", "guerrero", "agente".
    static int PistaDeTipo(const QString& tipo);

private:
    void leeReto(const QStringList& lineas);
    // Reads the attacked centre whose description starts at sentence k of the battle at
    // `hex`; returns the sentence the walk goes on from.
    int leeCentroAtacado(const QStringList& frases, int k, const QString& hex);

    SesionLectura& s_;
    RegistroPj& r_;
};

} // namespace kz
