#pragma once
// Locks between processes on a table, held on the lock file beside it (CenPob.DB -> CenPob.lck).
//
// Open-file-description locks (F_OFD_SETLK) belong to one open of the lock file, so every
// cursor holds its own and two cursors of one process exclude each other like two processes
// do. Byte 0 carries the open mode: a read lock for a shared open, a write lock for an
// exclusive one. A record in edit holds a write lock on one byte past 0 chosen from a 64-bit
// hash of its primary key. The kernel drops every lock when the holder dies, so a crash never
// leaves a table or a record locked. No call ever waits.

#include <QString>

namespace kz {

class FicheroBloqueo {
public:
    FicheroBloqueo() = default;
    ~FicheroBloqueo();
    FicheroBloqueo(const FicheroBloqueo&) = delete;
    FicheroBloqueo& operator=(const FicheroBloqueo&) = delete;

    static QString rutaDe(const QString& rutaTabla);

    // Takes the open lock; false (with the reason) when someone else's lock stands in the way.
    bool abre(const QString& rutaTabla, bool exclusivo, QString& error);
    void cierra();
    bool abierto() const { return fd_ >= 0; }
    bool exclusivo() const { return exclusivo_; }

    bool bloqueaFicha(quint64 hashClave);
    void liberaFicha();

private:
    int fd_ = -1;
    bool exclusivo_ = false;
    qint64 fichaBloqueada_ = -1;
};

quint64 hashClave(const QByteArray& clave);

} // namespace kz
