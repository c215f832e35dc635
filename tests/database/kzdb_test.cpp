// The kzdb command line: output format, exit status and messages.

#include "comun/carpetaprueba.h"
#include "comun/impresion.h"

#include <QProcess>
#include <gtest/gtest.h>

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

} // namespace

TEST(Kzdb, GeneraUnaPartidaYLaVuelcaEnOrdenDeClave) {
    CarpetaPrueba carpeta(true);
    const Salida g = kzdb(carpeta.ruta(), {"generar-partida", "T007", "--turnos", "3"});
    ASSERT_EQ(g.estado, 0) << g.err.toStdString();

    const Salida p = kzdb(carpeta.ruta(), {"partidas"});
    ASSERT_EQ(p.estado, 0) << p.err.toStdString();
    EXPECT_EQ(p.out, QStringLiteral("CODIGO;NOMBRE;TIPO;TURNO\nT007;Partida de demostración T007;T;002\n"));

    const Salida v = kzdb(carpeta.ruta(), {"volcar", "CenPob", "T007"});
    ASSERT_EQ(v.estado, 0) << v.err.toStdString();
    const QStringList lineas = v.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GT(lineas.size(), 900);
    EXPECT_TRUE(lineas[0].startsWith(QStringLiteral("TURNO;HEX;NOMBRE;PAIS;TIPOCP;")));
    QString anterior;
    for (int i = 1; i < lineas.size(); ++i) {
        const QString clave = lineas[i].section(QLatin1Char(';'), 0, 1);
        EXPECT_LT(anterior, clave);
        anterior = clave;
    }
    EXPECT_TRUE(v.out.contains(QStringLiteral(";True;")));
    EXPECT_TRUE(v.out.contains(QStringLiteral(";False;")));

    EXPECT_EQ(kzdb(carpeta.ruta(), {"reindexar", "T007"}).estado, 0);
}

TEST(Kzdb, ErroresConEstado1YMensaje) {
    CarpetaPrueba carpeta(true);
    struct Caso { QStringList args; const char* mensaje; };
    const Caso casos[] = {
        {{"volcar", "NoHay"}, "Tabla desconocida: NoHay\n"},
        {{"volcar", "Pjs"}, "La tabla Pjs.DB es de una partida: indique la partida\n"},
        {{"reindexar", "T999"}, nullptr},
        {{"generar-partida", "T001", "--turnos", "0"}, "El número de turnos debe estar entre 1 y 999\n"},
        {{"inventada"}, nullptr},
    };
    for (const auto& c : casos) {
        const Salida s = kzdb(carpeta.ruta(), c.args);
        EXPECT_EQ(s.estado, 1) << c.args.join(' ').toStdString();
        if (c.mensaje) EXPECT_EQ(s.err, QString::fromUtf8(c.mensaje));
        else EXPECT_FALSE(s.err.isEmpty());
    }
}

TEST(Kzdb, VolcadoDeTablaDeReferenciaConMemosYComillas) {
    const Salida v = kzdb(CarpetaPrueba::programaConstruido(), {"volcar", "Grados"});
    ASSERT_EQ(v.estado, 0) << v.err.toStdString();
    EXPECT_TRUE(v.out.startsWith(QStringLiteral("TIPO;GRADOMIN;GRADOMAX;NOMBRE\nAG;10;19;Ladrón\n")));
}
