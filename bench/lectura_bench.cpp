// Reading one turn report of about 2,000 lines with every section into the 100-turn generated
// game, and the same report parsed without writing, so that the cost of the writes shows.

#include "database/diccionario.h"
#include "database/generadorpartida.h"
#include "database/tdm.h"
#include "reader/lectorturno.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace kz;

namespace {

class Silencio : public Interaccion {
public:
    ResultadoMensaje pregunta(const QString&, TipoMensaje, Botones, Boton) override { return mrCancelar; }
};

QString hex(int i) { return QString::asprintf("%.2d%.2d", 1 + i % 44, 1 + (i * 7) % 39); }

// A report of nation 07 of game T001, turn 50: the shapes of every section, repeated.
QStringList informe() {
    QStringList l = {QStringLiteral("07 KZIII Partida 001 Jugador 0457 Turno 50  1"), QStringLiteral("INFORME DE TURNO"),
                     QStringLiteral("Juan Martínez Soler"), QStringLiteral("Calle del Pez 14"),
                     QStringLiteral("Tercera Edad - Juego por correo"), QStringLiteral("Señores del Norte"),
                     QStringLiteral("Un Pueblo Libre"), QStringLiteral("Estación : Invierno"),
                     QStringLiteral("Internet: jmartinez@correo.es"), QStringLiteral("RELACIONES CON OTROS PAÍSES")};
    for (int n = 1; n <= 25; n += 2)
        l << QStringLiteral("nº %1 Nación Número %1 : Neutral     nº%2 Nación Número %2 : Amistoso").arg(n).arg(n + 1, 2, 10, QLatin1Char('0'));
    l << QStringLiteral("CENTROS DE POBLACION");
    for (int i = 0; i < 60; ++i) {
        if (i % 20 == 0) l << QStringLiteral("KZIII Partida 001 Jugador 0457 Turno 50 %1").arg(2 + i / 20, 2);
        l << QStringLiteral("Centro Número %1 Localización : %2 Terreno : Llano Clima : Frío Tamaño : Villa").arg(i).arg(hex(i));
        l << QStringLiteral("Fortificación : Torre Lealtad : %1 Muelles : Puerto Oculto : No Asediado : No").arg(40 + i % 60);
        l << QStringLiteral("Recurso : Cuero Bronce Acero Mithril Comida Madera Monturas Oro");
        l << QStringLiteral("Producción estimada : 10 20 30 0 900 100 50 %1").arg(1000 + i);
        l << QStringLiteral("Unidades almacenadas : 1 2 3 0 500 60 7");
        l << QStringLiteral("Un ejército enarbolando la bandera de Nación Número 8 a las órdenes de Capitán Enemigo%1 está aquí.").arg(i);
        l << QStringLiteral("Personajes extra en el centro : Visitante%1 - Viajero%1.").arg(i);
    }
    l << QStringLiteral("EJÉRCITOS");
    for (int i = 0; i < 60; ++i) {
        l << QStringLiteral("Mando de Ejército : Capitán Jefe%1 Localización actual : %2 - Llano").arg(i).arg(hex(i + 100));
        l << QStringLiteral("Clima : Frío Moral actual : 62 Galeras : 0 Transportes : 0");
        l << QStringLiteral("Entrenamiento Armas Armadura Tropas Tipo");
        l << QStringLiteral("45 30 20 400 Caballeria Pesada") << QStringLiteral("40 20 10 600 Caballeria Ligera")
          << QStringLiteral("50 30 30 800 Infanteria Pesada") << QStringLiteral("30 20 0 300 Arqueros");
        l << QStringLiteral("Tren Suministros :") << QStringLiteral("Armas : 100 20 0") << QStringLiteral("Armaduras: 50 40 10 0")
          << QStringLiteral("Comida: 2400 Maquinas: 2");
        l << QStringLiteral("El/la Pueblo/Torre de Ajeno%1 enarbolando la bandera de Nación Número 6 está aquí.").arg(i);
        l << QStringLiteral("Un ejército enarbolando la bandera de Nación Número 9 a las órdenes de Sargento Rival%1 está aquí.").arg(i);
    }
    l << QStringLiteral("MANDOS DE COMPAÑIA :");
    for (int i = 0; i < 20; ++i)
        l << QStringLiteral("Comandante Jefe%1 Localización actual : %2 @ Miembros : Propio%1 - Propio%3.").arg(i).arg(hex(i + 100)).arg(i + 50);
    l << QStringLiteral("PRECIOS DE MERCADO") << QStringLiteral("PERSONAJES");
    for (int i = 0; i < 100; ++i) {
        l << QStringLiteral("Propio%1 Grados : Mando 42 (47) 0 10 0").arg(i) << QStringLiteral("85, Salud/Sigilo 5 (8) +30");
        l << QStringLiteral("Artefactos : Espada nº%1 Anillo nº%2").arg(i + 1).arg(i + 200) << QStringLiteral("Hechizos (+) : Ninguno");
        l << QStringLiteral("El recibió ordenes de mover el ejército.") << QStringLiteral("La moral de las tropas es buena.");
        l << QStringLiteral("Propio%1 está actualmente en %2. El/la Villa/Torre de Centro Número %3 enarbolando la bandera de Señores del Norte está aquí.")
                 .arg(i).arg(hex(i % 60)).arg(i % 60);
    }
    l << QStringLiteral("MENSAJES INTERNOS");
    for (int i = 0; i < 30; ++i) l << QStringLiteral("Un mensaje cualquiera número %1.").arg(i);
    l << QStringLiteral("HOJAS DE TURNO") << QStringLiteral("Jugador 0457") << QStringLiteral("Juan")
      << QStringLiteral("Martínez Soler") << QStringLiteral("Calle del Pez 14") << QStringLiteral("28004 Madrid")
      << QStringLiteral("COD.SEG : 7311") << QStringLiteral("Retornar las hojas antes del 22 Febrero 2005");
    return l;
}

struct Partida {
    QTemporaryDir dir;
    Silencio ui;
    std::unique_ptr<TDM> dm;
    std::unique_ptr<LectorTurno> lector;
    QStringList texto = informe();
    bool lista = false;

    Partida() {
        const QString base = dir.path();
        QDir().mkpath(base + QStringLiteral("/Tercera"));
        dm = std::make_unique<TDM>(ui);
        OpcionesGenerador o;
        o.codigo = QStringLiteral("T001");
        o.turnos = 100;
        QString error;
        if (!generaPartida(*dm, base, o, error)) return;
        dm->CerrarTodas();
        dm->fijaCarpetaPrograma(base);
        const QList<QPair<const char*, QStringList>> reglas = {
            {"DSTerreno", {QStringLiteral("04;Llano")}},
            {"DSClimas", {QStringLiteral("02;Frío")}},
            {"DSTipoCP", {QStringLiteral("03;Pueblo"), QStringLiteral("04;Villa")}},
            {"DSFortifica", {QStringLiteral("01;Torre")}},
            {"DSMuelles", {QStringLiteral("02;Puerto")}},
            {"DSGrados", {}}};
        for (const auto& [fuente, filas] : reglas) {
            if (!dm->Abrir(QString::fromLatin1(fuente), false, false)) return;
            TTabla& t = *dm->tabla(QString::fromLatin1(fuente));
            for (const QString& f : filas) {
                t.anade();
                t.fija(QStringLiteral("CODIGO"), f.section(QLatin1Char(';'), 0, 0));
                t.fija(QStringLiteral("NOMBRE"), f.section(QLatin1Char(';'), 1, 1));
                t.graba();
            }
            if (QString::fromLatin1(fuente) == QLatin1String("DSGrados"))
                for (const auto& [nombre, minimo] : {std::pair{"Sargento", 10}, std::pair{"Capitán", 20}}) {
                    t.anade();
                    t.fija(QStringLiteral("TIPO"), QStringLiteral("MD"));
                    t.fija(QStringLiteral("GRADOMIN"), minimo);
                    t.fija(QStringLiteral("NOMBRE"), QString::fromUtf8(nombre));
                    t.graba();
                }
            dm->Cerrar(QString::fromLatin1(fuente));
        }
        lector = std::make_unique<LectorTurno>(*dm, base);
        // The first reading creates the rows; the measured ones find them, as a second reading does.
        lista = lector->LeeTurnoLista(texto);
    }
};

Partida& partida() {
    static Partida p;
    return p;
}

void lee(benchmark::State& estado, bool escribe) {
    Partida& p = partida();
    if (!p.lista) {
        estado.SkipWithError(p.lector ? p.lector->log().join(QLatin1Char('\n')).toStdString().c_str() : "sin partida");
        return;
    }
    p.lector->fijaEscritura(escribe);
    for (auto _ : estado) {
        p.lector->limpiaLog();
        if (!p.lector->LeeTurnoLista(p.texto)) {
            estado.SkipWithError(p.lector->log().join(QLatin1Char('\n')).toStdString().c_str());
            break;
        }
    }
    estado.counters["lineas"] = double(p.texto.size());
}

void BM_LeeInforme(benchmark::State& estado) { lee(estado, true); }
void BM_LeeInformeSinEscribir(benchmark::State& estado) { lee(estado, false); }

} // namespace

BENCHMARK(BM_LeeInforme)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LeeInformeSinEscribir)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
