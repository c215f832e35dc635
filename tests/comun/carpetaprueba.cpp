#include "carpetaprueba.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace kz::prueba {

bool copiaCarpeta(const QString& origen, const QString& destino) {
    QDir o(origen);
    if (!o.exists()) return false;
    QDir().mkpath(destino);
    for (const QFileInfo& fi : o.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString d = QDir(destino).filePath(fi.fileName());
        if (fi.isDir()) {
            if (!copiaCarpeta(fi.filePath(), d)) return false;
        } else if (!fi.fileName().endsWith(QLatin1String(".lck"))) {
            QFile::remove(d);
            if (!QFile::copy(fi.filePath(), d)) return false;
            QFile(d).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther |
                                    (fi.isExecutable() ? QFile::ExeOwner : QFile::Permissions()));
        }
    }
    return true;
}

CarpetaPrueba::CarpetaPrueba(bool conDatos) {
    if (!conDatos) return;
    QDir programa(programaConstruido());
    for (const QFileInfo& fi : programa.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (fi.isDir()) {
            copiaCarpeta(fi.filePath(), dir_.filePath(fi.fileName()));
        } else if (fi.suffix().compare(QLatin1String("DB"), Qt::CaseInsensitive) == 0 ||
                   !fi.isExecutable()) {
            QFile::copy(fi.filePath(), dir_.filePath(fi.fileName()));
        }
    }
}

QString CarpetaPrueba::datosPrueba(const QString& relativo) { return QStringLiteral(KZ_TEST_DATOS "/") + relativo; }
QString CarpetaPrueba::programaConstruido() { return QStringLiteral(KZ_PROGRAMA_CONSTRUIDO); }

} // namespace kz::prueba
