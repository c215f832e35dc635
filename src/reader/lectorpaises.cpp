#include "lectorpaises.h"

#include "herramientastexto.h"
#include "sesionlectura.h"

#include "database/ttabla.h"

namespace kz {

void LectorPaises::LeePaises(const QStringList& lineas) {
    int inicio = -1;
    for (int i = 0; i < lineas.size() && inicio < 0; ++i)
        if (lineas[i].contains(QStringLiteral("RELACIONES CON OTROS PAÍSES"))) inicio = i;
    if (inicio < 0) return;
    QStringList palabras;
    for (int i = inicio + 1; i < lineas.size(); ++i) {
        if (lineas[i].contains(QStringLiteral("CENTROS DE POBLACION"))) break;
        palabras << Palabras(lineas[i]);
    }

    const QString nro = QStringLiteral("nº");
    int i = 0;
    while (i < palabras.size() - 1) {
        if (!palabras[i].contains(nro)) {
            ++i;
            continue;
        }
        const int entrada = i;
        try {
            QString codigo;
            if (palabras[i].endsWith(nro)) {
                ++i;
                codigo = PalabraEn(palabras, i);
            } else {
                const QString& w = palabras[i];
                codigo = w.mid(w.indexOf(nro) + nro.size(), 2);
            }
            codigo = RellenaCeros(codigo, 2);
            ++i;
            QStringList nombre;
            for (; i < palabras.size() && !palabras[i].contains(QLatin1Char(':')); ++i)
                if (!palabras[i].isEmpty()) nombre << palabras[i];
            if (i >= palabras.size()) {
                // No ":" closes the name: the rest of the list cannot be told apart.
                s_.ErrorAlLeer(QStringLiteral("PA"), palabras[entrada]);
                return;
            }
            if (!SoloDigitosYEspacios(codigo)) Falla(QStringLiteral("código de país no válido"));
            if (nombre.isEmpty()) Falla(QStringLiteral("país sin nombre"));
            TTabla& p = s_.paises();
            s_.editaOAnade(p, {codigo});
            s_.fija(p, QStringLiteral("CODIGO"), codigo);
            s_.fija(p, QStringLiteral("NOMBRE"), nombre.join(QLatin1Char(' ')).trimmed());
            if (p.texto(QStringLiteral("BANDO")).isEmpty()) s_.fija(p, QStringLiteral("BANDO"), QStringLiteral("0"));
            s_.graba(p);
            ++i;   // past the ":" word
        } catch (const FalloLectura&) {
            s_.cancelaPendientes();
            s_.ErrorAlLeer(QStringLiteral("PA"), i < palabras.size() ? palabras[i] : palabras.last());
            i = std::max(i, entrada + 1);
        }
    }
}

} // namespace kz
