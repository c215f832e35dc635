#include "lectorcombates.h"

#include "bloqueinforme.h"
#include "herramientastexto.h"
#include "registropj.h"
#include "sesionlectura.h"

#include "database/ttabla.h"

namespace kz {

namespace {

const QString kCombate = QStringLiteral("INFORMES DE COMBATE");
const QString kEspeciales = QStringLiteral("MENSAJES ESPECIALES");
const QString kBatalla = QStringLiteral("Batalla en ");
const QString kBattle = QStringLiteral("Battle at ");
const QString kReto = QStringLiteral("Reto de ");
const QString kTrasAtaque = QStringLiteral("Después del ataque al centro de población");

bool empiezaBatalla(const QString& frase) { return frase.startsWith(kBatalla) || frase.startsWith(kBattle); }

// The words [desde, hasta) joined with single spaces.
QString une(const QStringList& p, int desde, int hasta) {
    QStringList r;
    for (int i = std::max(0, desde); i < std::min<int>(hasta, p.size()); ++i) r << p[i];
    return r.join(QLatin1Char(' '));
}

// The type word at `k`, or the one before it when `k` holds "que" ("un guerrero que no ...").
QString tipoAntesDeQue(const QStringList& p, int k) {
    const QString& w = PalabraEn(p, k);
    return w == QLatin1String("que") ? PalabraEn(p, k - 1) : w;
}

} // namespace

int LectorCombates::PistaDeTipo(const QString& tipo) {
    if (tipo == QLatin1String("emisario")) return PistaEmisario;
    if (tipo == QLatin1String("mago")) return PistaMago;
    if (tipo == QLatin1String("guerrero")) return PistaMando;
    if (tipo == QLatin1String("agente")) return PistaAgente;
    return SinPista;
}

void LectorCombates::LeeRetos(const QStringList& lineas) {
    const int cabecera = LineaQueContiene(lineas, {kCombate});
    if (cabecera < 0) return;
    const QStringList seccion = LineasHasta(lineas, cabecera, QString(), [](const QString& l) {
        return l.contains(kEspeciales) || l.contains(kBatalla) || l.contains(kBattle);
    });
    QList<QStringList> retos;
    for (const QString& l : seccion) {
        if (l.contains(kReto)) retos.append(QStringList{l});
        else if (!retos.isEmpty()) retos.last() << l;
    }
    try {
        for (const QStringList& reto : retos) leeReto(reto);
    } catch (const FalloLectura&) {
        s_.cancelaPendientes();
        s_.ErrorAlLeer(QStringLiteral("RT"), seccion.join(QLatin1Char(' ')));
    }
}

void LectorCombates::leeReto(const QStringList& lineas) {
    // "Reto de <challenger> en <hex>", then the account of the fight.
    const QStringList cabecera = Palabras(lineas.first());
    const QString retador = une(cabecera, 2, cabecera.size() - 2);
    const QString lugar = cabecera.last();
    const QStringList frases = Trocea(UneRecortadas(lineas.mid(1)).trimmed(), QStringLiteral("."));

    QString tipoRetador, retado, tipoRetado;
    for (const QString& frase : frases) {
        if (frase.contains(QStringLiteral("Mientras"))) {
            // "... el <type> [que <word>] se adelantó ..."
            const QStringList p = Palabras(frase);
            int pos = 0;
            if (frase.contains(QStringLiteral("Mientras los habitantes "))) {
                pos = 4;
                UneHastaOFalla(p, pos, QStringLiteral("agolpaban"));
            }
            UneHastaOFalla(p, pos, QStringLiteral("adelantó"));
            tipoRetador = tipoAntesDeQue(p, pos - 2);
        }
        if (frase.contains(QStringLiteral("Recogió el reto,"))) {
            // "Recogió el reto, <defender>, un <type> ..."
            const QStringList p = Palabras(frase);
            QStringList nombre;
            for (int i = 3; i < p.size(); ++i) {
                nombre << p[i];
                if (p[i].contains(QLatin1Char(','))) break;
            }
            retado = nombre.join(QLatin1Char(' ')).remove(QLatin1Char(',')).trimmed();
            tipoRetado = tipoAntesDeQue(p, p.size() - 3);
        }
    }
    if (retador.trimmed().isEmpty() || retado.isEmpty()) Falla(QStringLiteral("reto sin retador o retado"));

    // The last sentence tells who fell: the one not named, or the one named after the other.
    const QString ultima = frases.isEmpty() ? QString() : frases.last();
    const int enRetador = ultima.indexOf(retador), enRetado = ultima.indexOf(retado);
    int estadoRetador = EstadoSiNoSeSabe, estadoRetado = EstadoSiNoSeSabe;
    if (enRetador < 0) estadoRetador = EstadoMuerto;
    else if (enRetado < 0) estadoRetado = EstadoMuerto;
    else if (enRetado > enRetador) estadoRetado = EstadoMuerto;
    else estadoRetador = EstadoMuerto;

    const int pistaRetador = PistaDeTipo(tipoRetador), pistaRetado = PistaDeTipo(tipoRetado);
    const QString& anterior = s_.contexto().turnoAnterior;
    r_.RegistraPj(anterior, retador, lugar, QString(), true, pistaRetador, EstadoVivo, QString());
    r_.RegistraPj(anterior, retado, lugar, QString(), true, pistaRetado, EstadoVivo, QString());
    r_.RegistraPj(s_.turno(), retador, lugar, QString(), estadoRetador == EstadoMuerto, pistaRetador, estadoRetador,
                  QString());
    r_.RegistraPj(s_.turno(), retado, lugar, QString(), estadoRetado == EstadoMuerto, pistaRetado, estadoRetado,
                  QString());
}

void LectorCombates::LeeBatallas(const QStringList& lineas) {
    const int cabecera = LineaQueContiene(lineas, {kCombate});
    if (cabecera < 0) {
        s_.ErrorAlLeer(QStringLiteral("Batallas"), QStringLiteral("Bloque no identificado"), false);
        return;
    }
    const QString texto =
        UneRecortadas(LineasHastaQueContenga(lineas, cabecera, {kEspeciales}, s_.contexto().marcaPagina));
    QStringList frases;
    for (const QString& f : Trocea(texto, QStringLiteral("."))) frases << f.trimmed();

    const int ultima = frases.size() - 1;
    QString hex;
    int i = 0;
    try {
        while (i < ultima) {
            if (empiezaBatalla(frases[i])) {
                hex = PalabraEn(Palabras(frases[i]), 2);
                ++i;
                continue;
            }
            if (!frases[i].contains(kTrasAtaque)) {
                ++i;
                continue;
            }
            // The account of this battle: every "El/la" sentence describes an attacked centre.
            const int inicio = i;
            while (i < ultima && !(i > inicio && empiezaBatalla(frases[i]))) {
                if (frases[i].startsWith(QStringLiteral("El/la"))) i = leeCentroAtacado(frases, i, hex);
                else ++i;
            }
        }
    } catch (const FalloLectura&) {
        s_.cancelaPendientes();
        s_.ErrorAlLeer(QStringLiteral("Batallas"), frases.value(std::min<int>(i, ultima)), false);
    }
}

int LectorCombates::leeCentroAtacado(const QStringList& frases, int k, const QString& hex) {
    // "El/la <size> de <name> ..." or "... ha sido reducido(a) a <size>", then a sentence whose
    // second word is the fortification, one more, and the owner after "de:" (none for ruins).
    auto frase = [&](int n) -> const QString& {
        if (n >= frases.size()) Falla(QStringLiteral("falta la frase %1").arg(n + 1));
        return frases[n];
    };
    const QStringList p = Palabras(frase(k));
    const QString tamano = frase(k).contains(QStringLiteral("ha sido reducido(a)")) ? p.last() : PalabraEn(p, 1);
    const QString fortificacion = PalabraEn(Palabras(frase(k + 1)), 1);
    const bool ruinas = tamano == QLatin1String("Ruinas");
    const QString dueno = ruinas ? QString() : UneTras(Palabras(frase(k + 3)), QStringLiteral("de:")).texto;
    if (hex.isEmpty()) Falla(QStringLiteral("batalla sin hexágono"));

    TTabla& c = s_.cenPob();
    s_.editaOAnade(c, {s_.turno(), hex});
    // A centre read from the nation's own list this turn knows better than the battle report.
    if (c.texto(QStringLiteral("ORIGEN")) != QLatin1String("0")) {
        s_.fija(c, QStringLiteral("TURNO"), s_.turno());
        s_.fija(c, QStringLiteral("HEX"), hex);
        s_.fija(c, QStringLiteral("PAIS"), s_.CodigoPorNombre(s_.paises(), dueno));
        s_.fija(c, QStringLiteral("FORTIFICA"), s_.CodigoPorNombre(s_.fortifica(), fortificacion));
        s_.fija(c, QStringLiteral("TIPOCP"), s_.CodigoPorNombre(s_.tipoCP(), tamano));
        s_.fija(c, QStringLiteral("HEREDADO"), false);
    }
    s_.graba(c);
    return ruinas ? k + 3 : k + 4;
}

} // namespace kz
