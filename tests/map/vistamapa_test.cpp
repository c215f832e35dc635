// Renders the example map whole, at 100% and at 50%. With KZ_GUARDA_MAPAS naming a folder the
// pictures are also written there, to be looked at.

#include "fixturamapa.h"
#include "map/tmapa.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

TEST(VistaMapa, EjemploEnteroACienYCincuentaPorCiento) {
    FixturaMapa fx;
    fx.llenaEjemplo();
    TMapa mapa(fx.dm, fx.programa());
    mapa.FijaTurno(QStringLiteral("001"));
    mapa.Opciones.ven = {true, true, true, true};
    QString error;
    ASSERT_TRUE(mapa.Arranca(error)) << error.toStdString();
    EXPECT_TRUE(fx.ui.preguntas.isEmpty()) << fx.ui.textos().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(mapa.HexMap1.Tamano(), QSize(2318, 1776));
    EXPECT_EQ(mapa.HexMap2.Tamano(), QSize(178, 136));
    const QString destino = qEnvironmentVariable("KZ_GUARDA_MAPAS");
    if (!destino.isEmpty()) {
        QDir().mkpath(destino);
        ASSERT_TRUE(mapa.ExportarMapa(destino + QStringLiteral("/mapa_100.png"), error));
        ASSERT_TRUE(mapa.HexMap2.SaveMap(destino + QStringLiteral("/minimapa.png"), error));
        mapa.HexMap1.Buffer().copy(0, 0, 700, 520).save(destino + QStringLiteral("/mapa_100_noroeste.png"));
        mapa.HexMap1.Buffer().copy(850, 750, 700, 520).save(destino + QStringLiteral("/mapa_100_centro.png"));
    }
    ASSERT_TRUE(mapa.CambiaZoom(0, error)) << error.toStdString();
    EXPECT_EQ(mapa.HexMap1.HexRadius(), 16);
    if (!destino.isEmpty()) {
        ASSERT_TRUE(mapa.ExportarMapa(destino + QStringLiteral("/mapa_50.png"), error));
        mapa.HexMap1.Buffer().copy(400, 350, 700, 520).save(destino + QStringLiteral("/mapa_50_centro.png"));
        // The example game as a program folder, for kzdb mapa.
        fx.dm.CerrarTodas();
        QDir(destino + QStringLiteral("/programa")).removeRecursively();
        ASSERT_TRUE(copiaCarpeta(fx.programa(), destino + QStringLiteral("/programa")));
    }
}
