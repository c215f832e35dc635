#include "ficherosinforme.h"

#include "database/textos.h"

#include <QDir>
#include <QFileInfo>

namespace kz {

const QString FicherosInforme::kTextoErc = QStringLiteral("Error en la conversion pdf a txt");

FicherosInforme::FicherosInforme(const QString& carpetaSalida, const QString& rutaPdf) {
    const QString base = QDir(carpetaSalida).filePath(NombreBase(rutaPdf));
    txt_ = base + QStringLiteral(".txt");
    err_ = base + QStringLiteral(".err");
    erc_ = base + QStringLiteral(".erc");
}

EstadoPdf FicherosInforme::estado() const {
    EstadoPdf e = EstadoPdf::NoLeido;
    if (QFileInfo::exists(txt_)) e = EstadoPdf::Leido;
    if (QFileInfo::exists(err_)) e = EstadoPdf::Error;
    if (QFileInfo::exists(erc_)) e = EstadoPdf::Error;
    return e;
}

QString FicherosInforme::textoEstado(EstadoPdf estado) {
    switch (estado) {
    case EstadoPdf::Leido: return QStringLiteral("Leido");
    case EstadoPdf::Error: return QStringLiteral("Error");
    case EstadoPdf::NoLeido: break;
    }
    return QStringLiteral("No Leido");
}

int FicherosInforme::icono(EstadoPdf estado) {
    switch (estado) {
    case EstadoPdf::Leido: return 0;
    case EstadoPdf::Error: return 1;
    case EstadoPdf::NoLeido: break;
    }
    return -1;
}

} // namespace kz
