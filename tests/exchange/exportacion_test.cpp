#include "exchange/exportacion.h"
#include "exchange/tzlbarchive.h"
#include "programaprueba.h"

#include "database/carpetaprograma.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {

QStringList nombresEn(const QString& archivo) {
    TZLBArchive a;
    if (!a.OpenArchive(archivo)) return {QStringLiteral("no abre: ") + a.error()};
    QStringList l;
    for (const TZLBEntry& e : a.entradas()) l << e.carpeta + e.nombre;
    return l;
}

class Exportar : public ::testing::Test {
protected:
    ProgramaPrueba p;
    void SetUp() override {
        p.creaPartida(QStringLiteral("T012"));
        p.creaPartida(QStringLiteral("C003"));
        p.usa(QStringLiteral("T012"));
    }
};

} // namespace

TEST_F(Exportar, NombreDelArchivoConElUltimoTurno) {
    Exportacion vacia(p.dm(), QStringLiteral("T012"));
    ASSERT_TRUE(vacia.prepara());
    EXPECT_EQ(vacia.nombreArchivo(), QStringLiteral("/Exportar/T012T.zlb"));
    p.inserta(QStringLiteral("DSCenPob"), {{"TURNO", "015"}, {"HEX", "0101"}});
    p.inserta(QStringLiteral("DSCenPob"), {{"TURNO", "003"}, {"HEX", "4444"}});
    Exportacion e(p.dm(), QStringLiteral("T012"));
    ASSERT_TRUE(e.prepara());
    EXPECT_EQ(e.nombreArchivo(), QStringLiteral("/Exportar/T012T015.zlb"));
    EXPECT_EQ(e.rutaArchivo(), p.programa() + QStringLiteral("/Exportar/T012T015.zlb"));
}

TEST_F(Exportar, CasillasPorDefectoSegunElTipoDePartida) {
    struct Caso { const char* partida; bool artefactos; };
    for (const Caso& c : {Caso{"T012", false}, Caso{"C003", true}}) {
        p.usa(QString::fromLatin1(c.partida));
        Exportacion e(p.dm(), QString::fromLatin1(c.partida));
        ASSERT_TRUE(e.prepara());
        for (int i = 0; i < Exportacion::ListaArtefactos; ++i) EXPECT_TRUE(e.marcada(Exportacion::Casilla(i))) << i;
        EXPECT_EQ(e.marcada(Exportacion::ListaArtefactos), c.artefactos) << c.partida;
    }
    EXPECT_EQ(Exportacion::titulo(Exportacion::ListaArtefactos), QStringLiteral("Lista de Artefactos "));
    EXPECT_EQ(Exportacion::titulo(Exportacion::EncuentrosRumores), QStringLiteral("Encuentros/Rumores"));
}

TEST_F(Exportar, FicherosEnOrdenYLosQueFaltanSeRegistran) {
    p.inserta(QStringLiteral("DSPjs"), {{"TURNO", "001"}, {"CODIGO", "00001"}});
    p.inserta(QStringLiteral("DSAcertijos"), {{"CODIGO", "00001"}, {"TEXTO", "¿?"}});
    Exportacion e(p.dm(), QStringLiteral("T012"), &p.ui());
    ASSERT_TRUE(e.prepara());
    e.marca(Exportacion::ListaArtefactos, true);
    QStringList orden;
    e.cierraMapa = [&] { orden << QStringLiteral("cierra"); };
    e.abreMapa = [&] { orden << QStringLiteral("abre"); };
    QStringList registrados;
    e.alRegistrarError = [&](const QString& t) { registrados << t; };
    const QString partida = carpetaPartida(p.programa(), QStringLiteral("T012"));
    EXPECT_EQ(e.ficheros(), (QStringList{partida + "/Pjs.DB", partida + "/Ejer.DB", partida + "/CenPob.DB",
                                         partida + "/Rumores.DB", partida + "/UbiArtef.DB", p.programa() + "/Acertijos.DB",
                                         partida + "/Artef.DB"}));
    ASSERT_TRUE(e.ejecuta());
    EXPECT_EQ(orden, (QStringList{"cierra", "abre"}));
    const QStringList faltan = {partida + "/Ejer.DB", partida + "/Rumores.DB", partida + "/UbiArtef.DB", partida + "/Artef.DB"};
    QStringList esperados;
    for (const QString& f : faltan) esperados << QStringLiteral("Unable to open file (%1)").arg(f);
    EXPECT_EQ(e.errores(), esperados);
    EXPECT_EQ(registrados, esperados);
    EXPECT_EQ(nombresEn(e.rutaArchivo()), (QStringList{"Pjs.DB", "CenPob.DB", "Acertijos.DB"}));
    EXPECT_EQ(p.ui().textos(), QStringList{QStringLiteral("Proceso Finalizado\r\nSe ha creado \"") + e.rutaArchivo() +
                                           QStringLiteral("\".")});
    EXPECT_TRUE(p.ui().barra.textos.contains(QStringLiteral("/Exportar/T012T.zlb Writing archive registry")));
    EXPECT_EQ(p.ui().barra.maximo, 100);
}

TEST_F(Exportar, SinCasillasElArchivoNoTieneMiembrosYOtraVezLoSustituye) {
    p.inserta(QStringLiteral("DSPjs"), {{"TURNO", "001"}, {"CODIGO", "00001"}});
    Exportacion e(p.dm(), QStringLiteral("T012"));
    ASSERT_TRUE(e.prepara());
    ASSERT_TRUE(e.ejecuta());
    EXPECT_EQ(nombresEn(e.rutaArchivo()), (QStringList{"Pjs.DB", "CenPob.DB"}));
    for (int c = 0; c < Exportacion::NumeroCasillas; ++c) e.marca(Exportacion::Casilla(c), false);
    ASSERT_TRUE(e.ejecuta());
    EXPECT_EQ(nombresEn(e.rutaArchivo()), QStringList());
    EXPECT_TRUE(e.errores().isEmpty());
}
