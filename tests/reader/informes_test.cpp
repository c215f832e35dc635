// The whole reports of tests/data/lector, each read alone into a fresh game: every row of
// Paises, CenPob, Pjs, Ejer, UbiArtef and Rumores must be the one written down in the report's
// expected files. The last one writes its messages in the English forms the reader accepts.

#include "comun/impresion.h"
#include "partidalectura.h"

#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {

struct Informe {
    const char* fichero;   // without ".txt"
    const char* partida;
    const char* cabecera;  // first log line
    QStringList logExtra;  // log lines between the header line and the end
};

const Informe kInformes[] = {
    {"t123_07_turno12", "T123", "--Leyendo Partida: 123 Pais: 07 Señores del Norte Turno: 012--", {}},
    {"c045_14_turno05", "C045", "--Leyendo Partida: 045 Pais: 14 Legión del Cuervo Turno: 005--", {}},
    {"t123_03_turno01", "T123", "--Leyendo Partida: 123 Pais: 03 Enanos de Kazar Turno: 001--",
     {QStringLiteral("Error al leer los datos del jugador. Se continua con el proceso.")}},
    {"t123_11_turno13", "T123", "--Leyendo Partida: 123 Pais: 11 Caballeros Negros Turno: 013--", {}},
};

void comparaTablas(PartidaLectura& p, const Informe& inf) {
    for (const char* tabla : {"Paises", "CenPob", "Pjs", "Ejer", "UbiArtef", "Rumores"}) {
        const QString fuente = QStringLiteral("DS") + (QString::fromLatin1(tabla) == QLatin1String("Paises") ? QStringLiteral("Pais") : QString::fromLatin1(tabla));
        const QStringList real = p.volcado(fuente, QString::fromLatin1(inf.partida));
        const QStringList esperado = PartidaLectura::esperado(QString::fromLatin1(inf.fichero) + QLatin1Char('.') + tabla + QStringLiteral(".csv"));
        ASSERT_FALSE(esperado.isEmpty()) << tabla;
        EXPECT_EQ(real.size(), esperado.size()) << inf.fichero << " " << tabla;
        for (int i = 0; i < std::max(real.size(), esperado.size()); ++i)
            EXPECT_EQ(real.value(i), esperado.value(i)) << inf.fichero << " " << tabla << " fila " << i;
    }
}

QStringList logEsperado(const Informe& inf) {
    return QStringList{QString::fromUtf8(inf.cabecera)} + inf.logExtra +
           QStringList{QStringLiteral("Proceso de finalizado"), QString(48, QLatin1Char('-'))};
}

} // namespace

class InformesCompletos : public ::testing::TestWithParam<Informe> {};

TEST_P(InformesCompletos, EscribenLasFilasEsperadas) {
    const Informe& inf = GetParam();
    PartidaLectura p;
    ASSERT_TRUE(p.preparada()) << p.error().toStdString();
    EXPECT_TRUE(p.leeFichero(QString::fromLatin1(inf.fichero) + QStringLiteral(".txt")));
    EXPECT_EQ(p.log(), logEsperado(inf));
    EXPECT_TRUE(p.ui.preguntas.isEmpty()) << p.ui.textos().join('\n').toStdString();
    comparaTablas(p, inf);
}

TEST_P(InformesCompletos, LeerDosVecesDaLasMismasFilas) {
    const Informe& inf = GetParam();
    PartidaLectura p;
    ASSERT_TRUE(p.preparada());
    EXPECT_TRUE(p.leeFichero(QString::fromLatin1(inf.fichero) + QStringLiteral(".txt")));
    p.lector().limpiaLog();
    EXPECT_TRUE(p.leeFichero(QString::fromLatin1(inf.fichero) + QStringLiteral(".txt")));
    EXPECT_EQ(p.log(), logEsperado(inf));
    comparaTablas(p, inf);
}

INSTANTIATE_TEST_SUITE_P(Lector, InformesCompletos, ::testing::ValuesIn(kInformes),
                         [](const auto& info) { return std::string(info.param.fichero); });
