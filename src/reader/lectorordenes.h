#pragma once
// The results of an own character's orders, the body of the character's sheet. For now it reads
// what the sheet itself needs: the character's sex ("El recibió" / "Ella recibió") and whether
// the character is held as a hostage. The reconnaissance, finds, spells, agent actions and
// scouting of the body are read here as well, with their own error codes.

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

    ResultadoOrdenes LeeOrdenes(const QString& nombre, const QStringList& cuerpo, const QString& estado,
                                const QString& ubicacionRetenida, const QString& ubicacion);

private:
    // The reconnaissance, agent and scouting results record what they reveal through these.
    [[maybe_unused]] SesionLectura& s_;
    [[maybe_unused]] RegistroPj& r_;
};

} // namespace kz
