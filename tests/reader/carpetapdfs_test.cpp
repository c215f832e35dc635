// The texts of the reader's file list and status bar, and the listing of a PDF folder.

#include "comun/carpetaprueba.h"
#include "comun/impresion.h"
#include "guionconversor.h"
#include "reader/carpetapdfs.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {
QString u(const char* s) { return QString::fromUtf8(s); }
}

TEST(CarpetaPdfs, TamanosEnKilobytesYMiles) {
    const std::pair<qint64, const char*> tamanos[] = {{0, "0 KB"}, {1, "1 KB"}, {1023, "1 KB"}, {1024, "1 KB"},
                                                      {2047, "1 KB"}, {2048, "2 KB"}, {1024 * 1234, "1.234 KB"}};
    for (auto [bytes, texto] : tamanos) EXPECT_EQ(CarpetaPdfs::TextoTamano(bytes), u(texto)) << bytes;
    const std::tuple<double, int, const char*> numeros[] = {{0, 0, "0"},         {0, 2, "0,00"},          {999, 0, "999"},
                                                            {1000, 0, "1.000"},  {1234567.891, 2, "1.234.567,89"},
                                                            {12.5, 2, "12,50"}};
    for (auto [valor, decimales, texto] : numeros) EXPECT_EQ(CarpetaPdfs::FormatoMiles(valor, decimales), u(texto));
}

TEST(CarpetaPdfs, TextosDeLaBarraDeEstado) {
    EXPECT_EQ(CarpetaPdfs::TextoObjetos(5, 0), u("5 objecto(s)"));
    EXPECT_EQ(CarpetaPdfs::TextoObjetos(5, 2), u("5 objecto(s)  --  2  seleccionados "));
    const qint64 mb = 1024 * 1024;
    EXPECT_EQ(CarpetaPdfs::TextoEspacio(0, 0, 12345 * mb + 10), u(" Tamaño : 0 KB  ( Espacio disponible en disco: 12.345 MB )"));
    EXPECT_EQ(CarpetaPdfs::TextoEspacio(2, 2560, 512 * mb), u(" Tamaño : 2,50 KB( Espacio disponible en disco: 512 MB )"));
}

TEST(CarpetaPdfs, ListaLosPdfDeCualquierMayusculaYSoloFicheros) {
    CarpetaPrueba pdfs, salida;
    for (const char* n : {"b.pdf", "A.PDF", "c.Pdf", ".oculto.pdf", "nota.txt"}) EscribeFichero(pdfs.fichero(u(n)), "x");
    QDir().mkpath(pdfs.fichero(u("carpeta.pdf")));
    EscribeFichero(salida.fichero(u("b.txt")), "t");
    const QList<FicheroPdf> l = CarpetaPdfs::Lista(pdfs.ruta(), salida.ruta());
    QStringList nombres;
    for (const FicheroPdf& f : l) nombres << f.nombre;
    EXPECT_EQ(nombres, (QStringList{u(".oculto.pdf"), u("A.PDF"), u("b.pdf"), u("c.Pdf")}));
    EXPECT_EQ(l[2].estado, EstadoPdf::Leido);
    EXPECT_EQ(l[1].estado, EstadoPdf::NoLeido);
    EXPECT_EQ(l[1].bytes, 1);
    EXPECT_EQ(l[1].ruta, pdfs.fichero(u("A.PDF")));
}
