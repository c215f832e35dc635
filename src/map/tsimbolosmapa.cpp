#include "tsimbolosmapa.h"

#include "redondeo.h"

#include <QDir>
#include <QFileInfo>

namespace kz {

namespace {

// The exact name first; a copy brought from another system may differ in letter case.
QString buscaFichero(const QDir& carpeta, const QString& nombre) {
    const QString exacto = carpeta.filePath(nombre);
    if (QFileInfo::exists(exacto)) return exacto;
    for (const QString& f : carpeta.entryList(QDir::Files))
        if (f.compare(nombre, Qt::CaseInsensitive) == 0) return carpeta.filePath(f);
    return exacto;
}

} // namespace

QString TSimbolosMapa::FicheroCenPob(int i) {
    if (i < 0 || i >= kCenPob) return {};
    const bool heredado = i >= 21;
    const int n = heredado ? i - 21 : i;
    const QString s = heredado ? QStringLiteral("s.bmp") : QStringLiteral(".bmp");
    if (n == 0) return QStringLiteral("CP6") + s;
    static const char* const prefijos[] = {"CP", "CPL", "CPO", "CPN"};
    return QString::fromLatin1(prefijos[(n - 1) / 5]) + QString::number((n - 1) % 5 + 1) + s;
}

QString TSimbolosMapa::FicheroMapa(int i) {
    static const char* const nombres[] = {"", "Forti1.bmp", "Forti2.bmp", "Forti3.bmp", "Forti4.bmp", "Forti5.bmp",
                                          "Ancla1.bmp", "Ancla2.bmp", "Ejer1.bmp", "Ejer2.bmp", "Ejer3.bmp",
                                          "Per.bmp", "Per1.bmp", "Per2.bmp", "Per3.bmp", "Enc.bmp", "Info.bmp"};
    return i >= 0 && i < kMapa ? QString::fromLatin1(nombres[i]) : QString();
}

bool TSimbolosMapa::CargarBitmaps(const QString& carpetaPrograma, QString& error) {
    const QDir carpeta(QDir(carpetaPrograma).filePath(QStringLiteral("Bitmap")));
    auto carga = [&](const QString& nombre, QImage& destino) {
        const QString ruta = buscaFichero(carpeta, nombre);
        QImage img;
        if (!img.load(ruta)) {
            error = QStringLiteral("No se puede abrir el fichero ") + QDir::toNativeSeparators(ruta);
            return false;
        }
        destino = img.convertToFormat(QImage::Format_RGB32);
        return true;
    };
    QVector<QImage> cenPob(kCenPob), mapa(kMapa);
    // Loading order of the tables: 0 and 21 first, then by size the four allegiances.
    if (!carga(FicheroCenPob(0), cenPob[0]) || !carga(FicheroCenPob(21), cenPob[21])) return false;
    for (int n = 1; n <= 5; ++n)
        for (int base : {0, 5, 10, 15})
            if (!carga(FicheroCenPob(base + n), cenPob[base + n]) ||
                !carga(FicheroCenPob(21 + base + n), cenPob[21 + base + n]))
                return false;
    for (int i = 1; i < kMapa; ++i)
        if (!carga(FicheroMapa(i), mapa[i])) return false;
    BitmapsCenPob = std::move(cenPob);
    BitmapsMapa = std::move(mapa);
    return true;
}

void TSimbolosMapa::Escala(double f) {
    auto escala = [f](QImage& img) {
        if (img.isNull()) return;
        const int ancho = std::max(1, redondea(img.width() * f));
        const int alto = std::max(1, redondea(img.height() * f));
        // Nearest-pixel stretch: blending would mix the transparent colour into the edges.
        img = img.scaled(ancho, alto, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    };
    for (int i = 0; i <= 20 && i < BitmapsCenPob.size(); ++i) escala(BitmapsCenPob[i]);
    for (int i = 1; i <= 14 && i < BitmapsMapa.size(); ++i) escala(BitmapsMapa[i]);
}

QRgb TSimbolosMapa::ColorTransparente(const QImage& s) {
    const QRgb alternativo = qRgb(132, 0, 0);
    if (!s.isNull() && (s.pixel(0, 0) | 0xFF000000u) == alternativo) return alternativo;
    return qRgb(128, 0, 0);
}

void TSimbolosMapa::DibujaItem(const QImage& simbolo, QPainter& canvas, QPoint o) {
    if (simbolo.isNull()) return;
    const QRgb clave = ColorTransparente(simbolo) & 0xFFFFFFu;
    const QImage s = simbolo.format() == QImage::Format_RGB32 ? simbolo : simbolo.convertToFormat(QImage::Format_RGB32);
    auto* destino = dynamic_cast<QImage*>(canvas.device());
    if (destino && (destino->format() == QImage::Format_RGB32 || destino->format() == QImage::Format_ARGB32)) {
        // The raster engine draws at once, so writing the pixels directly keeps the order of
        // everything drawn on this canvas.
        const QRect dentro = QRect(o, s.size()) & destino->rect();
        for (int y = dentro.top(); y <= dentro.bottom(); ++y) {
            const QRgb* src = reinterpret_cast<const QRgb*>(s.constScanLine(y - o.y()));
            QRgb* dst = reinterpret_cast<QRgb*>(destino->scanLine(y));
            for (int x = dentro.left(); x <= dentro.right(); ++x) {
                const QRgb p = src[x - o.x()];
                if ((p & 0xFFFFFFu) != clave) dst[x] = p | 0xFF000000u;
            }
        }
        return;
    }
    QImage recortado = s.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < recortado.height(); ++y) {
        QRgb* l = reinterpret_cast<QRgb*>(recortado.scanLine(y));
        for (int x = 0; x < recortado.width(); ++x)
            if ((l[x] & 0xFFFFFFu) == clave) l[x] = 0;
    }
    canvas.save();
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    canvas.drawImage(o, recortado);
    canvas.restore();
}

} // namespace kz
