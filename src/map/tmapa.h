#pragma once
// TMapa: the drawing of the game's map for the current game and turn.
//
// It owns the two hex grids of the map window, HexMap1 (the full map) and HexMap2 (the minimap,
// which shares HexMap1's records), the symbol pictures, the terrain colours and the nation
// aliases, and answers the grids' drawing events: the terrain colour of each hex and, on the
// full map, rivers, streams, roads, bridges, fords, view-area borders and names, the population
// centre, characters, armies, sightings, notes and the hex code, in that order.
//
// The rows of the turn are read in a few passes before a full redraw (TDatosTurno); drawing a
// hex never queries a table. Every status text and message goes through the data module's
// Interaccion.

#include "tdatosturno.h"
#include "thexmap.h"
#include "tsimbolosmapa.h"

#include <QHash>
#include <array>

namespace kz {

// The display options of the tool bar.
struct OpcionesMapa {
    bool verNum = true;        // "Ver Num"
    bool verIdPais = true;     // "Ver Id Pais"
    // "¿Que ven?": [0] "Otros", [1] "Libres", [2] "Oscuros", [3] "Neutrales".
    std::array<bool, 4> ven{};
};

class TMapa {
public:
    TMapa(TDM& dm, const QString& carpetaPrograma);
    TMapa(const TMapa&) = delete;
    TMapa& operator=(const TMapa&) = delete;

    static const QString kErrorHex;
    // Items of the zoom list and the radius each one asks for.
    static QStringList ElementosZoom();
    static int RadioDeZoom(int indice);
    static constexpr int kZoomInicial = 3;   // "100%"

    THexMap HexMap1;
    THexMap HexMap2;
    TSimbolosMapa Simbolos;
    QVector<QColor> ColoresTerreno;          // at terrain code - 1
    std::array<QString, 26> AliasPaises;     // at nation code 1 to 25
    OpcionesMapa Opciones;

    const QString& Turno() const { return turno_; }
    void FijaTurno(const QString& turno) { turno_ = turno; }
    const TDatosTurno& Datos() const { return datos_; }

    // Start-up: terrain colours, symbols, and the map filled and drawn. False with the message
    // when the symbols cannot be loaded; the map is then not drawn.
    bool Arranca(QString& error);
    bool CargarBitmaps(QString& error);
    // False with the message when a terrain's colour is not a colour; that terrain keeps the
    // grid's own fill.
    bool ActualizaTerrenos(QString& error);
    void RellenarMapa();
    void RellenarMarcaPaises();

    // The grids' handlers.
    void HexMap1FondoHex(QPainter& canvas, QPoint p, QPoint hex);
    void HexMap2FondoHex(QPainter& canvas, QPoint p, QPoint hex);
    void HexMap1DibujaHex(QPainter& canvas, QPoint p, QPoint hex);
    static void DibujaItem(const QImage& simbolo, QPainter& canvas, QPoint arribaIzquierda) {
        TSimbolosMapa::DibujaItem(simbolo, canvas, arribaIzquierda);
    }

    // "Aplicar": the map drawn again with the current options and rows.
    void Aplicar();
    // "Ver Num" and "Ver Id Pais" fill the map again, as their clicks do.
    void FijaVerNum(bool si);
    void FijaVerIdPais(bool si);
    // Zoom list: the item's radius, or 30 for any other index.
    bool CambiaZoom(int indice, QString& error);
    // The zoom to any radius: symbols reloaded and scaled by radio / 30, the map redrawn.
    bool FijaRadio(int radio, QString& error);
    // One hex drawn again after its rows changed.
    void RedibujaHex(const QString& hex);
    // "Exportar Mapa": the full map's picture written to a file.
    bool ExportarMapa(const QString& fichero, QString& error) const { return HexMap1.SaveMap(fichero, error); }

private:
    bool leeHexes(QString& error);
    void leeAlias();
    void leeTurno();
    void refrescaConsultaPjs();
    void redibujaTodo();
    bool dibujaCentro(QPainter& c, const QString& codigo, int x, int y, int r, int w, int h, TRHex& registro);
    // A text of the map in the grid's font at a size, with its width and height.
    struct TextoPintado {
        QImage imagen;
        int ancho = 0, alto = 0;
    };
    static constexpr int kMargenTexto = 2;
    const TextoPintado& textoPintado(const QString& texto, int puntos);
    static void escribe(QPainter& c, const TextoPintado& t, int izquierda, int arriba);
    void avisaError();
    QFont fuente(int puntos) const;

    TDM& dm_;
    QString carpetaPrograma_;
    QString turno_;
    TDatosTurno datos_;
    bool avisado_ = false;
    QString selloQPjs_;
    // Texts already drawn, by size and text: the same codes are written at every redraw.
    QHash<QPair<int, QString>, TextoPintado> textos_;
    QString claveFuente_;
    QColor colorTextos_;   // files of the characters-by-name query when it was last opened
};

} // namespace kz
