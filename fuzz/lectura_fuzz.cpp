// libFuzzer target: any bytes as a report text, read by LeeTurnoLista into a scratch program
// folder whose catalogue holds the games of the test reports (T123, C045, 123, A123), so that
// inputs grown from those reports reach every section parser and write rows.

#include "database/diccionario.h"
#include "database/tdm.h"
#include "database/volcado.h"
#include "reader/lectorturno.h"
#include "reader/textoinforme.h"

#include <QDir>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <memory>

using namespace kz;

namespace {

class Silencio : public Interaccion {
public:
    ResultadoMensaje pregunta(const QString&, TipoMensaje, Botones, Boton) override { return mrCancelar; }
};

struct Entorno {
    // In memory when it can be: every reading commits, and the disk would make that the cost.
    QTemporaryDir dir{QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/kzfuzz-XXXXXX") : QString()};
    Silencio ui;
    TDM dm{ui};
    std::unique_ptr<LectorTurno> lector;

    Entorno() {
        const QString base = dir.path();
        dm.fijaCarpetaPrograma(base);
        const QString reglas = QStringLiteral(KZ_FUZZ_DATOS "/reglas/");
        for (const char* f : {"DSTerreno", "DSClimas", "DSTipoCP", "DSFortifica", "DSMuelles", "DSGrados"}) {
            const QString fuente = QString::fromLatin1(f);
            if (!dm.Abrir(fuente, false, false)) std::abort();
            TTabla& t = *dm.tabla(fuente);
            QString error;
            if (!cargaVolcado(t, reglas + t.fichero().section(QLatin1Char('.'), 0, 0) + QStringLiteral(".csv"), error)) std::abort();
            dm.Cerrar(fuente);
        }
        if (!dm.Abrir(QStringLiteral("DSPartidas"), false, false)) std::abort();
        TTabla& p = *dm.tabla(QStringLiteral("DSPartidas"));
        for (const char* c : {"T123", "C045", "123", "A123"}) {
            p.anade();
            p.fija(QStringLiteral("CODIGO"), QString::fromLatin1(c));
            p.graba();
            QDir().mkpath(base + QLatin1Char('/') + QString::fromLatin1(c));
            dm.fijaCarpetaPartida(base + QLatin1Char('/') + QString::fromLatin1(c));
            if (!dm.AbrirLista(Diccionario::grupoPartida())) std::abort();
            dm.CerrarLista(Diccionario::grupoPartida());
        }
        dm.Cerrar(QStringLiteral("DSPartidas"));
        lector = std::make_unique<LectorTurno>(dm, base);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    static Entorno entorno;
    const QStringList lineas = LineasDeTexto(QByteArray(reinterpret_cast<const char*>(datos), qsizetype(tamano)));
    entorno.lector->limpiaLog();
    entorno.lector->LeeTurnoLista(lineas);
    return 0;
}
