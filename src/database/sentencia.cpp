#include "sentencia.h"

#include <sqlite3.h>

namespace kz {

Sentencia::Sentencia(sqlite3* db, const QString& sql) : db_(db) {
    const QByteArray texto = sql.toUtf8();
    if (sqlite3_prepare_v3(db, texto.constData(), int(texto.size()), SQLITE_PREPARE_PERSISTENT, &st_, nullptr)
        != SQLITE_OK) {
        error_ = QString::fromUtf8(sqlite3_errmsg(db));
        st_ = nullptr;
    }
}

Sentencia::~Sentencia() {
    if (st_) sqlite3_finalize(st_);
}

Sentencia::Sentencia(Sentencia&& o) noexcept : db_(o.db_), st_(o.st_), error_(std::move(o.error_)) {
    o.st_ = nullptr;
}

Sentencia& Sentencia::operator=(Sentencia&& o) noexcept {
    if (this != &o) {
        if (st_) sqlite3_finalize(st_);
        db_ = o.db_;
        st_ = o.st_;
        error_ = std::move(o.error_);
        o.st_ = nullptr;
    }
    return *this;
}

void Sentencia::reinicia() {
    if (!st_) return;
    sqlite3_reset(st_);
    sqlite3_clear_bindings(st_);
}

void Sentencia::enlaza(int i, const QVariant& v) {
    if (!st_) return;
    if (!v.isValid() || v.isNull()) {
        sqlite3_bind_null(st_, i);
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Bool:
        sqlite3_bind_int(st_, i, v.toBool() ? 1 : 0);
        break;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        sqlite3_bind_int64(st_, i, v.toLongLong());
        break;
    default: {
        const QByteArray t = v.toString().toUtf8();
        sqlite3_bind_text(st_, i, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    }
    }
}

bool Sentencia::paso() {
    if (!st_) return false;
    const int rc = sqlite3_step(st_);
    if (rc == SQLITE_ROW) return true;
    if (rc != SQLITE_DONE) {
        error_ = QString::fromUtf8(sqlite3_errmsg(db_));
        codigo_ = rc;
    } else {
        error_.clear();
        codigo_ = 0;
    }
    sqlite3_reset(st_);
    return false;
}

bool Sentencia::ejecuta() {
    if (!st_) return false;
    error_.clear();
    while (paso()) {}
    return error_.isEmpty();
}

int Sentencia::columnas() const { return st_ ? sqlite3_column_count(st_) : 0; }

QVariant Sentencia::columna(int i) const {
    switch (sqlite3_column_type(st_, i)) {
    case SQLITE_INTEGER: return QVariant(qlonglong(sqlite3_column_int64(st_, i)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(st_, i));
    case SQLITE_NULL: return QVariant();
    default: {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st_, i));
        return QVariant(QString::fromUtf8(p, sqlite3_column_bytes(st_, i)));
    }
    }
}

qint64 Sentencia::entero(int i) const { return sqlite3_column_int64(st_, i); }

} // namespace kz
