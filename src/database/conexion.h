#pragma once
// One SQLite connection per table file and process, shared by every cursor on that file.
//
// Invariants: a Conexion exists while some cursor holds it (shared_ptr); it never creates a
// file (creation is explicit, see crea()); prepared statements are cached by their text and are
// always left reset, so no read transaction outlives a call; sello() changes whenever the file's
// rows may have changed, by this process (contador_) or by any connection's commit (the file
// change counter of the database header, which every commit in rollback-journal mode
// increments), which is how cursors learn that their buffered rows are stale. The header page is
// mapped shared and read-only, so reading that counter is a memory read that sees every other
// process's commit, cheap enough to do on every cursor move.

#include "sentencia.h"

#include <QHash>
#include <QString>
#include <memory>

struct sqlite3;

namespace kz {

class Conexion {
public:
    ~Conexion();
    // Opens an existing table file after checking that it really is one of ours and whole.
    // The file must hold the table named `tabla` (letter case aside) or a single table of any
    // name; `tabla` comes back with the name found. On failure returns null with the message.
    static std::shared_ptr<Conexion> abre(const QString& ruta, QString& tabla, QString& error);
    // Checks without opening: "" when the file looks like a whole SQLite database, else why not.
    static QString compruebaFichero(const QString& ruta);

    sqlite3* db() const { return db_; }
    const QString& ruta() const { return ruta_; }

    // A cached statement, reset, bindings cleared. Null (invalid) with the error on failure.
    Sentencia& sentencia(const QString& sql);
    bool ejecuta(const QString& sql, QString* error = nullptr);

    quint64 sello();
    void marcaCambio() { ++contador_; }
    bool enTransaccion() const;

private:
    Conexion() = default;
    sqlite3* db_ = nullptr;
    QString ruta_;
    QHash<QString, Sentencia*> cache_;
    const uchar* cabecera_ = nullptr;   // first bytes of the file, mapped
    quint64 contador_ = 0;
    QString tabla_;
};

// Transaction on one connection: rolls back unless confirmed. Nested use becomes a savepoint.
class Transaccion {
public:
    explicit Transaccion(Conexion& c);
    ~Transaccion();
    Transaccion(const Transaccion&) = delete;
    Transaccion& operator=(const Transaccion&) = delete;
    bool iniciada() const { return iniciada_; }
    bool confirma(QString* error = nullptr);
    void deshace();
private:
    Conexion& c_;
    bool iniciada_ = false;
    bool anidada_ = false;
    bool terminada_ = false;
    QString nombre_;
};

QString rutaCanonica(const QString& ruta);

} // namespace kz
