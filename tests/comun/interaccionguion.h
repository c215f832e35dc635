#pragma once
// Scripted answers for the core's interaction interface: every question, notice and status
// text is recorded, and questions take their answers from a queue; when the queue is empty the
// cancelling answer is taken, so a retry loop in a test can never spin forever.

#include "comun/impresion.h"
#include "database/interaccion.h"

#include <QList>
#include <QStringList>

namespace kz::prueba {

struct Pregunta {
    QString texto;
    TipoMensaje tipo;
    Botones botones;
    Boton defecto;
};

class InteraccionGuion : public Interaccion {
public:
    ResultadoMensaje pregunta(const QString& texto, TipoMensaje tipo, Botones botones, Boton defecto) override;
    void estado(const QString& texto) override { estados << texto; }
    void cursorEspera(bool activo) override { nivelEspera += activo ? 1 : -1; }

    // Answers for the next questions, in order.
    void responde(std::initializer_list<ResultadoMensaje> r) { for (auto x : r) respuestas << x; }
    // Texts of every question asked, in order.
    QStringList textos() const;

    QList<Pregunta> preguntas;
    QList<ResultadoMensaje> respuestas;
    QStringList estados;
    int nivelEspera = 0;
    std::function<void(const Pregunta&)> alPreguntar;   // lets a test act while a question is open
};

} // namespace kz::prueba
