#include "guionconversor.h"

#include "comun/carpetaprueba.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kz::prueba {

bool EscribeFichero(const QString& ruta, const QByteArray& datos) {
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    QFile f(ruta);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(datos) == datos.size();
}

QByteArray LeeFichero(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool EscribeGuionPrueba(const QString& carpetaPrograma, const QString& ordenes) {
    const QByteArray cabecera = "#!/bin/sh\n# test converter\n#\n#\n#\n# line 6\n# line 7\n#\nPATH=$PATH:\n";
    return EscribeFichero(carpetaPrograma + QStringLiteral("/pdf2txt/pdf2txt.sh"), cabecera + ordenes.toUtf8() + '\n');
}

bool CopiaGuionReal(const QString& carpetaPrograma) {
    return copiaCarpeta(CarpetaPrueba::programaConstruido() + QStringLiteral("/pdf2txt"),
                        carpetaPrograma + QStringLiteral("/pdf2txt"));
}

} // namespace kz::prueba
