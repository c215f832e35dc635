#pragma once
// The symbol pictures of the map, loaded from the program's "Bitmap" folder into two tables:
// BitmapsCenPob (42: population centres by size, allegiance and inheritance) and BitmapsMapa
// (17: index 0 is a working picture, then fortifications, docks, armies, characters,
// sightings and notes). Every symbol is drawn leaving out its transparent colour.

#include <QImage>
#include <QPainter>
#include <QString>
#include <QVector>

namespace kz {

class TSimbolosMapa {
public:
    static constexpr int kCenPob = 42;
    static constexpr int kMapa = 17;
    enum IndiceMapa { smTrabajo = 0, smForti1 = 1, smAncla1 = 6, smAncla2 = 7, smEjer1 = 8, smEjer2 = 9,
                      smEjer3 = 10, smPer = 11, smPer1 = 12, smPer2 = 13, smPer3 = 14, smEnc = 15, smInfo = 16 };

    // File of each entry ("CPO3.bmp"); empty for the working picture.
    static QString FicheroCenPob(int indice);
    static QString FicheroMapa(int indice);

    // Loads a new set from carpetaPrograma/Bitmap. On failure the old set stays and `error`
    // names the file that could not be read.
    bool CargarBitmaps(const QString& carpetaPrograma, QString& error);
    bool Cargados() const { return !BitmapsCenPob.isEmpty(); }

    // Zoom: entries 0-20 of BitmapsCenPob and 1-14 of BitmapsMapa take Round(size * f); the
    // inherited symbols, "Enc" and "Info" keep theirs.
    void Escala(double f);

    // Red 128, green 0, blue 0; red 132 when that is the colour of the top-left pixel.
    static QRgb ColorTransparente(const QImage& simbolo);
    // Sets every pixel of the symbol that is not its transparent colour on the canvas.
    static void DibujaItem(const QImage& simbolo, QPainter& canvas, QPoint arribaIzquierda);

    QVector<QImage> BitmapsCenPob;
    QVector<QImage> BitmapsMapa;
};

} // namespace kz
