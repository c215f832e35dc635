#include "registropj.h"

#include "indicetemporal.h"
#include "sesionlectura.h"

#include "database/textos.h"
#include "database/ttabla.h"

namespace kz {

namespace {

// Fields a new turn's row takes from the character's latest known row.
const char* const kHeredados[] = {"SEXO", "PAIS", "GNMANDO", "GNAGENTE", "GNEMISARIO", "GNMAGO", "GNSIGILO",
                                  "GTMANDO", "GTAGENTE", "GTEMISARIO", "GTMAGO", "GTSIGILO", "DUELO", "SALUD",
                                  "HEC1", "HEC2", "HEC3", "HEC4", "HEC5", "HEC6", "HEC7", "HEC8", "HEC9", "HEC10",
                                  "HEC11", "HEC12", "HEC13", "HEC14", "HEC15", "REHEN1", "REHEN2", "REHEN3", "CAPTOR"};

QString campoDeTipo(const QString& tipo) {
    if (tipo == QLatin1String("MD")) return QStringLiteral("GNMANDO");
    if (tipo == QLatin1String("AG")) return QStringLiteral("GNAGENTE");
    if (tipo == QLatin1String("EM")) return QStringLiteral("GNEMISARIO");
    if (tipo == QLatin1String("MG")) return QStringLiteral("GNMAGO");
    return {};
}

QString campoDePista(int pista) {
    switch (pista) {
    case PistaAgente: return QStringLiteral("GNAGENTE");
    case PistaMando: return QStringLiteral("GNMANDO");
    case PistaMago: return QStringLiteral("GNMAGO");
    case PistaEmisario: return QStringLiteral("GNEMISARIO");
    default: return {};
    }
}

const QString kCodigo = QStringLiteral("CODIGO");
const QString kTurno = QStringLiteral("TURNO");
const QString kOrigen = QStringLiteral("ORIGEN");
const QString kHex = QStringLiteral("HEX");
const QString kVida = QStringLiteral("VIDA");
const QString kPais = QStringLiteral("PAIS");

} // namespace

QString RegistroPj::CodigoPj(const QString& nombre) { return QuitaAcentos(nombre.trimmed().left(5)); }

RegistroPj::Grado RegistroPj::buscaGrado(const QString& titulo) {
    const SesionLectura::GradoEncontrado g = s_.GradoPorNombre(titulo.trimmed());
    if (!g.encontrado) return {};
    return {campoDeTipo(g.tipo), g.minimo + 5};
}

QString RegistroPj::resuelveUbicacion(const QString& ubicacion, const QString& turno) {
    const QString u = ubicacion.trimmed();
    if (u.isEmpty()) return {};
    if (u.size() == 4 && u < QLatin1String("9999")) return u;
    // A centre name: where that turn's centre of that name stands.
    TTabla& c = s_.cenPob();
    IndiceTemporal indice(c, QStringLiteral("NOMBRE"));
    c.buscaCercano({u, turno});
    if (!c.eof() && c.texto(QStringLiteral("NOMBRE")) == u && c.texto(kTurno) == turno) return c.texto(kHex);
    return {};
}

QString RegistroPj::resuelvePais(const QString& pais) {
    const QString p = pais.trimmed();
    if (p.size() == 2 && p < QLatin1String("99")) return p;
    if (!p.isEmpty()) return s_.CodigoPorNombre(s_.paises(), p);
    return {};
}

QString RegistroPj::UltimoPaisPj(const QString& nombre) {
    const QString codigo = CodigoPj(nombre);
    if (codigo.isEmpty()) return {};
    // The auxiliary cursor is the session's own: its range is simply replaced by the next one.
    TTabla& a = s_.pjsAux();
    a.fijaRango({codigo, QString()}, {codigo, s_.turno()});
    a.ultimo();
    return paisHaciaAtras(a);
}

QString RegistroPj::paisHaciaAtras(TTabla& a) {
    for (; !a.vacia() && !a.bof(); a.anterior()) {
        const QString pais = a.texto(kPais);
        if (!pais.isEmpty()) return pais;
    }
    return {};
}

void RegistroPj::RegistraPj(const QString& turno, const QString& nombreDado, const QString& ubicacionDada,
                            const QString& grado, bool ubicado, int pista, int estado, const QString& paisDado) {
    if (turno.isEmpty()) return;
    const QString nombre = nombreDado.trimmed();
    const QString codigo = CodigoPj(nombre);
    if (codigo.isEmpty()) Falla(QStringLiteral("personaje sin nombre"));
    TTabla& p = s_.pjs();

    // A row read from the nation's own sheets is final for its turn.
    const bool existe = p.buscaClave({turno, codigo});
    if (existe && p.texto(kOrigen) == QLatin1String("0")) return;

    const Grado g = buscaGrado(grado);
    const QString ubicacion = resuelveUbicacion(ubicacionDada, turno);
    QString pais = resuelvePais(paisDado);

    // A new turn's row starts from what the latest known turn of the character says.
    QVector<QPair<QString, QVariant>> heredados;
    if (!existe) {
        TTabla& a = s_.pjsAux();
        a.fijaRango({codigo, QString()}, {codigo, QStringLiteral("9999")});
        a.ultimo();
        if (!a.vacia())
            for (const char* campo : kHeredados) {
                const QString c = QString::fromLatin1(campo);
                heredados.append({c, a.valor(c)});
            }
        // UltimoPaisPj from the rows just reached: the same answer without a second range.
        if (pais.isEmpty()) {
            while (!a.vacia() && !a.bof() && a.texto(kTurno) > s_.turno()) a.anterior();
            if (!a.bof()) pais = paisHaciaAtras(a);
        }
    } else if (pais.isEmpty() && !(turno == s_.turno() && !p.texto(kPais).isEmpty())) {
        // (A row of the report's turn that names its nation is its own latest nation.)
        pais = UltimoPaisPj(nombre);
    }

    if (existe) s_.edita(p);
    else if (!p.anade()) Falla(p.mensajeError());
    s_.fija(p, kTurno, turno);
    s_.fija(p, kCodigo, codigo);
    s_.fija(p, QStringLiteral("NOMBRE"), nombre);
    if (ubicado) {
        if (!ubicacion.isEmpty()) s_.fija(p, kHex, ubicacion);
        s_.fija(p, kOrigen, QStringLiteral("1"));
    } else if (p.texto(kOrigen) != QLatin1String("1")) {
        s_.fija(p, kOrigen, QStringLiteral("2"));
    }
    if (p.texto(kHex).isEmpty()) s_.fija(p, kHex, ubicacion);
    switch (estado) {
    case EstadoVivo: s_.fija(p, kVida, QStringLiteral("0")); break;
    case EstadoRehen: s_.fija(p, kVida, QStringLiteral("1")); break;
    case EstadoMuerto: s_.fija(p, kVida, QStringLiteral("2")); break;
    case EstadoSiNoSeSabe:
        if (p.texto(kVida).isEmpty()) s_.fija(p, kVida, QStringLiteral("0"));
        break;
    default: break;
    }
    for (const auto& [campo, valor] : heredados) s_.fija(p, campo, valor);
    if (!pais.isEmpty()) s_.fija(p, kPais, pais);
    if (!g.campo.isEmpty()) {
        s_.fija(p, g.campo, g.valor);
    } else {
        const QString campo = campoDePista(pista);
        if (!campo.isEmpty() && p.entero(campo) <= 2) s_.fija(p, campo, 1);
    }
    s_.graba(p);
}

} // namespace kz
