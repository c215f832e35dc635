#include "exchange/cp1252.h"
#include "exchange/exportacion.h"
#include "exchange/fusionimportacion.h"
#include "exchange/importacion.h"
#include "exchange/tzlbarchive.h"
#include "programaprueba.h"

#include "database/carpetaprograma.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sqlite3.h>

extern "C" {
#include <paradox.h>
}

using namespace kz;
using namespace kz::prueba;

namespace {

const QString kFinal = QStringLiteral("Proceso Finalizado");

// One row of a merge case: the local row (none when empty), the unpacked row, and the local
// row expected afterwards (the listed fields joined by "|").
struct Caso {
    const char* que;
    QVariantMap local;
    QVariantMap archivo;
    const char* esperado;
};

class Importar : public ::testing::Test {
protected:
    ProgramaPrueba aliado, local;

    void SetUp() override {
        aliado.creaPartida(QStringLiteral("T012"));
        aliado.usa(QStringLiteral("T012"));
        local.creaPartida(QStringLiteral("T012"));
        local.creaPartida(QStringLiteral("T001"));
        local.usa(QStringLiteral("T012"));
    }

    // Each case on a key of its own (the field `campo` gets the case number), loaded into both
    // sides; the local rows are read back after the merge and compared.
    void cargaCasos(const QString& fuente, const QString& campo, int ancho, const QVariantMap& comun,
                    const QList<Caso>& casos) {
        for (int i = 0; i < casos.size(); ++i) {
            const QString clave = QString::number(i + 1).rightJustified(ancho, QLatin1Char('0'));
            QVariantMap fijo = comun;
            fijo[campo] = clave;
            if (!casos[i].local.isEmpty()) local.inserta(fuente, unir(fijo, casos[i].local));
            aliado.inserta(fuente, unir(fijo, casos[i].archivo));
        }
    }
    static QVariantMap unir(QVariantMap a, const QVariantMap& b) {
        for (auto it = b.begin(); it != b.end(); ++it) a[it.key()] = it.value();
        return a;
    }
    void compruebaCasos(const QString& fuente, const QStringList& campos, const QList<Caso>& casos) {
        const QStringList filas = local.filas(fuente, campos);
        ASSERT_EQ(filas.size(), casos.size()) << filas.join(QLatin1Char('\n')).toStdString();
        for (int i = 0; i < casos.size(); ++i)
            EXPECT_EQ(filas[i], QString::fromUtf8(casos[i].esperado)) << casos[i].que;
    }

    QString exporta(const QString& partida = QStringLiteral("T012")) {
        Exportacion e(aliado.dm(), partida);
        EXPECT_TRUE(e.prepara());
        e.marca(Exportacion::ListaArtefactos, true);
        EXPECT_TRUE(e.ejecuta());
        return e.rutaArchivo();
    }
    bool importa(const QString& archivo) {
        Importacion i(local.dm(), local.enUso());
        return i.ejecuta(archivo);
    }
};

const QStringList kCamposPjs = {"CODIGO", "NOMBRE", "HEX", "ORIGEN", "TIPO", "SALUD"};

const QList<Caso> casosPjs() {
    return {
        {"sin fila local se anade entera", {}, {{"NOMBRE", "Nuevo"}, {"HEX", "0101"}, {"ORIGEN", "0"}, {"TIPO", "E"}, {"SALUD", 50}},
         "00001|Nuevo|0101|0|E|50"},
        {"fila tecleada (ORIGEN 1) solo rellena lo vacio", {{"NOMBRE", "Aragorn"}, {"ORIGEN", "1"}},
         {{"NOMBRE", "Trancos"}, {"HEX", "1010"}, {"ORIGEN", "0"}, {"SALUD", 80}}, "00002|Aragorn|1010|1||80"},
        {"fila del informe y tecleada en el archivo reemplaza todo", {{"NOMBRE", "A"}, {"HEX", "0202"}, {"ORIGEN", "0"}, {"SALUD", 10}},
         {{"NOMBRE", "B"}, {"HEX", "0303"}, {"ORIGEN", "1"}, {"SALUD", 20}}, "00003|B|0303|1||20"},
        {"las dos del informe rellenan lo vacio", {{"NOMBRE", "A"}, {"ORIGEN", "0"}},
         {{"NOMBRE", "B"}, {"HEX", "0404"}, {"ORIGEN", "0"}}, "00004|A|0404|0||"},
        {"TIPO nunca se lleva a una fila que existe", {{"NOMBRE", "A"}, {"ORIGEN", "2"}},
         {{"NOMBRE", "B"}, {"ORIGEN", "1"}, {"TIPO", "X"}}, "00005|B||1||"},
        {"un valor vacio del archivo no borra", {{"NOMBRE", "A"}, {"HEX", "0505"}, {"ORIGEN", "0"}},
         {{"ORIGEN", "1"}}, "00006|A|0505|1||"},
    };
}

const QStringList kCamposEjer = {"CODIGO", "NOMBRE", "MORAL", "PAIS"};
const QList<Caso> casosEjer() {
    return {
        {"sin fila local se anade", {}, {{"NOMBRE", "Hueste"}, {"MORAL", 40}}, "00001|Hueste|40|"},
        {"solo rellena lo vacio", {{"NOMBRE", "Mia"}}, {{"NOMBRE", "Otra"}, {"MORAL", 35}, {"PAIS", "07"}}, "00002|Mia|35|07"},
    };
}

const QStringList kCamposCenPob = {"HEX", "NOMBRE", "LEALTAD", "PAIS", "HEREDADO"};
const QList<Caso> casosCenPob() {
    return {
        {"heredada y observada en el archivo: todo, HEREDADO incluido",
         {{"NOMBRE", "Vieja"}, {"HEREDADO", true}, {"LEALTAD", 10}},
         {{"NOMBRE", "Nueva"}, {"HEREDADO", false}, {"LEALTAD", 20}, {"PAIS", "03"}}, "0001|Nueva|20|03|False"},
        {"heredada y observada sin HEREDADO en el archivo", {{"NOMBRE", "Vieja"}, {"HEREDADO", true}, {"LEALTAD", 10}},
         {{"NOMBRE", "Nueva"}, {"LEALTAD", 30}}, "0002|Nueva|30||False"},
        {"observada: solo rellena lo vacio", {{"NOMBRE", "Mia"}, {"HEREDADO", false}},
         {{"NOMBRE", "Suya"}, {"LEALTAD", 5}, {"HEREDADO", false}}, "0003|Mia|5||False"},
        {"heredada y heredada en el archivo: solo lo vacio", {{"NOMBRE", "Vieja"}, {"HEREDADO", true}},
         {{"NOMBRE", "Otra"}, {"PAIS", "04"}, {"HEREDADO", true}}, "0004|Vieja||04|True"},
        {"sin fila local se anade", {}, {{"NOMBRE", "Lejana"}, {"HEREDADO", true}}, "0005|Lejana|||True"},
    };
}

} // namespace

TEST_F(Importar, CadaTablaPorSuRegla) {
    const QVariantMap turno{{"TURNO", "001"}};
    cargaCasos(QStringLiteral("DSPjs"), QStringLiteral("CODIGO"), 5, turno, casosPjs());
    cargaCasos(QStringLiteral("DSEjer"), QStringLiteral("CODIGO"), 5, unir(turno, {{"HEX", "0909"}, {"BANDO", "1"}}), casosEjer());
    cargaCasos(QStringLiteral("DSCenPob"), QStringLiteral("HEX"), 4, turno, casosCenPob());

    local.inserta(QStringLiteral("DSRumores"), {{"CODIGO", "00007"}, {"TURNO", "001"}, {"TEXTO", "Se oye algo"}});
    aliado.inserta(QStringLiteral("DSRumores"), {{"CODIGO", "00001"}, {"TURNO", "001"}, {"TEXTO", "Se oye algo"}});
    aliado.inserta(QStringLiteral("DSRumores"), {{"CODIGO", "00002"}, {"TURNO", "002"}, {"TEXTO", "Se oye algo"}});
    aliado.inserta(QStringLiteral("DSRumores"), {{"CODIGO", "00003"}, {"TURNO", "001"}, {"TEXTO", "Otro"}});

    local.inserta(QStringLiteral("DSUbiArtef"), {{"CODIGO", "0003"}, {"HEX", "1010"}, {"TURNO", "001"}, {"ARTEF", "012"},
                                                 {"NOMBRE", "Anillo"}, {"RESUELTO", false}, {"ORIGEN", "1"}});
    aliado.inserta(QStringLiteral("DSUbiArtef"), {{"CODIGO", "0001"}, {"HEX", "1010"}, {"TURNO", "001"}, {"ARTEF", "012"},
                                                  {"NOMBRE", "ANILLO"}, {"RESUELTO", true}, {"ORIGEN", "1"}});
    aliado.inserta(QStringLiteral("DSUbiArtef"), {{"CODIGO", "0002"}, {"HEX", "2020"}, {"TURNO", "001"}, {"ARTEF", "033"},
                                                  {"NOMBRE", "Espada"}, {"RESUELTO", false}, {"ORIGEN", "2"}});

    local.inserta(QStringLiteral("DSArtef"), {{"CODIGO", "150"}, {"NOMBRE", "Local"}});
    aliado.inserta(QStringLiteral("DSArtef"), {{"CODIGO", "150"}, {"NOMBRE", "Otro"}, {"BONO", 3}});
    aliado.inserta(QStringLiteral("DSArtef"), {{"CODIGO", "199"}, {"NOMBRE", "Nuevo"}, {"HISTORIA", "Forjado\r\nen Moria"}});
    aliado.inserta(QStringLiteral("DSArtef"), {{"CODIGO", "250"}, {"NOMBRE", "Prohibido"}});

    local.inserta(QStringLiteral("DSAcertijos"),
                  {{"CODIGO", "00001"}, {"TEXTO", "¿Qué camina a cuatro patas, luego a dos\r\ny después a tres?"}});
    local.inserta(QStringLiteral("DSAcertijos"), {{"CODIGO", "00002"}, {"TEXTO", "El enigma del puente y del río: quién pasa"},
                                                  {"RESPUESTA", "El barquero"}});
    aliado.inserta(QStringLiteral("DSAcertijos"), {{"CODIGO", "00001"}, {"TEXTO", "que CAMINA a cuatro patas luego a dos y despues a tres"},
                                                   {"RESPUESTA", "  El hombre  "}});
    aliado.inserta(QStringLiteral("DSAcertijos"), {{"CODIGO", "00002"}, {"TEXTO", "del Puente y del Rio."}, {"RESPUESTA", "Otro"}});
    aliado.inserta(QStringLiteral("DSAcertijos"), {{"CODIGO", "00003"}, {"TEXTO", "Un enigma nuevo"}, {"RESPUESTA", "x"},
                                                   {"OBSERVACIONES", "visto en 1010"}});
    aliado.inserta(QStringLiteral("DSAcertijos"), {{"CODIGO", "00004"}, {"TEXTO", "  UN  enigma, nuevo  "}});

    const QString archivo = exporta();
    ASSERT_TRUE(importa(archivo));
    EXPECT_EQ(local.ui().textos().last(), kFinal);

    compruebaCasos(QStringLiteral("DSPjs"), kCamposPjs, casosPjs());
    compruebaCasos(QStringLiteral("DSEjer"), kCamposEjer, casosEjer());
    compruebaCasos(QStringLiteral("DSCenPob"), kCamposCenPob, casosCenPob());
    EXPECT_EQ(local.filas(QStringLiteral("DSRumores"), {"CODIGO", "TURNO", "TEXTO"}),
              (QStringList{"00007|001|Se oye algo", "00008|002|Se oye algo", "00009|001|Otro"}));
    EXPECT_EQ(local.filas(QStringLiteral("DSUbiArtef"), {"CODIGO", "HEX", "NOMBRE", "RESUELTO", "ORIGEN"}),
              (QStringList{"0003|1010|Anillo|True|1", "0004|2020|Espada|False|2"}));
    EXPECT_EQ(local.filas(QStringLiteral("DSArtef"), {"CODIGO", "NOMBRE", "BONO", "HISTORIA"}),
              (QStringList{"150|Local||", "199|Nuevo||Forjado\r\nen Moria"}));
    EXPECT_EQ(local.filas(QStringLiteral("DSAcertijos"), {"CODIGO", "RESPUESTA", "OBSERVACIONES"}),
              (QStringList{"00001|El hombre|", "00002|El barquero|", "00003|x|visto en 1010"}));

    // The same archive once more changes nothing.
    QStringList antes;
    for (const char* f : {"DSPjs", "DSEjer", "DSCenPob", "DSRumores", "DSUbiArtef", "DSArtef", "DSAcertijos"})
        antes << local.filas(QString::fromLatin1(f), {"CODIGO", "HEX", "TURNO", "NOMBRE", "TEXTO", "RESPUESTA", "HEREDADO", "SALUD"});
    ASSERT_TRUE(importa(archivo));
    QStringList despues;
    for (const char* f : {"DSPjs", "DSEjer", "DSCenPob", "DSRumores", "DSUbiArtef", "DSArtef", "DSAcertijos"})
        despues << local.filas(QString::fromLatin1(f), {"CODIGO", "HEX", "TURNO", "NOMBRE", "TEXTO", "RESPUESTA", "HEREDADO", "SALUD"});
    EXPECT_EQ(despues, antes);
}

TEST_F(Importar, TextosDelPanelYBarra) {
    aliado.inserta(QStringLiteral("DSPjs"), {{"TURNO", "001"}, {"CODIGO", "00042"}, {"NOMBRE", "Uno"}});
    aliado.inserta(QStringLiteral("DSPjs"), {{"TURNO", "001"}, {"CODIGO", "00043"}, {"NOMBRE", "Dos"}});
    Exportacion e(aliado.dm(), QStringLiteral("T012"));
    ASSERT_TRUE(e.prepara());
    for (int c = 0; c < Exportacion::NumeroCasillas; ++c) e.marca(Exportacion::Casilla(c), c == Exportacion::Personajes);
    ASSERT_TRUE(e.ejecuta());
    ASSERT_TRUE(importa(e.rutaArchivo()));
    const QStringList& t = local.ui().barra.textos;
    const int inicio = t.indexOf(QStringLiteral(" Descompresion Finalizada. Iniciando Lectura de Datos."));
    ASSERT_GE(inicio, 0);
    EXPECT_EQ(t.mid(inicio + 1), (QStringList{" Personajes: Abriendo Ficheros", " Personajes: 00042", " Personajes: 00043"}));
    EXPECT_TRUE(t.contains(QStringLiteral(" Extracting Pjs.DB")));
    EXPECT_EQ(local.ui().barra.maximo, 2);
    EXPECT_EQ(local.ui().barra.posicion, 2);
    EXPECT_EQ(local.ui().textos(), QStringList{kFinal});
    EXPECT_EQ(local.ui().nivelEspera, 0);
    EXPECT_FALSE(QFileInfo::exists(local.fichero(QStringLiteral("Importar/Tmp/T012T"))));
}

TEST_F(Importar, PartidaDestinoSegunElNombreDelArchivo) {
    EXPECT_EQ(Importacion::nombreBase(QStringLiteral("/x/Exportar/T012T015.zlb")), QStringLiteral("T012T015"));
    EXPECT_EQ(Importacion::nombreBase(QStringLiteral("C:\\x\\A000")), QStringLiteral("A000"));
    struct C { const char* base; const char* esperada; };
    const C casos[] = {{"T012T015", "T012"}, {"C003T001", "C003"}, {"A000", "T001"}, {"012T015", "012"}, {"X999", "X99"}};
    for (const C& c : casos)
        EXPECT_EQ(Importacion::partidaDestino(QString::fromLatin1(c.base), QStringLiteral("T001")), QString::fromLatin1(c.esperada))
            << c.base;
}

TEST_F(Importar, ArchivoDeOtraPartidaNoCambiaLaPartidaEnUso) {
    aliado.inserta(QStringLiteral("DSCenPob"), {{"TURNO", "015"}, {"HEX", "1212"}, {"NOMBRE", "Minas"}});
    const QString archivo = exporta();
    EXPECT_TRUE(archivo.endsWith(QStringLiteral("/Exportar/T012T015.zlb")));
    local.usa(QStringLiteral("T001"));
    ASSERT_TRUE(importa(archivo));
    EXPECT_EQ(local.dm().carpetaPartida(), carpetaPartida(local.programa(), QStringLiteral("T001")));
    EXPECT_EQ(local.filas(QStringLiteral("DSCenPob"), {"NOMBRE"}), QStringList());
    local.usa(QStringLiteral("T012"));
    EXPECT_EQ(local.filas(QStringLiteral("DSCenPob"), {"TURNO", "NOMBRE"}), QStringList{"015|Minas"});
}

TEST_F(Importar, A000VaALaPartidaEnUso) {
    aliado.inserta(QStringLiteral("DSPjs"), {{"TURNO", "003"}, {"CODIGO", "00001"}, {"NOMBRE", "Gandalf"}});
    const QString exportado = exporta();
    const QString archivo = aliado.fichero(QStringLiteral("A000.zlb"));
    ASSERT_TRUE(QFile::copy(exportado, archivo));
    local.usa(QStringLiteral("T001"));
    ASSERT_TRUE(importa(archivo));
    EXPECT_EQ(local.filas(QStringLiteral("DSPjs"), {"TURNO", "NOMBRE"}), QStringList{"003|Gandalf"});
}

TEST_F(Importar, FicheroOPartidaQueNoExisten) {
    EXPECT_FALSE(importa(local.fichero(QStringLiteral("no.zlb"))));
    EXPECT_EQ(local.ui().textos(), QStringList{"No existe el fichero indicado."});
    local.ui().preguntas.clear();
    const QString exportado = exporta();
    for (const char* nombre : {"T099T001.zlb", "099T001.zlb"}) {
        const QString archivo = aliado.fichero(QString::fromLatin1(nombre));
        ASSERT_TRUE(QFile::copy(exportado, archivo));
        EXPECT_FALSE(importa(archivo));
        EXPECT_EQ(local.ui().textos(),
                  QStringList{"La partida a Importar no Existe. Debe crearla y seleccionarla por lo menos una vez."});
        local.ui().preguntas.clear();
    }
    EXPECT_FALSE(QFileInfo::exists(local.fichero(QStringLiteral("Importar/Tmp/T099T001"))));
}

TEST_F(Importar, ArchivoDanadoNoFusionaNada) {
    aliado.inserta(QStringLiteral("DSPjs"), {{"TURNO", "001"}, {"CODIGO", "00001"}, {"NOMBRE", "Uno"}});
    const QString archivo = exporta();
    QFile f(archivo);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(10);
    const char c = f.peek(1)[0];
    f.putChar(char(c ^ 0x10));
    f.close();
    EXPECT_FALSE(importa(archivo));
    EXPECT_EQ(local.ui().textos(), QStringList{"The archive file appears to be corrupted"});
    EXPECT_EQ(local.filas(QStringLiteral("DSPjs"), {"NOMBRE"}), QStringList());
    EXPECT_FALSE(QFileInfo::exists(local.fichero(QStringLiteral("Importar/Tmp/T012T"))));
}

TEST_F(Importar, RestosDeUnaImportacionAnteriorNoSeFusionan) {
    const QString archivo = exporta();   // no Pjs in it: the ally has none
    ProgramaPrueba otro;
    otro.creaPartida(QStringLiteral("T012"));
    otro.usa(QStringLiteral("T012"));
    otro.inserta(QStringLiteral("DSPjs"), {{"TURNO", "001"}, {"CODIGO", "00009"}, {"NOMBRE", "Viejo"}});
    const QString trabajo = local.fichero(QStringLiteral("Importar/Tmp/T012T"));
    QDir().mkpath(trabajo);
    ASSERT_TRUE(QFile::copy(otro.fichero(QStringLiteral("T012/Pjs.DB")), trabajo + QStringLiteral("/Pjs.DB")));
    ASSERT_TRUE(importa(archivo));
    EXPECT_EQ(local.filas(QStringLiteral("DSPjs"), {"NOMBRE"}), QStringList());
}

TEST_F(Importar, ErrorAlFusionarParaEnEsaTablaYConservaLoAnterior) {
    // A work table made by hand whose SALUD cannot become a number, after two good rows.
    const QString trabajo = aliado.fichero(QStringLiteral("hecho"));
    QDir().mkpath(trabajo);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((trabajo + QStringLiteral("/Pjs.DB")).toUtf8().constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "CREATE TABLE Pjs (TURNO CHAR(3), CODIGO CHAR(5), NOMBRE CHAR(17), SALUD CHAR(5), "
                           "PRIMARY KEY (TURNO, CODIGO));"
                           "INSERT INTO Pjs VALUES ('001','00001','Uno','10'),('001','00002','Dos','20'),"
                           "('001','00003','Tres','mucha');",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    aliado.inserta(QStringLiteral("DSRumores"), {{"CODIGO", "00001"}, {"TURNO", "001"}, {"TEXTO", "nunca llega"}});
    TZLBArchive a;
    ASSERT_TRUE(a.CreateArchive(aliado.fichero(QStringLiteral("T012T001.zlb"))));
    ASSERT_TRUE(a.AddFiles({trabajo + QStringLiteral("/Pjs.DB"), aliado.fichero(QStringLiteral("T012/Rumores.DB"))}));
    a.CloseArchive();
    EXPECT_FALSE(importa(aliado.fichero(QStringLiteral("T012T001.zlb"))));
    EXPECT_EQ(local.ui().textos(), QStringList{"'mucha' no es un número válido para el campo SALUD"});
    EXPECT_EQ(local.filas(QStringLiteral("DSPjs"), {"CODIGO", "SALUD"}), (QStringList{"00001|10", "00002|20"}));
    EXPECT_EQ(local.filas(QStringLiteral("DSRumores"), {"TEXTO"}), QStringList());
    EXPECT_EQ(local.ui().nivelEspera, 0);
    EXPECT_FALSE(QFileInfo::exists(local.fichero(QStringLiteral("Importar/Tmp/T012T001"))));
}

TEST_F(Importar, MiembroExtranoDejaLaCarpetaYLoDice) {
    QFile extra(aliado.fichero(QStringLiteral("notas.txt")));
    ASSERT_TRUE(extra.open(QIODevice::WriteOnly));
    extra.write("hola");
    extra.close();
    TZLBArchive a;
    ASSERT_TRUE(a.CreateArchive(aliado.fichero(QStringLiteral("T012T002.zlb"))));
    ASSERT_TRUE(a.AddFiles({extra.fileName()}));
    a.CloseArchive();
    ASSERT_TRUE(importa(aliado.fichero(QStringLiteral("T012T002.zlb"))));
    const QString trabajo = local.fichero(QStringLiteral("Importar/Tmp/T012T002"));
    EXPECT_EQ(local.ui().textos(), (QStringList{QStringLiteral("No se pudo eliminar el directorio \"") + trabajo +
                                                    QStringLiteral("\". Por favor, eliminelo manualmente."),
                                                kFinal}));
}

// A legacy ally sends Paradox tables; they are read through pxlib like ours.
TEST_F(Importar, TablaParadoxDelProgramaAntiguo) {
    const QString trabajo = aliado.fichero(QStringLiteral("paradox"));
    QDir().mkpath(trabajo);
    const QByteArray ruta = QFile::encodeName(trabajo + QStringLiteral("/Pjs.DB"));
    {
        PX_boot();
        pxdoc_t* doc = PX_new();
        pxfield_t* campos = static_cast<pxfield_t*>(doc->malloc(doc, 5 * sizeof(pxfield_t), "campos"));
        const struct { const char* nombre; char tipo; int lon; } def[] = {
            {"TURNO", pxfAlpha, 3}, {"CODIGO", pxfAlpha, 5}, {"NOMBRE", pxfAlpha, 17}, {"SALUD", pxfShort, 2},
            {"ORIGEN", pxfAlpha, 1}};
        for (int i = 0; i < 5; ++i) {
            campos[i].px_fname = PX_strdup(doc, def[i].nombre);
            campos[i].px_ftype = def[i].tipo;
            campos[i].px_flen = def[i].lon;
            campos[i].px_fdc = 0;
        }
        ASSERT_GE(PX_create_file(doc, campos, 5, ruta.constData(), pxfFileTypNonIndexDB), 0);
        PX_set_value(doc, "codepage", 1252);
        const struct { const char* turno; const char* codigo; const char* nombre; short salud; } filas[] = {
            {"001", "00007", "Éowyn", 90}, {"002", "00008", "Peregrín", 40}};
        for (const auto& f : filas) {
            QByteArray registro(PX_get_recordsize(doc), '\0');
            char* p = registro.data();
            PX_put_data_alpha(doc, p, 3, const_cast<char*>(f.turno));
            PX_put_data_alpha(doc, p + 3, 5, const_cast<char*>(f.codigo));
            QByteArray nombre;
            ASSERT_TRUE(aCp1252(QString::fromUtf8(f.nombre), nombre));   // as the legacy program wrote it
            PX_put_data_alpha(doc, p + 8, 17, nombre.data());
            PX_put_data_short(doc, p + 25, 2, f.salud);
            PX_put_data_alpha(doc, p + 27, 1, const_cast<char*>("1"));
            ASSERT_GE(PX_put_record(doc, p), 0);
        }
        PX_close(doc);
        PX_delete(doc);
    }
    TZLBArchive a;
    ASSERT_TRUE(a.CreateArchive(aliado.fichero(QStringLiteral("T012T002.zlb"))));
    ASSERT_TRUE(a.AddFiles({QFile::decodeName(ruta)}));
    a.CloseArchive();
    ASSERT_TRUE(importa(aliado.fichero(QStringLiteral("T012T002.zlb")))) << local.ui().textos().join(' ').toStdString();
    EXPECT_EQ(local.filas(QStringLiteral("DSPjs"), {"TURNO", "CODIGO", "NOMBRE", "SALUD", "ORIGEN"}),
              (QStringList{"001|00007|Éowyn|90|1", "002|00008|Peregrín|40|1"}));
}

TEST(NormalizaAcertijo, QuitaAcentosPuntuacionBlancosYMayusculas) {
    EXPECT_EQ(FusionImportacion::normalizaAcertijo(QStringLiteral(" Él, ÁRBOL: dió.\r\nFrüh ")), QStringLiteral("elarboldiofruh"));
    EXPECT_EQ(FusionImportacion::normalizaAcertijo(QStringLiteral(" .,: \r\n")), QString());
}
