#include "comun/carpetaprueba.h"
#include "comun/interaccionguion.h"
#include "database/carpetaprograma.h"
#include "exchange/ui/tfexportar.h"
#include "exchange/ui/tfheredar.h"
#include "exchange/ui/tfimportar.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {

QApplication& aplicacion() {
    static int argc = 1;
    static char nombre[] = "test_exchange_ui";
    static char* argv[] = {nombre, nullptr};
    static QApplication app(argc, argv);
    return app;
}

// A program folder with the catalogue and the game T012 in use.
class Ventanas : public ::testing::Test {
protected:
    CarpetaPrueba carpeta;
    InteraccionGuion ui;
    TDM dm{ui};

    void SetUp() override {
        aplicacion();
        dm.fijaCarpetaPrograma(carpeta.ruta());
        QDir().mkpath(carpetaPartida(carpeta.ruta(), QStringLiteral("T012")));
        dm.fijaCarpetaPartida(carpetaPartida(carpeta.ruta(), QStringLiteral("T012")));
        inserta(QStringLiteral("DSPartidas"), {{"CODIGO", "T012"}});
    }
    void inserta(const QString& fuente, const QVariantMap& v) {
        ASSERT_TRUE(dm.Abrir(fuente, false, false));
        TTabla& t = *dm.tabla(fuente);
        ASSERT_TRUE(t.anade());
        for (auto it = v.begin(); it != v.end(); ++it) ASSERT_TRUE(t.fija(it.key(), it.value()));
        ASSERT_TRUE(t.graba());
        dm.Cerrar(fuente);
    }
    int filas(const QString& fuente) {
        EXPECT_TRUE(dm.Abrir(fuente, false, false));
        const int n = dm.tabla(fuente)->numeroRegistros();
        dm.Cerrar(fuente);
        return n;
    }
};

} // namespace

TEST_F(Ventanas, ExportarMuestraElNombreCreceConErroresYCierraAceptada) {
    inserta(QStringLiteral("DSCenPob"), {{"TURNO", "015"}, {"HEX", "1010"}});
    TFExportar v(dm, QStringLiteral("T012"));
    ASSERT_TRUE(v.prepara());
    EXPECT_EQ(v.windowTitle(), QStringLiteral("Exportar Datos Partida Activa"));
    EXPECT_EQ(v.panel()->text(), QStringLiteral("/Exportar/T012T015.zlb"));
    EXPECT_EQ(v.height(), 210);
    EXPECT_TRUE(v.errores()->isHidden());
    EXPECT_TRUE(v.casilla(Exportacion::Personajes)->isChecked());
    EXPECT_FALSE(v.casilla(Exportacion::ListaArtefactos)->isChecked());
    EXPECT_EQ(v.casilla(Exportacion::ListaArtefactos)->text(), QStringLiteral("Lista de Artefactos "));
    v.casilla(Exportacion::Ejercitos)->setChecked(false);
    v.show();
    v.botonIniciar()->click();
    EXPECT_EQ(v.result(), QDialog::Accepted);
    EXPECT_EQ(v.height(), 272);
    ASSERT_GE(v.errores()->count(), 1);
    EXPECT_EQ(v.errores()->item(0)->text(),
              QStringLiteral("Unable to open file (%1)").arg(carpetaPartida(carpeta.ruta(), "T012") + "/Pjs.DB"));
    EXPECT_EQ(v.barra()->value(), 0);
    EXPECT_EQ(ui.textos().last(), QStringLiteral("Proceso Finalizado\r\nSe ha creado \"") + carpeta.ruta() +
                                      QStringLiteral("/Exportar/T012T015.zlb\"."));
    EXPECT_TRUE(QFileInfo::exists(carpeta.ruta() + QStringLiteral("/Exportar/T012T015.zlb")));
}

TEST_F(Ventanas, ImportarFusionaYSeCierra) {
    inserta(QStringLiteral("DSRumores"), {{"CODIGO", "00001"}, {"TURNO", "001"}, {"TEXTO", "Rumor"}});
    {
        TFExportar e(dm, QStringLiteral("T012"));
        ASSERT_TRUE(e.prepara());
        e.botonIniciar()->click();
    }
    // The same archive imported into another game of the catalogue.
    QDir().mkpath(carpetaPartida(carpeta.ruta(), QStringLiteral("T013")));
    inserta(QStringLiteral("DSPartidas"), {{"CODIGO", "T013"}});
    const QString archivo = carpeta.ruta() + QStringLiteral("/T013T000.zlb");
    ASSERT_TRUE(QFile::copy(carpeta.ruta() + QStringLiteral("/Exportar/T012T.zlb"), archivo));
    ui.preguntas.clear();
    TFImportar v(dm, QStringLiteral("T012"));
    EXPECT_EQ(v.windowTitle(), QStringLiteral("Importar Datos"));
    EXPECT_EQ(v.height(), 154);
    v.archivo()->setText(archivo);
    v.show();
    v.botonIniciar()->click();
    EXPECT_TRUE(v.exito());
    EXPECT_EQ(v.result(), QDialog::Accepted);
    EXPECT_EQ(ui.textos(), QStringList{"Proceso Finalizado"});
    EXPECT_EQ(v.panel()->text(), QStringLiteral(" Rumores: Rumor"));
    EXPECT_EQ(v.height(), 154);
    dm.fijaCarpetaPartida(carpetaPartida(carpeta.ruta(), QStringLiteral("T013")));
    EXPECT_EQ(filas(QStringLiteral("DSRumores")), 1);
}

TEST_F(Ventanas, ImportarSinFicheroLoDiceYSeCierra) {
    TFImportar v(dm, QStringLiteral("T012"));
    v.archivo()->setText(carpeta.ruta() + QStringLiteral("/nada.zlb"));
    v.botonIniciar()->click();
    EXPECT_FALSE(v.exito());
    EXPECT_EQ(v.result(), QDialog::Accepted);
    EXPECT_EQ(ui.textos(), QStringList{"No existe el fichero indicado."});
}

TEST_F(Ventanas, HeredarRellenaTurnosRehusaYHereda) {
    inserta(QStringLiteral("DSCenPob"), {{"TURNO", "001"}, {"HEX", "1010"}, {"NOMBRE", "Bree"}});
    inserta(QStringLiteral("DSCenPob"), {{"TURNO", "003"}, {"HEX", "2020"}, {"NOMBRE", "Otra"}});
    TFHeredar v(dm);
    ASSERT_TRUE(v.prepara());
    EXPECT_EQ(v.windowTitle(), QStringLiteral("Heredar Datos"));
    EXPECT_EQ(v.hasta()->text(), QStringLiteral("003"));
    v.desde()->setText(QStringLiteral("3"));
    emit v.desde()->editingFinished();
    EXPECT_EQ(v.desde()->text(), QStringLiteral("003"));
    v.show();
    v.botonEmpezar()->click();
    EXPECT_TRUE(v.isVisible());   // refused: the window stays for the player to mend the turns
    EXPECT_EQ(ui.textos(), QStringList{"El turno de \"Hasta Turno\" debe ser posterior al de \"Desde Turno\"."});
    v.desde()->setText(QStringLiteral("1"));
    emit v.desde()->editingFinished();
    v.botonEmpezar()->click();
    EXPECT_TRUE(v.hecho());
    EXPECT_EQ(v.result(), QDialog::Accepted);
    EXPECT_EQ(ui.textos().last(), QStringLiteral("Proceso finalizado correctamente."));
    EXPECT_EQ(filas(QStringLiteral("DSCenPob")), 4);
    EXPECT_EQ(dm.aperturas(QStringLiteral("DSCenPob")), 0);
}

TEST_F(Ventanas, HeredarSalirNoHaceNada) {
    inserta(QStringLiteral("DSCenPob"), {{"TURNO", "001"}, {"HEX", "1010"}});
    {
        TFHeredar v(dm);
        ASSERT_TRUE(v.prepara());
        EXPECT_EQ(dm.aperturas(QStringLiteral("DSCenPob")), 1);
        v.botonSalir()->click();
        EXPECT_FALSE(v.hecho());
    }
    EXPECT_EQ(dm.aperturas(QStringLiteral("DSCenPob")), 0);
    EXPECT_EQ(filas(QStringLiteral("DSCenPob")), 1);
}
