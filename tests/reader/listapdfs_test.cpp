// "LPartidas.dat": the PDF folder of each game, kept from one run to the next.

#include "comun/carpetaprueba.h"
#include "comun/impresion.h"
#include "guionconversor.h"
#include "reader/listapdfs.h"

#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {
QString u(const char* s) { return QString::fromUtf8(s); }
}

TEST(ListaPdfs, SinFicheroCadaPartidaTieneSuCarpetaPredeterminada) {
    CarpetaPrueba c;
    ListaPdfs l(c.ruta());
    QString error;
    EXPECT_TRUE(l.carga(error));
    EXPECT_EQ(l.carpeta(u("T012")), c.ruta() + u("/Pdfs/T012"));
    EXPECT_FALSE(l.tieneCarpeta(u("T012")));
}

TEST(ListaPdfs, PartidaIgualCarpetaYSeReescribeEnteroEnSuOrden) {
    CarpetaPrueba c;
    ASSERT_TRUE(EscribeFichero(c.ruta() + u("/LPartidas.dat"),
                               "T012=/home/jugador/Turnos T012\r\nC099=/viejos=raros\r\nlinea suelta\r\n\r\nT013=\r\n"));
    ListaPdfs l(c.ruta());
    QString error;
    ASSERT_TRUE(l.carga(error));
    EXPECT_EQ(l.carpeta(u("T012")), u("/home/jugador/Turnos T012"));
    EXPECT_EQ(l.carpeta(u("C099")), u("/viejos=raros"));
    EXPECT_EQ(l.carpeta(u("T013")), c.ruta() + u("/Pdfs/T013"));

    l.fija(u("T012"), u("/otra/carpeta ñ"));
    l.fija(u("C001"), u("/nueva"));
    ASSERT_TRUE(l.guarda(error)) << error.toStdString();
    EXPECT_EQ(LeeFichero(c.ruta() + u("/LPartidas.dat")),
              QByteArray("T012=/otra/carpeta \xc3\xb1\nC099=/viejos=raros\nlinea suelta\nT013=\nC001=/nueva\n"));

    ListaPdfs otra(c.ruta());
    ASSERT_TRUE(otra.carga(error));
    EXPECT_EQ(otra.codigos(), (QStringList{u("T012"), u("C099"), u("T013"), u("C001")}));
    EXPECT_EQ(otra.carpeta(u("T012")), u("/otra/carpeta ñ"));
}
