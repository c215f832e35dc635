#include "comun/carpetaprueba.h"
#include "database/volcado.h"
#include "exchange/tzlbarchive.h"
#include "programaprueba.h"

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

// Selected columns of `kzdb volcar TABLA PARTIDA`, one "a|b|c" line per row.
QStringList volcado(const QString& programa, const QString& tabla, const QStringList& campos) {
    const Salida s = kzdb({QStringLiteral("volcar"), tabla, QStringLiteral("T012")}, programa);
    QList<QStringList> filas;
    QString error;
    if (s.codigo != 0 || !leeVolcado(s.out, filas, error) || filas.isEmpty()) return {s.err + error};
    QList<int> columnas;
    for (const QString& c : campos) columnas << int(filas.first().indexOf(c));
    QStringList l;
    for (int i = 1; i < filas.size(); ++i) {
        QStringList v;
        for (int c : columnas) v << filas[i].value(c);
        l << v.join(QLatin1Char('|'));
    }
    return l;
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

// One player's export imported into another player's copy of the same game, all through kzdb.
TEST(OrdenesIntercambio, ExportarImportarYHeredarEntreDosCarpetas) {
    kz::prueba::ProgramaPrueba uno, otro;
    for (auto* p : {&uno, &otro}) {
        p->creaPartida(QStringLiteral("T012"));
        p->usa(QStringLiteral("T012"));
    }
    uno.inserta(QStringLiteral("DSPjs"), {{"TURNO", "002"}, {"CODIGO", "00010"}, {"NOMBRE", "Faramir"}, {"HEX", "2020"}, {"ORIGEN", "1"}});
    uno.inserta(QStringLiteral("DSPjs"), {{"TURNO", "002"}, {"CODIGO", "00011"}, {"NOMBRE", "Boromir"}, {"ORIGEN", "0"}});
    uno.inserta(QStringLiteral("DSCenPob"), {{"TURNO", "002"}, {"HEX", "2020"}, {"NOMBRE", "Osgiliath"}, {"HEREDADO", false}});
    uno.inserta(QStringLiteral("DSRumores"), {{"CODIGO", "00001"}, {"TURNO", "002"}, {"TEXTO", "Orcos en Ithilien"}});
    otro.inserta(QStringLiteral("DSPjs"), {{"TURNO", "002"}, {"CODIGO", "00010"}, {"NOMBRE", "Capitan"}, {"ORIGEN", "0"}});
    otro.inserta(QStringLiteral("DSPjs"), {{"TURNO", "002"}, {"CODIGO", "00011"}, {"NOMBRE", "Hijo de Denethor"}, {"ORIGEN", "1"}});
    otro.inserta(QStringLiteral("DSRumores"), {{"CODIGO", "00004"}, {"TURNO", "001"}, {"TEXTO", "Silencio"}});

    const Salida e = kzdb({QStringLiteral("exportar"), QStringLiteral("T012"), QStringLiteral("--tablas"),
                           QStringLiteral("Pjs,CenPob,Rumores")}, uno.programa());
    ASSERT_EQ(e.codigo, 0) << e.err.toStdString();
    const QString archivo = e.out.trimmed();
    EXPECT_EQ(archivo, uno.programa() + QStringLiteral("/Exportar/T012T002.zlb"));

    const Salida i = kzdb({QStringLiteral("importar"), archivo}, otro.programa());
    ASSERT_EQ(i.codigo, 0) << i.err.toStdString();
    EXPECT_EQ(volcado(otro.programa(), QStringLiteral("Pjs"), {"TURNO", "CODIGO", "NOMBRE", "HEX", "ORIGEN"}),
              (QStringList{"002|00010|Faramir|2020|1", "002|00011|Hijo de Denethor||1"}));
    EXPECT_EQ(volcado(otro.programa(), QStringLiteral("Rumores"), {"CODIGO", "TURNO", "TEXTO"}),
              (QStringList{"00004|001|Silencio", "00005|002|Orcos en Ithilien"}));

    const Salida h = kzdb({QStringLiteral("heredar"), QStringLiteral("T012"), QStringLiteral("002"), QStringLiteral("004")},
                          otro.programa());
    ASSERT_EQ(h.codigo, 0) << h.err.toStdString();
    EXPECT_EQ(h.out.trimmed(), QStringLiteral("2"));   // the own character Boromir is not in 2020
    EXPECT_EQ(volcado(otro.programa(), QStringLiteral("CenPob"), {"TURNO", "HEX", "NOMBRE", "HEREDADO"}),
              (QStringList{"002|2020|Osgiliath|False", "003|2020|Osgiliath|True", "004|2020|Osgiliath|True"}));

    const Salida r = kzdb({QStringLiteral("heredar"), QStringLiteral("T012"), QStringLiteral("004"), QStringLiteral("002")},
                          otro.programa());
    EXPECT_EQ(r.codigo, 1);
    const Salida m = kzdb({QStringLiteral("importar"), otro.fichero(QStringLiteral("no.zlb"))}, otro.programa());
    EXPECT_EQ(m.codigo, 1);
    EXPECT_TRUE(m.err.contains(QStringLiteral("No existe el fichero indicado."))) << m.err.toStdString();
}
