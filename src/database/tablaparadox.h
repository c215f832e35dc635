#pragma once
// Read-only access to a legacy Paradox table file through pxlib: its fields as the engine's
// field definitions and its rows as values of the engine's types, text decoded from the code
// page the file header names (850, 437; any other one is read as Windows Latin-1). Memo fields
// are read from the .MB file beside the table when there is one (its name's letter case aside),
// by our own bounds-checked reader: a damaged memo file gives an error, never a crash.

#include "definiciontabla.h"

#include <QFile>
#include <QVariant>
#include <QVector>

struct px_doc;

namespace kz {

class TablaParadox {
public:
    TablaParadox() = default;
    ~TablaParadox();
    TablaParadox(const TablaParadox&) = delete;
    TablaParadox& operator=(const TablaParadox&) = delete;

    // True when the file's header is that of a Paradox data file (not one of our tables).
    static bool esParadox(const QString& ruta);
    // Decodes single-byte text of a DOS or Windows code page.
    static QString decodifica(const QByteArray& bytes, int paginaCodigos);

    bool abre(const QString& ruta, QString& error);
    void cierra();
    bool abierta() const { return doc_ != nullptr; }

    const QList<DefCampo>& campos() const { return campos_; }
    int numeroRegistros() const;
    int paginaCodigos() const { return paginaCodigos_; }
    // Values of row n (0-based), one per field; null for empty values.
    bool leeFila(int n, QVector<QVariant>& valores, QString& error);

private:
    bool leeMemo(const char* dato, int longitud, QVariant& valor, QString& error);

    px_doc* doc_ = nullptr;
    QFile memos_;
    QList<DefCampo> campos_;
    QVector<int> tipos_;
    int paginaCodigos_ = 0;
};

} // namespace kz
