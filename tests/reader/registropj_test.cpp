// RegistraPj and UltimoPaisPj on a game's open tables, one mention at a time.

#include "comun/impresion.h"
#include "partidalectura.h"
#include "reader/registropj.h"
#include "reader/sesionlectura.h"

#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

class RegistroPjTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(p.preparada());
        ctx.turno = u("012");
        abre();
    }
    void TearDown() override { cierra(); }

    void abre() {
        p.dm.CerrarTodas();
        p.dm.fijaCarpetaPrograma(p.base());
        p.dm.fijaCarpetaPartida(p.base() + u("/T123"));
        ASSERT_TRUE(p.dm.AbrirTablasSE(LectorTurno::fuentesLectura()));
        sesion = std::make_unique<SesionLectura>(p.dm, ctx, [this](const QString& t) { log << t; });
        QString error;
        ASSERT_TRUE(sesion->inicia(error)) << error.toStdString();
        registro = std::make_unique<RegistroPj>(*sesion);
    }
    void cierra() {
        if (!sesion) return;
        QString error;
        EXPECT_TRUE(sesion->termina(error));
        registro.reset();
        sesion.reset();
        p.dm.CerrarLista(LectorTurno::fuentesLectura());
    }
    // A row written straight into a table: field=value pairs.
    void fila(TTabla& t, const QList<QPair<const char*, QVariant>>& valores) {
        ASSERT_TRUE(t.anade());
        for (const auto& [c, v] : valores) ASSERT_TRUE(t.fija(QString::fromLatin1(c), v)) << c;
        ASSERT_TRUE(t.graba()) << t.mensajeError().toStdString();
    }
    // The character's row of a turn: field -> value as text.
    QString campo(const char* turno, const char* codigo, const char* nombreCampo) {
        TTabla& t = sesion->pjs();
        if (!t.buscaClave({u(turno), u(codigo)})) return u("(no existe)");
        return t.texto(QString::fromLatin1(nombreCampo));
    }
    void registra(const char* turno, const char* nombre, const char* ubicacion, const char* grado, bool ubicado, int pista,
                  int estado, const char* pais) {
        registro->RegistraPj(u(turno), u(nombre), u(ubicacion), u(grado), ubicado, pista, estado, u(pais));
    }

    PartidaLectura p;
    ContextoLectura ctx;
    QStringList log;
    std::unique_ptr<SesionLectura> sesion;
    std::unique_ptr<RegistroPj> registro;
};

} // namespace

TEST(RegistroPjCodigo, CincoLetrasSinAcentos) {
    struct Caso { const char* nombre; const char* codigo; };
    const Caso casos[] = {{"Aric Vel", "Aric "}, {"  Éowyn la Blanca", "Eowyn"}, {"Ñoño", "Ñoño"}, {"Ángel", "Angel"}, {"", ""}};
    for (const auto& c : casos) EXPECT_EQ(RegistroPj::CodigoPj(u(c.nombre)), u(c.codigo)) << c.nombre;
}

TEST_F(RegistroPjTest, UnaFilaDeLasHojasPropiasNoCambia) {
    fila(sesion->pjs(), {{"TURNO", u("012")}, {"CODIGO", u("Aric")}, {"NOMBRE", u("Aric Vel")}, {"HEX", u("1208")},
                         {"ORIGEN", u("0")}, {"VIDA", u("0")}});
    registra("012", "Aric Vel", "2020", "General", true, PistaMando, EstadoMuerto, "08");
    EXPECT_EQ(campo("012", "Aric", "HEX"), u("1208"));
    EXPECT_EQ(campo("012", "Aric", "VIDA"), u("0"));
    EXPECT_EQ(campo("012", "Aric", "GNMANDO"), u(""));
    EXPECT_EQ(campo("012", "Aric", "PAIS"), u(""));
}

TEST_F(RegistroPjTest, UnTurnoNuevoHeredaLoQueSeSabiaSalvoUbicacionEstadoYArtefactos) {
    QList<QPair<const char*, QVariant>> v = {{"TURNO", u("010")}, {"CODIGO", u("Gorba")}, {"NOMBRE", u("Gorbag")},
                                             {"HEX", u("1208")}, {"VIDA", u("1")}, {"ORIGEN", u("1")}, {"SEXO", u("M")},
                                             {"PAIS", u("08")}, {"GNMANDO", 30}, {"GNAGENTE", 12}, {"GNEMISARIO", 3},
                                             {"GNMAGO", 4}, {"GNSIGILO", 5}, {"GTMANDO", 31}, {"GTAGENTE", 13},
                                             {"GTEMISARIO", 6}, {"GTMAGO", 7}, {"GTSIGILO", 8}, {"DUELO", 40},
                                             {"SALUD", 77}, {"ART1", u("007")}, {"HEC1", 10}, {"HEC15", 15},
                                             {"REHEN1", u("Ilse")}, {"REHEN3", u("Tarn")}, {"CAPTOR", u("Morgu")}};
    fila(sesion->pjs(), v);
    // A later row says less, an earlier one more: the latest turn is the one carried.
    fila(sesion->pjs(), {{"TURNO", u("005")}, {"CODIGO", u("Gorba")}, {"NOMBRE", u("Gorbag")}, {"GNMANDO", 99}});
    registra("012", "Gorbag", "", "", false, SinPista, EstadoSiNoSeSabe, "");
    for (const auto& [c, valor] : v) {
        const QString nombre = QString::fromLatin1(c);
        if (nombre == u("TURNO") || nombre == u("HEX") || nombre == u("VIDA") || nombre == u("ORIGEN") || nombre == u("ART1"))
            continue;
        EXPECT_EQ(campo("012", "Gorba", c), valor.toString()) << c;
    }
    EXPECT_EQ(campo("012", "Gorba", "HEX"), u(""));
    EXPECT_EQ(campo("012", "Gorba", "VIDA"), u("0"));
    EXPECT_EQ(campo("012", "Gorba", "ORIGEN"), u("2"));
    EXPECT_EQ(campo("012", "Gorba", "ART1"), u(""));
}

TEST_F(RegistroPjTest, LaUbicacionEsUnHexOUnCentroDeEseTurno) {
    TTabla& c = sesion->cenPob();
    fila(c, {{"TURNO", u("012")}, {"HEX", u("1310")}, {"NOMBRE", u("Vado Gris")}});
    fila(c, {{"TURNO", u("011")}, {"HEX", u("1405")}, {"NOMBRE", u("Aldea del Pinar")}});
    fila(c, {{"TURNO", u("013")}, {"HEX", u("1102")}, {"NOMBRE", u("Puerto Helado")}});
    struct Caso { const char* ubicacion; const char* hex; };
    const Caso casos[] = {{"2019", "2019"}, {" 0101 ", "0101"}, {"Vado Gris", "1310"}, {"vado gris", ""},
                          {"Aldea del Pinar", ""}, {"Puerto Helado", ""}, {"Vado", ""}, {"9999", ""}, {"12345", ""}, {"", ""}};
    int n = 0;
    for (const auto& cs : casos) {
        const QString nombre = u("Pj%1 x").arg(n++, 2, 10, QLatin1Char('0'));
        registro->RegistraPj(u("012"), nombre, u(cs.ubicacion), QString(), true, SinPista, EstadoVivo, QString());
        EXPECT_EQ(campo("012", qPrintable(RegistroPj::CodigoPj(nombre).trimmed()), "HEX"), u(cs.hex)) << cs.ubicacion;
        EXPECT_EQ(campo("012", qPrintable(RegistroPj::CodigoPj(nombre).trimmed()), "ORIGEN"), u("1")) << cs.ubicacion;
    }
    EXPECT_EQ(c.nombreIndice(), QString());
}

TEST_F(RegistroPjTest, ElTituloDeGradoFijaSuHabilidad) {
    fila(sesion->pjs(), {{"TURNO", u("012")}, {"CODIGO", u("Hatho")}, {"NOMBRE", u("Hathor")}, {"GNMANDO", 50},
                         {"GNAGENTE", 2}});
    struct Caso { const char* nombre; const char* grado; int pista; const char* campo; const char* valor; };
    const Caso casos[] = {
        {"Hathor", "Capitán", PistaAgente, "GNMANDO", "25"},   // the title wins over the hint
        {"Hathor", "", PistaAgente, "GNAGENTE", "1"},          // 2 or less becomes 1
        {"Beren", "Hechicero", SinPista, "GNMAGO", "35"},
        {"Lirien", "Almirante", PistaEmisario, "GNEMISARIO", "1"},
        {"Doran", "", PistaMago, "GNMAGO", "1"},
    };
    for (const auto& c : casos) {
        registra("012", c.nombre, "", c.grado, false, c.pista, EstadoVivo, "");
        EXPECT_EQ(campo("012", qPrintable(RegistroPj::CodigoPj(u(c.nombre)).trimmed()), c.campo), u(c.valor)) << c.nombre << c.grado;
    }
    EXPECT_EQ(campo("012", "Hatho", "GNMANDO"), u("25"));
    EXPECT_EQ(sesion->grados().nombreIndice(), QString());
}

TEST_F(RegistroPjTest, UnaPistaNoBajaUnaHabilidadConocida) {
    struct Caso { QVariant antes; const char* despues; };
    const Caso casos[] = {{QVariant(), "1"}, {0, "1"}, {1, "1"}, {2, "1"}, {3, "3"}, {40, "40"}};
    int n = 0;
    for (const auto& c : casos) {
        const QString codigo = u("Pj%1").arg(n++);
        fila(sesion->pjs(), {{"TURNO", u("012")}, {"CODIGO", codigo}, {"NOMBRE", codigo}, {"GNMANDO", c.antes}});
        registro->RegistraPj(u("012"), codigo, QString(), QString(), false, PistaMando, EstadoVivo, QString());
        EXPECT_EQ(campo("012", qPrintable(codigo), "GNMANDO"), u(c.despues)) << c.antes.toString().toStdString();
    }
}

TEST_F(RegistroPjTest, OrigenYEstado) {
    // Placed, then mentioned without a place: still "1" and where it was.
    registra("012", "Zorak", "1310", "", true, SinPista, EstadoVivo, "");
    registra("012", "Zorak", "2020", "", false, SinPista, EstadoSiNoSeSabe, "");
    EXPECT_EQ(campo("012", "Zorak", "ORIGEN"), u("1"));
    EXPECT_EQ(campo("012", "Zorak", "HEX"), u("1310"));
    EXPECT_EQ(campo("012", "Zorak", "VIDA"), u("0"));
    // Without a place first: "2", and the place given fills an empty hex.
    registra("012", "Doran", "2020", "", false, SinPista, EstadoRehen, "");
    EXPECT_EQ(campo("012", "Doran", "ORIGEN"), u("2"));
    EXPECT_EQ(campo("012", "Doran", "HEX"), u("2020"));
    EXPECT_EQ(campo("012", "Doran", "VIDA"), u("1"));
    registra("012", "Doran", "", "", false, SinPista, EstadoSiNoSeSabe, "");
    EXPECT_EQ(campo("012", "Doran", "VIDA"), u("1"));
    registra("012", "Doran", "1111", "", true, SinPista, EstadoMuerto, "");
    EXPECT_EQ(campo("012", "Doran", "VIDA"), u("2"));
    EXPECT_EQ(campo("012", "Doran", "HEX"), u("1111"));
    EXPECT_EQ(campo("012", "Doran", "ORIGEN"), u("1"));
}

TEST_F(RegistroPjTest, ElPaisPorCodigoPorNombreOElUltimoConocido) {
    fila(sesion->paises(), {{"CODIGO", u("08")}, {"NOMBRE", u("Rey Brujo")}});
    fila(sesion->pjs(), {{"TURNO", u("009")}, {"CODIGO", u("Gorba")}, {"NOMBRE", u("Gorbag")}, {"PAIS", u("08")}});
    fila(sesion->pjs(), {{"TURNO", u("010")}, {"CODIGO", u("Gorba")}, {"NOMBRE", u("Gorbag")}});
    fila(sesion->pjs(), {{"TURNO", u("013")}, {"CODIGO", u("Gorba")}, {"NOMBRE", u("Gorbag")}, {"PAIS", u("11")}});
    EXPECT_EQ(registro->UltimoPaisPj(u("Gorbag el Grande")), u("08"));
    EXPECT_EQ(registro->UltimoPaisPj(u("Nadie")), u(""));
    struct Caso { const char* nombre; const char* pais; const char* esperado; };
    const Caso casos[] = {{"Uno", "05", "05"}, {"Dos", "Rey Brujo", "08"}, {"Tres", "Rey", ""}, {"Cuatro", "", ""},
                          {"Cinco", "5", ""}};
    for (const auto& c : casos) {
        registra("012", c.nombre, "", "", false, SinPista, EstadoVivo, c.pais);
        EXPECT_EQ(campo("012", qPrintable(RegistroPj::CodigoPj(u(c.nombre)).trimmed()), "PAIS"), u(c.esperado)) << c.nombre;
    }
    // No nation given: the latest one known up to the report's turn (013 is later than 012).
    registra("012", "Gorbag", "", "", false, SinPista, EstadoVivo, "");
    EXPECT_EQ(campo("012", "Gorba", "PAIS"), u("08"));
}

TEST_F(RegistroPjTest, NombresConLasMismasCincoLetrasSonUnaFila) {
    registra("012", "Aragorn", "1208", "", true, SinPista, EstadoVivo, "");
    registra("012", "Aragonés", "", "", false, SinPista, EstadoVivo, "");
    TTabla& t = sesion->pjs();
    t.fijaRango({u("012")}, {u("012")});
    EXPECT_EQ(t.numeroRegistros(), 1);
    t.quitaRango();
    EXPECT_EQ(campo("012", "Arago", "NOMBRE"), u("Aragonés"));
    EXPECT_EQ(campo("012", "Arago", "HEX"), u("1208"));
}

TEST_F(RegistroPjTest, SinTurnoNoHaceNadaYSinNombreFalla) {
    registra("", "Aric", "1208", "", true, SinPista, EstadoVivo, "");
    EXPECT_TRUE(sesion->pjs().vacia());
    EXPECT_THROW(registra("012", "   ", "1208", "", true, SinPista, EstadoVivo, ""), FalloLectura);
}
