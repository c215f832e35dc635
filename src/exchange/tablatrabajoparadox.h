#pragma once
// A work table that is a legacy Paradox file, read through pxlib. Texts are converted from the
// table's code page; memos come from the .MB file beside the table when it is there.

#include "tablatrabajo.h"

extern "C" {
struct px_doc;
}

namespace kz {

class TablaTrabajoParadox : public TablaTrabajo {
public:
    ~TablaTrabajoParadox() override;
    // True when the file starts like a Paradox data table (and not like one of ours).
    static bool esParadox(const QString& ruta);
    bool abre(const QString& ruta);
    const QStringList& campos() const override { return campos_; }
    int numeroRegistros() const override { return registros_; }
    bool siguiente(QVector<QVariant>& fila) override;

private:
    QVariant valor(int campo, char* datos);

    px_doc* doc_ = nullptr;
    QStringList campos_;
    QVector<int> tipos_, longitudes_;
    int registros_ = 0;
    int actual_ = 0;
    QByteArray registro_;
};

} // namespace kz
