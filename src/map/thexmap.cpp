#include "thexmap.h"

#include "redondeo.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QPolygon>
#include <cmath>
#include <cstring>

namespace kz {

namespace {

// Corners in drawing order: top, upper right, lower right, bottom, lower left, upper left.
QPolygon esquinas(int x, int y, int r, int w, int h) {
    QPolygon p;
    p << QPoint(x, y - r) << QPoint(x + w, y - h) << QPoint(x + w, y + h) << QPoint(x, y + r)
      << QPoint(x - w, y + h) << QPoint(x - w, y - h);
    return p;
}

} // namespace

THexMap::THexMap() {
    fuente_.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    fuente_.setPixelSize(11);
    recalculaMedioAncho();
    datos_ = std::make_shared<TablaHex>();
    redimensionaDatos();
    BuildGridMap();
}

// ---------------------------------------------------------------------------------------------
// Properties

void THexMap::recalculaMedioAncho() {
    const double r = radio_;
    w_ = redondea(std::sqrt(r * r - (r / 2.0) * (r / 2.0)));
}

void THexMap::redimensionaDatos() {
    TablaHex& t = *datos_;
    t.resize(columnas_);
    for (int c = 0; c < columnas_; ++c) t[c].resize(filas_);
}

void THexMap::reconstruye() {
    if (sinImagen_) BuildGridMap();
    else BuildImageMap();
    Paint();
}

void THexMap::SetHexColumns(int n) {
    n = std::max(0, n);
    if (n == columnas_) return;
    columnas_ = n;
    redimensionaDatos();
    reconstruye();
}

void THexMap::SetHexRows(int n) {
    n = std::max(0, n);
    if (n == filas_) return;
    filas_ = n;
    redimensionaDatos();
    reconstruye();
}

void THexMap::SetHexRadius(int r) {
    if (r == radio_) return;
    // Below 2 the half-width would be 0 and no pixel could be converted to a hex.
    r = std::max(2, r);
    if (r % 2 != 0) ++r;
    radio_ = r;
    recalculaMedioAncho();
    reconstruye();
}

void THexMap::SetHexShowLabels(bool si) {
    if (si == etiquetas_) return;
    etiquetas_ = si;
    reconstruye();
}

void THexMap::SetHex3d(bool si) {
    if (si == hex3d_) return;
    hex3d_ = si;
    reconstruye();
}

void THexMap::SetHexColor(const QColor& c) {
    if (c == colorHex_) return;
    colorHex_ = c;
    reconstruye();
}

void THexMap::SetBackColor(const QColor& c) {
    if (c == colorFondo_) return;
    colorFondo_ = c;
    reconstruye();
}

void THexMap::SetLineColor(const QColor& c) {
    if (c == colorLinea_) return;
    colorLinea_ = c;
    reconstruye();
}

void THexMap::SetMapGridOn(bool si) {
    if (si == rejilla_) return;
    rejilla_ = si;
    reconstruye();
}

bool THexMap::cargaImagen(QString* error) {
    QImage img;
    if (nombreImagen_.isEmpty() || !img.load(nombreImagen_)) {
        if (error) *error = QStringLiteral("No se puede abrir el fichero de imagen ") + nombreImagen_;
        return false;
    }
    fondo_ = img.convertToFormat(QImage::Format_RGB32);
    return true;
}

bool THexMap::SetNoMapImage(bool si, QString* error) {
    if (si == sinImagen_) return true;
    if (!si && !cargaImagen(error)) return false;
    sinImagen_ = si;
    reconstruye();
    return true;
}

bool THexMap::SetMapImageName(const QString& nombre, QString* error) {
    if (nombre == nombreImagen_) return true;
    nombreImagen_ = nombre;
    if (sinImagen_ || usarGuardado_) return true;
    if (!cargaImagen(error)) return false;
    BuildImageMap();
    Paint();
    return true;
}

void THexMap::SetUseSavedMap(bool si) {
    if (si == usarGuardado_) return;
    usarGuardado_ = si;
    Paint();
}

void THexMap::SetHexData(std::shared_ptr<TablaHex> datos) {
    if (!datos) return;
    datos_ = std::move(datos);
    redimensionaDatos();
}

// ---------------------------------------------------------------------------------------------
// Geometry

int THexMap::MedioLado() const { return redondea(radio_ / 2.0); }
int THexMap::PasoFila() const { return redondea(1.5 * radio_); }

QPoint THexMap::HexToPixel(int columna, int fila) const {
    const int y = radio_ + (fila - 1) * PasoFila();
    const int x = fila % 2 != 0 ? w_ + (columna - 1) * 2 * w_ : columna * 2 * w_;
    return {x, y};
}

QPoint THexMap::PixelToHex(int x, int y) const {
    const int fila = redondea((y + radio_ / 2.0) / (1.5 * radio_));
    const int columna = fila % 2 != 0 ? redondea((x + w_) / (2.0 * w_)) : redondea(x / (2.0 * w_));
    if (columna < 1 || fila < 1 || fila > filas_ || columna > columnas_) return {0, 0};
    return {columna, fila};
}

QPoint THexMap::StrToHex(const QString& codigo) {
    bool okc = false, okf = false;
    const int c = codigo.mid(0, 2).toInt(&okc);
    const int f = codigo.mid(2, 2).toInt(&okf);
    if (!okc || !okf) return {0, 0};
    return {c, f};
}

QString THexMap::HexToStr(int columna, int fila) { return QString::asprintf("%.2d%.2d", columna, fila); }

QRect THexMap::RectanguloHex(int x, int y) const {
    return QRect(x - w_ - 1, y - radio_ - 1, 2 * w_ + 3, 2 * radio_ + 3);
}

// ---------------------------------------------------------------------------------------------
// Drawing

void THexMap::DrawHex(QPainter& canvas, const QColor& relleno, Qt::PenStyle estilo, const QColor& pluma,
                      int x, int y, int r, bool resaltado) {
    QPen pen(pluma);
    pen.setStyle(estilo);
    canvas.setPen(pen);
    const QPoint hex = PixelToHex(x, y);
    if (hex.isNull()) return;
    canvas.setBrush(QBrush(relleno));
    const QPoint centro(x, y);
    const QPoint hex0 = hex - QPoint(1, 1);
    if (OnFondoHex) OnFondoHex(canvas, centro, hex0);
    const QPolygon poligono = esquinas(x, y, r, w_, redondea(r / 2.0));
    pen = canvas.pen();
    pen.setWidth(1);
    if (resaltado) {
        // The outline takes the inverse of red; the fill keeps its colour. The mode stays set
        // for OnDibujaHex, whose handler chooses its own.
        canvas.setPen(Qt::NoPen);
        canvas.drawConvexPolygon(poligono);
        pen.setColor(QColor(255, 0, 0));
        canvas.setPen(pen);
        canvas.setCompositionMode(QPainter::RasterOp_NotSource);
        const QBrush brocha = canvas.brush();
        canvas.setBrush(Qt::NoBrush);
        canvas.drawConvexPolygon(poligono);
        canvas.setBrush(brocha);
    } else {
        canvas.setPen(pen);
        canvas.drawConvexPolygon(poligono);
    }
    if (OnDibujaHex) OnDibujaHex(canvas, centro, hex0);
}

void THexMap::DrawHexOutline(QPainter& canvas, Qt::PenStyle estilo, const QColor& pluma, int x, int y, int r,
                             bool bisel) {
    const int w = w_, h = redondea(r / 2.0);
    QPen pen(pluma, 1, estilo);
    canvas.setPen(pen);
    canvas.setBrush(Qt::NoBrush);
    QPolygon contorno = esquinas(x, y, r, w, h);
    contorno << QPoint(x, y - r);
    canvas.drawPolyline(contorno);
    if (!bisel) return;
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    canvas.setPen(QPen(Qt::white, 1));
    QPolygon claro;
    claro << QPoint(x - w + 1, y + h - 1) << QPoint(x - w + 1, y - h) << QPoint(x + 1, y - r + 1)
          << QPoint(x + w - 1, y - h + 1);
    canvas.drawPolyline(claro);
    canvas.setPen(QPen(Qt::black, 1));
    QPolygon oscuro;
    oscuro << QPoint(x + w - 1, y - h + 1) << QPoint(x + w - 1, y + h) << QPoint(x - 1, y + r - 1)
           << QPoint(x - w + 1, y + h - 1);
    canvas.drawPolyline(oscuro);
}

void THexMap::nuevoBuffer(const QSize& tamano) {
    const QSize anterior = buffer_.size();
    // Reusing the memory of a picture of the same size is much cheaper than a fresh one.
    if (tamano == anterior && !buffer_.isNull() && buffer_.isDetached()) return;
    buffer_ = QImage(tamano, QImage::Format_RGB32);
    // 96 dots per inch, so that font sizes in points come out as on the screens they were
    // chosen for.
    buffer_.setDotsPerMeterX(3780);
    buffer_.setDotsPerMeterY(3780);
    if (tamano != anterior && alCambiarTamano) alCambiarTamano(tamano);
}

void THexMap::empiezaGuardado() {
    if (guardada_.size() != buffer_.size() || guardada_.format() != buffer_.format())
        guardada_ = QImage(buffer_.size(), buffer_.format());
    filaGuardada_.fill(false, buffer_.height());
}

void THexMap::guardaFilas(int desde, int hasta) {
    if (resaltados_.isEmpty() || buffer_.isNull()) return;
    desde = std::max(0, desde);
    hasta = std::min(buffer_.height() - 1, hasta);
    const auto bytes = size_t(buffer_.bytesPerLine());
    for (int y = desde; y <= hasta; ++y) {
        if (filaGuardada_[y]) continue;
        std::memcpy(guardada_.scanLine(y), buffer_.constScanLine(y), bytes);
        filaGuardada_[y] = true;
    }
}

void THexMap::restauraGuardada() {
    const auto bytes = size_t(buffer_.bytesPerLine());
    for (int y = 0; y < filaGuardada_.size() && y < buffer_.height(); ++y)
        if (filaGuardada_[y]) std::memcpy(buffer_.scanLine(y), guardada_.constScanLine(y), bytes);
}

QImage& THexMap::BufferEditable() {
    guardaFilas(0, buffer_.height() - 1);
    return buffer_;
}

void THexMap::dibujaEtiqueta(QPainter& p, int columna, int fila, const QBrush& fondo) {
    const QPoint c = HexToPixel(columna, fila);
    const QString codigo = HexToStr(columna, fila);
    const QFontMetrics fm(fuente_);
    // A pen mode left by a highlight never applies to text.
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setFont(fuente_);
    p.setPen(colorFuente_);
    const int ancho = fm.horizontalAdvance(codigo);
    const int izquierda = c.x() - trunca(ancho / 2.0);
    const int arriba = c.y() - fm.height();
    if (fondo.style() != Qt::NoBrush) p.fillRect(QRect(izquierda, arriba, ancho, fm.height()), fondo);
    p.drawText(izquierda, arriba + fm.ascent(), codigo);
}

void THexMap::BuildGridMap() {
    if (usarGuardado_) return;
    const int ancho = columnas_ * 2 * w_ + radio_;
    const int alto = redondea(1.5 * w_) * columnas_ + 2 * radio_;
    nuevoBuffer(QSize(ancho, alto));
    buffer_.fill(colorFondo_);
    if (buffer_.isNull()) return;
    QPainter p(&buffer_);
    for (int fila = 1; fila <= filas_; ++fila) {
        for (int columna = 1; columna <= columnas_; ++columna) {
            const QPoint c = HexToPixel(columna, fila);
            if (rejilla_) DrawHex(p, colorHex_, Qt::SolidLine, colorLinea_, c.x(), c.y(), radio_, hex3d_);
            if (etiquetas_) dibujaEtiqueta(p, columna, fila, Qt::NoBrush);
        }
    }
    p.end();
    // Every hex is now drawn unhighlighted: this is the picture a later clear gives back.
    if (!resaltados_.isEmpty()) empiezaGuardado();
}

void THexMap::BuildImageMap() {
    if (usarGuardado_) return;
    columnas_ = w_ > 0 ? trunca(fondo_.width() / (2.0 * w_)) : 0;
    filas_ = trunca(fondo_.height() / (1.5 * radio_));
    nuevoBuffer(fondo_.size());
    buffer_.fill(colorFondo_);
    if (buffer_.isNull()) return;
    QPainter p(&buffer_);
    p.drawImage(0, 0, fondo_);
    for (int fila = 1; fila <= filas_; ++fila) {
        for (int columna = 1; columna <= columnas_; ++columna) {
            const QPoint c = HexToPixel(columna, fila);
            if (rejilla_) DrawHexOutline(p, Qt::SolidLine, colorLinea_, c.x(), c.y(), radio_, hex3d_);
            if (etiquetas_) dibujaEtiqueta(p, columna, fila, QBrush(colorFondo_));
        }
    }
    p.end();
    // Every hex is now drawn unhighlighted: this is the picture a later clear gives back.
    if (!resaltados_.isEmpty()) empiezaGuardado();
}

void THexMap::Paint() {
    if (alPintar) alPintar();
}

void THexMap::RedrawMap() {
    BuildGridMap();
    Paint();
}

void THexMap::pintaZona(const QRect& r) {
    if (alPintarZona) alPintarZona(r);
}

void THexMap::dibujaHexSuelto(int columna, int fila, bool resaltado) {
    if (buffer_.isNull()) return;
    const QPoint c = HexToPixel(columna, fila);
    const QRect banda(0, c.y() - radio_ - 1, buffer_.width(), 2 * radio_ + 3);
    guardaFilas(banda.top(), banda.bottom());
    {
        QPainter p(&buffer_);
        DrawHex(p, colorHex_, Qt::SolidLine, colorLinea_, c.x(), c.y(), radio_, resaltado);
    }
    // What a hex's handler writes (a nation's name) may run past the hex to the right, so the
    // whole band of the hex's row is shown again.
    pintaZona(banda);
}

void THexMap::RedrawHex(const QString& codigo) {
    const QPoint h = StrToHex(codigo);
    dibujaHexSuelto(h.x(), h.y(), hex3d_);
}

bool THexMap::SaveMap(const QString& fichero, QString& error) const {
    const bool bmp = fichero.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive);
    QImageWriter escritor(fichero, bmp ? QByteArrayLiteral("bmp") : QByteArrayLiteral("png"));
    if (buffer_.isNull() || !escritor.write(buffer_)) {
        error = QStringLiteral("No se ha podido guardar el mapa en ") + fichero +
                (escritor.errorString().isEmpty() ? QString() : QStringLiteral(": ") + escritor.errorString());
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Highlighting

void THexMap::HighlightHex(int columna, int fila) {
    if (resaltados_.isEmpty()) empiezaGuardado();
    resaltados_ << HexToStr(columna, fila);
    dibujaHexSuelto(columna, fila, true);
}

void THexMap::UnhighlightHex(int columna, int fila) {
    const int i = resaltados_.indexOf(HexToStr(columna, fila));
    if (i < 0) return;
    dibujaHexSuelto(columna, fila, false);
    resaltados_.removeAt(i);
}

void THexMap::ClearHighlights() {
    if (resaltados_.size() >= 10) {
        restauraGuardada();
        Paint();
    } else {
        for (const QString& codigo : resaltados_) {
            const QPoint h = StrToHex(codigo);
            dibujaHexSuelto(h.x(), h.y(), false);
        }
    }
    resaltados_.clear();
}

} // namespace kz
