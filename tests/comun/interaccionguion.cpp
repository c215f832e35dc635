#include "interaccionguion.h"

namespace kz::prueba {

ResultadoMensaje InteraccionGuion::pregunta(const QString& texto, TipoMensaje tipo, Botones botones, Boton defecto) {
    preguntas << Pregunta{texto, tipo, botones, defecto};
    if (alPreguntar) alPreguntar(preguntas.last());
    if (!respuestas.isEmpty()) return respuestas.takeFirst();
    // Unscripted questions get the answer that stops, so a retry loop can never spin forever.
    for (Boton b : {mbCancelar, mbNo, mbAbortar, mbOK})
        if (botones & boton(b)) return resultadoDeBoton(b);
    return resultadoDeBoton(defecto);
}

QStringList InteraccionGuion::textos() const {
    QStringList l;
    for (const auto& p : preguntas) l << p.texto;
    return l;
}

} // namespace kz::prueba
