// The start-up sequence of GestorKZ and its closing question, with scripted answers.

#include "comun/carpetaprueba.h"
#include "comun/interaccionguion.h"
#include "database/diccionario.h"
#include "guionesarranque.h"
#include "startup/ajustes.h"
#include "startup/arranque.h"
#include "startup/lineaordenes.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {

const QString kPreguntaVersion = QStringLiteral(
    "Detectado CAMBIO de VERSION DEL PROGRAMA.\rPara un correcto funcionamiento debe realizarse un proceso que revisa "
    "las estructuras de las tablas y las reconstruye. \rEn este proceso se MANIPULAN DATOS, por lo tanto es "
    "recomendable realizar una copia de seguridad de los mismos antes de realizarlo. \r¿Desea Continuar?");
const QString kPreguntaPedida = QStringLiteral(
    "Esta opción revisa las estructuras de las tablas y las reconstruye. \rEn este proceso se MANIPULAN DATOS, por "
    "lo tanto es recomendable realizar una copia de seguridad de los mismos antes de realizarlo. \r¿Desea Continuar?");

class Inicio : public ::testing::Test {
protected:
    QString ini() const { return carpeta.fichero(QStringLiteral("config/Varnel/GestorVIRIZ.ini")); }
    QString programa() const { return carpeta.fichero(QStringLiteral("programa")); }

    void SetUp() override {
        QDir().mkpath(programa());
        sesion.carpetaPrograma = programa();
    }

    // Settings of a machine that already ran this version.
    void ajustesVistos(const QString& partida, const QString& turno = QStringLiteral("099")) {
        QDir().mkpath(QFileInfo(ini()).absolutePath());
        QSettings s(ini(), QSettings::IniFormat);
        s.setValue(Ajustes::kAyudaEmergente, 0);
        s.setValue(Ajustes::kBusquedaEstandar, 1);
        s.setValue(Ajustes::kResaltoActivo, 1);
        s.setValue(Ajustes::kResaltoColor, 255);
        s.setValue(Ajustes::kPartidaPredeterminada, partida);
        s.setValue(Ajustes::kTurno, turno);
        s.setValue(Ajustes::kVersion, QStringLiteral("2.3"));
    }

    // A game in the catalogue, optionally with its folder and centres up to a turn.
    void partida(const QString& codigo, const QString& turno, bool conCarpeta, int ultimoTurno = -1) {
        InteraccionGuion ui2;
        TDM dm2(ui2);
        dm2.fijaCarpetaPrograma(programa());
        ASSERT_TRUE(dm2.Abrir(QStringLiteral("DSPartidas"), false, false));
        TTabla& t = *dm2.tabla(QStringLiteral("TPartidas"));
        ASSERT_TRUE(t.insertaFila({codigo, QStringLiteral("Partida ") + codigo, codigo.left(1), turno}));
        dm2.Cerrar(QStringLiteral("DSPartidas"));
        if (!conCarpeta) return;
        const QString c = QDir(programa()).filePath(codigo);
        QDir().mkpath(c);
        dm2.fijaCarpetaPartida(c);
        ASSERT_TRUE(dm2.Abrir(QStringLiteral("DSCenPob"), false, false));
        for (int i = 0; i <= ultimoTurno; ++i)
            ASSERT_TRUE(dm2.tabla(QStringLiteral("TCenPob"))->insertaFila({QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("0101")}));
        dm2.CerrarTodas();
    }

    QVariant valor(const QString& nombre) { return QSettings(ini(), QSettings::IniFormat).value(nombre); }

    Arranque::Fin arranca(const QStringList& args) {
        Ajustes ajustes(ini());
        Arranque a(dm, sesion, ajustes, ventana, ventanas);
        return a.ejecuta(args);
    }

    CarpetaPrueba carpeta;
    InteraccionGuion ui;
    TDM dm{ui};
    Sesion sesion;
    VentanaGrabada ventana;
    VentanasGuion ventanas;
};

} // namespace

TEST(LineaOrdenesGestor, TablaDeArgumentos) {
    struct Caso { QStringList args; bool reconstruir; const char* partida; };
    const Caso casos[] = {
        {{}, false, ""},
        {{"RTABLAS"}, true, ""},
        {{"rtablas"}, true, ""},
        {{"T012"}, false, "T012"},
        {{"t012"}, false, "t012"},
        {{"RTABLAS", "T012"}, true, "T012"},
        {{"T012", "RTABLAS"}, false, ""},
        {{"RTABLAS", "T012", "x"}, false, ""},
    };
    for (const auto& c : casos) {
        LineaOrdenes l(c.args);
        EXPECT_EQ(l.reconstruir(), c.reconstruir) << c.args.join(' ').toStdString();
        EXPECT_EQ(l.partida(), QString::fromLatin1(c.partida)) << c.args.join(' ').toStdString();
    }
}

TEST_F(Inicio, PrimeraEjecucionEscribeDefectosYReconstruye) {
    ui.responde({mrSi});
    EXPECT_EQ(arranca({}), Arranque::Fin::Terminar);
    ASSERT_EQ(ui.textos(), QStringList({kPreguntaVersion, Arranque::kTextoReconstruccion}));
    EXPECT_EQ(ui.preguntas[1].tipo, mtPersonal);
    EXPECT_EQ(ui.preguntas[1].botones, boton(mbOK));
    EXPECT_EQ(valor(Ajustes::kAyudaEmergente).toInt(), 1);
    EXPECT_EQ(valor(Ajustes::kBusquedaEstandar).toInt(), 1);
    EXPECT_EQ(valor(Ajustes::kResaltoActivo).toInt(), 1);
    EXPECT_EQ(valor(Ajustes::kResaltoColor).toInt(), 4227327);
    EXPECT_EQ(valor(Ajustes::kPartidaPredeterminada).toString(), QString());
    EXPECT_EQ(valor(Ajustes::kTurno).toString(), QString());
    EXPECT_EQ(valor(Ajustes::kVersion).toString(), QStringLiteral("2.3"));
    EXPECT_TRUE(QFileInfo::exists(QDir(programa()).filePath(QStringLiteral("Partidas.DB"))));
    EXPECT_FALSE(ventana.habilitada);
}

TEST_F(Inicio, ReconstruccionRechazadaNoEscribeVersionYSeVuelveAPreguntar) {
    ui.responde({mrNo, mrNo});
    EXPECT_EQ(arranca({}), Arranque::Fin::Terminar);
    EXPECT_EQ(arranca({}), Arranque::Fin::Terminar);
    EXPECT_EQ(ui.textos(), QStringList({kPreguntaVersion, kPreguntaVersion}));
    EXPECT_EQ(valor(Ajustes::kVersion).toString(), QString());
    EXPECT_FALSE(ventana.habilitada);
}

TEST_F(Inicio, RtablasConVersionAlDiaUsaElTextoPedido) {
    for (const char* arg : {"RTABLAS", "rtablas"}) {
        ajustesVistos(QStringLiteral("T001"));
        ui.preguntas.clear();
        ui.responde({mrSi});
        EXPECT_EQ(arranca({QString::fromLatin1(arg)}), Arranque::Fin::Terminar) << arg;
        EXPECT_EQ(ui.textos(), QStringList({kPreguntaPedida, Arranque::kTextoReconstruccion})) << arg;
        EXPECT_EQ(valor(Ajustes::kVersion).toString(), QStringLiteral("2.3"));
    }
}

TEST_F(Inicio, RtablasConPartidaCambiaLaPredeterminadaYReconstruyeTodas) {
    ajustesVistos(QStringLiteral("T001"));
    partida(QStringLiteral("T001"), QStringLiteral("000"), true);
    partida(QStringLiteral("T012"), QStringLiteral("000"), true);
    ui.responde({mrSi});
    EXPECT_EQ(arranca({QStringLiteral("RTABLAS"), QStringLiteral("T012")}), Arranque::Fin::Terminar);
    EXPECT_EQ(sesion.partida, QStringLiteral("T012"));
    for (const char* c : {"T001", "T012"})
        EXPECT_TRUE(QFileInfo::exists(QDir(programa()).filePath(QString::fromLatin1(c) + "/Hex.DB"))) << c;
    EXPECT_EQ(valor(Ajustes::kPartidaPredeterminada).toString(), QStringLiteral("T001"));
}

TEST_F(Inicio, ArranqueNormalDejaLaVentanaLista) {
    ajustesVistos(QStringLiteral("T001"), QStringLiteral("099"));
    partida(QStringLiteral("T001"), QStringLiteral("004"), true, 12);
    QFile f(QDir(programa()).filePath(QStringLiteral("lectorkz")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(arranca({}), Arranque::Fin::Normal);
    EXPECT_TRUE(ui.preguntas.isEmpty());
    EXPECT_TRUE(ventana.lector);
    EXPECT_FALSE(ventana.editor);
    EXPECT_EQ(ventana.panelPartida, QStringLiteral("T001"));
    EXPECT_EQ(ventana.turnos.size(), 13);
    EXPECT_EQ(ventana.turnos.first(), QStringLiteral("000"));
    EXPECT_EQ(ventana.turnoActual, QStringLiteral("012"));
    EXPECT_EQ(sesion.turno, QStringLiteral("012"));   // neither the stored 099 nor the catalogue's 004
    EXPECT_EQ(ventana.ayuda, QList<bool>({false, true}));
    EXPECT_EQ(ventana.menus, QList<bool>({true}));
    EXPECT_TRUE(ventana.llamadas.contains(QStringLiteral("mapa")));
    EXPECT_TRUE(ventana.habilitada);
    EXPECT_TRUE(sesion.arranqueTerminado);
    EXPECT_EQ(sesion.resaltoColor, 255);
    for (const QString& f : Diccionario::grupoReferencia() + Diccionario::grupoPartida())
        EXPECT_TRUE(dm.tabla(f)->activa()) << f.toStdString();
    EXPECT_TRUE(dm.tabla(QStringLiteral("TPjs2"))->activa());
    EXPECT_EQ(dm.tabla(QStringLiteral("TPjs3"))->nombreIndice(), QStringLiteral("TURNOHEX"));
    EXPECT_EQ(dm.tabla(QStringLiteral("TCenPob"))->carpeta(), QDir(programa()).filePath(QStringLiteral("T001")));
    EXPECT_FALSE(dm.tabla(QStringLiteral("TPartidas"))->activa());
}

TEST_F(Inicio, JuegoVacioTieneLosTurnosCeroYUno) {
    ajustesVistos(QStringLiteral("T001"));
    partida(QStringLiteral("T001"), QStringLiteral("000"), true);
    EXPECT_EQ(arranca({}), Arranque::Fin::Normal);
    EXPECT_EQ(ventana.turnos, QStringList({"000", "001"}));
    EXPECT_EQ(sesion.turno, QStringLiteral("001"));
}

TEST_F(Inicio, CodigoEnOtraCajaNoSeEncuentra) {
    ajustesVistos(QStringLiteral("T001"));
    partida(QStringLiteral("T001"), QStringLiteral("000"), true);
    EXPECT_EQ(arranca({QStringLiteral("t001")}), Arranque::Fin::Terminar);
    EXPECT_EQ(ui.textos(), QStringList{Arranque::kTextoNoExiste});
    EXPECT_EQ(ui.preguntas[0].tipo, mtAviso);
    EXPECT_EQ(ventanas.elecciones, 1);
    EXPECT_FALSE(ventana.habilitada);
}

TEST_F(Inicio, CarpetaBorradaAMano) {
    ajustesVistos(QStringLiteral("T001"));
    partida(QStringLiteral("T001"), QStringLiteral("000"), false);
    partida(QStringLiteral("T002"), QStringLiteral("003"), true, 3);
    ventanas.eleccion = eligeFila(QStringLiteral("T002"));
    EXPECT_EQ(arranca({}), Arranque::Fin::Normal);
    EXPECT_EQ(ui.textos(), QStringList{Arranque::kTextoSinCarpeta});
    EXPECT_EQ(sesion.partida, QStringLiteral("T002"));
    EXPECT_EQ(valor(Ajustes::kPartidaPredeterminada).toString(), QStringLiteral("T002"));
    EXPECT_EQ(ventana.panelPartida, QStringLiteral("T002"));
    EXPECT_TRUE(ventana.habilitada);
}

TEST_F(Inicio, AjustesDeSoloLecturaSonComoUnaClaveInaccesible) {
    ajustesVistos(QStringLiteral("T001"));
    partida(QStringLiteral("T001"), QStringLiteral("000"), true);
    QFile::setPermissions(ini(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const QByteArray antes = [&] { QFile f(ini()); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    EXPECT_EQ(arranca({}), Arranque::Fin::Terminar);
    // Nothing read: no default game, so it "no longer exists"; no version rebuild either.
    EXPECT_EQ(ui.textos(), QStringList{Arranque::kTextoNoExiste});
    EXPECT_FALSE(sesion.resaltoActivo);
    EXPECT_EQ(sesion.resaltoColor, 0);
    QFile f(ini());
    f.open(QIODevice::ReadOnly);
    EXPECT_EQ(f.readAll(), antes);
}

TEST_F(Inicio, ClaveInaccesibleConPartidaEnLaLinea) {
    // The settings' folder is a file: the key can never be opened.
    QFile bloqueo(carpeta.fichero(QStringLiteral("config")));
    ASSERT_TRUE(bloqueo.open(QIODevice::WriteOnly));
    bloqueo.close();
    partida(QStringLiteral("T001"), QStringLiteral("000"), true);
    EXPECT_EQ(arranca({QStringLiteral("T001")}), Arranque::Fin::Normal);
    EXPECT_TRUE(ui.preguntas.isEmpty());
    EXPECT_EQ(sesion.partida, QStringLiteral("T001"));
}

TEST_F(Inicio, PreguntaDeSalidaGuardaPartidaYTurnoSiempre) {
    ajustesVistos(QString());
    partida(QStringLiteral("T001"), QStringLiteral("000"), true, 5);
    Ajustes ajustes(ini());
    Arranque a(dm, sesion, ajustes, ventana, ventanas);
    ASSERT_EQ(a.ejecuta({QStringLiteral("T001")}), Arranque::Fin::Normal);
    sesion.turno = QStringLiteral("003");
    ui.responde({mrNo});
    EXPECT_FALSE(a.preguntaSalir());
    EXPECT_EQ(ui.preguntas.last().texto, Arranque::kTextoSalir);
    EXPECT_EQ(ui.preguntas.last().tipo, mtConfirmacion);
    EXPECT_EQ(ui.preguntas.last().defecto, mbNo);
    EXPECT_EQ(valor(Ajustes::kPartidaPredeterminada).toString(), QStringLiteral("T001"));
    EXPECT_EQ(valor(Ajustes::kTurno).toString(), QStringLiteral("003"));
    EXPECT_TRUE(dm.tabla(QStringLiteral("THex"))->activa());

    sesion.turno = QStringLiteral("004");
    ui.responde({mrSi});
    EXPECT_TRUE(a.preguntaSalir());
    EXPECT_EQ(valor(Ajustes::kTurno).toString(), QStringLiteral("004"));
    EXPECT_FALSE(dm.tabla(QStringLiteral("THex"))->activa());
    EXPECT_FALSE(dm.tabla(QStringLiteral("TTerreno"))->activa());
}
