#include "tdatosturno.h"

#include "cursorlectura.h"

namespace kz {

namespace {

const QString kTodosCodigos = QStringLiteral("zzzzz");

bool abierto(const CursorLectura& c, QString& error) {
    if (c.abierto()) return true;
    error = c.error();
    return false;
}

} // namespace

bool TDatosTurno::CargaPaises(TDM& dm, QString& error) {
    CursorLectura c(dm, QStringLiteral("TPais"));
    if (!abierto(c, error)) return false;
    const int fCodigo = c.campo(QStringLiteral("CODIGO")), fNombre = c.campo(QStringLiteral("NOMBRE")),
              fAlias = c.campo(QStringLiteral("ALIAS")), fBando = c.campo(QStringLiteral("BANDO")),
              fHexVer = c.campo(QStringLiteral("HEXVER"));
    paises_.clear();
    porCodigo_.clear();
    porHexVer_.clear();
    for (TTabla& t = c.tabla(); !t.eof(); t.siguiente()) {
        NacionMapa n{c.texto(fCodigo), c.texto(fNombre), c.texto(fAlias), c.texto(fBando), c.texto(fHexVer)};
        porCodigo_.insert(n.codigo, paises_.size());
        if (!n.hexver.isEmpty() && !porHexVer_.contains(n.hexver)) porHexVer_.insert(n.hexver, paises_.size());
        paises_ << n;
    }
    return true;
}

const NacionMapa* TDatosTurno::Pais(const QString& codigo) const {
    const auto i = porCodigo_.constFind(codigo);
    return i == porCodigo_.constEnd() ? nullptr : &paises_[*i];
}

const NacionMapa* TDatosTurno::PaisDeHexVer(const QString& hex) const {
    const auto i = porHexVer_.constFind(hex);
    return i == porHexVer_.constEnd() ? nullptr : &paises_[*i];
}

const CentroMapa* TDatosTurno::Centro(const QString& hex) const {
    const auto i = centros_.constFind(hex);
    return i == centros_.constEnd() ? nullptr : &*i;
}

std::optional<QString> TDatosTurno::PrimerEncuentro(const QString& hex) const {
    const auto i = encuentros_.constFind(hex);
    if (i == encuentros_.constEnd()) return std::nullopt;
    return *i;
}

void TDatosTurno::FijaNotas(const QString& hex, bool hay) {
    if (hay) notas_.insert(hex);
    else notas_.remove(hex);
}

int TDatosTurno::banderaPersonaje(const QString& pais) const {
    const NacionMapa* n = Pais(pais);
    if (!n) return pjDesconocido;
    if (n->bando == QLatin1String("1")) return pjLibre;
    if (n->bando == QLatin1String("2")) return pjOscuro;
    if (n->bando == QLatin1String("3")) return pjNeutral;
    return 0;
}

int TDatosTurno::banderaEjercito(const QString& bando, const QString& pais) const {
    if (bando.isEmpty()) return 0;
    QString b = bando;
    if (!pais.isEmpty()) {
        const NacionMapa* n = Pais(pais);
        if (!n) return ejOtro;
        b = n->bando;
    }
    if (b == QLatin1String("1")) return ejLibre;
    if (b == QLatin1String("2")) return ejOscuro;
    if (b == QLatin1String("3")) return ejOtro;
    return 0;
}

bool TDatosTurno::leeCentros(TDM& dm, const QVariantList& desde, const QVariantList& hasta, QString& error) {
    CursorLectura c(dm, QStringLiteral("TCenPob"), QStringLiteral("TURNO"));
    if (!abierto(c, error)) return false;
    const int fHex = c.campo(QStringLiteral("HEX")), fTipo = c.campo(QStringLiteral("TIPOCP")),
              fForti = c.campo(QStringLiteral("FORTIFICA")), fPais = c.campo(QStringLiteral("PAIS")),
              fMuelles = c.campo(QStringLiteral("MUELLES")), fCapital = c.campo(QStringLiteral("CAPITAL")),
              fOculto = c.campo(QStringLiteral("OCULTO")), fHeredado = c.campo(QStringLiteral("HEREDADO"));
    TTabla& t = c.tabla();
    for (t.fijaRango(desde, hasta); !t.eof(); t.siguiente()) {
        CentroMapa m{c.texto(fTipo), c.texto(fForti), c.texto(fPais), c.texto(fMuelles),
                     c.logico(fCapital), c.logico(fOculto), c.logico(fHeredado)};
        centros_.insert(c.texto(fHex), m);
    }
    return true;
}

bool TDatosTurno::leePersonajes(TDM& dm, const QVariantList& desde, const QVariantList& hasta, QString& error) {
    CursorLectura c(dm, QStringLiteral("TPjs"), QStringLiteral("TURNOHEX"));
    if (!abierto(c, error)) return false;
    const int fHex = c.campo(QStringLiteral("HEX")), fPais = c.campo(QStringLiteral("PAIS"));
    TTabla& t = c.tabla();
    for (t.fijaRango(desde, hasta); !t.eof(); t.siguiente()) {
        const int b = banderaPersonaje(c.texto(fPais));
        if (b) personajes_[c.texto(fHex)] |= b;
    }
    return true;
}

bool TDatosTurno::leeEjercitos(TDM& dm, const QVariantList& desde, const QVariantList& hasta, QString& error) {
    // Ejer has no index of that name: the primary one (turn, hex, commander, allegiance) serves.
    CursorLectura c(dm, QStringLiteral("TEjer"), QStringLiteral("TURNOHEX"));
    if (!abierto(c, error)) return false;
    const int fHex = c.campo(QStringLiteral("HEX")), fPais = c.campo(QStringLiteral("PAIS")),
              fBando = c.campo(QStringLiteral("BANDO"));
    TTabla& t = c.tabla();
    for (t.fijaRango(desde, hasta); !t.eof(); t.siguiente()) {
        const int b = banderaEjercito(c.texto(fBando), c.texto(fPais));
        if (b) ejercitos_[c.texto(fHex)] |= b;
    }
    return true;
}

bool TDatosTurno::leeEncuentros(TDM& dm, const QString& hex, QString& error) {
    CursorLectura c(dm, QStringLiteral("TUbiArtef"), QStringLiteral("HEX"));
    if (!abierto(c, error)) return false;
    const int fHex = c.campo(QStringLiteral("HEX")), fTurno = c.campo(QStringLiteral("TURNO"));
    TTabla& t = c.tabla();
    if (!hex.isEmpty()) t.fijaRango({hex}, {hex});
    for (; !t.eof(); t.siguiente()) {
        const QString h = c.texto(fHex);
        if (!encuentros_.contains(h)) encuentros_.insert(h, c.texto(fTurno));
    }
    return true;
}

bool TDatosTurno::CargaTurno(TDM& dm, const QString& turno, QString& error) {
    centros_.clear();
    personajes_.clear();
    ejercitos_.clear();
    encuentros_.clear();
    return leeCentros(dm, {turno}, {turno}, error) && leePersonajes(dm, {turno}, {turno}, error) &&
           leeEjercitos(dm, {turno}, {turno}, error) && leeEncuentros(dm, QString(), error);
}

bool TDatosTurno::RecargaHex(TDM& dm, const QString& turno, const QString& hex, QString& error) {
    centros_.remove(hex);
    personajes_.remove(hex);
    ejercitos_.remove(hex);
    encuentros_.remove(hex);
    if (!leeCentros(dm, {turno, hex}, {turno, hex}, error) ||
        !leePersonajes(dm, {turno, hex, QString()}, {turno, hex, kTodosCodigos}, error) ||
        !leeEjercitos(dm, {turno, hex, QString()}, {turno, hex, kTodosCodigos}, error) ||
        !leeEncuentros(dm, hex, error))
        return false;
    CursorLectura c(dm, QStringLiteral("THex"));
    if (!abierto(c, error)) return false;
    FijaNotas(hex, c.tabla().buscaClave({hex}) &&
                       !c.texto(c.campo(QStringLiteral("DATOS"))).trimmed().isEmpty());
    return true;
}

} // namespace kz
