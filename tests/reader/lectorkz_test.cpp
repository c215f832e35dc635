// The real lectorkz program reading reports without a window, checked through the real kzdb.

#include "comun/impresion.h"
#include "partidalectura.h"
#include "reader/lecturasinventana.h"
#include "reader/textoinforme.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }
const QString kFin = QString(48, QLatin1Char('-'));

struct Salida {
    int estado = -1;
    QStringList lineas, errores;
};

Salida ejecuta(const QString& programa, const QStringList& argumentos, const QString& base) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u("GESTORKZ_HOME"), base);
    env.insert(u("QT_QPA_PLATFORM"), u("offscreen"));
    p.setProcessEnvironment(env);
    p.start(programa, argumentos);
    Salida s;
    if (!p.waitForFinished(120000)) return s;
    s.estado = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    s.lineas = LineasDeTexto(p.readAllStandardOutput());
    s.errores = LineasDeTexto(p.readAllStandardError());
    return s;
}

Salida lectorkz(const QStringList& argumentos, const QString& base) { return ejecuta(u(KZ_LECTORKZ), argumentos, base); }

QStringList kzdbVolcar(const QString& tabla, const QString& partida, const QString& base) {
    return ejecuta(u(KZ_KZDB), {u("volcar"), tabla, partida}, base).lineas;
}

QString informe(const char* nombre) { return CarpetaPrueba::datosPrueba(u("lector/") + u(nombre)); }

} // namespace

TEST(Lectorkz, LeeCadaInformeYKzdbVuelcaLasFilasEsperadas) {
    struct Caso { const char* fichero; const char* partida; const char* cabecera; };
    const Caso casos[] = {
        {"t123_07_turno12", "T123", "--Leyendo Partida: 123 Pais: 07 Señores del Norte Turno: 012--"},
        {"c045_14_turno05", "C045", "--Leyendo Partida: 045 Pais: 14 Legión del Cuervo Turno: 005--"},
    };
    for (const auto& c : casos) {
        PartidaLectura p;
        ASSERT_TRUE(p.preparada());
        const Salida s = lectorkz({u("--leer"), informe(c.fichero) + u(".txt")}, p.base());
        EXPECT_EQ(s.estado, 0) << s.errores.join('\n').toStdString();
        EXPECT_EQ(s.lineas, (QStringList{u(c.cabecera), u("Proceso de finalizado"), kFin}));
        for (const char* tabla : {"Paises", "CenPob", "Pjs", "Ejer"})
            EXPECT_EQ(kzdbVolcar(u(tabla), u(c.partida), p.base()),
                      PartidaLectura::esperado(u(c.fichero) + u(".") + u(tabla) + u(".csv")))
                << c.fichero << " " << tabla;
    }
}

TEST(Lectorkz, VariosFicherosYUnoQueFalla) {
    PartidaLectura p;
    ASSERT_TRUE(p.preparada());
    const QString roto = p.base() + u("/roto.txt"), vacio = p.base() + u("/vacio.txt");
    {
        QFile f(roto);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("\x00\x01\x02\xff\xfe basura\r\n\x7f", 15));
        QFile g(vacio);
        ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    }
    const Salida s = lectorkz({u("--leer"), informe("t123_03_turno01.txt"), roto, vacio, p.base() + u("/no_existe.txt"),
                               informe("c045_14_turno05.txt")},
                              p.base());
    EXPECT_EQ(s.estado, 1);
    EXPECT_EQ(s.lineas, (QStringList{u("--Leyendo Partida: 123 Pais: 03 Enanos de Kazar Turno: 001--"),
                                     u("Error al leer los datos del jugador. Se continua con el proceso."),
                                     u("Proceso de finalizado"), kFin,
                                     u("ERROR - Fichero no reconocido. Verifique que es un Turno."),
                                     u("ERROR - Fichero vacio."),
                                     u("--Leyendo Partida: 045 Pais: 14 Legión del Cuervo Turno: 005--"),
                                     u("Proceso de finalizado"), kFin}));
    ASSERT_EQ(s.errores.size(), 1);
    EXPECT_TRUE(s.errores.first().startsWith(u("No se puede leer el fichero ") + p.base() + u("/no_existe.txt")));
    EXPECT_EQ(kzdbVolcar(u("Pjs"), u("T123"), p.base()), PartidaLectura::esperado(u("t123_03_turno01.Pjs.csv")));
    EXPECT_EQ(kzdbVolcar(u("Ejer"), u("C045"), p.base()), PartidaLectura::esperado(u("c045_14_turno05.Ejer.csv")));
}

TEST(Lectorkz, LasSeccionesElegidas) {
    PartidaLectura p;
    ASSERT_TRUE(p.preparada());
    Salida s = lectorkz({u("--leer"), informe("t123_07_turno12.txt"), u("--secciones"), u("paises,ejercitos")}, p.base());
    EXPECT_EQ(s.estado, 0) << s.errores.join('\n').toStdString();
    EXPECT_EQ(kzdbVolcar(u("Paises"), u("T123"), p.base()), PartidaLectura::esperado(u("t123_07_turno12.Paises.csv")));
    // The armies' blocks still record the centres at their hexes and the foreign armies there.
    EXPECT_EQ(kzdbVolcar(u("CenPob"), u("T123"), p.base()).size(), 1 + 2);
    EXPECT_EQ(kzdbVolcar(u("Ejer"), u("T123"), p.base()).size(), 1 + 4);

    PartidaLectura q;
    s = lectorkz({u("--secciones"), u(""), u("--leer"), informe("t123_07_turno12.txt")}, q.base());
    EXPECT_EQ(s.estado, 0);
    EXPECT_EQ(kzdbVolcar(u("Paises"), u("T123"), q.base()).size(), 2);
    EXPECT_EQ(kzdbVolcar(u("Pjs"), u("T123"), q.base()).size(), 1);
}

TEST(Lectorkz, ArgumentosQueNoSirven) {
    PartidaLectura p;
    struct Caso { QStringList argumentos; const char* error; };
    const Caso casos[] = {
        {{u("--leer")}, "Uso: lectorkz --leer FICHERO... [--secciones paises,cenpob,pjs,ejercitos,mensajes]"},
        {{u("--leer"), u("x.txt"), u("--secciones")}, "Uso: lectorkz --leer FICHERO... [--secciones paises,cenpob,pjs,ejercitos,mensajes]"},
        {{u("--leer"), u("x.txt"), u("--secciones"), u("paises,batallas")},
         "Sección desconocida: batallas. Las secciones son paises, cenpob, pjs, ejercitos y mensajes."},
    };
    for (const auto& c : casos) {
        const Salida s = lectorkz(c.argumentos, p.base());
        EXPECT_EQ(s.estado, 1);
        EXPECT_EQ(s.errores, QStringList{u(c.error)});
        EXPECT_TRUE(s.lineas.isEmpty());
    }
}

TEST(LecturaSinVentana, ListaDeSecciones) {
    struct Caso { const char* lista; bool ok; bool paises, cenPob, pjs, ejercitos, mensajes; };
    const Caso casos[] = {
        {"paises,cenpob,pjs,ejercitos,mensajes", true, true, true, true, true, true},
        {"", true, false, false, false, false, false},
        {" PJS , mensajes,", true, false, false, true, false, true},
        {"paises,otra", false, false, false, false, false, false},
    };
    for (const auto& c : casos) {
        SeccionesLectura s;
        QString error;
        EXPECT_EQ(LecturaSinVentana::leeSecciones(u(c.lista), s, error), c.ok) << c.lista;
        if (!c.ok) continue;
        EXPECT_EQ(s.paises, c.paises) << c.lista;
        EXPECT_EQ(s.cenPob, c.cenPob) << c.lista;
        EXPECT_EQ(s.pjs, c.pjs) << c.lista;
        EXPECT_EQ(s.ejercitos, c.ejercitos) << c.lista;
        EXPECT_EQ(s.mensajes, c.mensajes) << c.lista;
    }
}
