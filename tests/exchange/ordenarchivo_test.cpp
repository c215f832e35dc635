#include "comun/carpetaprueba.h"
#include "exchange/tzlbarchive.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using namespace kz;
using kz::prueba::CarpetaPrueba;

namespace {

struct Salida {
    int codigo = -1;
    QString out, err;
};

Salida kzdb(const QStringList& args, const QString& programa) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("GESTORKZ_HOME"), programa);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KZ_KZDB), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

TEST(OrdenArchivo, ListaYExtrae) {
    CarpetaPrueba c;
    QDir().mkpath(c.fichero(QStringLiteral("orig")));
    QFile f(c.fichero(QStringLiteral("orig/Pjs.DB")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("abc");
    f.close();
    {
        TZLBArchive a;
        ASSERT_TRUE(a.CreateArchive(c.fichero(QStringLiteral("x.zlb"))));
        ASSERT_TRUE(a.AddFiles({f.fileName()}));
    }
    const Salida l = kzdb({QStringLiteral("archivo"), QStringLiteral("listar"), c.fichero(QStringLiteral("x.zlb"))}, c.ruta());
    ASSERT_EQ(l.codigo, 0) << l.err.toStdString();
    EXPECT_EQ(l.out, QStringLiteral("NOMBRE;CARPETA;TAMANO;ALMACENADO;GUARDADO;CRC\nPjs.DB;;3;3;True;352441c2\n"));

    const Salida e = kzdb({QStringLiteral("archivo"), QStringLiteral("extraer"), c.fichero(QStringLiteral("x.zlb")),
                           c.fichero(QStringLiteral("sal"))}, c.ruta());
    ASSERT_EQ(e.codigo, 0) << e.err.toStdString();
    QFile s(c.fichero(QStringLiteral("sal/Pjs.DB")));
    ASSERT_TRUE(s.open(QIODevice::ReadOnly));
    EXPECT_EQ(s.readAll(), QByteArray("abc"));

    const Salida m = kzdb({QStringLiteral("archivo"), QStringLiteral("listar"), c.fichero(QStringLiteral("no.zlb"))}, c.ruta());
    EXPECT_EQ(m.codigo, 1);
    EXPECT_EQ(m.err.trimmed(), QStringLiteral("Archive file not found"));
}
