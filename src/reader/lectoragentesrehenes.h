#pragma once
// The special messages at the end of a report: the nation's double agents ("Tienes los
// siguientes Agentes dobles:", error code AgentesDobles, which never makes the reading fail)
// and the hostages it holds ("Tienes los siguientes rehenes:", error code RH), each recorded
// where it is, the hostages with their captor.

#include <QStringList>

namespace kz {

class SesionLectura;
class RegistroPj;

class LectorEspeciales {
public:
    LectorEspeciales(SesionLectura& sesion, RegistroPj& registro) : s_(sesion), r_(registro) {}

    void LeeAgentesDobles(const QStringList& lineas);
    void LeeRehenes(const QStringList& lineas);

private:
    // Reads one hostage line; false when the line is not a hostage's and the list ends there.
    bool leeRehen(const QString& linea);

    SesionLectura& s_;
    RegistroPj& r_;
};

} // namespace kz
