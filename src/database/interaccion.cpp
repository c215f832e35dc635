#include "interaccion.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

namespace kz {

ResultadoMensaje resultadoDeBoton(Boton b) {
    switch (b) {
    case mbSi: return mrSi;
    case mbNo: return mrNo;
    case mbOK: return mrOK;
    case mbCancelar: return mrCancelar;
    case mbAbortar: return mrAbortar;
    case mbReintentar: return mrReintentar;
    case mbIgnorar: return mrIgnorar;
    case mbTodos: return mrTodos;
    case mbAyuda: return mrNinguno;
    }
    return mrNinguno;
}

QString textoBoton(Boton b) {
    static const char* const textos[] = {"Si", "No", "OK", "Cancelar", "Abortar",
                                         "Reintentar", "Ignorar", "Todos", "Ayuda"};
    return QString::fromUtf8(textos[b]);
}

QString tituloMensaje(TipoMensaje t) {
    switch (t) {
    case mtAviso: return QStringLiteral("Atención");
    case mtError: return QStringLiteral("Error");
    case mtInformacion: return QStringLiteral("Información");
    case mtConfirmacion: return QStringLiteral("Confirmación");
    case mtPersonal: return QStringLiteral("Rarure VA");
    }
    return {};
}

Progreso& Interaccion::progreso() { return progresoNulo_; }

ResultadoMensaje InteraccionTerminal::pregunta(const QString& texto, TipoMensaje tipo,
                                               Botones botones, Boton defecto) {
    QString plano = texto;
    plano.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    std::cerr << tituloMensaje(tipo).toStdString() << ": " << plano.toStdString() << "\n";
    QList<Boton> lista;
    for (int b = mbSi; b <= mbTodos; ++b)
        if (botones & boton(Boton(b))) lista << Boton(b);
    if (lista.size() <= 1)
        return lista.isEmpty() ? mrOK : resultadoDeBoton(lista.first());
    if (interactiva_ && isatty(STDIN_FILENO)) {
        for (;;) {
            std::cerr << "[";
            for (int i = 0; i < lista.size(); ++i)
                std::cerr << (i ? "/" : "") << textoBoton(lista[i]).toStdString();
            std::cerr << "] ";
            std::string linea;
            if (!std::getline(std::cin, linea)) break;
            for (Boton b : lista)
                if (QString::fromStdString(linea).trimmed().compare(textoBoton(b), Qt::CaseInsensitive) == 0)
                    return resultadoDeBoton(b);
        }
    }
    // Nobody to answer: take the answer that changes nothing.
    for (Boton b : {mbCancelar, mbNo, mbAbortar, mbIgnorar})
        if (botones & boton(b)) return resultadoDeBoton(b);
    return resultadoDeBoton(defecto);
}

void InteraccionTerminal::estado(const QString& texto) {
    if (!silencioEstado && !texto.isEmpty()) std::cerr << texto.toStdString() << "\n";
}

} // namespace kz
