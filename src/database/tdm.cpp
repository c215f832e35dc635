#include "tdm.h"

#include "diccionario.h"
#include "textos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <sqlite3.h>

namespace kz {

struct TDM::Componente {
    QString nombre;                // TCenPob
    QString fuente;                // DSCenPob
    const DefTabla* def = nullptr; // null for the extra cursors and the work table
    CarpetaTabla carpeta = CarpetaTabla::Partida;
    std::unique_ptr<TTabla> tabla;
    std::unique_ptr<TConsulta> consulta;
    int aperturas = 0;
};

namespace {

const QString kTotalPjs = QStringLiteral("zzzz");
const QString kTodosCodigos = QStringLiteral("zzzzz");

QString textoExclusivoEnUso(const QString& nombre) {
    return QStringLiteral("Error en la apertura en Modo Exclusivo de la Tabla ") + nombre + QStringLiteral(".") +
           QStringLiteral("\r") + QStringLiteral("Esta aplicación la esta utilizando, cierrela e intentelo de nuevo.");
}

} // namespace

TDM::TDM(Interaccion& interaccion) : ui_(interaccion) {
    for (const DefTabla& d : Diccionario::tablas()) {
        Componente& c = agrega(d.componente, d.fuente, &d, d.carpeta);
        c.tabla->fijaFichero(d.fichero);
        c.tabla->fijaLimitesDeObjeto(true);
    }
    auto cursorPjs = [&](const char* nombre, const char* fuente, const char* indice) {
        Componente& c = agrega(QString::fromLatin1(nombre), QString::fromLatin1(fuente), nullptr, CarpetaTabla::Partida);
        c.tabla->fijaFichero(QStringLiteral("Pjs.DB"));
        c.tabla->fijaLimitesDeObjeto(true);
        if (indice) c.tabla->fijaIndice(QString::fromLatin1(indice));
    };
    cursorPjs("TPjsAux", "DSPjsAux", nullptr);
    cursorPjs("TPjs2", "DSPjs2", "ID");
    cursorPjs("TPjs3", "DSPjs3", "TURNOHEX");

    auto consulta = [&](const char* nombre, const char* fuente, const QString& sql,
                        const QList<QPair<QString, QString>>& ficheros) {
        Componente& c = agrega(QString::fromLatin1(nombre), QString::fromLatin1(fuente), nullptr, CarpetaTabla::Partida);
        c.tabla.reset();
        c.consulta = std::make_unique<TConsulta>();
        c.consulta->fijaSql(sql, ficheros);
    };
    const QPair<QString, QString> fPjs{QStringLiteral("fPjs"), QStringLiteral("Pjs.DB")};
    const QPair<QString, QString> fPaises{QStringLiteral("fPaises"), QStringLiteral("Paises.DB")};
    const QPair<QString, QString> fUbi{QStringLiteral("fUbi"), QStringLiteral("UbiArtef.DB")};
    consulta("QPjs", "DSQPjs",
             QStringLiteral("SELECT DISTINCT Pjs.CODIGO AS ID, Pjs.NOMBRE AS Nombre, Pjs.PAIS AS \"Cod.\", "
                            "Paises.NOMBRE AS Pais FROM fPjs.Pjs AS Pjs "
                            "LEFT OUTER JOIN fPaises.Paises AS Paises ON (Pjs.PAIS = Paises.CODIGO) "
                            "ORDER BY 1, 2, 3, 4"),
             {fPjs, fPaises});
    consulta("QPjsTurnos", "DSQPjsTurnos",
             QStringLiteral("SELECT Pjs.CODIGO AS CODIGO, Pjs.TURNO AS Turno, Pjs.HEX AS Hex, Pjs.VIDA AS Estado, "
                            "Pjs.PAIS AS Cod, Paises.NOMBRE AS Pais FROM fPjs.Pjs AS Pjs "
                            "INNER JOIN fPaises.Paises AS Paises ON (Pjs.PAIS = Paises.CODIGO) "
                            "WHERE Pjs.CODIGO = :IDPjs ORDER BY Pjs.CODIGO, Pjs.TURNO"),
             {fPjs, fPaises});
    consulta("QArtPjs", "DSArtPjs",
             QStringLiteral("SELECT Pjs.TURNO AS TURNO, Pjs.NOMBRE AS NOMBRE, Pjs.PAIS AS PAIS, Paises.NOMBRE AS NOMBRE_1, "
                            "Pjs.HEX AS HEX FROM fPjs.Pjs AS Pjs "
                            "INNER JOIN fPaises.Paises AS Paises ON (Pjs.PAIS = Paises.CODIGO) "
                            "WHERE (Pjs.ART1 = :IDArt) OR (Pjs.ART2 = :IDArt) OR (Pjs.ART3 = :IDArt) "
                            "OR (Pjs.ART4 = :IDArt) OR (Pjs.ART5 = :IDArt) OR (Pjs.ART6 = :IDArt) "
                            "ORDER BY Pjs.TURNO"),
             {fPjs, fPaises});
    consulta("QArtUbi", "DSArtUbi",
             QStringLiteral("SELECT Ubiartef.TURNO AS TURNO, Ubiartef.HEX AS HEX FROM fUbi.UbiArtef AS Ubiartef "
                            "WHERE (Ubiartef.ORIGEN = '2') AND (Ubiartef.ARTEF = :IDArt) ORDER BY Ubiartef.TURNO"),
             {fUbi});
    agrega(QStringLiteral("TablaTmp1"), QStringLiteral("DSTmp1"), nullptr, CarpetaTabla::Partida);
    enlazaCursores();
}

TDM::~TDM() {
    for (auto& c : componentes_)
        if (c->tabla) c->tabla->cierra();
}

TDM::Componente& TDM::agrega(const QString& nombre, const QString& fuente, const DefTabla* def, CarpetaTabla carpeta) {
    auto c = std::make_unique<Componente>();
    c->nombre = nombre;
    c->fuente = fuente;
    c->def = def;
    c->carpeta = carpeta;
    c->tabla = std::make_unique<TTabla>();
    Componente* p = c.get();
    componentes_.push_back(std::move(c));
    porNombre_.insert(nombre.toUpper(), p);
    porNombre_.insert(fuente.toUpper(), p);
    return *p;
}

TDM::Componente* TDM::busca(const QString& nombre) const { return porNombre_.value(nombre.trimmed().toUpper(), nullptr); }

TTabla* TDM::tabla(const QString& nombre) const {
    Componente* c = busca(nombre);
    return c ? c->tabla.get() : nullptr;
}

TConsulta* TDM::consulta(const QString& nombre) const {
    Componente* c = busca(nombre);
    return c ? c->consulta.get() : nullptr;
}

const DefTabla* TDM::definicion(const QString& fuente) const {
    Componente* c = busca(fuente);
    return c ? c->def : nullptr;
}

QString TDM::nombreVisible(const QString& fuente) const {
    Componente* c = busca(fuente);
    if (!c) return fuente;
    if (c->def) return c->def->nombreVisible;
    return c->tabla ? c->tabla->fichero() : c->nombre;
}

int TDM::aperturas(const QString& fuente) const {
    Componente* c = busca(fuente);
    return c ? c->aperturas : 0;
}

QStringList TDM::fuentes() const {
    QStringList l;
    for (const auto& c : componentes_) l << c->fuente;
    return l;
}

bool TDM::fijaCarpetaPrograma(const QString& carpeta) {
    carpetaPrograma_ = carpeta;
    bool todas = true;
    for (auto& c : componentes_) {
        if (c->carpeta != CarpetaTabla::Programa || !c->tabla) continue;
        if (c->tabla->activa()) todas = false;
        else c->tabla->fijaCarpeta(carpeta);
    }
    return todas;
}

bool TDM::fijaCarpetaPartida(const QString& carpeta) {
    carpetaPartida_ = carpeta;
    bool todas = true;
    for (auto& c : componentes_) {
        if (c->carpeta != CarpetaTabla::Partida || c->nombre == QLatin1String("TablaTmp1")) continue;
        if (c->consulta) {
            c->consulta->fijaCarpeta(carpeta);
        } else if (c->tabla->activa()) {
            todas = false;
        } else {
            c->tabla->fijaCarpeta(carpeta);
        }
    }
    return todas;
}

void TDM::MuestraEstado(const QString& texto) { ui_.estado(texto); }

void TDM::separaEntrada(const QString& entrada, QString& fuente, bool& exclusiva, bool& reconstruir) {
    const QStringList partes = entrada.split(QLatin1Char(','));
    fuente = partes.value(0).trimmed();
    exclusiva = partes.size() > 1 && partes[1].trimmed() == QLatin1String("T");
    reconstruir = partes.size() > 2 && partes[2].trimmed() == QLatin1String("T");
}

bool TDM::abreConReintento(Componente& c, bool exclusiva, const QString& nombreMensaje, bool lector) {
    TTabla& t = *c.tabla;
    for (;;) {
        t.fijaIndice(QString());
        if (t.abre()) return true;
        if (t.ultimoError() == ErrorTabla::NoEsTabla) {
            // Retrying cannot mend a file that is not a table: say which file and stop.
            ui_.aviso(QStringLiteral("Error en la apertura de la Tabla ") + nombreMensaje + QStringLiteral(".") +
                          QStringLiteral("\r") + t.mensajeError(),
                      mtError);
            t.fijaExclusiva(false);
            return false;
        }
        QString texto;
        if (exclusiva) {
            texto = QStringLiteral("Error en la apertura en Modo Exclusivo de la Tabla ") + nombreMensaje +
                    QStringLiteral(".") + QStringLiteral("\r") + QStringLiteral("Algun otro usuario esta usando el fichero.") +
                    QStringLiteral("Vuelva a intentar la operacion o cancelela");
        } else {
            texto = QStringLiteral("Error en la apertura de la Tabla ") + nombreMensaje + QStringLiteral(".") +
                    QStringLiteral("\r") +
                    (lector ? QStringLiteral("El fichero no Existe o algun otro usuario esta usando el fichero en Modo Exclusivo.")
                            : QStringLiteral("Algun otro usuario esta usando el fichero en Modo Exclusivo.")) +
                    QStringLiteral("Vuelva a intentar la operacion o cancelela");
        }
        if (!ui_.reintentar(texto)) {
            t.fijaExclusiva(false);
            return false;
        }
    }
}

bool TDM::reconstruyeIndices(Componente& c, bool exclusivaPedida) {
    TTabla& t = *c.tabla;
    const QString visible = c.def->nombreVisible;
    if (!t.exclusiva()) {
        t.cierra();
        t.fijaExclusiva(true);
        if (!t.abre()) {
            t.fijaExclusiva(false);
            return false;
        }
    }
    ui_.estado(QStringLiteral("Creando Indices para ") + visible + QStringLiteral(" ..."));
    t.fijaIndice(QString());
    if (!t.borraIndices()) return false;
    const QList<DefIndice> entradas = Diccionario::indicesDefinicion(c.nombre);
    for (int i = 1; i < entradas.size(); ++i)
        if (!t.anadeIndice(entradas[i])) return false;
    if (!exclusivaPedida) {
        t.cierra();
        t.fijaExclusiva(false);
        if (!t.abre()) return false;
    }
    return true;
}

bool TDM::Abrir(const QString& fuente, bool exclusiva, bool reconstruir) {
    Componente* c = busca(fuente);
    if (!c || !c->tabla) return false;
    CursorEspera espera(ui_);
    if (!c->def) return false;   // the extra cursors are opened directly
    TTabla& t = *c->tabla;
    const QString visible = c->def->nombreVisible;
    const QString ruta = QDir(t.carpeta()).filePath(c->def->fichero);

    if (exclusiva && t.activa()) {
        ui_.aviso(textoExclusivoEnUso(visible), mtAviso);
        return false;
    }
    ui_.estado(QStringLiteral("Abriendo ") + visible + QStringLiteral(" ..."));
    auto limpiaEstado = qScopeGuard([&] { ui_.estado(QString()); });

    bool creada = false;
    if (!t.activa() && !QFileInfo::exists(ruta)) {
        ui_.estado(QStringLiteral("Creando ") + visible + QStringLiteral(" ..."));
        QStringList lineas = Diccionario::lineasDefinicion(c->nombre, ruta);
        lineas.removeFirst();
        QString error;
        if (!EjecutaCreacion(lineas, error)) {
            ui_.aviso(QStringLiteral("Error en la creación de la Tabla ") + visible + QStringLiteral(".") +
                          QStringLiteral("\r") + error,
                      mtError);
            return false;
        }
        // The secondary indexes go in straight after the table, on a private connection.
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(rutaCanonica(ruta).toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
            const QList<DefIndice> entradas = Diccionario::indicesDefinicion(c->nombre);
            for (int i = 1; i < entradas.size(); ++i) {
                QStringList cols;
                for (const auto& f : entradas[i].campos) cols << QLatin1Char('"') + f + QLatin1Char('"');
                const QString sql = QStringLiteral("CREATE INDEX \"%1\" ON \"%2\" (%3)")
                                        .arg(entradas[i].nombre, c->def->nombreTabla(), cols.join(','));
                sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
            }
        }
        sqlite3_close(db);
        creada = true;
    }

    bool necesita = creada != reconstruir;
    if (exclusiva || necesita) {
        // Exclusive use cannot be taken on a table that is open.
        if (t.activa()) return false;
        t.fijaExclusiva(true);
    }

    if (t.activa()) {
        t.fijaIndice(QString());
    } else if (!abreConReintento(*c, exclusiva || necesita, visible, false)) {
        return false;
    }
    ++c->aperturas;

    if (t.numeroIndices() != c->def->indices.size()) necesita = true;
    if (necesita && !reconstruyeIndices(*c, exclusiva)) {
        --c->aperturas;
        if (c->aperturas <= 0 || t.exclusiva()) {
            c->aperturas = 0;
            t.cierra();
            t.fijaExclusiva(false);
        }
        return false;
    }
    t.fijaIndice(QString());
    return true;
}

bool TDM::AbrirLista(const QStringList& lista) {
    QStringList abiertas;
    for (int i = lista.size() - 1; i >= 0; --i) {
        QString fuente;
        bool exclusiva = false, reconstruir = false;
        separaEntrada(lista[i], fuente, exclusiva, reconstruir);
        if (!Abrir(fuente, exclusiva, reconstruir)) {
            for (const QString& f : abiertas) Cerrar(f);
            return false;
        }
        abiertas << fuente;
    }
    return true;
}

void TDM::Cerrar(const QString& fuente) {
    Componente* c = busca(fuente);
    if (!c || !c->tabla) return;
    ui_.estado(QStringLiteral("Cerrando ") + nombreVisible(fuente) + QStringLiteral(" ..."));
    --c->aperturas;
    if (c->aperturas <= 0 || c->tabla->exclusiva()) {
        c->aperturas = std::max(c->aperturas, 0);
        if (c->tabla->exclusiva()) c->aperturas = 0;
        c->tabla->cierra();
        c->tabla->fijaExclusiva(false);
    }
    ui_.estado(QString());
}

void TDM::CerrarLista(const QStringList& lista) {
    for (const QString& entrada : lista) Cerrar(entrada.section(QLatin1Char(','), 0, 0).trimmed());
}

void TDM::CerrarTodas() {
    for (auto& c : componentes_) {
        if (c->tabla) {
            c->tabla->cierra();
            c->tabla->fijaExclusiva(false);
        }
        if (c->consulta) c->consulta->cierra();
        c->aperturas = 0;
    }
}

void TDM::ReindexarLista(const QStringList& lista) {
    CursorEspera espera(ui_);
    QStringList conFlags;
    for (const QString& e : lista) conFlags << e.section(QLatin1Char(','), 0, 0).trimmed() + QStringLiteral(",T,T");
    if (AbrirLista(conFlags)) CerrarLista(conFlags);
}

bool TDM::SeleccionaIndice(TTabla& t, const QString& nombre) {
    const QString elegido = t.tieneIndice(nombre) ? nombre : QString();
    if (t.fijaIndice(elegido)) return true;
    ui_.aviso(QStringLiteral("Error de Selección de Indice (el indice no existe o no esta disponible)"), mtAviso);
    t.fijaIndice(QString());
    return false;
}

bool TDM::BloqueaFicha(TTabla& t) {
    for (;;) {
        if (t.compruebaEdicion()) return t.edita();
        if (!ui_.reintentar(QStringLiteral("Ficha bloqueada. Vuelva a intentar la operacion o cancelela"))) return false;
    }
}

bool TDM::AbrirTablaSE(const QString& fuente, bool exclusiva) {
    Componente* c = busca(fuente);
    if (!c || !c->tabla) return false;
    CursorEspera espera(ui_);
    TTabla& t = *c->tabla;
    if (exclusiva && t.activa()) {
        ui_.aviso(textoExclusivoEnUso(t.fichero()), mtAviso);
        return false;
    }
    if (exclusiva) t.fijaExclusiva(true);
    if (t.activa()) {
        ++c->aperturas;
    } else {
        if (!abreConReintento(*c, exclusiva, t.fichero(), true)) return false;
        ++c->aperturas;
    }
    t.refrescaIndices();
    t.fijaIndice(QString());
    return true;
}

bool TDM::AbrirTablasSE(const QStringList& lista) {
    QStringList abiertas;
    for (int i = lista.size() - 1; i >= 0; --i) {
        QString fuente;
        bool exclusiva = false, ignorado = false;
        separaEntrada(lista[i], fuente, exclusiva, ignorado);
        if (!AbrirTablaSE(fuente, exclusiva)) {
            CerrarLista(abiertas);
            return false;
        }
        abiertas << fuente;
    }
    return true;
}

bool TDM::EjecutaCreacion(const QStringList& sentencia, QString& error) {
    if (sentencia.isEmpty()) {
        error = QStringLiteral("No hay definición para la tabla");
        return false;
    }
    static const QRegularExpression cabecera(QStringLiteral("^\\s*CREATE\\s+TABLE\\s+(?:tabla\\.)?\"([^\"]+)\"\\s*$"),
                                             QRegularExpression::CaseInsensitiveOption);
    const auto m = cabecera.match(sentencia.first());
    if (!m.hasMatch()) {
        error = QStringLiteral("Sentencia de creación no válida: %1").arg(sentencia.first());
        return false;
    }
    const QString ruta = m.captured(1);
    if (QFileInfo::exists(ruta)) {
        error = QStringLiteral("El fichero %1 ya existe").arg(ruta);
        return false;
    }
    QString cuerpo = sentencia.mid(1).join(QLatin1Char('\n'));
    cuerpo.replace(QStringLiteral("tabla.\"OR\""), QStringLiteral("\"OR\""));
    const QString tablaSql = NombreBase(ruta);
    const QString sql = QStringLiteral("CREATE TABLE \"%1\" %2").arg(tablaSql, cuerpo);

    // Built under a temporary name and renamed, so a failure never leaves a half-made table.
    const QString temporal = ruta + QStringLiteral(".creando");
    QFile::remove(temporal);
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(temporal.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    char* msg = nullptr;
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &msg);
    if (rc != SQLITE_OK) {
        error = QString::fromUtf8(msg ? msg : (db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)));
        sqlite3_free(msg);
        sqlite3_close(db);
        QFile::remove(temporal);
        return false;
    }
    sqlite3_close(db);
    if (!QFile::rename(temporal, ruta)) {
        QFile::remove(temporal);
        error = QStringLiteral("No se puede crear el fichero %1").arg(ruta);
        return false;
    }
    return true;
}

void TDM::enlazaCursores() {
    TConsulta* qpjs = consulta(QStringLiteral("QPjs"));
    TTabla* pjs2 = tabla(QStringLiteral("TPjs2"));
    TTabla* pjs3 = tabla(QStringLiteral("TPjs3"));
    qpjs->suscribe([this, qpjs, pjs2] {
        if (!qpjs->activa() || !pjs2->activa()) return;
        if (alCambiarPersonaje) alCambiarPersonaje(qpjs->texto(QStringLiteral("NOMBRE")));
        const QString id = qpjs->texto(QStringLiteral("ID"));
        pjs2->fijaRango({id, QVariant()}, {id, kTotalPjs});
    });
    pjs2->suscribe([qpjs, pjs2, pjs3](EventoTabla e) {
        if (e != EventoTabla::Movida && e != EventoTabla::Abierta) return;
        if (!pjs2->activa() || !pjs3->activa() || !qpjs->activa()) return;
        const QString turno = pjs2->texto(QStringLiteral("TURNO"));
        const QString hex = pjs2->texto(QStringLiteral("HEX"));
        pjs3->fijaRango({turno, hex, QVariant()}, {turno, hex, kTodosCodigos});
    });
}

} // namespace kz
