// Structure upgrade: the restructure of a list through TMPSTR.DB and the maintenance run.

#include "comun/carpetaprueba.h"
#include "comun/interaccionguion.h"
#include "database/carpetaprograma.h"
#include "database/diccionario.h"
#include "database/restructura.h"
#include "database/tablaparadox.h"
#include "database/tdm.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

extern "C" {
#include <paradox.h>
}

using namespace kz;
using prueba::CarpetaPrueba;

namespace {

// Every call the restructure makes on the progress box, in order.
class ProgresoGrabado : public Progreso {
public:
    void mostrar() override { log << QStringLiteral("mostrar"); }
    void ocultar() override { log << QStringLiteral("ocultar"); }
    void fijaTexto(const QString& t) override { log << QStringLiteral("texto:") + t; }
    void fijaTexto2(const QString& t) override { ultimoTexto2 = t; }
    void fijaBarra(int b, bool visible, int inicio, int fin, int paso) override {
        log << QStringLiteral("barra%1:%2:%3-%4").arg(b).arg(visible).arg(inicio).arg(fin);
    }
    void fijaPosicion(int b, int p) override { log << QStringLiteral("pos%1:%2").arg(b).arg(p); }
    void avanza(int b) override { ++avances[b == 2]; }
    QStringList log;
    QString ultimoTexto2;
    int avances[2] = {0, 0};
};

class Guion : public prueba::InteraccionGuion {
public:
    Progreso& progreso() override { return p; }
    ProgresoGrabado p;
};

QStringList lineasTabla(const QString& ruta, const QStringList& campos, const QString& clave) {
    QStringList l{QStringLiteral("CREATE TABLE \"%1\"").arg(ruta), QStringLiteral("(")};
    for (int i = 0; i < campos.size(); ++i) l << campos[i] + (i + 1 < campos.size() ? QStringLiteral(",") : QString());
    l << QStringLiteral(",PRIMARY KEY(%1)").arg(clave) << QStringLiteral(")");
    return l;
}

// A table file of an older structure, with rows.
void creaTabla(const QString& carpeta, const QString& fichero, const QStringList& campos, const QString& clave,
               const QList<QVector<QVariant>>& filas) {
    QString error;
    ASSERT_TRUE(TDM::EjecutaCreacion(lineasTabla(QDir(carpeta).filePath(fichero), campos, clave), error)) << error.toStdString();
    TTabla t;
    t.fijaCarpeta(carpeta);
    t.fijaFichero(fichero);
    ASSERT_TRUE(t.abre()) << t.mensajeError().toStdString();
    Transaccion tx(*t.conexion());
    for (const auto& f : filas) ASSERT_TRUE(t.insertaFila(f)) << t.mensajeError().toStdString();
    ASSERT_TRUE(tx.confirma());
}

// Rows of a table in primary-key order, fields joined with "|", null as "".
QStringList filas(const QString& carpeta, const QString& fichero, QStringList* nombres = nullptr, int* indices = nullptr) {
    TTabla t;
    t.fijaCarpeta(carpeta);
    t.fijaFichero(fichero);
    if (!t.abre()) return {QStringLiteral("ERROR ") + t.mensajeError()};
    if (nombres) {
        nombres->clear();
        for (const auto& c : t.campos()) *nombres << c.nombre + QLatin1Char(' ') + c.tipoDeclarado();
    }
    if (indices) *indices = t.numeroIndices();
    QStringList r;
    for (t.primero(); !t.eof(); t.siguiente()) {
        QStringList v;
        for (const QVariant& x : t.fila()) v << x.toString();
        r << v.join(QLatin1Char('|'));
    }
    return r;
}

QStringList camposActuales(const QString& componente) {
    QStringList r;
    for (const auto& c : Diccionario::porComponente(componente)->campos) r << c.nombre + QLatin1Char(' ') + c.tipoDeclarado();
    return r;
}

QByteArray bytes(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Restructuracion : public ::testing::Test {
protected:
    void SetUp() override {
        juego = carpeta.fichero(QStringLiteral("T001"));
        QDir().mkpath(juego);
        dm.fijaCarpetaPrograma(carpeta.ruta());
        dm.fijaCarpetaPartida(juego);
    }
    bool sinTemporal(const QString& c) const { return Restructura::buscaFichero(c, Restructura::kTemporal).isEmpty(); }

    CarpetaPrueba carpeta;
    QString juego;
    Guion ui;
    TDM dm{ui};
    Restructura r{dm};
};

const QStringList kRumoresViejo = {QStringLiteral("CODIGO CHAR(5)"), QStringLiteral("TURNO CHAR(3)"),
                                   QStringLiteral("TEXTO CHAR(150)")};

} // namespace

TEST_F(Restructuracion, TablaQueNoExisteQuedaVaciaConSusIndices) {
    ASSERT_EQ(r.lista({QStringLiteral("DSRumores")}), Restructura::Resultado::Hecho);
    QStringList nombres;
    int indices = 0;
    EXPECT_TRUE(filas(juego, QStringLiteral("Rumores.DB"), &nombres, &indices).isEmpty());
    EXPECT_EQ(nombres, camposActuales(QStringLiteral("TRumores")));
    EXPECT_EQ(indices, 3);
    EXPECT_TRUE(sinTemporal(juego));
    EXPECT_EQ(ui.estados.first(), QStringLiteral("Realizando Restructuración..."));
}

TEST_F(Restructuracion, TablaSinCambiosQuedaByteAByte) {
    creaTabla(juego, QStringLiteral("Rumores.DB"), kRumoresViejo, QStringLiteral("CODIGO"),
              {{"00001", "001", "Un rumor"}, {"00002", "002", "Otro"}});
    dm.ReindexarLista({QStringLiteral("DSRumores")});
    const QByteArray antes = bytes(QDir(juego).filePath(QStringLiteral("Rumores.DB")));
    ASSERT_EQ(r.lista({QStringLiteral("DSRumores")}), Restructura::Resultado::Hecho);
    EXPECT_EQ(bytes(QDir(juego).filePath(QStringLiteral("Rumores.DB"))), antes);
    EXPECT_TRUE(sinTemporal(juego));
}

TEST_F(Restructuracion, CambiosDeEstructuraCopianLosDatosComunes) {
    struct Caso {
        const char* nombre;
        QStringList campos;
        QString clave;
        QList<QVector<QVariant>> filas;
        QStringList esperado;
    };
    const QList<Caso> casos = {
        {"campo renombrado pierde su columna",
         {"CODIGO CHAR(5)", "TURNO CHAR(3)", "TEXTOS CHAR(150)"}, "CODIGO",
         {{"00001", "001", "texto"}}, {"00001|001|"}},
        {"campos reordenados conservan todo",
         {"TURNO CHAR(3)", "CODIGO CHAR(5)", "TEXTO CHAR(150)"}, "CODIGO",
         {{"004", "00002", "dos"}, {"003", "00001", "uno"}}, {"00001|003|uno", "00002|004|dos"}},
        {"campo de más se pierde",
         {"CODIGO CHAR(5)", "TURNO CHAR(3)", "TEXTO CHAR(150)", "EXTRA CHAR(9)"}, "CODIGO",
         {{"00001", "001", "t", "sobra"}}, {"00001|001|t"}},
        {"tamaño mayor se corta al nuevo",
         {"CODIGO CHAR(5)", "TURNO CHAR(3)", "TEXTO CHAR(200)"}, "CODIGO",
         {{"00001", "001", QString(180, QLatin1Char('x'))}}, {"00001|001|" + QString(150, QLatin1Char('x'))}},
        {"tipo distinto se convierte",
         {"CODIGO CHAR(5)", "TURNO SMALLINT", "TEXTO CHAR(150)"}, "CODIGO",
         {{"00001", 7, "siete"}}, {"00001|7|siete"}},
    };
    for (const Caso& c : casos) {
        QFile::remove(QDir(juego).filePath(QStringLiteral("Rumores.DB")));
        creaTabla(juego, QStringLiteral("Rumores.DB"), c.campos, c.clave, c.filas);
        ASSERT_EQ(r.lista({QStringLiteral("DSRumores")}), Restructura::Resultado::Hecho) << c.nombre;
        QStringList nombres;
        int indices = 0;
        EXPECT_EQ(filas(juego, QStringLiteral("Rumores.DB"), &nombres, &indices), c.esperado) << c.nombre;
        EXPECT_EQ(nombres, camposActuales(QStringLiteral("TRumores"))) << c.nombre;
        EXPECT_EQ(indices, 3) << c.nombre;
        EXPECT_TRUE(sinTemporal(juego)) << c.nombre;
    }
}

TEST_F(Restructuracion, ProgresoPorTablaYSegundaBarraDesdeCero) {
    creaTabla(juego, QStringLiteral("Rumores.DB"), {"TURNO CHAR(3)", "CODIGO CHAR(5)", "TEXTO CHAR(150)"},
              QStringLiteral("CODIGO"), {{"001", "00001", "a"}, {"002", "00002", "b"}, {"003", "00003", "c"}});
    creaTabla(juego, QStringLiteral("PjsEjer.DB"), {"TURNO CHAR(3)", "CODIGO CHAR(5)"}, QStringLiteral("TURNO, CODIGO"),
              {{"001", "00009"}});
    ASSERT_EQ(r.lista({QStringLiteral("DSRumores"), QStringLiteral("DSPjsEjer"), QStringLiteral("DSUbiArtef")}),
              Restructura::Resultado::Hecho);
    const QStringList esperado = {
        "texto:Rumores", "pos1:0", "barra2:1:0-3", "pos2:0",
        "texto:Personajes en Ejercitos", "pos1:1", "barra2:1:0-1", "pos2:0",
        "texto:Ubicaciones de Artefactos", "pos1:2",
        "texto:Reconstruyendo índices...", "barra1:0:0-0", "barra2:0:0-0"};
    EXPECT_EQ(ui.p.log, esperado);
    EXPECT_EQ(ui.p.avances[1], 4);
    EXPECT_EQ(ui.p.ultimoTexto2, QString());   // cleared at the end
    EXPECT_EQ(filas(juego, QStringLiteral("PjsEjer.DB")), QStringList{"001|00009|"});
}

TEST_F(Restructuracion, TablaEnUsoPreguntaReintentarYCancelarNoCambiaNada) {
    creaTabla(juego, QStringLiteral("Rumores.DB"), {"TURNO CHAR(3)", "CODIGO CHAR(5)", "TEXTO CHAR(150)"},
              QStringLiteral("CODIGO"), {{"001", "00001", "a"}});
    const QByteArray antes = bytes(QDir(juego).filePath(QStringLiteral("Rumores.DB")));
    TTabla otro;
    otro.fijaCarpeta(juego);
    otro.fijaFichero(QStringLiteral("Rumores.DB"));
    ASSERT_TRUE(otro.abre());
    ui.responde({mrReintentar, mrCancelar});
    EXPECT_EQ(r.lista({QStringLiteral("DSPjsEjer"), QStringLiteral("DSRumores")}), Restructura::Resultado::Cancelado);
    const QString texto = QStringLiteral("Error en la apertura en Modo Exclusivo de la Tabla Rumores.DB.\rAlgun otro usuario "
                                         "esta usando el fichero.Vuelva a intentar la operacion o cancelela");
    EXPECT_EQ(ui.textos(), QStringList({texto, texto}));
    EXPECT_EQ(ui.preguntas[0].botones, boton(mbReintentar) | boton(mbCancelar));
    EXPECT_EQ(ui.preguntas[0].defecto, mbReintentar);
    EXPECT_FALSE(QFileInfo::exists(QDir(juego).filePath(QStringLiteral("PjsEjer.DB"))));
    otro.cierra();
    EXPECT_EQ(bytes(QDir(juego).filePath(QStringLiteral("Rumores.DB"))), antes);
}

TEST_F(Restructuracion, ReintentarTrasLiberarLaTablaSigue) {
    creaTabla(juego, QStringLiteral("Rumores.DB"), kRumoresViejo, QStringLiteral("CODIGO"), {{"00001", "001", "a"}});
    auto otro = std::make_unique<TTabla>();
    otro->fijaCarpeta(juego);
    otro->fijaFichero(QStringLiteral("Rumores.DB"));
    ASSERT_TRUE(otro->abre());
    ui.alPreguntar = [&](const prueba::Pregunta&) { otro->cierra(); };
    ui.responde({mrReintentar});
    EXPECT_EQ(r.lista({QStringLiteral("DSRumores")}), Restructura::Resultado::Hecho);
    EXPECT_EQ(ui.preguntas.size(), 1);
}

TEST_F(Restructuracion, ErrorDeConversionDejaLaTablaViejaIntacta) {
    creaTabla(carpeta.ruta(), QStringLiteral("TipoCP.DB"), {"CODIGO CHAR(2)", "NOMBRE CHAR(15)", "COSTEORO CHAR(10)"},
              QStringLiteral("CODIGO"), {{"01", "Aldea", "100"}, {"02", "Pueblo", "mucho"}});
    const QString fichero = carpeta.fichero(QStringLiteral("TipoCP.DB"));
    const QByteArray antes = bytes(fichero);
    EXPECT_EQ(r.lista({QStringLiteral("DSTipoCp")}), Restructura::Resultado::Error);
    EXPECT_NE(r.error().indexOf(QStringLiteral("Tipos Centros Población")), -1) << r.error().toStdString();
    EXPECT_NE(r.error().indexOf(QStringLiteral("mucho")), -1) << r.error().toStdString();
    EXPECT_EQ(bytes(fichero), antes);

    // Once the value is mended the next restructure succeeds and takes the partial copy away.
    {
        TTabla t;
        t.fijaCarpeta(carpeta.ruta());
        t.fijaFichero(QStringLiteral("TipoCP.DB"));
        ASSERT_TRUE(t.abre());
        ASSERT_TRUE(t.buscaClave({QStringLiteral("02")}));
        ASSERT_TRUE(t.edita());
        t.fija(QStringLiteral("COSTEORO"), QStringLiteral("250"));
        ASSERT_TRUE(t.graba());
    }
    EXPECT_EQ(r.lista({QStringLiteral("DSTipoCp")}), Restructura::Resultado::Hecho);
    const QStringList f = filas(carpeta.ruta(), QStringLiteral("TipoCP.DB"));
    ASSERT_EQ(f.size(), 2);
    EXPECT_TRUE(f[1].startsWith(QStringLiteral("02|Pueblo|250|"))) << f[1].toStdString();
    EXPECT_TRUE(sinTemporal(carpeta.ruta()));
}

TEST_F(Restructuracion, FicheroQueNoEsTablaDejaLaListaSinTocar) {
    creaTabla(juego, QStringLiteral("PjsEjer.DB"), {"TURNO CHAR(3)", "CODIGO CHAR(5)"}, QStringLiteral("TURNO"), {});
    const QString basura = QDir(juego).filePath(QStringLiteral("Rumores.DB"));
    {
        QFile f(basura);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
    }
    const QByteArray pjsEjer = bytes(QDir(juego).filePath(QStringLiteral("PjsEjer.DB")));
    EXPECT_EQ(r.lista({QStringLiteral("DSPjsEjer"), QStringLiteral("DSRumores")}), Restructura::Resultado::Error);
    EXPECT_TRUE(r.error().startsWith(QStringLiteral("Error en la apertura de la Tabla Rumores.\r"))) << r.error().toStdString();
    EXPECT_TRUE(ui.preguntas.isEmpty());   // the caller reports it, once
    EXPECT_EQ(bytes(basura), QByteArray(4096, 'x'));
    EXPECT_EQ(bytes(QDir(juego).filePath(QStringLiteral("PjsEjer.DB"))), pjsEjer);
}

namespace {

pxfield_t campo(pxdoc_t* doc, const char* nombre, char tipo, int longitud) {
    pxfield_t f{};
    f.px_fname = PX_strdup(doc, nombre);
    f.px_ftype = tipo;
    f.px_flen = longitud;
    return f;
}

// A legacy Paradox CenPob table with text in code page 850.
void creaCenPobParadox(const QString& ruta, const QList<QList<QByteArray>>& filas) {
    pxdoc_t* doc = PX_new();
    auto* campos = static_cast<pxfield_t*>(doc->malloc(doc, 6 * sizeof(pxfield_t), "campos"));
    campos[0] = campo(doc, "TURNO", pxfAlpha, 3);
    campos[1] = campo(doc, "HEX", pxfAlpha, 4);
    campos[2] = campo(doc, "NOMBRE", pxfAlpha, 20);
    campos[3] = campo(doc, "LEALTAD", pxfShort, 2);
    campos[4] = campo(doc, "PROCU", pxfLong, 4);
    campos[5] = campo(doc, "CAPITAL", pxfLogical, 1);
    ASSERT_EQ(PX_create_file(doc, campos, 6, QFile::encodeName(ruta).constData(), pxfFileTypIndexDB), 0);
    PX_set_value(doc, "numprimkeys", 2);
    PX_set_value(doc, "codepage", 850);
    for (const auto& f : filas) {
        pxval_t* v[6];
        for (auto& x : v) { MAKE_PXVAL(doc, x); }
        for (int i = 0; i < 3; ++i) {
            v[i]->type = pxfAlpha;
            v[i]->value.str.val = const_cast<char*>(f[i].constData());
            v[i]->value.str.len = int(f[i].size());
        }
        v[3]->type = pxfShort;
        v[3]->value.lval = f[3].toInt();
        v[4]->type = pxfLong;
        v[4]->isnull = f[4].isEmpty();
        v[4]->value.lval = f[4].toInt();
        v[5]->type = pxfLogical;
        v[5]->value.lval = f[5] == "1";
        ASSERT_GE(PX_insert_record(doc, v), 0);
        for (auto* x : v) doc->free(doc, x);
    }
    PX_close(doc);
    PX_delete(doc);
}

} // namespace

TEST_F(Restructuracion, TablaParadoxPasaALaEstructuraActualConSusAcentos) {
    // "Peñón" and "Ñandú" in code page 850.
    creaCenPobParadox(QDir(juego).filePath(QStringLiteral("CENPOB.DB")),
                      {{"001", "0102", "Pe\xa4\xa2n", "5", "1200", "1"},
                       {"001", "0304", "\xa5" "and\xa3", "-3", "", "0"}});
    QFile px(QDir(juego).filePath(QStringLiteral("CENPOB.PX")));
    ASSERT_TRUE(px.open(QIODevice::WriteOnly));
    px.close();
    ASSERT_TRUE(TablaParadox::esParadox(QDir(juego).filePath(QStringLiteral("CENPOB.DB"))));

    ASSERT_EQ(r.lista({QStringLiteral("DSCenPob")}), Restructura::Resultado::Hecho) << r.error().toStdString();
    QStringList nombres;
    int indices = 0;
    const QStringList f = filas(juego, QStringLiteral("CenPob.DB"), &nombres, &indices);
    EXPECT_EQ(nombres, camposActuales(QStringLiteral("TCenPob")));
    EXPECT_EQ(indices, 4);
    ASSERT_EQ(f.size(), 2);
    EXPECT_TRUE(f[0].startsWith(QStringLiteral("001|0102|Peñón||||||5||true|"))) << f[0].toStdString();
    EXPECT_TRUE(f[1].startsWith(QStringLiteral("001|0304|Ñandú||||||-3||false|"))) << f[1].toStdString();
    EXPECT_NE(f[0].indexOf(QStringLiteral("|1200|")), -1);
    const QStringList quedan = QDir(juego).entryList(QDir::Files);
    EXPECT_FALSE(quedan.contains(QStringLiteral("CENPOB.DB")));
    EXPECT_FALSE(quedan.contains(QStringLiteral("CENPOB.PX")));
    EXPECT_TRUE(sinTemporal(juego));
}

namespace {

// A legacy Hex table with its memo in the .MB file beside it, both named in capitals.
void creaHexParadox(const QString& juego) {
    const QString ruta = QDir(juego).filePath(QStringLiteral("HEX.DB"));
    {
        pxdoc_t* doc = PX_new();
        auto* campos = static_cast<pxfield_t*>(doc->malloc(doc, 3 * sizeof(pxfield_t), "campos"));
        campos[0] = campo(doc, "HEX", pxfAlpha, 4);
        campos[1] = campo(doc, "TERRENO", pxfAlpha, 2);
        campos[2] = campo(doc, "DATOS", pxfMemoBLOb, 10);
        ASSERT_EQ(PX_create_file(doc, campos, 3, QFile::encodeName(ruta).constData(), pxfFileTypIndexDB), 0);
        PX_set_value(doc, "numprimkeys", 1);
        PX_set_value(doc, "codepage", 850);
        ASSERT_GE(PX_set_blob_file(doc, QFile::encodeName(QDir(juego).filePath(QStringLiteral("HEX.MB"))).constData()), 0);
        const QByteArray largo = QByteArray("Monta\xa4" "a nevada, ") .repeated(20);
        const QList<QList<QByteArray>> filas = {{"0101", "04", "corto"}, {"0102", "09", largo}, {"0103", "01", ""}};
        for (const auto& f : filas) {
            pxval_t* v[3];
            for (auto& x : v) { MAKE_PXVAL(doc, x); }
            for (int i = 0; i < 3; ++i) {
                v[i]->type = i == 2 ? pxfMemoBLOb : pxfAlpha;
                v[i]->isnull = f[i].isEmpty();
                v[i]->value.str.val = const_cast<char*>(f[i].constData());
                v[i]->value.str.len = int(f[i].size());
            }
            ASSERT_GE(PX_insert_record(doc, v), 0);
            for (auto* x : v) doc->free(doc, x);
        }
        PX_close(doc);
        PX_delete(doc);
    }
}

} // namespace

TEST_F(Restructuracion, TablaParadoxConMemoEnSuFicheroMB) {
    creaHexParadox(juego);
    ASSERT_EQ(r.lista({QStringLiteral("DSHex")}), Restructura::Resultado::Hecho) << r.error().toStdString();
    const QStringList f = filas(juego, QStringLiteral("Hex.DB"));
    ASSERT_EQ(f.size(), 3);
    EXPECT_EQ(f[0], QStringLiteral("0101|04||||||corto"));
    EXPECT_EQ(f[1], QStringLiteral("0102|09||||||") + QStringLiteral("Montaña nevada, ").repeated(20));
    EXPECT_EQ(f[2], QStringLiteral("0103|01||||||"));
    EXPECT_EQ(QDir(juego).entryList({QStringLiteral("*.DB"), QStringLiteral("*.MB")}, QDir::Files), QStringList({"Hex.DB"}));
}

TEST_F(Restructuracion, FicheroDeMemosDanadoEsUnErrorNoUnFallo) {
    creaHexParadox(juego);
    QFile mb(QDir(juego).filePath(QStringLiteral("HEX.MB")));
    ASSERT_TRUE(mb.resize(300));
    const QByteArray antes = bytes(QDir(juego).filePath(QStringLiteral("HEX.DB")));
    EXPECT_EQ(r.lista({QStringLiteral("DSHex")}), Restructura::Resultado::Error);
    EXPECT_NE(r.error().indexOf(QStringLiteral("dañado")), -1) << r.error().toStdString();
    EXPECT_EQ(bytes(QDir(juego).filePath(QStringLiteral("HEX.DB"))), antes);
    EXPECT_FALSE(QFileInfo::exists(QDir(juego).filePath(QStringLiteral("Hex.DB"))));
}

TEST_F(Restructuracion, CodigoDePaginaDeLaTablaParadox) {
    EXPECT_EQ(TablaParadox::decodifica("\x80\xa4\xb5\xe9\x82", 850), QStringLiteral("ÇñÁÚé"));
    EXPECT_EQ(TablaParadox::decodifica("\x80\xa4\xe0", 437), QStringLiteral("Çñα"));
    EXPECT_EQ(TablaParadox::decodifica("\xd1\xe1", 1252), QStringLiteral("Ñá"));
    EXPECT_FALSE(TablaParadox::esParadox(QStringLiteral("/no/existe.DB")));
}

// The process is killed at several moments of the copy of a large table: the table is always
// whole (old or new structure, every row), and the next run succeeds and leaves no TMPSTR.DB.
TEST_F(Restructuracion, MatarElProcesoEnMitadDeLaCopiaNoPierdeDatos) {
    const int n = 20000;
    QList<QVector<QVariant>> muchas;
    for (int i = 0; i < n; ++i)
        muchas << QVector<QVariant>{QStringLiteral("%1").arg(i % 1000, 3, 10, QLatin1Char('0')),
                                    QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0')), QStringLiteral("rumor número %1").arg(i)};
    creaTabla(juego, QStringLiteral("Rumores.DB"), {"TURNO CHAR(3)", "CODIGO CHAR(5)", "TEXTO CHAR(150)"},
              QStringLiteral("CODIGO"), muchas);
    const QString copia = carpeta.fichero(QStringLiteral("original.DB"));
    QFile::copy(QDir(juego).filePath(QStringLiteral("Rumores.DB")), copia);

    for (int espera : {0, 20, 60, 150}) {
        QFile::remove(QDir(juego).filePath(QStringLiteral("Rumores.DB")));
        QFile::copy(copia, QDir(juego).filePath(QStringLiteral("Rumores.DB")));
        const pid_t hijo = fork();
        ASSERT_GE(hijo, 0);
        if (hijo == 0) {
            prueba::InteraccionGuion ui2;
            TDM dm2(ui2);
            dm2.fijaCarpetaPartida(juego);
            Restructura r2(dm2);
            _exit(r2.lista({QStringLiteral("DSRumores")}) == Restructura::Resultado::Hecho ? 0 : 1);
        }
        usleep(espera * 1000);
        kill(hijo, SIGKILL);
        int estado = 0;
        waitpid(hijo, &estado, 0);

        QStringList nombres;
        const QStringList f = filas(juego, QStringLiteral("Rumores.DB"), &nombres);
        ASSERT_EQ(f.size(), n) << "espera " << espera << ": " << f.value(0).toStdString();
        const bool nueva = nombres == camposActuales(QStringLiteral("TRumores"));
        EXPECT_EQ(f[123], nueva ? QStringLiteral("00123|123|rumor número 123") : QStringLiteral("123|00123|rumor número 123"));

        ASSERT_EQ(r.lista({QStringLiteral("DSRumores")}), Restructura::Resultado::Hecho) << espera;
        const QStringList despues = filas(juego, QStringLiteral("Rumores.DB"), &nombres);
        EXPECT_EQ(despues.size(), n);
        EXPECT_EQ(nombres, camposActuales(QStringLiteral("TRumores")));
        EXPECT_TRUE(sinTemporal(juego)) << espera;
    }
}

class Mantenimiento : public Restructuracion {};

TEST_F(Mantenimiento, PreguntaSegunElMotivoYNoHaceNadaSinSi) {
    const QString version = QStringLiteral(
        "Detectado CAMBIO de VERSION DEL PROGRAMA.\rPara un correcto funcionamiento debe realizarse un proceso que revisa "
        "las estructuras de las tablas y las reconstruye. \rEn este proceso se MANIPULAN DATOS, por lo tanto es "
        "recomendable realizar una copia de seguridad de los mismos antes de realizarlo. \r¿Desea Continuar?");
    const QString pedido = QStringLiteral(
        "Esta opción revisa las estructuras de las tablas y las reconstruye. \rEn este proceso se MANIPULAN DATOS, por "
        "lo tanto es recomendable realizar una copia de seguridad de los mismos antes de realizarlo. \r¿Desea Continuar?");
    QList<bool> menus;
    r.alActivarMenus = [&](bool si) { menus << si; };
    ui.responde({mrNo, mrCancelar});
    EXPECT_FALSE(r.mantenimiento(carpeta.ruta(), true));
    EXPECT_FALSE(r.mantenimiento(carpeta.ruta(), false));
    EXPECT_EQ(ui.textos(), QStringList({version, pedido}));
    EXPECT_EQ(ui.preguntas[0].tipo, mtAviso);
    EXPECT_EQ(ui.preguntas[0].botones, boton(mbSi) | boton(mbNo));
    EXPECT_EQ(ui.preguntas[0].defecto, mbNo);
    EXPECT_EQ(menus, QList<bool>({false, true, false, true}));
    EXPECT_FALSE(QFileInfo::exists(carpeta.fichero(QStringLiteral("Partidas.DB"))));
}

TEST_F(Mantenimiento, RecorreCatalogoReferenciaPartidasYPlantillas) {
    // Catalogue with a game that has its folder and one that does not.
    creaTabla(carpeta.ruta(), QStringLiteral("Partidas.DB"),
              {"CODIGO CHAR(4)", "NOMBRE CHAR(50)", "TURNO CHAR(3)", "TIPO CHAR(1)"}, QStringLiteral("CODIGO"),
              {{"T001", "Primera", "005", "T"}, {"T002", "Sin carpeta", "000", "T"}});
    creaTabla(juego, QStringLiteral("Rumores.DB"), {"TURNO CHAR(3)", "CODIGO CHAR(5)", "TEXTO CHAR(150)"},
              QStringLiteral("CODIGO"), {{"001", "00001", "a"}});
    QDir().mkpath(carpeta.fichero(QStringLiteral("Tercera")));
    QDir().mkpath(carpeta.fichero(QStringLiteral("Cuarta")));
    QList<bool> menus;
    r.alActivarMenus = [&](bool si) { menus << si; };
    ui.responde({mrSi});
    ASSERT_TRUE(r.mantenimiento(carpeta.ruta(), false)) << r.error().toStdString();
    EXPECT_EQ(menus, QList<bool>({false, true}));

    EXPECT_EQ(filas(carpeta.ruta(), QStringLiteral("Partidas.DB")),
              QStringList({"T001|Primera|T|005", "T002|Sin carpeta|T|000"}));
    for (const char* f : {"Fortifica.DB", "TipoCP.DB", "Muelles.DB", "Terreno.DB", "Grados.DB", "Climas.DB"})
        EXPECT_TRUE(QFileInfo::exists(carpeta.fichero(QString::fromLatin1(f)))) << f;
    for (const char* f : {"Hex.DB", "CenPob.DB", "Paises.DB", "Pjs.DB", "Ejer.DB", "PjsEjer.DB", "Rumores.DB", "UbiArtef.DB"})
        EXPECT_TRUE(QFileInfo::exists(QDir(juego).filePath(QString::fromLatin1(f)))) << f;
    EXPECT_EQ(filas(juego, QStringLiteral("Rumores.DB")), QStringList{"00001|001|a"});
    EXPECT_FALSE(QFileInfo::exists(carpeta.fichero(QStringLiteral("T002"))));
    EXPECT_EQ(QDir(carpeta.fichero(QStringLiteral("Tercera"))).entryList({QStringLiteral("*.DB")}, QDir::Files, QDir::Name),
              QStringList({"CenPob.DB", "Ejer.DB", "Hex.DB", "Paises.DB", "Pjs.DB"}));
    EXPECT_EQ(QDir(carpeta.fichero(QStringLiteral("Cuarta"))).entryList({QStringLiteral("*.DB")}, QDir::Files),
              QStringList({"Hex.DB"}));
    EXPECT_FALSE(QFileInfo::exists(carpeta.fichero(QStringLiteral("Artef.DB"))));
    EXPECT_FALSE(QFileInfo::exists(QDir(juego).filePath(QStringLiteral("Artef.DB"))));
    EXPECT_TRUE(ui.p.log.contains(QStringLiteral("texto:Comprobando Estructuras de Tablas")));
    EXPECT_TRUE(ui.p.log.contains(QStringLiteral("barra1:1:0-13")));
    EXPECT_EQ(ui.p.log.last(), QStringLiteral("ocultar"));
    for (const auto& nombre : dm.fuentes()) {
        if (dm.tabla(nombre)) {
            EXPECT_FALSE(dm.tabla(nombre)->activa()) << nombre.toStdString();
        }
    }
}

TEST_F(Mantenimiento, ErrorDeCopiaTerminaLaPasadaYLoDice) {
    creaTabla(carpeta.ruta(), QStringLiteral("TipoCP.DB"), {"CODIGO CHAR(2)", "COSTEORO CHAR(10)"},
              QStringLiteral("CODIGO"), {{"01", "mucho"}});
    QList<bool> menus;
    r.alActivarMenus = [&](bool si) { menus << si; };
    ui.responde({mrSi});
    EXPECT_FALSE(r.mantenimiento(carpeta.ruta(), true));
    ASSERT_EQ(ui.preguntas.size(), 2);
    EXPECT_EQ(ui.preguntas[1].tipo, mtError);
    EXPECT_EQ(ui.preguntas[1].texto, r.error());
    EXPECT_EQ(menus, QList<bool>({false, true}));
    // The run stopped at the reference group: the games were never reached.
    EXPECT_FALSE(QFileInfo::exists(QDir(juego).filePath(QStringLiteral("Hex.DB"))));
}
