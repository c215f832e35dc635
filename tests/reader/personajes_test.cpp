// The nation's own character sheets and the company commanders, on small reports.

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
QStringList errores(const QStringList& log) {
    QStringList r;
    for (const QString& l : log)
        if (l.startsWith(u("Error al Leer"))) r << l;
    return r;
}

// One sheet: name and grades, health line, artefacts line, then the rest.
QStringList hoja(const char* nombre, const char* grados, const char* salud, const char* artefactos,
                 std::initializer_list<const char*> resto) {
    return QStringList{u(nombre) + u(" Grados : Mando ") + u(grados), u(salud), u("Artefactos : ") + u(artefactos)} + lineas(resto);
}

struct Pj {
    QString fila;
    QString campo(const char* nombre) const {
        static const QStringList campos = u("TURNO;CODIGO;HEX;NOMBRE;SEXO;VIDA;PAIS;TIPO;GNMANDO;GNAGENTE;GNEMISARIO;GNMAGO;GNSIGILO;"
                                            "GTMANDO;GTAGENTE;GTEMISARIO;GTMAGO;GTSIGILO;SALUD;DUELO;ART1;ART2;ART3;ART4;ART5;ART6")
                                              .split(u(";"));
        if (QString::fromLatin1(nombre) == QLatin1String("ORIGEN")) return fila.section(u(";"), -1);
        return fila.section(u(";"), campos.indexOf(QString::fromLatin1(nombre)), campos.indexOf(QString::fromLatin1(nombre)));
    }
};

struct Lectura {
    bool leido;
    QStringList errores;
    QList<Pj> pjs;
    QStringList centros;
    Pj pj(const char* codigo) const {
        for (const Pj& p : pjs)
            if (p.campo("CODIGO") == u(codigo)) return p;
        return {};
    }
};

Lectura lee(const QStringList& cuerpo, const std::function<void(PartidaLectura&)>& antes = {}) {
    PartidaLectura p;
    if (antes) antes(p);
    Lectura l;
    l.leido = p.lee(InformeMinimo(cuerpo));
    l.errores = errores(p.log());
    for (const QString& f : p.volcado(u("DSPjs"), u("T123")).mid(1)) l.pjs << Pj{f};
    l.centros = p.volcado(u("DSCenPob"), u("T123")).mid(1);
    return l;
}

} // namespace

TEST(LeePersonajes, GradosSaludYDuelo) {
    struct Caso { const char* grados; const char* salud; const char* gn; const char* gt; const char* saludDuelo; };
    const Caso casos[] = {
        {"42 (47) 0 10 0", "85, Salud/Sigilo 5 (8) +30", "42;0;10;0;5", "47;0;10;0;8", "85;30"},
        {"1 2 3 4", "9 Salud/Sigilo 5 6", "1;2;3;4;5", "1;2;3;4;5", "9;6"},
        {"1 (11) 2 (12) 3 (13) 4 (14)", "70% Salud/Sigilo 5 ((15)) ++3", "1;2;3;4;5", "11;12;13;14;15", "70;3"},
        {"0 0 0 0", "0, Salud/Sigilo 0 -2", "0;0;0;0;0", "0;0;0;0;0", "0;-2"},
    };
    for (const auto& c : casos) {
        const Lectura l = lee(hoja("Aric Vel", c.grados, c.salud, "Ninguno", {"Aric Vel está actualmente en 1208."}));
        EXPECT_TRUE(l.leido) << c.grados << l.errores.join('\n').toStdString();
        ASSERT_EQ(l.pjs.size(), 1);
        const QString f = l.pjs.first().fila;
        EXPECT_EQ(f.section(u(";"), 8, 12), u(c.gn)) << c.grados;
        EXPECT_EQ(f.section(u(";"), 13, 17), u(c.gt)) << c.grados;
        EXPECT_EQ(f.section(u(";"), 18, 19), u(c.saludDuelo)) << c.grados;
    }
}

TEST(LeePersonajes, EstadoUbicacionYOrigen) {
    struct Caso { QStringList cuerpo; const char* hex; const char* vida; const char* origen; const char* sexo; };
    const Caso casos[] = {
        {hoja("Aric", "1 0 0 0", "50, Salud/Sigilo 0 +0", "Ninguno", {"El recibió ordenes.", "Aric está actualmente en 1208."}),
         "1208", "0", "0", "M"},
        {hoja("Aric", "1 0 0 0", "50, Salud/Sigilo 0 +0", "Ninguno", {"Aric manda un ejército en 1310."}), "1310", "0", "0", ""},
        {hoja("Aric", "1 0 0 0", "50, Salud/Sigilo 0 +0", "Ninguno", {"Ella recibió algo.", "Aric está viajando con Bor en 1405."}),
         "1405", "0", "0", "F"},
        // Without the closing sentence, the place of a " se encuentra en " line of the body.
        {hoja("Aric", "1 0 0 0", "50, Salud/Sigilo 0 +0", "Ninguno", {"Aric se encuentra en 2019.", "Aric no manda un ejército."}),
         "2019", "0", "0", ""},
        {hoja("Aric", "1 0 0 0", "50, Salud/Sigilo 0 +0", "Ninguno", {"Su paradero se encuentra en lugar desconocido."}), "", "0", "0", ""},
        // The objective of an order is not the character's army.
        {hoja("Aric", "1 0 0 0", "50, Salud/Sigilo 0 +0", "Ninguno",
              {"El objetivo manda un ejército.", "Aric se encuentra en 1111.", "Aric está actualmente en 1208."}),
         "1208", "0", "0", ""},
        {hoja("Aric", "1 0 0 0", "0, Salud/Sigilo 0 +0", "Ninguno", {"Su cuerpo se encuentra en 1405.", "Aric está actualmente en 2222."}),
         "1405", "2", "0", ""},
        {hoja("Aric", "1 0 0 0", "50, Salud/Sigilo 0 +0", "Ninguno", {"Aric es un rehen de otros.", "Aric se encuentra en 3030."}),
         "3030", "1", "2", ""},
    };
    for (const auto& c : casos) {
        const Lectura l = lee(c.cuerpo);
        EXPECT_TRUE(l.leido) << c.cuerpo.join('|').toStdString() << l.errores.join('\n').toStdString();
        ASSERT_EQ(l.pjs.size(), 1) << c.cuerpo.join('|').toStdString();
        const Pj& pj = l.pjs.first();
        EXPECT_EQ(pj.campo("HEX"), u(c.hex)) << c.cuerpo.join('|').toStdString();
        EXPECT_EQ(pj.campo("VIDA"), u(c.vida)) << c.cuerpo.join('|').toStdString();
        EXPECT_EQ(pj.campo("ORIGEN"), u(c.origen)) << c.cuerpo.join('|').toStdString();
        EXPECT_EQ(pj.campo("SEXO"), u(c.sexo)) << c.cuerpo.join('|').toStdString();
        EXPECT_EQ(pj.campo("PAIS"), u("07"));
    }
}

TEST(LeePersonajes, Artefactos) {
    struct Caso { const char* artefactos; QStringList siguientes; const char* arts; bool error; };
    const Caso casos[] = {
        {"Ninguno nº5", {u("Hechizos (+) : Ninguno")}, ";;;;;", false},
        {"Espada nº7 Anillo nº123", {u("Hechizos (+) : Ninguno")}, "007;123;;;;", false},
        {"Corona nº12", {u("Capa nº88 y nº"), u("Hechizos(+) : Terror")}, "012;088;;;;", false},
        {"nº 7 Espada (nº9) nº8,", {u("Hechizos (+) : Ninguno")}, ";;;;;", false},
        {"nº1 nº2 nº3 nº4 nº5 nº6 nº7", {u("Hechizos (+) : Ninguno")}, "001;002;003;004;005;006", true},
        // Without the spells line the artefacts end at the closing sentence.
        {"Hacha nº301", {}, "301;;;;;", false},
    };
    for (const auto& c : casos) {
        QStringList cuerpo = hoja("Aric", "1 0 0 0", "50, Salud/Sigilo 0 +0", c.artefactos, {});
        cuerpo += c.siguientes;
        cuerpo << u("Aric está actualmente en 1208.");
        const Lectura l = lee(cuerpo);
        EXPECT_EQ(l.leido, !c.error) << c.artefactos;
        ASSERT_EQ(l.pjs.size(), 1) << c.artefactos;
        EXPECT_EQ(l.pjs.first().fila.section(u(";"), 20, 25), u(c.arts)) << c.artefactos;
        EXPECT_EQ(l.pjs.first().campo("HEX"), u("1208")) << c.artefactos;
        if (c.error) {
            EXPECT_EQ(l.errores, QStringList{u("Error al Leer (PJ): Artefactos : ") + u(c.artefactos)});
        }
    }
}

TEST(LeePersonajes, LosArtefactosDeMasAllaDeLosEncontradosSeConservan) {
    const Lectura l = lee(hoja("Aric", "1 0 0 0", "50, Salud/Sigilo 0 +0", "Espada nº7", {"Hechizos (+) : x", "Aric está actualmente en 1208."}),
                          [](PartidaLectura& p) {
                              p.modifica(u("DSPjs"), u("T123"), [](TTabla& t) {
                                  t.anade();
                                  t.fija(u("TURNO"), u("012"));
                                  t.fija(u("CODIGO"), u("Aric"));
                                  t.fija(u("ART1"), u("001"));
                                  t.fija(u("ART2"), u("002"));
                                  t.fija(u("ORIGEN"), u("1"));
                                  t.graba();
                              });
                          });
    ASSERT_EQ(l.pjs.size(), 1);
    EXPECT_EQ(l.pjs.first().fila.section(u(";"), 20, 21), u("007;002"));
    EXPECT_EQ(l.pjs.first().campo("ORIGEN"), u("0"));
}

TEST(LeePersonajes, HojasSeguidasYHojasIlegibles) {
    QStringList cuerpo = lineas({"PERSONAJES"});
    cuerpo += hoja("Aric", "1 0 0 0", "50, Salud/Sigilo 0 +0", "Ninguno", {"Aric se encuentra en 1111."});
    cuerpo += hoja("Bor", "dos 0 0 0", "50, Salud/Sigilo 0 +0", "Ninguno", {"Bor está actualmente en 1208."});
    cuerpo += hoja("Cael", "1 0 0", "50, Salud/Sigilo 0 +0", "Ninguno", {"Cael está actualmente en 1208."});
    cuerpo += QStringList{u("Dor Grados : Agente 3"), u("nada")};
    cuerpo += hoja("Eru", "1 0 0 0", "50, Salud/Sigilo 0", "Ninguno", {"Eru está actualmente en 1208."});
    cuerpo += QStringList{u("Grados : Mando 1 0 0 0"), u("50, Salud/Sigilo 0 +0")};
    cuerpo += hoja("Fin", "1 0 0 0", "50, Salud/Sigilo 0 +0", "Ninguno", {"Fin está actualmente en 1310."});
    const Lectura l = lee(cuerpo);
    EXPECT_FALSE(l.leido);
    EXPECT_EQ(l.errores, lineas({"Error al Leer (PJ): Bor Grados : Mando dos 0 0 0", "Error al Leer (PJ): Cael Grados : Mando 1 0 0",
                                 "Error al Leer (PJ): Eru Grados : Mando 1 0 0 0", "Error al Leer (PJ): Grados : Mando 1 0 0 0"}));
    QStringList leidos;
    for (const Pj& p : l.pjs) leidos << p.campo("CODIGO") + u(":") + p.campo("HEX");
    EXPECT_EQ(leidos, lineas({"Aric:1111", "Fin:1310"}));
}

TEST(LeePersonajes, ElCentroDeLaFraseFinal) {
    struct Caso { QStringList final; QStringList centros; };
    const Caso casos[] = {
        {lineas({"Aric está actualmente en 2020. El/la Pueblo/Torre de Roca Alta enarbolando la",
                 "bandera de Nadie está aquí."}),
         lineas({"012;2020;Roca Alta;;03;;;01;;;;;;;;;;;;;;;;;;;;;;False;"})},
        {lineas({"Aric está actualmente en 2020.", "El/la Aldea no controlado de Vado está aquí."}),
         lineas({"012;2020;Vado;;02;;;;;;;;;;;;;;;;;;;;;;;;;False;"})},
        // The line after the closing sentence is no centre: nothing is recorded and nothing fails.
        {lineas({"Aric está actualmente en 2020.", "MENSAJES INTERNOS"}), {}},
        {lineas({"Aric está actualmente en 2020. El/la"}), {}},
    };
    for (const auto& c : casos) {
        QStringList cuerpo = hoja("Aric", "1 0 0 0", "50, Salud/Sigilo 0 +0", "Ninguno", {});
        cuerpo += c.final;
        const Lectura l = lee(cuerpo);
        EXPECT_EQ(l.centros, c.centros) << c.final.join('|').toStdString();
        EXPECT_EQ(l.pjs.first().campo("HEX"), u("2020"));
        if (c.final.last() == u("Aric está actualmente en 2020. El/la")) {
            EXPECT_EQ(l.errores, QStringList{u("Error al Leer (CPH):  El/la")});
        } else {
            EXPECT_TRUE(l.errores.isEmpty()) << l.errores.join('\n').toStdString();
        }
    }
}

TEST(LeePersonajes, UnaHojaPropiaNoLaCambianLasMencionesDelMismoTurno) {
    QStringList cuerpo = lineas({"CENTROS DE POBLACION", "Personajes extra en el centro : Aric - Bor.", "EJÉRCITOS"});
    cuerpo += hoja("Aric", "1 0 0 0", "50, Salud/Sigilo 0 +0", "Ninguno", {"Aric está actualmente en 1208."});
    cuerpo += lineas({"MANDOS DE COMPAÑIA :", "Comandante Aric Localización actual : 3030 @ Miembros : Cael.", "PRECIOS DE MERCADO"});
    const Lectura l = lee(cuerpo);
    EXPECT_TRUE(l.leido) << l.errores.join('\n').toStdString();
    QStringList leidos;
    for (const Pj& p : l.pjs) leidos << p.campo("CODIGO") + u(":") + p.campo("HEX") + u(":") + p.campo("ORIGEN");
    // The mention before the sheet is overwritten by it; the company after it changes nothing.
    EXPECT_EQ(leidos, lineas({"Aric:1208:0", "Bor::1", "Cael:3030:1"}));
}

TEST(LeeMandosCompania, JefesYMiembros) {
    struct Caso { QStringList entradas; QStringList pjs; QStringList errores; };
    const Caso casos[] = {
        {lineas({"Comandante Bor Hierro Localización actual : 1208 @ Miembros : Cael de Norte -", "Ilse.",
                 "KZIII otra página", "Comandante Tarn Localización actual : 1310."}),
         lineas({"Bor H:1208", "Cael:1208", "Ilse:1208", "Tarn:1310"}), {}},
        {lineas({"Comandante Bor Localización : 1208.", "Comandante Tarn Localización actual : 1310 @ Miembros : Ana - Eva."}),
         lineas({"Ana:1310", "Eva:1310", "Tarn:1310"}),
         lineas({"Error al Leer (EJ): Comandante Bor Localización : 1208."})},
        {lineas({"Comandante Bor sin nada.", "Comandante Tarn Localización actual : 1310 @ Miembros : Ana", "sin punto"}),
         {}, lineas({"Error al Leer (EJ): Comandante Bor sin nada."})},
    };
    for (const auto& c : casos) {
        const Lectura l = lee(QStringList{u("MANDOS DE COMPAÑIA :")} + c.entradas + QStringList{u("PRECIOS DE MERCADO"), u("Comandante X Localización a : 1111.")});
        EXPECT_EQ(l.errores, c.errores);
        QStringList leidos;
        for (const Pj& p : l.pjs) leidos << p.campo("CODIGO") + u(":") + p.campo("HEX");
        EXPECT_EQ(leidos, c.pjs) << c.entradas.join('|').toStdString();
    }
}
