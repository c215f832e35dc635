// Two processes on one game: the test program starts a copy of itself that holds a table
// exclusively and a record in edit, and checks what this process is told.

#include "comun/carpetaprueba.h"
#include "comun/interaccionguion.h"
#include "database/tdm.h"

#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>
#include <csignal>
#include <iostream>

using namespace kz;
using namespace kz::prueba;

namespace {

const char* const kModo = "KZ_AYUDANTE_CARPETA";

// The other process: CenPob held exclusively, the first row of Paises in edit, until killed or
// until its standard input closes.
void ejecutaAyudante(const QString& carpeta) {
    InteraccionTerminal ui;
    TDM dm(ui);
    dm.fijaCarpetaPartida(carpeta);
    if (!dm.Abrir(QStringLiteral("DSCenPob"), true, false) || !dm.Abrir(QStringLiteral("DSPais"), false, false)) {
        std::cout << "FALLO" << std::endl;
        return;
    }
    if (!dm.tabla(QStringLiteral("TPais"))->edita()) {
        std::cout << "FALLO" << std::endl;
        return;
    }
    std::cout << "LISTO" << std::endl;
    std::string linea;
    std::getline(std::cin, linea);
}

class DosProcesos : public ::testing::Test {
protected:
    void SetUp() override {
        dm.fijaCarpetaPartida(carpeta.ruta());
        ASSERT_TRUE(dm.Abrir(QStringLiteral("DSCenPob"), false, false));
        ASSERT_TRUE(dm.Abrir(QStringLiteral("DSPais"), false, false));
        TTabla& pais = *dm.tabla(QStringLiteral("TPais"));
        pais.anade();
        pais.fija(QStringLiteral("CODIGO"), QStringLiteral("07"));
        ASSERT_TRUE(pais.graba());
        dm.CerrarTodas();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kModo), carpeta.ruta());
        otro.setProcessEnvironment(env);
        otro.start(QFile::symLinkTarget(QStringLiteral("/proc/self/exe")),
                   {QStringLiteral("--gtest_filter=Ayudante.MantieneLasTablas")});
        ASSERT_TRUE(otro.waitForStarted(10000));
        QByteArray salida;
        while (!salida.contains("LISTO") && !salida.contains("FALLO") && otro.waitForReadyRead(20000))
            salida += otro.readAllStandardOutput();
        ASSERT_TRUE(salida.contains("LISTO")) << salida.toStdString();
    }
    void TearDown() override {
        if (otro.state() != QProcess::NotRunning) {
            otro.kill();
            otro.waitForFinished(5000);
        }
    }
    void mata() {
        ::kill(pid_t(otro.processId()), SIGKILL);
        otro.waitForFinished(5000);
    }
    CarpetaPrueba carpeta;
    InteraccionGuion ui;
    TDM dm{ui};
    QProcess otro;
};

} // namespace

TEST(Ayudante, MantieneLasTablas) {
    const QString carpeta = qEnvironmentVariable(kModo);
    if (carpeta.isEmpty()) GTEST_SKIP() << "sólo se ejecuta como el otro proceso de DosProcesos";
    ejecutaAyudante(carpeta);
}

TEST_F(DosProcesos, TablaExclusivaDelOtroSeAbreTrasReintentar) {
    ui.responde({mrReintentar});
    ui.alPreguntar = [&](const Pregunta&) {
        otro.closeWriteChannel();   // the other process lets go
        otro.waitForFinished(10000);
    };
    EXPECT_TRUE(dm.Abrir(QStringLiteral("DSCenPob"), false, false));
    EXPECT_EQ(ui.textos(),
              QStringList{QStringLiteral("Error en la apertura de la Tabla Centros de Poblacion y Fortifiaciones.\r"
                                         "Algun otro usuario esta usando el fichero en Modo Exclusivo.Vuelva a "
                                         "intentar la operacion o cancelela")});
}

TEST_F(DosProcesos, FichaEnEdicionEnElOtroNoSePuedeEditar) {
    ASSERT_TRUE(dm.Abrir(QStringLiteral("DSPais"), false, false));
    TTabla& pais = *dm.tabla(QStringLiteral("TPais"));
    ui.responde({mrCancelar});
    EXPECT_FALSE(dm.BloqueaFicha(pais));
    EXPECT_EQ(ui.textos(), QStringList{QStringLiteral("Ficha bloqueada. Vuelva a intentar la operacion o cancelela")});
    EXPECT_EQ(pais.estado(), EstadoTabla::Navegar);
}

TEST_F(DosProcesos, MatarAlOtroLiberaAmbosBloqueosALaVez) {
    ASSERT_TRUE(dm.Abrir(QStringLiteral("DSPais"), false, false));
    TTabla& pais = *dm.tabla(QStringLiteral("TPais"));
    EXPECT_FALSE(pais.compruebaEdicion());
    mata();
    EXPECT_TRUE(dm.BloqueaFicha(pais));
    EXPECT_TRUE(dm.Abrir(QStringLiteral("DSCenPob"), true, false));
    EXPECT_TRUE(ui.preguntas.isEmpty());
}
