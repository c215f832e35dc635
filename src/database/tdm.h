#pragma once
// The data module: one object that owns every table cursor and query of a program, found by
// component name (TCenPob) or data-source name (DSCenPob) without regard to letter case, with
// the open counts, the folder binding and the shared open / close / reindex operations.
//
// Invariants: a table is open while its open count is above 0 or while it is held exclusively
// by an open that asked for it; it is bound to a folder only while closed; a failed Open list
// leaves none of its tables opened by it. Every question and status text goes through the
// Interaccion given at construction.

#include "interaccion.h"
#include "tconsulta.h"
#include "ttabla.h"

#include <QHash>
#include <memory>
#include <vector>

namespace kz {

class TDM {
public:
    explicit TDM(Interaccion& interaccion);
    ~TDM();
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    Interaccion& interaccion() const { return ui_; }

    // Components.
    TTabla* tabla(const QString& nombre) const;        // component or data source
    TConsulta* consulta(const QString& nombre) const;
    QString nombreVisible(const QString& fuente) const;
    const DefTabla* definicion(const QString& fuente) const;
    int aperturas(const QString& fuente) const;
    QStringList fuentes() const;

    // Folder binding: program-folder and game-folder components. Open tables keep their folder
    // (they are bound only while closed); false when some could not be rebound.
    bool fijaCarpetaPrograma(const QString& carpeta);
    bool fijaCarpetaPartida(const QString& carpeta);
    const QString& carpetaPrograma() const { return carpetaPrograma_; }
    const QString& carpetaPartida() const { return carpetaPartida_; }

    // The shared operations.
    bool Abrir(const QString& fuente, bool exclusiva, bool reconstruir);
    bool AbrirLista(const QStringList& lista);
    void Cerrar(const QString& fuente);
    void CerrarLista(const QStringList& lista);
    void CerrarTodas();
    void ReindexarLista(const QStringList& lista);
    bool SeleccionaIndice(TTabla& tabla, const QString& nombre);
    bool BloqueaFicha(TTabla& tabla);
    void MuestraEstado(const QString& texto);
    // The reader's opens: never create, never rebuild; messages name the file.
    bool AbrirTablaSE(const QString& fuente, bool exclusiva);
    bool AbrirTablasSE(const QStringList& lista);

    // QueryCreacion: runs the creating statement of a table definition (the definition lines
    // without the display name) and creates the file it names. The file must not exist.
    static bool EjecutaCreacion(const QStringList& sentencia, QString& error);

    // Main window's character label, kept by the QPjs link.
    std::function<void(const QString&)> alCambiarPersonaje;

private:
    struct Componente;
    Componente* busca(const QString& nombre) const;
    Componente& agrega(const QString& nombre, const QString& fuente, const DefTabla* def, CarpetaTabla carpeta);
    static void separaEntrada(const QString& entrada, QString& fuente, bool& exclusiva, bool& reconstruir);
    bool abreConReintento(Componente& c, bool exclusiva, const QString& nombreMensaje, bool lector);
    bool reconstruyeIndices(Componente& c, bool exclusivaPedida);
    void enlazaCursores();

    Interaccion& ui_;
    std::vector<std::unique_ptr<Componente>> componentes_;
    QHash<QString, Componente*> porNombre_;
    QString carpetaPrograma_, carpetaPartida_;
};

} // namespace kz
