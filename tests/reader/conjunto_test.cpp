// The whole set of test reports read into one program folder in turn order, as a player reads
// a game's reports, and then all of them again: the second reading changes no row of any table
// of either game, although every report interprets again the rumours of every earlier turn.

#include "comun/impresion.h"
#include "partidalectura.h"

#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

const char* const kInformes[] = {"t123_03_turno01.txt", "c045_14_turno05.txt", "t123_07_turno12.txt", "t123_11_turno13.txt"};
const char* const kFuentes[] = {"DSPais", "DSCenPob", "DSPjs", "DSEjer", "DSUbiArtef", "DSRumores"};

QMap<QString, QStringList> todasLasTablas(PartidaLectura& p) {
    QMap<QString, QStringList> r;
    for (const char* partida : {"T123", "C045"})
        for (const char* fuente : kFuentes) r[u(partida) + u("/") + u(fuente)] = p.volcado(u(fuente), u(partida));
    return r;
}

} // namespace

TEST(ConjuntoDeInformes, LeerloOtraVezNoCambiaNada) {
    PartidaLectura p;
    ASSERT_TRUE(p.preparada());
    for (const char* f : kInformes) EXPECT_TRUE(p.leeFichero(u(f))) << f << p.log().join('\n').toStdString();
    const QMap<QString, QStringList> primera = todasLasTablas(p);
    // Rows of every kind were written: the comparison is not between empty tables.
    for (auto it = primera.begin(); it != primera.end(); ++it) EXPECT_GT(it.value().size(), 1) << it.key().toStdString();

    p.lector().limpiaLog();
    for (const char* f : kInformes) EXPECT_TRUE(p.leeFichero(u(f))) << f << p.log().join('\n').toStdString();
    const QMap<QString, QStringList> segunda = todasLasTablas(p);
    for (auto it = primera.begin(); it != primera.end(); ++it) EXPECT_EQ(segunda.value(it.key()), it.value()) << it.key().toStdString();
}

TEST(ConjuntoDeInformes, UnTurnoPosteriorLeeOtraVezLosRumoresAnteriores) {
    PartidaLectura p;
    ASSERT_TRUE(p.preparada());
    EXPECT_TRUE(p.leeFichero(u("t123_03_turno01.txt")));
    EXPECT_TRUE(p.leeFichero(u("t123_07_turno12.txt")));
    // The militia rumour of turn 1 was read again with the report of turn 12 and found its rows
    // as they were; the rumours of turn 12 placed their characters in turns 011 and 012.
    const QStringList pjs = p.volcado(u("DSPjs"), u("T123"));
    for (const char* fila : {"000;Grimb;2412;Grimbold;;0;", "001;Grimb;2412;Grimbold;;0;", "011;Wormo;1617;Wormo el Espía;;0;",
                             "011;Bruni;1405;Bruni el Viajero;;0;"})
        EXPECT_EQ(std::count_if(pjs.begin(), pjs.end(), [&](const QString& l) { return l.startsWith(u(fila)); }), 1) << fila;
    EXPECT_EQ(p.volcado(u("DSRumores"), u("T123")).size(), 1 + 2 + 5);
}
