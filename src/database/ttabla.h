#pragma once
// A table cursor with the semantics the whole program relies on.
//
// State machine: Inactiva -(abrir)-> Navegar; Navegar -(editar)-> Editar, -(anadir/insertar)->
// Insertar, -(fijaClave)-> FijarClave; Editar/Insertar -(grabar|cancelar)-> Navegar;
// FijarClave -(irAClave|irACercano|cancelar)-> Navegar; any -(cerrar)-> Inactiva.
//
// The view of a cursor is its table seen through the current index, the key range and the
// filter. The cursor keeps a window of consecutive rows of that view (lote_) around the current
// one; moving inside the window costs nothing, moving past it fetches the next rows with
// key-ordered queries that start from the edge row's key (index fields, then rowid), so no walk
// ever rescans the table and no statement stays open between calls. The window is stamped with
// the connection's change mark; when the file changed (through another cursor or another
// process) the window is fetched again from the current row's key on the next move.
//
// Empty values are NULL and sort first, as blanks did. Texts are stored without trailing
// blanks and cut to the field's size; an empty text is stored as NULL.

#include "conexion.h"
#include "definiciontabla.h"
#include "ficherobloqueo.h"

#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

namespace kz {

class FiltroExpresion;

enum class EstadoTabla { Inactiva, Navegar, Editar, Insertar, FijarClave };

enum class ErrorTabla { Ninguno, NoExiste, NoEsTabla, EnUso, FichaBloqueada, ClaveDuplicada,
                        ValorNoValido, Estado, Sql };

struct Marcador {
    qint64 rowid = 0;
    bool valido() const { return rowid != 0; }
};

enum class EventoTabla { Abierta, Cerrada, Movida, Datos, Estado };

struct OpcionesLocalizar { bool sinMayusculas = false; bool parcial = false; };
struct OpcionesFiltro { bool sinMayusculas = false; bool sinParcial = false; };

class TTabla {
public:
    TTabla();
    ~TTabla();
    TTabla(const TTabla&) = delete;
    TTabla& operator=(const TTabla&) = delete;

    // Binding: folder and file name; only while closed.
    void fijaCarpeta(const QString& carpeta) { carpeta_ = carpeta; }
    void fijaFichero(const QString& fichero) { fichero_ = fichero; }
    const QString& carpeta() const { return carpeta_; }
    const QString& fichero() const { return fichero_; }
    QString ruta() const;
    bool existeFichero() const;
    // Index maintenance; they need the table held exclusively.
    bool borraIndices();
    bool anadeIndice(const DefIndice& d);
    // Values written through this cursor keep the data module's field-object sizes.
    void fijaLimitesDeObjeto(bool si) { limitesObjeto_ = si; }
    void fijaExclusiva(bool si) { exclusivaPedida_ = si; }
    // Rows fetched around the current one on each move or key search (64 by default). A cursor
    // used for single-row look-ups (the reader's) is faster with a window of one row.
    void fijaTamanoLote(int filas) { tamanoLote_ = filas < 1 ? 1 : filas; }
    bool exclusivaPedida() const { return exclusivaPedida_; }

    // Opening. abre() uses the exclusive request set above.
    bool abre();
    void cierra();
    bool activa() const { return estado_ != EstadoTabla::Inactiva; }
    bool exclusiva() const { return bloqueo_.exclusivo(); }
    EstadoTabla estado() const { return estado_; }
    ErrorTabla ultimoError() const { return error_; }
    const QString& mensajeError() const { return mensaje_; }

    // Structure as read from the file.
    const QList<DefCampo>& campos() const { return campos_; }
    int indiceCampo(const QString& nombre) const;   // case-insensitive, -1 when absent
    const QList<DefIndice>& indices() const { return indices_; } // primary first
    int numeroIndices() const { return indices_.size(); }
    void refrescaIndices();

    // Index selection: an empty name or "primario" selects the primary key.
    bool tieneIndice(const QString& nombre) const;
    bool fijaIndice(const QString& nombre);
    QString nombreIndice() const { return indiceActual_ == 0 ? QString() : indices_[indiceActual_].nombre; }
    const DefIndice& indiceActivo() const { return indices_[indiceActual_]; }

    // Navigation over the view.
    void primero();
    void ultimo();
    void siguiente();
    void anterior();
    int mueve(int filas);
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }
    bool vacia();
    int numeroRegistros();
    // Row i (0-based) of the current view, for grids; false past the end.
    bool irAFila(int fila);
    int filaActual();
    void refresca();

    // Key search on the current index; fewer values than fields match a prefix.
    bool buscaClave(const QVariantList& valores);
    void buscaCercano(const QVariantList& valores);
    // Set-key state: fijaClave(), assign fields, then irAClave() / irACercano().
    void fijaClave();
    bool irAClave();
    void irACercano();

    // Key range on the current index (prefixes allowed); the cursor goes to the first row.
    void fijaRango(const QVariantList& desde, const QVariantList& hasta);
    void quitaRango();
    bool tieneRango() const { return rango_.activo; }

    bool localiza(const QStringList& campos, const QVariantList& valores, OpcionesLocalizar o = {});

    // Filter: an expression in the search dialog's syntax and/or a callback.
    bool fijaFiltro(const QString& expresion, QString* error = nullptr);
    QString filtro() const { return filtroTexto_; }
    void fijaFiltroFuncion(std::function<bool(const TTabla&)> f);
    void fijaOpcionesFiltro(OpcionesFiltro o);
    void fijaFiltrado(bool si);
    bool filtrado() const { return filtrado_; }

    Marcador marcador() const;
    bool irAMarcador(const Marcador& m);

    // Editing.
    bool anade();      // Append
    bool inserta();    // Insert (same for keyed tables)
    bool edita();      // takes the record lock
    bool graba();      // Post
    void cancela();
    bool borra();
    bool compruebaEdicion();   // can the current record be put in edit now? (edit + cancel)

    // Fields of the current row (or of the edit / key buffer).
    QVariant valor(int campo) const;
    QVariant valor(const QString& campo) const;
    QString texto(const QString& campo) const;
    int entero(const QString& campo) const;
    bool logico(const QString& campo) const;
    bool esNulo(const QString& campo) const;
    bool fija(int campo, const QVariant& v);
    bool fija(const QString& campo, const QVariant& v);
    QVector<QVariant> fila() const { return actual(); }

    // The connection, for transactions of long operations.
    Conexion* conexion() const { return conexion_.get(); }

    // Notifications to data sources.
    int suscribe(std::function<void(EventoTabla)> f);
    void desuscribe(int id);

    // Direct row insert for bulk loads: no cursor movement, same conversions as graba().
    bool insertaFila(const QVector<QVariant>& valores);

private:
    struct Fila {
        qint64 rowid = 0;
        QVector<QVariant> v;
    };
    struct Rango {
        bool activo = false;
        QVariantList desde, hasta;
        QString sql;
        QVariantList parametros;
    };
    enum class Sentido { Adelante, Atras };

    bool falla(ErrorTabla e, const QString& m);
    void notifica(EventoTabla e);
    bool leeEstructura();
    const QString& listaColumnas() const;
    const QVector<QVariant>& actual() const;
    QVariant convierte(int campo, const QVariant& v, bool& ok, QString& error) const;
    QVariant leeValor(int campo, const QVariant& crudo) const;
    bool pasaFiltro(const Fila& f);
    void construyeRango();

    // Fetching: up to n rows of the view after (or before) a key position. `clave` holds
    // values of the first fields of the current index; with conRowid the rowid breaks ties.
    QVector<Fila> trae(Sentido s, const QVariantList& clave, bool conRowid, qint64 rowid, bool incluido, int n);
    QVector<Fila> traeExtremo(Sentido s, int n);
    QVariantList claveDe(const Fila& f) const;
    void colocaLote(QVector<Fila> lote, int pos, bool finAtras, bool finAdelante);
    void vacio();
    bool loteVigente();
    void revalida();
    QByteArray clavePrimaria(const QVector<QVariant>& v) const;
    bool ejecutaEscritura(bool nueva);

    QString carpeta_, fichero_, nombreTabla_;
    QString sqlInsercion_, sqlActualizacion_;   // built once per open
    bool limitesObjeto_ = false;
    bool exclusivaPedida_ = false;
    const DefTabla* def_ = nullptr;
    std::shared_ptr<Conexion> conexion_;
    FicheroBloqueo bloqueo_;
    EstadoTabla estado_ = EstadoTabla::Inactiva;
    ErrorTabla error_ = ErrorTabla::Ninguno;
    QString mensaje_;

    QList<DefCampo> campos_;
    mutable QString columnas_;   // the SELECT list of listaColumnas()
    QVector<int> limites_;
    QHash<QString, int> porNombre_;
    QList<DefIndice> indices_;
    QVector<QVector<int>> columnasIndice_;
    QVector<QStringList> columnasCitadas_;
    QStringList ordenAdelante_, ordenAtras_;
    QString selectBase_;
    int indiceActual_ = 0;
    QString indicePedido_;      // index chosen while closed, selected on open

    QVector<Fila> lote_;
    int tamanoLote_ = 64;
    int pos_ = -1;
    bool bof_ = true, eof_ = true;
    bool loteInicio_ = false, loteFin_ = false;   // the window reaches the start / end of the view
    quint64 selloLote_ = 0;

    Fila edicion_;             // edit, insert or key buffer
    QByteArray claveBloqueada_;
    Rango rango_;

    QString filtroTexto_;
    std::unique_ptr<FiltroExpresion> filtroExpr_;
    std::function<bool(const TTabla&)> filtroFuncion_;
    OpcionesFiltro opcionesFiltro_;
    bool filtrado_ = false;
    const Fila* evaluando_ = nullptr;   // row seen by the filter callback

    QVector<qint64> vista_;            // rowids of the view, built for grids on demand
    quint64 selloVista_ = 0;
    bool vistaValida_ = false;
    qint64 cuenta_ = -1;
    quint64 selloCuenta_ = 0;

    QHash<int, std::function<void(EventoTabla)>> suscriptores_;
    int siguienteSuscriptor_ = 1;
};

} // namespace kz
