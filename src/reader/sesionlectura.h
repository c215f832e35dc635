#pragma once
// Everything the section parsers of one report share: the reading context, the game's tables as
// the data module holds them, the log and the error flag, and the row operations every parser
// needs (find-or-append, post, reference look-ups by name, BuscaPais).
//
// Writes are grouped in one transaction per game table for the whole report, so a report is
// read fast and a reading that is cut short (crash, power loss) leaves each table as it was.
// With escritura false nothing is posted: the parsers run their look-ups and cancel every row,
// which is how the cost of the writes is measured.

#include "contextolectura.h"
#include "fallolectura.h"

#include "database/conexion.h"

#include <QHash>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

namespace kz {

class TDM;
class TTabla;

struct PaisEncontrado {
    QString codigo;
    QString bando;
};

class SesionLectura {
public:
    SesionLectura(TDM& dm, ContextoLectura& contexto, std::function<void(const QString&)> log);
    ~SesionLectura();
    SesionLectura(const SesionLectura&) = delete;
    SesionLectura& operator=(const SesionLectura&) = delete;

    TDM& dm() const { return dm_; }
    ContextoLectura& contexto() const { return ctx_; }
    const QString& turno() const { return ctx_.turno; }

    // The tables of the reading (data-module components).
    TTabla& cenPob() const { return *cenPob_; }
    TTabla& pjs() const { return *pjs_; }
    TTabla& pjsAux() const { return *pjsAux_; }   // on index ID, for a character's turns
    TTabla& ejer() const { return *ejer_; }
    TTabla& paises() const { return *paises_; }
    TTabla& grados() const { return *grados_; }
    TTabla& terreno() const { return *terreno_; }
    TTabla& climas() const { return *climas_; }
    TTabla& tipoCP() const { return *tipoCP_; }
    TTabla& fortifica() const { return *fortifica_; }
    TTabla& ubiArtef() const { return *ubiArtef_; }
    TTabla& rumores() const { return *rumores_; }

    // The log of the reader.
    void AnadeLog(const QString& texto) const;
    // "Error al Leer (" + code + "): " + text; sets the error flag unless told otherwise.
    void ErrorAlLeer(const QString& codigo, const QString& texto, bool marcaError = true) const;

    // Opens the auxiliary cursor and the transactions; false with the message when the
    // auxiliary cursor cannot be opened.
    bool inicia(QString& error);
    // Confirms (or, without writing, undoes) the transactions; false with the message when a
    // commit failed, in which case that table keeps what it had before the report.
    bool termina(QString& error);
    void fijaEscritura(bool si) { escritura_ = si; }
    bool escritura() const { return escritura_; }

    // Row operations that fail with a FalloLectura.
    // Puts the row with that primary key in edit, or a new row in insert; true when it existed.
    bool editaOAnade(TTabla& t, const QVariantList& clave) const;
    void edita(TTabla& t) const;
    void fija(TTabla& t, const QString& campo, const QVariant& valor) const;
    void graba(TTabla& t) const;
    // Cancels any row left in edit or insert by an item that failed.
    void cancelaPendientes() const;

    // CODIGO of the row whose NOMBRE is exactly the name, on the table's index NOMBRE; empty
    // when there is none. The table's index is left as it was. Answers are kept for the
    // report (a rule table does not change while a report is read) until this session posts a
    // row to that table.
    QString CodigoPorNombre(TTabla& t, const QString& nombre) const;
    // CODIGO and BANDO of the nation whose NOMBRE is exactly the name; both empty when none.
    PaisEncontrado PaisPorNombre(const QString& nombre) const;
    // A grade title of Grados: its TIPO and GRADOMIN; found false when there is none.
    struct GradoEncontrado {
        bool encontrado = false;
        QString tipo;
        int minimo = 0;
    };
    GradoEncontrado GradoPorNombre(const QString& titulo) const;
    // A nation by code (only digits and spaces) or by name (exact, then the first name that
    // begins with it): its CODIGO and BANDO, both empty when not found.
    PaisEncontrado BuscaPais(const QString& nombreOCodigo) const;

private:
    TDM& dm_;
    ContextoLectura& ctx_;
    std::function<void(const QString&)> log_;
    TTabla *cenPob_, *pjs_, *pjsAux_, *ejer_, *paises_, *grados_, *terreno_, *climas_, *tipoCP_, *fortifica_,
        *ubiArtef_, *rumores_, *pjsEjer_, *hex_;
    std::vector<std::unique_ptr<Transaccion>> transacciones_;
    // Look-ups by name of this report, by table.
    mutable QHash<const TTabla*, QHash<QString, QStringList>> porNombre_;
    QStringList buscaPorNombre(TTabla& t, const QString& nombre, const QStringList& campos) const;
    bool escritura_ = true;
};

} // namespace kz
