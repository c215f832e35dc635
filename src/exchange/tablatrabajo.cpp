#include "tablatrabajo.h"

#include "tablatrabajoparadox.h"
#include "tablatrabajosqlite.h"

namespace kz {

std::unique_ptr<TablaTrabajo> TablaTrabajo::abre(const QString& ruta, QString& error) {
    if (TablaTrabajoParadox::esParadox(ruta)) {
        auto t = std::make_unique<TablaTrabajoParadox>();
        if (t->abre(ruta)) return t;
        error = t->error();
        return nullptr;
    }
    auto t = std::make_unique<TablaTrabajoSqlite>();
    if (t->abre(ruta)) return t;
    error = t->error();
    return nullptr;
}

} // namespace kz
