// The armies section and the nations list, on small reports.

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
QString campo(const QString& fila, const char* nombre) {
    static const QStringList campos =
        u("TURNO;HEX;CODIGO;BANDO;NOMBRE;DESCRIPCION;PAIS;FLOTA;MORAL;GALERAS;TRANSPOR;MAQUINAS;CP;CPEN;CPAR;CPAD;CL;CLEN;CLAR;"
          "CLAD;IP;IPEN;IPAR;IPAD;IL;ILEN;ILAR;ILAD;AR;AREN;ARAR;ARAD;MI;MIEN;MIAR;MIAD;COMIDA;ARBR;ARAC;ARMI;ADCU;ADBR;ADAC;ADMI")
            .split(u(";"));
    const int i = campos.indexOf(QString::fromLatin1(nombre));
    return fila.section(u(";"), i, i);
}

QStringList bloque(const char* cabecera, const char* terreno, const char* cifras, const QStringList& tropas) {
    QStringList b = {u("Mando de ") + u(cabecera) + u(" Localización actual : 2533 - ") + u(terreno),
                     u("Clima : Templado Moral actual : ") + u(cifras), u("Entrenamiento Armas Armadura Tropas Tipo")};
    b += tropas;
    b += lineas({"Tren Suministros :", "Armas : 1 2 3", "Armaduras: 4 5 6 7", "Comida: 8 Maquinas: 9"});
    return b;
}

struct Lectura {
    bool leido;
    QStringList errores, ejercitos, pjs, centros;
};

Lectura lee(const QStringList& cuerpo, const std::function<void(PartidaLectura&)>& antes = {}) {
    PartidaLectura p;
    if (antes) antes(p);
    Lectura l;
    l.leido = p.lee(InformeMinimo(cuerpo));
    l.errores = errores(p.log());
    l.ejercitos = p.volcado(u("DSEjer"), u("T123")).mid(1);
    l.pjs = p.volcado(u("DSPjs"), u("T123")).mid(1);
    l.centros = p.volcado(u("DSCenPob"), u("T123")).mid(1);
    return l;
}

} // namespace

TEST(LeeEjercitos, LaCabeceraConTerrenoDeDosPalabras) {
    struct Caso { const char* cabecera; const char* terreno; const char* cifras; const char* moral; };
    const Caso casos[] = {
        {"Ejército : Capitán Aric Vel", "Llano", "62 Galeras : 1 Transportes : 2", "62;1;2;9"},
        {"Flota : Almirante Vrask", "Alta Mar", "55 Galeras : 12 Transportes : 8", "55;12;8;9"},
        {"Flota : Capitán Ulkar", "Aguas Costeras", "48 Galeras : 4 Transportes : 6", "48;4;6;9"},
    };
    for (const auto& c : casos) {
        const Lectura l = lee(bloque(c.cabecera, c.terreno, c.cifras, {}));
        EXPECT_TRUE(l.leido) << c.cabecera << l.errores.join('\n').toStdString();
        ASSERT_EQ(l.ejercitos.size(), 1);
        EXPECT_EQ(l.ejercitos.first().section(u(";"), 8, 11), u(c.moral)) << c.cabecera;
        EXPECT_EQ(campo(l.ejercitos.first(), "HEX"), u("2533"));
        EXPECT_EQ(campo(l.ejercitos.first(), "BANDO"), u("1"));
        EXPECT_EQ(campo(l.ejercitos.first(), "PAIS"), u("07"));
        EXPECT_EQ(l.ejercitos.first().section(u(";"), 36, 43), u("8;1;2;3;4;5;6;7"));
    }
}

TEST(LeeEjercitos, LasLineasDeTropas) {
    const Lectura l = lee(bloque("Ejército : Capitán Aric Vel", "Llano", "62 Galeras : 1 Transportes : 2",
                                 lineas({"45 30 20 400 Caballeria Pesada", "40 20 10 600 Caballeria Ligera",
                                         "50 30 30 800 Infanteria Pesada", "35 20 10 1000 Infanteria Ligera",
                                         "Tropas : 30 20 0 300 Arqueros", "10 0 0 500 Milicia", "1 2 3 4 Caballeros", "7 Ligera"})));
    EXPECT_TRUE(l.leido) << l.errores.join('\n').toStdString();
    ASSERT_EQ(l.ejercitos.size(), 1);
    EXPECT_EQ(l.ejercitos.first().section(u(";"), 12, 35),
              u("400;45;30;20;600;40;20;10;800;50;30;30;1000;35;20;10;300;30;20;0;500;10;0;0"));
    EXPECT_EQ(campo(l.ejercitos.first(), "NOMBRE"), u("Capitán Aric Vel"));
    EXPECT_EQ(campo(l.ejercitos.first(), "CODIGO"), u("Aric"));
}

TEST(LeeEjercitos, LoQueSigueAlBloque) {
    QStringList cuerpo = bloque("Ejército : Capitán Aric Vel", "Llano", "62 Galeras : 1 Transportes : 2", {});
    cuerpo += lineas({"Personajes viajando con el ejercito : Bor Hierro - Cael",
                      "El/la Pueblo/Torre de Roca Alta enarbolando la bandera de Nadie está aquí.",
                      "Un ejército enarbolando la bandera de Nadie a las órdenes de Capitán Gorbag está aquí.",
                      "Una flota enarbolando la bandera de Nadie a las órdenes de Zorak está aquí.", "Mas texto",
                      "Un ejército enarbolando la bandera de Nadie a las órdenes de Capitán Hathor está aquí."});
    const Lectura l = lee(cuerpo);
    EXPECT_TRUE(l.leido) << l.errores.join('\n').toStdString();
    QStringList ejercitos;
    for (const QString& f : l.ejercitos) ejercitos << f.section(u(";"), 1, 5);
    EXPECT_EQ(ejercitos, lineas({"2533;Aric;1;Capitán Aric Vel;", "2533;Gorba;;Capitán Gorbag;ejército", "2533;Zorak;;Zorak;flota"}));
    QStringList pjs;
    for (const QString& f : l.pjs) pjs << f.section(u(";"), 1, 2);
    // The travelling characters are not recorded here.
    EXPECT_EQ(pjs, lineas({"Gorba;2533", "Zorak;2533"}));
    ASSERT_EQ(l.centros.size(), 1);
    EXPECT_TRUE(l.centros.first().startsWith(u("012;2533;Roca Alta;;03;;;01;")));
}

TEST(LeeEjercitos, LosBloquesQueFallanSeAnotanYSeSigue) {
    struct Caso { QStringList cuerpo; QStringList errores; QStringList codigos; };
    QStringList malaMoral = bloque("Ejército : Capitán Aric Vel", "Llano", "alta Galeras : 1 Transportes : 2", {});
    QStringList malaTropa = bloque("Ejército : Capitán Bor", "Llano", "1 Galeras : 1 Transportes : 2", lineas({"45 x 20 400 Milicia"}));
    QStringList sinTren = bloque("Ejército : Capitán Cael", "Llano", "1 Galeras : 1 Transportes : 2", {}).mid(0, 4);
    const QStringList bueno = bloque("Ejército : Capitán Dor", "Llano", "1 Galeras : 1 Transportes : 2", {});
    const Caso casos[] = {
        {malaMoral + bueno, lineas({"Error al Leer (EJ): Mando de Ejército : Capitán Aric Vel Localización actual : 2533 - Llano"}),
         lineas({"Dor"})},
        {malaTropa + bueno, lineas({"Error al Leer (EJ): 45 x 20 400 Milicia"}), lineas({"Dor"})},
        {sinTren + bueno, lineas({"Error al Leer (EJ): Mando de Ejército : Capitán Dor Localización actual : 2533 - Llano"}),
         lineas({"Dor"})},
        {bueno.mid(0, 5), lineas({"Error al Leer (EJ): Armas : 1 2 3"}), {}},
        {bueno.mid(0, 1), lineas({"Error al Leer (EJ): Mando de Ejército : Capitán Dor Localización actual : 2533 - Llano"}), {}},
    };
    for (const auto& c : casos) {
        const Lectura l = lee(c.cuerpo);
        EXPECT_FALSE(l.leido);
        EXPECT_EQ(l.errores, c.errores) << c.cuerpo.join('|').toStdString();
        QStringList codigos;
        for (const QString& f : l.ejercitos) codigos << campo(f, "CODIGO");
        EXPECT_EQ(codigos, c.codigos) << c.cuerpo.join('|').toStdString();
    }
}

TEST(LeeEjercitos, MismoMandoEnElMismoHexConOtroBandoSonDosFilas) {
    PartidaLectura p;
    ASSERT_TRUE(p.preparada());
    EXPECT_TRUE(p.lee(InformeMinimo(bloque("Ejército : Capitán Aric Vel", "Llano", "62 Galeras : 1 Transportes : 2", {}))));
    QStringList otro = InformeMinimo(bloque("Ejército : General Aric Oscuro", "Llano", "30 Galeras : 0 Transportes : 0", {}));
    otro[0] = u("08 KZIII Partida 123 Jugador 0999 Turno 12  1");
    otro[5] = u("Rey Brujo");
    otro[6] = u("Un Servidor de la Oscuridad");
    EXPECT_TRUE(p.lee(otro));
    QStringList ejercitos;
    for (const QString& f : p.volcado(u("DSEjer"), u("T123")).mid(1)) ejercitos << f.section(u(";"), 0, 8);
    EXPECT_EQ(ejercitos, lineas({"012;2533;Aric;1;Capitán Aric Vel;;07;;62", "012;2533;Aric;2;General Aric Oscu;;08;;30"}));
}

TEST(LeePaises, LosNumerosYNombresDeLasNaciones) {
    PartidaLectura p;
    p.modifica(u("DSPais"), u("T123"), [](TTabla& t) {
        t.anade();
        t.fija(u("CODIGO"), u("08"));
        t.fija(u("NOMBRE"), u("Antiguo"));
        t.fija(u("BANDO"), u("2"));
        t.fija(u("HEXVER"), u("1234"));
        t.graba();
    });
    p.lector().secciones.cenPob = false;
    EXPECT_TRUE(p.lee(InformeMinimo(lineas({"RELACIONES CON OTROS PAÍSES", "nº 1 Hombres  del   Bosque : Amistoso nº02 Jinetes : Odio",
                                             "nº 8 Rey Brujo : Odio nº", "3 Enanos de", "Kazar Relación: Neutral nº4", "CENTROS DE POBLACION",
                                             "nº 9 Fuera : x"}))))
        << p.log().join('\n').toStdString();
    EXPECT_EQ(p.volcado(u("DSPais"), u("T123")).mid(1),
              lineas({"01;Hombres del Bosque;;0;;;;;;;;;;;;;;", "02;Jinetes;;0;;;;;;;;;;;;;;", "03;Enanos de Kazar;;0;;;;;;;;;;;;;;",
                      "07;Señores del Norte;;1;;;;;;;;;;;;;;", "08;Rey Brujo;;2;1234;;;;;;;;;;;;;"}));
}

TEST(LeePaises, LasEntradasQueFallan) {
    struct Caso { const char* lineas; QStringList errores; QStringList codigos; };
    const Caso casos[] = {
        {"nº 1 Sin dos puntos nº 2 Otro", lineas({"Error al Leer (PA): nº"}), lineas({"07"})},
        {"nºxy Nadie : a nº 2 Otro : b", lineas({"Error al Leer (PA): :"}), lineas({"02", "07"})},
        {"nº 3 : a nº 4 Bien : b", lineas({"Error al Leer (PA): :"}), lineas({"04", "07"})},
    };
    for (const auto& c : casos) {
        PartidaLectura p;
        EXPECT_FALSE(p.lee(InformeMinimo({u("RELACIONES CON OTROS PAÍSES"), u(c.lineas)})));
        EXPECT_EQ(errores(p.log()), c.errores) << c.lineas;
        QStringList codigos;
        for (const QString& f : p.volcado(u("DSPais"), u("T123")).mid(1)) codigos << f.section(u(";"), 0, 0);
        EXPECT_EQ(codigos, c.codigos) << c.lineas;
    }
}
