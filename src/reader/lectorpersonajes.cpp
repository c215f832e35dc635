#include "lectorpersonajes.h"

#include "fallolectura.h"
#include "herramientastexto.h"
#include "lectorcentros.h"
#include "lectorordenes.h"
#include "registropj.h"
#include "sesionlectura.h"

#include "database/ttabla.h"

namespace kz {

namespace {

const QString kGrados = QStringLiteral("Grados : Mando");

bool esCierre(const QString& l) {
    return l.contains(QStringLiteral(" está actualmente en ")) || l.contains(QStringLiteral(" manda un")) ||
           l.contains(QStringLiteral(" está viajando con"));
}

// A line that ends the body of a sheet: the closing sentence or the next sheet. "no manda un"
// and "objetivo manda un" are order results, not the closing sentence.
bool terminaCuerpo(const QString& l) {
    if (l.contains(QStringLiteral(" está actualmente en ")) || l.contains(QStringLiteral(" está viajando con")) ||
        l.contains(kGrados))
        return true;
    return l.contains(QStringLiteral(" manda un")) && !l.contains(QStringLiteral("no manda un")) &&
           !l.contains(QStringLiteral("objetivo manda un"));
}

bool esHechizos(const QString& l) {
    return l.contains(QStringLiteral("Hechizos (+")) || l.contains(QStringLiteral("Hechizos(+"));
}

// The hex written just before the first "." of a sentence ("... está actualmente en 2315.").
QString hexAntesDelPunto(const QString& l) {
    const int p = l.indexOf(QLatin1Char('.'));
    if (p < 0) return {};
    return l.mid(std::max(0, p - 4), std::min(4, p)).trimmed();
}

bool esDigito(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

} // namespace

void LectorPersonajes::LeePersonajes(const QStringList& todas) {
    for (TTabla* t : {&s_.climas(), &s_.terreno(), &s_.fortifica(), &s_.tipoCP()}) t->fijaIndice(QStringLiteral("NOMBRE"));
    int inicio = -1;
    for (int i = 0; i < todas.size() && inicio < 0; ++i)
        if (todas[i].contains(kGrados)) inicio = i;
    if (inicio < 0) return;
    const QStringList lineas = todas.mid(inicio);
    const QString& marca = s_.contexto().marcaPagina;
    int i = 0;
    while (i < lineas.size()) {
        if (lineas[i].contains(kGrados) && (marca.isEmpty() || !lineas[i].contains(marca))) i = leeHoja(lineas, i);
        else ++i;
    }
}

int LectorPersonajes::leeHoja(const QStringList& lineas, int g) {
    const ContextoLectura& ctx = s_.contexto();
    const QString& linea = lineas[g];
    const int n = lineas.size();
    try {
        const int k = linea.indexOf(kGrados);
        const QString nombre = linea.left(k).trimmed();
        const QString codigo = RegistroPj::CodigoPj(nombre);
        if (codigo.isEmpty()) Falla(QStringLiteral("hoja sin nombre"));
        QStringList grados = linea.mid(k).trimmed().split(QLatin1Char(' '));

        // Nothing of this sheet lies past the next sheet's first line.
        int limite = n;
        for (int j = g + 1; j < n; ++j)
            if (lineas[j].contains(kGrados)) {
                limite = j;
                break;
            }
        if (g + 1 < limite && lineas[g + 1].contains(QStringLiteral("Salud")) && lineas[g + 1].contains(QStringLiteral("Sigilo")))
            grados << lineas[g + 1].trimmed().split(QLatin1Char(' '));

        QString artefactos;
        int desde = g + 3;
        if (g + 2 < limite && lineas[g + 2].contains(QStringLiteral("Artefactos :")) &&
            !lineas[g + 2].contains(QStringLiteral("Ninguno"))) {
            QStringList partes;
            int j = g + 2;
            for (; j < limite; ++j) {
                if (esHechizos(lineas[j]) || (j > g + 2 && terminaCuerpo(lineas[j]))) break;
                partes << lineas[j];
            }
            artefactos = partes.join(QLatin1Char(' ')).trimmed();
            desde = j;
        }
        desde = std::min(desde, limite);

        QStringList cuerpo;
        QString retenida;
        int fin = desde;
        for (; fin < n && !terminaCuerpo(lineas[fin]); ++fin) {
            cuerpo << lineas[fin];
            if (lineas[fin].contains(QStringLiteral(" se encuentra en ")) && !lineas[fin].contains(QStringLiteral("desconocido.")))
                retenida = hexAntesDelPunto(lineas[fin]);
        }

        QString ubicacion = retenida;
        if (fin < n && !lineas[fin].contains(kGrados) && esCierre(lineas[fin]) && lineas[fin].contains(QLatin1Char('.'))) {
            const QString& cierre = lineas[fin];
            ubicacion = hexAntesDelPunto(cierre);
            QString visto = cierre.mid(cierre.indexOf(QLatin1Char('.')) + 1);
            if (fin + 1 < n && !lineas[fin + 1].contains(kGrados)) visto += QLatin1Char(' ') + lineas[fin + 1];
            // Only a centre's description: the line after a closing sentence may be anything.
            if (visto.contains(QStringLiteral("El/la"))) centros_.RegistraCPVisto(visto, ubicacion);
        }

        // Grades: command, agent, emissary, magic, each with an optional "(value)", then health,
        // one word, stealth with an optional "(value)" and the duel value.
        int pos = grados.indexOf(QStringLiteral("Mando"));
        if (pos < 0) Falla(QStringLiteral("falta Mando"));
        ++pos;
        auto grado = [&](int& gn, int& gt) {
            gn = NumeroDe(PalabraEn(grados, pos++));
            gt = gn;
            if (pos < grados.size() && grados[pos].startsWith(QLatin1Char('('))) {
                const QString& v = grados[pos++];
                gt = NumeroDe(v.mid(1, v.size() - 2));
            }
        };
        int gn[4], gt[4];
        for (int t = 0; t < 4; ++t) grado(gn[t], gt[t]);
        QString salud = PalabraEn(grados, pos);
        if (!salud.isEmpty() && !esDigito(salud.back())) salud.chop(1);
        const int nSalud = NumeroDe(salud);
        pos += 2;
        const int sigilo = NumeroDe(PalabraEn(grados, pos++));
        int tSigilo = sigilo;
        if (pos < grados.size() && grados[pos].startsWith(QLatin1Char('('))) {
            QString v = grados[pos++];
            v.remove(QLatin1Char('('));
            v.remove(QLatin1Char(')'));
            tSigilo = NumeroDe(v);
        }
        QString duelo = PalabraEn(grados, pos);
        duelo.remove(QLatin1Char('+'));
        const int nDuelo = NumeroDe(duelo);

        const QString estadoHoja = nSalud >= 1 ? QStringLiteral("0") : QStringLiteral("2");
        const ResultadoOrdenes ordenes = ordenes_.LeeOrdenes(nombre, cuerpo, estadoHoja, retenida, ubicacion);

        TTabla& p = s_.pjs();
        s_.editaOAnade(p, {s_.turno(), codigo});
        s_.fija(p, QStringLiteral("TURNO"), s_.turno());
        s_.fija(p, QStringLiteral("CODIGO"), codigo);
        s_.fija(p, QStringLiteral("NOMBRE"), nombre);
        s_.fija(p, QStringLiteral("PAIS"), ctx.codigoPais);
        s_.fija(p, QStringLiteral("SEXO"), ordenes.sexo);
        static const char* const camposGN[] = {"GNMANDO", "GNAGENTE", "GNEMISARIO", "GNMAGO"};
        static const char* const camposGT[] = {"GTMANDO", "GTAGENTE", "GTEMISARIO", "GTMAGO"};
        for (int t = 0; t < 4; ++t) {
            s_.fija(p, QString::fromLatin1(camposGN[t]), gn[t]);
            s_.fija(p, QString::fromLatin1(camposGT[t]), gt[t]);
        }
        s_.fija(p, QStringLiteral("GNSIGILO"), sigilo);
        s_.fija(p, QStringLiteral("GTSIGILO"), tSigilo);
        s_.fija(p, QStringLiteral("SALUD"), nSalud);
        s_.fija(p, QStringLiteral("DUELO"), nDuelo);
        if (ordenes.estado == QLatin1String("1")) {
            s_.fija(p, QStringLiteral("ORIGEN"), QStringLiteral("2"));
            if (!retenida.isEmpty()) s_.fija(p, QStringLiteral("HEX"), retenida);
        } else if (ordenes.estado == QLatin1String("2")) {
            s_.fija(p, QStringLiteral("ORIGEN"), QStringLiteral("0"));
            if (!retenida.isEmpty()) s_.fija(p, QStringLiteral("HEX"), retenida);
        } else {
            s_.fija(p, QStringLiteral("HEX"), ubicacion);
            s_.fija(p, QStringLiteral("ORIGEN"), QStringLiteral("0"));
        }
        s_.fija(p, QStringLiteral("VIDA"), ordenes.estado);
        const int sobran = LeeArtefactosPj(artefactos);
        s_.graba(p);
        // A sheet with more artefacts than fields keeps the first six and says so.
        if (sobran > 0) s_.ErrorAlLeer(QStringLiteral("PJ"), artefactos);
        return std::max(fin, g + 1);
    } catch (const FalloLectura&) {
        s_.cancelaPendientes();
        s_.ErrorAlLeer(QStringLiteral("PJ"), linea.trimmed());
        return g + 1;
    }
}

int LectorPersonajes::LeeArtefactosPj(const QString& texto) {
    if (texto.trimmed().isEmpty()) return 0;
    int campo = 1, sobran = 0;
    for (const QString& palabra : Palabras(texto)) {
        if (!palabra.contains(QStringLiteral("nº"))) continue;
        QString numero = palabra.trimmed();
        numero.remove(QLatin1Char('n'));
        numero.remove(QChar(0x00BA));
        // "nº" on its own holds no number.
        if (!SoloDigitosYEspacios(numero)) continue;
        if (campo > 6) {
            ++sobran;
            continue;
        }
        s_.fija(s_.pjs(), QStringLiteral("ART%1").arg(campo++), RellenaCeros(numero, 3));
    }
    return sobran;
}

void LectorPersonajes::LeeMandosCompania(const QStringList& lineas) {
    int inicio = -1;
    for (int i = 0; i < lineas.size() && inicio < 0; ++i)
        if (lineas[i].contains(QStringLiteral("MANDOS DE COMPAÑIA"))) inicio = i;
    if (inicio < 0) return;
    const QString& marca = s_.contexto().marcaPagina;
    QStringList entradas;
    QString actual;
    for (int i = inicio + 1; i < lineas.size(); ++i) {
        if (lineas[i].contains(QStringLiteral("PRECIOS DE MERCADO"))) break;
        if (!marca.isEmpty() && lineas[i].contains(marca)) continue;
        actual = actual.isEmpty() ? lineas[i].trimmed() : actual + QLatin1Char(' ') + lineas[i].trimmed();
        if (actual.contains(QLatin1Char('.'))) {
            entradas << actual;
            actual.clear();
        }
    }
    for (const QString& entrada : entradas) {
        try {
            const QStringList p = Palabras(entrada);
            int pos = 1;
            const QString nombre = UneHastaOFalla(p, pos, QStringLiteral("Localización"));
            QString ubicacion = PalabraEn(p, pos + 3);
            // A company without members ends its entry right after the place.
            if (ubicacion.endsWith(QLatin1Char('.'))) ubicacion.chop(1);
            r_.RegistraPj(s_.turno(), nombre, ubicacion, QString(), true, SinPista, EstadoVivo, QString());
            const int arroba = entrada.indexOf(QLatin1Char('@'));
            if (arroba < 0) continue;
            QString miembros = entrada.mid(arroba);
            const int dosPuntos = miembros.indexOf(QLatin1Char(':'));
            if (dosPuntos < 0) continue;
            miembros = miembros.mid(dosPuntos + 1).trimmed();
            if (miembros.endsWith(QLatin1Char('.'))) miembros.chop(1);
            for (const QString& m : Trocea(miembros, s_.contexto().guionEspaciado))
                r_.RegistraPj(s_.turno(), m.trimmed(), ubicacion, QString(), true, SinPista, EstadoVivo, QString());
        } catch (const FalloLectura&) {
            s_.cancelaPendientes();
            s_.ErrorAlLeer(QStringLiteral("EJ"), entrada);
        }
    }
}

} // namespace kz
