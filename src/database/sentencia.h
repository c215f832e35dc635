#pragma once
// RAII wrapper of a prepared SQLite statement: finalized on destruction, reset before reuse so
// that no statement keeps a read transaction open between calls.

#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

namespace kz {

class Sentencia {
public:
    Sentencia() = default;
    Sentencia(sqlite3* db, const QString& sql);
    ~Sentencia();
    Sentencia(Sentencia&& o) noexcept;
    Sentencia& operator=(Sentencia&& o) noexcept;
    Sentencia(const Sentencia&) = delete;
    Sentencia& operator=(const Sentencia&) = delete;

    bool valida() const { return st_ != nullptr; }
    QString error() const { return error_; }
    int codigo() const { return codigo_; }   // SQLite result code of the last failed step

    void reinicia();                       // reset + clear bindings
    void enlaza(int i, const QVariant& v); // 1-based
    // Steps once: true with a row, false at the end or on an error (see error()).
    bool paso();
    bool ejecuta();                        // steps to the end; false on error
    int columnas() const;
    QVariant columna(int i) const;         // 0-based; integers as qlonglong, texts as QString
    qint64 entero(int i) const;
    sqlite3_stmt* stmt() const { return st_; }

private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* st_ = nullptr;
    QString error_;
    int codigo_ = 0;
};

} // namespace kz
