#pragma once
// Logical definition of one table: its fields in order, its keys and the data-module facts
// (component, data source, display name, folder). The dictionary holds one per table; the
// engine can also read one back from a table file, which is how a structure is compared.

#include <QList>
#include <QString>
#include <QStringList>

namespace kz {

enum class TipoCampo { Char, SmallInt, Integer, Boolean, Memo };

struct DefCampo {
    QString nombre;
    TipoCampo tipo = TipoCampo::Char;
    int tamano = 0;         // characters for CHAR(n); 0 otherwise
    QString etiqueta;       // label of the data module's field object
    int tamanoObjeto = 0;   // characters the field object takes when it differs from the table

    // Declared type as written in the creating statement: CHAR(4), SMALLINT, BLOB(240,1) ...
    QString tipoDeclarado() const;
    // Characters a write through the data module keeps: the smaller of table and field object.
    int limiteEscritura() const;
    bool operator==(const DefCampo& o) const { return nombre == o.nombre && tipo == o.tipo && tamano == o.tamano; }
};

// Parses a declared type back ("CHAR(20)" -> Char, 20). False for an unknown type.
bool parseaTipoDeclarado(const QString& declarado, TipoCampo& tipo, int& tamano);

struct DefIndice {
    QString nombre;
    QStringList campos;
    QString camposTexto() const { return campos.join(QLatin1Char(';')); }
};

enum class CarpetaTabla { Programa, Partida };

struct DefTabla {
    QString componente;     // TCenPob
    QString fuente;         // DSCenPob
    QString fichero;        // CenPob.DB
    QString nombreVisible;  // "Centros de Poblacion y Fortifiaciones"
    CarpetaTabla carpeta = CarpetaTabla::Partida;
    bool porTurno = false;
    QList<DefCampo> campos;
    QList<DefIndice> indices;   // the first one is the primary key

    QString nombreTabla() const;            // file base name: the SQL table inside the file
    int indiceCampo(const QString& nombre) const;   // -1 when absent (exact name)
    const DefIndice& primario() const { return indices.first(); }
    const DefIndice* indice(const QString& nombre) const;  // case-insensitive
};

} // namespace kz
