#include "comun/impresion.h"
#include "reader/cabeceraturno.h"
#include "reader/textoinforme.h"

#include <gtest/gtest.h>

using namespace kz;

namespace {
QString u(const char* s) { return QString::fromUtf8(s); }
QStringList lineas(std::initializer_list<const char*> l) {
    QStringList r;
    for (auto s : l) r << u(s);
    return r;
}
QStringList cabecera(const char* primera, const char* quinta = "Tercera Edad - Juego por correo",
                     const char* ultima = "Un Pueblo Libre") {
    return lineas({primera, "INFORME DE TURNO", "Juan", "Calle", quinta, "Señores del Norte", ultima, "Estación : Invierno"});
}
const QChar kBlando(0x00AD);
} // namespace

TEST(CabeceraTurno, PreparaLineasQuitaLasVaciasYLosSaltosDePagina) {
    EXPECT_EQ(PreparaLineas(lineas({"  uno ", "", "   ", "\f", " \f ", "dos", "\fx"})), lineas({"  uno ", "dos", "\fx"}));
}

TEST(CabeceraTurno, ElGuionEsElUltimoDeLaPrimeraLineaQueTieneUno) {
    struct Caso { QStringList lineas; QString guion; };
    const Caso casos[] = {
        {lineas({"sin nada", "Cuarta Edad - Juego"}), u("-")},
        {{u("sin nada"), u("Cuarta Edad ") + kBlando + u(" Juego - x"), u("a ") + kBlando}, u("-")},
        {{u("Cuarta - Edad ") + kBlando + u(" Juego"), u("a - b")}, QString(kBlando)},
        {lineas({"nada", "tampoco"}), u("-")},
    };
    for (const auto& c : casos) {
        ContextoLectura ctx;
        DetectaGuion(c.lineas, ctx);
        EXPECT_EQ(ctx.guion, c.guion) << c.lineas.join('|').toStdString();
        EXPECT_EQ(ctx.guionEspaciado, u(" ") + c.guion + u(" "));
    }
}

TEST(CabeceraTurno, ReconoceLaCabeceraPorPosicion) {
    struct Caso {
        const char* primera;
        const char* quinta;
        const char* ultima;
        bool reconocida;
        const char *pais, *marca, *numero, *prefijo, *turno, *anterior;
        int bando;
    };
    const Caso casos[] = {
        {"07 KZIII Partida 123 Jugador 0457 Turno 12  1", "Tercera Edad", "Un Pueblo Libre", true, "07", "KZIII", "123", "T", "012", "011", 1},
        {"7 KZ Partida 45 Jugador 1 Turno 0 1", "  Cuarta Edad", "Un Servidor de la Oscuridad", true, "07", "KZ", "045", "C", "000", "", 2},
        {"14 KZ Partida 045 Jugador 1 Turno 5", "Cuarta", "Un Pueblo Neutral", true, "14", "KZ", "045", "C", "005", "004", 3},
        {"14 KZ Partida 045 Jugador 1 Turno 5", "Cuarta", "Desconocida", true, "14", "KZ", "045", "C", "005", "004", 0},
        // A double space moves every later word one place: word 4 is empty, word 8 is "Turno".
        {"07 KZIII  Partida 123 Jugador 0457 Turno 12", "Tercera", "Un Pueblo Libre", false, "", "", "", "", "", "", 0},
        {"07  KZIII Partida 123 Jugador 0457 Turno 12", "Tercera", "Un Pueblo Libre", false, "", "", "", "", "", "", 0},
        {"07 KZIII Partida  123 Jugador 0457 12 Turno", "Tercera", "Un Pueblo Libre", true, "07", "KZIII", "000", "T", "012", "011", 1},
        {"07 KZIII Partida 123 Jugador 0457 Turno", "Tercera", "Un Pueblo Libre", false, "", "", "", "", "", "", 0},
        {"07 KZIII Partida 123 Jugador 0457 Turno doce", "Tercera", "Un Pueblo Libre", false, "", "", "", "", "", "", 0},
        {"07 KZIII Partida 123 Jugador 0457 Turno 1000", "Tercera", "Un Pueblo Libre", false, "", "", "", "", "", "", 0},
        {"X7 KZIII Partida 123 Jugador 0457 Turno 12", "Tercera", "Un Pueblo Libre", false, "", "", "", "", "", "", 0},
        {"07 KZIII Partida 123 Equipo 0457 Turno 12", "Tercera", "Un Pueblo Libre", false, "", "", "", "", "", "", 0},
        {"07 KZIII Juego 123 Jugador 0457 Turno 12", "Tercera", "Un Pueblo Libre", false, "", "", "", "", "", "", 0},
        {"07 KZIII Partida 123 Jugador 0457 Vuelta 12", "Tercera", "Un Pueblo Libre", false, "", "", "", "", "", "", 0},
    };
    for (const auto& c : casos) {
        ContextoLectura ctx;
        const bool r = ReconoceCabecera(cabecera(c.primera, c.quinta, c.ultima), ctx);
        EXPECT_EQ(r, c.reconocida) << c.primera;
        if (!r || !c.reconocida) continue;
        EXPECT_EQ(ctx.codigoPais, u(c.pais)) << c.primera;
        EXPECT_EQ(ctx.marcaPagina, u(c.marca)) << c.primera;
        EXPECT_EQ(ctx.numeroPartida, u(c.numero)) << c.primera;
        EXPECT_EQ(ctx.prefijoPartida, u(c.prefijo)) << c.primera;
        EXPECT_EQ(ctx.turno, u(c.turno)) << c.primera;
        EXPECT_EQ(ctx.turnoImpreso, u(c.turno)) << c.primera;
        EXPECT_EQ(ctx.turnoAnterior, u(c.anterior)) << c.primera;
        EXPECT_EQ(ctx.bando, c.bando) << c.primera;
        EXPECT_EQ(ctx.nombrePais, u("Señores del Norte"));
    }
}

TEST(CabeceraTurno, ElBloqueDeCabeceraNecesitaCincoLineas) {
    ContextoLectura ctx;
    EXPECT_FALSE(ReconoceCabecera(lineas({"07 KZ Partida 1 Jugador 2 Turno 3", "Tercera", "Pais", "Libre", "Estación : x"}), ctx));
    // Without any "Estación : " line the whole text is the header block.
    ContextoLectura ctx2;
    ASSERT_TRUE(ReconoceCabecera(lineas({"07 KZ Partida 1 Jugador 2 Turno 3", "a", "b", "c", "Tercera", "Reino", "Neutral"}), ctx2));
    EXPECT_EQ(ctx2.nombrePais, u("Reino"));
    EXPECT_EQ(ctx2.bando, 3);
    ContextoLectura ctx3;
    EXPECT_FALSE(ReconoceCabecera({}, ctx3));
}

TEST(CabeceraTurno, LasCabecerasDePaginaSeQuitan) {
    const QStringList entrada = lineas({
        "07 KZIII Partida 123 Jugador 0457 Turno 12  1",
        "  Texto con espacios  ",
        "KZIII Partida 123 Jugador 0457 Turno 12  2",
        "Una línea.KZIII Partida 123 Jugador 0457 Turno 12  3",
        "Otra KZIII Partida 123 Jugador 0457 Turno 12 11",
        "KZIII Partida 123 Jugador 0457 Turno 12 12",
        "KZIII Partida 123 Jugador 0457 Turno 12  4",
        "Sigue",
        "KZIII Partida 123 Jugador 0457 Turno 12  5",
        "0101 0102 0103 0104 0105",
        "Lo que sigue a la rejilla no cuenta",
    });
    EXPECT_EQ(TextoCabeceraPagina(entrada), u("KZIII Partida 123 Jugador 0457 Turno 12"));
    EXPECT_EQ(QuitaCabecerasPagina(entrada),
              lineas({"07 KZIII Partida 123 Jugador 0457 Turno 12  1", "Texto con espacios", "Una línea", "Otra", "Sigue"}));
}

TEST(CabeceraTurno, UnaRejillaEsCincoTrozosDeCifrasYEspacios) {
    struct Caso { const char* siguiente; bool corta; };
    const Caso casos[] = {
        {"0101 0102 0103 0104 0105", true},
        {"  1    2    3", true},
        {"12", true},
        {"60 40 20 500 Caballeria Pesada", false},
        {"Recurso : Cuero", false},
        {"0101 0102 0103 0104 01x5", false},
    };
    for (const auto& c : casos) {
        const QStringList entrada = lineas({"07 KZ Partida 1 Jugador 2 Turno 3  1", "antes", "KZ Partida 1 Jugador 2 Turno 3  2",
                                            c.siguiente, "despues"});
        EXPECT_EQ(QuitaCabecerasPagina(entrada).size(), c.corta ? 2 : 4) << c.siguiente;
    }
}

TEST(CabeceraTurno, SinTextoDeCabeceraNoSeQuitaNada) {
    const QStringList entrada = lineas({"07 x", "12", "ab"});
    EXPECT_EQ(QuitaCabecerasPagina(entrada), entrada);
}

TEST(CabeceraTurno, DatosDelJugador) {
    struct Caso {
        QStringList lineas;
        bool leidos;
        DatosJugador d;
    };
    const Caso casos[] = {
        {lineas({"cab", "Internet: a@b.es x", "RELACIONES CON OTROS PAÍSES", "Internet: no@cuenta", "hojas de turno", "Jugador 1",
                 "Ana", "Gil Paz", "Calle 1", "Madrid", "COD.SEG : 7311", "Retornar las hojas antes del 22 Febrero 2005"}),
         true, {u("a@b.es"), u("Ana"), u("Gil Paz"), u("Calle 1"), u("Madrid"), u("7311"), u("22/2/2005")}},
        {lineas({"cab", "HOJAS DE TURNO", "Jugador 1", "Ana", "Gil", "Partida Nº 123", "Retornar las hojas el 1 mayo 2006",
                 "COD.SEG 12"}),
         true, {QString(), u("Ana"), u("Gil"), QString(), QString(), u("12"), u("1/5/2006")}},
        {lineas({"cab", "HOJAS DE TURNO"}), true, {}},
        {lineas({"cab", "HOJAS DE TURNO", "x", "Ana", "Retornar las hojas"}), true, {QString(), u("Ana"), u("Retornar las hojas")}},
        {lineas({"cab", "nada"}), false, {}},
        {lineas({"HOJAS DE TURNO", "x", "Ana"}), false, {}},
    };
    for (const auto& c : casos) {
        DatosJugador d;
        EXPECT_EQ(LeeDatosJugador(c.lineas, d), c.leidos) << c.lineas.join('|').toStdString();
        EXPECT_EQ(d.email, c.d.email);
        EXPECT_EQ(d.nombre, c.d.nombre);
        EXPECT_EQ(d.apellidos, c.d.apellidos);
        EXPECT_EQ(d.direccion1, c.d.direccion1);
        EXPECT_EQ(d.direccion2, c.d.direccion2);
        EXPECT_EQ(d.codigoSeguridad, c.d.codigoSeguridad);
        EXPECT_EQ(d.fechaTurno, c.d.fechaTurno);
    }
}

TEST(TextoInforme, LineasDeUtf8ConCualquierFinDeLinea) {
    struct Caso { QByteArray datos; QStringList lineas; };
    const Caso casos[] = {
        {QByteArray("uno\r\ndos\r\n"), lineas({"uno", "dos"})},
        {QByteArray("uno\ndos"), lineas({"uno", "dos"})},
        {QByteArray("uno\rdos\n\ntres"), lineas({"uno", "dos", "", "tres"})},
        {QByteArray("Moral \xE2\x88\x92" "3"), lineas({"Moral -3"})},
        {QByteArray("\xEF\xBB\xBFLegi\xC3\xB3n"), lineas({"Legión"})},
        {QByteArray("Legi\xF3n \xAD x"), {u("Legión ") + QChar(0x00AD) + u(" x")}},
        {QByteArray(), QStringList()},
        {QByteArray("\n"), lineas({""})},
    };
    for (const auto& c : casos) EXPECT_EQ(LineasDeTexto(c.datos), c.lineas) << c.datos.toStdString();
}
