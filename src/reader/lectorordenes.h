#pragma once
// The results of an own character's orders, the body of the character's sheet: the character's
// sex ("El recibió" / "Ella recibió"), whether it is held as a hostage or was assassinated, and
// what its orders revealed: reconnaissance of foreign characters (error code RC), finds, the
// knowledge spells that locate an artefact or a character (OR), agent actions (AG) and the
// scouting of the area (EA). Every character, army and place found is recorded.

#include <QString>
#include <QStringList>

namespace kz {

class SesionLectura;
class RegistroPj;

struct ResultadoOrdenes {
    QString sexo;     // "M", "F" or empty
    QString estado;   // "0" alive, "1" hostage, "2" dead
};

class LectorOrdenes {
public:
    LectorOrdenes(SesionLectura& sesion, RegistroPj& registro) : s_(sesion), r_(registro) {}

    // `estado` is the sheet's status ("0" alive, "2" dead), `ubicacionRetenida` the place of a
    // " se encuentra en " line of the body and `ubicacion` the place of the closing sentence.
    ResultadoOrdenes LeeOrdenes(const QString& nombre, const QStringList& cuerpo, const QString& estado,
                                const QString& ubicacionRetenida, const QString& ubicacion);

    // The report of a reconnaissance order: every foreign character named, at the location.
    void LeeReconocimiento(const QString& texto, const QString& ubicacion);
    // The agent actions told from the first line that names the character on; returns the
    // status, "2" when the character itself was assassinated.
    QString LeeAgentes(const QString& nombre, const QStringList& cuerpo, const QString& estado,
                       const QString& ubicacionRetenida);
    // The armies seen by a scouting order (or an observation artefact).
    void LeeExploracion(const QStringList& cuerpo);

private:
    void leeHechizoArtefacto(const QString& texto);
    void leeHechizoPersonaje(const QString& texto);
    // Puts the artefact into the holder's row of the report's turn, unless it is there already.
    void guardaArtefacto(const QString& portador, const QString& numero);
    void leeReconocido(const QString& frase, const QString& ubicacion);
    void leeAccionAgente(const QString& frase, const QString& nombre, const QString& retenida, QString& estado);
    void leeEjercitoVisto(const QString& pieza);

    SesionLectura& s_;
    RegistroPj& r_;
};

} // namespace kz
