#include "tablaparadox.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

extern "C" {
#include <paradox.h>
}

namespace kz {

namespace {

// Upper halves (0x80-0xFF) of the DOS code pages the legacy program wrote.
const char16_t kCp850[] =
    u"ÇüéâäàåçêëèïîìÄÅÉæÆôöòûùÿÖÜø£Ø×ƒáíóúñÑªº¿®¬½¼¡«»░▒▓│┤ÁÂÀ©╣║╗╝¢¥┐"
    u"└┴┬├─┼ãÃ╚╔╩╦╠═╬¤ðÐÊËÈıÍÎÏ┘┌█▄¦Ì▀ÓßÔÒõÕµþÞÚÛÙýÝ¯´\u00AD±‗¾¶§÷¸°¨·¹³²■\u00A0";
const char16_t kCp437[] =
    u"ÇüéâäàåçêëèïîìÄÅÉæÆôöòûùÿÖÜ¢£¥₧ƒáíóúñÑªº¿⌐¬½¼¡«»░▒▓│┤╡╢╖╕╣║╗╝╜╛┐"
    u"└┴┬├─┼╞╟╚╔╩╦╠═╬╧╨╤╥╙╘╒╓╫╪┘┌█▄▌▐▀αßΓπΣσµτΦΘΩδ∞φε∩≡±≥≤⌠⌡÷≈°∙·√ⁿ²■\u00A0";
static_assert(sizeof(kCp850) / sizeof(char16_t) == 129 && sizeof(kCp437) / sizeof(char16_t) == 129);

void silencio(pxdoc_t*, int, const char*, void* datos) {
    // pxlib reports through this handler; the last message explains a failed call.
    if (datos) *static_cast<QString*>(datos) = QString();
}

QString buscaSinMayusculas(const QString& carpeta, const QString& nombre) {
    QDir d(carpeta);
    if (d.exists(nombre)) return d.filePath(nombre);
    for (const QString& f : d.entryList(QDir::Files))
        if (f.compare(nombre, Qt::CaseInsensitive) == 0) return d.filePath(f);
    return {};
}

bool tipoDeParadox(int tipo, int longitud, TipoCampo& t, int& tamano) {
    tamano = 0;
    switch (tipo) {
    case pxfAlpha: t = TipoCampo::Char; tamano = longitud; return true;
    case pxfShort: t = TipoCampo::SmallInt; return true;
    case pxfLong:
    case pxfAutoInc: t = TipoCampo::Integer; return true;
    case pxfLogical: t = TipoCampo::Boolean; return true;
    case pxfMemoBLOb:
    case pxfFmtMemoBLOb: t = TipoCampo::Memo; return true;
    default: t = TipoCampo::Char; tamano = 255; return false;   // read back as text
    }
}

} // namespace

TablaParadox::~TablaParadox() { cierra(); }

bool TablaParadox::esParadox(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray c = f.read(0x60);
    if (c.size() < 0x60 || c.startsWith("SQLite format 3")) return false;
    const auto u8 = [&](int i) { return quint8(c[i]); };
    const int tamCabecera = u8(2) | (u8(3) << 8);
    const int tipoFichero = u8(4);
    const int maxTabla = u8(5);
    const int version = u8(0x39);
    return (tipoFichero == 0 || tipoFichero == 2) && maxTabla >= 1 && maxTabla <= 32 && tamCabecera >= 0x58 &&
           (tamCabecera % 0x800) == 0 && version >= 3 && version <= 12;
}

QString TablaParadox::decodifica(const QByteArray& bytes, int paginaCodigos) {
    const char16_t* alta = paginaCodigos == 850 ? kCp850 : paginaCodigos == 437 ? kCp437 : nullptr;
    QString r;
    r.reserve(bytes.size());
    for (char ch : bytes) {
        const quint8 b = quint8(ch);
        if (b == 0) break;
        if (b < 0x80 || !alta) r += QChar(b);
        else r += QChar(alta[b - 0x80]);
    }
    return r;
}

bool TablaParadox::abre(const QString& ruta, QString& error) {
    cierra();
    QString mensaje;
    doc_ = PX_new2(silencio, nullptr, nullptr, nullptr);
    if (!doc_ || PX_open_file(doc_, QFile::encodeName(ruta).constData()) < 0) {
        if (doc_) PX_delete(doc_);
        doc_ = nullptr;
        error = QStringLiteral("%1: no se puede leer como tabla Paradox").arg(ruta);
        return false;
    }
    paginaCodigos_ = doc_->px_head ? doc_->px_head->px_doscodepage : 0;
    const int n = PX_get_num_fields(doc_);
    bool hayMemo = false;
    for (int i = 0; i < n; ++i) {
        pxfield_t* f = PX_get_field(doc_, i);
        DefCampo c;
        c.nombre = decodifica(QByteArray(f->px_fname), paginaCodigos_);
        tipoDeParadox(f->px_ftype, f->px_flen, c.tipo, c.tamano);
        hayMemo = hayMemo || c.tipo == TipoCampo::Memo;
        campos_ << c;
        tipos_ << f->px_ftype;
    }
    if (hayMemo) {
        const QFileInfo fi(ruta);
        const QString mb = buscaSinMayusculas(fi.absolutePath(), fi.completeBaseName() + QStringLiteral(".MB"));
        if (!mb.isEmpty()) PX_set_blob_file(doc_, QFile::encodeName(mb).constData());
    }
    return true;
}

void TablaParadox::cierra() {
    if (!doc_) return;
    PX_close(doc_);
    PX_delete(doc_);
    doc_ = nullptr;
    campos_.clear();
    tipos_.clear();
}

int TablaParadox::numeroRegistros() const { return doc_ ? PX_get_num_records(doc_) : 0; }

bool TablaParadox::leeFila(int n, QVector<QVariant>& valores, QString& error) {
    valores.clear();
    QByteArray registro(doc_ ? PX_get_recordsize(doc_) : 0, '\0');
    if (!doc_ || !PX_get_record(doc_, n, registro.data())) {
        error = QStringLiteral("No se puede leer el registro %1 de la tabla Paradox").arg(n + 1);
        return false;
    }
    char* dato = registro.data();
    for (int i = 0; i < campos_.size(); ++i) {
        const int longitud = PX_get_field(doc_, i)->px_flen;
        QVariant x;
        switch (tipos_[i]) {
        case pxfShort: {
            short int v = 0;
            if (PX_get_data_short(doc_, dato, longitud, &v) > 0) x = int(v);
            break;
        }
        case pxfLong:
        case pxfAutoInc: {
            long v = 0;
            if (PX_get_data_long(doc_, dato, longitud, &v) > 0) x = int(v);
            break;
        }
        case pxfLogical: {
            char v = 0;
            if (PX_get_data_byte(doc_, dato, longitud, &v) > 0) x = v != 0;
            break;
        }
        case pxfDate: {
            long v = 0;
            if (PX_get_data_long(doc_, dato, longitud, &v) > 0) {
                int a = 0, m = 0, d = 0;
                PX_SdnToGregorian(v + 1721425L, &a, &m, &d);
                x = QDate(a, m, d).toString(QStringLiteral("dd/MM/yyyy"));
            }
            break;
        }
        case pxfNumber:
        case pxfCurrency: {
            double v = 0;
            if (PX_get_data_double(doc_, dato, longitud, &v) > 0) x = v;
            break;
        }
        case pxfMemoBLOb:
        case pxfFmtMemoBLOb: {
            int mod = 0, tamano = 0;
            char* v = nullptr;
            if (PX_get_data_blob(doc_, dato, longitud, &mod, &tamano, &v) > 0 && v) {
                x = decodifica(QByteArray(v, tamano), paginaCodigos_);
                doc_->free(doc_, v);
            }
            break;
        }
        default: {
            char* v = nullptr;
            if (PX_get_data_alpha(doc_, dato, longitud, &v) > 0 && v) {
                x = decodifica(QByteArray(v), paginaCodigos_);
                doc_->free(doc_, v);
            }
            break;
        }
        }
        dato += longitud;
        valores << x;
    }
    return true;
}

} // namespace kz
