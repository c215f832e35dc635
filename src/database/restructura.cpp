#include "restructura.h"

#include "carpetaprograma.h"
#include "diccionario.h"
#include "ficherobloqueo.h"
#include "tablaparadox.h"
#include "textos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>
#include <sqlite3.h>

namespace kz {

const QString Restructura::kTemporal = QStringLiteral("TMPSTR.DB");

struct Restructura::Pendiente {
    QString fuente, componente, visible;
    QString carpeta, fichero;     // where the table belongs, under its own name
    QString existente;            // the file found for it (maybe another letter case); empty if none
    bool paradox = false;
    bool reindexar = true;        // false for an unchanged table that already has every index
    std::unique_ptr<TTabla> cursor;          // the old table, held exclusively
    std::unique_ptr<TablaParadox> legado;    // or the legacy table ...
    std::unique_ptr<FicheroBloqueo> bloqueo; // ... with its exclusive lock

    QString ruta() const { return QDir(carpeta).filePath(fichero); }
    void suelta() {
        if (cursor) cursor->cierra();
        if (legado) legado->cierra();
        if (bloqueo) bloqueo->cierra();
    }
};

namespace {

// Every file of one table in a folder: same base name (letter case aside) with the extensions
// of our engine (.DB, .lck, journal) and of the legacy one (.PX, .MB, .VAL, .TV, .FAM, .Xnn,
// .Ynn, .XGn, .YGn).
QStringList ficherosDeTabla(const QString& carpeta, const QString& base) {
    static const QRegularExpression extension(
        QStringLiteral("^(DB|LCK|DB-JOURNAL|DB\\.CREANDO|PX|MB|VAL|TV|FAM|[XY][0-9A-F]{2}|[XY]G[0-9A-F])$"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList r;
    for (const QString& f : QDir(carpeta).entryList(QDir::Files | QDir::Hidden)) {
        const int punto = f.indexOf(QLatin1Char('.'));
        if (punto <= 0 || f.left(punto).compare(base, Qt::CaseInsensitive) != 0) continue;
        if (extension.match(f.mid(punto + 1)).hasMatch()) r << QDir(carpeta).filePath(f);
    }
    return r;
}

void borraTemporal(const QString& carpeta) {
    for (const QString& f : ficherosDeTabla(carpeta, NombreBase(Restructura::kTemporal))) QFile::remove(f);
}

// The indexes a table file carries are those of its definition (names aside from letter case).
bool mismosIndices(const QList<DefIndice>& enFichero, const QList<DefIndice>& definidos) {
    if (enFichero.size() != definidos.size()) return false;
    for (int i = 1; i < definidos.size(); ++i) {
        bool hallado = false;
        for (const DefIndice& f : enFichero)
            hallado = hallado || (f.nombre.compare(definidos[i].nombre, Qt::CaseInsensitive) == 0 &&
                                  f.campos == definidos[i].campos);
        if (!hallado) return false;
    }
    return true;
}

bool mismaEstructura(const QList<DefCampo>& viejos, const QList<DefCampo>& nuevos) {
    int comunes = 0;
    for (const DefCampo& n : nuevos) {
        for (const DefCampo& v : viejos) {
            if (v.nombre != n.nombre) continue;
            if (v.tipo != n.tipo || v.tamano != n.tamano) return false;
            ++comunes;
            break;
        }
    }
    if (comunes != nuevos.size() || comunes != viejos.size()) return false;
    for (int i = 0; i < nuevos.size(); ++i)
        if (nuevos[i].nombre != viejos[i].nombre) return false;
    return true;
}

QString textoExclusiva(const QString& fichero) {
    return QStringLiteral("Error en la apertura en Modo Exclusivo de la Tabla ") + fichero + QStringLiteral(".") +
           QStringLiteral("\r") + QStringLiteral("Algun otro usuario esta usando el fichero.") +
           QStringLiteral("Vuelva a intentar la operacion o cancelela");
}

// The creating statement names its table after the file (TMPSTR); the table inside takes the
// name of the file it will become, so the renamed file is like any other of its kind.
bool renombraTablaInterna(const QString& ruta, const QString& de, const QString& a, QString& error) {
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(ruta).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK) {
        const QString sql = QStringLiteral("ALTER TABLE \"%1\" RENAME TO \"%2\"").arg(de, a);
        rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) error = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    sqlite3_close(db);
    return rc == SQLITE_OK;
}

QString cita(const QString& nombre) { return QLatin1Char('"') + QString(nombre).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"'); }

// The table inside a file: the one named like the file (letter case aside) or its only table.
QString tablaInterna(Conexion& c, const QString& fichero) {
    const QString base = NombreBase(fichero);
    Sentencia& s = c.sentencia(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'"));
    QStringList nombres;
    while (s.paso()) nombres << s.columna(0).toString();
    for (const QString& n : nombres)
        if (n.compare(base, Qt::CaseInsensitive) == 0) return n;
    return nombres.value(0, base);
}

} // namespace

QString Restructura::buscaFichero(const QString& carpeta, const QString& fichero) {
    QDir d(carpeta);
    if (QFileInfo(d.filePath(fichero)).isFile()) return d.filePath(fichero);
    for (const QString& f : d.entryList(QDir::Files))
        if (f.compare(fichero, Qt::CaseInsensitive) == 0) return d.filePath(f);
    return {};
}

Restructura::Resultado Restructura::lista(const QStringList& fuentes) {
    error_.clear();
    ui_.estado(QStringLiteral("Realizando Restructuración..."));
    std::vector<std::unique_ptr<Pendiente>> tablas;
    auto sueltaTodas = [&] {
        for (auto& p : tablas) p->suelta();
        tablas.clear();
    };

    for (const QString& entrada : fuentes) {
        const QString fuente = entrada.section(QLatin1Char(','), 0, 0).trimmed();
        const DefTabla* def = dm_.definicion(fuente);
        TTabla* t = dm_.tabla(fuente);
        if (!def || !t) continue;
        auto p = std::make_unique<Pendiente>();
        p->fuente = fuente;
        p->componente = def->componente;
        p->visible = def->nombreVisible;
        p->carpeta = t->carpeta();
        p->fichero = def->fichero;
        p->existente = buscaFichero(p->carpeta, p->fichero);
        const Resultado r = tomaExclusiva(*p);
        tablas.push_back(std::move(p));
        if (r != Resultado::Hecho) {
            sueltaTodas();
            ui_.estado(QString());
            return r;
        }
    }

    Progreso& progreso = ui_.progreso();
    for (int i = 0; i < int(tablas.size()); ++i) {
        const Resultado r = restructuraTabla(*tablas[i], i);
        if (r != Resultado::Hecho) {
            sueltaTodas();
            ui_.estado(QString());
            return r;
        }
    }
    progreso.fijaTexto(QStringLiteral("Reconstruyendo índices..."));
    progreso.fijaTexto2(QString());
    progreso.fijaBarra(1, false, 0, 0, 1);
    progreso.fijaBarra(2, false, 0, 0, 1);
    QStringList conIndices;
    for (const auto& p : tablas)
        if (p->reindexar) conIndices << p->fuente;
    sueltaTodas();
    if (!conIndices.isEmpty()) dm_.ReindexarLista(conIndices);
    ui_.estado(QString());
    return Resultado::Hecho;
}

Restructura::Resultado Restructura::tomaExclusiva(Pendiente& p) {
    if (p.existente.isEmpty()) return Resultado::Hecho;
    p.paradox = TablaParadox::esParadox(p.existente);
    for (;;) {
        QString motivo;
        bool tomada = false;
        if (p.paradox) {
            // The legacy file has no lock of ours; the lock file of the table's own name keeps
            // every other user of this program out while it is replaced.
            p.bloqueo = std::make_unique<FicheroBloqueo>();
            tomada = p.bloqueo->abre(p.ruta(), true, motivo);
            if (tomada) {
                p.legado = std::make_unique<TablaParadox>();
                if (!p.legado->abre(p.existente, motivo)) {
                    error_ = QStringLiteral("Error en la apertura de la Tabla ") + p.visible + QStringLiteral(".") +
                             QStringLiteral("\r") + motivo;
                    return Resultado::Error;
                }
                return Resultado::Hecho;
            }
        } else {
            p.cursor = std::make_unique<TTabla>();
            p.cursor->fijaCarpeta(p.carpeta);
            p.cursor->fijaFichero(QFileInfo(p.existente).fileName());
            p.cursor->fijaExclusiva(true);
            if (p.cursor->abre()) return Resultado::Hecho;
            if (p.cursor->ultimoError() == ErrorTabla::NoEsTabla) {
                // Retrying cannot mend a damaged file: say which one and leave the list alone.
                error_ = QStringLiteral("Error en la apertura de la Tabla ") + p.visible + QStringLiteral(".") +
                         QStringLiteral("\r") + p.cursor->mensajeError();
                return Resultado::Error;
            }
        }
        if (!ui_.reintentar(textoExclusiva(p.fichero))) return Resultado::Cancelado;
    }
}

bool Restructura::creaTemporal(const QString& carpeta, const QString& componente) {
    borraTemporal(carpeta);
    const QString ruta = QDir(carpeta).filePath(kTemporal);
    QStringList sentencia = Diccionario::lineasDefinicion(componente, ruta);
    if (sentencia.isEmpty()) {
        error_ = QStringLiteral("No hay definición para la tabla %1").arg(componente);
        return false;
    }
    sentencia.removeFirst();
    QString motivo;
    const DefTabla* def = Diccionario::porComponente(componente);
    if (!TDM::EjecutaCreacion(sentencia, motivo) ||
        !renombraTablaInterna(ruta, NombreBase(kTemporal), def->nombreTabla(), motivo)) {
        error_ = QStringLiteral("Error en la creación de la Tabla ") + def->nombreVisible + QStringLiteral(".") +
                 QStringLiteral("\r") + motivo;
        borraTemporal(carpeta);
        return false;
    }
    return true;
}

Restructura::Resultado Restructura::restructuraTabla(Pendiente& p, int posicion) {
    Progreso& progreso = ui_.progreso();
    progreso.fijaTexto(p.visible);
    progreso.fijaPosicion(1, posicion);
    ui_.procesaEventos();

    // An unchanged table needs no temporary copy at all; any TMPSTR.DB left by an interrupted
    // run goes in every case.
    const DefTabla* def = Diccionario::porComponente(p.componente);
    const bool mismoNombre = !p.existente.isEmpty() && QFileInfo(p.existente).fileName() == p.fichero;
    if (!p.paradox && mismoNombre && mismaEstructura(p.cursor->campos(), def->campos)) {
        // Rebuilding indexes that are already right would rewrite the file for nothing.
        p.reindexar = !mismosIndices(p.cursor->indices(), def->indices);
        p.suelta();
        borraTemporal(p.carpeta);
        return Resultado::Hecho;
    }

    if (!creaTemporal(p.carpeta, p.componente)) return Resultado::Error;
    const QString temporal = QDir(p.carpeta).filePath(kTemporal);
    if (p.existente.isEmpty()) {
        if (std::rename(QFile::encodeName(temporal).constData(), QFile::encodeName(p.ruta()).constData()) != 0) {
            error_ = QStringLiteral("No se puede crear el fichero %1").arg(p.ruta());
            return Resultado::Error;
        }
        borraTemporal(p.carpeta);
        return Resultado::Hecho;
    }

    const QList<DefCampo> viejos = p.paradox ? p.legado->campos() : p.cursor->campos();
    QList<int> origenDe;   // per new field, the old field it is copied from (-1: starts empty)
    int campoMostrado = -1;
    for (const DefCampo& n : def->campos) {
        int origen = -1;
        for (int j = 0; j < viejos.size(); ++j)
            if (viejos[j].nombre == n.nombre) origen = j;
        if (origen >= 0 && campoMostrado < 0) campoMostrado = origen;
        origenDe << origen;
    }

    TTabla destino;
    destino.fijaCarpeta(p.carpeta);
    destino.fijaFichero(kTemporal);
    destino.fijaExclusiva(true);
    if (!destino.abre()) {
        error_ = QStringLiteral("Error en la apertura de la Tabla ") + kTemporal + QStringLiteral(".") +
                 QStringLiteral("\r") + destino.mensajeError();
        return Resultado::Error;
    }
    const bool copiado = copiaFilas(p, destino, origenDe, campoMostrado);
    destino.cierra();
    if (!copiado) return Resultado::Error;   // the partial TMPSTR.DB goes at the next restructure
    p.suelta();
    return reemplaza(p) ? Resultado::Hecho : Resultado::Error;
}

bool Restructura::copiaFilas(Pendiente& p, TTabla& destino, const QList<int>& origenDe, int campoMostrado) {
    Progreso& progreso = ui_.progreso();
    const int filas = p.paradox ? p.legado->numeroRegistros() : p.cursor->numeroRegistros();
    progreso.fijaBarra(2, true, 0, filas, 1);
    progreso.fijaPosicion(2, 0);

    Transaccion tx(*destino.conexion());
    QVector<QVariant> viejo, nuevo(origenDe.size());
    auto copia = [&](int numero) -> bool {
        for (int j = 0; j < origenDe.size(); ++j) nuevo[j] = origenDe[j] >= 0 ? viejo.value(origenDe[j]) : QVariant();
        if (!destino.insertaFila(nuevo)) {
            error_ = QStringLiteral("Error al copiar los datos de la Tabla ") + p.visible + QStringLiteral(" (registro %1).")
                         .arg(numero) + QStringLiteral("\r") + destino.mensajeError();
            return false;
        }
        progreso.avanza(2);
        if (campoMostrado >= 0) progreso.fijaTexto2(viejo.value(campoMostrado).toString());
        return true;
    };

    if (p.paradox) {
        for (int i = 0; i < filas; ++i) {
            QString motivo;
            if (!p.legado->leeFila(i, viejo, motivo)) {
                error_ = QStringLiteral("Error al copiar los datos de la Tabla ") + p.visible + QStringLiteral(".") +
                         QStringLiteral("\r") + motivo;
                return false;
            }
            if (!copia(i + 1)) return false;
        }
    } else {
        // One statement over the whole old table in key order: a single read transaction, instead
        // of the cursor's check for changes by others at every row (nobody else can change it:
        // it is held exclusively).
        Conexion& c = *p.cursor->conexion();
        const QList<DefCampo>& campos = p.cursor->campos();
        QStringList columnas, orden;
        for (const DefCampo& f : campos) columnas << cita(f.nombre);
        for (const QString& f : p.cursor->indices().first().campos) orden << cita(f);
        orden << QStringLiteral("rowid");
        Sentencia& lectura = c.sentencia(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                                             .arg(columnas.join(QLatin1Char(',')), cita(tablaInterna(c, QFileInfo(p.existente).fileName())),
                                                  orden.join(QLatin1Char(','))));
        viejo.resize(campos.size());
        int numero = 0;
        while (lectura.paso()) {
            for (int j = 0; j < campos.size(); ++j) {
                const QVariant crudo = lectura.columna(j);
                viejo[j] = crudo.isNull() ? QVariant()
                           : campos[j].tipo == TipoCampo::Boolean ? QVariant(crudo.toLongLong() != 0)
                                                                   : crudo;
            }
            if (!copia(++numero)) {
                lectura.reinicia();
                return false;
            }
        }
        if (!lectura.error().isEmpty()) {
            error_ = QStringLiteral("Error al copiar los datos de la Tabla ") + p.visible + QStringLiteral(".") +
                     QStringLiteral("\r") + lectura.error();
            return false;
        }
    }
    QString motivo;
    if (!tx.confirma(&motivo)) {
        error_ = QStringLiteral("Error al copiar los datos de la Tabla ") + p.visible + QStringLiteral(".") +
                 QStringLiteral("\r") + motivo;
        return false;
    }
    return true;
}

// The new file takes the table's name in one atomic rename, replacing the old file when it has
// that very name; the other files of the old table (another letter case, legacy index and memo
// files) go afterwards, so no moment is without one whole table.
bool Restructura::reemplaza(Pendiente& p) {
    const QString temporal = QDir(p.carpeta).filePath(kTemporal);
    if (std::rename(QFile::encodeName(temporal).constData(), QFile::encodeName(p.ruta()).constData()) != 0) {
        error_ = QStringLiteral("No se puede sustituir la Tabla ") + p.visible + QStringLiteral(" (%1).").arg(p.ruta());
        return false;
    }
    borraTemporal(p.carpeta);
    const QString nueva = QFileInfo(p.ruta()).absoluteFilePath();
    const QString lck = FicheroBloqueo::rutaDe(p.ruta());
    for (const QString& f : ficherosDeTabla(p.carpeta, NombreBase(p.existente))) {
        const QString absoluta = QFileInfo(f).absoluteFilePath();
        if (absoluta == nueva || absoluta == QFileInfo(lck).absoluteFilePath()) continue;
        QFile::remove(f);
    }
    return true;
}

bool Restructura::mantenimiento(const QString& carpetaPrograma, bool cambioVersion) {
    activaMenus(false);
    const QString pregunta =
        cambioVersion
            ? QStringLiteral("Detectado CAMBIO de VERSION DEL PROGRAMA.\rPara un correcto funcionamiento debe realizarse un "
                             "proceso que revisa las estructuras de las tablas y las reconstruye. \rEn este proceso se "
                             "MANIPULAN DATOS, por lo tanto es recomendable realizar una copia de seguridad de los mismos "
                             "antes de realizarlo. \r¿Desea Continuar?")
            : QStringLiteral("Esta opción revisa las estructuras de las tablas y las reconstruye. \rEn este proceso se "
                             "MANIPULAN DATOS, por lo tanto es recomendable realizar una copia de seguridad de los mismos "
                             "antes de realizarlo. \r¿Desea Continuar?");
    if (ui_.pregunta(pregunta, mtAviso, boton(mbSi) | boton(mbNo), mbNo) != mrSi) {
        activaMenus(true);
        return false;
    }

    const QStringList referencia = Diccionario::grupoReferencia();
    const QStringList partida = Diccionario::grupoPartida();
    Progreso& progreso = ui_.progreso();
    progreso.fijaTexto(QStringLiteral("Comprobando Estructuras de Tablas"));
    progreso.fijaBarra(1, true, 0, int(referencia.size() + partida.size()) - 1, 1);
    progreso.fijaPosicion(1, 0);
    progreso.fijaBarra(2, true, 0, 100, 1);
    progreso.fijaPosicion(2, 0);
    progreso.mostrar();

    auto termina = [&](bool bien) {
        progreso.ocultar();
        dm_.CerrarTodas();
        activaMenus(true);
        if (!bien) ui_.aviso(error_, mtError);
        return bien;
    };
    // A cancelled list stays as it was and the run goes on; an error ends it.
    auto pasa = [&](const QStringList& l) { return lista(l) != Resultado::Error; };

    dm_.fijaCarpetaPrograma(carpetaPrograma);
    if (!pasa({QStringLiteral("DSPartidas")}) || !pasa(referencia)) return termina(false);

    QStringList codigos;
    if (dm_.Abrir(QStringLiteral("DSPartidas"), false, false)) {
        TTabla& partidas = *dm_.tabla(QStringLiteral("TPartidas"));
        for (partidas.primero(); !partidas.eof(); partidas.siguiente())
            codigos << partidas.texto(QStringLiteral("CODIGO"));
        dm_.Cerrar(QStringLiteral("DSPartidas"));
    }
    for (const QString& codigo : codigos) {
        const QString carpeta = carpetaPartida(carpetaPrograma, codigo);
        if (codigo.isEmpty() || !QFileInfo(carpeta).isDir()) continue;
        dm_.fijaCarpetaPartida(carpeta);
        if (!pasa(partida)) return termina(false);
    }

    // The templates: a missing template folder has nothing to upgrade.
    const QString tercera = carpetaPrograma + QStringLiteral("/Tercera");
    if (QFileInfo(tercera).isDir()) {
        dm_.fijaCarpetaPartida(tercera);
        if (!pasa({QStringLiteral("DSCenPob"), QStringLiteral("DSEjer"), QStringLiteral("DSPais"), QStringLiteral("DSPjs"),
                   QStringLiteral("DSHex")}))
            return termina(false);
    }
    const QString cuarta = carpetaPrograma + QStringLiteral("/Cuarta");
    if (QFileInfo(cuarta).isDir()) {
        dm_.fijaCarpetaPartida(cuarta);
        if (!pasa({QStringLiteral("DSHex")})) return termina(false);
    }
    return termina(true);
}

} // namespace kz
