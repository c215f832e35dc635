// Internal messages and rumours, the places of interest, double agents and hostages, on small
// reports read whole.

#include "comun/impresion.h"
#include "partidalectura.h"
#include "tablavolcada.h"

#include "reader/contextolectura.h"
#include "reader/lectorrumores.h"
#include "reader/registropj.h"
#include "reader/registroubicacion.h"
#include "reader/sesionlectura.h"

#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }
QStringList lineas(std::initializer_list<const char*> l) {
    QStringList r;
    for (auto s : l) r << u(s);
    return r;
}
QStringList errores(const QStringList& log) {
    QStringList r;
    for (const QString& l : log)
        if (l.startsWith(u("Error al Leer"))) r << l;
    return r;
}

// The nations the cases name, then the messages part of a report: the internal messages and
// the special messages with their double agents and hostages.
QStringList mensajes(const QStringList& internos, const QStringList& agentes = {u("Ninguno")},
                     const QStringList& rehenes = {u("Ninguno")}) {
    return lineas({"RELACIONES CON OTROS PAÍSES", "nº 1 Hombres del Bosque : Amistoso     nº 6 Hombres de Dol : Neutral",
                   "nº 8 Rey Brujo : Odio     nº11 Caballeros Negros : Odio", "CENTROS DE POBLACION", "EJÉRCITOS",
                   "MENSAJES INTERNOS"}) +
           internos +
           lineas({"INFORMES DE ENCUENTROS", "No hay encuentros este turno.", "INFORMES DE COMBATE",
                   "No hubo combates en los dominios del reino.", "MENSAJES ESPECIALES", "Ninguno.",
                   "Tienes los siguientes Agentes dobles:"}) +
           agentes + lineas({"Tienes los siguientes rehenes:"}) + rehenes + lineas({"Tu posees los siguientes artefactos:"});
}

const QString kCamposPj = u("TURNO;CODIGO;HEX;VIDA;ORIGEN;GNAGENTE");

QStringList filasPj(PartidaLectura& p, const QString& campos = kCamposPj) {
    const TablaVolcada t(p.volcado(u("DSPjs"), u("T123")));
    QStringList r;
    for (int f = 0; f < t.filas(); ++f) {
        QStringList v;
        for (const QString& c : campos.split(u(";"))) v << t.valor(f, c);
        r << v.join(u(";"));
    }
    return r;
}

// A Pjs row written before the reading.
void pjPrevio(PartidaLectura& p, const char* turno, const char* codigo, const char* nombre, const char* hex) {
    p.modifica(u("DSPjs"), u("T123"), [&](TTabla& t) {
        t.anade();
        t.fija(u("TURNO"), u(turno));
        t.fija(u("CODIGO"), u(codigo));
        t.fija(u("NOMBRE"), u(nombre));
        t.fija(u("HEX"), u(hex));
        t.graba();
    });
}

} // namespace

TEST(LeeRumores, CadaMensajeUnaVezPorTurno) {
    PartidaLectura p;
    ASSERT_TRUE(p.preparada());
    const QString largo = u("Un mensaje muy largo ") + QString(200, QLatin1Char('x'));
    const QStringList turno12 = mensajes({u("Mensaje uno."), u("Mensaje uno."), u("Mensaje dos."), largo});
    EXPECT_TRUE(p.lee(InformeMinimo(turno12)));
    EXPECT_TRUE(p.lee(InformeMinimo(turno12)));
    EXPECT_TRUE(p.lee(InformeMinimo(mensajes({u("Mensaje uno.")}), u("13"))));
    const QString cortado = largo.left(150);
    EXPECT_EQ(p.volcado(u("DSRumores"), u("T123")),
              QStringList({u("CODIGO;TURNO;TEXTO"), u("00001;012;Mensaje uno."), u("00002;012;Mensaje dos."),
                           u("00003;012;") + cortado, u("00004;013;Mensaje uno.")}));
}

TEST(LeeRumores, LaNumeracionSigueAlMayorCodigoNumerico) {
    PartidaLectura p;
    p.modifica(u("DSRumores"), u("T123"), [](TTabla& t) {
        for (const char* c : {"00007", "ZZZ"}) {
            t.anade();
            t.fija(u("CODIGO"), u(c));
            t.fija(u("TURNO"), u("003"));
            t.fija(u("TEXTO"), u("Escrito a mano ") + u(c));
            t.graba();
        }
    });
    EXPECT_TRUE(p.lee(InformeMinimo(mensajes({u("Nuevo.")}))));
    EXPECT_EQ(TablaVolcada(p.volcado(u("DSRumores"), u("T123"))).campos({u("TEXTO=Nuevo.")}, u("CODIGO;TURNO")),
              u("00008;012"));
}

TEST(LeeRumores, LasSeisFormas) {
    struct Caso {
        const char* turno;
        const char* rumor;
        QStringList pjs;       // TURNO;CODIGO;HEX;VIDA;ORIGEN;GNAGENTE
        QStringList lugares;   // UbiArtef: HEX;TURNO;ARTEF;NOMBRE;RESUELTO;ORIGEN
    };
    const Caso casos[] = {
        // Placed and alive the turn before, known without a place in the rumour's turn.
        {"1", "La Milicia Local detectó a Grima Lengua en el 2214 y lo expulsó.",
         lineas({"000;Grima;2214;0;1;1", "001;Grima;2214;0;2;1"}), {}},
        // In the first turn there is no turn before.
        {"0", "La Milicia Local detectó a Grima Lengua en el 2214 y lo expulsó.", lineas({"000;Grima;2214;0;2;1"}), {}},
        {"12", "Corren rumores de un intento de robo del tesoro por Grima Lengua en 2214.",
         lineas({"011;Grima;2214;0;1;1", "012;Grima;2214;0;2;1"}), {}},
        {"12", "Corren rumores de un intento de secuestro por parte de Grima Lengua hacia Mira del Lago.",
         lineas({"011;Grima;;0;1;1", "011;Mira;;0;1;", "012;Grima;;0;2;1", "012;Mira;;0;2;"}), {}},
        // The duellists at the place the rumour ends with.
        {"12", "Corren rumores de un duelo personal de Aric Vel y Gorbag el Negro en 1405.",
         lineas({"011;Aric;1405;0;1;", "011;Gorba;1405;0;1;", "012;Aric;1405;0;2;", "012;Gorba;1405;0;2;"}), {}},
        {"12", "La lealtad ha sido influida por los esfuerzos o presencia de Lirien Valaqua en 1310.",
         lineas({"011;Lirie;1310;0;1;", "012;Lirie;1310;0;2;"}), {}},
        // An encounter is also a place of interest, heard of in a rumour.
        {"12", "Corren rumores de un encuentro de Doran el Viejo en 1405.",
         lineas({"011;Doran;1405;0;1;", "012;Doran;1405;0;2;"}), lineas({"1405;012;;Doran el Viejo;False;1"})},
        {"12", "Nada que ver con nadie.", {}, {}},
    };
    for (const auto& c : casos) {
        PartidaLectura p;
        EXPECT_TRUE(p.lee(InformeMinimo(mensajes({u(c.rumor)}), u(c.turno)))) << c.rumor << p.log().join('\n').toStdString();
        EXPECT_EQ(filasPj(p), c.pjs) << c.rumor;
        QStringList lugares = p.volcado(u("DSUbiArtef"), u("T123")).mid(1);
        for (QString& l : lugares) l = l.section(u(";"), 1);
        EXPECT_EQ(lugares, c.lugares) << c.rumor;
    }
}

TEST(LeeRumores, ElAsesinatoDaAAmbosElLugarConocido) {
    PartidaLectura p;
    pjPrevio(p, "011", "Grima", "Grima Lengua", "1208");
    EXPECT_TRUE(p.lee(InformeMinimo(mensajes({u("Corren rumores de un intento de asesinato por parte de Grima Lengua hacia Cael de Norte.")}))));
    EXPECT_EQ(filasPj(p), lineas({"011;Cael;1208;0;1;", "011;Grima;1208;0;1;1", "012;Cael;;0;2;", "012;Grima;;0;2;1"}));
}

TEST(LeeRumores, LosRumoresAnterioresSeLeenOtraVezEnSuTurno) {
    PartidaLectura p;
    const QString encuentro = u("Corren rumores de un encuentro de Doran el Viejo en 1405.");
    EXPECT_TRUE(p.lee(InformeMinimo(mensajes({encuentro}))));
    EXPECT_TRUE(p.lee(InformeMinimo(mensajes({encuentro}))));
    // A later report reads the rumour of turn 12 again: still one place, in turn 12.
    EXPECT_TRUE(p.lee(InformeMinimo(mensajes({u("Otra cosa.")}), u("13"))));
    EXPECT_EQ(p.volcado(u("DSUbiArtef"), u("T123")).mid(1), lineas({"0001;1405;012;;Doran el Viejo;False;1"}));
    EXPECT_EQ(filasPj(p), lineas({"011;Doran;1405;0;1;", "012;Doran;1405;0;2;"}));
}

TEST(LeeRumores, UnRumorIlegibleSeAnotaYSeSigue) {
    PartidaLectura p;
    EXPECT_FALSE(p.lee(InformeMinimo(mensajes({u("La Milicia Local detectó a Grima Lengua"),
                                                 u("La lealtad ha sido influida por los esfuerzos o presencia de Lirien en 1310.")}))));
    EXPECT_EQ(errores(p.log()), lineas({"Error al Leer (RU): La Milicia Local detectó a Grima Lengua"}));
    EXPECT_EQ(filasPj(p), lineas({"011;Lirie;1310;0;1;", "012;Lirie;1310;0;2;"}));
    EXPECT_EQ(p.volcado(u("DSRumores"), u("T123")).size(), 3);
}

TEST(LeeRumores, SinLaSeccionNoSeLeeNada) {
    PartidaLectura p;
    QStringList cuerpo = mensajes({u("La Milicia Local detectó a Grima Lengua en el 2214 y lo expulsó.")});
    cuerpo.removeAll(u("MENSAJES INTERNOS"));
    EXPECT_TRUE(p.lee(InformeMinimo(cuerpo)));
    EXPECT_EQ(p.volcado(u("DSRumores"), u("T123")).size(), 1);
    EXPECT_TRUE(filasPj(p).isEmpty());
}

TEST(LeeAgentesDobles, SusAgentesDondeEstan) {
    PartidaLectura p;
    EXPECT_TRUE(p.lee(InformeMinimo(mensajes({}, lineas({"Grima Lengua de: Rey Brujo @ 2214", "Una línea sin arroba de: nadie",
                                                         "Ulfang el Moreno de: Hombres de Dol @ 1617"})))));
    EXPECT_EQ(filasPj(p, u("TURNO;CODIGO;HEX;VIDA;ORIGEN;PAIS")),
              lineas({"012;Grima;2214;0;1;08", "012;Ulfan;1617;0;1;06"}));
}

TEST(LeeAgentesDobles, SinElBloqueSeAnotaPeroLaLecturaEsBuena) {
    PartidaLectura p;
    EXPECT_TRUE(p.lee(InformeMinimo(lineas({"INFORMES DE COMBATE", "MENSAJES ESPECIALES", "Tienes los siguientes rehenes:", "Ninguno"}))));
    EXPECT_EQ(errores(p.log()), lineas({"Error al Leer (AgentesDobles): Bloque no identificado"}));
    EXPECT_EQ(p.log().last(2).first(), LectorTurno::kFinalizado);
}

TEST(LeeRehenes, CasosDeLaLista) {
    struct Caso {
        QStringList rehenes;
        QStringList pjs;   // TURNO;CODIGO;HEX;VIDA;ORIGEN;PAIS;CAPTOR
        QStringList errores;
    };
    const Caso casos[] = {
        {lineas({"Lirien Valaqua de: Hombres del Bosque está en poder de Gorbag en 1208 - Sin heridas."}),
         lineas({"012;Lirie;1208;1;1;01;Gorba"}), {}},
        {lineas({"Lirien Valaqua of the Hombres del Bosque está en poder de Gorbag en 1208 - Sin heridas."}),
         lineas({"012;Lirie;1208;1;1;01;Gorba"}), {}},
        {lineas({"Ninguno"}), {}, {}},
        {lineas({"  Ninguno  ", "Lirien Valaqua de: Hombres del Bosque está en poder de Gorbag en 1208 - Sano."}), {}, {}},
        // A line that is not a hostage's ends the list.
        {lineas({"Lirien Valaqua of Hombres del Bosque está en poder de Gorbag en 1208 - Sano.",
                 "Doran de: Hombres de Dol está en poder de Ugluk el Orco en 1617 - Sano."}),
         {}, {}},
        {lineas({"Lista cerrada", "Doran de: Hombres de Dol está en poder de Ugluk el Orco en 1617 - Sano."}), {}, {}},
        // One that cannot be read is logged and the next is read.
        {lineas({"Lirien de: Hombres del Bosque está en poder de", "Doran de: Hombres de Dol está en poder de Ugluk el Orco en 1617 - Sano."}),
         lineas({"012;Doran;1617;1;1;06;Ugluk"}), lineas({"Error al Leer (RH): Lirien de: Hombres del Bosque está en poder de"})},
    };
    for (const auto& c : casos) {
        PartidaLectura p;
        EXPECT_EQ(p.lee(InformeMinimo(mensajes({}, {u("Ninguno")}, c.rehenes))), c.errores.isEmpty()) << c.rehenes.join('|').toStdString();
        EXPECT_EQ(filasPj(p, u("TURNO;CODIGO;HEX;VIDA;ORIGEN;PAIS;CAPTOR")), c.pjs) << c.rehenes.join('|').toStdString();
        EXPECT_EQ(errores(p.log()), c.errores) << c.rehenes.join('|').toStdString();
    }
}

// RegistraUbicacion and RegistraPareja on a game's open tables.
class RegistrosMensajesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(p.preparada());
        ctx.turno = u("012");
        ctx.turnoAnterior = u("011");
        p.dm.CerrarTodas();
        p.dm.fijaCarpetaPrograma(p.base());
        p.dm.fijaCarpetaPartida(p.base() + u("/T123"));
        ASSERT_TRUE(p.dm.AbrirTablasSE(LectorTurno::fuentesLectura()));
        sesion = std::make_unique<SesionLectura>(p.dm, ctx, [this](const QString& t) { log << t; });
        QString error;
        ASSERT_TRUE(sesion->inicia(error)) << error.toStdString();
        registro = std::make_unique<RegistroPj>(*sesion);
        ubicaciones = std::make_unique<RegistroUbicacion>(*sesion);
        rumores = std::make_unique<LectorRumores>(*sesion, *registro);
    }
    void TearDown() override {
        QString error;
        EXPECT_TRUE(sesion->termina(error));
        rumores.reset();
        ubicaciones.reset();
        registro.reset();
        sesion.reset();
        p.dm.CerrarLista(LectorTurno::fuentesLectura());
    }
    QStringList lugares() {
        TTabla& t = sesion->ubiArtef();
        QStringList r;
        for (t.primero(); !t.eof(); t.siguiente())
            r << QStringList{t.texto(u("CODIGO")), t.texto(u("HEX")), t.texto(u("TURNO")), t.texto(u("ARTEF")),
                             t.texto(u("NOMBRE")), t.logico(u("RESUELTO")) ? u("S") : u("N"), t.texto(u("ORIGEN"))}
                     .join(u(";"));
        return r;
    }
    QString hex(const char* turno, const char* codigo) {
        TTabla& t = sesion->pjs();
        return t.buscaClave({u(turno), u(codigo)}) ? t.texto(u("HEX")) : u("(no existe)");
    }

    PartidaLectura p;
    ContextoLectura ctx;
    QStringList log;
    std::unique_ptr<SesionLectura> sesion;
    std::unique_ptr<RegistroPj> registro;
    std::unique_ptr<RegistroUbicacion> ubicaciones;
    std::unique_ptr<LectorRumores> rumores;
};

TEST_F(RegistrosMensajesTest, UnLugarSoloUnaVez) {
    ubicaciones->RegistraUbicacion(u("012"), u("1405"), QString(), OrigenUbicacion::Rumor, u("Doran"));
    ubicaciones->RegistraUbicacion(u("012"), u("1405"), u("007"), OrigenUbicacion::Hechizo, u("Espada"));
    // The same place again, the first or the second of its hex and turn: nothing new.
    ubicaciones->RegistraUbicacion(u("012"), u("1405"), QString(), OrigenUbicacion::Rumor, u("Doran"));
    ubicaciones->RegistraUbicacion(u("012"), u("1405"), u("007"), OrigenUbicacion::Hechizo, u("Espada"));
    // Another turn, another origin: new places.
    ubicaciones->RegistraUbicacion(u("013"), u("1405"), QString(), OrigenUbicacion::Rumor, u("Doran"));
    ubicaciones->RegistraUbicacion(u("012"), u("1405"), QString(), OrigenUbicacion::Hallazgo, u("Doran"));
    ubicaciones->RegistraUbicacion(u(""), u("1405"), QString(), OrigenUbicacion::Hallazgo, u("Nada"));
    EXPECT_EQ(lugares(), lineas({"0001;1405;012;;Doran;N;1", "0002;1405;012;007;Espada;N;2", "0003;1405;013;;Doran;N;1",
                                 "0004;1405;012;;Doran;N;0"}));
    // A place already resolved is recorded again.
    TTabla& t = sesion->ubiArtef();
    ASSERT_TRUE(t.buscaClave({u("0001")}));
    ASSERT_TRUE(t.edita());
    t.fija(u("RESUELTO"), true);
    ASSERT_TRUE(t.graba());
    ubicaciones->RegistraUbicacion(u("012"), u("1405"), QString(), OrigenUbicacion::Rumor, u("Doran"));
    EXPECT_EQ(lugares().size(), 5);
    EXPECT_EQ(lugares().last(), u("0005;1405;012;;Doran;N;1"));
    EXPECT_EQ(t.nombreIndice(), QString());
}

TEST_F(RegistrosMensajesTest, LaParejaComparteElLugarConocido) {
    struct Caso { const char* primero; const char* segundo; const char* lugar; const char* hex1; const char* hex2; };
    registro->RegistraPj(u("012"), u("Aric Vel"), u("1208"), QString(), true, SinPista, EstadoVivo, QString());
    registro->RegistraPj(u("012"), u("Gorbag"), u("1310"), QString(), true, SinPista, EstadoVivo, QString());
    const Caso casos[] = {
        {"Ulmo el Solo", "Aric Vel", "", "1208", "1208"},   // the one without a place takes the other's
        {"Gorbag", "Dorin el Solo", "", "1310", "1310"},
        {"Aric Vel", "Gorbag", "", "1208", "1310"},      // each keeps its own
        {"Tesla la Sola", "Cuatro Vientos", "2020", "2020", "2020"},
    };
    for (const auto& c : casos) {
        rumores->RegistraPareja(u("012"), u(c.primero), u(c.segundo), true, PistaAgente, u(c.lugar));
        EXPECT_EQ(hex("012", qPrintable(RegistroPj::CodigoPj(u(c.primero)).trimmed())), u(c.hex1)) << c.primero;
        EXPECT_EQ(hex("012", qPrintable(RegistroPj::CodigoPj(u(c.segundo)).trimmed())), u(c.hex2)) << c.segundo;
    }
    rumores->RegistraPareja(QString(), u("Otro"), u("Más"), true, SinPista, u("1111"));
    EXPECT_EQ(hex("012", "Otro"), u("(no existe)"));
}
