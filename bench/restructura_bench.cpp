// The structure upgrade on the generated 100-turn game: the maintenance run over a game whose
// tables are already current, and the copy of a changed table (rows copied per second).

#include "database/diccionario.h"
#include "database/generadorpartida.h"
#include "database/restructura.h"
#include "database/tdm.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

using namespace kz;

namespace {

// Answers yes to the maintenance question and stays silent otherwise.
class Silenciosa : public Interaccion {
public:
    ResultadoMensaje pregunta(const QString&, TipoMensaje, Botones b, Boton defecto) override {
        return (b & boton(mbSi)) ? mrSi : resultadoDeBoton(defecto);
    }
};

struct Juego {
    QTemporaryDir dir;
    QString programa() const { return dir.path(); }
    QString partida() const { return dir.filePath(QStringLiteral("T001")); }
    Juego() {
        QDir().mkpath(dir.filePath(QStringLiteral("Tercera")));
        Silenciosa ui;
        TDM dm(ui);
        OpcionesGenerador o;
        o.codigo = QStringLiteral("T001");
        o.turnos = 100;
        QString error;
        if (!generaPartida(dm, programa(), o, error)) qFatal("%s", qPrintable(error));
        dm.CerrarTodas();
        QFile::copy(QDir(partida()).filePath(QStringLiteral("Pjs.DB")), dir.filePath(QStringLiteral("Pjs.original")));
    }
};

Juego& juego() {
    static Juego j;
    return j;
}

void BM_MantenimientoSinCambios(benchmark::State& state) {
    Juego& j = juego();
    for (auto _ : state) {
        Silenciosa ui;
        TDM dm(ui);
        Restructura r(dm);
        if (!r.mantenimiento(j.programa(), false)) state.SkipWithError("la pasada falló");
    }
}
BENCHMARK(BM_MantenimientoSinCambios)->Unit(benchmark::kMillisecond);

// Pjs.DB with one field renamed, so the whole table is copied.
void BM_CopiaPjsCambiada(benchmark::State& state) {
    Juego& j = juego();
    const QString pjs = QDir(j.partida()).filePath(QStringLiteral("Pjs.DB"));
    int64_t filas = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(pjs);
        QFile::copy(j.dir.filePath(QStringLiteral("Pjs.original")), pjs);
        sqlite3* db = nullptr;
        sqlite3_open(pjs.toUtf8().constData(), &db);
        sqlite3_exec(db, "ALTER TABLE Pjs RENAME COLUMN CAPTOR TO CAPTORVIEJO", nullptr, nullptr, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "SELECT count(*) FROM Pjs", -1, &st, nullptr);
        sqlite3_step(st);
        filas += sqlite3_column_int64(st, 0);
        sqlite3_finalize(st);
        sqlite3_close(db);
        Silenciosa ui;
        TDM dm(ui);
        dm.fijaCarpetaPartida(j.partida());
        Restructura r(dm);
        state.ResumeTiming();
        if (r.lista({QStringLiteral("DSPjs")}) != Restructura::Resultado::Hecho) state.SkipWithError("la copia falló");
    }
    state.SetItemsProcessed(filas);
}
BENCHMARK(BM_CopiaPjsCambiada)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
