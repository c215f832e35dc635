#pragma once
// The nation's armies and fleets: one block per "Mando de Ejército :" / "Mando de Flota :" with
// its header, troop lines and supply train, then the centre and the foreign armies at its hex.
// Error code EJ.

#include <QStringList>

namespace kz {

class SesionLectura;
class LectorCentros;

class LectorEjercitos {
public:
    LectorEjercitos(SesionLectura& sesion, LectorCentros& centros) : s_(sesion), centros_(centros) {}
    void LeeEjercitos(const QStringList& lineas);

private:
    // Reads the block that starts at line `h`; returns the line to go on from.
    int leeBloque(const QStringList& lineas, int h);

    SesionLectura& s_;
    LectorCentros& centros_;
};

} // namespace kz
