#include "fusionimportacion.h"

#include "database/textos.h"

namespace kz {
namespace {

QString comoTexto(const QVariant& v) {
    if (v.isNull() || !v.isValid()) return {};
    if (v.typeId() == QMetaType::Bool) return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (v.typeId() == QMetaType::Double) return QString::number(v.toDouble(), 'g', 15);
    return v.toString();
}

bool enBlanco(const QString& s) { return s.trimmed().isEmpty(); }

bool esVerdadero(const QVariant& v) {
    if (v.isNull() || !v.isValid()) return false;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed().toUpper();
        return s == QLatin1String("TRUE") || s == QLatin1String("T") || s == QLatin1String("S") ||
               s == QLatin1String("SI") || s == QLatin1String("1");
    }
    return v.toBool();
}

const QStringList kCamposUbicacion = {QStringLiteral("HEX"), QStringLiteral("TURNO"), QStringLiteral("ARTEF"),
                                      QStringLiteral("NOMBRE"), QStringLiteral("ORIGEN")};

} // namespace

FusionImportacion::FusionImportacion(TDM& dm, TTabla& destino, TablaTrabajo& origen)
    : dm_(dm), t_(destino), origen_(origen) {
    for (const QString& c : origen_.campos()) destinoDe_ << t_.indiceCampo(c);
}

QString FusionImportacion::normalizaAcertijo(const QString& texto) {
    QString s = QuitaAcentos(texto.toLower());
    s.remove(QLatin1Char('.'));
    s.remove(QLatin1Char(','));
    s.remove(QLatin1Char(':'));
    s.remove(QLatin1Char('\r'));
    s.remove(QLatin1Char('\n'));
    s.remove(QLatin1Char(' '));
    return s.trimmed();
}

QString FusionImportacion::textoOrigen(const QVector<QVariant>& fila, const QString& campo) const {
    const int i = campoOrigen(campo);
    return i >= 0 && i < fila.size() ? comoTexto(fila[i]) : QString();
}

bool FusionImportacion::falla(const QString& mensaje) {
    error_ = mensaje;
    return false;
}

bool FusionImportacion::fallaTabla() {
    const QString m = t_.mensajeError();
    if (t_.estado() == EstadoTabla::Editar || t_.estado() == EstadoTabla::Insertar) t_.cancela();
    return falla(m);
}

// The text a value becomes once written to a field: trailing blanks off, cut to the field.
QString FusionImportacion::guardado(int campo, const QString& texto) const {
    if (campo < 0) return texto;
    const DefCampo& f = t_.campos()[campo];
    if (f.tipo != TipoCampo::Char) return texto;
    QString s = texto;
    while (s.endsWith(QLatin1Char(' '))) s.chop(1);
    const int limite = f.limiteEscritura();
    return limite > 0 ? s.left(limite) : s;
}

QString FusionImportacion::siguienteCodigo(int ancho) { return RellenaIzq(QString::number(++ultimoCodigo_), ancho, QStringLiteral("0")); }

bool FusionImportacion::fusiona(Regla regla, const std::function<void(const QVector<QVariant>&)>& antesDeFila) {
    error_.clear();
    vaciaAlEmpezar_ = t_.vacia();
    if (!preparaCodigos(regla)) return false;
    QVector<QVariant> fila;
    while (origen_.siguiente(fila)) {
        if (antesDeFila) antesDeFila(fila);
        if (!aplica(regla, fila)) return false;
    }
    if (!origen_.error().isEmpty()) return falla(origen_.error());
    return true;
}

bool FusionImportacion::aplica(Regla regla, const QVector<QVariant>& fila) {
    switch (regla) {
    case Regla::Pjs:
    case Regla::Ejer:
    case Regla::CenPob: return porClave(regla, fila);
    case Regla::Rumores: return rumor(fila);
    case Regla::UbiArtef: return ubicacion(fila);
    case Regla::Acertijos: return acertijo(fila);
    case Regla::Artef: return artefacto(fila);
    }
    return false;
}

// The rules that hand out new codes start from the highest code of the table as a number and
// keep what they need to find their matches without a walk per row.
bool FusionImportacion::preparaCodigos(Regla regla) {
    if (regla != Regla::Rumores && regla != Regla::UbiArtef && regla != Regla::Acertijos) return true;
    ultimoCodigo_ = 0;
    ubicaciones_.clear();
    acertijos_.clear();
    t_.fijaIndice(QString());
    for (t_.primero(); !t_.eof(); t_.siguiente()) {
        bool ok = false;
        const int n = t_.texto(QStringLiteral("CODIGO")).trimmed().toInt(&ok);
        if (ok) ultimoCodigo_ = std::max(ultimoCodigo_, n);
        if (regla == Regla::UbiArtef) {
            const QString clave = claveUbicacion([&](const QString& c) { return t_.texto(c); });
            if (!ubicaciones_.contains(clave)) ubicaciones_.insert(clave, {t_.marcador(), t_.logico(QStringLiteral("RESUELTO"))});
        } else if (regla == Regla::Acertijos) {
            acertijos_ << qMakePair(normalizaAcertijo(t_.texto(QStringLiteral("TEXTO"))), t_.marcador());
        }
    }
    if (regla == Regla::Rumores && !t_.fijaIndice(QStringLiteral("TEXTO"))) return fallaTabla();
    return true;
}

bool FusionImportacion::anade(const QVector<QVariant>& fila, const QString& campoCodigo, const QString& codigo) {
    if (!t_.anade()) return fallaTabla();
    const int campoFijado = campoCodigo.isEmpty() ? -1 : t_.indiceCampo(campoCodigo);
    for (int i = 0; i < fila.size() && i < destinoDe_.size(); ++i) {
        const int d = destinoDe_[i];
        if (d < 0 || d == campoFijado || fila[i].isNull()) continue;
        if (!t_.fija(d, fila[i])) return fallaTabla();
    }
    if (campoFijado >= 0 && !t_.fija(campoFijado, codigo)) return fallaTabla();
    return t_.graba() || fallaTabla();
}

bool FusionImportacion::insertaDirecta(const QVector<QVariant>& fila) {
    QVector<QVariant> valores(t_.campos().size());
    for (int i = 0; i < fila.size() && i < destinoDe_.size(); ++i)
        if (destinoDe_[i] >= 0) valores[destinoDe_[i]] = fila[i];
    return t_.insertaFila(valores) || falla(t_.mensajeError());
}

bool FusionImportacion::edita() {
    if (dm_.BloqueaFicha(t_)) return true;
    return falla(t_.mensajeError().isEmpty() ? QStringLiteral("Ficha bloqueada") : t_.mensajeError());
}

bool FusionImportacion::graba(bool cambiado) {
    if (!cambiado) {
        t_.cancela();
        return true;
    }
    return t_.graba() || fallaTabla();
}

bool FusionImportacion::fijaTexto(int campo, const QString& texto, bool& cambiado) {
    const QVariant antes = t_.valor(campo);
    if (!t_.fija(campo, texto)) return fallaTabla();
    if (t_.valor(campo) != antes) cambiado = true;
    return true;
}

bool FusionImportacion::porClave(Regla regla, const QVector<QVariant>& fila) {
    // Into a table that was empty every unpacked row is new (the unpacked table has the same
    // key), so there is nothing to look up and the rows go straight in.
    if (vaciaAlEmpezar_) {
        if (insertaDirecta(fila)) return true;
        // Two unpacked keys that become one once written (blanks, length) merge as the rule says.
        if (t_.ultimoError() != ErrorTabla::ClaveDuplicada) return false;
        error_.clear();
    }
    const DefIndice& primario = t_.indices().first();
    QVariantList clave;
    for (const QString& c : primario.campos) {
        const int i = campoOrigen(c);
        clave << (i >= 0 && i < fila.size() ? fila[i] : QVariant());
    }
    t_.fijaIndice(QString());
    if (!t_.buscaClave(clave)) return anade(fila);

    QStringList excluidos = primario.campos;
    std::function<bool(int)> reemplaza;   // may the unpacked value replace a local one that is not empty?
    bool observaHeredado = false;
    if (regla == Regla::Pjs) {
        excluidos << QStringLiteral("TIPO");
        const bool localFiable = t_.texto(QStringLiteral("ORIGEN")) == QLatin1String("1");
        const bool origenFiable = textoOrigen(fila, QStringLiteral("ORIGEN")) == QLatin1String("1");
        reemplaza = [=](int) { return !localFiable && origenFiable; };
    } else if (regla == Regla::CenPob) {
        const int h = campoOrigen(QStringLiteral("HEREDADO"));
        observaHeredado = t_.logico(QStringLiteral("HEREDADO")) && !(h >= 0 && esVerdadero(fila.value(h)));
        reemplaza = [=](int) { return observaHeredado; };
    } else {
        reemplaza = [](int) { return false; };
    }

    if (!edita()) return false;
    bool cambiado = false;
    for (int i = 0; i < fila.size() && i < destinoDe_.size(); ++i) {
        const int d = destinoDe_[i];
        if (d < 0 || excluidos.contains(t_.campos()[d].nombre, Qt::CaseInsensitive)) continue;
        const QString valor = comoTexto(fila[i]);
        if (enBlanco(valor) || !(t_.esNulo(t_.campos()[d].nombre) || reemplaza(d))) continue;
        if (!fijaTexto(d, valor, cambiado)) return false;
    }
    // An observed row makes the inherited one observed even when it leaves HEREDADO empty.
    if (observaHeredado && t_.logico(QStringLiteral("HEREDADO")) &&
        !fijaTexto(t_.indiceCampo(QStringLiteral("HEREDADO")), QStringLiteral("False"), cambiado))
        return false;
    return graba(cambiado);
}

bool FusionImportacion::rumor(const QVector<QVariant>& fila) {
    const int texto = campoOrigen(QStringLiteral("TEXTO")), turno = campoOrigen(QStringLiteral("TURNO"));
    if (t_.buscaClave({fila.value(texto), fila.value(turno)})) return true;
    return anade(fila, QStringLiteral("CODIGO"), siguienteCodigo(5));
}

QString FusionImportacion::claveUbicacion(const std::function<QString(const QString&)>& valor) const {
    QStringList partes;
    for (const QString& c : kCamposUbicacion) partes << valor(c).toLower();
    return partes.join(QChar(0x1f));
}

bool FusionImportacion::ubicacion(const QVector<QVariant>& fila) {
    const QString clave = claveUbicacion([&](const QString& c) { return guardado(t_.indiceCampo(c), textoOrigen(fila, c)); });
    const int resuelto = campoOrigen(QStringLiteral("RESUELTO"));
    const bool origenResuelto = resuelto >= 0 && esVerdadero(fila.value(resuelto));
    auto it = ubicaciones_.find(clave);
    if (it == ubicaciones_.end()) {
        if (!anade(fila, QStringLiteral("CODIGO"), siguienteCodigo(4))) return false;
        ubicaciones_.insert(clave, {t_.marcador(), t_.logico(QStringLiteral("RESUELTO"))});
        return true;
    }
    if (!origenResuelto || it->second) return true;
    if (!t_.irAMarcador(it->first)) return falla(QStringLiteral("No se encuentra la ubicación de artefacto %1").arg(clave));
    if (!edita()) return false;
    bool cambiado = false;
    if (!fijaTexto(t_.indiceCampo(QStringLiteral("RESUELTO")), QStringLiteral("True"), cambiado) || !graba(cambiado))
        return false;
    it->second = true;
    return true;
}

bool FusionImportacion::artefacto(const QVector<QVariant>& fila) {
    const QString codigo = textoOrigen(fila, QStringLiteral("CODIGO"));
    bool numerico = false;
    const int n = codigo.trimmed().toInt(&numerico);
    if (!numerico || n >= 200) return true;
    t_.fijaIndice(QString());
    if (t_.buscaClave({codigo})) return true;
    return anade(fila);
}

bool FusionImportacion::acertijo(const QVector<QVariant>& fila) {
    const QString normalizado = normalizaAcertijo(textoOrigen(fila, QStringLiteral("TEXTO")));
    int encontrado = -1;
    if (!normalizado.isEmpty())
        for (int i = 0; i < acertijos_.size() && encontrado < 0; ++i)
            if (acertijos_[i].first.contains(normalizado)) encontrado = i;
    if (encontrado < 0) {
        if (!anade(fila, QStringLiteral("CODIGO"), siguienteCodigo(5))) return false;
        acertijos_ << qMakePair(normalizaAcertijo(t_.texto(QStringLiteral("TEXTO"))), t_.marcador());
        return true;
    }
    const QString respuesta = textoOrigen(fila, QStringLiteral("RESPUESTA")).trimmed();
    if (!t_.irAMarcador(acertijos_[encontrado].second))
        return falla(QStringLiteral("No se encuentra el acertijo %1").arg(normalizado));
    if (respuesta.isEmpty() || !enBlanco(t_.texto(QStringLiteral("RESPUESTA")))) return true;
    if (!edita()) return false;
    bool cambiado = false;
    return fijaTexto(t_.indiceCampo(QStringLiteral("RESPUESTA")), respuesta, cambiado) && graba(cambiado);
}

} // namespace kz
