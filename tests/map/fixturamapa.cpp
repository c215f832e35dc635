#include "fixturamapa.h"

#include "comun/carpetaprueba.h"
#include "database/diccionario.h"
#include "map/thexmap.h"

#include <QDir>
#include <memory>
#include <gtest/gtest.h>

namespace kz::prueba {

const QString FixturaMapa::kPartida = QStringLiteral("T001");

namespace {

const char* const kNombresTerreno[] = {"Alta Mar", "Aguas Costeras", "Ribera", "Llano", "Abrupto",
                                       "Bosque", "Desierto", "Pantano", "Montañoso"};
// As the table writes them: "$00BBGGRR" or a colour name.
const char* const kColoresTerreno[] = {"$00A05010", "$00E0A040", "$0080C0A0", "$0060D090", "$004080A0",
                                       "clGreen", "$0080E0F0", "$00608060", "$00506070"};

TTabla& tabla(TDM& dm, const char* nombre) { return *dm.tabla(QString::fromLatin1(nombre)); }

void graba(TTabla& t) { ASSERT_TRUE(t.graba()) << t.mensajeError().toStdString(); }

} // namespace

QColor FixturaMapa::colorTerreno(int codigo) {
    const quint32 bgr[] = {0xA05010, 0xE0A040, 0x80C0A0, 0x60D090, 0x4080A0, 0x008000, 0x80E0F0, 0x608060, 0x506070};
    const quint32 v = bgr[codigo - 1];
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

namespace {

// The folder every fixture starts from, made once per test program: creating the tables and
// writing the 1716 hexes costs far more than copying the files.
void construyePlantilla(const QString& ruta) {
    InteraccionGuion ui;
    TDM dm(ui);
    copiaCarpeta(CarpetaPrueba::programaConstruido() + QStringLiteral("/Bitmap"), ruta + QStringLiteral("/Bitmap"));
    const QString partida = ruta + QLatin1Char('/') + FixturaMapa::kPartida;
    QDir().mkpath(partida);
    dm.fijaCarpetaPrograma(ruta);
    dm.fijaCarpetaPartida(partida);
    ASSERT_TRUE(dm.AbrirLista(Diccionario::grupoReferencia())) << ui.textos().join(QLatin1Char('\n')).toStdString();
    ASSERT_TRUE(dm.AbrirLista(Diccionario::grupoPartida())) << ui.textos().join(QLatin1Char('\n')).toStdString();
    TTabla& terreno = tabla(dm, "TTerreno");
    for (int i = 0; i < 9; ++i) {
        terreno.anade();
        terreno.fija(QStringLiteral("CODIGO"), QStringLiteral("0%1").arg(i + 1));
        terreno.fija(QStringLiteral("NOMBRE"), QString::fromUtf8(kNombresTerreno[i]));
        terreno.fija(QStringLiteral("COLOR"), QString::fromLatin1(kColoresTerreno[i]));
        graba(terreno);
    }
    TTabla& hexes = tabla(dm, "THex");
    Transaccion tr(*hexes.conexion());
    for (int c = 1; c <= 44; ++c)
        for (int f = 1; f <= 39; ++f)
            ASSERT_TRUE(hexes.insertaFila({THexMap::HexToStr(c, f), QStringLiteral("04"), QVariant(), QVariant(),
                                           QVariant(), QVariant(), QVariant(), QVariant()}));
    ASSERT_TRUE(tr.confirma());
    dm.CerrarTodas();
}

QString plantilla() {
    static const auto carpeta = [] {
        auto c = std::make_unique<CarpetaPrueba>();
        construyePlantilla(c->ruta());
        return c;
    }();
    return carpeta->ruta();
}

} // namespace

FixturaMapa::FixturaMapa() : dm(ui) {
    copiaCarpeta(plantilla(), programa());
    dm.fijaCarpetaPrograma(programa());
    dm.fijaCarpetaPartida(partida());
    EXPECT_TRUE(dm.AbrirLista(Diccionario::grupoReferencia())) << ui.textos().join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(dm.AbrirLista(Diccionario::grupoPartida())) << ui.textos().join(QLatin1Char('\n')).toStdString();
    ui.preguntas.clear();
    ui.estados.clear();
}

FixturaMapa::~FixturaMapa() { dm.CerrarTodas(); }

void FixturaMapa::hex(const FilaHex& f) {
    TTabla& t = tabla(dm, "THex");
    ASSERT_TRUE(t.buscaClave({f.hex})) << f.hex.toStdString();
    ASSERT_TRUE(t.edita());
    t.fija(QStringLiteral("TERRENO"), f.terreno);
    t.fija(QStringLiteral("RIO"), f.rio);
    t.fija(QStringLiteral("RIA"), f.ria);
    t.fija(QStringLiteral("PUENTE"), f.puente);
    t.fija(QStringLiteral("VADO"), f.vado);
    t.fija(QStringLiteral("CAMINO"), f.camino);
    t.fija(QStringLiteral("DATOS"), f.datos);
    graba(t);
}

void FixturaMapa::pais(const QString& codigo, const QString& nombre, const QString& alias, const QString& bando,
                       const QString& hexver) {
    TTabla& t = tabla(dm, "TPais");
    t.anade();
    t.fija(QStringLiteral("CODIGO"), codigo);
    t.fija(QStringLiteral("NOMBRE"), nombre);
    t.fija(QStringLiteral("ALIAS"), alias);
    t.fija(QStringLiteral("BANDO"), bando);
    t.fija(QStringLiteral("HEXVER"), hexver);
    graba(t);
}

void FixturaMapa::centro(const FilaCentro& f) {
    TTabla& t = tabla(dm, "TCenPob");
    t.anade();
    t.fija(QStringLiteral("TURNO"), f.turno);
    t.fija(QStringLiteral("HEX"), f.hex);
    t.fija(QStringLiteral("NOMBRE"), QStringLiteral("Centro ") + f.hex);
    t.fija(QStringLiteral("PAIS"), f.pais);
    t.fija(QStringLiteral("TIPOCP"), f.tipocp);
    t.fija(QStringLiteral("FORTIFICA"), f.fortifica);
    t.fija(QStringLiteral("MUELLES"), f.muelles);
    t.fija(QStringLiteral("CAPITAL"), f.capital);
    t.fija(QStringLiteral("OCULTO"), f.oculto);
    t.fija(QStringLiteral("HEREDADO"), f.heredado);
    graba(t);
}

void FixturaMapa::personaje(const QString& turno, const QString& codigo, const QString& hex, const QString& pais) {
    TTabla& t = tabla(dm, "TPjs");
    t.anade();
    t.fija(QStringLiteral("TURNO"), turno);
    t.fija(QStringLiteral("CODIGO"), codigo);
    t.fija(QStringLiteral("HEX"), hex);
    t.fija(QStringLiteral("NOMBRE"), QStringLiteral("Pj ") + codigo);
    t.fija(QStringLiteral("PAIS"), pais);
    graba(t);
}

void FixturaMapa::ejercito(const QString& turno, const QString& hex, const QString& codigo, const QString& bando,
                           const QString& pais) {
    TTabla& t = tabla(dm, "TEjer");
    t.anade();
    t.fija(QStringLiteral("TURNO"), turno);
    t.fija(QStringLiteral("HEX"), hex);
    t.fija(QStringLiteral("CODIGO"), codigo);
    t.fija(QStringLiteral("BANDO"), bando);
    t.fija(QStringLiteral("PAIS"), pais);
    graba(t);
}

void FixturaMapa::avistamiento(const QString& codigo, const QString& hex, const QString& turno) {
    TTabla& t = tabla(dm, "TUbiArtef");
    t.anade();
    t.fija(QStringLiteral("CODIGO"), codigo);
    t.fija(QStringLiteral("HEX"), hex);
    t.fija(QStringLiteral("TURNO"), turno);
    t.fija(QStringLiteral("ARTEF"), QStringLiteral("001"));
    graba(t);
}

void FixturaMapa::renombraPais(const QString& codigo, const QString& nombre) {
    TTabla& t = tabla(dm, "TPais");
    ASSERT_TRUE(t.buscaClave({codigo}));
    ASSERT_TRUE(t.edita());
    t.fija(QStringLiteral("NOMBRE"), nombre);
    graba(t);
}

void FixturaMapa::terrenoColor(const QString& codigo, const QString& color) {
    TTabla& t = tabla(dm, "TTerreno");
    ASSERT_TRUE(t.buscaClave({codigo}));
    ASSERT_TRUE(t.edita());
    t.fija(QStringLiteral("COLOR"), color);
    graba(t);
}

void FixturaMapa::llenaEjemplo() {
    // Terrain by bands and blobs, from a fixed formula so every run draws the same map.
    TTabla& hexes = tabla(dm, "THex");
    {
        Transaccion tr(*hexes.conexion());
        for (int c = 1; c <= 44; ++c) {
            for (int f = 1; f <= 39; ++f) {
                const int costa = 6 + (f * 7) % 5 - (f > 20 ? 2 : 0);
                int t = 4;
                if (c <= costa - 2) t = 1;
                else if (c <= costa) t = 2;
                else if ((c - 25) * (c - 25) + (f - 10) * (f - 10) < 30) t = 9;
                else if ((c - 24) * (c - 24) + (f - 10) * (f - 10) < 60) t = 5;
                else if ((c - 14) * (c - 14) + (f - 28) * (f - 28) < 40) t = 6;
                else if (c > 34 && f > 24) t = 7;
                else if ((c - 36) * (c - 36) + (f - 8) * (f - 8) < 12) t = 8;
                else if ((c + f) % 11 == 0) t = 3;
                QVariant rio, camino;
                if (c == 18 && f >= 12 && f <= 30) rio = QStringLiteral("010010");
                if (f == 20 && c >= 10 && c <= 40) camino = QStringLiteral("010010");
                // A road down column 30: odd rows lead on to the south-east, even rows to the
                // south-west.
                if (c == 30 && f >= 4 && f <= 36) camino = f % 2 ? QStringLiteral("101000") : QStringLiteral("000101");
                hexes.buscaClave({THexMap::HexToStr(c, f)});
                hexes.edita();
                hexes.fija(QStringLiteral("TERRENO"), QStringLiteral("0%1").arg(t));
                hexes.fija(QStringLiteral("RIO"), rio);
                hexes.fija(QStringLiteral("CAMINO"), camino);
                if ((c * 13 + f * 7) % 97 == 0) hexes.fija(QStringLiteral("DATOS"), QStringLiteral("Nota del hex"));
                hexes.graba();
            }
        }
        EXPECT_TRUE(tr.confirma());
    }
    hex({QStringLiteral("1820"), QStringLiteral("04"), QStringLiteral("010010"), {}, QStringLiteral("010000"), {},
         QStringLiteral("010010")});
    hex({QStringLiteral("2210"), QStringLiteral("05"), {}, QStringLiteral("110000"), {}, QStringLiteral("000100")});
    pais(QStringLiteral("01"), QStringLiteral("Reino del Norte"), QStringLiteral("RN"), QStringLiteral("1"), QStringLiteral("0802"));
    pais(QStringLiteral("02"), QStringLiteral("Señores Oscuros"), QStringLiteral("SO"), QStringLiteral("2"), QStringLiteral("2822"));
    pais(QStringLiteral("03"), QStringLiteral("Mercaderes"), QStringLiteral("ME"), QStringLiteral("3"), QStringLiteral("4001"));
    pais(QStringLiteral("04"), QStringLiteral("Errantes"), QStringLiteral("ER"), QString(), QStringLiteral("1226"));
    const QString t = QStringLiteral("001");
    int n = 0;
    for (int c = 8; c <= 40; c += 4) {
        for (int f = 3; f <= 37; f += 5) {
            ++n;
            FilaCentro cp;
            cp.turno = t;
            cp.hex = THexMap::HexToStr(c + (f % 3), f);
            cp.pais = QStringLiteral("0%1").arg(1 + n % 5);
            cp.tipocp = QStringLiteral("0%1").arg(n % 6);
            cp.fortifica = n % 4 == 0 ? QStringLiteral("0%1").arg(1 + n % 5) : QString();
            cp.muelles = c <= 12 ? QStringLiteral("0%1").arg(1 + n % 2) : QString();
            cp.capital = n % 13 == 0;
            cp.oculto = n % 9 == 0;
            cp.heredado = n % 7 == 0;
            centro(cp);
            if (n % 2 == 0) personaje(t, QStringLiteral("1%1").arg(n, 4, 10, QLatin1Char('0')), cp.hex, cp.pais);
            if (n % 3 == 0)
                ejercito(t, THexMap::HexToStr(c + 1, f + 1), QStringLiteral("2%1").arg(n, 4, 10, QLatin1Char('0')),
                         QString::number(1 + n % 3), cp.pais);
        }
    }
    personaje(t, QStringLiteral("90001"), QStringLiteral("2020"), QStringLiteral("01"));
    personaje(t, QStringLiteral("90002"), QStringLiteral("2020"), QStringLiteral("02"));
    personaje(t, QStringLiteral("90003"), QStringLiteral("2020"), QStringLiteral("03"));
    personaje(t, QStringLiteral("90004"), QStringLiteral("2020"), QStringLiteral("77"));
    ejercito(t, QStringLiteral("2020"), QStringLiteral("90001"), QStringLiteral("1"), QStringLiteral("01"));
    ejercito(t, QStringLiteral("2020"), QStringLiteral("90002"), QStringLiteral("2"), QStringLiteral("02"));
    ejercito(t, QStringLiteral("2020"), QStringLiteral("90003"), QStringLiteral("3"), QStringLiteral("03"));
    avistamiento(QStringLiteral("0001"), QStringLiteral("2020"), QStringLiteral("000"));
    avistamiento(QStringLiteral("0002"), QStringLiteral("3315"), QStringLiteral("001"));
}

} // namespace kz::prueba
