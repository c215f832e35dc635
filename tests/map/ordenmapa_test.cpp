// kzdb mapa, run as the program it is.

#include "fixturamapa.h"
#include "map/thexmap.h"

#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {

struct Salida {
    int estado = -1;
    QString salida, errores;
};

Salida kzdb(const QString& programa, const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("GESTORKZ_HOME"), programa);
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));   // kzdb must manage without a screen by itself
    env.remove(QStringLiteral("DISPLAY"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KZ_KZDB), QStringList{QStringLiteral("mapa")} + args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

TEST(OrdenMapa, DibujaElTurnoConRadioYBandos) {
    FixturaMapa fx;
    fx.pais(QStringLiteral("01"), QStringLiteral("Libres"), QStringLiteral("LI"), QStringLiteral("1"), QStringLiteral("0101"));
    fx.hex({QStringLiteral("0303"), QStringLiteral("06")});
    fx.dm.CerrarTodas();
    const QString png = fx.carpeta.fichero(QStringLiteral("mapa.png"));
    Salida s = kzdb(fx.programa(), {QStringLiteral("T001"), QStringLiteral("1"), png});
    ASSERT_EQ(s.estado, 0) << s.errores.toStdString();
    EXPECT_EQ(s.salida.trimmed(), QStringLiteral("Mapa del turno 001 de T001 guardado en %1 (2318 x 1776)").arg(png));
    QImage img(png);
    ASSERT_EQ(img.size(), QSize(2318, 1776));
    EXPECT_EQ(img.pixelColor(130, 120), QColor(0, 128, 0));   // centre of 0303, "Bosque"
    EXPECT_NE(img.pixelColor(1, 30), QColor(0, 255, 0));          // no borders unless asked

    const QString bmp = fx.carpeta.fichero(QStringLiteral("mapa.bmp"));
    s = kzdb(fx.programa(), {QStringLiteral("T001"), QStringLiteral("001"), bmp, QStringLiteral("--radio"),
                             QStringLiteral("15"), QStringLiteral("--ven"), QStringLiteral("libres,Otros")});
    ASSERT_EQ(s.estado, 0) << s.errores.toStdString();
    img = QImage(bmp);
    ASSERT_EQ(img.size(), QSize(44 * 28 + 16, 21 * 44 + 32));
    THexMap geometria;
    geometria.SetHexRadius(16);
    const QPoint c = geometria.HexToPixel(1, 1);
    EXPECT_EQ(img.pixelColor(c.x() - geometria.MedioAncho() + 1, c.y()), QColor(0, 255, 0));
}

TEST(OrdenMapa, ArgumentosQueNoSirven) {
    FixturaMapa fx;
    fx.dm.CerrarTodas();
    const QString png = fx.carpeta.fichero(QStringLiteral("m.png"));
    struct Caso { QStringList args; QString mensaje; };
    const Caso casos[] = {
        {{QStringLiteral("T001"), QStringLiteral("001")},
         QStringLiteral("Uso: kzdb mapa PARTIDA TURNO FICHERO.png [--radio R] [--ven libres,oscuros,neutrales,otros]")},
        {{QStringLiteral("T001"), QStringLiteral("1a"), png}, QStringLiteral("El turno debe ser un número de hasta tres cifras: 1a")},
        {{QStringLiteral("T001"), QStringLiteral("001"), png, QStringLiteral("--radio"), QStringLiteral("0")},
         QStringLiteral("El radio debe ser un número entre 2 y 60: 0")},
        {{QStringLiteral("T001"), QStringLiteral("001"), png, QStringLiteral("--ven"), QStringLiteral("libres,azules")},
         QStringLiteral("Bando desconocido en --ven: azules (use libres, oscuros, neutrales u otros)")},
        {{QStringLiteral("T001"), QStringLiteral("001"), png, QStringLiteral("--radio")}, QStringLiteral("Falta el valor de --radio")},
        {{QStringLiteral("T001"), QStringLiteral("001"), png, QStringLiteral("--zoom"), QStringLiteral("2")},
         QStringLiteral("Opción desconocida: --zoom")},
        {{QStringLiteral("T999"), QStringLiteral("001"), png},
         QStringLiteral("No existe la carpeta de la partida %1").arg(fx.carpeta.fichero(QStringLiteral("T999")))},
        {{QStringLiteral("T001"), QStringLiteral("001"), fx.carpeta.fichero(QStringLiteral("no/hay/m.png"))},
         QStringLiteral("No se ha podido guardar el mapa en %1").arg(fx.carpeta.fichero(QStringLiteral("no/hay/m.png")))},
    };
    for (const auto& c : casos) {
        const Salida s = kzdb(fx.programa(), c.args);
        EXPECT_EQ(s.estado, 1) << c.args.join(QLatin1Char(' ')).toStdString();
        // The last line: a line from the platform about its runtime folder may come before it.
        const QString ultima = s.errores.trimmed().split(QLatin1Char('\n')).last();
        EXPECT_TRUE(ultima.startsWith(c.mensaje)) << ultima.toStdString() << " | " << c.mensaje.toStdString();
    }
    EXPECT_FALSE(QFile::exists(png));
}
