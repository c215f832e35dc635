#pragma once
// The section "CENTROS DE POBLACION": the nation's own population centres, with the foreign
// armies and the extra characters standing at each one; and RegistraCPVisto, which records a
// centre described in a sentence at a character's or an army's location. Error codes CP, CPE,
// PJCP, CPH.

#include <QString>
#include <QStringList>

namespace kz {

class SesionLectura;
class RegistroPj;

class LectorCentros {
public:
    LectorCentros(SesionLectura& sesion, RegistroPj& registro) : s_(sesion), r_(registro) {}

    void LeeCentros(const QStringList& lineas);
    // An army or fleet seen at a hex: "Un ejército enarbolando la bandera de <nación> a las
    // órdenes de <título> <nombre> está aquí."
    void LeeEjercitoCP(const QString& texto, const QString& hex);
    // "Personajes extra ...: <nombre> - <nombre> ..."
    void LeePjsExtraCP(const QString& texto, const QString& hex);
    // "El/la <tamaño>[/<fortificación>] de <nombre> enarbolando la bandera de <nación> está
    // aquí." or "... no controlado de <nombre> está aquí."
    void RegistraCPVisto(const QString& frase, const QString& hex);

    // The section's words, as the centre walk reads them (exposed for tests).
    QStringList FichasCentros(const QStringList& lineas) const;

private:
    // Reads the centre that starts at token `inicio`; returns the position to go on from, or -1
    // when the section cannot go on.
    int leeCentro(const QStringList& fichas, int inicio, QString& hexActual);

    SesionLectura& s_;
    RegistroPj& r_;
};

} // namespace kz
