#include "lineaordenes.h"

namespace kz {

namespace {
bool esRtablas(const QString& a) { return a.compare(QLatin1String("RTABLAS"), Qt::CaseInsensitive) == 0; }
} // namespace

LineaOrdenes::LineaOrdenes(const QStringList& a) {
    if (a.size() == 1) {
        if (esRtablas(a[0])) reconstruir_ = true;
        else partida_ = a[0];
    } else if (a.size() == 2 && esRtablas(a[0])) {
        reconstruir_ = true;
        partida_ = a[1];
    }
}

} // namespace kz
