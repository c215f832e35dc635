// The map's speed on the generated game of 100 turns: filling and drawing the whole map at
// radius 30, changing the turn, redrawing one hex and highlighting twelve.
//
//     cmake --build build --target mapa_bench && build/bench/mapa_bench

#include "database/carpetaprograma.h"
#include "database/diccionario.h"
#include "database/generadorpartida.h"
#include "database/tdm.h"
#include "map/thexmap.h"
#include "map/tmapa.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <iostream>
#include <memory>

using namespace kz;

namespace {

constexpr int kTurnos = 100;

// A program folder with the symbols, nine terrains, a "Tercera" template whose Hex table holds
// the whole map, and the game T001 generated from it.
class Entorno {
public:
    Entorno() : dm_(ui_) {
        const QString programa = dir_.path();
        // The built program folder sits beside the benchmarks' folder.
        const QString construido = qEnvironmentVariableIsEmpty("GESTORKZ_HOME")
                                       ? QCoreApplication::applicationDirPath() + QStringLiteral("/../programa")
                                       : qEnvironmentVariable("GESTORKZ_HOME");
        copia(construido + QStringLiteral("/Bitmap"), programa + QStringLiteral("/Bitmap"));
        preparaTablas(programa);
        OpcionesGenerador o;
        o.codigo = QStringLiteral("T001");
        o.turnos = kTurnos;
        QString error;
        if (!generaPartida(dm_, programa, o, error)) {
            std::cerr << error.toStdString() << std::endl;
            std::exit(1);
        }
        dm_.CerrarTodas();
        dm_.fijaCarpetaPrograma(programa);
        dm_.fijaCarpetaPartida(carpetaPartida(programa, o.codigo));
        dm_.AbrirLista(Diccionario::grupoReferencia());
        dm_.AbrirLista(Diccionario::grupoPartida());
        mapa = std::make_unique<TMapa>(dm_, programa);
        mapa->FijaTurno(QStringLiteral("099"));
        if (!mapa->Arranca(error)) {
            std::cerr << error.toStdString() << std::endl;
            std::exit(1);
        }
    }

    std::unique_ptr<TMapa> mapa;

private:
    static void copia(const QString& origen, const QString& destino) {
        QDir().mkpath(destino);
        for (const QString& f : QDir(origen).entryList(QDir::Files)) QFile::copy(origen + '/' + f, destino + '/' + f);
    }

    void preparaTablas(const QString& programa) {
        const QString plantilla = programa + QStringLiteral("/Tercera");
        QDir().mkpath(plantilla);
        dm_.fijaCarpetaPrograma(programa);
        dm_.fijaCarpetaPartida(plantilla);
        dm_.Abrir(QStringLiteral("DSTerreno"), false, false);
        TTabla& terreno = *dm_.tabla(QStringLiteral("TTerreno"));
        const char* colores[] = {"$00A05010", "$00E0A040", "$0080C0A0", "$0060D090", "$004080A0",
                                 "clGreen", "$0080E0F0", "$00608060", "$00506070"};
        for (int i = 0; i < 9; ++i) {
            terreno.anade();
            terreno.fija(QStringLiteral("CODIGO"), QStringLiteral("0%1").arg(i + 1));
            terreno.fija(QStringLiteral("COLOR"), QString::fromLatin1(colores[i]));
            terreno.graba();
        }
        dm_.Abrir(QStringLiteral("DSHex"), false, false);
        TTabla& hex = *dm_.tabla(QStringLiteral("THex"));
        Transaccion tr(*hex.conexion());
        for (int c = 1; c <= 44; ++c)
            for (int f = 1; f <= 39; ++f) {
                const QVariant rio = c % 7 == 0 ? QVariant(QStringLiteral("010010")) : QVariant();
                const QVariant camino = f % 9 == 0 ? QVariant(QStringLiteral("010010")) : QVariant();
                hex.insertaFila({THexMap::HexToStr(c, f), QStringLiteral("0%1").arg(1 + (c * 3 + f) % 9), rio,
                                 QVariant(), QVariant(), QVariant(), camino,
                                 (c * f) % 37 == 0 ? QVariant(QStringLiteral("Nota")) : QVariant()});
            }
        tr.confirma();
        dm_.CerrarTodas();
    }

    QTemporaryDir dir_;
    InteraccionTerminal ui_;
    TDM dm_;
};

Entorno& entorno() {
    static Entorno e;
    return e;
}

void BM_RellenarMapaR30(benchmark::State& s) {
    TMapa& m = *entorno().mapa;
    for (auto _ : s) m.RellenarMapa();
}
BENCHMARK(BM_RellenarMapaR30)->Unit(benchmark::kMillisecond);

void BM_SoloDibujoR30(benchmark::State& s) {
    TMapa& m = *entorno().mapa;
    for (auto _ : s) m.HexMap1.RedrawMap();
}
BENCHMARK(BM_SoloDibujoR30)->Unit(benchmark::kMillisecond);

void BM_SoloDibujoSinTextos(benchmark::State& s) {
    TMapa& m = *entorno().mapa;
    const OpcionesMapa antes = m.Opciones;
    m.Opciones.verNum = m.Opciones.verIdPais = false;
    for (auto _ : s) m.HexMap1.RedrawMap();
    m.Opciones = antes;
}
BENCHMARK(BM_SoloDibujoSinTextos)->Unit(benchmark::kMillisecond);

void BM_SoloRejilla(benchmark::State& s) {
    THexMap h;
    h.SetHexRadius(30);
    for (auto _ : s) h.RedrawMap();
}
BENCHMARK(BM_SoloRejilla)->Unit(benchmark::kMillisecond);

void BM_CambioDeTurno(benchmark::State& s) {
    TMapa& m = *entorno().mapa;
    int t = 0;
    for (auto _ : s) {
        m.FijaTurno(QStringLiteral("%1").arg(t++ % kTurnos, 3, 10, QLatin1Char('0')));
        m.RellenarMapa();
    }
}
BENCHMARK(BM_CambioDeTurno)->Unit(benchmark::kMillisecond);

void BM_RedrawHex(benchmark::State& s) {
    TMapa& m = *entorno().mapa;
    int i = 0;
    for (auto _ : s) {
        m.HexMap1.RedrawHex(THexMap::HexToStr(1 + i % 44, 1 + (i / 44) % 39));
        ++i;
    }
}
BENCHMARK(BM_RedrawHex)->Unit(benchmark::kMicrosecond);

void BM_Resaltar12(benchmark::State& s) {
    TMapa& m = *entorno().mapa;
    for (auto _ : s) {
        for (int i = 0; i < 12; ++i) m.HexMap1.HighlightHex(10 + i, 10);
        s.PauseTiming();
        m.HexMap1.ClearHighlights();
        s.ResumeTiming();
    }
}
BENCHMARK(BM_Resaltar12)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    entorno();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
