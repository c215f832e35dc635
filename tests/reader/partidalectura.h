#pragma once
// A program folder for reading reports in tests: the rule tables hold the rows of
// tests/data/lector/reglas, the catalogue lists the given games and each game's tables exist,
// created through the data module as the main program creates them when a game is opened.

#include "comun/carpetaprueba.h"
#include "comun/interaccionguion.h"
#include "database/tdm.h"
#include "reader/lectorturno.h"

#include <QStringList>
#include <functional>
#include <memory>

namespace kz::prueba {

class PartidaLectura {
public:
    explicit PartidaLectura(const QStringList& partidas = {QStringLiteral("T123"), QStringLiteral("C045")});
    ~PartidaLectura();

    QString base() const { return carpeta_.ruta(); }
    bool preparada() const { return preparada_; }
    const QString& error() const { return error_; }

    // Reads a report given as text lines, or a file of tests/data/lector.
    bool lee(const QStringList& lineas);
    bool leeFichero(const QString& nombre);
    const QStringList& log() const { return lector_->log(); }
    LectorTurno& lector() { return *lector_; }

    // The table of a game (or of the program folder when `partida` is empty) in the dump format.
    QStringList volcado(const QString& fuente, const QString& partida);
    // Lines of a file of tests/data/lector.
    static QStringList esperado(const QString& nombre);
    // Changes rows of a game's table, then closes it.
    void modifica(const QString& fuente, const QString& partida, const std::function<void(TTabla&)>& cambio);

    InteraccionGuion ui;
    TDM dm{ui};

private:
    // Builds the folder once per test program; every test works on its own copy of it.
    static bool prepara(const QString& carpeta, const QStringList& partidas, QString& error);

    CarpetaPrueba carpeta_;
    std::unique_ptr<LectorTurno> lector_;
    bool preparada_ = false;
    QString error_;
};

// A minimal report: the header of game 123, nation 07, turn 12 (allegiance "Un Pueblo Libre"),
// then the given lines. The dash of the header is "-". Unless the body brings its own, the
// empty combat reports and special messages come before the body.
QStringList InformeMinimo(const QStringList& cuerpo, const QString& turno = QStringLiteral("12"),
                          const QString& quinta = QStringLiteral("Tercera Edad - Juego por correo"));

} // namespace kz::prueba
