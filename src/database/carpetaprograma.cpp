#include "carpetaprograma.h"

#include <QCoreApplication>
#include <QDir>

namespace kz {

QString carpetaPrograma() {
    const QString entorno = qEnvironmentVariable("GESTORKZ_HOME");
    QString c = entorno.isEmpty() ? QCoreApplication::applicationDirPath() : entorno;
    c = QDir::cleanPath(QDir(c).absolutePath());
    while (c.size() > 1 && c.endsWith(QLatin1Char('/'))) c.chop(1);
    return c;
}

QString carpetaPartida(const QString& programa, const QString& codigo) {
    return programa + QLatin1Char('/') + codigo;
}

} // namespace kz
