#include "map/thexmap.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <gtest/gtest.h>

using namespace kz;

namespace {

QColor pixel(const THexMap& m, QPoint p) { return m.Buffer().pixelColor(p); }

} // namespace

TEST(THexMapGeometria, MedidasPorRadio) {
    struct Caso { int pedido, radio, w, h, s, ancho, alto; };
    const Caso casos[] = {
        {30, 30, 26, 15, 45, 2318, 1776},
        {2, 2, 2, 1, 3, 178, 136},
        {15, 16, 14, 8, 24, 44 * 28 + 16, 21 * 44 + 32},
        {45, 46, 40, 23, 69, 44 * 80 + 46, 60 * 44 + 92},
        {20, 20, 17, 10, 30, 44 * 34 + 20, 26 * 44 + 40},
    };
    for (const auto& c : casos) {
        THexMap m;
        m.SetHexRadius(c.pedido);
        EXPECT_EQ(m.HexRadius(), c.radio) << c.pedido;
        EXPECT_EQ(m.MedioAncho(), c.w) << c.pedido;
        EXPECT_EQ(m.MedioLado(), c.h) << c.pedido;
        EXPECT_EQ(m.PasoFila(), c.s) << c.pedido;
        EXPECT_EQ(m.Tamano(), QSize(c.ancho, c.alto)) << c.pedido;
    }
}

TEST(THexMapGeometria, CentrosYPuntosARadio30) {
    THexMap m;
    m.SetHexRadius(30);
    struct Centro { const char* hex; QPoint centro; };
    for (const auto& c : {Centro{"0101", {26, 30}}, Centro{"0201", {78, 30}}, Centro{"0102", {52, 75}},
                          Centro{"4439", {2262, 1740}}}) {
        const QPoint h = THexMap::StrToHex(QString::fromLatin1(c.hex));
        EXPECT_EQ(m.HexToPixel(h.x(), h.y()), c.centro) << c.hex;
        EXPECT_EQ(THexMap::HexToStr(h.x(), h.y()), QString::fromLatin1(c.hex));
    }
    struct Punto { QPoint pixel; QPoint hex; const char* por_que; };
    const Punto puntos[] = {
        {{26, 30}, {1, 1}, "centro de 0101"},
        {{0, 0}, {0, 0}, "la fila redondea a 0"},
        {{52, 30}, {2, 1}, "fila impar: 1.5 va al par 2"},
        {{104, 30}, {2, 1}, "fila impar: 2.5 va al par 2"},
        {{26, 75}, {0, 0}, "fila par: 0.5 va a 0, ningún hex"},
        {{2318, 30}, {0, 0}, "a la derecha de la columna 44"},
        {{26, 1790}, {0, 0}, "debajo de la fila 39"},
        {{2262, 1740}, {44, 39}, "centro de 4439"},
    };
    for (const auto& p : puntos) EXPECT_EQ(m.PixelToHex(p.pixel.x(), p.pixel.y()), p.hex) << p.por_que;
}

TEST(THexMapGeometria, CodigosDeHex) {
    EXPECT_EQ(THexMap::StrToHex(QStringLiteral("0105")), QPoint(1, 5));
    EXPECT_EQ(THexMap::StrToHex(QStringLiteral("4439")), QPoint(44, 39));
    EXPECT_EQ(THexMap::StrToHex(QStringLiteral("x1")), QPoint(0, 0));
    EXPECT_EQ(THexMap::HexToStr(1, 5), QStringLiteral("0105"));
    EXPECT_EQ(THexMap::HexToStr(123, 7), QStringLiteral("12307"));
}

// Every hex centre, and points just inside its row band and column, come back to the same hex
// at every radius the window uses.
TEST(THexMapGeometria, IdaYVueltaDeTodosLosCentros) {
    for (int radio : {2, 15, 18, 23, 30, 45}) {
        THexMap m;
        m.SetHexRadius(radio);
        const int w = m.MedioAncho(), r = m.HexRadius();
        const int dy = (3 * r) / 4 - 1;
        for (int fila = 1; fila <= 39; ++fila) {
            for (int columna = 1; columna <= 44; ++columna) {
                const QPoint c = m.HexToPixel(columna, fila);
                const QPoint hex(columna, fila);
                ASSERT_EQ(m.PixelToHex(c.x(), c.y()), hex) << radio << " " << columna << "," << fila;
                for (QPoint d : {QPoint(w - 1, 0), QPoint(-(w - 1), 0), QPoint(0, dy), QPoint(0, -dy)})
                    ASSERT_EQ(m.PixelToHex(c.x() + d.x(), c.y() + d.y()), hex)
                        << radio << " " << columna << "," << fila << " +" << d.x() << "," << d.y();
            }
        }
    }
}

TEST(THexMapPropiedades, UnValorIgualNoReconstruye) {
    THexMap m;
    int fondos = 0;
    m.OnFondoHex = [&](QPainter&, QPoint, QPoint) { ++fondos; };
    m.SetHexRadius(20);
    m.SetHexColor(QColor(0, 128, 128));
    m.SetMapGridOn(true);
    EXPECT_EQ(fondos, 0);
    m.SetHexColor(Qt::red);
    EXPECT_EQ(fondos, 44 * 39);
    m.SetUseSavedMap(true);
    m.SetHexRadius(30);   // frozen picture: nothing is drawn again
    EXPECT_EQ(fondos, 44 * 39);
    EXPECT_EQ(m.Tamano(), QSize(44 * 34 + 20, 26 * 44 + 40));
}

TEST(THexMapPropiedades, RedimensionarConservaLosRegistros) {
    THexMap m;
    m.Dato(2, 3).Terreno = QStringLiteral("05");
    m.SetHexColumns(10);
    m.SetHexRows(5);
    ASSERT_EQ(m.HexData()->size(), 10);
    ASSERT_EQ((*m.HexData())[9].size(), 5);
    EXPECT_EQ(m.Dato(2, 3).Terreno, QStringLiteral("05"));
    m.SetHexColumns(44);
    EXPECT_TRUE(m.Dato(43, 4).Terreno.isEmpty());
}

TEST(THexMapPropiedades, EventosConElHexDesdeCero) {
    THexMap m;
    m.SetHexRadius(30);
    QList<QPoint> centros, hexes;
    m.OnDibujaHex = [&](QPainter&, QPoint p, QPoint h) { centros << p; hexes << h; };
    m.RedrawMap();
    ASSERT_EQ(hexes.size(), 44 * 39);
    EXPECT_EQ(hexes.first(), QPoint(0, 0));
    EXPECT_EQ(centros.first(), QPoint(26, 30));
    EXPECT_EQ(hexes[1], QPoint(1, 0));   // row by row, columns within
    EXPECT_EQ(hexes.last(), QPoint(43, 38));
}

TEST(THexMapDibujo, RellenoContornoYFondo) {
    THexMap m;
    m.SetHexRadius(30);
    m.SetBackColor(Qt::white);
    m.OnFondoHex = [](QPainter& c, QPoint, QPoint h) {
        if (h == QPoint(1, 0)) c.setBrush(QColor(10, 200, 30));
    };
    m.RedrawMap();
    EXPECT_EQ(pixel(m, {26, 30}), QColor(0, 128, 128));
    EXPECT_EQ(pixel(m, {78, 30}), QColor(10, 200, 30));
    EXPECT_EQ(pixel(m, {26, 0}), QColor(Qt::black));     // top corner of 0101
    EXPECT_EQ(pixel(m, {2, 2}), QColor(Qt::white));      // outside every hex
    EXPECT_EQ(pixel(m, {2317, 1775}), QColor(Qt::white));
}

TEST(THexMapResaltado, ContornoInversoDelRojo) {
    THexMap m;
    m.SetHexRadius(30);
    m.HighlightHex(1, 1);
    EXPECT_EQ(pixel(m, {26, 0}), QColor(0, 255, 255));
    EXPECT_EQ(pixel(m, {26, 30}), QColor(0, 128, 128));
    m.UnhighlightHex(1, 1);
    EXPECT_EQ(pixel(m, {26, 0}), QColor(Qt::black));
}

TEST(THexMapResaltado, DosVecesElMismoYUnoQuitado) {
    THexMap m;
    m.HighlightHex(3, 4);
    m.HighlightHex(3, 4);
    EXPECT_EQ(m.Resaltados(), QStringList({QStringLiteral("0304"), QStringLiteral("0304")}));
    m.UnhighlightHex(3, 4);
    EXPECT_EQ(m.Resaltados(), QStringList({QStringLiteral("0304")}));
    m.UnhighlightHex(5, 5);   // not listed: nothing happens
    EXPECT_EQ(m.Resaltados().size(), 1);
}

// With fewer than ten hexes the clear redraws them one by one; from ten on it restores the
// picture saved at the first highlight, wiping whatever was drawn since.
TEST(THexMapResaltado, ReglaDeLosDiez) {
    for (int n : {9, 10}) {
        THexMap m;
        m.SetHexRadius(30);
        int dibujados = 0;
        m.OnDibujaHex = [&](QPainter&, QPoint, QPoint) { ++dibujados; };
        for (int i = 1; i <= n; ++i) m.HighlightHex(i, 1);
        const QPoint marca = m.HexToPixel(20, 20);
        m.BufferEditable().setPixelColor(marca, Qt::magenta);
        dibujados = 0;
        m.ClearHighlights();
        EXPECT_TRUE(m.Resaltados().isEmpty());
        if (n == 9) {
            EXPECT_EQ(dibujados, 9);
            EXPECT_EQ(pixel(m, marca), QColor(Qt::magenta));
        } else {
            EXPECT_EQ(dibujados, 0);
            EXPECT_EQ(pixel(m, marca), QColor(0, 128, 128));
        }
        EXPECT_EQ(pixel(m, m.HexToPixel(1, 1) - QPoint(0, 30)), QColor(Qt::black)) << n;
    }
}

TEST(THexMapResaltado, RedibujarHexAvisaDeSuFranja) {
    THexMap m;
    m.SetHexRadius(30);
    QRect zona;
    m.alPintarZona = [&](const QRect& r) { zona = r; };
    m.RedrawHex(QStringLiteral("0102"));
    EXPECT_TRUE(zona.contains(QPoint(52, 75)));
    EXPECT_TRUE(zona.contains(QPoint(52, 45)));
    EXPECT_TRUE(zona.contains(QPoint(52, 105)));
}

TEST(THexMapGuardar, PngYBmpConLosMismosPixeles) {
    THexMap m;
    m.SetHexRadius(16);
    const QString carpeta = QDir::tempPath() + QStringLiteral("/kz_hexmap_guardar_%1").arg(QCoreApplication::applicationPid());
    QDir().mkpath(carpeta);
    QString error;
    ASSERT_TRUE(m.SaveMap(carpeta + QStringLiteral("/mapa.png"), error)) << error.toStdString();
    ASSERT_TRUE(m.SaveMap(carpeta + QStringLiteral("/mapa.BMP"), error)) << error.toStdString();
    QImage png(carpeta + QStringLiteral("/mapa.png")), bmp(carpeta + QStringLiteral("/mapa.BMP"));
    EXPECT_EQ(QImageReader(carpeta + QStringLiteral("/mapa.BMP")).format(), QByteArray("bmp"));
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32), m.Buffer());
    EXPECT_EQ(bmp.convertToFormat(QImage::Format_RGB32), m.Buffer());
    EXPECT_FALSE(m.SaveMap(carpeta + QStringLiteral("/no/existe/mapa.png"), error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("No se ha podido guardar el mapa en "))) << error.toStdString();
    QDir(carpeta).removeRecursively();
}

TEST(THexMapImagen, ModoImagenTomaLasMedidasDeLaImagen) {
    const QString fichero = QDir::tempPath() + QStringLiteral("/kz_hexmap_fondo_%1.png").arg(QCoreApplication::applicationPid());
    QImage fondo(520, 450, QImage::Format_RGB32);
    fondo.fill(QColor(200, 180, 20));
    ASSERT_TRUE(fondo.save(fichero));
    THexMap m;
    m.SetHexRadius(30);
    int fondos = 0;
    m.OnFondoHex = [&](QPainter&, QPoint, QPoint) { ++fondos; };
    QString error;
    EXPECT_FALSE(m.SetNoMapImage(false, &error));   // no picture named yet
    EXPECT_TRUE(m.NoMapImage());
    ASSERT_TRUE(m.SetMapImageName(fichero, &error));
    ASSERT_TRUE(m.SetNoMapImage(false, &error)) << error.toStdString();
    EXPECT_EQ(m.HexColumns(), 10);   // 520 / 52
    EXPECT_EQ(m.HexRows(), 10);      // 450 / 45
    EXPECT_EQ(m.HexData()->size(), 44);   // the records keep their size
    EXPECT_EQ(m.Tamano(), QSize(520, 450));
    EXPECT_EQ(fondos, 0);                 // no events in image mode
    EXPECT_EQ(pixel(m, {26, 30}), QColor(200, 180, 20));
    EXPECT_EQ(pixel(m, {26, 0}), QColor(Qt::black));
    QFile::remove(fichero);
}

// The saved picture is the buffer as it was at the first highlight, whatever was drawn on it
// afterwards and wherever; a rebuild in between makes the rebuilt picture the one restored.
TEST(THexMapResaltado, LaImagenGuardadaEsLaDelPrimerResaltado) {
    THexMap m;
    m.SetHexRadius(30);
    m.OnFondoHex = [](QPainter& c, QPoint, QPoint h) {
        if (h == QPoint(4, 4)) c.setBrush(Qt::yellow);
    };
    m.RedrawMap();
    const QImage antes = m.Buffer().copy();
    for (int i = 1; i <= 10; ++i) m.HighlightHex(i, 3);
    m.OnFondoHex = nullptr;
    m.RedrawHex(QStringLiteral("0505"));                       // drawn after the first highlight
    m.BufferEditable().setPixelColor(m.HexToPixel(30, 30), Qt::magenta);
    m.ClearHighlights();
    EXPECT_EQ(m.Buffer(), antes);

    for (int i = 1; i <= 10; ++i) m.HighlightHex(i, 3);
    m.SetHexColor(Qt::darkBlue);                               // a rebuild while highlighted
    const QImage reconstruida = m.Buffer().copy();
    m.HighlightHex(20, 20);
    m.ClearHighlights();
    EXPECT_EQ(m.Buffer(), reconstruida);
}
