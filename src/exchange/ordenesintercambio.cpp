#include "ordenesintercambio.h"

#include "database/carpetaprograma.h"
#include "database/volcado.h"
#include "exportacion.h"
#include "herencia.h"
#include "importacion.h"
#include "tzlbarchive.h"

#include <QDir>
#include <QTextStream>
#include <iostream>

namespace kz {
namespace {

int falla(const QString& mensaje) {
    std::cerr << mensaje.toStdString() << std::endl;
    return 1;
}

QString opcion(const QStringList& args, const QString& nombre) {
    const int i = args.indexOf(nombre);
    return i >= 0 && i + 1 < args.size() ? args[i + 1] : QString();
}

// A data module bound to the program folder and to the folder of the game, which must exist.
bool preparaPartida(TDM& dm, const QString& programa, const QString& partida, QString& error) {
    dm.fijaCarpetaPrograma(programa);
    const QString carpeta = carpetaPartida(programa, partida);
    if (!QDir(carpeta).exists()) {
        error = QStringLiteral("No existe la carpeta de la partida %1").arg(carpeta);
        return false;
    }
    dm.fijaCarpetaPartida(carpeta);
    return true;
}

} // namespace

int ordenExportar(const QStringList& args, Interaccion& ui, const QString& programa) {
    if (args.isEmpty() || args[0].startsWith(QLatin1String("--")))
        return falla(QStringLiteral("Uso: kzdb exportar PARTIDA [--tablas Pjs,Ejer,CenPob,Rumores,UbiArtef,Acertijos,Artef]"));
    TDM dm(ui);
    QString error;
    if (!preparaPartida(dm, programa, args[0], error)) return falla(error);
    Exportacion e(dm, args[0]);
    if (!e.prepara()) return falla(QStringLiteral("No se puede abrir CenPob.DB"));
    const QString tablas = opcion(args, QStringLiteral("--tablas"));
    if (args.contains(QStringLiteral("--tablas"))) {
        static const char* const nombres[] = {"Pjs", "Ejer", "CenPob", "Rumores", "UbiArtef", "Acertijos", "Artef"};
        for (int c = 0; c < Exportacion::NumeroCasillas; ++c) e.marca(Exportacion::Casilla(c), false);
        for (const QString& t : tablas.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            int c = 0;
            while (c < Exportacion::NumeroCasillas && t.trimmed().compare(QLatin1String(nombres[c]), Qt::CaseInsensitive) != 0) ++c;
            if (c == Exportacion::NumeroCasillas) return falla(QStringLiteral("Tabla desconocida: %1").arg(t));
            e.marca(Exportacion::Casilla(c), true);
        }
    }
    e.alRegistrarError = [](const QString& t) { std::cerr << t.toStdString() << std::endl; };
    if (!e.ejecuta()) return 1;
    QTextStream(stdout) << e.rutaArchivo() << '\n';
    return 0;
}

int ordenImportar(const QStringList& args, Interaccion& ui, const QString& programa) {
    if (args.isEmpty() || args[0].startsWith(QLatin1String("--")))
        return falla(QStringLiteral("Uso: kzdb importar ARCHIVO.zlb [--partida PARTIDA_EN_USO]"));
    TDM dm(ui);
    dm.fijaCarpetaPrograma(programa);
    const QString enUso = opcion(args, QStringLiteral("--partida"));
    if (!enUso.isEmpty()) dm.fijaCarpetaPartida(carpetaPartida(programa, enUso));
    Importacion i(dm, enUso);
    i.alRegistrarError = [](const QString& t) { std::cerr << t.toStdString() << std::endl; };
    return i.ejecuta(args[0]) ? 0 : 1;
}

int ordenHeredar(const QStringList& args, Interaccion& ui, const QString& programa) {
    if (args.size() < 3) return falla(QStringLiteral("Uso: kzdb heredar PARTIDA DESDE HASTA"));
    TDM dm(ui);
    QString error;
    if (!preparaPartida(dm, programa, args[0], error)) return falla(error);
    Herencia h(dm);
    if (!h.abre()) return falla(QStringLiteral("No se pueden abrir CenPob.DB y Pjs.DB"));
    const bool ok = h.ejecuta(args[1], args[2]);
    h.cierra();
    if (!ok) return 1;
    QTextStream(stdout) << h.anadidas() << '\n';
    return 0;
}

int ordenArchivo(const QStringList& args, Interaccion&, const QString&) {
    const QString uso = QStringLiteral("Uso: kzdb archivo listar|extraer ARCHIVO [CARPETA]");
    if (args.size() < 2) return falla(uso);
    const QString orden = args[0];
    if (orden != QLatin1String("listar") && orden != QLatin1String("extraer")) return falla(uso);
    TZLBArchive archivo;
    archivo.CheckCRC = true;
    if (!archivo.OpenArchive(args[1])) return falla(archivo.error());
    if (orden == QLatin1String("extraer")) {
        const QString carpeta = args.value(2, QDir::currentPath());
        if (!archivo.ExtractFiles(carpeta)) return falla(archivo.error());
        return 0;
    }
    QTextStream out(stdout);
    out << lineaVolcado({QStringLiteral("NOMBRE"), QStringLiteral("CARPETA"), QStringLiteral("TAMANO"),
                         QStringLiteral("ALMACENADO"), QStringLiteral("GUARDADO"), QStringLiteral("CRC")})
        << '\n';
    for (const TZLBEntry& e : archivo.entradas())
        out << lineaVolcado({e.nombre, e.carpeta, QString::number(e.tamano), QString::number(e.tamanoAlmacenado),
                             e.almacenado ? QStringLiteral("True") : QStringLiteral("False"),
                             QStringLiteral("%1").arg(e.crc, 8, 16, QLatin1Char('0'))})
            << '\n';
    return 0;
}

} // namespace kz
