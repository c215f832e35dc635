#include "tconsulta.h"

#include "conexion.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QUrl>
#include <sqlite3.h>

namespace kz {

void TConsulta::fijaSql(const QString& sql, const QList<QPair<QString, QString>>& ficheros) {
    sql_ = sql;
    ficheros_ = ficheros;
}

bool TConsulta::abre() {
    cierra();
    error_.clear();
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI, nullptr) != SQLITE_OK) {
        error_ = QStringLiteral("No se puede preparar la consulta");
        sqlite3_close(db);
        return false;
    }
    auto cierraDb = qScopeGuard([&] { sqlite3_close(db); });
    sqlite3_busy_timeout(db, 5000);
    for (const auto& [esquema, fichero] : ficheros_) {
        const QString ruta = QDir(carpeta_).filePath(fichero);
        const QString problema = Conexion::compruebaFichero(ruta);
        if (!problema.isEmpty()) {
            error_ = QStringLiteral("%1: %2").arg(ruta, problema);
            return false;
        }
        QString uri = QStringLiteral("file:") + QString::fromUtf8(QUrl::toPercentEncoding(rutaCanonica(ruta), "/")) +
                      QStringLiteral("?mode=ro");
        Sentencia at(db, QStringLiteral("ATTACH DATABASE ?1 AS ") + esquema);
        at.enlaza(1, uri);
        if (!at.ejecuta()) {
            error_ = QStringLiteral("%1: %2").arg(ruta, at.error());
            return false;
        }
    }
    Sentencia st(db, sql_);
    if (!st.valida()) {
        error_ = st.error();
        return false;
    }
    const int n = sqlite3_bind_parameter_count(st.stmt());
    for (int i = 1; i <= n; ++i) {
        const char* nombre = sqlite3_bind_parameter_name(st.stmt(), i);
        if (nombre) st.enlaza(i, parametros_.value(QString::fromUtf8(nombre + 1)));
    }
    nombres_.clear();
    porNombre_.clear();
    for (int c = 0; c < st.columnas(); ++c) {
        QString nombre = QString::fromUtf8(sqlite3_column_name(st.stmt(), c));
        // Repeated result names get a suffix, as NOMBRE and NOMBRE_1.
        QString unico = nombre;
        for (int k = 1; porNombre_.contains(unico.toUpper()); ++k) unico = nombre + QStringLiteral("_%1").arg(k);
        porNombre_.insert(unico.toUpper(), c);
        nombres_ << unico;
    }
    while (st.paso()) {
        QVector<QVariant> fila(nombres_.size());
        for (int c = 0; c < nombres_.size(); ++c) fila[c] = st.columna(c);
        filas_ << fila;
    }
    if (!st.error().isEmpty()) {
        error_ = st.error();
        filas_.clear();
        return false;
    }
    activa_ = true;
    primero();
    return true;
}

void TConsulta::cierra() {
    activa_ = false;
    filas_.clear();
    pos_ = -1;
    bof_ = eof_ = true;
}

void TConsulta::notifica() {
    const auto copia = suscriptores_;
    for (const auto& f : copia) f();
}

int TConsulta::suscribe(std::function<void()> f) {
    const int id = siguiente_++;
    suscriptores_.insert(id, std::move(f));
    return id;
}

void TConsulta::primero() {
    pos_ = filas_.isEmpty() ? -1 : 0;
    bof_ = true;
    eof_ = filas_.isEmpty();
    notifica();
}

void TConsulta::ultimo() {
    pos_ = int(filas_.size()) - 1;
    eof_ = true;
    bof_ = filas_.isEmpty();
    notifica();
}

void TConsulta::siguiente() {
    if (pos_ + 1 < filas_.size()) {
        ++pos_;
        bof_ = eof_ = false;
        notifica();
    } else {
        eof_ = true;
    }
}

void TConsulta::anterior() {
    if (pos_ > 0) {
        --pos_;
        bof_ = eof_ = false;
        notifica();
    } else {
        bof_ = true;
    }
}

bool TConsulta::irAFila(int i) {
    if (i < 0 || i >= filas_.size()) return false;
    pos_ = i;
    bof_ = eof_ = false;
    notifica();
    return true;
}

QVariant TConsulta::valor(const QString& campo) const {
    if (pos_ < 0) return {};
    const int c = porNombre_.value(campo.toUpper(), -1);
    return c < 0 ? QVariant() : filas_[pos_][c];
}

} // namespace kz
