// The data shipped in the built program folder: the rule tables and the two starting worlds,
// checked for what the map, the movement, the turn reader and the new games rely on.

#include "comun/carpetaprueba.h"
#include "comun/interaccionguion.h"
#include "database/carpetaprograma.h"
#include "database/generadorpartida.h"
#include "database/tdm.h"
#include "database/textos.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {

using Fila = QHash<QString, QString>;

constexpr int kColumnas = 44;
constexpr int kFilas = 39;
constexpr int kMayorAsignacion = 14;   // the longest move of an army or a fleet in one turn
const char* const kCamposLado[] = {"RIO", "RIA", "PUENTE", "VADO", "CAMINO"};

QString q(const char* s) { return QString::fromUtf8(s); }
QString dos(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }
QString codigoHex(int c, int r) { return dos(c) + dos(r); }

// Neighbour across side 0..5 (NE, E, SE, SO, O, NO); even rows are shifted half a hex right.
void vecino(int c, int r, int lado, int& vc, int& vr) {
    static const int impar[6][2] = {{0, -1}, {1, 0}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
    static const int par[6][2] = {{1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 0}, {0, -1}};
    const int(*d)[2] = r % 2 ? impar : par;
    vc = c + d[lado][0];
    vr = r + d[lado][1];
}
int opuesto(int lado) { return lado < 3 ? lado + 3 : lado - 3; }
// The character code the turn reader derives from a name, as the table keeps it (trailing
// blanks dropped).
QString codigoDeNombre(const QString& nombre) {
    QString c = QuitaAcentos(nombre.left(5));
    while (c.endsWith(QLatin1Char(' '))) c.chop(1);
    return c;
}
bool esAgua(const QString& terreno) { return terreno == QLatin1String("01") || terreno == QLatin1String("02"); }

std::string lista(const QStringList& fallos) {
    return fallos.mid(0, 10).join(QStringLiteral(", ")).toStdString() +
           (fallos.size() > 10 ? " ..." : "");
}

// A private copy of the built program folder, read through the data module with the reader's
// opens, which never create a missing table.
class DatosEnviados : public ::testing::Test {
protected:
    void SetUp() override {
        dm.fijaCarpetaPrograma(carpeta.ruta());
        dm.fijaCarpetaPartida(carpeta.fichero(QStringLiteral("Tercera")));
    }
    void TearDown() override { EXPECT_EQ(ui.textos(), QStringList()); }

    QList<Fila> lee(const QString& fuente) {
        TTabla* t = dm.tabla(fuente);
        if (!t->existeFichero()) {
            ADD_FAILURE() << "Falta " << t->ruta().toStdString();
            return {};
        }
        ui.responde({mrCancelar});   // never retry forever on a table that will not open
        const bool abierta = dm.AbrirTablaSE(fuente, false);
        ui.respuestas.clear();
        if (!abierta) {
            ADD_FAILURE() << "No se abre " << t->ruta().toStdString();
            return {};
        }
        EXPECT_EQ(t->numeroIndices(), dm.definicion(fuente)->indices.size()) << t->ruta().toStdString();
        QList<Fila> filas;
        for (t->primero(); !t->eof(); t->siguiente()) {
            Fila f;
            for (const DefCampo& c : t->campos()) f.insert(c.nombre, t->texto(c.nombre));
            filas << f;
        }
        dm.Cerrar(fuente);
        return filas;
    }
    QSet<QString> codigos(const QString& fuente, const char* campo = "CODIGO") {
        QSet<QString> s;
        for (const Fila& f : lee(fuente)) s << f.value(QString::fromLatin1(campo));
        return s;
    }

    CarpetaPrueba carpeta{true};
    InteraccionGuion ui;
    TDM dm{ui};
};

// ----------------------------------------------------------------------------------------------
// Rule tables

struct FilaRegla {
    const char* codigo;
    const char* nombre;
    const char* bitmap;   // nullptr: the table has no picture
};

struct TablaRegla {
    const char* fuente;
    std::vector<FilaRegla> filas;
};

TEST_F(DatosEnviados, TablasDeReglasConSusCodigosNombresEIconos) {
    const TablaRegla tablas[] = {
        {"DSTipoCP", {{"00", "Ruinas", "CP6.bmp"}, {"01", "Campamento", "CP1.bmp"}, {"02", "Aldea", "CP2.bmp"},
                      {"03", "Pueblo", "CP3.bmp"}, {"04", "Villa", "CP4.bmp"}, {"05", "Ciudad", "CP5.bmp"}}},
        {"DSFortifica", {{"01", "Torre", "Forti1.bmp"}, {"02", "Fuerte", "Forti2.bmp"}, {"03", "Castillo", "Forti3.bmp"},
                         {"04", "Fortaleza", "Forti4.bmp"}, {"05", "Ciudadela", "Forti5.bmp"}}},
        {"DSMuelles", {{"01", "Embarcadero", "Ancla1.bmp"}, {"02", "Puerto", "Ancla2.bmp"}}},
        {"DSClimas", {{"01", "Polar", nullptr}, {"02", "Frío", nullptr}, {"03", "Templado", nullptr},
                      {"04", "Cálido", nullptr}, {"05", "Árido", nullptr}}},
        {"DSTerreno", {{"01", "Alta Mar", nullptr}, {"02", "Aguas Costeras", nullptr}, {"03", "Ribera", nullptr},
                       {"04", "Llano", nullptr}, {"05", "Abrupto", nullptr}, {"06", "Bosque", nullptr},
                       {"07", "Desierto", nullptr}, {"08", "Pantano", nullptr}, {"09", "Montañoso", nullptr}}},
    };
    for (const TablaRegla& t : tablas) {
        const QList<Fila> filas = lee(QString::fromLatin1(t.fuente));
        ASSERT_EQ(filas.size(), int(t.filas.size())) << t.fuente;
        for (int i = 0; i < filas.size(); ++i) {
            EXPECT_EQ(filas[i].value("CODIGO"), q(t.filas[i].codigo)) << t.fuente;
            EXPECT_EQ(filas[i].value("NOMBRE"), q(t.filas[i].nombre)) << t.fuente;
            if (t.filas[i].bitmap) {
                EXPECT_EQ(filas[i].value("BITMAP"), q(t.filas[i].bitmap)) << t.fuente;
            }
        }
    }
}

TEST_F(DatosEnviados, ClimasProducenLosOchoBienes) {
    for (const Fila& f : lee(QStringLiteral("DSClimas")))
        for (const char* bien : {"CU", "BR", "AC", "MI", "CO", "MA", "MO", "OR"}) {
            bool ok = false;
            EXPECT_GE(f.value(QString::fromLatin1(bien)).toInt(&ok), 0) << bien;
            EXPECT_TRUE(ok) << f.value("NOMBRE").toStdString() << " " << bien;
        }
}

// The map keeps one colour per terrain at code - 1, so the codes must run 1..N; the colour is
// the "$00BBGGRR" text form; the sea costs more than any army can ever move, so a land army can
// never step onto it, and a road never makes a step dearer.
TEST_F(DatosEnviados, TerrenosConsecutivosConColorYCostesDeMovimiento) {
    const QList<Fila> terrenos = lee(QStringLiteral("DSTerreno"));
    ASSERT_FALSE(terrenos.isEmpty());
    const QRegularExpression color(QStringLiteral("^\\$00[0-9A-F]{6}$"));
    for (int i = 0; i < terrenos.size(); ++i) {
        const Fila& t = terrenos[i];
        const std::string nombre = t.value("NOMBRE").toStdString();
        EXPECT_EQ(t.value("CODIGO"), dos(i + 1));
        EXPECT_TRUE(color.match(t.value("COLOR")).hasMatch()) << nombre << " " << t.value("COLOR").toStdString();
        const int pie = t.value("CMPIE").toInt(), pieCamino = t.value("CMPIECAM").toInt();
        const int caballo = t.value("CMMONT").toInt(), caballoCamino = t.value("CMMONTCAM").toInt();
        if (esAgua(t.value("CODIGO"))) {
            for (int coste : {pie, pieCamino, caballo, caballoCamino}) EXPECT_GT(coste, kMayorAsignacion) << nombre;
        } else {
            EXPECT_GE(pieCamino, 1) << nombre;
            EXPECT_GE(caballoCamino, 1) << nombre;
            EXPECT_LE(pieCamino, pie) << nombre;
            EXPECT_LE(caballoCamino, caballo) << nombre;
            EXPECT_LT(pie, kMayorAsignacion) << nombre;
            EXPECT_LT(caballo, kMayorAsignacion) << nombre;
        }
    }
}

TEST_F(DatosEnviados, GradosPorTipoYRangoYLocalizablesPorNombre) {
    struct Grado { const char* tipo; int minimo; int maximo; const char* nombre; };
    const Grado esperados[] = {
        {"AG", 10, 19, "Ladrón"}, {"AG", 20, 29, "Espía"}, {"AG", 30, 39, "Asesino"}, {"AG", 40, 99, "Sicario"},
        {"EM", 10, 19, "Heraldo"}, {"EM", 20, 29, "Emisario"}, {"EM", 30, 39, "Embajador"}, {"EM", 40, 99, "Canciller"},
        {"MD", 10, 19, "Sargento"}, {"MD", 20, 29, "Capitán"}, {"MD", 30, 39, "Comandante"}, {"MD", 40, 99, "General"},
        {"MG", 10, 19, "Aprendiz"}, {"MG", 20, 29, "Mago"}, {"MG", 30, 39, "Hechicero"}, {"MG", 40, 99, "Archimago"},
    };
    const QList<Fila> grados = lee(QStringLiteral("DSGrados"));
    ASSERT_EQ(grados.size(), int(std::size(esperados)));
    for (int i = 0; i < grados.size(); ++i) {
        EXPECT_EQ(grados[i].value("TIPO"), q(esperados[i].tipo));
        EXPECT_EQ(grados[i].value("GRADOMIN").toInt(), esperados[i].minimo);
        EXPECT_EQ(grados[i].value("GRADOMAX").toInt(), esperados[i].maximo);
        EXPECT_EQ(grados[i].value("NOMBRE"), q(esperados[i].nombre));
    }
    // The reader finds a title on the NOMBRE index.
    ASSERT_TRUE(dm.AbrirTablaSE(QStringLiteral("DSGrados"), false));
    TTabla& t = *dm.tabla(QStringLiteral("TGrados"));
    ASSERT_TRUE(dm.SeleccionaIndice(t, QStringLiteral("NOMBRE")));
    for (const Grado& g : esperados) {
        ASSERT_TRUE(t.buscaClave({q(g.nombre)})) << g.nombre;
        EXPECT_EQ(t.texto(QStringLiteral("TIPO")), q(g.tipo)) << g.nombre;
        EXPECT_EQ(t.entero(QStringLiteral("GRADOMIN")), g.minimo) << g.nombre;
    }
    dm.Cerrar(QStringLiteral("DSGrados"));
}

TEST_F(DatosEnviados, AcertijosConTextoYRespuesta) {
    const QList<Fila> acertijos = lee(QStringLiteral("DSAcertijos"));
    EXPECT_GE(acertijos.size(), 3);
    for (const Fila& a : acertijos) {
        EXPECT_FALSE(a.value("TEXTO").trimmed().isEmpty()) << a.value("CODIGO").toStdString();
        EXPECT_FALSE(a.value("RESPUESTA").trimmed().isEmpty()) << a.value("CODIGO").toStdString();
    }
}

// ----------------------------------------------------------------------------------------------
// Templates

class DatosPlantilla : public DatosEnviados, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        dm.fijaCarpetaPrograma(carpeta.ruta());
        dm.fijaCarpetaPartida(carpeta.fichero(QString::fromLatin1(GetParam())));
        for (const Fila& f : lee(QStringLiteral("DSHex"))) hexes.insert(f.value("HEX"), f);
    }
    QString lado(const QString& hex, const char* campo, int i) const {
        return hexes.value(hex).value(QString::fromLatin1(campo)).mid(i, 1);
    }
    bool marcado(const QString& hex, const char* campo, int i) const { return lado(hex, campo, i) == QLatin1String("1"); }
    QString terreno(const QString& hex) const { return hexes.value(hex).value("TERRENO"); }
    bool tierra(const QString& hex) const { return hexes.contains(hex) && !esAgua(terreno(hex)); }
    int cuentaLados(const char* campo) const {
        int n = 0;
        for (const Fila& f : hexes) n += f.value(QString::fromLatin1(campo)).count(QLatin1Char('1'));
        return n;
    }
    // Calls cada(hex, side, neighbour) for every side of every hex that has a neighbour.
    template <typename F>
    void recorreLados(F cada) const {
        for (int c = 1; c <= kColumnas; ++c)
            for (int r = 1; r <= kFilas; ++r)
                for (int i = 0; i < 6; ++i) {
                    int vc, vr;
                    vecino(c, r, i, vc, vr);
                    const bool dentro = vc >= 1 && vc <= kColumnas && vr >= 1 && vr <= kFilas;
                    cada(codigoHex(c, r), i, dentro ? codigoHex(vc, vr) : QString());
                }
    }

    QHash<QString, Fila> hexes;
};

TEST_P(DatosPlantilla, HexDeTodoElMapaConTerrenosValidos) {
    const QSet<QString> terrenos = codigos(QStringLiteral("DSTerreno"));
    EXPECT_EQ(hexes.size(), kColumnas * kFilas);
    const QRegularExpression lados(QStringLiteral("^[01]{6}$"));
    QStringList fallos;
    QSet<QString> usados;
    for (int c = 1; c <= kColumnas; ++c)
        for (int r = 1; r <= kFilas; ++r) {
            const QString hex = codigoHex(c, r);
            if (!hexes.contains(hex)) { fallos << hex + QStringLiteral(" falta"); continue; }
            if (!terrenos.contains(terreno(hex))) fallos << hex + QStringLiteral(" terreno ") + terreno(hex);
            usados << terreno(hex);
            for (const char* campo : kCamposLado)
                if (!lados.match(hexes[hex].value(QString::fromLatin1(campo))).hasMatch())
                    fallos << hex + QLatin1Char(' ') + QString::fromLatin1(campo);
        }
    EXPECT_TRUE(fallos.isEmpty()) << lista(fallos);
    EXPECT_EQ(usados, terrenos) << "cada terreno aparece en el mundo";
}

// Open sea never touches land and coastal waters always do.
TEST_P(DatosPlantilla, AguasCosterasJuntoALaTierra) {
    QHash<QString, bool> junto;
    recorreLados([&](const QString& hex, int, const QString& otro) {
        if (!otro.isEmpty() && tierra(otro)) junto[hex] = true;
    });
    QStringList fallos;
    for (const Fila& f : hexes) {
        const QString hex = f.value("HEX");
        if (terreno(hex) == QLatin1String("01") && junto.value(hex)) fallos << hex + QStringLiteral(" alta mar");
        if (terreno(hex) == QLatin1String("02") && !junto.value(hex)) fallos << hex + QStringLiteral(" costeras");
    }
    EXPECT_TRUE(fallos.isEmpty()) << lista(fallos);
}

// A side marked on one hex is marked on the opposite side of its neighbour, and never on the
// edge of the map.
TEST_P(DatosPlantilla, CadaLadoMarcadoEnLosDosHexes) {
    for (const char* campo : kCamposLado) {
        QStringList fallos;
        recorreLados([&](const QString& hex, int i, const QString& otro) {
            if (!marcado(hex, campo, i)) return;
            if (otro.isEmpty() || !marcado(otro, campo, opuesto(i)))
                fallos << hex + QLatin1Char('/') + QString::number(i);
        });
        EXPECT_TRUE(fallos.isEmpty()) << campo << ": " << lista(fallos);
        EXPECT_GT(cuentaLados(campo), 0) << campo;
    }
}

// Rivers, streams and roads run between land hexes; a bridge or a ford stands only where a road
// crosses a river, and every such crossing has one, so a land army can follow every road.
TEST_P(DatosPlantilla, RiosCaminosPuentesYVadosCoherentes) {
    QStringList fallos;
    recorreLados([&](const QString& hex, int i, const QString& otro) {
        const bool rio = marcado(hex, "RIO", i), ria = marcado(hex, "RIA", i), camino = marcado(hex, "CAMINO", i);
        const bool puente = marcado(hex, "PUENTE", i), vado = marcado(hex, "VADO", i);
        const QString donde = hex + QLatin1Char('/') + QString::number(i);
        if ((rio || ria || camino) && !(tierra(hex) && tierra(otro))) fallos << donde + QStringLiteral(" fuera de tierra");
        if (rio && ria) fallos << donde + QStringLiteral(" río y riachuelo");
        if ((puente || vado) && !(rio && camino)) fallos << donde + QStringLiteral(" paso sin río o sin camino");
        if (puente && vado) fallos << donde + QStringLiteral(" puente y vado");
        if (rio && camino && !(puente || vado)) fallos << donde + QStringLiteral(" camino sin paso");
    });
    EXPECT_TRUE(fallos.isEmpty()) << lista(fallos);
}

// 25 nations with their map marks, every allegiance present, and a view corner from which the
// 9 x 13 view area fits inside the map.
TEST_P(DatosPlantilla, VeinticincoPaisesConAliasBandoYEsquina) {
    const QList<Fila> paises = lee(QStringLiteral("DSPais"));
    ASSERT_EQ(paises.size(), 25);
    QSet<QString> alias, esquinas, bandos;
    for (int i = 0; i < paises.size(); ++i) {
        const Fila& p = paises[i];
        EXPECT_EQ(p.value("CODIGO"), dos(i + 1));
        EXPECT_FALSE(p.value("NOMBRE").isEmpty());
        EXPECT_EQ(p.value("ALIAS").size(), 2) << p.value("NOMBRE").toStdString();
        alias << p.value("ALIAS");
        bandos << p.value("BANDO");
        const QString hex = p.value("HEXVER");
        esquinas << hex;
        EXPECT_TRUE(hexes.contains(hex)) << hex.toStdString();
        EXPECT_LE(hex.left(2).toInt(), kColumnas - 8) << hex.toStdString();
        EXPECT_LE(hex.mid(2).toInt(), kFilas - 12) << hex.toStdString();
    }
    EXPECT_EQ(alias.size(), 25);
    EXPECT_EQ(esquinas.size(), 25);
    EXPECT_EQ(bandos, (QSet<QString>{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
}

// The starting centres stand on land, carry the terrain of their hex and refer to existing rule
// rows and nations; docks only by the water; one capital per nation at most.
TEST_P(DatosPlantilla, CentrosEnTierraConReferenciasValidas) {
    const QSet<QString> tipos = codigos(QStringLiteral("DSTipoCP")), fortifica = codigos(QStringLiteral("DSFortifica"));
    const QSet<QString> muelles = codigos(QStringLiteral("DSMuelles")), climas = codigos(QStringLiteral("DSClimas"));
    const QSet<QString> paises = codigos(QStringLiteral("DSPais"));
    const QList<Fila> centros = lee(QStringLiteral("DSCenPob"));
    ASSERT_FALSE(centros.isEmpty());
    QSet<QString> capitales, nombres;
    QStringList fallos;
    for (const Fila& c : centros) {
        const QString hex = c.value("HEX"), donde = hex + QLatin1Char(' ') + c.value("NOMBRE");
        if (c.value("TURNO") != QLatin1String("000")) fallos << donde + QStringLiteral(" turno");
        if (!tierra(hex)) fallos << donde + QStringLiteral(" no está en tierra");
        if (c.value("TERRENO") != terreno(hex)) fallos << donde + QStringLiteral(" terreno");
        if (!tipos.contains(c.value("TIPOCP"))) fallos << donde + QStringLiteral(" tamaño");
        if (!climas.contains(c.value("CLIMA"))) fallos << donde + QStringLiteral(" clima");
        if (!c.value("FORTIFICA").isEmpty() && !fortifica.contains(c.value("FORTIFICA"))) fallos << donde + QStringLiteral(" fortificación");
        if (!c.value("PAIS").isEmpty() && !paises.contains(c.value("PAIS"))) fallos << donde + QStringLiteral(" país");
        if (!c.value("ORIGEN").isEmpty()) fallos << donde + QStringLiteral(" origen");
        if (!c.value("MUELLES").isEmpty()) {
            bool costa = false;
            recorreLados([&](const QString& h, int, const QString& otro) {
                if (h == hex && !otro.isEmpty() && !tierra(otro)) costa = true;
            });
            if (!muelles.contains(c.value("MUELLES")) || !costa) fallos << donde + QStringLiteral(" muelles");
        }
        if (c.value("CAPITAL") == QLatin1String("True")) {
            if (c.value("PAIS").isEmpty() || capitales.contains(c.value("PAIS"))) fallos << donde + QStringLiteral(" capital");
            capitales << c.value("PAIS");
        }
        if (nombres.contains(c.value("NOMBRE"))) fallos << donde + QStringLiteral(" nombre repetido");
        nombres << c.value("NOMBRE");
    }
    EXPECT_TRUE(fallos.isEmpty()) << lista(fallos);
    EXPECT_FALSE(capitales.isEmpty());
}

// Starting characters use the code the reader derives from the name, so later mentions land on
// the same row; they stand on existing hexes, serve existing nations and carry known artefacts.
// Armies are led by a character of the same turn and nation.
TEST_P(DatosPlantilla, PersonajesEjercitosYArtefactos) {
    const QSet<QString> paises = codigos(QStringLiteral("DSPais"));
    const QList<Fila> artefactos = lee(QStringLiteral("DSArtef"));
    EXPECT_GE(artefactos.size(), 12);
    QSet<QString> codigosArtef;
    for (const Fila& a : artefactos) {
        codigosArtef << a.value("CODIGO");
        EXPECT_EQ(a.value("CODIGO").size(), 3);
        EXPECT_FALSE(a.value("NOMBRE").isEmpty());
        EXPECT_TRUE(QStringLiteral("1234567").contains(a.value("TIPO")) && a.value("TIPO").size() == 1)
            << a.value("NOMBRE").toStdString();
        EXPECT_TRUE(QStringLiteral("123").contains(a.value("ALINEAMIENTO")) && a.value("ALINEAMIENTO").size() == 1)
            << a.value("NOMBRE").toStdString();
    }

    const QList<Fila> pjs = lee(QStringLiteral("DSPjs"));
    ASSERT_FALSE(pjs.isEmpty());
    QHash<QString, QString> paisDe;
    QStringList fallos;
    for (const Fila& p : pjs) {
        const QString donde = p.value("CODIGO") + QLatin1Char(' ') + p.value("NOMBRE");
        paisDe.insert(p.value("CODIGO"), p.value("PAIS"));
        if (p.value("TURNO") != QLatin1String("000")) fallos << donde + QStringLiteral(" turno");
        if (p.value("CODIGO") != codigoDeNombre(p.value("NOMBRE"))) fallos << donde + QStringLiteral(" código");
        if (!hexes.contains(p.value("HEX"))) fallos << donde + QStringLiteral(" hex");
        if (!paises.contains(p.value("PAIS"))) fallos << donde + QStringLiteral(" país");
        for (int i = 1; i <= 6; ++i) {
            const QString art = p.value(QStringLiteral("ART%1").arg(i));
            if (!art.isEmpty() && !codigosArtef.contains(art)) fallos << donde + QStringLiteral(" artefacto ") + art;
        }
    }
    for (const Fila& e : lee(QStringLiteral("DSEjer"))) {
        const QString donde = e.value("HEX") + QLatin1Char(' ') + e.value("CODIGO");
        if (!paisDe.contains(e.value("CODIGO")) || paisDe.value(e.value("CODIGO")) != e.value("PAIS"))
            fallos << donde + QStringLiteral(" jefe");
        if (!tierra(e.value("HEX")) && e.value("FLOTA") != QLatin1String("True")) fallos << donde + QStringLiteral(" en el agua");
        if (!QStringLiteral("123").contains(e.value("BANDO")) || e.value("BANDO").size() != 1) fallos << donde + QStringLiteral(" bando");
    }
    EXPECT_TRUE(fallos.isEmpty()) << lista(fallos);
}

// The synthetic game of the benchmarks starts from the Tercera template and must leave its
// starting centres where they are.
TEST_P(DatosPlantilla, PartidaSinteticaConservaLosCentrosDeLaPlantilla) {
    const int enPlantilla = lee(QStringLiteral("DSCenPob")).size();
    OpcionesGenerador o;
    o.codigo = QString::fromLatin1(GetParam()).left(1) + QStringLiteral("901");
    o.turnos = 1;
    QString error;
    ASSERT_TRUE(generaPartida(dm, carpeta.ruta(), o, error)) << error.toStdString();
    dm.CerrarTodas();
    dm.fijaCarpetaPartida(carpetaPartida(carpeta.ruta(), o.codigo));
    const QList<Fila> centros = lee(QStringLiteral("DSCenPob"));
    EXPECT_EQ(centros.size(), enPlantilla + o.centros);
    EXPECT_EQ(std::count_if(centros.begin(), centros.end(),
                            [](const Fila& c) { return c.value("ORIGEN").isEmpty(); }),
              enPlantilla);
}

INSTANTIATE_TEST_SUITE_P(Plantillas, DatosPlantilla, ::testing::Values("Tercera", "Cuarta"),
                         [](const ::testing::TestParamInfo<const char*>& i) { return std::string(i.param); });

} // namespace
