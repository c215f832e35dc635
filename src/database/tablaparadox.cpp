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
        if (!mb.isEmpty()) {
            memos_.setFileName(mb);
            memos_.open(QIODevice::ReadOnly);
        }
    }
    return true;
}

void TablaParadox::cierra() {
    if (!doc_) return;
    PX_close(doc_);
    PX_delete(doc_);
    doc_ = nullptr;
    memos_.close();
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
        case pxfFmtMemoBLOb:
            if (!leeMemo(dato, longitud, x, error)) return false;
            break;
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

// A memo field ends with 10 bytes: offset (4), length (4) and modifier (2); the bytes before
// them hold the start of the text, all of it when it fits. A longer text lives in the .MB file:
// the low byte of the offset is 0xFF for a block of its own (data after a 9-byte header), or the
// slot of a sub-allocated block, whose 5-byte slots from byte 12 give the data's place in
// 16-byte units and its length.
bool TablaParadox::leeMemo(const char* dato, int longitud, QVariant& valor, QString& error) {
    if (longitud < 10) return true;
    const auto u = [](const char* p, int n) {
        quint32 v = 0;
        for (int i = n - 1; i >= 0; --i) v = (v << 8) | quint8(p[i]);
        return v;
    };
    const int cabeza = longitud - 10;
    const quint32 posicion = u(dato + cabeza, 4);
    const quint32 tamano = u(dato + cabeza + 4, 4);
    if (tamano == 0) return true;
    QByteArray texto;
    if (tamano <= quint32(cabeza)) {
        texto = QByteArray(dato, int(tamano));
    } else {
        const auto falla = [&] {
            error = QStringLiteral("El fichero de memos %1 está dañado o falta").arg(memos_.fileName());
            return false;
        };
        if (!memos_.isOpen()) return falla();
        const qint64 bloque = posicion & 0xFFFFFF00u;
        const quint32 hueco = posicion & 0xFFu;
        qint64 inicio = 0;
        if (hueco == 0xFF) {
            inicio = bloque + 9;
        } else {
            if (!memos_.seek(bloque + 12 + qint64(hueco) * 5)) return falla();
            const QByteArray entrada = memos_.read(5);
            if (entrada.size() != 5) return falla();
            inicio = bloque + qint64(quint8(entrada[0])) * 16;
        }
        if (tamano > 64u * 1024 * 1024 || inicio + qint64(tamano) > memos_.size() || !memos_.seek(inicio))
            return falla();
        texto = memos_.read(tamano);
        if (texto.size() != int(tamano)) return falla();
    }
    valor = decodifica(texto, paginaCodigos_);
    return true;
}

} // namespace kz
