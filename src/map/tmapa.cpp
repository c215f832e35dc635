#include "tmapa.h"

#include "colortexto.h"
#include "cursorlectura.h"
#include "redondeo.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <cmath>

namespace kz {

const QString TMapa::kErrorHex =
    QStringLiteral("Se produjo un error al cargar la informacion del hex. Revisa los datos.");

namespace {


const QColor kAzul(0, 0, 255);
const QColor kCamino(128, 0, 0);
const QColor kPuente(0, 0, 128);
const QColor kVado(128, 128, 0);
const QColor kCian(0, 255, 255);
const std::array<QColor, 4> kColoresVista = {QColor(255, 255, 255), QColor(0, 255, 0), QColor(255, 0, 0),
                                             QColor(0, 255, 255)};

// Side texts of the Hex table: six characters NE, E, SE, SO, O, NO; "1" marks the side.
LadosHex ladosDeTexto(const QString& t) {
    LadosHex s = 0;
    for (int i = 0; i < 6 && i < t.size(); ++i)
        if (t[i] == QLatin1Char('1')) s |= lado(Lado(i));
    return s;
}

// The order in which sides are drawn.
constexpr std::array<Lado, 6> kOrdenLados = {ladoO, ladoNO, ladoNE, ladoE, ladoSE, ladoSO};

// A number read the way the table texts are read: digits with an optional sign, nothing else.
std::optional<int> numero(const QString& t) {
    bool ok = false;
    const int v = t.toInt(&ok, 10);
    if (!ok) return std::nullopt;
    return v;
}

QPen pluma(const QColor& c, int ancho) {
    // Width 0 is the thinnest line the painter draws.
    return QPen(c, ancho, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

struct Geometria {
    int x, y, r, w, h;
    // The corners of a side, each moved one pixel inwards.
    std::pair<QPoint, QPoint> lado(Lado l) const {
        const QPoint arriba(x + 1, y - r + 1), arribaDer(x + w - 1, y - h + 1), abajoDer(x + w - 1, y + h),
            abajo(x - 1, y + r - 1), abajoIzq(x - w + 1, y + h - 1), arribaIzq(x - w + 1, y - h);
        switch (l) {
        case ladoNE: return {arriba, arribaDer};
        case ladoE: return {arribaDer, abajoDer};
        case ladoSE: return {abajoDer, abajo};
        case ladoSO: return {abajo, abajoIzq};
        case ladoO: return {abajoIzq, arribaIzq};
        case ladoNO: return {arribaIzq, arriba};
        }
        return {};
    }
    QPoint medio(Lado l) const {
        switch (l) {
        case ladoO: return {x - w + 1, y};
        case ladoNO: return {x + 1 - w / 2, y - r + 1 + h / 2};
        case ladoNE: return {x + w - 1 - w / 2, y - h + 1 - h / 2};
        case ladoE: return {x + w - 1, y + h - r / 2};
        case ladoSE: return {x + w / 2, y + r - 1 - h / 2};
        case ladoSO: return {x - w + w / 2, y + r - 1 - h / 2};
        }
        return {};
    }
    // Direction of the stroke of a bridge or ford, towards the inside of the hex.
    static QPoint haciaDentro(Lado l) {
        switch (l) {
        case ladoO: return {1, 0};
        case ladoNO: return {1, 1};
        case ladoNE: return {-1, 1};
        case ladoE: return {-1, 0};
        case ladoSE: return {-1, -1};
        case ladoSO: return {1, -1};
        }
        return {};
    }
};

void dibujaLados(QPainter& c, const Geometria& g, LadosHex lados) {
    for (Lado l : kOrdenLados)
        if (tieneLado(lados, l)) {
            const auto [a, b] = g.lado(l);
            c.drawLine(a, b);
        }
}

void dibujaTrazos(QPainter& c, const Geometria& g, LadosHex lados, int d) {
    for (Lado l : kOrdenLados)
        if (tieneLado(lados, l)) {
            const QPoint m = g.medio(l);
            c.drawLine(m, m + Geometria::haciaDentro(l) * d);
        }
}

// What changes whenever a table file is written: its size, its time and the change counter that
// the file's header carries (bytes 24 to 27, raised by every commit). Empty when a file is
// missing or unreadable, which never matches.
QString selloFicheros(const QString& carpeta, const QStringList& ficheros) {
    QString sello = carpeta;
    for (const QString& f : ficheros) {
        QFile fichero(QDir(carpeta).filePath(f));
        if (!fichero.open(QIODevice::ReadOnly)) return {};
        const QByteArray cabecera = fichero.read(100);
        if (cabecera.size() < 100) return {};
        const QFileInfo info(fichero);
        sello += QStringLiteral("|%1|%2|%3")
                     .arg(info.size())
                     .arg(info.lastModified().toMSecsSinceEpoch())
                     .arg(QString::fromLatin1(cabecera.mid(24, 4).toHex()));
    }
    return sello;
}

} // namespace

QStringList TMapa::ElementosZoom() {
    return {QStringLiteral("  50%"), QStringLiteral("  60%"), QStringLiteral("  75%"), QStringLiteral("100%"),
            QStringLiteral("150%")};
}

int TMapa::RadioDeZoom(int indice) {
    static const int radios[] = {15, 18, 23, 30, 45};
    return indice >= 0 && indice < 5 ? radios[indice] : 30;
}

TMapa::TMapa(TDM& dm, const QString& carpetaPrograma) : dm_(dm), carpetaPrograma_(carpetaPrograma) {
    QFont etiquetas;
    etiquetas.setFamilies({QStringLiteral("Small Fonts"), QStringLiteral("DejaVu Sans")});
    etiquetas.setPointSize(7);
    etiquetas.setHintingPreference(QFont::PreferFullHinting);
    // Frozen while it is set up: each setter would otherwise build the whole picture again.
    HexMap1.SetUseSavedMap(true);
    HexMap2.SetUseSavedMap(true);
    HexMap1.SetFont(etiquetas);
    HexMap1.SetHexRadius(30);
    HexMap1.SetHexColor(QColor(0, 128, 128));
    HexMap1.SetBackColor(Qt::white);
    HexMap1.SetLineColor(Qt::black);
    HexMap1.OnFondoHex = [this](QPainter& c, QPoint p, QPoint h) { HexMap1FondoHex(c, p, h); };
    HexMap1.OnDibujaHex = [this](QPainter& c, QPoint p, QPoint h) { HexMap1DibujaHex(c, p, h); };
    HexMap2.SetHexRadius(2);
    HexMap2.SetBackColor(QColor(128, 128, 128));
    HexMap2.SetHexData(HexMap1.HexData());
    HexMap2.OnFondoHex = [this](QPainter& c, QPoint p, QPoint h) { HexMap2FondoHex(c, p, h); };
    HexMap1.SetUseSavedMap(false);
    HexMap2.SetUseSavedMap(false);
    HexMap1.BuildGridMap();
    HexMap2.BuildGridMap();
}

// ---------------------------------------------------------------------------------------------
// Loading

bool TMapa::Arranca(QString& error) {
    QString errorColores;
    const bool colores = ActualizaTerrenos(errorColores);
    if (!CargarBitmaps(error)) return false;
    RellenarMapa();
    if (!colores) dm_.interaccion().aviso(errorColores, mtAviso);
    return true;
}

bool TMapa::CargarBitmaps(QString& error) { return Simbolos.CargarBitmaps(carpetaPrograma_, error); }

bool TMapa::ActualizaTerrenos(QString& error) {
    CursorLectura c(dm_, QStringLiteral("TTerreno"));
    if (!c.abierto()) {
        error = c.error();
        return false;
    }
    const int fCodigo = c.campo(QStringLiteral("CODIGO")), fColor = c.campo(QStringLiteral("COLOR"));
    TTabla& t = c.tabla();
    QVector<QColor> colores(t.numeroRegistros());
    bool bien = true;
    for (; !t.eof(); t.siguiente()) {
        const auto codigo = numero(c.texto(fCodigo));
        // A code outside 1 to the number of rows has no slot; nothing beyond the table is touched.
        if (!codigo || *codigo < 1 || *codigo > colores.size()) continue;
        QColor color;
        if (ColorDeTexto(c.texto(fColor), color)) {
            colores[*codigo - 1] = color;
        } else if (bien) {
            bien = false;
            error = QStringLiteral("El color \"%1\" del terreno %2 no es un color válido.")
                        .arg(c.texto(fColor), c.texto(fCodigo));
        }
    }
    ColoresTerreno = colores;
    return bien;
}

bool TMapa::leeHexes(QString& error) {
    CursorLectura c(dm_, QStringLiteral("THex"));
    if (!c.abierto()) {
        error = c.error();
        return false;
    }
    const int fHex = c.campo(QStringLiteral("HEX")), fTerreno = c.campo(QStringLiteral("TERRENO")),
              fRio = c.campo(QStringLiteral("RIO")), fRia = c.campo(QStringLiteral("RIA")),
              fPuente = c.campo(QStringLiteral("PUENTE")), fVado = c.campo(QStringLiteral("VADO")),
              fCamino = c.campo(QStringLiteral("CAMINO")), fDatos = c.campo(QStringLiteral("DATOS"));
    datos_.BorraNotas();
    TablaHex& tabla = *HexMap1.HexData();
    // A hex without a row keeps nothing from an earlier game or fill.
    for (int col = 0; col < tabla.size(); ++col)
        for (int fila = 0; fila < tabla[col].size(); ++fila) {
            tabla[col][fila] = TRHex{};
            tabla[col][fila].Pos = QPoint(col, fila);
        }
    for (TTabla& t = c.tabla(); !t.eof(); t.siguiente()) {
        const QString hex = c.texto(fHex);
        const QPoint p = THexMap::StrToHex(hex);
        // A code outside the map has no record to fill.
        if (p.x() < 1 || p.y() < 1 || p.x() > tabla.size() || p.y() > tabla[p.x() - 1].size()) continue;
        TRHex& r = tabla[p.x() - 1][p.y() - 1];
        r.Hex = hex;
        r.Terreno = c.texto(fTerreno);
        r.Rio = ladosDeTexto(c.texto(fRio));
        r.Ria = ladosDeTexto(c.texto(fRia));
        r.Puente = ladosDeTexto(c.texto(fPuente));
        r.Vado = ladosDeTexto(c.texto(fVado));
        r.Camino = ladosDeTexto(c.texto(fCamino));
        r.Pos = p - QPoint(1, 1);
        if (!c.texto(fDatos).trimmed().isEmpty()) datos_.FijaNotas(hex, true);
    }
    return true;
}

void TMapa::leeAlias() {
    AliasPaises.fill(QString());
    for (const NacionMapa& n : datos_.Paises()) {
        const auto codigo = numero(n.codigo);
        if (codigo && *codigo >= 1 && *codigo <= 25) AliasPaises[*codigo] = n.alias;
    }
}

void TMapa::leeTurno() {
    QString error;
    if (!datos_.CargaTurno(dm_, turno_, error)) dm_.interaccion().aviso(error, mtError);
}

void TMapa::RellenarMapa() {
    CursorEspera espera(dm_.interaccion());
    dm_.interaccion().estado(QStringLiteral("Generando Mapa..."));
    QString error;
    if (!datos_.CargaPaises(dm_, error)) dm_.interaccion().aviso(error, mtError);
    leeAlias();
    if (!leeHexes(error)) dm_.interaccion().aviso(error, mtError);
    RellenarMarcaPaises();
    leeTurno();
    redibujaTodo();
    HexMap2.SetHexData(HexMap1.HexData());
    HexMap2.RedrawMap();
    refrescaConsultaPjs();
    dm_.interaccion().estado(QString());
}

void TMapa::refrescaConsultaPjs() {
    // The characters-by-name list follows the tables it was read from; an error is ignored.
    TConsulta* q = dm_.consulta(QStringLiteral("QPjs"));
    if (!q) return;
    const QString sello = selloFicheros(q->carpeta(), {QStringLiteral("Pjs.DB"), QStringLiteral("Paises.DB")});
    if (q->activa() && !sello.isEmpty() && sello == selloQPjs_) {
        // Neither file changed since it was read: opening it again would give the same rows, so
        // only what a new opening shows is done, the first row.
        dm_.interaccion().procesaEventos();
        q->primero();
        return;
    }
    if (q->activa()) q->cierra();
    dm_.interaccion().procesaEventos();
    selloQPjs_ = q->abre() ? sello : QString();
}

void TMapa::RellenarMarcaPaises() {
    TablaHex& tabla = *HexMap1.HexData();
    for (auto& columna : tabla)
        for (TRHex& r : columna) r.Marcas.fill(0);
    auto marca = [&tabla](int c, int f, int b, LadosHex lados) {
        if (c >= 0 && c < tabla.size() && f >= 0 && f < tabla[c].size()) tabla[c][f].Marcas[b] |= lados;
    };
    for (const NacionMapa& n : datos_.Paises()) {
        // Only "1", "2" and "3" are allegiances; anything else is shown with the others.
        const auto bando = numero(n.bando);
        const int b = bando && *bando >= 1 && *bando <= 3 ? *bando : 0;
        if (n.hexver.isEmpty()) continue;
        const QPoint h = THexMap::StrToHex(n.hexver);
        if (h.x() < 1 || h.y() < 1) continue;
        int c0 = h.x() - 1, r0 = h.y() - 1, c2 = c0 + 8, r2 = r0 + 12;
        if (c2 > 43) { c0 = 35; c2 = 43; }
        if (r2 > 38) { r0 = 26; r2 = 38; }
        for (int c = c0; c <= c2; ++c) {
            marca(c, r0, b, lado(ladoNE) | lado(ladoNO));
            marca(c, r2, b, lado(ladoSE) | lado(ladoSO));
        }
        bool completa = true;
        for (int f = r0; f <= r2; ++f, completa = !completa) {
            if (completa) {
                marca(c0, f, b, lado(ladoO) | lado(ladoNO) | lado(ladoSO));
                marca(c2, f, b, lado(ladoNE) | lado(ladoE) | lado(ladoSE));
            } else {
                marca(c0, f, b, lado(ladoO));
                marca(c2 - 1, f, b, lado(ladoE));
            }
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Redrawing

void TMapa::redibujaTodo() {
    avisado_ = false;
    HexMap1.RedrawMap();
}

void TMapa::Aplicar() {
    leeTurno();
    redibujaTodo();
}

void TMapa::FijaVerNum(bool si) {
    Opciones.verNum = si;
    RellenarMapa();
}

void TMapa::FijaVerIdPais(bool si) {
    Opciones.verIdPais = si;
    RellenarMapa();
}

bool TMapa::CambiaZoom(int indice, QString& error) { return FijaRadio(RadioDeZoom(indice), error); }

bool TMapa::FijaRadio(int radio, QString& error) {
    if (radio == HexMap1.HexRadius()) return true;
    if (!CargarBitmaps(error)) return false;
    Simbolos.Escala(radio / 30.0);
    leeTurno();
    avisado_ = false;
    HexMap1.SetHexRadius(radio);
    return true;
}

void TMapa::RedibujaHex(const QString& hex) {
    QString error;
    if (!datos_.RecargaHex(dm_, turno_, hex, error)) dm_.interaccion().aviso(error, mtError);
    avisado_ = false;
    HexMap1.RedrawHex(hex);
    HexMap2.RedrawHex(hex);
}

void TMapa::avisaError() {
    // One notice per redraw: a table with many faulty rows would otherwise ask once per hex.
    if (avisado_) return;
    avisado_ = true;
    dm_.interaccion().aviso(kErrorHex, mtError);
}

// ---------------------------------------------------------------------------------------------
// Drawing events

void TMapa::HexMap1FondoHex(QPainter& canvas, QPoint, QPoint hex) {
    const TablaHex& t = *HexMap1.HexData();
    if (hex.x() < 0 || hex.x() >= t.size() || hex.y() < 0 || hex.y() >= t[hex.x()].size()) return;
    // A hex without a usable terrain code keeps the grid's own fill.
    const auto terreno = numero(t[hex.x()][hex.y()].Terreno);
    if (!terreno || *terreno < 1 || *terreno > ColoresTerreno.size()) return;
    const QColor& c = ColoresTerreno[*terreno - 1];
    if (c.isValid()) canvas.setBrush(c);
}

void TMapa::HexMap2FondoHex(QPainter& canvas, QPoint p, QPoint hex) { HexMap1FondoHex(canvas, p, hex); }

QFont TMapa::fuente(int puntos) const {
    QFont f = HexMap1.Font();
    f.setPointSize(std::max(1, puntos));
    return f;
}

const TMapa::TextoPintado& TMapa::textoPintado(const QString& texto, int puntos) {
    const QFont& base = HexMap1.Font();
    if (base.key() != claveFuente_ || HexMap1.FontColor() != colorTextos_) {
        textos_.clear();
        claveFuente_ = base.key();
        colorTextos_ = HexMap1.FontColor();
    }
    const auto clave = qMakePair(puntos, texto);
    auto i = textos_.find(clave);
    if (i != textos_.end()) return *i;
    // Drawn once on a transparent picture with a margin for glyphs that overhang, at the
    // buffer's resolution, then copied wherever the same text goes.
    const QFont f = fuente(puntos);
    QImage medida(1, 1, QImage::Format_ARGB32_Premultiplied);
    medida.setDotsPerMeterX(HexMap1.Buffer().dotsPerMeterX());
    medida.setDotsPerMeterY(HexMap1.Buffer().dotsPerMeterY());
    const QFontMetrics fm(f, &medida);
    TextoPintado t;
    t.ancho = fm.horizontalAdvance(texto);
    t.alto = fm.height();
    t.imagen = QImage(t.ancho + 2 * kMargenTexto, t.alto, QImage::Format_ARGB32_Premultiplied);
    t.imagen.setDotsPerMeterX(medida.dotsPerMeterX());
    t.imagen.setDotsPerMeterY(medida.dotsPerMeterY());
    t.imagen.fill(Qt::transparent);
    {
        QPainter p(&t.imagen);
        p.setFont(f);
        p.setPen(HexMap1.FontColor());
        p.drawText(kMargenTexto, fm.ascent(), texto);
    }
    return *textos_.insert(clave, t);
}

void TMapa::escribe(QPainter& c, const TextoPintado& t, int izquierda, int arriba) {
    c.setCompositionMode(QPainter::CompositionMode_SourceOver);
    c.drawImage(izquierda - kMargenTexto, arriba, t.imagen);
}

void TMapa::HexMap1DibujaHex(QPainter& c, QPoint p, QPoint hex0) {
    TablaHex& tabla = *HexMap1.HexData();
    if (hex0.x() < 0 || hex0.x() >= tabla.size() || hex0.y() < 0 || hex0.y() >= tabla[hex0.x()].size()) return;
    TRHex& registro = tabla[hex0.x()][hex0.y()];
    const TRHex d = registro;
    const QString codigo = THexMap::HexToStr(hex0.x() + 1, hex0.y() + 1);
    const int x = p.x(), y = p.y();
    const int r = HexMap1.HexRadius();
    const int h = redondea(r / 2.0);
    const int w = redondea(std::sqrt(double(r) * r - (r / 2.0) * (r / 2.0)));
    const Geometria g{x, y, r, w, h};
    c.setBrush(Qt::NoBrush);

    // 1-2. Rivers and streams. (Pens are only made for what the hex has.)
    c.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (d.Rio) {
        c.setPen(pluma(kAzul, r / 10));
        dibujaLados(c, g, d.Rio);
    }
    if (d.Ria) {
        c.setPen(pluma(kAzul, r / 20));
        dibujaLados(c, g, d.Ria);
    }
    // 3. Roads, from the middle of the side to the centre.
    if (d.Camino) {
        c.setPen(pluma(kCamino, r / 5));
        for (Lado l : kOrdenLados)
            if (tieneLado(d.Camino, l)) c.drawLine(g.medio(l), QPoint(x, y));
    }
    // 4-5. Bridges and fords.
    if (d.Puente) {
        c.setPen(pluma(kPuente, r / 5));
        dibujaTrazos(c, g, d.Puente, w / 8);
    }
    if (d.Vado) {
        c.setPen(pluma(kVado, r / 5));
        dibujaTrazos(c, g, d.Vado, w / 8);
    }
    // 6. View-area borders of the allegiances asked for.
    for (int k = 0; k < 4; ++k) {
        if (!Opciones.ven[k] || d.Marcas[k] == 0) continue;
        c.setPen(pluma(kColoresVista[k], r / 10));
        dibujaLados(c, g, d.Marcas[k]);
    }
    // 7. Nation names, in the corner hex of their area.
    for (int k = 0; k < 4; ++k) {
        if (!Opciones.ven[k] || cuentaLados(d.Marcas[k]) <= 3) continue;
        if (const NacionMapa* n = datos_.PaisDeHexVer(codigo))
            escribe(c, textoPintado(n->nombre.toUpper(), redondea(5.0 * r / 30)), x - w + 1, y - w);
    }
    // 8. Population centre.
    if (!dibujaCentro(c, codigo, x, y, r, w, h, registro)) {
        avisaError();
        return;
    }
    // 9. Characters, one symbol per kind in a two-by-two block on the left.
    const int pjs = datos_.Personajes(codigo);
    const auto& m = Simbolos.BitmapsMapa;
    if (pjs & TDatosTurno::pjLibre) DibujaItem(m[TSimbolosMapa::smPer1], c, {x - w + 1, y - w / 2});
    if (pjs & TDatosTurno::pjOscuro) {
        const QImage& s = m[TSimbolosMapa::smPer2];
        DibujaItem(s, c, {x - w + 1, y - w / 2 + s.height() + 1});
    }
    if (pjs & TDatosTurno::pjNeutral) {
        const QImage& s = m[TSimbolosMapa::smPer3];
        DibujaItem(s, c, {x - w + 2 + s.width(), y - w / 2});
    }
    if (pjs & TDatosTurno::pjDesconocido) {
        const QImage& s = m[TSimbolosMapa::smPer];
        DibujaItem(s, c, {x - w + 2 + s.width(), y - w / 2 + s.height() + 1});
    }
    // 10. Armies.
    const int ejer = datos_.Ejercitos(codigo);
    if (ejer & TDatosTurno::ejLibre) {
        const QImage& s = m[TSimbolosMapa::smEjer1];
        DibujaItem(s, c, {x - w + 1, y + w / 2 - trunca(s.height() / 1.5)});
    }
    if (ejer & TDatosTurno::ejOscuro) {
        const QImage& s = m[TSimbolosMapa::smEjer2];
        DibujaItem(s, c, {x + w - 1 - s.width(), y + w / 2 - trunca(s.height() / 1.5)});
    }
    if (ejer & TDatosTurno::ejOtro) {
        const QImage& s = m[TSimbolosMapa::smEjer3];
        DibujaItem(s, c, {x - trunca(s.width() / 2.0), y + w - s.height()});
    }
    // 11. Artefact sighting, unless the hex's first one is of a later turn.
    const auto encuentro = datos_.PrimerEncuentro(codigo);
    if (encuentro && (encuentro->isEmpty() || *encuentro <= turno_))
        DibujaItem(m[TSimbolosMapa::smEnc], c, {x + trunca(w / 1.6), y - trunca(w / 2.5)});
    // 12. Notes.
    if (datos_.Notas(codigo)) DibujaItem(m[TSimbolosMapa::smInfo], c, {x + trunca(w / 2.0), y - trunca(w / 2.5)});
    // 13. Hex code.
    if (Opciones.verNum) {
        const int puntos = redondea(HexMap1.Font().pointSize() * r / 30.0);
        const TextoPintado& t = textoPintado(codigo, puntos);
        escribe(c, t, x - trunca(t.ancho / 2.0), y - h - trunca(t.alto / 2.0) + 2);
    }
}

bool TMapa::dibujaCentro(QPainter& c, const QString& codigo, int x, int y, int r, int w, int h, TRHex& registro) {
    // The dock of the centre drawn now; a hex without one has none, whatever was drawn before.
    registro.Muelle.clear();
    const CentroMapa* cp = datos_.Centro(codigo);
    if (!cp) return true;
    const auto& cenPob = Simbolos.BitmapsCenPob;
    auto& mapa = Simbolos.BitmapsMapa;
    if (cenPob.size() != TSimbolosMapa::kCenPob || mapa.size() != TSimbolosMapa::kMapa) return false;
    // 8.1 Capital.
    if (cp->capital) {
        const int a = r / 6;
        c.setPen(pluma(kCian, 1));
        c.setBrush(Qt::NoBrush);
        c.drawEllipse(QRect(QPoint(x - w + a, y - w + a), QPoint(x + w - a - 1, y + w - a - 1)));
    }
    // 8.2 Fortification, standing behind the centre.
    if (!cp->fortifica.isEmpty()) {
        const auto f = numero(cp->fortifica);
        if (!f || *f < 1 || *f > 5) return false;
        const QImage& s = mapa[*f];
        DibujaItem(s, c, {x - trunca(s.width() / 2.0), y - s.height() + 2});
    }
    // 8.3-8.4 The centre's symbol by size, allegiance and inheritance.
    if (cp->tipocp == QLatin1String("00")) {
        const QImage& s = cenPob[cp->heredado ? 21 : 0];
        DibujaItem(s, c, {x - trunca(s.width() / 2.0), y - trunca(s.height() / 2.0)});
    } else if (!cp->tipocp.isEmpty()) {
        const auto t = numero(cp->tipocp);
        if (!t || *t < 1 || *t > 5) return false;
        int b = 0;
        if (const NacionMapa* n = datos_.Pais(cp->pais); n && !n->bando.isEmpty()) {
            const auto bando = numero(n->bando);
            if (!bando) return false;
            // An allegiance other than 1 to 3 is not recorded: the plain symbols.
            if (*bando >= 1 && *bando <= 3) b = 5 * *bando;
        }
        const QImage& s = cenPob[*t + b + (cp->heredado ? 21 : 0)];
        if (cp->oculto) {
            mapa[TSimbolosMapa::smTrabajo] = s.mirrored(true, true);
            DibujaItem(mapa[TSimbolosMapa::smTrabajo], c,
                       {x - trunca(s.width() / 2.0), y - trunca(s.height() / 2.0) + 2});
        } else {
            DibujaItem(s, c, {x - trunca(s.width() / 2.0), y - trunca(s.height() / 2.0)});
        }
    }
    // 8.5 Docks.
    if (cp->muelles == QLatin1String("01") || cp->muelles == QLatin1String("02")) {
        registro.Muelle = cp->muelles;
        const QImage& s = mapa[cp->muelles == QLatin1String("01") ? TSimbolosMapa::smAncla1 : TSimbolosMapa::smAncla2];
        DibujaItem(s, c, {x - trunca(s.width() / 2.0), y - w});
    }
    // 8.6 The nation's alias under the centre.
    if (Opciones.verIdPais && !cp->pais.isEmpty()) {
        const auto p = numero(cp->pais);
        if (!p) return false;
        if (*p >= 1 && *p <= 25 && !AliasPaises[*p].isEmpty()) {
            const int puntos = redondea(5.0 * r / 30);
            const TextoPintado& t = textoPintado(AliasPaises[*p], puntos);
            escribe(c, t, x - trunca(t.ancho / 2.0), y + h - trunca(t.alto / 2.0) - 5);
        }
    }
    return true;
}

} // namespace kz
