// LeeTurnoLista as a whole: recognition, the game look-up, the tables, the nation row and the
// player's data, the turn correction and the section switches.

#include "comun/impresion.h"
#include "partidalectura.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }
const QString kFin = QString(48, QLatin1Char('-'));

// Rows of a dump without its header line.
QStringList filas(const QStringList& volcado) { return volcado.mid(1); }

const QStringList kCentro = {
    u("CENTROS DE POBLACION"),
    u("Castro Norte (Capital) Localización : 1208 Terreno : Llano Clima : Frío Tamaño : Ciudad"),
    u("Fortificación : Castillo Lealtad : 85 Muelles : Puerto Oculto : No Asediado : No"),
    u("Recurso : Cuero Bronce Acero Mithril Comida Madera Monturas Oro"),
    u("Producción estimada : 120 30 40 0 2500 600 150 8000"),
    u("Unidades almacenadas : 300 45 60 0 5000 900 200"),
    u("EJÉRCITOS"),
};

const QStringList kHojas = {
    u("HOJAS DE TURNO"), u("Jugador 0457"), u("Juan"), u("Martínez Soler"), u("Calle del Pez 14"), u("28004 Madrid"),
    u("COD.SEG : 7311"), u("Retornar las hojas antes del 22 Febrero 2005"),
};

} // namespace

TEST(LeeTurnoLista, UnTextoVacioNoSeLee) {
    PartidaLectura p;
    EXPECT_FALSE(p.lee({}));
    EXPECT_EQ(p.log(), QStringList{u("ERROR - Fichero vacio.")});
}

TEST(LeeTurnoLista, UnTextoQueNoEsUnTurnoNoSeReconoce) {
    PartidaLectura p;
    for (const QStringList& texto : {QStringList{u("")}, QStringList{u("   "), u("\f")},
                                     QStringList{u("07 KZ Partida 123 Jugador 1"), u("a"), u("b"), u("c"), u("d"), u("e")},
                                     InformeMinimo({}).mid(0, 4)}) {
        p.lector().limpiaLog();
        EXPECT_FALSE(p.lee(texto));
        EXPECT_EQ(p.log(), QStringList{u("ERROR - Fichero no reconocido. Verifique que es un Turno.")});
    }
}

TEST(LeeTurnoLista, UnaPartidaQueNoEstaEnElCatalogoNoEscribeNada) {
    PartidaLectura p({u("T124")});
    ASSERT_TRUE(p.preparada());
    EXPECT_FALSE(p.lee(InformeMinimo(kCentro)));
    EXPECT_EQ(p.log(), (QStringList{u("--Leyendo Partida: 123 Pais: 07 Señores del Norte Turno: 012--"),
                                    u("ERROR - No se ha encontrado la partida 123 en el GestorKZ. Debe crearla y "
                                      "seleccionarla al menos una vez para poder leer turnos.")}));
    EXPECT_TRUE(filas(p.volcado(u("DSPais"), u("T124"))).isEmpty());
    EXPECT_TRUE(filas(p.volcado(u("DSCenPob"), u("T124"))).isEmpty());
}

TEST(LeeTurnoLista, ElPrefijoDeLaQuintaLineaEligeEntreA123Y123) {
    struct Caso { QStringList catalogo; const char* quinta; const char* partida; };
    const Caso casos[] = {
        {{u("A123"), u("123")}, "Alta Edad", "A123"},
        {{u("A123"), u("123")}, "Tercera Edad", "123"},
        {{u("123")}, "Alta Edad", "123"},
        {{u("A123")}, "   Alta Edad", "A123"},
    };
    for (const auto& c : casos) {
        PartidaLectura p(c.catalogo);
        ASSERT_TRUE(p.preparada());
        EXPECT_TRUE(p.lee(InformeMinimo(kCentro, u("12"), u(c.quinta)))) << c.quinta << p.log().join('\n').toStdString();
        EXPECT_EQ(p.lector().contexto().codigoPartida, u(c.partida));
        EXPECT_EQ(filas(p.volcado(u("DSCenPob"), u(c.partida))).size(), 1) << c.quinta;
        for (const QString& otra : c.catalogo)
            if (otra != u(c.partida)) {
                EXPECT_TRUE(filas(p.volcado(u("DSCenPob"), otra)).isEmpty());
            }
    }
}

TEST(LeeTurnoLista, UnaTablaEnUsoExclusivoNoDejaLeerNiEscribir) {
    PartidaLectura p;
    ASSERT_TRUE(p.preparada());
    InteraccionGuion otraUi;
    TDM otro(otraUi);
    otro.fijaCarpetaPartida(p.base() + u("/T123"));
    ASSERT_TRUE(otro.Abrir(u("DSCenPob"), true, false));
    p.ui.responde({mrReintentar, mrCancelar});
    EXPECT_FALSE(p.lee(InformeMinimo(kCentro)));
    EXPECT_EQ(p.log().value(1), u("ERROR - No se pudieron abrir las tablas. Recuerda que ademas de existir la partida "
                                  "debes haberla seleccionado una vez por lo menos."));
    EXPECT_EQ(p.log().size(), 2);
    const QString pregunta = u("Error en la apertura de la Tabla CenPob.DB.\rEl fichero no Existe o algun otro usuario esta "
                               "usando el fichero en Modo Exclusivo.Vuelva a intentar la operacion o cancelela");
    EXPECT_EQ(p.ui.textos(), (QStringList{pregunta, pregunta}));
    otro.CerrarTodas();
    EXPECT_TRUE(filas(p.volcado(u("DSPais"), u("T123"))).isEmpty());
    EXPECT_TRUE(filas(p.volcado(u("DSCenPob"), u("T123"))).isEmpty());
}

TEST(LeeTurnoLista, LaCorreccionDeTurnoDelPaisMueveLasFilas) {
    PartidaLectura p;
    ASSERT_TRUE(p.preparada());
    p.modifica(u("DSPais"), u("T123"), [](TTabla& t) {
        t.anade();
        t.fija(u("CODIGO"), u("07"));
        t.fija(u("TURNOOFICIAL"), u("010"));
        t.fija(u("TURNOREAL"), u("004"));
        t.graba();
    });
    EXPECT_TRUE(p.lee(InformeMinimo(kCentro)));
    EXPECT_EQ(p.log().first(), u("--Leyendo Partida: 123 Pais: 07 Señores del Norte Turno: 012--"));
    EXPECT_EQ(p.lector().contexto().turno, u("006"));
    EXPECT_EQ(p.lector().contexto().turnoAnterior, u("005"));
    const QStringList centros = filas(p.volcado(u("DSCenPob"), u("T123")));
    ASSERT_EQ(centros.size(), 1);
    EXPECT_TRUE(centros.first().startsWith(u("006;1208;Castro Norte;07;")));
}

TEST(LeeTurnoLista, UnaCorreccionQueNoSonNumerosDetieneLaLectura) {
    struct Caso { const char* oficial; const char* real; };
    for (const Caso& c : {Caso{"010", "x"}, Caso{"1a", "004"}, Caso{"020", "001"}}) {
        PartidaLectura p;
        p.modifica(u("DSPais"), u("T123"), [&](TTabla& t) {
            t.anade();
            t.fija(u("CODIGO"), u("07"));
            t.fija(u("TURNOOFICIAL"), u(c.oficial));
            t.fija(u("TURNOREAL"), u(c.real));
            t.graba();
        });
        EXPECT_FALSE(p.lee(InformeMinimo(kCentro)));
        EXPECT_EQ(p.log().value(2), u("ERROR - No se puede calcular el turno de la partida: el país 07 tiene TURNOOFICIAL \"") +
                                        u(c.oficial) + u("\" y TURNOREAL \"") + u(c.real) +
                                        u("\". Corríjalos en el GestorKZ y vuelva a leer el turno."));
        EXPECT_EQ(p.log().size(), 3);
        EXPECT_TRUE(filas(p.volcado(u("DSCenPob"), u("T123"))).isEmpty());
        // Nothing of the report is kept, not even the nation's name.
        EXPECT_EQ(filas(p.volcado(u("DSPais"), u("T123"))),
                  QStringList{u("07;;;;;") + u(c.oficial) + u(";") + u(c.real) + u(";;;;;;;;;;;")});
    }
}

TEST(LeeTurnoLista, LaFilaDelPaisYLosDatosDelJugador) {
    PartidaLectura p;
    ASSERT_TRUE(p.preparada());
    EXPECT_TRUE(p.lee(InformeMinimo(kHojas, u("12"))));
    EXPECT_EQ(filas(p.volcado(u("DSPais"), u("T123"))),
              QStringList{u("07;Señores del Norte;;1;;;;;Juan;Martínez Soler;Calle del Pez 14;28004 Madrid;;7311;012;;;22/2/2005")});
    // An older report keeps the nation row's player data; a newer one replaces them.
    QStringList viejas = kHojas;
    viejas[2] = u("Pedro");
    EXPECT_TRUE(p.lee(InformeMinimo(viejas, u("9"))));
    EXPECT_TRUE(filas(p.volcado(u("DSPais"), u("T123"))).first().contains(u(";Juan;")));
    EXPECT_TRUE(p.lee(InformeMinimo(viejas, u("12"))));
    EXPECT_TRUE(filas(p.volcado(u("DSPais"), u("T123"))).first().contains(u(";Pedro;")));
}

TEST(LeeTurnoLista, ElBandoSoloCambiaConUnBandoConocido) {
    struct Caso { const char* antes; const char* ultima; const char* despues; };
    const Caso casos[] = {{"", "Un Pueblo Libre", "1"}, {"", "Nadie sabe", "0"}, {"2", "Nadie sabe", "2"}, {"2", "Neutral", "3"}};
    for (const auto& c : casos) {
        PartidaLectura p;
        if (*c.antes)
            p.modifica(u("DSPais"), u("T123"), [&](TTabla& t) {
                t.anade();
                t.fija(u("CODIGO"), u("07"));
                t.fija(u("BANDO"), u(c.antes));
                t.graba();
            });
        QStringList informe = InformeMinimo({});
        informe[6] = u(c.ultima);
        EXPECT_TRUE(p.lee(informe));
        EXPECT_EQ(p.log().value(1), u("Error al leer los datos del jugador. Se continua con el proceso."));
        EXPECT_EQ(filas(p.volcado(u("DSPais"), u("T123"))), QStringList{u("07;Señores del Norte;;") + u(c.despues) + u(";;;;;;;;;;;;;;")})
            << c.ultima;
    }
}

TEST(LeeTurnoLista, SinNingunaSeccionSoloSeEscribeElPais) {
    PartidaLectura p;
    ASSERT_TRUE(p.preparada());
    p.lector().secciones = SeccionesLectura{false, false, false, false, false};
    QStringList cuerpo = {u("RELACIONES CON OTROS PAÍSES"), u("nº 1 Hombres del Bosque : Amistoso")};
    cuerpo += kCentro;
    cuerpo += {u("Aric Vel Grados : Mando 42 0 10 0"), u("85, Salud/Sigilo 5 +30"), u("Artefactos : Ninguno"),
               u("Aric Vel está actualmente en 1208.")};
    cuerpo += kHojas;
    EXPECT_TRUE(p.lee(InformeMinimo(cuerpo)));
    EXPECT_EQ(p.log(), (QStringList{u("--Leyendo Partida: 123 Pais: 07 Señores del Norte Turno: 012--"),
                                    u("Proceso de finalizado"), kFin}));
    const QStringList paises = filas(p.volcado(u("DSPais"), u("T123")));
    ASSERT_EQ(paises.size(), 1);
    EXPECT_TRUE(paises.first().contains(u(";Juan;")));
    EXPECT_TRUE(filas(p.volcado(u("DSCenPob"), u("T123"))).isEmpty());
    EXPECT_TRUE(filas(p.volcado(u("DSPjs"), u("T123"))).isEmpty());
}

TEST(LeeTurnoLista, CadaInterruptorLeeSuSeccion) {
    QStringList cuerpo = {u("RELACIONES CON OTROS PAÍSES"), u("nº 1 Hombres del Bosque : Amistoso")};
    cuerpo += kCentro;
    cuerpo += {u("Mando de Ejército : Capitán Aric Vel Localización actual : 1208 - Llano"),
               u("Clima : Frío Moral actual : 62 Galeras : 0 Transportes : 0"), u("Tipo"), u("Tren Suministros :"),
               u("Armas : 1 2 3"), u("Armaduras: 4 5 6 7"), u("Comida: 8 Maquinas: 9"), u("MANDOS DE COMPAÑIA :"),
               u("PRECIOS DE MERCADO")};
    cuerpo += {u("Aric Vel Grados : Mando 42 0 10 0"), u("85, Salud/Sigilo 5 +30"), u("Artefactos : Ninguno"),
               u("Aric Vel está actualmente en 1208.")};
    struct Caso { SeccionesLectura s; int paises, centros, pjs, ejercitos; };
    const Caso casos[] = {
        {{true, false, false, false, false}, 2, 0, 0, 0},
        {{false, true, false, false, false}, 1, 1, 0, 0},
        {{false, false, true, false, false}, 1, 0, 1, 0},
        {{false, false, false, true, false}, 1, 0, 0, 1},
        {{false, false, false, false, true}, 1, 0, 0, 0},
    };
    for (const auto& c : casos) {
        PartidaLectura p;
        p.lector().secciones = c.s;
        EXPECT_TRUE(p.lee(InformeMinimo(cuerpo))) << p.log().join('\n').toStdString();
        EXPECT_EQ(filas(p.volcado(u("DSPais"), u("T123"))).size(), c.paises);
        EXPECT_EQ(filas(p.volcado(u("DSCenPob"), u("T123"))).size(), c.centros);
        EXPECT_EQ(filas(p.volcado(u("DSPjs"), u("T123"))).size(), c.pjs);
        EXPECT_EQ(filas(p.volcado(u("DSEjer"), u("T123"))).size(), c.ejercitos);
    }
}

TEST(LeeTurnoLista, LosInformesDeDistintasPartidasSeLeenSeguidos) {
    PartidaLectura p;
    ASSERT_TRUE(p.preparada());
    EXPECT_TRUE(p.leeFichero(u("c045_14_turno05.txt")));
    EXPECT_TRUE(p.leeFichero(u("t123_07_turno12.txt")));
    EXPECT_TRUE(p.leeFichero(u("t123_03_turno01.txt")));
    EXPECT_EQ(p.volcado(u("DSCenPob"), u("C045")), PartidaLectura::esperado(u("c045_14_turno05.CenPob.csv")));
    const QStringList centros = p.volcado(u("DSCenPob"), u("T123"));
    EXPECT_EQ(centros.size(), 1 + 5 + 3);
    // Both nations of T123 are in its Paises; the first report's own row keeps its player data.
    const QStringList paises = filas(p.volcado(u("DSPais"), u("T123")));
    EXPECT_EQ(paises.size(), 14);
    EXPECT_TRUE(paises.contains(u("03;Enanos de Kazar;;3;;;;;;;;;;;;;;")));
    EXPECT_EQ(paises.value(6), PartidaLectura::esperado(u("t123_07_turno12.Paises.csv")).value(7));
}

TEST(LeeTurnoLista, UnaFichaEnEdicionEnOtroProgramaSeAnotaYElRestoSeLee) {
    PartidaLectura p;
    ASSERT_TRUE(p.preparada());
    EXPECT_TRUE(p.leeFichero(u("t123_07_turno12.txt")));
    InteraccionGuion otraUi;
    TDM otro(otraUi);
    otro.fijaCarpetaPartida(p.base() + u("/T123"));
    ASSERT_TRUE(otro.Abrir(u("DSPjs"), false, false));
    TTabla& pjs = *otro.tabla(u("TPjs"));
    ASSERT_TRUE(pjs.buscaClave({u("012"), u("Aric")}));
    ASSERT_TRUE(pjs.edita());
    p.lector().limpiaLog();
    EXPECT_FALSE(p.leeFichero(u("t123_07_turno12.txt")));
    QStringList errores;
    for (const QString& l : p.log())
        if (l.startsWith(u("Error al Leer"))) errores << l;
    EXPECT_EQ(errores, QStringList{u("Error al Leer (PJ): Aric Vel Grados : Mando 42 (47) 0 10 0")});
    pjs.cancela();
    otro.CerrarTodas();
    EXPECT_EQ(p.volcado(u("DSPjs"), u("T123")), PartidaLectura::esperado(u("t123_07_turno12.Pjs.csv")));
}

TEST(LeeTurnoLista, SinCatalogoSoloSePreguntaSiReintentar) {
    PartidaLectura p;
    ASSERT_TRUE(p.preparada());
    ASSERT_TRUE(QFile::remove(p.base() + u("/Partidas.DB")));
    EXPECT_FALSE(p.lee(InformeMinimo(kCentro)));
    EXPECT_EQ(p.log(), QStringList{u("--Leyendo Partida: 123 Pais: 07 Señores del Norte Turno: 012--")});
    EXPECT_EQ(p.ui.textos(), QStringList{u("Error en la apertura de la Tabla Partidas.DB.\rEl fichero no Existe o algun otro "
                                           "usuario esta usando el fichero en Modo Exclusivo.Vuelva a intentar la operacion o cancelela")});
    EXPECT_TRUE(filas(p.volcado(u("DSCenPob"), u("T123"))).isEmpty());
}
