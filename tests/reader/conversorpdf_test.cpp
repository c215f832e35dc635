// The conversion of one PDF through the converter script: the script's prepared lines, the
// temporary files, the waits with their Abort/Retry question and what is left behind.

#include "comun/carpetaprueba.h"
#include "comun/impresion.h"
#include "comun/interaccionguion.h"
#include "guionconversor.h"
#include "reader/conversorpdf.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {

class Conversion : public ::testing::Test {
protected:
    QString programa() const { return carpeta.ruta(); }
    QString pdf(const QString& nombre = QStringLiteral("turno12.pdf"), const QByteArray& datos = "contenido del pdf\n") {
        const QString ruta = carpeta.fichero(QStringLiteral("entrada/") + nombre);
        EscribeFichero(ruta, datos);
        return ruta;
    }
    QString textoInforme(const QString& base = QStringLiteral("turno12")) const {
        return programa() + QStringLiteral("/Pdfs/T123/") + base + QStringLiteral(".txt");
    }
    bool convierte(const QString& ruta, int esperaMs = 5000) { return conversor.ConviertePdfTxt(QStringLiteral("T123"), ruta, esperaMs); }
    void sinTemporales() const {
        EXPECT_FALSE(QFileInfo::exists(conversor.pdfTemporal()));
        EXPECT_FALSE(QFileInfo::exists(conversor.txtTemporal()));
    }

    CarpetaPrueba carpeta;
    InteraccionGuion ui;
    ConversorPdf conversor{carpeta.ruta(), ui};
};

QStringList lineasGuion(const QString& programa) {
    return QString::fromUtf8(LeeFichero(programa + QStringLiteral("/pdf2txt/pdf2txt.sh"))).split(QLatin1Char('\n'));
}

} // namespace

TEST_F(Conversion, PreparaBatReescribeLasLineas6_7y9YDejaLasDemas) {
    ASSERT_TRUE(CopiaGuionReal(programa()));
    const QStringList antes = lineasGuion(programa());
    ASSERT_GE(antes.size(), 9);
    QString error;
    ASSERT_TRUE(ConversorPdf::PreparaBat(conversor.carpetaConversor(), QString(), error)) << error.toStdString();
    const QStringList despues = lineasGuion(programa());
    ASSERT_EQ(despues.size(), antes.size());
    EXPECT_TRUE(despues[5].startsWith(QStringLiteral("cd \"/"))) << despues[5].toStdString();
    EXPECT_EQ(despues[6], QStringLiteral("cd \"") + conversor.carpetaConversor() + QLatin1Char('"'));
    EXPECT_EQ(despues[8], QStringLiteral("PATH=$PATH:"));
    for (int i = 0; i < antes.size(); ++i) {
        if (i == 5 || i == 6 || i == 8) continue;
        EXPECT_EQ(despues[i], antes[i]) << "línea " << i + 1;
    }
    EXPECT_TRUE(QFileInfo(programa() + QStringLiteral("/pdf2txt/pdf2txt.sh")).isExecutable());

    ASSERT_TRUE(ConversorPdf::PreparaBat(conversor.carpetaConversor(), QStringLiteral("/opt/gs $x/bin"), error));
    EXPECT_EQ(lineasGuion(programa())[8], QStringLiteral("PATH=$PATH:\"/opt/gs \\$x/bin\""));
}

TEST_F(Conversion, UnGuionDeMenosDeNueveLineasNoSeUsa) {
    ASSERT_TRUE(EscribeFichero(programa() + QStringLiteral("/pdf2txt/pdf2txt.sh"), "#!/bin/sh\necho\necho\n"));
    QString error;
    EXPECT_FALSE(ConversorPdf::PreparaBat(conversor.carpetaConversor(), QString(), error));
    EXPECT_TRUE(error.contains(QStringLiteral("al menos 9 líneas"))) << error.toStdString();

    EXPECT_FALSE(convierte(pdf()));
    ASSERT_EQ(ui.preguntas.size(), 1);
    EXPECT_EQ(ui.preguntas[0].tipo, mtError);
    EXPECT_EQ(ui.preguntas[0].texto, error);
    EXPECT_EQ(ui.nivelEspera, 0);
}

TEST_F(Conversion, LaLinea7EntraEnLaCarpetaDelConversorAunqueSuNombreLleveComillasYDolares) {
    CarpetaPrueba raiz;
    const QString rara = raiz.fichero(QStringLiteral("Mis \"turnos\" $HOME `id`; \\ ñandú"));
    ASSERT_TRUE(QDir().mkpath(rara));
    ASSERT_TRUE(EscribeGuionPrueba(rara, QStringLiteral("pwd > \"$1.txt\"")));
    QString error;
    ASSERT_TRUE(ConversorPdf::PreparaBat(rara + QStringLiteral("/pdf2txt/"), QString(), error)) << error.toStdString();

    // Started anywhere, the script works in the converter folder.
    QProcess sh;
    sh.setWorkingDirectory(QStringLiteral("/"));
    sh.start(QStringLiteral("/bin/sh"), {rara + QStringLiteral("/pdf2txt/pdf2txt.sh"), QStringLiteral("TmpLKZ")});
    ASSERT_TRUE(sh.waitForFinished(10000));
    EXPECT_EQ(sh.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(LeeFichero(rara + QStringLiteral("/pdf2txt/TmpLKZ.txt"))).trimmed(),
              QFileInfo(rara + QStringLiteral("/pdf2txt")).canonicalFilePath());
}

TEST_F(Conversion, ElConversorRecibeSoloElNombreBaseYSuTextoQuedaComoTextoDelInforme) {
    ASSERT_TRUE(EscribeGuionPrueba(programa(), QStringLiteral("{ printf '%s\\n' \"$#\" \"$1\"; cat \"$1.pdf\"; } > \"$1.txt\"")));
    const QString ruta = pdf(QStringLiteral("Turno 12 \"$HOME\"; `rm` ñ.pdf"));
    EXPECT_FALSE(QFileInfo::exists(programa() + QStringLiteral("/Pdfs")));
    EXPECT_TRUE(convierte(ruta)) << conversor.motivo().toStdString();
    EXPECT_EQ(LeeFichero(textoInforme(QStringLiteral("Turno 12 \"$HOME\"; `rm` ñ"))), "1\nTmpLKZ\ncontenido del pdf\n");
    EXPECT_TRUE(ui.preguntas.isEmpty()) << ui.textos().join('\n').toStdString();
    EXPECT_EQ(ui.nivelEspera, 0);
    EXPECT_TRUE(QFileInfo::exists(ruta));
    sinTemporales();
}

TEST_F(Conversion, UnNombreConDosPuntosSeQuedaConLaParteAntesDelPrimero) {
    ASSERT_TRUE(EscribeGuionPrueba(programa(), QStringLiteral("cat \"$1.pdf\" > \"$1.txt\"")));
    EXPECT_TRUE(convierte(pdf(QStringLiteral("turno.12.pdf"))));
    EXPECT_EQ(LeeFichero(textoInforme(QStringLiteral("turno"))), "contenido del pdf\n");
    EXPECT_FALSE(QFileInfo::exists(textoInforme(QStringLiteral("turno.12"))));
}

TEST_F(Conversion, UnTemporalQueNoSePuedeBorrarDetieneLaConversionConElAvisoDeLosDosFicheros) {
    ASSERT_TRUE(EscribeGuionPrueba(programa(), QStringLiteral("touch ../convertido; cat \"$1.pdf\" > \"$1.txt\"")));
    // A folder stands for a file the system will not delete (read-only or in use): root deletes
    // read-only files, nobody deletes a folder that is not empty with a file delete.
    ASSERT_TRUE(EscribeFichero(conversor.pdfTemporal() + QStringLiteral("/dentro"), "x"));
    EXPECT_FALSE(convierte(pdf()));
    ASSERT_EQ(ui.preguntas.size(), 1);
    const Pregunta& p = ui.preguntas[0];
    EXPECT_EQ(p.texto, QStringLiteral("¡¡¡ATENCION!!! No se pudo borrar alguno de los ficheros temporales: \r") +
                           programa() + QStringLiteral("/pdf2txt/TmpLKZ.pdf\r") + programa() +
                           QStringLiteral("/pdf2txt/TmpLKZ.txt\rVerifique que no sean de solo lectura o esten en uso y reintentelo."));
    EXPECT_EQ(p.tipo, mtError);
    EXPECT_EQ(p.botones, boton(mbOK));
    EXPECT_FALSE(QFileInfo::exists(programa() + QStringLiteral("/convertido")));
    EXPECT_FALSE(QFileInfo::exists(textoInforme()));
    EXPECT_EQ(ui.nivelEspera, 0);
}

TEST_F(Conversion, UnTemporalQueSiSeBorraNoMolesta) {
    ASSERT_TRUE(EscribeGuionPrueba(programa(), QStringLiteral("cat \"$1.pdf\" > \"$1.txt\"")));
    ASSERT_TRUE(EscribeFichero(conversor.pdfTemporal(), "viejo"));
    ASSERT_TRUE(EscribeFichero(conversor.txtTemporal(), "texto viejo"));
    QFile(conversor.txtTemporal()).setPermissions(QFile::ReadOwner);
    EXPECT_TRUE(convierte(pdf()));
    EXPECT_EQ(LeeFichero(textoInforme()), "contenido del pdf\n");
    sinTemporales();
}

TEST_F(Conversion, ReintentarEsperaOtroPeriodo) {
    ASSERT_TRUE(EscribeGuionPrueba(programa(), QStringLiteral("sleep 0.7; cat \"$1.pdf\" > \"$1.txt\"")));
    ui.responde({mrReintentar, mrReintentar, mrReintentar, mrReintentar, mrReintentar, mrReintentar, mrReintentar});
    EXPECT_TRUE(convierte(pdf(), 200)) << conversor.motivo().toStdString();
    ASSERT_GE(ui.preguntas.size(), 2);
    EXPECT_LE(ui.preguntas.size(), 4);
    for (const Pregunta& p : ui.preguntas) {
        EXPECT_EQ(p.texto, QStringLiteral("TimeOut agotado. El programa conversor no responde. \r"
                                          "Puede que el proceso siga Activo, pruebe a Reintentarlo."));
        EXPECT_EQ(p.tipo, mtAviso);
        EXPECT_EQ(p.botones, boton(mbAbortar) | boton(mbReintentar));
    }
    EXPECT_EQ(LeeFichero(textoInforme()), "contenido del pdf\n");
    sinTemporales();
}

TEST_F(Conversion, AbortarFallaAunqueElConversorFueraAEscribirDespues) {
    ASSERT_TRUE(EscribeGuionPrueba(programa(), QStringLiteral("sleep 1; cat \"$1.pdf\" > \"$1.txt\"; touch ../despues")));
    ui.responde({mrAbortar});
    QElapsedTimer reloj;
    reloj.start();
    EXPECT_FALSE(convierte(pdf(), 200));
    EXPECT_LT(reloj.elapsed(), 900);
    EXPECT_EQ(ui.preguntas.size(), 1);
    QThread::msleep(1300);
    EXPECT_FALSE(QFileInfo::exists(textoInforme()));
    EXPECT_FALSE(QFileInfo::exists(programa() + QStringLiteral("/despues")));
    sinTemporales();
    EXPECT_EQ(ui.nivelEspera, 0);
}

TEST_F(Conversion, SinTextoOConTextoEnBlancoLaConversionFalla) {
    for (const QString& ordenes : {QStringLiteral("exit 0"), QStringLiteral("printf ' \\r\\n\\f\\r\\n' > \"$1.txt\"")}) {
        ASSERT_TRUE(EscribeGuionPrueba(programa(), ordenes));
        EXPECT_FALSE(convierte(pdf())) << ordenes.toStdString();
        EXPECT_FALSE(conversor.motivo().isEmpty());
        sinTemporales();
    }
}

TEST_F(Conversion, ElPdfDeLaCarpetaDelConversorNoSeBorra) {
    ASSERT_TRUE(EscribeGuionPrueba(programa(), QStringLiteral("cat \"$1.pdf\" > \"$1.txt\"")));
    ASSERT_TRUE(EscribeFichero(conversor.pdfTemporal(), "el informe"));
    EXPECT_FALSE(convierte(conversor.pdfTemporal()));
    EXPECT_EQ(LeeFichero(conversor.pdfTemporal()), "el informe");
}

TEST_F(Conversion, UnPdfQueNoSePuedeLeerFallaSinConversor) {
    ASSERT_TRUE(EscribeGuionPrueba(programa(), QStringLiteral("touch ../convertido; cat \"$1.pdf\" > \"$1.txt\"")));
    EXPECT_FALSE(convierte(carpeta.fichero(QStringLiteral("no_existe.pdf"))));
    EXPECT_FALSE(QFileInfo::exists(programa() + QStringLiteral("/convertido")));
    sinTemporales();
}
