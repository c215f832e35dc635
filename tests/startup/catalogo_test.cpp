// The game catalogue: new game from its template, choosing a game, deleting a game.

#include "comun/carpetaprueba.h"
#include "comun/interaccionguion.h"
#include "guionesarranque.h"
#include "startup/catalogo.h"
#include "startup/tablasmapa.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {

void escribe(const QString& ruta, const QByteArray& datos) {
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(datos);
}

QByteArray lee(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Catalogos : public ::testing::Test {
protected:
    void SetUp() override {
        programa = carpeta.fichero(QStringLiteral("programa"));
        QDir().mkpath(programa);
        sesion.carpetaPrograma = programa;
        sesion.partida = QStringLiteral("T001");
        // Templates: plain files stand for the tables, so copies can be told apart.
        escribe(programa + QStringLiteral("/Cuarta/Hex.DB"), "hex cuarta");
        escribe(programa + QStringLiteral("/Cuarta/Pjs.DB"), "pjs cuarta");
        escribe(programa + QStringLiteral("/Tercera/CenPob.DB"), "cenpob tercera");
        escribe(programa + QStringLiteral("/Tercera/Paises.DB"), "paises tercera");
        escribe(programa + QStringLiteral("/Tercera/Otro.DB"), "no es de plantilla");
    }

    // Catalogue rows: code and turn; folders only where asked.
    void filas(const QList<QPair<QString, QString>>& partidas) {
        dm.fijaCarpetaPrograma(programa);
        ASSERT_TRUE(dm.Abrir(QStringLiteral("DSPartidas"), false, false));
        for (const auto& [codigo, turno] : partidas)
            ASSERT_TRUE(catalogo.partidas().insertaFila({codigo, QStringLiteral("N ") + codigo, codigo.left(1), turno}));
        dm.Cerrar(QStringLiteral("DSPartidas"));
    }
    QStringList codigos() {
        QStringList l;
        dm.fijaCarpetaPrograma(programa);
        dm.Abrir(QStringLiteral("DSPartidas"), false, false);
        TTabla& t = catalogo.partidas();
        for (t.primero(); !t.eof(); t.siguiente())
            l << t.texto(QStringLiteral("CODIGO")) + QLatin1Char('|') + t.texto(QStringLiteral("TIPO")) + QLatin1Char('|') +
                     t.texto(QStringLiteral("TURNO")) + QLatin1Char('|') + t.texto(QStringLiteral("NOMBRE"));
        dm.Cerrar(QStringLiteral("DSPartidas"));
        return l;
    }

    CarpetaPrueba carpeta;
    QString programa;
    InteraccionGuion ui;
    TDM dm{ui};
    Sesion sesion;
    VentanasGuion ventanas;
    VentanaGrabada principal;
    Catalogo catalogo{dm, sesion, ventanas, principal};
};

} // namespace

TEST_F(Catalogos, NuevaCuartaDesdeElNumeroSiete) {
    ventanas.nuevas << DatosNuevaPartida{QStringLiteral("7"), QStringLiteral("Cuarta"), true};
    catalogo.nueva();
    EXPECT_TRUE(ui.preguntas.isEmpty());
    EXPECT_EQ(codigos(), QStringList{"C007|C|000|Cuarta"});
    EXPECT_EQ(QDir(programa + QStringLiteral("/C007")).entryList(QDir::Files, QDir::Name), QStringList({"Hex.DB", "Pjs.DB"}));
    EXPECT_EQ(lee(programa + QStringLiteral("/C007/Hex.DB")), "hex cuarta");
    EXPECT_EQ(sesion.partida, QStringLiteral("T001"));   // the game in use does not change
    EXPECT_EQ(dm.aperturas(QStringLiteral("DSPartidas")), 0);
}

TEST_F(Catalogos, TyCConElMismoNumeroSonPartidasDistintas) {
    ventanas.nuevas << DatosNuevaPartida{QStringLiteral("007"), QString(), false}
                    << DatosNuevaPartida{QStringLiteral("007"), QString(), true};
    catalogo.nueva();
    catalogo.nueva();
    EXPECT_EQ(codigos(), QStringList({"C007|C|000|", "T007|T|000|"}));
    EXPECT_EQ(QDir(programa + QStringLiteral("/T007")).entryList(QDir::Files, QDir::Name), QStringList({"CenPob.DB", "Paises.DB"}));
}

TEST_F(Catalogos, MensajesDeNuevaPartidaQueNoCreanNada) {
    struct Caso { const char* numero; const char* texto; };
    filas({{QStringLiteral("T003"), QStringLiteral("000")}});
    const Caso casos[] = {{"", "Debe indicar el Numero de partida."},
                          {"  ", "Debe indicar el Numero de partida."},
                          {"3", "La partida ya existe"},
                          {"003", "La partida ya existe"}};
    for (const auto& c : casos) {
        ui.preguntas.clear();
        ventanas.nuevas << DatosNuevaPartida{QString::fromLatin1(c.numero), QStringLiteral("x"), false};
        catalogo.nueva();
        EXPECT_EQ(ui.textos(), QStringList{QString::fromUtf8(c.texto)}) << c.numero;
    }
    EXPECT_EQ(codigos(), QStringList{"T003|T|000|N T003"});
    EXPECT_FALSE(QFileInfo::exists(programa + QStringLiteral("/T003")));
    // Closed without "Aceptar": nothing at all.
    catalogo.nueva();
    EXPECT_EQ(codigos().size(), 1);
}

TEST_F(Catalogos, CarpetaQueYaExisteSeReutilizaSinPisarFicheros) {
    escribe(programa + QStringLiteral("/C008/Hex.DB"), "mi hex");
    ventanas.nuevas << DatosNuevaPartida{QStringLiteral("8"), QString(), true};
    catalogo.nueva();
    EXPECT_EQ(lee(programa + QStringLiteral("/C008/Hex.DB")), "mi hex");
    EXPECT_EQ(lee(programa + QStringLiteral("/C008/Pjs.DB")), "pjs cuarta");
    EXPECT_EQ(codigos(), QStringList{"C008|C|000|"});
}

TEST_F(Catalogos, ElegirEnArranqueReenlazaLasTablasDeLaPartida) {
    filas({{QStringLiteral("T001"), QStringLiteral("002")}, {QStringLiteral("T002"), QStringLiteral("004")}});
    QDir().mkpath(programa + QStringLiteral("/T002"));
    ventanas.eleccion = eligeFila(QStringLiteral("T002"));
    ASSERT_TRUE(catalogo.elige(true));
    EXPECT_EQ(sesion.partida, QStringLiteral("T002"));
    EXPECT_EQ(sesion.turno, QStringLiteral("004"));
    EXPECT_EQ(principal.panelPartida, QStringLiteral("T002"));
    EXPECT_EQ(principal.turnoActual, QStringLiteral("004"));
    for (const char* t : {"TCenPob", "THex", "TPjs2", "TArtef", "TUbiArtef"})
        EXPECT_EQ(dm.tabla(QString::fromLatin1(t))->carpeta(), programa + QStringLiteral("/T002")) << t;
    EXPECT_EQ(dm.tabla(QStringLiteral("TTerreno"))->carpeta(), programa);
    EXPECT_EQ(dm.aperturas(QStringLiteral("DSPartidas")), 0);
    EXPECT_FALSE(principal.llamadas.contains(QStringLiteral("mapa")));
}

TEST_F(Catalogos, ElegirDesdeElMenuReabreElMapaDeLaNuevaPartida) {
    filas({{QStringLiteral("T001"), QStringLiteral("000")}, {QStringLiteral("T002"), QStringLiteral("000")}});
    for (const char* c : {"/T001", "/T002"}) QDir().mkpath(programa + QString::fromLatin1(c));
    dm.fijaCarpetaPartida(programa + QStringLiteral("/T001"));
    ASSERT_TRUE(TablasMapa::abre(dm));
    QString cursorEnVentana;
    ventanas.eleccion = [&](Catalogo& c) {
        cursorEnVentana = c.partidas().texto(QStringLiteral("CODIGO"));
        return eligeFila(QStringLiteral("T002"))(c);
    };
    ASSERT_TRUE(catalogo.elige(false));
    EXPECT_EQ(cursorEnVentana, QStringLiteral("T001"));   // the window opens on the game in use
    EXPECT_TRUE(dm.tabla(QStringLiteral("TCenPob"))->activa());
    EXPECT_EQ(dm.tabla(QStringLiteral("TCenPob"))->carpeta(), programa + QStringLiteral("/T002"));
    EXPECT_EQ(dm.aperturas(QStringLiteral("DSCenPob")), 1);
    EXPECT_EQ(principal.turnos, QStringList({"000", "001"}));
    EXPECT_EQ(sesion.turno, QStringLiteral("001"));
    EXPECT_TRUE(principal.llamadas.contains(QStringLiteral("mapa")));
}

TEST_F(Catalogos, SalirSinElegirNoCambiaNada) {
    filas({{QStringLiteral("T002"), QStringLiteral("000")}});
    EXPECT_FALSE(catalogo.elige(true));
    EXPECT_EQ(sesion.partida, QStringLiteral("T001"));
    EXPECT_EQ(dm.aperturas(QStringLiteral("DSPartidas")), 0);
    EXPECT_TRUE(ui.preguntas.isEmpty());
}

TEST_F(Catalogos, SeleccionarEnCatalogoVacioLoExplica) {
    ventanas.eleccion = [](Catalogo& c) { return c.puedeSeleccionar(); };
    EXPECT_FALSE(catalogo.elige(true));
    EXPECT_EQ(ui.textos(), QStringList{"Debe seleccionar una Partida."});
}

TEST_F(Catalogos, EliminarRechazosYConfirmacion) {
    catalogo.elimina(QStringLiteral("T002"));
    EXPECT_EQ(ui.textos(), QStringList{"No hay Partidas para Eliminiar"});

    filas({{QStringLiteral("T001"), QStringLiteral("000")}, {QStringLiteral("T002"), QStringLiteral("000")}});
    ui.preguntas.clear();
    catalogo.elimina(QStringLiteral("T001"));
    EXPECT_EQ(ui.textos(), QStringList{"No se puede Eliminar la Partida Actual. Carge otro vuelva a intentar la operacion"});

    ui.preguntas.clear();
    ui.responde({mrNo});
    catalogo.elimina(QStringLiteral("T002"));
    ASSERT_EQ(ui.preguntas.size(), 1);
    EXPECT_EQ(ui.preguntas[0].texto, QStringLiteral("Eliminar la Partida supone la perdida TOTAL y PERMANENTE de todos "
                                                     "datos relacionados con ella.\r\n¿Seguro de desea eliminarla?"));
    EXPECT_EQ(ui.preguntas[0].tipo, mtAviso);
    EXPECT_EQ(ui.preguntas[0].botones, boton(mbSi) | boton(mbNo));
    EXPECT_EQ(ui.preguntas[0].defecto, mbNo);
    EXPECT_EQ(codigos().size(), 2);
}

TEST_F(Catalogos, EliminarConPdfsEnLaCarpetaDeInformes) {
    filas({{QStringLiteral("T002"), QStringLiteral("000")}});
    escribe(programa + QStringLiteral("/T002/Hex.DB"), "x");
    escribe(programa + QStringLiteral("/T002/sub/dentro/a.txt"), "x");
    const QString informes = programa + QStringLiteral("/Pdfs/T002");
    for (const char* f : {"t1.txt", "t1.err", "t1.pdf"}) escribe(informes + QLatin1Char('/') + QString::fromLatin1(f), "x");
    ui.responde({mrSi});
    catalogo.elimina(QStringLiteral("T002"));
    EXPECT_FALSE(QFileInfo::exists(programa + QStringLiteral("/T002")));
    EXPECT_EQ(QDir(informes).entryList(QDir::Files), QStringList{"t1.pdf"});
    ASSERT_EQ(ui.preguntas.size(), 2);
    EXPECT_EQ(ui.preguntas[1].texto, QStringLiteral("No se pudiero eliminar alguno de los directorios implicados:") +
                                         informes + QStringLiteral("\r\nSi lo desea puede eliminarlos manualmente."));
    EXPECT_TRUE(codigos().isEmpty());
    EXPECT_EQ(ui.nivelEspera, 0);
}

TEST_F(Catalogos, EliminarSinCarpetaDeInformesNoDiceNadaDeInformes) {
    filas({{QStringLiteral("T002"), QStringLiteral("000")}, {QStringLiteral("T003"), QStringLiteral("000")}});
    escribe(programa + QStringLiteral("/T002/Hex.DB"), "x");
    escribe(programa + QStringLiteral("/Pdfs/T003/t.txt"), "x");
    ui.responde({mrSi, mrSi});
    catalogo.elimina(QStringLiteral("T002"));
    EXPECT_EQ(ui.preguntas.size(), 1);
    // A game whose folder is already gone: the row goes and the folder is reported.
    catalogo.elimina(QStringLiteral("T003"));
    ASSERT_EQ(ui.preguntas.size(), 3);
    EXPECT_EQ(ui.preguntas[2].texto, QStringLiteral("No se pudiero eliminar alguno de los directorios implicados:") +
                                         programa + QStringLiteral("/T003\r\nSi lo desea puede eliminarlos manualmente."));
    EXPECT_FALSE(QFileInfo::exists(programa + QStringLiteral("/Pdfs/T003")));
}

TEST_F(Catalogos, BorrarCarpetaNoSigueEnlaces) {
    escribe(carpeta.fichero(QStringLiteral("fuera/valioso.txt")), "no tocar");
    escribe(programa + QStringLiteral("/T009/Hex.DB"), "x");
    ASSERT_TRUE(QFile::link(carpeta.fichero(QStringLiteral("fuera")), programa + QStringLiteral("/T009/enlace")));
    EXPECT_TRUE(Catalogo::borraCarpeta(programa + QStringLiteral("/T009")));
    EXPECT_FALSE(QFileInfo::exists(programa + QStringLiteral("/T009")));
    EXPECT_EQ(lee(carpeta.fichero(QStringLiteral("fuera/valioso.txt"))), "no tocar");
    EXPECT_FALSE(Catalogo::borraCarpeta(programa + QStringLiteral("/T404")));
}
