#pragma once
// The internal messages of a report: every line of the section "MENSAJES INTERNOS" is kept as a
// rumour of its turn (once per turn), and then every rumour up to the report's turn is read
// again for the characters and places it tells of: the local militia detecting an agent,
// attempted thefts, assassinations and kidnappings, personal duels, influence on loyalty and
// encounters. Error code RU.

#include <QString>
#include <QStringList>

namespace kz {

class SesionLectura;
class RegistroPj;

class LectorRumores {
public:
    LectorRumores(SesionLectura& sesion, RegistroPj& registro) : s_(sesion), r_(registro) {}

    void LeeRumores(const QStringList& lineas);

    // Two characters of one event: with a location both are there; without one each keeps the
    // place its row of the turn has, and one without a place takes the other's. Nothing for an
    // empty turn.
    void RegistraPareja(const QString& turno, const QString& primero, const QString& segundo, bool ubicado, int pista,
                        const QString& ubicacion);

    // Reads one rumour of a turn (exposed for tests); fails (FalloLectura) on a text that does
    // not have the words its pattern needs.
    void InterpretaRumor(const QString& turno, const QString& texto);

private:
    void guardaMensajes(const QStringList& mensajes);
    void interpretaRumores();
    QString hexDelTurno(const QString& turno, const QString& nombre);

    SesionLectura& s_;
    RegistroPj& r_;
};

} // namespace kz
