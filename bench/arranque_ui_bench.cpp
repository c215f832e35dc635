// Start-up of GestorKZ on the generated 100-turn game: from the creation of the data module and
// the main window until the window is enabled (settings, catalogue, folder binding, rule and map
// tables, turn list), headless.

#include "database/generadorpartida.h"
#include "database/tdm.h"
#include "startup/ajustes.h"
#include "startup/arranque.h"
#include "startup/ui/tform1.h"
#include "startup/ui/ventanascatalogoqt.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace kz;

namespace {

class Silenciosa : public Interaccion {
public:
    ResultadoMensaje pregunta(const QString&, TipoMensaje, Botones, Boton defecto) override {
        return resultadoDeBoton(defecto);
    }
};

struct Programa {
    QTemporaryDir dir;
    QString ini() const { return dir.filePath(QStringLiteral("GestorVIRIZ.ini")); }
    Programa() {
        QDir().mkpath(dir.filePath(QStringLiteral("Tercera")));
        Silenciosa ui;
        TDM dm(ui);
        OpcionesGenerador o;
        o.codigo = QStringLiteral("T001");
        o.turnos = 100;
        QString error;
        if (!generaPartida(dm, dir.path(), o, error)) qFatal("%s", qPrintable(error));
        dm.CerrarTodas();
        QSettings s(ini(), QSettings::IniFormat);
        s.setValue(Ajustes::kAyudaEmergente, 1);
        s.setValue(Ajustes::kPartidaPredeterminada, QStringLiteral("T001"));
        s.setValue(Ajustes::kVersion, QStringLiteral("2.3"));
        // The first start creates the tables the generator does not write; time the later ones.
        arranca();
    }
    bool arranca() {
        Silenciosa ui;
        TDM dm(ui);
        Sesion sesion;
        sesion.carpetaPrograma = dir.path();
        TForm1 ventana(sesion, dm);
        ventana.show();
        VentanasCatalogoQt ventanas(&ventana);
        Ajustes ajustes(ini());
        Arranque a(dm, sesion, ajustes, ventana, ventanas);
        const bool bien = a.ejecuta({}) == Arranque::Fin::Normal && ventana.isEnabled();
        dm.CerrarTodas();
        return bien;
    }
};

void BM_ArranqueHastaVentanaHabilitada(benchmark::State& state) {
    static Programa p;
    for (auto _ : state)
        if (!p.arranca()) state.SkipWithError("el arranque no llegó a la ventana habilitada");
}
BENCHMARK(BM_ArranqueHastaVentanaHabilitada)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
