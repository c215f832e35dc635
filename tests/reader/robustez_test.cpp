// Bad input never crashes the reader and never leaves rows that do not belong to the report:
// empty and binary texts, reports cut at every line, very long lines, numbers for words and
// words for numbers. Every bad item is logged under a parser's code.

#include "comun/impresion.h"
#include "partidalectura.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

// Every log line is one the reader writes: a header, an error under a known code, the end.
void compruebaLog(const QStringList& log, const std::string& caso) {
    static const QRegularExpression error(
        u("^Error al Leer \\((CP|CPE|PJCP|CPH|EJ|PA|PJ|RU|AgentesDobles|RH|RT|Batallas|OR|RC|AG|EA)\\): "));
    for (const QString& l : log) {
        const bool conocida = l.startsWith(u("--Leyendo Partida: ")) || l.startsWith(u("ERROR - ")) ||
                              error.match(l).hasMatch() ||
                              l == u("Error al leer los datos del jugador. Se continua con el proceso.") ||
                              l.startsWith(u("Se ha producido algun error")) || l == u("Proceso de finalizado") ||
                              l == QString(48, QLatin1Char('-'));
        EXPECT_TRUE(conocida) << caso << ": " << l.left(200).toStdString();
    }
}

// Rows of a game all belong to the turn given; characters may also be placed in the turn before
// it (by challenges, agent results and rumours).
void compruebaTurno(PartidaLectura& p, const QString& partida, const QString& turno, const std::string& caso) {
    const QString anterior = QString::asprintf("%03d", turno.toInt() - 1);
    for (const char* fuente : {"DSCenPob", "DSPjs", "DSEjer"}) {
        const QStringList v = p.volcado(u(fuente), partida);
        ASSERT_FALSE(v.isEmpty()) << caso;
        const bool pjs = QString::fromLatin1(fuente) == QLatin1String("DSPjs");
        for (const QString& f : v.mid(1))
            EXPECT_TRUE(f.startsWith(turno + u(";")) || (pjs && f.startsWith(anterior + u(";")))) << caso << " " << f.toStdString();
    }
}

QStringList informe(const char* nombre) { return PartidaLectura::esperado(u(nombre)); }

} // namespace

TEST(Robustez, TextosQueNoSonInformes) {
    PartidaLectura p;
    QRandomGenerator r(12345);
    QList<QStringList> textos = {{}, {u("")}, {QString(100000, QLatin1Char('x'))}, {QString(100000, QLatin1Char(' '))}};
    for (int i = 0; i < 20; ++i) {
        QString basura;
        for (int k = 0; k < 2000; ++k) basura += QChar(char16_t(r.bounded(1, 0x3000)));
        textos << basura.split(QLatin1Char('\n'));
    }
    for (const QStringList& t : textos) {
        p.lector().limpiaLog();
        EXPECT_FALSE(p.lee(t));
        ASSERT_EQ(p.log().size(), 1);
        EXPECT_TRUE(p.log().first().startsWith(u("ERROR - Fichero")));
    }
}

TEST(Robustez, InformesCortadosEnCadaLinea) {
    for (const char* nombre : {"t123_07_turno12.txt", "c045_14_turno05.txt", "t123_03_turno01.txt"}) {
        const QStringList completo = informe(nombre);
        PartidaLectura p;
        p.lector().fijaEscritura(false);
        for (int n = 0; n <= completo.size(); ++n) {
            p.lector().limpiaLog();
            p.lee(completo.mid(0, n));
            compruebaLog(p.log(), std::string(nombre) + " cortado en " + std::to_string(n));
        }
    }
}

TEST(Robustez, InformesCortadosQueEscriben) {
    const QStringList completo = informe("t123_07_turno12.txt");
    PartidaLectura p;
    for (int n = 20; n < completo.size(); n += 17) {
        p.lector().limpiaLog();
        p.lee(completo.mid(0, n));
        compruebaLog(p.log(), "cortado en " + std::to_string(n));
    }
    compruebaTurno(p, u("T123"), u("012"), "cortados");
    // The whole report read afterwards still gives every row it must.
    p.lector().limpiaLog();
    EXPECT_TRUE(p.leeFichero(u("t123_07_turno12.txt")));
    const QStringList pjs = p.volcado(u("DSPjs"), u("T123"));
    for (const QString& f : PartidaLectura::esperado(u("t123_07_turno12.Pjs.csv"))) EXPECT_TRUE(pjs.contains(f)) << f.toStdString();
}

TEST(Robustez, LineasMuyLargasYPalabrasCambiadas) {
    const QStringList completo = informe("t123_07_turno12.txt");
    PartidaLectura p;
    p.lector().fijaEscritura(false);
    const QString larga = QString(100000, QLatin1Char('a'));
    QString largaConEspacios;
    for (int i = 0; i < 20000; ++i) largaConEspacios += u("1234 ");
    static const QRegularExpression palabra(u("[^ ]+")), cifras(u("[0-9]+"));
    // Every other line, so that each kind of line of every section gets its turn.
    for (int n = 1; n < completo.size(); n += 2) {
        QList<QStringList> variantes;
        QStringList v = completo;
        v.insert(n, larga);
        variantes << v;
        v = completo;
        v[n] = completo[n] + u(" ") + largaConEspacios;
        variantes << v;
        v = completo;
        v[n] = QString(completo[n]).replace(palabra, u("123"));
        variantes << v;
        v = completo;
        v[n] = QString(completo[n]).replace(cifras, u("abc"));
        variantes << v;
        for (int k = 0; k < variantes.size(); ++k) {
            p.lector().limpiaLog();
            p.lee(variantes[k]);
            compruebaLog(p.log(), "línea " + std::to_string(n) + " variante " + std::to_string(k));
        }
    }
}

TEST(Robustez, LasPalabrasCambiadasEscribenSoloFilasDelTurno) {
    const QStringList completo = informe("c045_14_turno05.txt");
    PartidaLectura p;
    static const QRegularExpression cifras(u("[0-9]+"));
    int fallidos = 0;
    for (int n = 8; n < completo.size(); n += 9) {
        QStringList v = completo;
        v[n] = QString(completo[n]).replace(cifras, u("abc"));
        p.lector().limpiaLog();
        if (!p.lee(v)) ++fallidos;
        compruebaLog(p.log(), "línea " + std::to_string(n));
    }
    EXPECT_GT(fallidos, 0);
    compruebaTurno(p, u("C045"), u("005"), "cambiadas");
}
