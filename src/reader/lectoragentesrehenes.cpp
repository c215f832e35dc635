#include "lectoragentesrehenes.h"

#include "bloqueinforme.h"
#include "herramientastexto.h"
#include "registropj.h"
#include "sesionlectura.h"

#include "database/ttabla.h"

namespace kz {

namespace {

const QString kAgentesDobles = QStringLiteral("Tienes los siguientes Agentes dobles:");
const QString kRehenes = QStringLiteral("Tienes los siguientes rehenes:");
const QString kArtefactos = QStringLiteral("Tu posees los siguientes artefactos:");

} // namespace

void LectorEspeciales::LeeAgentesDobles(const QStringList& lineas) {
    const int cabecera = LineaQueContiene(lineas, {kAgentesDobles});
    if (cabecera < 0) {
        s_.ErrorAlLeer(QStringLiteral("AgentesDobles"), QStringLiteral("Bloque no identificado"), false);
        return;
    }
    for (const QString& linea : LineasHastaQueContenga(lineas, cabecera, {kRehenes}, s_.contexto().marcaPagina)) {
        // "<name> de: <nation> @ <hex>"
        if (!linea.contains(QStringLiteral(" de: ")) || !linea.contains(QStringLiteral(" @ "))) continue;
        try {
            const QStringList p = Palabras(linea);
            int pos = 0;
            const QString nombre = UneHastaOFalla(p, pos, QStringLiteral("de:"));
            ++pos;
            const QString nacion = UneHastaOFalla(p, pos, QStringLiteral("@"));
            r_.RegistraPj(s_.turno(), nombre, p.last(), QString(), true, SinPista, EstadoVivo, nacion);
        } catch (const FalloLectura&) {
            s_.cancelaPendientes();
            s_.ErrorAlLeer(QStringLiteral("AgentesDobles"), linea, false);
            return;
        }
    }
}

void LectorEspeciales::LeeRehenes(const QStringList& lineas) {
    const int cabecera = LineaIgualA(lineas, kRehenes);
    if (cabecera < 0) return;
    const QString& marca = s_.contexto().marcaPagina;
    const QStringList rehenes = LineasHasta(lineas, cabecera, marca, [](const QString& l) {
        return l.trimmed().compare(kArtefactos, Qt::CaseInsensitive) == 0;
    });
    for (const QString& linea : rehenes) {
        if (linea.trimmed() == QLatin1String("Ninguno")) return;
        try {
            if (!leeRehen(linea)) return;
        } catch (const FalloLectura&) {
            s_.cancelaPendientes();
            s_.ErrorAlLeer(QStringLiteral("RH"), linea);
        }
    }
}

bool LectorEspeciales::leeRehen(const QString& linea) {
    // "<name> de: <nation> está <4 words> <captor> en <hex> - ..." or, in English,
    // "<name> of the <nation> está ...".
    const QStringList p = Palabras(linea);
    int pos = 0;
    QString nombre = UneHastaSiHayOFalla(p, pos, QStringLiteral("de:"));
    if (pos == 0) {
        nombre = UneHastaSiHayOFalla(p, pos, QStringLiteral("of"));
        if (pos == 0) return false;
        ++pos;
        if (pos >= p.size() || !MismaPalabra(p[pos], QStringLiteral("the"))) return false;
    }
    ++pos;
    const QString nacion = UneHastaOFalla(p, pos, QStringLiteral("está"));
    pos += 4;
    const QString captura = UneHastaOFalla(p, pos, s_.contexto().guion);
    // The captor text ends with " en <hex>": eight characters.
    if (captura.size() < 8) Falla(QStringLiteral("falta el captor"));
    const QString captor = captura.left(captura.size() - 8).trimmed();
    const QString lugar = captura.right(4).trimmed();

    r_.RegistraPj(s_.turno(), nombre, lugar, QString(), true, SinPista, EstadoRehen, nacion);
    TTabla& pjs = s_.pjs();
    if (!pjs.buscaClave({s_.turno(), RegistroPj::CodigoPj(nombre)})) {
        if (!s_.escritura()) return true;   // nothing is posted without writing
        Falla(QStringLiteral("no está la fila del rehén"));
    }
    s_.edita(pjs);
    s_.fija(pjs, QStringLiteral("CAPTOR"), captor.left(5));
    s_.graba(pjs);
    return true;
}

} // namespace kz
