// Speed of the turn reader on PDFs: a 20-page report converted by the shipped script through
// Ghostscript and read into its game, with the conversion and the reading measured apart, and a
// batch run of 50 reports through ProcesaItem (conversion and reading times as counters).
//
// The PDFs are made the way the reader's tests make them (PostScript of the report text and
// ps2pdf), from the test reports of tests/data/lector; the 20-page one is a test report with
// more centres and characters of the same shapes.

#include "../tests/reader/pdfprueba.cpp"

#include "database/diccionario.h"
#include "database/tdm.h"
#include "database/volcado.h"
#include "reader/conversorpdf.h"
#include "reader/lectorturno.h"
#include "reader/procesolectura.h"
#include "reader/textoconvertido.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace kz;

namespace {

const QString kDatos = QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../tests/data/lector");
const QString kPartida = QStringLiteral("T123");

bool copiaArbol(const QString& origen, const QString& destino) {
    QDirIterator it(origen, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        if (f.endsWith(QLatin1String(".lck"))) continue;
        const QString d = destino + f.mid(origen.size());
        QDir().mkpath(QFileInfo(d).absolutePath());
        if (!QFile::copy(f, d)) return false;
    }
    return true;
}

QStringList lineasDe(const QString& ruta) {
    QFile f(ruta);
    f.open(QIODevice::ReadOnly);
    QString t = QString::fromUtf8(f.readAll());
    t.remove(QLatin1Char('\r'));
    QStringList l = t.split(QLatin1Char('\n'));
    if (!l.isEmpty() && l.last().isEmpty()) l.removeLast();
    return l;
}

QString nombreInventado(int i) {
    static const char* silabas[] = {"ba", "re", "do", "mi", "fal", "sun", "tor", "lin", "gar", "mos"};
    QString n;
    for (int k = 0, x = i; k < 3; ++k, x /= 10) n += QString::fromLatin1(silabas[x % 10]);
    n[0] = n[0].toUpper();
    return n;
}

QString hex(int i) { return QString::asprintf("%02d%02d", 1 + i % 44, 1 + (i / 44) % 39); }

// Turn 12 of nation 07 with `centros` more centres and `pjs` more characters.
QStringList informeGrande(int centros, int pjs) {
    const QStringList base = lineasDe(kDatos + QStringLiteral("/t123_07_turno12.txt"));
    QStringList r;
    const QString marca = QStringLiteral("KZIII Partida 123 Jugador 0457 Turno 12 ");
    int pagina = 20;
    auto furniture = [&](int lineas) {
        if (lineas % 80 == 79) r << marca + QString::number(pagina++);
    };
    for (const QString& l : base) {
        r << l;
        if (l == QStringLiteral("Unidades almacenadas : 80 0 0 0 1500 70 25")) {
            for (int i = 0; i < centros; ++i) {
                r << QStringLiteral("Villa %1 Localización : %2 Terreno : Llano Clima : Templado Tamaño : Aldea")
                         .arg(nombreInventado(i), hex(200 + i))
                  << QStringLiteral("Fortificación : Ninguna Lealtad : 50 Muelles : Ninguno Oculto : No Asediado : No")
                  << QStringLiteral("Recurso : Cuero Bronce Acero Mithril Comida Madera Monturas Oro")
                  << QStringLiteral("Producción estimada : 10 5 0 2 150 40 0 900")
                  << QStringLiteral("Unidades almacenadas : 20 10 0 4 300 60 0");
                furniture(i * 5);
            }
        }
        if (l == QStringLiteral("Oren Tres Vientos está actualmente en 1102.")) {
            for (int i = 0; i < pjs; ++i) {
                const QString n = QStringLiteral("Oren ") + nombreInventado(i + 500);
                r << n + QStringLiteral(" Grados : Mando 0 0 0 0") << QStringLiteral("100, Salud/Sigilo 25 (30) +12")
                  << QStringLiteral("Artefactos : Ninguno") << QStringLiteral("Hechizos (+) : Ninguno")
                  << QStringLiteral("El recibió ordenes de esconderse.")
                  << n + QStringLiteral(" está actualmente en ") + hex(900 + i) + QLatin1Char('.');
                furniture(i * 6);
            }
        }
    }
    return r;
}

// A program folder with the rule rows of the tests, game T123 in the catalogue and its tables.
struct Entorno {
    QTemporaryDir dir;
    InteraccionTerminal ui;
    QString base;
    QString pdf20;
    int paginas = 0;
    QStringList lote;

    Entorno() {
        base = dir.path();
        const QString programa = QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath() +
                                 QStringLiteral("/../programa");
        if (!copiaArbol(QDir(programa).absolutePath(), base)) qFatal("No se puede copiar la carpeta del programa");
        preparaTablas();
        QDir().mkpath(base + QStringLiteral("/Pdfs/") + kPartida);

        QStringList grande;
        for (int extra = 80;; extra += 10) {
            grande = informeGrande(extra, extra);
            paginas = int(prueba::PostScriptDeInforme(grande).count("%%Page:"));
            if (paginas >= 20) break;
        }
        pdf20 = base + QStringLiteral("/grande.pdf");
        QString error;
        if (!prueba::HazPdf(grande, pdf20, error)) qFatal("%s", qPrintable(error));
        for (int i = 0; i < 50; ++i) {
            const QString ruta = base + QStringLiteral("/Pdfs/T123/") + QString::asprintf("turno%02d.pdf", i);
            const char* fuente = i % 2 ? "t123_03_turno01" : "t123_07_turno12";
            if (!prueba::HazPdfDeFichero(kDatos + QLatin1Char('/') + QString::fromLatin1(fuente) + QStringLiteral(".txt"), ruta, error))
                qFatal("%s", qPrintable(error));
            lote << ruta;
        }
    }

    void preparaTablas() {
        TDM dm(ui);
        dm.fijaCarpetaPrograma(base);
        QString error;
        for (const char* f : {"DSTerreno", "DSClimas", "DSTipoCP", "DSFortifica", "DSMuelles", "DSGrados"}) {
            const QString fuente = QString::fromLatin1(f);
            if (!dm.Abrir(fuente, false, false)) qFatal("No se puede abrir %s", f);
            TTabla& t = *dm.tabla(fuente);
            while (!t.vacia()) {
                t.primero();
                t.borra();
            }
            if (!cargaVolcado(t, kDatos + QStringLiteral("/reglas/") + t.fichero().section(QLatin1Char('.'), 0, 0) +
                                     QStringLiteral(".csv"),
                              error))
                qFatal("%s", qPrintable(error));
            dm.Cerrar(fuente);
        }
        dm.Abrir(QStringLiteral("DSPartidas"), false, false);
        TTabla& p = *dm.tabla(QStringLiteral("DSPartidas"));
        if (!p.buscaClave({kPartida})) {
            p.anade();
            p.fija(QStringLiteral("CODIGO"), kPartida);
            p.fija(QStringLiteral("NOMBRE"), QStringLiteral("Partida de prueba"));
            p.fija(QStringLiteral("TIPO"), QStringLiteral("T"));
            p.graba();
        }
        dm.Cerrar(QStringLiteral("DSPartidas"));
        QDir().mkpath(base + QLatin1Char('/') + kPartida);
        dm.fijaCarpetaPartida(base + QLatin1Char('/') + kPartida);
        if (!dm.AbrirLista(Diccionario::grupoPartida())) qFatal("No se pueden crear las tablas de la partida");
        dm.CerrarLista(Diccionario::grupoPartida());
    }
};

Entorno& entorno() {
    static Entorno e;
    return e;
}

void BM_ConversionPdf20Paginas(benchmark::State& s) {
    Entorno& e = entorno();
    ConversorPdf conversor(e.base, e.ui);
    for (auto _ : s)
        if (!conversor.ConviertePdfTxt(kPartida, e.pdf20, ConversorPdf::kEsperaMs)) s.SkipWithError("conversión fallida");
    s.counters["paginas"] = e.paginas;
}
BENCHMARK(BM_ConversionPdf20Paginas)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_LecturaInforme20Paginas(benchmark::State& s) {
    Entorno& e = entorno();
    ConversorPdf conversor(e.base, e.ui);
    if (!conversor.ConviertePdfTxt(kPartida, e.pdf20, ConversorPdf::kEsperaMs)) s.SkipWithError("conversión fallida");
    QStringList lineas;
    QString error;
    LeeTextoConvertido(conversor.carpetaSalida(kPartida) + QStringLiteral("grande.txt"), lineas, error);
    TDM dm(e.ui);
    dm.fijaCarpetaPrograma(e.base);
    LectorTurno lector(dm, e.base);
    int errores = 0;
    lector.alAnadirLog = [&](const QString& t) { errores += t.startsWith(QStringLiteral("Error al Leer")); };
    for (auto _ : s) benchmark::DoNotOptimize(lector.LeeTurnoLista(lineas));
    s.counters["lineas"] = lineas.size();
    s.counters["errores_por_lectura"] = double(errores) / double(s.iterations());
}
BENCHMARK(BM_LecturaInforme20Paginas)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Lote50Informes(benchmark::State& s) {
    Entorno& e = entorno();
    TDM dm(e.ui);
    dm.fijaCarpetaPrograma(e.base);
    LectorTurno lector(dm, e.base);
    ProcesoLectura proceso(lector, e.base, e.ui);
    proceso.codigoPartida = kPartida;
    proceso.regenerarTxt = true;
    QElapsedTimer reloj;
    qint64 finConversion = 0, conversion = 0, lectura = 0;
    lector.alAnadirLog = [&](const QString& t) {
        if (t == ProcesoLectura::kConversionBien) finConversion = reloj.nsecsElapsed();
    };
    int leidos = 0;
    for (auto _ : s) {
        for (const QString& pdf : e.lote) {
            reloj.start();
            leidos += proceso.ProcesaItem(pdf) == EstadoPdf::Leido;
            const qint64 fin = reloj.nsecsElapsed();
            conversion += finConversion;
            lectura += fin - finConversion;
        }
    }
    const double n = double(s.iterations());
    s.counters["conversion_s"] = double(conversion) / 1e9 / n;
    s.counters["lectura_s"] = double(lectura) / 1e9 / n;
    s.counters["leidos"] = leidos / n;
}
BENCHMARK(BM_Lote50Informes)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
