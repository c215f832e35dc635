#pragma once
// The section "RELACIONES CON OTROS PAÍSES": the number and name of every other nation of the
// game, so that the other parsers can resolve nation names. Error code PA.

#include <QStringList>

namespace kz {

class SesionLectura;

class LectorPaises {
public:
    explicit LectorPaises(SesionLectura& sesion) : s_(sesion) {}
    void LeePaises(const QStringList& lineas);

private:
    SesionLectura& s_;
};

} // namespace kz
