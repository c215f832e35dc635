#include "comun/carpetaprueba.h"
#include "comun/interaccionguion.h"
#include "database/diccionario.h"
#include "map/tmapa.h"
#include "map/ui/exportarmapa.h"
#include "map/ui/tbandazoom.h"
#include "map/ui/thexmapcontrol.h"

#include <QCheckBox>
#include <QComboBox>
#include <QToolButton>

#include <QApplication>
#include <QFileDialog>
#include <QMouseEvent>
#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {

void procesa() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

void raton(QWidget& w, QEvent::Type tipo, QPoint p, Qt::MouseButton boton = Qt::LeftButton) {
    QMouseEvent e(tipo, QPointF(p), w.mapToGlobal(QPointF(p)), boton,
                  tipo == QEvent::MouseButtonRelease || tipo == QEvent::MouseMove ? Qt::NoButton : boton, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

} // namespace

TEST(THexMapControl, MuestraLaImagenYSigueSuTamano) {
    THexMap mapa;
    mapa.SetHexRadius(30);
    THexMapControl control(mapa);
    control.show();
    procesa();
    EXPECT_EQ(control.size(), QSize(2318, 1776));
    EXPECT_EQ(control.grab().toImage().convertToFormat(QImage::Format_RGB32), mapa.Buffer());

    mapa.HighlightHex(1, 1);   // drawn on the picture, then shown by repainting its band
    procesa();
    EXPECT_EQ(control.grab(QRect(0, 0, 60, 60)).toImage().pixelColor(26, 0), QColor(0, 255, 255));

    mapa.SetHexRadius(2);
    procesa();
    EXPECT_EQ(control.size(), QSize(178, 136));
    EXPECT_EQ(control.sizeHint(), QSize(178, 136));
}

TEST(THexMapControl, ElRatonDiceQueHexTieneDebajo) {
    THexMap mapa;
    mapa.SetHexRadius(30);
    THexMapControl control(mapa);
    control.show();
    procesa();
    QList<QPoint> pulsados, movidos, soltados, clics, dobles;
    QObject::connect(&control, &THexMapControl::MouseDown,
                     [&](Qt::MouseButton, Qt::KeyboardModifiers, QPoint, QPoint h) { pulsados << h; });
    QObject::connect(&control, &THexMapControl::MouseMove, [&](Qt::KeyboardModifiers, QPoint, QPoint h) { movidos << h; });
    QObject::connect(&control, &THexMapControl::MouseUp,
                     [&](Qt::MouseButton, Qt::KeyboardModifiers, QPoint, QPoint h) { soltados << h; });
    QObject::connect(&control, &THexMapControl::Click, [&](QPoint, QPoint h) { clics << h; });
    QObject::connect(&control, &THexMapControl::DblClick, [&](QPoint, QPoint h) { dobles << h; });

    raton(control, QEvent::MouseMove, {2, 2});
    raton(control, QEvent::MouseMove, {52, 75});
    raton(control, QEvent::MouseButtonPress, {78, 30});
    raton(control, QEvent::MouseButtonRelease, {78, 30});
    raton(control, QEvent::MouseButtonDblClick, {2262, 1740});
    raton(control, QEvent::MouseButtonPress, {26, 30}, Qt::RightButton);
    raton(control, QEvent::MouseButtonRelease, {26, 30}, Qt::RightButton);

    EXPECT_EQ(movidos, QList<QPoint>({{0, 0}, {1, 2}}));
    EXPECT_EQ(pulsados, QList<QPoint>({{2, 1}, {1, 1}}));
    EXPECT_EQ(soltados, QList<QPoint>({{2, 1}, {1, 1}}));
    EXPECT_EQ(clics, QList<QPoint>({{2, 1}}));   // a right click is not a click
    EXPECT_EQ(dobles, QList<QPoint>({{44, 39}}));
}

TEST(THexMapControl, ElMapaSobreviveAlControl) {
    THexMap mapa;
    {
        THexMapControl control(mapa);
    }
    mapa.SetHexRadius(16);   // nobody left to tell
    mapa.HighlightHex(2, 2);
    EXPECT_EQ(mapa.Tamano(), QSize(44 * 28 + 16, 21 * 44 + 32));
}

TEST(THexMapControl, MapaCompletoYMinimapaDelMismoMapa) {
    InteraccionGuion ui;
    TDM dm(ui);
    TMapa mapa(dm, CarpetaPrueba::programaConstruido());
    THexMapControl grande(mapa.HexMap1), mini(mapa.HexMap2);
    grande.show();
    mini.show();
    procesa();
    EXPECT_EQ(grande.size(), QSize(2318, 1776));
    EXPECT_EQ(mini.size(), QSize(178, 136));
    EXPECT_EQ(mini.grab().toImage().convertToFormat(QImage::Format_RGB32), mapa.HexMap2.Buffer());
}

TEST(ExportarMapa, DialogoYFichero) {
    const std::unique_ptr<QFileDialog> d(CreaDialogoExportarMapa(nullptr));
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Exportar Mapa"));
    EXPECT_EQ(d->defaultSuffix(), QStringLiteral("bmp"));
    EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);

    CarpetaPrueba carpeta;
    InteraccionGuion ui;
    TDM dm(ui);
    TMapa mapa(dm, CarpetaPrueba::programaConstruido());
    const QString fichero = carpeta.fichero(QStringLiteral("mapa.bmp"));
    ASSERT_TRUE(ExportarMapaA(mapa, fichero, ui));
    EXPECT_EQ(QImage(fichero).convertToFormat(QImage::Format_RGB32), mapa.HexMap1.Buffer());
    EXPECT_TRUE(ui.preguntas.isEmpty());

    const QString sinCarpeta = carpeta.fichero(QStringLiteral("no/existe/mapa.bmp"));
    EXPECT_FALSE(ExportarMapaA(mapa, sinCarpeta, ui));
    EXPECT_EQ(ui.textos(), QStringList({QStringLiteral("La carpeta %1 no existe.")
                                            .arg(QDir::toNativeSeparators(carpeta.fichero(QStringLiteral("no/existe"))))}));
}

TEST(TBandaZoom, ZoomVerNumYQueVen) {
    // Empty tables of a game, created by opening them.
    CarpetaPrueba carpeta;
    QDir().mkpath(carpeta.fichero(QStringLiteral("T001")));
    InteraccionGuion ui;
    TDM dm(ui);
    dm.fijaCarpetaPrograma(carpeta.ruta());
    dm.fijaCarpetaPartida(carpeta.fichero(QStringLiteral("T001")));
    ASSERT_TRUE(dm.AbrirLista(Diccionario::grupoReferencia()));
    ASSERT_TRUE(dm.AbrirLista(Diccionario::grupoPartida()));
    TMapa mapa(dm, CarpetaPrueba::programaConstruido());
    QString error;
    ASSERT_TRUE(mapa.CargarBitmaps(error)) << error.toStdString();
    TBandaZoom banda(mapa, ui);
    banda.show();
    EXPECT_EQ(banda.ComboBox1->currentText(), QStringLiteral("100%"));
    EXPECT_EQ(banda.ComboBox1->count(), 5);
    EXPECT_TRUE(banda.CBLabels->isChecked());
    EXPECT_EQ(banda.CBLabels->text(), QStringLiteral("Ver Num"));
    EXPECT_TRUE(banda.CBIdPais->isChecked());
    EXPECT_FALSE(banda.CBLibres->isChecked());
    EXPECT_EQ(banda.SpeedButton1->text(), QStringLiteral("Aplicar"));

    banda.ComboBox1->setCurrentIndex(2);   // "  75%"
    EXPECT_EQ(mapa.HexMap1.HexRadius(), 24);
    banda.CBLabels->click();
    EXPECT_FALSE(mapa.Opciones.verNum);
    banda.CBLibres->click();
    banda.CBOtros->click();
    EXPECT_EQ(mapa.Opciones.ven, (std::array<bool, 4>{true, true, false, false}));
    int dibujados = 0;
    mapa.HexMap1.OnFondoHex = [&](QPainter&, QPoint, QPoint) { ++dibujados; };
    banda.SpeedButton1->click();
    EXPECT_EQ(dibujados, 44 * 39);
    EXPECT_TRUE(ui.preguntas.isEmpty()) << ui.textos().join(QLatin1Char('|')).toStdString();
    dm.CerrarTodas();
}
