// The main window, "Nueva Partida" and "Elección de Partida", headless, with scripted answers.

#include "comun/aplicacionventanas.h"
#include "comun/carpetaprueba.h"
#include "comun/interaccionguion.h"
#include "startup/ajustes.h"
#include "startup/arranque.h"
#include "startup/guionesarranque.h"
#include "startup/ui/tfeleccionpartida.h"
#include "startup/ui/tfnuevapartida.h"
#include "startup/ui/tform1.h"
#include "framework/ui/tfpedirtexto.h"
#include "framework/ui/tmessageform.h"
#include "framework/ui/tprocessbox.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {

// Saves a picture of a window when KZ_CAPTURAS names a folder (for looking at the windows).
void captura(QWidget* w, const char* nombre) {
    const QString carpeta = qEnvironmentVariable("KZ_CAPTURAS");
    if (carpeta.isEmpty()) return;
    QDir().mkpath(carpeta);
    w->grab().save(QDir(carpeta).filePath(QString::fromLatin1(nombre) + QStringLiteral(".png")));
}

class Ventanas : public ::testing::Test {
protected:
    void SetUp() override {
        aplicacionVentanas();
        programa = carpeta.fichero(QStringLiteral("programa"));
        QDir().mkpath(programa);
        sesion.carpetaPrograma = programa;
        QSettings s(ini(), QSettings::IniFormat);
        s.setValue(Ajustes::kAyudaEmergente, 1);
        s.setValue(Ajustes::kPartidaPredeterminada, QStringLiteral("T001"));
        s.setValue(Ajustes::kVersion, QStringLiteral("2.3"));
    }
    QString ini() const { return carpeta.fichero(QStringLiteral("GestorVIRIZ.ini")); }

    void partida(const QString& codigo, const QString& nombre, int turnos) {
        dm.fijaCarpetaPrograma(programa);
        ASSERT_TRUE(dm.Abrir(QStringLiteral("DSPartidas"), false, false));
        ASSERT_TRUE(dm.tabla(QStringLiteral("TPartidas"))->insertaFila({codigo, nombre, codigo.left(1), QStringLiteral("000")}));
        dm.Cerrar(QStringLiteral("DSPartidas"));
        const QString c = QDir(programa).filePath(codigo);
        QDir().mkpath(c);
        dm.fijaCarpetaPartida(c);
        ASSERT_TRUE(dm.Abrir(QStringLiteral("DSCenPob"), false, false));
        for (int i = 0; i <= turnos; ++i)
            dm.tabla(QStringLiteral("TCenPob"))->insertaFila({QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("0101")});
        dm.CerrarTodas();
    }

    CarpetaPrueba carpeta;
    QString programa;
    InteraccionGuion ui;
    TDM dm{ui};
    Sesion sesion;
    VentanasGuion ventanas;
};

} // namespace

TEST_F(Ventanas, VentanaPrincipalAntesDelArranque) {
    TForm1 w(sesion, dm);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Gestor de VIRIZ"));
    EXPECT_FALSE(w.isEnabled());
    EXPECT_FALSE(w.menusActivos());
    const int anchos[] = {-1, 100, 35, 75, 75, 65, 35, 65};
    for (int i = 1; i < 8; ++i) EXPECT_EQ(w.panel(i)->width(), anchos[i]) << i;
    ASSERT_NE(w.panel(7), nullptr);
    EXPECT_EQ(w.panel(8), nullptr);
    EXPECT_EQ(w.panel(2)->alignment(), Qt::AlignCenter);
    EXPECT_EQ(w.panel(6)->text().size(), 5);   // hh:mm

    QStringList menus;
    for (QAction* a : w.menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, QStringList({"Aplicación", "Tablas", "Partidas", "Partida Activa", "Utilidades", "Ayuda"}));
    EXPECT_TRUE(w.accion(QStringLiteral("Salir"))->isVisible());
    EXPECT_EQ(w.accion(QStringLiteral("Salir"))->shortcut(), QKeySequence(Qt::Key_Escape));
    EXPECT_TRUE(w.accion(QStringLiteral("Seleccionar/Gestionar Partidas"))->isVisible());
    EXPECT_FALSE(w.accion(QStringLiteral("Personajes"))->isVisible());   // no screen connected yet

    struct Caso { bool lector, editor; };
    for (const Caso c : {Caso{false, false}, Caso{true, false}, Caso{false, true}, Caso{true, true}}) {
        w.muestraProgramas(c.lector, c.editor);
        EXPECT_EQ(w.accion(QStringLiteral("LectorKZ"))->isVisible(), c.lector);
        EXPECT_EQ(w.accion(QStringLiteral("Hacedor de Turnos"))->isVisible(), c.editor);
        EXPECT_EQ(w.separadorProgramas()->isVisible(), c.lector || c.editor);
    }

    // Only the commands of tag 3 follow the menu state.
    w.activaMenus(true);
    w.activaMenus(false);
    EXPECT_FALSE(w.accion(QStringLiteral("Nueva Partida"))->isEnabled());
    EXPECT_FALSE(w.accion(QStringLiteral("Salir"))->isEnabled());

    int llamadas = 0;
    w.conecta(QStringLiteral("Personajes"), [&] { ++llamadas; });
    EXPECT_TRUE(w.accion(QStringLiteral("Personajes"))->isVisible());
}

TEST_F(Ventanas, ArranqueHabilitaLaVentanaYSalirPreguntaSiempreGuardando) {
    partida(QStringLiteral("T001"), QStringLiteral("Primera"), 7);
    TForm1 w(sesion, dm);
    int dibujos = 0;
    w.alDibujarMapa = [&] { ++dibujos; };
    w.resize(900, 600);
    w.show();
    Ajustes ajustes(ini());
    Arranque a(dm, sesion, ajustes, w, ventanas);
    w.fijaArranque(&a);
    ASSERT_EQ(a.ejecuta({}), Arranque::Fin::Normal);
    EXPECT_TRUE(w.isEnabled());
    EXPECT_TRUE(w.menusActivos());
    EXPECT_EQ(w.panel(2)->text(), QStringLiteral("T001"));
    EXPECT_EQ(w.cbTurno()->count(), 8);
    EXPECT_EQ(w.cbTurno()->currentText(), QStringLiteral("007"));
    EXPECT_EQ(dibujos, 1);
    captura(&w, "ventana_principal");

    // Only a choice of the user changes the turn.
    w.cbTurno()->setCurrentIndex(3);
    EXPECT_EQ(sesion.turno, QStringLiteral("007"));
    QTest::keyClick(w.cbTurno(), Qt::Key_Up);
    EXPECT_EQ(dibujos, 2);
    EXPECT_EQ(sesion.turno, w.cbTurno()->currentText());

    QTest::mouseClick(w.botonRellenar(), Qt::LeftButton);
    EXPECT_EQ(sesion.turno, QStringLiteral("007"));
    EXPECT_EQ(dibujos, 3);

    sesion.turno = QStringLiteral("005");
    ui.responde({mrNo});
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(ui.preguntas.last().texto, QStringLiteral("¿Quiere Salir de la Aplicación?"));
    EXPECT_EQ(QSettings(ini(), QSettings::IniFormat).value(Ajustes::kTurno).toString(), QStringLiteral("005"));

    w.activaMenus(false);   // a data screen is open: no question at all
    const int preguntas = int(ui.preguntas.size());
    EXPECT_FALSE(w.close());
    EXPECT_EQ(ui.preguntas.size(), preguntas);
    w.activaMenus(true);

    ui.responde({mrSi});
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(dm.tabla(QStringLiteral("TCenPob"))->activa());
}

TEST_F(Ventanas, NuevaPartidaRellenaElNumeroAlSalirDeLaCaja) {
    TFNuevaPartida d;
    d.show();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Nueva Partida"));
    EXPECT_TRUE(d.tercera()->isChecked());
    EXPECT_EQ(d.numero()->maxLength(), 3);
    EXPECT_EQ(d.nombre()->maxLength(), 50);
    d.numero()->setFocus();
    QTest::keyClicks(d.numero(), QStringLiteral("7x"));
    EXPECT_EQ(d.numero()->text(), QStringLiteral("7"));
    QTest::mouseClick(d.cuarta(), Qt::LeftButton);
    QTest::keyClicks(d.nombre(), QStringLiteral("Cuarta de prueba"));
    d.nombre()->setFocus();
    QTest::keyClick(d.numero(), Qt::Key_Tab);
    emit d.numero()->editingFinished();
    EXPECT_EQ(d.numero()->text(), QStringLiteral("007"));
    captura(&d, "nueva_partida");
    QTest::mouseClick(d.aceptar(), Qt::LeftButton);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    const DatosNuevaPartida datos = d.datos();
    EXPECT_EQ(datos.numero, QStringLiteral("007"));
    EXPECT_TRUE(datos.cuarta);
    EXPECT_EQ(datos.nombre, QStringLiteral("Cuarta de prueba"));
}

TEST_F(Ventanas, EleccionDePartidaConSusBotones) {
    partida(QStringLiteral("T002"), QStringLiteral("Segunda"), 0);
    partida(QStringLiteral("C001"), QStringLiteral("Cuarta"), 0);
    QDir().mkpath(programa + QStringLiteral("/Tercera"));
    VentanaGrabada principal;
    sesion.partida = QStringLiteral("T002");
    Catalogo catalogo(dm, sesion, ventanas, principal);
    dm.fijaCarpetaPrograma(programa);
    ASSERT_TRUE(dm.Abrir(QStringLiteral("DSPartidas"), false, false));
    catalogo.partidas().buscaClave({QStringLiteral("T002")});
    {
        TFEleccionPartida d(catalogo);
        d.show();
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Elección de Partida"));
        EXPECT_TRUE(d.seleccionar()->isDefault());
        ASSERT_EQ(d.rejilla()->rowCount(), 2);
        EXPECT_EQ(d.rejilla()->item(0, 0)->text(), QStringLiteral("C001"));
        EXPECT_EQ(d.rejilla()->item(1, 1)->text(), QStringLiteral("Segunda"));
        EXPECT_EQ(d.codigoActual(), QStringLiteral("T002"));

        ventanas.nuevas << DatosNuevaPartida{QStringLiteral("9"), QStringLiteral("Novena"), false};
        QTest::mouseClick(d.nueva(), Qt::LeftButton);
        ASSERT_EQ(d.rejilla()->rowCount(), 3);
        EXPECT_EQ(d.rejilla()->item(2, 0)->text(), QStringLiteral("T009"));
        captura(&d, "eleccion_partida");

        d.rejilla()->setCurrentCell(0, 0);
        ui.responde({mrSi});
        QTest::mouseClick(d.eliminar(), Qt::LeftButton);
        EXPECT_EQ(d.rejilla()->rowCount(), 2);
        EXPECT_FALSE(QFileInfo::exists(programa + QStringLiteral("/C001")));

        d.rejilla()->setCurrentCell(1, 0);
        QTest::mouseClick(d.seleccionar(), Qt::LeftButton);
        EXPECT_EQ(d.result(), QDialog::Accepted);
        EXPECT_EQ(catalogo.partidas().texto(QStringLiteral("CODIGO")), QStringLiteral("T009"));
    }
    // On an empty catalogue "Seleccionar" only explains.
    for (const char* c : {"T002", "T009"}) ASSERT_TRUE(catalogo.partidas().buscaClave({QString::fromLatin1(c)}) && catalogo.partidas().borra());
    TFEleccionPartida vacia(catalogo);
    vacia.show();
    QTest::mouseClick(vacia.seleccionar(), Qt::LeftButton);
    EXPECT_TRUE(vacia.isVisible());
    EXPECT_EQ(ui.preguntas.last().texto, QStringLiteral("Debe seleccionar una Partida."));
    dm.Cerrar(QStringLiteral("DSPartidas"));
}

TEST_F(Ventanas, CapturasDeLasCajas) {
    if (qEnvironmentVariable("KZ_CAPTURAS").isEmpty()) GTEST_SKIP() << "sin KZ_CAPTURAS";
    TMessageForm m(QStringLiteral("Eliminar la Partida supone la perdida TOTAL y PERMANENTE de todos datos relacionados "
                                  "con ella.\r\n¿Seguro de desea eliminarla?"),
                   mtAviso, boton(mbSi) | boton(mbNo), 0, mbNo);
    m.show();
    captura(&m, "mensaje");
    TFPedirTexto p(QStringLiteral("Validación"), QStringLiteral("Contraseña:"), QStringLiteral("secreto"), true);
    p.show();
    captura(&p, "pedir_texto");
    TProcessBox caja;
    caja.fijaAvi(CarpetaPrueba::programaConstruido() + QStringLiteral("/Pcojo.gif"));
    caja.fijaTexto(QStringLiteral("Personajes"));
    caja.fijaTexto2(QStringLiteral("01234"));
    caja.fijaBarra(1, true, 0, 13, 1);
    caja.fijaPosicion(1, 5);
    caja.fijaBarra(2, true, 0, 100, 1);
    caja.fijaPosicion(2, 40);
    caja.mostrar();
    QTest::qWait(200);
    captura(caja.ventana(), "proceso");
    caja.ocultar();
}

// The questions of the start-up come while the main window is still disabled.
TEST_F(Ventanas, LasPreguntasDelArranqueSeContestanConLaVentanaDeshabilitada) {
    TForm1 w(sesion, dm);
    w.show();
    w.activateWindow();
    bool habilitada = false;
    alAbrirseModal([&](QWidget* caja) {
        habilitada = caja->isEnabled() && caja->findChild<QPushButton*>(QStringLiteral("Si"))->isEnabled();
        QTest::mouseClick(caja->findChild<QPushButton*>(QStringLiteral("Si")), Qt::LeftButton);
    });
    EXPECT_EQ(MensajeDlg(QStringLiteral("¿Desea Continuar?"), mtAviso, boton(mbSi) | boton(mbNo), 0, mbNo), mrSi);
    EXPECT_TRUE(habilitada);
}
