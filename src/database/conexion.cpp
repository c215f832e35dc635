#include "conexion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <map>
#include <sqlite3.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace kz {
namespace {

// Connections alive in this process, by canonical path.
std::map<QString, std::weak_ptr<Conexion>>& registro() {
    static std::map<QString, std::weak_ptr<Conexion>> r;
    return r;
}

constexpr size_t kCabecera = 100;

quint32 be32(const uchar* p) { return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | p[3]; }

} // namespace

QString rutaCanonica(const QString& ruta) {
    QFileInfo fi(ruta);
    const QString c = fi.canonicalFilePath();
    return c.isEmpty() ? QDir::cleanPath(fi.absoluteFilePath()) : c;
}

QString Conexion::compruebaFichero(const QString& ruta) {
    QFile f(ruta);
    if (!f.exists()) return QStringLiteral("el fichero no existe");
    if (!f.open(QIODevice::ReadOnly)) return QStringLiteral("no se puede leer el fichero (%1)").arg(f.errorString());
    const QByteArray cab = f.read(100);
    const qint64 tam = f.size();
    if (cab.size() < 100 || !cab.startsWith(QByteArray("SQLite format 3\0", 16))) {
        // A legacy Paradox table starts with its record size and header size, and carries the
        // file type at byte 4 (0 to 8) and the block size code at byte 5 (1 to 4, 8, 16, 32).
        if (cab.size() >= 6 && uchar(cab[4]) <= 8 && (uchar(cab[5]) >= 1 && uchar(cab[5]) <= 32))
            return QStringLiteral("no es una tabla de este programa (puede ser una tabla Paradox antigua)");
        return QStringLiteral("no es una tabla de este programa");
    }
    const auto* p = reinterpret_cast<const uchar*>(cab.constData());
    quint32 pagina = (quint32(p[16]) << 8) | p[17];
    if (pagina == 1) pagina = 65536;
    if (pagina < 512 || (pagina & (pagina - 1)) != 0) return QStringLiteral("la cabecera de la tabla está dañada");
    const quint32 paginas = be32(p + 28);
    const bool paginasValidas = be32(p + 92) == be32(p + 96) && paginas > 0;
    if (tam % pagina != 0 || (paginasValidas && qint64(paginas) * pagina > tam))
        return QStringLiteral("la tabla está incompleta (el fichero está truncado)");
    return {};
}

std::shared_ptr<Conexion> Conexion::abre(const QString& ruta, QString& tabla, QString& error) {
    const QString clave = rutaCanonica(ruta);
    auto& reg = registro();
    if (auto it = reg.find(clave); it != reg.end())
        if (auto viva = it->second.lock()) {
            tabla = viva->tabla_;
            return viva;
        }

    error = compruebaFichero(clave);
    if (!error.isEmpty()) return nullptr;

    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(clave.toUtf8().constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        error = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        return nullptr;
    }
    std::shared_ptr<Conexion> c(new Conexion);
    c->db_ = db;
    c->ruta_ = clave;
    sqlite3_busy_timeout(db, 5000);
    sqlite3_extended_result_codes(db, 1);
    c->ejecuta(QStringLiteral("PRAGMA synchronous=FULL"));
    c->ejecuta(QStringLiteral("PRAGMA cache_size=-16000"));
    c->ejecuta(QStringLiteral("PRAGMA mmap_size=268435456"));
    Sentencia& s = c->sentencia(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'"));
    QStringList nombres;
    while (s.paso()) nombres << s.columna(0).toString();
    if (!s.error().isEmpty()) {
        error = QStringLiteral("no es una tabla de este programa (%1)").arg(s.error());
        return nullptr;
    }
    QString elegida;
    for (const QString& n : nombres)
        if (n.compare(tabla, Qt::CaseInsensitive) == 0) elegida = n;
    if (elegida.isEmpty() && nombres.size() == 1) elegida = nombres.first();
    if (elegida.isEmpty()) {
        error = QStringLiteral("el fichero no contiene la tabla %1").arg(tabla);
        return nullptr;
    }
    c->tabla_ = tabla = elegida;
    // SQLite never makes a database file shorter than its first page, so the mapping stays valid.
    const int fd = ::open(clave.toLocal8Bit().constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        void* m = ::mmap(nullptr, kCabecera, PROT_READ, MAP_SHARED, fd, 0);
        if (m != MAP_FAILED) c->cabecera_ = static_cast<const uchar*>(m);
        ::close(fd);
    }
    reg[clave] = c;
    return c;
}

Conexion::~Conexion() {
    qDeleteAll(cache_);
    if (cabecera_) ::munmap(const_cast<uchar*>(cabecera_), kCabecera);
    if (db_) sqlite3_close(db_);
    auto& reg = registro();
    if (auto it = reg.find(ruta_); it != reg.end() && it->second.expired()) reg.erase(it);
}

Sentencia& Conexion::sentencia(const QString& sql) {
    auto it = cache_.find(sql);
    if (it == cache_.end()) it = cache_.insert(sql, new Sentencia(db_, sql));
    (*it)->reinicia();
    return **it;
}

bool Conexion::ejecuta(const QString& sql, QString* error) {
    char* msg = nullptr;
    const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &msg);
    if (rc != SQLITE_OK) {
        if (error) *error = QString::fromUtf8(msg ? msg : sqlite3_errstr(rc));
        sqlite3_free(msg);
        return false;
    }
    return true;
}

quint64 Conexion::sello() {
    const quint32 cambios = cabecera_ ? be32(cabecera_ + 24) : 0;
    return (quint64(cambios) << 32) ^ contador_;
}

bool Conexion::enTransaccion() const { return sqlite3_get_autocommit(db_) == 0; }

Transaccion::Transaccion(Conexion& c) : c_(c) {
    static int contador = 0;
    anidada_ = c_.enTransaccion();
    if (anidada_) {
        nombre_ = QStringLiteral("p%1").arg(++contador);
        iniciada_ = c_.ejecuta(QStringLiteral("SAVEPOINT ") + nombre_);
    } else {
        iniciada_ = c_.ejecuta(QStringLiteral("BEGIN IMMEDIATE"));
    }
}

Transaccion::~Transaccion() {
    if (!terminada_) deshace();
}

bool Transaccion::confirma(QString* error) {
    if (!iniciada_ || terminada_) return false;
    terminada_ = true;
    const bool ok = c_.ejecuta(anidada_ ? QStringLiteral("RELEASE ") + nombre_ : QStringLiteral("COMMIT"), error);
    if (!ok && !anidada_) c_.ejecuta(QStringLiteral("ROLLBACK"));
    c_.marcaCambio();
    return ok;
}

void Transaccion::deshace() {
    if (!iniciada_ || terminada_) return;
    terminada_ = true;
    if (anidada_) {
        c_.ejecuta(QStringLiteral("ROLLBACK TO ") + nombre_);
        c_.ejecuta(QStringLiteral("RELEASE ") + nombre_);
    } else {
        c_.ejecuta(QStringLiteral("ROLLBACK"));
    }
    c_.marcaCambio();
}

} // namespace kz
