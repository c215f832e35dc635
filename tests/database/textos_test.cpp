#include "database/textos.h"

#include <gtest/gtest.h>

using namespace kz;

TEST(Textos, QuitaAcentosCambiaSoloLasVocales) {
    EXPECT_EQ(QuitaAcentos(QStringLiteral("Árido Montañoso Peñón çÇ ÜÛüû àèìòù")),
              QStringLiteral("Arido Montañoso Peñon çÇ UUuu aeiou"));
}

TEST(Textos, RellenaIzqRecortaYRellena) {
    struct Caso { const char* texto; int longitud; const char* relleno; const char* esperado; };
    const Caso casos[] = {
        {" 7 ", 3, "0", "007"},
        {"1234", 3, "0", "1234"},
        {"5", 4, "ab", "abab5"},
        {"  x", 2, "", "x"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(RellenaIzq(QString::fromUtf8(c.texto), c.longitud, QString::fromUtf8(c.relleno)),
                  QString::fromUtf8(c.esperado)) << c.texto;
}

TEST(Textos, RellenaCortaAlAncho) {
    struct Caso { bool izq; const char* texto; int ancho; const char* relleno; const char* esperado; };
    const Caso casos[] = {
        {true, "12", 3, "0", "012"},
        {true, "1000", 3, "0", "100"},
        {false, "ab", 4, "-", "ab--"},
        {true, " 7", 3, "0", "0 7"},
        {true, "7", 5, "0", "00007"},
        {true, "abc", 2, "", "ab"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(Rellena(c.izq, QString::fromUtf8(c.texto), c.ancho, QString::fromUtf8(c.relleno)),
                  QString::fromUtf8(c.esperado)) << c.texto;
}

TEST(Textos, NombreBaseCortaEnElPrimerPunto) {
    EXPECT_EQ(NombreBase(QStringLiteral("C:\\Juego\\T012\\CenPob.DB")), QStringLiteral("CenPob"));
    EXPECT_EQ(NombreBase(QStringLiteral("/x/y/T012.tar.zlb")), QStringLiteral("T012"));
    EXPECT_EQ(NombreBase(QStringLiteral("sinpunto")), QStringLiteral("sinpunto"));
}
