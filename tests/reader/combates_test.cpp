// Challenges and battles of the combat reports, on small reports read whole.

#include "comun/impresion.h"
#include "partidalectura.h"
#include "tablavolcada.h"

#include "reader/lectorcombates.h"

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

// The nations the cases name, then the combat reports and the (empty) special messages.
QStringList combate(const QStringList& informe) {
    return lineas({"RELACIONES CON OTROS PAÍSES", "nº 6 Hombres de Dol : Neutral     nº 8 Rey Brujo : Odio",
                   "CENTROS DE POBLACION", "EJÉRCITOS", "INFORMES DE COMBATE"}) +
           informe +
           lineas({"MENSAJES ESPECIALES", "Ninguno.", "Tienes los siguientes Agentes dobles:", "Ninguno",
                   "Tienes los siguientes rehenes:", "Ninguno", "Tu posees los siguientes artefactos:"});
}

QStringList filas(PartidaLectura& p, const char* fuente, const QString& campos) {
    const TablaVolcada t(p.volcado(u(fuente), u("T123")));
    QStringList r;
    for (int f = 0; f < t.filas(); ++f) {
        QStringList v;
        for (const QString& c : campos.split(u(";"))) v << t.valor(f, c);
        r << v.join(u(";"));
    }
    return r;
}

const QString kCamposPj = u("TURNO;CODIGO;HEX;VIDA;ORIGEN;GNAGENTE;GNMANDO;GNEMISARIO;GNMAGO");
const QString kCamposCP = u("TURNO;HEX;NOMBRE;PAIS;TIPOCP;FORTIFICA;HEREDADO;ORIGEN");

} // namespace

TEST(LeeRetos, TiposYQuienCae) {
    struct Caso {
        const char* turno;
        QStringList informe;
        QStringList pjs;   // TURNO;CODIGO;HEX;VIDA;ORIGEN;GNAGENTE;GNMANDO;GNEMISARIO;GNMAGO
    };
    const QStringList mientras = lineas({"Reto de Aric Vel en 1208",
                                         "Mientras los habitantes de la villa se agolpaban para mirar, el guerrero que se",
                                         "adelantó con la espada en alto.", "Recogió el reto, Gorbag el Negro, un temible agente del este."});
    const Caso casos[] = {
        // The one named later in the last sentence falls; "guerrero que <word> adelantó" is a warrior.
        {"12", mientras + lineas({"Aric Vel venció a Gorbag el Negro."}),
         lineas({"011;Aric;1208;0;1;;1;;", "011;Gorba;1208;0;1;1;;;", "012;Aric;1208;0;2;;1;;", "012;Gorba;1208;2;1;1;;;"})},
        // Only the defender is named: the challenger fell.
        {"12", mientras + lineas({"Gorbag el Negro sigue en pie."}),
         lineas({"011;Aric;1208;0;1;;1;;", "011;Gorba;1208;0;1;1;;;", "012;Aric;1208;2;1;;1;;", "012;Gorba;1208;0;2;1;;;"})},
        // Only the challenger: the defender fell. In turn 1 both are also placed in turn 000.
        {"1", mientras + lineas({"Aric Vel quedó solo en la plaza."}),
         lineas({"000;Aric;1208;0;1;;1;;", "000;Gorba;1208;0;1;1;;;", "001;Aric;1208;0;2;;1;;", "001;Gorba;1208;2;1;1;;;"})},
        // Without "los habitantes" the type is still two words before "adelantó"; "mago que".
        {"12", lineas({"Texto antes de los retos.", "Reto de Mira del Lago en 1310", "Mientras el sol caía, el emisario se adelantó.",
                       "Recogió el reto, Zorak, un mago que nadie conocía.", "Zorak murió a manos de Mira del Lago."}),
         lineas({"011;Mira;1310;0;1;;;1;", "011;Zorak;1310;0;1;;;;1", "012;Mira;1310;2;1;;;1;", "012;Zorak;1310;0;2;;;;1"})},
    };
    for (const auto& c : casos) {
        PartidaLectura p;
        EXPECT_TRUE(p.lee(InformeMinimo(combate(c.informe), u(c.turno)))) << p.log().join('\n').toStdString();
        EXPECT_EQ(filas(p, "DSPjs", kCamposPj), c.pjs) << c.informe.join('|').toStdString();
    }
}

TEST(LeeRetos, UnRetoIlegibleTerminaLaSeccion) {
    PartidaLectura p;
    const QStringList informe = lineas({"Reto de Aric Vel en 1208", "Nadie recogió el guante.", "Reto de Mira del Lago en 1310",
                                        "Recogió el reto, Zorak, un mago.", "Zorak cayó."});
    EXPECT_FALSE(p.lee(InformeMinimo(combate(informe))));
    EXPECT_EQ(errores(p.log()), QStringList{u("Error al Leer (RT): ") + informe.join(u(" "))});
    EXPECT_TRUE(filas(p, "DSPjs", kCamposPj).isEmpty());
}

TEST(LeeRetos, TipoDePista) {
    EXPECT_EQ(LectorCombates::PistaDeTipo(u("emisario")), 4);
    EXPECT_EQ(LectorCombates::PistaDeTipo(u("mago")), 3);
    EXPECT_EQ(LectorCombates::PistaDeTipo(u("guerrero")), 2);
    EXPECT_EQ(LectorCombates::PistaDeTipo(u("agente")), 1);
    EXPECT_EQ(LectorCombates::PistaDeTipo(u("Mago")), 0);
    EXPECT_EQ(LectorCombates::PistaDeTipo(u("")), 0);
}

TEST(LeeBatallas, LosCentrosAtacados) {
    struct Caso {
        QStringList informe;
        QStringList centros;   // TURNO;HEX;NOMBRE;PAIS;TIPOCP;FORTIFICA;HEREDADO;ORIGEN
    };
    const Caso casos[] = {
        {lineas({"Batalla en 1310.", "Los ejércitos de Rey Brujo atacaron al amanecer.",
                 "Después del ataque al centro de población de Vado Gris.", "El/la Villa de Vado Gris ha sido reducido(a) a Pueblo.",
                 "Fortificación: Torre.", "Lealtad: 40.", "Ondea la bandera de: Rey Brujo.", "Fin del informe."}),
         lineas({"012;1310;;08;03;01;False;"})},
        {lineas({"Batalla en 1310.", "Después del ataque al centro de población de Vado Gris.",
                 "El/la Villa de Vado Gris resistió el asalto.", "Fortificación: Fortaleza.", "Lealtad: 80.",
                 "Ondea la bandera de: Hombres de Dol.", "Fin del informe."}),
         lineas({"012;1310;;06;04;04;False;"})},
        // Ruins have no owner; the walk goes on three sentences later, into the next battle.
        {lineas({"Batalla en 1617.", "Después del ataque al centro de población de Roca Alta.",
                 "El/la Pueblo de Roca Alta ha sido reducido(a) a Ruinas.", "Fortificación: Ninguna.", "Sin habitantes.",
                 "Battle at 1405.", "After the battle.", "Después del ataque al centro de población de Aldea del Pinar.",
                 "El/la Aldea de Aldea del Pinar resistió.", "Fortificación: Torre.", "Lealtad: 10.",
                 "Ondea la bandera de: Rey Brujo.", "Fin del informe."}),
         lineas({"012;1405;;08;02;01;False;", "012;1617;;;00;;False;"})},
        // A battle whose account never mentions the attack on the centre changes nothing.
        {lineas({"Batalla en 1208.", "El/la Ciudad de Castro Norte vio pasar a los ejércitos.", "Fortificación: Castillo.",
                 "Lealtad: 80.", "Ondea la bandera de: Rey Brujo.", "Fin del informe."}),
         {}},
    };
    for (const auto& c : casos) {
        PartidaLectura p;
        EXPECT_TRUE(p.lee(InformeMinimo(combate(c.informe)))) << p.log().join('\n').toStdString();
        EXPECT_TRUE(errores(p.log()).isEmpty()) << errores(p.log()).join('\n').toStdString();
        EXPECT_EQ(filas(p, "DSCenPob", kCamposCP), c.centros) << c.informe.join('|').toStdString();
    }
}

TEST(LeeBatallas, UnCentroPropioDelTurnoNoCambia) {
    PartidaLectura p;
    p.modifica(u("DSCenPob"), u("T123"), [](TTabla& t) {
        t.anade();
        t.fija(u("TURNO"), u("012"));
        t.fija(u("HEX"), u("1310"));
        t.fija(u("NOMBRE"), u("Vado Gris"));
        t.fija(u("PAIS"), u("07"));
        t.fija(u("TIPOCP"), u("04"));
        t.fija(u("ORIGEN"), u("0"));
        t.graba();
    });
    EXPECT_TRUE(p.lee(InformeMinimo(combate(lineas({"Batalla en 1310.", "Después del ataque al centro de población de Vado Gris.",
                                                     "El/la Villa de Vado Gris ha sido reducido(a) a Pueblo.", "Fortificación: Torre.",
                                                     "Lealtad: 40.", "Ondea la bandera de: Rey Brujo.", "Fin del informe."})))));
    EXPECT_EQ(filas(p, "DSCenPob", kCamposCP), lineas({"012;1310;Vado Gris;07;04;;;0"}));
}

TEST(LeeBatallas, LosFallosSeAnotanSinHacerFallarLaLectura) {
    struct Caso { QStringList cuerpo; QStringList errores; };
    const Caso casos[] = {
        // An attacked centre whose owner sentence is missing.
        {combate(lineas({"Batalla en 1310.", "Después del ataque al centro de población de Vado Gris.",
                         "El/la Villa de Vado Gris resistió.", "Fortificación: Torre.", "Fin."})),
         lineas({"Error al Leer (Batallas): El/la Villa de Vado Gris resistió"})},
        // No combat reports at all.
        {lineas({"MENSAJES ESPECIALES", "Tienes los siguientes Agentes dobles:", "Ninguno"}),
         lineas({"Error al Leer (Batallas): Bloque no identificado"})},
    };
    for (const auto& c : casos) {
        PartidaLectura p;
        EXPECT_TRUE(p.lee(InformeMinimo(c.cuerpo)));
        EXPECT_EQ(errores(p.log()), c.errores);
        EXPECT_TRUE(filas(p, "DSCenPob", kCamposCP).isEmpty());
    }
}
