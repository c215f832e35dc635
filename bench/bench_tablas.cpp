// Speed of the table engine on a large game made by the synthetic generator (100 turns: about
// 30,000 centres, 100,000 characters and 20,000 armies).

#include "database/diccionario.h"
#include "database/generadorpartida.h"
#include "database/tdm.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

using namespace kz;

namespace {

struct Partida {
    QTemporaryDir dir;
    InteraccionTerminal ui;
    QString carpeta;
    Partida() {
        // KZ_BENCH_CARPETA keeps the generated game between runs (for profiling).
        const QString fija = qEnvironmentVariable("KZ_BENCH_CARPETA");
        if (!fija.isEmpty() && QDir(fija + QStringLiteral("/T100")).exists()) {
            carpeta = fija + QStringLiteral("/T100");
            return;
        }
        const QString raiz = fija.isEmpty() ? dir.path() : fija;
        TDM dm(ui);
        OpcionesGenerador o;
        o.codigo = QStringLiteral("T100");
        o.turnos = 100;
        QString error;
        if (!generaPartida(dm, raiz, o, error)) qFatal("%s", qPrintable(error));
        carpeta = raiz + QStringLiteral("/T100");
    }
};

Partida& partida() {
    static Partida p;
    return p;
}

QString turno(int t) { return QString::asprintf("%03d", t); }
QString codigo(int i) { return QString::asprintf("%05d", 1000 + i); }

void BM_BuscaClavePjs(benchmark::State& s) {
    TDM dm(partida().ui);
    dm.fijaCarpetaPartida(partida().carpeta);
    dm.Abrir(QStringLiteral("DSPjs"), false, false);
    TTabla& pjs = *dm.tabla(QStringLiteral("TPjs"));
    QRandomGenerator r(7);
    for (auto _ : s) {
        const bool ok = pjs.buscaClave({turno(r.bounded(100)), codigo(r.bounded(1000))});
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(BM_BuscaClavePjs);

void BM_SiguienteFilaPjs(benchmark::State& s) {
    TDM dm(partida().ui);
    dm.fijaCarpetaPartida(partida().carpeta);
    dm.Abrir(QStringLiteral("DSPjs"), false, false);
    TTabla& pjs = *dm.tabla(QStringLiteral("TPjs"));
    pjs.primero();
    for (auto _ : s) {
        pjs.siguiente();
        if (pjs.eof()) pjs.primero();
        benchmark::DoNotOptimize(pjs.valor(1));
    }
}
BENCHMARK(BM_SiguienteFilaPjs);

void BM_RangoTurnoYHex(benchmark::State& s) {
    TDM dm(partida().ui);
    dm.fijaCarpetaPartida(partida().carpeta);
    dm.Abrir(QStringLiteral("DSPjs"), false, false);
    TTabla& pjs = *dm.tabla(QStringLiteral("TPjs"));
    pjs.fijaIndice(QStringLiteral("TURNOHEX"));
    QRandomGenerator r(11);
    int filas = 0;
    for (auto _ : s) {
        const QString t = turno(r.bounded(100));
        const QString h = QString::asprintf("%02d%02d", 1 + r.bounded(44), 1 + r.bounded(39));
        pjs.fijaRango({t, h}, {t, h});
        for (; !pjs.eof(); pjs.siguiente()) ++filas;
    }
    s.counters["filas_por_rango"] = benchmark::Counter(filas, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_RangoTurnoYHex);

QVector<QVector<QVariant>> filasNuevas(int n, int campos) {
    QVector<QVector<QVariant>> f;
    f.reserve(n);
    for (int i = 0; i < n; ++i) {
        QVector<QVariant> v(campos);
        v[0] = turno(i / 1000);
        v[1] = codigo(i % 1000);
        v[2] = QString::asprintf("%02d%02d", 1 + i % 44, 1 + i % 39);
        v[3] = QStringLiteral("Personaje %1").arg(i % 1000);
        v[5] = QStringLiteral("0");
        v[6] = QStringLiteral("07");
        for (int k = 8; k < 13; ++k) v[k] = i % 90;
        v[45] = QStringLiteral("1");
        f << v;
    }
    return f;
}

void BM_AnadirYGrabar100000(benchmark::State& s) {
    InteraccionTerminal ui;
    for (auto _ : s) {
        s.PauseTiming();
        QTemporaryDir dir;
        TDM dm(ui);
        dm.fijaCarpetaPartida(dir.path());
        dm.Abrir(QStringLiteral("DSPjs"), false, false);
        TTabla& pjs = *dm.tabla(QStringLiteral("TPjs"));
        const auto filas = filasNuevas(100000, pjs.campos().size());
        s.ResumeTiming();
        Transaccion t(*pjs.conexion());
        for (const auto& v : filas) {
            pjs.anade();
            for (int c = 0; c < v.size(); ++c)
                if (!v[c].isNull()) pjs.fija(c, v[c]);
            if (!pjs.graba()) qFatal("%s", qPrintable(pjs.mensajeError()));
        }
        t.confirma();
    }
}
BENCHMARK(BM_AnadirYGrabar100000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SqlitePlano100000(benchmark::State& s) {
    InteraccionTerminal ui;
    for (auto _ : s) {
        s.PauseTiming();
        QTemporaryDir dir;
        {
            TDM dm(ui);
            dm.fijaCarpetaPartida(dir.path());
            dm.Abrir(QStringLiteral("DSPjs"), false, false);
        }
        const auto filas = filasNuevas(100000, Diccionario::porFichero(QStringLiteral("Pjs.DB"))->campos.size());
        sqlite3* db = nullptr;
        sqlite3_open(dir.filePath(QStringLiteral("Pjs.DB")).toUtf8().constData(), &db);
        sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
        QString marcas;
        for (int c = 0; c < filas[0].size(); ++c) marcas += c ? QStringLiteral(",?") : QStringLiteral("?");
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, ("INSERT INTO Pjs VALUES (" + marcas + ")").toUtf8().constData(), -1, &st, nullptr);
        s.ResumeTiming();
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        for (const auto& v : filas) {
            for (int c = 0; c < v.size(); ++c) {
                if (v[c].isNull()) {
                    sqlite3_bind_null(st, c + 1);
                } else if (v[c].typeId() == QMetaType::Int) {
                    sqlite3_bind_int(st, c + 1, v[c].toInt());
                } else {
                    const QByteArray b = v[c].toString().toUtf8();
                    sqlite3_bind_text(st, c + 1, b.constData(), int(b.size()), SQLITE_TRANSIENT);
                }
            }
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        s.PauseTiming();
        sqlite3_finalize(st);
        sqlite3_close(db);
        s.ResumeTiming();
    }
}
BENCHMARK(BM_SqlitePlano100000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_AbrirGrupoPartida(benchmark::State& s) {
    TDM dm(partida().ui);
    dm.fijaCarpetaPartida(partida().carpeta);
    const QStringList grupo = Diccionario::grupoPartida();
    for (auto _ : s) {
        if (!dm.AbrirLista(grupo)) qFatal("no abre");
        s.PauseTiming();
        dm.CerrarLista(grupo);
        s.ResumeTiming();
    }
}
BENCHMARK(BM_AbrirGrupoPartida)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
