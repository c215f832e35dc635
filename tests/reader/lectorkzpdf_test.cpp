// lectorkz --leer with PDFs: the batch run without a window, through the real converter.

#include "comun/impresion.h"
#include "guionconversor.h"
#include "partidalectura.h"
#include "pdfprueba.h"
#include "reader/textoinforme.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

struct Salida {
    int estado = -1;
    QStringList lineas, errores;
};

Salida lectorkz(const QStringList& argumentos, const QString& base) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u("GESTORKZ_HOME"), base);
    p.setProcessEnvironment(env);
    p.start(u(KZ_LECTORKZ), argumentos);
    Salida s;
    if (!p.waitForFinished(120000)) return s;
    s.estado = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    s.lineas = LineasDeTexto(p.readAllStandardOutput());
    s.errores = LineasDeTexto(p.readAllStandardError());
    return s;
}

const QString kSeparador = QString(58, QLatin1Char('-'));
const QStringList kLectura = {u("--Leyendo Partida: 123 Pais: 07 Señores del Norte Turno: 012--"),
                              u("Proceso de finalizado"), QString(48, QLatin1Char('-'))};

class LectorkzPdf : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(p.preparada());
        QString error;
        ASSERT_TRUE(QDir().mkpath(p.base() + u("/Pdfs/T123")));
        ASSERT_TRUE(HazPdfDeInforme(u("t123_07_turno12"), pdf, error)) << error.toStdString();
    }
    PartidaLectura p;
    const QString pdf = p.base() + u("/Pdfs/T123/Turno 12.pdf");
};

} // namespace

TEST_F(LectorkzPdf, ConvierteLeeYDespuesUsaElTextoSalvoConRegenerar) {
    Salida s = lectorkz({u("--leer"), pdf, u("--partida"), u("T123")}, p.base());
    EXPECT_EQ(s.estado, 0) << s.errores.join('\n').toStdString();
    EXPECT_EQ(s.lineas, QStringList({kSeparador, pdf, u("Convitiendo a txt..."), u("...Conversion finalizada Correctamente")}) + kLectura);
    EXPECT_TRUE(QFileInfo::exists(p.base() + u("/Pdfs/T123/Turno 12.txt")));
    EXPECT_EQ(p.volcado(u("DSEjer"), u("T123")), PartidaLectura::esperado(u("t123_07_turno12.Ejer.csv")));

    s = lectorkz({u("--partida"), u("T123"), u("--leer"), pdf}, p.base());
    EXPECT_EQ(s.estado, 0);
    EXPECT_EQ(s.lineas, QStringList{kSeparador} + kLectura);

    s = lectorkz({u("--regenerar"), u("--partida"), u("T123"), u("--leer"), pdf}, p.base());
    EXPECT_EQ(s.estado, 0);
    EXPECT_EQ(s.lineas.mid(0, 4), (QStringList{kSeparador, pdf, u("Convitiendo a txt..."), u("...Conversion finalizada Correctamente")}));
}

TEST_F(LectorkzPdf, UnNombreSoloSeBuscaEnLaCarpetaDeLaPartida) {
    const QString otra = p.base() + u("/mis turnos");
    ASSERT_TRUE(QDir().mkpath(otra));
    ASSERT_TRUE(QFile::rename(pdf, otra + u("/Turno 12.pdf")));
    ASSERT_TRUE(EscribeFichero(p.base() + u("/LPartidas.dat"), (u("T123=") + otra + u("\n")).toUtf8()));
    const Salida s = lectorkz({u("--leer"), u("Turno 12.pdf"), u("--partida"), u("T123")}, p.base());
    EXPECT_EQ(s.estado, 0) << s.errores.join('\n').toStdString();
    EXPECT_EQ(s.lineas.value(1), otra + u("/Turno 12.pdf"));
    // The report text stays in the game's output folder, whatever folder the PDF is in.
    EXPECT_TRUE(QFileInfo::exists(p.base() + u("/Pdfs/T123/Turno 12.txt")));
}

TEST_F(LectorkzPdf, SinPartidaOConConversionFallidaSaleCon1) {
    Salida s = lectorkz({u("--leer"), pdf}, p.base());
    EXPECT_EQ(s.estado, 1);
    EXPECT_EQ(s.errores, QStringList{u("Para leer el fichero ") + pdf + u(" hace falta la partida: --partida CODIGO.")});

    s = lectorkz({u("--leer"), pdf, u("--partida")}, p.base());
    EXPECT_EQ(s.estado, 1);
    EXPECT_EQ(s.errores, QStringList{u("Falta el código de la partida después de --partida.")});

    const QString roto = p.base() + u("/Pdfs/T123/roto.pdf");
    ASSERT_TRUE(EscribeFichero(roto, "%PDF-1.4\nnada mas"));
    s = lectorkz({u("--leer"), roto, pdf, u("--partida"), u("T123")}, p.base());
    EXPECT_EQ(s.estado, 1);
    EXPECT_EQ(s.lineas.mid(0, 4), (QStringList{kSeparador, roto, u("Convitiendo a txt..."),
                                               u("...Conversion con ERRORES!!! No se realizara el proceso de lectura.")}));
    EXPECT_EQ(s.lineas.mid(4, 4), (QStringList{kSeparador, pdf, u("Convitiendo a txt..."), u("...Conversion finalizada Correctamente")}));
    EXPECT_EQ(LeeFichero(p.base() + u("/Pdfs/T123/roto.erc")), "Error en la conversion pdf a txt\n");
    EXPECT_EQ(s.errores, QStringList{u("El conversor no produjo ningún texto.")});
}
