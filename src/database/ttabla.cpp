#include "ttabla.h"

#include "diccionario.h"
#include "filtroexpresion.h"

#include <QDir>
#include <QFileInfo>
#include <QVarLengthArray>
#include <algorithm>
#include <sqlite3.h>

namespace kz {
namespace {


QString cita(const QString& nombre) {
    QString n = nombre;
    n.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

// Comparison fragments that treat NULL as the lowest value, as blanks were.
QString mayor(const QString& c, const QVariant& v, QVariantList& p) {
    if (v.isNull()) return c + QStringLiteral(" IS NOT NULL");
    p << v;
    return c + QStringLiteral(" > ?");
}
QString mayorIgual(const QString& c, const QVariant& v, QVariantList& p) {
    if (v.isNull()) return QStringLiteral("1");
    p << v;
    return c + QStringLiteral(" >= ?");
}
QString menor(const QString& c, const QVariant& v, QVariantList& p) {
    if (v.isNull()) return QStringLiteral("0");
    p << v;
    return QStringLiteral("(%1 < ? OR %1 IS NULL)").arg(c);
}
QString menorIgual(const QString& c, const QVariant& v, QVariantList& p) {
    if (v.isNull()) return c + QStringLiteral(" IS NULL");
    p << v;
    return QStringLiteral("(%1 <= ? OR %1 IS NULL)").arg(c);
}

// Lexicographic bound over several fields: (c0..cn) >= (v0..vn) or <=.
QString cotaLexica(const QStringList& cols, const QVariantList& vals, int desde, bool inferior, QVariantList& p) {
    if (desde >= vals.size()) return QStringLiteral("1");
    const QString& c = cols[desde];
    const QVariant& v = vals[desde];
    if (desde + 1 == vals.size())
        return inferior ? mayorIgual(c, v, p) : menorIgual(c, v, p);
    QString estricta = inferior ? mayor(c, v, p) : menor(c, v, p);
    p << v;
    const QString resto = cotaLexica(cols, vals, desde + 1, inferior, p);
    return QStringLiteral("(%1 OR (%2 IS ? AND %3))").arg(estricta, c, resto);
}

// Reads column i of the current statement row straight into the program's type of the field.
QVariant leeColumna(sqlite3_stmt* st, int i, TipoCampo tipo) {
    const int t = sqlite3_column_type(st, i);
    if (t == SQLITE_NULL) return {};
    switch (tipo) {
    case TipoCampo::Boolean: return QVariant(sqlite3_column_int64(st, i) != 0);
    case TipoCampo::SmallInt:
    case TipoCampo::Integer:
        if (t == SQLITE_INTEGER) return QVariant(int(sqlite3_column_int64(st, i)));
        break;
    default:
        break;
    }
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
    return QVariant(QString::fromUtf8(p, sqlite3_column_bytes(st, i)));
}

bool mismoValor(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull()) return a.isNull() && b.isNull();
    const bool numA = a.typeId() != QMetaType::QString, numB = b.typeId() != QMetaType::QString;
    if (numA && numB) return a.toLongLong() == b.toLongLong();
    return a.toString() == b.toString();
}

} // namespace

TTabla::TTabla() = default;

TTabla::~TTabla() { cierra(); }

QString TTabla::ruta() const {
    return carpeta_.isEmpty() ? fichero_ : QDir(carpeta_).filePath(fichero_);
}

bool TTabla::existeFichero() const { return QFileInfo::exists(ruta()); }

bool TTabla::falla(ErrorTabla e, const QString& m) {
    error_ = e;
    mensaje_ = m;
    return false;
}

void TTabla::notifica(EventoTabla e) {
    if (suscriptores_.isEmpty()) return;
    const auto copia = suscriptores_;
    for (const auto& f : copia) f(e);
}

int TTabla::suscribe(std::function<void(EventoTabla)> f) {
    const int id = siguienteSuscriptor_++;
    suscriptores_.insert(id, std::move(f));
    return id;
}

void TTabla::desuscribe(int id) { suscriptores_.remove(id); }

// ---------------------------------------------------------------------------------------------
// Opening and structure

bool TTabla::abre() {
    if (activa()) return true;
    error_ = ErrorTabla::Ninguno;
    mensaje_.clear();
    const QString r = ruta();
    if (!QFileInfo::exists(r))
        return falla(ErrorTabla::NoExiste, QStringLiteral("El fichero %1 no existe").arg(r));
    QString err;
    if (!bloqueo_.abre(r, exclusivaPedida_, err))
        return falla(ErrorTabla::EnUso, QStringLiteral("%1: %2").arg(r, err));
    nombreTabla_ = fichero_.section(QLatin1Char('.'), 0, 0);
    conexion_ = Conexion::abre(r, nombreTabla_, err);
    if (!conexion_) {
        bloqueo_.cierra();
        return falla(ErrorTabla::NoEsTabla, QStringLiteral("%1: %2").arg(r, err));
    }
    def_ = Diccionario::porFichero(fichero_);
    if (!leeEstructura()) {
        conexion_.reset();
        bloqueo_.cierra();
        return false;
    }
    estado_ = EstadoTabla::Navegar;
    vistaValida_ = false;
    cuenta_ = -1;
    indiceActual_ = 0;
    for (int i = 1; i < indices_.size(); ++i)
        if (!indicePedido_.isEmpty() && indices_[i].nombre.compare(indicePedido_, Qt::CaseInsensitive) == 0) indiceActual_ = i;
    primero();
    notifica(EventoTabla::Abierta);
    return true;
}

void TTabla::cierra() {
    if (!activa()) return;
    if (estado_ == EstadoTabla::Editar || estado_ == EstadoTabla::Insertar) cancela();
    bloqueo_.cierra();
    conexion_.reset();
    estado_ = EstadoTabla::Inactiva;
    lote_.clear();
    pos_ = -1;
    bof_ = eof_ = true;
    rango_ = Rango{};
    vista_.clear();
    vistaValida_ = false;
    notifica(EventoTabla::Cerrada);
}

bool TTabla::leeEstructura() {
    sqlInsercion_.clear();
    sqlActualizacion_.clear();
    campos_.clear();
    columnas_.clear();
    porNombre_.clear();
    limites_.clear();
    Sentencia& info = conexion_->sentencia(QStringLiteral("PRAGMA table_info(%1)").arg(cita(nombreTabla_)));
    QMap<int, QString> clavePrimaria;
    while (info.paso()) {
        DefCampo f;
        f.nombre = info.columna(1).toString();
        if (!parseaTipoDeclarado(info.columna(2).toString(), f.tipo, f.tamano)) {
            f.tipo = TipoCampo::Char;
            f.tamano = 255;
        }
        if (def_) {
            const int i = def_->indiceCampo(f.nombre);
            if (i >= 0) {
                f.etiqueta = def_->campos[i].etiqueta;
                f.tamanoObjeto = def_->campos[i].tamanoObjeto;
            }
        }
        const int pk = int(info.entero(5));
        if (pk > 0) clavePrimaria.insert(pk, f.nombre);
        porNombre_.insert(f.nombre.toUpper(), campos_.size());
        campos_ << f;
        limites_ << (limitesObjeto_ ? f.limiteEscritura() : f.tamano);
    }
    if (campos_.isEmpty())
        return falla(ErrorTabla::NoEsTabla, QStringLiteral("%1: la tabla no tiene campos").arg(ruta()));
    selectBase_ = QStringLiteral("SELECT %1 FROM %2 WHERE ").arg(listaColumnas(), cita(nombreTabla_));
    DefIndice primario;
    primario.nombre = def_ ? def_->primario().nombre : QStringLiteral("PRIMARIO");
    primario.campos = clavePrimaria.values();
    indices_.clear();
    indices_ << primario;
    refrescaIndices();
    return true;
}

void TTabla::refrescaIndices() {
    if (!conexion_) return;
    while (indices_.size() > 1) indices_.removeLast();
    Sentencia& lista = conexion_->sentencia(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type='index' AND sql IS NOT NULL AND tbl_name=?1 ORDER BY rowid"));
    lista.enlaza(1, nombreTabla_);
    QStringList nombres;
    while (lista.paso()) nombres << lista.columna(0).toString();
    for (const QString& n : nombres) {
        DefIndice d;
        d.nombre = n;
        Sentencia& info = conexion_->sentencia(QStringLiteral("PRAGMA index_info(%1)").arg(cita(n)));
        while (info.paso()) d.campos << info.columna(2).toString();
        indices_ << d;
    }
    columnasIndice_.clear();
    columnasCitadas_.clear();
    ordenAdelante_.clear();
    ordenAtras_.clear();
    for (const auto& d : indices_) {
        QVector<int> cols;
        QStringList citadas;
        QString adelante, atras;
        for (const auto& f : d.campos) {
            cols << indiceCampo(f);
            citadas << cita(f);
            adelante += cita(f) + QLatin1Char(',');
            atras += cita(f) + QStringLiteral(" DESC,");
        }
        columnasIndice_ << cols;
        columnasCitadas_ << citadas;
        ordenAdelante_ << QStringLiteral(" ORDER BY ") + adelante + QStringLiteral("rowid");
        ordenAtras_ << QStringLiteral(" ORDER BY ") + atras + QStringLiteral("rowid DESC");
    }
    if (indiceActual_ >= indices_.size()) indiceActual_ = 0;
}

int TTabla::indiceCampo(const QString& nombre) const { return porNombre_.value(nombre.toUpper(), -1); }

const QString& TTabla::listaColumnas() const {
    // Built once per structure: every fetch starts its statement with it.
    if (columnas_.isEmpty()) {
        columnas_ = QStringLiteral("rowid");
        for (const auto& f : campos_) columnas_ += QLatin1Char(',') + cita(f.nombre);
    }
    return columnas_;
}

bool TTabla::tieneIndice(const QString& nombre) const {
    for (const auto& d : indices_)
        if (d.nombre.compare(nombre, Qt::CaseInsensitive) == 0) return true;
    return false;
}

bool TTabla::fijaIndice(const QString& nombre) {
    if (!activa()) {
        indicePedido_ = nombre;
        return true;
    }
    int nuevo = 0;
    if (!nombre.isEmpty()) {
        nuevo = -1;
        for (int i = 1; i < indices_.size(); ++i)
            if (indices_[i].nombre.compare(nombre, Qt::CaseInsensitive) == 0) nuevo = i;
        if (nuevo < 0 && indices_.first().nombre.compare(nombre, Qt::CaseInsensitive) == 0) nuevo = 0;
        if (nuevo < 0) return falla(ErrorTabla::Estado, QStringLiteral("El índice %1 no existe").arg(nombre));
    }
    if (nuevo == indiceActual_ && !rango_.activo) return true;
    const bool habiaFila = activa() && pos_ >= 0;
    const Fila actualFila = habiaFila ? lote_[pos_] : Fila{};
    indiceActual_ = nuevo;
    indicePedido_ = nuevo == 0 ? QString() : indices_[nuevo].nombre;
    rango_ = Rango{};
    vistaValida_ = false;
    cuenta_ = -1;
    if (!activa()) return true;
    if (habiaFila) {
        auto l = trae(Sentido::Adelante, claveDe(actualFila), true, actualFila.rowid, true, tamanoLote_);
        if (!l.isEmpty()) {
            colocaLote(std::move(l), 0, false, false);
            notifica(EventoTabla::Movida);
            return true;
        }
    }
    primero();
    return true;
}

bool TTabla::borraIndices() {
    if (!activa() || !exclusiva())
        return falla(ErrorTabla::Estado, QStringLiteral("La tabla %1 no está abierta en modo exclusivo").arg(fichero_));
    Transaccion t(*conexion_);
    for (int i = indices_.size() - 1; i >= 1; --i) {
        QString err;
        if (!conexion_->ejecuta(QStringLiteral("DROP INDEX %1").arg(cita(indices_[i].nombre)), &err))
            return falla(ErrorTabla::Sql, QStringLiteral("%1: %2").arg(fichero_, err));
    }
    QString err;
    if (!conexion_->ejecuta(QStringLiteral("REINDEX %1").arg(cita(nombreTabla_)), &err) || !t.confirma(&err))
        return falla(ErrorTabla::Sql, QStringLiteral("%1: %2").arg(fichero_, err));
    refrescaIndices();
    indiceActual_ = 0;
    return true;
}

bool TTabla::anadeIndice(const DefIndice& d) {
    if (!activa() || !exclusiva())
        return falla(ErrorTabla::Estado, QStringLiteral("La tabla %1 no está abierta en modo exclusivo").arg(fichero_));
    QStringList cols;
    for (const auto& f : d.campos) cols << cita(f);
    QString err;
    if (!conexion_->ejecuta(QStringLiteral("CREATE INDEX %1 ON %2 (%3)").arg(cita(d.nombre), cita(nombreTabla_), cols.join(',')), &err))
        return falla(ErrorTabla::Sql, QStringLiteral("%1: %2").arg(fichero_, err));
    refrescaIndices();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Values

QVariant TTabla::leeValor(int campo, const QVariant& crudo) const {
    if (crudo.isNull()) return {};
    switch (campos_[campo].tipo) {
    case TipoCampo::Boolean: return QVariant(crudo.toLongLong() != 0);
    case TipoCampo::SmallInt:
    case TipoCampo::Integer: return QVariant(int(crudo.toLongLong()));
    default: return crudo.typeId() == QMetaType::QString ? crudo : QVariant(crudo.toString());
    }
}

QVariant TTabla::convierte(int campo, const QVariant& v, bool& ok, QString& error) const {
    ok = true;
    const DefCampo& f = campos_[campo];
    if (!v.isValid() || v.isNull()) return {};
    switch (f.tipo) {
    case TipoCampo::Char: {
        QString s = v.typeId() == QMetaType::Bool ? (v.toBool() ? QStringLiteral("True") : QStringLiteral("False"))
                                                   : v.toString();
        int fin = s.size();
        while (fin > 0 && s[fin - 1] == QLatin1Char(' ')) --fin;
        s.truncate(fin);
        const int limite = limites_[campo];
        if (limite > 0 && s.size() > limite) {
            // Cutting can leave a blank at the end again: stored texts never end in one.
            s.truncate(limite);
            while (!s.isEmpty() && s.endsWith(QLatin1Char(' '))) s.chop(1);
        }
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    case TipoCampo::Memo: {
        const QString s = v.toString();
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    case TipoCampo::Boolean: {
        if (v.typeId() == QMetaType::Bool) return v;
        if (v.typeId() == QMetaType::QString) {
            const QString s = v.toString().trimmed().toUpper();
            if (s.isEmpty()) return {};
            if (s == QLatin1String("TRUE") || s == QLatin1String("S") || s == QLatin1String("SI") || s == QLatin1String("1"))
                return QVariant(true);
            if (s == QLatin1String("FALSE") || s == QLatin1String("N") || s == QLatin1String("NO") || s == QLatin1String("0"))
                return QVariant(false);
            ok = false;
            error = QStringLiteral("'%1' no es un valor lógico válido para el campo %2").arg(v.toString(), f.nombre);
            return {};
        }
        return QVariant(v.toLongLong() != 0);
    }
    case TipoCampo::SmallInt:
    case TipoCampo::Integer: {
        qlonglong n = 0;
        if (v.typeId() == QMetaType::QString) {
            const QString s = v.toString().trimmed();
            if (s.isEmpty()) return {};
            n = s.toLongLong(&ok);
            if (!ok) {
                error = QStringLiteral("'%1' no es un número válido para el campo %2").arg(v.toString(), f.nombre);
                return {};
            }
        } else if (v.typeId() == QMetaType::Double) {
            n = qRound64(v.toDouble());
        } else {
            n = v.toLongLong(&ok);
            if (!ok) {
                error = QStringLiteral("'%1' no es un número válido para el campo %2").arg(v.toString(), f.nombre);
                return {};
            }
        }
        const qlonglong minimo = f.tipo == TipoCampo::SmallInt ? -32768 : -2147483648LL;
        const qlonglong maximo = f.tipo == TipoCampo::SmallInt ? 32767 : 2147483647LL;
        if (n < minimo || n > maximo) {
            ok = false;
            error = QStringLiteral("El valor %1 está fuera del rango del campo %2").arg(n).arg(f.nombre);
            return {};
        }
        return QVariant(int(n));
    }
    }
    return v;
}

const QVector<QVariant>& TTabla::actual() const {
    static const QVector<QVariant> vacia;
    if (evaluando_) return evaluando_->v;
    if (estado_ == EstadoTabla::Editar || estado_ == EstadoTabla::Insertar || estado_ == EstadoTabla::FijarClave)
        return edicion_.v;
    if (pos_ >= 0 && pos_ < lote_.size()) return lote_[pos_].v;
    return vacia;
}

QVariant TTabla::valor(int campo) const {
    const auto& v = actual();
    return campo >= 0 && campo < v.size() ? v[campo] : QVariant();
}
QVariant TTabla::valor(const QString& campo) const { return valor(indiceCampo(campo)); }
QString TTabla::texto(const QString& campo) const {
    const QVariant v = valor(campo);
    if (v.typeId() == QMetaType::Bool) return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return v.isNull() ? QString() : v.toString();
}
int TTabla::entero(const QString& campo) const { return valor(campo).toInt(); }
bool TTabla::logico(const QString& campo) const { return valor(campo).toBool(); }
bool TTabla::esNulo(const QString& campo) const { return valor(campo).isNull(); }

bool TTabla::fija(int campo, const QVariant& v) {
    if (campo < 0 || campo >= campos_.size())
        return falla(ErrorTabla::Estado, QStringLiteral("Campo desconocido en %1").arg(fichero_));
    if (estado_ != EstadoTabla::Editar && estado_ != EstadoTabla::Insertar && estado_ != EstadoTabla::FijarClave)
        return falla(ErrorTabla::Estado, QStringLiteral("La tabla %1 no está en modo de edición o inserción").arg(fichero_));
    bool ok = true;
    QString err;
    QVariant c = convierte(campo, v, ok, err);
    if (!ok) return falla(ErrorTabla::ValorNoValido, err);
    edicion_.v[campo] = c;
    return true;
}

bool TTabla::fija(const QString& campo, const QVariant& v) {
    const int i = indiceCampo(campo);
    if (i < 0) return falla(ErrorTabla::Estado, QStringLiteral("El campo %1 no existe en %2").arg(campo, fichero_));
    return fija(i, v);
}

// ---------------------------------------------------------------------------------------------
// Fetching

void TTabla::construyeRango() {
    rango_.parametros.clear();
    const QStringList& cols = columnasCitadas_[indiceActual_];
    const int n = std::min<int>(std::max(rango_.desde.size(), rango_.hasta.size()), cols.size());
    QVariantList desde = rango_.desde.mid(0, n), hasta = rango_.hasta.mid(0, n);
    QStringList partes;
    int comun = 0;
    while (comun < desde.size() && comun < hasta.size() && mismoValor(desde[comun], hasta[comun])) {
        partes << cols[comun] + QStringLiteral(" IS ?");
        rango_.parametros << desde[comun];
        ++comun;
    }
    if (comun < desde.size()) partes << cotaLexica(cols, desde, comun, true, rango_.parametros);
    if (comun < hasta.size()) partes << cotaLexica(cols, hasta, comun, false, rango_.parametros);
    rango_.sql = partes.isEmpty() ? QString() : partes.join(QStringLiteral(" AND "));
}

QVariantList TTabla::claveDe(const Fila& f) const {
    QVariantList k;
    for (int c : columnasIndice_[indiceActual_]) k << (c >= 0 ? f.v[c] : QVariant());
    return k;
}

bool TTabla::pasaFiltro(const Fila& f) {
    if (!filtrado_) return true;
    if (filtroExpr_) {
        const bool ok = filtroExpr_->evalua([&](int c) { return f.v[c]; }, opcionesFiltro_.sinMayusculas,
                                            !opcionesFiltro_.sinParcial);
        if (!ok) return false;
    }
    if (filtroFuncion_) {
        const Fila* antes = evaluando_;
        evaluando_ = &f;
        const bool ok = filtroFuncion_(*this);
        evaluando_ = antes;
        if (!ok) return false;
    }
    return true;
}

QVector<TTabla::Fila> TTabla::trae(Sentido s, const QVariantList& clave, bool conRowid, qint64 rowid,
                                   bool incluido, int n) {
    QVector<Fila> salida;
    if (!conexion_) return salida;
    const bool adelante = s == Sentido::Adelante;
    const QStringList& cols = columnasCitadas_[indiceActual_];
    const int k = std::min<int>(clave.size(), cols.size());
    const QString& base = selectBase_;
    const QString sufijo = (adelante ? ordenAdelante_[indiceActual_] : ordenAtras_[indiceActual_]) +
                           QStringLiteral(" LIMIT ") + QString::number(n);

    // Levels, from the one closest to the position outwards: the same key and a further rowid
    // (or, without a rowid, the same first k fields); then the same first L fields and a further
    // value of field L. Backwards, "further" is a lower value and then the empty ones, each an
    // index-friendly query. A level's text is only built when the nearer ones did not suffice.
    struct Nivel { int l; int tipo; };   // tipo: 0 same key (+rowid), 1 further value, 2 empty
    QVarLengthArray<Nivel, 12> niveles;
    if ((conRowid && k == cols.size()) || incluido) niveles.append({k, 0});
    for (int l = k - 1; l >= 0; --l) {
        if (adelante) {
            niveles.append({l, 1});
        } else if (!clave[l].isNull()) {
            niveles.append({l, 1});
            niveles.append({l, 2});
        }
    }
    if (k == 0 && !incluido) return salida;
    const bool porRowid = conRowid && k == cols.size();

    for (const Nivel& nv : niveles) {
        QVariantList p;
        QString cond;
        for (int i = 0; i < nv.l; ++i) {
            if (i) cond += QStringLiteral(" AND ");
            cond += cols[i] + QStringLiteral(" IS ?");
            p << clave[i];
        }
        auto y = [&](const QString& c) { cond += (cond.isEmpty() ? QString() : QStringLiteral(" AND ")) + c; };
        if (nv.tipo == 0 && porRowid) {
            y(adelante ? (incluido ? QStringLiteral("rowid >= ?") : QStringLiteral("rowid > ?"))
                       : (incluido ? QStringLiteral("rowid <= ?") : QStringLiteral("rowid < ?")));
            p << rowid;
        } else if (nv.tipo == 1) {
            if (adelante) {
                y(mayor(cols[nv.l], clave[nv.l], p));
            } else {
                y(cols[nv.l] + QStringLiteral(" < ?"));
                p << clave[nv.l];
            }
        } else if (nv.tipo == 2) {
            y(cols[nv.l] + QStringLiteral(" IS NULL"));
        }
        if (cond.isEmpty()) cond = QStringLiteral("1");
        QString sql = base + cond;
        if (!rango_.sql.isEmpty()) sql += QStringLiteral(" AND ") + rango_.sql;
        sql += sufijo;
        Sentencia& st = conexion_->sentencia(sql);
        int i = 1;
        for (const auto& v : p) st.enlaza(i++, v);
        for (const auto& v : rango_.parametros) st.enlaza(i++, v);
        int leidas = 0;
        Fila ultima;
        QVector<Fila> nivel;
        while (st.paso()) {
            Fila f;
            f.rowid = st.entero(0);
            f.v.resize(campos_.size());
            for (int c = 0; c < campos_.size(); ++c) f.v[c] = leeColumna(st.stmt(), c + 1, campos_[c].tipo);
            ++leidas;
            ultima = f;
            nivel << std::move(f);
        }
        st.reinicia();
        for (auto& f : nivel)
            if (pasaFiltro(f)) salida << std::move(f);
        if (int(salida.size()) >= n) {
            salida.resize(n);
            return salida;
        }
        if (leidas == n) {
            // The level had more rows than one fetch: go on from the last one read.
            auto resto = trae(s, claveDe(ultima), true, ultima.rowid, false, n - int(salida.size()));
            salida += resto;
            return salida;
        }
    }
    return salida;
}

QVector<TTabla::Fila> TTabla::traeExtremo(Sentido s, int n) { return trae(s, {}, false, 0, true, n); }

void TTabla::colocaLote(QVector<Fila> lote, int pos, bool finAtras, bool finAdelante) {
    lote_ = std::move(lote);
    pos_ = lote_.isEmpty() ? -1 : pos;
    loteInicio_ = finAtras;
    loteFin_ = finAdelante;
    bof_ = eof_ = lote_.isEmpty();
    selloLote_ = conexion_ ? conexion_->sello() : 0;
}

void TTabla::vacio() {
    lote_.clear();
    pos_ = -1;
    bof_ = eof_ = true;
    loteInicio_ = loteFin_ = true;
    selloLote_ = conexion_ ? conexion_->sello() : 0;
}

bool TTabla::loteVigente() { return conexion_ && conexion_->sello() == selloLote_; }

void TTabla::revalida() {
    if (!conexion_ || loteVigente()) return;
    vistaValida_ = false;
    cuenta_ = -1;
    if (pos_ < 0) {
        auto l = traeExtremo(Sentido::Adelante, tamanoLote_);
        const bool fin = l.size() < tamanoLote_;
        colocaLote(std::move(l), 0, true, fin);
        bof_ = true;
        return;
    }
    const Fila antigua = lote_[pos_];
    // The current row again, with its present values, if it is still in the view.
    Sentencia& st = conexion_->sentencia(QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?1")
                                             .arg(listaColumnas(), cita(nombreTabla_)));
    st.enlaza(1, antigua.rowid);
    Fila fresca;
    if (st.paso()) {
        fresca.rowid = st.entero(0);
        fresca.v.resize(campos_.size());
        for (int c = 0; c < campos_.size(); ++c) fresca.v[c] = leeColumna(st.stmt(), c + 1, campos_[c].tipo);
    }
    st.reinicia();
    QVector<Fila> l;
    if (fresca.rowid != 0)
        l = trae(Sentido::Adelante, claveDe(fresca), true, fresca.rowid, true, tamanoLote_);
    if (l.isEmpty() || l.first().rowid != fresca.rowid)
        l = trae(Sentido::Adelante, claveDe(antigua), true, antigua.rowid, false, tamanoLote_);
    if (!l.isEmpty()) {
        colocaLote(std::move(l), 0, false, false);
        return;
    }
    l = trae(Sentido::Atras, claveDe(antigua), true, antigua.rowid, false, tamanoLote_);
    if (l.isEmpty()) {
        vacio();
        return;
    }
    std::reverse(l.begin(), l.end());
    const int ultimo = l.size() - 1;
    colocaLote(std::move(l), ultimo, false, true);
    eof_ = true;
}

// ---------------------------------------------------------------------------------------------
// Navigation

void TTabla::primero() {
    if (!activa()) return;
    auto l = traeExtremo(Sentido::Adelante, tamanoLote_);
    const bool fin = l.size() < tamanoLote_;
    colocaLote(std::move(l), 0, true, fin);
    bof_ = true;
    notifica(EventoTabla::Movida);
}

void TTabla::ultimo() {
    if (!activa()) return;
    auto l = traeExtremo(Sentido::Atras, tamanoLote_);
    const bool inicio = l.size() < tamanoLote_;
    std::reverse(l.begin(), l.end());
    const int p = l.size() - 1;
    colocaLote(std::move(l), p, inicio, true);
    eof_ = true;
    notifica(EventoTabla::Movida);
}

void TTabla::siguiente() {
    if (!activa()) return;
    revalida();
    if (pos_ < 0) { bof_ = eof_ = true; return; }
    if (pos_ + 1 < lote_.size()) {
        ++pos_;
        bof_ = eof_ = false;
        notifica(EventoTabla::Movida);
        return;
    }
    if (!loteFin_) {
        const Fila cur = lote_[pos_];
        auto l = trae(Sentido::Adelante, claveDe(cur), true, cur.rowid, false, 2 * tamanoLote_);
        if (!l.isEmpty()) {
            const bool fin = l.size() < 2 * tamanoLote_;
            l.prepend(cur);
            colocaLote(std::move(l), 1, false, fin);
            notifica(EventoTabla::Movida);
            return;
        }
        loteFin_ = true;
    }
    eof_ = true;
    bof_ = false;
}

void TTabla::anterior() {
    if (!activa()) return;
    revalida();
    if (pos_ < 0) { bof_ = eof_ = true; return; }
    if (pos_ > 0) {
        --pos_;
        bof_ = eof_ = false;
        notifica(EventoTabla::Movida);
        return;
    }
    if (!loteInicio_) {
        const Fila cur = lote_[pos_];
        auto l = trae(Sentido::Atras, claveDe(cur), true, cur.rowid, false, 2 * tamanoLote_);
        if (!l.isEmpty()) {
            const bool inicio = l.size() < 2 * tamanoLote_;
            std::reverse(l.begin(), l.end());
            l.append(cur);
            const int p = l.size() - 2;
            colocaLote(std::move(l), p, inicio, false);
            notifica(EventoTabla::Movida);
            return;
        }
        loteInicio_ = true;
    }
    bof_ = true;
    eof_ = false;
}

int TTabla::mueve(int filas) {
    int hechas = 0;
    while (filas > 0 && !eof_) { siguiente(); if (!eof_) ++hechas; --filas; }
    while (filas < 0 && !bof_) { anterior(); if (!bof_) --hechas; ++filas; }
    return hechas;
}

bool TTabla::vacia() {
    if (!activa()) return true;
    revalida();
    return pos_ < 0;
}

void TTabla::refresca() {
    if (!activa()) return;
    selloLote_ = ~selloLote_;
    revalida();
    notifica(EventoTabla::Movida);
}

int TTabla::numeroRegistros() {
    if (!activa()) return 0;
    const quint64 sello = conexion_->sello();
    if (filtrado_) {
        if (!vistaValida_ || selloVista_ != sello) irAFila(-1);
        return vista_.size();
    }
    if (cuenta_ >= 0 && selloCuenta_ == sello) return int(cuenta_);
    QString sql = QStringLiteral("SELECT count(*) FROM %1").arg(cita(nombreTabla_));
    if (!rango_.sql.isEmpty()) sql += QStringLiteral(" WHERE ") + rango_.sql;
    Sentencia& st = conexion_->sentencia(sql);
    int i = 1;
    for (const auto& v : rango_.parametros) st.enlaza(i++, v);
    cuenta_ = st.paso() ? st.entero(0) : 0;
    st.reinicia();
    selloCuenta_ = sello;
    return int(cuenta_);
}

bool TTabla::irAFila(int fila) {
    if (!activa()) return false;
    const quint64 sello = conexion_->sello();
    if (!vistaValida_ || selloVista_ != sello) {
        vista_.clear();
        auto l = traeExtremo(Sentido::Adelante, 512);
        while (!l.isEmpty()) {
            for (const auto& f : l) vista_ << f.rowid;
            if (l.size() < 512) break;
            const Fila u = l.last();
            l = trae(Sentido::Adelante, claveDe(u), true, u.rowid, false, 512);
        }
        vistaValida_ = true;
        selloVista_ = sello;
    }
    if (fila < 0 || fila >= vista_.size()) return false;
    return irAMarcador(Marcador{vista_[fila]});
}

int TTabla::filaActual() {
    if (!activa() || pos_ < 0) return -1;
    if (!vistaValida_ || selloVista_ != conexion_->sello()) irAFila(-1);
    return int(vista_.indexOf(lote_[pos_].rowid));
}

// ---------------------------------------------------------------------------------------------
// Searching

bool TTabla::buscaClave(const QVariantList& valores) {
    if (!activa()) return false;
    const auto& cols = columnasIndice_[indiceActual_];
    const int k = std::min<int>(valores.size(), cols.size());
    QVariantList clave;
    for (int i = 0; i < k; ++i) {
        bool ok = true;
        QString err;
        clave << (cols[i] >= 0 ? convierte(cols[i], valores[i], ok, err) : valores[i]);
        if (!ok) return false;
    }
    // A window of one row: a look-up reads only what it finds; moving on fetches the rest.
    auto l = trae(Sentido::Adelante, clave, false, 0, true, 1);
    if (l.isEmpty()) return false;
    for (int i = 0; i < k; ++i)
        if (!mismoValor(l.first().v[cols[i]], clave[i])) return false;
    colocaLote(std::move(l), 0, false, false);
    notifica(EventoTabla::Movida);
    return true;
}

void TTabla::buscaCercano(const QVariantList& valores) {
    if (!activa()) return;
    const auto& cols = columnasIndice_[indiceActual_];
    const int k = std::min<int>(valores.size(), cols.size());
    QVariantList clave;
    for (int i = 0; i < k; ++i) {
        bool ok = true;
        QString err;
        const QVariant c = cols[i] >= 0 ? convierte(cols[i], valores[i], ok, err) : valores[i];
        clave << (ok ? c : valores[i]);
    }
    auto l = trae(Sentido::Adelante, clave, false, 0, true, 1);
    if (l.isEmpty()) {
        ultimo();
        return;
    }
    colocaLote(std::move(l), 0, false, false);
    notifica(EventoTabla::Movida);
}

void TTabla::fijaClave() {
    if (!activa()) return;
    if (estado_ == EstadoTabla::Editar || estado_ == EstadoTabla::Insertar) cancela();
    edicion_ = Fila{};
    edicion_.v.resize(campos_.size());
    estado_ = EstadoTabla::FijarClave;
    notifica(EventoTabla::Estado);
}

bool TTabla::irAClave() {
    if (estado_ != EstadoTabla::FijarClave) return false;
    QVariantList clave;
    for (int c : columnasIndice_[indiceActual_]) {
        if (c < 0 || edicion_.v[c].isNull()) break;
        clave << edicion_.v[c];
    }
    estado_ = EstadoTabla::Navegar;
    notifica(EventoTabla::Estado);
    return buscaClave(clave);
}

void TTabla::irACercano() {
    if (estado_ != EstadoTabla::FijarClave) return;
    QVariantList clave;
    for (int c : columnasIndice_[indiceActual_]) {
        if (c < 0 || edicion_.v[c].isNull()) break;
        clave << edicion_.v[c];
    }
    estado_ = EstadoTabla::Navegar;
    notifica(EventoTabla::Estado);
    buscaCercano(clave);
}

void TTabla::fijaRango(const QVariantList& desde, const QVariantList& hasta) {
    if (!activa()) return;
    rango_.activo = true;
    rango_.desde.clear();
    rango_.hasta.clear();
    const auto& cols = columnasIndice_[indiceActual_];
    auto normaliza = [&](const QVariantList& in, QVariantList& out) {
        for (int i = 0; i < in.size() && i < cols.size(); ++i) {
            bool ok = true;
            QString err;
            const QVariant c = cols[i] >= 0 ? convierte(cols[i], in[i], ok, err) : in[i];
            out << (ok ? c : in[i]);
        }
    };
    normaliza(desde, rango_.desde);
    normaliza(hasta, rango_.hasta);
    construyeRango();
    vistaValida_ = false;
    cuenta_ = -1;
    primero();
}

void TTabla::quitaRango() {
    if (!rango_.activo) return;
    rango_ = Rango{};
    vistaValida_ = false;
    cuenta_ = -1;
    if (activa()) primero();
}

bool TTabla::localiza(const QStringList& campos, const QVariantList& valores, OpcionesLocalizar o) {
    if (!activa() || campos.size() != valores.size()) return false;
    revalida();
    QVector<int> cols;
    for (const auto& c : campos) {
        const int i = indiceCampo(c);
        if (i < 0) return falla(ErrorTabla::Estado, QStringLiteral("El campo %1 no existe en %2").arg(c, fichero_));
        cols << i;
    }
    QVariantList buscados;
    for (int i = 0; i < cols.size(); ++i) {
        bool ok = true;
        QString err;
        const QVariant c = convierte(cols[i], valores[i], ok, err);
        buscados << (ok ? c : valores[i]);
    }
    auto coincide = [&](const Fila& f) {
        for (int i = 0; i < cols.size(); ++i) {
            const QVariant& v = f.v[cols[i]];
            const QVariant& b = buscados[i];
            const bool esTexto = campos_[cols[i]].tipo == TipoCampo::Char || campos_[cols[i]].tipo == TipoCampo::Memo;
            if (esTexto && (o.sinMayusculas || o.parcial)) {
                const QString sv = v.isNull() ? QString() : v.toString();
                const QString sb = b.isNull() ? QString() : b.toString();
                const auto cs = o.sinMayusculas ? Qt::CaseInsensitive : Qt::CaseSensitive;
                if (o.parcial ? !sv.startsWith(sb, cs) : sv.compare(sb, cs) != 0) return false;
            } else if (!mismoValor(v, b)) {
                return false;
            }
        }
        return true;
    };
    auto l = traeExtremo(Sentido::Adelante, 256);
    while (!l.isEmpty()) {
        for (int i = 0; i < l.size(); ++i) {
            if (coincide(l[i])) {
                const bool fin = l.size() < 256;
                colocaLote(std::move(l), i, false, fin);
                notifica(EventoTabla::Movida);
                return true;
            }
        }
        if (l.size() < 256) break;
        const Fila u = l.last();
        l = trae(Sentido::Adelante, claveDe(u), true, u.rowid, false, 256);
    }
    return false;
}

bool TTabla::fijaFiltro(const QString& expresion, QString* error) {
    QString err;
    std::unique_ptr<FiltroExpresion> f;
    if (!expresion.trimmed().isEmpty()) {
        f = FiltroExpresion::compila(expresion, [this](const QString& n, bool& numerico) {
            const int i = indiceCampo(n);
            numerico = i >= 0 && (campos_[i].tipo == TipoCampo::SmallInt || campos_[i].tipo == TipoCampo::Integer);
            return i;
        }, err);
        if (!f) {
            if (error) *error = err;
            return falla(ErrorTabla::ValorNoValido, err);
        }
    }
    filtroTexto_ = expresion;
    filtroExpr_ = std::move(f);
    vistaValida_ = false;
    if (filtrado_ && activa()) primero();
    return true;
}

void TTabla::fijaFiltroFuncion(std::function<bool(const TTabla&)> f) {
    filtroFuncion_ = std::move(f);
    vistaValida_ = false;
    if (filtrado_ && activa()) primero();
}

void TTabla::fijaOpcionesFiltro(OpcionesFiltro o) {
    opcionesFiltro_ = o;
    vistaValida_ = false;
    if (filtrado_ && activa()) primero();
}

void TTabla::fijaFiltrado(bool si) {
    if (filtrado_ == si) return;
    filtrado_ = si;
    vistaValida_ = false;
    if (activa()) primero();
}

Marcador TTabla::marcador() const {
    return pos_ >= 0 && pos_ < lote_.size() ? Marcador{lote_[pos_].rowid} : Marcador{};
}

bool TTabla::irAMarcador(const Marcador& m) {
    if (!activa() || !m.valido()) return false;
    Sentencia& st = conexion_->sentencia(QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?1")
                                             .arg(listaColumnas(), cita(nombreTabla_)));
    st.enlaza(1, m.rowid);
    Fila f;
    if (st.paso()) {
        f.rowid = st.entero(0);
        f.v.resize(campos_.size());
        for (int c = 0; c < campos_.size(); ++c) f.v[c] = leeColumna(st.stmt(), c + 1, campos_[c].tipo);
    }
    st.reinicia();
    if (f.rowid == 0) return false;
    auto l = trae(Sentido::Adelante, claveDe(f), true, f.rowid, true, 1);
    if (l.isEmpty() || l.first().rowid != f.rowid) return false;
    colocaLote(std::move(l), 0, false, false);
    notifica(EventoTabla::Movida);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Editing

QByteArray TTabla::clavePrimaria(const QVector<QVariant>& v) const {
    QByteArray k;
    for (int c : columnasIndice_[0]) {
        if (c >= 0 && !v[c].isNull()) k += v[c].toString().toUtf8();
        k += '\x1f';
    }
    return k;
}

bool TTabla::anade() { return inserta(); }

bool TTabla::inserta() {
    if (!activa()) return falla(ErrorTabla::Estado, QStringLiteral("La tabla %1 no está abierta").arg(fichero_));
    if (estado_ == EstadoTabla::Editar || estado_ == EstadoTabla::Insertar) {
        if (!graba()) return false;
    }
    edicion_ = Fila{};
    edicion_.v.resize(campos_.size());
    estado_ = EstadoTabla::Insertar;
    notifica(EventoTabla::Estado);
    return true;
}

bool TTabla::edita() {
    if (!activa()) return falla(ErrorTabla::Estado, QStringLiteral("La tabla %1 no está abierta").arg(fichero_));
    if (estado_ == EstadoTabla::Editar || estado_ == EstadoTabla::Insertar) return true;
    revalida();
    if (pos_ < 0) return inserta();
    Fila cur = lote_[pos_];
    // Lock first, then read the row again, so the values edited are the ones on disk now.
    const QByteArray clave = clavePrimaria(cur.v);
    if (!bloqueo_.bloqueaFicha(hashClave(nombreTabla_.toUtf8() + '\x1e' + clave)))
        return falla(ErrorTabla::FichaBloqueada, QStringLiteral("Ficha bloqueada por otro usuario"));
    Sentencia& st = conexion_->sentencia(QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?1")
                                             .arg(listaColumnas(), cita(nombreTabla_)));
    st.enlaza(1, cur.rowid);
    bool existe = false;
    if (st.paso()) {
        existe = true;
        for (int c = 0; c < campos_.size(); ++c) cur.v[c] = leeColumna(st.stmt(), c + 1, campos_[c].tipo);
    }
    st.reinicia();
    if (!existe) {
        bloqueo_.liberaFicha();
        refresca();
        return falla(ErrorTabla::FichaBloqueada, QStringLiteral("La ficha ha sido borrada por otro usuario"));
    }
    lote_[pos_] = cur;
    claveBloqueada_ = clave;
    edicion_ = cur;
    estado_ = EstadoTabla::Editar;
    notifica(EventoTabla::Estado);
    return true;
}

bool TTabla::compruebaEdicion() {
    if (!edita()) return false;
    cancela();
    return true;
}

bool TTabla::ejecutaEscritura(bool nueva) {
    if (sqlInsercion_.isEmpty()) {
        QStringList cols, marcas, asignaciones;
        for (const auto& f : campos_) {
            cols << cita(f.nombre);
            marcas << QStringLiteral("?");
            asignaciones << cita(f.nombre) + QStringLiteral("=?");
        }
        sqlInsercion_ = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(cita(nombreTabla_), cols.join(','), marcas.join(','));
        sqlActualizacion_ = QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?").arg(cita(nombreTabla_), asignaciones.join(','));
    }
    Sentencia& st = conexion_->sentencia(nueva ? sqlInsercion_ : sqlActualizacion_);
    if (!st.valida()) return falla(ErrorTabla::Sql, st.error());
    int i = 1;
    for (const auto& v : edicion_.v) st.enlaza(i++, v);
    if (!nueva) st.enlaza(i, edicion_.rowid);
    if (!st.ejecuta()) {
        if ((st.codigo() & 0xff) == SQLITE_CONSTRAINT)
            return falla(ErrorTabla::ClaveDuplicada,
                         QStringLiteral("Clave duplicada: ya existe una ficha con esa clave en %1").arg(fichero_));
        if ((st.codigo() & 0xff) == SQLITE_BUSY || (st.codigo() & 0xff) == SQLITE_LOCKED)
            return falla(ErrorTabla::EnUso, QStringLiteral("%1: la tabla está ocupada por otro usuario").arg(fichero_));
        return falla(ErrorTabla::Sql, QStringLiteral("%1: %2").arg(fichero_, st.error()));
    }
    if (nueva) edicion_.rowid = sqlite3_last_insert_rowid(conexion_->db());
    conexion_->marcaCambio();
    return true;
}

bool TTabla::graba() {
    if (estado_ != EstadoTabla::Editar && estado_ != EstadoTabla::Insertar)
        return falla(ErrorTabla::Estado, QStringLiteral("La tabla %1 no está en modo de edición o inserción").arg(fichero_));
    const bool nueva = estado_ == EstadoTabla::Insertar;
    if (!ejecutaEscritura(nueva)) return false;
    bloqueo_.liberaFicha();
    claveBloqueada_.clear();
    estado_ = EstadoTabla::Navegar;
    // The cursor stays on the row just written; its neighbours are fetched when it moves.
    colocaLote({edicion_}, 0, false, false);
    vistaValida_ = false;
    cuenta_ = -1;
    notifica(EventoTabla::Estado);
    notifica(EventoTabla::Datos);
    return true;
}

void TTabla::cancela() {
    if (estado_ == EstadoTabla::Editar) {
        bloqueo_.liberaFicha();
        claveBloqueada_.clear();
    }
    if (estado_ != EstadoTabla::Navegar && estado_ != EstadoTabla::Inactiva) {
        estado_ = EstadoTabla::Navegar;
        notifica(EventoTabla::Estado);
    }
}

bool TTabla::borra() {
    if (!activa()) return falla(ErrorTabla::Estado, QStringLiteral("La tabla %1 no está abierta").arg(fichero_));
    if (estado_ == EstadoTabla::Insertar) { cancela(); return true; }
    if (estado_ == EstadoTabla::FijarClave) cancela();
    if (estado_ == EstadoTabla::Navegar) revalida();
    if (pos_ < 0) return falla(ErrorTabla::Estado, QStringLiteral("La tabla %1 está vacía").arg(fichero_));
    const Fila cur = lote_[pos_];
    const bool bloqueada = estado_ == EstadoTabla::Editar;
    if (!bloqueada && !bloqueo_.bloqueaFicha(hashClave(nombreTabla_.toUtf8() + '\x1e' + clavePrimaria(cur.v))))
        return falla(ErrorTabla::FichaBloqueada, QStringLiteral("Ficha bloqueada por otro usuario"));
    Sentencia& st = conexion_->sentencia(QStringLiteral("DELETE FROM %1 WHERE rowid=?1").arg(cita(nombreTabla_)));
    st.enlaza(1, cur.rowid);
    const bool ok = st.ejecuta();
    bloqueo_.liberaFicha();
    if (!ok) return falla(ErrorTabla::Sql, QStringLiteral("%1: %2").arg(fichero_, st.error()));
    conexion_->marcaCambio();
    estado_ = EstadoTabla::Navegar;
    vistaValida_ = false;
    cuenta_ = -1;
    auto l = trae(Sentido::Adelante, claveDe(cur), true, cur.rowid, false, tamanoLote_);
    if (!l.isEmpty()) {
        const bool fin = l.size() < tamanoLote_;
        colocaLote(std::move(l), 0, false, fin);
    } else {
        l = trae(Sentido::Atras, claveDe(cur), true, cur.rowid, false, tamanoLote_);
        if (l.isEmpty()) {
            vacio();
        } else {
            std::reverse(l.begin(), l.end());
            const int p = l.size() - 1;
            colocaLote(std::move(l), p, false, true);
        }
    }
    notifica(EventoTabla::Datos);
    return true;
}

bool TTabla::insertaFila(const QVector<QVariant>& valores) {
    if (!activa()) return falla(ErrorTabla::Estado, QStringLiteral("La tabla %1 no está abierta").arg(fichero_));
    const Fila guardada = edicion_;
    const EstadoTabla estado = estado_;
    edicion_ = Fila{};
    edicion_.v.resize(campos_.size());
    for (int i = 0; i < campos_.size() && i < valores.size(); ++i) {
        bool ok = true;
        QString err;
        edicion_.v[i] = convierte(i, valores[i], ok, err);
        if (!ok) {
            edicion_ = guardada;
            return falla(ErrorTabla::ValorNoValido, err);
        }
    }
    const bool ok = ejecutaEscritura(true);
    edicion_ = guardada;
    estado_ = estado;
    return ok;
}

} // namespace kz
