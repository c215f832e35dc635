#include "registroubicacion.h"

#include "herramientastexto.h"
#include "indicetemporal.h"
#include "sesionlectura.h"

#include "database/ttabla.h"

namespace kz {

namespace {

const QString kCodigo = QStringLiteral("CODIGO");
const QString kHex = QStringLiteral("HEX");
const QString kTurno = QStringLiteral("TURNO");
const QString kArtef = QStringLiteral("ARTEF");
const QString kNombre = QStringLiteral("NOMBRE");
const QString kOrigen = QStringLiteral("ORIGEN");
const QString kResuelto = QStringLiteral("RESUELTO");

QString sinBlancosFinales(QString t) {
    while (!t.isEmpty() && t.back().isSpace()) t.chop(1);
    return t;
}

} // namespace

int RegistroUbicacion::UltimoNumero(TTabla& t, const QString& campo) {
    IndiceTemporal indice(t, QString());
    // A code typed by hand that is not a number sorts after the numbers: it is passed over.
    for (t.ultimo(); !t.vacia() && !t.bof(); t.anterior()) {
        bool ok = false;
        const int n = t.texto(campo).trimmed().toInt(&ok);
        if (ok) return n;
    }
    return 0;
}

QString RegistroUbicacion::ComoSeGuarda(const TTabla& t, const QString& campo, const QString& texto) {
    const int i = t.indiceCampo(campo);
    QString r = texto;
    if (i >= 0) {
        const int limite = t.campos()[i].limiteEscritura();
        if (limite > 0 && r.size() > limite) r.truncate(limite);
    }
    return sinBlancosFinales(r);
}

bool RegistroUbicacion::yaRegistrada(const QString& turno, const QString& hex, const QString& artefacto,
                                     const QString& origen, const QString& nombre) {
    TTabla& u = s_.ubiArtef();
    IndiceTemporal indice(u, kHex);
    // Every place of the hex and turn is compared, not only the first: a hex may hold a find
    // and an encounter of the same turn, and neither may be added again on a second reading.
    u.fijaRango({hex, turno}, {hex, turno});
    bool hay = false;
    for (u.primero(); !hay && !u.eof(); u.siguiente())
        hay = u.texto(kArtef) == artefacto && u.texto(kNombre) == nombre && u.texto(kOrigen) == origen &&
              !u.logico(kResuelto);
    u.quitaRango();
    return hay;
}

void RegistroUbicacion::RegistraUbicacion(const QString& turno, const QString& hexDado, const QString& artefactoDado,
                                          const QString& origen, const QString& nombreDado) {
    if (turno.isEmpty()) return;
    TTabla& u = s_.ubiArtef();
    const QString hex = ComoSeGuarda(u, kHex, hexDado.trimmed());
    const QString artefacto = ComoSeGuarda(u, kArtef, artefactoDado.trimmed());
    const QString nombre = ComoSeGuarda(u, kNombre, nombreDado.trimmed());
    if (yaRegistrada(turno, hex, artefacto, origen, nombre)) return;

    const QString codigo = RellenaCeros(QString::number(UltimoNumero(u, kCodigo) + 1), 4);
    IndiceTemporal indice(u, QString());
    if (!u.anade()) Falla(u.mensajeError());
    s_.fija(u, kCodigo, codigo);
    s_.fija(u, kTurno, turno);
    s_.fija(u, kHex, hex);
    s_.fija(u, kArtef, artefacto);
    s_.fija(u, kNombre, nombre);
    s_.fija(u, kResuelto, false);
    s_.fija(u, kOrigen, origen);
    s_.graba(u);
}

} // namespace kz
