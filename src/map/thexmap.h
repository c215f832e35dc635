#pragma once
// THexMap: a rectangular field of pointy-topped hexagons drawn into an off-screen picture.
//
// The grid knows nothing of the game. It keeps one TRHex per hex, converts between hex
// coordinates and pixels, draws every hex into its buffer calling OnFondoHex (choose the fill)
// and OnDibujaHex (draw on top) and keeps a list of highlighted hexes. A widget shows the buffer:
// it listens to alPintar (copy the whole buffer), alPintarZona (a part of it changed) and
// alCambiarTamano (the picture changed size). Nothing here needs a screen.
//
// Geometry, with R the radius (always even): w = Round(sqrt(R^2 - (R/2)^2)), h = Round(R/2),
// row step 1.5 R. Odd rows start at the left edge, even rows are shifted by w.

#include "trhex.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QStringList>
#include <functional>
#include <memory>

namespace kz {

// Canvas, centre of the hex in pixels, hex as (column - 1, row - 1).
using TDibujaHexEvent = std::function<void(QPainter& Canvas, QPoint P, QPoint Hex)>;

class THexMap {
public:
    THexMap();

    // Published properties. A setter given the current value does nothing; otherwise it
    // stores the value, rebuilds the picture and repaints.
    int HexColumns() const { return columnas_; }
    void SetHexColumns(int n);
    int HexRows() const { return filas_; }
    void SetHexRows(int n);
    int HexRadius() const { return radio_; }
    void SetHexRadius(int r);           // an odd value is stored as the next even one
    bool HexShowLabels() const { return etiquetas_; }
    void SetHexShowLabels(bool si);
    bool Hex3d() const { return hex3d_; }
    void SetHex3d(bool si);
    QColor HexColor() const { return colorHex_; }
    void SetHexColor(const QColor& c);
    QColor BackColor() const { return colorFondo_; }
    void SetBackColor(const QColor& c);
    QColor LineColor() const { return colorLinea_; }
    void SetLineColor(const QColor& c);
    bool MapGridOn() const { return rejilla_; }
    void SetMapGridOn(bool si);
    // Grid mode (true) or image mode (false). Setting false loads MapImageName first; false
    // comes back with the message when the picture cannot be read.
    bool NoMapImage() const { return sinImagen_; }
    bool SetNoMapImage(bool si, QString* error = nullptr);
    QString MapImageName() const { return nombreImagen_; }
    bool SetMapImageName(const QString& nombre, QString* error = nullptr);
    bool UseSavedMap() const { return usarGuardado_; }
    void SetUseSavedMap(bool si);
    // Label font and its colour; changing them takes effect at the next build.
    const QFont& Font() const { return fuente_; }
    void SetFont(const QFont& f) { fuente_ = f; }
    QColor FontColor() const { return colorFuente_; }
    void SetFontColor(const QColor& c) { colorFuente_ = c; }

    TDibujaHexEvent OnDibujaHex;
    TDibujaHexEvent OnFondoHex;

    // The per-hex records, shared with another grid when it is given the same array.
    std::shared_ptr<TablaHex> HexData() const { return datos_; }
    void SetHexData(std::shared_ptr<TablaHex> datos);
    TRHex& Dato(int columna0, int fila0) { return (*datos_)[columna0][fila0]; }
    const TRHex& Dato(int columna0, int fila0) const { return (*datos_)[columna0][fila0]; }

    // Geometry.
    int MedioAncho() const { return w_; }      // w
    int MedioLado() const;                     // h
    int PasoFila() const;                      // s
    QPoint HexToPixel(int columna, int fila) const;
    QPoint PixelToHex(int x, int y) const;     // (0, 0) when no hex is there
    static QPoint StrToHex(const QString& codigo);
    static QString HexToStr(int columna, int fila);
    // Bounding rectangle of a hex drawn at centre (x, y), with one pixel of margin.
    QRect RectanguloHex(int x, int y) const;

    // Drawing.
    void DrawHex(QPainter& canvas, const QColor& relleno, Qt::PenStyle estilo, const QColor& pluma,
                 int x, int y, int r, bool resaltado);
    void DrawHexOutline(QPainter& canvas, Qt::PenStyle estilo, const QColor& pluma, int x, int y, int r,
                        bool bisel);
    void BuildGridMap();
    void BuildImageMap();
    void Paint();
    void RedrawMap();
    void RedrawHex(const QString& codigo);
    // Writes the buffer: BMP when the name ends in ".bmp", PNG otherwise.
    bool SaveMap(const QString& fichero, QString& error) const;

    // Highlighting.
    void HighlightHex(int columna, int fila);
    void UnhighlightHex(int columna, int fila);
    void ClearHighlights();
    const QStringList& Resaltados() const { return resaltados_; }

    const QImage& Buffer() const { return buffer_; }
    // For drawing on the picture from outside; while hexes are highlighted the saved picture
    // first takes every row it still lacks.
    QImage& BufferEditable();
    QSize Tamano() const { return buffer_.size(); }

    // What the control showing this grid listens to.
    std::function<void()> alPintar;
    std::function<void(const QRect&)> alPintarZona;
    std::function<void(const QSize&)> alCambiarTamano;

private:
    void recalculaMedioAncho();
    void redimensionaDatos();
    void reconstruye();
    bool cargaImagen(QString* error);
    void dibujaEtiqueta(QPainter& p, int columna, int fila, const QBrush& fondo);
    void empiezaGuardado();
    void guardaFilas(int desde, int hasta);
    void restauraGuardada();
    void dibujaHexSuelto(int columna, int fila, bool resaltado);
    void nuevoBuffer(const QSize& tamano);
    void pintaZona(const QRect& r);

    int columnas_ = 44;
    int filas_ = 39;
    int radio_ = 20;
    int w_ = 0;
    bool etiquetas_ = false;
    bool hex3d_ = false;
    QColor colorHex_{0, 128, 128};
    QColor colorFondo_{128, 128, 128};
    QColor colorLinea_{0, 0, 0};
    bool rejilla_ = true;
    bool sinImagen_ = true;
    QString nombreImagen_;
    bool usarGuardado_ = false;
    QFont fuente_;
    QColor colorFuente_{0, 0, 0};

    std::shared_ptr<TablaHex> datos_;
    QImage buffer_;
    // The saved picture is taken row by row, just before a row of the buffer is first drawn on
    // after the first highlight: a restore needs the buffer as it was then, and the rows nobody
    // touched still are. A full copy at every first highlight would cost more than all the
    // highlighting.
    QImage guardada_;
    QVector<bool> filaGuardada_;
    QImage fondo_;
    QStringList resaltados_;
};

} // namespace kz
