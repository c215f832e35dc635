#pragma once
// Tables as text: one header line of field names, then one line per row in the order of the
// table's current index; fields separated by ";", empty for null, booleans as True and False.
// A value holding ";", a quote or a line break is written between double quotes (quotes
// doubled), so every table, memos included, comes back whole.

#include "ttabla.h"

#include <QTextStream>

namespace kz {

void volcarTabla(TTabla& tabla, QTextStream& salida);
QString lineaVolcado(const QStringList& valores);
// Splits text made by volcarTabla into rows of fields; false with a message if malformed.
bool leeVolcado(const QString& texto, QList<QStringList>& filas, QString& error);
// Appends the rows of a text file made like volcarTabla to an open table, matching columns by
// the header's field names, in one transaction: all rows or none.
bool cargaVolcado(TTabla& tabla, const QString& fichero, QString& error);

} // namespace kz
