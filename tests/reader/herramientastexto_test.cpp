#include "comun/impresion.h"
#include "reader/herramientastexto.h"

#include <gtest/gtest.h>

using namespace kz;

namespace {
QString u(const char* s) { return QString::fromUtf8(s); }
QStringList lista(std::initializer_list<const char*> l) {
    QStringList r;
    for (auto s : l) r << u(s);
    return r;
}
} // namespace

TEST(HerramientasTexto, PalabrasGuardaLasPalabrasVacias) {
    struct Caso { const char* texto; QStringList esperado; };
    const Caso casos[] = {
        {"  Mando de Ejército  ", lista({"Mando", "de", "Ejército"})},
        {"07 KZIII Partida  123", lista({"07", "KZIII", "Partida", "", "123"})},
        {"", lista({""})},
        {"   ", lista({""})},
        {"uno", lista({"uno"})},
        {"a   b", lista({"a", "", "", "b"})},
    };
    for (const auto& c : casos) EXPECT_EQ(Palabras(u(c.texto)), c.esperado) << c.texto;
}

TEST(HerramientasTexto, TroceaSaltaLosTrozosVaciosSinRecortar) {
    struct Caso { const char* texto; const char* sep; QStringList esperado; };
    const Caso casos[] = {
        {"Bor - Cael - Dunmir", " - ", lista({"Bor", "Cael", "Dunmir"})},
        {" - Bor -  - Cael - ", " - ", lista({"Bor", "Cael"})},
        {"a -  b", " - ", lista({"a", " b"})},
        {"Una. Dos.Tres..", ".", lista({"Una", " Dos", "Tres"})},
        {"", ".", QStringList()},
        {"sin separador", "", lista({"sin separador"})},
        {"Bor \xC2\xAD Cael", " \xC2\xAD ", lista({"Bor", "Cael"})},
    };
    for (const auto& c : casos) EXPECT_EQ(Trocea(u(c.texto), u(c.sep)), c.esperado) << c.texto;
}

TEST(HerramientasTexto, MismaPalabraSoloIgnoraMayusculasDeLaAALaZ) {
    struct Caso { const char* a; const char* b; bool igual; };
    const Caso casos[] = {
        {"Localización", "LOCALIZACIóN", true},
        {"Localización", "LOCALIZACIÓN", false},
        {"enarbolando", "Enarbolando", true},
        {"está", "esta", false},
        {"a", "A", true},
        {"a", "ab", false},
    };
    for (const auto& c : casos) EXPECT_EQ(MismaPalabra(u(c.a), u(c.b)), c.igual) << c.a << " / " << c.b;
}

TEST(HerramientasTexto, UneHastaSeParaAntesDeLaPalabraYDejaLaPosicionEnElla) {
    const QStringList p = Palabras(u("Un ejército enarbolando la bandera de Rey Brujo a las órdenes de Capitán Gorbag está aquí."));
    struct Caso { int desde; const char* parada; const char* texto; int posicion; };
    const Caso casos[] = {
        {1, "enarbolando", "ejército", 2},
        {6, "a", "Rey Brujo", 8},
        {12, "ESTÁ", "Capitán Gorbag está aquí.", 16},   // "Á" is not folded: no stop
        {12, "está", "Capitán Gorbag", 14},
        {2, "enarbolando", "enarbolando la bandera de Rey Brujo a las órdenes de Capitán Gorbag está aquí.", 16},
        {15, "nada", "aquí.", 16},
    };
    for (const auto& c : casos) {
        int pos = c.desde;
        const auto r = UneHasta(p, pos, u(c.parada));
        ASSERT_TRUE(r.has_value()) << c.desde;
        EXPECT_EQ(*r, u(c.texto)) << c.desde << " " << c.parada;
        EXPECT_EQ(pos, c.posicion) << c.desde << " " << c.parada;
    }
}

TEST(HerramientasTexto, UneHastaFallaFueraDeLaLista) {
    const QStringList p = lista({"uno", "dos"});
    for (int desde : {-1, 2, 7}) {
        int pos = desde;
        EXPECT_FALSE(UneHasta(p, pos, u("dos")).has_value()) << desde;
        EXPECT_EQ(pos, desde);
        EXPECT_FALSE(UneHastaSiHay(p, pos, u("dos")).has_value()) << desde;
    }
}

TEST(HerramientasTexto, UneHastaRecortaLasPalabrasVacias) {
    const QStringList p = Palabras(u("x  Aric  el Alto Localización"));
    int pos = 1;
    EXPECT_EQ(UneHasta(p, pos, u("Localización")).value(), u("Aric  el Alto"));
    EXPECT_EQ(pos, 6);
}

TEST(HerramientasTexto, UneHastaSiHayDejaLaPosicionSinLaParada) {
    const QStringList p = Palabras(u("Bor Hierro de: Enanos de Kazar está"));
    struct Caso { int desde; const char* parada; const char* texto; int posicion; };
    const Caso casos[] = {
        {0, "de:", "Bor Hierro", 2},
        {0, "of", "", 0},
        {3, "está", "Enanos de Kazar", 6},
        {2, "de:", "", 2},   // only later words stop
    };
    for (const auto& c : casos) {
        int pos = c.desde;
        const auto r = UneHastaSiHay(p, pos, u(c.parada));
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(*r, u(c.texto)) << c.parada;
        EXPECT_EQ(pos, c.posicion) << c.parada;
    }
}

TEST(HerramientasTexto, UneTrasUneLoQueSigueALaPrimeraPalabra) {
    const QStringList p = Palabras(u("El nuevo propietario de: Rey Brujo de: Norte"));
    struct Caso { const char* palabra; const char* texto; int posicion; bool encontrada; };
    const Caso casos[] = {
        {"DE:", "Rey Brujo de: Norte", 8, true},
        {"Norte", "", 8, true},
        {"ausente", "", 0, false},
    };
    for (const auto& c : casos) {
        const UnionTras r = UneTras(p, u(c.palabra));
        EXPECT_EQ(r.texto, u(c.texto)) << c.palabra;
        EXPECT_EQ(r.posicion, c.posicion) << c.palabra;
        EXPECT_EQ(r.encontrada, c.encontrada) << c.palabra;
    }
}

TEST(HerramientasTexto, EsSiMiraLaPrimeraLetra) {
    struct Caso { const char* texto; bool si; };
    const Caso casos[] = {{"Si", true}, {"  sí", true}, {"S", true}, {"No", false}, {"", false}, {"  ", false},
                          {"Sur", true}, {"x", false}};
    for (const auto& c : casos) EXPECT_EQ(EsSi(u(c.texto)), c.si) << c.texto;
}

TEST(HerramientasTexto, MesNumeroPorLasTresPrimerasLetras) {
    struct Caso { const char* palabra; int mes; };
    const Caso casos[] = {{"Enero", 1}, {"marzo", 3}, {"MAYO", 5}, {"Jun", 6}, {"julio", 7}, {"Septiembre", 9}, {"dic.", 12}, {"Ma", 0}, {"", 0}, {"March", 3}, {"Xyz", 0},
                          {"12", 0}};
    for (const auto& c : casos) EXPECT_EQ(MesNumero(u(c.palabra)), c.mes) << c.palabra;
}

TEST(HerramientasTexto, RellenaCerosRellenaYCorta) {
    struct Caso { const char* texto; int ancho; const char* esperado; };
    const Caso casos[] = {{"12", 3, "012"}, {"7", 2, "07"}, {"123", 3, "123"}, {"1234", 3, "123"}, {"", 2, "00"}};
    for (const auto& c : casos) EXPECT_EQ(RellenaCeros(u(c.texto), c.ancho), u(c.esperado)) << c.texto;
}

TEST(HerramientasTexto, SoloDigitosYEspacios) {
    struct Caso { const char* texto; bool si; };
    const Caso casos[] = {{"07", true}, {" 7 ", true}, {"", false}, {"7a", false}, {"Rey", false}, {"-1", false}};
    for (const auto& c : casos) EXPECT_EQ(SoloDigitosYEspacios(u(c.texto)), c.si) << c.texto;
}
