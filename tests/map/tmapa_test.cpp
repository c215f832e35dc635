// The drawing of the map, checked on the pixels of the rendered picture.

#include "fixturamapa.h"
#include "map/colortexto.h"
#include "map/tmapa.h"

#include <QDir>
#include <gtest/gtest.h>
#include <memory>

using namespace kz;
using namespace kz::prueba;

namespace {

const QColor kAzul(0, 0, 255);
const QString kTurno = QStringLiteral("001");

// Without the texts, so that no letter falls on what a test looks at.
OpcionesMapa sinTextos() {
    OpcionesMapa o;
    o.verNum = false;
    o.verIdPais = false;
    return o;
}

std::unique_ptr<TMapa> dibuja(FixturaMapa& fx, const OpcionesMapa& o = sinTextos(), const QString& turno = kTurno) {
    auto m = std::make_unique<TMapa>(fx.dm, fx.programa());
    m->FijaTurno(turno);
    m->Opciones = o;
    QString error;
    EXPECT_TRUE(m->Arranca(error)) << error.toStdString();
    return m;
}

QImage simbolo(const QString& fichero) {
    return QImage(CarpetaPrueba::programaConstruido() + QStringLiteral("/Bitmap/") + fichero)
        .convertToFormat(QImage::Format_RGB32);
}

// Every pixel of the symbol that is not its key colour is on the picture at `o`.
::testing::AssertionResult estaDibujado(const QImage& lienzo, const QImage& s, QPoint o) {
    if (s.isNull()) return ::testing::AssertionFailure() << "símbolo vacío";
    const QRgb clave = qRgb(128, 0, 0);
    int vistos = 0;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) {
            const QRgb p = s.pixel(x, y);
            if (p == clave) continue;
            ++vistos;
            if (lienzo.pixel(o.x() + x, o.y() + y) != p)
                return ::testing::AssertionFailure() << "píxel " << x << "," << y << " del símbolo en " << o.x() << ","
                                                     << o.y();
        }
    return vistos ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "símbolo sin píxeles";
}

QPoint centro(const TMapa& m, const char* hex) {
    const QPoint h = THexMap::StrToHex(QString::fromLatin1(hex));
    return m.HexMap1.HexToPixel(h.x(), h.y());
}

QPoint centrado(QPoint c, const QImage& s, int bajada = 0) {
    return {c.x() - s.width() / 2, c.y() - s.height() / 2 + bajada};
}

int cuentaColor(const QImage& img, const QRect& zona, const QColor& color) {
    int n = 0;
    for (int y = zona.top(); y <= zona.bottom(); ++y)
        for (int x = zona.left(); x <= zona.right(); ++x) n += img.pixelColor(x, y) == color;
    return n;
}

} // namespace

TEST(ColorDeTexto, NombresYNumeros) {
    struct Caso { const char* texto; bool valido; QColor color; };
    const Caso casos[] = {
        {"clGreen", true, QColor(0, 128, 0)},
        {"CLRED", true, QColor(255, 0, 0)},
        {"$00A05010", true, QColor(0x10, 0x50, 0xA0)},
        {"$0000FF", true, QColor(255, 0, 0)},
        {"0x00FF0000", true, QColor(0, 0, 255)},
        {"255", true, QColor(255, 0, 0)},
        {"clVerde", false, {}},
        {"", false, {}},
        {"$80000005", false, {}},   // system colours have no fixed value
    };
    for (const auto& c : casos) {
        QColor color(1, 2, 3);
        EXPECT_EQ(ColorDeTexto(QString::fromLatin1(c.texto), color), c.valido) << c.texto;
        EXPECT_EQ(color, c.valido ? c.color : QColor(1, 2, 3)) << c.texto;
    }
}

TEST(TMapaTerreno, RellenoPorCodigoYSinCodigoValido) {
    FixturaMapa fx;
    fx.hex({QStringLiteral("0505"), QStringLiteral("06")});
    fx.hex({QStringLiteral("0605"), QStringLiteral("")});
    fx.hex({QStringLiteral("0705"), QStringLiteral("12")});
    fx.hex({QStringLiteral("0805"), QStringLiteral("x")});
    auto m = dibuja(fx);
    const QImage& img = m->HexMap1.Buffer();
    EXPECT_EQ(img.pixelColor(centro(*m, "0505")), QColor(0, 128, 0));   // "clGreen"
    EXPECT_EQ(img.pixelColor(centro(*m, "0101")), FixturaMapa::colorTerreno(4));
    for (const char* h : {"0605", "0705", "0805"}) EXPECT_EQ(img.pixelColor(centro(*m, h)), QColor(0, 128, 128)) << h;
    // The minimap shares the records and paints the same colours.
    EXPECT_EQ(m->HexMap2.HexData(), m->HexMap1.HexData());
    EXPECT_EQ(m->HexMap2.Buffer().pixelColor(m->HexMap2.HexToPixel(5, 5)), QColor(0, 128, 0));
    EXPECT_TRUE(fx.ui.preguntas.isEmpty());
}

TEST(TMapaTerreno, UnColorQueNoEsColorSeAvisaYElTerrenoQuedaSinColor) {
    FixturaMapa fx;
    fx.terrenoColor(QStringLiteral("04"), QStringLiteral("verdoso"));
    auto m = dibuja(fx);
    ASSERT_EQ(fx.ui.textos(), QStringList({QStringLiteral("El color \"verdoso\" del terreno 04 no es un color válido.")}));
    EXPECT_EQ(m->HexMap1.Buffer().pixelColor(centro(*m, "0101")), QColor(0, 128, 128));
    EXPECT_EQ(m->ColoresTerreno.size(), 9);
}

TEST(TMapaRelleno, RegistrosEstadoYCursor) {
    FixturaMapa fx;
    fx.hex({QStringLiteral("0203"), QStringLiteral("02"), QStringLiteral("100001"), QStringLiteral("010000"),
            QStringLiteral("001000"), QStringLiteral("000100"), QStringLiteral("x1 1 1")});
    auto m = dibuja(fx);
    const TRHex& r = m->HexMap1.Dato(1, 2);
    EXPECT_EQ(r.Hex, QStringLiteral("0203"));
    EXPECT_EQ(r.Terreno, QStringLiteral("02"));
    EXPECT_EQ(r.Rio, lado(ladoNE) | lado(ladoNO));
    EXPECT_EQ(r.Ria, lado(ladoE));
    EXPECT_EQ(r.Puente, lado(ladoSE));
    EXPECT_EQ(r.Vado, lado(ladoSO));
    EXPECT_EQ(r.Camino, lado(ladoE) | lado(ladoSO) | lado(ladoNO));   // only "1" marks a side
    EXPECT_EQ(r.Pos, QPoint(1, 2));
    EXPECT_EQ(m->HexMap1.Dato(0, 0).Rio, 0);
    EXPECT_TRUE(fx.ui.estados.contains(QStringLiteral("Generando Mapa...")));

    // A hex whose row is gone keeps nothing of the last fill.
    TTabla& hexes = *fx.dm.tabla(QStringLiteral("THex"));
    ASSERT_TRUE(hexes.buscaClave({QStringLiteral("0203")}));
    ASSERT_TRUE(hexes.borra());
    m->RellenarMapa();
    EXPECT_TRUE(m->HexMap1.Dato(1, 2).Terreno.isEmpty());
    EXPECT_EQ(m->HexMap1.Dato(1, 2).Rio, 0);
    EXPECT_EQ(m->HexMap1.Buffer().pixelColor(m->HexMap1.HexToPixel(2, 3)), QColor(0, 128, 128));
    EXPECT_EQ(fx.ui.estados.last(), QString());
    EXPECT_EQ(fx.ui.nivelEspera, 0);
}

// A hex with rivers on all six sides draws six blue lines R div 10 wide; a stream R div 20,
// at least one pixel.
TEST(TMapaDibujo, AnchoDeRiosYRiachuelos) {
    struct Caso { int zoom, radio, anchoRio, anchoRia; };
    FixturaMapa fx;
    fx.hex({QStringLiteral("1010"), QStringLiteral("04"), QStringLiteral("111111")});
    fx.hex({QStringLiteral("1410"), QStringLiteral("04"), QString(), QStringLiteral("111111")});
    auto m = dibuja(fx);
    for (const Caso& c : {Caso{3, 30, 3, 1}, Caso{0, 16, 1, 1}}) {
        QString error;
        ASSERT_TRUE(m->CambiaZoom(c.zoom, error));
        ASSERT_EQ(m->HexMap1.HexRadius(), c.radio);
        const QImage& img = m->HexMap1.Buffer();
        const int w = m->HexMap1.MedioAncho();
        const QPoint rio = centro(*m, "1010"), ria = centro(*m, "1410");
        // Across the west side, on the row of the centre.
        EXPECT_EQ(cuentaColor(img, QRect(rio.x() - w - 4, rio.y(), 10, 1), kAzul), c.anchoRio) << c.radio;
        EXPECT_EQ(cuentaColor(img, QRect(ria.x() - w - 4, ria.y(), 10, 1), kAzul), c.anchoRia) << c.radio;
        // Each of the six sides is blue half-way along (the outlines of the hexes drawn later
        // may cover the outer pixel of the line, never all of it).
        const int r = c.radio, h = r / 2, x = rio.x(), y = rio.y();
        const QPoint esquinas[] = {{x + 1, y - r + 1}, {x + w - 1, y - h + 1}, {x + w - 1, y + h},
                                   {x - 1, y + r - 1}, {x - w + 1, y + h - 1}, {x - w + 1, y - h}};
        for (int i = 0; i < 6; ++i) {
            const QPoint medio = (esquinas[i] + esquinas[(i + 1) % 6]) / 2;
            EXPECT_GT(cuentaColor(img, QRect(medio - QPoint(1, 1), QSize(3, 3)), kAzul), 0) << c.radio << " lado " << i;
        }
    }
}

TEST(TMapaDibujo, CaminosPuentesYVados) {
    FixturaMapa fx;
    fx.hex({QStringLiteral("1010"), QStringLiteral("04"), {}, {}, QStringLiteral("000010"), QStringLiteral("010000"),
            QStringLiteral("000010")});
    auto m = dibuja(fx);
    const QImage& img = m->HexMap1.Buffer();
    const QPoint c = centro(*m, "1010");
    const int w = m->HexMap1.MedioAncho();
    EXPECT_EQ(img.pixelColor(c.x() - 12, c.y()), QColor(128, 0, 0));          // road to the west
    EXPECT_EQ(img.pixelColor(c.x() - w + 2, c.y()), QColor(0, 0, 128));       // bridge on it
    EXPECT_EQ(img.pixelColor(c.x() + w - 3, c.y()), QColor(128, 128, 0));     // ford on the east
    EXPECT_EQ(img.pixelColor(c.x() + 12, c.y()), FixturaMapa::colorTerreno(4));
}

// The symbol of a centre by size, allegiance and inheritance: 5 x BANDO + TIPOCP, plus 21 when
// inherited; size "00" is the ruin whatever the allegiance.
TEST(TMapaCentros, SimboloPorTamanoBandoYHerencia) {
    struct Caso { const char* hex; const char* pais; const char* tipo; bool heredado; const char* fichero; int indice; };
    const Caso casos[] = {
        {"0505", "02", "03", false, "CPO3.bmp", 13},
        {"0705", "02", "03", true, "CPO3s.bmp", 34},
        {"0905", "02", "00", false, "CP6.bmp", 0},
        {"1105", "01", "00", true, "CP6s.bmp", 21},
        {"1305", "01", "03", false, "CPL3.bmp", 8},
        {"1505", "03", "05", false, "CPN5.bmp", 20},
        {"1705", "09", "02", false, "CP2.bmp", 2},     // nation not in Paises
        {"1905", "04", "01", true, "CP1s.bmp", 22},    // nation with no allegiance
        {"2105", "05", "04", false, "CP4.bmp", 4},     // allegiance "7" is none of the three
    };
    FixturaMapa fx;
    fx.pais(QStringLiteral("01"), QStringLiteral("Libres"), QStringLiteral("LI"), QStringLiteral("1"));
    fx.pais(QStringLiteral("02"), QStringLiteral("Oscuros"), QStringLiteral("OS"), QStringLiteral("2"));
    fx.pais(QStringLiteral("03"), QStringLiteral("Neutrales"), QStringLiteral("NE"), QStringLiteral("3"));
    fx.pais(QStringLiteral("04"), QStringLiteral("Sin bando"), QStringLiteral("SB"), QString());
    fx.pais(QStringLiteral("05"), QStringLiteral("Raros"), QStringLiteral("RA"), QStringLiteral("7"));
    for (const auto& c : casos)
        fx.centro({kTurno, QString::fromLatin1(c.hex), QString::fromLatin1(c.pais), QString::fromLatin1(c.tipo), {}, {},
                   false, false, c.heredado});
    auto m = dibuja(fx);
    for (const auto& c : casos) {
        const QImage s = simbolo(QString::fromLatin1(c.fichero));
        EXPECT_EQ(m->Simbolos.BitmapsCenPob[c.indice], s) << c.fichero;
        EXPECT_TRUE(estaDibujado(m->HexMap1.Buffer(), s, centrado(centro(*m, c.hex), s))) << c.fichero;
    }
    EXPECT_TRUE(fx.ui.preguntas.isEmpty()) << fx.ui.textos().join(QLatin1Char('|')).toStdString();
}

TEST(TMapaCentros, OcultoBocaAbajoYDosPixelesMasAbajo) {
    FixturaMapa fx;
    fx.pais(QStringLiteral("02"), QStringLiteral("Oscuros"), QStringLiteral("OS"), QStringLiteral("2"));
    fx.centro({kTurno, QStringLiteral("0505"), QStringLiteral("02"), QStringLiteral("03"), {}, {}, false, true, false});
    auto m = dibuja(fx);
    const QImage s = simbolo(QStringLiteral("CPO3.bmp"));
    const QImage girado = s.mirrored(true, true);
    ASSERT_NE(girado, s);
    EXPECT_TRUE(estaDibujado(m->HexMap1.Buffer(), girado, centrado(centro(*m, "0505"), s, 2)));
    EXPECT_FALSE(estaDibujado(m->HexMap1.Buffer(), s, centrado(centro(*m, "0505"), s)));
}

TEST(TMapaCentros, CapitalFortificacionMuelleYAlias) {
    FixturaMapa fx;
    fx.pais(QStringLiteral("01"), QStringLiteral("Libres"), QStringLiteral("LI"), QStringLiteral("1"));
    fx.centro({kTurno, QStringLiteral("1010"), QStringLiteral("01"), QStringLiteral("04"), QStringLiteral("03"),
               QStringLiteral("02"), true});
    auto m = dibuja(fx);
    const QImage& img = m->HexMap1.Buffer();
    const QPoint c = centro(*m, "1010");
    const int w = m->HexMap1.MedioAncho();
    EXPECT_EQ(img.pixelColor(c.x() - w + 5, c.y()), QColor(0, 255, 255));   // capital ring, a = 30 div 6
    const QImage forti = simbolo(QStringLiteral("Forti3.bmp")), ancla = simbolo(QStringLiteral("Ancla2.bmp"));
    const QImage cp = simbolo(QStringLiteral("CPL4.bmp"));
    EXPECT_TRUE(estaDibujado(img, cp, centrado(c, cp)));
    EXPECT_TRUE(estaDibujado(img, ancla, {c.x() - ancla.width() / 2, c.y() - w}));
    // The walls stand behind the centre: their top rows show above it.
    const QPoint oForti(c.x() - forti.width() / 2, c.y() - forti.height() + 2);
    EXPECT_EQ(img.pixel(oForti + QPoint(forti.width() - 1, forti.height() - 4)),
              forti.pixel(forti.width() - 1, forti.height() - 4));
    EXPECT_EQ(m->HexMap1.Dato(9, 9).Muelle, QStringLiteral("02"));

    // The alias is written only with "Ver Id Pais".
    const QRect bajoCentro(c.x() - 8, c.y() + 6, 16, 9);
    OpcionesMapa conAlias = sinTextos();
    conAlias.verIdPais = true;
    auto m2 = dibuja(fx, conAlias);
    EXPECT_GT(cuentaColor(m2->HexMap1.Buffer(), bajoCentro, Qt::black), cuentaColor(img, bajoCentro, Qt::black));

    // Another turn without the centre: no dock is left in the record.
    m->FijaTurno(QStringLiteral("002"));
    m->RellenarMapa();
    EXPECT_TRUE(m->HexMap1.Dato(9, 9).Muelle.isEmpty());
}

TEST(TMapaPiezas, PersonajesYEjercitosPorBando) {
    FixturaMapa fx;
    fx.pais(QStringLiteral("01"), QStringLiteral("Libres"), QStringLiteral("LI"), QStringLiteral("1"));
    fx.pais(QStringLiteral("02"), QStringLiteral("Oscuros"), QStringLiteral("OS"), QStringLiteral("2"));
    fx.pais(QStringLiteral("03"), QStringLiteral("Neutrales"), QStringLiteral("NE"), QStringLiteral("3"));
    fx.personaje(kTurno, QStringLiteral("00001"), QStringLiteral("0505"), QStringLiteral("01"));
    fx.personaje(kTurno, QStringLiteral("00002"), QStringLiteral("0505"), QStringLiteral("02"));
    fx.personaje(kTurno, QStringLiteral("00003"), QStringLiteral("0505"), QStringLiteral("03"));
    fx.personaje(kTurno, QStringLiteral("00004"), QStringLiteral("0505"), QStringLiteral("44"));
    fx.personaje(kTurno, QStringLiteral("00005"), QStringLiteral("0707"), QStringLiteral("44"));
    fx.personaje(QStringLiteral("002"), QStringLiteral("00006"), QStringLiteral("0909"), QStringLiteral("01"));
    fx.ejercito(kTurno, QStringLiteral("0505"), QStringLiteral("00001"), QStringLiteral("1"), QStringLiteral("01"));
    fx.ejercito(kTurno, QStringLiteral("0505"), QStringLiteral("00002"), QStringLiteral("1"), QStringLiteral("02"));
    fx.ejercito(kTurno, QStringLiteral("0505"), QStringLiteral("00003"), QStringLiteral("1"), QStringLiteral("44"));
    fx.ejercito(kTurno, QStringLiteral("0707"), QStringLiteral("00005"), QStringLiteral("2"), QStringLiteral("44"));
    fx.ejercito(kTurno, QStringLiteral("0909"), QStringLiteral("00007"), QStringLiteral("2"), QString());
    auto m = dibuja(fx);
    const QImage& img = m->HexMap1.Buffer();
    const int w = m->HexMap1.MedioAncho();
    const QImage per = simbolo(QStringLiteral("Per.bmp")), per1 = simbolo(QStringLiteral("Per1.bmp")),
                 per2 = simbolo(QStringLiteral("Per2.bmp")), per3 = simbolo(QStringLiteral("Per3.bmp"));
    const QImage ejer1 = simbolo(QStringLiteral("Ejer1.bmp")), ejer2 = simbolo(QStringLiteral("Ejer2.bmp")),
                 ejer3 = simbolo(QStringLiteral("Ejer3.bmp"));
    QPoint c = centro(*m, "0505");
    EXPECT_TRUE(estaDibujado(img, per1, {c.x() - w + 1, c.y() - w / 2}));
    EXPECT_TRUE(estaDibujado(img, per2, {c.x() - w + 1, c.y() - w / 2 + per2.height() + 1}));
    EXPECT_TRUE(estaDibujado(img, per3, {c.x() - w + 2 + per3.width(), c.y() - w / 2}));
    EXPECT_TRUE(estaDibujado(img, per, {c.x() - w + 2 + per.width(), c.y() - w / 2 + per.height() + 1}));
    EXPECT_TRUE(estaDibujado(img, ejer1, {c.x() - w + 1, c.y() + w / 2 - int(ejer1.height() / 1.5)}));
    EXPECT_TRUE(estaDibujado(img, ejer2, {c.x() + w - 1 - ejer2.width(), c.y() + w / 2 - int(ejer2.height() / 1.5)}));
    EXPECT_TRUE(estaDibujado(img, ejer3, {c.x() - ejer3.width() / 2, c.y() + w - ejer3.height()}));

    // A character and an army of a nation missing from Paises: "Per" and "Ejer3" only.
    c = centro(*m, "0707");
    EXPECT_TRUE(estaDibujado(img, per, {c.x() - w + 2 + per.width(), c.y() - w / 2 + per.height() + 1}));
    EXPECT_FALSE(estaDibujado(img, per1, {c.x() - w + 1, c.y() - w / 2}));
    EXPECT_TRUE(estaDibujado(img, ejer3, {c.x() - ejer3.width() / 2, c.y() + w - ejer3.height()}));
    EXPECT_FALSE(estaDibujado(img, ejer2, {c.x() + w - 1 - ejer2.width(), c.y() + w / 2 - int(ejer2.height() / 1.5)}));

    // An army naming no nation counts by its own allegiance; a character of another turn is not drawn.
    c = centro(*m, "0909");
    EXPECT_TRUE(estaDibujado(img, ejer2, {c.x() + w - 1 - ejer2.width(), c.y() + w / 2 - int(ejer2.height() / 1.5)}));
    EXPECT_FALSE(estaDibujado(img, per1, {c.x() - w + 1, c.y() - w / 2}));
}

TEST(TMapaPiezas, AvistamientosPorTurnoYNotas) {
    struct Caso { const char* hex; QStringList turnos; bool dibuja; };
    const Caso casos[] = {
        {"0505", {QStringLiteral("001")}, true},
        {"0705", {QStringLiteral("000")}, true},
        {"0905", {QStringLiteral("")}, true},
        {"1105", {QStringLiteral("005")}, false},   // recorded for a later turn
        {"1305", {QStringLiteral("000"), QStringLiteral("007")}, true},
    };
    FixturaMapa fx;
    int n = 0;
    for (const auto& c : casos)
        for (const QString& t : c.turnos)
            fx.avistamiento(QStringLiteral("%1").arg(++n, 4, 10, QLatin1Char('0')), QString::fromLatin1(c.hex), t);
    fx.hex({QStringLiteral("1505"), QStringLiteral("04"), {}, {}, {}, {}, {}, QStringLiteral("Hay un puente roto")});
    fx.hex({QStringLiteral("1705"), QStringLiteral("04"), {}, {}, {}, {}, {}, QStringLiteral("   ")});
    auto m = dibuja(fx);
    const QImage& img = m->HexMap1.Buffer();
    const int w = m->HexMap1.MedioAncho();
    const QImage enc = simbolo(QStringLiteral("Enc.bmp")), info = simbolo(QStringLiteral("Info.bmp"));
    for (const auto& c : casos) {
        const QPoint p = centro(*m, c.hex);
        EXPECT_EQ(estaDibujado(img, enc, {p.x() + int(w / 1.6), p.y() - int(w / 2.5)}), c.dibuja) << c.hex;
    }
    QPoint p = centro(*m, "1505");
    EXPECT_TRUE(estaDibujado(img, info, {p.x() + w / 2, p.y() - int(w / 2.5)}));
    p = centro(*m, "1705");
    EXPECT_FALSE(estaDibujado(img, info, {p.x() + w / 2, p.y() - int(w / 2.5)}));
}

TEST(TMapaVista, MarcasDeLasAreasConElDesplazamientoFijo) {
    FixturaMapa fx;
    fx.pais(QStringLiteral("01"), QStringLiteral("Libres del Este"), QStringLiteral("LE"), QStringLiteral("1"),
            QStringLiteral("4001"));
    fx.pais(QStringLiteral("02"), QStringLiteral("Oscuros del Sur"), QStringLiteral("OS"), QStringLiteral("2"),
            QStringLiteral("0135"));
    fx.pais(QStringLiteral("03"), QStringLiteral("Sin bando"), QStringLiteral("SB"), QString(), QStringLiteral("1010"));
    fx.pais(QStringLiteral("04"), QStringLiteral("Sin mapa"), QStringLiteral("SM"), QStringLiteral("3"));
    auto m = dibuja(fx);
    auto marcas = [&](int c, int f, int b) { return m->HexMap1.Dato(c, f).Marcas[b]; };
    const LadosHex arriba = lado(ladoNE) | lado(ladoNO), abajo = lado(ladoSE) | lado(ladoSO);
    const LadosHex izquierda = lado(ladoO) | lado(ladoNO) | lado(ladoSO),
                   derecha = lado(ladoNE) | lado(ladoE) | lado(ladoSE);
    // "4001": columns 36 to 44 (35 to 43 from zero), rows 1 to 13.
    EXPECT_EQ(marcas(35, 0, 1), arriba | izquierda);
    EXPECT_EQ(marcas(43, 0, 1), arriba | derecha);
    EXPECT_EQ(marcas(39, 0, 1), arriba);
    EXPECT_EQ(marcas(35, 1, 1), lado(ladoO));
    EXPECT_EQ(marcas(42, 1, 1), lado(ladoE));
    EXPECT_EQ(marcas(35, 12, 1), izquierda | abajo);
    EXPECT_EQ(marcas(34, 0, 1), 0);
    EXPECT_EQ(marcas(39, 13, 1), 0);
    // "0135": rows 27 to 39.
    EXPECT_EQ(marcas(0, 26, 2), arriba | izquierda);
    EXPECT_EQ(marcas(8, 38, 2), abajo | derecha);
    // No allegiance: the set of the others.
    EXPECT_EQ(marcas(9, 9, 0), arriba | izquierda);
    for (int b : {1, 2, 3}) EXPECT_EQ(marcas(9, 9, b), 0);

    // Not ticked: no border drawn. Ticked: the border and, in the corner hex, the name.
    const QPoint c = centro(*m, "3601");
    const int w = m->HexMap1.MedioAncho();
    const QPoint medioOeste(c.x() - w + 1, c.y());
    EXPECT_NE(m->HexMap1.Buffer().pixelColor(medioOeste), QColor(0, 255, 0));
    OpcionesMapa libres = sinTextos();
    libres.ven[1] = true;
    auto m2 = dibuja(fx, libres);
    EXPECT_EQ(m2->HexMap1.Buffer().pixelColor(medioOeste), QColor(0, 255, 0));
    EXPECT_NE(m2->HexMap1.Buffer().pixelColor(centro(*m2, "0127") - QPoint(w - 1, 0)), QColor(255, 0, 0));
    OpcionesMapa otros = sinTextos();
    otros.ven[0] = true;
    auto m3 = dibuja(fx, otros);
    EXPECT_EQ(m3->HexMap1.Buffer().pixelColor(centro(*m3, "1010") - QPoint(w - 1, 0)), QColor(255, 255, 255));
    // The name is written where it is when it changes the picture: "1010" is the corner of the
    // others' area; "4001" is not the corner of its shifted area, so nothing is written there.
    const QRect esquinaEste(c.x() - w, c.y() - w - 1, 4 * w, 12);
    const QPoint c2 = centro(*m3, "1010");
    const QRect esquinaOtros(c2.x() - w, c2.y() - w - 1, 4 * w, 12);
    const QImage conNombre = m2->HexMap1.Buffer().copy(esquinaEste), conNombreOtros = m3->HexMap1.Buffer().copy(esquinaOtros);
    fx.renombraPais(QStringLiteral("01"), QString());
    fx.renombraPais(QStringLiteral("03"), QString());
    m2->RellenarMapa();
    m3->RellenarMapa();
    EXPECT_EQ(m2->HexMap1.Buffer().copy(esquinaEste), conNombre);
    EXPECT_NE(m3->HexMap1.Buffer().copy(esquinaOtros), conNombreOtros);
}

// "  75%" asks for radius 23: the grid keeps 24 and the symbols are scaled by 23/30, except the
// inherited ones, "Enc" and "Info".
TEST(TMapaZoom, SetentaYCincoPorCiento) {
    FixturaMapa fx;
    fx.pais(QStringLiteral("02"), QStringLiteral("Oscuros"), QStringLiteral("OS"), QStringLiteral("2"));
    fx.centro({kTurno, QStringLiteral("0505"), QStringLiteral("02"), QStringLiteral("03")});
    auto m = dibuja(fx);
    EXPECT_EQ(TMapa::ElementosZoom().value(2), QStringLiteral("  75%"));
    QString error;
    ASSERT_TRUE(m->CambiaZoom(2, error)) << error.toStdString();
    EXPECT_EQ(m->HexMap1.HexRadius(), 24);
    auto escalado = [](const QImage& s) { return QSize(qRound(s.width() * 23 / 30.0), qRound(s.height() * 23 / 30.0)); };
    for (int i = 0; i < TSimbolosMapa::kCenPob; ++i) {
        const QImage original = simbolo(TSimbolosMapa::FicheroCenPob(i));
        EXPECT_EQ(m->Simbolos.BitmapsCenPob[i].size(), i <= 20 ? escalado(original) : original.size()) << i;
    }
    for (int i = 1; i < TSimbolosMapa::kMapa; ++i) {
        const QImage original = simbolo(TSimbolosMapa::FicheroMapa(i));
        EXPECT_EQ(m->Simbolos.BitmapsMapa[i].size(), i <= 14 ? escalado(original) : original.size()) << i;
    }
    const QImage& cpo3 = m->Simbolos.BitmapsCenPob[13];
    EXPECT_TRUE(estaDibujado(m->HexMap1.Buffer(), cpo3, centrado(centro(*m, "0505"), cpo3)));
    EXPECT_EQ(m->HexMap1.Tamano(), QSize(44 * 2 * 21 + 24, 32 * 44 + 48));
    // Any other index is 100%; the same radius again changes nothing.
    EXPECT_EQ(TMapa::RadioDeZoom(7), 30);
    ASSERT_TRUE(m->CambiaZoom(-1, error));
    EXPECT_EQ(m->HexMap1.HexRadius(), 30);
    EXPECT_EQ(m->Simbolos.BitmapsCenPob[13].size(), simbolo(QStringLiteral("CPO3.bmp")).size());
}

TEST(TMapaErrores, UnHexQueNoSePuedeDibujarAvisaYLosDemasSiguen) {
    FixturaMapa fx;
    fx.pais(QStringLiteral("01"), QStringLiteral("Libres"), QStringLiteral("LI"), QStringLiteral("1"));
    fx.centro({kTurno, QStringLiteral("0505"), QStringLiteral("01"), QStringLiteral("03"), QStringLiteral("x9")});
    fx.centro({kTurno, QStringLiteral("0705"), QStringLiteral("01"), QStringLiteral("9")});
    fx.centro({kTurno, QStringLiteral("0905"), QStringLiteral("01"), QStringLiteral("03")});
    fx.personaje(kTurno, QStringLiteral("00001"), QStringLiteral("0505"), QStringLiteral("01"));
    auto m = dibuja(fx);
    EXPECT_EQ(fx.ui.textos(), QStringList({TMapa::kErrorHex}));
    EXPECT_EQ(TMapa::kErrorHex, QStringLiteral("Se produjo un error al cargar la informacion del hex. Revisa los datos."));
    const QImage& img = m->HexMap1.Buffer();
    const int w = m->HexMap1.MedioAncho();
    const QImage per1 = simbolo(QStringLiteral("Per1.bmp")), cpl3 = simbolo(QStringLiteral("CPL3.bmp"));
    const QPoint roto = centro(*m, "0505");
    EXPECT_FALSE(estaDibujado(img, per1, {roto.x() - w + 1, roto.y() - w / 2}));   // the rest of that hex
    EXPECT_TRUE(estaDibujado(img, cpl3, centrado(centro(*m, "0905"), cpl3)));
    // A redraw that finds the same fault says so again, once.
    m->Aplicar();
    EXPECT_EQ(fx.ui.preguntas.size(), 2);
}

TEST(TMapaRedibujo, UnHexLeeSusFilasSinRellenarElMapa) {
    FixturaMapa fx;
    auto m = dibuja(fx);
    fx.pais(QStringLiteral("01"), QStringLiteral("Libres"), QStringLiteral("LI"), QStringLiteral("1"));
    fx.centro({kTurno, QStringLiteral("0505"), QStringLiteral("01"), QStringLiteral("02"), {}, QStringLiteral("01")});
    const QImage cp = simbolo(QStringLiteral("CP2.bmp"));   // nations were read at the last fill
    m->RedibujaHex(QStringLiteral("0505"));
    EXPECT_TRUE(estaDibujado(m->HexMap1.Buffer(), cp, centrado(centro(*m, "0505"), cp)));
    EXPECT_EQ(m->HexMap1.Dato(4, 4).Muelle, QStringLiteral("01"));
    m->RellenarMapa();
    const QImage cpl = simbolo(QStringLiteral("CPL2.bmp"));
    EXPECT_TRUE(estaDibujado(m->HexMap1.Buffer(), cpl, centrado(centro(*m, "0505"), cpl)));
}

TEST(TMapaSimbolos, FicheroQueFaltaDetieneLaCargaYConservaLosAnteriores) {
    FixturaMapa fx;
    auto m = dibuja(fx);
    const QImage antes = m->Simbolos.BitmapsMapa[TSimbolosMapa::smEnc];
    ASSERT_TRUE(QFile::remove(fx.carpeta.fichero(QStringLiteral("Bitmap/Enc.bmp"))));
    QString error;
    EXPECT_FALSE(m->CargarBitmaps(error));
    EXPECT_EQ(error, QStringLiteral("No se puede abrir el fichero ") +
                         QDir::toNativeSeparators(fx.carpeta.fichero(QStringLiteral("Bitmap/Enc.bmp"))));
    EXPECT_EQ(m->Simbolos.BitmapsMapa[TSimbolosMapa::smEnc], antes);
    // Names that differ only in letter case are found.
    ASSERT_TRUE(QFile::copy(CarpetaPrueba::programaConstruido() + QStringLiteral("/Bitmap/Enc.bmp"),
                            fx.carpeta.fichero(QStringLiteral("Bitmap/ENC.BMP"))));
    EXPECT_TRUE(m->CargarBitmaps(error)) << error.toStdString();
}

TEST(TMapaSimbolos, TransparenteAlternativoYDibujoPixelAPixel) {
    QImage s(3, 2, QImage::Format_RGB32);
    s.fill(qRgb(132, 0, 0));
    s.setPixel(1, 1, qRgb(128, 0, 0));
    s.setPixel(2, 0, qRgb(10, 20, 30));
    EXPECT_EQ(TSimbolosMapa::ColorTransparente(s), qRgb(132, 0, 0));
    QImage lienzo(5, 5, QImage::Format_RGB32);
    lienzo.fill(Qt::white);
    {
        QPainter p(&lienzo);
        TSimbolosMapa::DibujaItem(s, p, {1, 1});
    }
    EXPECT_EQ(lienzo.pixel(1, 1), qRgb(255, 255, 255));   // key colour left out
    EXPECT_EQ(lienzo.pixel(2, 2), qRgb(128, 0, 0));       // 128 is an ordinary colour here
    EXPECT_EQ(lienzo.pixel(3, 1), qRgb(10, 20, 30));
}
