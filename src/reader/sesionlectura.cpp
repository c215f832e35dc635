#include "sesionlectura.h"

#include "herramientastexto.h"
#include "indicetemporal.h"

#include "database/tdm.h"

namespace kz {

namespace {

TTabla* componente(TDM& dm, const char* nombre) { return dm.tabla(QString::fromLatin1(nombre)); }

} // namespace

SesionLectura::SesionLectura(TDM& dm, ContextoLectura& contexto, std::function<void(const QString&)> log)
    : dm_(dm), ctx_(contexto), log_(std::move(log)) {
    cenPob_ = componente(dm, "TCenPob");
    pjs_ = componente(dm, "TPjs");
    pjsAux_ = componente(dm, "TPjsAux");
    ejer_ = componente(dm, "TEjer");
    paises_ = componente(dm, "TPais");
    grados_ = componente(dm, "TGrados");
    terreno_ = componente(dm, "TTerreno");
    climas_ = componente(dm, "TClimas");
    tipoCP_ = componente(dm, "TTipoCP");
    fortifica_ = componente(dm, "TFortifica");
    ubiArtef_ = componente(dm, "TUbiArtef");
    rumores_ = componente(dm, "TRumores");
    pjsEjer_ = componente(dm, "TPjsEjer");
    hex_ = componente(dm, "THex");
}

SesionLectura::~SesionLectura() {
    cancelaPendientes();
    transacciones_.clear();   // not confirmed: undone
    pjsAux_->cierra();
    for (TTabla* t : {cenPob_, pjs_, pjsAux_, ejer_, paises_, grados_, terreno_, climas_, tipoCP_, fortifica_, ubiArtef_,
                      rumores_, pjsEjer_, hex_})
        t->fijaTamanoLote(64);
}

void SesionLectura::AnadeLog(const QString& texto) const {
    if (log_) log_(texto);
}

void SesionLectura::ErrorAlLeer(const QString& codigo, const QString& texto, bool marcaError) const {
    AnadeLog(QStringLiteral("Error al Leer (") + codigo + QStringLiteral("): ") + texto);
    if (marcaError) ctx_.error = true;
}

bool SesionLectura::inicia(QString& error) {
    // Every access of the reader is a key look-up or a short walk: one row at a time is enough,
    // and a wide window would decode rows nobody reads.
    for (TTabla* t : {cenPob_, pjs_, pjsAux_, ejer_, paises_, grados_, terreno_, climas_, tipoCP_, fortifica_, ubiArtef_,
                      rumores_, pjsEjer_, hex_})
        t->fijaTamanoLote(1);
    // A second cursor on the characters' file, kept on the index CODIGO+TURNO: the look-ups of
    // a character's other turns never move the cursor that is writing.
    pjsAux_->cierra();
    pjsAux_->fijaIndice(QStringLiteral("ID"));
    if (!pjsAux_->abre()) {
        error = pjsAux_->mensajeError();
        return false;
    }
    pjsAux_->fijaIndice(QStringLiteral("ID"));
    std::vector<Conexion*> vistas;
    for (TTabla* t : {paises_, cenPob_, pjs_, ejer_, ubiArtef_, rumores_}) {
        Conexion* c = t->conexion();
        if (!c || std::find(vistas.begin(), vistas.end(), c) != vistas.end()) continue;
        vistas.push_back(c);
        transacciones_.push_back(std::make_unique<Transaccion>(*c));
    }
    return true;
}

bool SesionLectura::termina(QString& error) {
    cancelaPendientes();
    bool ok = true;
    for (auto& t : transacciones_) {
        if (!escritura_) {
            t->deshace();
            continue;
        }
        QString e;
        if (t->iniciada() && !t->confirma(&e)) {
            ok = false;
            if (!error.isEmpty()) error += QLatin1Char(' ');
            error += e;
        }
    }
    transacciones_.clear();
    pjsAux_->cierra();
    return ok;
}

bool SesionLectura::editaOAnade(TTabla& t, const QVariantList& clave) const {
    if (t.buscaClave(clave)) {
        edita(t);
        return true;
    }
    if (!t.anade()) Falla(t.mensajeError());
    return false;
}

void SesionLectura::edita(TTabla& t) const {
    if (!t.edita()) Falla(t.mensajeError());
}

void SesionLectura::fija(TTabla& t, const QString& campo, const QVariant& valor) const {
    if (!t.fija(campo, valor)) Falla(t.mensajeError());
}

void SesionLectura::graba(TTabla& t) const {
    porNombre_.remove(&t);
    if (!escritura_) {
        t.cancela();
        return;
    }
    if (!t.graba()) {
        const QString m = t.mensajeError();
        t.cancela();
        Falla(m);
    }
}

void SesionLectura::cancelaPendientes() const {
    for (TTabla* t : {cenPob_, pjs_, pjsAux_, ejer_, paises_, grados_, terreno_, climas_, tipoCP_, fortifica_, ubiArtef_,
                      rumores_, pjsEjer_, hex_}) {
        if (t && (t->estado() == EstadoTabla::Editar || t->estado() == EstadoTabla::Insertar)) t->cancela();
    }
}

QStringList SesionLectura::buscaPorNombre(TTabla& t, const QString& nombre, const QStringList& campos) const {
    auto& cache = porNombre_[&t];
    const QString clave = campos.join(QLatin1Char(',')) + QLatin1Char('\x1f') + nombre;
    const auto it = cache.constFind(clave);
    if (it != cache.constEnd()) return *it;
    QStringList valores;
    if (!nombre.trimmed().isEmpty()) {
        IndiceTemporal indice(t, QStringLiteral("NOMBRE"));
        if (t.buscaClave({nombre}))
            for (const QString& c : campos) valores << t.texto(c);
    }
    cache.insert(clave, valores);
    return valores;
}

QString SesionLectura::CodigoPorNombre(TTabla& t, const QString& nombre) const {
    return buscaPorNombre(t, nombre, {QStringLiteral("CODIGO")}).value(0);
}

PaisEncontrado SesionLectura::PaisPorNombre(const QString& nombre) const {
    const QStringList v = buscaPorNombre(*paises_, nombre, {QStringLiteral("CODIGO"), QStringLiteral("BANDO")});
    return {v.value(0), v.value(1)};
}

SesionLectura::GradoEncontrado SesionLectura::GradoPorNombre(const QString& titulo) const {
    const QStringList v = buscaPorNombre(*grados_, titulo, {QStringLiteral("TIPO"), QStringLiteral("GRADOMIN")});
    if (v.isEmpty()) return {};
    return {true, v.value(0), v.value(1).toInt()};
}

PaisEncontrado SesionLectura::BuscaPais(const QString& nombreOCodigo) const {
    TTabla& p = *paises_;
    const QString texto = nombreOCodigo;
    if (texto.trimmed().isEmpty()) return {};
    auto encontrado = [&p] { return PaisEncontrado{p.texto(QStringLiteral("CODIGO")), p.texto(QStringLiteral("BANDO"))}; };
    if (SoloDigitosYEspacios(texto)) {
        IndiceTemporal indice(p, QString());
        return p.buscaClave({texto.trimmed()}) ? encontrado() : PaisEncontrado{};
    }
    IndiceTemporal indice(p, QStringLiteral("NOMBRE"));
    if (p.buscaClave({texto})) return encontrado();
    p.buscaCercano({texto});
    if (!p.eof() && p.texto(QStringLiteral("NOMBRE")).startsWith(texto)) return encontrado();
    return {};
}

} // namespace kz
