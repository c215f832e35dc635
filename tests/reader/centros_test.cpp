// The population centres section and RegistraCPVisto, on small reports.

#include "comun/impresion.h"
#include "partidalectura.h"

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
QStringList filas(const QStringList& volcado) { return volcado.mid(1); }
// A dump row from its first fields, the rest empty.
QString fila(const char* inicio, int campos) {
    QString f = u(inicio);
    while (f.count(QLatin1Char(';')) < campos - 1) f += QLatin1Char(';');
    return f;
}

// The lines of one centre; the name line is given whole.
QStringList centro(const char* nombre, const char* hex, const char* fortificacion = "Torre Lealtad : 50",
                   const char* almacen = "1 2 3 4 5 6 7") {
    return {u(nombre) + u(" Localización : ") + u(hex) + u(" Terreno : Llano Clima : Frío Tamaño : Aldea"),
            u("Fortificación : ") + u(fortificacion) + u(" Muelles : Puerto Oculto : No Asediado : No"),
            u("Recurso : Cuero Bronce Acero Mithril Comida Madera Monturas Oro"),
            u("Producción estimada : 10 20 30 40 50 60 70 80"), u("Unidades almacenadas : ") + u(almacen)};
}

// Errors of the log, without the fixed lines of every reading.
QStringList errores(const QStringList& log) {
    QStringList r;
    for (const QString& l : log)
        if (l.startsWith(u("Error al Leer"))) r << l;
    return r;
}

struct Lectura {
    bool leido;
    QStringList errores, centros, ejercitos, pjs;
};

Lectura lee(PartidaLectura& p, const QStringList& cuerpo) {
    Lectura l;
    l.leido = p.lee(InformeMinimo(cuerpo));
    l.errores = errores(p.log());
    l.centros = filas(p.volcado(u("DSCenPob"), u("T123")));
    l.ejercitos = filas(p.volcado(u("DSEjer"), u("T123")));
    l.pjs = filas(p.volcado(u("DSPjs"), u("T123")));
    return l;
}

// "HEX;NOMBRE" of every centre row, to check names and places at a glance.
QStringList nombres(const QStringList& centros) {
    QStringList r;
    for (const QString& f : centros) r << f.section(u(";"), 1, 2);
    return r;
}

} // namespace

TEST(LeeCentros, LosNombresDeLosCentros) {
    struct Caso { QStringList cuerpo; QStringList esperados; };
    const Caso casos[] = {
        {centro("Castro Norte (Capital)", "1208"), lineas({"1208;Castro Norte"})},
        {centro("- Castro Norte", "1208"), lineas({"1208;Castro Norte"})},
        // Words before a leading dash word are dropped.
        {centro("basura suelta -Castro Norte", "1208"), lineas({"1208;Castro Norte"})},
        {centro("Castro -Norte (Capital) del Este", "1208"), lineas({"1208;Norte del Este"})},
    };
    for (const auto& c : casos) {
        PartidaLectura p;
        const Lectura l = lee(p, QStringList{u("CENTROS DE POBLACION")} + c.cuerpo + QStringList{u("EJÉRCITOS")});
        EXPECT_TRUE(l.leido) << l.errores.join('\n').toStdString();
        EXPECT_EQ(nombres(l.centros), c.esperados);
    }
    PartidaLectura p;
    const Lectura l = lee(p, QStringList{u("CENTROS DE POBLACION")} + centro("Castro Norte (Capital)", "1208"));
    ASSERT_EQ(l.centros.size(), 1);
    EXPECT_EQ(l.centros.first(), u("012;1208;Castro Norte;07;02;04;02;01;50;02;True;False;False;10;20;30;40;50;60;70;80;1;2;3;4;5;6;7;;False;0"));
}

TEST(LeeCentros, FortificacionPegadaALealtadYLealtadPegadaAMuelles) {
    struct Caso { const char* fortificacion; const char* esperado; };
    const Caso casos[] = {
        {"CastilloLealtad : 72", ";03;72;02;"},
        {"Lealtad : 72", ";;72;02;"},
        {"Castillo Lealtad : 100Muelles : Embarcadero Oculto : No Asediado : No x", ";03;100;01;"},
        {"FortalezaLealtad : 100Muelles : Embarcadero Oculto : No Asediado : No x", ";04;100;01;"},
    };
    for (const auto& c : casos) {
        QStringList cuerpo = QStringList{u("CENTROS DE POBLACION")} + centro("Vado Gris", "1310", c.fortificacion);
        // A glued loyalty shortens the line by one word: the docks label is gone with it.
        if (QString(u(c.fortificacion)).contains(u("100Muelles"))) cuerpo[2] = u("Fortificación : ") + u(c.fortificacion).chopped(2);
        PartidaLectura p;
        const Lectura l = lee(p, cuerpo);
        EXPECT_TRUE(l.leido) << c.fortificacion << l.errores.join('\n').toStdString();
        ASSERT_EQ(l.centros.size(), 1) << c.fortificacion;
        EXPECT_EQ(l.centros.first().section(u(";"), 7, 9, QString::SectionIncludeLeadingSep | QString::SectionIncludeTrailingSep),
                  u(c.esperado)) << c.fortificacion;
    }
}

TEST(LeeCentros, LasUnidadesAlmacenadasQueSiguenTrasElGuion) {
    struct Caso { QStringList cuerpo; QStringList esperados; const char* almacen; };
    const Caso casos[] = {
        // The values after the dash go on in the next line.
        {QStringList{u("CENTROS DE POBLACION")} + centro("Vado Gris", "1310", "Torre Lealtad : 50", "- 1 2 3") +
             lineas({"4 5 6 7"}) + centro("Puerto Helado", "1102"),
         lineas({"1102;Puerto Helado", "1310;Vado Gris"}), "1;2;3;4;5;6;7"},
        // The next centre's first word glued after the dash.
        {QStringList{u("CENTROS DE POBLACION")} + centro("Vado Gris", "1310", "Torre Lealtad : 50", "1 2 3 4 5 6 7 - Puerto") +
             centro("Helado", "1102"),
         lineas({"1102;Puerto Helado", "1310;Vado Gris"}), "1;2;3;4;5;6;7"},
        // A tail that ends with the dash is glued to the next line: a leading dash word.
        {QStringList{u("CENTROS DE POBLACION")} + centro("Vado Gris", "1310", "Torre Lealtad : 50", "- 1 2 3 4 5 6 7 -") +
             centro("Puerto Helado", "1102"),
         lineas({"1102;Puerto Helado", "1310;Vado Gris"}), "1;2;3;4;5;6;7"},
    };
    for (const auto& c : casos) {
        PartidaLectura p;
        const Lectura l = lee(p, c.cuerpo);
        EXPECT_TRUE(l.leido) << l.errores.join('\n').toStdString();
        EXPECT_EQ(nombres(l.centros), c.esperados);
        ASSERT_EQ(l.centros.size(), 2);
        EXPECT_TRUE(l.centros[1].contains(u(";80;") + u(c.almacen) + u(";;False;0"))) << l.centros[1].toStdString();
    }
}

TEST(LeeCentros, EjercitosYPersonajesEnLosCentros) {
    PartidaLectura p;
    QStringList cuerpo = lineas({"CENTROS DE POBLACION",
                                 "Un ejército enarbolando la bandera de Rey Brujo a las órdenes de Capitán Gorbag está aquí."});
    cuerpo += centro("Castro Norte", "1208");
    cuerpo += lineas({"Un gran ejército enarbolando la bandera de Nadie Conocido a las órdenes de", "General Hathor está aquí.",
                      "Personajes extra en el centro : Lirien - Doran", "y Ana.",
                      "Personajes extra : Sola.", "Una flota enarbolando la bandera de Rey Brujo a las órdenes de Zorak está aquí."});
    cuerpo += QStringList{u("EJÉRCITOS")};
    // Rey Brujo is known with an allegiance: the army's row carries it.
    p.modifica(u("DSPais"), u("T123"), [](TTabla& t) {
        t.anade();
        t.fija(u("CODIGO"), u("08"));
        t.fija(u("NOMBRE"), u("Rey Brujo"));
        t.fija(u("BANDO"), u("2"));
        t.graba();
    });
    const Lectura l = lee(p, cuerpo);
    EXPECT_TRUE(l.leido) << l.errores.join('\n').toStdString();
    EXPECT_EQ(l.ejercitos, (QStringList{fila("012;;Gorba;2;Capitán Gorbag;ejército;08", 44),
                                        fila("012;1208;Hatho;;General Hathor;gran ejército", 44),
                                        fila("012;1208;Zorak;2;Zorak;flota;08", 44)}));
    QStringList pjs;
    for (const QString& f : l.pjs) pjs << f.section(u(";"), 1, 8);
    EXPECT_EQ(pjs, lineas({"Doran;1208;Doran y Ana;;0;;;", "Gorba;;Gorbag;;0;08;;25", "Hatho;1208;Hathor;;0;;;45",
                           "Lirie;1208;Lirien;;0;;;", "Sola;1208;Sola;;0;;;", "Zorak;1208;Zorak;;0;08;;1"}));
}

TEST(LeeCentros, UnCentroQueYaTieneFilaSeSobrescribe) {
    PartidaLectura p;
    p.modifica(u("DSCenPob"), u("T123"), [](TTabla& t) {
        t.anade();
        t.fija(u("TURNO"), u("012"));
        t.fija(u("HEX"), u("1208"));
        t.fija(u("NOMBRE"), u("Visto"));
        t.fija(u("ALMOR"), 5);
        t.fija(u("HEREDADO"), true);
        t.graba();
        t.anade();
        t.fija(u("TURNO"), u("011"));
        t.fija(u("HEX"), u("1208"));
        t.fija(u("NOMBRE"), u("Otro turno"));
        t.graba();
    });
    const Lectura l = lee(p, QStringList{u("CENTROS DE POBLACION")} + centro("Castro Norte", "1208"));
    EXPECT_EQ(l.centros, (QStringList{fila("011;1208;Otro turno", 31),
                                      u("012;1208;Castro Norte;07;02;04;02;01;50;02;False;False;False;10;20;30;40;50;60;70;80;1;2;3;4;5;6;7;5;False;0")}));
}

TEST(LeeCentros, LosErroresSeAnotanYLaLecturaSigue) {
    struct Caso { QStringList cuerpo; QStringList errores; QStringList centros; };
    const Caso casos[] = {
        // A loyalty that is not a number: the walk goes on from it and the next centre is read.
        {QStringList{u("CENTROS DE POBLACION")} + centro("Vado Gris", "1310", "Torre Lealtad : mucha") +
             centro("Puerto Helado", "1102"),
         lineas({"Error al Leer (CP): mucha"}), lineas({"1102;mucha Muelles Puerto"})},
        // The section cut in the middle of a centre.
        {QStringList{u("CENTROS DE POBLACION")} + centro("Puerto Helado", "1102") + centro("Vado Gris", "1310").mid(0, 3),
         lineas({"Error al Leer (CP): Oro"}), lineas({"1102;Puerto Helado"})},
        // No "Localización" after a name: one error and the section stops.
        {lineas({"CENTROS DE POBLACION", "Solo un nombre"}) + centro("Puerto Helado", "1102").mid(1),
         lineas({"Error al Leer (CP): Solo"}), {}},
        // Stores that are not numbers.
        {QStringList{u("CENTROS DE POBLACION")} + centro("Vado Gris", "1310", "Torre Lealtad : 50", "1 2 3 4 5 6 siete") +
             centro("Puerto Helado", "1102"),
         lineas({"Error al Leer (CP): siete"}), lineas({"1102;siete Puerto Helado"})},
        // An army sentence without the commander.
        {lineas({"CENTROS DE POBLACION", "Un ejército enarbolando la bandera de Rey Brujo"}), 
         lineas({"Error al Leer (CPE): Un ejército enarbolando la bandera de Rey Brujo"}), {}},
        // A list of extra characters without ":".
        {lineas({"CENTROS DE POBLACION", "Personajes extra en el centro Lirien."}),
         lineas({"Error al Leer (PJCP): Personajes extra en el centro Lirien."}), {}},
    };
    for (const auto& c : casos) {
        PartidaLectura p;
        const Lectura l = lee(p, c.cuerpo);
        EXPECT_FALSE(l.leido);
        EXPECT_EQ(l.errores, c.errores);
        EXPECT_EQ(nombres(l.centros), c.centros);
    }
}

TEST(LeeCentros, SinLaSeccionNoSeLeeNada) {
    PartidaLectura p;
    const Lectura l = lee(p, centro("Puerto Helado", "1102"));
    EXPECT_TRUE(l.leido);
    EXPECT_TRUE(l.centros.isEmpty());
    EXPECT_TRUE(l.errores.isEmpty());
}

TEST(RegistraCPVisto, LosCentrosVistosDesdeUnEjercito) {
    struct Caso { const char* frase; const char* fila; };
    const Caso casos[] = {
        {"El/la Pueblo/Torre de Roca Alta enarbolando la bandera de Rey Brujo está aquí.", "2020;Roca Alta;08;03;;;01"},
        {"El/la Aldea no controlado de Vado Oscuro está aquí.", "2020;Vado Oscuro;;02;;;"},
        {"El/la no visto Ciudad de Bree enarbolando la bandera de Rey Brujo está aquí.", "2020;Ciudad de Bree;08;05;;;"},
        {"El/la Castillo/Fortaleza de: Bree : enarbolando la bandera de Nadie está aquí.", "2020;Bree;;;;;04"},
    };
    for (const auto& c : casos) {
        PartidaLectura p;
        p.modifica(u("DSPais"), u("T123"), [](TTabla& t) {
            t.anade();
            t.fija(u("CODIGO"), u("08"));
            t.fija(u("NOMBRE"), u("Rey Brujo"));
            t.graba();
        });
        QStringList cuerpo = lineas({"Mando de Ejército : Capitán Aric Vel Localización actual : 2020 - Llano",
                                     "Clima : Frío Moral actual : 62 Galeras : 0 Transportes : 0", "Tipo", "Tren Suministros :",
                                     "Armas : 1 2 3", "Armaduras: 4 5 6 7", "Comida: 8 Maquinas: 9"});
        cuerpo << u(c.frase);
        const Lectura l = lee(p, cuerpo);
        EXPECT_TRUE(l.leido) << c.frase << l.errores.join('\n').toStdString();
        ASSERT_EQ(l.centros.size(), 1) << c.frase;
        EXPECT_EQ(l.centros.first().section(u(";"), 1, 7), u(c.fila)) << c.frase;
        EXPECT_TRUE(l.centros.first().endsWith(u(";False;"))) << c.frase;
    }
}

TEST(RegistraCPVisto, NoCambiaUnCentroPropioYFallaSinNombre) {
    PartidaLectura p;
    QStringList cuerpo = QStringList{u("CENTROS DE POBLACION")} + centro("Castro Norte", "2020") + lineas({"EJÉRCITOS"});
    const QStringList bloque = lineas({"Mando de Ejército : Capitán Aric Vel Localización actual : 2020 - Llano",
                                       "Clima : Frío Moral actual : 62 Galeras : 0 Transportes : 0", "Tipo", "Tren Suministros :",
                                       "Armas : 1 2 3", "Armaduras: 4 5 6 7", "Comida: 8 Maquinas: 9"});
    cuerpo += bloque;
    cuerpo << u("El/la Pueblo/Torre de Otro Nombre enarbolando la bandera de Rey Brujo está aquí.");
    cuerpo += QStringList{bloque.first()} + bloque.mid(1);
    cuerpo[cuerpo.size() - bloque.size()].replace(u("2020"), u("2121"));
    cuerpo << u("El/la Pueblo");
    const Lectura l = lee(p, cuerpo);
    EXPECT_EQ(l.errores, lineas({"Error al Leer (CPH): El/la Pueblo"}));
    EXPECT_EQ(nombres(l.centros), lineas({"2020;Castro Norte"}));
}
