#pragma once
// Scripted interaction whose progress box records every text and the state of bar 1.

#include "comun/interaccionguion.h"

namespace kz::prueba {

class ProgresoGrabado : public Progreso {
public:
    void fijaTexto(const QString& t) override { textos << t; }
    void fijaBarra(int barra, bool, int inicio, int fin, int) override {
        if (barra == 1) { minimo = inicio; maximo = fin; posicion = inicio; }
    }
    void fijaPosicion(int barra, int p) override { if (barra == 1) posicion = p; }
    void avanza(int barra) override { if (barra == 1) ++posicion; }
    QStringList textos;
    int minimo = 0, maximo = 0, posicion = 0;
};

class InteraccionConProgreso : public InteraccionGuion {
public:
    Progreso& progreso() override { return barra; }
    ProgresoGrabado barra;
};

} // namespace kz::prueba
