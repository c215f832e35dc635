#pragma once
// Selects an index on a cursor for the lifetime of the object and puts the previous one back,
// however the scope is left (the look-ups of the reader restore the indexes they change).

#include "database/ttabla.h"

namespace kz {

class IndiceTemporal {
public:
    IndiceTemporal(TTabla& tabla, const QString& indice) : tabla_(tabla), anterior_(tabla.nombreIndice()) {
        tabla_.fijaIndice(indice);
    }
    ~IndiceTemporal() { tabla_.fijaIndice(anterior_); }
    IndiceTemporal(const IndiceTemporal&) = delete;
    IndiceTemporal& operator=(const IndiceTemporal&) = delete;

private:
    TTabla& tabla_;
    QString anterior_;
};

} // namespace kz
