#pragma once
// The nation's own character sheets, read into rows marked as read from the sheets (ORIGEN "0"),
// and the company commanders with their companies (section "MANDOS DE COMPAÑIA", error code EJ).

#include <QString>
#include <QStringList>

namespace kz {

class SesionLectura;
class RegistroPj;
class LectorCentros;
class LectorOrdenes;
class TTabla;

class LectorPersonajes {
public:
    LectorPersonajes(SesionLectura& sesion, RegistroPj& registro, LectorCentros& centros, LectorOrdenes& ordenes)
        : s_(sesion), r_(registro), centros_(centros), ordenes_(ordenes) {}

    void LeePersonajes(const QStringList& lineas);
    // Stores the artefact numbers ("nº7") of the text in ART1, ART2... of the row in edit;
    // returns how many did not fit in the six fields.
    int LeeArtefactosPj(const QString& texto);
    void LeeMandosCompania(const QStringList& lineas);

private:
    // Reads the sheet that starts at line `g`; returns the line to go on from.
    int leeHoja(const QStringList& lineas, int g);

    SesionLectura& s_;
    RegistroPj& r_;
    LectorCentros& centros_;
    LectorOrdenes& ordenes_;
};

} // namespace kz
