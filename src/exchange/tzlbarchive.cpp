#include "tzlbarchive.h"

#include "flujozlib.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cmath>

namespace kz {
namespace {

const char* const kNoEncontrado = "Archive file not found";
const char* const kNoSePuedeAbrir = "Unable to open file (%1)";
const char* const kCorrupto = "The archive file appears to be corrupted";
const char* const kSinLista = "Unable to read archive file list";
const char* const kNoAbierto = "No archive is currently open";
const char* const kFueraDeRango = "Index out of bounds";
const char* const kYaExiste = "File already exists";
const char* const kSinDestino = "Unable to create destination path";
const char* const kFicheroCorrupto = "File (%1) is corrupt";
const char* const kNombreInseguro = "File (%1) has an unsafe name (%2)";
const char* const kNoSePuedeEscribir = "Unable to write archive file (%1)";
const char* const kRepetido = "%1 already exists in the archive";

QString texto(const char* t) { return QString::fromLatin1(t); }

constexpr qint64 kBloqueCrc = 10240;
constexpr qint64 kBloqueZlib = 4096;
constexpr qint64 kLimiteMemoria = 20971520;   // larger files are compressed into a spill file
constexpr qint64 kMaximo32 = 0xFFFFFFFFLL;
// Deflate never expands data more than about 1032 times; a declared size beyond that cannot be
// true, and a directory of more entries than this is no archive this system wrote.
constexpr qint64 kRazonMaxima = 1032;
constexpr qint64 kMaximoEntradas = 100000;

using Sumidero = std::function<bool(const char*, qint64)>;
using Avance = std::function<void(qint64)>;

// Copies `cuantos` bytes from the current position of f to the sink, in blocks.
bool copia(QFileDevice& f, qint64 cuantos, qint64 bloque, const Sumidero& salida, const Avance& avance) {
    QByteArray b(int(bloque), '\0');
    qint64 hechos = 0;
    while (hechos < cuantos) {
        const qint64 n = f.read(b.data(), std::min(bloque, cuantos - hechos));
        if (n <= 0 || !salida(b.constData(), n)) return false;
        hechos += n;
        if (avance) avance(hechos);
    }
    return true;
}

// Inflates the zlib stream that fills the next `disponibles` bytes of f into exactly `esperado`
// bytes. The output room never exceeds what is still expected plus one byte, so a stream that
// would give more is caught at once and never produces more than that; a stream that ends
// early, ends before its bytes are used up, or is damaged fails.
bool inflaExacto(QFileDevice& f, qint64 disponibles, qint64 esperado, const Sumidero& salida, const Avance& avance) {
    FlujoZlib flujo(FlujoZlib::Modo::Descomprime);
    if (!flujo.valido()) return false;
    z_stream& z = flujo.z();
    char entrada[kBloqueZlib], bloque[kBloqueZlib];
    qint64 producidos = 0;
    for (;;) {
        if (z.avail_in == 0 && disponibles > 0) {
            const qint64 n = f.read(entrada, std::min<qint64>(kBloqueZlib, disponibles));
            if (n <= 0) return false;
            disponibles -= n;
            z.next_in = reinterpret_cast<Bytef*>(entrada);
            z.avail_in = uInt(n);
        }
        const qint64 hueco = std::min<qint64>(kBloqueZlib, esperado - producidos + 1);
        z.next_out = reinterpret_cast<Bytef*>(bloque);
        z.avail_out = uInt(hueco);
        const int rc = flujo.paso(Z_NO_FLUSH);
        const qint64 n = hueco - z.avail_out;
        if (producidos + n > esperado) return false;
        if (n > 0) {
            if (!salida(bloque, n)) return false;
            producidos += n;
            if (avance) avance(producidos);
        }
        if (rc == Z_STREAM_END) return producidos == esperado && z.avail_in == 0 && disponibles == 0;
        if (rc == Z_BUF_ERROR) {
            if (z.avail_in > 0 || disponibles == 0) return false;
        } else if (rc != Z_OK) {
            return false;
        }
    }
}

// Compresses what the source gives into the sink as one zlib stream. `fuente` fills a buffer
// and returns how many bytes it put there, 0 at the end, -1 on failure.
bool comprime(int nivel, const std::function<qint64(char*, qint64)>& fuente, const Sumidero& salida) {
    FlujoZlib flujo(FlujoZlib::Modo::Comprime, nivel);
    if (!flujo.valido()) return false;
    z_stream& z = flujo.z();
    char entrada[kBloqueCrc], bloque[kBloqueZlib];
    bool finEntrada = false;
    for (;;) {
        if (z.avail_in == 0 && !finEntrada) {
            const qint64 n = fuente(entrada, kBloqueCrc);
            if (n < 0) return false;
            finEntrada = n == 0;
            z.next_in = reinterpret_cast<Bytef*>(entrada);
            z.avail_in = uInt(n);
        }
        z.next_out = reinterpret_cast<Bytef*>(bloque);
        z.avail_out = uInt(kBloqueZlib);
        const int rc = flujo.paso(finEntrada ? Z_FINISH : Z_NO_FLUSH);
        if (rc == Z_STREAM_ERROR) return false;
        const qint64 n = kBloqueZlib - z.avail_out;
        if (n > 0 && !salida(bloque, n)) return false;
        if (rc == Z_STREAM_END) return true;
    }
}

quint32 crcInicial() { return quint32(crc32(0L, Z_NULL, 0)); }
quint32 sumaCrc(quint32 crc, const char* datos, qint64 n) {
    return quint32(crc32(crc, reinterpret_cast<const Bytef*>(datos), uInt(n)));
}

// A name of a file inside a folder: no separators, no drive, not "." nor "..", no controls.
bool componenteSeguro(const QString& s) {
    if (s.isEmpty() || s == QLatin1String(".") || s == QLatin1String("..")) return false;
    for (QChar c : s)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c.unicode() < 0x20)
            return false;
    return true;
}

QStringList partesCarpeta(const QString& carpeta) {
    QString c = carpeta;
    c.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return c.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

} // namespace

TZLBArchive::~TZLBArchive() {
    // No events from a component that is going away: their handlers may be gone already.
    OnProgress = nullptr;
    CloseArchive();
}

int TZLBArchive::nivelZlib(TCompressionLevel nivel) {
    switch (nivel) {
    case fcNone: return 0;
    case fcFastest: return 1;
    case fcDefault: return Z_DEFAULT_COMPRESSION;
    case fcMaximum: return 9;
    }
    return Z_DEFAULT_COMPRESSION;
}

int TZLBArchive::porcentaje(qint64 hecho, qint64 total) {
    if (total <= 0) return 100;
    return int(std::nearbyint(double(hecho) * 100.0 / double(total)));
}

bool TZLBArchive::falla(const QString& mensaje) {
    error_ = mensaje;
    return false;
}

void TZLBArchive::progreso(const QString& t, int p) {
    if (OnProgress) OnProgress(t, p);
}

void TZLBArchive::registra(const QString& t) {
    if (OnErrorLogged) OnErrorLogged(t);
}

// ---------------------------------------------------------------------------------------------
// Opening and closing

void TZLBArchive::CloseArchive() {
    fichero_.clear();
    cola_ = TZLBTrailer{};
    entradas_.clear();
    tamanoFichero_ = 0;
    abierto_ = nuevo_ = false;
    progreso(QString(), 0);
}

bool TZLBArchive::CreateArchive(const QString& nombre) {
    CloseArchive();
    error_.clear();
    if (nombre.isEmpty()) return false;
    if (QFileInfo::exists(nombre)) return falla(texto(kYaExiste));
    fichero_ = nombre;
    abierto_ = nuevo_ = true;
    return true;
}

bool TZLBArchive::OpenArchive(const QString& nombre) {
    CloseArchive();
    error_.clear();
    if (nombre.isEmpty()) return false;
    if (!QFileInfo::exists(nombre)) return falla(texto(kNoEncontrado));
    QFile f(nombre);
    if (!f.open(QIODevice::ReadOnly)) return falla(texto(kNoSePuedeAbrir).arg(nombre));

    // The whole file before the trailer must match the trailer's CRC; a file too short to hold
    // a trailer is damaged and nothing of it is read.
    const qint64 tamano = f.size();
    if (tamano < TZLBTrailer::kTamano) return falla(texto(kCorrupto));
    const qint64 finDatos = tamano - TZLBTrailer::kTamano;
    quint32 crc = crcInicial();
    if (!copia(f, finDatos, kBloqueCrc, [&](const char* d, qint64 n) { crc = sumaCrc(crc, d, n); return true; }, {}))
        return falla(texto(kCorrupto));
    const QByteArray bytesCola = f.read(TZLBTrailer::kTamano);
    TZLBTrailer cola;
    if (bytesCola.size() != TZLBTrailer::kTamano || !TZLBTrailer::decodifica(bytesCola.constData(), cola) ||
        cola.crc != crc)
        return falla(texto(kCorrupto));

    QList<TZLBEntry> entradas;
    if (!leeDirectorio(f, finDatos, cola, entradas)) return falla(texto(kSinLista));
    fichero_ = nombre;
    cola_ = cola;
    entradas_ = std::move(entradas);
    tamanoFichero_ = tamano;
    abierto_ = true;
    progreso(nombre, 0);
    return true;
}

bool TZLBArchive::leeDirectorio(QFileDevice& f, qint64 finDatos, const TZLBTrailer& cola, QList<TZLBEntry>& entradas) {
    const qint64 cuantas = cola.entradas;
    const qint64 bytes = cuantas * TZLBEntry::kTamano;
    const qint64 posicion = cola.posicionDirectorio;
    if (cuantas > kMaximoEntradas || posicion > finDatos) return false;
    if (cola.directorioComprimido) {
        if (posicion + cola.tamanoDirectorio != finDatos || bytes > qint64(cola.tamanoDirectorio) * kRazonMaxima)
            return false;
    } else if (cola.tamanoDirectorio != 0 || posicion + bytes != finDatos) {
        return false;
    }
    if (!f.seek(posicion)) return false;

    QByteArray directorio;
    directorio.reserve(bytes);
    const Sumidero guarda = [&](const char* d, qint64 n) { directorio.append(d, n); return true; };
    if (cola.directorioComprimido) {
        const QString rotulo = QStringLiteral("Extracting archive registry");
        int ultimo = -1;
        const Avance avance = [&](qint64 hechos) {
            const int p = porcentaje(hechos, bytes);
            if (p != ultimo) progreso(rotulo, ultimo = p);
        };
        if (!inflaExacto(f, finDatos - posicion, bytes, guarda, avance)) return false;
    } else if (!copia(f, bytes, kBloqueZlib, guarda, {})) {
        return false;
    }
    if (directorio.size() != bytes) return false;

    for (qint64 i = 0; i < cuantas; ++i) {
        TZLBEntry e;
        if (!TZLBEntry::decodifica(directorio.constData() + i * TZLBEntry::kTamano, e)) return false;
        if (qint64(e.posicion) + e.tamanoAlmacenado > posicion) return false;
        entradas << e;
    }
    return true;
}

int TZLBArchive::Count() {
    if (!abierto_) {
        falla(texto(kNoAbierto));
        return -1;
    }
    return int(entradas_.size());
}

bool TZLBArchive::GetEntry(int indice, TZLBEntry& entrada) {
    if (!abierto_) return falla(texto(kNoAbierto));
    if (indice < 0 || indice >= entradas_.size()) return falla(texto(kFueraDeRango));
    entrada = entradas_[indice];
    return true;
}

// ---------------------------------------------------------------------------------------------
// Names

void TZLBArchive::reduceRuta(const QString& ruta, QString& carpeta, QString& nombre) const {
    QString r = ruta;
    r.replace(QLatin1Char('/'), QLatin1Char('\\'));
    const int barra = r.lastIndexOf(QLatin1Char('\\'));
    nombre = r.mid(barra + 1);
    carpeta.clear();
    if (!SavePaths) return;
    carpeta = r.left(barra + 1);
    const int unidad = carpeta.indexOf(QLatin1Char(':'));
    if (unidad >= 0) carpeta = carpeta.mid(unidad + 1);
}

int TZLBArchive::buscaEn(const QList<TZLBEntry>& entradas, const QString& ruta) const {
    QString carpeta, nombre;
    reduceRuta(ruta, carpeta, nombre);
    const QString buscada = carpeta + nombre;
    for (int i = 0; i < entradas.size(); ++i)
        if (entradas[i].ruta().compare(buscada, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

int TZLBArchive::FindEntry(const QString& ruta) {
    if (!abierto_) {
        falla(texto(kNoAbierto));
        return -1;
    }
    return buscaEn(entradas_, ruta);
}

// ---------------------------------------------------------------------------------------------
// Adding

QStringList TZLBArchive::expande(const QStringList& lista) const {
    QStringList salida;
    for (const QString& item : lista) {
        const QFileInfo fi(item);
        if (!fi.isDir()) {
            salida << item;
            continue;
        }
        if (!RecursePaths) continue;
        QDir d(item);
        for (const QString& n : d.entryList(QDir::Files | QDir::Hidden, QDir::Name)) salida << d.filePath(n);
        if (SavePaths) {
            QStringList sub;
            for (const QString& n : d.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name))
                sub << d.filePath(n);
            salida << expande(sub);
        }
    }
    return salida;
}

TZLBArchive::Resultado TZLBArchive::anadeFichero(const QString& ruta, QFileDevice& destino, quint32& crcArchivo,
                                                 qint64& fin, TZLBEntry& e) {
    e = TZLBEntry{};
    reduceRuta(ruta, e.carpeta, e.nombre);
    QByteArray prueba;
    if (e.nombre.isEmpty() || !e.codifica(prueba)) return Resultado::FalloFichero;
    QFile f(ruta);
    if (!QFileInfo(ruta).isFile() || !f.open(QIODevice::ReadOnly)) return Resultado::FalloFichero;
    const qint64 tamano = f.size();
    if (tamano > kMaximo32) return Resultado::FalloFichero;

    // Small files are read once into memory, which also serves when they are stored as they
    // are; larger ones are compressed into a spill file and read again if stored.
    const bool enMemoria = tamano <= kLimiteMemoria;
    QByteArray original, comprimido;
    QTemporaryFile derrame(QDir(QDir::tempPath()).filePath(QStringLiteral("ZLBXXXXXX")));
    if (!enMemoria && !derrame.open()) return Resultado::FalloFichero;
    qint64 tamanoComprimido = 0;
    quint32 crc = crcInicial();
    qint64 leidos = 0;
    int ultimo = -1;
    const QString rotulo = QStringLiteral("Updating %1").arg(ruta);
    const auto fuente = [&](char* b, qint64 max) -> qint64 {
        const qint64 n = f.read(b, max);
        if (n < 0) return -1;
        crc = sumaCrc(crc, b, n);
        if (enMemoria) original.append(b, n);
        leidos += n;
        const int p = porcentaje(leidos, tamano);
        if (p != ultimo) progreso(rotulo, ultimo = p);
        return n;
    };
    const Sumidero salida = [&](const char* d, qint64 n) {
        tamanoComprimido += n;
        if (enMemoria) {
            comprimido.append(d, n);
            return true;
        }
        return derrame.write(d, n) == n;
    };
    if (!comprime(nivelZlib(CompressionLevel), fuente, salida) || leidos != tamano) return Resultado::FalloFichero;

    e.tamano = quint32(tamano);
    e.crc = crc;
    e.almacenado = !(tamanoComprimido < tamano);
    e.nivel = e.almacenado ? 0 : quint8(CompressionLevel);
    e.tamanoAlmacenado = quint32(e.almacenado ? tamano : tamanoComprimido);
    if (fin + e.tamanoAlmacenado > kMaximo32) return Resultado::FalloFichero;
    e.posicion = quint32(fin);

    const Sumidero escribe = [&](const char* d, qint64 n) {
        if (destino.write(d, n) != n) return false;
        crcArchivo = sumaCrc(crcArchivo, d, n);
        return true;
    };
    bool ok = true;
    if (enMemoria) {
        const QByteArray& datos = e.almacenado ? original : comprimido;
        ok = escribe(datos.constData(), datos.size());
    } else if (!e.almacenado) {
        ok = derrame.seek(0) && copia(derrame, tamanoComprimido, kBloqueZlib, escribe, {});
    } else {
        // The file is read a second time: it must still be the file whose CRC was taken.
        quint32 otra = crcInicial();
        ok = f.seek(0) && copia(f, tamano, kBloqueCrc, [&](const char* d, qint64 n) {
                 otra = sumaCrc(otra, d, n);
                 return escribe(d, n);
             }, {}) && otra == crc;
    }
    if (!ok) return Resultado::FalloArchivo;
    fin += e.tamanoAlmacenado;
    return Resultado::Hecho;
}

bool TZLBArchive::escribeDirectorio(const QList<TZLBEntry>& entradas, QFileDevice& destino, quint32& crc,
                                    TZLBTrailer& cola) {
    QByteArray directorio;
    for (const TZLBEntry& e : entradas) {
        QByteArray b;
        e.codifica(b);
        directorio += b;
    }
    const QString rotulo = QStringLiteral("Writing archive registry");
    qint64 leidos = 0;
    int ultimo = -1;
    QByteArray comprimido;
    const bool ok = comprime(nivelZlib(CompressionLevel), [&](char* b, qint64 max) -> qint64 {
        const qint64 n = std::min<qint64>(max, directorio.size() - leidos);
        memcpy(b, directorio.constData() + leidos, size_t(n));
        leidos += n;
        const int p = porcentaje(leidos, directorio.size());
        if (p != ultimo) progreso(rotulo, ultimo = p);
        return n;
    }, [&](const char* d, qint64 n) { comprimido.append(d, n); return true; });
    cola.directorioComprimido = ok;
    cola.tamanoDirectorio = ok ? quint32(comprimido.size()) : 0;
    const QByteArray& escrito = ok ? comprimido : directorio;
    if (destino.write(escrito) != escrito.size()) return false;
    crc = sumaCrc(crc, escrito.constData(), escrito.size());
    cola.entradas = quint32(entradas.size());
    cola.marca = 1;
    cola.crc = crc;
    const QByteArray b = cola.codifica();
    return destino.write(b) == b.size();
}

bool TZLBArchive::AddFiles(const QStringList& lista) {
    error_.clear();
    if (!abierto_) return falla(texto(kNoAbierto));
    const QString nombre = fichero_;
    const QStringList ficheros = expande(lista);
    const auto fallo = [&] { return falla(texto(kNoSePuedeEscribir).arg(nombre)); };

    // The new archive is written beside the old one and takes its name only when whole, so a
    // failure at any point leaves the old archive as it was.
    QSaveFile destino(nombre);
    if (!destino.open(QIODevice::WriteOnly)) return fallo();
    quint32 crc = crcInicial();
    qint64 fin = 0;
    QList<TZLBEntry> entradas;
    if (!nuevo_) {
        QFile viejo(nombre);
        if (!viejo.open(QIODevice::ReadOnly) || viejo.size() != tamanoFichero_) return fallo();
        const Sumidero escribe = [&](const char* d, qint64 n) {
            crc = sumaCrc(crc, d, n);
            return destino.write(d, n) == n;
        };
        if (!copia(viejo, cola_.posicionDirectorio, kBloqueCrc, escribe, {})) return fallo();
        fin = cola_.posicionDirectorio;
        entradas = entradas_;
    }
    for (const QString& ruta : ficheros) {
        if (buscaEn(entradas, ruta) >= 0) registra(texto(kRepetido).arg(ruta));
        TZLBEntry e;
        const Resultado r = entradas.size() >= kMaximoEntradas ? Resultado::FalloFichero
                                                                : anadeFichero(ruta, destino, crc, fin, e);
        if (r == Resultado::FalloArchivo) return fallo();
        if (r == Resultado::FalloFichero) {
            registra(texto(kNoSePuedeAbrir).arg(ruta));
            continue;
        }
        entradas << e;
    }
    TZLBTrailer cola;
    cola.posicionDirectorio = quint32(fin);
    if (!escribeDirectorio(entradas, destino, crc, cola) || !destino.commit()) return fallo();
    CloseArchive();
    if (!OpenArchive(nombre)) return false;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Extracting

QString TZLBArchive::carpetaDestino(const QString& base, const TZLBEntry& e) const {
    QStringList partes = partesCarpeta(base);
    QString r = base.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    if (ExtractWithPath) partes << partesCarpeta(e.carpeta);
    return r + partes.join(QLatin1Char('/'));
}

// Every entry is checked before the first file is written: a name that could leave the target
// folder, or sizes that no stream can have, stop the extraction with nothing written.
bool TZLBArchive::compruebaEntradas() {
    for (int i = 0; i < entradas_.size(); ++i) {
        const TZLBEntry& e = entradas_[i];
        bool seguro = componenteSeguro(e.nombre);
        if (ExtractWithPath)
            for (const QString& p : partesCarpeta(e.carpeta)) seguro = seguro && componenteSeguro(p);
        if (!seguro) return falla(texto(kNombreInseguro).arg(i).arg(e.ruta()));
        const bool posible = e.almacenado ? e.tamanoAlmacenado == e.tamano
                                          : qint64(e.tamano) <= qint64(e.tamanoAlmacenado) * kRazonMaxima;
        if (!posible) return falla(texto(kFicheroCorrupto).arg(i));
    }
    return true;
}

bool TZLBArchive::extraeEntrada(QFileDevice& f, int i, const QString& carpeta) {
    const TZLBEntry& e = entradas_[i];
    QDir().mkpath(carpeta);
    if (!QFileInfo(carpeta).isDir()) return falla(texto(kSinDestino));
    const QString destino = QDir(carpeta).filePath(e.nombre);
    // Written under a temporary name and renamed when whole: a damaged member never leaves a
    // half file behind nor spoils the file it would have replaced.
    QSaveFile salida(destino);
    if (!salida.open(QIODevice::WriteOnly)) return falla(texto(kNoSePuedeAbrir).arg(destino));
    quint32 crc = crcInicial();
    bool escritura = true;
    const Sumidero escribe = [&](const char* d, qint64 n) {
        crc = sumaCrc(crc, d, n);
        escritura = salida.write(d, n) == n;
        return escritura;
    };
    const QString rotulo = QStringLiteral("Extracting %1").arg(e.nombre);
    int ultimo = -1;
    const Avance avance = [&](qint64 hechos) {
        const int p = porcentaje(hechos, e.tamano);
        if (p != ultimo) progreso(rotulo, ultimo = p);
    };
    bool ok = f.seek(e.posicion);
    if (ok) ok = e.almacenado ? copia(f, e.tamano, kBloqueZlib, escribe, avance)
                              : inflaExacto(f, e.tamanoAlmacenado, e.tamano, escribe, avance);
    if (!ok && !escritura) {
        salida.cancelWriting();
        return falla(texto(kNoSePuedeAbrir).arg(destino));
    }
    if (!ok || (CheckCRC && crc != e.crc)) {
        salida.cancelWriting();
        return falla(texto(kFicheroCorrupto).arg(i));
    }
    if (!salida.commit()) return falla(texto(kNoSePuedeAbrir).arg(destino));
    return true;
}

bool TZLBArchive::ExtractFiles(const QString& carpeta) {
    error_.clear();
    if (!abierto_) return falla(texto(kNoAbierto));
    QFile f(fichero_);
    if (nuevo_ || !f.open(QIODevice::ReadOnly)) return falla(texto(kNoSePuedeAbrir).arg(fichero_));
    // The file must still be the one that was checked when it was opened.
    if (f.size() != tamanoFichero_ || !f.seek(tamanoFichero_ - TZLBTrailer::kTamano) ||
        f.read(TZLBTrailer::kTamano) != cola_.codifica())
        return falla(texto(kCorrupto));
    if (!compruebaEntradas()) return false;
    for (int i = 0; i < entradas_.size(); ++i)
        if (!extraeEntrada(f, i, carpetaDestino(carpeta, entradas_[i]))) return false;
    progreso(fichero_, 0);
    return true;
}

} // namespace kz
