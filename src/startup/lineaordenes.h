#pragma once
// The command line of GestorKZ: none, a game code, "RTABLAS" (any letter case), or "RTABLAS"
// and a game code. Anything else is ignored.

#include <QStringList>

namespace kz {

class LineaOrdenes {
public:
    // `argumentos` without the program name.
    explicit LineaOrdenes(const QStringList& argumentos);
    bool reconstruir() const { return reconstruir_; }
    bool hayPartida() const { return !partida_.isEmpty(); }
    const QString& partida() const { return partida_; }   // exactly as typed
private:
    bool reconstruir_ = false;
    QString partida_;
};

} // namespace kz
