// The cursor over one table: order, ranges, searches, filters, bookmarks and the edit cycle.

#include "comun/carpetaprueba.h"
#include "comun/interaccionguion.h"
#include "database/tdm.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {

class TablaPjs : public ::testing::Test {
protected:
    void SetUp() override {
        dm.fijaCarpetaPrograma(carpeta.ruta());
        dm.fijaCarpetaPartida(carpeta.ruta());
        ASSERT_TRUE(dm.Abrir(QStringLiteral("DSPjs"), false, false));
        pjs = dm.tabla(QStringLiteral("TPjs"));
        Transaccion t(*pjs->conexion());
        // Three turns of the same 5 characters, in two hexes; one without hex.
        for (int turno = 0; turno < 3; ++turno)
            for (int c = 0; c < 5; ++c) {
                QVector<QVariant> v(pjs->campos().size());
                v[0] = QStringLiteral("00%1").arg(turno);
                v[1] = QStringLiteral("0000%1").arg(c + 1);
                v[2] = c == 4 ? QVariant() : QVariant(c % 2 ? QStringLiteral("1010") : QStringLiteral("0505"));
                v[3] = QStringLiteral("Pj %1").arg(c + 1);
                v[6] = c < 3 ? QStringLiteral("07") : QStringLiteral("12");
                ASSERT_TRUE(pjs->insertaFila(v)) << pjs->mensajeError().toStdString();
            }
        ASSERT_TRUE(t.confirma());
        pjs->refresca();
    }
    QStringList recorre(TTabla& t, const char* campo1 = "TURNO", const char* campo2 = "CODIGO") {
        QStringList l;
        for (t.primero(); !t.eof(); t.siguiente())
            l << t.texto(QString::fromLatin1(campo1)) + QLatin1Char('/') + t.texto(QString::fromLatin1(campo2));
        return l;
    }
    CarpetaPrueba carpeta;
    InteraccionGuion ui;
    TDM dm{ui};
    TTabla* pjs = nullptr;
};

} // namespace

TEST_F(TablaPjs, RecorreEnOrdenDeClaveEnAmbosSentidos) {
    EXPECT_EQ(pjs->numeroRegistros(), 15);
    const QStringList adelante = recorre(*pjs);
    ASSERT_EQ(adelante.size(), 15);
    EXPECT_EQ(adelante.first(), QStringLiteral("000/00001"));
    EXPECT_EQ(adelante.last(), QStringLiteral("002/00005"));
    QStringList atras;
    for (pjs->ultimo(); !pjs->bof(); pjs->anterior())
        atras.prepend(pjs->texto(QStringLiteral("TURNO")) + QLatin1Char('/') + pjs->texto(QStringLiteral("CODIGO")));
    EXPECT_EQ(atras, adelante);
}

TEST_F(TablaPjs, BofYEofComoEnLosCursoresDeSiempre) {
    pjs->primero();
    EXPECT_TRUE(pjs->bof());
    EXPECT_FALSE(pjs->eof());
    pjs->anterior();
    EXPECT_TRUE(pjs->bof());
    EXPECT_EQ(pjs->texto(QStringLiteral("CODIGO")), QStringLiteral("00001"));
    pjs->ultimo();
    EXPECT_TRUE(pjs->eof());
    pjs->siguiente();
    EXPECT_TRUE(pjs->eof());
    EXPECT_EQ(pjs->texto(QStringLiteral("CODIGO")), QStringLiteral("00005"));
}

TEST_F(TablaPjs, IndiceSecundarioYVaciosPrimero) {
    ASSERT_TRUE(pjs->fijaIndice(QStringLiteral("TURNOHEX")));
    pjs->fijaRango({QStringLiteral("001")}, {QStringLiteral("001")});
    // The character without hex sorts first within its turn.
    EXPECT_EQ(recorre(*pjs, "HEX", "CODIGO"),
              (QStringList{"/00005", "0505/00001", "0505/00003", "1010/00002", "1010/00004"}));
}

TEST_F(TablaPjs, RangosConLasCotasZzzz) {
    struct Caso { const char* indice; QVariantList desde, hasta; int filas; };
    const Caso casos[] = {
        {"ID", {"00003", QVariant()}, {"00003", "zzzz"}, 3},
        {"TURNOHEX", {"002", "0505", QVariant()}, {"002", "0505", "zzzzz"}, 2},
        {"TURNOHEX", {"002", QVariant(), QVariant()}, {"002", QVariant(), "zzzzz"}, 1},
        {"PAISTURNOID", {"12", "001"}, {"12", "002"}, 4},
        {"", {"000"}, {"001"}, 10},
        {"", {"003"}, {"zzzz"}, 0},
    };
    for (const auto& c : casos) {
        ASSERT_TRUE(pjs->fijaIndice(QString::fromLatin1(c.indice)));
        pjs->fijaRango(c.desde, c.hasta);
        int n = 0;
        for (pjs->primero(); !pjs->eof(); pjs->siguiente()) ++n;
        EXPECT_EQ(n, c.filas) << c.indice;
        EXPECT_EQ(pjs->numeroRegistros(), c.filas) << c.indice;
        pjs->quitaRango();
    }
}

TEST_F(TablaPjs, BuscaClaveExactaParcialYCercana) {
    EXPECT_TRUE(pjs->buscaClave({QStringLiteral("001"), QStringLiteral("00004")}));
    EXPECT_EQ(pjs->texto(QStringLiteral("NOMBRE")), QStringLiteral("Pj 4"));
    pjs->siguiente();
    EXPECT_EQ(pjs->texto(QStringLiteral("CODIGO")), QStringLiteral("00005"));
    // Not found leaves the cursor where it was.
    EXPECT_FALSE(pjs->buscaClave({QStringLiteral("001"), QStringLiteral("00009")}));
    EXPECT_EQ(pjs->texto(QStringLiteral("CODIGO")), QStringLiteral("00005"));
    // A prefix finds the first row of the turn.
    EXPECT_TRUE(pjs->buscaClave({QStringLiteral("002")}));
    EXPECT_EQ(pjs->texto(QStringLiteral("CODIGO")), QStringLiteral("00001"));
    pjs->buscaCercano({QStringLiteral("001"), QStringLiteral("0000Z")});
    EXPECT_EQ(pjs->texto(QStringLiteral("TURNO")) + pjs->texto(QStringLiteral("CODIGO")), QStringLiteral("00200001"));
    pjs->buscaCercano({QStringLiteral("009")});
    EXPECT_EQ(pjs->texto(QStringLiteral("TURNO")) + pjs->texto(QStringLiteral("CODIGO")), QStringLiteral("00200005"));
    pjs->fijaClave();
    pjs->fija(QStringLiteral("TURNO"), QStringLiteral("000"));
    pjs->fija(QStringLiteral("CODIGO"), QStringLiteral("00002"));
    EXPECT_TRUE(pjs->irAClave());
    EXPECT_EQ(pjs->texto(QStringLiteral("NOMBRE")), QStringLiteral("Pj 2"));
}

TEST_F(TablaPjs, LocalizaSinMayusculasYParcial) {
    EXPECT_TRUE(pjs->localiza({QStringLiteral("NOMBRE")}, {QStringLiteral("pj 3")}, {true, false}));
    EXPECT_EQ(pjs->texto(QStringLiteral("CODIGO")), QStringLiteral("00003"));
    EXPECT_FALSE(pjs->localiza({QStringLiteral("NOMBRE")}, {QStringLiteral("pj 3")}));
    EXPECT_TRUE(pjs->localiza({QStringLiteral("PAIS"), QStringLiteral("NOMBRE")}, {QStringLiteral("12"), QStringLiteral("Pj")},
                              {false, true}));
    EXPECT_EQ(pjs->texto(QStringLiteral("CODIGO")), QStringLiteral("00004"));
}

TEST_F(TablaPjs, FiltrosDeExpresionYFuncion) {
    struct Caso { const char* expresion; bool sinMay; bool sinParcial; int filas; };
    const Caso casos[] = {
        {"PAIS = '12'", false, false, 6},
        {"PAIS = '12' and TURNO = '001'", false, false, 2},
        {"(TURNO = '000' or TURNO = '002') and not PAIS = '07'", false, false, 4},
        {"NOMBRE = 'pj*'", true, false, 15},
        {"NOMBRE = 'pj*'", false, false, 0},
        {"NOMBRE = 'Pj*'", false, true, 0},
        {"HEX = ''", false, false, 3},
        {"HEX <> '' and HEX >= '1010'", false, false, 6},
    };
    for (const auto& c : casos) {
        ASSERT_TRUE(pjs->fijaFiltro(QString::fromLatin1(c.expresion))) << c.expresion;
        pjs->fijaOpcionesFiltro({c.sinMay, c.sinParcial});
        pjs->fijaFiltrado(true);
        EXPECT_EQ(pjs->numeroRegistros(), c.filas) << c.expresion;
        int n = 0;
        for (pjs->primero(); !pjs->eof(); pjs->siguiente()) ++n;
        EXPECT_EQ(n, c.filas) << c.expresion;
        pjs->fijaFiltrado(false);
    }
    QString error;
    EXPECT_FALSE(pjs->fijaFiltro(QStringLiteral("NADA = '1'"), &error));
    EXPECT_EQ(error, QStringLiteral("Campo desconocido en el filtro: NADA"));
    pjs->fijaFiltro(QString());
    pjs->fijaFiltroFuncion([](const TTabla& t) { return t.texto(QStringLiteral("CODIGO")) == QLatin1String("00002"); });
    pjs->fijaFiltrado(true);
    EXPECT_EQ(recorre(*pjs), (QStringList{"000/00002", "001/00002", "002/00002"}));
}

TEST_F(TablaPjs, MarcadoresYFilasDeVista) {
    pjs->buscaClave({QStringLiteral("001"), QStringLiteral("00002")});
    const Marcador m = pjs->marcador();
    pjs->ultimo();
    ASSERT_TRUE(pjs->irAMarcador(m));
    EXPECT_EQ(pjs->texto(QStringLiteral("TURNO")) + pjs->texto(QStringLiteral("CODIGO")), QStringLiteral("00100002"));
    EXPECT_EQ(pjs->filaActual(), 6);
    ASSERT_TRUE(pjs->irAFila(14));
    EXPECT_EQ(pjs->texto(QStringLiteral("CODIGO")), QStringLiteral("00005"));
    EXPECT_FALSE(pjs->irAFila(15));
}

TEST_F(TablaPjs, EdicionGrabaCancelaYBorra) {
    ASSERT_TRUE(pjs->buscaClave({QStringLiteral("000"), QStringLiteral("00001")}));
    ASSERT_TRUE(pjs->edita());
    EXPECT_EQ(pjs->estado(), EstadoTabla::Editar);
    pjs->fija(QStringLiteral("NOMBRE"), QStringLiteral("Cambiado"));
    pjs->cancela();
    EXPECT_EQ(pjs->texto(QStringLiteral("NOMBRE")), QStringLiteral("Pj 1"));

    ASSERT_TRUE(pjs->edita());
    pjs->fija(QStringLiteral("NOMBRE"), QStringLiteral("Nombre demasiado largo   "));
    pjs->fija(QStringLiteral("SALUD"), QStringLiteral(" 88 "));
    ASSERT_TRUE(pjs->graba());
    EXPECT_EQ(pjs->texto(QStringLiteral("NOMBRE")), QStringLiteral("Nombre demasiado"));   // cut to 17, then blank-free
    EXPECT_EQ(pjs->entero(QStringLiteral("SALUD")), 88);
    pjs->siguiente();
    EXPECT_EQ(pjs->texto(QStringLiteral("CODIGO")), QStringLiteral("00002"));

    ASSERT_TRUE(pjs->anade());
    pjs->fija(QStringLiteral("TURNO"), QStringLiteral("000"));
    pjs->fija(QStringLiteral("CODIGO"), QStringLiteral("00002"));
    EXPECT_FALSE(pjs->graba());
    EXPECT_EQ(pjs->ultimoError(), ErrorTabla::ClaveDuplicada);
    pjs->fija(QStringLiteral("CODIGO"), QStringLiteral("00009"));
    EXPECT_FALSE(pjs->fija(QStringLiteral("GNMANDO"), 40000));
    EXPECT_EQ(pjs->mensajeError(), QStringLiteral("El valor 40000 está fuera del rango del campo GNMANDO"));
    EXPECT_FALSE(pjs->fija(QStringLiteral("DUELO"), QStringLiteral("abc")));
    ASSERT_TRUE(pjs->graba());
    EXPECT_EQ(pjs->numeroRegistros(), 16);
    pjs->anterior();
    EXPECT_EQ(pjs->texto(QStringLiteral("CODIGO")), QStringLiteral("00005"));

    ASSERT_TRUE(pjs->buscaClave({QStringLiteral("000"), QStringLiteral("00009")}));
    ASSERT_TRUE(pjs->borra());
    EXPECT_EQ(pjs->texto(QStringLiteral("TURNO")) + pjs->texto(QStringLiteral("CODIGO")), QStringLiteral("00100001"));
    EXPECT_EQ(pjs->numeroRegistros(), 15);
}

TEST_F(TablaPjs, VaciosSeGuardanComoNulosYLosTextosSinBlancosFinales) {
    ASSERT_TRUE(pjs->buscaClave({QStringLiteral("000"), QStringLiteral("00001")}));
    ASSERT_TRUE(pjs->edita());
    pjs->fija(QStringLiteral("SEXO"), QStringLiteral("   "));
    pjs->fija(QStringLiteral("ORIGEN"), QStringLiteral("1  "));
    ASSERT_TRUE(pjs->graba());
    EXPECT_TRUE(pjs->esNulo(QStringLiteral("SEXO")));
    EXPECT_EQ(pjs->texto(QStringLiteral("ORIGEN")), QStringLiteral("1"));
}

TEST_F(TablaPjs, OtroCursorVeLosCambiosAlMoverse) {
    TTabla otro;
    otro.fijaCarpeta(carpeta.ruta());
    otro.fijaFichero(QStringLiteral("Pjs.DB"));
    ASSERT_TRUE(otro.abre());
    otro.buscaClave({QStringLiteral("000"), QStringLiteral("00002")});
    ASSERT_TRUE(pjs->buscaClave({QStringLiteral("000"), QStringLiteral("00003")}));
    ASSERT_TRUE(pjs->borra());
    otro.siguiente();
    EXPECT_EQ(otro.texto(QStringLiteral("CODIGO")), QStringLiteral("00004"));
    // The same record cannot be in edit in two cursors at once.
    ASSERT_TRUE(pjs->edita());
    ASSERT_TRUE(otro.buscaClave({pjs->texto(QStringLiteral("TURNO")), pjs->texto(QStringLiteral("CODIGO"))}));
    EXPECT_FALSE(otro.edita());
    EXPECT_EQ(otro.ultimoError(), ErrorTabla::FichaBloqueada);
    pjs->cancela();
    EXPECT_TRUE(otro.edita());
    otro.cancela();
}

TEST_F(TablaPjs, ObjetoDeCampoDeEjercitoCortaA17) {
    ASSERT_TRUE(dm.Abrir(QStringLiteral("DSEjer"), false, false)) << ui.textos().join("|").toStdString();
    TTabla& ejer = *dm.tabla(QStringLiteral("TEjer"));
    ASSERT_TRUE(ejer.anade());
    ejer.fija(QStringLiteral("TURNO"), QStringLiteral("001"));
    ejer.fija(QStringLiteral("HEX"), QStringLiteral("0101"));
    ejer.fija(QStringLiteral("NOMBRE"), QStringLiteral("Un nombre de mando muy largo"));
    ejer.fija(QStringLiteral("DESCRIPCION"), QStringLiteral("Una descripción de treinta y muchas letras"));
    ASSERT_TRUE(ejer.graba());
    EXPECT_EQ(ejer.texto(QStringLiteral("NOMBRE")), QStringLiteral("Un nombre de mand"));
    EXPECT_EQ(ejer.texto(QStringLiteral("DESCRIPCION")).size(), 30);
    // A cursor of its own on the file keeps the table's 30 characters.
    TTabla directa;
    directa.fijaCarpeta(carpeta.ruta());
    directa.fijaFichero(QStringLiteral("Ejer.DB"));
    ASSERT_TRUE(directa.abre());
    ASSERT_TRUE(directa.edita());
    directa.fija(QStringLiteral("NOMBRE"), QStringLiteral("Un nombre de mando muy largo"));
    ASSERT_TRUE(directa.graba());
    EXPECT_EQ(directa.texto(QStringLiteral("NOMBRE")), QStringLiteral("Un nombre de mando muy largo"));
}

TEST_F(TablaPjs, RecorridoLargoCruzaVariosLotes) {
    Transaccion t(*pjs->conexion());
    for (int i = 0; i < 1000; ++i) {
        QVector<QVariant> v(pjs->campos().size());
        v[0] = QStringLiteral("005");
        v[1] = QString::asprintf("%05d", 1000 + i);
        v[2] = QString::asprintf("%02d%02d", 1 + i % 44, 1 + i % 39);
        ASSERT_TRUE(pjs->insertaFila(v));
    }
    ASSERT_TRUE(t.confirma());
    ASSERT_TRUE(pjs->fijaIndice(QStringLiteral("TURNOHEX")));
    pjs->fijaRango({QStringLiteral("005")}, {QStringLiteral("005")});
    QString anterior;
    int n = 0;
    for (pjs->primero(); !pjs->eof(); pjs->siguiente()) {
        const QString k = pjs->texto(QStringLiteral("HEX")) + pjs->texto(QStringLiteral("CODIGO"));
        EXPECT_LT(anterior, k);
        anterior = k;
        ++n;
    }
    EXPECT_EQ(n, 1000);
    int m = 0;
    for (pjs->ultimo(); !pjs->bof(); pjs->anterior()) ++m;
    EXPECT_EQ(m, 1000);
}
