// Data exchange on the 100-turn generated game: export against zlib alone on the same files,
// the import merge of every Pjs row into an empty game against plain SQLite inserts of the
// same rows, and inheriting over the 100 turns.

#include "database/carpetaprograma.h"
#include "database/generadorpartida.h"
#include "database/tdm.h"
#include "exchange/exportacion.h"
#include "exchange/herencia.h"
#include "exchange/importacion.h"
#include "exchange/tzlbarchive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <zlib.h>

using namespace kz;

namespace {

const QStringList kTablasExportadas = {"Pjs.DB", "Ejer.DB", "CenPob.DB", "Rumores.DB", "UbiArtef.DB"};

// The generated game T001 of 100 turns in a program folder of its own, made once.
struct Juego {
    QTemporaryDir dir;
    InteraccionTerminal ui;
    QString programa() const { return dir.path(); }
    QString partida() const { return carpetaPartida(programa(), QStringLiteral("T001")); }

    Juego() {
        QDir().mkpath(programa() + QStringLiteral("/Tercera"));
        TDM dm(ui);
        OpcionesGenerador o;
        o.codigo = QStringLiteral("T001");
        o.turnos = 100;
        QString error;
        if (!generaPartida(dm, programa(), o, error)) qFatal("%s", qPrintable(error));
    }
    static Juego& uno() {
        static Juego j;
        return j;
    }
};

void catalogo(TDM& dm, const QString& codigo) {
    dm.Abrir(QStringLiteral("DSPartidas"), false, false);
    TTabla& t = *dm.tabla(QStringLiteral("DSPartidas"));
    if (!t.buscaClave({codigo})) {
        t.anade();
        t.fija(QStringLiteral("CODIGO"), codigo);
        t.graba();
    }
    dm.Cerrar(QStringLiteral("DSPartidas"));
}

void Exportar(benchmark::State& estado) {
    Juego& j = Juego::uno();
    for (auto _ : estado) {
        TDM dm(j.ui);
        dm.fijaCarpetaPrograma(j.programa());
        dm.fijaCarpetaPartida(j.partida());
        Exportacion e(dm, QStringLiteral("T001"));
        e.prepara();
        e.marca(Exportacion::ListaAcertijos, false);
        if (!e.ejecuta()) estado.SkipWithError("la exportación falló");
    }
}

void ZlibSolo(benchmark::State& estado) {
    Juego& j = Juego::uno();
    for (auto _ : estado) {
        for (const QString& f : kTablasExportadas) {
            QFile fichero(QDir(j.partida()).filePath(f));
            fichero.open(QIODevice::ReadOnly);
            const QByteArray datos = fichero.readAll();
            uLongf n = compressBound(uLong(datos.size()));
            QByteArray salida(int(n), '\0');
            compress2(reinterpret_cast<Bytef*>(salida.data()), &n, reinterpret_cast<const Bytef*>(datos.constData()),
                      uLong(datos.size()), Z_DEFAULT_COMPRESSION);
            benchmark::DoNotOptimize(n);
        }
    }
}

// An archive of the generated game's Pjs.DB named for the game T002.
QString archivoPjs() {
    Juego& j = Juego::uno();
    const QString archivo = j.programa() + QStringLiteral("/T002T099.zlb");
    if (!QFile::exists(archivo)) {
        TZLBArchive a;
        a.CreateArchive(archivo);
        a.AddFiles({QDir(j.partida()).filePath(QStringLiteral("Pjs.DB"))});
    }
    return archivo;
}

void ImportarPjs(benchmark::State& estado) {
    Juego& j = Juego::uno();
    const QString archivo = archivoPjs();
    for (auto _ : estado) {
        estado.PauseTiming();
        TDM dm(j.ui);
        dm.fijaCarpetaPrograma(j.programa());
        catalogo(dm, QStringLiteral("T002"));
        const QString destino = carpetaPartida(j.programa(), QStringLiteral("T002"));
        QDir(destino).removeRecursively();
        QDir().mkpath(destino);
        estado.ResumeTiming();
        Importacion i(dm, QStringLiteral("T001"));
        if (!i.ejecuta(archivo)) estado.SkipWithError("la importación falló");
    }
}

// The same rows inserted with one prepared statement in one transaction into an empty table of
// the same structure and indexes.
void InsercionesSqlite(benchmark::State& estado) {
    Juego& j = Juego::uno();
    QList<QVector<QVariant>> filas;
    int columnas = 0;
    {
        TTabla origen;
        origen.fijaCarpeta(j.partida());
        origen.fijaFichero(QStringLiteral("Pjs.DB"));
        origen.abre();
        columnas = origen.campos().size();
        for (origen.primero(); !origen.eof(); origen.siguiente()) filas << origen.fila();
    }
    const QString carpeta = j.programa() + QStringLiteral("/sqlite");
    for (auto _ : estado) {
        estado.PauseTiming();
        QDir(carpeta).removeRecursively();
        QDir().mkpath(carpeta);
        {
            TDM dm(j.ui);
            dm.fijaCarpetaPartida(carpeta);
            dm.Abrir(QStringLiteral("DSPjs"), false, false);
            dm.Cerrar(QStringLiteral("DSPjs"));
        }
        estado.ResumeTiming();
        sqlite3* db = nullptr;
        sqlite3_open((carpeta + QStringLiteral("/Pjs.DB")).toUtf8().constData(), &db);
        sqlite3_exec(db, "PRAGMA synchronous=FULL; BEGIN", nullptr, nullptr, nullptr);
        QString sql = QStringLiteral("INSERT INTO Pjs VALUES (?");
        for (int c = 1; c < columnas; ++c) sql += QStringLiteral(",?");
        sql += QLatin1Char(')');
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr);
        for (const auto& f : filas) {
            for (int c = 0; c < columnas; ++c) {
                const QVariant& v = f[c];
                if (v.isNull()) sqlite3_bind_null(st, c + 1);
                else if (v.typeId() == QMetaType::QString) {
                    const QByteArray b = v.toString().toUtf8();
                    sqlite3_bind_text(st, c + 1, b.constData(), b.size(), SQLITE_TRANSIENT);
                } else sqlite3_bind_int64(st, c + 1, v.toLongLong());
            }
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
}

// estado.range(0): 1 keeps only the centres of turn 000, so that every one of them is carried
// through the 99 later turns; 0 keeps the game as generated, with every centre seen every turn.
void Heredar100Turnos(benchmark::State& estado) {
    Juego& j = Juego::uno();
    const QString carpeta = carpetaPartida(j.programa(), QStringLiteral("T003"));
    for (auto _ : estado) {
        estado.PauseTiming();
        QDir(carpeta).removeRecursively();
        QDir().mkpath(carpeta);
        for (const char* f : {"CenPob.DB", "Pjs.DB"})
            QFile::copy(QDir(j.partida()).filePath(QString::fromLatin1(f)), QDir(carpeta).filePath(QString::fromLatin1(f)));
        if (estado.range(0) == 1) {
            sqlite3* db = nullptr;
            sqlite3_open((carpeta + QStringLiteral("/CenPob.DB")).toUtf8().constData(), &db);
            sqlite3_exec(db, "DELETE FROM CenPob WHERE TURNO <> '000'", nullptr, nullptr, nullptr);
            sqlite3_close(db);
        }
        TDM dm(j.ui);
        dm.fijaCarpetaPrograma(j.programa());
        dm.fijaCarpetaPartida(carpeta);
        Herencia h(dm);
        h.abre();
        estado.ResumeTiming();
        if (!h.ejecuta(QStringLiteral("000"), QStringLiteral("099"))) estado.SkipWithError("la herencia falló");
        estado.counters["anadidas"] = h.anadidas();
    }
}

} // namespace

BENCHMARK(Exportar)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ZlibSolo)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ImportarPjs)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(InsercionesSqlite)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(Heredar100Turnos)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
