#pragma once
// A work table that is one of our table files, read through a cursor of its own.

#include "database/ttabla.h"
#include "tablatrabajo.h"

#include <memory>

namespace kz {

class TablaTrabajoSqlite : public TablaTrabajo {
public:
    ~TablaTrabajoSqlite() override;
    bool abre(const QString& ruta);
    const QStringList& campos() const override { return campos_; }
    int numeroRegistros() const override { return registros_; }
    bool siguiente(QVector<QVariant>& fila) override;

private:
    TTabla tabla_;
    // Held while the table is read, so that moving from row to row does not lock the file
    // again every time; nothing is ever written, so it only ends.
    std::unique_ptr<Transaccion> lectura_;
    QStringList campos_;
    int registros_ = 0;
    bool empezada_ = false;
};

} // namespace kz
