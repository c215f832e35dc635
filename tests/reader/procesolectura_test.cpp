// ProcesaItem: one PDF of the batch run, from conversion to the state files beside it.

#include "comun/impresion.h"
#include "guionconversor.h"
#include "partidalectura.h"
#include "pdfprueba.h"
#include "reader/procesolectura.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace kz;
using namespace kz::prueba;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

QByteArray informe(const char* nombre) { return LeeFichero(CarpetaPrueba::datosPrueba(u("lector/") + u(nombre))); }

// The test converter takes the "PDF" for its text, and leaves a mark each time it runs.
const QString kGuionCopia = u("echo x >> ../conversiones; cat \"$1.pdf\" > \"$1.txt\"");

class Proceso : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(p.preparada()) << p.error().toStdString();
        ASSERT_TRUE(EscribeGuionPrueba(p.base(), kGuionCopia));
        p.lector().alAnadirLog = [this](const QString& t) { log << t; };
        proceso.codigoPartida = u("T123");
    }
    QString pdf(const QString& nombre, const QByteArray& datos) {
        const QString ruta = proceso.carpetaSalida() + nombre;
        EscribeFichero(ruta, datos);
        return ruta;
    }
    int conversiones() const { return LeeFichero(p.base() + u("/conversiones")).count('\n'); }
    QStringList logLectura() const {
        return {u("--Leyendo Partida: 123 Pais: 07 Señores del Norte Turno: 012--"), LectorTurno::kFinalizado,
                QString(48, QLatin1Char('-'))};
    }

    PartidaLectura p;
    QStringList log;
    ProcesoLectura proceso{p.lector(), p.base(), p.ui};
};

} // namespace

TEST_F(Proceso, SinTextoConvierteLeeYDejaElTexto) {
    const QString ruta = pdf(u("turno12.pdf"), informe("t123_07_turno12.txt"));
    EXPECT_EQ(proceso.ProcesaItem(ruta), EstadoPdf::Leido);
    EXPECT_EQ(log, QStringList({QString(58, QLatin1Char('-')), ruta, u("Convitiendo a txt..."),
                                u("...Conversion finalizada Correctamente")}) +
                       logLectura());
    const FicherosInforme f = proceso.ficheros(ruta);
    EXPECT_EQ(LeeFichero(f.txt()), informe("t123_07_turno12.txt"));
    EXPECT_FALSE(QFileInfo::exists(f.err()));
    EXPECT_FALSE(QFileInfo::exists(f.erc()));
    EXPECT_EQ(f.estado(), EstadoPdf::Leido);
    EXPECT_TRUE(p.ui.estados.contains(u("Leyendo turno12.pdf...")));
    EXPECT_EQ(p.volcado(u("DSPjs"), u("T123")), PartidaLectura::esperado(u("t123_07_turno12.Pjs.csv")));
}

TEST_F(Proceso, ConTextoNoConvierteSalvoRegenerar) {
    const QString ruta = pdf(u("turno12.pdf"), "no es el informe");
    ASSERT_TRUE(EscribeFichero(proceso.ficheros(ruta).txt(), informe("t123_07_turno12.txt")));
    EXPECT_EQ(proceso.ProcesaItem(ruta), EstadoPdf::Leido);
    EXPECT_EQ(conversiones(), 0);
    EXPECT_EQ(log, QStringList{QString(58, QLatin1Char('-'))} + logLectura());

    // Regenerated, the text is the converter's again: here, not a report.
    log.clear();
    proceso.regenerarTxt = true;
    EXPECT_EQ(proceso.ProcesaItem(ruta), EstadoPdf::Error);
    EXPECT_EQ(conversiones(), 1);
    EXPECT_EQ(log.mid(0, 4), (QStringList{QString(58, QLatin1Char('-')), ruta, u("Convitiendo a txt..."),
                                          u("...Conversion finalizada Correctamente")}));
    EXPECT_EQ(LeeFichero(proceso.ficheros(ruta).err()), "no es el informe");
    EXPECT_FALSE(QFileInfo::exists(proceso.ficheros(ruta).txt()));
}

TEST_F(Proceso, UnaConversionFallidaDejaElErcYNoLee) {
    ASSERT_TRUE(EscribeGuionPrueba(p.base(), u("exit 1")));
    const QString ruta = pdf(u("turno12.pdf"), informe("t123_07_turno12.txt"));
    EXPECT_EQ(proceso.ProcesaItem(ruta), EstadoPdf::Error);
    EXPECT_EQ(log, (QStringList{QString(58, QLatin1Char('-')), ruta, u("Convitiendo a txt..."),
                                u("...Conversion con ERRORES!!! No se realizara el proceso de lectura.")}));
    const FicherosInforme f = proceso.ficheros(ruta);
    EXPECT_EQ(LeeFichero(f.erc()), "Error en la conversion pdf a txt\n");
    EXPECT_FALSE(QFileInfo::exists(f.txt()));
    EXPECT_EQ(f.estado(), EstadoPdf::Error);
    EXPECT_EQ(p.volcado(u("DSPjs"), u("T123")).size(), 1);
}

TEST_F(Proceso, UnaLecturaFallidaRenombraElTextoAErrYLaSiguienteLoVuelveAHacer) {
    const QString ruta = pdf(u("turno12.pdf"), "primer texto que no es un turno\n");
    EXPECT_EQ(proceso.ProcesaItem(ruta), EstadoPdf::Error);
    const FicherosInforme f = proceso.ficheros(ruta);
    EXPECT_FALSE(QFileInfo::exists(f.txt()));
    EXPECT_EQ(LeeFichero(f.err()), "primer texto que no es un turno\n");
    EXPECT_EQ(log.last(), u("ERROR - Fichero no reconocido. Verifique que es un Turno."));

    pdf(u("turno12.pdf"), "segundo texto que tampoco\n");
    EXPECT_EQ(proceso.ProcesaItem(ruta), EstadoPdf::Error);
    EXPECT_EQ(conversiones(), 2);
    EXPECT_EQ(LeeFichero(f.err()), "segundo texto que tampoco\n");

    // Read well at last, the old ".err" goes.
    pdf(u("turno12.pdf"), informe("t123_07_turno12.txt"));
    EXPECT_EQ(proceso.ProcesaItem(ruta), EstadoPdf::Leido);
    EXPECT_FALSE(QFileInfo::exists(f.err()));
    EXPECT_EQ(f.estado(), EstadoPdf::Leido);
}

TEST_F(Proceso, ElTextoDeUnaConversionFallidaNoSeLeeComoInforme) {
    const QString ruta = pdf(u("turno12.pdf"), informe("t123_07_turno12.txt"));
    const FicherosInforme f = proceso.ficheros(ruta);
    ASSERT_TRUE(EscribeFichero(f.txt(), "07 KZIII Partida 123 Jugador 0457 Turno 12  1\nmedio"));
    ASSERT_TRUE(EscribeFichero(f.erc(), "Error en la conversion pdf a txt\n"));
    EXPECT_EQ(f.estado(), EstadoPdf::Error);
    EXPECT_EQ(proceso.ProcesaItem(ruta), EstadoPdf::Leido);
    EXPECT_EQ(conversiones(), 1);
    EXPECT_FALSE(QFileInfo::exists(f.erc()));
    EXPECT_EQ(f.estado(), EstadoPdf::Leido);
}

TEST_F(Proceso, UnPdfRealDeNombreRaroPorGhostscript) {
    ASSERT_TRUE(CopiaGuionReal(p.base()));
    const QString ruta = proceso.carpetaSalida() + u("Turno 12; \"$(touch MAL)\" `x` ñ.v2.pdf");
    QDir().mkpath(proceso.carpetaSalida());
    QString error;
    ASSERT_TRUE(HazPdfDeInforme(u("t123_07_turno12"), ruta, error)) << error.toStdString();
    EXPECT_EQ(proceso.ProcesaItem(ruta), EstadoPdf::Leido) << log.join('\n').toStdString();
    EXPECT_TRUE(QFileInfo::exists(proceso.carpetaSalida() + u("Turno 12; \"$(touch MAL)\" `x` ñ.txt")));
    EXPECT_FALSE(QFileInfo::exists(p.base() + u("/pdf2txt/MAL")));
    EXPECT_FALSE(QFileInfo::exists(proceso.carpetaSalida() + u("MAL")));
    EXPECT_EQ(p.volcado(u("DSCenPob"), u("T123")), PartidaLectura::esperado(u("t123_07_turno12.CenPob.csv")));
}

TEST(FicherosInforme, EstadoSegunLosFicherosDelInforme) {
    struct Caso {
        bool txt, err, erc;
        EstadoPdf estado;
        const char* texto;
        int icono;
    };
    const Caso casos[] = {
        {false, false, false, EstadoPdf::NoLeido, "No Leido", -1}, {true, false, false, EstadoPdf::Leido, "Leido", 0},
        {false, true, false, EstadoPdf::Error, "Error", 1},        {true, false, true, EstadoPdf::Error, "Error", 1},
        {false, false, true, EstadoPdf::Error, "Error", 1},        {true, true, true, EstadoPdf::Error, "Error", 1},
    };
    for (const Caso& c : casos) {
        CarpetaPrueba carpeta;
        const FicherosInforme f(carpeta.ruta(), u("/donde/sea/turno.12.pdf"));
        EXPECT_EQ(f.txt(), carpeta.ruta() + u("/turno.txt"));
        if (c.txt) EscribeFichero(f.txt(), "t");
        if (c.err) EscribeFichero(f.err(), "e");
        if (c.erc) EscribeFichero(f.erc(), "c");
        EXPECT_EQ(f.estado(), c.estado) << c.txt << c.err << c.erc;
        EXPECT_EQ(FicherosInforme::textoEstado(f.estado()), u(c.texto));
        EXPECT_EQ(FicherosInforme::icono(f.estado()), c.icono);
    }
}

TEST_F(Proceso, PdfsDanadoVacioOQueSonTextoTerminanEnErrorConElErc) {
    ASSERT_TRUE(CopiaGuionReal(p.base()));
    const std::pair<const char*, QByteArray> casos[] = {
        {"danado.pdf", QByteArray("%PDF-1.4\n1 0 obj << /Type /Catalog >> endobj\n") + QByteArray(4000, '\x17')},
        {"vacio.pdf", QByteArray()},
        {"texto.pdf", informe("t123_07_turno12.txt")},
    };
    for (const auto& [nombre, datos] : casos) {
        const QString ruta = pdf(u(nombre), datos);
        EXPECT_EQ(proceso.ProcesaItem(ruta), EstadoPdf::Error) << nombre;
        const FicherosInforme f = proceso.ficheros(ruta);
        EXPECT_EQ(LeeFichero(f.erc()), "Error en la conversion pdf a txt\n") << nombre;
        EXPECT_EQ(f.estado(), EstadoPdf::Error);
        EXPECT_EQ(log.last(), u("...Conversion con ERRORES!!! No se realizara el proceso de lectura."));
    }
    EXPECT_TRUE(p.ui.preguntas.isEmpty()) << p.ui.textos().join('\n').toStdString();
}
