#include "ordenesintercambio.h"

#include "database/volcado.h"
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

} // namespace

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
