#include "comun/carpetaprueba.h"
#include "exchange/cp1252.h"
#include "exchange/tzlbarchive.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QtEndian>
#include <gtest/gtest.h>
#include <zlib.h>

using namespace kz;
using kz::prueba::CarpetaPrueba;

namespace {

const QString kCorrupto = QStringLiteral("The archive file appears to be corrupted");
const QString kSinLista = QStringLiteral("Unable to read archive file list");

QByteArray lee(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void escribe(const QString& ruta, const QByteArray& datos) {
    QDir().mkpath(QFileInfo(ruta).path());
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(datos);
}

QByteArray textoRepetido(int veces) {
    QByteArray b;
    for (int i = 0; i < veces; ++i) b += "TURNO;HEX;NOMBRE;PAIS " + QByteArray::number(i % 17) + "\n";
    return b;
}

QByteArray aleatorio(int n) {
    QByteArray b(n, '\0');
    QRandomGenerator g(42);
    for (char& c : b) c = char(g.bounded(256));
    return b;
}

quint32 crcDe(const QByteArray& b) {
    return quint32(crc32(0, reinterpret_cast<const Bytef*>(b.constData()), uInt(b.size())));
}

QByteArray zlibDe(const QByteArray& b) {
    uLongf n = compressBound(uLong(b.size()));
    QByteArray s(int(n), '\0');
    compress(reinterpret_cast<Bytef*>(s.data()), &n, reinterpret_cast<const Bytef*>(b.constData()), uLong(b.size()));
    s.resize(int(n));
    return s;
}

// An archive built by hand: the member data as given, entries with every field as given
// (offsets filled in unless fijados), a compressed directory and a right trailer.
struct Miembro {
    TZLBEntry entrada;
    QByteArray datos;
};
QByteArray construye(QList<Miembro> miembros, bool posicionesFijadas = false) {
    QByteArray archivo, directorio;
    for (Miembro& m : miembros) {
        if (!posicionesFijadas) m.entrada.posicion = quint32(archivo.size());
        archivo += m.datos;
    }
    for (const Miembro& m : miembros) {
        QByteArray b;
        EXPECT_TRUE(m.entrada.codifica(b));
        directorio += b;
    }
    TZLBTrailer cola;
    cola.entradas = quint32(miembros.size());
    cola.posicionDirectorio = quint32(archivo.size());
    const QByteArray comprimido = zlibDe(directorio);
    cola.directorioComprimido = true;
    cola.tamanoDirectorio = quint32(comprimido.size());
    archivo += comprimido;
    cola.crc = crcDe(archivo);
    return archivo + cola.codifica();
}

Miembro comprimido(const QString& nombre, const QByteArray& contenido) {
    Miembro m;
    m.entrada.nombre = nombre;
    m.entrada.tamano = quint32(contenido.size());
    m.datos = zlibDe(contenido);
    m.entrada.tamanoAlmacenado = quint32(m.datos.size());
    m.entrada.crc = crcDe(contenido);
    m.entrada.nivel = 2;
    return m;
}

struct Registro {
    QStringList progreso, errores;
    void conecta(TZLBArchive& a) {
        a.OnProgress = [this](const QString& t, int p) { progreso << QStringLiteral("%1|%2").arg(t).arg(p); };
        a.OnErrorLogged = [this](const QString& t) { errores << t; };
    }
};

class ArchivoZlb : public ::testing::Test {
protected:
    CarpetaPrueba carpeta;
    QString ruta(const QString& r) const { return carpeta.fichero(r); }

    // Writes an archive of the given files (relative paths in the test folder).
    bool crea(const QString& archivo, const QStringList& ficheros, Registro* r = nullptr) {
        TZLBArchive a;
        if (r) r->conecta(a);
        if (!a.CreateArchive(ruta(archivo))) return false;
        QStringList rutas;
        for (const QString& f : ficheros) rutas << ruta(f);
        const bool ok = a.AddFiles(rutas);
        a.CloseArchive();
        return ok;
    }
    QStringList ficherosEn(const QString& relativa) const {
        QStringList l;
        QDirIterator it(ruta(relativa), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) l << QDir(ruta(relativa)).relativeFilePath(it.next());
        l.sort();
        return l;
    }
};

} // namespace

TEST_F(ArchivoZlb, IdaYVueltaConMiembrosComprimidosYGuardados) {
    const QByteArray texto = textoRepetido(2000), ruido = aleatorio(5000);
    escribe(ruta("orig/Pjs.DB"), texto);
    escribe(ruta("orig/ruido.bin"), ruido);
    escribe(ruta("orig/vacio.txt"), {});
    Registro r;
    ASSERT_TRUE(crea("A.zlb", {"orig/Pjs.DB", "orig/ruido.bin", "orig/vacio.txt"}, &r));
    EXPECT_TRUE(r.errores.isEmpty());
    EXPECT_TRUE(r.progreso.contains(QStringLiteral("Updating %1|100").arg(ruta("orig/Pjs.DB"))));
    EXPECT_TRUE(r.progreso.contains(QStringLiteral("Writing archive registry|100")));

    TZLBArchive a;
    a.CheckCRC = true;
    Registro r2;
    r2.conecta(a);
    ASSERT_TRUE(a.OpenArchive(ruta("A.zlb"))) << a.error().toStdString();
    ASSERT_EQ(a.Count(), 3);
    TZLBEntry e;
    ASSERT_TRUE(a.GetEntry(0, e));
    EXPECT_EQ(e.nombre, QStringLiteral("Pjs.DB"));
    EXPECT_EQ(e.carpeta, QString());
    EXPECT_FALSE(e.almacenado);
    EXPECT_EQ(e.nivel, 2);
    EXPECT_EQ(e.tamano, quint32(texto.size()));
    EXPECT_LT(e.tamanoAlmacenado, e.tamano);
    EXPECT_EQ(e.crc, crcDe(texto));
    ASSERT_TRUE(a.GetEntry(1, e));
    EXPECT_TRUE(e.almacenado);
    EXPECT_EQ(e.nivel, 0);
    EXPECT_EQ(e.tamanoAlmacenado, e.tamano);
    ASSERT_TRUE(a.GetEntry(2, e));
    EXPECT_TRUE(e.almacenado);
    EXPECT_EQ(e.tamano, 0u);

    ASSERT_TRUE(a.ExtractFiles(ruta("sal"))) << a.error().toStdString();
    EXPECT_EQ(lee(ruta("sal/Pjs.DB")), texto);
    EXPECT_EQ(lee(ruta("sal/ruido.bin")), ruido);
    EXPECT_TRUE(QFileInfo::exists(ruta("sal/vacio.txt")));
    EXPECT_TRUE(r2.progreso.contains(QStringLiteral("Extracting archive registry|100")));
    EXPECT_TRUE(r2.progreso.contains(QStringLiteral("Extracting Pjs.DB|100")));
    EXPECT_EQ(r2.progreso.last(), ruta("A.zlb") + QStringLiteral("|0"));
    a.CloseArchive();
    EXPECT_EQ(r2.progreso.last(), QStringLiteral("|0"));
}

TEST_F(ArchivoZlb, DisposicionDeLosBytes) {
    const QByteArray texto = textoRepetido(100);
    escribe(ruta("Año€.txt"), texto);
    ASSERT_TRUE(crea("B.zlb", {"Año€.txt"}));
    const QByteArray b = lee(ruta("B.zlb"));
    ASSERT_GT(b.size(), 36);
    const char* cola = b.constData() + b.size() - 36;
    EXPECT_EQ(qFromLittleEndian<quint32>(cola), crcDe(b.left(b.size() - 36)));
    EXPECT_EQ(qFromLittleEndian<quint32>(cola + 4), 1u);
    EXPECT_EQ(qFromLittleEndian<quint32>(cola + 8), 1u);
    const quint32 tamDir = qFromLittleEndian<quint32>(cola + 12);
    const quint32 posDir = qFromLittleEndian<quint32>(cola + 16);
    EXPECT_EQ(cola[20], 1);
    EXPECT_EQ(QByteArray(cola + 21, 15), QByteArray(15, '\0'));
    EXPECT_EQ(posDir + tamDir, quint32(b.size() - 36));

    uLongf n = 532;
    QByteArray entrada(532, '\x55');
    ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(entrada.data()), &n,
                         reinterpret_cast<const Bytef*>(b.constData() + posDir), tamDir), Z_OK);
    ASSERT_EQ(n, 532u);
    const QByteArray nombre("A\xf1o\x80.txt", 8);
    EXPECT_EQ(uchar(entrada[0]), 8);
    EXPECT_EQ(entrada.mid(1, 8), nombre);
    EXPECT_EQ(entrada.mid(9, 247 + 256), QByteArray(247 + 256, '\0'));
    EXPECT_EQ(qFromLittleEndian<quint32>(entrada.constData() + 512), quint32(texto.size()));
    const quint32 almacenado = qFromLittleEndian<quint32>(entrada.constData() + 516);
    EXPECT_EQ(almacenado, posDir);
    EXPECT_EQ(qFromLittleEndian<quint32>(entrada.constData() + 520), 0u);
    EXPECT_EQ(qFromLittleEndian<quint32>(entrada.constData() + 524), crcDe(texto));
    EXPECT_EQ(entrada[528], 0);
    EXPECT_EQ(entrada[529], 2);
    EXPECT_EQ(entrada.mid(530, 2), QByteArray(2, '\0'));
    QByteArray miembro(texto.size(), '\0');
    n = uLongf(texto.size());
    ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(miembro.data()), &n,
                         reinterpret_cast<const Bytef*>(b.constData()), almacenado), Z_OK);
    EXPECT_EQ(miembro, texto);

    TZLBArchive a;
    ASSERT_TRUE(a.OpenArchive(ruta("B.zlb")));
    EXPECT_EQ(a.entradas().first().nombre, QStringLiteral("Año€.txt"));
}

TEST_F(ArchivoZlb, ArchivoVacioEsColaYDirectorioVacioComprimido) {
    TZLBArchive a;
    ASSERT_TRUE(a.CreateArchive(ruta("V.zlb")));
    EXPECT_EQ(a.Count(), 0);
    ASSERT_TRUE(a.AddFiles({}));
    const QByteArray b = lee(ruta("V.zlb"));
    EXPECT_EQ(b.size(), 36 + zlibDe({}).size());
    EXPECT_EQ(b.left(b.size() - 36), zlibDe({}));
    ASSERT_TRUE(a.OpenArchive(ruta("V.zlb")));
    EXPECT_EQ(a.Count(), 0);
    EXPECT_TRUE(a.cola().directorioComprimido);
    EXPECT_TRUE(a.ExtractFiles(ruta("sal")));
}

TEST_F(ArchivoZlb, MismoNombreDosVecesDaDosEntradasYGanaLaUltima) {
    escribe(ruta("a/x.txt"), "primero");
    escribe(ruta("b/X.TXT"), "segundo");
    Registro r;
    ASSERT_TRUE(crea("D.zlb", {"a/x.txt", "b/X.TXT"}, &r));
    EXPECT_EQ(r.errores, QStringList{ruta("b/X.TXT") + QStringLiteral(" already exists in the archive")});
    // Added once more to the archive written above: the old entries count as well.
    TZLBArchive a;
    Registro r2;
    r2.conecta(a);
    ASSERT_TRUE(a.OpenArchive(ruta("D.zlb")));
    ASSERT_TRUE(a.AddFiles({ruta("a/x.txt")}));
    EXPECT_EQ(r2.errores, QStringList{ruta("a/x.txt") + QStringLiteral(" already exists in the archive")});
    ASSERT_EQ(a.Count(), 3);
    EXPECT_EQ(a.FindEntry(QStringLiteral("/otro/sitio/X.txt")), 0);
    escribe(ruta("sal/x.txt"), "viejo");
    ASSERT_TRUE(a.ExtractFiles(ruta("sal")));
    EXPECT_EQ(lee(ruta("sal/x.txt")), "primero");
    EXPECT_EQ(lee(ruta("sal/X.TXT")), "segundo");
}

TEST_F(ArchivoZlb, FicheroQueNoSePuedeLeerSeRegistraYElRestoSeEscribe) {
    escribe(ruta("Pjs.DB"), "filas");
    Registro r;
    ASSERT_TRUE(crea("E.zlb", {"Pjs.DB", "Pjs.PX", "Ж.DB"}, &r));
    EXPECT_EQ(r.errores, (QStringList{QStringLiteral("Unable to open file (%1)").arg(ruta("Pjs.PX")),
                                      QStringLiteral("Unable to open file (%1)").arg(ruta("Ж.DB"))}));
    TZLBArchive a;
    ASSERT_TRUE(a.OpenArchive(ruta("E.zlb")));
    EXPECT_EQ(a.Count(), 1);
}

TEST_F(ArchivoZlb, ErroresDeUso) {
    TZLBArchive a;
    EXPECT_EQ(a.Count(), -1);
    EXPECT_EQ(a.error(), QStringLiteral("No archive is currently open"));
    EXPECT_FALSE(a.AddFiles({}));
    EXPECT_EQ(a.error(), QStringLiteral("No archive is currently open"));
    EXPECT_FALSE(a.ExtractFiles(ruta("x")));
    EXPECT_EQ(a.FindEntry(QStringLiteral("x")), -1);
    EXPECT_FALSE(a.OpenArchive(QString()));
    EXPECT_FALSE(a.abierto());
    EXPECT_FALSE(a.OpenArchive(ruta("no.zlb")));
    EXPECT_EQ(a.error(), QStringLiteral("Archive file not found"));
    escribe(ruta("hay.zlb"), "x");
    EXPECT_FALSE(a.CreateArchive(ruta("hay.zlb")));
    EXPECT_EQ(a.error(), QStringLiteral("File already exists"));
    ASSERT_TRUE(a.CreateArchive(ruta("nuevo.zlb")));
    TZLBEntry e;
    EXPECT_FALSE(a.GetEntry(0, e));
    EXPECT_EQ(a.error(), QStringLiteral("Index out of bounds"));
    EXPECT_FALSE(a.ExtractFiles(ruta("x")));
    EXPECT_EQ(a.error(), QStringLiteral("Unable to open file (%1)").arg(ruta("nuevo.zlb")));
}

TEST_F(ArchivoZlb, FicheroMasCortoQueLaColaEsCorrupto) {
    for (int n = 0; n < 36; ++n) {
        escribe(ruta("c.zlb"), QByteArray(n, '\0'));
        TZLBArchive a;
        EXPECT_FALSE(a.OpenArchive(ruta("c.zlb"))) << n;
        EXPECT_EQ(a.error(), kCorrupto) << n;
        EXPECT_FALSE(a.abierto());
    }
}

TEST_F(ArchivoZlb, CualquierBitCambiadoSeRechazaAlAbrir) {
    escribe(ruta("uno.txt"), textoRepetido(20));
    escribe(ruta("dos.bin"), aleatorio(40));
    ASSERT_TRUE(crea("F.zlb", {"uno.txt", "dos.bin"}));
    const QByteArray bueno = lee(ruta("F.zlb"));
    QFile malo(ruta("F.zlb"));
    ASSERT_TRUE(malo.open(QIODevice::ReadWrite | QIODevice::Unbuffered));
    for (int byte = 0; byte < bueno.size(); ++byte) {
        for (int bit = 0; bit < 8; ++bit) {
            malo.seek(byte);
            malo.putChar(char(bueno[byte] ^ (1 << bit)));
            TZLBArchive a;
            ASSERT_FALSE(a.OpenArchive(ruta("F.zlb"))) << "byte " << byte << " bit " << bit;
            ASSERT_TRUE(a.error() == kCorrupto || a.error() == kSinLista) << a.error().toStdString();
            EXPECT_FALSE(a.ExtractFiles(ruta("sal")));
        }
        malo.seek(byte);
        malo.putChar(bueno[byte]);
    }
    TZLBArchive a;
    EXPECT_TRUE(a.OpenArchive(ruta("F.zlb")));
    EXPECT_FALSE(QFileInfo::exists(ruta("sal")));
}

TEST_F(ArchivoZlb, DirectorioQueNoEncajaEnElFicheroSeRechaza) {
    // Trailers whose CRC is right but whose directory does not fit the file.
    struct Caso { const char* que; quint32 entradas; qint64 posicion; qint64 tamano; };
    const Caso casos[] = {
        {"mas entradas de las que hay", 5, 0, -1},
        {"directorio fuera del fichero", 1, 1 << 20, -1},
        {"tamano del directorio mayor", 1, 0, 1 << 20},
        {"entradas imposibles", 0x7fffffff, 0, -1},
    };
    const Miembro m = comprimido(QStringLiteral("a.txt"), "contenido");
    const QByteArray bueno = construye({m});
    for (const Caso& c : casos) {
        QByteArray b = bueno;
        char* cola = b.data() + b.size() - 36;
        qToLittleEndian<quint32>(c.entradas, cola + 4);
        if (c.posicion) qToLittleEndian<quint32>(quint32(c.posicion), cola + 16);
        if (c.tamano >= 0) qToLittleEndian<quint32>(quint32(c.tamano), cola + 12);
        qToLittleEndian<quint32>(crcDe(b.left(b.size() - 36)), cola);
        escribe(ruta("g.zlb"), b);
        TZLBArchive a;
        EXPECT_FALSE(a.OpenArchive(ruta("g.zlb"))) << c.que;
        EXPECT_EQ(a.error(), kSinLista) << c.que;
    }
    // A member whose data would lie inside the directory.
    Miembro fuera = m;
    fuera.entrada.posicion = 3;
    escribe(ruta("g.zlb"), construye({fuera}, true));
    TZLBArchive a;
    EXPECT_FALSE(a.OpenArchive(ruta("g.zlb")));
    EXPECT_EQ(a.error(), kSinLista);
}

TEST_F(ArchivoZlb, NombresQueSaldriandeLaCarpetaSeRechazanSinEscribirNada) {
    struct Caso { const char* nombre; const char* carpeta; bool conRuta; };
    const Caso casos[] = {
        {"..", "", false},
        {"../fuera.txt", "", false},
        {"..\\fuera.txt", "", false},
        {"sub/fuera.txt", "", false},
        {"/etc/fuera.txt", "", false},
        {"C:fuera.txt", "", false},
        {"", "", false},
        {"bien.txt", "\\..\\..\\", true},
        {"bien.txt", "/../", true},
        {"bien.txt", "C:\\dentro\\", true},
    };
    for (const Caso& c : casos) {
        Miembro bueno = comprimido(QStringLiteral("antes.txt"), "bien");
        Miembro m = comprimido(QString::fromUtf8(c.nombre), "malo");
        m.entrada.carpeta = QString::fromUtf8(c.carpeta);
        escribe(ruta("h.zlb"), construye({bueno, m}));
        TZLBArchive a;
        a.ExtractWithPath = c.conRuta;
        ASSERT_TRUE(a.OpenArchive(ruta("h.zlb"))) << c.nombre;
        EXPECT_FALSE(a.ExtractFiles(ruta("caja/dentro"))) << c.nombre;
        EXPECT_EQ(a.error(), QStringLiteral("File (1) has an unsafe name (%1)").arg(m.entrada.ruta())) << c.nombre;
        EXPECT_EQ(ficherosEn("caja"), QStringList()) << c.nombre;
        EXPECT_FALSE(QFileInfo::exists(ruta("caja/fuera.txt")));
        EXPECT_FALSE(QFileInfo::exists(ruta("fuera.txt")));
    }
}

TEST_F(ArchivoZlb, ExtraerConRutaCreaLasSubcarpetas) {
    Miembro m = comprimido(QStringLiteral("t.txt"), "dentro");
    m.entrada.carpeta = QStringLiteral("\\Juegos\\\\KZ\\");
    escribe(ruta("i.zlb"), construye({m}));
    TZLBArchive a;
    a.ExtractWithPath = true;
    ASSERT_TRUE(a.OpenArchive(ruta("i.zlb")));
    ASSERT_TRUE(a.ExtractFiles(ruta("sal"))) << a.error().toStdString();
    EXPECT_EQ(lee(ruta("sal/Juegos/KZ/t.txt")), "dentro");
}

TEST_F(ArchivoZlb, MiembroQueNoCorrespondeASuTamanoEsCorrupto) {
    const QByteArray ceros(1 << 20, '\0');
    struct Caso { const char* que; quint32 declarado; QByteArray real; };
    const Caso casos[] = {
        {"mas largo que lo declarado (bomba)", 100, ceros},
        {"declarado de gigabytes", 0xFFFFFFF0u, QByteArray("poco")},
        {"mas corto que lo declarado", 5000, QByteArray(4000, 'x')},
    };
    for (const Caso& c : casos) {
        Miembro antes = comprimido(QStringLiteral("antes.txt"), "bien");
        Miembro m = comprimido(QStringLiteral("m.bin"), c.real);
        m.entrada.tamano = c.declarado;
        escribe(ruta("j.zlb"), construye({antes, m}));
        TZLBArchive a;
        a.CheckCRC = true;
        ASSERT_TRUE(a.OpenArchive(ruta("j.zlb"))) << c.que;
        EXPECT_FALSE(a.ExtractFiles(ruta("sal"))) << c.que;
        EXPECT_EQ(a.error(), QStringLiteral("File (1) is corrupt")) << c.que;
        EXPECT_FALSE(QFileInfo::exists(ruta("sal/m.bin"))) << c.que;
        QFile::remove(ruta("sal/antes.txt"));
    }
}

TEST_F(ArchivoZlb, CrcDistintoParaLaExtraccionYLoAnteriorQueda) {
    Miembro antes = comprimido(QStringLiteral("antes.txt"), "bien");
    Miembro m = comprimido(QStringLiteral("m.txt"), "contenido");
    m.entrada.crc ^= 1;
    Miembro despues = comprimido(QStringLiteral("despues.txt"), "nunca");
    escribe(ruta("k.zlb"), construye({antes, m, despues}));
    escribe(ruta("sal/m.txt"), "lo que habia");
    TZLBArchive a;
    a.CheckCRC = true;
    ASSERT_TRUE(a.OpenArchive(ruta("k.zlb")));
    EXPECT_FALSE(a.ExtractFiles(ruta("sal")));
    EXPECT_EQ(a.error(), QStringLiteral("File (1) is corrupt"));
    EXPECT_EQ(lee(ruta("sal/antes.txt")), "bien");
    EXPECT_EQ(lee(ruta("sal/m.txt")), "lo que habia");
    EXPECT_FALSE(QFileInfo::exists(ruta("sal/despues.txt")));
    // Without the check the same member is written.
    a.CheckCRC = false;
    EXPECT_TRUE(a.ExtractFiles(ruta("sal")));
    EXPECT_EQ(lee(ruta("sal/m.txt")), "contenido");
}

TEST_F(ArchivoZlb, ArchivoCambiadoDespuesDeAbrirloNoSeExtrae) {
    escribe(ruta("uno.txt"), "uno");
    ASSERT_TRUE(crea("l.zlb", {"uno.txt"}));
    TZLBArchive a;
    ASSERT_TRUE(a.OpenArchive(ruta("l.zlb")));
    escribe(ruta("l.zlb"), lee(ruta("l.zlb")) + "x");
    EXPECT_FALSE(a.ExtractFiles(ruta("sal")));
    EXPECT_EQ(a.error(), kCorrupto);
}

TEST_F(ArchivoZlb, GuardarRutasQuitaLaUnidadYFindEntryLaCompara) {
    escribe(ruta("d/s/t.txt"), "t");
    TZLBArchive a;
    a.SavePaths = true;
    a.RecursePaths = true;
    ASSERT_TRUE(a.CreateArchive(ruta("m.zlb")));
    ASSERT_TRUE(a.AddFiles({ruta("d")}));
    ASSERT_EQ(a.Count(), 1);
    QString esperada = QFileInfo(ruta("d/s/t.txt")).path() + QLatin1Char('/');
    esperada.replace(QLatin1Char('/'), QLatin1Char('\\'));
    EXPECT_EQ(a.entradas().first().carpeta, esperada);
    EXPECT_EQ(a.FindEntry(ruta("d/s/T.TXT")), 0);
    EXPECT_EQ(a.FindEntry(QStringLiteral("C:") + ruta("d/s/t.txt")), 0);
    EXPECT_EQ(a.FindEntry(QStringLiteral("t.txt")), -1);
}

TEST_F(ArchivoZlb, CarpetaSinRecursionNoAnadeNada) {
    escribe(ruta("d/t.txt"), "t");
    TZLBArchive a;
    ASSERT_TRUE(a.CreateArchive(ruta("n.zlb")));
    ASSERT_TRUE(a.AddFiles({ruta("d")}));
    EXPECT_EQ(a.Count(), 0);
}

TEST_F(ArchivoZlb, NivelesDeCompresion) {
    escribe(ruta("t.txt"), textoRepetido(500));
    struct Caso { TCompressionLevel nivel; bool almacenado; int marca; };
    const Caso casos[] = {{fcNone, true, 0}, {fcFastest, false, 1}, {fcDefault, false, 2}, {fcMaximum, false, 3}};
    for (const Caso& c : casos) {
        QFile::remove(ruta("o.zlb"));
        TZLBArchive a;
        a.CompressionLevel = c.nivel;
        ASSERT_TRUE(a.CreateArchive(ruta("o.zlb")));
        ASSERT_TRUE(a.AddFiles({ruta("t.txt")}));
        EXPECT_EQ(a.entradas().first().almacenado, c.almacenado) << c.nivel;
        EXPECT_EQ(a.entradas().first().nivel, c.marca) << c.nivel;
    }
}

TEST(ArchivoZlbPorcentaje, RedondeaAlParMasCercano) {
    EXPECT_EQ(TZLBArchive::porcentaje(1, 8), 12);   // 12.5
    EXPECT_EQ(TZLBArchive::porcentaje(3, 8), 38);   // 37.5
    EXPECT_EQ(TZLBArchive::porcentaje(1, 3), 33);
    EXPECT_EQ(TZLBArchive::porcentaje(0, 0), 100);
    EXPECT_EQ(TZLBArchive::porcentaje(5, 5), 100);
}

TEST(Cp1252, IdaYVuelta) {
    QByteArray todos;
    for (int b = 0; b < 256; ++b) todos += char(b);
    QByteArray vuelta;
    ASSERT_TRUE(aCp1252(deCp1252(todos), vuelta));
    EXPECT_EQ(vuelta, todos);
    EXPECT_EQ(deCp1252("\x80\x9f\xf1"), QStringLiteral("€Ÿñ"));
    EXPECT_FALSE(aCp1252(QStringLiteral("Ж"), vuelta));
}

// An independent reader (Python's zlib) must find the same directory and members.
TEST_F(ArchivoZlb, LectorIndependienteLeeNuestrosArchivos) {
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty()) GTEST_SKIP() << "python3 no está instalado";
    escribe(ruta("orig/CenPob.DB"), textoRepetido(3000));
    escribe(ruta("orig/ruido.bin"), aleatorio(3000));
    escribe(ruta("orig/Ñandú.txt"), "acentos");
    escribe(ruta("orig/vacio"), {});
    ASSERT_TRUE(crea("P.zlb", {"orig/CenPob.DB", "orig/ruido.bin", "orig/Ñandú.txt", "orig/vacio"}));
    QProcess p;
    p.start(python, {QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("lector_zlb.py")), ruta("P.zlb"), ruta("orig")});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(p.readAllStandardOutput()).trimmed(),
              QStringLiteral("CenPob.DB z\nruido.bin s\nÑandú.txt s\nvacio s"));
}
