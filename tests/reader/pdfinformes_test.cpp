// The test reports made into PDFs and converted by the shipped script through Ghostscript:
// each must read into exactly the rows its text reads into.

#include "comun/impresion.h"
#include "guionconversor.h"
#include "partidalectura.h"
#include "pdfprueba.h"
#include "reader/conversorpdf.h"
#include "reader/textoconvertido.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {

struct InformePdf {
    const char* fichero;
    const char* partida;
};

const InformePdf kInformesPdf[] = {{"t123_07_turno12", "T123"}, {"c045_14_turno05", "C045"}, {"t123_03_turno01", "T123"}};

void comparaConEsperado(PartidaLectura& p, const InformePdf& inf) {
    for (const char* tabla : {"Paises", "CenPob", "Pjs", "Ejer"}) {
        const QString nombre = QString::fromLatin1(tabla);
        const QString fuente = QStringLiteral("DS") + (nombre == QLatin1String("Paises") ? QStringLiteral("Pais") : nombre);
        const QStringList real = p.volcado(fuente, QString::fromLatin1(inf.partida));
        const QStringList esperado =
            PartidaLectura::esperado(QString::fromLatin1(inf.fichero) + QLatin1Char('.') + nombre + QStringLiteral(".csv"));
        ASSERT_FALSE(esperado.isEmpty());
        EXPECT_EQ(real, esperado) << inf.fichero << " " << tabla;
    }
}

} // namespace

class InformesPdf : public ::testing::TestWithParam<InformePdf> {};

TEST_P(InformesPdf, ConvertidoSeLeeEnLasMismasFilasQueSuTexto) {
    const InformePdf& inf = GetParam();
    PartidaLectura p;
    ASSERT_TRUE(p.preparada()) << p.error().toStdString();
    const QString pdf = p.base() + QStringLiteral("/Pdfs/") + inf.partida + QLatin1Char('/') + inf.fichero + QStringLiteral(".pdf");
    QDir().mkpath(QFileInfo(pdf).absolutePath());
    QString error;
    ASSERT_TRUE(HazPdfDeInforme(QString::fromLatin1(inf.fichero), pdf, error)) << error.toStdString();

    ConversorPdf conversor(p.base(), p.ui);
    ASSERT_TRUE(conversor.ConviertePdfTxt(QString::fromLatin1(inf.partida), pdf, ConversorPdf::kEsperaMs))
        << conversor.motivo().toStdString();
    EXPECT_TRUE(p.ui.preguntas.isEmpty()) << p.ui.textos().join('\n').toStdString();

    const QString texto = conversor.carpetaSalida(QString::fromLatin1(inf.partida)) + inf.fichero + QStringLiteral(".txt");
    // Ghostscript's own text: CR LF, the page margin as blanks, the minus sign as U+2212.
    QFile f(texto);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bruto = f.readAll();
    EXPECT_TRUE(bruto.contains("\r\n"));
    EXPECT_TRUE(bruto.startsWith("   "));
    EXPECT_EQ(bruto.contains("\xe2\x88\x92"), QByteArray(inf.fichero).startsWith("c045"));

    QStringList lineas;
    ASSERT_TRUE(LeeTextoConvertido(texto, lineas, error));
    EXPECT_TRUE(p.lee(lineas)) << p.log().join('\n').toStdString();
    comparaConEsperado(p, inf);
}

INSTANTIATE_TEST_SUITE_P(Lector, InformesPdf, ::testing::ValuesIn(kInformesPdf),
                         [](const auto& info) { return std::string(info.param.fichero); });

TEST(TextoConvertido, QuitaSoloElMargenQueTodasLasLineasComparten) {
    EXPECT_EQ(QuitaMargenComun({QStringLiteral("    07 KZIII"), QStringLiteral(""), QStringLiteral("  "),
                                QStringLiteral("      dos  mas"), QStringLiteral("    tres")}),
              (QStringList{QStringLiteral("07 KZIII"), QString(), QString(), QStringLiteral("  dos  mas"), QStringLiteral("tres")}));
    const QStringList sinMargen = {QStringLiteral("uno"), QStringLiteral("  dos")};
    EXPECT_EQ(QuitaMargenComun(sinMargen), sinMargen);
    EXPECT_EQ(LineasDeTextoConvertido("   a \xe2\x88\x92" "3\r\n   b\r\n"), (QStringList{QStringLiteral("a -3"), QStringLiteral("b")}));
}

TEST(ConversionReal, UnPdfDanadoVacioOQueEsTextoNoDaTexto) {
    CarpetaPrueba carpeta;
    ASSERT_TRUE(CopiaGuionReal(carpeta.ruta()));
    InteraccionGuion ui;
    ConversorPdf conversor(carpeta.ruta(), ui);
    const QString bueno = carpeta.fichero(QStringLiteral("bueno.pdf"));
    QString error;
    ASSERT_TRUE(HazPdf({QStringLiteral("07 KZIII Partida 123 Jugador 0457 Turno 12  1"), QStringLiteral("INFORME DE TURNO")}, bueno, error))
        << error.toStdString();
    ASSERT_TRUE(conversor.ConviertePdfTxt(QStringLiteral("T123"), bueno, ConversorPdf::kEsperaMs)) << conversor.motivo().toStdString();

    const QByteArray pdf = LeeFichero(bueno);
    struct Caso {
        const char* nombre;
        QByteArray datos;
    };
    const Caso casos[] = {
        {"cortado", pdf.left(400)},   // cut before its first page: nothing to recover
        {"basura", QByteArray("%PDF-1.4\n") + QByteArray(3000, '\x9c')},
        {"vacio", QByteArray()},
        {"texto", QByteArray("07 KZIII Partida 123 Jugador 0457 Turno 12  1\nINFORME DE TURNO\n")},
        {"postscript", QByteArray("%!PS\n/Courier findfont 12 scalefont setfont 72 72 moveto (hola) show showpage\n")},
    };
    for (const Caso& c : casos) {
        const QString ruta = carpeta.fichero(QString::fromLatin1(c.nombre) + QStringLiteral(".pdf"));
        ASSERT_TRUE(EscribeFichero(ruta, c.datos));
        EXPECT_FALSE(conversor.ConviertePdfTxt(QStringLiteral("T123"), ruta, ConversorPdf::kEsperaMs)) << c.nombre;
        EXPECT_FALSE(QFileInfo::exists(conversor.carpetaSalida(QStringLiteral("T123")) + c.nombre + QStringLiteral(".txt"))) << c.nombre;
    }
    EXPECT_TRUE(ui.preguntas.isEmpty()) << ui.textos().join('\n').toStdString();
}
