#pragma once
// Inheriting population centres between turns ("Heredar Datos").
//
// A centre seen in turn t is carried into t+1, t+2 ... as an inherited row (HEREDADO true)
// until a turn that has a row for its hex, a turn in which one of the player's own characters
// (Pjs.ORIGEN "0") stands in the hex, or the to turn. A second cursor walks CenPob in key order
// from the from turn and sees the rows appended behind it, so a centre travels forward one turn
// at a time. The walk stops at the first row at or after the to turn, so rows of later turns
// are never touched, and it refuses to start unless the to turn is above the from turn.
//
// The earliest observed turn of an inherited row (for the hex tree) is the turn of the nearest
// earlier row of the same hex that is not inherited, when the rows between are all inherited.

#include "database/tdm.h"

namespace kz {

class Herencia {
public:
    explicit Herencia(TDM& dm, Interaccion* ui = nullptr);
    ~Herencia();

    // Opens CenPob and Pjs and proposes the latest turn of CenPob as the to turn.
    bool abre();
    void cierra();
    const QString& hastaPropuesto() const { return hastaPropuesto_; }

    // False, after saying so, unless the to turn is given and above the from turn.
    bool valida(const QString& desde, const QString& hasta);
    // The process of "Empezar": true when it ended correctly.
    bool ejecuta(const QString& desde, const QString& hasta);
    int anadidas() const { return anadidas_; }

    // Next turn: the value plus one, padded with "0" to three characters (and cut to three).
    static QString turnoSiguiente(const QString& turno);
    // For the current row of an open CenPob cursor; empty when it is not inherited or no
    // observed ancestor is found. The cursor's index and position are restored.
    static QString turnoObservado(TTabla& cenPob);

private:
    bool recorre(TTabla& recorrido, const QString& desde, const QString& hasta, QString& error);
    bool hayPropio(const QString& turno, const QString& hex);
    bool hereda(const TTabla& origen, const QString& turno, QString& error);

    TDM& dm_;
    Interaccion& ui_;
    bool abiertas_ = false;
    QString hastaPropuesto_;
    int anadidas_ = 0;
};

} // namespace kz
