// kzdb's catalogue and structure commands, run as the real program.

#include "comun/carpetaprueba.h"
#include "comun/impresion.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

extern "C" {
#include <paradox.h>
}

using namespace kz::prueba;

namespace {

struct Salida {
    int estado = -1;
    QString out, err;
};

Salida kzdb(const QString& programa, const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("GESTORKZ_HOME"), programa);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KZ_KZDB), args);
    p.closeWriteChannel();
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// A legacy Paradox table whose fields are all text, rows given as code page 850 bytes.
void creaTablaParadox(const QString& ruta, const QList<QPair<const char*, int>>& campos, int claves,
                      const QList<QList<QByteArray>>& filas) {
    pxdoc_t* doc = PX_new();
    auto* f = static_cast<pxfield_t*>(doc->malloc(doc, campos.size() * sizeof(pxfield_t), "campos"));
    for (int i = 0; i < campos.size(); ++i) {
        f[i] = pxfield_t{};
        f[i].px_fname = PX_strdup(doc, campos[i].first);
        f[i].px_ftype = pxfAlpha;
        f[i].px_flen = campos[i].second;
    }
    ASSERT_EQ(PX_create_file(doc, f, int(campos.size()), QFile::encodeName(ruta).constData(), pxfFileTypIndexDB), 0);
    PX_set_value(doc, "numprimkeys", claves);
    PX_set_value(doc, "codepage", 850);
    for (const auto& fila : filas) {
        QVector<pxval_t*> v(campos.size());
        for (int i = 0; i < campos.size(); ++i) {
            MAKE_PXVAL(doc, v[i]);
            v[i]->type = pxfAlpha;
            v[i]->value.str.val = const_cast<char*>(fila[i].constData());
            v[i]->value.str.len = int(fila[i].size());
        }
        ASSERT_GE(PX_insert_record(doc, v.data()), 0);
        for (auto* x : v) doc->free(doc, x);
    }
    PX_close(doc);
    PX_delete(doc);
}

} // namespace

TEST(KzdbCatalogo, NuevaPartidaCreaTodasSusTablasYEliminarLaBorra) {
    CarpetaPrueba carpeta(true);
    const Salida n = kzdb(carpeta.ruta(), {"nueva-partida", "c", "7", "Los", "Reinos"});
    ASSERT_EQ(n.estado, 0) << n.err.toStdString();
    EXPECT_EQ(n.out, QStringLiteral("C007\n"));
    for (const char* f : {"Hex.DB", "CenPob.DB", "Paises.DB", "Pjs.DB", "Ejer.DB", "PjsEjer.DB", "Rumores.DB", "UbiArtef.DB"})
        EXPECT_TRUE(QFile::exists(carpeta.fichero(QStringLiteral("C007/") + QString::fromLatin1(f)))) << f;
    EXPECT_EQ(kzdb(carpeta.ruta(), {"partidas"}).out, QStringLiteral("CODIGO;NOMBRE;TIPO;TURNO\nC007;Los Reinos;C;000\n"));

    const Salida otra = kzdb(carpeta.ruta(), {"nueva-partida", "C", "007"});
    EXPECT_EQ(otra.estado, 1);
    EXPECT_TRUE(otra.err.contains(QStringLiteral("La partida ya existe"))) << otra.err.toStdString();

    const Salida e = kzdb(carpeta.ruta(), {"eliminar-partida", "C007"});
    ASSERT_EQ(e.estado, 0) << e.err.toStdString();
    EXPECT_FALSE(QDir(carpeta.fichero(QStringLiteral("C007"))).exists());
    EXPECT_EQ(kzdb(carpeta.ruta(), {"partidas"}).out, QStringLiteral("CODIGO;NOMBRE;TIPO;TURNO\n"));
    EXPECT_EQ(kzdb(carpeta.ruta(), {"eliminar-partida", "C007"}).err, QStringLiteral("La partida C007 no existe\n"));
}

TEST(KzdbCatalogo, ReestructurarDejaLasTablasAlDia) {
    CarpetaPrueba carpeta(true);
    ASSERT_EQ(kzdb(carpeta.ruta(), {"nueva-partida", "T", "12"}).estado, 0);
    const Salida r = kzdb(carpeta.ruta(), {"reestructurar"});
    EXPECT_EQ(r.estado, 0) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(carpeta.fichero(QStringLiteral("T012/TMPSTR.DB"))));
    EXPECT_EQ(kzdb(carpeta.ruta(), {"volcar", "Paises", "T012"}).estado, 0);
}

TEST(KzdbCatalogo, MigrarTraeUnaCarpetaAntiguaConSusPartidas) {
    CarpetaPrueba carpeta(true);
    QTemporaryDir antigua;
    creaTablaParadox(antigua.filePath(QStringLiteral("PARTIDAS.DB")),
                     {{"CODIGO", 4}, {"NOMBRE", 50}, {"TIPO", 1}, {"TURNO", 3}}, 1,
                     {{"T003", "Campa\xa4" "a antigua", "T", "014"}});
    QDir().mkpath(antigua.filePath(QStringLiteral("T003")));
    creaTablaParadox(antigua.filePath(QStringLiteral("T003/CENPOB.DB")), {{"TURNO", 3}, {"HEX", 4}, {"NOMBRE", 20}}, 2,
                     {{"014", "0102", "Pe\xa4\xa2n"}, {"014", "2211", "Minas"}});
    const Salida m = kzdb(carpeta.ruta(), {"migrar", antigua.path()});
    ASSERT_EQ(m.estado, 0) << m.err.toStdString();
    EXPECT_EQ(kzdb(carpeta.ruta(), {"partidas"}).out,
              QStringLiteral("CODIGO;NOMBRE;TIPO;TURNO\nT003;Campaña antigua;T;014\n"));
    const Salida v = kzdb(carpeta.ruta(), {"volcar", "CenPob", "T003"});
    ASSERT_EQ(v.estado, 0) << v.err.toStdString();
    const QStringList lineas = v.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lineas.size(), 3);
    EXPECT_TRUE(lineas[1].startsWith(QStringLiteral("014;0102;Peñón;"))) << lineas[1].toStdString();
    EXPECT_TRUE(lineas[2].startsWith(QStringLiteral("014;2211;Minas;")));
    // The rule tables of the program folder were kept, not replaced.
    EXPECT_TRUE(kzdb(carpeta.ruta(), {"volcar", "Grados"}).out.contains(QStringLiteral("Sicario")));
}
