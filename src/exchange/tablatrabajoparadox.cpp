#include "tablatrabajoparadox.h"

#include "cp1252.h"

#include <QFile>
#include <QFileInfo>

extern "C" {
#include <paradox.h>
}

namespace kz {
namespace {

void arrancaPxlib() {
    static const bool arrancada = [] {
        PX_boot();
        return true;
    }();
    (void)arrancada;
}

// pxlib reports through this handler instead of writing to the terminal; the last message of
// an error is kept for the caller.
void manejaError(pxdoc_t*, int tipo, const char* mensaje, void* datos) {
    if (tipo == PX_Warning || !datos) return;
    *static_cast<QString*>(datos) = QString::fromLocal8Bit(mensaje);
}

QString sinTerminar(const char* datos, int longitud) {
    int n = 0;
    while (n < longitud && datos[n] != '\0') ++n;
    return deCp1252(QByteArray(datos, n));
}

} // namespace

TablaTrabajoParadox::~TablaTrabajoParadox() {
    if (!doc_) return;
    PX_close(doc_);
    PX_delete(doc_);
}

bool TablaTrabajoParadox::esParadox(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray c = f.read(0x58);
    if (c.size() < 0x58 || c.startsWith(QByteArray("SQLite format 3\0", 16))) return false;
    const auto* p = reinterpret_cast<const uchar*>(c.constData());
    const int tamanoRegistro = p[0] | (p[1] << 8);
    const int tamanoCabecera = p[2] | (p[3] << 8);
    const uchar tipo = p[4], bloque = p[5];
    const bool bloqueValido = bloque == 1 || bloque == 2 || bloque == 3 || bloque == 4 || bloque == 8 ||
                              bloque == 16 || bloque == 32;
    return (tipo == pxfFileTypIndexDB || tipo == pxfFileTypNonIndexDB) && bloqueValido && tamanoRegistro > 0 &&
           tamanoCabecera >= 0x58;
}

bool TablaTrabajoParadox::abre(const QString& ruta) {
    arrancaPxlib();
    doc_ = PX_new3(manejaError, nullptr, nullptr, nullptr, &error_);
    if (!doc_) {
        error_ = QStringLiteral("%1: no se puede leer la tabla Paradox").arg(ruta);
        return false;
    }
    if (PX_open_file(doc_, QFile::encodeName(ruta).constData()) < 0) {
        error_ = QStringLiteral("%1: no se puede leer la tabla Paradox (%2)").arg(ruta, error_);
        PX_delete(doc_);
        doc_ = nullptr;
        return false;
    }
    // The texts of alpha fields are converted by pxlib from the table's code page; memos are
    // taken as Windows ANSI text, which is what the legacy program wrote.
    PX_set_targetencoding(doc_, "UTF-8");
    const QFileInfo fi(ruta);
    for (const char* ext : {".MB", ".mb", ".Mb", ".mB"}) {
        const QString memos = fi.path() + QLatin1Char('/') + fi.completeBaseName() + QLatin1String(ext);
        if (QFileInfo::exists(memos)) {
            PX_set_blob_file(doc_, QFile::encodeName(memos).constData());
            break;
        }
    }
    error_.clear();
    const int n = PX_get_num_fields(doc_);
    pxfield_t* campos = PX_get_fields(doc_);
    for (int i = 0; i < n && campos; ++i) {
        campos_ << QString::fromLatin1(campos[i].px_fname);
        tipos_ << int(uchar(campos[i].px_ftype));
        longitudes_ << campos[i].px_flen;
    }
    registros_ = std::max(0, PX_get_num_records(doc_));
    registro_.resize(std::max(0, PX_get_recordsize(doc_)));
    return true;
}

QVariant TablaTrabajoParadox::valor(int campo, char* d) {
    const int lon = longitudes_[campo];
    switch (tipos_[campo]) {
    case pxfAlpha: {
        char* v = nullptr;
        if (PX_get_data_alpha(doc_, d, lon, &v) <= 0 || !v) return {};
        const QString s = QString::fromUtf8(v);
        doc_->free(doc_, v);
        return s;
    }
    case pxfShort: {
        short int v = 0;
        return PX_get_data_short(doc_, d, lon, &v) > 0 ? QVariant(int(v)) : QVariant();
    }
    case pxfLong:
    case pxfAutoInc:
    case pxfDate:
    case pxfTime: {
        long v = 0;
        return PX_get_data_long(doc_, d, lon, &v) > 0 ? QVariant(int(v)) : QVariant();
    }
    case pxfNumber:
    case pxfCurrency: {
        double v = 0;
        return PX_get_data_double(doc_, d, lon, &v) > 0 ? QVariant(v) : QVariant();
    }
    case pxfLogical: {
        char v = 0;
        return PX_get_data_byte(doc_, d, lon, &v) > 0 ? QVariant(v != 0) : QVariant();
    }
    case pxfMemoBLOb:
    case pxfFmtMemoBLOb: {
        char* v = nullptr;
        int modificacion = 0, tamano = 0;
        if (PX_get_data_blob(doc_, d, lon, &modificacion, &tamano, &v) <= 0 || !v) return {};
        const QString s = sinTerminar(v, tamano);
        doc_->free(doc_, v);
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    default:
        return {};
    }
}

bool TablaTrabajoParadox::siguiente(QVector<QVariant>& fila) {
    if (actual_ >= registros_) return false;
    if (!PX_get_record(doc_, actual_, registro_.data())) {
        error_ = QStringLiteral("No se puede leer el registro %1 de la tabla Paradox (%2)").arg(actual_ + 1).arg(error_);
        return false;
    }
    ++actual_;
    fila.resize(campos_.size());
    int desplazamiento = 0;
    for (int i = 0; i < campos_.size(); ++i) {
        if (desplazamiento + longitudes_[i] > registro_.size()) {
            fila[i] = QVariant();
            continue;
        }
        fila[i] = valor(i, registro_.data() + desplazamiento);
        desplazamiento += longitudes_[i];
    }
    return true;
}

} // namespace kz
