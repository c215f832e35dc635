// The order results of own characters (the body of each sheet), on small reports read whole.

#include "comun/impresion.h"
#include "partidalectura.h"
#include "tablavolcada.h"

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

// The nations the cases name, then one sheet with the given body and closing sentence.
QStringList hoja(const char* nombre, const QStringList& cuerpo, const char* cierre) {
    return lineas({"RELACIONES CON OTROS PAÍSES", "nº 6 Hombres de Dol : Neutral     nº 8 Rey Brujo : Odio",
                   "CENTROS DE POBLACION", "EJÉRCITOS", "PERSONAJES"}) +
           QStringList{u(nombre) + u(" Grados : Mando 10 30 (35) 0 20"), u("60, Salud/Sigilo 12 +8"), u("Artefactos : Ninguno"),
                       u("Hechizos (+) : Ninguno")} +
           cuerpo + (QString::fromUtf8(cierre).isEmpty() ? QStringList() : QStringList{u(cierre)});
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

// A character's row of turn 012 written before the reading: field=value pairs.
void pjPrevio(PartidaLectura& p, const QList<QPair<const char*, const char*>>& valores) {
    p.modifica(u("DSPjs"), u("T123"), [&](TTabla& t) {
        t.anade();
        t.fija(u("TURNO"), u("012"));
        for (const auto& [campo, valor] : valores) t.fija(QString::fromLatin1(campo), u(valor));
        t.graba();
    });
}

const QString kCamposPj = u("TURNO;CODIGO;HEX;VIDA;ORIGEN;PAIS;GNMANDO;GNAGENTE");
const QString kLugares = u("HEX;TURNO;ARTEF;NOMBRE;RESUELTO;ORIGEN");
const QString kCamposArt = u("CODIGO;HEX;ART1;ART2;ART3;ART4;ART5;ART6");

} // namespace

TEST(LeeOrdenes, UnRehenNoCumpleOrdenes) {
    PartidaLectura p;
    EXPECT_TRUE(p.lee(InformeMinimo(hoja("Ilse la Roja",
                                         lineas({"Ilse la Roja es un rehen de los Caballeros Negros.",
                                                 "Ella recibió ordenes de reconocer personajes.",
                                                 "Informe del área. Están: Gorbag - Rey Brujo. Nada más en este momento.",
                                                 "Ilse ha encontrado unas ruinas que podría ser investigadas.",
                                                 "Ella recibió ordenes de lanzar un hechizo de conocimiento. Localizar Personaje :",
                                                 "Gorbag está en 1208.", "Ella recibió ordenes de explorar área.", "Exploró 2019.",
                                                 "Vistos - Hathor de: Hombres de Dol con aproximadamente 900 hombres en 2020.",
                                                 "Fin final.", "Ella se encuentra en 2019."}),
                                         ""))));
    EXPECT_EQ(filas(p, "DSPjs", u("TURNO;CODIGO;HEX;VIDA;ORIGEN;SEXO")), lineas({"012;Ilse;2019;1;2;F"}));
    EXPECT_EQ(p.volcado(u("DSUbiArtef"), u("T123")).size(), 1);
    EXPECT_EQ(p.volcado(u("DSEjer"), u("T123")).size(), 1);
}

TEST(LeeOrdenes, Reconocimiento) {
    PartidaLectura p;
    pjPrevio(p, {{"CODIGO", "Grima"}, {"NOMBRE", "Grima Lengua"}, {"HEX", "2214"}, {"PAIS", "08"}});
    EXPECT_TRUE(p.lee(InformeMinimo(hoja("Oren Tres Vientos",
                                         lineas({"El recibió ordenes de reconocer personajes.",
                                                 "Informe de reconocimiento del área. Personajes Están: Capitán Gorbag - Rey Brujo.",
                                                 "Grima Lengua - Servidor Oscuro. Lirien Valaqua. Un desconocido de capa gris.",
                                                 "Hathor - Hombres de Dol. Informe válido en este momento.",
                                                 "Aric Vel - Pueblo Libre."}),
                                         "Oren Tres Vientos está actualmente en 1102."))))
        << p.log().join('\n').toStdString();
    // Placed at the sheet's place, with the grade its title gives; the one known only by its
    // allegiance keeps where it was. "momento." ends the report.
    EXPECT_EQ(filas(p, "DSPjs", kCamposPj),
              lineas({"012;Gorba;1102;;;08;25;", "012;Grima;2214;;;08;;", "012;Hatho;1102;;;06;;", "012;Lirie;1102;;;;;",
                      "012;Oren;1102;0;0;07;10;30"}));
}

TEST(LeeOrdenes, ReconocimientoSinExtranjeros) {
    PartidaLectura p;
    EXPECT_TRUE(p.lee(InformeMinimo(hoja("Oren Tres Vientos",
                                         lineas({"El recibió ordenes de reconocer personajes.",
                                                 "No hay personajes extranjeros en el área. Están: Gorbag - Rey Brujo. Fin en este momento."}),
                                         "Oren Tres Vientos está actualmente en 1102."))));
    EXPECT_EQ(filas(p, "DSPjs", u("CODIGO")), lineas({"Oren"}));
}

TEST(LeeOrdenes, HallazgosYHechizos) {
    struct Caso {
        QStringList cuerpo;
        QStringList pjs;       // TURNO;CODIGO;HEX;VIDA;ORIGEN;PAIS;GNMANDO;GNAGENTE, without the sheet's own row
        QStringList lugares;   // HEX;TURNO;ARTEF;NOMBRE;RESUELTO;ORIGEN
        QStringList arts;      // CODIGO;HEX;ART1..ART6 of the holder
    };
    const char* artefacto = "Ella recibió ordenes de lanzar un hechizo de conocimiento. Localizar Artefacto :";
    const char* personaje = "Ella recibió ordenes de lanzar un hechizo de conocimiento. Localizar Personaje :";
    const Caso casos[] = {
        {lineas({"Mira ha encontrado unas ruinas que podría ser investigadas."}), {}, lineas({"1310;012;;;False;0"}), {}},
        {lineas({artefacto, "Espada de Brandor #7 está localizado en 1617."}), {}, lineas({"1617;012;007;Espada de Brandor;False;2"}), {}},
        {lineas({artefacto, "Espada de Brandor #7 puede ser localizado en 1617."}), {},
         lineas({"1617;012;007;Espada de Brandor;False;2"}), {}},
        {lineas({artefacto, "Anillo de los Vientos #123 está en poder de Gorbag el Negro y el/la portador está en 2214."}),
         lineas({"012;Gorba;2214;0;1;;;"}), {}, lineas({"Gorba;2214;123;;;;;"})},
        // The English text: the number is the fourteenth word.
        {lineas({artefacto, "artifact #45, un Baston está localizado en 1208."}), {}, lineas({"1208;012;045;Baston;False;2"}), {}},
        {lineas({artefacto, "artifact #201, un Daga está en poder de Ilse la Roja y el/la portadora está en 2019."}),
         lineas({"012;Ilse;2019;0;1;;;"}), {}, lineas({"Ilse;2019;201;;;;;"})},
        {lineas({personaje, "Gorbag el Negro está en 1208."}), lineas({"012;Gorba;1208;0;1;;;"}), {}, {}},
        {lineas({personaje, "Gorbag el Negro no pudo ser localizado."}), {}, {}, {}},
    };
    for (const auto& c : casos) {
        PartidaLectura p;
        EXPECT_TRUE(p.lee(InformeMinimo(hoja("Mira del Lago", c.cuerpo, "Mira del Lago está actualmente en 1310."))))
            << c.cuerpo.join('|').toStdString() << p.log().join('\n').toStdString();
        QStringList pjs = filas(p, "DSPjs", kCamposPj);
        pjs.removeIf([](const QString& f) { return f.contains(u(";Mira;")); });
        EXPECT_EQ(pjs, c.pjs) << c.cuerpo.join('|').toStdString();
        EXPECT_EQ(filas(p, "DSUbiArtef", kLugares), c.lugares) << c.cuerpo.join('|').toStdString();
        QStringList arts = filas(p, "DSPjs", kCamposArt);
        arts.removeIf([](const QString& f) { return f.startsWith(u("Mira;")); });
        if (!c.arts.isEmpty()) EXPECT_EQ(arts, c.arts) << c.cuerpo.join('|').toStdString();
    }
}

TEST(LeeOrdenes, ElArtefactoDelPortadorNoSeRepiteNiPisaOtros) {
    struct Caso {
        QList<QPair<const char*, const char*>> antes;
        const char* despues;   // CODIGO;HEX;ART1..ART6
        bool leido;
    };
    const Caso casos[] = {
        {{{"ART1", "001"}, {"ART2", "002"}, {"ART3", "123"}}, "Gorba;2214;001;002;123;;;", true},
        {{{"ART3", "123"}}, "Gorba;2214;;;123;;;", true},
        {{{"ART1", "001"}, {"ART3", "003"}}, "Gorba;2214;001;123;003;;;", true},
        // Six others: none is replaced and the line is logged.
        {{{"ART1", "001"}, {"ART2", "002"}, {"ART3", "003"}, {"ART4", "004"}, {"ART5", "005"}, {"ART6", "006"}},
         "Gorba;2214;001;002;003;004;005;006", false},
    };
    const QString linea = u("Ella recibió ordenes de lanzar un hechizo de conocimiento. Localizar Artefacto :");
    for (const auto& c : casos) {
        PartidaLectura p;
        QList<QPair<const char*, const char*>> fila = {{"CODIGO", "Gorba"}, {"NOMBRE", "Gorbag el Negro"}};
        fila += c.antes;
        pjPrevio(p, fila);
        EXPECT_EQ(p.lee(InformeMinimo(hoja("Mira del Lago",
                                           {linea, u("Anillo de los Vientos #123 está en poder de Gorbag el Negro y el/la portador está en 2214.")},
                                           "Mira del Lago está actualmente en 1310."))),
                  c.leido);
        EXPECT_EQ(TablaVolcada(p.volcado(u("DSPjs"), u("T123"))).campos({u("CODIGO=Gorba")}, kCamposArt), u(c.despues));
        EXPECT_EQ(errores(p.log()), c.leido ? QStringList() : QStringList{u("Error al Leer (OR): ") + linea});
    }
}

TEST(LeeOrdenes, UnaLineaIlegibleSeAnotaYSeSigue) {
    PartidaLectura p;
    // The spell's line is the last one: there is no result to read it with.
    const QStringList cuerpo = lineas({"Mira ha encontrado unas ruinas que podría ser investigadas.",
                                       "Ella recibió ordenes de lanzar un hechizo de conocimiento. Localizar Artefacto"});
    EXPECT_FALSE(p.lee(InformeMinimo(hoja("Mira del Lago", cuerpo, "Mira del Lago está actualmente en 1310."))));
    EXPECT_EQ(errores(p.log()), QStringList{u("Error al Leer (OR): ") + cuerpo.last()});
    EXPECT_EQ(filas(p, "DSUbiArtef", kLugares), lineas({"1310;012;;;False;0"}));
}

TEST(LeeAgentes, LasAccionesDelAgente) {
    struct Caso {
        QStringList acciones;
        QStringList pjs;   // TURNO;CODIGO;HEX;VIDA;ORIGEN;PAIS;GNMANDO;GNAGENTE, without the sheet's own rows
    };
    const Caso casos[] = {
        // The missing full stop after the sabotage is put back, so the next sentence is its own.
        {lineas({"Ella mató Gorbag de: Rey Brujo y frustró su misión de sabotaje", "Hathor fue protegido por sus guardias."}),
         lineas({"011;Gorba;2019;0;1;08;;1", "011;Hatho;2019;0;1;;;", "012;Gorba;2019;2;2;08;;1", "012;Hatho;2019;0;2;;;"})},
        {lineas({"Ella hirió Gorbag de: Rey Brujo y frustró su misión de sabotaje."}),
         lineas({"011;Gorba;2019;0;1;08;;1", "012;Gorba;2019;0;2;08;;1"})},
        {lineas({"Ella capturó Gorbag de: Rey Brujo y frustró su misión de sabotaje."}), {}},
        {lineas({"Ella detectó Grima Lengua mientras realizaba su misión de protección."}),
         lineas({"011;Grima;2019;0;1;;;1", "012;Grima;2019;0;2;;;1"})},
        {lineas({"Ella recibió heridas de Ugluk mientras escapaba.", "Ella recibió heridas Ulfang mientras huía."}),
         lineas({"011;Ugluk;2019;0;1;;;", "011;Ulfan;2019;0;1;;;", "012;Ugluk;2019;0;2;;;", "012;Ulfan;2019;0;2;;;"})},
        {lineas({"Brand murió a manos de Ulfang mientras huía."}), lineas({"011;Ulfan;2019;0;1;;;", "012;Ulfan;2019;0;2;;;"})},
        {lineas({"Doran el Viejo ha sido asesinado."}), lineas({"011;Doran;2019;0;1;;;", "012;Doran;2019;2;2;;;"})},
    };
    for (const auto& c : casos) {
        PartidaLectura p;
        const QStringList cuerpo = lineas({"Ella recibió ordenes de sabotear.", "Ilse la Roja partió en su misión."}) + c.acciones +
                                   lineas({"Ella se encuentra en 2019."});
        EXPECT_TRUE(p.lee(InformeMinimo(hoja("Ilse la Roja", cuerpo, "Ilse la Roja está actualmente en 2019."))))
            << p.log().join('\n').toStdString();
        QStringList pjs = filas(p, "DSPjs", kCamposPj);
        pjs.removeIf([](const QString& f) { return f.contains(u(";Ilse;")); });
        EXPECT_EQ(pjs, c.pjs) << c.acciones.join('|').toStdString();
    }
}

TEST(LeeAgentes, ElPersonajeDeLaHojaAsesinado) {
    PartidaLectura p;
    EXPECT_TRUE(p.lee(InformeMinimo(hoja("Tarn Hijo de Tor",
                                         lineas({"El recibió ordenes de vigilar.", "Tarn Hijo de Tor ha sido asesinado por un agente.",
                                                 "Su cuerpo se encuentra en 1405.", "El recibió ordenes de explorar área.", "Nada.",
                                                 "Visto - Hathor de: Hombres de Dol con aproximadamente 900 hombres en 1406.",
                                                 "Fin final."}),
                                         "Tarn Hijo de Tor está actualmente en 1208."))));
    // Dead where the body lies, read from the sheet; a dead character scouts nothing.
    EXPECT_EQ(filas(p, "DSPjs", u("TURNO;CODIGO;HEX;VIDA;ORIGEN")), lineas({"012;Tarn;1405;2;0"}));
    EXPECT_EQ(p.volcado(u("DSEjer"), u("T123")).size(), 1);
}

TEST(LeeExploracion, LosEjercitosVistos) {
    struct Caso {
        QStringList cuerpo;
        QStringList ejercitos;   // TURNO;HEX;CODIGO;BANDO;NOMBRE;DESCRIPCION;PAIS
        QStringList pjs;         // TURNO;CODIGO;HEX;ORIGEN;PAIS without the sheet's own row
        QStringList errores;
    };
    const Caso casos[] = {
        {lineas({"El recibió ordenes de explorar área.", "Exploró los alrededores de 1617.",
                 "Ejércitos vistos - Hathor de: Hombres de Dol con aproximadamente 900 hombres en 1618 - Gorbag de:",
                 "Rey Brujo con aproximadamente 1500 hombres en 1716.", "Fin del informe final."}),
         lineas({"012;1618;Hatho;0;Hathor;Ejército (900 aprox.);06", "012;1716;Gorba;0;Gorbag;Ejército (1500 aprox.);08"}),
         lineas({"012;Gorba;1716;1;08", "012;Hatho;1618;1;06"}), {}},
        {lineas({"El recibió ordenes de utilizar artefacto de observación.", "Miró a lo lejos.",
                 "Vistos - Hathor de: Hombres de Dol con aproximadamente 900 hombres en 1618.", "Informe final."}),
         lineas({"012;1618;Hatho;0;Hathor;Ejército (900 aprox.);06"}), lineas({"012;Hatho;1618;1;06"}), {}},
        // A scouting that could not be made.
        {lineas({"El recibió ordenes de explorar area.", "Cael no pudo hacer exploración por la niebla.",
                 "Vistos - Hathor de: Hombres de Dol con aproximadamente 900 hombres en 1618.", "Informe final."}),
         {}, {}, {}},
        // A "final." before the order ends the scan.
        {lineas({"Informe final.", "El recibió ordenes de explorar área.", "Exploró 1617.",
                 "Vistos - Hathor de: Hombres de Dol con aproximadamente 900 hombres en 1618.", "Informe final."}),
         {}, {}, {}},
        // An army that cannot be read is logged and the next is read.
        {lineas({"El recibió ordenes de explorar área.", "Exploró 1617.",
                 "Vistos - Nadie sin bandera en 1618 - Gorbag de: Rey Brujo con aproximadamente 1500 hombres en 1716.",
                 "Informe final."}),
         lineas({"012;1716;Gorba;0;Gorbag;Ejército (1500 aprox.);08"}), lineas({"012;Gorba;1716;1;08"}),
         lineas({"Error al Leer (EA): Nadie sin bandera en 1618"})},
    };
    for (const auto& c : casos) {
        PartidaLectura p;
        EXPECT_EQ(p.lee(InformeMinimo(hoja("Cael de Norte", c.cuerpo, "Cael de Norte está actualmente en 1617."))),
                  c.errores.isEmpty());
        EXPECT_EQ(filas(p, "DSEjer", u("TURNO;HEX;CODIGO;BANDO;NOMBRE;DESCRIPCION;PAIS")), c.ejercitos)
            << c.cuerpo.join('|').toStdString();
        QStringList pjs = filas(p, "DSPjs", u("TURNO;CODIGO;HEX;ORIGEN;PAIS"));
        pjs.removeIf([](const QString& f) { return f.contains(u(";Cael;")); });
        EXPECT_EQ(pjs, c.pjs) << c.cuerpo.join('|').toStdString();
        EXPECT_EQ(errores(p.log()), c.errores);
    }
}
