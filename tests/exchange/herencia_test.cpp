#include "exchange/herencia.h"
#include "programaprueba.h"

#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {

const QStringList kCampos = {"TURNO", "HEX", "NOMBRE", "HEREDADO"};
const QString kBien = QStringLiteral("Proceso finalizado correctamente.");

QVariantMap centro(const char* turno, const char* hex, const char* nombre) {
    return {{"TURNO", turno}, {"HEX", hex}, {"NOMBRE", nombre}, {"HEREDADO", false}};
}
QVariantMap personaje(const char* turno, const char* hex, const char* codigo, const char* origen) {
    return {{"TURNO", turno}, {"HEX", hex}, {"CODIGO", codigo}, {"ORIGEN", origen}};
}

struct Caso {
    const char* que;
    QList<QVariantMap> centros, personajes;
    const char *desde, *hasta;
    QStringList esperado;
};

class Heredar : public ::testing::Test {
protected:
    ProgramaPrueba p;
    void SetUp() override {
        p.creaPartida(QStringLiteral("T001"));
        p.usa(QStringLiteral("T001"));
    }
    bool hereda(const QString& desde, const QString& hasta) {
        Herencia h(p.dm());
        EXPECT_TRUE(h.abre());
        const bool ok = h.ejecuta(desde, hasta);
        h.cierra();
        return ok;
    }
};

} // namespace

TEST_F(Heredar, RecorridoPorCasos) {
    const QList<Caso> casos = {
        {"visto solo en 001 sin personaje propio", {centro("001", "1010", "Bree")}, {}, "001", "005",
         {"001|1010|Bree|False", "002|1010|Bree|True", "003|1010|Bree|True", "004|1010|Bree|True", "005|1010|Bree|True"}},
        {"personaje propio en el hex en 003", {centro("001", "1010", "Bree")}, {personaje("003", "1010", "00001", "0")},
         "001", "005", {"001|1010|Bree|False", "002|1010|Bree|True"}},
        {"personaje que no es propio no para", {centro("001", "1010", "Bree")}, {personaje("003", "1010", "00001", "1")},
         "001", "003", {"001|1010|Bree|False", "002|1010|Bree|True", "003|1010|Bree|True"}},
        {"fila observada en 003", {centro("001", "1010", "Bree"), centro("003", "1010", "Bree Nueva")}, {}, "001", "005",
         {"001|1010|Bree|False", "002|1010|Bree|True", "003|1010|Bree Nueva|False", "004|1010|Bree Nueva|True",
          "005|1010|Bree Nueva|True"}},
        {"las filas despues del turno final no se tocan", {centro("001", "1010", "Bree"), centro("007", "2020", "Lejos")}, {},
         "001", "003", {"001|1010|Bree|False", "002|1010|Bree|True", "003|1010|Bree|True", "007|2020|Lejos|False"}},
        {"sin filas del turno final tampoco se sigue despues",
         {centro("001", "1010", "Bree"), centro("007", "2020", "Lejos")}, {personaje("002", "1010", "00001", "0")}, "001",
         "005", {"001|1010|Bree|False", "007|2020|Lejos|False"}},
        {"las filas antes del turno inicial no se llevan", {centro("001", "1010", "Bree"), centro("003", "2020", "Otro")}, {},
         "002", "004", {"001|1010|Bree|False", "003|2020|Otro|False", "004|2020|Otro|True"}},
        {"turnos sin ceros a la izquierda", {centro("008", "1010", "Bree")}, {}, "8", "10",
         {"008|1010|Bree|False", "009|1010|Bree|True", "010|1010|Bree|True"}},
    };
    for (const Caso& c : casos) {
        ProgramaPrueba q;
        q.creaPartida(QStringLiteral("T001"));
        q.usa(QStringLiteral("T001"));
        for (const auto& f : c.centros) q.inserta(QStringLiteral("DSCenPob"), f);
        for (const auto& f : c.personajes) q.inserta(QStringLiteral("DSPjs"), f);
        Herencia h(q.dm());
        ASSERT_TRUE(h.abre());
        EXPECT_TRUE(h.ejecuta(QString::fromLatin1(c.desde), QString::fromLatin1(c.hasta))) << c.que;
        h.cierra();
        EXPECT_EQ(q.filas(QStringLiteral("DSCenPob"), kCampos), c.esperado) << c.que;
        EXPECT_EQ(q.ui().textos(), QStringList{kBien}) << c.que;
        EXPECT_EQ(q.ui().nivelEspera, 0) << c.que;
    }
}

TEST_F(Heredar, CopiaLosCamposDelCentroYNoElOrigen) {
    QVariantMap c = centro("001", "1010", "Bree");
    c.insert({{"PAIS", "07"}, {"TIPOCP", "03"}, {"LEALTAD", 45}, {"CAPITAL", true}, {"OCULTO", false}, {"PROCU", 100},
              {"ALMOR", 2500}, {"ORIGEN", "0"}});
    p.inserta(QStringLiteral("DSCenPob"), c);
    ASSERT_TRUE(hereda(QStringLiteral("001"), QStringLiteral("002")));
    EXPECT_EQ(p.filas(QStringLiteral("DSCenPob"), {"TURNO", "PAIS", "TIPOCP", "LEALTAD", "CAPITAL", "OCULTO", "ASEDIADO",
                                                   "PROCU", "ALMOR", "HEREDADO", "ORIGEN"}),
              (QStringList{"001|07|03|45|True|False||100|2500|False|0", "002|07|03|45|True|False||100|2500|True|"}));
}

TEST_F(Heredar, DosVecesNoAnadeNada) {
    p.inserta(QStringLiteral("DSCenPob"), centro("001", "1010", "Bree"));
    p.inserta(QStringLiteral("DSCenPob"), centro("001", "1111", "Archet"));
    Herencia h(p.dm());
    ASSERT_TRUE(h.abre());
    EXPECT_EQ(h.hastaPropuesto(), QStringLiteral("001"));
    ASSERT_TRUE(h.ejecuta(QStringLiteral("001"), QStringLiteral("004")));
    EXPECT_EQ(h.anadidas(), 6);
    EXPECT_EQ(h.hastaPropuesto(), QStringLiteral("001"));
    ASSERT_TRUE(h.ejecuta(QStringLiteral("001"), QStringLiteral("004")));
    EXPECT_EQ(h.anadidas(), 0);
    h.cierra();
    EXPECT_EQ(p.filas(QStringLiteral("DSCenPob"), kCampos).size(), 8);
}

TEST_F(Heredar, RehusaSinTurnoFinalPosterior) {
    p.inserta(QStringLiteral("DSCenPob"), centro("001", "1010", "Bree"));
    struct C { const char *desde, *hasta; };
    for (const C& c : {C{"001", ""}, C{"003", "003"}, C{"004", "002"}}) {
        p.ui().preguntas.clear();
        EXPECT_FALSE(hereda(QString::fromLatin1(c.desde), QString::fromLatin1(c.hasta)));
        EXPECT_EQ(p.ui().textos(), QStringList{"El turno de \"Hasta Turno\" debe ser posterior al de \"Desde Turno\"."});
    }
    EXPECT_EQ(p.filas(QStringLiteral("DSCenPob"), kCampos), QStringList{"001|1010|Bree|False"});
}

TEST_F(Heredar, RestauraElIndiceDePjs) {
    p.inserta(QStringLiteral("DSCenPob"), centro("001", "1010", "Bree"));
    Herencia h(p.dm());
    ASSERT_TRUE(h.abre());
    TTabla& pjs = *p.dm().tabla(QStringLiteral("TPjs"));
    ASSERT_TRUE(pjs.fijaIndice(QStringLiteral("ID")));
    ASSERT_TRUE(h.ejecuta(QStringLiteral("001"), QStringLiteral("002")));
    EXPECT_EQ(pjs.nombreIndice(), QStringLiteral("ID"));
    EXPECT_FALSE(pjs.tieneRango());
}

TEST_F(Heredar, PrimerTurnoObservado) {
    p.inserta(QStringLiteral("DSCenPob"), centro("001", "1010", "Bree"));
    p.inserta(QStringLiteral("DSCenPob"), centro("001", "0909", "Vecino"));
    ASSERT_TRUE(hereda(QStringLiteral("001"), QStringLiteral("005")));
    ASSERT_TRUE(p.dm().Abrir(QStringLiteral("DSCenPob"), false, false));
    TTabla& t = *p.dm().tabla(QStringLiteral("TCenPob"));
    ASSERT_TRUE(t.buscaClave({QStringLiteral("005"), QStringLiteral("1010")}));
    EXPECT_EQ(Herencia::turnoObservado(t), QStringLiteral("001"));
    EXPECT_EQ(t.texto(QStringLiteral("TURNO")), QStringLiteral("005"));
    EXPECT_EQ(t.nombreIndice(), QString());
    ASSERT_TRUE(t.buscaClave({QStringLiteral("001"), QStringLiteral("1010")}));
    EXPECT_EQ(Herencia::turnoObservado(t), QString());   // an observed row has no earlier one
    ASSERT_TRUE(t.borra());
    ASSERT_TRUE(t.buscaClave({QStringLiteral("005"), QStringLiteral("1010")}));
    EXPECT_EQ(Herencia::turnoObservado(t), QString());
    ASSERT_TRUE(t.buscaClave({QStringLiteral("003"), QStringLiteral("0909")}));
    EXPECT_EQ(Herencia::turnoObservado(t), QStringLiteral("001"));
    // Inherited rows down to the first row of the table: nothing observed before them.
    ASSERT_TRUE(t.buscaClave({QStringLiteral("001"), QStringLiteral("0909")}));
    ASSERT_TRUE(t.borra());
    ASSERT_TRUE(t.buscaClave({QStringLiteral("003"), QStringLiteral("0909")}));
    EXPECT_EQ(Herencia::turnoObservado(t), QString());
    p.dm().Cerrar(QStringLiteral("DSCenPob"));
}

TEST(TurnoSiguiente, SumaUnoYRellena) {
    EXPECT_EQ(Herencia::turnoSiguiente(QStringLiteral("001")), QStringLiteral("002"));
    EXPECT_EQ(Herencia::turnoSiguiente(QStringLiteral("099")), QStringLiteral("100"));
    EXPECT_EQ(Herencia::turnoSiguiente(QStringLiteral("999")), QStringLiteral("100"));
}
