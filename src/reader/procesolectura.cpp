#include "procesolectura.h"

#include "lectorturno.h"
#include "textoconvertido.h"

#include "database/interaccion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kz {

const QString ProcesoLectura::kSeparador = QString(58, QLatin1Char('-'));
const QString ProcesoLectura::kConvirtiendo = QStringLiteral("Convitiendo a txt...");
const QString ProcesoLectura::kConversionMal =
    QStringLiteral("...Conversion con ERRORES!!! No se realizara el proceso de lectura.");
const QString ProcesoLectura::kConversionBien = QStringLiteral("...Conversion finalizada Correctamente");

ProcesoLectura::ProcesoLectura(LectorTurno& lector, const QString& carpetaPrograma, Interaccion& ui)
    : lector_(lector), ui_(ui), conversor_(carpetaPrograma, ui) {}

void ProcesoLectura::AnadeLog(const QString& texto) const {
    if (lector_.alAnadirLog) lector_.alAnadirLog(texto);
}

EstadoPdf ProcesoLectura::ProcesaItem(const QString& rutaPdf) {
    const FicherosInforme f = ficheros(rutaPdf);
    ui_.estado(QStringLiteral("Leyendo ") + QFileInfo(rutaPdf).fileName() + QStringLiteral("..."));
    ui_.procesaEventos();
    AnadeLog(kSeparador);

    if (!convierteSiHaceFalta(rutaPdf, f)) {
        escribeErc(f);
        AnadeLog(kConversionMal);
        return EstadoPdf::Error;
    }

    QStringList lineas;
    QString error;
    const bool leido = LeeTextoConvertido(f.txt(), lineas, error);
    QFile::remove(f.err());
    QFile::remove(f.erc());
    if (!leido) {
        AnadeLog(QStringLiteral("ERROR - ") + error);
        return fallaLectura(f);
    }
    return lector_.LeeTurnoLista(lineas) ? EstadoPdf::Leido : fallaLectura(f);
}

bool ProcesoLectura::convierteSiHaceFalta(const QString& rutaPdf, const FicherosInforme& f) {
    // The text beside a conversion error marker is whatever a failed conversion left: it is
    // never read as the report.
    const bool hace = regenerarTxt || !QFileInfo::exists(f.txt()) || QFileInfo::exists(f.erc());
    if (!hace) return true;
    AnadeLog(rutaPdf);
    AnadeLog(kConvirtiendo);
    if (!conversor_.ConviertePdfTxt(codigoPartida, rutaPdf, esperaMs)) return false;
    AnadeLog(kConversionBien);
    return true;
}

bool ProcesoLectura::escribeErc(const FicherosInforme& f) const {
    QDir().mkpath(carpetaSalida());
    QFile erc(f.erc());
    return erc.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           erc.write(FicherosInforme::kTextoErc.toUtf8() + '\n') > 0;
}

EstadoPdf ProcesoLectura::fallaLectura(const FicherosInforme& f) const {
    QFile::remove(f.err());
    QFile::rename(f.txt(), f.err());
    return EstadoPdf::Error;
}

} // namespace kz
