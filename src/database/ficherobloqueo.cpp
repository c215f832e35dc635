#include "ficherobloqueo.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kz {
namespace {

bool bloqueo(int fd, short tipo, off_t inicio) {
    struct flock fl;
    std::memset(&fl, 0, sizeof fl);
    fl.l_type = tipo;
    fl.l_whence = SEEK_SET;
    fl.l_start = inicio;
    fl.l_len = 1;
    return fcntl(fd, F_OFD_SETLK, &fl) == 0;
}

} // namespace

quint64 hashClave(const QByteArray& clave) {
    // FNV-1a, 64 bits.
    quint64 h = 1469598103934665603ull;
    for (char ch : clave) {
        h ^= quint8(ch);
        h *= 1099511628211ull;
    }
    return h;
}

QString FicheroBloqueo::rutaDe(const QString& rutaTabla) {
    QFileInfo fi(rutaTabla);
    QString base = fi.fileName();
    const int punto = base.lastIndexOf(QLatin1Char('.'));
    if (punto > 0) base = base.left(punto);
    return fi.absolutePath() + QLatin1Char('/') + base + QStringLiteral(".lck");
}

FicheroBloqueo::~FicheroBloqueo() { cierra(); }

bool FicheroBloqueo::abre(const QString& rutaTabla, bool exclusivo, QString& error) {
    cierra();
    const QByteArray ruta = rutaDe(rutaTabla).toLocal8Bit();
    int fd = ::open(ruta.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) fd = ::open(ruta.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = QStringLiteral("no se puede abrir el fichero de bloqueo (%1)").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    if (!bloqueo(fd, exclusivo ? F_WRLCK : F_RDLCK, 0)) {
        error = exclusivo ? QStringLiteral("la tabla está en uso") : QStringLiteral("la tabla está en uso en modo exclusivo");
        ::close(fd);
        return false;
    }
    fd_ = fd;
    exclusivo_ = exclusivo;
    return true;
}

void FicheroBloqueo::cierra() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    exclusivo_ = false;
    fichaBloqueada_ = -1;
}

bool FicheroBloqueo::bloqueaFicha(quint64 hash) {
    if (fd_ < 0) return false;
    liberaFicha();
    const off_t byte = off_t(1 + (hash & 0x3FFFFFFFFFFFull));
    if (!bloqueo(fd_, F_WRLCK, byte)) return false;
    fichaBloqueada_ = byte;
    return true;
}

void FicheroBloqueo::liberaFicha() {
    if (fd_ >= 0 && fichaBloqueada_ >= 0) bloqueo(fd_, F_UNLCK, off_t(fichaBloqueada_));
    fichaBloqueada_ = -1;
}

} // namespace kz
