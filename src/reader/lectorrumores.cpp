#include "lectorrumores.h"

#include "bloqueinforme.h"
#include "cabeceraturno.h"
#include "herramientastexto.h"
#include "indicetemporal.h"
#include "registropj.h"
#include "registroubicacion.h"
#include "sesionlectura.h"

#include "database/ttabla.h"

#include <QVector>

namespace kz {

namespace {

const QString kCodigo = QStringLiteral("CODIGO");
const QString kTurno = QStringLiteral("TURNO");
const QString kTexto = QStringLiteral("TEXTO");

const QString kMilicia = QStringLiteral("La Milicia Local detectó a");
const QString kRobo = QStringLiteral("Corren rumores de un intento de robo");
const QString kAsesinato = QStringLiteral("Corren rumores de un intento de asesinato ");
const QString kSecuestro = QStringLiteral("Corren rumores de un intento de secuestro ");
const QString kDuelo = QStringLiteral("Corren rumores de un duelo personal de ");
const QString kLealtad = QStringLiteral("La lealtad ha sido influida por los esfuerzos o presencia ");
const QString kEncuentro = QStringLiteral("Corren rumores de un encuentro de");

// The words [desde, hasta) joined with single spaces.
QString une(const QStringList& p, int desde, int hasta) {
    QStringList r;
    for (int i = std::max(0, desde); i < std::min<int>(hasta, p.size()); ++i) r << p[i];
    return r.join(QLatin1Char(' '));
}

QString sinUltimo(QString t) {
    t.chop(1);
    return t;
}

bool hablaDeAlguien(const QString& t) {
    return t.contains(kMilicia) || t.contains(kRobo) || t.contains(kAsesinato) || t.contains(kSecuestro) ||
           t.contains(kDuelo) || t.contains(kLealtad) || t.contains(kEncuentro);
}

QString turnoAnteriorDe(const QString& turno) {
    bool ok = false;
    const int n = turno.trimmed().toInt(&ok);
    return ok ? TurnoAnterior(n) : QString();
}

} // namespace

void LectorRumores::LeeRumores(const QStringList& lineas) {
    const int cabecera = LineaQueContiene(lineas, {QStringLiteral("MENSAJES INTERNOS")});
    if (cabecera < 0) return;
    guardaMensajes(LineasHastaQueContenga(lineas, cabecera, {QStringLiteral("INFORMES DE ENCUENTROS")},
                                          s_.contexto().marcaPagina));
    interpretaRumores();
}

void LectorRumores::guardaMensajes(const QStringList& mensajes) {
    TTabla& r = s_.rumores();
    int numero = RegistroUbicacion::UltimoNumero(r, kCodigo);
    const QString& turno = s_.turno();
    for (const QString& linea : mensajes) {
        try {
            // Looked up as the table keeps it: a line longer than the field is stored cut, and
            // the cut text is what a second reading must find.
            const QString texto = RegistroUbicacion::ComoSeGuarda(r, kTexto, linea.trimmed());
            if (texto.isEmpty()) continue;
            {
                IndiceTemporal indice(r, kTexto);
                if (r.buscaClave({texto, turno})) continue;
            }
            ++numero;
            if (!r.anade()) Falla(r.mensajeError());
            s_.fija(r, kCodigo, RellenaCeros(QString::number(numero), 5));
            s_.fija(r, kTurno, turno);
            s_.fija(r, kTexto, texto);
            s_.graba(r);
        } catch (const FalloLectura&) {
            s_.cancelaPendientes();
            s_.ErrorAlLeer(QStringLiteral("RU"), linea);
        }
    }
}

void LectorRumores::interpretaRumores() {
    struct Rumor {
        QString turno, texto;
    };
    // The rumours are taken first and read afterwards: reading one writes characters, never
    // rumours, and the walk is done in one pass over a wide window.
    QVector<Rumor> rumores;
    {
        TTabla& r = s_.rumores();
        IndiceTemporal indice(r, kTurno);
        r.fijaTamanoLote(512);
        r.fijaRango({QString()}, {s_.turno()});
        for (r.primero(); !r.eof(); r.siguiente()) {
            const QString texto = r.texto(kTexto);
            if (hablaDeAlguien(texto)) rumores.append({r.texto(kTurno), texto});
        }
        r.quitaRango();
        r.fijaTamanoLote(1);
    }
    for (const Rumor& rumor : rumores) {
        try {
            InterpretaRumor(rumor.turno, rumor.texto);
        } catch (const FalloLectura&) {
            s_.cancelaPendientes();
            s_.ErrorAlLeer(QStringLiteral("RU"), rumor.texto);
        }
    }
}

void LectorRumores::InterpretaRumor(const QString& turno, const QString& texto) {
    const QString anterior = turnoAnteriorDe(turno);
    // A character seen at a place: there in the turn before the rumour, alive; and known in the
    // rumour's turn without being placed.
    auto visto = [&](const QString& nombre, const QString& ubicacion, int pista) {
        r_.RegistraPj(anterior, nombre, ubicacion, QString(), true, pista, EstadoVivo, QString());
        r_.RegistraPj(turno, nombre, ubicacion, QString(), false, pista, EstadoSiNoSeSabe, QString());
    };

    if (texto.contains(kMilicia)) {
        const QStringList p = Palabras(texto);
        int pos = 5;
        const QString nombre = UneHastaOFalla(p, pos, QStringLiteral("en"));
        visto(nombre, PalabraEn(p, pos + 2), PistaAgente);
    }
    if (texto.contains(kRobo)) {
        const QStringList p = Palabras(texto);
        int pos = 10;
        const QString nombre = UneHastaOFalla(p, pos, QStringLiteral("en"));
        visto(nombre, sinUltimo(une(p, pos + 1, p.size())), PistaAgente);
    }
    if (texto.contains(kAsesinato) || texto.contains(kSecuestro)) {
        const QStringList p = Palabras(texto);
        int pos = 10;
        const QString autor = UneHastaOFalla(p, pos, QStringLiteral("hacia"));
        const QString victima = sinUltimo(une(p, pos + 1, p.size()));
        RegistraPareja(anterior, autor, victima, true, PistaAgente, QString());
        RegistraPareja(turno, autor, victima, false, PistaAgente, QString());
    }
    if (texto.contains(kDuelo)) {
        const QStringList p = Palabras(texto);
        int pos = 7;
        const QString retador = UneHastaOFalla(p, pos, QStringLiteral("y"));
        // "... y <name> en <place>.": the second name runs up to the third-to-last word.
        const QString retado = une(p, pos + 1, p.size() - 2);
        const QString lugar = sinUltimo(p.last());
        RegistraPareja(anterior, retador, retado, true, SinPista, lugar);
        RegistraPareja(turno, retador, retado, false, SinPista, lugar);
    }
    if (texto.contains(kLealtad)) {
        const QStringList p = Palabras(texto);
        int pos = 11;
        const QString nombre = UneHastaOFalla(p, pos, QStringLiteral("en"));
        visto(nombre, sinUltimo(une(p, pos + 1, p.size())), SinPista);
    }
    if (texto.contains(kEncuentro)) {
        const QStringList p = Palabras(texto);
        int pos = 6;
        const QString nombre = UneHastaOFalla(p, pos, QStringLiteral("en"));
        const QString lugar = sinUltimo(p.last());
        visto(nombre, lugar, SinPista);
        RegistroUbicacion(s_).RegistraUbicacion(turno, lugar, QString(), OrigenUbicacion::Rumor, nombre);
    }
}

QString LectorRumores::hexDelTurno(const QString& turno, const QString& nombre) {
    TTabla& p = s_.pjs();
    if (!p.buscaClave({turno, RegistroPj::CodigoPj(nombre)})) return {};
    return p.texto(QStringLiteral("HEX"));
}

void LectorRumores::RegistraPareja(const QString& turno, const QString& primero, const QString& segundo, bool ubicado,
                                   int pista, const QString& ubicacion) {
    if (turno.isEmpty()) return;
    QString lugar1 = ubicacion, lugar2 = ubicacion;
    if (ubicacion.trimmed().isEmpty()) {
        lugar1 = hexDelTurno(turno, primero);
        lugar2 = hexDelTurno(turno, segundo);
        if (lugar1.isEmpty()) lugar1 = lugar2;
        if (lugar2.isEmpty()) lugar2 = lugar1;
    }
    r_.RegistraPj(turno, primero, lugar1, QString(), ubicado, pista, EstadoSiNoSeSabe, QString());
    r_.RegistraPj(turno, segundo, lugar2, QString(), ubicado, SinPista, EstadoSiNoSeSabe, QString());
}

} // namespace kz
