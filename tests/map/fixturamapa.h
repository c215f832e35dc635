#pragma once
// A small game for the map tests: a temporary program folder with the symbol pictures, the
// rule tables created empty, nine terrains, and a game T001 whose Hex table holds every hex of
// the 44 x 39 map as "Llano" with no features. Tests add the rows they need.

#include "comun/carpetaprueba.h"
#include "comun/interaccionguion.h"
#include "database/tdm.h"

#include <QColor>

namespace kz::prueba {

struct FilaHex {
    FilaHex(QString hex_ = {}, QString terreno_ = QStringLiteral("04"), QString rio_ = {}, QString ria_ = {},
            QString puente_ = {}, QString vado_ = {}, QString camino_ = {}, QString datos_ = {})
        : hex(hex_), terreno(terreno_), rio(rio_), ria(ria_), puente(puente_), vado(vado_), camino(camino_),
          datos(datos_) {}
    QString hex, terreno, rio, ria, puente, vado, camino, datos;
};

struct FilaCentro {
    FilaCentro(QString turno_ = {}, QString hex_ = {}, QString pais_ = {}, QString tipocp_ = {},
               QString fortifica_ = {}, QString muelles_ = {}, bool capital_ = false, bool oculto_ = false,
               bool heredado_ = false)
        : turno(turno_), hex(hex_), pais(pais_), tipocp(tipocp_), fortifica(fortifica_), muelles(muelles_),
          capital(capital_), oculto(oculto_), heredado(heredado_) {}
    QString turno, hex, pais, tipocp, fortifica, muelles;
    bool capital, oculto, heredado;
};

class FixturaMapa {
public:
    static const QString kPartida;
    // Colours of the nine terrains, by code - 1.
    static QColor colorTerreno(int codigo);

    FixturaMapa();
    ~FixturaMapa();

    QString programa() const { return carpeta.ruta(); }
    QString partida() const { return carpeta.fichero(kPartida); }

    void hex(const FilaHex& f);
    void pais(const QString& codigo, const QString& nombre, const QString& alias, const QString& bando,
              const QString& hexver = {});
    void centro(const FilaCentro& f);
    void personaje(const QString& turno, const QString& codigo, const QString& hex, const QString& pais);
    void ejercito(const QString& turno, const QString& hex, const QString& codigo, const QString& bando,
                  const QString& pais);
    void avistamiento(const QString& codigo, const QString& hex, const QString& turno);
    void renombraPais(const QString& codigo, const QString& nombre);
    void terrenoColor(const QString& codigo, const QString& color);

    // A varied map for looking at: seas, coasts, forests, mountains, rivers, roads, nations,
    // centres of every size, characters, armies, sightings and notes in turn "001".
    void llenaEjemplo();

    CarpetaPrueba carpeta;
    InteraccionGuion ui;
    TDM dm;
};

} // namespace kz::prueba
