#include "lectorturno.h"

#include "cabeceraturno.h"
#include "herramientastexto.h"
#include "lectorcentros.h"
#include "lectorcombates.h"
#include "lectorejercitos.h"
#include "lectoragentesrehenes.h"
#include "lectorordenes.h"
#include "lectorpaises.h"
#include "lectorpersonajes.h"
#include "lectorrumores.h"
#include "registropj.h"
#include "sesionlectura.h"

#include "database/carpetaprograma.h"
#include "database/tdm.h"

#include <QScopeGuard>
#include <exception>

namespace kz {

namespace {

const QString kPartidas = QStringLiteral("DSPartidas");

// The parsers of one report, all on the same session.
struct Lectores {
    RegistroPj registro;
    LectorCentros centros;
    LectorOrdenes ordenes;
    LectorPaises paises;
    LectorPersonajes personajes;
    LectorEjercitos ejercitos;
    LectorCombates combates;
    LectorRumores rumores;
    LectorEspeciales especiales;
    explicit Lectores(SesionLectura& s)
        : registro(s), centros(s, registro), ordenes(s, registro), paises(s), personajes(s, registro, centros, ordenes),
          ejercitos(s, centros), combates(s, registro), rumores(s, registro), especiales(s, registro) {}
};

struct PasoLectura {
    Seccion seccion;
    void (*lee)(Lectores&, const QStringList&);
};

// The section parsers in the order they run; each runs when its section switch is on. Within a
// switch the order is fixed too: the challenges follow the company commanders, and the
// messages, rumours, double agents and hostages come before the battles, last of all.
const PasoLectura kPasos[] = {
    {Seccion::Paises, [](Lectores& l, const QStringList& t) { l.paises.LeePaises(t); }},
    {Seccion::CenPob, [](Lectores& l, const QStringList& t) { l.centros.LeeCentros(t); }},
    {Seccion::Pjs, [](Lectores& l, const QStringList& t) { l.personajes.LeePersonajes(t); }},
    {Seccion::Pjs, [](Lectores& l, const QStringList& t) { l.personajes.LeeMandosCompania(t); }},
    {Seccion::Pjs, [](Lectores& l, const QStringList& t) { l.combates.LeeRetos(t); }},
    {Seccion::Ejercitos, [](Lectores& l, const QStringList& t) { l.ejercitos.LeeEjercitos(t); }},
    {Seccion::Mensajes, [](Lectores& l, const QStringList& t) { l.rumores.LeeRumores(t); }},
    {Seccion::Mensajes, [](Lectores& l, const QStringList& t) { l.especiales.LeeAgentesDobles(t); }},
    {Seccion::Mensajes, [](Lectores& l, const QStringList& t) { l.especiales.LeeRehenes(t); }},
    {Seccion::Mensajes, [](Lectores& l, const QStringList& t) { l.combates.LeeBatallas(t); }},
};

bool activa(const SeccionesLectura& s, Seccion seccion) {
    switch (seccion) {
    case Seccion::Paises: return s.paises;
    case Seccion::CenPob: return s.cenPob;
    case Seccion::Pjs: return s.pjs;
    case Seccion::Ejercitos: return s.ejercitos;
    case Seccion::Mensajes: return s.mensajes;
    }
    return false;
}

bool numero(const QString& texto, int& valor) {
    bool ok = false;
    valor = texto.trimmed().toInt(&ok);
    return ok;
}

} // namespace

const QString LectorTurno::kFinalizado = QStringLiteral("Proceso de finalizado");

const QStringList& LectorTurno::fuentesLectura() {
    static const QStringList l = {QStringLiteral("DSCenPob"),  QStringLiteral("DSClimas"),   QStringLiteral("DSTerreno"),
                                  QStringLiteral("DSFortifica"), QStringLiteral("DSTipoCP"), QStringLiteral("DSMuelles"),
                                  QStringLiteral("DSPjs"),     QStringLiteral("DSEjer"),     QStringLiteral("DSUbiArtef"),
                                  QStringLiteral("DSPais"),    QStringLiteral("DSGrados"),   QStringLiteral("DSRumores"),
                                  QStringLiteral("DSPJsEjer"), QStringLiteral("DSHex")};
    return l;
}

LectorTurno::LectorTurno(TDM& dm, const QString& carpetaPrograma) : dm_(dm), base_(carpetaPrograma) {
    while (base_.size() > 1 && (base_.endsWith(QLatin1Char('/')) || base_.endsWith(QLatin1Char('\\')))) base_.chop(1);
}

void LectorTurno::AnadeLog(const QString& texto) {
    log_ << texto;
    if (alAnadirLog) alAnadirLog(texto);
}

bool LectorTurno::LeeTurnoLista(const QStringList& entrada) {
    ctx_ = ContextoLectura{};
    if (entrada.isEmpty()) {
        AnadeLog(QStringLiteral("ERROR - Fichero vacio."));
        return false;
    }
    const QStringList lineas = PreparaLineas(entrada);
    DetectaGuion(lineas, ctx_);
    if (!ReconoceCabecera(lineas, ctx_)) {
        AnadeLog(QStringLiteral("ERROR - Fichero no reconocido. Verifique que es un Turno."));
        return false;
    }
    AnadeLog(QStringLiteral("--Leyendo Partida: ") + ctx_.numeroPartida + QStringLiteral(" Pais: ") + ctx_.codigoPais +
             QLatin1Char(' ') + ctx_.nombrePais + QStringLiteral(" Turno: ") + ctx_.turnoImpreso + QStringLiteral("--"));

    auto cierra = qScopeGuard([this] {
        dm_.CerrarLista(fuentesLectura());
        dm_.Cerrar(kPartidas);
    });
    if (!abrePartida()) return false;

    bool leido = true;
    {
        SesionLectura sesion(dm_, ctx_, [this](const QString& t) { AnadeLog(t); });
        sesion.fijaEscritura(escritura_);
        QString error;
        if (!sesion.inicia(error)) {
            AnadeLog(QStringLiteral("ERROR - No se pudieron abrir las tablas. Recuerda que ademas de existir la partida debes haberla seleccionado una vez por lo menos."));
            return false;
        }
        escribePais(sesion, lineas);
        if (!corrigeTurno(sesion)) return false;
        leeSecciones(sesion, QuitaCabecerasPagina(lineas));
        if (!sesion.termina(error)) {
            AnadeLog(QStringLiteral("ERROR - No se han podido grabar los datos leídos: ") + error);
            ctx_.error = true;
        }
    }
    cierra.dismiss();
    dm_.CerrarLista(fuentesLectura());
    dm_.Cerrar(kPartidas);

    if (ctx_.error) {
        AnadeLog(QStringLiteral("Se ha producido algun error al leer los datos. Por favor, revisa este log y si la informacion no es confidencial te agradeceria que me lo enviases por mail para solucionar el problema."));
        leido = false;
    }
    AnadeLog(kFinalizado);
    AnadeLog(QString(48, QLatin1Char('-')));
    return leido;
}

bool LectorTurno::abrePartida() {
    dm_.Cerrar(kPartidas);
    dm_.fijaCarpetaPrograma(base_);
    if (!dm_.AbrirTablaSE(kPartidas, false)) return false;
    TTabla& partidas = *dm_.tabla(kPartidas);
    ctx_.codigoPartida = ctx_.numeroPartida;
    const QString conPrefijo = ctx_.prefijoPartida + ctx_.numeroPartida;
    if (!ctx_.prefijoPartida.isEmpty() && partidas.buscaClave({conPrefijo})) ctx_.codigoPartida = conPrefijo;
    if (!partidas.buscaClave({ctx_.codigoPartida})) {
        AnadeLog(QStringLiteral("ERROR - No se ha encontrado la partida ") + ctx_.codigoPartida +
                 QStringLiteral(" en el GestorKZ. Debe crearla y seleccionarla al menos una vez para poder leer turnos."));
        return false;
    }

    // Every other table is closed and bound to the folder of this report's game.
    dm_.CerrarLista(fuentesLectura());
    for (const QString& fuente : dm_.fuentes()) {
        if (fuente.compare(kPartidas, Qt::CaseInsensitive) == 0) continue;
        if (TTabla* t = dm_.tabla(fuente)) t->cierra();
        if (TConsulta* q = dm_.consulta(fuente)) q->cierra();
    }
    dm_.fijaCarpetaPrograma(base_);
    dm_.fijaCarpetaPartida(carpetaPartida(base_, ctx_.codigoPartida));
    if (!dm_.AbrirTablasSE(fuentesLectura())) {
        AnadeLog(QStringLiteral("ERROR - No se pudieron abrir las tablas. Recuerda que ademas de existir la partida debes haberla seleccionado una vez por lo menos."));
        return false;
    }
    return true;
}

void LectorTurno::escribePais(SesionLectura& s, const QStringList& lineas) {
    TTabla& p = s.paises();
    try {
        s.editaOAnade(p, {ctx_.codigoPais});
        s.fija(p, QStringLiteral("CODIGO"), ctx_.codigoPais);
        s.fija(p, QStringLiteral("NOMBRE"), ctx_.nombrePais);
        if (p.texto(QStringLiteral("BANDO")).isEmpty() || ctx_.bando != 0)
            s.fija(p, QStringLiteral("BANDO"), QString::number(ctx_.bando));

        DatosJugador d;
        if (!LeeDatosJugador(lineas, d)) {
            AnadeLog(QStringLiteral("Error al leer los datos del jugador. Se continua con el proceso."));
        } else {
            // The player's data of an older report never replace those of a newer one.
            int turnoDatos = 0, turno = 0;
            numero(ctx_.turno, turno);
            const QString anterior = p.texto(QStringLiteral("TurnoCodSeg"));
            if (anterior.isEmpty() || !numero(anterior, turnoDatos) || turno >= turnoDatos) {
                s.fija(p, QStringLiteral("NombreJugador"), d.nombre);
                s.fija(p, QStringLiteral("Apellidos"), d.apellidos);
                s.fija(p, QStringLiteral("Direccion1"), d.direccion1);
                s.fija(p, QStringLiteral("Direccion2"), d.direccion2);
                s.fija(p, QStringLiteral("Email"), d.email);
                s.fija(p, QStringLiteral("CodSeg"), d.codigoSeguridad);
                s.fija(p, QStringLiteral("TurnoCodSeg"), ctx_.turno);
                s.fija(p, QStringLiteral("FechaTurno"), d.fechaTurno);
            }
        }
        s.graba(p);
    } catch (const FalloLectura&) {
        s.cancelaPendientes();
        s.ErrorAlLeer(QStringLiteral("PA"), ctx_.codigoPais + QLatin1Char(' ') + ctx_.nombrePais);
    }
}

bool LectorTurno::corrigeTurno(SesionLectura& s) {
    TTabla& p = s.paises();
    if (p.indiceCampo(QStringLiteral("TURNOOFICIAL")) < 0 || !p.buscaClave({ctx_.codigoPais})) return true;
    const QString oficial = p.texto(QStringLiteral("TURNOOFICIAL"));
    if (oficial.isEmpty()) return true;
    const QString real = p.texto(QStringLiteral("TURNOREAL"));
    int nOficial = 0, nReal = 0, impreso = 0;
    numero(ctx_.turnoImpreso, impreso);
    const bool ok = numero(oficial, nOficial) && numero(real, nReal);
    const int turno = nReal + (impreso - nOficial);
    if (!ok || turno < 0 || turno > 999) {
        // Without a turn to write to nothing of the report can be stored.
        AnadeLog(QStringLiteral("ERROR - No se puede calcular el turno de la partida: el país ") + ctx_.codigoPais +
                 QStringLiteral(" tiene TURNOOFICIAL \"") + oficial + QStringLiteral("\" y TURNOREAL \"") + real +
                 QStringLiteral("\". Corríjalos en el GestorKZ y vuelva a leer el turno."));
        ctx_.error = true;
        return false;
    }
    ctx_.turno = RellenaCeros(QString::number(turno), 3);
    ctx_.turnoAnterior = TurnoAnterior(turno);
    return true;
}

void LectorTurno::leeSecciones(SesionLectura& s, const QStringList& lineas) {
    Lectores lectores(s);
    for (const PasoLectura& paso : kPasos) {
        if (!activa(secciones, paso.seccion)) continue;
        try {
            paso.lee(lectores, lineas);
        } catch (const FalloLectura& f) {
            s.cancelaPendientes();
            s.AnadeLog(QStringLiteral("ERROR - ") + f.motivo);
            ctx_.error = true;
        } catch (const std::exception& e) {
            s.cancelaPendientes();
            s.AnadeLog(QStringLiteral("ERROR - ") + QString::fromLocal8Bit(e.what()));
            ctx_.error = true;
        }
    }
}

} // namespace kz
