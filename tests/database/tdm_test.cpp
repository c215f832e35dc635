// The data module's shared operations: counted opens, creation, index rebuilds, exclusive use,
// retry questions, the reader's opens, queries and linked cursors.

#include "comun/carpetaprueba.h"
#include "comun/interaccionguion.h"
#include "database/diccionario.h"
#include "database/tdm.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace kz;
using namespace kz::prueba;

namespace {

const QString kEnUsoExclusivo = QStringLiteral(
    "Error en la apertura en Modo Exclusivo de la Tabla Centros de Poblacion y Fortifiaciones.\r"
    "Algun otro usuario esta usando el fichero.Vuelva a intentar la operacion o cancelela");
const QString kEnUso = QStringLiteral(
    "Error en la apertura de la Tabla Centros de Poblacion y Fortifiaciones.\r"
    "Algun otro usuario esta usando el fichero en Modo Exclusivo.Vuelva a intentar la operacion o cancelela");

class ModuloDatos : public ::testing::Test {
protected:
    void SetUp() override {
        dm.fijaCarpetaPrograma(carpeta.ruta());
        dm.fijaCarpetaPartida(carpeta.ruta());
    }
    QByteArray huella(const QString& fichero) {
        QFile f(carpeta.fichero(fichero));
        f.open(QIODevice::ReadOnly);
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    }
    void ejecutaSql(const QString& fichero, const char* sql) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(carpeta.fichero(fichero).toUtf8().constData(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    CarpetaPrueba carpeta;
    InteraccionGuion ui;
    TDM dm{ui};
};

} // namespace

TEST_F(ModuloDatos, CadaTablaSeCreaConSusCamposEIndices) {
    for (const DefTabla& d : Diccionario::tablas()) {
        ASSERT_TRUE(dm.Abrir(d.fuente, false, false)) << d.fichero.toStdString();
        TTabla& t = *dm.tabla(d.componente);
        ASSERT_EQ(t.campos().size(), d.campos.size()) << d.fichero.toStdString();
        for (int i = 0; i < d.campos.size(); ++i) {
            EXPECT_EQ(t.campos()[i].nombre, d.campos[i].nombre);
            EXPECT_TRUE(t.campos()[i] == d.campos[i]) << d.campos[i].nombre.toStdString();
        }
        ASSERT_EQ(t.indices().size(), d.indices.size()) << d.fichero.toStdString();
        EXPECT_EQ(t.indices()[0].campos, d.indices[0].campos);
        for (int i = 1; i < d.indices.size(); ++i) {
            EXPECT_EQ(t.indices()[i].nombre, d.indices[i].nombre);
            EXPECT_EQ(t.indices()[i].campos, d.indices[i].campos);
        }
        dm.Cerrar(d.fuente);
        EXPECT_FALSE(t.activa());
    }
    EXPECT_EQ(ui.preguntas.size(), 0);
    EXPECT_EQ(ui.nivelEspera, 0);
}

TEST_F(ModuloDatos, TextosDeEstadoAlCrearAbrirYCerrar) {
    ASSERT_TRUE(dm.Abrir(QStringLiteral("DSPjs"), false, false));
    dm.Cerrar(QStringLiteral("DSPjs"));
    // A table just created gets its indexes built once.
    EXPECT_EQ(ui.estados, (QStringList{"Abriendo Personajes ...", "Creando Personajes ...",
                                       "Creando Indices para Personajes ...", "", "Cerrando Personajes ...", ""}));
    ui.estados.clear();
    ASSERT_TRUE(dm.Abrir(QStringLiteral("DSPjs"), false, true));
    EXPECT_EQ(ui.estados, (QStringList{"Abriendo Personajes ...", "Creando Indices para Personajes ...", ""}));
    EXPECT_FALSE(dm.tabla(QStringLiteral("TPjs"))->exclusiva());
}

TEST_F(ModuloDatos, DosUsuariosDeUnaTabla) {
    TTabla& cen = *dm.tabla(QStringLiteral("TCenPob"));
    ASSERT_TRUE(dm.Abrir(QStringLiteral("DSCenPob"), false, false));
    ASSERT_TRUE(cen.fijaIndice(QStringLiteral("HEX")));
    ASSERT_TRUE(dm.Abrir(QStringLiteral("dscenpob"), false, false));
    EXPECT_EQ(cen.nombreIndice(), QString());   // the second open makes the primary current again
    EXPECT_EQ(dm.aperturas(QStringLiteral("DSCenPob")), 2);
    dm.Cerrar(QStringLiteral("DSCenPob"));
    EXPECT_TRUE(cen.activa());
    dm.Cerrar(QStringLiteral("DSCenPob"));
    EXPECT_FALSE(cen.activa());
}

TEST_F(ModuloDatos, ExclusivaSobreTablaAbiertaYReconstruccionPedida) {
    ASSERT_TRUE(dm.Abrir(QStringLiteral("DSCenPob"), false, false));
    // Exclusive use asked while this program has it open: the notice, no retry.
    EXPECT_FALSE(dm.Abrir(QStringLiteral("DSCenPob"), true, false));
    ASSERT_EQ(ui.preguntas.size(), 1);
    EXPECT_EQ(ui.preguntas[0].texto,
              QStringLiteral("Error en la apertura en Modo Exclusivo de la Tabla Centros de Poblacion y Fortifiaciones.\r"
                             "Esta aplicación la esta utilizando, cierrela e intentelo de nuevo."));
    EXPECT_EQ(ui.preguntas[0].botones, boton(mbOK));
    // A rebuild asked on an open table fails without a message.
    EXPECT_FALSE(dm.Abrir(QStringLiteral("DSCenPob"), false, true));
    EXPECT_EQ(ui.preguntas.size(), 1);
    EXPECT_EQ(dm.aperturas(QStringLiteral("DSCenPob")), 1);
    EXPECT_EQ(ui.nivelEspera, 0);
}

TEST_F(ModuloDatos, CerrarUnaTablaExclusivaLaCierraSiempre) {
    ASSERT_TRUE(dm.Abrir(QStringLiteral("DSCenPob"), true, false));
    EXPECT_TRUE(dm.tabla(QStringLiteral("TCenPob"))->exclusiva());
    dm.Cerrar(QStringLiteral("DSCenPob"));
    EXPECT_FALSE(dm.tabla(QStringLiteral("TCenPob"))->activa());
    EXPECT_EQ(dm.aperturas(QStringLiteral("DSCenPob")), 0);
}

TEST_F(ModuloDatos, FicheroBorradoVuelveVacioConSusIndices) {
    ASSERT_TRUE(dm.Abrir(QStringLiteral("DSRumores"), false, false));
    TTabla& r = *dm.tabla(QStringLiteral("TRumores"));
    r.anade();
    r.fija(QStringLiteral("CODIGO"), QStringLiteral("00001"));
    ASSERT_TRUE(r.graba());
    dm.Cerrar(QStringLiteral("DSRumores"));
    ASSERT_TRUE(QFile::remove(carpeta.fichero(QStringLiteral("Rumores.DB"))));
    ASSERT_TRUE(dm.Abrir(QStringLiteral("DSRumores"), false, false));
    EXPECT_EQ(r.numeroRegistros(), 0);
    EXPECT_EQ(r.numeroIndices(), 3);
}

TEST_F(ModuloDatos, IndicesDeMasODeMenosSeReconstruyenTodos) {
    struct Caso { const char* sql; };
    const Caso casos[] = {{"DROP INDEX \"HEX\""}, {"CREATE INDEX \"EXTRA\" ON \"CenPob\" (\"NOMBRE\")"}};
    for (const auto& c : casos) {
        ASSERT_TRUE(dm.Abrir(QStringLiteral("DSCenPob"), false, false));
        dm.Cerrar(QStringLiteral("DSCenPob"));
        ejecutaSql(QStringLiteral("CenPob.DB"), c.sql);
        ui.estados.clear();
        ASSERT_TRUE(dm.Abrir(QStringLiteral("DSCenPob"), false, false));
        TTabla& cen = *dm.tabla(QStringLiteral("TCenPob"));
        EXPECT_TRUE(ui.estados.contains(QStringLiteral("Creando Indices para Centros de Poblacion y Fortifiaciones ...")));
        ASSERT_EQ(cen.numeroIndices(), 4) << c.sql;
        EXPECT_EQ(cen.indices()[1].nombre, QStringLiteral("HEX"));
        EXPECT_FALSE(cen.exclusiva());
        dm.Cerrar(QStringLiteral("DSCenPob"));
    }
}

TEST_F(ModuloDatos, EntradaConFlagsFYT) {
    ASSERT_TRUE(dm.Abrir(QStringLiteral("DSCenPob"), false, false));
    dm.Cerrar(QStringLiteral("DSCenPob"));
    ui.estados.clear();
    ASSERT_TRUE(dm.AbrirLista({QStringLiteral("DSCenPob,F,T")}));
    TTabla& cen = *dm.tabla(QStringLiteral("TCenPob"));
    EXPECT_TRUE(cen.activa());
    EXPECT_FALSE(cen.exclusiva());   // the rebuild took exclusive use and gave it back
    EXPECT_TRUE(ui.estados.contains(QStringLiteral("Creando Indices para Centros de Poblacion y Fortifiaciones ...")));
}

TEST_F(ModuloDatos, SeleccionDeIndice) {
    ASSERT_TRUE(dm.Abrir(QStringLiteral("DSPjs"), false, false));
    TTabla& pjs = *dm.tabla(QStringLiteral("TPjs"));
    EXPECT_TRUE(dm.SeleccionaIndice(pjs, QStringLiteral("turnohex")));
    EXPECT_EQ(pjs.nombreIndice(), QStringLiteral("TURNOHEX"));
    EXPECT_TRUE(dm.SeleccionaIndice(pjs, QStringLiteral("NOEXISTE")));
    EXPECT_EQ(pjs.nombreIndice(), QString());
    EXPECT_TRUE(ui.preguntas.isEmpty());
}

TEST_F(ModuloDatos, ListaQueFallaNoDejaNadaAbierto) {
    QFile f(carpeta.fichero(QStringLiteral("Hex.DB")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("esto no es una tabla\n");
    f.close();
    // Entries open from the last to the first: CenPob and Pjs open, then Hex fails.
    EXPECT_FALSE(dm.AbrirLista({QStringLiteral("DSHex"), QStringLiteral("DSCenPob"), QStringLiteral("DSPjs")}));
    EXPECT_FALSE(dm.tabla(QStringLiteral("TPjs"))->activa());
    EXPECT_FALSE(dm.tabla(QStringLiteral("TCenPob"))->activa());
    EXPECT_EQ(dm.aperturas(QStringLiteral("DSPjs")), 0);
}

TEST_F(ModuloDatos, FicheroQueNoEsTablaDaUnMensajeClaroYNoSeToca) {
    struct Caso { const char* nombre; QByteArray contenido; const char* motivo; };
    QFile modelo;
    ASSERT_TRUE(dm.Abrir(QStringLiteral("DSPjs"), false, false));
    dm.Cerrar(QStringLiteral("DSPjs"));
    QFile pjs(carpeta.fichero(QStringLiteral("Pjs.DB")));
    ASSERT_TRUE(pjs.open(QIODevice::ReadOnly));
    const QByteArray tabla = pjs.readAll();
    const Caso casos[] = {
        {"texto", QByteArray("TURNO;CODIGO\n001;00001\n"), "no es una tabla de este programa"},
        {"vacio", QByteArray(), "no es una tabla de este programa"},
        {"truncado", tabla.left(tabla.size() - 1000), "la tabla está incompleta (el fichero está truncado)"},
        {"cabecera", tabla.left(50), "no es una tabla de este programa"},
    };
    for (const auto& c : casos) {
        QFile f(carpeta.fichero(QStringLiteral("CenPob.DB")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.contenido);
        f.close();
        const QByteArray antes = huella(QStringLiteral("CenPob.DB"));
        ui.preguntas.clear();
        EXPECT_FALSE(dm.Abrir(QStringLiteral("DSCenPob"), false, false)) << c.nombre;
        ASSERT_EQ(ui.preguntas.size(), 1) << c.nombre;
        EXPECT_EQ(ui.preguntas[0].texto,
                  QStringLiteral("Error en la apertura de la Tabla Centros de Poblacion y Fortifiaciones.\r") +
                      QDir(carpeta.ruta()).canonicalPath() + QStringLiteral("/CenPob.DB: ") + QString::fromUtf8(c.motivo))
            << c.nombre;
        EXPECT_EQ(ui.preguntas[0].tipo, mtError);
        EXPECT_EQ(huella(QStringLiteral("CenPob.DB")), antes) << c.nombre;
        EXPECT_FALSE(QFile::exists(carpeta.fichero(QStringLiteral("CenPob.DB-journal"))));
        EXPECT_EQ(ui.nivelEspera, 0);
    }
}

TEST_F(ModuloDatos, TablaExclusivaDeOtroSeReintentaYSeAbre) {
    ASSERT_TRUE(dm.Abrir(QStringLiteral("DSCenPob"), false, false));
    dm.Cerrar(QStringLiteral("DSCenPob"));
    auto otro = std::make_unique<TTabla>();
    otro->fijaCarpeta(carpeta.ruta());
    otro->fijaFichero(QStringLiteral("CenPob.DB"));
    otro->fijaExclusiva(true);
    ASSERT_TRUE(otro->abre());

    ui.responde({mrCancelar});
    EXPECT_FALSE(dm.Abrir(QStringLiteral("DSCenPob"), false, false));
    ASSERT_EQ(ui.textos(), QStringList{kEnUso});
    EXPECT_EQ(ui.preguntas[0].botones, boton(mbReintentar) | boton(mbCancelar));
    EXPECT_EQ(ui.preguntas[0].defecto, mbReintentar);
    EXPECT_EQ(ui.preguntas[0].tipo, mtAviso);

    ui.preguntas.clear();
    ui.responde({mrReintentar, mrReintentar});
    int vistas = 0;
    ui.alPreguntar = [&](const Pregunta&) { if (++vistas == 2) otro->cierra(); };
    EXPECT_TRUE(dm.Abrir(QStringLiteral("DSCenPob"), true, false));
    EXPECT_EQ(ui.textos(), (QStringList{kEnUsoExclusivo, kEnUsoExclusivo}));
    EXPECT_TRUE(dm.tabla(QStringLiteral("TCenPob"))->exclusiva());
}

TEST_F(ModuloDatos, FichaBloqueadaSeReintenta) {
    ASSERT_TRUE(dm.Abrir(QStringLiteral("DSPais"), false, false));
    TTabla& pais = *dm.tabla(QStringLiteral("TPais"));
    pais.anade();
    pais.fija(QStringLiteral("CODIGO"), QStringLiteral("07"));
    ASSERT_TRUE(pais.graba());
    TTabla otro;
    otro.fijaCarpeta(carpeta.ruta());
    otro.fijaFichero(QStringLiteral("Paises.DB"));
    ASSERT_TRUE(otro.abre());
    ASSERT_TRUE(otro.edita());
    ui.responde({mrReintentar, mrCancelar});
    EXPECT_FALSE(dm.BloqueaFicha(pais));
    EXPECT_EQ(ui.textos(), (QStringList{"Ficha bloqueada. Vuelva a intentar la operacion o cancelela",
                                        "Ficha bloqueada. Vuelva a intentar la operacion o cancelela"}));
    ui.preguntas.clear();
    ui.responde({mrReintentar});
    ui.alPreguntar = [&](const Pregunta&) { otro.cancela(); };
    EXPECT_TRUE(dm.BloqueaFicha(pais));
    EXPECT_EQ(pais.estado(), EstadoTabla::Editar);
    EXPECT_EQ(ui.preguntas.size(), 1);
}

TEST_F(ModuloDatos, AperturaDelLectorNoCreaYNombraElFichero) {
    ui.responde({mrCancelar});
    EXPECT_FALSE(dm.AbrirTablaSE(QStringLiteral("DSCenPob"), false));
    EXPECT_EQ(ui.textos(), QStringList{QStringLiteral(
                               "Error en la apertura de la Tabla CenPob.DB.\rEl fichero no Existe o algun otro usuario esta "
                               "usando el fichero en Modo Exclusivo.Vuelva a intentar la operacion o cancelela")});
    EXPECT_FALSE(QFile::exists(carpeta.fichero(QStringLiteral("CenPob.DB"))));

    ASSERT_TRUE(dm.Abrir(QStringLiteral("DSCenPob"), false, false));
    dm.Cerrar(QStringLiteral("DSCenPob"));
    ASSERT_TRUE(dm.AbrirTablasSE({QStringLiteral("DSCenPob"), QStringLiteral("DSPjs,F,T")}) == false);
    EXPECT_FALSE(dm.tabla(QStringLiteral("TCenPob"))->activa());
    ASSERT_TRUE(dm.AbrirTablaSE(QStringLiteral("DSCenPob"), false));
    EXPECT_EQ(dm.aperturas(QStringLiteral("DSCenPob")), 1);
}

TEST_F(ModuloDatos, ConsultasYCursoresEnlazados) {
    ASSERT_TRUE(dm.AbrirLista({QStringLiteral("DSPjs"), QStringLiteral("DSPais"), QStringLiteral("DSUbiArtef")}));
    TTabla& pjs = *dm.tabla(QStringLiteral("TPjs"));
    TTabla& pais = *dm.tabla(QStringLiteral("TPais"));
    auto pj = [&](const char* turno, const char* codigo, const char* hex, const char* nombre, const char* paisCod,
                  const char* art3) {
        QVector<QVariant> v(pjs.campos().size());
        v[0] = turno; v[1] = codigo; v[2] = hex; v[3] = nombre; v[5] = QStringLiteral("0"); v[6] = paisCod;
        if (art3) v[22] = art3;
        ASSERT_TRUE(pjs.insertaFila(v));
    };
    pj("001", "00010", "0505", "Aldor", "07", nullptr);
    pj("002", "00010", "0506", "Aldor", "07", "042");
    pj("002", "00011", "0506", "Berin", "09", nullptr);
    pj("002", "00012", "0506", "Cira", "07", nullptr);
    for (auto [c, n] : {std::pair{"07", "Rohan"}, std::pair{"08", "Gondor"}}) {
        pais.anade();
        pais.fija(QStringLiteral("CODIGO"), QString::fromLatin1(c));
        pais.fija(QStringLiteral("NOMBRE"), QString::fromLatin1(n));
        ASSERT_TRUE(pais.graba());
    }
    TConsulta& qpjs = *dm.consulta(QStringLiteral("QPjs"));
    TTabla& pjs2 = *dm.tabla(QStringLiteral("TPjs2"));
    TTabla& pjs3 = *dm.tabla(QStringLiteral("TPjs3"));
    ASSERT_TRUE(pjs2.abre());
    ASSERT_TRUE(pjs3.abre());
    QStringList etiquetas;
    dm.alCambiarPersonaje = [&](const QString& n) { etiquetas << n; };
    ASSERT_TRUE(qpjs.abre()) << qpjs.mensajeError().toStdString();
    EXPECT_EQ(qpjs.numeroRegistros(), 3);
    EXPECT_EQ(qpjs.campos(), (QStringList{"ID", "Nombre", "Cod.", "Pais"}));
    EXPECT_EQ(qpjs.texto(QStringLiteral("pais")), QStringLiteral("Rohan"));
    EXPECT_EQ(etiquetas, QStringList{"Aldor"});
    EXPECT_EQ(pjs2.numeroRegistros(), 2);   // every turn of 00010
    pjs2.ultimo();
    EXPECT_EQ(pjs3.numeroRegistros(), 3);   // everyone in 0506 in turn 002
    qpjs.siguiente();
    EXPECT_EQ(qpjs.texto(QStringLiteral("Pais")), QString());   // nation 09 is unknown
    EXPECT_EQ(pjs2.numeroRegistros(), 1);

    TConsulta& turnos = *dm.consulta(QStringLiteral("QPjsTurnos"));
    turnos.fijaParametro(QStringLiteral("IDPjs"), QStringLiteral("00010"));
    ASSERT_TRUE(turnos.abre());
    EXPECT_EQ(turnos.numeroRegistros(), 2);
    EXPECT_EQ(turnos.texto(QStringLiteral("Hex")), QStringLiteral("0505"));

    TConsulta& art = *dm.consulta(QStringLiteral("QArtPjs"));
    art.fijaParametro(QStringLiteral("IDArt"), QStringLiteral("042"));
    ASSERT_TRUE(art.abre());
    EXPECT_EQ(art.campos(), (QStringList{"TURNO", "NOMBRE", "PAIS", "NOMBRE_1", "HEX"}));
    ASSERT_EQ(art.numeroRegistros(), 1);
    EXPECT_EQ(art.texto(QStringLiteral("NOMBRE_1")), QStringLiteral("Rohan"));

    TConsulta& ubi = *dm.consulta(QStringLiteral("QArtUbi"));
    ubi.fijaParametro(QStringLiteral("IDArt"), QStringLiteral("042"));
    ASSERT_TRUE(ubi.abre());
    EXPECT_EQ(ubi.numeroRegistros(), 0);
}
