// kzdb: the command line of the core, for scripting and for tests. Every subcommand calls the
// same core operation the windows call. Exit status 0 on success, 1 with the message on
// standard error otherwise.

#include "database/carpetaprograma.h"
#include "database/diccionario.h"
#include "database/generadorpartida.h"
#include "database/tdm.h"
#include "database/volcado.h"
#include "startup/ordenescatalogo.h"
#include "exchange/ordenesintercambio.h"
#include "map/ordenmapa.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <functional>
#include <iostream>

using namespace kz;

namespace {

struct Contexto {
    QStringList args;   // after the subcommand
    InteraccionTerminal& ui;
    QString programa;
};

int falla(const QString& mensaje) {
    std::cerr << mensaje.toStdString() << std::endl;
    return 1;
}

QString opcion(const QStringList& args, const QString& nombre, const QString& defecto = {}) {
    const int i = args.indexOf(nombre);
    return i >= 0 && i + 1 < args.size() ? args[i + 1] : defecto;
}

int partidas(Contexto& c) {
    TDM dm(c.ui);
    dm.fijaCarpetaPrograma(c.programa);
    if (!dm.Abrir(QStringLiteral("DSPartidas"), false, false)) return falla(QStringLiteral("No se puede abrir Partidas.DB"));
    QTextStream out(stdout);
    volcarTabla(*dm.tabla(QStringLiteral("TPartidas")), out);
    dm.Cerrar(QStringLiteral("DSPartidas"));
    return 0;
}

int volcar(Contexto& c) {
    if (c.args.isEmpty()) return falla(QStringLiteral("Uso: kzdb volcar TABLA [PARTIDA]"));
    const DefTabla* d = Diccionario::porFichero(c.args[0] + QStringLiteral(".DB"));
    if (!d) d = Diccionario::porComponente(c.args[0]);
    if (!d) d = Diccionario::porFuente(c.args[0]);
    if (!d) return falla(QStringLiteral("Tabla desconocida: %1").arg(c.args[0]));
    TDM dm(c.ui);
    dm.fijaCarpetaPrograma(c.programa);
    if (d->carpeta == CarpetaTabla::Partida) {
        if (c.args.size() < 2) return falla(QStringLiteral("La tabla %1 es de una partida: indique la partida").arg(d->fichero));
        const QString carpeta = carpetaPartida(c.programa, c.args[1]);
        if (!QDir(carpeta).exists()) return falla(QStringLiteral("No existe la carpeta de la partida %1").arg(carpeta));
        dm.fijaCarpetaPartida(carpeta);
    }
    TTabla& t = *dm.tabla(d->componente);
    if (!t.existeFichero()) return falla(QStringLiteral("No existe la tabla %1").arg(t.ruta()));
    if (!dm.AbrirTablaSE(d->fuente, false)) return falla(QStringLiteral("No se puede abrir %1").arg(t.ruta()));
    QTextStream out(stdout);
    volcarTabla(t, out);
    dm.Cerrar(d->fuente);
    return 0;
}

int reindexar(Contexto& c) {
    if (c.args.isEmpty()) return falla(QStringLiteral("Uso: kzdb reindexar PARTIDA"));
    const QString carpeta = carpetaPartida(c.programa, c.args[0]);
    if (!QDir(carpeta).exists()) return falla(QStringLiteral("No existe la carpeta de la partida %1").arg(carpeta));
    TDM dm(c.ui);
    dm.fijaCarpetaPrograma(c.programa);
    dm.fijaCarpetaPartida(carpeta);
    const QStringList grupo = Diccionario::grupoPartida();
    QStringList conFlags;
    for (const auto& f : grupo) conFlags << f + QStringLiteral(",T,T");
    if (!dm.AbrirLista(conFlags)) return falla(QStringLiteral("No se han podido reconstruir los índices de %1").arg(c.args[0]));
    dm.CerrarLista(conFlags);
    return 0;
}

int generarPartida(Contexto& c) {
    if (c.args.isEmpty()) return falla(QStringLiteral("Uso: kzdb generar-partida CODIGO --turnos N"));
    OpcionesGenerador o;
    o.codigo = c.args[0];
    o.turnos = opcion(c.args, QStringLiteral("--turnos"), QStringLiteral("10")).toInt();
    if (o.turnos < 1 || o.turnos > 999) return falla(QStringLiteral("El número de turnos debe estar entre 1 y 999"));
    TDM dm(c.ui);
    QString error;
    if (!generaPartida(dm, c.programa, o, error)) return falla(error);
    return 0;
}

// Builds the shipped tables of the program folder from the text tables of data/tablas:
// programa/*.csv -> DESTINO/*.DB, Tercera/*.csv -> DESTINO/Tercera/*.DB, and likewise Cuarta.
int cargarDatos(Contexto& c) {
    if (c.args.size() < 2) return falla(QStringLiteral("Uso: kzdb cargar-datos ORIGEN DESTINO"));
    const QString origen = c.args[0], destino = c.args[1];
    const QList<QPair<QString, QString>> carpetas = {{QStringLiteral("programa"), destino},
                                                     {QStringLiteral("Tercera"), destino + QStringLiteral("/Tercera")},
                                                     {QStringLiteral("Cuarta"), destino + QStringLiteral("/Cuarta")}};
    for (const auto& [sub, dest] : carpetas) {
        QDir d(origen + QLatin1Char('/') + sub);
        if (!d.exists()) continue;
        QDir().mkpath(dest);
        for (const QString& csv : d.entryList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name)) {
            const QString fichero = csv.left(csv.size() - 4) + QStringLiteral(".DB");
            const DefTabla* def = Diccionario::porFichero(fichero);
            if (!def) return falla(QStringLiteral("%1: no corresponde a ninguna tabla").arg(d.filePath(csv)));
            TDM dm(c.ui);
            dm.fijaCarpetaPrograma(dest);
            dm.fijaCarpetaPartida(dest);
            QFile::remove(QDir(dest).filePath(def->fichero));
            QFile::remove(QDir(dest).filePath(def->nombreTabla() + QStringLiteral(".lck")));
            if (!dm.Abrir(def->fuente, true, false)) return falla(QStringLiteral("No se puede crear %1").arg(def->fichero));
            QString error;
            if (!cargaVolcado(*dm.tabla(def->componente), d.filePath(csv), error)) return falla(error);
            dm.Cerrar(def->fuente);
            QFile::remove(QDir(dest).filePath(def->nombreTabla() + QStringLiteral(".lck")));
        }
    }
    return 0;
}

struct Comando {
    const char* nombre;
    const char* uso;
    std::function<int(Contexto&)> ejecuta;
};

const QList<Comando>& comandos() {
    static const QList<Comando> lista = {
        {"partidas", "kzdb partidas", partidas},
        {"volcar", "kzdb volcar TABLA [PARTIDA]", volcar},
        {"reindexar", "kzdb reindexar PARTIDA", reindexar},
        {"generar-partida", "kzdb generar-partida CODIGO --turnos N", generarPartida},
        {"cargar-datos", "kzdb cargar-datos ORIGEN DESTINO", cargarDatos},
        {"archivo", "kzdb archivo listar|extraer ARCHIVO [CARPETA]",
         [](Contexto& c) { return ordenArchivo(c.args, c.ui, c.programa); }},
        {"exportar", "kzdb exportar PARTIDA [--tablas Pjs,Ejer,...]",
         [](Contexto& c) { return ordenExportar(c.args, c.ui, c.programa); }},
        {"importar", "kzdb importar ARCHIVO.zlb [--partida PARTIDA_EN_USO]",
         [](Contexto& c) { return ordenImportar(c.args, c.ui, c.programa); }},
        {"heredar", "kzdb heredar PARTIDA DESDE HASTA", [](Contexto& c) { return ordenHeredar(c.args, c.ui, c.programa); }},
        {"nueva-partida", "kzdb nueva-partida T|C NUMERO [NOMBRE]",
         [](Contexto& c) { return ordenNuevaPartida(c.args, c.ui, c.programa); }},
        {"eliminar-partida", "kzdb eliminar-partida CODIGO",
         [](Contexto& c) { return ordenEliminarPartida(c.args, c.ui, c.programa); }},
        {"reestructurar", "kzdb reestructurar", [](Contexto& c) { return ordenReestructurar(c.args, c.ui, c.programa); }},
        {"migrar", "kzdb migrar CARPETA", [](Contexto& c) { return ordenMigrar(c.args, c.ui, c.programa); }},
        {"mapa", kUsoOrdenMapa, [](Contexto& c) { return OrdenMapa(c.args, c.ui, c.programa); }},
    };
    return lista;
}

int uso() {
    std::cerr << "Uso:\n";
    for (const auto& c : comandos()) std::cerr << "  " << c.uso << "\n";
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const auto app = AplicacionKzdb(argc, argv);
    QStringList args = app->arguments().mid(1);
    if (args.isEmpty()) return uso();
    const QString sub = args.takeFirst();
    InteraccionTerminal ui(true);
    Contexto c{args, ui, carpetaPrograma()};
    for (const auto& cmd : comandos())
        if (sub == QLatin1String(cmd.nombre)) return cmd.ejecuta(c);
    std::cerr << "Orden desconocida: " << sub.toStdString() << "\n";
    return uso();
}
